#include <gtest/gtest.h>

#include <climits>

#include "dialogs/code/jcodedlg.h"
#include "dialogs/jump/jumpdlg.h"

using namespace vellumo;

TEST(JcodeMapping, EveryCodeAndLineEndIsOfferedAndSavedAsTheTableSays)
{
    // shown code -> offered item -> saved code (-1 and 42: values from nowhere)
    const struct { int shown; const char* item; TCharCode saved; } codes[] = {
        {ccNone, "SHIFT-JIS", ccSjis}, {ccBinary, "SHIFT-JIS", ccSjis}, {ccJis, "JIS", ccJis},
        {ccJisOld, "JIS", ccJis},      {ccEuc, "EUC", ccEuc},           {ccSjis, "SHIFT-JIS", ccSjis},
        {ccEucOrSjis, "SHIFT-JIS", ccSjis}, {ccUnicode, "Unicode", ccUnicode}, {ccUtf8, "UTF-8", ccUtf8},
        {ccUtf8N, "UTF-8N", ccUtf8N},  {-1, "SHIFT-JIS", ccSjis},       {42, "SHIFT-JIS", ccSjis}};
    for (const auto& c : codes) {
        const int index = SaveCodeIndex(static_cast<TCharCode>(c.shown));
        ASSERT_TRUE(index >= 0 && index < 6) << c.shown;
        EXPECT_STREQ(kSaveCodeNames[index], c.item) << c.shown;
        EXPECT_EQ(SaveCodeOfIndex(index), c.saved) << c.shown;
    }
    const struct { int shown; const char* item; TLineEndCode saved; } ends[] = {
        {leNone, "CR+LF", leCrLf}, {leCrLf, "CR+LF", leCrLf}, {leCr, "CR", leCr}, {leLf, "LF", leLf}, {9, "CR+LF", leCrLf}};
    for (const auto& c : ends) {
        const int index = SaveLineEndIndex(static_cast<TLineEndCode>(c.shown));
        ASSERT_TRUE(index >= 0 && index < 3) << c.shown;
        EXPECT_STREQ(kSaveLineEndNames[index], c.item) << c.shown;
        EXPECT_EQ(SaveLineEndOfIndex(index), c.saved) << c.shown;
    }
    // Every item saves a value that offers the same item again; other indexes save the first.
    for (int i = 0; i < 6; ++i) EXPECT_EQ(SaveCodeIndex(SaveCodeOfIndex(i)), i) << i;
    for (int i = 0; i < 3; ++i) EXPECT_EQ(SaveLineEndIndex(SaveLineEndOfIndex(i)), i) << i;
    for (int bad : {-1, 6, INT_MIN, INT_MAX}) {
        EXPECT_EQ(SaveCodeOfIndex(bad), ccSjis) << bad;
        EXPECT_EQ(SaveLineEndOfIndex(bad), leCrLf) << bad;
    }
}

TEST(JumpNumber, OnlyAWhole32BitNumberCounts)
{
    const struct { const char* typed; int line; } cases[] = {
        {"12", 12}, {"-3", -3}, {"", 0}, {"abc", 0}, {"12a", 0}, {"-", 0}, {"2147483647", INT_MAX},
        {"2147483648", 0}, {"-2147483648", INT_MIN}, {"-2147483649", 0}, {"99999999999999999999999", 0},
        {"\x82\x50\x82\x51", 0},  // full-width digits
        {"12\x82", 0},            // a lone lead byte at the end
    };
    for (const auto& c : cases) EXPECT_EQ(JumpLineNumber(c.typed), c.line) << c.typed;
}

TEST(JumpNumber, OpeningStateFollowsWrapAndTheLineNumberSetting)
{
    int walks = 0;
    auto rowToLine = [&](int row) { return ++walks, row / 3; };  // three rows per line
    const struct { bool wraps, lineNum; int row; bool enabled, logical; int prefill, walks; } cases[] = {
        {false, false, 7, false, false, 8, 0},
        {false, true, 7, false, false, 8, 0},  // without wrap the setting does not count
        {true, false, 7, true, false, 8, 0},
        {true, true, 7, true, true, 3, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.wraps << c.lineNum);
        walks = 0;
        const TJumpShowState s = JumpShowState(c.wraps, c.lineNum, c.row, rowToLine);
        EXPECT_EQ(s.LogicalEnabled, c.enabled);
        EXPECT_EQ(s.Logical, c.logical);
        EXPECT_EQ(s.Prefill, c.prefill);
        EXPECT_EQ(walks, c.walks);  // the rows are walked only when needed
    }
}
