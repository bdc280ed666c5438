#pragma once
// Drawing surface over any device context (window, memory bitmap, metafile,
// printer), with the pen, brush and font it draws with. Windows only.
#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

#include "base/color.h"
#include "classlib/font.h"

namespace vellumo {

class TBitmap;

// A system RGB value for a colour: system colours through GetSysColor;
// clNone and clDefault have no value of their own and give `fallback`.
COLORREF ColorToRGB(TColor color, TColor fallback = clBlack);

// The system font object for a font's properties, made on first use and
// owned by the font (dropped when a property that shapes it changes).
HFONT FontHandle(const TFont& font);

enum TPenStyle : unsigned char { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum TBrushStyle : unsigned char { bsSolid, bsClear };

// Raster operations for CopyRect and Draw (the ruler combines glyphs).
enum TCopyMode : DWORD {
    cmSrcCopy = SRCCOPY,
    cmSrcAnd = SRCAND,
    cmSrcPaint = SRCPAINT,
    cmSrcInvert = SRCINVERT,
    cmNotSrcCopy = NOTSRCCOPY,
    cmMergePaint = MERGEPAINT,
    cmPatCopy = PATCOPY,
    cmBlackness = BLACKNESS,
    cmWhiteness = WHITENESS,
    cmDstInvert = DSTINVERT,
};

class TPen {
public:
    TPen() = default;
    TPen(const TPen&) = delete;
    TPen& operator=(const TPen&) = delete;
    ~TPen();

    TColor Color() const { return color_; }
    void SetColor(TColor color);
    int Width() const { return width_; }
    void SetWidth(int width);
    TPenStyle Style() const { return style_; }
    void SetStyle(TPenStyle style);
    void Assign(const TPen& other);

    HPEN Handle() const;
    std::function<void()> OnChange;

private:
    void Changed();
    TColor color_ = clBlack;
    int width_ = 1;
    TPenStyle style_ = psSolid;
    mutable HPEN handle_ = nullptr;
};

class TBrush {
public:
    TBrush() = default;
    TBrush(const TBrush&) = delete;
    TBrush& operator=(const TBrush&) = delete;
    ~TBrush();

    // Setting a colour makes a clear brush solid; clNone makes it clear.
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    TBrushStyle Style() const { return style_; }
    void SetStyle(TBrushStyle style);
    void Assign(const TBrush& other);

    HBRUSH Handle() const;
    std::function<void()> OnChange;

private:
    void Changed();
    TColor color_ = clWhite;
    TBrushStyle style_ = bsSolid;
    mutable HBRUSH handle_ = nullptr;
};

// Selects the pen, brush and font into the device context only when a
// drawing call needs them, and puts the context's own objects back when it
// is detached, so no object stays selected after the canvas lets go.
class TCanvas {
public:
    TCanvas();
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;
    virtual ~TCanvas();

    // The device context; attaching another one (or nullptr) first restores
    // the previous context's objects. The canvas never deletes a context it
    // was given.
    HDC Handle();
    void SetHandle(HDC dc);
    bool HandleAllocated() const { return dc_ != nullptr; }

    TFont& Font() { return font_; }
    TPen& Pen() { return pen_; }
    TBrush& Brush() { return brush_; }
    TCopyMode CopyMode() const { return copyMode_; }
    void SetCopyMode(TCopyMode mode) { copyMode_ = mode; }

    // The current pen position.
    POINT PenPos();
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    void Polyline(const POINT* points, int count);
    void Polygon(const POINT* points, int count);
    void Rectangle(int left, int top, int right, int bottom);
    void Rectangle(const RECT& r) { Rectangle(r.left, r.top, r.right, r.bottom); }
    // Fills with the brush (nothing for a clear brush).
    void FillRect(const RECT& r);
    void FrameRect(const RECT& r);

    // Text in the font's colour; the background is the brush's colour, or
    // left as it is for a clear brush.
    void TextOut(int x, int y, std::string_view text);
    void TextRect(const RECT& r, int x, int y, std::string_view text);
    // ExtTextOutA with the canvas's state; `advances` (one per byte) may be
    // nullptr. Returns the system call's result.
    bool ExtTextOut(int x, int y, UINT options, const RECT* rect, std::string_view text, const int* advances);
    // The same with the advance array's length: bytes beyond it are not
    // drawn, so the system never reads past the array.
    bool ExtTextOut(int x, int y, UINT options, const RECT* rect, std::string_view text, const int* advances,
                    std::size_t advanceCount);
    // DrawTextA with the canvas's font and colours (DT_CALCRECT may change
    // r); the height of the text, 0 on failure.
    int DrawText(RECT& r, std::string_view text, UINT flags);
    SIZE TextExtent(std::string_view text);
    int TextWidth(std::string_view text) { return TextExtent(text).cx; }
    int TextHeight(std::string_view text) { return TextExtent(text).cy; }
    bool GetTextMetrics(TEXTMETRICA& tm);

    // Copies a bitmap (with the copy mode); monochrome sources map 0 bits to
    // black and 1 bits to white whatever the canvas's colours are.
    void Draw(int x, int y, TBitmap& bitmap);
    void CopyRect(const RECT& dest, TCanvas& source, const RECT& sourceRect);
    bool BitBlt(int x, int y, int width, int height, HDC source, int sourceX, int sourceY, DWORD rop);

    // The part of the surface that drawing reaches (the paint rectangle
    // while painting).
    RECT ClipRect();
    COLORREF Pixel(int x, int y);
    void SetPixel(int x, int y, TColor color);

    // Puts the context's own objects back (also done on detach).
    void Deselect();

protected:
    // A canvas that makes its own context (a window's) overrides these.
    virtual void CreateHandle() {}
    virtual void ReleaseHandle() {}
    void AttachHandle(HDC dc);

private:
    void RequireHandle();
    void RequireFont();
    void RequirePen();
    void RequireBrush();
    void RequireText();
    void ObjectChanged(int which);

    HDC dc_ = nullptr;
    TFont font_;
    TPen pen_;
    TBrush brush_;
    TCopyMode copyMode_ = cmSrcCopy;
    HGDIOBJ oldFont_ = nullptr;
    HGDIOBJ oldPen_ = nullptr;
    HGDIOBJ oldBrush_ = nullptr;
    bool fontSelected_ = false;
    bool penSelected_ = false;
    bool brushSelected_ = false;
};

} // namespace vellumo
