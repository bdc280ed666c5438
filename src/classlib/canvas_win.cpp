#include "classlib/canvas_win.h"

#include <algorithm>
#include <cstring>

#include "classlib/bitmap_win.h"

namespace vellumo {

COLORREF ColorToRGB(TColor color, TColor fallback)
{
    if (color == clNone || color == clDefault) {
        if (fallback == clNone || fallback == clDefault)
            return RGB(0, 0, 0);
        color = fallback;
    }
    if (IsSystemColor(color))
        return GetSysColor(SystemColorIndex(color));
    return static_cast<COLORREF>(color) & 0x00FFFFFFu;
}

namespace {

void DeleteGdiObject(void* handle) { DeleteObject(static_cast<HGDIOBJ>(handle)); }

} // namespace

HFONT FontHandle(const TFont& font)
{
    if (auto h = static_cast<HFONT>(font.CachedHandle()))
        return h;
    LOGFONTA lf{};
    lf.lfHeight = font.Height();
    lf.lfWeight = (font.Style() & fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (font.Style() & fsItalic) ? 1 : 0;
    lf.lfUnderline = (font.Style() & fsUnderline) ? 1 : 0;
    lf.lfStrikeOut = (font.Style() & fsStrikeOut) ? 1 : 0;
    lf.lfCharSet = font.Charset();
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    switch (font.Pitch()) {
    case fpFixed: lf.lfPitchAndFamily = FIXED_PITCH; break;
    case fpVariable: lf.lfPitchAndFamily = VARIABLE_PITCH; break;
    default: lf.lfPitchAndFamily = DEFAULT_PITCH; break;
    }
    std::size_t n = std::min(font.Name().size(), sizeof lf.lfFaceName - 1);
    std::memcpy(lf.lfFaceName, font.Name().data(), n);
    HFONT h = CreateFontIndirectA(&lf);
    if (!h)
        h = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    else
        font.SetCachedHandle(h, DeleteGdiObject);
    return h;
}

// ---- TPen

TPen::~TPen()
{
    if (handle_)
        DeleteObject(handle_);
}

void TPen::Changed()
{
    if (OnChange)
        OnChange();
    if (handle_) {
        DeleteObject(handle_);
        handle_ = nullptr;
    }
}

void TPen::SetColor(TColor color)
{
    if (color != color_) {
        color_ = color;
        Changed();
    }
}

void TPen::SetWidth(int width)
{
    width = std::max(width, 0);
    if (width != width_) {
        width_ = width;
        Changed();
    }
}

void TPen::SetStyle(TPenStyle style)
{
    if (style != style_) {
        style_ = style;
        Changed();
    }
}

void TPen::Assign(const TPen& o)
{
    if (o.color_ == color_ && o.width_ == width_ && o.style_ == style_)
        return;
    color_ = o.color_;
    width_ = o.width_;
    style_ = o.style_;
    Changed();
}

HPEN TPen::Handle() const
{
    if (!handle_) {
        static const int styles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
        int style = color_ == clNone ? PS_NULL : styles[style_];
        handle_ = CreatePen(style, width_, ColorToRGB(color_));
        if (!handle_)
            return static_cast<HPEN>(GetStockObject(BLACK_PEN));
    }
    return handle_;
}

// ---- TBrush

TBrush::~TBrush()
{
    if (handle_)
        DeleteObject(handle_);
}

void TBrush::Changed()
{
    if (OnChange)
        OnChange();
    if (handle_) {
        DeleteObject(handle_);
        handle_ = nullptr;
    }
}

void TBrush::SetColor(TColor color)
{
    TBrushStyle style = color == clNone ? bsClear : bsSolid;
    if (color != color_ || style != style_) {
        color_ = color;
        style_ = style;
        Changed();
    }
}

void TBrush::SetStyle(TBrushStyle style)
{
    if (style != style_) {
        style_ = style;
        Changed();
    }
}

void TBrush::Assign(const TBrush& o)
{
    if (o.color_ == color_ && o.style_ == style_)
        return;
    color_ = o.color_;
    style_ = o.style_;
    Changed();
}

HBRUSH TBrush::Handle() const
{
    if (!handle_) {
        if (style_ == bsClear || color_ == clNone) {
            LOGBRUSH lb{BS_NULL, 0, 0};
            handle_ = CreateBrushIndirect(&lb);
        } else {
            handle_ = CreateSolidBrush(ColorToRGB(color_));
        }
        if (!handle_)
            return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    }
    return handle_;
}

// ---- TCanvas

enum { kFont = 1, kPen = 2, kBrush = 4 };

TCanvas::TCanvas()
{
    font_.OnChange = [this] { ObjectChanged(kFont); };
    pen_.OnChange = [this] { ObjectChanged(kPen); };
    brush_.OnChange = [this] { ObjectChanged(kBrush); };
}

TCanvas::~TCanvas()
{
    // Derived canvases release their own context in their destructors.
    Deselect();
}

void TCanvas::ObjectChanged(int which)
{
    if (!dc_)
        return;
    // The object is about to be deleted: put the context's own one back.
    if ((which & kFont) && fontSelected_) {
        SelectObject(dc_, oldFont_);
        fontSelected_ = false;
    }
    if ((which & kPen) && penSelected_) {
        SelectObject(dc_, oldPen_);
        penSelected_ = false;
    }
    if ((which & kBrush) && brushSelected_) {
        SelectObject(dc_, oldBrush_);
        brushSelected_ = false;
    }
}

void TCanvas::Deselect()
{
    ObjectChanged(kFont | kPen | kBrush);
}

HDC TCanvas::Handle()
{
    RequireHandle();
    return dc_;
}

void TCanvas::AttachHandle(HDC dc)
{
    Deselect();
    dc_ = dc;
}

void TCanvas::SetHandle(HDC dc)
{
    if (dc == dc_)
        return;
    Deselect();
    if (dc_)
        ReleaseHandle();
    dc_ = dc;
}

void TCanvas::RequireHandle()
{
    if (!dc_)
        CreateHandle();
}

void TCanvas::RequireFont()
{
    RequireHandle();
    if (dc_ && !fontSelected_) {
        HGDIOBJ old = SelectObject(dc_, FontHandle(font_));
        oldFont_ = old;
        fontSelected_ = true;
    }
}

void TCanvas::RequirePen()
{
    RequireHandle();
    if (dc_ && !penSelected_) {
        oldPen_ = SelectObject(dc_, pen_.Handle());
        penSelected_ = true;
    }
}

void TCanvas::RequireBrush()
{
    RequireHandle();
    if (dc_ && !brushSelected_) {
        oldBrush_ = SelectObject(dc_, brush_.Handle());
        brushSelected_ = true;
    }
}

void TCanvas::RequireText()
{
    RequireFont();
    RequireBrush();
    if (!dc_)
        return;
    SetTextColor(dc_, ColorToRGB(font_.Color(), clWindowText));
    if (brush_.Style() == bsClear || brush_.Color() == clNone) {
        SetBkMode(dc_, TRANSPARENT);
    } else {
        SetBkMode(dc_, OPAQUE);
        SetBkColor(dc_, ColorToRGB(brush_.Color()));
    }
}

POINT TCanvas::PenPos()
{
    POINT p{0, 0};
    RequireHandle();
    if (dc_)
        GetCurrentPositionEx(dc_, &p);
    return p;
}

void TCanvas::MoveTo(int x, int y)
{
    RequireHandle();
    if (dc_)
        MoveToEx(dc_, x, y, nullptr);
}

void TCanvas::LineTo(int x, int y)
{
    RequirePen();
    RequireBrush();
    if (dc_)
        ::LineTo(dc_, x, y);
}

void TCanvas::Polyline(const POINT* points, int count)
{
    RequirePen();
    if (dc_ && points && count > 1)
        ::Polyline(dc_, points, count);
}

void TCanvas::Polygon(const POINT* points, int count)
{
    RequirePen();
    RequireBrush();
    if (dc_ && points && count > 1)
        ::Polygon(dc_, points, count);
}

void TCanvas::Rectangle(int left, int top, int right, int bottom)
{
    RequirePen();
    RequireBrush();
    if (dc_)
        ::Rectangle(dc_, left, top, right, bottom);
}

void TCanvas::FillRect(const RECT& r)
{
    RequireBrush();
    if (dc_ && brush_.Style() != bsClear && brush_.Color() != clNone)
        ::FillRect(dc_, &r, brush_.Handle());
}

void TCanvas::FrameRect(const RECT& r)
{
    RequireBrush();
    if (dc_ && brush_.Style() != bsClear && brush_.Color() != clNone)
        ::FrameRect(dc_, &r, brush_.Handle());
}

void TCanvas::TextOut(int x, int y, std::string_view text)
{
    RequireText();
    if (dc_)
        ::TextOutA(dc_, x, y, text.data(), static_cast<int>(text.size()));
}

void TCanvas::TextRect(const RECT& r, int x, int y, std::string_view text)
{
    RequireText();
    if (!dc_)
        return;
    UINT options = ETO_CLIPPED;
    if (brush_.Style() != bsClear && brush_.Color() != clNone)
        options |= ETO_OPAQUE;
    ::ExtTextOutA(dc_, x, y, options, &r, text.data(), static_cast<UINT>(text.size()), nullptr);
}

bool TCanvas::ExtTextOut(int x, int y, UINT options, const RECT* rect, std::string_view text, const int* advances)
{
    RequireText();
    if (!dc_)
        return false;
    return ::ExtTextOutA(dc_, x, y, options, rect, text.data(), static_cast<UINT>(text.size()), advances) != 0;
}

bool TCanvas::ExtTextOut(int x, int y, UINT options, const RECT* rect, std::string_view text, const int* advances,
                         std::size_t advanceCount)
{
    if (advances && text.size() > advanceCount)
        text = text.substr(0, advanceCount);
    return ExtTextOut(x, y, options, rect, text, advances);
}

int TCanvas::DrawText(RECT& r, std::string_view text, UINT flags)
{
    RequireText();
    if (!dc_)
        return 0;
    return ::DrawTextA(dc_, text.data(), static_cast<int>(text.size()), &r, flags & ~static_cast<UINT>(DT_MODIFYSTRING));
}

SIZE TCanvas::TextExtent(std::string_view text)
{
    SIZE s{0, 0};
    RequireFont();
    if (dc_)
        GetTextExtentPoint32A(dc_, text.data(), static_cast<int>(text.size()), &s);
    return s;
}

bool TCanvas::GetTextMetrics(TEXTMETRICA& tm)
{
    RequireFont();
    return dc_ && ::GetTextMetricsA(dc_, &tm);
}

bool TCanvas::BitBlt(int x, int y, int width, int height, HDC source, int sourceX, int sourceY, DWORD rop)
{
    RequireHandle();
    if (!dc_ || !source)
        return false;
    // A pattern operation uses the canvas's brush.
    RequireBrush();
    return ::BitBlt(dc_, x, y, width, height, source, sourceX, sourceY, rop) != 0;
}

namespace {

// Monochrome sources take their two colours from the destination's text and
// background colours; fix them to black and white for the copy.
class TMonoColours {
public:
    TMonoColours(HDC dest, bool mono) : dc_(mono ? dest : nullptr)
    {
        if (dc_) {
            text_ = SetTextColor(dc_, RGB(0, 0, 0));
            back_ = SetBkColor(dc_, RGB(255, 255, 255));
        }
    }
    ~TMonoColours()
    {
        if (dc_) {
            SetTextColor(dc_, text_);
            SetBkColor(dc_, back_);
        }
    }

private:
    HDC dc_;
    COLORREF text_ = 0, back_ = 0;
};

bool IsMonochromeDC(HDC dc)
{
    auto bmp = static_cast<HBITMAP>(GetCurrentObject(dc, OBJ_BITMAP));
    BITMAP bm{};
    return bmp && GetObjectA(bmp, sizeof bm, &bm) && bm.bmBitsPixel == 1;
}

} // namespace

void TCanvas::CopyRect(const RECT& dest, TCanvas& source, const RECT& sourceRect)
{
    HDC src = source.Handle();
    RequireBrush();
    if (!dc_ || !src)
        return;
    TMonoColours colours(dc_, IsMonochromeDC(src) && !IsMonochromeDC(dc_));
    int dw = dest.right - dest.left, dh = dest.bottom - dest.top;
    int sw = sourceRect.right - sourceRect.left, sh = sourceRect.bottom - sourceRect.top;
    if (dw == sw && dh == sh) {
        ::BitBlt(dc_, dest.left, dest.top, dw, dh, src, sourceRect.left, sourceRect.top, copyMode_);
    } else {
        int oldMode = SetStretchBltMode(dc_, COLORONCOLOR);
        ::StretchBlt(dc_, dest.left, dest.top, dw, dh, src, sourceRect.left, sourceRect.top, sw, sh, copyMode_);
        SetStretchBltMode(dc_, oldMode);
    }
}

void TCanvas::Draw(int x, int y, TBitmap& bitmap)
{
    if (bitmap.Empty())
        return;
    RECT r{0, 0, bitmap.Width(), bitmap.Height()};
    RECT d{x, y, x + bitmap.Width(), y + bitmap.Height()};
    CopyRect(d, bitmap.Canvas(), r);
}

RECT TCanvas::ClipRect()
{
    RECT r{0, 0, 0, 0};
    RequireHandle();
    if (dc_)
        GetClipBox(dc_, &r);
    return r;
}

COLORREF TCanvas::Pixel(int x, int y)
{
    RequireHandle();
    return dc_ ? GetPixel(dc_, x, y) : CLR_INVALID;
}

void TCanvas::SetPixel(int x, int y, TColor color)
{
    RequireHandle();
    if (dc_)
        ::SetPixelV(dc_, x, y, ColorToRGB(color));
}

} // namespace vellumo
