// The running program follows clipboard changes made by another process
// (this one): its paste button is enabled exactly while text is there.
#include <windows.h>
#include <commctrl.h>

#include <cstring>

#include "e2e_support_win.h"

namespace e2e {
namespace {

constexpr int kPasteIndex = 8;  // new, open, save, |, print, |, cut, copy, paste

// The command of the bar's button at an index, read through the other
// process's memory.
int CommandAt(HWND bar, int index)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(bar, &pid);
    HANDLE p = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ, FALSE, pid);
    if (!p) return -1;
    TBBUTTON b{};
    void* remote = VirtualAllocEx(p, nullptr, sizeof b, MEM_COMMIT, PAGE_READWRITE);
    DWORD_PTR ok = 0;
    SendMessageTimeoutA(bar, TB_GETBUTTON, index, reinterpret_cast<LPARAM>(remote), SMTO_ABORTIFHUNG, 5000, &ok);
    SIZE_T n = 0;
    const bool read = ok && ReadProcessMemory(p, remote, &b, sizeof b, &n);
    VirtualFreeEx(p, remote, 0, MEM_RELEASE);
    CloseHandle(p);
    return read ? b.idCommand : -1;
}

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
    const int paste = CommandAt(bar, kPasteIndex);
    ASSERT_GT(paste, 0);
    auto enabled = [&] {
        DWORD_PTR r = 0;
        SendMessageTimeoutA(bar, TB_ISBUTTONENABLED, paste, 0, SMTO_ABORTIFHUNG, 5000, &r);
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
