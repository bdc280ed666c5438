#pragma once
// The main window's status bar: ten panels, panel 0 showing menu hints
// while AutoHint is on and status messages otherwise. Windows only.
#include <windows.h>

#include <array>
#include <string>

namespace vellumo {

class TMainStatusBar {
public:
    static constexpr int PanelCount = 10;
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

    // Bottom of the parent; panel 0 takes what the others leave.
    void Resize(bool maximized);

private:
    void ApplyPanel(int panel);

    HWND handle_ = nullptr;
    HFONT font_ = nullptr;
    std::array<std::string, PanelCount> texts_{};
    std::array<int, PanelCount> widths_{67, 110, 46, 46, 35, 51, 39, 35, 41, 50};
};

// Panel 0's width for a bar width: what panels 1 to 9 leave (18 more when
// maximized), at least 78.
int FirstPanelWidth(int barWidth, bool maximized, const std::array<int, 10>& widths) noexcept;

} // namespace vellumo
