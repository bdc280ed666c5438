// Measuring and copying everything of a 100 MB text: EM_GETSEL answers
// without building the text, and a copy holds the text at most three times
// besides the editor's own rows.
#include <windows.h>
#include <psapi.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "editorwin/editor_support_win.h"
#include "editorwin/speed/speed_support_win.h"
#include "editor/lines.h"

using namespace vellumo;
using namespace vellumo::testing;

namespace {

PROCESS_MEMORY_COUNTERS Memory()
{
    PROCESS_MEMORY_COUNTERS m{};
    m.cb = sizeof(m);
    GetProcessMemoryInfo(GetCurrentProcess(), &m, sizeof(m));
    return m;
}

// The peak starts again from what is in use now (through the host's /proc).
bool ResetPeak()
{
    HANDLE h = CreateFileA("Z:\\proc\\self\\clear_refs", GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD n = 0;
    const bool ok = WriteFile(h, "5", 1, &n, nullptr) && n == 1;
    CloseHandle(h);
    return ok;
}

TEST(CopySpeed, EverythingOf100MB)
{
    std::string text;
    text.reserve((100u << 20) + 200);
    for (int line = 0; text.size() < (100u << 20); ++line)
        text += "\x93\xFA\x96\x7B\x8C\xEA\x82\xCC\x95\xB6 line " + std::to_string(line) + " of ASCII and \x8A\xBF\x8E\x9A\r\n";
    auto e = MakeEditor(800, 600);
    e->Lines().SetText(text);
    const std::size_t size = text.size();
    std::string().swap(text);
    e->SelectAll();

    DWORD start = 1, end = 0;
    double t = Now();
    SendMessageA(e->Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const double getsel = Now() - t;
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, size);

    ASSERT_TRUE(ResetPeak());
    const SIZE_T base = Memory().WorkingSetSize;
    t = Now();
    e->CopyToClipboard();
    const double copy = Now() - t;
    const double growth = double(Memory().PeakWorkingSetSize - base);
    std::printf("EM_GETSEL %.3f ms; copy %.0f ms, memory growth %.0f MB for %.0f MB of text (%.2f times)\n", getsel,
                copy, growth / (1 << 20), double(size) / (1 << 20), growth / double(size));
    EXPECT_LT(getsel, 100.0);
    EXPECT_LT(growth, 3.0 * double(size));

    ASSERT_TRUE(OpenClipboard(nullptr));
    HGLOBAL h = GetClipboardData(CF_TEXT);
    ASSERT_TRUE(h);
    const char* p = static_cast<const char*>(GlobalLock(h));
    ASSERT_TRUE(p);
    EXPECT_EQ(std::strlen(p), size);
    EXPECT_EQ(std::string(p, 15), "\x93\xFA\x96\x7B\x8C\xEA\x82\xCC\x95\xB6 line");
    GlobalUnlock(h);
    EmptyClipboard();
    CloseClipboard();
}

} // namespace
