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

void AddBracket(TEditorProp& prop, const char* left, const char* right, TColor color, TColor bk)
{
    TEditorBracketItem& item = prop.View().Brackets().Add();
    item.SetLeftBracket(left);
    item.SetRightBracket(right);
    item.ItemColor().SetColor(color);
    item.ItemColor().SetBkColor(bk);
}

void SetCommentAndStr(TEditorProp& prop, TColor comment, TColor str)
{
    prop.View().Colors().Comment().SetColor(comment);
    prop.View().Colors().Str().SetColor(str);
}

void SetCase(TEditorProp& prop, bool caseSensitive) { prop.ReserveWordList().SetCaseSensitive(caseSensitive); }

// A C-like mode: "/*" .. "*/" region, "//" opener, both quote kinds escaped.
void SetupCLike(TEditorProp& prop, const TAppColors& c, TColor comment, TColor str, bool caseSensitive)
{
    AddBracket(prop, "/*", "*/", comment, c.Bk);
    prop.View().SetCommenter("//");
    prop.View().SetPerlQuotation("'");
    SetCommentAndStr(prop, comment, str);
    SetCase(prop, caseSensitive);
}

struct TKeywordStyle {
    TColor Color;
    bool Bold;
};

TKeywordStyle KeywordStyle(TEditMode mode, const TAppColors& c)
{
    switch (mode) {
    case emPerl: return {c.Perl_KeyWord, c.Perl_KeyWord_Bold};
    case emPhp: return {c.Php_KeyWord, c.Php_KeyWord_Bold};
    case emCss: return {c.Css_KeyWord, c.Css_KeyWord_Bold};
    case emRuby: return {c.Ruby_KeyWord, c.Ruby_KeyWord_Bold};
    case emCpp: return {c.Cpp_KeyWord, c.Cpp_KeyWord_Bold};
    case emJava: return {c.Java_KeyWord, c.Java_KeyWord_Bold};
    case emJavaScript: return {c.Js_KeyWord, c.Js_KeyWord_Bold};
    case emDelphi: return {c.Pas_KeyWord, c.Pas_KeyWord_Bold};
    // The line drawing makes these bold itself; the editor's own colouring never does.
    case emBat: return {c.Bat_KeyWord, false};
    case emVb: return {c.Vb_KeyWord, false};
    case emHsp: return {c.Hsp_KeyWord, false};
    default: return {c.Font, false};
    }
}

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
    switch (mode) {
    case emHtml: return o.HtmlDocFilter;
    case emPerl: return o.PerlDocFilter;
    case emIni: return o.IniDocFilter;
    case emBat: return o.BatDocFilter;
    case emCpp: return o.CppDocFilter;
    case emJava: return o.JavaDocFilter;
    case emVb: return o.VbDocFilter;
    case emHsp: return o.HspDocFilter;
    case emDelphi: return o.PasDocFilter;
    case emRuby: return o.RubyDocFilter;
    case emPhp: return o.PhpDocFilter;
    case emCss: return o.CssDocFilter;
    case emJavaScript: return o.JsDocFilter;
    default: return kNoList;
    }
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
    TEditorViewInfo& v = prop.View();
    switch (mode) {
    case emHtml:
        // The line drawing finds "<%" at index 1 and "<" at index 4.
        AddBracket(prop, "<!--", "-->", c.Html_Comment, c.Bk);
        AddBracket(prop, "<%", "%>", c.Html_Asp, c.Bk);
        AddBracket(prop, "<?", "?>", c.Html_Asp, c.Bk);
        AddBracket(prop, "<![CDATA[", "]]>", c.Html_Asp, c.Bk);
        AddBracket(prop, "<", ">", c.Html_Tag, c.Bk);
        break;
    case emPerl:
        AddBracket(prop, "=pod", "=cut", c.Perl_Comment, c.Bk);
        v.SetPerlCommenter("#");
        v.SetPerlQuotation("'");
        SetCommentAndStr(prop, c.Perl_Comment, c.Perl_Str);
        SetCase(prop, c.Perl_KeyWord_Case);
        break;
    case emBat: SetCase(prop, c.Bat_KeyWord_Case); break;
    case emCpp: SetupCLike(prop, c, c.Cpp_Comment, c.Cpp_Str, c.Cpp_KeyWord_Case); break;
    case emJava: SetupCLike(prop, c, c.Java_Comment, c.Java_Str, c.Java_KeyWord_Case); break;
    case emJavaScript: SetupCLike(prop, c, c.Js_Comment, c.Js_Str, c.Js_KeyWord_Case); break;
    case emVb:
        v.SetCommenter("'");
        v.SetQuotation("\"");
        SetCommentAndStr(prop, c.Vb_Comment, c.Vb_Str);
        SetCase(prop, c.Vb_KeyWord_Case);
        break;
    case emHsp:
        AddBracket(prop, "/*", "*/", c.Hsp_Comment, c.Bk);
        AddBracket(prop, "{\"", "\"}", c.Hsp_Str, c.Bk);
        v.SetCommenter(";");
        v.SetCommenter2("//");
        v.SetPerlQuotation("'");
        SetCommentAndStr(prop, c.Hsp_Comment, c.Hsp_Str);
        SetCase(prop, c.Hsp_KeyWord_Case);
        break;
    case emDelphi:
        AddBracket(prop, "{", "}", c.Pas_Comment, c.Bk);
        AddBracket(prop, "(*", "*)", c.Pas_Comment, c.Bk);
        v.SetCommenter("//");
        v.SetQuotation("'");
        v.SetControlCode(true);
        SetCommentAndStr(prop, c.Pas_Comment, c.Pas_Str);
        SetCase(prop, c.Pas_KeyWord_Case);
        break;
    case emRuby: {
        AddBracket(prop, "=begin", "=end", c.Ruby_Comment, c.Bk);
        static const char* const pairs[][2] = {{"%(", ")"},  {"%<", ">"},  {"%[", "]"},  {"%{", "}"},
                                               {"%Q(", ")"}, {"%Q<", ">"}, {"%Q[", "]"}, {"%Q{", "}"}};
        for (const auto& p : pairs) AddBracket(prop, p[0], p[1], c.Ruby_Str, c.Bk);
        v.SetRubyCommenter("#");
        v.SetPerlQuotation("'");
        SetCommentAndStr(prop, c.Ruby_Comment, c.Ruby_Str);
        SetCase(prop, c.Ruby_KeyWord_Case);
        break;
    }
    case emPhp:
        AddBracket(prop, "/*", "*/", c.Php_Comment, c.Bk);
        v.SetCommenter("#");
        v.SetCommenter2("//");
        v.SetPerlQuotation("'");
        SetCommentAndStr(prop, c.Php_Comment, c.Php_Str);
        SetCase(prop, c.Php_KeyWord_Case);
        break;
    case emCss:
        AddBracket(prop, "/*", "*/", c.Css_Comment, c.Bk);
        v.SetPerlQuotation("'");
        SetCommentAndStr(prop, c.Font, c.Css_Str);
        SetCase(prop, c.Css_KeyWord_Case);
        break;
    default: break;  // standard and INI: nothing beyond the reset
    }
}

void SetKeywordBold(TEditorProp& prop, bool bold) { prop.View().Colors().Reserve().SetStyle(bold ? TFontStyles{fsBold} : TFontStyles{0}); }

void ApplyKeywordColors(TEditorProp& prop, TEditMode mode, const TAppColors& colors, const std::string& settingsFolder)
{
    // Read afresh every time: an edited keyword file counts from the next apply.
    TStringList words;
    LoadKeywordList(mode, settingsFolder, words);
    TReserveWordList& list = prop.ReserveWordList();
    list.SetSorted(true);
    list.SetDuplicates(dupIgnore);
    list.Clear();
    for (int i = 0; i < words.Count(); ++i) list.Add(words[i]);
    const TKeywordStyle style = KeywordStyle(mode, colors);
    prop.View().Colors().Reserve().SetColor(style.Color);
    SetKeywordBold(prop, style.Bold);
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
