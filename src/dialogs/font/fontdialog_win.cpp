#include "dialogs/font/fontdialog_win.h"

namespace vellumo {

// PLACEHOLDER until the font dialog lands: never chooses.
bool ExecuteFontDialog(TFontInfoA&, int, int, HWND, bool, bool) { return false; }

} // namespace vellumo
