#include "classlib/bitmap_win.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace vellumo {

TBitmap::TBitmap() : memDC_(CreateCompatibleDC(nullptr))
{
    canvas_.SetHandle(memDC_);
}

TBitmap::TBitmap(int width, int height) : TBitmap()
{
    SetSize(width, height);
}

TBitmap::~TBitmap()
{
    canvas_.SetHandle(nullptr);
    if (oldBitmap_)
        SelectObject(memDC_, oldBitmap_);
    if (bitmap_)
        DeleteObject(bitmap_);
    if (memDC_)
        DeleteDC(memDC_);
}

TCanvas& TBitmap::Canvas() { return canvas_; }

HBITMAP TBitmap::MakeBitmap(int width, int height, bool mono, void** bits)
{
    *bits = nullptr;
    if (width <= 0 || height <= 0)
        return nullptr;
    if (mono)
        return CreateBitmap(width, height, 1, 1, nullptr);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;  // top-down
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    return CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, bits, nullptr, 0);
}

void TBitmap::Replace(HBITMAP bitmap, int width, int height, bool mono, void* bits)
{
    // The canvas must not hold a brush or font across the switch of images.
    canvas_.Deselect();
    if (oldBitmap_) {
        SelectObject(memDC_, oldBitmap_);
        oldBitmap_ = nullptr;
    }
    if (bitmap_)
        DeleteObject(bitmap_);
    bitmap_ = bitmap;
    bits_ = bits;
    if (bitmap_) {
        width_ = width;
        height_ = height;
        monochrome_ = mono;
        oldBitmap_ = SelectObject(memDC_, bitmap_);
    } else {
        width_ = height_ = 0;
        monochrome_ = mono;
    }
}

void TBitmap::SetSize(int width, int height)
{
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == width_ && height == height_)
        return;
    void* bits = nullptr;
    HBITMAP next = MakeBitmap(width, height, monochrome_, &bits);
    if (next) {
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, next);
        PatBlt(dc, 0, 0, width, height, WHITENESS);
        if (bitmap_)
            ::BitBlt(dc, 0, 0, std::min(width, width_), std::min(height, height_), memDC_, 0, 0, SRCCOPY);
        SelectObject(dc, old);
        DeleteDC(dc);
    }
    Replace(next, width, height, monochrome_, bits);
}

void TBitmap::SetMonochrome(bool mono)
{
    if (mono == monochrome_)
        return;
    if (Empty()) {
        monochrome_ = mono;
        return;
    }
    if (mono) {
        // White pixels become 1 bits, every other colour 0; done by hand
        // since the system's colour-to-monochrome copy differs between
        // implementations for device-independent sources.
        GdiFlush();
        const int stride = ((width_ + 15) / 16) * 2;
        std::vector<std::uint8_t> packed(static_cast<std::size_t>(stride) * height_, 0);
        for (int y = 0; y < height_; ++y) {
            const std::uint32_t* row = ScanLine(y);
            for (int x = 0; x < width_; ++x)
                if ((row[x] & 0xFFFFFFu) == 0xFFFFFFu)
                    packed[static_cast<std::size_t>(y) * stride + x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        }
        LoadMonochromeBits(width_, height_, packed.data());
        return;
    }
    void* bits = nullptr;
    HBITMAP next = MakeBitmap(width_, height_, false, &bits);
    if (next) {
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, next);
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkColor(dc, RGB(255, 255, 255));
        ::BitBlt(dc, 0, 0, width_, height_, memDC_, 0, 0, SRCCOPY);
        SelectObject(dc, old);
        DeleteDC(dc);
    }
    Replace(next, width_, height_, false, bits);
}

bool TBitmap::LoadMonochromeBits(int width, int height, const std::uint8_t* bits)
{
    if (width <= 0 || height <= 0 || !bits)
        return false;
    HBITMAP next = CreateBitmap(width, height, 1, 1, bits);
    if (!next)
        return false;
    Replace(next, width, height, true, nullptr);
    return true;
}

std::uint32_t* TBitmap::ScanLine(int row)
{
    if (!bits_ || row < 0 || row >= height_)
        return nullptr;
    return static_cast<std::uint32_t*>(bits_) + static_cast<std::size_t>(row) * width_;
}

void TBitmap::Assign(TBitmap& other)
{
    if (&other == this)
        return;
    void* bits = nullptr;
    HBITMAP next = MakeBitmap(other.width_, other.height_, other.monochrome_, &bits);
    if (next) {
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, next);
        ::BitBlt(dc, 0, 0, other.width_, other.height_, other.memDC_, 0, 0, SRCCOPY);
        SelectObject(dc, old);
        DeleteDC(dc);
    }
    Replace(next, other.width_, other.height_, other.monochrome_, bits);
}

void TBitmap::Clear(TColor color)
{
    if (Empty())
        return;
    HBRUSH b = CreateSolidBrush(ColorToRGB(color));
    RECT r{0, 0, width_, height_};
    ::FillRect(memDC_, &r, b);
    DeleteObject(b);
}

} // namespace vellumo
