// What opening a big file costs in time and memory: writes a file of
// Japanese and ASCII lines in the given code (a piece at a time, so the
// writing does not raise the peak), or takes the file named, loads it into
// a hidden editor and prints one line: "load of 100 MB utf8: 1.2 s
// (processor 1.1 s), peak working set 180 MB (1.8x the file), 70 MB before".
// A second line times the load's phases one by one on the same file.
// Not a test: run by hand, loadbench [MB|FILE] [sjis|utf8|utf16|euc|jis] [wrap].
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "editorwin/editor_support_win.h"
#include "editorwin/speed/speed_support_win.h"
#include "editor/bytefind.h"
#include "editor/loadconv_win.h"
#include "textcode/charcode.h"
#include "textcode/cp932conv.h"
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
    if (code == "jis") return ConvertSjisToJis(sjis);
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

// Processor seconds of this process (user and system): on a busy machine
// steadier than the wall clock.
double CpuSeconds()
{
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return 0;
    const auto s = [](FILETIME t) { return static_cast<double>((static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e7; };
    return s(kernel) + s(user);
}

// The steps of LoadTextFile one at a time (code page 932, detection on).
void PrintPhases(TEditor& e, const std::string& path)
{
    double t = Now();
    const auto lap = [&t] {
        const double now = Now(), d = now - t;
        t = now;
        return d / 1000;
    };
    TLoadPages bytes;
    TFileText file;
    if (!ReadFileText(path, -1, true, bytes, file)) return;
    const double read = lap();  // with the conversion when it streams
    TCharCode code = file.Converted ? file.Converted : file.NotUtf8 ? DetectLegacyCharCode(bytes.View()) : DetectCharCode(bytes.View());
    const double detect = lap();
    const std::string_view raw = bytes.View();
    const TLineEndCode lineEnd = code == ccUnicode ? leCrLf : DetectLineEnd(raw);
    if (code == ccEucOrSjis && lineEnd == leLf) code = ccEuc;
    TInPlaceOutput out;
    bool lost = false;
    if (file.Converted) out.Written = bytes.Size();
    else if (code == ccUnicode) Utf16LeToCp932InPlace(bytes.Data(), bytes.Size(), 2, out, lost);
    else if (code == ccUtf8 || code == ccUtf8N) Utf8ToCp932InPlace(bytes.Data(), bytes.Size(), code == ccUtf8 ? 3 : 0, out, lost);
    else if (code == ccJis || code == ccJisOld) ConvertJisToSjisInPlace(bytes.Data(), bytes.Size(), out);
    else if (code == ccEuc) ConvertEucToSjisInPlace(bytes.Data(), bytes.Size(), out);
    else out.Written = bytes.Size();
    bytes.Settle(out);
    const double convert = lap();
    volatile bool nul = HasByte(bytes.View(), '\0');
    (void)nul;
    const double scan = lap();
    std::vector<TTextBlock> blocks;
    blocks.push_back(bytes.TakeBlock());
    e.Store().LoadBlocks(std::move(blocks));
    const double rows = lap();
    std::printf("phases: read %.3f, detect %.3f, convert %.3f, scan %.3f, rows %.3f s\n", read, detect, convert, scan, rows);
}

} // namespace

int main(int argc, char** argv)
{
    const std::string first = argc > 1 ? argv[1] : "100";
    const bool given = GetFileAttributesA(first.c_str()) != INVALID_FILE_ATTRIBUTES;
    const long mb = given ? 0 : std::max(1L, std::atol(first.c_str()));
    const std::string code = given ? "file" : argc > 2 ? argv[2] : "sjis";
    const bool wrap = std::string(argv[argc - 1]) == "wrap";
    char dir[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    const std::string path = given ? first : std::string(dir) + "vellumo-loadbench.txt";
    if (!given && !WriteFileOf(path, code, static_cast<std::size_t>(mb) << 20)) return 2;
    WIN32_FILE_ATTRIBUTE_DATA info{};
    GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &info);
    const double fileMb = MB((static_cast<SIZE_T>(info.nFileSizeHigh) << 32) | info.nFileSizeLow);

    auto e = MakeEditor(800, 600);
    e->SetWordWrap(wrap);
    PROCESS_MEMORY_COUNTERS before{};
    GetProcessMemoryInfo(GetCurrentProcess(), &before, sizeof(before));
    bool hadNul = false, writable = true, noAnsi = false;
    TLineEndCode lineEnd = leNone;
    const double c0 = CpuSeconds(), t0 = Now();
    const int result = e->LoadTextFile(path, true, hadNul, lineEnd, -1, writable, noAnsi);
    const double t1 = Now(), c1 = CpuSeconds();
    PROCESS_MEMORY_COUNTERS after{};
    GetProcessMemoryInfo(GetCurrentProcess(), &after, sizeof(after));
    std::printf("load of %.0f MB %s%s: %.2f s (processor %.2f s), peak working set %.0f MB (%.2fx the file), %.0f MB before, %d rows\n", fileMb,
                code.c_str(), wrap ? " wrapped" : "", (t1 - t0) / 1000, c1 - c0, MB(after.PeakWorkingSetSize),
                MB(after.PeakWorkingSetSize) / fileMb, MB(before.WorkingSetSize), e->Store().Count());
    e->Lines().SetText("");
    PrintPhases(*e, path);
    if (!given) DeleteFileA(path.c_str());
    return result < 0 ? 1 : 0;
}
