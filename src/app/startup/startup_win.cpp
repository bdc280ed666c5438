// Starting processes and the entry before the main window exists.
#include <windows.h>

#include "app/startup/cmdline_win.h"
#include "app/startup/startup.h"
#include "base/widename.h"
#include "classlib/process_win.h"
#include "settings/pathnames.h"

namespace vellumo {

namespace {
#ifdef _WIN64
static_assert(sizeof(STARTUPINFOA) == 104, "the startup information is this platform's structure");
#endif
static_assert(kMaxIdleWaitMs <= 15000, "a child that hangs must not hang this process for long");

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

bool StartProcess(const TProcessStartRequest& request)
{
    return StartProcessAndWaitIdle(request.CommandLine, request.Folder, request.ShowWindow);
}

int SpawnPerFileArg(const std::string& programPath, const TCommandLine& cl, const TNameExists& exists)
{
    int started = 0;
    for (const std::string& arg : ExistingFileArgs(cl, exists))
        if (StartProcessAndWaitIdle(HandOffCommandLine(programPath, cl, arg))) ++started;
    return started;
}

bool StartupEntry()
{
    SetProcessAffinityMask(GetCurrentProcess(), 1);
    const TCommandLine& cl = SystemCommandLine();
    // A name the code page cannot hold exactly is refused before anything looks at the arguments.
    if (!RefusedArguments().empty()) {
        RefuseUnrepresentableNames(RefusedArguments(), false);
        return false;
    }
    // A device is no file to hand on (and asking for its attributes may open it).
    const TNameExists exists = [](const std::string& name) {
        return PathRefusal(name) == TPathRefusal::None && GetFileAttributesA(name.c_str()) != INVALID_FILE_ATTRIBUTES;
    };
    if (!HasSeveralFileArgs(cl, exists)) return true;
    SpawnPerFileArg(ProgramPath(), cl, exists);
    return false;
}

} // namespace vellumo
