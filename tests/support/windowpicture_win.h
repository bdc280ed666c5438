#pragma once
// Pictures of windows as they show on screen, for tests that check colours
// and write images (32-bit BMP) for people to look at.
#include <windows.h>

#include <fstream>
#include <string>
#include <vector>

namespace testpictures {

// A path beside the running test program, inside the build folder, where
// pictures for people to look at are written.
inline std::string BesideTestProgram(const std::string& name)
{
    char exe[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string path = exe;
    return path.substr(0, path.find_last_of('\\') + 1) + name;
}

struct TPicture {
    int Width = 0, Height = 0;
    std::vector<DWORD> Pixels;  // 0x00RRGGBB, top row first
};

inline bool CaptureWindow(HWND w, TPicture& pic)
{
    RECT r{};
    GetWindowRect(w, &r);
    const int width = r.right - r.left, height = r.bottom - r.top;
    if (width <= 0 || height <= 0) return false;
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
    const bool ok = bmp && bits;
    if (ok) {
        HGDIOBJ old = SelectObject(mem, bmp);
        BitBlt(mem, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
        SelectObject(mem, old);
        GdiFlush();
        const auto* px = static_cast<const DWORD*>(bits);
        pic.Width = width;
        pic.Height = height;
        pic.Pixels.assign(px, px + width * height);
        for (DWORD& p : pic.Pixels) p &= 0xFFFFFF;
    }
    if (bmp) DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return ok;
}

inline bool WriteBmp(const std::string& path, const TPicture& pic)
{
    BITMAPINFOHEADER ih{};
    ih.biSize = sizeof ih;
    ih.biWidth = pic.Width;
    ih.biHeight = -pic.Height;
    ih.biPlanes = 1;
    ih.biBitCount = 32;
    BITMAPFILEHEADER fh{};
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof ih;
    fh.bfSize = fh.bfOffBits + static_cast<DWORD>(pic.Pixels.size() * 4);
    std::vector<DWORD> opaque(pic.Pixels);
    for (DWORD& p : opaque) p |= 0xFF000000;  // viewers read the fourth byte as alpha
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&fh), sizeof fh);
    out.write(reinterpret_cast<const char*>(&ih), sizeof ih);
    out.write(reinterpret_cast<const char*>(opaque.data()), static_cast<std::streamsize>(opaque.size() * 4));
    return out.good();
}

// Captures the window and writes it; the picture is left in pic.
inline bool SaveWindowPicture(HWND w, const std::string& path, TPicture& pic)
{
    return CaptureWindow(w, pic) && WriteBmp(path, pic);
}

} // namespace testpictures
