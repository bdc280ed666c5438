#pragma once
// The main window's tool bar as a table: each button runs the handler of a
// menu item (by its name); separators are 8 pixels wide.
#include <span>

namespace vellumo {

struct TToolButtonEntry {
    const char* Name;      // "tbNew"; separators have a name too
    const char* Hint;      // "" for a separator
    int ImageIndex;        // -1 for a separator
    const char* MenuItem;  // the menu item whose handler the button runs
    bool InitiallyHidden;  // the browser buttons wait for the settings
    bool IsSeparator() const noexcept { return ImageIndex < 0; }
};

std::span<const TToolButtonEntry> ToolButtonTable() noexcept;

constexpr int ToolBarHeight = 24;
constexpr int ToolBarIndent = 6;
constexpr int ToolSeparatorWidth = 8;
constexpr int ToolImageCount = 14;

} // namespace vellumo
