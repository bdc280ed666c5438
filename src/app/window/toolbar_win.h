#pragma once
// The main window's tool bar, made from the button table with images drawn
// at run time. Windows only.
#include <windows.h>
#include <commctrl.h>

#include <string_view>

namespace vellumo {

class TMainToolBar {
public:
    TMainToolBar() = default;
    ~TMainToolBar();
    TMainToolBar(const TMainToolBar&) = delete;
    TMainToolBar& operator=(const TMainToolBar&) = delete;

    // Button i of the table gets the command firstCommand + i.
    void Create(HWND parent, UINT firstCommand);
    HWND Handle() const noexcept { return handle_; }
    int Height() const;
    bool Visible() const;
    void SetVisible(bool on);
    void SetFlat(bool on);
    // Keeps the bar at the top of the parent's client area.
    void Resize();
    // The table row of a command, or -1.
    int ButtonOfCommand(UINT id) const noexcept;
    void SetButtonVisible(std::string_view name, bool on);
    void SetButtonEnabled(std::string_view name, bool on);
    bool ButtonEnabled(std::string_view name) const;

private:
    HWND handle_ = nullptr;
    HIMAGELIST images_ = nullptr;
    UINT first_ = 0;
};

// The tool-bar images (16 x 16, magenta transparent), drawn once.
HIMAGELIST CreateToolImages();

} // namespace vellumo
