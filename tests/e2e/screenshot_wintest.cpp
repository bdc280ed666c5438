// A picture of the main window with a coloured C file, for people to look at.
#include <windows.h>

#include <algorithm>
#include <fstream>
#include <set>
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
    Sleep(300);
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

    const auto* px = static_cast<const DWORD*>(bits);
    std::set<DWORD> colours;
    for (int i = 0; i < width * height; ++i) {
        const DWORD c = px[i] & 0xFFFFFF;
        const int b = c & 255, g = (c >> 8) & 255, red = (c >> 16) & 255;
        if (std::max({b, g, red}) - std::min({b, g, red}) > 60) colours.insert(c);
    }
    // Comments, strings, keywords and numbers each have a colour of their own.
    EXPECT_GE(colours.size(), 3u) << "no syntax colouring on screen";

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
