// Edit modes: the mode an extension chooses, and what each mode stages in
// the settings holder (regions, openers, quotes, colours, keywords, margins).
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/editmodes.h"
#include "app/settingsdecl.h"
#include "app/settingsstore.h"
#include "classlib/filebytes.h"
#include "classlib/tempfolder.h"
#include "editor/editprop.h"
#include "test_machine.h"

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

std::string Brackets(const TEditorProp& p)
{
    std::string out;
    const TEditorBracketCollection& b = p.View().Brackets();
    for (int i = 0; i < b.Count(); ++i)
        out += b[i].LeftBracket() + " " + b[i].RightBracket() + " " + std::to_string(b[i].ItemColor().Color()) + " " +
               std::to_string(b[i].ItemColor().BkColor()) + "|";
    return out;
}

std::string B(const char* l, const char* r, TColor c, TColor bk)
{
    return std::string(l) + " " + r + " " + std::to_string(c) + " " + std::to_string(bk) + "|";
}

TEST(EditModes, ExtensionChoosesTheModeInListOrder)
{
    TAppSettings s = Defaults();
    const struct {
        const char* name;
        TEditMode mode;
    } cases[] = {
        {"a.htm", emHtml}, {"C:\\w\\A.HTML", emHtml}, {"a.asp", emHtml}, {"a.cgi", emPerl}, {"a.pl", emPerl},
        {"a.ini", emIni}, {"a.inf", emIni}, {"a.url", emIni}, {"a.bat", emBat}, {"a.c", emCpp}, {"a.cpp", emCpp},
        {"a.h", emCpp}, {"a.java", emJava}, {"a.bas", emVb}, {"a.vbs", emVb}, {"a.as", emHsp}, {"a.pas", emDelphi},
        {"a.dpr", emDelphi}, {"a.rb", emRuby}, {"a.php", emPhp}, {"a.css", emCss}, {"a.js", emJavaScript},
        {"README", emStandard}, {"x.htm.bak", emStandard}, {"C:\\dir.cpp\\README", emStandard},
        {"C:\\\x95\x5C\\a.c", emCpp},  // a folder name ending in a trail byte 5C
    };
    for (const auto& c : cases) EXPECT_EQ(ModeFromExtension(c.name, s.Option, emRuby), c.mode) << c.name;

    // An empty list takes the mode out of the choice, also for an untitled document.
    EXPECT_EQ(ModeFromExtension("", s.Option, emRuby), emRuby);
    s.Option.PerlDocFilter.clear();
    EXPECT_EQ(ModeFromExtension("a.pl", s.Option, emStandard), emStandard);
    EXPECT_EQ(ModeFromExtension("", s.Option, emPerl), emStandard);
    // C/C++ is tried before HSP; a piece without a dot matches names without one.
    s.Option.HspDocFilter = "*.as;*.h;Makefile";
    EXPECT_EQ(ModeFromExtension("a.h", s.Option, emStandard), emCpp);
    EXPECT_EQ(ModeFromExtension("README", s.Option, emStandard), emHsp);
    // Letters are folded, trail bytes are not: 83 43 and 83 63 are different characters.
    EXPECT_TRUE(ExtensionInList("a.\x83\x63", "*.txt; *.\x83\x63"));
    EXPECT_FALSE(ExtensionInList("a.\x83\x43", "*.\x83\x63"));
    EXPECT_FALSE(ExtensionInList("a.txt", ""));
    EXPECT_EQ(FileDialogFilterEntry("", emCss), "|CSSファイル(*.*)|*.*");
}

struct TModeRow {
    const char* file;
    TEditMode mode;
    std::string brackets;
    const char* openers;  // Commenter|Commenter2|PerlCommenter|RubyCommenter|Quotation|PerlQuotation
    TColor comment, str;
    bool controlCode, links;
    bool caseSensitive;
    const char* keyword;  // in the list; "" for none
    TColor reserve;
    bool bold;
    int openIndex;
};

TEST(EditModes, EachModeStagesItsSyntaxColoursAndKeywords)
{
    TTempFolder dir;
    TAppSettings s = Defaults();
    const TAppColors& c = s.Color;
    const TColor bk = c.Bk, font = c.Font;
    const std::string ruby = B("=begin", "=end", c.Ruby_Comment, bk) + B("%(", ")", c.Ruby_Str, bk) +
                             B("%<", ">", c.Ruby_Str, bk) + B("%[", "]", c.Ruby_Str, bk) + B("%{", "}", c.Ruby_Str, bk) +
                             B("%Q(", ")", c.Ruby_Str, bk) + B("%Q<", ">", c.Ruby_Str, bk) +
                             B("%Q[", "]", c.Ruby_Str, bk) + B("%Q{", "}", c.Ruby_Str, bk);
    const TModeRow rows[] = {
        {"a.txt", emStandard, "", "|||||", font, font, false, true, false, "", font, false, 1},
        {"a.htm", emHtml,
         B("<!--", "-->", c.Html_Comment, bk) + B("<%", "%>", c.Html_Asp, bk) + B("<?", "?>", c.Html_Asp, bk) +
             B("<![CDATA[", "]]>", c.Html_Asp, bk) + B("<", ">", c.Html_Tag, bk),
         "|||||", font, font, false, false, false, "", font, false, 2},
        {"a.pl", emPerl, B("=pod", "=cut", c.Perl_Comment, bk), "||#|||'", c.Perl_Comment, c.Perl_Str,
         false, false, true, "foreach", c.Perl_KeyWord, true, 3},
        {"a.php", emPhp, B("/*", "*/", c.Php_Comment, bk), "#|//||||'", c.Php_Comment, c.Php_Str, false,
         false, false, "echo", c.Php_KeyWord, true, 4},
        {"a.css", emCss, B("/*", "*/", c.Css_Comment, bk), "|||||'", font, c.Css_Str, false, false,
         false, "z-index", c.Css_KeyWord, true, 5},
        {"a.rb", emRuby, ruby, "|||#||'", c.Ruby_Comment, c.Ruby_Str, false, false, true, "yield",
         c.Ruby_KeyWord, true, 6},
        {"a.ini", emIni, "", "|||||", font, font, false, true, false, "", font, false, 7},
        {"a.bat", emBat, "", "|||||", font, font, false, true, false, "ECHO", c.Bat_KeyWord, false, 8},
        {"a.cpp", emCpp, B("/*", "*/", c.Cpp_Comment, bk), "//|||||'", c.Cpp_Comment, c.Cpp_Str, false,
         false, true, "namespace", c.Cpp_KeyWord, true, 9},
        {"a.java", emJava, B("/*", "*/", c.Java_Comment, bk), "//|||||'", c.Java_Comment, c.Java_Str,
         false, false, true, "instanceof", c.Java_KeyWord, true, 10},
        {"a.js", emJavaScript, B("/*", "*/", c.Js_Comment, bk), "//|||||'", c.Js_Comment, c.Js_Str,
         false, false, true, "typeof", c.Js_KeyWord, true, 11},
        {"a.vbs", emVb, "", "'||||\"|", c.Vb_Comment, c.Vb_Str, false, false, false, "Dim",
         c.Vb_KeyWord, false, 12},
        {"a.as", emHsp, B("/*", "*/", c.Hsp_Comment, bk) + B("{\"", "\"}", c.Hsp_Str, bk), ";|//||||'",
         c.Hsp_Comment, c.Hsp_Str, false, false, false, "mes", c.Hsp_KeyWord, false, 13},
        {"a.pas", emDelphi, B("{", "}", c.Pas_Comment, bk) + B("(*", "*)", c.Pas_Comment, bk), "//||||'|", c.Pas_Comment, c.Pas_Str, true, false, false, "begin", c.Pas_KeyWord, true, 14},
    };
    TEditorProp prop;
    // Start from a mode that sets everything, so a reset that forgets a field shows.
    SetCurrentEditMode(emHsp);
    StageSyntaxMode(prop, s, emHsp, dir.Path());
    for (const TModeRow& r : rows) {
        SCOPED_TRACE(r.file);
        const TEditMode mode = ModeFromExtension(r.file, s.Option, emStandard);
        ASSERT_EQ(mode, r.mode);
        const TSyntaxStaged staged = StageSyntaxMode(prop, s, mode, dir.Path());
        const TEditorViewInfo& v = prop.View();
        EXPECT_EQ(Brackets(prop), r.brackets);
        EXPECT_EQ(v.Commenter() + "|" + v.Commenter2() + "|" + v.PerlCommenter() + "|" + v.RubyCommenter() + "|" +
                      v.Quotation() + "|" + v.PerlQuotation() + v.Quotation2(),
                  r.openers);
        EXPECT_EQ(v.Colors().Comment().Color(), r.comment);
        EXPECT_EQ(v.Colors().Str().Color(), r.str);
        EXPECT_EQ(v.ControlCode(), r.controlCode);
        EXPECT_TRUE(v.Url() == r.links && v.Mail() == r.links);
        EXPECT_EQ(prop.Font().Color(), font);
        if (*r.keyword) {
            EXPECT_EQ(prop.ReserveWordList().CaseSensitive(), r.caseSensitive);
            EXPECT_TRUE(prop.ReserveWordList().Contains(r.keyword)) << r.keyword;
        } else {
            EXPECT_EQ(prop.ReserveWordList().Count(), 0);
        }
        EXPECT_EQ(v.Colors().Reserve().Color(), r.reserve);
        EXPECT_EQ(v.Colors().Reserve().Style(), r.bold ? TFontStyles{fsBold} : TFontStyles{0});
        EXPECT_EQ(staged.OpenFilterIndex, r.openIndex);
        EXPECT_EQ(staged.SaveFilterIndex, r.openIndex + 1);
    }
    // Case rules of the defaults: C++ matches with case, Delphi without.
    StageSyntaxMode(prop, s, emCpp, dir.Path());
    EXPECT_FALSE(prop.ReserveWordList().Contains("NAMESPACE"));
    StageSyntaxMode(prop, s, emDelphi, dir.Path());
    EXPECT_TRUE(prop.ReserveWordList().Contains("Begin"));
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
        if (*file) EXPECT_TRUE(ReplaceFileBytes(dir.File("cpp.kwd"), file));
        StageSyntaxMode(prop, s, emCpp, dir.Path());
        std::string all;
        for (const std::string& w : prop.ReserveWordList().Items()) all += w + ",";
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
