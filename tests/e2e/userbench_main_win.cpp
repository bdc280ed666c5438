// The program as the user meets it, timed from outside; one run of one kind
// per call, so that scripts/bench can interleave the runs and take medians.
// Each line is a name and its figures, or the name and "failed: why".
//   keys [COUNT]                  keys in the middle of long lines, each kind
//   open REF|- FILE...            opening each file (the text length checked against
//                                 REF's), WM_GETTEXTLENGTH, then Page Down in the first
//   replace FILE FIND WITH EXPECT replace-all (texts in hex), the save checked against EXPECT
//   settings KEYS [LIMIT]         a settings file of KEYS keys in one section
//   keywords WORDS sorted|reverse [LIMIT]  a C keyword file of WORDS words
// (LIMIT: the seconds waited for the window, 180 by default)
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "e2e_support_win.h"
#include "userbench_win.h"

using namespace e2e;
using namespace e2e::bench;

namespace {

std::string BaseName(const std::string& path)
{
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string Hex(const char* hex)
{
    std::string out;
    for (std::size_t i = 0; hex[i] && hex[i + 1]; i += 2) out += static_cast<char>(std::strtol(std::string(hex + i, 2).c_str(), nullptr, 16));
    return out;
}

void Line(const char* fmt, auto... args)
{
    std::printf(fmt, args...);
    std::printf("\n");
    std::fflush(stdout);
}

std::string Folder(const TTempDir& dir, const char* name)
{
    const std::string f = dir.File(name);
    CreateDirectoryA(f.c_str(), nullptr);
    return f;
}

int Keys(int count)
{
    TTempDir dir;
    struct TCase {
        const char* Name;
        std::size_t Bytes;
        bool Wrap;
        const char* Ext;
    };
    const TCase cases[] = {{"2KB", 2048, false, "txt"},       {"1MB", 1 << 20, false, "txt"},
                           {"10MB", 10 << 20, false, "txt"},  {"1MB-wrap", 1 << 20, true, "txt"},
                           {"10MB-wrap", 10 << 20, true, "txt"}, {"1MB-C", 1 << 20, false, "c"},
                           {"10MB-C", 10 << 20, false, "c"},
                           {"2KB-C", 2048, false, "c"}};
    const std::string plain = Folder(dir, "plain"), wrap = Folder(dir, "wrap");
    WriteFileBytes(plain + "\\vellumo.ini", "[Option]\r\nWordWrap=0\r\n");
    WriteFileBytes(wrap + "\\vellumo.ini", "[Option]\r\nWordWrap=1\r\n");
    // The first program a driver starts is slow to take keys (the window
    // system's first activation): a few keys not counted go first.
    {
        const std::string path = dir.File("warm.txt");
        WriteFileBytes(path, LongLine(2048));
        TimeKeys(plain, path, 1024, 3);
        KillStrays();
    }
    double reference = 0;
    for (const TCase& c : cases) {
        const std::string path = dir.File(std::string("line.") + c.Ext);
        const std::string text = LongLine(c.Bytes);
        WriteFileBytes(path, text);
        AgeFile(path);
        const TKeys k = TimeKeys(c.Wrap ? wrap : plain, path, text.size() / 2, count);
        if (!k.Ok) {
            Line("key %s failed: %s", c.Name, k.Why.c_str());
            continue;
        }
        if (reference == 0) reference = k.KeyMs;
        Line("key %s %.2f painted %.2f ratio %.1f at %zu", c.Name, k.KeyMs, k.PaintedMs,
             reference > 0 ? k.KeyMs / reference : 0, k.At);
        KillStrays();
    }
    return 0;
}

int Open(const char* ref, int count, char** files)
{
    TTempDir dir;
    const std::string ini = Folder(dir, "ini");
    WriteFileBytes(ini + "\\vellumo.ini", "[Option]\r\nWordWrap=0\r\n");
    // "-": files of their own, whose length is not checked (the 1 GB file).
    const long long expect = std::strcmp(ref, "-") == 0 ? -1 : TextLength(ReadFileBytes(ref));
    for (int i = 0; i < count; ++i) {
        const std::string name = BaseName(files[i]);
        TVellumo v;
        const TOpened o = TimeOpen(v, ini, files[i], expect);
        if (!o.Ok) {
            Line("open %s failed: %s (after %.2f s, peak %.0f / %.0f MB)", name.c_str(), o.Why.c_str(), o.OpenMs / 1000,
                 o.PeakWsMB, o.PeakPrivateMB);
        } else {
            Line("open %s %.2f length-ms %.1f peak-ws %.0f peak-private %.0f length-peak-ws %.0f length-peak-private %.0f "
                 "text-mb %.0f length-w-ms %.1f",
                 name.c_str(), o.OpenMs / 1000, o.LengthMs, o.PeakWsMB, o.PeakPrivateMB, o.LengthPeakWsMB,
                 o.LengthPeakPrivateMB, o.Length / 1048576.0, o.LengthWMs);
            if (i == 0) {
                std::string why;
                const double ms = TimePageDown(v, 20, why);
                if (ms > 0) Line("pagedown %s %.2f", name.c_str(), ms);
                else Line("pagedown %s failed: %s", name.c_str(), why.c_str());
            }
        }
        v.Kill();
        KillStrays();
    }
    return 0;
}

int Replace(const char* file, const char* find, const char* with, const char* expectFile)
{
    TTempDir dir;
    const std::string ini = Folder(dir, "ini");
    WriteFileBytes(ini + "\\vellumo.ini", "[Option]\r\nWordWrap=0\r\n");
    const std::string path = dir.File(BaseName(file));
    if (!CopyFileA(file, path.c_str(), FALSE)) {
        Line("replace all failed: not copied");
        return 0;
    }
    AgeFile(path);
    TVellumo v;
    const TOpened o = TimeOpen(v, ini, path, -1);
    std::string why = o.Why;
    long found = 0;
    const double ms = o.Ok ? TimeReplaceAll(v, Hex(find), Hex(with), found, why) : -1;
    if (ms < 0 || !SaveAndCompare(v, path, ReadFileBytes(expectFile), why)) {
        Line("replace all failed: %s", why.c_str());
    } else {
        Line("replace all %.2f count %ld", ms / 1000, found);
    }
    v.Kill();
    KillStrays();
    return 0;
}

// A big file of numbered lines, written a few megabytes at a time.
void WriteNumbered(const std::string& path, const char* head, long count, const char* fmt, bool reverse)
{
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    std::string chunk = head;
    char line[64];
    DWORD n = 0;
    for (long i = 0; i < count; ++i) {
        chunk.append(line, static_cast<std::size_t>(std::snprintf(line, sizeof line, fmt, reverse ? count - 1 - i : i)));
        if (chunk.size() > (4 << 20) || i + 1 == count) {
            WriteFile(h, chunk.data(), static_cast<DWORD>(chunk.size()), &n, nullptr);
            chunk.clear();
        }
    }
    CloseHandle(h);
}

int Settings(long keys, DWORD limitMs)
{
    TTempDir dir;
    const std::string ini = Folder(dir, "ini");
    WriteNumbered(ini + "\\vellumo.ini", "[Option]\r\nWordWrap=0\r\n", keys, "k%07ld=1\r\n", false);
    const std::string doc = dir.File("doc.txt");
    const std::string text = "settings\r\n";
    WriteFileBytes(doc, text);
    TVellumo v;
    const TOpened o = TimeOpen(v, ini, doc, TextLength(text), limitMs);
    if (o.Ok) Line("settings %ld %.2f peak-ws %.0f peak-private %.0f", keys, o.OpenMs / 1000, o.PeakWsMB, o.PeakPrivateMB);
    else Line("settings %ld failed: %s (after %.2f s)", keys, o.Why.c_str(), o.OpenMs / 1000);
    v.Kill();
    KillStrays();
    return 0;
}

int Keywords(long words, bool reverse, DWORD limitMs)
{
    TTempDir dir;
    const std::string ini = Folder(dir, "ini");
    WriteFileBytes(ini + "\\vellumo.ini", "[Option]\r\nWordWrap=0\r\n");
    WriteNumbered(ini + "\\cpp.kwd", "", words, "kwd%07ld\r\n", reverse);
    const std::string doc = dir.File("doc.c");
    const std::string text = "int kwd0000001;\r\n";
    WriteFileBytes(doc, text);
    TVellumo v;
    const TOpened o = TimeOpen(v, ini, doc, TextLength(text), limitMs);
    const char* name = reverse ? "reverse" : "sorted";
    if (o.Ok) Line("keywords %s %.2f peak-ws %.0f peak-private %.0f", name, o.OpenMs / 1000, o.PeakWsMB, o.PeakPrivateMB);
    else Line("keywords %s failed: %s (after %.2f s)", name, o.Why.c_str(), o.OpenMs / 1000);
    v.Kill();
    KillStrays();
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string what = argc > 1 ? argv[1] : "";
    KillStrays();
    if (what == "keys") return Keys(argc > 2 ? std::atoi(argv[2]) : 20);
    if (what == "open" && argc > 3) return Open(argv[2], argc - 3, argv + 3);
    if (what == "replace" && argc > 5) return Replace(argv[2], argv[3], argv[4], argv[5]);
    // The slow ones give up after a limit (seconds, default 180).
    const auto limit = [&](int i) { return static_cast<DWORD>(argc > i && std::atoi(argv[i]) > 0 ? std::atoi(argv[i]) : 180) * 1000; };
    if (what == "settings") return Settings(argc > 2 ? std::atol(argv[2]) : 9000000, limit(3));
    if (what == "keywords")
        return Keywords(argc > 2 ? std::atol(argv[2]) : 5000000, argc > 3 && std::strcmp(argv[3], "reverse") == 0, limit(4));
    std::fprintf(stderr, "e2e_userbench keys|open|replace|settings|keywords ...\n");
    return 2;
}
