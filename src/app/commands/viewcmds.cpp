#include "app/commands/viewcmds.h"

namespace vellumo {

TViewMenuState ViewMenuState(const TAppIni& o, TEditMode mode, bool showsTextSize)
{
    TViewMenuState s;
    s.ToolBar = o.ToolBar;
    s.StatusBar = o.StatusBar;
    s.InyouRow = o.InyouRow;
    s.LinkWord = o.LinkWord;
    s.UrlEx = o.UrlEx;
    s.WordWrap = o.WordWrap;
    s.ColLine = o.ColLine;
    s.Byte = showsTextSize;
    s.ByteVisible = o.StatusBar;
    s.InyouEnabled = mode == emStandard;
    s.LinkEnabled = mode == emStandard || mode == emIni || mode == emBat;
    s.UrlExEnabled = s.LinkEnabled && s.LinkWord;
    const std::string count = std::to_string(o.WrapCount);
    s.WrapCaption = count + " 桁で折り返し(&W)";
    s.WrapHint = count + " 桁で折り返し ON/OFF";
    return s;
}

std::string NowWidthCaption(int width) { return "&0: " + std::to_string(width) + " 桁 (右端)"; }

int TabCountItem(int tabSpaceCount) noexcept { return tabSpaceCount >= 1 && tabSpaceCount <= 8 ? tabSpaceCount - 1 : -1; }

} // namespace vellumo
