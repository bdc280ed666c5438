#include "app/window/mainformstatus.h"

#include <cstdio>

#include "editor/cells.h"

namespace vellumo {

int FirstPanelWidth(int barWidth, bool maximized, const TStatusPanelWidths& widths) noexcept
{
    int others = 0;
    for (std::size_t i = 1; i < widths.size(); ++i) others += widths[i];
    const int w = barWidth + 50 - others - (maximized ? 0 : 18);
    return w <= 77 ? 78 : w;
}

int FirstPanelWidth(int barWidth, bool maximized, const TStatusPanelWidths& widths, int textWidth) noexcept
{
    constexpr int kTextMargin = 12;  // the panel's own inner edges
    const int fitted = textWidth > 0 ? textWidth + kTextMargin : 0;
    const int w = FirstPanelWidth(barWidth, maximized, widths);
    return fitted > w ? fitted : w;
}

std::string GroupedNumber(long long n)
{
    // Digits of the magnitude, so the most negative value cannot overflow.
    unsigned long long m = n < 0 ? 0ULL - static_cast<unsigned long long>(n) : static_cast<unsigned long long>(n);
    std::string digits = std::to_string(m);
    std::string out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
        out += digits[i];
    }
    return n < 0 ? "-" + out : out;
}

std::string CaretPositionText(int line, int col)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%5d行: %4d桁 ", line, col);
    return buf;
}

std::string CaretPositionText(const TEditorScreenStrings& store, int row, int col, bool lineNum)
{
    if (!lineNum) return CaretPositionText(row + 1, col + 1);
    return CaretPositionText(RowToLine(store, row) + 1, GetLineCol(store, row, col) + 1);
}

std::string TextSizeText(long long bytes, bool selection)
{
    return selection ? "(" + GroupedNumber(bytes) + " バイト)" : GroupedNumber(bytes) + " バイト ";
}

bool ShowsTextSize(const std::string& panelText) { return panelText.find("バイト") != std::string::npos; }

std::string BoxModeText(bool box) { return box ? "矩形" : ""; }

} // namespace vellumo
