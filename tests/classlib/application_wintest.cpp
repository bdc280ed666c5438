#include <gtest/gtest.h>

#include <windows.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "classlib/application_win.h"
#include "classlib/control_win.h"
#include "classlib/form_win.h"
#include "support/winsupport_win.h"

using namespace vellumo;
using namespace vellumo::testing;

namespace {

// Every test leaves the application as it found it.
struct TAppReset {
    TAppReset() { Application().ResetForTests(); }
    ~TAppReset() { Application().ResetForTests(); }
};

TEST(Application, EveryLoopTakesItsMessagesThroughOnMessageAndLeavesTheQuitMessage)
{
    TAppReset reset;
    HWND w = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    std::vector<UINT> seen;
    Application().OnMessage = [&](MSG& m, bool& handled) {
        if (m.hwnd == w) {
            seen.push_back(m.message);
            handled = m.message == WM_USER + 1;
        }
    };
    PostMessageA(w, WM_USER + 1, 0, 0);
    Application().ProcessMessages();
    PostMessageA(w, WM_USER + 2, 0, 0);
    PostQuitMessage(3);
    ProcessMessages();  // the form library's entry: the same pump
    EXPECT_EQ(seen, (std::vector<UINT>{WM_USER + 1, WM_USER + 2}));
    EXPECT_TRUE(Application().Terminated());
    MSG quit;
    ASSERT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(quit.wParam, 3u);

    // A handler that throws is reported, not passed up the loop.
    TMsgRecorder rec;
    Application().OnMessage = [](MSG&, bool&) { throw std::runtime_error("handler failed"); };
    PostMessageA(w, WM_USER + 3, 0, 0);
    Application().ProcessMessages();
    ASSERT_EQ(rec.messages.size(), 1u);
    EXPECT_EQ(rec.messages[0].text, "handler failed");
    DestroyWindow(w);
}

// A main window that is not a form, known through SetMainWindow.
struct TPlainMain : TCustomControl {
    int closes = 0;
    void WndProc(TMessage& m) override
    {
        if (m.Msg == WM_CLOSE) {
            ++closes;
            return;
        }
        TCustomControl::WndProc(m);
    }
};

// A hidden main window owned by the application window, as the program's
// is; it stays the main window until the test ends.
struct TOwnedMain {
    TPlainMain window;
    TOwnedMain()
    {
        window.SetVisible(false);
        SetWindowLongPtrA(window.Handle(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(Application().Handle()));
        SetMainWindow(window.Handle());
    }
    ~TOwnedMain()
    {
        SetMainWindow(nullptr);
        window.Hide();
    }
};

TEST(Application, MinimizingTakesTheMainWindowAwayWithoutChangingItsVisibleState)
{
    TAppReset reset;
    TOwnedMain owned;
    TPlainMain& form = owned.window;
    int minimized = 0, restored = 0, activated = 0;
    Application().OnMinimize = [&] { ++minimized; };
    Application().OnRestore = [&] { ++restored; };
    Application().OnActivate = [&] { ++activated; };
    ShowWindow(Application().Handle(), SW_SHOWNOACTIVATE);
    form.Show();
    PumpMessages();
    Application().Minimize();
    EXPECT_TRUE(Application().Minimized());
    EXPECT_FALSE(IsWindowVisible(form.Handle()));
    EXPECT_TRUE(form.Visible());
    Application().Restore();
    EXPECT_FALSE(Application().Minimized());
    EXPECT_TRUE(IsWindowVisible(form.Handle()));
    EXPECT_EQ(minimized, 1);
    EXPECT_EQ(restored, 1);

    // Activation handlers run after the activation message, from the queue.
    Application().ProcessMessages();
    activated = 0;
    SendMessageA(Application().Handle(), WM_ACTIVATEAPP, TRUE, 0);
    EXPECT_EQ(activated, 0);
    Application().ProcessMessages();
    EXPECT_EQ(activated, 1);
}

TEST(Application, APlainMainWindowIsMinimizedRestoredAndAskedToClose)
{
    TAppReset reset;
    TPlainMain main;
    main.SetParentWindow(nullptr);
    main.SetVisible(false);
    HWND h = main.Handle();
    SetWindowLongPtrA(h, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(Application().Handle()));
    SetMainWindow(h);
    ShowWindow(Application().Handle(), SW_SHOWNOACTIVATE);
    main.Show();
    Application().Minimize();
    EXPECT_FALSE(IsWindowVisible(h));
    EXPECT_TRUE(main.Visible());
    Application().Restore();
    EXPECT_TRUE(IsWindowVisible(h));
    // The task bar's Close: the window is asked, the application window stays.
    SendMessageA(Application().Handle(), WM_CLOSE, 0, 0);
    Application().ProcessMessages();
    EXPECT_EQ(main.closes, 1);
    EXPECT_TRUE(IsWindow(Application().Handle()));
    EXPECT_TRUE(IsWindow(h));

    // Its shortcuts come from a handler of its own; what it declines is
    // dispatched as usual.
    std::vector<TShortCut> offered;
    std::vector<unsigned> keys;
    main.OnKeyDown = [&](unsigned& key, TShiftState) { keys.push_back(key); };
    Application().SetShortCutHandler(h, [&](TShortCut sc) {
        offered.push_back(sc);
        return sc == ShortCut('N', scCtrl);
    });
    BYTE saved[256], ctrl[256];
    GetKeyboardState(saved);
    std::copy(saved, saved + 256, ctrl);
    ctrl[VK_CONTROL] = 0x80;
    SetKeyboardState(ctrl);
    PostMessageA(h, WM_KEYDOWN, 'N', 0);
    PostMessageA(h, WM_KEYDOWN, 'B', 0);
    Application().ProcessMessages();
    SetKeyboardState(saved);
    EXPECT_EQ(offered, (std::vector<TShortCut>{ShortCut('N', scCtrl), ShortCut('B', scCtrl)}));
    EXPECT_EQ(keys, (std::vector<unsigned>{'B'}));
    SetMainWindow(nullptr);
    main.Hide();
}

// A window of another thread takes the activation and gives it back: the
// application hears both, as it would from another program.
TEST(Application, ActivationFromAnotherThreadReachesTheHandlers)
{
    TAppReset reset;
    TOwnedMain owned;
    TPlainMain& form = owned.window;
    int activated = 0, deactivated = 0;
    Application().OnActivate = [&] { ++activated; };
    Application().OnDeactivate = [&] { ++deactivated; };
    ShowWindow(Application().Handle(), SW_SHOWNOACTIVATE);
    form.Show();
    SetForegroundWindow(form.Handle());
    Application().ProcessMessages();
    activated = deactivated = 0;

    HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HWND other = nullptr;
    struct TArgs {
        HANDLE ready, done;
        HWND* window;
    } args{ready, done, &other};
    HANDLE thread = CreateThread(
        nullptr, 0,
        [](LPVOID p) -> DWORD {
            auto* a = static_cast<TArgs*>(p);
            *a->window = CreateWindowExA(0, "STATIC", "other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 50, 50,
                                         nullptr, nullptr, nullptr, nullptr);
            SetEvent(a->ready);
            while (MsgWaitForMultipleObjects(1, &a->done, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) {
                MSG m;
                while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE))
                    DispatchMessageA(&m);
            }
            DestroyWindow(*a->window);
            return 0;
        },
        &args, 0, nullptr);
    WaitForSingleObject(ready, 5000);
    SetForegroundWindow(other);
    const DWORD end = GetTickCount() + 2000;
    while (deactivated == 0 && static_cast<LONG>(end - GetTickCount()) > 0) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        Application().ProcessMessages();
    }
    SetForegroundWindow(form.Handle());
    const DWORD end2 = GetTickCount() + 2000;
    while (activated == 0 && static_cast<LONG>(end2 - GetTickCount()) > 0) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        Application().ProcessMessages();
    }
    SetEvent(done);
    WaitForSingleObject(thread, 5000);
    CloseHandle(thread);
    CloseHandle(ready);
    CloseHandle(done);
    EXPECT_EQ(deactivated, 1);
    EXPECT_EQ(activated, 1);
    EXPECT_TRUE(Application().Active());
}

} // namespace
