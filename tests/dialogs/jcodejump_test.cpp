#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "dialogs/jcodedlg.h"
#include "dialogs/jumpdlg.h"

using namespace vellumo;

TEST(JcodeMapping, EveryCodeIsOfferedAndSavedAsTheTableSays)
{
    struct TCase {
        TCharCode shown;
        const char* item;
        TCharCode saved;
    };
    const TCase cases[] = {
        {ccNone, "SHIFT-JIS", ccSjis},    {ccBinary, "SHIFT-JIS", ccSjis},   {ccJis, "JIS", ccJis},
        {ccJisOld, "JIS", ccJis},         {ccEuc, "EUC", ccEuc},             {ccSjis, "SHIFT-JIS", ccSjis},
        {ccEucOrSjis, "SHIFT-JIS", ccSjis}, {ccUnicode, "Unicode", ccUnicode}, {ccUtf8, "UTF-8", ccUtf8},
        {ccUtf8N, "UTF-8N", ccUtf8N},     {static_cast<TCharCode>(-1), "SHIFT-JIS", ccSjis},
        {static_cast<TCharCode>(42), "SHIFT-JIS", ccSjis},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.shown));
        const int index = SaveCodeIndex(c.shown);
        ASSERT_GE(index, 0);
        ASSERT_LT(index, 6);
        EXPECT_STREQ(kSaveCodeNames[index], c.item);
        EXPECT_EQ(SaveCodeOfIndex(index), c.saved);
    }
    // Every item saves a code that offers the same item again.
    for (int i = 0; i < 6; ++i) EXPECT_EQ(SaveCodeIndex(SaveCodeOfIndex(i)), i) << i;
    for (int bad : {-1, 6, INT_MIN, INT_MAX}) EXPECT_EQ(SaveCodeOfIndex(bad), ccSjis) << bad;
}

TEST(JcodeMapping, LineEndsBothWays)
{
    struct TCase {
        TLineEndCode shown;
        const char* item;
        TLineEndCode saved;
    };
    const TCase cases[] = {{leNone, "CR+LF", leCrLf}, {leCrLf, "CR+LF", leCrLf}, {leCr, "CR", leCr},
                           {leLf, "LF", leLf},        {static_cast<TLineEndCode>(9), "CR+LF", leCrLf}};
    for (const auto& c : cases) {
        const int index = SaveLineEndIndex(c.shown);
        ASSERT_GE(index, 0);
        ASSERT_LT(index, 3);
        EXPECT_STREQ(kSaveLineEndNames[index], c.item) << c.shown;
        EXPECT_EQ(SaveLineEndOfIndex(index), c.saved) << c.shown;
    }
    for (int bad : {-1, 3, INT_MIN}) EXPECT_EQ(SaveLineEndOfIndex(bad), leCrLf) << bad;
}

TEST(JumpNumber, OnlyAWhole32BitNumberCounts)
{
    struct TCase {
        const char* typed;
        int line;
    };
    const TCase cases[] = {
        {"12", 12},
        {"+7", 7},
        {"-3", -3},
        {"0", 0},
        {"", 0},
        {"abc", 0},
        {"12a", 0},
        {"1 2", 0},
        {"-", 0},
        {"2147483647", INT_MAX},
        {"2147483648", 0},
        {"-2147483648", INT_MIN},
        {"-2147483649", 0},
        {"99999999999999999999999999", 0},
        {"\x82\x50\x82\x51", 0},  // full-width digits
        {"12\x82", 0},           // a lone lead byte at the end
    };
    for (const auto& c : cases) EXPECT_EQ(JumpLineNumber(c.typed), c.line) << c.typed;
}

TEST(JumpNumber, OpeningStateFollowsWrapAndTheLineNumberSetting)
{
    int walks = 0;
    auto rowToLine = [&](int row) {
        ++walks;
        return row / 3;  // three rows per logical line
    };
    struct TCase {
        bool wraps, lineNum;
        int row;
        bool enabled, logical;
        int prefill, walks;
    };
    const TCase cases[] = {
        {false, false, 7, false, false, 8, 0},
        {false, true, 7, false, false, 8, 0},  // without wrap the setting does not count
        {true, false, 7, true, false, 8, 0},
        {true, true, 7, true, true, 3, 1},
        {true, true, 0, true, true, 1, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.wraps << c.lineNum << c.row);
        walks = 0;
        const TJumpShowState s = JumpShowState(c.wraps, c.lineNum, c.row, rowToLine);
        EXPECT_EQ(s.LogicalEnabled, c.enabled);
        EXPECT_EQ(s.Logical, c.logical);
        EXPECT_EQ(s.Prefill, c.prefill);
        EXPECT_EQ(walks, c.walks);
    }
}
