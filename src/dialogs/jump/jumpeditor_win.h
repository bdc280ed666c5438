#pragma once
// What the code and jump dialogs read of an editor. The editor's header
// cannot meet the form's in one file (both name border styles), so these
// live apart. Every function takes nullptr as "no editor".
#include <windows.h>

namespace vellumo {

class TEditor;

// The editor's window when it has one, else nullptr.
HWND EditorWindowOf(TEditor* editor);
bool EditorWraps(TEditor* editor);
int EditorCaretRow(TEditor* editor);
int EditorRowToLine(TEditor* editor, int row);

} // namespace vellumo
