#pragma once
// The main window's menus, pop-up menu and keyboard actions as tables: one
// row per item in menu order, nested by Level (0 a menu of the menu bar, 1
// its items, 2 the items of a submenu...). The window builds its native
// menus from these rows and finds a command's handler by the row's Name.
#include <span>
#include <string>
#include <string_view>

#include "base/shortcut.h"

namespace vellumo {

enum TMenuFlag : unsigned {
    mfHidden = 1,     // exists (keeps its position) but is not shown
    mfRadio = 2,      // a dot instead of a tick
    mfDisabled = 4,   // a placeholder that never acts
};

struct TMenuEntry {
    int Level;
    const char* Name;       // "-" rows are separators (their Name may be set)
    const char* Caption;    // "-" for a separator
    TShortCut ShortCut;
    const char* Hint;       // shown in status panel 0 while highlighted
    unsigned Flags;
    int Tag;
    const char* ShownKey;   // key text shown without being a shortcut
    bool IsSeparator() const noexcept { return Caption[0] == '-' && Caption[1] == 0; }
};

// Menu bar, pop-up menu (Level 0 is its items) and the actions that have a
// shortcut but no item.
std::span<const TMenuEntry> MainMenuTable() noexcept;
std::span<const TMenuEntry> PopupMenuTable() noexcept;
std::span<const TMenuEntry> ActionTable() noexcept;

// The row of a name (first match), or null.
const TMenuEntry* FindMenuEntry(std::span<const TMenuEntry> table, std::string_view name) noexcept;

// The items of the submenu that starts at row `parent`: row indexes of the
// rows one level deeper, up to the next row at the parent's level or above.
// parent -1: the rows of level 0.
int MenuChildCount(std::span<const TMenuEntry> table, int parent) noexcept;
int MenuChildRow(std::span<const TMenuEntry> table, int parent, int position) noexcept;
bool MenuHasChildren(std::span<const TMenuEntry> table, int row) noexcept;

// A pop-up item's namesake in the menu bar ("pCut" -> "mCut"); the pop-up
// item runs that handler and shows its hint.
std::string PopupNamesake(std::string_view popupName);

// Text shown in a caption as it stands: every "&" doubled, so none marks an
// access key.
std::string MenuCaptionText(std::string_view text);

// The Tools menu's first tool item and the Window menu's first window item.
constexpr int FirstToolItem = 5;
constexpr int FirstWindowListItem = 16;

} // namespace vellumo
