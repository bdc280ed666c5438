// External tools in the running program: a tool chosen from the Tools menu
// by keys, a tool's own key, the start-up tools, a console tool's flood of
// error output, and a damaged tool count that must slow neither the start
// nor the menu.
#include <windows.h>

#include <string>
#include <vector>

#include "e2e_support_win.h"

namespace e2e {
namespace {

// Keys as typed, without bringing the window forward first (a menu is open).
void Type(std::vector<BYTE> vkeys)
{
    for (BYTE k : vkeys) keybd_event(k, static_cast<BYTE>(MapVirtualKeyA(k, 0)), 0, 0);
    for (auto it = vkeys.rbegin(); it != vkeys.rend(); ++it)
        keybd_event(*it, static_cast<BYTE>(MapVirtualKeyA(*it, 0)), KEYEVENTF_KEYUP, 0);
}

HWND OpenMenu(DWORD pid)
{
    const std::vector<HWND> menus = WindowsOf(pid, "#32768", true);
    return menus.empty() ? nullptr : menus.front();
}

void SetText(TVellumo& v, const std::string& text)
{
    DWORD_PTR r = 0;
    SendMessageTimeoutA(v.Editor(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG, 5000, &r);
}

class Tools : public TEndToEnd {};

TEST_F(Tools, ChosenFromTheMenuByKeysAndByItsOwnKeyAfterTheStartUpTool)
{
    const std::string child = BuildPath("tests\\app\\toolrun\\vellumo_toolchild.exe");
    const std::string started = dir_.File("started.txt");
    WriteSettings("[Tools]\r\nItemCount=2\r\n"
                  "Title0=&Upper\r\nFile0=" + child + "\r\nParam0=%upper %t%\r\nKey0=Ctrl+Alt+F9\r\n"
                  "Title1=At start\r\nFile1=" + child + "\r\nParam1=%marker " + Quoted(started) + " ran%\r\n"
                  "StartRun1=1\r\n");
    TVellumo v;
    ASSERT_TRUE(Launch(v, ""));
    EXPECT_TRUE(v.WaitFor([&] { return FileExists(started); }));
    EXPECT_EQ(ReadFileBytes(started).substr(0, 4), "ran ");

    SetText(v, "abc");
    v.Keys({VK_MENU, 'T'});
    ASSERT_TRUE(v.WaitFor([&] { return OpenMenu(v.ProcessId()) != nullptr; }, 5000));
    Type({'U'});
    EXPECT_TRUE(v.WaitFor([&] { return v.Text() == "ABC"; }, 15000)) << v.Text();
    // Unlocked afterwards: the window takes keys again.
    EXPECT_TRUE(v.WaitFor([&] { return IsWindowEnabled(v.MainWindow()) != FALSE; }));

    SetText(v, "xyz");
    v.Keys({VK_CONTROL, VK_MENU, VK_F9});
    EXPECT_TRUE(v.WaitFor([&] { return v.Text() == "XYZ"; }, 15000)) << v.Text();
    EXPECT_TRUE(v.WaitFor([&] { return IsWindowEnabled(v.MainWindow()) != FALSE; }));
    v.Kill();
}

TEST_F(Tools, AMegabyteOfConsoleErrorsShowsItsFirstLinesInABoxThatFits)
{
    const std::string child = BuildPath("tests\\app\\toolrun\\vellumo_toolchild.exe");
    WriteSettings("[Tools]\r\nItemCount=1\r\n"
                  "Title0=&Errors\r\nFile0=cmd /c " + child + " errlines 1048576\r\nParam0=%%\r\n"
                  "Key0=Ctrl+Alt+F9\r\n");
    TVellumo v;
    ASSERT_TRUE(Launch(v, ""));
    v.Keys({VK_CONTROL, VK_MENU, VK_F9});
    const HWND box = v.WaitDialog(30000);
    ASSERT_NE(box, nullptr);
    const std::string text = TVellumo::DialogText(box);
    const std::string first = "コンソールエラー:\r\n\r\n000001: 問題があります\r\n000002: 問題があります\r\n";
    EXPECT_EQ(text.rfind(first, 0), 0u) << text.substr(0, 300);
    const std::string mark = "\r\n(以下省略)";
    ASSERT_GT(text.size(), mark.size());
    EXPECT_EQ(text.substr(text.size() - mark.size()), mark);
    // All of it was read: the box holds a few kilobytes, not the flood.
    const LRESULT length = SendMessageA(GetDlgItem(box, 0xFFFF), WM_GETTEXTLENGTH, 0, 0);
    EXPECT_EQ(static_cast<std::size_t>(length), text.size());
    RECT r{};
    GetWindowRect(box, &r);
    EXPECT_LE(r.bottom - r.top, GetSystemMetrics(SM_CYSCREEN));
    EXPECT_LE(r.right - r.left, GetSystemMetrics(SM_CXSCREEN));
    TVellumo::Answer(box, IDOK);
    EXPECT_TRUE(v.WaitFor([&] { return IsWindowEnabled(v.MainWindow()) != FALSE && !v.FindDialog(); }));
    v.Kill();
}

TEST_F(Tools, AHugeToolCountStartsAndOpensTheMenuWithinASecond)
{
    // The time an ordinary start takes here, then the same with the count.
    DWORD plain = 0;
    for (const char* settings : {"", "[Tools]\r\nItemCount=200000000\r\n"}) {
        WriteSettings(settings);
        TVellumo v;
        const DWORD start = GetTickCount();
        ASSERT_TRUE(Launch(v, ""));
        ASSERT_TRUE(v.Sync());
        const DWORD took = GetTickCount() - start;
        if (!*settings) {
            plain = took;
            v.Kill();
            continue;
        }
        EXPECT_LT(took, plain + 1000);
        v.Keys({VK_MENU, 'T'});
        const DWORD open = GetTickCount();
        ASSERT_TRUE(v.WaitFor([&] { return OpenMenu(v.ProcessId()) != nullptr; }, 5000));
        EXPECT_LT(GetTickCount() - open, 1000u);
        Type({VK_ESCAPE});
        Type({VK_ESCAPE});
        v.Kill();
    }
}

} // namespace
} // namespace e2e
