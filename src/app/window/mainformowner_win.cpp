#include "app/window/mainformowner_win.h"

#include <commctrl.h>

#include "classlib/application_win.h"
#include "classlib/form_win.h"

namespace vellumo {

namespace {

// The task bar's Close goes to the application window: it must ask the
// main window (save changes?), never destroy it with its owner.
LRESULT CALLBACK AppWindowFilter(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    if (msg == WM_CLOSE) {
        if (HWND main = MainWindow()) PostMessageA(main, WM_CLOSE, 0, 0);
        return 0;
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

} // namespace

void RegisterMainWindow(HWND window) { SetMainWindow(window); }

void PumpMessagesOnce() { ProcessMessages(); }

HWND ApplicationWindow()
{
    static const HWND h = [] {
        HWND w = Application().Handle();
        SetWindowSubclass(w, AppWindowFilter, 1, 0);
        return w;
    }();
    return h;
}

void SetApplicationTitle(const std::string& title) { Application().SetTitle(title); }

void ShowApplicationWindow()
{
    ShowWindow(ApplicationWindow(), SW_SHOWNOACTIVATE);
    KeepApplicationWindowHidden();
}

void MinimizeApplication() { Application().Minimize(); }

void KeepApplicationWindowHidden()
{
    RECT r;
    HWND app = ApplicationWindow();
    if (!IsIconic(app) && GetWindowRect(app, &r) && (r.left >= 0 || r.top >= 0 || r.right >= 0 || r.bottom >= 0))
        SetWindowPos(app, nullptr, -100, -100, 0, 0, SWP_NOACTIVATE | SWP_NOZORDER);
}

const char* OpenFileNameEditClass()
{
    // The edit class other instances look for; a form's edit registers it too.
    static const char* name = [] {
        WNDCLASSA wc{};
        HINSTANCE inst = GetModuleHandleA(nullptr);
        if (!GetClassInfoA(inst, "TEdit", &wc)) {
            GetClassInfoA(nullptr, "EDIT", &wc);
            wc.hInstance = inst;
            wc.lpszClassName = "TEdit";
            RegisterClassA(&wc);
        }
        return "TEdit";
    }();
    return name;
}

} // namespace vellumo
