#pragma once
// Image lists for tool bars, drawn at run time with GDI, so that no image
// file has to be shipped. Windows only.
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <vector>

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

    // Adds an image drawn by a function on a Width x Height device context
    // filled with the transparent colour first; returns its index or -1.
    int AddDrawn(const std::function<void(HDC dc, int width, int height)>& draw,
                 COLORREF transparent = RGB(255, 0, 255));
    // The pixels of an image (0xRRGGBB, -1 where transparent), row by row;
    // empty for an unknown index. For tests and checks.
    std::vector<long> ReadPixels(int index) const;
    void Clear();

private:
    int width_, height_;
    HIMAGELIST handle_ = nullptr;
};

} // namespace vellumo
