#pragma once
// A hidden editor for the dialog tests, reached without the editor's header
// (it cannot meet the form's header in one file).
#include <windows.h>

#include <memory>

namespace vellumo {
class TEditor;
}

namespace vellumo::testing {

struct TEditorDeleter {
    void operator()(TEditor* e) const;
};
using TTestEditorPtr = std::unique_ptr<TEditor, TEditorDeleter>;

// 40 lines, every fourth 150 bytes long, the others 10; at (100, 80), 400 x 300.
TTestEditorPtr MakeDialogTestEditor();
HWND TestEditorWindow(TEditor& e);
// Wraps at 100 bytes; returns the row count.
int WrapTestEditor(TEditor& e);
void SetTestEditorCaretRow(TEditor& e, int row);
int TestEditorRowToLine(TEditor& e, int row);

} // namespace vellumo::testing
