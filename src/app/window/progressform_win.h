#pragma once
// The small modeless window shown while a long operation of the main window
// runs (reading standard input, replace-all, waiting for a tool): a text and
// an abort button; and the invisible window of a running tool. Windows only;
// GUI thread only.
#include <memory>
#include <string>

#include "classlib/form_win.h"
#include "classlib/timer_win.h"

namespace vellumo {

// The progress window as a unit of its own; inline, so callers need no prefix.
inline namespace VmPprog {

class TFormVeloProgress : public TForm {
public:
    // owner: the main window; anchor: the window whose client point (24, 24)
    // becomes the top-left (the active editor), or null.
    TFormVeloProgress(HWND owner, HWND anchor);

    TLabel Label1{*this};
    TButton Button1{*this, "中止"};
    TTimer Timer1;

    // Stores the text; the timer shows it.
    void SetText(const std::string& text) { pendingText_ = text; }
    const std::string& PendingText() const noexcept { return pendingText_; }
    // The abort button enabled or not, the pending text shown, pending
    // messages processed.
    void UpdateProgress(bool enableAbort);
    bool Aborted() const noexcept { return aborted_; }
    // The abort button: the caller ends its work after the current step.
    void Button1Click() noexcept { aborted_ = true; }

protected:
    void CreateParams(TCreateParams& params) override;
    void DoShow() override;

private:
    void Tick();
    HWND anchor_;
    std::string pendingText_;
    bool aborted_ = false;
};

// Creates the window owned by the form with the caption and the text, and
// shows it modeless.
std::unique_ptr<TFormVeloProgress> ShowProgressForm(HWND ownerForm, HWND anchor, const std::string& text,
                                                    const std::string& caption);

} // namespace VmPprog

// The invisible window shown while an external tool runs: no controls,
// size 0 at (-100, -100), shown without taking the activation.
class TVellumoDummyForm : public TForm {
public:
    explicit TVellumoDummyForm(HWND owner);
    void ShowNoActivate();

protected:
    void CreateParams(TCreateParams& params) override;
};

} // namespace vellumo
