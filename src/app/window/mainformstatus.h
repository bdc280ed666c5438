#pragma once
// The texts and widths of the main window's status panels that follow the
// caret and the bar's size. Portable.
#include <array>
#include <string>

namespace vellumo {

class TEditorScreenStrings;

constexpr int kStatusPanelCount = 10;
using TStatusPanelWidths = std::array<int, kStatusPanelCount>;
// As created; panel 0 is recomputed on every resize.
constexpr TStatusPanelWidths kStatusPanelWidths{67, 110, 46, 46, 35, 51, 39, 35, 41, 50};

// Panel 0's width for a bar width: what panels 1 to 9 leave (18 more when
// maximized, where the size grip is gone), at least 78.
int FirstPanelWidth(int barWidth, bool maximized, const TStatusPanelWidths& widths) noexcept;
// The same, but never narrower than a hint or message of textWidth pixels
// needs: at the window's first size the others would leave too little, and
// the text shows whole while the panels after it move right for a while.
int FirstPanelWidth(int barWidth, bool maximized, const TStatusPanelWidths& widths, int textWidth) noexcept;

// "12,345": thousands grouped with commas.
std::string GroupedNumber(long long n);

// Panel 1 for a caret at a screen row and column: the logical line and its
// column with lineNum, else the screen row and column; both from 1.
std::string CaretPositionText(const TEditorScreenStrings& store, int row, int col, bool lineNum);
std::string CaretPositionText(int line, int col);
// Panel 1 for the text's size, or a selection's in parentheses.
std::string TextSizeText(long long bytes, bool selection);
// Whether panel 1 shows a size (a second F4 then shows the caret again).
bool ShowsTextSize(const std::string& panelText);

// Panel 4 in box selection mode.
std::string BoxModeText(bool box);

} // namespace vellumo
