#include "classlib/panel_win.h"

namespace vellumo {

TPanel::TPanel(TForm& form) : TWinControlChild(form) { tabStop_ = false; }

void TPanel::Created() { SetWindowPos(Handle(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE); }

} // namespace vellumo
