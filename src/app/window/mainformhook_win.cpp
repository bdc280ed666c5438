// On systems before Vista the program's own file dialogs are put at the
// client origin of the window that opened them, kept inside the work area.
#include <cstring>

#include "app/window/mainform_win.h"
#include "classlib/formplace.h"

namespace vellumo {

namespace {

// The placement hook while it is installed.
HHOOK DialogHook = nullptr;

struct TFind {
    const char* ClassName;
    HWND Found;
};

// Only this thread's windows: another process's window of the same class
// must not place our dialogs.
HWND FirstThreadWindowOfClass(const char* className)
{
    TFind f{className, nullptr};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND w, LPARAM p) -> BOOL {
            auto* find = reinterpret_cast<TFind*>(p);
            char name[260];
            if (GetClassNameA(w, name, sizeof name) && std::strcmp(name, find->ClassName) == 0) {
                find->Found = w;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&f));
    return f.Found;
}

} // namespace

const char* DialogAnchorClass(const char* caption)
{
    static constexpr const char* kMain[] = {"ファイルを開く", "名前を付けて保存"};
    static constexpr const char* kOption[] = {"Internet Explorer の実行ファイル", "Mozilla Firefox の実行ファイル",
                                              "色設定ファイルの読み込み", "色設定ファイルの保存"};
    for (const char* c : kMain)
        if (std::strcmp(caption, c) == 0) return "TVellumoMainForm";
    for (const char* c : kOption)
        if (std::strcmp(caption, c) == 0) return "TOptionForm";
    if (std::strcmp(caption, "実行ファイルを選択") == 0) return "TToolEditFrm";
    return nullptr;
}

HWND DialogAnchorWindow(const char* caption)
{
    const char* anchorClass = DialogAnchorClass(caption);
    return anchorClass ? FirstThreadWindowOfClass(anchorClass) : nullptr;
}

namespace {

void PlaceDialog(HWND dialog)
{
    char cls[261] = {}, caption[261] = {};
    GetClassNameA(dialog, cls, 260);
    GetWindowTextA(dialog, caption, 260);
    if (std::strcmp(cls, "#32770") != 0) return;
    HWND anchor = DialogAnchorWindow(caption);
    if (!anchor) return;
    POINT p{0, 0};
    ClientToScreen(anchor, &p);
    RECT d;
    GetWindowRect(dialog, &d);
    const int w = d.right - d.left, h = d.bottom - d.top;
    MONITORINFO mi{};
    mi.cbSize = sizeof mi;
    HWND main = VellumoMainForm() ? static_cast<HWND>(VellumoMainForm()->Handle()) : anchor;
    if (GetMonitorInfoA(MonitorFromWindow(main, MONITOR_DEFAULTTONEAREST), &mi)) {
        const TPlaceRect work{mi.rcWork.left, mi.rcWork.top, mi.rcWork.right, mi.rcWork.bottom};
        const TPlacePoint q = ClampIntoWorkArea({p.x, p.y}, w, h, work);
        p = {q.X, q.Y};
    }
    SetWindowPos(dialog, nullptr, p.x, p.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CALLBACK DialogPlacementHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION) {
        const auto* cwp = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (cwp && cwp->message == WM_SHOWWINDOW && cwp->wParam == 1) PlaceDialog(cwp->hwnd);
    }
    return CallNextHookEx(DialogHook, code, wParam, lParam);
}

} // namespace

void InstallDialogPlacementHook()
{
    if (!DialogHook) DialogHook = SetWindowsHookExA(WH_CALLWNDPROC, DialogPlacementHook, nullptr, GetCurrentThreadId());
}

void RemoveDialogPlacementHook()
{
    if (DialogHook) UnhookWindowsHookEx(DialogHook);
    DialogHook = nullptr;
}

} // namespace vellumo
