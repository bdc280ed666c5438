// The Search menu's portable rules: escapes, line jumps, the bracket
// selection, where the replace question goes, the status texts and the
// find-next memory.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

#include "app/core/appfuncs.h"
#include "app/commands/searchcmds.h"
#include "app/commands/searchstate.h"
#include "textcode/search.h"

namespace vellumo {
namespace {

TEST(SearchEscapes, ResolveAndRoundTrip)
{
    EXPECT_EQ(UnescapeSearchText("a\\tb"), "a\tb");
    EXPECT_EQ(UnescapeSearchText("a\\nb"), "a\r\nb");
    EXPECT_EQ(UnescapeSearchText("a\\\\b"), "a\\b");
    EXPECT_EQ(UnescapeSearchText("a\\xb"), "a\\xb");  // unknown escape: both kept
    EXPECT_EQ(UnescapeSearchText("ab\\"), "ab\\");    // a final backslash stays
    // A trail byte 5C is part of its character, never an escape.
    EXPECT_EQ(UnescapeSearchText("\x95\\n"), "\x95\\n");
    // A lone lead byte at the end is copied alone; nothing is read past it.
    const std::string lone = "ab\x82";
    EXPECT_EQ(UnescapeSearchText(std::string_view(lone.data(), lone.size())), lone);
    for (const std::string s : {"x\r\ny\\z", "\t\x95\\\t", "\\\\n", "a\r\n\r\nb"})
        EXPECT_EQ(UnescapeSearchText(EscapeSearchText(s)), s) << s;
}

TEST(SearchEscapes, EngineFindsTheResolvedText)
{
    int start = 0, length = 0;
    const std::string text = "xx a\tb yy";
    ASSERT_TRUE(SearchBufferPos(text, start, length, UnescapeSearchText("a\\tb"), sfDown));
    EXPECT_EQ(start, 3);
    EXPECT_EQ(length, 3);
    start = length = 0;
    EXPECT_TRUE(SearchBufferPos("p a\\xb q", start, length, UnescapeSearchText("a\\xb"), sfDown));
    EXPECT_EQ(start, 2);
}

// Rows "one", "two" (wrapped into two rows), "three": 4 rows, 3 lines.
TJumpText Wrapped(bool finalBreak)
{
    TJumpText t;
    t.RowCount = 4;
    t.LineCount = 3;
    t.EndsWithBreak = finalBreak;
    t.LineToRow = [](int line) { return line == 0 ? 0 : line == 1 ? 1 : line == 2 ? 3 : 4; };
    return t;
}

TEST(JumpLine, RowsAndLogicalLines)
{
    struct TCase {
        int N;
        bool Logical, FinalBreak;
        TJumpCheck Want;
        int Row;
    } cases[] = {
        {0, false, true, jcBadNumber, 0},
        {-5, true, true, jcBadNumber, 0},
        {INT_MIN, true, true, jcBadNumber, 0},  // N - 1 is never formed
        {1, false, false, jcOk, 0},
        {4, false, false, jcOk, 3},
        {5, false, false, jcNotFound, 0},       // no final break: no line after the last
        {5, false, true, jcOk, 4},              // one past the last row after a final break
        {6, false, true, jcNotFound, 0},        // two past
        {3, true, false, jcOk, 3},              // the third line starts at row 3
        {4, true, false, jcNotFound, 0},        // rows are 4 but lines are 3
        {4, true, true, jcOk, 4},               // one past the last line, word wrap on
        {5, true, true, jcNotFound, 0},         // two past
        {INT_MAX, true, true, jcNotFound, 0},
    };
    for (const TCase& c : cases) {
        int row = -1;
        EXPECT_EQ(CheckJumpLine(c.N, c.Logical, Wrapped(c.FinalBreak), row), c.Want) << c.N << " " << c.Logical;
        if (c.Want == jcOk) {
            EXPECT_EQ(row, c.Row) << c.N << " " << c.Logical;
        }
    }
}

TEST(JumpLine, EmptyTextHasLineOne)
{
    TJumpText empty;
    int row = -1;
    EXPECT_EQ(CheckJumpLine(1, false, empty, row), jcOk);
    EXPECT_EQ(row, 0);
    EXPECT_EQ(CheckJumpLine(1, true, empty, row), jcOk);
    EXPECT_EQ(CheckJumpLine(2, true, empty, row), jcNotFound);
}

TEST(JumpLine, HistoryNewestFirstWithoutDuplicatesAtMost32)
{
    std::vector<std::string> h;
    for (int i = 1; i <= 40; ++i) AddJumpHistory(h, std::to_string(i));
    ASSERT_EQ(h.size(), 32u);
    EXPECT_EQ(h.front(), "40");
    EXPECT_EQ(h.back(), "9");
    AddJumpHistory(h, "20");
    EXPECT_EQ(h.size(), 32u);
    EXPECT_EQ(h.front(), "20");
    EXPECT_EQ(std::count(h.begin(), h.end(), "20"), 1);
}

TEST(BracketSelection, PartnerAloneOrSpanBothWays)
{
    // a(b(x)d)e: the caret before "(" at offset 1, partner at 1-based 8.
    EXPECT_EQ(BracketSelection(1, 8, 1, false).Start, 7);
    EXPECT_EQ(BracketSelection(1, 8, 1, false).Length, 1);
    const TCharRange forward = BracketSelection(1, 8, 1, true);
    EXPECT_EQ(forward.Start, 1);
    EXPECT_EQ(forward.Length, 7);  // "(b(x)d)"
    const TCharRange backward = BracketSelection(7, 2, 1, true);
    EXPECT_EQ(backward.Start, 1);
    EXPECT_EQ(backward.Length, 7);
    // Double-byte brackets 「あ」: both brackets whole.
    const TCharRange wide = BracketSelection(0, 5, 2, true);
    EXPECT_EQ(wide.Start, 0);
    EXPECT_EQ(wide.Length, 6);
}

TEST(ConfirmPlacement, AboveTheCaretFlippedAndPulledIn)
{
    // Above: bottom one row above the caret's top.
    TDialogPlace r = ConfirmDialogPlace(100, 300, 16, 200, 120, 1280);
    EXPECT_EQ(r.Left, 102);
    EXPECT_EQ(r.Top + r.Height, 300 - 16);
    // Near the top of the screen it goes one row below the caret instead.
    r = ConfirmDialogPlace(100, 50, 16, 200, 120, 1280);
    EXPECT_EQ(r.Top, 66);
    // At the right edge it is pulled left, 4 px from the edge.
    r = ConfirmDialogPlace(1200, 300, 16, 200, 120, 1280);
    EXPECT_EQ(r.Left, 1280 - 200 - 4);
}

TEST(SearchStatusTexts, GroupedCounts)
{
    EXPECT_EQ(ReplacedText(0), "0 件の置換を行いました。");
    EXPECT_EQ(ReplacedText(1234567), "1,234,567 件の置換を行いました。");
    EXPECT_EQ(ReplaceProgressText(1000), "置換件数: 1,000 件");
    EXPECT_EQ(ConfirmingStatusText(999), "処理中...  置換件数: 999 件");
    EXPECT_EQ(NotFoundText("abc"), "\"abc\" は見つかりませんでした。");
    EXPECT_EQ(LineNotFoundText("12"), "12 行は見つかりませんでした。");
}

TEST(FindNextMemory, OwnSearchOnlyWhenItsWriteFailed)
{
    TSearchMemory m;
    const TFindNextState files = FindNextStateOf("older", {true, false, false, true});
    EXPECT_EQ(files.Flags, sfWholeWord);
    EXPECT_TRUE(files.Escapes);
    EXPECT_EQ(m.Choose(files), files);
    // Written: the files are read again (another instance may search later).
    m.Remember({"mine", sfDown | sfMatchCase, false}, true);
    EXPECT_EQ(m.Choose(files), files);
    // Not written: the files still hold an older search; this one wins.
    m.Remember({"mine", sfDown | sfMatchCase | sfReplaceAll, false}, false);
    const TFindNextState chosen = m.Choose(files);
    EXPECT_EQ(chosen.Text, "mine");
    EXPECT_EQ(chosen.Flags, sfDown | sfMatchCase);  // no button bits carried over
    m.Remember({"later", 0, false}, true);
    EXPECT_EQ(m.Choose(files), files);
}

} // namespace
} // namespace vellumo
