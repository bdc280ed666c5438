#include "printing/canvasprint_win.h"

#include "base/leadbytes.h"

namespace vellumo {

static_assert(kDtLeft == DT_LEFT && kDtCenter == DT_CENTER && kDtRight == DT_RIGHT && kDtBottom == DT_BOTTOM &&
              kDtSingleLine == DT_SINGLELINE && kDtExpandTabs == DT_EXPANDTABS &&
              kDtExternalLeading == DT_EXTERNALLEADING && kDtNoPrefix == DT_NOPREFIX);

bool TCanvasPrintCanvas::SelectPrintFont(const TFont& font, int size)
{
    if (!canvas_.HandleAllocated()) return false;
    TFont& f = canvas_.Font();
    f.Assign(font);
    f.SetSize(size);
    // The system font object must really exist: the canvas would otherwise
    // draw with a stand-in font and the layout would not match the page.
    FontHandle(f);
    return f.CachedHandle() != nullptr;
}

TPrintMetrics TCanvasPrintCanvas::Metrics()
{
    TPrintMetrics m;
    TEXTMETRICA tm;
    if (canvas_.GetTextMetrics(tm)) {
        m.LineHeight = tm.tmHeight + tm.tmExternalLeading;
        m.CharWidth = tm.tmAveCharWidth;
    }
    m.DoubleByteWidth = static_cast<int>(TextWidth("\x82\xA0"));  // あ
    return m;
}

long long TCanvasPrintCanvas::TextWidth(std::string_view text)
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
        const long cx = canvas_.TextExtent(text.substr(pos, end - pos)).cx;
        if (cx > 0) total += cx;
        pos = end;
    }
    return total;
}

bool TCanvasPrintCanvas::DrawText(const TPrintRect& rect, std::string_view text, unsigned flags)
{
    RECT r{rect.Left, rect.Top, rect.Right, rect.Bottom};
    return canvas_.DrawText(r, text, flags) != 0;
}

void TCanvasPrintCanvas::SetPrintColors()
{
    canvas_.Font().SetColor(clBlack);
    canvas_.Brush().SetStyle(bsClear);
}

} // namespace vellumo
