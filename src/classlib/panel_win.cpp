#include "classlib/panel_win.h"

namespace vellumo {

TPanel::TPanel(TForm& form) : TWinControlChild(form) { tabStop_ = false; }

} // namespace vellumo
