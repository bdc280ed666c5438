#pragma once
// A lowered panel showing its caption centred in a font of its own (the font
// dialog's sample). Windows only; GUI thread only.
#include <memory>
#include <string>

#include "classlib/font.h"
#include "classlib/form_win.h"

namespace vellumo {

class TPanel : public TWinControlChild {
public:
    explicit TPanel(TForm& form, const std::string& caption = {});
    ~TPanel() override;

    // The caption's font; every change is shown at once. A later change of
    // the form's font reaches the panel too, until this one changes again.
    TFont& Font() noexcept { return font_; }
    // The font object the window draws with (null before it exists).
    HFONT ShownFont() const noexcept;

protected:
    const char* WindowClass() const override { return "STATIC"; }
    DWORD ControlStyle() const override { return SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX | SS_SUNKEN; }
    void Created() override;

private:
    void ShowFont();

    TFont font_;
    std::unique_ptr<TFont> shown_;  // the copy whose handle the window holds
};

} // namespace vellumo
