#pragma once
// Helpers of the editor control's tests: a hidden editor with a known font,
// a view of its selection fields, and pictures of it in memory.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>

#include "classlib/bitmap_win.h"
#include "support/winsupport_win.h"
#include "editor/editor_win.h"

namespace vellumo::testing {

// The editor with its selection fields reachable (the selection logic
// itself is not the painter's business).
class TTestEditor : public TEditor {
public:
    void SetSelection(TSelectionMode mode, int startRow, int startCol, int endRow, int endCol)
    {
        selectionState_ = 2;
        selectionMode_ = mode;
        selStartRow_ = startRow;
        selStartCol_ = startCol;
        selEndRow_ = endRow;
        selEndCol_ = endCol;
    }
    void SetDragging(bool on) { dragState_ = on ? 2 : 0; }
};

// A hidden editor of a given size with the Japanese fixed-pitch font.
inline std::unique_ptr<TTestEditor> MakeEditor(int width = 400, int height = 300)
{
    auto e = std::make_unique<TTestEditor>();
    e->SetVisible(false);
    e->Font().SetName("ＭＳ ゴシック");
    e->Font().SetHeight(-16);
    e->SetBounds(0, 0, width, height);
    e->HandleNeeded();
    return e;
}

// The rows of the editor's store, joined by "|".
// A shown editor with the keyboard focus, for tests that drive it by messages.
inline std::unique_ptr<TTestEditor> MakeFocusedEditor(int width, int height)
{
    auto e = MakeEditor(width, height);
    e->SetVisible(true);
    SetForegroundWindow(e->Handle());
    e->SetFocus();
    PumpMessages();
    return e;
}

inline std::string Rows(TEditor& e)
{
    std::string s;
    for (int i = 0; i < e.Store().Count(); ++i) {
        if (i) s += '|';
        s += e.Store().Strings(i);
    }
    return s;
}

// The editor's client area painted into a fresh image filled with fill first.
inline std::unique_ptr<TBitmap> Picture(TEditor& e, TColor fill = clWhite)
{
    RECT r = e.ClientRect();
    auto bmp = std::make_unique<TBitmap>(r.right, r.bottom);
    bmp->Clear(fill);
    e.PaintTo(bmp->Canvas().Handle(), 0, 0);
    GdiFlush();
    return bmp;
}

// Captures what the visible window shows now.
inline std::unique_ptr<TBitmap> WindowPixels(TEditor& e)
{
    RECT r = e.ClientRect();
    auto bmp = std::make_unique<TBitmap>(r.right, r.bottom);
    HDC dc = GetDC(e.Handle());
    BitBlt(bmp->Canvas().Handle(), 0, 0, r.right, r.bottom, dc, 0, 0, SRCCOPY);
    ReleaseDC(e.Handle(), dc);
    GdiFlush();
    return bmp;
}

inline std::uint32_t Rgb(TColor c)
{
    const COLORREF v = ColorToRGB(c);
    return (static_cast<std::uint32_t>(GetRValue(v)) << 16) | (GetGValue(v) << 8) | GetBValue(v);
}

// How many pixels of a rectangle have the colour.
inline int CountColor(TBitmap& bmp, RECT r, TColor c)
{
    const std::uint32_t want = Rgb(c);
    int n = 0;
    for (int y = std::max<int>(0, r.top); y < std::min<int>(bmp.Height(), r.bottom); ++y) {
        const std::uint32_t* line = bmp.ScanLine(y);
        for (int x = std::max<int>(0, r.left); x < std::min<int>(bmp.Width(), r.right); ++x)
            if ((line[x] & 0xFFFFFF) == want) ++n;
    }
    return n;
}

inline int Area(RECT r) { return (r.right - r.left) * (r.bottom - r.top); }

// The rectangle of a text cell (row and column on screen).
inline RECT CellRect(TEditor& e, int row, int col, int cells = 1)
{
    const int x = e.GetTextLeft() + (col - e.LeftCol()) * e.CellWidth();
    const int y = e.GetTextTop() + (row - e.TopRow()) * e.RowHeight();
    return RECT{x, y, x + cells * e.CellWidth(), y + e.CellHeight()};
}

// True when two images hold the same pixels.
inline bool SamePixels(TBitmap& a, TBitmap& b, int* firstX = nullptr, int* firstY = nullptr)
{
    if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
    for (int y = 0; y < a.Height(); ++y) {
        const std::uint32_t* la = a.ScanLine(y);
        const std::uint32_t* lb = b.ScanLine(y);
        for (int x = 0; x < a.Width(); ++x)
            if ((la[x] & 0xFFFFFF) != (lb[x] & 0xFFFFFF)) {
                if (firstX) *firstX = x;
                if (firstY) *firstY = y;
                return false;
            }
    }
    return true;
}

// Writes a colour image as a 32-bit BMP file.
inline bool SaveBmp(TBitmap& bmp, const std::string& path)
{
    const int w = bmp.Width(), h = bmp.Height();
    BITMAPFILEHEADER fh{};
    BITMAPINFOHEADER ih{};
    ih.biSize = sizeof(ih);
    ih.biWidth = w;
    ih.biHeight = -h;
    ih.biPlanes = 1;
    ih.biBitCount = 32;
    ih.biCompression = BI_RGB;
    const DWORD pixels = static_cast<DWORD>(w) * static_cast<DWORD>(h) * 4;
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof(fh) + sizeof(ih);
    fh.bfSize = fh.bfOffBits + pixels;
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok = WriteFile(f, &fh, sizeof(fh), &written, nullptr) && WriteFile(f, &ih, sizeof(ih), &written, nullptr);
    for (int y = 0; ok && y < h; ++y) ok = WriteFile(f, bmp.ScanLine(y), static_cast<DWORD>(w) * 4, &written, nullptr);
    CloseHandle(f);
    return ok;
}

} // namespace vellumo::testing
