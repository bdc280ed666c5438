// The View menu by real keys on two running programs that share their
// settings: Ctrl+Shift+W wraps here, is written, and the other window
// follows; the menu opened by Alt+V is written to the build folder as a
// picture (its texts live in the other process: look at it).
#include <windows.h>

#include <algorithm>
#include <string>

#include "e2e_support_win.h"
#include "support/windowpicture_win.h"

namespace e2e {
namespace {

class ViewMenu : public TEndToEnd {};

std::string IniValue(const std::string& ini, const char* key)
{
    char buf[256] = {};
    GetPrivateProfileStringA("Option", key, "<none>", buf, sizeof buf, ini.c_str());
    return buf;
}

// The screen inside a rectangle, written as a picture.
bool SaveScreenPart(const RECT& r, const std::string& path)
{
    testpictures::TPicture screen, part;
    if (!testpictures::CaptureWindow(GetDesktopWindow(), screen)) return false;
    const RECT clip{std::max(0L, r.left), std::max(0L, r.top), std::min<LONG>(screen.Width, r.right),
                    std::min<LONG>(screen.Height, r.bottom)};
    part.Width = clip.right - clip.left;
    part.Height = clip.bottom - clip.top;
    if (part.Width <= 0 || part.Height <= 0) return false;
    for (int y = clip.top; y < clip.bottom; ++y)
        for (int x = clip.left; x < clip.right; ++x)
            part.Pixels.push_back(screen.Pixels[static_cast<std::size_t>(y * screen.Width + x)]);
    return testpictures::WriteBmp(path, part);
}

void Press(BYTE key)
{
    keybd_event(key, static_cast<BYTE>(MapVirtualKeyA(key, 0)), 0, 0);
    keybd_event(key, static_cast<BYTE>(MapVirtualKeyA(key, 0)), KEYEVENTF_KEYUP, 0);
}

TEST_F(ViewMenu, WrapByKeysReachesTheOtherWindowAndTheMenuShowsIt)
{
    const std::string line(200, 'x');
    const std::string aPath = dir_.File("a.txt"), bPath = dir_.File("b.txt"), ini = ini_ + "\\vellumo.ini";
    ASSERT_TRUE(WriteFileBytes(aPath, line + "\r\n"));
    ASSERT_TRUE(WriteFileBytes(bPath, line + "\r\n"));
    WriteSettings("[Option]\r\nWordWrap=0\r\nWrapCount=80\r\n");
    TVellumo a, b;
    ASSERT_TRUE(Launch(a, Quoted(aPath)));
    ASSERT_TRUE(Launch(b, Quoted(bPath)));
    // Apart, so the pictures show one window.
    SetWindowPos(b.MainWindow(), nullptr, 780, 560, 480, 400, SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(a.MainWindow(), HWND_TOP, 10, 10, 760, 520, SWP_SHOWWINDOW);
    b.Sync();
    a.Sync();
    const int rowsA = a.RowCount(), rowsB = b.RowCount();

    ASSERT_TRUE(a.Keys({VK_CONTROL, VK_SHIFT, 'W'}));
    ASSERT_TRUE(a.WaitFor([&] { return a.RowCount() == rowsA + 2; })) << a.RowCount();  // 200 at 80: three rows
    EXPECT_EQ(IniValue(ini, "WordWrap"), "1");
    EXPECT_TRUE(b.WaitFor([&] { return b.RowCount() == rowsB + 2; })) << "the other window kept " << b.RowCount();

    // The menu as opened by Alt+V.
    ASSERT_TRUE(a.Keys({VK_MENU, 'V'}));
    const HWND popup = a.WaitMenu();
    ASSERT_NE(popup, nullptr) << "no menu";
    RECT w{}, m{}, both{};
    GetWindowRect(a.MainWindow(), &w);
    GetWindowRect(popup, &m);
    UnionRect(&both, &w, &m);
    EXPECT_TRUE(SaveScreenPart(both, BuildPath("view-menu.bmp")));

    Press(VK_ESCAPE);
    Press(VK_ESCAPE);
    EXPECT_TRUE(a.Close());
    EXPECT_TRUE(b.Close());
}

// The system caret stands on the character at the offset (as the editor
// places it on the screen); checks what the user sees, not only the caret's
// row and column.
bool CaretDrawnAt(TVellumo& v, int offset)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(v.MainWindow(), nullptr), &info)) return false;
    const LRESULT pos = SendMessageA(v.Editor(), EM_POSFROMCHAR, static_cast<WPARAM>(offset), 0);
    return info.hwndCaret == v.Editor() && info.rcCaret.left == static_cast<short>(LOWORD(pos)) &&
           info.rcCaret.top == static_cast<short>(HIWORD(pos));
}

// Wrap on and off by keys with the caret inside a long line: each key typed
// after a toggle lands where the caret stood in the text, not where its old
// row and column point in the new rows.
TEST_F(ViewMenu, WrapTogglesKeepTheCaretsPlaceInTheText)
{
    std::string line;
    for (int i = 0; line.size() < 1200; ++i) line += "word" + std::to_string(i % 97) + (i % 5 == 4 ? ", " : " ");
    line.resize(1200);
    const std::string path = dir_.File("long.txt");
    ASSERT_TRUE(WriteFileBytes(path, line + "\r\nnext\r\n"));
    AgeFile(path);  // so that the save gives the file a time of its own
    WriteSettings("[Option]\r\nWordWrap=0\r\nWrapCount=80\r\n");
    TVellumo v;
    ASSERT_TRUE(Launch(v, Quoted(path)));
    SetWindowPos(v.MainWindow(), HWND_TOP, 10, 10, 760, 520, SWP_SHOWWINDOW);
    v.Sync();
    const int rows = v.RowCount();
    SendMessageA(v.Editor(), EM_SETSEL, 513, 513);

    ASSERT_TRUE(v.Keys({VK_CONTROL, VK_SHIFT, 'W'}));
    ASSERT_TRUE(v.WaitFor([&] { return v.RowCount() > rows + 10; })) << v.RowCount();
    EXPECT_TRUE(v.WaitFor([&] { return CaretDrawnAt(v, 513); }, 3000));
    ASSERT_TRUE(v.Keys({'Q'}));
    ASSERT_TRUE(v.WaitFor([&] { return v.Text().find('q') != std::string::npos; }));
    ASSERT_TRUE(v.Keys({VK_CONTROL, VK_SHIFT, 'W'}));
    ASSERT_TRUE(v.WaitFor([&] { return v.RowCount() == rows; })) << v.RowCount();
    EXPECT_TRUE(v.WaitFor([&] { return CaretDrawnAt(v, 514); }, 3000));
    ASSERT_TRUE(v.Keys({'Z'}));
    ASSERT_TRUE(v.WaitFor([&] { return v.Text().find('z') != std::string::npos; }));

    const std::string expected = line.substr(0, 513) + "qz" + line.substr(513) + "\r\nnext\r\n";
    EXPECT_EQ(v.Text(), expected);
    ASSERT_TRUE(SaveByKeys(v, path));
    EXPECT_EQ(ReadFileBytes(path), expected);
    EXPECT_TRUE(v.Close());
}

} // namespace
} // namespace e2e
