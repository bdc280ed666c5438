#include <gtest/gtest.h>

#include <tuple>

#include "base/inifile.h"
#include "base/shortcut.h"
#include "dialogs/tools/tooldlg.h"

using namespace vellumo;

namespace {

auto Fields(const TAppTool& t)
{
    return std::make_tuple(t.Title, t.File, t.Param, t.TmpDir, t.Save, t.Key, t.SelOn, t.StartRun, t.Lock,
                           t.MainVisible, t.PopVisible);
}

TAppTool Tool(std::string title, std::string file, std::string param, int save, const char* key, unsigned flags)
{
    TAppTool t;
    t.Title = std::move(title);
    t.File = std::move(file);
    t.Param = std::move(param);
    t.TmpDir = flags & 32 ? "C:\\作業\\ソース" : "";
    t.Save = save;
    t.Key = TextToShortCut(key);
    t.SelOn = flags & 1;
    t.StartRun = flags & 2;
    t.Lock = flags & 4;
    t.MainVisible = flags & 8;
    t.PopVisible = flags & 16;
    return t;
}

// Titles and parameters whose double-byte characters end in "|" (7C) or "\" (5C).
const std::vector<TAppTool> kTools{
    Tool("ポータブル表示", "C:\\Program Files\\表示\\view.exe", " \"%f\" | more ", 0, "Ctrl+Shift+F12", 1 | 8 | 32),
    Tool("ソート", "", "cmd /c sort \"%t\"", 1, "Alt+Ins", 2 | 4 | 16),
    Tool("grep", "grep.exe", "-n %s", 2, "", 8 | 16),
    Tool("-", "", "", 2, "", 8),
};

} // namespace

TEST(ToolRows, EveryFieldSurvivesTheListAndTheSettingsFile)
{
    for (const TAppTool& t : kTools) {
        SCOPED_TRACE(t.Title);
        EXPECT_EQ(Fields(RowToTool(ToolToRow(t))), Fields(t));
    }
    // What the list shows of the first.
    EXPECT_EQ(ToolToRow(kTools[0]),
              (std::vector<std::string>{"ポータブル表示", "C:\\Program Files\\表示\\view.exe", " \"%f\" | more ",
                                        "C:\\作業\\ソース", "上書き保存する", "Shift+Ctrl+F12", "ON", "", "", "ON", ""}));
    EXPECT_EQ(ToolToRow(kTools[1])[4], "確認メッセージを表示する");
    EXPECT_EQ(ToolToRow(kTools[2])[4], "上書き保存しない");

    // The rows as the dialog saves them, read back from the file's text.
    TMemIniFile out = TMemIniFile::FromText("a.ini", "[Tools]\r\nItemCount=9\r\nTitle8=stale\r\n");
    std::vector<TAppTool> saved;
    for (const TAppTool& t : kTools) saved.push_back(RowToTool(ToolToRow(t)));
    WriteAppTools(out, saved);
    const std::vector<TAppTool> back = ReadAppTools(TMemIniFile::FromText("b.ini", out.Text()));
    ASSERT_EQ(back.size(), kTools.size());
    for (std::size_t i = 0; i < back.size(); ++i) EXPECT_EQ(Fields(back[i]), Fields(kTools[i])) << i;
    EXPECT_EQ(out.Text().find("stale"), std::string::npos);
}

TEST(ToolRows, ForeignTextsAndSeparators)
{
    std::vector<std::string> row{"x", "x.exe", "", "", "保存しない", "ctrl + shift + a", "on", "ON ", "ON", "", "ON"};
    TAppTool t = RowToTool(row);
    EXPECT_EQ(t.Save, 0);  // unknown save text
    EXPECT_EQ(t.Key, ShortCut('A', scCtrl | scShift));
    EXPECT_FALSE(t.SelOn);
    EXPECT_FALSE(t.StartRun);
    EXPECT_TRUE(t.Lock);
    EXPECT_FALSE(t.MainVisible);
    EXPECT_TRUE(t.PopVisible);
    // A short row reads as empty cells.
    EXPECT_EQ(Fields(RowToTool({"only"})), Fields(Tool("only", "", "", 0, "", 0)));

    // A separator keeps the shortcut the file gave it through the list.
    TAppTool sep = Tool("-", "", "", 2, "Ctrl+K", 8 | 16);
    EXPECT_EQ(Fields(RowToTool(ToolToRow(sep))), Fields(sep));
    row[0] = "-";
    EXPECT_EQ(RowToTool(row).Key, ShortCut('A', scCtrl | scShift));
    EXPECT_EQ(Fields(ToolSeparatorEntry(false, true)), Fields(Tool("-", "", "", 2, "", 16)));
}

TEST(ToolEntry, OkRule)
{
    EXPECT_TRUE(ToolEntryOkEnabled("-", "", ""));
    EXPECT_TRUE(ToolEntryOkEnabled("t", "t.exe", ""));
    EXPECT_TRUE(ToolEntryOkEnabled("t", "", "cmd /c dir"));
    EXPECT_FALSE(ToolEntryOkEnabled("t", "", ""));
    EXPECT_FALSE(ToolEntryOkEnabled("", "t.exe", "x"));
    EXPECT_FALSE(ToolEntryOkEnabled(" -", "", ""));
}
