#pragma once
// The main window's status bar: ten panels, panel 0 showing menu hints
// while AutoHint is on and status messages otherwise. Windows only.
#include <windows.h>

#include <string>

#include "app/window/mainformstatus.h"
#include "classlib/statusbar_win.h"

namespace vellumo {

class TMainStatusBar : public TStatusBar {
public:
    // The panels as created, AutoHint on.
    TMainStatusBar();

    void Create(HWND parent);
    const std::string& PanelText(int panel) const { return Panels(panel).Text(); }
    void SetPanelText(int panel, const std::string& text) { Panels(panel).SetText(text); }
    int PanelWidth(int panel) const { return Panels(panel).Width(); }

    // Bottom of the parent; panel 0 takes what the others leave. The bar is
    // repainted at once and again 20 ms later.
    void Resize(bool maximized);

protected:
    void PanelTextSet(int index) override;

private:
    void FitFirstPanel();
    int TextWidth(const std::string& text) const;
    bool maximized_ = false;
};

} // namespace vellumo
