// The arrangements and the window list on real windows. A plain
// SetWindowPos, ShowWindow or SendMessage on another process's window waits
// for that process: a hung instance would hang this one with it.
#include "app/startup/arrange_win.h"

#include <algorithm>
#include <optional>

#include "app/core/appfuncs.h"
#include "app/startup/instances.h"
#include "base/leadbytes.h"
#include "base/showmsg.h"

namespace vellumo {

namespace {

HWND OwnerOf(HWND h)
{
    HWND owner = GetWindow(h, GW_OWNER);
    return owner ? owner : h;
}

bool OnThisThread(HWND h) { return GetWindowThreadProcessId(h, nullptr) == GetCurrentThreadId(); }

std::vector<TListedWindow> TopLevelWindows()
{
    std::vector<TListedWindow> all;
    EnumWindows(
        [](HWND h, LPARAM p) -> BOOL {
            auto& all = *reinterpret_cast<std::vector<TListedWindow>*>(p);
            const HWND owner = OwnerOf(h);
            all.push_back({h, GetClassNameOf(h), IsWindowVisible(h) != FALSE, IsWindowVisible(owner) != FALSE,
                           IsIconic(owner) != FALSE});
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&all));
    return all;
}

// The text the system keeps for the window, without asking the window.
std::string StoredTitle(HWND h)
{
    wchar_t wide[256] = {};
    const int n = InternalGetWindowText(h, wide, 256);
    if (n <= 0) return {};
    char bytes[512] = {};
    const int m = WideCharToMultiByte(CP_ACP, 0, wide, n, bytes, sizeof bytes, nullptr, nullptr);
    std::string text(bytes, m > 0 ? static_cast<std::size_t>(m) : 0);
    // At most 255 bytes, never half a character.
    std::size_t end = 0;
    while (end < text.size()) {
        const std::size_t step = IsLeadByte(static_cast<unsigned char>(text[end])) ? 2 : 1;
        if (end + step > 255 || end + step > text.size()) break;
        end += step;
    }
    text.resize(end);
    return text;
}

void RestoreIfZoomed(HWND h)
{
    if (!IsZoomed(h)) return;
    if (OnThisThread(h))
        ShowWindow(h, SW_SHOWNOACTIVATE);
    else
        ShowWindowAsync(h, SW_SHOWNOACTIVATE);
}

void Place(HWND h, const TWindowBox& b)
{
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    if (!OnThisThread(h)) flags |= SWP_ASYNCWINDOWPOS;
    SetWindowPos(h, nullptr, b.Left, b.Top, b.Width, b.Height, flags);
}

void TooManyWindows() { ShowMsg("対象のウィンドウが多すぎます。", kMsgCaption, kMsgIconInformation); }

// The windows of a list placed in their boxes; the one at `active` (list
// position) is brought to the front.
void PlaceAll(const std::vector<HWND>& windows, const std::vector<TWindowBox>& boxes, std::size_t active)
{
    for (std::size_t i = 0; i < windows.size() && i < boxes.size(); ++i) {
        RestoreIfZoomed(windows[i]);
        Place(windows[i], boxes[i]);
    }
    if (active < windows.size()) ForceForegroundWindow(windows[active]);
}

using TLayout = std::optional<std::vector<TWindowBox>> (*)(int count, const TArea& area);

void Arrange(TLayout layout)
{
    const std::vector<HWND> windows = ListedWindows(TWindowList::Active);
    if (windows.empty()) return;
    const auto boxes = layout(static_cast<int>(windows.size()), WorkArea());
    if (!boxes) return TooManyWindows();
    PlaceAll(windows, *boxes, 0);
}

} // namespace

std::vector<HWND> ListedWindows(TWindowList list)
{
    std::vector<HWND> out;
    for (void* h : SelectWindows(TopLevelWindows(), list)) out.push_back(static_cast<HWND>(h));
    return out;
}

TArea WorkArea()
{
    RECT r{};
    if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &r, 0))
        r = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return {r.left, r.top, r.right, r.bottom};
}

void ArrangeTiled() { Arrange(TiledBoxes); }
void ArrangeStacked() { Arrange(StackedBoxes); }
void ArrangeSideBySide() { Arrange(SideBySideBoxes); }

void ArrangeCascaded()
{
    const std::vector<HWND> windows = ListedWindows(TWindowList::ActiveReversed);
    if (windows.empty()) return;
    const int step = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYFRAME) - 1;
    // The last of the list is the top of the Z order: it stays in front.
    PlaceAll(windows, CascadedBoxes(static_cast<int>(windows.size()), WorkArea(), step), windows.size() - 1);
}

void MinimizeAllWindows()
{
    for (HWND h : ListedWindows(TWindowList::Active)) PostMessageA(OwnerOf(h), WM_SYSCOMMAND, SC_MINIMIZE, 0);
}

void RestoreAllWindows(HWND self)
{
    const std::vector<HWND> windows = ListedWindows(TWindowList::Minimized);
    for (HWND h : windows) PostMessageA(OwnerOf(h), WM_SYSCOMMAND, SC_RESTORE, 0);
    if (windows.empty() || !self) return;
    // The restored ones come forward as they restore; this one stays in front.
    ShowWindow(self, IsZoomed(self) ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
    ForceForegroundWindow(self);
}

void ActivateNextWindow()
{
    const std::vector<HWND> windows = ListedWindows(TWindowList::ActiveReversed);
    if (windows.size() >= 2) ForceForegroundWindow(OwnerOf(windows[0]));
}

void ActivatePreviousWindow()
{
    const std::vector<HWND> windows = ListedWindows(TWindowList::Active);
    if (windows.size() < 2) return;
    const HWND top = OwnerOf(windows[0]);
    UINT flags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
    if (!OnThisThread(top)) flags |= SWP_ASYNCWINDOWPOS;
    SetWindowPos(top, HWND_BOTTOM, 0, 0, 0, 0, flags);
    ForceForegroundWindow(OwnerOf(windows[1]));
}

std::vector<TListedInstance> WindowListEntries()
{
    std::vector<TListedInstance> out;
    for (HWND h : ListedWindows(TWindowList::Shown)) out.push_back({h, ListedTitle(StoredTitle(OwnerOf(h)))});
    return out;
}

void BringInstanceForward(HWND window)
{
    // The handle was taken when the menu opened; it may name another window by now.
    if (!IsWindow(window) || GetClassNameOf(window) != kMainFormClass) return;
    const HWND owner = OwnerOf(window);
    if (IsIconic(owner))
        PostMessageA(owner, WM_SYSCOMMAND, SC_RESTORE, 0);
    else
        ForceForegroundWindow(window);
}

} // namespace vellumo
