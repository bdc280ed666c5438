#pragma once
// The main window's status bar: ten panels, panel 0 showing menu hints
// while AutoHint is on and status messages otherwise. Windows only.
#include <windows.h>

#include <array>
#include <string>

#include "app/window/mainformstatus.h"

namespace vellumo {

class TMainStatusBar {
public:
    static constexpr int PanelCount = kStatusPanelCount;
    TMainStatusBar() = default;
    ~TMainStatusBar();
    TMainStatusBar(const TMainStatusBar&) = delete;
    TMainStatusBar& operator=(const TMainStatusBar&) = delete;

    void Create(HWND parent);
    HWND Handle() const noexcept { return handle_; }
    // Takes ownership of the font.
    void SetFont(HFONT font);
    bool Visible() const;
    void SetVisible(bool on);
    int Height() const;

    const std::string& PanelText(int panel) const { return texts_.at(static_cast<std::size_t>(panel)); }
    void SetPanelText(int panel, const std::string& text);
    bool AutoHint = true;

    // Bottom of the parent; panel 0 takes what the others leave. The bar is
    // repainted at once and again 20 ms later.
    void Resize(bool maximized);
    int PanelWidth(int panel) const { return widths_.at(static_cast<std::size_t>(panel)); }
    // Invalidates and paints the whole bar now.
    void RepaintNow();

private:
    void ApplyPanel(int panel);

    HWND handle_ = nullptr;
    HFONT font_ = nullptr;
    std::array<std::string, PanelCount> texts_{};
    TStatusPanelWidths widths_ = kStatusPanelWidths;
};

} // namespace vellumo
