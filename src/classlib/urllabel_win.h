#pragma once
// A label that behaves like a link: its colour follows the mouse over it and
// a press on it, it shows the hand cursor, and it can open its caption
// through the shell. Windows only; GUI thread only.
#include <functional>
#include <string>

#include "classlib/form_win.h"
#include "classlib/linkcolors.h"

namespace vellumo {

// The link label keeps to a namespace of its own, URLLabel.
namespace URLLabel {

class TURLLabel : public TLabel {
public:
    explicit TURLLabel(TForm& form, const std::string& caption = {});
    ~TURLLabel() override;

    // A press opens the caption through the shell.
    bool Executable() const noexcept { return executable_; }
    void SetExecutable(bool on) noexcept { executable_ = on; }
    bool HotTrack() const noexcept { return colors_.HotTrack; }
    void SetHotTrack(bool on);
    TColor HotColor() const noexcept { return colors_.HotColor; }
    void SetHotColor(TColor color);
    TColor PushedColor() const noexcept { return colors_.PushedColor; }
    void SetPushedColor(TColor color);
    // The colour with the mouse away; ShownColor is the one drawn now.
    void SetFontColor(TColor color);
    TColor ShownColor() const noexcept { return colors_.Color(); }

    // What an Executable press runs (the shell's open of the caption by
    // default; tests record it instead).
    std::function<void(const std::string& target)> OnExecute;

    // OnClick: a left press released over the label.

protected:
    DWORD ControlStyle() const override { return SS_OWNERDRAW | SS_NOTIFY; }
    void Created() override;
    bool DrawItem(const DRAWITEMSTRUCT& dis) override;

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void Mouse(UINT msg, LPARAM lParam);
    void Recolor(bool changed);

    TLinkColors colors_;
    bool executable_ = false;
    bool tracking_ = false;
    bool pressed_ = false;
    WNDPROC oldProc_ = nullptr;
};

} // namespace URLLabel

using URLLabel::TURLLabel;

} // namespace vellumo
