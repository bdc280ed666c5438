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

void Restack(HWND h, HWND where)
{
    UINT flags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
    if (!OnThisThread(h)) flags |= SWP_ASYNCWINDOWPOS;
    SetWindowPos(h, where, 0, 0, 0, 0, flags);
}

// Under the other main windows, its owner first: an owned window stays above
// its owner, and moving the owner alone leaves the main window where it was
// (not every system takes the owned windows along). Both requests go to the
// same thread, so they are done in this order.
void LowerWithOwner(HWND main)
{
    const HWND owner = OwnerOf(main);
    if (owner != main) Restack(owner, HWND_BOTTOM);
    Restack(main, HWND_BOTTOM);
}

// Sequence numbers of the restores sent; those of an earlier command that
// come back late (an instance that hung for a while) are not counted.
ULONG_PTR g_restoreBase = 0, g_restoreNext = 0;
std::size_t g_restoresDone = 0;

void CALLBACK RestoreDone(HWND, UINT, ULONG_PTR sequence, LRESULT)
{
    if (sequence > g_restoreBase) ++g_restoresDone;
}

// Each owner restores itself, which activates it. Sent, not posted, so that
// this window can take the front back after them; the answers are awaited
// a moment only, as an instance that hung never gives one.
void RestoreEach(const std::vector<HWND>& windows)
{
    g_restoreBase = g_restoreNext;
    g_restoresDone = 0;
    std::size_t sent = 0;
    for (HWND h : windows)
        if (SendMessageCallbackA(OwnerOf(h), WM_SYSCOMMAND, SC_RESTORE, 0, RestoreDone, ++g_restoreNext)) ++sent;
    const DWORD start = GetTickCount();
    while (g_restoresDone < sent && GetTickCount() - start < 300) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_SENDMESSAGE);
        MSG m;
        PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);  // runs the callbacks
    }
}

// After a restore of all, the window system's late word on the restored
// windows' activation can still hand the foreground to one of them or to the
// desktop: for a moment this window takes it back, unless the user went on
// to another program meanwhile.
struct TKeepFront {
    HWND Self = nullptr;
    std::vector<HWND> Restored;  // main windows and their owners
    DWORD Until = 0;
    UINT_PTR Timer = 0;
} g_keepFront;

void CALLBACK KeepFront(HWND, UINT, UINT_PTR, DWORD)
{
    TKeepFront& k = g_keepFront;
    const HWND fore = GetForegroundWindow();
    const bool taken = !fore || fore == GetDesktopWindow() ||
                       std::find(k.Restored.begin(), k.Restored.end(), fore) != k.Restored.end();
    if (taken && IsWindow(k.Self)) SetForegroundWindow(k.Self);
    if ((fore != k.Self && !taken) || static_cast<LONG>(GetTickCount() - k.Until) >= 0 || !IsWindow(k.Self)) {
        KillTimer(nullptr, k.Timer);
        k.Timer = 0;
    }
}

void KeepInFront(HWND self, const std::vector<HWND>& restored)
{
    TKeepFront& k = g_keepFront;
    if (k.Timer) KillTimer(nullptr, k.Timer);
    k.Self = self;
    k.Restored.clear();
    for (HWND h : restored) {
        k.Restored.push_back(h);
        k.Restored.push_back(OwnerOf(h));
    }
    k.Until = GetTickCount() + 1000;
    k.Timer = SetTimer(nullptr, 0, 50, KeepFront);
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

void RaiseWithOwner(HWND main)
{
    const HWND owner = OwnerOf(main);
    if (owner != main) Restack(owner, HWND_TOP);
    Restack(main, HWND_TOP);
}

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
    RestoreEach(windows);
    if (windows.empty() || !self) return;
    // The restored ones came forward as they restored; this one stays in front.
    // Asked plainly: this process had the last input, and with the input
    // attached to a restored one's thread, the foreground would stay with
    // that thread's input (under Wine) once detached.
    ShowWindow(self, IsZoomed(self) ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
    RaiseWithOwner(self);
    SetForegroundWindow(self);
    KeepInFront(self, windows);
}

void ActivateNextWindow()
{
    const std::vector<HWND> windows = ListedWindows(TWindowList::ActiveReversed);
    if (windows.size() < 2) return;
    RaiseWithOwner(windows[0]);
    ForceForegroundWindow(OwnerOf(windows[0]));
}

void ActivatePreviousWindow()
{
    const std::vector<HWND> windows = ListedWindows(TWindowList::Active);
    if (windows.size() < 2) return;
    LowerWithOwner(windows[0]);
    RaiseWithOwner(windows[1]);
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
    else {
        RaiseWithOwner(window);
        ForceForegroundWindow(window);
    }
}

} // namespace vellumo
