#include "classlib/menu_win.h"

#include <algorithm>
#include <unordered_map>


namespace vellumo {

namespace {

// Command identifiers live in the 16 bits of WM_COMMAND; the low range is
// left to dialogs and controls.
constexpr UINT kFirstCommand = 0x1000;
constexpr UINT kLastCommand = 0xEFFF;

std::unordered_map<UINT, TMenuItem*>& Commands()
{
    static std::unordered_map<UINT, TMenuItem*> map;
    return map;
}

std::unordered_map<HMENU, TMenuItem*>& Submenus()
{
    static std::unordered_map<HMENU, TMenuItem*> map;
    return map;
}

UINT AllocateCommand(TMenuItem* item)
{
    static UINT next = kFirstCommand;
    auto& map = Commands();
    for (UINT tries = 0; tries <= kLastCommand - kFirstCommand; ++tries) {
        UINT id = next;
        next = next == kLastCommand ? kFirstCommand : next + 1;
        if (map.emplace(id, item).second)
            return id;
    }
    return 0;  // every identifier in use: the item cannot be chosen
}

} // namespace

// ---- items

TMenuItem::TMenuItem(std::string caption) : caption_(std::move(caption)), command_(AllocateCommand(this)) {}

TMenuItem::~TMenuItem()
{
    // Entries are taken out of the system menu before the submenus they
    // point to go; DestroyMenu would otherwise take the children's with it.
    if (submenu_) {
        while (GetMenuItemCount(submenu_) > 0)
            RemoveMenu(submenu_, 0, MF_BYPOSITION);
    }
    items_.clear();
    DestroySubmenu();
    if (command_)
        Commands().erase(command_);
}

const std::string& TMenuItem::Caption() const { return caption_; }

void TMenuItem::SetCaption(std::string caption)
{
    if (caption == caption_)
        return;
    caption_ = std::move(caption);
    Changed();
}

TShortCut TMenuItem::ShortCut() const { return shortCut_; }

void TMenuItem::SetShortCut(TShortCut shortCut)
{
    if (shortCut == shortCut_)
        return;
    shortCut_ = shortCut;
    Changed();
}

bool TMenuItem::Enabled() const { return enabled_; }

void TMenuItem::SetEnabled(bool on)
{
    if (on == enabled_)
        return;
    enabled_ = on;
    Changed();
}

bool TMenuItem::Checked() const { return checked_; }

void TMenuItem::SetChecked(bool on)
{
    if (on == checked_)
        return;
    checked_ = on;
    Changed();
}

void TMenuItem::SetRadioItem(bool on)
{
    if (on == radio_)
        return;
    radio_ = on;
    Changed();
}

bool TMenuItem::Visible() const { return visible_; }

void TMenuItem::SetVisible(bool on)
{
    if (on == visible_)
        return;
    visible_ = on;
    Changed();
}

const std::string& TMenuItem::Hint() const { return hint_; }

void TMenuItem::Click()
{
    if (Enabled() && OnClick)
        OnClick(*this);
}

TMenuItem& TMenuItem::Add(const std::string& caption, const std::string& shortCut,
                          std::function<void(TMenuItem&)> onClick)
{
    auto item = std::make_unique<TMenuItem>(caption);
    item->shortCut_ = TextToShortCut(shortCut);
    item->OnClick = std::move(onClick);
    return Adopt(std::move(item), Count());
}

TMenuItem& TMenuItem::Insert(int index, const std::string& caption)
{
    if (index < 0)
        index = 0;
    if (index > Count())
        index = Count();
    return Adopt(std::make_unique<TMenuItem>(caption), index);
}

TMenuItem& TMenuItem::Adopt(std::unique_ptr<TMenuItem> child, int index)
{
    child->parent_ = this;
    TMenuItem& ref = *child;
    items_.insert(items_.begin() + index, std::move(child));
    FillSubmenu();
    if (items_.size() == 1)
        Changed();  // the entry in the parent becomes a submenu
    return ref;
}

void TMenuItem::Delete(int index)
{
    if (index < 0 || index >= Count())
        return;
    std::unique_ptr<TMenuItem> gone = std::move(items_[static_cast<std::size_t>(index)]);
    items_.erase(items_.begin() + index);
    FillSubmenu();  // the entry goes before the item and its submenu
    if (items_.empty())
        Changed();
}

void TMenuItem::Move(int from, int to)
{
    if (from < 0 || from >= Count())
        return;
    to = std::clamp(to, 0, Count() - 1);
    if (from == to)
        return;
    std::unique_ptr<TMenuItem> item = std::move(items_[static_cast<std::size_t>(from)]);
    items_.erase(items_.begin() + from);
    items_.insert(items_.begin() + to, std::move(item));
    FillSubmenu();
}

void TMenuItem::EndUpdate()
{
    if (updating_ == 0 || --updating_ > 0 || !fillPending_)
        return;
    fillPending_ = false;
    FillSubmenu();
}

void TMenuItem::Clear()
{
    if (items_.empty())
        return;
    if (submenu_) {
        while (GetMenuItemCount(submenu_) > 0)
            RemoveMenu(submenu_, 0, MF_BYPOSITION);
    }
    items_.clear();
    Changed();
}

int TMenuItem::IndexOf(const TMenuItem* child) const
{
    for (std::size_t i = 0; i < items_.size(); ++i)
        if (items_[i].get() == child)
            return static_cast<int>(i);
    return -1;
}

TMenu* TMenuItem::Menu() const
{
    const TMenuItem* item = this;
    while (item->parent_)
        item = item->parent_;
    return item->menu_;
}

HMENU TMenuItem::SubmenuHandle()
{
    if (!submenu_) {
        bool bar = !parent_ && menu_ && menu_->IsBar();
        submenu_ = bar ? CreateMenu() : CreatePopupMenu();
        if (!submenu_)
            return nullptr;
        Submenus()[submenu_] = this;
        FillSubmenu();
    }
    return submenu_;
}

void TMenuItem::DestroySubmenu() noexcept
{
    if (!submenu_)
        return;
    Submenus().erase(submenu_);
    DestroyMenu(submenu_);
    submenu_ = nullptr;
}

void TMenuItem::Changed()
{
    if (parent_)
        parent_->FillSubmenu();
}

void TMenuItem::FillSubmenu()
{
    if (!submenu_)
        return;
    if (updating_ > 0) {
        fillPending_ = true;
        return;
    }
    while (GetMenuItemCount(submenu_) > 0)
        RemoveMenu(submenu_, 0, MF_BYPOSITION);
    const bool bar = !parent_ && menu_ && menu_->IsBar();
    UINT pos = 0;
    for (auto& child : items_) {
        TMenuItem& item = *child;
        if (!item.Visible())
            continue;
        MENUITEMINFOA mi{};
        mi.cbSize = sizeof mi;
        mi.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE;
        mi.wID = item.command_;
        std::string text;
        if (item.IsSeparator()) {
            mi.fType = MFT_SEPARATOR;
        } else {
            text = item.Caption();
            std::string sc = bar ? std::string() : ShortCutToText(item.ShortCut());
            if (!sc.empty())
                text += "\t" + sc;
            mi.fMask |= MIIM_STRING;
            mi.dwTypeData = text.data();
            mi.cch = static_cast<UINT>(text.size());
            mi.fType = item.RadioItem() ? MFT_RADIOCHECK : 0;
            mi.fState = (item.Enabled() ? MFS_ENABLED : MFS_DISABLED) | (item.Checked() ? MFS_CHECKED : 0);
            if (item.Count() > 0) {
                mi.fMask |= MIIM_SUBMENU;
                mi.hSubMenu = item.SubmenuHandle();
            }
        }
        InsertMenuItemA(submenu_, pos++, TRUE, &mi);
    }
    if (!parent_ && menu_)
        menu_->RootChanged();
}

TMenuItem* FindMenuItemBySubmenu(HMENU submenu)
{
    auto it = Submenus().find(submenu);
    return it == Submenus().end() ? nullptr : it->second;
}

TMenuItem* FindMenuItemByCommand(UINT command)
{
    auto it = Commands().find(command);
    return it == Commands().end() ? nullptr : it->second;
}

} // namespace vellumo
