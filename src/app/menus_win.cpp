#include "app/menus_win.h"

#include <stdexcept>

namespace vellumo {

namespace {

// Run-time items take commands above the rows': 100 per submenu.
constexpr UINT kExtraBase = 1000;
constexpr UINT kExtraPerMenu = 100;

// The keys of "[" and "\" by their characters (the library names them by code).
std::string ShownShortCut(TShortCut sc)
{
    const unsigned key = sc & 0xFF;
    const char* ch = key == 0xDB ? "[" : key == 0xDC ? "\\" : nullptr;
    if (!ch) return ShortCutToText(sc);
    std::string mods = ShortCutToText(static_cast<TShortCut>((sc & 0xFF00) | 'A'));
    mods.pop_back();
    return mods + ch;
}

} // namespace

TMenuTree::TMenuTree(std::span<const TMenuEntry> table, bool menuBar, UINT firstCommand)
    : table_(table), states_(table.size()), menus_(table.size(), nullptr), extras_(table.size()),
      root_(menuBar ? CreateMenu() : CreatePopupMenu()), first_(firstCommand)
{
    for (std::size_t r = 0; r < table.size(); ++r) {
        states_[r].Caption = table[r].Caption;
        states_[r].Visible = !(table[r].Flags & mfHidden);
        states_[r].Enabled = !(table[r].Flags & mfDisabled);
        if (MenuHasChildren(table, static_cast<int>(r))) menus_[r] = CreatePopupMenu();
    }
    for (int r = static_cast<int>(table.size()) - 1; r >= 0; --r)
        if (menus_[static_cast<std::size_t>(r)]) Rebuild(r);
    Rebuild(-1);
}

TMenuTree::~TMenuTree()
{
    // The root owns every submenu attached to it; detached ones go one by one.
    for (std::size_t r = 0; r < menus_.size(); ++r) {
        if (!menus_[r]) continue;
        const int parent = ParentOf(static_cast<int>(r));
        HMENU owner = parent < 0 ? root_ : menus_[static_cast<std::size_t>(parent)];
        for (int i = GetMenuItemCount(owner) - 1; i >= 0; --i)
            if (GetSubMenu(owner, i) == menus_[r]) RemoveMenu(owner, static_cast<UINT>(i), MF_BYPOSITION);
    }
    for (HMENU m : menus_)
        if (m) DestroyMenu(m);
    DestroyMenu(root_);
}

int TMenuTree::Row(std::string_view name) const noexcept
{
    for (std::size_t r = 0; r < table_.size(); ++r)
        if (name == table_[r].Name) return static_cast<int>(r);
    return -1;
}

TMenuItemState& TMenuTree::Item(std::string_view name)
{
    const int r = Row(name);
    if (r < 0) throw std::out_of_range("menu item " + std::string(name));
    return State(r);
}

int TMenuTree::RowOfMenu(HMENU menu) const noexcept
{
    if (menu == root_) return -1;
    for (std::size_t r = 0; r < menus_.size(); ++r)
        if (menus_[r] == menu) return static_cast<int>(r);
    return -2;
}

int TMenuTree::RowOfCommand(UINT id) const noexcept
{
    if (id < first_ || id >= first_ + table_.size()) return -1;
    return static_cast<int>(id - first_);
}

int TMenuTree::ParentOf(int row) const noexcept
{
    const int level = table_[static_cast<std::size_t>(row)].Level;
    for (int r = row - 1; r >= 0; --r)
        if (table_[static_cast<std::size_t>(r)].Level < level) return r;
    return -1;
}

void TMenuTree::Rebuild(int parentRow)
{
    HMENU menu = parentRow < 0 ? root_ : menus_[static_cast<std::size_t>(parentRow)];
    if (!menu) return;
    // RemoveMenu keeps the submenus alive (DeleteMenu would destroy them).
    for (int i = GetMenuItemCount(menu) - 1; i >= 0; --i) RemoveMenu(menu, static_cast<UINT>(i), MF_BYPOSITION);
    const int n = MenuChildCount(table_, parentRow);
    UINT pos = 0;
    for (int i = 0; i < n; ++i) {
        const int r = MenuChildRow(table_, parentRow, i);
        const auto& e = table_[static_cast<std::size_t>(r)];
        const auto& s = states_[static_cast<std::size_t>(r)];
        if (!s.Visible) continue;
        std::string text = s.Caption;
        const std::string key = e.ShownKey ? e.ShownKey : ShownShortCut(e.ShortCut);
        if (!key.empty() && !e.IsSeparator()) text += "\t" + key;
        MENUITEMINFOA mi{};
        mi.cbSize = sizeof mi;
        mi.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING | MIIM_SUBMENU;
        mi.fType = e.IsSeparator() ? MFT_SEPARATOR : ((e.Flags & mfRadio) ? MFT_RADIOCHECK : 0);
        mi.fState = (s.Enabled ? MFS_ENABLED : MFS_GRAYED) | (s.Checked ? MFS_CHECKED : 0);
        mi.wID = CommandOfRow(r);
        mi.hSubMenu = menus_[static_cast<std::size_t>(r)];
        mi.dwTypeData = e.IsSeparator() ? nullptr : text.data();
        if (e.IsSeparator()) mi.fMask &= ~static_cast<UINT>(MIIM_STRING);
        InsertMenuItemA(menu, pos++, TRUE, &mi);
    }
    if (parentRow < 0) return;
    const auto& extra = extras_[static_cast<std::size_t>(parentRow)];
    for (std::size_t i = 0; i < extra.size(); ++i) {
        std::string text = extra[i].Caption;
        if (extra[i].ShortCut) text += "\t" + ShownShortCut(extra[i].ShortCut);
        MENUITEMINFOA mi{};
        mi.cbSize = sizeof mi;
        mi.fMask = MIIM_STATE | MIIM_ID | MIIM_STRING;
        mi.fState = (extra[i].Enabled ? MFS_ENABLED : MFS_GRAYED) | (extra[i].Checked ? MFS_CHECKED : 0);
        mi.wID = first_ + kExtraBase + static_cast<UINT>(parentRow) * kExtraPerMenu + static_cast<UINT>(i);
        mi.dwTypeData = text.data();
        InsertMenuItemA(menu, pos++, TRUE, &mi);
    }
}

void TMenuTree::SetExtraItems(int parentRow, std::vector<TExtraMenuItem> items)
{
    auto& e = extras_.at(static_cast<std::size_t>(parentRow));
    e = std::move(items);
    if (e.size() > kExtraPerMenu) e.resize(kExtraPerMenu);
    Rebuild(parentRow);
}

std::vector<TExtraMenuItem>& TMenuTree::ExtraItems(int parentRow) { return extras_.at(static_cast<std::size_t>(parentRow)); }

bool TMenuTree::ExtraOfCommand(UINT id, int& parentRow, int& index) const noexcept
{
    const UINT base = first_ + kExtraBase;
    if (id < base) return false;
    const UINT rel = id - base;
    const auto row = rel / kExtraPerMenu;
    const auto i = rel % kExtraPerMenu;
    if (row >= extras_.size() || i >= extras_[row].size()) return false;
    parentRow = static_cast<int>(row);
    index = static_cast<int>(i);
    return true;
}

bool TMenuTree::InitPopup(HMENU menu)
{
    const int row = RowOfMenu(menu);
    if (row < -1) return false;
    if (OnOpen) OnOpen(row);
    Rebuild(row);
    return true;
}

bool TMenuTree::RefreshAndCheckEnabled(int row)
{
    std::vector<int> chain;
    for (int p = ParentOf(row); p >= 0; p = ParentOf(p)) chain.push_back(p);
    if (OnOpen)
        for (auto it = chain.rbegin(); it != chain.rend(); ++it) OnOpen(*it);
    if (!State(row).Enabled) return false;
    for (int p : chain)
        if (!State(p).Enabled) return false;
    return true;
}

bool TMenuTree::Command(UINT id)
{
    int parent = 0, index = 0;
    if (ExtraOfCommand(id, parent, index)) {
        const TExtraMenuItem item = extras_[static_cast<std::size_t>(parent)][static_cast<std::size_t>(index)];
        if (item.Enabled && OnExtraClick) OnExtraClick(parent, item);
        return true;
    }
    const int row = RowOfCommand(id);
    if (row < 0) return false;
    if (State(row).Enabled && OnClick) OnClick(row);
    return true;
}

int TMenuTree::RowOfShortCut(TShortCut sc) const noexcept
{
    if (sc == scNone) return -1;
    for (std::size_t r = 0; r < table_.size(); ++r)
        if (table_[r].ShortCut == sc) return static_cast<int>(r);
    return -1;
}

bool TTablePopupMenu::Popup(int x, int y, HWND owner)
{
    if (tree_.OnOpen) tree_.OnOpen(-1);
    tree_.Rebuild(-1);
    const UINT cmd = static_cast<UINT>(
        TrackPopupMenu(tree_.Handle(), TPM_RETURNCMD | TPM_RIGHTBUTTON, x, y, 0, owner_ ? owner_ : owner, nullptr));
    return cmd != 0 && tree_.Command(cmd);
}

} // namespace vellumo
