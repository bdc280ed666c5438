#include <gtest/gtest.h>

#include "settings/settingsstore.h"
#include "app/window/wrapwidthmenu.h"
#include "base/inifile.h"

using namespace vellumo;

namespace {

TEST(WrapWidthMenu, TwelveListedWidthsGiveNineItemsWithShortcuts)
{
    std::string text = "[WrapByteList]\r\nItemCount=12\r\n";
    for (int i = 0; i < 12; ++i) text += "Item" + std::to_string(i) + "=" + std::to_string(120 - i * 5) + "\r\n";
    const auto ini = TMemIniFile::FromText("v.ini", text);
    const auto items = WrapWidthMenuItems(ReadWrapWidths(ini));
    ASSERT_EQ(items.size(), 9u);
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(items[i].Tag, 120 - i * 5);
        EXPECT_EQ(items[i].ShortCut, ShortCut('1' + i, scShift | scCtrl));
    }
    // "&1: 120 桁" and "120 桁で折り返し" in code page 932.
    EXPECT_EQ(items[0].Caption, "&1: 120 \x8C\x85");
    EXPECT_EQ(items[0].Hint, "120 \x8C\x85\x82\xC5\x90\xDC\x82\xE8\x95\xD4\x82\xB5");
    EXPECT_EQ(items[8].Caption, "&9: 80 \x8C\x85");
    EXPECT_TRUE(WrapWidthMenuItems({}).empty());
}

} // namespace
