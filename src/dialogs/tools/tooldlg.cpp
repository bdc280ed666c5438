#include "dialogs/tools/tooldlg.h"

#include "base/shortcut.h"

namespace vellumo {

const std::array<const char*, kToolListColumnCount> kToolListColumns{
    "名前",         "実行ファイル",       "コマンドラインパラメータ", "作業フォルダ",
    "ファイル保存", "キー",               "非選択時は使用不可",       "起動時に実行",
    "終了まで待機する", "メインメニューに表示", "ポップアップメニューに表示"};

const std::array<const char*, 3> kToolSaveTexts{"上書き保存する", "確認メッセージを表示する", "上書き保存しない"};

const std::array<TToolPlaceholderItem, 22> kToolPlaceholders{{
    {"&1: ファイルのパス(長) [%f]", "%f"},
    {"&2: ファイルのパス(短) [%F]", "%F"},
    {"-", nullptr},
    {"&3: ファイル名(長/拡張子あり) [%n]", "%n"},
    {"&4: ファイル名(短/拡張子あり) [%N]", "%N"},
    {"-", nullptr},
    {"&5: ファイル名(長/拡張子なし) [%b]", "%b"},
    {"&6: ファイル名(短/拡張子なし) [%B]", "%B"},
    {"-", nullptr},
    {"&7: フォルダのパス(長) [%d]", "%d"},
    {"&8: フォルダのパス(短) [%D]", "%D"},
    {"-", nullptr},
    {"&9: ウィンドウハンドル [%w]", "%w"},
    {"-", nullptr},
    {"&A: 選択テキスト [%s]", "%s"},
    {"&B: 選択テキスト一時ファイル [%t]", "%t"},
    {"&C: 編集モード [%m]", "%m"},
    {"-", nullptr},
    {"&D: 自分の実行ファイルのパス [%e]", "%e"},
    {"-", nullptr},
    {"&E: 自分のフォルダのパス(長) [%p]", "%p"},
    {"&F: 自分のフォルダのパス(短) [%P]", "%P"},
}};

namespace {
constexpr const char* kOn = "ON";
std::string Flag(bool on) { return on ? kOn : ""; }
} // namespace

bool IsToolSeparator(std::string_view title) noexcept { return title == "-"; }

std::vector<std::string> ToolToRow(const TAppTool& t)
{
    const int save = t.Save >= 0 && t.Save <= 2 ? t.Save : 2;
    return {t.Title,
            t.File,
            t.Param,
            t.TmpDir,
            kToolSaveTexts[static_cast<std::size_t>(save)],
            ShortCutToText(t.Key),
            Flag(t.SelOn),
            Flag(t.StartRun),
            Flag(t.Lock),
            Flag(t.MainVisible),
            Flag(t.PopVisible)};
}

TAppTool RowToTool(const std::vector<std::string>& row)
{
    auto cell = [&row](std::size_t i) { return i < row.size() ? row[i] : std::string(); };
    TAppTool t;
    t.Title = cell(0);
    t.File = cell(1);
    t.Param = cell(2);
    t.TmpDir = cell(3);
    const std::string save = cell(4);
    t.Save = save == kToolSaveTexts[1] ? 1 : save == kToolSaveTexts[2] ? 2 : 0;
    t.Key = TextToShortCut(cell(5));  // a separator keeps its key too
    t.SelOn = cell(6) == kOn;
    t.StartRun = cell(7) == kOn;
    t.Lock = cell(8) == kOn;
    t.MainVisible = cell(9) == kOn;
    t.PopVisible = cell(10) == kOn;
    return t;
}

bool ToolEntryOkEnabled(std::string_view name, std::string_view program, std::string_view params) noexcept
{
    return IsToolSeparator(name) || (!name.empty() && (!program.empty() || !params.empty()));
}

TAppTool ToolSeparatorEntry(bool mainVisible, bool popVisible)
{
    TAppTool t;
    t.Title.assign(1, '-');
    t.Save = 2;
    t.MainVisible = mainVisible;
    t.PopVisible = popVisible;
    return t;
}

int MovedToolRow(int index, int delta, int count) noexcept
{
    if (index < 0 || index >= count) return -1;
    const int to = index + delta;
    return to >= 0 && to < count && to != index ? to : -1;
}

} // namespace vellumo
