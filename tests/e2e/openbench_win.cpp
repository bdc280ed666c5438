// Times the program on large files: start with the file until the window has
// painted, then Ctrl+S until the file is written (in the code it was read
// in); the process's peak memory after the opening and after the save.
// Each file is first copied into a temporary folder, so the files named
// stay as they are. Not a test: run by scripts/bench, e2e_openbench FILE...
// One line per file:
//   NAME open S save S peakws-open MB peakws-save MB peakpriv-open MB peakpriv-save MB
//
// e2e_openbench --convert RUNS FILE...: in this process, the conversions
// that opening and saving each file run (the loader's calls, the save's
// encoding), the median of RUNS, without the window and the row store:
//   NAME load S [in-place S] encode S
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "app/document/docsaveencode.h"
#include "driver_win.h"
#include "textcode/charcode.h"
#include "textcode/jisconv.h"
#include "textcode/wideconv.h"
#if !defined(VELLUMO_BEFORE)
#include "textcode/cp932conv.h"
#endif

using namespace vellumo;

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

double Seconds(LARGE_INTEGER a, LARGE_INTEGER b)
{
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(b.QuadPart - a.QuadPart) / static_cast<double>(f.QuadPart);
}

// The median time of work after prepare, which is not timed.
template <typename P, typename F>
double MedianOf(int runs, P prepare, F work)
{
    std::vector<double> t;
    for (int r = 0; r < runs; ++r) {
        prepare();
        LARGE_INTEGER a, b;
        QueryPerformanceCounter(&a);
        work();
        QueryPerformanceCounter(&b);
        t.push_back(Seconds(a, b));
    }
    std::sort(t.begin(), t.end());
    return t[t.size() / 2];
}

bool ReadAll(const char* name, std::string& bytes)
{
    std::FILE* f = std::fopen(name, "rb");
    if (!f) return false;
    char buf[1 << 16];
    for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, f)) > 0;) bytes.append(buf, n);
    std::fclose(f);
    return true;
}

// What the loader does with the file's bytes, by their code.
std::string LoadConversion(std::string& bytes, TCharCode code)
{
    std::string text;
    if (code == ccUnicode || code == ccUtf8 || code == ccUtf8N) {
        std::wstring w;
        if (code == ccUnicode) {
            w.resize((bytes.size() - 2) / 2);
            std::memcpy(w.data(), bytes.data() + 2, w.size() * 2);
        } else {
            if (code == ccUtf8) bytes.erase(0, 3);
            Utf8ToWide(bytes, w);
        }
        std::string().swap(bytes);
        volatile bool noAnsi = HasUnmappableChars(w);
        (void)noAnsi;
        WideToAnsiEscaped(w, text);
        return text;
    }
    if (code == ccJis || code == ccJisOld) return ConvertJisToSjis(bytes);
    if (code == ccEuc || code == ccEucOrSjis) return ConvertEucToSjis(bytes);
    return std::move(bytes);
}

int ConvertTimes(int runs, int count, char** names)
{
    for (int i = 0; i < count; ++i) {
        std::string file;
        if (!ReadAll(names[i], file)) {
            std::printf("%s: cannot be read\n", names[i]);
            continue;
        }
        TCharCode code = DetectCharCode(file);
        if (code == ccEucOrSjis) code = ccEuc;
        // The file's bytes, and the text, stand when a conversion starts.
        std::string text, t;
        const auto copy = [&] { t = file; };
        const double load = MedianOf(runs, copy, [&] { text = LoadConversion(t, code); });
        std::printf("%s load %.3f", BaseName(names[i]).c_str(), load);
#if !defined(VELLUMO_BEFORE)
        const double inPlace = MedianOf(runs, copy, [&] {
            bool unmappable = false;
            if (code == ccUnicode) Utf16LeToCp932InPlace(t, 2, unmappable);
            else if (code == ccUtf8 || code == ccUtf8N) Utf8ToCp932InPlace(t, code == ccUtf8 ? 3 : 0, unmappable);
            else if (code == ccJis || code == ccJisOld) ConvertJisToSjisInPlace(t);
            else if (code == ccEuc) ConvertEucToSjisInPlace(t);
        });
        std::printf(" in-place %.3f", inPlace);
#endif
        const TWideCodec codec{[](const std::string& s) { return AnsiToWide(s); },
                               [](const std::wstring& w) { return WideToAnsiEscaped(w); }};
        const double encode = MedianOf(runs, [&] { t = text; }, [&] {
#if defined(VELLUMO_BEFORE)
            volatile std::size_t n = EncodeDocumentText(std::move(t), code, codec).Bytes.size();
#else
            volatile std::size_t n = EncodeDocumentText(std::move(t), code).Bytes.size();
#endif
            (void)n;
        });
        std::printf(" encode %.3f\n", encode);
        std::fflush(stdout);
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 3 && std::strcmp(argv[1], "--convert") == 0) return ConvertTimes(std::atoi(argv[2]), argc - 3, argv + 3);
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
