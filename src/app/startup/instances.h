#pragma once
// Finding the running instance that holds a file.
#include <string>

#include "app/startup/cmdline.h"

namespace vellumo {

inline constexpr unsigned WM_JUMPLINE = 0x0400 + 100;  // WParam line (0 none), LParam 1 = logical
inline constexpr unsigned WM_JUMPEND = 0x0400 + 102;   // WParam not 0 = jump to the end
inline constexpr char kMainFormClass[] = "TVellumoMainForm";
inline constexpr char kOpenFileNameClass[] = "TEdit";

// The main window of another instance whose file is fileName (the last one
// the enumeration meets), or null. self is this process's main window.
void* FindInstanceHolding(const std::string& fileName, void* self);

// The window to bring forward for a main window: its modal dialog while one
// is open (the form is disabled), else the form itself. form is an HWND.
void* ModalWindowOf(void* form);

// Brings the instance that holds fileName forward and sends it the jumps of
// cl (withJumps) or a bare restore. False when no instance holds it.
bool ActivateOtherInstance(const std::string& fileName, bool withJumps, const TCommandLine& cl, void* self);

// The parameters of a new instance: this one's settings folder first, then
// (with "/t") this one's switches, then params (file names quoted by the caller).
std::string NewInstanceParameters(const std::string& settingsFolder, const TCommandLine& cl, const std::string& params);
// Starts another instance of the program through the process seam, shown normally.
void StartNewInstance(const std::string& params);

} // namespace vellumo
