#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "base/filebytes.h"
#include "base/inifile.h"
#include "support/tempfolder.h"
#include "dialogs/common/history.h"

using namespace vellumo;
using vellumo::testing::TTempFolder;

namespace {

std::string FileText(const std::string& path)
{
    std::string bytes;
    ReadFileBytes(path, bytes);
    return bytes;
}

TEST(History, NewestFirstWithoutRepeatsAndAtMost32)
{
    // Against a plain model: random additions from a small pool.
    std::mt19937 rng(7);
    THistory h;
    std::vector<std::string> model;
    for (int i = 0; i < 2000; ++i) {
        const std::string text = i % 50 == 0 ? std::string() : "t" + std::to_string(rng() % 45);
        AddToHistory(h, text);
        std::erase(model, text);
        model.insert(model.begin(), text);
        if (model.size() > 32) model.pop_back();
        ASSERT_EQ(h, model) << i;
    }
    // Exact comparison: case and width differences are distinct entries.
    THistory c{"abc"};
    AddToHistory(c, "ABC");
    EXPECT_EQ(c, (THistory{"ABC", "abc"}));
}

TEST(History, FilePathReplacesTheSettingsExtension)
{
    EXPECT_EQ(HistoryFilePath("C:\\a.b\\vellumo.ini", ".sch"), "C:\\a.b\\vellumo.sch");
    EXPECT_EQ(HistoryFilePath("C:\\a.b\\vellumo", ".rep"), "C:\\a.b\\vellumo.rep");
    // "表" ends in 5C: not a separator, so the dot before it still counts.
    EXPECT_EQ(HistoryFilePath("C:\\x.\x95\x5C", ".sch"), "C:\\x.sch");
}

TEST(History, TextFormRoundTripsAndReadsOnly32Lines)
{
    const THistory h{"a", "", "\x95\x5C", "\\n"};
    EXPECT_EQ(HistoryText(h), "a\r\n\r\n\x95\x5C\r\n\\n\r\n");
    EXPECT_EQ(ParseHistoryText(HistoryText(h)), h);
    EXPECT_EQ(ParseHistoryText("x\ny\rz"), (THistory{"x", "y", "z"}));
    EXPECT_EQ(ParseHistoryText(HistoryText({"a\r\nb", "c"})), (THistory{"a", "c"}));
    EXPECT_TRUE(ParseHistoryText("").empty());
    std::string many;
    for (int i = 0; i < 40; ++i) many += std::to_string(i) + "\r\n";
    const THistory read = ParseHistoryText(many);
    ASSERT_EQ(read.size(), 32u);
    EXPECT_EQ(read.back(), "31");
}

TEST(History, LegacyEntriesLoseOneCharacterAtEachEnd)
{
    EXPECT_EQ(StripLegacyEntry("\"abc\""), "abc");
    EXPECT_EQ(StripLegacyEntry("ab"), "");
    EXPECT_EQ(StripLegacyEntry("a"), "");
    EXPECT_EQ(StripLegacyEntry(""), "");
    // Double-byte characters at either end go whole; "表" (95 5C) inside stays.
    EXPECT_EQ(StripLegacyEntry("x\x95\x5C" "b\x95\x5C"), "\x95\x5C" "b");
    EXPECT_EQ(StripLegacyEntry("\x82\xA0" "q\x82\xA0"), "q");
    EXPECT_EQ(StripLegacyEntry("x\x95\x5C"), "");
    // A lone lead byte at the end is one character, nothing read past it.
    EXPECT_EQ(StripLegacyEntry("xab\x95"), "ab");
}

TEST(History, LegacySectionIsReadInsteadOfTheFileUntilSaved)
{
    TTempFolder dir;
    const std::string ini = dir.File("v.ini");
    std::string text = "[Other]\r\nK=1\r\n[SearchText]\r\nItemCount=40\r\n";
    for (int i = 0; i < 40; ++i) text += "Item" + std::to_string(i) + "=<s" + std::to_string(i) + ">\r\n";
    text += "[ReplaceText]\r\nItemCount=2\r\nItem0=<r0>\r\nItem1=<r1>\r\n[SearchOptions]\r\nGoTop=1\r\nDirection=0\r\n";
    ASSERT_TRUE(ReplaceFileBytes(ini, text));
    ASSERT_TRUE(WriteHistoryFile(dir.File("v.sch"), {"file"}));

    THistory search = LoadHistory(ini, THistoryKind::Search);
    ASSERT_EQ(search.size(), 32u);
    EXPECT_EQ(search.front(), "s0");
    EXPECT_EQ(search.back(), "s31");
    EXPECT_EQ(LoadHistory(ini, THistoryKind::Replace), (THistory{"r0", "r1"}));
    TSearchOptions o = ReadSearchOptions(ini);
    EXPECT_EQ(o.Direction, 0);
    EXPECT_TRUE(o.ReplaceConfirm);

    // The find dialog's save erases only its own section.
    AddToHistory(search, "s5");
    ASSERT_TRUE(SaveSearchState(ini, &search, nullptr, o, false));
    EXPECT_EQ(ReadHistoryFile(dir.File("v.sch")), search);
    {
        const TMemIniFile after(ini);
        EXPECT_FALSE(after.SectionExists("SearchText"));
        EXPECT_TRUE(after.SectionExists("ReplaceText"));
        EXPECT_FALSE(after.ValueExists("SearchOptions", "GoTop"));
        EXPECT_FALSE(after.ValueExists("SearchOptions", "ReplaceConfirm"));
        EXPECT_EQ(after.ReadString("Other", "K", ""), "1");
    }
    EXPECT_EQ(LoadHistory(ini, THistoryKind::Search).front(), "s5");

    // Clearing empties the file and erases the legacy section with it.
    EXPECT_TRUE(ClearHistory(ini, THistoryKind::Replace));
    EXPECT_TRUE(LoadHistory(ini, THistoryKind::Replace).empty());
    EXPECT_EQ(FileText(dir.File("v.rep")), "");
    EXPECT_FALSE(TMemIniFile(ini).SectionExists("ReplaceText"));
}

TEST(History, FailedHistoryWriteKeepsTheLegacySectionAndSaysSo)
{
    TTempFolder dir;
    const std::string ini = dir.File("v.ini");
    ASSERT_TRUE(ReplaceFileBytes(ini, "[ReplaceText]\r\nItemCount=1\r\nItem0=<old>\r\n"));
    std::filesystem::create_directory(dir.File("v.rep"));
    const THistory search{"a"}, replace{"b", "old"};
    TSearchOptions o;
    o.MatchCase = true;
    o.ReplaceConfirm = false;
    EXPECT_FALSE(SaveSearchState(ini, &search, &replace, o, true));
    EXPECT_EQ(LoadHistory(ini, THistoryKind::Replace), (THistory{"old"}));
    EXPECT_EQ(LastSearchText(ini), "a");
    const TSearchOptions back = ReadSearchOptions(ini);
    EXPECT_TRUE(back.MatchCase);
    EXPECT_FALSE(back.ReplaceConfirm);
    EXPECT_EQ(back.Direction, 1);
    // A folder in the file's place reads as empty; nothing reachable at all is reported, not raised.
    EXPECT_TRUE(ReadHistoryFile(dir.File("v.rep")).empty());
    EXPECT_TRUE(ReadHistoryFile(dir.File("none.sch")).empty());
    EXPECT_FALSE(WriteHistoryFile(dir.File("none/v.sch"), {"x"}));
    EXPECT_EQ(LastSearchText(dir.File("none/v.ini")), "");
    EXPECT_FALSE(SaveSearchState(dir.File("none/v.ini"), &search, nullptr, o, false));
    EXPECT_FALSE(ClearHistory(dir.File("none/v.ini"), THistoryKind::Search));
}

} // namespace
