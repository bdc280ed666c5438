// Keeping the editors' view around a reload or a save under a new name.
#include <windows.h>

#include <algorithm>

#include "app/core/appcontext.h"
#include "app/document/docopen.h"
#include "app/window/editmodes.h"
#include "editor/editor_win.h"

namespace vellumo {

namespace {

TRowLayout LayoutOf(TEditor& e)
{
    return {e.WordWrap(), e.WrapOption().WrapByte(), e.TabSpaceCount(), e.CellWidth(), e.CellHeight(),
            static_cast<int>(CurrentEditMode())};
}

TEditorViewMark Mark(TEditor& e)
{
    TEditorViewMark m;
    m.Used = true;
    m.Row = e.Row();
    m.Col = e.Col();
    m.TopRow = e.TopRow();
    m.LeftCol = e.LeftCol();
    m.TabWidth = e.TabSpaceCount();
    m.Layout = LayoutOf(e);
    m.TextLength = e.GetTextLength();
    m.Lines = e.Store().LineCount();
    m.Caret = e.TextPlaceAt(e.Row(), e.Col());
    m.Selected = e.Selected();
    m.Mode = e.SelectionMode();
    m.BoxLatch = e.BoxLatch();
    if (m.Selected) m.Anchor = e.TextPlaceAt(e.AnchorRow(), e.AnchorCol());
    return m;
}

void SetRedraw(TEditor* e, bool on)
{
    if (e && e->HandleAllocated()) SendMessageA(e->Handle(), WM_SETREDRAW, on ? TRUE : FALSE, 0);
}

// The same text laid out anew (wrap, wrap column, tab width, font, edit
// mode): a row and column would name another place, so the caret and the
// selection go back to theirs in the text, at the same height in the view.
void FollowText(TEditor& e, const TEditorViewMark& m)
{
    // A selection still spans the old rows and columns.
    if (e.Selected() || e.Anchored()) e.CleanSelection();
    if (m.Selected) {
        e.SelectPlaces(m.Anchor, m.Caret, m.Mode, m.BoxLatch);
    } else {
        if (m.Mode == smBox && m.BoxLatch) e.EnterBoxSelection();
        e.SetCaretPlace(m.Caret);
    }
    const int above = std::clamp(m.Row - m.TopRow, 0, std::max(0, e.RowCount() - 1));
    e.SetTopRow(e.Row() - above);
    e.SetLeftCol(m.LeftCol);
}

// True when the rows and columns were put back as they were.
bool PutBack(TEditor& e, const TEditorViewMark& m)
{
    if (!m.Used) return true;
    // A reload or a save that made wrap positions line breaks changed the
    // text: its rows and columns are the better guess there.
    const bool sameText = e.GetTextLength() == m.TextLength && e.Store().LineCount() == m.Lines;
    if (sameText && LayoutOf(e) != m.Layout) {
        FollowText(e, m);
        return false;
    }
    // The setters clamp to the text as it is now.
    e.SetRow(m.Row);
    e.SetCol(m.Col);
    e.SetTopRow(m.TopRow);
    e.SetLeftCol(m.LeftCol);
    if (e.TabSpaceCount() != m.TabWidth) e.CleanSelection();
    return true;
}

// The caret's column in sight, a third of the view from the left edge.
void ColumnInView(TEditor& e)
{
    if (e.Col() < e.LeftCol() || e.Col() > e.LeftCol() + e.ColCount() - 1) e.SetLeftCol(e.Col() - e.ColCount() / 3);
}

} // namespace

TViewState SaveViewState(bool redrawOff)
{
    TViewState s;
    IMainWindow* form = MainForm();
    if (!form) return s;
    TEditor& main = form->MainEditor();
    TEditor* split = form->SplitEditor();
    if (redrawOff) {
        SetRedraw(&main, false);
        SetRedraw(split, false);
    }
    s.Main = Mark(main);
    if (split) s.Split = Mark(*split);
    TEditor& active = form->ActiveEditor();
    s.WordWrap = active.WordWrap();
    s.WrapByte = active.WrapOption().WrapByte();
    s.TabWidth = active.TabSpaceCount();
    return s;
}

void RestoreViewState(const TViewState& state, bool redrawAlreadyOff)
{
    IMainWindow* form = MainForm();
    if (!form) return;
    TEditor& main = form->MainEditor();
    TEditor* split = form->SplitEditor();
    if (!redrawAlreadyOff) {
        SetRedraw(&main, false);
        SetRedraw(split, false);
    }
    // Redraw comes back on every way out.
    struct TRedrawOn {
        TEditor& main;
        TEditor* split;
        ~TRedrawOn()
        {
            for (TEditor* e : {split, &main}) {
                if (!e) continue;
                SetRedraw(e, true);
                if (e->HandleAllocated()) e->Invalidate();
            }
        }
    } redrawOn{main, split};
    try {
        const bool splitKept = !split || PutBack(*split, state.Split);
        const bool mainKept = PutBack(main, state.Main);
        TEditor& active = form->ActiveEditor();
        if (active.WordWrap() != state.WordWrap || active.WrapOption().WrapByte() != state.WrapByte)
            for (TEditor* e : {split, &main})
                if (e) e->SetLeftCol(0);
        if (!splitKept) ColumnInView(*split);
        if (!mainKept) ColumnInView(main);
        // Scrolling alone leaves the system caret where the old view had it.
        for (TEditor* e : {split, &main})
            if (e) e->UpdateCaret();
    } catch (...) {
        // The view stays where the load left it.
    }
}

} // namespace vellumo
