#include "printing/gdicanvas.h"

#include <cstring>

#include "classlib/leadbytes.h"

namespace vellumo {

static_assert(kDtLeft == DT_LEFT && kDtCenter == DT_CENTER && kDtRight == DT_RIGHT && kDtBottom == DT_BOTTOM &&
              kDtSingleLine == DT_SINGLELINE && kDtExpandTabs == DT_EXPANDTABS &&
              kDtExternalLeading == DT_EXTERNALLEADING && kDtNoPrefix == DT_NOPREFIX);

TGdiPrintCanvas::TGdiPrintCanvas(HDC dc) : dc_(dc) {}

TGdiPrintCanvas::~TGdiPrintCanvas()
{
    ReleaseFont();
}

void TGdiPrintCanvas::ReleaseFont()
{
    if (oldFont_) SelectObject(dc_, oldFont_);
    if (font_) DeleteObject(font_);
    font_ = nullptr;
    oldFont_ = nullptr;
}

bool TGdiPrintCanvas::SelectPrintFont(const TPrintFont& font, int size)
{
    ReleaseFont();
    if (!dc_) return false;
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    const int height = -MulDiv(size, dpi, 72);
    HFONT f = CreateFontA(height, 0, 0, 0, (font.Style & fsBold) ? FW_BOLD : FW_NORMAL, (font.Style & fsItalic) != 0,
                          (font.Style & fsUnderline) != 0, (font.Style & fsStrikeOut) != 0,
                          static_cast<BYTE>(font.Charset), OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                          DEFAULT_PITCH | FF_DONTCARE, font.Name.c_str());
    if (!f) return false;
    HGDIOBJ old = SelectObject(dc_, f);
    if (!old || old == HGDI_ERROR) {
        DeleteObject(f);
        return false;
    }
    font_ = f;
    oldFont_ = old;
    return true;
}

TPrintMetrics TGdiPrintCanvas::Metrics()
{
    TPrintMetrics m;
    TEXTMETRICA tm;
    if (dc_ && GetTextMetricsA(dc_, &tm)) {
        m.LineHeight = tm.tmHeight + tm.tmExternalLeading;
        m.CharWidth = tm.tmAveCharWidth;
    }
    m.DoubleByteWidth = static_cast<int>(TextWidth("\x82\xA0"));  // あ
    return m;
}

long long TGdiPrintCanvas::TextWidth(std::string_view text)
{
    // Long texts are measured in pieces cut at character boundaries, so the
    // sum cannot overflow the system's int.
    constexpr std::size_t kPiece = 4096;
    long long total = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = pos;
        while (end < text.size() && end - pos < kPiece)
            end += IsLeadByte(static_cast<unsigned char>(text[end])) && end + 1 < text.size() ? 2 : 1;
        SIZE sz{};
        if (dc_ && GetTextExtentPoint32A(dc_, text.data() + pos, static_cast<int>(end - pos), &sz) && sz.cx > 0)
            total += sz.cx;
        pos = end;
    }
    return total;
}

bool TGdiPrintCanvas::DrawText(const TPrintRect& rect, std::string_view text, unsigned flags)
{
    if (!dc_) return false;
    RECT r{rect.Left, rect.Top, rect.Right, rect.Bottom};
    return ::DrawTextA(dc_, text.data(), static_cast<int>(text.size()), &r, flags) != 0;
}

void TGdiPrintCanvas::SetPrintColors()
{
    if (!dc_) return;
    SetTextColor(dc_, RGB(0, 0, 0));
    SetBkMode(dc_, TRANSPARENT);
}

} // namespace vellumo
