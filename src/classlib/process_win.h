#pragma once
// Starting other programs, through a seam that tests replace with a
// recorder, and a bounded wait until a started program is idle. Windows only.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace vellumo {

// What a start asked for.
struct TProcessRequest {
    std::string application;  // empty: taken from the command line
    std::string commandLine;
    std::string currentDir;   // empty: this process's
    bool inheritHandles = false;
    DWORD creationFlags = 0;
    STARTUPINFOA startup{};
};

// CreateProcessA through the seam. The startup record's size is set to this
// platform's structure. On success the caller owns the handles in info.
bool StartProcess(const TProcessRequest& request, PROCESS_INFORMATION& info);

// Starts a command line (startup information of this process, no inherited
// handles), waits until the program is idle (bounded, see WaitForIdle) and
// closes the handles. False when the start failed.
bool StartProcessAndWaitIdle(const std::string& commandLine, const std::string& currentDir = {},
                             bool useShowWindow = false);

// WaitForInputIdle for at most the given time (capped at kMaxIdleWaitMs).
// Returns the wait's result (0 idle, WAIT_TIMEOUT, WAIT_FAILED).
constexpr DWORD kMaxIdleWaitMs = 15000;
DWORD WaitForIdle(HANDLE process, DWORD ms = kMaxIdleWaitMs);

// This process's startup information, of this platform's size.
STARTUPINFOA ThisStartupInfo();

// The seam: the starter answers in place of CreateProcessA. An empty
// function restores the system. Returns the previous starter.
using TProcessStarter = std::function<bool(const TProcessRequest& request, PROCESS_INFORMATION& info)>;
TProcessStarter SetProcessStarter(TProcessStarter starter);

// Tests: records every start and answers with a result (no process runs;
// the handles given back are null). Installed for its lifetime.
class TProcessRecorder {
public:
    explicit TProcessRecorder(bool succeed = true);
    ~TProcessRecorder();
    TProcessRecorder(const TProcessRecorder&) = delete;
    TProcessRecorder& operator=(const TProcessRecorder&) = delete;
    std::vector<TProcessRequest> starts;
    bool succeed;

private:
    TProcessStarter old_;
};

} // namespace vellumo
