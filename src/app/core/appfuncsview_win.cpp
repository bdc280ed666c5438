// Caret placement in the active editor.
#include "app/core/appfuncs.h"
#include "editor/editor_win.h"
#include "editor/rowstore.h"

namespace vellumo {

namespace {
TEditor* Active()
{
    IMainWindow* form = MainForm();
    return form ? &form->ActiveEditor() : nullptr;
}
int StoredRows(TEditor& ed) { return ed.ScreenStrings().Count(); }
} // namespace

void CentreCaretRow()
{
    TEditor* ed = Active();
    if (!ed) return;
    const int top = CentredTopRow(ed->Row(), ed->TopRow(), ed->RowCount());
    if (top >= 0) ed->SetTopRow(top);
}

void JumpToLine(int line, int logical)
{
    TEditor* ed = Active();
    if (!ed || line <= 0 || StoredRows(*ed) == 0 || (logical != 0 && logical != 1)) return;
    ed->CleanSelection();
    ed->SetCol(0);
    ed->SetRow(logical == 0 ? line - 1 : ed->LineToRow(line - 1));
    CentreCaretRow();
}

void KeepCaretInView()
{
    TEditor* ed = Active();
    if (!ed) return;
    const int rows = ed->RowCount() > 0 ? ed->RowCount() : 1;
    if (ed->Row() < ed->TopRow())
        ed->SetTopRow(ed->Row());
    else if (ed->Row() > ed->TopRow() + rows - 1)
        ed->SetTopRow(ed->Row() - rows + 1);
    const int maxCols = ed->WordWrap() ? ed->WrapOption().WrapByte() + 2 : 8000;
    const int left = LeftColForCaret(ed->Col(), ed->LeftCol(), ed->ColCount(), maxCols);
    if (left != ed->LeftCol()) ed->SetLeftCol(left);
}

void JumpToLastLine()
{
    TEditor* ed = Active();
    if (!ed || StoredRows(*ed) == 0) return;
    ed->CleanSelection();
    const int count = StoredRows(*ed);
    ed->SetRow(count);
    ed->SetCol(ed->Row() == count ? 0 : ed->GetRowWidth(ed->Row()));
    KeepCaretInView();
}

} // namespace vellumo
