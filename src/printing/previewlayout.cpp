#include "printing/previewlayout.h"

#include <algorithm>
#include <cstdio>

namespace vellumo {

namespace {

int Scale(double numerator, int denominator) { return RoundHalfEven(numerator / denominator); }

} // namespace

TPreviewImage PreviewImage(TPreviewZoom mode, const TPreviewRoom& room, const TPreviewPaper& paper, double ratio)
{
    TPreviewImage image;
    const int paperW = paper.Width(), paperH = paper.Height();
    if (room.AvailHeight - room.HScrollHeight <= 0 || room.AvailWidth - room.VScrollWidth <= 0 || paperW <= 0 ||
        paperH <= 0) {
        image.TooSmall = true;
        return image;
    }
    auto pageWidth = [&] {
        image.Width = room.AvailWidth - room.VScrollWidth;
        image.Height = Scale(static_cast<double>(paperH) * image.Width, paperW);
    };
    switch (mode) {
    case pzActualSize:
        image.Width = RoundHalfEven(ratio * paperW);
        image.Height = RoundHalfEven(ratio * paperH);
        break;
    case pzPageWidth: pageWidth(); break;
    case pzWholePage: {
        const int high = room.AvailHeight - room.HScrollHeight;
        if (Scale(static_cast<double>(high) * paperW, paperH) < room.AvailWidth) {
            image.Height = high;
            image.Width = Scale(static_cast<double>(paperW) * image.Height, paperH);
        } else {
            pageWidth();
        }
        break;
    }
    }
    const TPrintOffsets& o = paper.Offsets;
    image.Page = {Scale(static_cast<double>(image.Width) * o.Left, paperW),
                  Scale(static_cast<double>(image.Height) * o.Top, paperH),
                  Scale(static_cast<double>(image.Width) * (paper.MetaWidth + o.Left), paperW),
                  Scale(static_cast<double>(image.Height) * (paper.MetaHeight + o.Top), paperH)};
    return image;
}

TPreviewPoint CenterPreviewImage(const TPreviewRoom& room, int imageWidth, int imageHeight)
{
    const int freeH = room.AvailHeight - (room.AvailWidth < imageWidth ? room.HScrollHeight : 0);
    const int freeW = room.AvailWidth - (room.AvailHeight < imageHeight ? room.VScrollWidth : 0);
    return {freeW < imageWidth ? 0 : (freeW - imageWidth) / 2, freeH < imageHeight ? 0 : (freeH - imageHeight) / 2};
}

std::string PreviewPageCounter(int index, int count)
{
    char text[32];
    std::snprintf(text, sizeof text, "%3d/%3d", index + 1, count);
    return text;
}

TPreviewZoom NextPreviewZoom(TPreviewZoom mode) noexcept
{
    switch (mode) {
    case pzWholePage: return pzPageWidth;
    case pzPageWidth: return pzActualSize;
    default: return pzWholePage;
    }
}

TPreviewButton UpdateZoomButtons(TPreviewZoom mode, TPreviewButtonStates& enabled, TPreviewButton focused)
{
    const TPreviewButton off = mode == pzActualSize ? bnPage100 : mode == pzPageWidth ? bnPageWidth : bnPageAll;
    for (TPreviewButton b : {bnPage100, bnPageWidth, bnPageAll}) enabled[b] = b != off;
    if (focused != off) return bnNone;
    return mode == pzActualSize ? bnClose : mode == pzPageWidth ? bnPage100 : bnPageWidth;
}

TPreviewButton UpdatePageButtons(int index, int count, TPreviewButtonStates& enabled, TPreviewButton focused)
{
    enabled[bnTop] = enabled[bnBack] = index > 0;
    enabled[bnNext] = enabled[bnEnd] = index < count - 1;
    auto firstZoom = [&] {
        for (TPreviewButton b : {bnPageAll, bnPageWidth, bnPage100})
            if (enabled[b]) return b;
        return bnClose;
    };
    if ((focused == bnTop || focused == bnBack) && !enabled[focused])
        return enabled[bnNext] ? bnNext : firstZoom();  // one page: nowhere to go on
    if ((focused == bnNext || focused == bnEnd) && !(enabled[bnNext] && enabled[bnEnd])) return firstZoom();
    return bnNone;
}

int PreviewHintPanelWidth(int barWidth, int counterWidth, int lastWidth, bool maximized) noexcept
{
    return std::max(78, barWidth - counterWidth - lastWidth + (maximized ? 50 : 32));
}

} // namespace vellumo
