#pragma once
// The application object: one per process. It owns a small top-level window
// of its own (the task-bar button, with Title as its text) that owns the main
// form, and the one message pump of the program:
//   OnMessage -> the shortcuts of the main form's menu and action lists, or
//   of a plain main window's shortcut handler (key messages) -> the dialog
//   keys of the form the message is for -> translate and dispatch.
// ProcessMessages here and in form.h, and the modal loops of forms, all take
// their messages through HandleQueuedMessage. Windows only; GUI thread only.
//
//   TApplication& app = Application();
//   app.SetTitle("Vellumo");
//   TMyMainForm form;          // a TMainFormBase: becomes app.MainForm()
//   app.Run();
#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "classlib/shortcut.h"

namespace vellumo {

class TForm;
class TMainFormBase;

class TApplication {
public:
    TApplication(const TApplication&) = delete;
    TApplication& operator=(const TApplication&) = delete;

    // The application window, made on first use: a top-level window of size
    // 0 that is shown (for the task-bar button) when Run shows the main form.
    HWND Handle();
    bool HandleAllocated() const { return handle_ != nullptr; }

    // The text of the task-bar button.
    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& title);

    // The main form: its window is owned by the application window; closing
    // it ends Run. The first TMainFormBase made becomes the main form. A main
    // window that is not a form is known by SetMainWindow (form.h): the
    // application window then minimizes, restores, activates and asks it to
    // close in the same way.
    TForm* MainForm() const { return mainForm_; }
    void SetMainForm(TForm* form);

    // Whether Run shows the main form (default on).
    bool ShowMainForm() const { return showMainForm_; }
    void SetShowMainForm(bool on) { showMainForm_ = on; }

    // Shows the application window and (unless ShowMainForm is off or the
    // application was already told to end) the main form, then handles
    // messages until Terminate or the main form closes. Afterwards the main
    // form's window is destroyed (its OnDestroy runs while it still exists).
    void Run();
    // Ends Run: posts the quit message. Terminated is true from here on.
    void Terminate();
    bool Terminated() const { return terminated_; }

    // Handles every pending message, then returns. A quit message is left in
    // the queue (and Terminated set) for the loop that owns it.
    void ProcessMessages();
    // Waits for one message and handles it. False on the quit message.
    bool HandleMessage();
    // One message taken from the queue, through the pump's stages above.
    void HandleQueuedMessage(MSG& msg);

    // Minimizes the application window (the main form disappears with it)
    // and restores it.
    void Minimize();
    void Restore();
    bool Minimized() const;
    // Brings the main form (or the application window) to the foreground.
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

    // Shortcuts of a main window that is not a TMainFormBase: key messages
    // for the window or its children go to the handler after OnMessage; it
    // returns true when it ran a command (the key is then not dispatched).
    // An empty handler removes the window.
    using TShortCutHandler = std::function<bool(TShortCut shortCut)>;
    void SetShortCutHandler(HWND window, TShortCutHandler handler);

    // Tests: forget the main form, Terminated and the handlers, and remove a
    // quit message left in the queue, so that another Run can start.
    void ResetForTests();

private:
    friend TApplication& Application();
    TApplication() = default;
    ~TApplication();
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT AppWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    HWND MainHandle() const;
    bool PreTranslate(MSG& msg);

    HWND handle_ = nullptr;
    std::string title_;
    std::string hint_;
    TForm* mainForm_ = nullptr;
    HWND hiddenMain_ = nullptr;
    bool showMainForm_ = true;
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
