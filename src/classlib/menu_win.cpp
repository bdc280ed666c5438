#include "classlib/menu.h"

#include <unordered_map>
#include <utility>

#include "classlib/actionlist.h"
#include "classlib/application.h"
#include "classlib/hinttext.h"

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

TPopupMenu::TTracker& Tracker()
{
    static TPopupMenu::TTracker tracker;
    return tracker;
}

// The owner of tracked context menus: it receives their opening and
// selection messages whatever window asked for the menu.
LRESULT CALLBACK HostProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (msg == WM_INITMENUPOPUP || msg == WM_MENUSELECT) {
        try {
            if (HandleMenuMessage(hwnd, msg, wParam, lParam, result))
                return result;
        } catch (...) {
            // An opening handler failed: the menu shows its last state.
        }
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

HWND MenuHost()
{
    static HWND host = [] {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = &HostProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "VellumoMenuHost";
        RegisterClassExA(&wc);
        return CreateWindowExA(WS_EX_TOOLWINDOW, "VellumoMenuHost", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                               wc.hInstance, nullptr);
    }();
    return host;
}

UINT SystemTrack(HMENU menu, int x, int y, HWND owner)
{
    // The owner's window must be in front or the menu would not close when
    // the user clicks elsewhere.
    HWND top = owner ? GetAncestor(owner, GA_ROOT) : nullptr;
    if (top)
        SetForegroundWindow(top);
    HWND host = MenuHost();
    UINT cmd = static_cast<UINT>(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN,
                                                x, y, 0, host ? host : owner, nullptr));
    PostMessageA(host ? host : owner, WM_NULL, 0, 0);
    return cmd;
}

// The n-th item (0-based) of a whole tree in order, parents first.
TMenuItem* ItemAtPosition(TMenuItem& root, UINT& n)
{
    for (int i = 0; i < root.Count(); ++i) {
        TMenuItem& child = root.Items(i);
        if (n == 0)
            return &child;
        --n;
        if (TMenuItem* found = ItemAtPosition(child, n))
            return found;
    }
    return nullptr;
}

TMenuItem* FindByShortCut(TMenuItem& root, TShortCut sc)
{
    for (int i = 0; i < root.Count(); ++i) {
        TMenuItem& child = root.Items(i);
        if (!child.IsSeparator() && child.ShortCut() == sc)
            return &child;
        if (TMenuItem* found = FindByShortCut(child, sc))
            return found;
    }
    return nullptr;
}

bool Runnable(const TMenuItem& item)
{
    return !item.IsSeparator() && item.Enabled() && item.Count() == 0;
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

const std::string& TMenuItem::Caption() const
{
    return action_ && !action_->Caption().empty() ? action_->Caption() : caption_;
}

void TMenuItem::SetCaption(std::string caption)
{
    if (caption == caption_)
        return;
    caption_ = std::move(caption);
    Changed();
}

TShortCut TMenuItem::ShortCut() const { return action_ ? action_->ShortCut() : shortCut_; }

void TMenuItem::SetShortCut(TShortCut shortCut)
{
    if (shortCut == shortCut_)
        return;
    shortCut_ = shortCut;
    Changed();
}

bool TMenuItem::Enabled() const { return action_ ? action_->Enabled() : enabled_; }

void TMenuItem::SetEnabled(bool on)
{
    if (action_)
        action_->SetEnabled(on);
    if (on == enabled_)
        return;
    enabled_ = on;
    Changed();
}

bool TMenuItem::Checked() const { return action_ ? action_->Checked() : checked_; }

void TMenuItem::SetChecked(bool on)
{
    if (action_)
        action_->SetChecked(on);
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

bool TMenuItem::Visible() const { return action_ ? action_->Visible() : visible_; }

void TMenuItem::SetVisible(bool on)
{
    if (action_)
        action_->SetVisible(on);
    if (on == visible_)
        return;
    visible_ = on;
    Changed();
}

const std::string& TMenuItem::Hint() const
{
    return action_ && hint_.empty() ? action_->Hint() : hint_;
}

void TMenuItem::SetAction(TAction* action)
{
    action_ = action;
    Changed();
}

void TMenuItem::Click()
{
    if (!Enabled())
        return;
    if (OnClick)
        OnClick(*this);
    else if (action_ && items_.empty())
        action_->Execute();
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

// ---- menus

TMenu::TMenu() : root_(std::make_unique<TMenuItem>()) { root_->menu_ = this; }

TMenu::~TMenu() = default;

TMenuItem* TMenu::FindShortCut(TShortCut shortCut)
{
    return shortCut == scNone ? nullptr : FindByShortCut(*root_, shortCut);
}

bool TMenu::IsShortCut(TShortCut shortCut)
{
    TMenuItem* item = FindShortCut(shortCut);
    if (!item)
        return false;
    std::vector<TMenuItem*> chain;
    for (TMenuItem* p = item->Parent(); p && p != root_.get(); p = p->Parent())
        chain.push_back(p);
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        if (!(*it)->Enabled())
            return false;
        (*it)->Click();  // the opening handler recomputes the state
    }
    // The handler may have removed the item.
    if (FindShortCut(shortCut) != item || !Runnable(*item))
        return false;
    item->Click();
    return true;
}

bool TMenu::DispatchNativeCommand(UINT command)
{
    TMenuItem* item = FindMenuItemByCommand(command);
    if (!item || item->Menu() != this || !Runnable(*item))
        return false;
    item->Click();
    return true;
}

TMainMenu::~TMainMenu()
{
    // The window would destroy the menu again with itself.
    if (window_ && IsWindow(window_) && GetMenu(window_) == Items().SubmenuHandle())
        ::SetMenu(window_, nullptr);
}

void TMainMenu::SetWindow(HWND window)
{
    if (window_ && window_ != window && IsWindow(window_) && GetMenu(window_) == Handle())
        ::SetMenu(window_, nullptr);
    window_ = window;
    if (window)
        ::SetMenu(window, Handle());
}

void TMainMenu::RootChanged()
{
    if (window_ && IsWindow(window_) && GetMenu(window_) == Items().SubmenuHandle())
        DrawMenuBar(window_);
}

void TPopupMenu::DoPopup()
{
    if (OnPopup)
        OnPopup(*this);
}

bool TPopupMenu::DispatchCommand(UINT command)
{
    if (command == 0)
        return false;
    UINT n = command - 1;
    TMenuItem* item = ItemAtPosition(Items(), n);
    if (!item || !item->Visible() || !Runnable(*item))
        return false;
    item->Click();
    return true;
}

bool TPopupMenu::Popup(int x, int y, HWND owner)
{
    DoPopup();
    HMENU menu = Handle();
    if (!menu)
        return false;
    UINT cmd = Tracker() ? Tracker()(menu, x, y, owner) : SystemTrack(menu, x, y, owner);
    return DispatchNativeCommand(cmd);
}

TPopupMenu::TTracker TPopupMenu::SetTracker(TTracker tracker)
{
    return std::exchange(Tracker(), std::move(tracker));
}

// ---- messages

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

bool HandleMenuMessage(HWND, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    result = 0;
    switch (msg) {
    case WM_INITMENUPOPUP: {
        if (HIWORD(lParam))
            return false;  // the window menu
        TMenuItem* item = FindMenuItemBySubmenu(reinterpret_cast<HMENU>(wParam));
        if (!item)
            return false;
        if (item->Parent())
            item->Click();
        item->FillSubmenu();
        return true;
    }
    case WM_MENUSELECT: {
        const UINT flags = HIWORD(wParam);
        if (flags == 0xFFFF && lParam == 0) {
            Application().SetHint({});  // the menu closed
            return true;
        }
        TMenuItem* item = nullptr;
        if (flags & MF_POPUP) {
            HMENU sub = GetSubMenu(reinterpret_cast<HMENU>(lParam), LOWORD(wParam));
            item = sub ? FindMenuItemBySubmenu(sub) : nullptr;
        } else if (!(flags & MF_SEPARATOR)) {
            item = FindMenuItemByCommand(LOWORD(wParam));
        }
        Application().SetHint(item ? GetLongHint(item->Hint()) : std::string());
        return true;
    }
    case WM_COMMAND: {
        if (HIWORD(wParam) != 0 || lParam != 0)
            return false;
        TMenuItem* item = FindMenuItemByCommand(LOWORD(wParam));
        if (!item)
            return false;
        if (Runnable(*item))
            item->Click();
        return true;
    }
    default:
        return false;
    }
}

} // namespace vellumo
