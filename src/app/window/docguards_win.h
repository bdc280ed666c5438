#pragma once
// The window's side of the document guards (docguards.h). Windows only.
#include <windows.h>
#include <shellapi.h>

#include <string>

namespace vellumo {

// A shortcut (.lnk) file's target when it can be read; any other path as it is.
std::string ResolveDroppedShortcut(const std::string& path);

// The save dialog's check of a chosen name: the path checks of both file
// dialogs, then the refusal of a read-only target, with its message.
bool SaveDialogAccepts(const std::string& fileName);

// Tests drop files the way the system does, with a drop block made inside
// the program (a drop handle posted by another process is refused): with
// the environment variable VELLUMO_TEST_DROP naming a file of names, each
// ended by a NUL, the registered message "VellumoTestDrop" builds the block.
// Null for any other message, and always when the variable is not set.
HDROP TestDropHandle(UINT msg);

} // namespace vellumo
