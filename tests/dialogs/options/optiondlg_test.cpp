#include <gtest/gtest.h>

#include <algorithm>

#include "dialogs/options/optiondlg.h"

using namespace vellumo;

TEST(OptionLogic, WrapWidthsStayLargestFirstAndAtMostNine)
{
    std::vector<int> list{120, 80, 72};
    EXPECT_EQ(CheckWrapWidthAdd(list, 80), TWrapAddCheck::Present);
    ASSERT_EQ(CheckWrapWidthAdd(list, 100), TWrapAddCheck::Allowed);
    InsertWrapWidth(list, 100);
    EXPECT_EQ(list, (std::vector<int>{120, 100, 80, 72}));
    InsertWrapWidth(list, 20);   // smallest: at the end
    InsertWrapWidth(list, 800);  // largest: at the front
    EXPECT_EQ(list, (std::vector<int>{800, 120, 100, 80, 72, 20}));
    for (int w : {60, 40, 30}) InsertWrapWidth(list, w);
    EXPECT_EQ(CheckWrapWidthAdd(list, 50), TWrapAddCheck::Full);
    EXPECT_EQ(WrapListFullMessage(), "登録可能な最大件数は 9 件です。");
    EXPECT_EQ(WrapAddQuestion(100), "[100]をリストへ追加します。");

    EXPECT_FALSE(CanRemoveWrapWidth(list, "", 80));     // empty combo text
    EXPECT_FALSE(CanRemoveWrapWidth(list, "81", 81));   // not in the list
    EXPECT_FALSE(CanRemoveWrapWidth({}, "80", 80));
    ASSERT_TRUE(CanRemoveWrapWidth(list, "80", 80));
    RemoveWrapWidth(list, 80);
    EXPECT_EQ(std::count(list.begin(), list.end(), 80), 0);
    EXPECT_EQ(WrapRemoveQuestion(72), "[72]をリストから削除します。");
}

TEST(OptionLogic, FileSizeLimitInWholeMegabytesNeverTurnsTheCheckOff)
{
    EXPECT_EQ(LoadSizeToMegabytes(0), 0);
    EXPECT_EQ(LoadSizeToMegabytes(-5), 0);          // no check stays no check
    EXPECT_EQ(LoadSizeToMegabytes(1), 1);           // below one megabyte: never 0
    EXPECT_EQ(LoadSizeToMegabytes(999999), 1);
    EXPECT_EQ(LoadSizeToMegabytes(1000000), 1);
    EXPECT_EQ(LoadSizeToMegabytes(2500000), 2);     // the fraction dropped
    EXPECT_EQ(MegabytesToLoadSize(LoadSizeToMegabytes(2500000)), 2000000);
    EXPECT_EQ(LoadSizeToMegabytes(2147483647), kMaxLoadSizeMegabytes);
    EXPECT_EQ(MegabytesToLoadSize(3), 3000000);
    EXPECT_EQ(MegabytesToLoadSize(kMaxLoadSizeMegabytes + 1), 2000000000);
    EXPECT_EQ(MegabytesToLoadSize(-1), 0);
}

TEST(OptionLogic, QuoteMarksAndMasksAsShownAndAsHeld)
{
    EXPECT_EQ(PasteQuoteText("%> %"), "> ");
    EXPECT_EQ(PasteQuoteText("%"), "");
    EXPECT_EQ(PasteQuoteSetting(""), "%> %");
    EXPECT_EQ(PasteQuoteSetting(" | "), "% | %");
    EXPECT_EQ(QuoteMarksSetting(""), ">|＞｜");
    EXPECT_EQ(QuoteMarksSetting("#"), "#");
    EXPECT_EQ(ExtensionRowSetting(0, ""), "*.txt;*.htm;*.html;*.cgi;*.pl");
    EXPECT_EQ(ExtensionRowSetting(1, ""), "");
    EXPECT_EQ(ExtensionRowSetting(0, "*.md"), "*.md");
    EXPECT_EQ(kExtensionRows[13].Key, std::string("PasDocFilter"));

    EXPECT_TRUE(MaskHasBar("*.txt|*.doc"));
    EXPECT_TRUE(MaskHasBar("|"));
    EXPECT_FALSE(MaskHasBar("*.\x83\x7C"));       // "ポ": its trail byte is 7C
    EXPECT_TRUE(MaskHasBar("*.\x83\x7C|"));
    EXPECT_FALSE(MaskHasBar("*.txt;*.\x95\x5C"));  // "表"
    EXPECT_FALSE(MaskHasBar("\x83"));              // a lead byte alone at the end
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
    EXPECT_EQ(FontViewText("ＭＳ ゴシック", -14), "ＭＳ ゴシック (10.5)");
    EXPECT_EQ(FontViewText("Courier", 12), "Courier (12)");
}

TEST(OptionLogic, FinishingTurnsOffWhatHasNothingToActOn)
{
    TAppSettings s;
    s.Option.DefDirOn = true;
    s.FileHistorySet.NoDir = true;
    s.Option.StartWindow = 3;
    s.Option.UserWindowMenu = true;
    FinishOptionSettings(s);
    EXPECT_FALSE(s.Option.DefDirOn);
    EXPECT_FALSE(s.FileHistorySet.NoDir);
    EXPECT_EQ(s.Option.StartWindow, 0);
    EXPECT_FALSE(s.Option.UserWindowMenu);

    TAppSettings kept;
    kept.Option.DefDir = "C:\\d";
    kept.Option.DefDirOn = true;
    kept.FileHistorySet.NoDirs = "C:\\x";
    kept.FileHistorySet.NoDir = true;
    kept.Option.UserWindowPos = true;
    kept.Option.StartWindow = 3;
    kept.Option.UserWindowMenu = true;
    const TAppSettings before = kept;
    FinishOptionSettings(kept);
    EXPECT_EQ(kept, before);
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

    in.UrlEx = false;
    EXPECT_FALSE(OptionEnabling(in).NotUrlChars);
    in.UrlEx = true;
    in.LinkWord = false;
    e = OptionEnabling(in);
    EXPECT_FALSE(e.LinkUnderline || e.UrlEx || e.NotUrlChars);
    EXPECT_TRUE(e.LinkWord);

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

    in.ToolBtnImg256 = false;
    EXPECT_FALSE(OptionEnabling(in).ToolBtnHotImg);
    in.ToolBtnImg256 = true;
    in.ToolBar = false;
    e = OptionEnabling(in);
    EXPECT_FALSE(e.ToolBarControls || e.FlatToolBar || e.ToolBtnHotImg);

    TOptionChecks window;
    EXPECT_FALSE(OptionEnabling(window).NowSet);
    window.UserWindowPos = true;
    e = OptionEnabling(window);
    EXPECT_TRUE(e.NowSet && e.UserPos);
    EXPECT_FALSE(e.UserSize);
}
