#include "settings/printsettings.h"

#include <algorithm>

namespace vellumo {

void ClampPrintSettings(TAppIniPrn& p) noexcept
{
    for (int* mm : {&p.LeftMargin, &p.RightMargin, &p.TopMargin, &p.BottomMargin, &p.ColumnSpace})
        *mm = std::clamp(*mm, 0, kPrintMarginMax);
    p.HeaderAlign = std::clamp(p.HeaderAlign, 0, kPrintAlignMax);
    p.FooterAlign = std::clamp(p.FooterAlign, 0, kPrintAlignMax);
    p.FontSize = std::clamp(p.FontSize, kPrintFontSizeMin, kPrintFontSizeMax);
    p.ColumnCount = std::clamp(p.ColumnCount, 1, kPrintColumnsMax);
}

} // namespace vellumo
