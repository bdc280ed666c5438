#pragma once
// Caret behaviour and the mouse cursors of the editor.
#include "classlib/cursorindex.h"
#include "editor/notifypersistent.h"

namespace vellumo {

// Index the editor's left-margin arrow cursor is registered at; the cursor
// registration on Windows stores the index it found.
inline TCursor RightArrowCursorIndex = 1;

enum TDragMode : int { dmManual = 0, dmAutomatic = 1 };
enum TEditorCaretStyle : int { csDefault = 0, csBrief = 1 };

// Five cursors; plain values, setting one notifies nobody.
class TEditorCursors : public TNotifyPersistent {
public:
    TCursor DefaultCursor() const noexcept { return defaultCursor_; }
    void SetDefaultCursor(TCursor v) noexcept { defaultCursor_ = v; }
    TCursor DragSelCursor() const noexcept { return dragSelCursor_; }
    void SetDragSelCursor(TCursor v) noexcept { dragSelCursor_ = v; }
    TCursor DragSelCopyCursor() const noexcept { return dragSelCopyCursor_; }
    void SetDragSelCopyCursor(TCursor v) noexcept { dragSelCopyCursor_ = v; }
    TCursor InSelCursor() const noexcept { return inSelCursor_; }
    void SetInSelCursor(TCursor v) noexcept { inSelCursor_ = v; }
    TCursor LeftMarginCursor() const noexcept { return leftMarginCursor_; }
    void SetLeftMarginCursor(TCursor v) noexcept { leftMarginCursor_ = v; }

    void Assign(const TEditorCursors& source);

private:
    TCursor defaultCursor_ = crIBeam;
    TCursor dragSelCursor_ = crDrag;
    TCursor dragSelCopyCursor_ = crDefault;
    TCursor inSelCursor_ = crDefault;
    TCursor leftMarginCursor_ = RightArrowCursorIndex;
};

// Only Style and TabSpaceCount report; the other fields are read by the
// editor at their next use.
class TEditorCaret : public TNotifyPersistent {
public:
    bool AutoCursor() const noexcept { return autoCursor_; }
    void SetAutoCursor(bool v) noexcept { autoCursor_ = v; }
    bool AutoIndent() const noexcept { return autoIndent_; }
    void SetAutoIndent(bool v) noexcept { autoIndent_ = v; }
    bool BackSpaceUnIndent() const noexcept { return backSpaceUnIndent_; }
    void SetBackSpaceUnIndent(bool v) noexcept { backSpaceUnIndent_ = v; }
    // Not wired: cursor changes never report.
    TEditorCursors& Cursors() noexcept { return cursors_; }
    const TEditorCursors& Cursors() const noexcept { return cursors_; }
    void SetCursors(const TEditorCursors& v) { cursors_.Assign(v); }
    bool FreeCaret() const noexcept { return freeCaret_; }
    void SetFreeCaret(bool v) noexcept { freeCaret_ = v; }
    bool InTab() const noexcept { return inTab_; }
    void SetInTab(bool v) noexcept { inTab_ = v; }
    bool KeepCaret() const noexcept { return keepCaret_; }
    void SetKeepCaret(bool v) noexcept { keepCaret_ = v; }
    bool LockScroll() const noexcept { return lockScroll_; }
    void SetLockScroll(bool v) noexcept { lockScroll_ = v; }
    bool NextLine() const noexcept { return nextLine_; }
    void SetNextLine(bool v) noexcept { nextLine_ = v; }
    bool PrevSpaceIndent() const noexcept { return prevSpaceIndent_; }
    void SetPrevSpaceIndent(bool v) noexcept { prevSpaceIndent_ = v; }
    bool RowSelect() const noexcept { return rowSelect_; }
    void SetRowSelect(bool v) noexcept { rowSelect_ = v; }
    TDragMode SelDragMode() const noexcept { return selDragMode_; }
    void SetSelDragMode(TDragMode v) noexcept { selDragMode_ = v; }
    bool SelMove() const noexcept { return selMove_; }
    void SetSelMove(bool v) noexcept { selMove_ = v; }
    bool SoftTab() const noexcept { return softTab_; }
    void SetSoftTab(bool v) noexcept { softTab_ = v; }
    TEditorCaretStyle Style() const noexcept { return style_; }
    void SetStyle(TEditorCaretStyle v) { SetField(style_, v); }
    bool TabIndent() const noexcept { return tabIndent_; }
    void SetTabIndent(bool v) noexcept { tabIndent_ = v; }
    int TabSpaceCount() const noexcept { return tabSpaceCount_; }
    void SetTabSpaceCount(int v);  // 1..8

    void Assign(const TEditorCaret& source);

private:
    bool autoCursor_ = true;
    bool autoIndent_ = true;
    bool backSpaceUnIndent_ = true;
    TEditorCursors cursors_;
    bool freeCaret_ = true;
    bool inTab_ = false;
    bool keepCaret_ = false;
    bool lockScroll_ = false;
    bool nextLine_ = false;
    bool prevSpaceIndent_ = false;
    bool rowSelect_ = true;
    TDragMode selDragMode_ = dmAutomatic;
    bool selMove_ = true;
    bool softTab_ = false;
    TEditorCaretStyle style_ = csDefault;
    bool tabIndent_ = false;
    int tabSpaceCount_ = 8;
};

} // namespace vellumo
