#include <gtest/gtest.h>

#include <ctime>
#include <random>
#include <string>

#include "base/leadbytes.h"
#include "editor/rowstore.h"
#include "editor/undo.h"
#include "editor/wrap.h"
#include "editor/wrapoption.h"
#include "model_support.h"

using namespace vellumo;
using namespace vellumo::test;

namespace {

using Rows = std::vector<std::string>;

const std::string kA = "\x82\xA0";       // あ
const std::string kMaru = "\x81\x42";    // 。
const std::string kOpen = "\x81\x75";    // 「
const std::string kClose = "\x81\x76";   // 」

class Wrap : public ::testing::Test {
protected:
    Wrap()
    {
        s.WrapOption().SetWrapByte(20);
        s.SetWordWrap(true);
    }
    std::vector<std::string> Split(const std::string& line)
    {
        TEditorStringList rows;
        s.SplitToRows(line, rows);
        EXPECT_EQ(s.CountWrapRows(line), rows.Count()) << line;
        return RowDump(rows);
    }
    TEditorScreenStrings s;
};

TEST_F(Wrap, ExactlyTheWidth)
{
    EXPECT_EQ(Split(std::string(19, 'a')), (std::vector<std::string>{std::string(19, 'a') + "|L"}));
    EXPECT_EQ(Split(std::string(20, 'a')), (std::vector<std::string>{std::string(20, 'a') + "|W", "|L"}));
    s.WrapOption().SetFollowRetMark(true);
    EXPECT_EQ(Split(std::string(20, 'a')), (std::vector<std::string>{std::string(20, 'a') + "|L"}));
    EXPECT_EQ(Split(std::string(40, 'a')), (std::vector<std::string>{std::string(20, 'a') + "|W", std::string(20, 'a') + "|L"}));
    EXPECT_EQ(Split(""), (std::vector<std::string>{"|L"}));
}

TEST_F(Wrap, DoubleByteCharacterStraddlingTheColumnMovesWhole)
{
    const std::string line = std::string(19, 'a') + kA + "b";
    EXPECT_EQ(Split(line), (std::vector<std::string>{std::string(19, 'a') + "|W", kA + "b|L"}));
    // A row of double-byte characters only: 10 fit exactly.
    std::string d;
    for (int i = 0; i < 12; ++i) d += kA;
    const auto rows = Split(d);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].size(), 20u + 2);
    // A lead byte at the very end of a long line is kept, never split off wrongly.
    const auto tail = Split(std::string(25, 'a') + "\x82");
    EXPECT_EQ(tail.back(), std::string(5, 'a') + "\x82|L");
}

TEST_F(Wrap, TabsNeverPassTheWrapColumn)
{
    const auto rows = Split(std::string(18, 'a') + "\tbcd");
    // The TAB fills to column 20 and the row is full there.
    EXPECT_EQ(rows, (std::vector<std::string>{std::string(18, 'a') + "\t|W", "bcd|L"}));
}

TEST_F(Wrap, WordBreakCutsAfterDelimiters)
{
    s.WrapOption().SetWordBreak(true);
    const auto rows = Split("word word word word word word word");
    ASSERT_GE(rows.size(), 2u);
    for (std::size_t i = 0; i + 1 < rows.size(); ++i) EXPECT_EQ(rows[i].substr(rows[i].size() - 3), " |W") << rows[i];
    // One word longer than a row is cut at WrapByte div 3.
    EXPECT_EQ(Split(std::string(30, 'x')),
              (std::vector<std::string>{std::string(6, 'x') + "|W", std::string(6, 'x') + "|W", std::string(18, 'x') + "|L"}));
    // A double-byte character is a break point too.
    EXPECT_EQ(Split(std::string(10, 'x') + kA + std::string(15, 'y'))[0], std::string(10, 'x') + kA + "|W");
}

TEST_F(Wrap, HangingPunctuation)
{
    s.WrapOption().SetWrapByte(80);
    s.WrapOption().SetFollowPunctuation(true);
    // 。 in cells 81-82 stays; a third hanging cell is not taken.
    const auto rows = Split(std::string(80, 'x') + kMaru + ".z");
    EXPECT_EQ(rows, (std::vector<std::string>{std::string(80, 'x') + kMaru + "|W", ".z|L"}));
    const auto two = Split(std::string(80, 'x') + ".,z");
    EXPECT_EQ(two, (std::vector<std::string>{std::string(80, 'x') + ".,|W", "z|L"}));
    s.WrapOption().SetFollowPunctuation(false);
    EXPECT_EQ(Split(std::string(80, 'x') + kMaru)[0], std::string(80, 'x') + "|W");
}

TEST_F(Wrap, LineStartAndLineEndCharacters)
{
    s.WrapOption().SetLeading(true);
    // 「 may not end a row: it moves to the next one.
    EXPECT_EQ(Split(std::string(18, 'a') + kOpen + "bbbb")[0], std::string(18, 'a') + "|W");
    // 」 may not begin a row: it pulls the character before it along.
    EXPECT_EQ(Split(std::string(20, 'a') + kClose + "b"),
              (std::vector<std::string>{std::string(19, 'a') + "|W", "a" + kClose + "b|L"}));
    // The walk never goes below cell WrapByte div 5 * 4 (16).
    EXPECT_EQ(Split(std::string(16, 'a') + std::string(10, ')'))[0], std::string(16, 'a') + "|W");
    // Off: the plain cut.
    s.WrapOption().SetLeading(false);
    EXPECT_EQ(Split(std::string(18, 'a') + kOpen + "bbbb")[0], std::string(18, 'a') + kOpen + "|W");
}

TEST(WrapOption, SettersClampAndReportOnlyChanges)
{
    TEditorWrapOption o;
    int reports = 0;
    o.OnChange = [&](TNotifyPersistent*) { ++reports; };
    o.SetWrapByte(10);
    EXPECT_EQ(o.WrapByte(), 20);
    o.SetWrapByte(1000);
    EXPECT_EQ(o.WrapByte(), 800);
    EXPECT_EQ(reports, 2);
    o.SetWrapByte(800);
    o.SetWordBreak(false);
    o.SetFollowStr(TEditorWrapOption::kDefaultFollowStr);
    EXPECT_EQ(reports, 2);

    TEditorWrapOption same;
    same.SetWrapByte(800);
    o.Assign(same);
    EXPECT_EQ(reports, 2);  // nothing differed
    TEditorWrapOption other;
    other.SetLeading(true);
    other.SetWordBreak(true);
    other.SetLeadStr("(");
    o.Assign(other);
    EXPECT_EQ(reports, 3);  // one report for several changes
    EXPECT_TRUE(o == other);
    EXPECT_EQ(o.WrapByte(), 80);
}

TEST(WrapOption, ReapplyingTheSameOptionsKeepsTheUndoHistory)
{
    TFakeView view;
    TEditorScreenStrings& s = view.ScreenStrings();
    s.SetWordWrap(true);
    s.LoadText("some text\r\n");
    ASSERT_TRUE(s.ReplaceRows(0, 0, "x"));
    TEditorWrapOption copy;
    copy.Assign(s.WrapOption());
    const int refreshes = view.refreshed;
    s.WrapOption().Assign(copy);
    EXPECT_TRUE(s.CanUndo());
    EXPECT_EQ(view.refreshed, refreshes);
    copy.SetWrapByte(40);
    s.WrapOption().Assign(copy);  // a real change re-wraps and ends the history
    EXPECT_FALSE(s.CanUndo());
    EXPECT_GT(view.refreshed, refreshes);
}

TEST(WrapCursor, WalksCellsAndCountsBytes)
{
    const std::string text = "a\tb" + kA;
    TCellRules r;
    r.TabWidth = 4;
    const std::string cls = GetCellClasses(text, r);  // 1 2 3 3 1 4 5
    ASSERT_EQ(cls, "1233145");
    TEditorAttributeArray a(text, cls);
    EXPECT_EQ(a.ColumnCount(), 7);
    EXPECT_EQ(a.CurrentChar(), "a");
    EXPECT_EQ(a.PeekNextChar(), "\t");
    a.MoveTo(3);
    EXPECT_EQ(a.ByteCount(), 2u);
    EXPECT_EQ(a.CurrentChar(), "\t");  // a fill cell stands for its TAB
    a.MoveTo(7);
    EXPECT_EQ(a.CurrentChar(), kA);
    EXPECT_EQ(a.ByteCount(), 5u);
    a.StepBackChar();
    EXPECT_EQ(a.Position(), 5);
    EXPECT_EQ(a.CurrentChar(), "b");
    a.MoveTo(100);
    EXPECT_TRUE(a.AtEndMark());
    EXPECT_EQ(a.Position(), 8);
    EXPECT_EQ(a.CurrentChar(), "");
    a.Next();
    EXPECT_EQ(a.Position(), 8);
    a.MoveTo(-5);
    EXPECT_EQ(a.Position(), 1);
}

TWrapRules Rules(int width, bool wordBreak, bool followPunctuation, bool leading, bool followRetMark, int tab)
{
    TEditorWrapOption o;
    o.SetWrapByte(width);
    o.SetWordBreak(wordBreak);
    o.SetFollowPunctuation(followPunctuation);
    o.SetLeading(leading);
    o.SetFollowRetMark(followRetMark);
    return TWrapRules(o, tab, DefaultDelimiters());
}

// Cuts of random lines: the pieces give back the line, every cut takes at
// least one byte, no double-byte character is split, and rows stay within
// the width plus the hanging allowance.
TEST(WrapCuts, RandomLinesUnderEveryRuleCombination)
{
    std::mt19937 rng(77);
    const std::vector<std::string> pieces = {"a", "bb", " ", "\t", kA, kMaru, kOpen, kClose, ".", ")", "(", "\x95\x5C", "\xB1"};
    TLineCuts cuts;
    for (int combo = 0; combo < 32; ++combo) {
        const TWrapRules rules = Rules(20 + combo % 7, combo & 1, combo & 2, combo & 4, combo & 8, 1 + combo % 8);
        for (int n = 0; n < 60; ++n) {
            std::string line;
            for (int k = std::uniform_int_distribution<int>(0, 120)(rng); k > 0; --k)
                line += pieces[std::uniform_int_distribution<std::size_t>(0, pieces.size() - 1)(rng)];
            CutLine(line, rules, cuts);
            std::size_t begin = 0;
            for (std::size_t e : cuts.Ends) {
                ASSERT_GT(e, begin);
                const std::string row = line.substr(begin, e - begin);
                ASSERT_LE(GetDisplayWidth(row, rules.Cells), rules.WrapByte + 3) << row;
                // The cut falls on a character boundary of the line.
                std::size_t i = 0;
                while (i < e) i += IsLeadByte(static_cast<unsigned char>(line[i])) ? 2 : 1;
                ASSERT_EQ(i, e) << line;
                begin = e;
            }
            ASSERT_LE(begin, line.size());
        }
    }
}

// Under the default rules a row without a TAB is cut from its bytes alone;
// the cut must be the cell walk's, which a rule takes over with (hanging
// punctuation with nothing to hang changes no cut). Runs of lead-range
// bytes and a lone lead byte at the end test where characters start.
TEST(WrapCuts, TheDefaultRulesCutAsTheCellWalk)
{
    std::mt19937 rng(3);
    const std::vector<std::string> pieces = {"a", "bcd", " ", "\t", kA, "\x95\x5C", "\x81\x81", "\xE0\x9F", "\xB1", "\x81"};
    TLineCuts fast, walked;
    for (int round = 0; round < 400; ++round) {
        TEditorWrapOption plain;
        plain.SetWrapByte(20 + round % 61);
        plain.SetFollowRetMark(round & 1);
        TEditorWrapOption walk;
        walk.Assign(plain);
        walk.SetFollowPunctuation(true);
        walk.SetPunctuationStr("");
        const int tab = 1 + round % 8;
        const TWrapRules a(plain, tab, DefaultDelimiters()), b(walk, tab, DefaultDelimiters());
        std::string line;
        for (int k = std::uniform_int_distribution<int>(0, 150)(rng); k > 0; --k)
            line += pieces[std::uniform_int_distribution<std::size_t>(0, round % 3 ? pieces.size() - 1 : 6)(rng)];
        CutLine(line, a, fast);
        CutLine(line, b, walked);
        ASSERT_EQ(fast.Ends, walked.Ends) << round;
        ASSERT_EQ(fast.RestRow, walked.RestRow) << round;
    }
}

// Every row is cut as the first row of the rest of the line, which always
// takes the whole cell walk: rows after the first, cut from the pairs near
// their end only, must agree. Runs of lead-range bytes test where the pairs
// start; kinsoku characters make the cut step back to the floor.
TEST(WrapCuts, EachRowIsCutAsTheFirstRowOfTheRest)
{
    std::mt19937 rng(11);
    std::vector<std::string> pieces = {"a", "bcd", " ", kA, kMaru, kOpen, kClose, "(", ")", ",", "\x81\x81",
                                             "\xE0\x9F", "\x95\x5C", "\xB1", "\x81", "", "", "\t"};
    // Long runs: openers back to the floor, lead-range bytes far back.
    std::string openers, leads;
    for (int i = 0; i < 12; ++i) openers += kOpen, leads += "\x81\x81\xE0\x9F";
    pieces[pieces.size() - 3] = openers;
    pieces[pieces.size() - 2] = leads;
    TLineCuts whole, first;
    for (int round = 0; round < 600; ++round) {
        const TWrapRules rules = Rules(6 + round % 90, round % 16 == 15, round & 1, round & 2, round & 4, 1 + round % 8);
        std::string line;
        const std::size_t kinds = round % 4 ? pieces.size() - 1 : pieces.size();  // TABs in a quarter
        for (int k = std::uniform_int_distribution<int>(0, 400)(rng); k > 0; --k)
            line += pieces[std::uniform_int_distribution<std::size_t>(0, kinds - 1)(rng)];
        CutLine(line, rules, whole);
        std::size_t begin = 0;
        for (std::size_t e : whole.Ends) {
            CutLine(std::string_view(line).substr(begin), rules, first);
            ASSERT_FALSE(first.Ends.empty()) << round;
            ASSERT_EQ(first.Ends.front(), e - begin) << round << " row at " << begin;
            begin = e;
        }
    }
}

TEST(WrapCuts, ALongLineIsCutInLinearTime)
{
    std::string line;
    for (int i = 0; i < 100000; ++i) line += (i % 3 == 0) ? kA : (i % 7 == 0 ? std::string(" ") : std::string("x"));
    TEditorWrapOption o;
    o.SetWordBreak(true);
    o.SetLeading(true);
    o.SetFollowPunctuation(true);
    const TWrapRules rules(o, 8, DefaultDelimiters());
    TLineCuts cuts;
    const std::clock_t t0 = std::clock();
    CutLine(line, rules, cuts);
    const double secs = double(std::clock() - t0) / CLOCKS_PER_SEC;
    EXPECT_GT(cuts.Ends.size(), line.size() / 84);
    EXPECT_LT(secs, 2.0);  // quadratic cutting would take minutes here
}

// Loading with word wrap on, switching it on after loading, and switching it
// off and on again all give the same rows; switching off gives back the lines.
TEST(WrapAllPaths, AgreeOnRandomTexts)
{
    std::mt19937 rng(5);
    const std::vector<std::string> pieces = {"ab", " ", "\t", "\r\n", "\n", kA, kMaru, kClose, ".", std::string(25, 'z')};
    for (int round = 0; round < 40; ++round) {
        std::string text;
        for (int k = std::uniform_int_distribution<int>(0, 80)(rng); k > 0; --k)
            text += pieces[std::uniform_int_distribution<std::size_t>(0, pieces.size() - 1)(rng)];
        TFakeView a, b;
        for (TFakeView* v : {&a, &b}) {
            v->tabWidth = 1 + round % 8;
            v->ScreenStrings().WrapOption().SetWrapByte(20 + round % 5);
            v->ScreenStrings().WrapOption().SetLeading(round & 1);
            v->ScreenStrings().WrapOption().SetWordBreak(round & 2);
            v->ScreenStrings().WrapOption().SetFollowRetMark(round & 4);
        }
        a.ScreenStrings().SetWordWrap(true);
        a.ScreenStrings().LoadText(text);
        b.ScreenStrings().LoadText(text);
        const Rows unwrapped = RowDump(b.ScreenStrings());
        b.ScreenStrings().SetWordWrap(true);
        EXPECT_EQ(RowDump(a.ScreenStrings()), RowDump(b.ScreenStrings())) << round;
        b.ScreenStrings().SetWordWrap(false);
        EXPECT_EQ(RowDump(b.ScreenStrings()), unwrapped) << round;
        b.ScreenStrings().SetWordWrap(true);
        EXPECT_EQ(RowDump(a.ScreenStrings()), RowDump(b.ScreenStrings())) << round;
    }
}

} // namespace
