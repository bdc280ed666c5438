// What the View menu shows when it opens, from the settings alone.
#include <gtest/gtest.h>

#include "app/commands/viewcmds.h"

using namespace vellumo;

TEST(ViewMenu, ItemsFollowTheModeTheSettingsAndTheWindow)
{
    const struct { TEditMode mode; bool linkWord; bool inyou, link, urlEx; } cases[] = {
        {emStandard, true, true, true, true}, {emStandard, false, true, true, false}, {emIni, true, false, true, true},
        {emBat, true, false, true, true},     {emHtml, true, false, false, false},    {emCpp, true, false, false, false},
    };
    for (const auto& c : cases) {
        TAppIni o;
        o.LinkWord = c.linkWord;
        const TViewMenuState s = ViewMenuState(o, c.mode, false);
        EXPECT_EQ(s.InyouEnabled, c.inyou) << c.mode;
        EXPECT_EQ(s.LinkEnabled, c.link) << c.mode;
        EXPECT_EQ(s.UrlExEnabled, c.urlEx) << c.mode << " " << c.linkWord;
    }
    TAppIni o;
    o.WrapCount = 72;
    o.StatusBar = false;
    const TViewMenuState s = ViewMenuState(o, emStandard, true);
    EXPECT_EQ(s.WrapCaption, "72 桁で折り返し(&W)");
    EXPECT_EQ(s.WrapHint, "72 桁で折り返し ON/OFF");
    EXPECT_TRUE(s.Byte && !s.ByteVisible);  // no status bar, no text size
    EXPECT_EQ(NowWidthCaption(250), "&0: 250 桁 (右端)");
    for (int tab : {0, 9, -1}) EXPECT_EQ(TabCountItem(tab), -1) << tab;
    EXPECT_EQ(TabCountItem(8), 7);
}
