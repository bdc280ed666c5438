#include "classlib/application_win.h"

#include <algorithm>
#include <exception>

#include "classlib/form_win.h"
#include "base/shortcut.h"
#include "base/showmsg.h"

namespace vellumo {

namespace {

// Posted to the application window so that the activation handlers run
// after the activation itself has finished.
constexpr UINT kActivateMsg = WM_USER + 0x100;

void Report(const char* what)
{
    ShowMsg(what && *what ? what : "Internal error", kMsgCaption, kMsgIconError);
}

// Runs a handler of the pump: nothing it throws goes further.
template <class F>
void Guarded(F&& f)
{
    try {
        f();
    } catch (const std::exception& e) {
        Report(e.what());
    } catch (...) {
        Report(nullptr);
    }
}

} // namespace

TShortCut ShortCutOfKeyMessage(const MSG& msg)
{
    TShortCut mods = 0;
    if (GetKeyState(VK_SHIFT) < 0)
        mods |= scShift;
    if (GetKeyState(VK_CONTROL) < 0)
        mods |= scCtrl;
    // A system key message carries Alt in its context bit.
    if (GetKeyState(VK_MENU) < 0 || (msg.message == WM_SYSKEYDOWN && (msg.lParam & (1 << 29))))
        mods |= scAlt;
    return ShortCut(static_cast<unsigned>(msg.wParam), mods);
}

TApplication& Application()
{
    static TApplication app;
    return app;
}

TApplication::~TApplication() = default;

HWND TApplication::Handle()
{
    if (handle_)
        return handle_;
    HINSTANCE inst = GetModuleHandleA(nullptr);
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    if (!GetClassInfoExA(inst, "TApplication", &wc)) {
        wc = WNDCLASSEXA{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = &TApplication::WndProc;
        wc.hInstance = inst;
        wc.hIcon = LoadIconA(inst, MAKEINTRESOURCEA(1));
        wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
        wc.lpszClassName = "TApplication";
        RegisterClassExA(&wc);
    }
    const int x = GetSystemMetrics(SM_CXSCREEN) / 2, y = GetSystemMetrics(SM_CYSCREEN) / 2;
    handle_ = CreateWindowExA(0, "TApplication", title_.c_str(),
                              WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX, x, y, 0, 0,
                              nullptr, nullptr, inst, nullptr);
    return handle_;
}

void TApplication::SetTitle(const std::string& title)
{
    title_ = title;
    if (handle_)
        SetWindowTextA(handle_, title.c_str());
}

bool TApplication::HandleMessage()
{
    MSG msg;
    BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0 || got == -1) {
        terminated_ = true;
        return false;
    }
    HandleQueuedMessage(msg);
    return true;
}

void TApplication::ProcessMessages()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            terminated_ = true;
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        HandleQueuedMessage(msg);
    }
}

bool TApplication::PreTranslate(MSG& msg)
{
    bool handled = false;
    if (OnMessage)
        Guarded([&] { OnMessage(msg, handled); });
    if (handled)
        return true;
    if ((msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) && msg.hwnd) {
        const TShortCut sc = ShortCutOfKeyMessage(msg);
        bool ran = false;
        HWND root = GetAncestor(msg.hwnd, GA_ROOT);
        for (auto& h : shortCutHandlers_) {
            if (h.first != root || !IsWindowEnabled(root))
                continue;
            TShortCutHandler handler = h.second;  // it may change the list
            Guarded([&] { ran = handler(sc); });
            break;
        }
        if (ran)
            return true;
    }
    return IsFormDialogMessage(msg);
}

void TApplication::HandleQueuedMessage(MSG& msg)
{
    if (PreTranslate(msg))
        return;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
}

void TApplication::Minimize()
{
    if (!IsIconic(Handle()))
        ShowWindow(Handle(), SW_MINIMIZE);
}

void TApplication::Restore()
{
    if (IsIconic(Handle()))
        ShowWindow(Handle(), SW_RESTORE);
}

bool TApplication::Minimized() const { return handle_ && IsIconic(handle_); }

void TApplication::BringToFront()
{
    Restore();
    HWND main = MainWindow();
    SetForegroundWindow(main && IsWindowVisible(main) ? main : Handle());
}

void TApplication::SetHint(const std::string& hint)
{
    if (hint == hint_)
        return;
    hint_ = hint;
    auto listeners = hintListeners_;  // a listener may remove itself
    for (auto& l : listeners)
        Guarded([&] { l.second(hint_); });
}

int TApplication::AddHintListener(THintListener listener)
{
    hintListeners_.emplace_back(nextListener_, std::move(listener));
    return nextListener_++;
}

void TApplication::RemoveHintListener(int id)
{
    hintListeners_.erase(std::remove_if(hintListeners_.begin(), hintListeners_.end(),
                                        [id](const auto& l) { return l.first == id; }),
                         hintListeners_.end());
}

void TApplication::SetShortCutHandler(HWND window, TShortCutHandler handler)
{
    shortCutHandlers_.erase(std::remove_if(shortCutHandlers_.begin(), shortCutHandlers_.end(),
                                           [window](const auto& h) { return h.first == window; }),
                            shortCutHandlers_.end());
    if (window && handler)
        shortCutHandlers_.emplace_back(window, std::move(handler));
}

void TApplication::ResetForTests()
{
    terminated_ = false;
    OnMessage = nullptr;
    OnActivate = OnDeactivate = OnMinimize = OnRestore = nullptr;
    hint_.clear();
    shortCutHandlers_.clear();
    MSG msg;
    while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    if (handle_ && IsIconic(handle_))
        ShowWindow(handle_, SW_RESTORE);
    if (handle_)
        ShowWindow(handle_, SW_HIDE);
}

LRESULT CALLBACK TApplication::WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    TApplication& app = Application();
    if (hwnd != app.handle_)
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    LRESULT result = 0;
    try {
        result = app.AppWindowMessage(msg, wParam, lParam);
    } catch (const std::exception& e) {
        Report(e.what());
    } catch (...) {
        Report(nullptr);
    }
    return result;
}

LRESULT TApplication::AppWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    HWND main = MainWindow();
    switch (msg) {
    case WM_ACTIVATEAPP:
        active_ = wParam != 0;
        PostMessageA(handle_, kActivateMsg, wParam, 0);
        break;
    case kActivateMsg:
        if (wParam && OnActivate)
            OnActivate();
        else if (!wParam && OnDeactivate)
            OnDeactivate();
        return 0;
    case WM_SIZE:
        // The main window goes and comes with the task-bar button, without
        // losing its own visible state.
        if (wParam == SIZE_MINIMIZED && main && IsWindowVisible(main)) {
            SetWindowPos(main, nullptr, 0, 0, 0, 0,
                         SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            hiddenMain_ = main;
        } else if (wParam == SIZE_RESTORED && hiddenMain_) {
            if (IsWindow(hiddenMain_) && !IsWindowVisible(hiddenMain_))
                SetWindowPos(hiddenMain_, nullptr, 0, 0, 0, 0,
                             SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            hiddenMain_ = nullptr;
        }
        if (wParam == SIZE_MINIMIZED && OnMinimize)
            OnMinimize();
        else if (wParam == SIZE_RESTORED && OnRestore)
            OnRestore();
        break;
    case WM_SETFOCUS:
        // The button was chosen: the main window takes the activation.
        if (main && IsWindowVisible(main) && IsWindowEnabled(main)) {
            SetActiveWindow(main);
            return 0;
        }
        break;
    case WM_CLOSE:
        // The task bar's Close asks the main window; the application window
        // is never destroyed with the windows it owns.
        if (main)
            PostMessageA(main, WM_CLOSE, 0, 0);
        return 0;
    default:
        break;
    }
    return DefWindowProcA(handle_, msg, wParam, lParam);
}

} // namespace vellumo
