// The menu and tool-bar tables: what makes a menu wrong however it is drawn.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "app/commands/filecmds.h"
#include "app/window/menus.h"
#include "app/window/toolbar.h"

using namespace vellumo;

TEST(MenuTables, NamesAndShortcutsAreUniqueAndHiddenItemsAreLeaves)
{
    const auto main = MainMenuTable();
    std::set<std::string> names;
    std::map<TShortCut, std::string> keys;
    for (std::size_t r = 0; r < main.size(); ++r) {
        const auto& e = main[r];
        if (!e.IsSeparator()) {
            EXPECT_TRUE(names.insert(e.Name).second) << e.Name;
        }
        // A row may only go one level deeper than the one before it.
        if (r > 0) {
            EXPECT_LE(e.Level, main[r - 1].Level + 1) << e.Name;
        }
        if (e.Flags & mfHidden) {
            EXPECT_FALSE(MenuHasChildren(main, static_cast<int>(r))) << e.Name;
        }
        if (e.ShortCut) {
            EXPECT_TRUE(keys.emplace(e.ShortCut, e.Name).second) << e.Name << " and " << keys[e.ShortCut];
        }
    }
    for (const auto& a : ActionTable())
        EXPECT_TRUE(keys.emplace(a.ShortCut, a.Name).second) << a.Name << " and " << keys[a.ShortCut];
}

TEST(MenuTables, FixedPositionsOtherCodeCountsOn)
{
    const auto main = MainMenuTable();
    const auto top = [&](const char* name) { return static_cast<int>(FindMenuEntry(main, name) - main.data()); };
    ASSERT_EQ(MenuChildCount(main, -1), 7);
    const char* order[] = {"File1", "Edit1", "Find1", "Show1", "mWindow", "Menu_Tool", "Help1"};
    for (int i = 0; i < 7; ++i) EXPECT_STREQ(main[MenuChildRow(main, -1, i)].Name, order[i]);
    // The Tools menu's tool items and the Window menu's list start at fixed items.
    EXPECT_STREQ(main[MenuChildRow(main, top("Menu_Tool"), FirstToolItem)].Name, "mToolNone");
    EXPECT_EQ(MenuChildCount(main, top("mWindow")), FirstWindowListItem);
    // The reload submenu's items are found by position 0..4.
    for (int i = 0; i < 5; ++i)
        EXPECT_STREQ(main[MenuChildRow(main, top("mReLoadCode"), i)].Name, kReloadCodeItems[static_cast<std::size_t>(i)]);
    // The tab-width items are 1..8 by position, the history's clear item is last.
    const int tabs = top("mTabCount");
    for (int i = 0; i < 8; ++i) EXPECT_EQ(main[MenuChildRow(main, tabs, i)].Tag, i + 1);
    const int reopen = top("mReOpen");
    EXPECT_STREQ(main[MenuChildRow(main, reopen, MenuChildCount(main, reopen) - 1)].Name, "mFileHisDel");
    EXPECT_EQ(MenuChildRow(main, reopen, 99), -1);
}

TEST(MenuTables, PopupItemsMirrorTheirNamesakes)
{
    int mirrored = 0;
    for (const auto& p : PopupMenuTable()) {
        if (p.IsSeparator()) continue;
        const TMenuEntry* m = FindMenuEntry(MainMenuTable(), PopupNamesake(p.Name));
        if (!m || std::string(p.Name).rfind("pLink", 0) == 0) continue;
        ++mirrored;
        EXPECT_STREQ(p.Caption, m->Caption) << p.Name;
        EXPECT_STREQ(p.Hint, m->Hint) << p.Name;
        EXPECT_EQ(p.ShortCut, 0) << p.Name;
    }
    EXPECT_GE(mirrored, 25);
    EXPECT_EQ(PopupNamesake("x"), "");
}

TEST(ToolBarTable, EveryButtonRunsAnExistingItemAndImagesAreDistinct)
{
    std::set<int> images;
    for (const auto& b : ToolButtonTable()) {
        if (b.IsSeparator()) continue;
        EXPECT_NE(FindMenuEntry(MainMenuTable(), b.MenuItem), nullptr) << b.Name;
        EXPECT_TRUE(images.insert(b.ImageIndex).second) << b.Name;
        EXPECT_LT(b.ImageIndex, ToolImageCount);
    }
    EXPECT_EQ(images.size(), static_cast<std::size_t>(ToolImageCount));
}
