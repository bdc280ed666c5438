#pragma once
// Small enumerations of the editor control that portable code uses too.

#include "classlib/borderstyle.h"

namespace vellumo {

// The editor uses bsNone and bsSingle only.
using TBorderStyle = TFormBorderStyle;
enum TScrollStyle : unsigned char { ssNone = 0, ssHorizontal = 1, ssVertical = 2, ssBoth = 3 };
enum TSelectionMode : unsigned char { smNormal = 0, smBox = 1 };

} // namespace vellumo
