#include "dialogs/options/optiondlg.h"

#include <algorithm>

#include "base/leadbytes.h"

namespace vellumo {

const std::array<const char*, kOptionPageCount> kOptionPageCaptions = {
    "基本", "ウィンドウ", "表示", "色", "ルーラー/行番号", "禁則処理", "ブラウザ",
    "ファイル", "フォルダ", "バックアップ", "履歴", "拡張子", "文字コード", "その他"};

int ValidOptionPage(int page) noexcept { return page >= 0 && page < kOptionPageCount ? page : 0; }

// ---- wrap widths

TWrapAddCheck CheckWrapWidthAdd(const std::vector<int>& list, int width)
{
    if (std::find(list.begin(), list.end(), width) != list.end()) return TWrapAddCheck::Present;
    if (static_cast<int>(list.size()) >= MaxWrapWidths) return TWrapAddCheck::Full;
    return TWrapAddCheck::Allowed;
}

void InsertWrapWidth(std::vector<int>& list, int width)
{
    const auto smaller = std::find_if(list.begin(), list.end(), [width](int w) { return w < width; });
    list.insert(smaller, width);
}

bool CanRemoveWrapWidth(const std::vector<int>& list, std::string_view comboText, int width)
{
    return !list.empty() && !comboText.empty() && std::find(list.begin(), list.end(), width) != list.end();
}

void RemoveWrapWidth(std::vector<int>& list, int width) { std::erase(list, width); }

std::string WrapAddQuestion(int width) { return "[" + std::to_string(width) + "]をリストへ追加します。"; }
std::string WrapRemoveQuestion(int width) { return "[" + std::to_string(width) + "]をリストから削除します。"; }
std::string WrapListFullMessage()
{
    return "登録可能な最大件数は " + std::to_string(MaxWrapWidths) + " 件です。";
}

// ---- file-size limit

int LoadSizeToMegabytes(int bytes) noexcept
{
    if (bytes <= 0) return 0;
    return std::clamp(bytes / kLoadSizeUnit, 1, kMaxLoadSizeMegabytes);
}

int MegabytesToLoadSize(int megabytes) noexcept
{
    return std::clamp(megabytes, 0, kMaxLoadSizeMegabytes) * kLoadSizeUnit;
}

// ---- strings

std::string PasteQuoteText(std::string_view held) { return StripPercentWrap(held); }

std::string PasteQuoteSetting(std::string_view text)
{
    return text.empty() ? std::string(kDefaultPasteQuote) : WrapPercent(text);
}

std::string QuoteMarksSetting(std::string_view text)
{
    return text.empty() ? std::string(kDefaultQuoteMarks) : std::string(text);
}

const std::array<TExtensionRow, 14> kExtensionRows = {{
    {"ユーザー", "UserFileFilter"},
    {"HTML", "HtmlDocFilter"},
    {"Perl", "PerlDocFilter"},
    {"PHP", "PhpDocFilter"},
    {"CSS", "CssDocFilter"},
    {"Ruby", "RubyDocFilter"},
    {"INI", "IniDocFilter"},
    {"BAT", "BatDocFilter"},
    {"C/C++", "CppDocFilter"},
    {"Java", "JavaDocFilter"},
    {"JavaScript", "JsDocFilter"},
    {"VB", "VbDocFilter"},
    {"HSP", "HspDocFilter"},
    {"Delphi", "PasDocFilter"},
}};

std::string ExtensionRowSetting(int row, std::string_view text)
{
    // Every file is some user file: the user row alone has a default.
    if (row == 0 && text.empty()) return kDefaultUserFilter;
    return std::string(text);
}

bool MaskHasBar(std::string_view masks) noexcept
{
    for (std::size_t i = 0; i < masks.size(); ++i) {
        const auto b = static_cast<unsigned char>(masks[i]);
        if (IsLeadByte(b))
            ++i;
        else if (b == '|')
            return true;
    }
    return false;
}

const char kMaskBarMessage[] = "拡張子に \"|\" は使えません。";

// ---- folders

std::string AppendFolder(std::string_view list, std::string_view folder)
{
    std::string s(list);
    if (!s.empty() && s.back() != ';') s += ';';
    s += folder;
    return s;
}

std::string FolderOfPath(std::string_view path)
{
    std::size_t cut = std::string_view::npos;
    for (std::size_t i = 0; i < path.size(); ++i) {
        const auto b = static_cast<unsigned char>(path[i]);
        if (IsLeadByte(b))
            ++i;
        else if (b == '\\' || b == '/' || b == ':')
            cut = i;
    }
    if (cut == std::string_view::npos) return {};
    // "C:\" and "C:" keep their separator: the root is a folder of its own.
    const bool root = path[cut] == ':' || (cut == 2 && path[1] == ':');
    return std::string(path.substr(0, root ? cut + 1 : cut));
}

// ---- font label

std::string FontViewText(std::string_view name, int size)
{
    return std::string(name) + " (" + (size == -14 ? std::string("10.5") : std::to_string(size)) + ")";
}

// ---- the settings after the controls

void FinishOptionSettings(TAppSettings& s)
{
    TAppIni& o = s.Option;
    if (o.DefDir.empty()) o.DefDirOn = false;
    if (s.FileHistorySet.NoDirs.empty()) s.FileHistorySet.NoDir = false;
    if (!o.UserWindowSize && !o.UserWindowPos) {
        if (o.StartWindow == 3) o.StartWindow = 0;
        o.UserWindowMenu = false;
    }
}

// ---- enabling

TOptionEnabling OptionEnabling(const TOptionChecks& in) noexcept
{
    TOptionEnabling e{};
    e.ImeDefOnly = in.StartIme;
    e.WrapControls = in.WordWrap;
    // Quotes are coloured in the standard mode only; links in the standard,
    // INI and BAT modes.
    const bool standard = in.Mode == emStandard;
    e.InyouRow = standard;
    e.Inyouhu = standard && in.InyouRow;
    e.LinkWord = standard || in.Mode == emIni || in.Mode == emBat;
    e.LinkUnderline = e.LinkWord && in.LinkWord;
    e.UrlEx = e.LinkUnderline;
    e.NotUrlChars = e.LinkUnderline && in.UrlEx;
    e.ToolBarControls = in.ToolBar;
    e.FlatToolBar = in.ToolBar && !in.WinXpOrLater;
    e.ToolBtnHotImg = in.ToolBar && in.ToolBtnImg256 && in.FlatToolBar;
    e.UserSize = in.UserWindowSize;
    e.UserPos = in.UserWindowPos;
    e.NowSet = in.UserWindowSize || in.UserWindowPos;
    e.KinsokuStrings = in.Leading;
    e.PunctuationStr = in.FollowPunctuation;
    e.ChkFileAgeMsg = in.ChkFileAge;
    e.CreateNewFileMsg = in.CreateNewFile;
    e.LeftBarOptions = in.LeftBar;
    e.RulerOptions = in.Ruler;
    e.BackupPath = in.Backup;
    e.FullPathOptions = in.FullPathFileName;
    e.DefDir = in.DefDirOn;
    e.ColLineByte = in.ColLine;
    e.NoDirs = in.NoDir;
    e.SBSimplePanels = in.StatusBar;
    return e;
}

} // namespace vellumo
