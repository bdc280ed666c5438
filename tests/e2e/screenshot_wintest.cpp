// A picture of the main window with a coloured C file, for people to look at.
#include <windows.h>

#include <algorithm>
#include <fstream>
#include <vector>

#include "e2e/e2e_support.h"

namespace e2e {
namespace {

class Screenshot : public TEndToEnd {};

std::string BuildPath(const std::string& name)
{
    std::string unix = VELLUMO_BUILD_DIR "/" + name;
    for (char& c : unix)
        if (c == '/') c = '\\';
    return "Z:" + unix;
}

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
    v.Sync();
    // Painting waits for an empty queue: ask for it, then let it finish.
    RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    Sleep(500);
    v.Sync();

    RECT r{};
    GetWindowRect(w, &r);
    const int width = r.right - r.left, height = r.bottom - r.top;
    ASSERT_GT(width, 100);
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
    SelectObject(mem, old);

    // The comment is drawn green and the string blue: both must be on screen.
    auto* px = static_cast<DWORD*>(bits);
    int green = 0, blue = 0;
    for (int i = 0; i < width * height; ++i) {
        px[i] |= 0xFF000000;  // opaque: viewers read the fourth byte as alpha
        const int b = px[i] & 255, g = (px[i] >> 8) & 255, red = (px[i] >> 16) & 255;
        if (g > red + 60 && g > b + 60) ++green;
        if (b > red + 60 && b > g + 60) ++blue;
    }
    EXPECT_GE(green, 30) << "no comment colour on screen";
    EXPECT_GE(blue, 30) << "no string colour on screen";

    BITMAPFILEHEADER fh{};
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof bi.bmiHeader;
    fh.bfSize = fh.bfOffBits + static_cast<DWORD>(width * height * 4);
    std::ofstream out(BuildPath("main-window.bmp"), std::ios::binary);
    out.write(reinterpret_cast<const char*>(&fh), sizeof fh);
    out.write(reinterpret_cast<const char*>(&bi.bmiHeader), sizeof bi.bmiHeader);
    out.write(static_cast<const char*>(bits), static_cast<std::streamsize>(width) * height * 4);
    EXPECT_TRUE(out.good());

    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    EXPECT_TRUE(v.Close());
}

} // namespace
} // namespace e2e
