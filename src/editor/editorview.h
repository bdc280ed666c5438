#pragma once
// The narrow face of an editor view as the text model sees it. The editor
// control implements it; tests implement it with a plain recorder. Every
// call comes on the GUI thread, from inside the store's operations.
#include "base/byteset.h"

namespace vellumo {

class TEditorScreenStrings;
class IRowParserFactory;

class IEditorView {
public:
    virtual ~IEditorView() = default;

    // The store the view shows (the view may switch stores when the window is split).
    virtual TEditorScreenStrings& ScreenStrings() = 0;

    // After every change or refresh of the rows; the store's ChangeRange() is
    // valid during the call when the text itself changed.
    virtual void ListChanged() = 0;
    // Re-measure scroll ranges and repaint everything.
    virtual void Refresh() = 0;
    virtual void InvalidateRowText(int row) = 0;

    // Cell geometry and options the model computes with.
    virtual int TabSpaceCount() const = 0;             // 1..8
    virtual const TByteSet& Delimiters() const = 0;    // word delimiters of the cell classes
    virtual int RowHeight() const = 0;                 // pixels
    virtual int ScreenHeight() const = 0;              // pixels of the client area
    virtual int BracketRegionCount() const = 0;        // 0 means no regions are recognised
    virtual const IRowParserFactory* ParserFactory() const = 0;  // may be null
    virtual bool IsLoading() const = 0;                // properties are being streamed in
    virtual bool Focused() const = 0;

    // Caret and scroll position (rows and display columns).
    virtual int CaretRow() const = 0;
    virtual int CaretCol() const = 0;
    virtual void SetCaretRow(int row) = 0;
    virtual void SetCaretCol(int col) = 0;
    // Caret at a byte offset counted from the start of fromRow (line breaks count 2).
    virtual void SetCaretRowOffset(int fromRow, int offset) = 0;
    virtual int TopRow() const = 0;
    virtual void SetTopRow(int row) = 0;
    virtual void SetLeftCol(int col) = 0;
    virtual void CaretBeginUpdate() = 0;
    virtual void CaretEndUpdate() = 0;
    virtual void UnderlineBeginUpdate() = 0;
    virtual void UnderlineEndUpdate() = 0;
    // Begin and end of a Lines update: caret and underline held, redraw off.
    virtual void LinesUpdating(bool updating) = 0;

    virtual void CleanSelection() = 0;
};

// Holds a view's caret updates for a scope (exceptions included).
class TCaretUpdate {
public:
    explicit TCaretUpdate(IEditorView* view, bool underline = false) : view_(view), underline_(underline)
    {
        if (!view_) return;
        view_->CaretBeginUpdate();
        if (underline_) view_->UnderlineBeginUpdate();
    }
    ~TCaretUpdate()
    {
        if (!view_) return;
        if (underline_) view_->UnderlineEndUpdate();
        view_->CaretEndUpdate();
    }
    TCaretUpdate(const TCaretUpdate&) = delete;
    TCaretUpdate& operator=(const TCaretUpdate&) = delete;

private:
    IEditorView* view_;
    bool underline_;
};

// Holds only a view's caret-row underline for a scope.
class TUnderlineUpdate {
public:
    explicit TUnderlineUpdate(IEditorView* view) : view_(view) { view_->UnderlineBeginUpdate(); }
    ~TUnderlineUpdate() { view_->UnderlineEndUpdate(); }
    TUnderlineUpdate(const TUnderlineUpdate&) = delete;
    TUnderlineUpdate& operator=(const TUnderlineUpdate&) = delete;

private:
    IEditorView* view_;
};

} // namespace vellumo
