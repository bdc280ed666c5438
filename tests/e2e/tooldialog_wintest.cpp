// The tool list opened from the Tools menu by real keys, worked by keys and
// written to the settings file.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "e2e_support_win.h"

namespace e2e {
namespace {

class ToolDialog : public TEndToEnd {
protected:
    // Real key presses to a window of the program brought forward.
    static void Type(HWND target, std::vector<BYTE> keys)
    {
        SetForegroundWindow(target);
        const DWORD start = GetTickCount();
        while (GetForegroundWindow() != target && GetTickCount() - start < 2000) Sleep(20);
        for (BYTE k : keys) keybd_event(k, static_cast<BYTE>(MapVirtualKeyA(k, 0)), 0, 0);
        for (auto k = keys.rbegin(); k != keys.rend(); ++k)
            keybd_event(*k, static_cast<BYTE>(MapVirtualKeyA(*k, 0)), KEYEVENTF_KEYUP, 0);
    }
    static HWND FormWithCaption(DWORD pid, const std::string& caption)
    {
        for (HWND w : WindowsOf(pid, "TForm", true)) {
            char text[64] = {};
            GetWindowTextA(w, text, sizeof text);
            if (caption == text) return w;
        }
        return nullptr;
    }
    static int Rows(HWND list)
    {
        DWORD_PTR n = 0;
        SendMessageTimeoutA(list, LVM_GETITEMCOUNT, 0, 0, SMTO_ABORTIFHUNG, 5000, &n);
        return static_cast<int>(n);
    }
};

TEST_F(ToolDialog, OpenedFromTheToolsMenuWorkedByKeysAndSaved)
{
    WriteSettings("[Tools]\r\nItemCount=2\r\n"
                  "Title0=一番目\r\nFile0=one.exe\r\nParam0=%%\r\n"
                  "Title1=二番目\r\nFile1=two.exe\r\nParam1=% %f%\r\nKey1=Ctrl+F7\r\n");
    const std::string path = ini_ + "\\vellumo.ini";
    TVellumo v;
    ASSERT_TRUE(Launch(v, ""));
    ASSERT_TRUE(v.Sync());
    HWND dialog = nullptr, list = nullptr;
    auto open = [&] {
        v.Keys({VK_MENU, 'T'});  // the Tools menu
        ASSERT_TRUE(v.Sync());
        Type(v.MainWindow(), {'T'});  // ツールの設定(&T)...
        ASSERT_TRUE(v.WaitFor([&] { return (dialog = FormWithCaption(v.ProcessId(), "ツールの設定")) != nullptr; }));
        const std::vector<HWND> lists = ChildrenOfClass(dialog, WC_LISTVIEWA);
        ASSERT_EQ(lists.size(), 1u);
        list = lists[0];
    };
    open();
    ASSERT_TRUE(v.WaitFor([&] { return Rows(list) == 2; }));

    // Delete on the first row asks; Yes removes it; Enter is OK.
    Type(dialog, {VK_DELETE});
    HWND question = v.WaitDialog();
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(TVellumo::DialogText(question), "削除してよろしいですか？");
    TVellumo::Answer(question, IDYES);
    ASSERT_TRUE(v.WaitFor([&] { return Rows(list) == 1; }));
    Type(dialog, {VK_RETURN});
    // The list is written after the dialog has gone, then its own size.
    std::string ini;
    EXPECT_TRUE(v.WaitFor([&] { return (ini = ReadFileBytes(path)).find("[ToolWindow]") != std::string::npos; }));
    EXPECT_NE(ini.find("ItemCount=1\r\nTitle0=二番目\r\nFile0=two.exe\r\nParam0=% %f%\r\n"), std::string::npos) << ini;
    EXPECT_NE(ini.find("Key0=Ctrl+F7\r\n"), std::string::npos);

    // A settings file that cannot be written: told so, and it stays as it was.
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
    open();
    Type(dialog, {VK_RETURN});
    HWND failed = v.WaitDialog();
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    ASSERT_NE(failed, nullptr);
    EXPECT_EQ(TVellumo::DialogText(failed).rfind("何らかの問題が発生しました。\r\n\r\n・初期化ファイル(INI)の作成に失敗。", 0), 0u);
    TVellumo::Answer(failed, IDOK);
    EXPECT_EQ(ReadFileBytes(path), ini);
    EXPECT_TRUE(v.Close());
}

} // namespace
} // namespace e2e
