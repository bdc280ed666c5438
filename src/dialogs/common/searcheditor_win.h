#pragma once
// The find and replace dialogs' few touches of the active editor. Apart
// from the forms: the editor's and the forms' headers cannot meet in one file.
#include <windows.h>

namespace vellumo {

// The active editor's window, nullptr without one.
HWND ActiveEditorWindow();
// A selection whose start and end coincide is ended.
void DropEmptySelection();
// Ends the selection and puts the caret at row 0, column 0.
void PutCaretAtTop();

} // namespace vellumo
