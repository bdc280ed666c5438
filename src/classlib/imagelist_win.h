#pragma once
// Image lists for tool bars, made at run time: from small pixel tables (one
// character per pixel, a palette for the characters, "." transparent) or
// drawn with GDI on a bitmap. Windows only.
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "base/color.h"
#include "classlib/pixeltable.h"

namespace vellumo {

class TImageList {
public:
    explicit TImageList(int width = 16, int height = 16);
    TImageList(const TImageList&) = delete;
    TImageList& operator=(const TImageList&) = delete;
    ~TImageList();

    int Width() const { return width_; }
    int Height() const { return height_; }
    int Count() const;
    HIMAGELIST Handle() const { return handle_; }

    // Adds an image from a pixel table of Width x Height; returns its index,
    // -1 when the table does not fit (see ParsePixelTable).
    int AddPixels(const std::vector<std::string>& rows, const TPixelPalette& palette);
    // Adds an image drawn by a function on a Width x Height device context
    // filled with the transparent colour first; returns its index or -1.
    int AddDrawn(const std::function<void(HDC dc, int width, int height)>& draw,
                 COLORREF transparent = RGB(255, 0, 255));
    // The pixels of an image (0xRRGGBB, -1 where transparent), row by row;
    // empty for an unknown index. For tests and checks.
    std::vector<long> ReadPixels(int index) const;
    void Clear();

private:
    int AddBits(const std::vector<std::uint32_t>& argb);
    int width_, height_;
    HIMAGELIST handle_ = nullptr;
};

} // namespace vellumo
