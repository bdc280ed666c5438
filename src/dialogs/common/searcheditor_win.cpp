#include "dialogs/common/searcheditor_win.h"

#include "dialogs/common/dialoghost.h"
#include "editor/editor_win.h"

namespace vellumo {

namespace {

TEditor* ActiveEditorOfHost()
{
    const TDialogHost& host = DialogHost();
    return host.ActiveEditor ? host.ActiveEditor() : nullptr;
}

} // namespace

HWND ActiveEditorWindow()
{
    TEditor* ed = ActiveEditorOfHost();
    return ed && ed->HandleAllocated() ? ed->Handle() : nullptr;
}

void DropEmptySelection()
{
    TEditor* ed = ActiveEditorOfHost();
    if (!ed || !ed->Selected()) return;
    const TEditorSelection s = ed->Selection();
    if (s.StartRow == s.EndRow && s.StartCol == s.EndCol) ed->CleanSelection();
}

void PutCaretAtTop()
{
    if (TEditor* ed = ActiveEditorOfHost()) {
        ed->CleanSelection();
        ed->SetRow(0);
        ed->SetCol(0);
    }
}

} // namespace vellumo
