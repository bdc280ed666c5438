#pragma once
// The print dialog's rules: what its controls take from the print settings
// and give back, which controls each choice enables, how the two page
// fields hold each other, and the macro menu. Portable.
#include <string>
#include <string_view>

#include "settings/settings.h"

namespace vellumo {

// The page fields' range.
constexpr int kPrintPageMin = 1;
constexpr int kPrintPageMax = 32767;
// The font dialog's size as the dialog shows it: larger sizes show as this.
constexpr int kPrintDialogFontSizeMax = 22;
// The printer's name is shown cut to this many bytes.
constexpr std::size_t kPrinterNameMax = 255;

// The values of the dialog's controls.
struct TPrintFormValues {
    int LeftMargin = 0, RightMargin = 0, TopMargin = 0, BottomMargin = 0;
    int ColumnSpace = 0;
    bool ColNum = false;
    std::string HeaderStr, FooterStr;
    int HeaderAlign = 0, FooterAlign = 0;  // list indexes: none, left, centre, right
    std::string FontName;
    std::string FontSizeText;  // the size label's text
    int ColumnIndex = 0;       // "なし", "2段", "3段"
    bool PrintAll = true;
    int StartPage = 1, LastPage = 1;
    bool PrintSelect = false;
};

// What the dialog shows when it opens (the page fields 1 and 1, the whole
// document chosen; the selection box follows the editor, not the settings).
TPrintFormValues PrintFormValuesOf(const TAppIniPrn& settings);

// The controls into the settings. A size text that is not a number keeps
// the settings' size.
void StorePrintFormValues(const TPrintFormValues& values, TAppIniPrn& settings);

struct TPrintFormEnabling {
    bool Header = true;       // the header edit and its macro button
    bool Footer = true;
    bool ColumnSpace = true;  // the gap and its up-down
};
TPrintFormEnabling PrintFormEnabling(int headerAlign, int footerAlign, int columnIndex) noexcept;

// The page fields hold each other when one of them is left (or OK is pressed
// in it), never while it is typed in: the first page raises a lower last
// page to it; the last page lowers a higher first page to it.
struct TPageFields {
    int Start = 1, Last = 1;
    bool operator==(const TPageFields&) const = default;
};
TPageFields CouplePageFields(TPageFields pages, bool startWasEdited) noexcept;

// The size label after the font dialog: held inside 1..22.
std::string PrintDialogFontSizeText(int size);

// The printer's name cut to at most max bytes, never inside a double-byte character.
std::string CutPrinterName(std::string_view name, std::size_t max = kPrinterNameMax);

// The macro menu, in its order.
struct TPrintMacroItem {
    const char* Caption;
    const char* Macro;
};
constexpr int kPrintMacroCount = 8;
const TPrintMacroItem* PrintMacroItems() noexcept;

} // namespace vellumo
