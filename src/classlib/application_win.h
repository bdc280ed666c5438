#pragma once
// The application object: one per process. It owns a small top-level window
// of its own (the task-bar button, with Title as its text) that owns the
// main window, and the one message pump of the program:
//   OnMessage -> the main window's shortcut handler (key messages) -> the
//   dialog keys of the form the message is for -> translate and dispatch.
// ProcessMessages here and in form.h, the main window's loop (HandleMessage)
// and the modal loops of forms all take their messages through
// HandleQueuedMessage. The main window is known by SetMainWindow (form.h):
// the application window minimizes, restores, activates and asks it to close.
// Windows only; GUI thread only.
#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "base/shortcut.h"

namespace vellumo {

class TApplication {
public:
    TApplication(const TApplication&) = delete;
    TApplication& operator=(const TApplication&) = delete;

    // The application window, made on first use: a top-level window of size
    // 0 that the program shows for the task-bar button.
    HWND Handle();
    bool HandleAllocated() const { return handle_ != nullptr; }

    // The text of the task-bar button.
    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& title);

    // A quit message has arrived: the main window's loop ends.
    bool Terminated() const { return terminated_; }

    // Handles every pending message, then returns. A quit message is left in
    // the queue (and Terminated set) for the loop that owns it.
    void ProcessMessages();
    // Waits for one message and handles it. False on the quit message.
    bool HandleMessage();
    // One message taken from the queue, through the pump's stages above.
    void HandleQueuedMessage(MSG& msg);

    // Minimizes the application window (the main window disappears with it)
    // and restores it.
    void Minimize();
    void Restore();
    bool Minimized() const;
    // Brings the main window (or the application window) to the foreground.
    void BringToFront();
    // One of the application's windows is the active one.
    bool Active() const { return active_; }

    // Called for every message taken from the queue before anything else;
    // setting handled stops its further processing.
    std::function<void(MSG& msg, bool& handled)> OnMessage;
    // The application became active / inactive (after the activation, posted
    // so that handlers may show windows).
    std::function<void()> OnActivate;
    std::function<void()> OnDeactivate;
    std::function<void()> OnMinimize;
    std::function<void()> OnRestore;

    // The current hint (long part): menu items under the cursor and tool
    // buttons under the mouse set it; status bars with AutoHint show it.
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& hint);
    // Called after every change of Hint (the status bars register here).
    using THintListener = std::function<void(const std::string& hint)>;
    int AddHintListener(THintListener listener);
    void RemoveHintListener(int id);

    // Shortcuts of a main window: key messages for the window or its
    // children go to the handler after OnMessage (not while the window is
    // disabled); it returns true when it ran a command (the key is then not
    // dispatched). An empty handler removes the window.
    using TShortCutHandler = std::function<bool(TShortCut shortCut)>;
    void SetShortCutHandler(HWND window, TShortCutHandler handler);

    // Tests: forget Terminated and the handlers, and remove a quit message
    // left in the queue, so that another loop can start.
    void ResetForTests();

private:
    friend TApplication& Application();
    TApplication() = default;
    ~TApplication();
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT AppWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    bool PreTranslate(MSG& msg);

    HWND handle_ = nullptr;
    std::string title_;
    std::string hint_;
    HWND hiddenMain_ = nullptr;
    bool terminated_ = false;
    bool active_ = false;
    int nextListener_ = 1;
    std::vector<std::pair<int, THintListener>> hintListeners_;
    std::vector<std::pair<HWND, TShortCutHandler>> shortCutHandlers_;
};

// The one application object of the process.
TApplication& Application();

// The shortcut of a WM_KEYDOWN or WM_SYSKEYDOWN message: its key with the
// Shift, Ctrl and Alt state of the moment (Alt also from a system key's
// context bit).
TShortCut ShortCutOfKeyMessage(const MSG& msg);

} // namespace vellumo
