#pragma once
// The one-line edit's window procedure: the edit control puts its text at
// the top of its client area, so the client area is narrowed to one text
// line in the middle of the box and the strips above and below it are
// painted as the edit's background.
#include <windows.h>

namespace vellumo {

// The procedure that forwards to original (the system's edit procedure).
WNDPROC CenteredEditProc(WNDPROC original) noexcept;

} // namespace vellumo
