// Times the program on large files: start with the file until the window has
// painted, then Ctrl+S until the file is written (in the code it was read
// in); the process's peak memory after the opening and after the save.
// Each file is first copied into a temporary folder, so the files named
// stay as they are. Not a test: run by scripts/bench, e2e_openbench FILE...
// One line per file:
//   NAME open S save S peakws-open MB peakws-save MB peakpriv-open MB peakpriv-save MB
#include <windows.h>
#include <psapi.h>

#include <cstdio>

#include "driver_win.h"

namespace {

struct TPeaks {
    double workingSet = -1, privateBytes = -1;
};

TPeaks PeaksOf(DWORD pid)
{
    TPeaks p;
    PROCESS_MEMORY_COUNTERS pmc{};
    pmc.cb = sizeof pmc;
    HANDLE h = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
    if (h && GetProcessMemoryInfo(h, &pmc, sizeof pmc)) {
        p.workingSet = pmc.PeakWorkingSetSize / 1048576.0;
        p.privateBytes = pmc.PeakPagefileUsage / 1048576.0;
    }
    if (h) CloseHandle(h);
    return p;
}

std::string BaseName(const std::string& path)
{
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

int main(int argc, char** argv)
{
    e2e::TTempDir ini;
    for (int i = 1; i < argc; ++i) {
        const std::string name = BaseName(argv[i]);
        const std::string path = ini.Path() + "\\" + name;
        if (!CopyFileA(argv[i], path.c_str(), FALSE)) {
            std::printf("%s: cannot be copied\n", name.c_str());
            continue;
        }
        e2e::AgeFile(path);
        const DWORD t0 = GetTickCount();
        e2e::TVellumo v;
        if (!v.Start("\"/i=" + ini.Path() + "\" \"" + path + "\"") || !v.WaitMainWindow(120000)) {
            std::printf("%s: no window\n", name.c_str());
            DeleteFileA(path.c_str());
            continue;
        }
        UpdateWindow(v.MainWindow());
        v.Sync(120000);
        const DWORD opened = GetTickCount() - t0;
        const TPeaks atOpen = PeaksOf(v.ProcessId());
        const FILETIME before = e2e::WriteTime(path);
        const DWORD t1 = GetTickCount();
        v.Keys({VK_CONTROL, 'S'});
        bool written = false;
        while (!written && GetTickCount() - t1 <= 120000) {
            const FILETIME now = e2e::WriteTime(path);
            written = CompareFileTime(&before, &now) != 0;
            if (!written) Sleep(5);
        }
        v.Sync(120000);
        const DWORD saved = GetTickCount() - t1;
        const TPeaks atSave = PeaksOf(v.ProcessId());
        std::printf("%s open %.2f save %s%.2f peakws-open %.0f peakws-save %.0f peakpriv-open %.0f peakpriv-save %.0f\n",
                    name.c_str(), opened / 1000.0, written ? "" : ">", saved / 1000.0, atOpen.workingSet,
                    atSave.workingSet, atOpen.privateBytes, atSave.privateBytes);
        std::fflush(stdout);
        v.Kill();
        v.WaitExit(10000);
        DeleteFileA(path.c_str());
    }
    return 0;
}
