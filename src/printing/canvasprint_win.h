#pragma once
// The print canvas over the class library's canvas: pages and the measuring
// pass draw and measure through TCanvas and TFont. Windows only.
#include "classlib/canvas_win.h"
#include "printing/printcanvas.h"

namespace vellumo {

class TCanvasPrintCanvas : public TPrintCanvas {
public:
    // The canvas must have a device context for as long as this is used.
    explicit TCanvasPrintCanvas(TCanvas& canvas) : canvas_(canvas) {}

    bool SelectPrintFont(const TFont& font, int size) override;
    TPrintMetrics Metrics() override;
    long long TextWidth(std::string_view text) override;
    bool DrawText(const TPrintRect& rect, std::string_view text, unsigned flags) override;

    // Black text on a transparent background.
    void SetPrintColors();

private:
    TCanvas& canvas_;
};

} // namespace vellumo
