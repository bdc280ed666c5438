// The whole program on hostile sizes: a settings file of 9 million keys in
// one section, keyword files of 5 million words in either order, and the
// text length of a 100 MB document asked by another program. Each start is
// timed until the main window shows and answers. Long (files of hundreds of
// megabytes): run by hand, e2e_bigsize_tests (see tests/e2e/CMakeLists.txt).
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "e2e_support_win.h"

namespace e2e {
namespace {

double Now()
{
    LARGE_INTEGER f, t;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / static_cast<double>(f.QuadPart);
}

double PeakPrivateMb(DWORD pid)
{
    PROCESS_MEMORY_COUNTERS pmc{};
    pmc.cb = sizeof pmc;
    HANDLE h = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
    const bool ok = h && GetProcessMemoryInfo(h, &pmc, sizeof pmc);
    if (h) CloseHandle(h);
    return ok ? pmc.PeakPagefileUsage / 1048576.0 : -1;
}

class BigSizes : public TEndToEnd {
protected:
    // Seconds from the start until the main window shows and has handled
    // everything before it; negative when it did not show in time.
    double TimedLaunch(TVellumo& v, const std::string& args)
    {
        const double t0 = Now();
        if (!v.Start(Quoted("/i=" + ini_) + " " + args)) return -1;
        if (!v.WaitMainWindow(60000)) return -1;
        return Now() - t0;
    }
};

constexpr double kGoalSeconds = 5.0;

TEST_F(BigSizes, SettingsFileOfNineMillionKeys)
{
    std::string ini = "[Option]\r\n";
    ini.reserve(110'000'000);
    char line[32];
    for (int i = 0; i < 9'000'000; ++i) ini.append(line, static_cast<std::size_t>(std::snprintf(line, sizeof line, "k%07d=%d\r\n", i, i % 10)));
    ASSERT_GT(ini.size(), 100'000'000u);
    WriteSettings(ini);
    const std::string doc = dir_.File("a.txt");
    ASSERT_TRUE(WriteFileBytes(doc, "settings\r\n"));
    TVellumo v;
    const double s = TimedLaunch(v, Quoted(doc));
    std::printf("settings file of %zu bytes: window after %.2f s\n", ini.size(), s);
    ASSERT_GT(s, 0) << "no window";
    EXPECT_LT(s, kGoalSeconds);
    EXPECT_EQ(v.Text(), "settings\r\n");
}

TEST_F(BigSizes, KeywordFilesOfFiveMillionWordsInEitherOrder)
{
    std::string words;
    words.reserve(66'000'000);
    char line[32];
    for (int i = 0; i < 5'000'000; ++i) words.append(line, static_cast<std::size_t>(std::snprintf(line, sizeof line, "kw%08d\r\n", i)));
    std::string reversed;
    reversed.reserve(words.size());
    for (std::size_t end = words.size(); end > 0;) {
        const std::size_t start = words.rfind('\n', end - 2);
        const std::size_t from = start == std::string::npos ? 0 : start + 1;
        reversed.append(words, from, end - from);
        end = from;
    }
    ASSERT_EQ(reversed.size(), words.size());
    const std::string doc = dir_.File("a.cpp");
    ASSERT_TRUE(WriteFileBytes(doc, "int kw00001234;\r\n"));
    for (const std::string* file : {&words, &reversed}) {
        SCOPED_TRACE(file == &words ? "sorted" : "reverse-sorted");
        ASSERT_TRUE(WriteFileBytes(ini_ + "\\cpp.kwd", *file));
        TVellumo v;
        const double s = TimedLaunch(v, Quoted(doc));
        std::printf("%s keyword file of %zu bytes: window after %.2f s\n", file == &words ? "sorted" : "reverse-sorted",
                    file->size(), s);
        ASSERT_GT(s, 0) << "no window";
        EXPECT_LT(s, kGoalSeconds);
        EXPECT_EQ(v.Text(), "int kw00001234;\r\n");
        v.Kill();
    }
}

TEST_F(BigSizes, TextLengthOfAHundredMegabyteDocument)
{
    std::string text;
    text.reserve(101'000'000);
    for (int i = 0; text.size() < 100'000'000; ++i) {
        text.append(static_cast<std::size_t>(20 + i % 60), static_cast<char>('a' + i % 26));
        text += "\r\n";
    }
    const std::string doc = dir_.File("big.txt");
    ASSERT_TRUE(WriteFileBytes(doc, text));
    TVellumo v;
    const double start = Now();
    ASSERT_GT(TimedLaunch(v, Quoted(doc)), 0) << "no window";
    HWND e = v.Editor();
    ASSERT_TRUE(e);
    // The loaded document, its rows counted.
    const int lines = static_cast<int>(std::count(text.begin(), text.end(), '\n'));
    ASSERT_TRUE(v.WaitFor([&] { return v.RowCount() >= lines; }, 120000));
    const double open = Now() - start;
    const double peakBefore = PeakPrivateMb(v.ProcessId());

    // Sent as Unicode the message reaches the program as it is: what the
    // program itself takes, well under a tenth of the open.
    DWORD_PTR wide = 0;
    const double w0 = Now();
    ASSERT_TRUE(SendMessageTimeoutW(e, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 60000, &wide));
    const double wideTook = Now() - w0;
    EXPECT_EQ(wide, text.size());
    EXPECT_LT(wideTook, open / 10);

    const double t0 = Now();
    DWORD_PTR len = 0;
    ASSERT_TRUE(SendMessageTimeoutA(e, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 60000, &len));
    const double took = Now() - t0;
    const double peakAfter = PeakPrivateMb(v.ProcessId());
    std::printf("100 MB document: open %.2f s, WM_GETTEXTLENGTH %.3f s (Unicode %.3f s), peak private %.0f -> %.0f MB\n",
                open, took, wideTook, peakBefore, peakAfter);
    EXPECT_EQ(len, text.size());
    // Sent as ANSI between programs, Wine fetches the whole text through
    // wide characters to turn the length into the sender's code: that
    // cost is the system's (about a second here). The program's own part,
    // no copy of the text, is checked in tests/editorwin/textsize_wintest.
    EXPECT_LT(took, 5.0);
    v.Kill();
}

} // namespace
} // namespace e2e
