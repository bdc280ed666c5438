#include "classlib/menu_win.h"

#include <exception>
#include <utility>
#include <vector>

#include "classlib/application_win.h"
#include "classlib/hinttext.h"
#include "base/showmsg.h"

namespace vellumo {

namespace {

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
        // An opening handler that fails is reported; the menu shows the
        // state its items have.
        bool handled = false;
        ReportFailures([&] { handled = HandleMenuMessage(hwnd, msg, wParam, lParam, result); });
        if (handled) return result;
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
    HMENU bar = Items().SubmenuHandleIfMade();
    if (bar && window_ && IsWindow(window_) && GetMenu(window_) == bar)
        ::SetMenu(window_, nullptr);
}

void TMainMenu::SetWindow(HWND window)
{
    HMENU bar = Items().SubmenuHandleIfMade();
    if (bar && window_ && window_ != window && IsWindow(window_) && GetMenu(window_) == bar)
        ::SetMenu(window_, nullptr);
    window_ = window;
    if (window)
        ::SetMenu(window, Handle());
}

void TMainMenu::RootChanged()
{
    HMENU bar = Items().SubmenuHandleIfMade();
    if (bar && window_ && IsWindow(window_) && GetMenu(window_) == bar)
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
