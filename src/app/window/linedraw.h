#pragma once
// What the main window draws over a row the editor has painted: per-mode
// colouring the tokenizer cannot express, quoted lines, links and the marks
// for tabs and blanks. This part decides which bytes go where in which
// colour and style; linedraw_win.cpp puts the plan on the editor's canvas.
// Portable.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/settings.h"
#include "base/color.h"
#include "editor/editmode.h"

namespace vellumo {

class TEditorViewInfo;

enum class TOverlayStyle : unsigned char { Keep, Plain, Bold, Underline };

// One stretch of text drawn again at pixel X of the row, clipped to the row.
struct TOverlayText {
    int X = 0;
    std::string Text;
    // Brush := the editor's colour and font := Color; otherwise the canvas's
    // colours stay (the selection's colours in a selected stretch).
    bool SetColors = false;
    TColor Color = clBlack;
    TOverlayStyle Style = TOverlayStyle::Keep;
    bool operator==(const TOverlayText&) const = default;
};

enum class TMarkKind : unsigned char { Tab, Space, FullSpaceLeft, FullSpaceRight };
struct TOverlayMark {
    TMarkKind Kind = TMarkKind::Space;
    int X = 0;  // the pixel x of the mark's cell
    bool operator==(const TOverlayMark&) const = default;
};

struct TLineDrawPlan {
    std::vector<TOverlayText> Texts;  // in drawing order, before the marks
    std::vector<TOverlayMark> Marks;
    bool StoredTextRead = false;
};

// The row and the editor's facts.
struct TLineDrawInput {
    TEditMode Mode = emStandard;
    // As painted: tabs expanded, wrapped rows joined; of a long row only
    // its first cells, a stretch past the rectangle's right edge included.
    std::string_view LineStr;
    bool Selected = false;     // the selected stretch of a row
    bool EditorHasSelection = false;
    const TEditorViewInfo* View = nullptr;
    int StartState = -2;  // the region state LineStr starts in
    // True when the editor's keyword list holds the word.
    std::function<bool(std::string_view)> IsKeyword;
    // The row's stored text (tabs not expanded), as far as LineStr shows
    // it; asked only when needed.
    std::function<std::string()> StoredText;
    int TabWidth = 8;
    // Geometry in pixels: the cell width, the x of LineStr's first cell,
    // the text's left edge, the horizontal scroll offset and the row
    // rectangle's left and right edges.
    int CellWidth = 1;
    int X = 0;
    int TextLeft = 0;
    int HorzOffset = 0;
    int RectLeft = 0;
    int RectRight = 0;
};

// The settings the overlays read; PasteMark is the quote mark of the quoted
// paste without its wrapping "%".
struct TLineDrawSettings {
    const TAppIni* Option = nullptr;
    const TAppColors* Color = nullptr;
    std::string PasteMark;
};

TLineDrawPlan PlanLineDraw(const TLineDrawInput& in, const TLineDrawSettings& settings);

// ---- the rules the plan is made of

// LineStr after leading spaces, TABs and full-width spaces.
std::string_view TrimLineStart(std::string_view s) noexcept;
// The first character (one or two bytes) after that trimming; empty for a blank line.
std::string_view FirstCharacter(std::string_view s) noexcept;
// A "rem" line: the first word is "rem" in any case, then a space, a TAB or the end.
bool IsRemLine(std::string_view s) noexcept;
// Whether ch is one of the characters of the list (whole characters compared).
bool CharInList(std::string_view ch, std::string_view list) noexcept;
// The 0-based index of the first occurrence of an ASCII byte at a character
// boundary, or npos; a trail byte is never taken for it.
std::size_t FindAsciiChar(std::string_view s, char c) noexcept;
// A quotation in standard mode: the first character is a quote mark, or the
// line begins with the quoted paste's mark.
bool IsQuotedLine(std::string_view s, std::string_view marks, std::string_view pasteMark) noexcept;

} // namespace vellumo
