#include <gtest/gtest.h>

#include "dialogs/options/optiondlg.h"

using namespace vellumo;

TEST(OptionLogic, WrapWidthsStayLargestFirstAndAtMostNine)
{
    std::vector<int> list{120, 80, 72};
    EXPECT_EQ(CheckWrapWidthAdd(list, 80), TWrapAddCheck::Present);
    ASSERT_EQ(CheckWrapWidthAdd(list, 100), TWrapAddCheck::Allowed);
    for (int w : {100, 20, 800, 60, 40, 30}) InsertWrapWidth(list, w);
    EXPECT_EQ(list, (std::vector<int>{800, 120, 100, 80, 72, 60, 40, 30, 20}));
    EXPECT_EQ(CheckWrapWidthAdd(list, 50), TWrapAddCheck::Full);
    EXPECT_FALSE(CanRemoveWrapWidth(list, "", 80));    // empty combo text
    EXPECT_FALSE(CanRemoveWrapWidth(list, "81", 81));  // not in the list
    EXPECT_TRUE(CanRemoveWrapWidth(list, "80", 80));
    EXPECT_EQ(ValidOptionPage(kOptionPageCount), 0);  // a page that is gone opens the first
}

TEST(OptionLogic, FileSizeLimitInWholeMegabytesNeverTurnsTheCheckOff)
{
    EXPECT_EQ(LoadSizeToMegabytes(0), 0);
    EXPECT_EQ(LoadSizeToMegabytes(-5), 0);  // no check stays no check
    EXPECT_EQ(LoadSizeToMegabytes(1), 1);   // below one megabyte: never 0
    EXPECT_EQ(LoadSizeToMegabytes(999999), 1);
    EXPECT_EQ(LoadSizeToMegabytes(2500000), 2);
    EXPECT_EQ(LoadSizeToMegabytes(2147483647), kMaxLoadSizeMegabytes);
    EXPECT_EQ(MegabytesToLoadSize(3), 3000000);
    EXPECT_EQ(MegabytesToLoadSize(kMaxLoadSizeMegabytes + 1), 2000000000);
}

TEST(OptionLogic, MasksRefuseABarButNotATrailByte)
{
    EXPECT_TRUE(MaskHasBar("*.txt|*.doc"));
    EXPECT_FALSE(MaskHasBar("*.\x83\x7C"));  // "ポ": its trail byte is 7C
    EXPECT_TRUE(MaskHasBar("*.\x83\x7C|"));
    EXPECT_FALSE(MaskHasBar("\x83"));  // a lead byte alone at the end
    EXPECT_EQ(ExtensionRowSetting(0, ""), "*.txt;*.htm;*.html;*.cgi;*.pl");
    EXPECT_EQ(ExtensionRowSetting(1, ""), "");
}

TEST(OptionLogic, FolderListsAndPaths)
{
    EXPECT_EQ(AppendFolder("", "C:\\a"), "C:\\a");
    EXPECT_EQ(AppendFolder("C:\\a;", "D:\\b"), "C:\\a;D:\\b");
    EXPECT_EQ(AppendFolder("C:\\a", "D:\\b"), "C:\\a;D:\\b");
    EXPECT_EQ(FolderOfPath("C:\\IE\\iexplore.exe"), "C:\\IE");
    EXPECT_EQ(FolderOfPath("C:\\iexplore.exe"), "C:\\");
    EXPECT_EQ(FolderOfPath("iexplore.exe"), "");
    EXPECT_EQ(FolderOfPath("C:\\\x95\x5C\\a.exe"), "C:\\\x95\x5C");  // "表" ends in 5C
}

TEST(OptionLogic, FinishingTurnsOffWhatHasNothingToActOn)
{
    TAppSettings s;
    s.Option.DefDirOn = s.FileHistorySet.NoDir = s.Option.UserWindowMenu = true;
    s.Option.StartWindow = 3;
    FinishOptionSettings(s);
    EXPECT_FALSE(s.Option.DefDirOn || s.FileHistorySet.NoDir || s.Option.UserWindowMenu);
    EXPECT_EQ(s.Option.StartWindow, 0);

    s.Option.DefDir = "C:\\d";
    s.FileHistorySet.NoDirs = "C:\\x";
    s.Option.DefDirOn = s.FileHistorySet.NoDir = s.Option.UserWindowMenu = s.Option.UserWindowPos = true;
    s.Option.StartWindow = 3;
    const TAppSettings before = s;
    FinishOptionSettings(s);
    EXPECT_EQ(s, before);
}

TEST(OptionLogic, EnablingFollowsTheChecksAndTheEditMode)
{
    TOptionChecks in;
    in.InyouRow = in.LinkWord = in.UrlEx = in.ToolBar = in.FlatToolBar = in.ToolBtnImg256 = true;
    TOptionEnabling e = OptionEnabling(in);
    EXPECT_TRUE(e.InyouRow && e.Inyouhu && e.LinkWord && e.LinkUnderline && e.UrlEx && e.NotUrlChars);
    EXPECT_TRUE(e.ToolBarControls && e.ToolBtnHotImg);
    EXPECT_FALSE(e.FlatToolBar);  // fixed on from Windows XP on
    in.WinXpOrLater = false;
    EXPECT_TRUE(OptionEnabling(in).FlatToolBar);

    in.LinkWord = false;
    e = OptionEnabling(in);
    EXPECT_FALSE(e.LinkUnderline || e.UrlEx || e.NotUrlChars);
    in.LinkWord = true;
    in.Mode = emHtml;  // neither links nor quotes
    e = OptionEnabling(in);
    EXPECT_FALSE(e.LinkWord || e.LinkUnderline || e.UrlEx || e.NotUrlChars || e.InyouRow || e.Inyouhu);
    for (TEditMode m : {emIni, emBat}) {  // links, but no quotes
        in.Mode = m;
        e = OptionEnabling(in);
        EXPECT_TRUE(e.LinkWord && e.LinkUnderline && e.UrlEx && e.NotUrlChars) << m;
        EXPECT_FALSE(e.InyouRow || e.Inyouhu) << m;
    }
    in.ToolBar = false;
    e = OptionEnabling(in);
    EXPECT_FALSE(e.ToolBarControls || e.FlatToolBar || e.ToolBtnHotImg);
}
