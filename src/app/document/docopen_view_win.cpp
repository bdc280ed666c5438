// Keeping the editors' view around a reload or a save under a new name.
#include <windows.h>

#include "app/core/appcontext.h"
#include "app/document/docopen.h"
#include "editor/editor_win.h"

namespace vellumo {

namespace {

TEditorViewMark Mark(TEditor& e)
{
    return {true, e.Row(), e.Col(), e.TopRow(), e.LeftCol(), e.TabSpaceCount()};
}

void SetRedraw(TEditor* e, bool on)
{
    if (e && e->HandleAllocated()) SendMessageA(e->Handle(), WM_SETREDRAW, on ? TRUE : FALSE, 0);
}

void PutBack(TEditor& e, const TEditorViewMark& m)
{
    if (!m.Used) return;
    // The setters clamp to the text as it is now.
    e.SetRow(m.Row);
    e.SetCol(m.Col);
    e.SetTopRow(m.TopRow);
    e.SetLeftCol(m.LeftCol);
    if (e.TabSpaceCount() != m.TabWidth) e.CleanSelection();
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
        if (split) PutBack(*split, state.Split);
        PutBack(main, state.Main);
        TEditor& active = form->ActiveEditor();
        if (active.WordWrap() != state.WordWrap || active.WrapOption().WrapByte() != state.WrapByte)
            for (TEditor* e : {split, &main})
                if (e) e->SetLeftCol(0);
    } catch (...) {
        // The view stays where the load left it.
    }
}

} // namespace vellumo
