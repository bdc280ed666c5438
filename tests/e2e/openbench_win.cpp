// Times the program on large files: start with the file until the window has
// painted and answers (a box instead, or no text, gives no figure), then
// Ctrl+S until the file is written in the code it was read in, checked
// byte for byte against the file; the process's peak memory after the
// opening and after the save.
// Each file is first copied into a temporary folder, so the files named
// stay as they are. Not a test: run by scripts/bench, e2e_openbench FILE...
// One line per file:
//   NAME open S save S peakws-open MB peakws-save MB peakpriv-open MB peakpriv-save MB
//
// e2e_openbench --convert RUNS FILE...: in this process, the median of RUNS
// of the loader's reading and conversion of each file, of the conversion
// alone of its bytes in memory, and of the save's encoding, without the
// window and the row store:
//   NAME load S in-place S encode S
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "app/document/docsaveencode.h"
#include "driver_win.h"
#include "userbench_win.h"
#include "editor/loadconv_win.h"
#include "textcode/charcode.h"
#include "textcode/jisconv.h"
#include "textcode/cp932conv.h"

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

// What the loader does with a file: reads it (converting as it reads where
// it can), then converts what is left in the pages.
std::size_t LoadConversion(const char* name)
{
    TLoadPages pages;
    TFileText file;
    if (!ReadFileText(name, -1, true, pages, file)) return 0;
    if (file.Converted != ccNone) return pages.Size();
    TCharCode code = file.NotUtf8 ? DetectLegacyCharCode(pages.View()) : DetectCharCode(pages.View());
    if (code == ccEucOrSjis && DetectLineEnd(pages.View()) == leLf) code = ccEuc;
    TInPlaceOutput out;
    bool lost = false;
    if (code == ccUnicode) Utf16LeToCp932InPlace(pages.Data(), pages.Size(), 2, out, lost);
    else if (code == ccUtf8 || code == ccUtf8N) Utf8ToCp932InPlace(pages.Data(), pages.Size(), code == ccUtf8 ? 3 : 0, out, lost);
    else if (code == ccJis || code == ccJisOld) ConvertJisToSjisInPlace(pages.Data(), pages.Size(), out);
    else if (code == ccEuc) ConvertEucToSjisInPlace(pages.Data(), pages.Size(), out);
    else return pages.Size();
    pages.Settle(out);
    return pages.Size();
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
        // The conversion of bytes already in memory, the text then saved.
        std::string text, t;
        const auto inPlace = [&](std::string& s) {
            bool unmappable = false;
            if (code == ccUnicode) Utf16LeToCp932InPlace(s, 2, unmappable);
            else if (code == ccUtf8 || code == ccUtf8N) Utf8ToCp932InPlace(s, code == ccUtf8 ? 3 : 0, unmappable);
            else if (code == ccJis || code == ccJisOld) ConvertJisToSjisInPlace(s);
            else if (code == ccEuc) ConvertEucToSjisInPlace(s);
        };
        const double load = MedianOf(runs, [] {}, [&] {
            volatile std::size_t n = LoadConversion(names[i]);
            (void)n;
        });
        const double converted = MedianOf(runs, [&] { t = file; }, [&] { inPlace(t); });
        text = t;
        const double encode = MedianOf(runs, [&] { t = text; }, [&] {
            volatile std::size_t n = EncodeDocumentText(std::move(t), code).Bytes.size();
            (void)n;
        });
        std::printf("%s load %.3f in-place %.3f encode %.3f\n", BaseName(names[i]).c_str(), load, converted, encode);
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
        const std::string original = e2e::ReadFileBytes(argv[i]);
        if (!CopyFileA(argv[i], path.c_str(), FALSE)) {
            std::printf("%s: cannot be copied\n", name.c_str());
            continue;
        }
        e2e::AgeFile(path);
        // The copy written out first, so that its writing does not run into the timing.
        HANDLE copy = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        if (copy != INVALID_HANDLE_VALUE) {
            FlushFileBuffers(copy);
            CloseHandle(copy);
        }
        e2e::TVellumo v;
        const e2e::bench::TOpened o = e2e::bench::TimeOpen(v, ini.Path(), path, -1, 120000);
        // An open that ends in a box, or with no text, gives no figure.
        if (!o.Ok || (o.Length == 0) != original.empty()) {
            std::printf("%s: not opened: %s\n", name.c_str(), o.Ok ? "no text" : o.Why.c_str());
            DeleteFileA(path.c_str());
            continue;
        }
        // The peaks when the window answered, before WM_GETTEXTLENGTH's own.
        const TPeaks atOpen{o.PeakWsMB, o.PeakPrivateMB};
        // Saved in the code it was read in, the file must come back byte for byte.
        std::string why;
        const double t1 = e2e::bench::NowMs();
        const bool same = e2e::bench::SaveAndCompare(v, path, original, why);
        const double saved = e2e::bench::NowMs() - t1;
        const TPeaks atSave = PeaksOf(v.ProcessId());
        std::printf("%s open %.2f save %s%.2f peakws-open %.0f peakws-save %.0f peakpriv-open %.0f peakpriv-save %.0f\n",
                    name.c_str(), o.OpenMs / 1000.0, same ? "" : ">", saved / 1000.0, atOpen.workingSet,
                    atSave.workingSet, atOpen.privateBytes, atSave.privateBytes);
        if (!same) std::printf("%s: save: %s\n", name.c_str(), why.c_str());
        std::fflush(stdout);
        v.Kill();
        v.WaitExit(10000);
        DeleteFileA(path.c_str());
    }
    return 0;
}
