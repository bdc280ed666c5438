#include "dialogs/jump/jumpeditor_win.h"

#include "editor/editor_win.h"

namespace vellumo {

HWND EditorWindowOf(TEditor* editor)
{
    return editor && editor->HandleAllocated() ? editor->Handle() : nullptr;
}

bool EditorWraps(TEditor* editor) { return editor && editor->WordWrap(); }

int EditorCaretRow(TEditor* editor) { return editor ? editor->Row() : 0; }

int EditorRowToLine(TEditor* editor, int row) { return editor ? editor->RowToLine(row) : row; }

} // namespace vellumo
