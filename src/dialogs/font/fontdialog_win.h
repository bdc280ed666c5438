#pragma once
// The program's own font chooser.
#include <windows.h>

#include "dialogs/font/fontinfo.h"

namespace vellumo {

// Shown at the client point (x, y) of owner. tenPointFive offers 10.5 points
// (stored as -14); allFonts lists proportional and vertical faces too.
// True, with info updated, on OK.
bool ExecuteFontDialog(TFontInfoA& info, int x, int y, HWND owner, bool tenPointFive, bool allFonts);

} // namespace vellumo
