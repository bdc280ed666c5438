#include "dialogs/options/colorpage.h"

#include "base/colorcodec.h"
#include "settings/settingsdecl.h"

namespace vellumo {

namespace {

using C = TAppColors;

constexpr TColorRowInfo Row(const char* caption, const char* key, TColor C::*color)
{
    return {caption, key, color, nullptr, nullptr, emStandard, nullptr};
}

constexpr TColorRowInfo Kwd(const char* caption, const char* key, TColor C::*color, bool C::*bold, bool C::*cs,
                            TEditMode mode, const char* file)
{
    return {caption, key, color, bold, cs, mode, file};
}

} // namespace

const std::array<TColorRowInfo, kColorRowCount> kColorRows{{
    Row("通常文字", "Font", &C::Font),
    Row("通常背景", "Bk", &C::Bk),
    Row("選択文字", "SelStr", &C::SelStr),
    Row("選択背景", "SelBk", &C::SelBk),
    Row("改行, [EOF]", "Ret", &C::Ret),
    Row("TAB, 空白", "Tab", &C::Tab),
    Row("リンク(URL, Mail)", "Link", &C::Link),
    Row("引用行", "Inyou", &C::Inyou),
    Row("カーソル行の下線", "UnderLine", &C::UnderLine),
    Row("折り返し縦線", "WrapLine", &C::WrapLine),
    Row("桁基準線", "ColLine", &C::ColLine),
    Row("行番号", "LeftBarStr", &C::LeftBarStr),
    Row("ルーラー", "RulerStr", &C::RulerStr),
    Row("HTML コメント", "Html_Comment", &C::Html_Comment),
    Row("HTML ASP, XML", "Html_Asp", &C::Html_Asp),
    Row("HTML タグ全体", "Html_Tag", &C::Html_Tag),
    Row("HTML オプション", "Html_Option", &C::Html_Option),
    Row("Perl コメント", "Perl_Comment", &C::Perl_Comment),
    Row("Perl 文字列", "Perl_Str", &C::Perl_Str),
    Kwd("Perl キーワード", "Perl_KeyWord", &C::Perl_KeyWord, &C::Perl_KeyWord_Bold, &C::Perl_KeyWord_Case, emPerl,
        "perl.kwd"),
    Row("PHP コメント", "Php_Comment", &C::Php_Comment),
    Row("PHP 文字列", "Php_Str", &C::Php_Str),
    Kwd("PHP キーワード", "Php_KeyWord", &C::Php_KeyWord, &C::Php_KeyWord_Bold, &C::Php_KeyWord_Case, emPhp,
        "php.kwd"),
    Row("CSS コメント", "Css_Comment", &C::Css_Comment),
    Row("CSS 文字列", "Css_Str", &C::Css_Str),
    Kwd("CSS キーワード", "Css_KeyWord", &C::Css_KeyWord, &C::Css_KeyWord_Bold, &C::Css_KeyWord_Case, emCss,
        "css.kwd"),
    Row("Ruby コメント", "Ruby_Comment", &C::Ruby_Comment),
    Row("Ruby 文字列", "Ruby_Str", &C::Ruby_Str),
    Kwd("Ruby キーワード", "Ruby_KeyWord", &C::Ruby_KeyWord, &C::Ruby_KeyWord_Bold, &C::Ruby_KeyWord_Case, emRuby,
        "ruby.kwd"),
    Row("INI コメント", "Ini_Comment", &C::Ini_Comment),
    Row("INI セクション", "Ini_Sec", &C::Ini_Sec),
    Row("INI キーの値", "Ini_Key", &C::Ini_Key),
    Row("BAT コメント", "Bat_Comment", &C::Bat_Comment),
    Row("BAT ラベル", "Bat_Label", &C::Bat_Label),
    Kwd("BAT キーワード", "Bat_KeyWord", &C::Bat_KeyWord, &C::Bat_KeyWord_Bold, &C::Bat_KeyWord_Case, emBat,
        "bat.kwd"),
    Row("C/C++ コメント", "Cpp_Comment", &C::Cpp_Comment),
    Row("C/C++ 文字列", "Cpp_Str", &C::Cpp_Str),
    Kwd("C/C++ キーワード", "Cpp_KeyWord", &C::Cpp_KeyWord, &C::Cpp_KeyWord_Bold, &C::Cpp_KeyWord_Case, emCpp,
        "cpp.kwd"),
    Row("Java コメント", "Java_Comment", &C::Java_Comment),
    Row("Java 文字列", "Java_Str", &C::Java_Str),
    Kwd("Java キーワード", "Java_KeyWord", &C::Java_KeyWord, &C::Java_KeyWord_Bold, &C::Java_KeyWord_Case, emJava,
        "java.kwd"),
    Row("JavaScript コメント", "Js_Comment", &C::Js_Comment),
    Row("JavaScript 文字列", "Js_Str", &C::Js_Str),
    Kwd("JavaScript キーワード", "Js_KeyWord", &C::Js_KeyWord, &C::Js_KeyWord_Bold, &C::Js_KeyWord_Case,
        emJavaScript, "js.kwd"),
    Row("VB コメント", "Vb_Comment", &C::Vb_Comment),
    Row("VB 文字列", "Vb_Str", &C::Vb_Str),
    Kwd("VB キーワード", "Vb_KeyWord", &C::Vb_KeyWord, &C::Vb_KeyWord_Bold, &C::Vb_KeyWord_Case, emVb, "vb.kwd"),
    Row("HSP コメント", "Hsp_Comment", &C::Hsp_Comment),
    Row("HSP ラベル", "Hsp_Label", &C::Hsp_Label),
    Row("HSP 文字列", "Hsp_Str", &C::Hsp_Str),
    Kwd("HSP キーワード", "Hsp_KeyWord", &C::Hsp_KeyWord, &C::Hsp_KeyWord_Bold, &C::Hsp_KeyWord_Case, emHsp,
        "hsp.kwd"),
    Row("Delphi コメント", "Pas_Comment", &C::Pas_Comment),
    Row("Delphi 文字列", "Pas_Str", &C::Pas_Str),
    Kwd("Delphi キーワード", "Pas_KeyWord", &C::Pas_KeyWord, &C::Pas_KeyWord_Bold, &C::Pas_KeyWord_Case, emDelphi,
        "delphi.kwd"),
}};

bool IsKeywordRow(int row) noexcept
{
    return row >= 0 && row < kColorRowCount && kColorRows[static_cast<std::size_t>(row)].Bold != nullptr;
}

TAppColors ReadColorFile(const TMemIniFile& ini)
{
    // The settings file's own reading of [Color]: the same keys, defaults and codec.
    TAppSettings s;
    ReadSettingDecls(AppSettingDecls(), ini, NoMachineDefaults(), s, kSecColor);
    return s.Color;
}

TAppColors DefaultColors() { return ReadColorFile(TMemIniFile::FromText({}, {})); }

void WriteColorFile(TMemIniFile& ini, const TAppColors& colors)
{
    for (const TColorRowInfo& r : kColorRows) {
        ini.WriteString(kSecColor, r.Key, ColorToString(colors.*r.Color));
        if (!r.Bold) continue;
        const std::string key = r.Key;
        ini.WriteBool(kSecColor, key + "_Bold", colors.*r.Bold);
        ini.WriteBool(kSecColor, key + "_Case", colors.*r.Case);
    }
}

std::vector<std::string> ColorRowCells(const TAppColors& colors, int row)
{
    const TColorRowInfo& r = kColorRows.at(static_cast<std::size_t>(row));
    std::vector<std::string> cells{r.Caption, ColorToString(colors.*r.Color), "", ""};
    if (r.Bold) {
        cells[2] = colors.*r.Bold ? "1" : "0";
        cells[3] = colors.*r.Case ? "1" : "0";
    }
    return cells;
}

TColorRowControls ColorRowControls(const TAppColors& colors, int row)
{
    TColorRowControls c{};
    if (row < 0 || row >= kColorRowCount) return c;
    c.ColorEnabled = true;
    if (!IsKeywordRow(row)) return c;
    const TColorRowInfo& r = kColorRows[static_cast<std::size_t>(row)];
    c.KeywordEnabled = true;
    c.Bold = colors.*r.Bold;
    c.Case = colors.*r.Case;
    return c;
}

std::string ResetQuestion(bool defaultFileExists)
{
    return defaultFileExists ? "すべての色設定を初期状態へ戻します。(default.vmc)" : "すべての色設定を初期状態へ戻します。";
}

std::string KeywordFileQuestion(const std::string& fileName)
{
    return "キーワードファイル \"" + fileName + "\" を作成します。";
}

} // namespace vellumo
