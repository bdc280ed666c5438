#pragma once
// What a page is drawn on: any canvas that can take the print font, measure
// and draw text in a rectangle with text-drawing flags.
#include <string_view>

#include "printing/printlayout.h"

namespace vellumo {

class TPrintCanvas : public TPrintMeasurer {
public:
    // Selects the print font at size points (the size may differ from the
    // font's own, to give it the printer's size); false when it cannot be made.
    virtual bool SelectPrintFont(const TFont& font, int size) = 0;
    virtual TPrintMetrics Metrics() = 0;
    virtual bool DrawText(const TPrintRect& rect, std::string_view text, unsigned flags) = 0;
};

// Draws every item of the page; false when a drawing call failed.
bool RenderPrintPage(TPrintCanvas& canvas, const TPrintPage& page);

} // namespace vellumo
