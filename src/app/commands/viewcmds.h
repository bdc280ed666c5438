#pragma once
// What the View menu shows and decides, apart from doing it. Every tick
// comes from the settings, so a shortcut that runs before the menu ever
// opened toggles from the same state the menu would show.
#include <string>

#include "editor/editmode.h"
#include "settings/settings.h"

namespace vellumo {

struct TViewMenuState {
    bool ToolBar = false, StatusBar = false;  // ticks
    bool InyouRow = false, LinkWord = false, UrlEx = false;
    bool WordWrap = false, ColLine = false, Byte = false;
    bool ByteVisible = false;  // the text-size item and the separator after it
    bool InyouEnabled = false, LinkEnabled = false, UrlExEnabled = false;
    std::string WrapCaption, WrapHint;  // of the word-wrap item
};

// showsTextSize: status panel 1 shows the text's size.
TViewMenuState ViewMenuState(const TAppIni& option, TEditMode mode, bool showsTextSize);

// The "&0" item of the wrap-width submenu for the window's wrap column.
std::string NowWidthCaption(int width);

// The tab-width item for a tab width (0-based), or -1 outside 1..8.
int TabCountItem(int tabSpaceCount) noexcept;

} // namespace vellumo
