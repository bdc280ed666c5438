#include "app/window/wrapwidthmenu.h"

#include "settings/settings.h"

namespace vellumo {

std::vector<TWrapWidthItem> WrapWidthMenuItems(const std::vector<int>& widths)
{
    std::vector<TWrapWidthItem> items;
    for (std::size_t i = 0; i < widths.size() && i < static_cast<std::size_t>(MaxWrapWidths); ++i) {
        const std::string position = std::to_string(i + 1);
        const std::string width = std::to_string(widths[i]);
        TWrapWidthItem item;
        item.Tag = widths[i];
        item.Caption = "&" + position + ": " + width + " 桁";
        item.Hint = width + " 桁で折り返し";
        item.ShortCut = TextToShortCut("Shift+Ctrl+" + position);
        items.push_back(std::move(item));
    }
    return items;
}

} // namespace vellumo
