#pragma once
// Handing the selected text back to the input method to convert it again.
// Three kinds of input method are served: one that takes a reconversion
// string (SCS_SETRECONVERTSTRING), one that answers the registered request
// message, and one reached through the reconversion entry of its library.
// The input method is reached through the class library's seam
// (classlib/ime_win.h); the library entry through SetReconvertEntry.
// Windows only.
#include <windows.h>
#include <imm.h>

#include <string>
#include <string_view>

namespace vellumo {

class TEditor;

// Reconversion as a unit of its own; inline, so callers need no prefix.
inline namespace ReConv {

enum TImeKind { ikNone = 0, ikLibrary = 1, ikRequest = 2, ikSetString = 3 };

// The kind of the input method of the active window (0..3).
int GetImeKind();

// The library's reconversion entry: (input context, 1, record, its size).
using TReconvertEntry = BOOL(WINAPI*)(HIMC context, int mode, void* record, DWORD size);
// The entry in use: loaded on first need from the system folder's library
// when the input method takes no reconversion string; null when none.
TReconvertEntry ReconvertEntry();
// Tests: puts an entry in place (null: none); returns the one before.
TReconvertEntry SetReconvertEntry(TReconvertEntry entry);

// The record for the text built in a zeroed movable block of the size the
// editor's answer gives, handed to the input method of the window by its
// kind; the context, the lock and the block are released on every path.
// False when nothing was handed over.
bool SetReconvertString(HWND window, std::string_view text, bool wide, int kind);

// The command: nothing for an empty text or while one runs; otherwise the
// control takes the focus and, when an input method reconverts, its caret
// goes to the selection start and the text is handed over.
void ReconvertSelection(TEditor& control, const std::string& text);

} // namespace ReConv
} // namespace vellumo
