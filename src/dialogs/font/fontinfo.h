#pragma once
// The font dialog's value.
#include <string>

namespace vellumo {

// A face and a size in points; -14 stands for 10.5 points.
struct TFontInfoA {
    std::string Name;
    int Size = 0;
};

} // namespace vellumo
