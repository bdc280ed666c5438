#pragma once
// The main window's commands by name: what a menu item, a shortcut or a tool
// button runs, and the rule that enables its menu item. Each menu's file in
// app/commands/ lists its own rows; the window finds them here by the name
// of the menu item or action. Portable (the form is only named).
#include <initializer_list>
#include <span>
#include <string_view>
#include <vector>

namespace vellumo {

class TVellumoMainForm;

struct TCommand {
    const char* Name;                          // the menu item's or action's name
    void (*Run)(TVellumoMainForm& form);
    // Whether the item may act now, applied when its menu opens (and so
    // before a shortcut runs); null: the item keeps the state it has.
    bool (*Enabled)(TVellumoMainForm& form) = nullptr;
};

class TCommandTable {
public:
    TCommandTable(std::initializer_list<std::span<const TCommand>> menus);

    // The first row of a name, or null.
    const TCommand* Find(std::string_view name) const noexcept;
    // Every row, in the order the menus listed them.
    std::span<const TCommand* const> Rows() const noexcept { return rows_; }

private:
    std::vector<const TCommand*> rows_;
};

// Whether a command may act: its rule, when it has one.
bool CommandEnabled(const TCommand& command, TVellumoMainForm& form);

} // namespace vellumo
