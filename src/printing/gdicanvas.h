#pragma once
// The print canvas over a device context with plain GDI calls. Windows only.
#include <windows.h>

#include "printing/printcanvas.h"

namespace vellumo {

class TGdiPrintCanvas : public TPrintCanvas {
public:
    explicit TGdiPrintCanvas(HDC dc);
    ~TGdiPrintCanvas() override;
    TGdiPrintCanvas(const TGdiPrintCanvas&) = delete;
    TGdiPrintCanvas& operator=(const TGdiPrintCanvas&) = delete;

    bool SelectPrintFont(const TPrintFont& font, int size) override;
    TPrintMetrics Metrics() override;
    long long TextWidth(std::string_view text) override;
    bool DrawText(const TPrintRect& rect, std::string_view text, unsigned flags) override;

    // Black text on a transparent background.
    void SetPrintColors();

private:
    void ReleaseFont();

    HDC dc_;
    HFONT font_ = nullptr;
    HGDIOBJ oldFont_ = nullptr;
};

} // namespace vellumo
