#pragma once
// Limits of the print settings. [Print] holds plain numbers that a "/p"
// print or a preview uses without the print dialog ever showing them, so
// they are held inside what the printing can use where they are read.
#include "settings/settings.h"

namespace vellumo {

constexpr int kPrintFontSizeMin = 1;
constexpr int kPrintFontSizeMax = 200;
constexpr int kPrintMarginMax = 100;  // margins and the column gap, mm
constexpr int kPrintColumnsMax = 3;

// Every stored number of p held inside its range; the dialog's own choices
// (range, pages, selection) are left alone.
void ClampPrintSettings(TAppIniPrn& p) noexcept;

} // namespace vellumo
