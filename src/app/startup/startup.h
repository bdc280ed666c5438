#pragma once
// The program's entry before any window exists: several file arguments are
// handed to one new process each.
#include <functional>
#include <string>
#include <vector>

#include "app/startup/cmdline.h"

namespace vellumo {

// Whether a name is an existing file or folder (the file system, or a test's fake).
using TNameExists = std::function<bool(const std::string& name)>;

// The file and folder arguments that exist, left to right.
std::vector<std::string> ExistingFileArgs(const TCommandLine& cl, const TNameExists& exists);
bool HasSeveralFileArgs(const TCommandLine& cl, const TNameExists& exists);

// Every switch, each as a blank and the quoted switch, then one blank; a
// single blank when there are none.
std::string OptionArgs(const TCommandLine& cl);

// The command line of the process that takes one file argument.
std::string HandOffCommandLine(const std::string& programPath, const TCommandLine& cl, const std::string& fileArg);

// Starts one process per existing file argument with all the switches, each
// through the class library's process seam and waited for (bounded) until it
// is idle; failures are skipped silently. Returns the number started.
int SpawnPerFileArg(const std::string& programPath, const TCommandLine& cl, const TNameExists& exists);

// One start through the class library's process seam, waited for (bounded)
// until idle. False when the process could not be started.
struct TProcessStartRequest {
    std::string CommandLine;
    std::string Folder;       // "" = this process's current folder
    bool ShowWindow = false;  // STARTF_USESHOWWINDOW
};
bool StartProcess(const TProcessStartRequest& request);

// What WinMain calls first. Returns false when this process has handed its
// files on and must end without creating a window.
bool StartupEntry();

} // namespace vellumo
