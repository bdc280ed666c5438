#include "printing/printcanvas.h"

namespace vellumo {

bool RenderPrintPage(TPrintCanvas& canvas, const TPrintPage& page)
{
    bool ok = true;
    for (const auto& item : page.Items) {
        // An empty row has nothing to draw.
        if (item.Text.empty()) continue;
        if (!canvas.DrawText(item.Rect, item.Text, item.Flags)) ok = false;
    }
    return ok;
}

} // namespace vellumo
