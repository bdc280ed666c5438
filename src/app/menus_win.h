#pragma once
// Native menus built from a menu table: a menu bar or a pop-up menu whose
// items keep their table position (a hidden item keeps its index; only the
// native menu leaves it out). A submenu's open handler runs before it is
// shown, then its native items are rebuilt from the items' state. Windows only.
#include <windows.h>

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/menus.h"
#include "classlib/menu.h"

namespace vellumo {

struct TMenuItemState {
    std::string Caption;
    bool Enabled = true;
    bool Checked = false;
    bool Visible = true;
};

// An item made at run time after a submenu's fixed items (wrap widths,
// tools, recent files, the window list).
struct TExtraMenuItem {
    std::string Caption;
    std::string Hint;
    TShortCut ShortCut = scNone;
    int Tag = 0;
    bool Enabled = true;
    bool Checked = false;
};

class TMenuTree {
public:
    // firstCommand: the command id of row 0 (row r has firstCommand + r).
    TMenuTree(std::span<const TMenuEntry> table, bool menuBar, UINT firstCommand);
    ~TMenuTree();
    TMenuTree(const TMenuTree&) = delete;
    TMenuTree& operator=(const TMenuTree&) = delete;

    HMENU Handle() const noexcept { return root_; }
    int RowCount() const noexcept { return static_cast<int>(table_.size()); }
    const TMenuEntry& Entry(int row) const { return table_[static_cast<std::size_t>(row)]; }
    int Row(std::string_view name) const noexcept;
    TMenuItemState& State(int row) { return states_.at(static_cast<std::size_t>(row)); }
    // The state of a named item; throws for an unknown name.
    TMenuItemState& Item(std::string_view name);

    // The item's native position now (-1 while hidden) and the row of a
    // native submenu.
    int RowOfMenu(HMENU menu) const noexcept;
    int RowOfCommand(UINT id) const noexcept;
    UINT CommandOfRow(int row) const noexcept { return first_ + static_cast<UINT>(row); }

    // Rebuilds the native items of a submenu (-1: the root) from the states.
    void Rebuild(int parentRow);
    // WM_INITMENUPOPUP: OnOpen for the submenu, then Rebuild. False when the
    // menu is not one of this tree's.
    bool InitPopup(HMENU menu);
    // Runs the open handlers from the top down to the item's submenu, so a
    // shortcut meets the state its menu would show; then whether it is enabled.
    bool RefreshAndCheckEnabled(int row);
    // WM_COMMAND of an item: OnClick when the row is enabled.
    bool Command(UINT id);

    // Replaces the run-time items of a submenu.
    void SetExtraItems(int parentRow, std::vector<TExtraMenuItem> items);
    std::vector<TExtraMenuItem>& ExtraItems(int parentRow);
    // The submenu and index of a run-time item's command; false for others.
    bool ExtraOfCommand(UINT id, int& parentRow, int& index) const noexcept;
    std::function<void(int parentRow, const TExtraMenuItem& item)> OnExtraClick;

    std::function<void(int row)> OnOpen;   // the submenu of row opens (-1 root)
    std::function<void(int row)> OnClick;  // an item was chosen

    // Shortcuts of the shown and hidden items (and of an action table):
    // the row whose shortcut a key press makes, or -1.
    int RowOfShortCut(TShortCut sc) const noexcept;

private:
    int ParentOf(int row) const noexcept;

    std::span<const TMenuEntry> table_;
    std::vector<TMenuItemState> states_;
    std::vector<HMENU> menus_;  // per row: its submenu, or null
    std::vector<std::vector<TExtraMenuItem>> extras_;  // per row
    HMENU root_;
    UINT first_;
};

// The editor's context menu drawn from a tree: Popup tracks the tree's root.
class TTablePopupMenu : public TPopupMenu {
public:
    explicit TTablePopupMenu(TMenuTree& tree) : tree_(tree) {}
    // The window that gets the menu's messages (submenus opening, hints);
    // the main window, whichever editor asked.
    void SetOwnerWindow(HWND owner) noexcept { owner_ = owner; }
    bool Popup(int x, int y, HWND owner) override;

private:
    TMenuTree& tree_;
    HWND owner_ = nullptr;
};

} // namespace vellumo
