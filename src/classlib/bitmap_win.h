#pragma once
// An off-screen image with its own canvas: a 32-bit top-down DIB for colour
// images, or a 1-bit bitmap for monochrome glyphs. Windows only.
#include <windows.h>

#include <cstdint>

#include "classlib/canvas_win.h"

namespace vellumo {

class TBitmap {
public:
    TBitmap();
    TBitmap(int width, int height);
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;
    ~TBitmap();

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return width_ <= 0 || height_ <= 0; }
    // Resizing keeps the part of the old image that still fits; new area is
    // white (colour) or 1 bits (monochrome).
    void SetSize(int width, int height);
    void SetWidth(int width) { SetSize(width, height_); }
    void SetHeight(int height) { SetSize(width_, height); }

    bool Monochrome() const { return monochrome_; }
    // Switching keeps the size; white pixels become 1 bits, others 0.
    void SetMonochrome(bool mono);
    // A monochrome image from packed bits as CreateBitmap takes them: rows
    // top-down, each a whole number of 16-bit words, most significant bit
    // first; a 1 bit is white, a 0 bit black.
    bool LoadMonochromeBits(int width, int height, const std::uint8_t* bits);

    // The memory context with this image selected; kept while the bitmap lives.
    TCanvas& Canvas();
    HBITMAP Handle() const { return bitmap_; }
    // For colour images: the pixels as 00RRGGBB words, rows top-down
    // (nullptr for monochrome or empty images). Call GdiFlush first when
    // reading after drawing.
    std::uint32_t* ScanLine(int row);

    // Copies size, kind and pixels.
    void Assign(TBitmap& other);
    void Clear(TColor color);

private:
    HBITMAP MakeBitmap(int width, int height, bool mono, void** bits);
    void Replace(HBITMAP bitmap, int width, int height, bool mono, void* bits);

    HDC memDC_ = nullptr;
    TCanvas canvas_;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ oldBitmap_ = nullptr;
    void* bits_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    bool monochrome_ = false;
};

} // namespace vellumo
