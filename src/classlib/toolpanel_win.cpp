#include "classlib/toolpanel_win.h"

namespace vellumo {

TToolPanel::TToolPanel(TForm& form) : TWinControlChild(form) { tabStop_ = false; }

void TToolPanel::Created() { SetWindowPos(Handle(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE); }

} // namespace vellumo
