#include "app/window/editmodes.h"

#include <array>

#include "app/window/keywords.h"
#include "base/filebytes.h"
#include "base/leadbytes.h"
#include "base/stringlist.h"
#include "editor/editprop.h"
#include "editor/parsersettings.h"

namespace vellumo {

namespace {

// TEditMode of each list index.
constexpr std::array<TEditMode, EditModeCount> kListOrder = {
    emStandard, emHtml, emPerl, emPhp, emCss, emRuby, emIni, emBat, emCpp, emJava, emJavaScript, emVb, emHsp, emDelphi};

const std::string kNoList;

std::string_view Trimmed(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

void SetCommentAndStr(TEditorProp& prop, TColor comment, TColor str)
{
    prop.View().Colors().Comment().SetColor(comment);
    prop.View().Colors().Str().SetColor(str);
}

void AddBracket(TEditorProp& prop, const char* left, const char* right, TColor color, const TAppColors& c)
{
    TEditorBracketItem& item = prop.View().Brackets().Add();
    item.SetLeftBracket(left);
    item.SetRightBracket(right);
    item.ItemColor().SetColor(color);
    item.ItemColor().SetBkColor(c.Bk);
}

// What a mode means for the keyword colouring; its regions, openers and
// quotes are the mode's own setup below.
struct TModeRow {
    TEditMode Mode;
    const std::string TAppIni::*Extensions = nullptr;  // none: never chosen by extension
    TColor TAppColors::*Keyword = &TAppColors::Font;
    // None: never bold here. The line drawing makes BAT, VB and HSP keywords
    // bold itself; the editor's own colouring never does.
    bool TAppColors::*KeywordBold = nullptr;
};

using C = TAppColors;
using I = TAppIni;

// In TEditMode order: mode, extension list, keyword colour, keyword boldness.
constexpr TModeRow kModes[EditModeCount] = {
    {emStandard},
    {emHtml, &I::HtmlDocFilter},
    {emPerl, &I::PerlDocFilter, &C::Perl_KeyWord, &C::Perl_KeyWord_Bold},
    {emIni, &I::IniDocFilter},
    {emBat, &I::BatDocFilter, &C::Bat_KeyWord},
    {emCpp, &I::CppDocFilter, &C::Cpp_KeyWord, &C::Cpp_KeyWord_Bold},
    {emJava, &I::JavaDocFilter, &C::Java_KeyWord, &C::Java_KeyWord_Bold},
    {emVb, &I::VbDocFilter, &C::Vb_KeyWord},
    {emHsp, &I::HspDocFilter, &C::Hsp_KeyWord},
    {emDelphi, &I::PasDocFilter, &C::Pas_KeyWord, &C::Pas_KeyWord_Bold},
    {emRuby, &I::RubyDocFilter, &C::Ruby_KeyWord, &C::Ruby_KeyWord_Bold},
    {emPhp, &I::PhpDocFilter, &C::Php_KeyWord, &C::Php_KeyWord_Bold},
    {emCss, &I::CssDocFilter, &C::Css_KeyWord, &C::Css_KeyWord_Bold},
    {emJavaScript, &I::JsDocFilter, &C::Js_KeyWord, &C::Js_KeyWord_Bold},
};

constexpr bool RowsInModeOrder()
{
    for (int i = 0; i < EditModeCount; ++i)
        if (kModes[i].Mode != i) return false;
    return true;
}
static_assert(RowsInModeOrder(), "kModes is indexed by TEditMode");

const TModeRow& ModeRow(TEditMode mode) { return kModes[IsValidEditMode(mode) ? mode : emStandard]; }

} // namespace

TEditMode ListIndexToEditMode(int index) noexcept
{
    return index >= 0 && index < EditModeCount ? kListOrder[static_cast<std::size_t>(index)] : emStandard;
}

TEditModeListIndex EditModeToListIndex(TEditMode mode) noexcept
{
    for (std::size_t i = 0; i < kListOrder.size(); ++i)
        if (kListOrder[i] == mode) return static_cast<TEditModeListIndex>(i);
    return emlStandard;
}

TEditMode CurrentEditMode() noexcept { return GlobalParserSettings().EditMode; }

void SetCurrentEditMode(TEditMode mode) noexcept
{
    GlobalParserSettings().EditMode = IsValidEditMode(mode) ? mode : emStandard;
}

const std::string& ModeExtensionList(const TAppIni& o, TEditMode mode)
{
    const TModeRow& row = ModeRow(mode);
    return row.Extensions ? o.*row.Extensions : kNoList;
}

TEditMode EffectiveEditMode(const TAppIni& option, TEditMode mode)
{
    return ModeExtensionList(option, mode).empty() ? emStandard : mode;
}

std::string FileNameExtension(std::string_view fileName)
{
    std::size_t dot = std::string_view::npos;
    for (std::size_t i = 0; i < fileName.size(); ++i) {
        const unsigned char b = static_cast<unsigned char>(fileName[i]);
        if (IsLeadByte(b) && i + 1 < fileName.size()) {
            ++i;
            continue;
        }
        if (b == '\\' || b == '/' || b == ':')
            dot = std::string_view::npos;
        else if (b == '.')
            dot = i;
    }
    return dot == std::string_view::npos ? std::string() : std::string(fileName.substr(dot));
}

std::string LowerAnsiAscii(std::string_view s)
{
    std::string out(s);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const unsigned char b = static_cast<unsigned char>(out[i]);
        if (IsLeadByte(b) && i + 1 < out.size())
            ++i;
        else if (b >= 'A' && b <= 'Z')
            out[i] = static_cast<char>(b + ('a' - 'A'));
    }
    return out;
}

bool ExtensionInList(std::string_view fileName, std::string_view list)
{
    const std::string ext = LowerAnsiAscii(FileNameExtension(fileName));
    std::size_t start = 0;
    while (start <= list.size()) {
        std::size_t end = list.find(';', start);
        if (end == std::string_view::npos) end = list.size();
        const std::string_view mask = Trimmed(list.substr(start, end - start));
        if (!mask.empty() && LowerAnsiAscii(FileNameExtension(mask)) == ext) return true;
        start = end + 1;
    }
    return false;
}

TEditMode ModeFromExtension(std::string_view fileName, const TAppIni& option, TEditMode current)
{
    if (fileName.empty()) return ModeExtensionList(option, current).empty() ? emStandard : current;
    for (int m = emHtml; m <= emJavaScript; ++m) {
        const TEditMode mode = static_cast<TEditMode>(m);
        if (ExtensionInList(fileName, ModeExtensionList(option, mode))) return mode;
    }
    return emStandard;
}

const char* EditModeName(TEditMode mode) noexcept
{
    static const char* const names[EditModeCount] = {"標準", "HTML", "Perl", "INI", "BAT", "C/C++", "Java",
                                                     "VB",   "HSP",  "Delphi", "Ruby", "PHP", "CSS", "JS"};
    return IsValidEditMode(mode) ? names[mode] : names[0];
}

std::string FileDialogFilterEntry(const std::string& masks, TEditMode mode)
{
    static const char* const names[EditModeCount] = {
        "", "HTMLファイル", "Perlファイル", "INIファイル", "BATファイル", "C/C++ファイル", "Javaファイル", "VBファイル",
        "HSPファイル", "Delphiファイル", "Rubyファイル", "PHPファイル", "CSSファイル", "JavaScriptファイル"};
    const std::string name = mode > emStandard && mode <= emJavaScript ? names[mode] : "タイプ不明なファイル";
    if (masks.empty()) return "|" + name + "(*.*)|*.*";
    std::string shown = masks;
    for (char& ch : shown)
        if (ch == ';') ch = ',';
    return "|" + name + "(" + shown + ")|" + masks;
}

TFileDialogFilters BuildFileDialogFilters(const TAppIni& option)
{
    std::string shown = option.UserFileFilter;
    for (char& ch : shown)
        if (ch == ';') ch = ',';
    std::string common = "ユーザー(" + shown + ")|" + option.UserFileFilter;
    for (std::size_t i = 1; i < kListOrder.size(); ++i)
        common += FileDialogFilterEntry(ModeExtensionList(option, kListOrder[i]), kListOrder[i]);
    common += "|すべてのファイル(*.*)|*.*";
    return {common, "テキストファイル(*.txt)|*.txt|" + common};
}

int OpenFilterIndex(TEditMode mode) noexcept { return EditModeToListIndex(mode) + 1; }
int SaveFilterIndex(TEditMode mode) noexcept { return EditModeToListIndex(mode) + 2; }

void ResetSyntaxOptions(TEditorProp& prop, const TAppColors& colors)
{
    TEditorViewInfo& v = prop.View();
    v.Brackets().Clear();
    v.SetQuotation("");
    v.SetQuotation2("");
    v.SetCommenter("");
    v.SetCommenter2("");
    v.SetPerlCommenter("");
    v.SetPerlQuotation("");
    v.SetRubyCommenter("");
    v.SetControlCode(false);
    SetCommentAndStr(prop, colors.Font, colors.Font);
}

void SetupHtmlSyntax(TEditorProp& prop, const TAppColors& c)
{
    // The line drawing finds "<%" at index 1 and "<" at index 4.
    AddBracket(prop, "<!--", "-->", c.Html_Comment, c);
    AddBracket(prop, "<%", "%>", c.Html_Asp, c);
    AddBracket(prop, "<?", "?>", c.Html_Asp, c);
    AddBracket(prop, "<![CDATA[", "]]>", c.Html_Asp, c);
    AddBracket(prop, "<", ">", c.Html_Tag, c);
}

void SetupPerlSyntax(TEditorProp& prop, const TAppColors& c)
{
    AddBracket(prop, "=pod", "=cut", c.Perl_Comment, c);
    prop.View().SetPerlCommenter("#");
    prop.View().SetPerlQuotation("'");
    SetCommentAndStr(prop, c.Perl_Comment, c.Perl_Str);
    prop.ReserveWordList().SetCaseSensitive(c.Perl_KeyWord_Case);
}

void SetupCppSyntax(TEditorProp& prop, const TAppColors& c)
{
    AddBracket(prop, "/*", "*/", c.Cpp_Comment, c);
    prop.View().SetCommenter("//");
    prop.View().SetPerlQuotation("'");
    SetCommentAndStr(prop, c.Cpp_Comment, c.Cpp_Str);
    prop.ReserveWordList().SetCaseSensitive(c.Cpp_KeyWord_Case);
}

void SetupJavaSyntax(TEditorProp& prop, const TAppColors& c)
{
    AddBracket(prop, "/*", "*/", c.Java_Comment, c);
    prop.View().SetCommenter("//");
    prop.View().SetPerlQuotation("'");
    SetCommentAndStr(prop, c.Java_Comment, c.Java_Str);
    prop.ReserveWordList().SetCaseSensitive(c.Java_KeyWord_Case);
}

void SetupVbSyntax(TEditorProp& prop, const TAppColors& c)
{
    prop.View().SetCommenter("'");
    prop.View().SetQuotation("\"");
    SetCommentAndStr(prop, c.Vb_Comment, c.Vb_Str);
    prop.ReserveWordList().SetCaseSensitive(c.Vb_KeyWord_Case);
}

void SetupHspSyntax(TEditorProp& prop, const TAppColors& c)
{
    // The line drawing finds the multi-line string at index 1.
    AddBracket(prop, "/*", "*/", c.Hsp_Comment, c);
    AddBracket(prop, "{\"", "\"}", c.Hsp_Str, c);
    prop.View().SetCommenter(";");
    prop.View().SetCommenter2("//");
    prop.View().SetPerlQuotation("'");
    SetCommentAndStr(prop, c.Hsp_Comment, c.Hsp_Str);
    prop.ReserveWordList().SetCaseSensitive(c.Hsp_KeyWord_Case);
}

void SetupDelphiSyntax(TEditorProp& prop, const TAppColors& c)
{
    AddBracket(prop, "{", "}", c.Pas_Comment, c);
    AddBracket(prop, "(*", "*)", c.Pas_Comment, c);
    prop.View().SetCommenter("//");
    prop.View().SetQuotation("'");
    prop.View().SetControlCode(true);
    SetCommentAndStr(prop, c.Pas_Comment, c.Pas_Str);
    prop.ReserveWordList().SetCaseSensitive(c.Pas_KeyWord_Case);
}

void SetupRubySyntax(TEditorProp& prop, const TAppColors& c)
{
    AddBracket(prop, "=begin", "=end", c.Ruby_Comment, c);
    AddBracket(prop, "%(", ")", c.Ruby_Str, c);
    AddBracket(prop, "%<", ">", c.Ruby_Str, c);
    AddBracket(prop, "%[", "]", c.Ruby_Str, c);
    AddBracket(prop, "%{", "}", c.Ruby_Str, c);
    AddBracket(prop, "%Q(", ")", c.Ruby_Str, c);
    AddBracket(prop, "%Q<", ">", c.Ruby_Str, c);
    AddBracket(prop, "%Q[", "]", c.Ruby_Str, c);
    AddBracket(prop, "%Q{", "}", c.Ruby_Str, c);
    prop.View().SetRubyCommenter("#");
    prop.View().SetPerlQuotation("'");
    SetCommentAndStr(prop, c.Ruby_Comment, c.Ruby_Str);
    prop.ReserveWordList().SetCaseSensitive(c.Ruby_KeyWord_Case);
}

void SetupPhpSyntax(TEditorProp& prop, const TAppColors& c)
{
    AddBracket(prop, "/*", "*/", c.Php_Comment, c);
    prop.View().SetCommenter("#");
    prop.View().SetCommenter2("//");
    prop.View().SetPerlQuotation("'");
    SetCommentAndStr(prop, c.Php_Comment, c.Php_Str);
    prop.ReserveWordList().SetCaseSensitive(c.Php_KeyWord_Case);
}

void SetupCssSyntax(TEditorProp& prop, const TAppColors& c)
{
    // Comments keep the text colour: only the region is coloured.
    AddBracket(prop, "/*", "*/", c.Css_Comment, c);
    prop.View().SetPerlQuotation("'");
    SetCommentAndStr(prop, c.Font, c.Css_Str);
    prop.ReserveWordList().SetCaseSensitive(c.Css_KeyWord_Case);
}

void SetupJsSyntax(TEditorProp& prop, const TAppColors& c)
{
    AddBracket(prop, "/*", "*/", c.Js_Comment, c);
    prop.View().SetCommenter("//");
    prop.View().SetPerlQuotation("'");
    SetCommentAndStr(prop, c.Js_Comment, c.Js_Str);
    prop.ReserveWordList().SetCaseSensitive(c.Js_KeyWord_Case);
}

void SetupModeSyntax(TEditorProp& prop, TEditMode mode, const TAppColors& c)
{
    switch (mode) {
    case emHtml: SetupHtmlSyntax(prop, c); break;
    case emPerl: SetupPerlSyntax(prop, c); break;
    case emBat: prop.ReserveWordList().SetCaseSensitive(c.Bat_KeyWord_Case); break;
    case emCpp: SetupCppSyntax(prop, c); break;
    case emJava: SetupJavaSyntax(prop, c); break;
    case emVb: SetupVbSyntax(prop, c); break;
    case emHsp: SetupHspSyntax(prop, c); break;
    case emDelphi: SetupDelphiSyntax(prop, c); break;
    case emRuby: SetupRubySyntax(prop, c); break;
    case emPhp: SetupPhpSyntax(prop, c); break;
    case emCss: SetupCssSyntax(prop, c); break;
    case emJavaScript: SetupJsSyntax(prop, c); break;
    default: break;  // standard and INI: the reset is all
    }
}

void SetKeywordBold(TEditorProp& prop, bool bold) { prop.View().Colors().Reserve().SetStyle(bold ? TFontStyles{fsBold} : TFontStyles{0}); }

void ApplyKeywordColors(TEditorProp& prop, TEditMode mode, const TAppColors& colors, const std::string& settingsFolder)
{
    // Read afresh every time: an edited keyword file counts from the next apply.
    LoadReserveWords(mode, settingsFolder, prop.ReserveWordList());
    const TModeRow& row = ModeRow(mode);
    prop.View().Colors().Reserve().SetColor(colors.*row.Keyword);
    SetKeywordBold(prop, row.KeywordBold && colors.*row.KeywordBold);
}

void ApplyModeMargins(TEditorProp& prop, TEditMode mode, const TAppSettings& s)
{
    const TAppLeftBarRuler& lr = s.LeftBarAndRuler;
    const bool standard = mode == emStandard;
    if (lr.LeftBar && !(standard && lr.LeftBarAutoOff)) {
        prop.Margin().SetLeft(4);
        prop.Leftbar().SetVisible(true);
    } else {
        prop.Margin().SetLeft(s.Option.LeftMargin);
        prop.Leftbar().SetVisible(false);
    }
    prop.Ruler().SetVisible(lr.Ruler && !(standard && lr.RulerAutoOff));
}

TSyntaxStaged StageSyntaxMode(TEditorProp& prop, const TAppSettings& s, TEditMode mode,
                              const std::string& settingsFolder)
{
    TSyntaxStaged staged;
    prop.Font().SetColor(s.Color.Font);
    staged.Effective = EffectiveEditMode(s.Option, mode);
    staged.OpenFilterIndex = OpenFilterIndex(staged.Effective);
    staged.SaveFilterIndex = SaveFilterIndex(staged.Effective);
    const bool links = staged.Effective == emStandard || staged.Effective == emIni || staged.Effective == emBat;
    prop.View().SetUrl(links);
    prop.View().SetMail(links);
    ResetSyntaxOptions(prop, s.Color);
    SetupModeSyntax(prop, staged.Effective, s.Color);
    ApplyKeywordColors(prop, mode, s.Color, settingsFolder);
    ApplyModeMargins(prop, mode, s);
    return staged;
}

std::string SettingsFolderOf(const std::string& settingsPath) { return ExtractFileDir(settingsPath); }

} // namespace vellumo
