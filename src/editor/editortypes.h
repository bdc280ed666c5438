#pragma once
// Small enumerations of the editor control that portable code uses too.

#include "classlib/borderstyle.h"

namespace vellumo {

// The editor uses bsNone and bsSingle only.
using TBorderStyle = TFormBorderStyle;
enum TScrollStyle : unsigned char { ssNone = 0, ssHorizontal = 1, ssVertical = 2, ssBoth = 3 };
enum TSelectionMode : unsigned char { smNormal = 0, smBox = 1 };

// A caret place that outlives a change of rows (word wrap, the wrap column,
// the tab width): the logical line, the byte within it, and the columns a
// free caret stands past the line's end.
struct TTextPlace {
    int Line = 0, Byte = 0, Beyond = 0;
    bool operator==(const TTextPlace&) const = default;
};

} // namespace vellumo
