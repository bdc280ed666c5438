#include <string>

#include "testeditor_win.h"
#include "editor/editor_win.h"

namespace vellumo::testing {

void TEditorDeleter::operator()(TEditor* e) const { delete e; }

TTestEditorPtr MakeDialogTestEditor()
{
    TTestEditorPtr e(new TEditor);
    e->SetVisible(false);
    e->SetBounds(100, 80, 400, 300);
    e->HandleNeeded();
    std::string text;
    for (int i = 0; i < 40; ++i) text += std::string(i % 4 == 0 ? 150 : 10, 'a') + "\r\n";
    e->Lines().SetText(text);
    return e;
}

HWND TestEditorWindow(TEditor& e) { return e.Handle(); }

int WrapTestEditor(TEditor& e)
{
    e.WrapOption().SetWrapByte(100);
    e.SetWordWrap(true);
    return e.Store().Count();
}

void SetTestEditorCaretRow(TEditor& e, int row) { e.SetCaretRowCol(row, 0); }

int TestEditorRowToLine(TEditor& e, int row) { return e.RowToLine(row); }

} // namespace vellumo::testing
