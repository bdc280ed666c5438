#include "classlib/imagelist_win.h"

#include <cstdint>

namespace vellumo {

namespace {

// A 32-bit top-down bitmap of the size, with its bits.
HBITMAP MakeDib(HDC dc, int w, int h, std::uint32_t** bits)
{
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* p = nullptr;
    HBITMAP bmp = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &p, nullptr, 0);
    *bits = static_cast<std::uint32_t*>(p);
    return bmp;
}

} // namespace

TImageList::TImageList(int width, int height) : width_(width), height_(height)
{
    static const bool ready = [] {
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES};
        return InitCommonControlsEx(&icc) != FALSE;
    }();
    (void)ready;
    handle_ = ImageList_Create(width_, height_, ILC_COLOR24 | ILC_MASK, 4, 4);
}

TImageList::~TImageList()
{
    if (handle_)
        ImageList_Destroy(handle_);
}

int TImageList::Count() const { return handle_ ? ImageList_GetImageCount(handle_) : 0; }

void TImageList::Clear()
{
    if (handle_)
        ImageList_RemoveAll(handle_);
}

int TImageList::AddDrawn(const std::function<void(HDC dc, int width, int height)>& draw, COLORREF transparent)
{
    if (!handle_ || !draw)
        return -1;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    std::uint32_t* bits = nullptr;
    HBITMAP bmp = MakeDib(screen, width_, height_, &bits);
    ReleaseDC(nullptr, screen);
    int index = -1;
    if (dc && bmp) {
        HGDIOBJ old = SelectObject(dc, bmp);
        HBRUSH back = CreateSolidBrush(transparent);
        RECT r{0, 0, width_, height_};
        FillRect(dc, &r, back);
        DeleteObject(back);
        draw(dc, width_, height_);
        SelectObject(dc, old);
        index = ImageList_AddMasked(handle_, bmp, transparent);
    }
    if (bmp)
        DeleteObject(bmp);
    if (dc)
        DeleteDC(dc);
    return index;
}

std::vector<long> TImageList::ReadPixels(int index) const
{
    if (!handle_ || index < 0 || index >= Count())
        return {};
    // Drawn on black and on white: a pixel that differs is transparent.
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    std::uint32_t* onBlack = nullptr;
    std::uint32_t* onWhite = nullptr;
    HBITMAP b1 = MakeDib(screen, width_, height_, &onBlack);
    HBITMAP b2 = MakeDib(screen, width_, height_, &onWhite);
    ReleaseDC(nullptr, screen);
    std::vector<long> out;
    if (dc && b1 && b2) {
        const std::size_t n = static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_);
        HGDIOBJ old = SelectObject(dc, b1);
        PatBlt(dc, 0, 0, width_, height_, BLACKNESS);
        ImageList_Draw(handle_, index, dc, 0, 0, ILD_TRANSPARENT);
        SelectObject(dc, b2);
        PatBlt(dc, 0, 0, width_, height_, WHITENESS);
        ImageList_Draw(handle_, index, dc, 0, 0, ILD_TRANSPARENT);
        SelectObject(dc, old);
        GdiFlush();
        out.resize(n);
        for (std::size_t i = 0; i < n; ++i) {
            std::uint32_t a = onBlack[i] & 0xFFFFFF, b = onWhite[i] & 0xFFFFFF;
            out[i] = a == b ? static_cast<long>(a) : -1;
        }
    }
    if (b1)
        DeleteObject(b1);
    if (b2)
        DeleteObject(b2);
    if (dc)
        DeleteDC(dc);
    return out;
}

} // namespace vellumo
