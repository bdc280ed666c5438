#include "classlib/process_win.h"

#include <algorithm>
#include <utility>

namespace vellumo {

namespace {

TProcessStarter& Starter()
{
    static TProcessStarter starter;
    return starter;
}

} // namespace

STARTUPINFOA ThisStartupInfo()
{
    STARTUPINFOA si{};
    si.cb = sizeof si;
    GetStartupInfoA(&si);
    si.cb = sizeof si;
    // The run-time's handle table and this process's standard handles are
    // not the child's business.
    si.lpReserved = nullptr;
    si.cbReserved2 = 0;
    si.lpReserved2 = nullptr;
    si.dwFlags &= ~static_cast<DWORD>(STARTF_USESTDHANDLES);
    si.hStdInput = si.hStdOutput = si.hStdError = nullptr;
    return si;
}

bool StartProcess(const TProcessRequest& request, PROCESS_INFORMATION& info)
{
    info = PROCESS_INFORMATION{};
    TProcessRequest r = request;
    r.startup.cb = sizeof(STARTUPINFOA);
    if (Starter())
        return Starter()(r, info);
    std::string cmd = r.commandLine;  // CreateProcessA may write into it
    return CreateProcessA(r.application.empty() ? nullptr : r.application.c_str(), cmd.data(), nullptr, nullptr,
                          r.inheritHandles, r.creationFlags, nullptr,
                          r.currentDir.empty() ? nullptr : r.currentDir.c_str(), &r.startup, &info) != FALSE;
}

DWORD WaitForIdle(HANDLE process, DWORD ms)
{
    if (!process)
        return WAIT_FAILED;
    return WaitForInputIdle(process, std::min(ms, kMaxIdleWaitMs));
}

bool StartProcessAndWaitIdle(const std::string& commandLine, const std::string& currentDir, bool useShowWindow)
{
    TProcessRequest r;
    r.commandLine = commandLine;
    r.currentDir = currentDir;
    r.startup = ThisStartupInfo();
    if (useShowWindow) {
        // Without a show state of its own this process would pass on 0:
        // SW_HIDE.
        if (!(r.startup.dwFlags & STARTF_USESHOWWINDOW))
            r.startup.wShowWindow = SW_SHOWNORMAL;
        r.startup.dwFlags |= STARTF_USESHOWWINDOW;
    }
    PROCESS_INFORMATION pi{};
    if (!StartProcess(r, pi))
        return false;
    WaitForIdle(pi.hProcess);
    if (pi.hThread)
        CloseHandle(pi.hThread);
    if (pi.hProcess)
        CloseHandle(pi.hProcess);
    return true;
}

TProcessStarter SetProcessStarter(TProcessStarter starter) { return std::exchange(Starter(), std::move(starter)); }

TProcessRecorder::TProcessRecorder(bool succeedStarts) : succeed(succeedStarts)
{
    old_ = SetProcessStarter([this](const TProcessRequest& r, PROCESS_INFORMATION& info) {
        starts.push_back(r);
        info = PROCESS_INFORMATION{};
        return succeed;
    });
}

TProcessRecorder::~TProcessRecorder() { SetProcessStarter(std::move(old_)); }

} // namespace vellumo
