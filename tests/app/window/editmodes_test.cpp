// Edit modes: the mode an extension chooses, and what each mode stages in
// the settings holder (regions, openers, quotes, colours, keywords, margins).
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>

#include "app/window/editmodes.h"
#include "settings/settingsdecl.h"
#include "settings/settingsstore.h"
#include "base/filebytes.h"
#include "support/tempfolder.h"
#include "editor/editprop.h"
#include "support/test_machine.h"

using namespace vellumo;
using vellumo::testing::TTempFolder;

namespace {

// The defaults of a missing file, every colour key made distinct so a
// colour taken from the wrong key shows.
TAppSettings Defaults()
{
    TTempFolder dir;
    TFakeMachine machine;
    TSettingsStore store(dir.File("none.ini"), machine);
    store.LoadSettings();
    TAppSettings s = store.Settings;
    int n = 0;
    for (const auto& d : AppSettingDecls())
        if (d.Kind == TValueKind::Color) *d.Field.AsInt(s) = 0x10000 + ++n;
    return s;
}

// The colour key a value came from (every colour is distinct in Defaults()).
std::string Key(TColor c)
{
    int n = 0;
    for (const auto& d : AppSettingDecls())
        if (d.Kind == TValueKind::Color && 0x10000 + ++n == c) return d.Key;
    return std::to_string(c);
}

// What a mode staged, in one line: regions; openers and quotes; comment and
// string colours; control codes, links, keyword case; a keyword, its colour
// and boldness; the open dialog's filter index.
std::string Signature(const TEditorProp& p, const TSyntaxStaged& staged, const char* keyword)
{
    const TEditorViewInfo& v = p.View();
    std::string out;
    for (int i = 0; i < v.Brackets().Count(); ++i) {
        const TEditorBracketItem& b = v.Brackets()[i];
        out += b.LeftBracket() + " " + b.RightBracket() + " " + Key(b.ItemColor().Color()) + "/" +
               Key(b.ItemColor().BkColor()) + ", ";
    }
    out += "[" + v.Commenter() + "|" + v.Commenter2() + "|" + v.PerlCommenter() + "|" + v.RubyCommenter() + "|" +
           v.Quotation() + v.Quotation2() + "|" + v.PerlQuotation() + "] ";
    out += Key(v.Colors().Comment().Color()) + " " + Key(v.Colors().Str().Color());
    out += v.ControlCode() ? " ctl" : "";
    out += v.Url() && v.Mail() ? " links" : v.Url() || v.Mail() ? " half-links" : "";
    const TReserveWordList& words = p.ReserveWordList();
    if (*keyword)
        out += std::string(words.CaseSensitive() ? " case " : " nocase ") + (words.Contains(keyword) ? keyword : "?");
    else
        out += words.Count() ? " words" : "";
    out += " " + Key(v.Colors().Reserve().Color()) + (v.Colors().Reserve().Style() == fsBold ? " bold" : "");
    return out + " " + std::to_string(staged.OpenFilterIndex) + "/" + std::to_string(staged.SaveFilterIndex);
}

TEST(EditModes, ExtensionChoosesTheModeInListOrder)
{
    TAppSettings s = Defaults();
    EXPECT_EQ(ModeFromExtension("C:\\w\\A.HTML", s.Option, emRuby), emHtml);
    EXPECT_EQ(ModeFromExtension("C:\\\x95\x5C\\a.c", s.Option, emRuby), emCpp);  // folder ending in trail byte 5C
    for (const char* name : {"README", "x.htm.bak", "C:\\dir.cpp\\README"})
        EXPECT_EQ(ModeFromExtension(name, s.Option, emRuby), emStandard) << name;

    // An empty list takes the mode out of the choice, also for an untitled document.
    EXPECT_EQ(ModeFromExtension("", s.Option, emRuby), emRuby);
    s.Option.PerlDocFilter.clear();
    EXPECT_EQ(ModeFromExtension("a.pl", s.Option, emStandard), emStandard);
    EXPECT_EQ(ModeFromExtension("", s.Option, emPerl), emStandard);
    // C/C++ is tried before HSP; a mask without a dot matches names without one.
    s.Option.HspDocFilter = "*.as;*.h;Makefile";
    EXPECT_EQ(ModeFromExtension("a.h", s.Option, emStandard), emCpp);
    EXPECT_EQ(ModeFromExtension("README", s.Option, emStandard), emHsp);
    // Letters are folded, trail bytes are not: 83 43 and 83 63 are different characters.
    EXPECT_TRUE(ExtensionInList("a.\x83\x63", "*.txt; *.\x83\x63"));
    EXPECT_FALSE(ExtensionInList("a.\x83\x43", "*.\x83\x63"));
    EXPECT_FALSE(ExtensionInList("a.txt", ""));
    EXPECT_EQ(FileDialogFilterEntry("", emCss), "|CSSファイル(*.*)|*.*");
}

TEST(EditModes, EachModeStagesItsSyntaxColoursAndKeywords)
{
    TTempFolder dir;
    const TAppSettings s = Defaults();
    const struct {
        const char* files;  // every default extension of the mode
        TEditMode mode;
        const char* keyword;
        const char* expected;
    } rows[] = {
        {"a.txt", emStandard, "", "[|||||] Font Font links Font 1/2"},
        {"a.htm a.html a.asp", emHtml, "",
         "<!-- --> Html_Comment/Bk, <% %> Html_Asp/Bk, <? ?> Html_Asp/Bk, <![CDATA[ ]]> Html_Asp/Bk, < > Html_Tag/Bk, "
         "[|||||] Font Font Font 2/3"},
        {"a.cgi a.pl", emPerl, "foreach",
         "=pod =cut Perl_Comment/Bk, [||#|||'] Perl_Comment Perl_Str case foreach Perl_KeyWord bold 3/4"},
        {"a.php", emPhp, "echo", "/* */ Php_Comment/Bk, [#|//||||'] Php_Comment Php_Str nocase echo Php_KeyWord bold 4/5"},
        {"a.css", emCss, "z-index", "/* */ Css_Comment/Bk, [|||||'] Font Css_Str nocase z-index Css_KeyWord bold 5/6"},
        {"a.rb", emRuby, "yield",
         "=begin =end Ruby_Comment/Bk, %( ) Ruby_Str/Bk, %< > Ruby_Str/Bk, %[ ] Ruby_Str/Bk, %{ } Ruby_Str/Bk, "
         "%Q( ) Ruby_Str/Bk, %Q< > Ruby_Str/Bk, %Q[ ] Ruby_Str/Bk, %Q{ } Ruby_Str/Bk, "
         "[|||#||'] Ruby_Comment Ruby_Str case yield Ruby_KeyWord bold 6/7"},
        {"a.ini a.inf a.url", emIni, "", "[|||||] Font Font links Font 7/8"},
        {"a.bat", emBat, "ECHO", "[|||||] Font Font links nocase ECHO Bat_KeyWord 8/9"},
        {"a.c a.cpp a.h", emCpp, "namespace",
         "/* */ Cpp_Comment/Bk, [//|||||'] Cpp_Comment Cpp_Str case namespace Cpp_KeyWord bold 9/10"},
        {"a.java", emJava, "instanceof",
         "/* */ Java_Comment/Bk, [//|||||'] Java_Comment Java_Str case instanceof Java_KeyWord bold 10/11"},
        {"a.js", emJavaScript, "typeof", "/* */ Js_Comment/Bk, [//|||||'] Js_Comment Js_Str case typeof Js_KeyWord bold 11/12"},
        {"a.bas a.vbs", emVb, "dim", "['||||\"|] Vb_Comment Vb_Str nocase dim Vb_KeyWord 12/13"},
        {"a.as", emHsp, "mes",
         "/* */ Hsp_Comment/Bk, {\" \"} Hsp_Str/Bk, [;|//||||'] Hsp_Comment Hsp_Str nocase mes Hsp_KeyWord 13/14"},
        {"a.pas a.dpr", emDelphi, "begin",
         "{ } Pas_Comment/Bk, (* *) Pas_Comment/Bk, [//||||'|] Pas_Comment Pas_Str ctl nocase begin Pas_KeyWord bold "
         "14/15"},
    };
    TEditorProp prop;
    // Start from a mode that sets much, so a reset that forgets a field shows.
    StageSyntaxMode(prop, s, emHsp, dir.Path());
    for (const auto& r : rows) {
        std::istringstream names(r.files);
        for (std::string name; names >> name;) EXPECT_EQ(ModeFromExtension(name, s.Option, emStandard), r.mode) << name;
        EXPECT_EQ(Signature(prop, StageSyntaxMode(prop, s, r.mode, dir.Path()), r.keyword), r.expected);
    }
}

TEST(EditModes, SwitchedOffModesKeywordFilesAndMargins)
{
    TTempFolder dir;
    TAppSettings s = Defaults();
    TEditorProp prop;
    // A mode without extensions gets the standard syntax, yet its own keywords.
    s.Option.PerlDocFilter.clear();
    EXPECT_EQ(StageSyntaxMode(prop, s, emPerl, dir.Path()).OpenFilterIndex, 1);
    EXPECT_EQ(prop.View().Brackets().Count(), 0);
    EXPECT_TRUE(prop.View().Url());
    EXPECT_TRUE(prop.ReserveWordList().Contains("foreach"));
    EXPECT_EQ(prop.View().Colors().Reserve().Color(), s.Color.Perl_KeyWord);

    // The keyword file is read at every apply, duplicates dropped; gone, the built-in list returns.
    const auto words = [&](const char* file) {
        if (*file) {
            EXPECT_TRUE(ReplaceFileBytes(dir.File("cpp.kwd"), file));
        }
        StageSyntaxMode(prop, s, emCpp, dir.Path());
        std::string all;
        for (std::string_view w : prop.ReserveWordList().Items()) (all += w) += ",";
        return all;
    };
    EXPECT_EQ(words("beta\r\nalpha\r\nbeta\r\n\x8A\xBF\r\n"), "alpha,beta,\x8A\xBF,");
    EXPECT_EQ(words("gamma\r\n"), "gamma,");
    std::filesystem::remove(dir.File("cpp.kwd"));
    EXPECT_NE(words("").find(",namespace,"), std::string::npos);

    // Left bar and ruler switch off in the standard mode only with their auto-off.
    s.Option.LeftMargin = 13;
    s.LeftBarAndRuler.LeftBarAutoOff = s.LeftBarAndRuler.RulerAutoOff = true;
    s.LeftBarAndRuler.LeftBar = s.LeftBarAndRuler.Ruler = true;
    for (TEditMode m : {emStandard, emCpp}) {
        StageSyntaxMode(prop, s, m, dir.Path());
        EXPECT_EQ(prop.Leftbar().Visible(), m == emCpp);
        EXPECT_EQ(prop.Margin().Left(), m == emCpp ? 4 : 13);
        EXPECT_EQ(prop.Ruler().Visible(), m == emCpp);
    }
}

} // namespace
