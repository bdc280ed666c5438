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

struct TBracketRow {
    const char* Left;
    const char* Right;
    TColor TAppColors::*Color;
};

// What a mode means for the editors. Brackets end at the first empty one;
// the line drawing finds HTML's "<%" at index 1 and "<" at index 4.
struct TModeRow {
    TEditMode Mode;
    const std::string TAppIni::*Extensions = nullptr;  // none: never chosen by extension
    std::array<TBracketRow, 9> Brackets{};
    const char* Commenter = "";
    const char* Commenter2 = "";
    const char* Quotation = "";
    const char* PerlCommenter = "";
    const char* PerlQuotation = "";
    const char* RubyCommenter = "";
    bool ControlCode = false;
    TColor TAppColors::*Comment = &TAppColors::Font;
    TColor TAppColors::*Str = &TAppColors::Font;
    bool TAppColors::*KeywordCase = nullptr;  // none: the list keeps its flag
    TColor TAppColors::*Keyword = &TAppColors::Font;
    // None: never bold here. The line drawing makes BAT, VB and HSP keywords
    // bold itself; the editor's own colouring never does.
    bool TAppColors::*KeywordBold = nullptr;
};

using C = TAppColors;

// In TEditMode order.
constexpr TModeRow kModes[EditModeCount] = {
    {.Mode = emStandard},
    {.Mode = emHtml,
     .Extensions = &TAppIni::HtmlDocFilter,
     .Brackets = {{{"<!--", "-->", &C::Html_Comment},
                   {"<%", "%>", &C::Html_Asp},
                   {"<?", "?>", &C::Html_Asp},
                   {"<![CDATA[", "]]>", &C::Html_Asp},
                   {"<", ">", &C::Html_Tag}}}},
    {.Mode = emPerl,
     .Extensions = &TAppIni::PerlDocFilter,
     .Brackets = {{{"=pod", "=cut", &C::Perl_Comment}}},
     .PerlCommenter = "#",
     .PerlQuotation = "'",
     .Comment = &C::Perl_Comment,
     .Str = &C::Perl_Str,
     .KeywordCase = &C::Perl_KeyWord_Case,
     .Keyword = &C::Perl_KeyWord,
     .KeywordBold = &C::Perl_KeyWord_Bold},
    {.Mode = emIni, .Extensions = &TAppIni::IniDocFilter},
    {.Mode = emBat,
     .Extensions = &TAppIni::BatDocFilter,
     .KeywordCase = &C::Bat_KeyWord_Case,
     .Keyword = &C::Bat_KeyWord},
    {.Mode = emCpp,
     .Extensions = &TAppIni::CppDocFilter,
     .Brackets = {{{"/*", "*/", &C::Cpp_Comment}}},
     .Commenter = "//",
     .PerlQuotation = "'",
     .Comment = &C::Cpp_Comment,
     .Str = &C::Cpp_Str,
     .KeywordCase = &C::Cpp_KeyWord_Case,
     .Keyword = &C::Cpp_KeyWord,
     .KeywordBold = &C::Cpp_KeyWord_Bold},
    {.Mode = emJava,
     .Extensions = &TAppIni::JavaDocFilter,
     .Brackets = {{{"/*", "*/", &C::Java_Comment}}},
     .Commenter = "//",
     .PerlQuotation = "'",
     .Comment = &C::Java_Comment,
     .Str = &C::Java_Str,
     .KeywordCase = &C::Java_KeyWord_Case,
     .Keyword = &C::Java_KeyWord,
     .KeywordBold = &C::Java_KeyWord_Bold},
    {.Mode = emVb,
     .Extensions = &TAppIni::VbDocFilter,
     .Commenter = "'",
     .Quotation = "\"",
     .Comment = &C::Vb_Comment,
     .Str = &C::Vb_Str,
     .KeywordCase = &C::Vb_KeyWord_Case,
     .Keyword = &C::Vb_KeyWord},
    {.Mode = emHsp,
     .Extensions = &TAppIni::HspDocFilter,
     .Brackets = {{{"/*", "*/", &C::Hsp_Comment}, {"{\"", "\"}", &C::Hsp_Str}}},
     .Commenter = ";",
     .Commenter2 = "//",
     .PerlQuotation = "'",
     .Comment = &C::Hsp_Comment,
     .Str = &C::Hsp_Str,
     .KeywordCase = &C::Hsp_KeyWord_Case,
     .Keyword = &C::Hsp_KeyWord},
    {.Mode = emDelphi,
     .Extensions = &TAppIni::PasDocFilter,
     .Brackets = {{{"{", "}", &C::Pas_Comment}, {"(*", "*)", &C::Pas_Comment}}},
     .Commenter = "//",
     .Quotation = "'",
     .ControlCode = true,
     .Comment = &C::Pas_Comment,
     .Str = &C::Pas_Str,
     .KeywordCase = &C::Pas_KeyWord_Case,
     .Keyword = &C::Pas_KeyWord,
     .KeywordBold = &C::Pas_KeyWord_Bold},
    {.Mode = emRuby,
     .Extensions = &TAppIni::RubyDocFilter,
     .Brackets = {{{"=begin", "=end", &C::Ruby_Comment},
                   {"%(", ")", &C::Ruby_Str},
                   {"%<", ">", &C::Ruby_Str},
                   {"%[", "]", &C::Ruby_Str},
                   {"%{", "}", &C::Ruby_Str},
                   {"%Q(", ")", &C::Ruby_Str},
                   {"%Q<", ">", &C::Ruby_Str},
                   {"%Q[", "]", &C::Ruby_Str},
                   {"%Q{", "}", &C::Ruby_Str}}},
     .PerlQuotation = "'",
     .RubyCommenter = "#",
     .Comment = &C::Ruby_Comment,
     .Str = &C::Ruby_Str,
     .KeywordCase = &C::Ruby_KeyWord_Case,
     .Keyword = &C::Ruby_KeyWord,
     .KeywordBold = &C::Ruby_KeyWord_Bold},
    {.Mode = emPhp,
     .Extensions = &TAppIni::PhpDocFilter,
     .Brackets = {{{"/*", "*/", &C::Php_Comment}}},
     .Commenter = "#",
     .Commenter2 = "//",
     .PerlQuotation = "'",
     .Comment = &C::Php_Comment,
     .Str = &C::Php_Str,
     .KeywordCase = &C::Php_KeyWord_Case,
     .Keyword = &C::Php_KeyWord,
     .KeywordBold = &C::Php_KeyWord_Bold},
    {.Mode = emCss,
     .Extensions = &TAppIni::CssDocFilter,
     .Brackets = {{{"/*", "*/", &C::Css_Comment}}},
     .PerlQuotation = "'",
     .Str = &C::Css_Str,
     .KeywordCase = &C::Css_KeyWord_Case,
     .Keyword = &C::Css_KeyWord,
     .KeywordBold = &C::Css_KeyWord_Bold},
    {.Mode = emJavaScript,
     .Extensions = &TAppIni::JsDocFilter,
     .Brackets = {{{"/*", "*/", &C::Js_Comment}}},
     .Commenter = "//",
     .PerlQuotation = "'",
     .Comment = &C::Js_Comment,
     .Str = &C::Js_Str,
     .KeywordCase = &C::Js_KeyWord_Case,
     .Keyword = &C::Js_KeyWord,
     .KeywordBold = &C::Js_KeyWord_Bold},
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

void SetupModeSyntax(TEditorProp& prop, TEditMode mode, const TAppColors& c)
{
    const TModeRow& row = ModeRow(mode);
    TEditorViewInfo& v = prop.View();
    for (const TBracketRow& b : row.Brackets) {
        if (!b.Left) break;
        TEditorBracketItem& item = v.Brackets().Add();
        item.SetLeftBracket(b.Left);
        item.SetRightBracket(b.Right);
        item.ItemColor().SetColor(c.*b.Color);
        item.ItemColor().SetBkColor(c.Bk);
    }
    v.SetCommenter(row.Commenter);
    v.SetCommenter2(row.Commenter2);
    v.SetQuotation(row.Quotation);
    v.SetPerlCommenter(row.PerlCommenter);
    v.SetPerlQuotation(row.PerlQuotation);
    v.SetRubyCommenter(row.RubyCommenter);
    v.SetControlCode(row.ControlCode);
    SetCommentAndStr(prop, c.*row.Comment, c.*row.Str);
    if (row.KeywordCase) prop.ReserveWordList().SetCaseSensitive(c.*row.KeywordCase);
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
