#pragma once
// A menu of the class library filled from a menu table: one item per row,
// found by the row's name. Windows only.
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>

#include "app/window/menus.h"
#include "classlib/menu_win.h"

namespace vellumo {

class TTableMenu {
public:
    // Adds the table's rows to the menu's items.
    TTableMenu(TMenu& menu, std::span<const TMenuEntry> table);

    std::span<const TMenuEntry> Table() const noexcept { return table_; }
    // The item of a name; throws for an unknown one.
    TMenuItem& Item(std::string_view name);
    TMenuItem* Find(std::string_view name) noexcept;
    // The row of a shortcut (hidden items and the table's actions aside), or null.
    const TMenuEntry* EntryOfShortCut(TShortCut shortCut) const noexcept;

private:
    std::span<const TMenuEntry> table_;
    std::unordered_map<std::string, TMenuItem*> byName_;
};

// The opening handlers from the top down to the item run (so a shortcut
// meets the state its menu would show); then whether it and every menu
// above it are enabled.
bool RefreshAndCheckEnabled(TMenuItem& item);

// The text shown for a shortcut: the keys of "[" and "\" by their characters.
std::string ShownShortCut(TShortCut shortCut);

} // namespace vellumo
