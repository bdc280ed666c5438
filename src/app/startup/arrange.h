#pragma once
// Where the Window menu puts the main windows of all instances, which
// windows each command acts on, and what the window list shows. Portable:
// the windows are described, not touched (arrange_win.cpp moves them).
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vellumo {

struct TArea {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    int Width() const noexcept { return Right - Left; }
    int Height() const noexcept { return Bottom - Top; }
};

struct TWindowBox {
    int Left = 0, Top = 0, Width = 0, Height = 0;
    bool operator==(const TWindowBox&) const = default;
};

// Smaller cells are refused: the windows would be unusable.
inline constexpr int kMinCellWidth = 120;
inline constexpr int kMinCellHeight = 140;

struct TTileGrid {
    int Columns = 0, Rows = 0;
};
// The fewest columns c with c * c >= count, and the rows they need.
TTileGrid TileGrid(int count) noexcept;

// The boxes of count windows in list order; none when a cell is too small.
// Tiled: row by row, the last row taller and the last column wider by the
// remainders of the division.
std::optional<std::vector<TWindowBox>> TiledBoxes(int count, const TArea& area);
// Top to bottom (stacked) or left to right (side by side), the last window
// taking the remainder.
std::optional<std::vector<TWindowBox>> StackedBoxes(int count, const TArea& area);
std::optional<std::vector<TWindowBox>> SideBySideBoxes(int count, const TArea& area);
// Three quarters of the width and 18/25 of the height, each window step
// pixels right and down of the one before, back at the top-left corner when
// the next would end within 10 pixels of the area's right or bottom edge.
std::vector<TWindowBox> CascadedBoxes(int count, const TArea& area, int step);

// A top-level window as the lists see it, in Z order (top first).
struct TListedWindow {
    void* Handle = nullptr;
    std::string ClassName;
    bool Visible = false;       // the window itself
    bool OwnerVisible = false;  // its owner, the application window
    bool OwnerIconic = false;   // the instance is minimized
};

enum class TWindowList {
    Shown,           // the window list of the menu
    Active,          // not minimized, top of the Z order first
    ActiveReversed,  // the same, bottom first
    Minimized,
};

// The main windows of the instances (class compared exactly) that a list takes.
std::vector<void*> SelectWindows(const std::vector<TListedWindow>& zOrder, TWindowList list);

// The owner's title without the program's suffix: what the window list
// shows of an instance.
std::string ListedTitle(std::string_view ownerTitle);
// The caption of the window list's item at index (from 0): "&1: " to "&0: "
// for the first ten, then "11: " and on; an "&" of the title shows as itself.
std::string WindowListCaption(int index, std::string_view title);

} // namespace vellumo
