// Guards around the document seen from outside the program: the lock a
// second process meets, and names the program must refuse at start.
#include <windows.h>

#include "e2e_support_win.h"

namespace e2e {
namespace {

class Guards : public TEndToEnd {
protected:
    // The program shows exactly one message holding part, ends when it is
    // answered, and never shows its main window.
    void ExpectOneMessageThenEnd(TVellumo& v, const std::string& part)
    {
        HWND box = v.WaitDialog(15000);
        ASSERT_NE(box, nullptr) << "no message and no end (the start hangs)";
        EXPECT_NE(TVellumo::DialogText(box).find(part), std::string::npos) << TVellumo::DialogText(box);
        TVellumo::Answer(box, IDOK);
        EXPECT_TRUE(v.WaitExit(10000)) << "still running after the message; another: "
                                       << (v.FindDialog() ? TVellumo::DialogText(v.FindDialog()) : "none");
        EXPECT_TRUE(WindowsOf(v.ProcessId(), "TVellumoMainForm", true).empty());
    }
};

bool CanOpen(const std::string& path, DWORD access)
{
    const HANDLE h = CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                 OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    CloseHandle(h);
    return true;
}

TEST_F(Guards, TheLockHoldsAgainstOthersAndNeverAgainstTheWindowsOwnReload)
{
    for (int mode : {0, 1, 2}) {
        SCOPED_TRACE("HaitaSeigyo=" + std::to_string(mode));
        WriteSettings("[Option]\r\nHaitaSeigyo=" + std::to_string(mode) + "\r\n");
        const std::string path = dir_.File("held" + std::to_string(mode) + ".txt");
        ASSERT_TRUE(WriteFileBytes(path, "one\r\n"));
        AgeFile(path);
        TVellumo v;
        ASSERT_TRUE(Launch(v, Quoted(path)));
        auto expectHeld = [&](const char* when) {
            EXPECT_EQ(CanOpen(path, GENERIC_WRITE), mode == 0) << when;
            EXPECT_EQ(CanOpen(path, GENERIC_READ), mode != 2) << when;
        };
        expectHeld("after opening");
        v.PostChars("x");
        ASSERT_TRUE(SaveByKeys(v, path));
        expectHeld("after saving");
        // F5 over a changed text asks, then reads the saved file again.
        v.PostChars("y");
        ASSERT_TRUE(v.Keys({VK_F5}));
        HWND box = v.WaitDialog();
        ASSERT_NE(box, nullptr);
        EXPECT_NE(TVellumo::DialogText(box).find("再読込を実行します"), std::string::npos) << TVellumo::DialogText(box);
        TVellumo::Answer(box, IDYES);
        EXPECT_TRUE(v.WaitFor([&] { return v.Text() == "xone\r\n"; })) << v.Text();
        v.Sync();
        EXPECT_EQ(v.FindDialog(), nullptr) << TVellumo::DialogText(v.FindDialog());
        expectHeld("after reloading");
        EXPECT_TRUE(v.Close());
        EXPECT_TRUE(CanOpen(path, GENERIC_WRITE)) << "the lock outlived the program";
    }
}

TEST_F(Guards, DeviceNamesAreRefusedWithOneMessage)
{
    for (const std::string& name : {std::string("aux"), std::string("com1"), std::string("nul.txt"), std::string("NUL"),
                                    dir_.File("lpt1.log"), std::string("con")}) {
        SCOPED_TRACE(name);
        TVellumo v;
        ASSERT_TRUE(v.Start(Quoted("/i=" + ini_) + " " + Quoted(name)));
        ExpectOneMessageThenEnd(v, "装置の名前");
    }
    // Two device names are no two files to hand to two processes.
    TVellumo v;
    ASSERT_TRUE(v.Start(Quoted("/i=" + ini_) + " aux com2"));
    ExpectOneMessageThenEnd(v, "\"aux\"");
}

// A path past the system's limit, made through the long-path form of the wide calls.
std::string MakeLongPath(const std::string& dir, bool file)
{
    std::string path = dir;
    std::wstring wide;
    for (char c : "\\\\?\\" + dir) wide += static_cast<wchar_t>(static_cast<unsigned char>(c));
    for (char part : {'d', 'e'}) {
        const std::string name(120, part);
        path += "\\" + name;
        wide += L"\\" + std::wstring(name.begin(), name.end());
        if (!CreateDirectoryW(wide.c_str(), nullptr)) return {};
    }
    path += "\\long.txt";
    wide += L"\\long.txt";
    if (file) {
        const HANDLE h = CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
        if (h == INVALID_HANDLE_VALUE) return {};
        DWORD n = 0;
        WriteFile(h, "text", 4, &n, nullptr);
        CloseHandle(h);
    }
    return path;
}

void RemoveLongPath(const std::string& dir)
{
    std::wstring wide;
    for (char c : "\\\\?\\" + dir) wide += static_cast<wchar_t>(static_cast<unsigned char>(c));
    const std::wstring d = wide + L"\\" + std::wstring(120, L'd'), e = d + L"\\" + std::wstring(120, L'e');
    DeleteFileW((e + L"\\long.txt").c_str());
    RemoveDirectoryW(e.c_str());
    RemoveDirectoryW(d.c_str());
}

TEST_F(Guards, AnOverLongPathIsNeverTakenForAMissingFile)
{
    const std::string path = MakeLongPath(dir_.Path(), true);
    ASSERT_FALSE(path.empty()) << "the long path could not be made";
    ASSERT_GT(path.size(), 260u);
    TVellumo v;
    ASSERT_TRUE(v.Start(Quoted("/i=" + ini_) + " " + Quoted(path)));
    ExpectOneMessageThenEnd(v, "開けません");
    RemoveLongPath(dir_.Path());
}

} // namespace
} // namespace e2e
