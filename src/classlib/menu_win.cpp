#include "classlib/menu.h"

#include <utility>

namespace vellumo {

namespace {

TPopupMenu::TTracker& Tracker()
{
    static TPopupMenu::TTracker tracker;
    return tracker;
}

UINT SystemTrack(HMENU menu, int x, int y, HWND owner)
{
    // The owner must be the foreground window or the menu would not close
    // when the user clicks elsewhere.
    HWND top = GetAncestor(owner, GA_ROOT);
    SetForegroundWindow(top ? top : owner);
    UINT cmd = static_cast<UINT>(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN,
                                                x, y, 0, owner, nullptr));
    PostMessageA(owner, WM_NULL, 0, 0);
    return cmd;
}

} // namespace

void TMenuItem::Click()
{
    if (enabled_ && OnClick)
        OnClick(*this);
}

TMenuItem& TPopupMenu::Add(const std::string& caption, const std::string& shortCut,
                           std::function<void(TMenuItem&)> onClick)
{
    auto item = std::make_unique<TMenuItem>(caption);
    item->SetShortCut(TextToShortCut(shortCut));
    item->OnClick = std::move(onClick);
    items_.push_back(std::move(item));
    return *items_.back();
}

void TPopupMenu::DoPopup()
{
    if (OnPopup)
        OnPopup(*this);
}

HMENU TPopupMenu::BuildMenu() const
{
    HMENU menu = CreatePopupMenu();
    if (!menu)
        return nullptr;
    UINT pos = 0;
    for (std::size_t i = 0; i < items_.size(); ++i) {
        const TMenuItem& item = *items_[i];
        if (!item.Visible())
            continue;
        MENUITEMINFOA mi{};
        mi.cbSize = sizeof mi;
        mi.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE;
        mi.wID = static_cast<UINT>(i + 1);
        std::string text;
        if (item.IsSeparator()) {
            mi.fType = MFT_SEPARATOR;
        } else {
            text = item.Caption();
            std::string sc = ShortCutToText(item.ShortCut());
            if (!sc.empty())
                text += "\t" + sc;
            mi.fMask |= MIIM_STRING;
            mi.dwTypeData = text.data();
            mi.cch = static_cast<UINT>(text.size());
            mi.fType = item.RadioItem() ? MFT_RADIOCHECK : 0;
            mi.fState = (item.Enabled() ? MFS_ENABLED : MFS_DISABLED) | (item.Checked() ? MFS_CHECKED : 0);
        }
        InsertMenuItemA(menu, pos++, TRUE, &mi);
    }
    return menu;
}

bool TPopupMenu::DispatchCommand(UINT command)
{
    if (command == 0 || command > items_.size())
        return false;
    TMenuItem& item = *items_[command - 1];
    if (item.IsSeparator() || !item.Enabled() || !item.Visible())
        return false;
    item.Click();
    return true;
}

bool TPopupMenu::Popup(int x, int y, HWND owner)
{
    DoPopup();
    HMENU menu = BuildMenu();
    if (!menu)
        return false;
    UINT cmd = 0;
    try {
        cmd = Tracker() ? Tracker()(menu, x, y, owner) : SystemTrack(menu, x, y, owner);
    } catch (...) {
        DestroyMenu(menu);
        throw;
    }
    DestroyMenu(menu);
    return DispatchCommand(cmd);
}

TPopupMenu::TTracker TPopupMenu::SetTracker(TTracker tracker)
{
    return std::exchange(Tracker(), std::move(tracker));
}

} // namespace vellumo
