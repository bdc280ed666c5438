#include <gtest/gtest.h>

#include <random>
#include <set>

#include "settings/settingsdecl.h"
#include "settings/printsettings.h"
#include "settings/settingsstore.h"
#include "support/test_machine.h"
#include "base/filebytes.h"
#include "base/inifile.h"
#include "base/showmsg.h"
#include "support/tempfolder.h"

using namespace vellumo;
using vellumo::testing::TTempFolder;

namespace {

std::string ReadAll(const std::string& path)
{
    std::string bytes;
    EXPECT_EQ(ReadFileBytes(path, bytes), TReadStatus::Ok);
    return bytes;
}

// Settings read from a file holding the given text.
struct TLoaded {
    TTempFolder dir;
    TFakeMachine machine;
    TSettingsStore store;
    explicit TLoaded(const std::string& text) : store(dir.File("v.ini"), machine)
    {
        EXPECT_TRUE(ReplaceFileBytes(store.Path(), text));
        EXPECT_TRUE(store.LoadSettings());
    }
    const TAppSettings& s() const { return store.Settings; }
};

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t end = text.find("\r\n", pos);
        lines.push_back(text.substr(pos, end - pos));
        if (end == std::string::npos) break;
        pos = end + 2;
    }
    return lines;
}

TEST(SettingsDeclarations, EveryKeyIsDeclaredOnceWithAMatchingMember)
{
    std::set<std::string> seen;
    for (const auto& d : AppSettingDecls()) {
        EXPECT_TRUE(seen.insert(FoldAsciiCase(std::string(d.Section) + "/" + d.Key)).second) << d.Key;
        const bool wantsInt = d.Kind == TValueKind::Int || d.Kind == TValueKind::Color;
        const bool wantsBool = d.Kind == TValueKind::Bool;
        EXPECT_EQ(d.Field.AsInt != nullptr, wantsInt) << d.Key;
        EXPECT_EQ(d.Field.AsBool != nullptr, wantsBool) << d.Key;
        EXPECT_EQ(d.Field.AsString != nullptr, !wantsInt && !wantsBool) << d.Key;
        if (d.Rule == TKeyRule::OffWhenOtherEmpty || d.Rule == TKeyRule::DefaultOnWhenOtherAbsent) {
            EXPECT_NE(FindSettingDecl(AppSettingDecls(), d.Section, d.Other), nullptr) << d.Key;
        }
        EXPECT_EQ(d.Written, std::string(d.Section) != kSecOptionEx) << d.Key;
    }
}

// Random values in every member, saved and read back: each kind must write
// what it reads, and same-named keys of different sections stay apart.
TEST(SettingsDeclarations, RandomValuesSurviveSaveAndLoad)
{
    std::mt19937 rng(7);
    const std::vector<std::string> pieces = {"a", "Z", " ", "\x81\x40", "\x95\x5C", "=", "%", ";", "[x]", "\xB1", "\\"};
    auto randomText = [&](bool edgeBlanks) {
        std::string s;
        for (int n = 1 + static_cast<int>(rng() % 6); n > 0; --n) s += pieces[rng() % pieces.size()];
        if (!edgeBlanks) s = "x" + s + "y";  // plain strings lose edge blanks by design
        return s;
    };
    for (int round = 0; round < 30; ++round) {
        TTempFolder dir;
        TFakeMachine machine;
        TSettingsStore store(dir.File("v.ini"), machine);
        ASSERT_TRUE(store.LoadSettings());
        TAppSettings& s = store.Settings;
        for (const auto& d : AppSettingDecls()) {
            if (!d.Written) continue;
            switch (d.Kind) {
            case TValueKind::Int:
                *d.Field.AsInt(s) = d.Rule == TKeyRule::NegativeReadsAsOne ? static_cast<int>(rng() % 7)
                                                                            : static_cast<int>(rng()) / 3;
                break;
            case TValueKind::Bool: *d.Field.AsBool(s) = rng() % 2; break;
            case TValueKind::Color: *d.Field.AsInt(s) = static_cast<int>(rng()); break;
            case TValueKind::String: *d.Field.AsString(s) = randomText(false); break;
            case TValueKind::PercentString: *d.Field.AsString(s) = randomText(true); break;
            case TValueKind::RawString: *d.Field.AsString(s) = "%" + randomText(true) + "%"; break;
            }
        }
        s.WrapWidths.clear();
        for (int n = static_cast<int>(rng() % 10); n > 0; --n) s.WrapWidths.push_back(20 + static_cast<int>(rng() % 780));
        const TAppSettings saved = s;
        ASSERT_TRUE(store.SaveSettings()) << store.ErrorText();
        s = TAppSettings{};
        ASSERT_TRUE(store.LoadSettings());
        TAppSettings expected = saved;
        expected.OptionEx = s.OptionEx;  // never written: defaults come back
        ASSERT_EQ(s, expected) << "round " << round;
    }
}

TEST(SettingsRules, DefaultFolderAbsentEmptyAndPresent)
{
    {
        TLoaded f("[Option]\r\nDefDirOn=1\r\n");
        EXPECT_EQ(f.s().Option.DefDir, "C:\\Docs");
        EXPECT_TRUE(f.s().Option.DefDirOn);
    }
    {
        TLoaded f("[Option]\r\nDefDir=\r\nDefDirOn=1\r\n");
        EXPECT_EQ(f.s().Option.DefDir, "");
        EXPECT_FALSE(f.s().Option.DefDirOn);  // off whenever the folder is empty
        EXPECT_EQ(f.machine.folderCalls, 2);  // backup and history folders only
    }
    {
        TLoaded f("[Option]\r\nDefDir=%USERPROFILE%\\\x95\x5C\r\nDefDirOn=1\r\n");
        EXPECT_EQ(f.s().Option.DefDir, "%USERPROFILE%\\\x95\x5C");  // kept as written, "%" included
        EXPECT_TRUE(f.s().Option.DefDirOn);
    }
}

TEST(SettingsRules, BrowserPathsAndTheirDdeSwitch)
{
    {
        TLoaded f("");
        EXPECT_EQ(f.s().Browser.IePath, "C:\\IE\\iexplore.exe");
        EXPECT_EQ(f.s().Browser.MfPath, "");
        EXPECT_TRUE(f.s().Browser.MfDde);  // MfPath absent
        EXPECT_EQ(f.machine.browserCalls, 2);
    }
    {
        TLoaded f("[Browser]\r\nIePath=\r\nMfPath=\r\n");
        EXPECT_EQ(f.s().Browser.IePath, "");  // present and empty stays empty
        EXPECT_FALSE(f.s().Browser.MfDde);    // MfPath present
        EXPECT_EQ(f.machine.browserCalls, 0);  // no registry look-up for present keys
    }
    {
        TLoaded f("[Browser]\r\nMfPath=C:\\mf.exe\r\nMfDde=1\r\n");
        EXPECT_TRUE(f.s().Browser.MfDde);
    }
    {
        TLoaded f("[Browser]\r\nMfPath=C:\\mf.exe\r\nMfDde=junk\r\n");
        EXPECT_FALSE(f.s().Browser.MfDde);  // invalid reads as the key's default
    }
}

TEST(SettingsRules, NumbersSwitchesAndCodes)
{
    TLoaded f(
        "[Option]\r\nTabSpaceCount=abc\r\nUndoMax=\r\nStatusBar=5\r\nToolBar=no\r\nFontSize=-14\r\n"
        "UserWindowSize_W=x\r\n"
        "[JCode]\r\nSaveCvt=-3\r\nSaveRetCvt=2\r\n");
    EXPECT_EQ(f.s().Option.TabSpaceCount, 8);
    EXPECT_EQ(f.s().Option.UndoMax, 64);
    EXPECT_TRUE(f.s().Option.StatusBar);  // any non-zero number
    EXPECT_TRUE(f.s().Option.ToolBar);    // not a number: default
    EXPECT_EQ(f.s().Option.FontSize, -14);
    EXPECT_EQ(f.s().Option.UserWindowSize_W, 640);  // the window's current width
    EXPECT_EQ(f.s().JCode.SaveCvt, 1);  // below 0 reads as 1
    EXPECT_EQ(f.s().JCode.SaveRetCvt, 2);
    TLoaded g("[JCode]\r\nSaveCvt=junk\r\n");
    EXPECT_EQ(g.s().JCode.SaveCvt, 0);
    g.machine.xp = false;
    ASSERT_TRUE(g.store.LoadSettings());
    EXPECT_EQ(g.s().Option.ToolBtnImg, 0);
}

TEST(SettingsRules, ColoursByNameNumberOrGarbage)
{
    TLoaded f(
        "[Color]\r\nFont=CLWINDOW\r\nBk=clred\r\nLink=$00123456\r\nInyou=garbage\r\nColLine=\r\n"
        "Ret=$0012345678\r\nTab=255\r\nPerl_KeyWord_Bold=0\r\nPerl_KeyWord_Case=x\r\n");
    EXPECT_EQ(f.s().Color.Font, clWindow);
    EXPECT_EQ(f.s().Color.Bk, clRed);
    EXPECT_EQ(f.s().Color.Link, 0x00123456);
    EXPECT_EQ(f.s().Color.Inyou, 0x00C00000);   // garbage: the key's default
    EXPECT_EQ(f.s().Color.ColLine, 0x00E4E4E4);  // empty: the default
    EXPECT_EQ(f.s().Color.Ret, clTeal);          // too many digits
    EXPECT_EQ(f.s().Color.Tab, clRed);
    EXPECT_FALSE(f.s().Color.Perl_KeyWord_Bold);
    EXPECT_TRUE(f.s().Color.Perl_KeyWord_Case);
    // Saving writes the canonical forms.
    ASSERT_TRUE(f.store.SaveSettings());
    const std::string text = ReadAll(f.store.Path());
    for (const char* line : {"Font=clWindow\r\n", "Bk=clRed\r\n", "Link=$00123456\r\n", "Inyou=$00C00000\r\n",
                             "Tab=clRed\r\n", "Ret=clTeal\r\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line;
}

TEST(SettingsRules, PercentWrappedValues)
{
    EXPECT_EQ(StripPercentWrap("%%"), "");
    EXPECT_EQ(StripPercentWrap("%"), "");  // a lone "%" is both of its ends
    EXPECT_EQ(StripPercentWrap("% x %"), " x ");
    EXPECT_EQ(StripPercentWrap("%x"), "%x");
    EXPECT_EQ(StripPercentWrap("x%"), "x%");
    EXPECT_EQ(StripPercentWrap("\x95\x5C%"), "\x95\x5C%");
    EXPECT_EQ(WrapPercent(" a "), "% a %");

    TLoaded f("[Option]\r\nNotUrlChars=%%\r\nPasteInyouhu=%>> %\r\n");
    EXPECT_EQ(f.s().Option.NotUrlChars, "");
    EXPECT_EQ(f.s().Option.PasteInyouhu, "%>> %");  // held wrapped
    EXPECT_EQ(f.store.PasteQuoteMark(), ">> ");
    TLoaded g("[Option]\r\nNotUrlChars= ab \r\nPasteInyouhu=>\r\n");
    EXPECT_EQ(g.s().Option.NotUrlChars, "ab");  // not wrapped: used as read
    EXPECT_EQ(g.store.PasteQuoteMark(), ">");
    TLoaded h("[Option]\r\nPasteInyouhu=%\r\nNotUrlChars=%\r\n");
    EXPECT_EQ(h.store.PasteQuoteMark(), "");
    EXPECT_EQ(h.s().Option.NotUrlChars, "");
}

TEST(SettingsRules, WrapWidthList)
{
    TLoaded f("[WrapByteList]\r\nItemCount=12\r\nItem0=120\r\nItem1=x\r\nItem8=40\r\nItem9=30\r\n");
    EXPECT_EQ(f.s().WrapWidths, (std::vector<int>{120, 80, 80, 80, 80, 80, 80, 80, 40}));
    TLoaded g("[WrapByteList]\r\nItemCount=-2\r\nItem0=120\r\n");
    EXPECT_TRUE(g.s().WrapWidths.empty());

    // An empty list leaves the section erased, without ItemCount.
    ASSERT_TRUE(f.store.LoadSettings());
    f.store.Settings.WrapWidths.clear();
    ASSERT_TRUE(f.store.SaveSettings());
    TMemIniFile ini(f.store.Path());
    EXPECT_FALSE(ini.SectionExists(kSecWrapByteList));
    f.store.Settings.WrapWidths = {100, 90, 80, 70, 60, 50, 40, 30, 25, 20, 10};
    ASSERT_TRUE(f.store.SaveSettings());
    TMemIniFile again(f.store.Path());
    EXPECT_EQ(again.ReadInteger(kSecWrapByteList, kKeyItemCount, 0), 9);
    EXPECT_EQ(again.ReadInteger(kSecWrapByteList, "Item8", 0), 25);
    EXPECT_FALSE(again.ValueExists(kSecWrapByteList, "Item9"));
}

TEST(SettingsPreservation, AFullSaveKeepsForeignLinesAndDropsObsoleteOnes)
{
    const std::string original =
        "; written by hand\r\n"
        "[Option]\r\n"
        "StatusBar=0\r\n"
        "StatusBar=1\r\n"
        "; a comment inside Option\r\n"
        "Inyouhu=\x95\x5C=\x83\x5C\r\n"
        "TabCount=4\r\n"
        "BFreeCaret=1\r\n"
        "UnknownKey = keep me \r\n"
        "BackSpaceUnIndent=1\r\n"
        "\r\n"
        "[OptionEx]\r\n"
        "UrlChars=~\r\n"
        "; hand-edited\r\n"
        "Custom=1\r\n"
        "\r\n"
        "[RowJumpOptions]\r\n"
        "Foo=1\r\n"
        "\r\n"
        "[Browser]\r\n"
        "NnPath=C:\\nn.exe\r\n"
        "NnDde=1\r\n"
        "MfPath=C:\\\x95\x5C\\firefox.exe\r\n"
        "\r\n"
        "[MyTool]\r\n"
        "Path=C:\\\x95\x5C\\tool.exe\r\n"
        "Odd line without equals\r\n"
        "[FileHistory]\r\n"
        "0=C:\\a.txt\r\n"
        "[Tools]\r\n"
        "ItemCount=1\r\n"
        "Title0=Tool\r\n"
        "Param0=%  $F  %\r\n";
    TLoaded f(original);
    EXPECT_FALSE(f.s().Option.StatusBar);  // the first duplicate wins
    EXPECT_EQ(f.s().Option.Inyouhu, "\x95\x5C=\x83\x5C");
    EXPECT_EQ(f.s().OptionEx.UrlChars, "~");
    EXPECT_EQ(f.s().Browser.MfPath, "C:\\\x95\x5C\\firefox.exe");
    ASSERT_TRUE(f.store.SaveSettings());
    const std::string saved = ReadAll(f.store.Path());
    const auto out = Lines(saved);

    const std::set<std::string> obsolete = {"TabCount=4", "BFreeCaret=1", "BackSpaceUnIndent=1", "[RowJumpOptions]",
                                            "Foo=1", "NnPath=C:\\nn.exe", "NnDde=1", "[FileHistory]", "0=C:\\a.txt"};
    for (const auto& line : obsolete)
        EXPECT_EQ(std::find(out.begin(), out.end(), line), out.end()) << line;
    // Every other non-blank line is still there, byte for byte and in order.
    std::size_t at = 0;
    for (const auto& line : Lines(original)) {
        if (line.empty() || obsolete.count(line)) continue;
        while (at < out.size() && out[at] != line) ++at;
        ASSERT_LT(at, out.size()) << "lost or moved: " << line;
        ++at;
    }
    // Sections nobody writes come through as whole blocks.
    for (const char* block : {"[OptionEx]\r\nUrlChars=~\r\n; hand-edited\r\nCustom=1\r\n\r\n",
                              "[MyTool]\r\nPath=C:\\\x95\x5C\\tool.exe\r\nOdd line without equals\r\n",
                              "[Tools]\r\nItemCount=1\r\nTitle0=Tool\r\nParam0=%  $F  %\r\n"})
        EXPECT_NE(saved.find(block), std::string::npos) << block;

    // A second full save changes nothing more.
    ASSERT_TRUE(f.store.LoadSettings());
    ASSERT_TRUE(f.store.SaveSettings());
    EXPECT_EQ(ReadAll(f.store.Path()), saved);
}

TEST(SettingsWrites, SingleWritesTouchOnlyTheirKeys)
{
    TLoaded f("[Option]\r\nWordWrap = 0 \r\n; note\r\n[Other]\r\nx=1\r\n");
    int broadcasts = 0;
    f.store.OnSaved = [&] { ++broadcasts; };
    f.store.Settings.Option.WordWrap = true;
    f.store.Settings.Option.WrapCount = 72;
    f.store.Settings.Option.StatusBar = false;  // not part of the wrap write
    EXPECT_EQ(f.store.SaveWrapSetting(), TSaveResult::Saved);
    EXPECT_EQ(ReadAll(f.store.Path()), "[Option]\r\nWordWrap=1\r\nWrapCount=72\r\n; note\r\n[Other]\r\nx=1\r\n");
    EXPECT_EQ(broadcasts, 1);

    f.store.Settings.Option.FontName = "\x82\x6C\x82\x72 \x96\xBE\x92\xA9";
    f.store.Settings.Option.FontSize = -14;
    EXPECT_EQ(f.store.SaveFontSetting(), TSaveResult::Saved);
    EXPECT_EQ(f.store.SaveOptionBool("option", "statusbar", false), TSaveResult::Saved);
    EXPECT_EQ(f.store.SaveOptionInt(kSecOption, "TabSpaceCount", 4), TSaveResult::Saved);
    EXPECT_EQ(broadcasts, 4);
    EXPECT_EQ(ReadAll(f.store.Path()),
              "[Option]\r\nWordWrap=1\r\nWrapCount=72\r\nFontName=\x82\x6C\x82\x72 \x96\xBE\x92\xA9\r\nFontSize=-14\r\n"
              "StatusBar=0\r\nTabSpaceCount=4\r\n; note\r\n[Other]\r\nx=1\r\n");

    // Unknown keys, wrong kinds and the never-written section are refused.
    const std::string before = ReadAll(f.store.Path());
    EXPECT_EQ(f.store.SaveOptionBool(kSecOption, "NoSuchKey", true), TSaveResult::Failed);
    EXPECT_EQ(f.store.SaveOptionBool(kSecOption, "TabSpaceCount", true), TSaveResult::Failed);
    EXPECT_EQ(f.store.SaveOptionInt(kSecOption, "StatusBar", 1), TSaveResult::Failed);
    EXPECT_EQ(f.store.SaveOptionBool(kSecOptionEx, "ImeReConv", false), TSaveResult::Failed);
    EXPECT_EQ(ReadAll(f.store.Path()), before);
    EXPECT_EQ(broadcasts, 4);

    // With Menu_NoSaveIni nothing is written and nobody is told.
    f.store.Settings.Option.Menu_NoSaveIni = true;
    EXPECT_EQ(f.store.SaveWrapSetting(), TSaveResult::Skipped);
    EXPECT_EQ(f.store.SaveOptionBool(kSecOption, "ToolBar", false), TSaveResult::Skipped);
    EXPECT_EQ(ReadAll(f.store.Path()), before);
    EXPECT_EQ(broadcasts, 4);
}

TEST(SettingsWrites, AnUnreadableOrUnwritableFileIsNeverReplacedAndNobodyIsTold)
{
    TTempFolder dir;
    TFakeMachine machine;
    const std::string path = dir.File("v.ini");
    std::filesystem::create_directory(path);  // exists, cannot be read as a file
    TSettingsStore store(path, machine);
    int broadcasts = 0;
    store.OnSaved = [&] { ++broadcasts; };
    EXPECT_FALSE(store.LoadSettings());
    EXPECT_FALSE(store.ErrorText().empty());
    EXPECT_EQ(store.Settings.Option.TabSpaceCount, 8);  // defaults
    EXPECT_FALSE(store.SaveSettings());
    EXPECT_EQ(store.SaveWrapSetting(), TSaveResult::Failed);
    EXPECT_EQ(store.SaveOptionBool(kSecOption, "StatusBar", true), TSaveResult::Failed);
    EXPECT_EQ(broadcasts, 0);
    EXPECT_TRUE(std::filesystem::is_directory(path));

    TSettingsStore lost(dir.File("missing folder/v.ini"), machine);
    lost.OnSaved = [&] { ++broadcasts; };
    EXPECT_TRUE(lost.LoadSettings());
    EXPECT_FALSE(lost.SaveSettings());
    EXPECT_FALSE(lost.ErrorText().empty());
    EXPECT_EQ(broadcasts, 0);
}

TEST(SettingsWrites, AReadOnlyFileIsReadButNeverReplacedAndReportedOnce)
{
    const std::string text = "[Option]\r\nTabSpaceCount=4\r\n";
    TLoaded f(text);
    std::filesystem::permissions(f.store.Path(), std::filesystem::perms::owner_read);
    int messages = 0, broadcasts = 0;
    TScopedMsgSink sink([&](const std::string&, const std::string&, unsigned) { return ++messages, kAnswerOk; });
    f.store.OnSaved = [&] { ++broadcasts; };
    ASSERT_TRUE(f.store.LoadSettings());
    EXPECT_EQ(f.s().Option.TabSpaceCount, 4);
    EXPECT_FALSE(f.store.SaveSettings());
    EXPECT_TRUE(f.store.ErrorReported());
    EXPECT_EQ(f.store.SaveWrapSetting(), TSaveResult::Failed);
    EXPECT_EQ(f.store.SaveOptionBool(kSecOption, "StatusBar", true), TSaveResult::Failed);
    EXPECT_TRUE(f.store.ErrorReported());
    EXPECT_EQ(messages, 1);
    EXPECT_EQ(broadcasts, 0);
    EXPECT_EQ(ReadAll(f.store.Path()), text);
    std::filesystem::permissions(f.store.Path(), std::filesystem::perms::owner_all);
    EXPECT_EQ(f.store.SaveWrapSetting(), TSaveResult::Saved);
    EXPECT_FALSE(f.store.ErrorReported());
}

TEST(SettingsWrites, ValuesWithLineBreaksCannotAddKeys)
{
    TTempFolder dir;
    TFakeMachine machine;
    TSettingsStore store(dir.File("v.ini"), machine);
    ASSERT_TRUE(store.LoadSettings());
    store.Settings.Option.UserFileFilter = "*.txt\r\n[Evil]\r\nStatusBar=0";
    store.Settings.Option.NotUrlChars = std::string("<\0>", 3);
    ASSERT_TRUE(store.SaveSettings());
    TMemIniFile ini(store.Path());
    EXPECT_FALSE(ini.SectionExists("Evil"));
    ASSERT_TRUE(store.LoadSettings());
    EXPECT_TRUE(store.Settings.Option.StatusBar);
    EXPECT_EQ(store.Settings.Option.UserFileFilter, "*.txt  [Evil]  StatusBar=0");
    EXPECT_EQ(store.Settings.Option.NotUrlChars, "< >");
}

TEST(SettingsWindowPlacement, DefaultsAreTheWindowsCurrentValues)
{
    TLoaded f("[TVellumoMainForm]\r\nWindowWidth=800\r\nWindowMax=1\r\n");
    const TAppWindowPlacement p = f.store.LoadWindowPlacement();
    EXPECT_EQ(p.WindowWidth, 800);
    EXPECT_EQ(p.WindowHeight, 480);
    EXPECT_EQ(p.WindowTop, 20);
    EXPECT_EQ(p.WindowLeft, 10);
    EXPECT_TRUE(p.WindowMax);
}

TEST(SettingsLocation, UserIniMode)
{
    TTempFolder dir;
    EXPECT_EQ(ReadUserIniMode(dir.File("usr.ini")), ilAppData);
    ASSERT_TRUE(ReplaceFileBytes(dir.File("usr.ini"), "[ini]\r\nuserini=0\r\n"));
    EXPECT_EQ(ReadUserIniMode(dir.File("usr.ini")), ilBesideProgram);
    ASSERT_TRUE(ReplaceFileBytes(dir.File("usr.ini"), "[INI]\r\nUserIni=x\r\n"));
    EXPECT_EQ(ReadUserIniMode(dir.File("usr.ini")), ilAppData);
}

TEST(SettingsGroups, PrintHeaderBlanksSurviveOnlyWhenWrapped)
{
    TFakeMachine machine;
    TAppIniPrn prn;
    auto ini = TMemIniFile::FromText("v.ini", "[Print]\r\nHeaderStr=%  page %p  %\r\nFooterStr=  - %p -  \r\n");
    ReadSettingDecls(PrintSettingDecls(), ini, machine, prn);
    EXPECT_EQ(prn.HeaderStr, "  page %p  ");
    EXPECT_EQ(prn.FooterStr, "- %p -");
    WriteSettingDecls(PrintSettingDecls(), ini, prn);
    EXPECT_EQ(ini.ReadString("Print", "HeaderStr", ""), "%  page %p  %");
    EXPECT_EQ(ini.ReadString("Print", "FontName", ""), "\x82\x6C\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4E");
}

// [Print] as a "/p" print or a preview meets it: numbers out of range are
// held inside what the printing can use, and an obsolete ColPitch goes.
TEST(SettingsPrint, ReadingClampsAndDropsAPositiveColPitch)
{
    struct Case {
        const char* text;
        int fontSize, columns, headerAlign, footerAlign, left;
        bool colPitchStays;
    } cases[] = {
        {"FontSize=0\r\nColumnCount=0\r\nHeaderAlign=7\r\nFooterAlign=-2\r\nLeftMargin=500\r\nColPitch=5\r\n", 1,
         1, 7, -2, 100, false},
        {"FontSize=-5\r\nColumnCount=9\r\nHeaderAlign=1\r\nLeftMargin=-3\r\nColPitch=0\r\n", 1, 3, 1, 2, 0, true},
        {"FontSize=99999\r\nColumnCount=x\r\nFooterAlign=3\r\n", 200, 1, 2, 3, 20, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        TLoaded f(std::string("[Print]\r\n") + c.text + "[Other]\r\nKeep=1\r\n");
        f.store.Print.StartPage = 5;  // the dialog's choice of this run
        f.store.Print.SelectionOnly = true;
        f.store.ReadPrintSettings();
        const TAppIniPrn& p = f.store.Print;
        EXPECT_EQ(p.FontSize, c.fontSize);
        EXPECT_EQ(p.ColumnCount, c.columns);
        EXPECT_EQ(p.HeaderAlign, c.headerAlign);
        EXPECT_EQ(p.FooterAlign, c.footerAlign);
        EXPECT_EQ(p.LeftMargin, c.left);
        EXPECT_EQ(p.StartPage, 5);
        EXPECT_TRUE(p.SelectionOnly);
        const TMemIniFile after(f.store.Path());
        EXPECT_EQ(after.ValueExists("Print", "ColPitch"), c.colPitchStays);
        EXPECT_TRUE(after.ValueExists("Other", "Keep"));
    }
}

TEST(SettingsPrint, SavingWritesTheThirteenKeysAndTellsNobody)
{
    TLoaded f("[Print]\r\nFontSize=9\r\n");
    int broadcasts = 0;
    f.store.OnSaved = [&] { ++broadcasts; };
    f.store.ReadPrintSettings();
    f.store.Print.HeaderStr = "  %p  ";
    f.store.Print.ColumnCount = 2;
    f.store.Print.StartPage = 4;
    ASSERT_TRUE(f.store.SavePrintSettings());
    EXPECT_EQ(broadcasts, 0);
    const TMemIniFile ini(f.store.Path());
    EXPECT_EQ(ini.ReadString("Print", "HeaderStr", ""), "%  %p  %");
    EXPECT_EQ(ini.ReadString("Print", "ColumnCount", ""), "2");
    EXPECT_EQ(ini.ReadString("Print", "FontSize", ""), "9");
    EXPECT_FALSE(ini.ValueExists("Print", "StartPage"));
    TStringList keys;
    ini.ReadSection("Print", keys);
    EXPECT_EQ(keys.Count(), 13);
}

// A file that cannot take the print settings does not lose them: they stay
// for the run (a later read keeps them) and the failure is told once.
TEST(SettingsPrint, AnUnwritableFileKeepsTheValuesForTheRunAndIsReportedOnce)
{
    const std::string text = "[Print]\r\nFontSize=9\r\n";
    TLoaded f(text);
    f.store.ReadPrintSettings();
    std::filesystem::permissions(f.store.Path(), std::filesystem::perms::owner_read);
    std::vector<std::string> messages;
    TScopedMsgSink sink([&](const std::string& m, const std::string&, unsigned) { return messages.push_back(m), kAnswerOk; });
    f.store.Print.FontSize = 30;
    EXPECT_FALSE(f.store.SavePrintSettings());
    EXPECT_TRUE(f.store.ErrorReported());
    f.store.ReadPrintSettings();
    EXPECT_EQ(f.store.Print.FontSize, 30);
    f.store.Print.FontSize = 31;
    EXPECT_FALSE(f.store.SavePrintSettings());
    EXPECT_EQ(f.store.SaveWrapSetting(), TSaveResult::Failed);  // the toggles share the one message
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find(f.store.Path()), std::string::npos);
    EXPECT_EQ(ReadAll(f.store.Path()), text);

    std::filesystem::permissions(f.store.Path(), std::filesystem::perms::owner_all);
    EXPECT_TRUE(f.store.SavePrintSettings());
    ASSERT_TRUE(ReplaceFileBytes(f.store.Path(), text));
    f.store.ReadPrintSettings();  // saved once more: the file speaks again
    EXPECT_EQ(f.store.Print.FontSize, 9);
}

} // namespace
