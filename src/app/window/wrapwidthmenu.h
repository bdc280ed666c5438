#pragma once
// The items of the wrap-width menu, made from the settings' list of widths
// (the settings loader and the options dialog build the menu the same way).
#include <string>
#include <vector>

#include "base/shortcut.h"

namespace vellumo {

struct TWrapWidthItem {
    int Tag = 0;          // the width
    std::string Caption;  // "&1: 72 桁"
    std::string Hint;     // "72 桁で折り返し"
    TShortCut ShortCut = scNone;  // Shift+Ctrl+1 .. Shift+Ctrl+9
};

// One item per width, at most nine.
std::vector<TWrapWidthItem> WrapWidthMenuItems(const std::vector<int>& widths);

} // namespace vellumo
