#pragma once
// The arithmetic of the print preview: the page image's size and place in
// each zoom mode, the page counter, and which buttons are enabled and where
// the focus goes when the focused one is disabled. Portable.
#include <array>
#include <string>

#include "printing/printlayout.h"

namespace vellumo {

enum TPreviewZoom { pzActualSize = 0, pzPageWidth = 1, pzWholePage = 2 };

// The preview's buttons, in the window's order.
enum TPreviewButton { bnPrint, bnPageAll, bnPageWidth, bnPage100, bnClose, bnTop, bnBack, bnNext, bnEnd, bnNone };
constexpr int kPreviewButtonCount = bnNone;
using TPreviewButtonStates = std::array<bool, kPreviewButtonCount>;

// A page in printer pixels: its metafile (the printable area) and the
// unprintable strips around it.
struct TPreviewPaper {
    int MetaWidth = 0, MetaHeight = 0;
    TPrintOffsets Offsets;
    int Width() const noexcept { return MetaWidth + Offsets.Left + Offsets.Right; }
    int Height() const noexcept { return MetaHeight + Offsets.Top + Offsets.Bottom; }
};

// What the scroll box offers: its size less its edges, and the system's
// scroll-bar sizes.
struct TPreviewRoom {
    int AvailWidth = 0, AvailHeight = 0;
    int VScrollWidth = 0, HScrollHeight = 0;
};

struct TPreviewImage {
    // Too little room for a scroll bar: the image is emptied and the mode kept.
    bool TooSmall = false;
    int Width = 0, Height = 0;
    TPrintRect Page;  // where the metafile goes inside the image
};

// ratio: screen pixels per printer pixel (mode 0 shows the real size).
TPreviewImage PreviewImage(TPreviewZoom mode, const TPreviewRoom& room, const TPreviewPaper& paper, double ratio);

// The image's top-left with both scroll positions at 0: centred in the
// room, less a scroll bar's breadth where the other direction scrolls.
struct TPreviewPoint {
    int X = 0, Y = 0;
    bool operator==(const TPreviewPoint&) const = default;
};
TPreviewPoint CenterPreviewImage(const TPreviewRoom& room, int imageWidth, int imageHeight);

// "  1/ 12": both numbers right-aligned in three places.
std::string PreviewPageCounter(int index, int count);

// The mode a click on the page turns to: whole page, page width, 100 %, again.
TPreviewZoom NextPreviewZoom(TPreviewZoom mode) noexcept;

// The zoom button of the mode is disabled, the other two enabled; returns
// where the focus goes (bnNone: it stays).
TPreviewButton UpdateZoomButtons(TPreviewZoom mode, TPreviewButtonStates& enabled, TPreviewButton focused);
// First and back after the first page, next and last before the last one;
// returns where the focus goes (bnNone: it stays).
TPreviewButton UpdatePageButtons(int index, int count, TPreviewButtonStates& enabled, TPreviewButton focused);

// Status panel 0's width beside the page counter and the last panel.
int PreviewHintPanelWidth(int barWidth, int counterWidth, int lastWidth, bool maximized) noexcept;

} // namespace vellumo
