#pragma once
// The save-with-code dialog: the character code and line end a document is
// saved with, and whether it overwrites its file or takes a new name.
#include "textcode/charcode.h"

namespace vellumo {

// The items of the two lists, in order.
inline constexpr const char* kSaveCodeNames[] = {"SHIFT-JIS", "JIS", "EUC", "Unicode", "UTF-8", "UTF-8N"};
inline constexpr const char* kSaveLineEndNames[] = {"CR+LF", "CR", "LF"};

// The item a document's code or line end offers, and what an item saves
// (an index out of range saves as the first item).
int SaveCodeIndex(TCharCode code) noexcept;
TCharCode SaveCodeOfIndex(int index) noexcept;
int SaveLineEndIndex(TLineEndCode lineEnd) noexcept;
TLineEndCode SaveLineEndOfIndex(int index) noexcept;

// OK: code, lineEnd and saveAs take the choices; true. Cancel leaves them.
// forceSaveAs: only a new name is possible (the choice is shown, disabled).
bool ShowJcodeDialog(TCharCode& code, TLineEndCode& lineEnd, bool& saveAs, bool forceSaveAs);

} // namespace vellumo
