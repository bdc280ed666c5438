// The options dialog opened and worked with real keys in one instance while
// another runs: the apply button changes only the first window and writes
// nothing; OK writes the file and the other instance takes the settings
// (its status bar, its font). Pictures of the other window before and after.
#include <windows.h>

#include "e2e_support_win.h"
#include "support/windowpicture_win.h"

namespace e2e {
namespace {

class Options : public TEndToEnd {
protected:
    // Brings the window forward and types a chord for real.
    static bool KeysTo(HWND window, std::vector<BYTE> vkeys)
    {
        SetForegroundWindow(window);
        const DWORD start = GetTickCount();
        while (GetForegroundWindow() != window) {
            if (GetTickCount() - start > 2000) return false;
            Sleep(20);
        }
        for (BYTE k : vkeys) keybd_event(k, static_cast<BYTE>(MapVirtualKeyA(k, 0)), 0, 0);
        for (auto it = vkeys.rbegin(); it != vkeys.rend(); ++it)
            keybd_event(*it, static_cast<BYTE>(MapVirtualKeyA(*it, 0)), KEYEVENTF_KEYUP, 0);
        return true;
    }

    // Alt+V, O in the main window; the dialog once it shows.
    static HWND OpenOptions(TVellumo& v)
    {
        v.Keys({VK_MENU, 'V'});
        v.Keys({'O'});
        HWND dialog = nullptr;
        v.WaitFor([&] {
            const auto found = WindowsOf(v.ProcessId(), "TOptionForm", true);
            dialog = found.empty() ? nullptr : found.front();
            return dialog != nullptr;
        });
        return dialog;
    }

    static bool DialogGone(TVellumo& v)
    {
        return v.WaitFor([&] { return WindowsOf(v.ProcessId(), "TOptionForm", true).empty(); });
    }

    static bool StatusBarShown(TVellumo& v)
    {
        const auto bars = ChildrenOfClass(v.MainWindow(), "msctls_statusbar32");
        return !bars.empty() && IsWindowVisible(bars.front());
    }

    // The editor's row pitch: where the second line starts, less the first.
    static int RowPitch(TVellumo& v)
    {
        DWORD_PTR first = 0, second = 0;
        SendMessageTimeoutA(v.Editor(), EM_POSFROMCHAR, 0, 0, SMTO_ABORTIFHUNG, 5000, &first);
        SendMessageTimeoutA(v.Editor(), EM_POSFROMCHAR, 12, 0, SMTO_ABORTIFHUNG, 5000, &second);
        return static_cast<short>(HIWORD(second)) - static_cast<short>(HIWORD(first));
    }

    static void Picture(TVellumo& v, const char* name)
    {
        RedrawWindow(v.MainWindow(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        EXPECT_TRUE(v.WaitPainted(v.MainWindow())) << name;
        testpictures::TPicture picture;
        EXPECT_TRUE(testpictures::SaveWindowPicture(v.MainWindow(), BuildPath(name), picture)) << name;
    }
};

TEST_F(Options, OkReachesTheOtherInstanceTheApplyButtonDoesNot)
{
    const std::string doc = dir_.File("doc.txt");
    ASSERT_TRUE(WriteFileBytes(doc, "日本語の行\r\n二行目です\r\n"));  // the second line starts at byte 12
    WriteSettings("[Option]\r\nFontSize=10\r\n");
    TVellumo other;
    ASSERT_TRUE(Launch(other, Quoted(doc)));
    // Written behind the running instance's back: the next one reads it.
    WriteSettings("[Option]\r\nFontSize=20\r\n");
    TVellumo first;
    ASSERT_TRUE(Launch(first, ""));
    SetWindowPos(other.MainWindow(), HWND_TOP, 10, 10, 560, 300, SWP_SHOWWINDOW);
    SetWindowPos(first.MainWindow(), HWND_TOP, 600, 10, 560, 300, SWP_SHOWWINDOW);
    ASSERT_TRUE(StatusBarShown(other));
    ASSERT_TRUE(StatusBarShown(first));
    const int smallPitch = RowPitch(other);
    Picture(other, "options-other-before.bmp");

    // The apply button: Ctrl+Tab to "ウィンドウ", Alt+A clears the status bar, Alt+N.
    HWND dialog = OpenOptions(first);
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(KeysTo(dialog, {VK_CONTROL, VK_TAB}));
    ASSERT_TRUE(KeysTo(dialog, {VK_MENU, 'A'}));
    ASSERT_TRUE(KeysTo(dialog, {VK_MENU, 'N'}));
    ASSERT_TRUE(DialogGone(first));
    EXPECT_TRUE(first.WaitFor([&] { return !StatusBarShown(first); }));
    EXPECT_EQ(ReadFileBytes(ini_ + "\\vellumo.ini"), "[Option]\r\nFontSize=20\r\n");
    // Told to reload, the other instance would follow within this bounded wait.
    EXPECT_FALSE(other.WaitFor([&] { return !StatusBarShown(other) || RowPitch(other) != smallPitch; }, 500));
    EXPECT_TRUE(StatusBarShown(other));
    EXPECT_EQ(RowPitch(other), smallPitch);

    // OK: the dialog opens on the page shown last; Enter presses OK.
    dialog = OpenOptions(first);
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(KeysTo(dialog, {VK_RETURN}));
    ASSERT_TRUE(DialogGone(first));
    EXPECT_TRUE(other.WaitFor([&] { return !StatusBarShown(other); }));
    EXPECT_TRUE(other.WaitFor([&] { return RowPitch(other) > smallPitch + 5; })) << RowPitch(other);
    Picture(other, "options-other-after.bmp");
    const std::string ini = ReadFileBytes(ini_ + "\\vellumo.ini");
    EXPECT_NE(ini.find("StatusBar=0\r\n"), std::string::npos);
    EXPECT_NE(ini.find("FontSize=20\r\n"), std::string::npos);
    EXPECT_TRUE(first.Close());
    EXPECT_TRUE(other.Close());
}

} // namespace
} // namespace e2e
