// The running program follows clipboard changes made by another process
// (this one): its paste button is enabled exactly while text is there.
#include <windows.h>
#include <commctrl.h>

#include <cstring>

#include "e2e/e2e_support.h"

namespace e2e {
namespace {

constexpr int kPasteButton = 40000 + 8;  // the tool bar's commands follow its table from 40000

bool SetClipboardText(const char* text)
{
    for (int tries = 0; !OpenClipboard(nullptr); ++tries) {
        if (tries > 50) return false;
        Sleep(20);
    }
    EmptyClipboard();
    if (text) {
        const std::size_t n = std::strlen(text) + 1;
        HGLOBAL g = GlobalAlloc(GMEM_MOVEABLE, n);
        std::memcpy(GlobalLock(g), text, n);
        GlobalUnlock(g);
        SetClipboardData(CF_TEXT, g);
    }
    return CloseClipboard() != 0;
}

class ClipboardWatch : public TEndToEnd {};

TEST_F(ClipboardWatch, PasteButtonFollowsAnotherProcessesClipboard)
{
    TVellumo v;
    ASSERT_TRUE(Launch(v, ""));
    HWND bar = FindWindowExA(v.MainWindow(), nullptr, TOOLBARCLASSNAMEA, nullptr);
    ASSERT_NE(bar, nullptr);
    auto enabled = [&] {
        DWORD_PTR r = 0;
        SendMessageTimeoutA(bar, TB_ISBUTTONENABLED, kPasteButton, 0, SMTO_ABORTIFHUNG, 5000, &r);
        return r != 0;
    };
    auto waitFor = [&](bool want) {
        for (const DWORD start = GetTickCount(); GetTickCount() - start < 5000; Sleep(20))
            if (enabled() == want) return true;
        return false;
    };
    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(SetClipboardText(nullptr));
        EXPECT_TRUE(waitFor(false)) << "round " << round;
        ASSERT_TRUE(SetClipboardText("貼り付け"));
        EXPECT_TRUE(waitFor(true)) << "round " << round;
    }
    EXPECT_TRUE(v.Close());
}

} // namespace
} // namespace e2e
