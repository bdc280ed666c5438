// What opening a big file costs in time and memory: writes a file of
// Japanese and ASCII lines in the given code (a piece at a time, so the
// writing does not raise the peak), loads it into a hidden editor and prints
// one line: "load of 100 MB utf8: 1.2 s, peak working set 180 MB (1.8x the
// file), 70 MB before".
// Not a test: run by hand, loadbench [MB] [sjis|utf8|utf16|euc] [wrap].
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "editorwin/editor_support_win.h"
#include "editorwin/speed/speed_support_win.h"
#include "textcode/charcode.h"
#include "textcode/jisconv.h"
#include "textcode/wideconv.h"

using namespace vellumo;
using namespace vellumo::testing;

namespace {

// One line in the file's code.
std::string Line(const std::string& code)
{
    const std::string sjis = "日本語のテキストを読み込む速さを測る。ABCabc 0123456789 全角ＡＢＣ and some ASCII words $5\r\n";
    if (code == "euc") return ConvertSjisToEuc(sjis);
    const std::wstring w = AnsiToWide(sjis);
    if (code == "utf16") return std::string(reinterpret_cast<const char*>(w.data()), w.size() * 2);
    if (code == "utf8") {
        std::string out(static_cast<std::size_t>(WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()),
                                                                      nullptr, 0, nullptr, nullptr)),
                        '\0');
        WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), out.data(), static_cast<int>(out.size()),
                            nullptr, nullptr);
        return out;
    }
    return sjis;
}

bool WriteFileOf(const std::string& path, const std::string& code, std::size_t bytes)
{
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    std::string block = code == "utf16" ? std::string("\xFF\xFE", 2) : std::string();
    const std::string line = Line(code);
    while (block.size() < (1u << 20)) block += line;
    for (std::size_t done = 0; done < bytes; done += block.size()) {
        std::fwrite(block.data(), 1, block.size(), f);
        if (code == "utf16" && done == 0) block.erase(0, 2);
    }
    std::fclose(f);
    return true;
}

double MB(SIZE_T n) { return static_cast<double>(n) / 1048576.0; }

} // namespace

int main(int argc, char** argv)
{
    const long mb = argc > 1 ? std::max(1L, std::atol(argv[1])) : 100;
    const std::string code = argc > 2 ? argv[2] : "sjis";
    const bool wrap = argc > 3 && std::string(argv[3]) == "wrap";
    char dir[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    const std::string path = std::string(dir) + "vellumo-loadbench.txt";
    if (!WriteFileOf(path, code, static_cast<std::size_t>(mb) << 20)) return 2;
    WIN32_FILE_ATTRIBUTE_DATA info{};
    GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &info);
    const double fileMb = MB((static_cast<SIZE_T>(info.nFileSizeHigh) << 32) | info.nFileSizeLow);

    auto e = MakeEditor(800, 600);
    e->SetWordWrap(wrap);
    PROCESS_MEMORY_COUNTERS before{};
    GetProcessMemoryInfo(GetCurrentProcess(), &before, sizeof(before));
    bool hadNul = false, writable = true, noAnsi = false;
    TLineEndCode lineEnd = leNone;
    const double t0 = Now();
    const int result = e->LoadTextFile(path, true, hadNul, lineEnd, -1, writable, noAnsi);
    const double t1 = Now();
    PROCESS_MEMORY_COUNTERS after{};
    GetProcessMemoryInfo(GetCurrentProcess(), &after, sizeof(after));
    std::printf("load of %.0f MB %s%s: %.2f s, peak working set %.0f MB (%.2fx the file), %.0f MB before, %d rows\n", fileMb,
                code.c_str(), wrap ? " wrapped" : "", (t1 - t0) / 1000, MB(after.PeakWorkingSetSize),
                MB(after.PeakWorkingSetSize) / fileMb, MB(before.WorkingSetSize), e->Store().Count());
    DeleteFileA(path.c_str());
    return result < 0 ? 1 : 0;
}
