// Starting processes and the entry before the main window exists.
#include <windows.h>

#include "app/cmdline_win.h"
#include "app/startup.h"

namespace vellumo {

namespace {
// A child that hangs must not hang this process.
constexpr DWORD kInputIdleWaitMs = 15000;

std::string ProgramPath()
{
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD n = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) return {};
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        path.resize(path.size() * 2);
    }
}
} // namespace

bool SystemStartProcess(const TProcessStartRequest& request)
{
    STARTUPINFOA si{};
    GetStartupInfoA(&si);
    si.cb = sizeof si;  // this platform's size of the structure
    si.lpReserved = nullptr;
    si.cbReserved2 = 0;
    si.lpReserved2 = nullptr;  // the run-time's handle table stays with this process
    if (request.ShowWindow) si.dwFlags |= STARTF_USESHOWWINDOW;
    std::string cmd = request.CommandLine;  // CreateProcessA may write into it
    cmd.push_back('\0');
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        request.Folder.empty() ? nullptr : request.Folder.c_str(), &si, &pi))
        return false;
    WaitForInputIdle(pi.hProcess, kInputIdleWaitMs);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return true;
}

bool StartupEntry()
{
    SetProcessAffinityMask(GetCurrentProcess(), 1);
    const TCommandLine& cl = SystemCommandLine();
    const TNameExists exists = [](const std::string& name) {
        return GetFileAttributesA(name.c_str()) != INVALID_FILE_ATTRIBUTES;
    };
    if (!HasSeveralFileArgs(cl, exists)) return true;
    SpawnPerFileArg(ProgramPath(), cl, exists);
    return false;
}

} // namespace vellumo
