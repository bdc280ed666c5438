// A picture of the main window with a coloured C file, for people to look at.
#include <windows.h>

#include "e2e_support_win.h"
#include "support/windowpicture_win.h"

namespace e2e {
namespace {

class Screenshot : public TEndToEnd {};

TEST_F(Screenshot, MainWindowWithAColouredCFile)
{
    const std::string path = dir_.File("sample.c");
    ASSERT_TRUE(WriteFileBytes(path, "/* 日本語のコメント */\r\n"
                                     "#include <stdio.h>\r\n"
                                     "\r\n"
                                     "int main(void)\r\n"
                                     "{\r\n"
                                     "    const char *s = \"こんにちは、世界\";\r\n"
                                     "    for (int i = 0; i < 3; i++)\r\n"
                                     "        printf(\"%s %d\\n\", s, i); // 表示\r\n"
                                     "    return 0;\r\n"
                                     "}\r\n"));
    TVellumo v;
    ASSERT_TRUE(Launch(v, Quoted(path)));
    HWND w = v.MainWindow();
    SetWindowPos(w, HWND_TOP, 10, 10, 640, 420, SWP_SHOWWINDOW);
    SetForegroundWindow(w);
    // Painting waits for an empty queue: ask for it, then wait until nothing is left to paint.
    RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    ASSERT_TRUE(v.WaitPainted(w));

    testpictures::TPicture picture;
    ASSERT_TRUE(testpictures::SaveWindowPicture(w, BuildPath("main-window.bmp"), picture));
    ASSERT_GT(picture.Width, 100);

    // The comment is drawn green and the string blue: both must be on screen.
    int green = 0, blue = 0;
    for (DWORD p : picture.Pixels) {
        const int b = p & 255, g = (p >> 8) & 255, red = (p >> 16) & 255;
        if (g > red + 60 && g > b + 60) ++green;
        if (b > red + 60 && b > g + 60) ++blue;
    }
    EXPECT_GE(green, 30) << "no comment colour on screen";
    EXPECT_GE(blue, 30) << "no string colour on screen";
    EXPECT_TRUE(v.Close());
}

} // namespace
} // namespace e2e
