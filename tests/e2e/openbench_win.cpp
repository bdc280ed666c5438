// Times the program on large files: start with the file until the window has
// painted, then Ctrl+S until the file is written; peak memory of the process.
// Not a test: run by hand, e2e_openbench FILE...
#include <windows.h>
#include <psapi.h>

#include <cstdio>

#include "driver_win.h"

int main(int argc, char** argv)
{
    e2e::TTempDir ini;
    for (int i = 1; i < argc; ++i) {
        const std::string path = argv[i];
        e2e::AgeFile(path);
        const DWORD t0 = GetTickCount();
        e2e::TVellumo v;
        if (!v.Start("\"/i=" + ini.Path() + "\" \"" + path + "\"") || !v.WaitMainWindow(120000)) {
            std::printf("%s: no window\n", argv[i]);
            continue;
        }
        UpdateWindow(v.MainWindow());
        v.Sync(120000);
        const DWORD opened = GetTickCount() - t0;
        const FILETIME before = e2e::WriteTime(path);
        const DWORD t1 = GetTickCount();
        v.Keys({VK_CONTROL, 'S'});
        for (;;) {
            const FILETIME now = e2e::WriteTime(path);
            if (CompareFileTime(&before, &now) != 0 || GetTickCount() - t1 > 120000) break;
            Sleep(5);
        }
        v.Sync(120000);
        const DWORD saved = GetTickCount() - t1;
        PROCESS_MEMORY_COUNTERS pmc{};
        pmc.cb = sizeof pmc;
        HANDLE h = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, v.ProcessId());
        const bool mem = h && GetProcessMemoryInfo(h, &pmc, sizeof pmc);
        if (h) CloseHandle(h);
        std::printf("%s: open %.2f s, save %.2f s, peak working set %.0f MB, peak private %.0f MB%s\n", argv[i],
                    opened / 1000.0, saved / 1000.0, pmc.PeakWorkingSetSize / 1048576.0,
                    pmc.PeakPagefileUsage / 1048576.0, mem ? "" : " (memory unknown)");
        v.Kill();
    }
    return 0;
}
