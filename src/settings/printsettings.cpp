#include "settings/printsettings.h"

#include <algorithm>

namespace vellumo {

void ClampPrintSettings(TAppIniPrn& p) noexcept
{
    for (int* mm : {&p.LeftMargin, &p.RightMargin, &p.TopMargin, &p.BottomMargin, &p.ColumnSpace})
        *mm = std::clamp(*mm, 0, kPrintMarginMax);
    // An alignment out of range stays: printing then keeps its own.
    p.FontSize = std::clamp(p.FontSize, kPrintFontSizeMin, kPrintFontSizeMax);
    p.ColumnCount = std::clamp(p.ColumnCount, 1, kPrintColumnsMax);
}

} // namespace vellumo
