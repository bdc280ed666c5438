#include "classlib/panel_win.h"

#include "classlib/canvas_win.h"

namespace vellumo {

TPanel::TPanel(TForm& form, const std::string& caption) : TWinControlChild(form)
{
    tabStop_ = false;
    SetCaption(caption);
    font_.OnChange = [this] { ShowFont(); };
}

TPanel::~TPanel()
{
    font_.OnChange = nullptr;
    // The window goes with the base class: it must not draw with a freed font meanwhile.
    if (HandleAllocated()) SendMessageA(Handle(), WM_SETFONT, 0, FALSE);
}

HFONT TPanel::ShownFont() const noexcept { return shown_ ? FontHandle(*shown_) : nullptr; }

void TPanel::Created() { ShowFont(); }

void TPanel::ShowFont()
{
    if (!HandleAllocated()) return;
    // TFont reports before it drops its old object: the window takes a
    // fresh copy's object, then the copy it used before is freed.
    auto fresh = std::make_unique<TFont>(font_);
    SendMessageA(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle(*fresh)), TRUE);
    shown_ = std::move(fresh);
}

} // namespace vellumo
