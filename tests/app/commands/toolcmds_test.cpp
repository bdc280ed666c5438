// The tool items of the Tools menu and of the pop-up's tools submenu, and
// the rule that enables them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/commands/toolcmds.h"

namespace vellumo {
namespace {

TAppTool Tool(const std::string& title, const std::string& file, const std::string& param)
{
    TAppTool t;
    t.Title = title;
    t.File = file;
    t.Param = param;
    return t;
}

TEST(ToolMenu, ItemsTagsHintsAndPlaceholders)
{
    EXPECT_EQ(MainToolMenu({}, nullptr).Placeholder, TToolPlaceholder::Unregistered);
    EXPECT_EQ(PopupToolMenu({}).Placeholder, TToolPlaceholder::Unregistered);

    std::vector<TAppTool> tools(13, Tool("t", "", "x"));
    tools[3].SelOn = true;
    tools[0] = Tool("Grep", "C:\\bin\\grep.exe", "-n \"a|b\" \x83\x7C|");  // "ポ" ends in 7C
    tools[1] = Tool("Param only", "", "a|b");
    tools[2].PopVisible = false;
    const TToolMenu main = MainToolMenu(tools, nullptr);
    ASSERT_EQ(main.Items.size(), 13u);
    EXPECT_EQ(main.Placeholder, TToolPlaceholder::None);
    EXPECT_EQ(main.Items[0].Hint, "C:\\bin\\grep.exe -n \"a｜b\" \x83\x7C｜");
    EXPECT_EQ(main.Items[1].Hint, "a｜b");
    EXPECT_EQ(main.Items[3].Tag, 113);
    EXPECT_EQ(main.Items[12].Tag, 1012);
    const TToolMenu popup = PopupToolMenu(tools);
    ASSERT_EQ(popup.Items.size(), 12u);
    EXPECT_EQ(popup.Items[0].Hint, "grep.exe -n \"a｜b\" \x83\x7C｜");
    EXPECT_EQ(popup.Items[2].Tag, ToolTag(3, true));  // tool 2 is not in the pop-up

    for (TAppTool& t : tools) t.MainVisible = t.PopVisible = false;
    EXPECT_EQ(MainToolMenu(tools, nullptr).Placeholder, TToolPlaceholder::AllHidden);
    EXPECT_EQ(MainToolMenu(tools, nullptr).Items.size(), 13u);  // hidden items keep their keys
    EXPECT_EQ(PopupToolMenu(tools).Placeholder, TToolPlaceholder::AllHidden);
    EXPECT_TRUE(PopupToolMenu(tools).Items.empty());
}

TEST(ToolMenu, KeysGoToRealToolsFirstComeAndNeverOverTheProgramsOwn)
{
    const TShortCut own = ShortCut('S', scCtrl), free = ShortCut('U', scCtrl | scAlt);
    std::vector<TAppTool> tools = {Tool("-", "", ""), Tool("a", "a", ""), Tool("b", "b", ""), Tool("c", "c", "")};
    tools[0].Key = ShortCut('K', scCtrl);
    tools[1].Key = own;
    tools[2].Key = free;
    tools[3].Key = free;
    const TToolMenu m = MainToolMenu(tools, [&](TShortCut sc) { return sc == own; });
    EXPECT_EQ(m.Items[0].ShortCut, scNone);  // a separator
    EXPECT_EQ(m.Items[1].ShortCut, scNone);
    EXPECT_EQ(m.Items[2].ShortCut, free);
    EXPECT_EQ(m.Items[3].ShortCut, scNone);
    for (const TToolMenuItem& i : PopupToolMenu(tools).Items) EXPECT_EQ(i.ShortCut, scNone);
}

TEST(ToolMenu, EnablingRule)
{
    EXPECT_TRUE(ToolItemEnabled(ToolTag(4, false), true, false));
    EXPECT_FALSE(ToolItemEnabled(ToolTag(4, true), true, false));
    EXPECT_TRUE(ToolItemEnabled(ToolTag(4, true), true, true));
    EXPECT_FALSE(ToolItemEnabled(kToolsAllHiddenTag, true, true));
    EXPECT_FALSE(ToolItemEnabled(0, true, true));  // the "(ツール未登録)" item
    EXPECT_FALSE(ToolItemEnabled(ToolTag(4, false), false, true));  // the list emptied meanwhile
}

} // namespace
} // namespace vellumo
