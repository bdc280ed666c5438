#pragma once
// A raised strip of the form beneath a row of the form's controls (a tool
// panel): it takes the clicks that fall between them, so that they never
// reach the form. The controls are the form's own, placed over its bounds.
// Make the panel after them: it steps under its siblings when it is made,
// and the system puts no later sibling beneath it then. Windows only; GUI
// thread only.
#include "classlib/form_win.h"

namespace vellumo {

class TToolPanel : public TWinControlChild {
public:
    explicit TToolPanel(TForm& form);

protected:
    const char* WindowClass() const override { return "STATIC"; }
    // SS_NOTIFY: a static without it lets the mouse through to its parent.
    DWORD ControlStyle() const override { return SS_NOTIFY | SS_ETCHEDFRAME | WS_CLIPSIBLINGS; }
    // The frame paints no inside: the form paints it.
    DWORD ControlExStyle() const override { return WS_EX_TRANSPARENT; }
    void Created() override;
};

} // namespace vellumo
