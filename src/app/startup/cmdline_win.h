#pragma once
// The process's own command line and what the main window does with it.
#include <string>
#include <string_view>
#include <vector>

#include "app/startup/cmdline.h"

namespace vellumo {

// The process's command line, read once in UTF-16 by CommandLineFromWide;
// tests install their own (which refuses nothing).
const TCommandLine& SystemCommandLine();
void SetSystemCommandLine(TCommandLine cl);

// Splits a UTF-16 command line by the rules of SplitProcessCommandLine and
// takes every argument into the ANSI code page exactly. An argument that
// does not convert exactly is never replaced by a near name: it becomes ""
// and is listed in refused, in order.
TCommandLine CommandLineFromWide(std::wstring_view line, std::wstring_view programPath,
                                 std::vector<std::wstring>& refused);

// The arguments of the process's command line that were refused; start-up
// names them in one message and ends.
const std::vector<std::wstring>& RefusedArguments();

// GetFullPathNameA; the name itself when it fails.
std::string FullPathName(const std::string& name);

// 1 Win32s, 2 Windows 95, 3 Windows 98, 4 NT family (or "/nt" first), 0 other.
int GetOsKind();

// A shortcut file's fields.
struct TShortCutInfo {
    std::string Path;
    std::string Arguments;
    std::string WorkingFolder;
    std::string Description;
    std::string IconLocation;
    int IconIndex = 0;
    int ShowState = 0;  // 0 normal, 1 minimized, 2 maximized
};
// False when the file is no shortcut or its target path is empty.
bool ResolveShortcut(const std::string& path, TShortCutInfo& info);
bool ResolveShortcutTarget(const std::string& path, std::string& target);

// What ProcessCommandLine leaves for the main window, held process-wide.
struct TCommandLineOptions {
    TCommandLineSwitches Switches;
    std::string StartFolder;  // a folder named on the command line (full path); "" none
    // The file is loaded and "/p" was given: print it and end without showing the window.
    bool PrintAndExit = false;
    // The application is set to end without showing its window (creation
    // refused, file held elsewhere, size refused); nothing else was done.
    bool EndRequested = false;
};
const TCommandLineOptions& CommandLineOptions() noexcept;

// Called once while the main window is created, after the settings are
// loaded and applied and SetCurrentFile("") ran. Never throws.
const TCommandLineOptions& ProcessCommandLine();

} // namespace vellumo
