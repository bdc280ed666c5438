#pragma once
// One full set of the settings that shape how an editor looks and behaves,
// held apart from any editor: settings are staged here and then copied to
// the editors. The holder notifies nobody of its own changes.
#include <string>

#include "base/color.h"
#include "classlib/font.h"
#include "editor/options.h"
#include "editor/reservewords.h"
#include "editor/vlines.h"
#include "editor/wrapoption.h"

#include "editor/editortypes.h"

namespace vellumo {

class TEditor;

class TEditorProp {
public:
    TEditorProp();
    TEditorProp(const TEditorProp&) = delete;
    TEditorProp& operator=(const TEditorProp&) = delete;

    // Fields in copy order.
    TColor Color() const noexcept { return color_; }
    void SetColor(TColor v) noexcept { color_ = v; }
    TEditorCaret& Caret() noexcept { return caret_; }
    const TEditorCaret& Caret() const noexcept { return caret_; }
    void SetCaret(const TEditorCaret& v) { caret_.Assign(v); }
    TFont& Font() noexcept { return font_; }
    const TFont& Font() const noexcept { return font_; }
    void SetFont(const TFont& v) { font_.Assign(v); }
    TEditorLeftbar& Leftbar() noexcept { return leftbar_; }
    const TEditorLeftbar& Leftbar() const noexcept { return leftbar_; }
    void SetLeftbar(const TEditorLeftbar& v) { leftbar_.Assign(v); }
    TEditorMargin& Margin() noexcept { return margin_; }
    const TEditorMargin& Margin() const noexcept { return margin_; }
    void SetMargin(const TEditorMargin& v) { margin_.Assign(v); }
    TEditorMarks& Marks() noexcept { return marks_; }
    const TEditorMarks& Marks() const noexcept { return marks_; }
    void SetMarks(const TEditorMarks& v) { marks_.Assign(v); }
    TReserveWordList& ReserveWordList() noexcept { return reserveWordList_; }
    const TReserveWordList& ReserveWordList() const noexcept { return reserveWordList_; }
    void SetReserveWordList(const TReserveWordList& v) { reserveWordList_.Assign(v); }
    TEditorRuler& Ruler() noexcept { return ruler_; }
    const TEditorRuler& Ruler() const noexcept { return ruler_; }
    void SetRuler(const TEditorRuler& v) { ruler_.Assign(v); }
    TScrollStyle ScrollBars() const noexcept { return scrollBars_; }
    void SetScrollBars(TScrollStyle v) noexcept { scrollBars_ = v; }
    TEditorViewInfo& View() noexcept { return view_; }
    const TEditorViewInfo& View() const noexcept { return view_; }
    void SetView(const TEditorViewInfo& v) { view_.Assign(v); }
    bool WordWrap() const noexcept { return wordWrap_; }
    void SetWordWrap(bool v) noexcept { wordWrap_ = v; }
    TEditorWrapOption& WrapOption() noexcept { return wrapOption_; }
    const TEditorWrapOption& WrapOption() const noexcept { return wrapOption_; }
    void SetWrapOption(const TEditorWrapOption& v) { wrapOption_.Assign(v); }
    TVerticalLines& VerticalLines() noexcept { return verticalLines_; }
    const TVerticalLines& VerticalLines() const noexcept { return verticalLines_; }
    void SetVerticalLines(const TVerticalLines& v) { verticalLines_.Assign(v); }

    // Copying never raises: a step that fails ends the copy there, the
    // values copied before it stay. The result tells whether every value
    // arrived.
    bool Assign(const TEditorProp& source) noexcept;
    bool AssignTo(TEditorProp& dest) const noexcept { return dest.Assign(*this); }
#ifdef _WIN32
    // From the editor's published properties of the same names.
    bool Assign(TEditor& source) noexcept;
    // Through the editor's setters, so each arriving option object makes the
    // editor re-measure and repaint once, and only when it differs: equal
    // wrap settings leave the text and its undo history alone.
    bool AssignTo(TEditor& dest) const noexcept;
#endif

private:
    TColor color_ = clWindow;
    TEditorCaret caret_;
    TFont font_;
    TEditorLeftbar leftbar_;
    TEditorMargin margin_;
    TEditorMarks marks_;
    TReserveWordList reserveWordList_;
    TEditorRuler ruler_;
    TScrollStyle scrollBars_ = ssNone;
    TEditorViewInfo view_;
    bool wordWrap_ = false;
    TEditorWrapOption wrapOption_;
    TVerticalLines verticalLines_;
};

} // namespace vellumo
