#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "editor/cells.h"
#include "editor/editsearch.h"
#include "editor/lines.h"
#include "editor/rowstore.h"
#include "editor/undo.h"
#include "editor/wrapoption.h"
#include "model_support.h"

using namespace vellumo;
using namespace vellumo::test;

namespace {

class Search : public ::testing::Test {
protected:
    TFakeView view;
    TEditorScreenStrings& s = view.ScreenStrings();

    void Load(const std::string& text, int wrap)
    {
        if (wrap > 0) {
            s.WrapOption().SetWrapByte(wrap);
            s.SetWordWrap(true);
        } else {
            s.SetWordWrap(false);
        }
        s.LoadText(text);
    }

    long long OffsetOf(int row, int byte) const
    {
        long long o = byte;
        for (int r = 0; r < row; ++r) o += s.Strings(r).size() + (s.GetRowAttribute(r) == raLineBreak ? 2 : 0);
        return o;
    }

    TEditorTextPos PosOf(long long offset) const
    {
        for (int r = 0; r < s.Count(); ++r) {
            const long long span = s.Strings(r).size() + (s.GetRowAttribute(r) == raLineBreak ? 2 : 0);
            if (offset < span || r == s.Count() - 1) return {r, static_cast<int>(offset)};
            offset -= span;
        }
        return {0, 0};
    }

    // Every match in search order, as (offset, length) of the joined text.
    std::vector<std::pair<long long, int>> AllChunked(const std::string& pat, TSearchFlags f, int chunk)
    {
        std::vector<std::pair<long long, int>> out;
        TEditorSearchOptions opt;
        opt.ChunkBytes = chunk;
        const bool down = f & sfDown;
        TEditorTextPos pos = down ? TEditorTextPos{0, 0} : TEditorTextPos{s.Count(), 0};
        for (int guard = 0; guard < 2000; ++guard) {
            const auto m = SearchRows(s, pos, pat, f, opt);
            if (!m) break;
            EXPECT_LT(m->Row, s.Count());
            EXPECT_EQ(OffsetOf(m->FromRow, m->Offset), OffsetOf(m->Row, m->Byte));
            EXPECT_EQ(m->FromRow, s.FirstRowOfLine(m->Row));
            const long long at = OffsetOf(m->Row, m->Byte);
            out.emplace_back(at, m->Length);
            pos = down ? PosOf(at + m->Length) : TEditorTextPos{m->Row, m->Byte};
        }
        return out;
    }

    std::vector<std::pair<long long, int>> AllWhole(const std::string& pat, TSearchFlags f)
    {
        std::vector<std::pair<long long, int>> out;
        const std::string text = JoinRows(s);
        const bool down = f & sfDown;
        int start = down ? 0 : static_cast<int>(text.size());
        int length = 0;
        for (int guard = 0; guard < 2000; ++guard) {
            if (!SearchBufferPos(text, start, length, pat, f)) break;
            out.emplace_back(start, length);
            if (!down) length = 0;
        }
        return out;
    }
};

std::string RandomText(std::mt19937& rng, int size)
{
    static const std::vector<std::string> pieces = {
        "a", "b", "ab", "A", "_", "1", " ", " ", "\t", ".", "\r\n", "\r\n", "\n",
        "\x82\xA0",  // a double-byte kana
        "\x82\x60",  // full-width A
        "\x82\x81",  // full-width a
        "\x81\x40",  // full-width space
        "\xB6", "\xDE", "\xB6\xDE", "\x83\x5C",  // half-width kana, its mark, a trail byte of 5C
    };
    std::string t;
    while (static_cast<int>(t.size()) < size) t += pieces[rng() % pieces.size()];
    return t;
}

// A pattern taken from the text (so that it occurs), sometimes long enough
// to run over several rows.
std::string RandomPattern(std::mt19937& rng, const std::string& joined)
{
    if (joined.empty()) return "a";
    const int len = (rng() % 4 == 0) ? 20 + static_cast<int>(rng() % 50) : 1 + static_cast<int>(rng() % 5);
    const std::size_t at = rng() % joined.size();
    return joined.substr(at, len);
}

TEST_F(Search, ChunkedSearchFindsWhatOneWholeSearchFinds)
{
    std::mt19937 rng(7);
    const TSearchFlags options[] = {sfMatchCase, sfWholeWord, sfIgnoreWidth, sfSkipLineBreaks, sfSkipBlanks};
    int compared = 0, matches = 0;
    for (int round = 0; round < 400; ++round) {
        const int wrap = round % 3 == 0 ? 0 : 20 + static_cast<int>(rng() % 6);
        Load(RandomText(rng, 40 + static_cast<int>(rng() % 400)), wrap);
        const std::string joined = JoinRows(s);
        const std::string pat = RandomPattern(rng, joined);
        TSearchFlags f = static_cast<TSearchFlags>(0);
        for (TSearchFlags o : options)
            if (rng() % 3 == 0) f |= o;
        const int chunk = round % 4 == 0 ? 8191 : 1 + static_cast<int>(rng() % 60);
        for (const bool down : {true, false}) {
            const TSearchFlags g = down ? f | sfDown : f;
            const auto want = AllWhole(pat, g);
            const auto got = AllChunked(pat, g, chunk);
            ASSERT_EQ(got, want) << "round " << round << " wrap " << wrap << " chunk " << chunk << " flags " << g
                                 << " pattern [" << pat << "]";
            ++compared;
            matches += static_cast<int>(want.size());
        }
    }
    EXPECT_EQ(compared, 800);
    EXPECT_GT(matches, 1500);
}

TEST_F(Search, MatchesRunningOverTwoAndThreeRowsAcrossAChunkEdge)
{
    // 25 bytes per logical line, wrapped at 20: rows of 20 and 5.
    std::string text;
    for (int i = 0; i < 40; ++i) text += std::string(20, 'a' + i % 20) + "wxyz" + char('0' + i % 10) + "\r\n";
    Load(text, 20);
    TEditorSearchOptions small;
    small.ChunkBytes = 30;
    // Across the wrap of line 10 and its line break into line 11.
    const std::string two = std::string(3, 'k') + "wxyz0\r\n" + std::string(4, 'l');
    auto m = SearchRows(s, {0, 0}, two, sfDown | sfMatchCase, small);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->Row, 20);
    EXPECT_EQ(m->Byte, 17);
    EXPECT_EQ(m->Length, static_cast<int>(two.size()));
    // Three rows: the tail of row 20, the whole of row 21 and the start of row 22.
    const std::string three = "kkwxyz0\r\n" + std::string(20, 'l') + "wx";
    m = SearchRows(s, {0, 0}, three, sfDown | sfMatchCase, small);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->Row, 20);
    EXPECT_EQ(m->Byte, 18);
    // Backward: the same text recurs at line 30; before it, line 10 again.
    m = SearchRows(s, {s.Count(), 0}, three, sfMatchCase, small);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->Row, 60);
    EXPECT_EQ(m->Byte, 18);
    m = SearchRows(s, {60, 18}, three, sfMatchCase, small);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->Row, 20);
    EXPECT_EQ(m->Byte, 18);
}

TEST_F(Search, ARowLongerThanTheChunkLimitIsSearchedWhole)
{
    std::string text = "head\r\n" + std::string(9000, 'x') + "needle" + std::string(3000, 'y') + "\r\ntail";
    Load(text, 0);
    auto m = SearchRows(s, {0, 0}, "needle", sfDown);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->Row, 1);
    EXPECT_EQ(m->Byte, 9000);
    m = SearchRows(s, {2, 4}, "needle", static_cast<TSearchFlags>(0));
    ASSERT_TRUE(m);
    EXPECT_EQ(m->Row, 1);
    EXPECT_EQ(m->Byte, 9000);
    // A pattern straddling the long row's end and the next line.
    m = SearchRows(s, {0, 0}, "yyy\r\ntail", sfDown);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->Row, 1);
    EXPECT_EQ(m->Byte, 12003);
}

TEST_F(Search, EndsOfTheTextAndBackwardOffsetsOverLineBreaks)
{
    Load("ab\r\ncd\r\nab\r\n", 0);
    EXPECT_FALSE(SearchRows(s, {s.Count(), 0}, "ab", sfDown));
    EXPECT_FALSE(SearchRows(s, {2, 2}, "ab", sfDown));
    // Backward from below the last row: the end of the text.
    auto m = SearchRows(s, {s.Count(), 0}, "ab", static_cast<TSearchFlags>(0));
    ASSERT_TRUE(m);
    EXPECT_EQ(m->Row, 2);
    EXPECT_EQ(m->Byte, 0);
    // Before that match: every line break counts two bytes, so row 0 is found, not a place inside "cd".
    m = SearchRows(s, {2, 0}, "ab", static_cast<TSearchFlags>(0), {nullptr, 3});
    ASSERT_TRUE(m);
    EXPECT_EQ(m->Row, 0);
    EXPECT_EQ(m->Byte, 0);
    m = SearchRows(s, {2, 0}, "cd\r\n", static_cast<TSearchFlags>(0), {nullptr, 3});
    ASSERT_TRUE(m);
    EXPECT_EQ(m->Row, 1);
    EXPECT_EQ(m->Length, 4);
    // A match on the line break itself.
    m = SearchRows(s, {0, 1}, "\r\n", sfDown);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->Row, 0);
    EXPECT_EQ(m->Byte, 2);
    s.Clear();
    EXPECT_FALSE(SearchRows(s, {0, 0}, "a", sfDown));
    EXPECT_FALSE(SearchRows(s, {0, 0}, "a", static_cast<TSearchFlags>(0)));
}

TEST_F(Search, WholeWordsDoNotEndAtSoftWraps)
{
    // "abcd" is cut by the wrap after "ab": neither half is a word.
    Load(std::string(18, '.') + "abcd efg\r\n" + std::string(18, '.') + "ab\r\ncd", 20);
    ASSERT_EQ(s.Strings(0), std::string(18, '.') + "ab");
    ASSERT_EQ(s.GetRowAttribute(0), raWrapped);
    for (const int chunk : {1, 20, 8191}) {
        TEditorSearchOptions opt;
        opt.ChunkBytes = chunk;
        auto m = SearchRows(s, {0, 0}, "cd", sfDown | sfWholeWord, opt);
        ASSERT_TRUE(m);
        EXPECT_EQ(m->Row, 4) << chunk;  // only the real word on the last line
        m = SearchRows(s, {0, 0}, "ab", sfDown | sfWholeWord, opt);
        ASSERT_TRUE(m);
        EXPECT_EQ(m->Row, 2) << chunk;
        m = SearchRows(s, {s.Count(), 0}, "ab", sfWholeWord, opt);
        ASSERT_TRUE(m);
        EXPECT_EQ(m->Row, 2) << chunk;
        m = SearchRows(s, {2, 0}, "cd", sfWholeWord, opt);
        EXPECT_FALSE(m) << chunk;
    }
}

TEST_F(Search, ThePumpRunsBeforeEveryChunkAndMayChangeTheRows)
{
    std::string text;
    for (int i = 0; i < 200; ++i) text += "line " + std::to_string(i) + "\r\n";
    text += "needle";
    Load(text, 0);
    int pumps = 0;
    TEditorSearchOptions opt;
    opt.ChunkBytes = 40;
    opt.BeforeChunk = [&] { ++pumps; };
    auto m = SearchRows(s, {0, 0}, "needle", sfDown | sfReplaceAll, opt);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->Row, 200);
    EXPECT_GT(pumps, 20);
    const int forward = pumps;
    pumps = 0;
    EXPECT_TRUE(SearchRows(s, {0, 0}, "needle", sfDown, opt));  // no pump without replace-all
    EXPECT_EQ(pumps, 0);
    EXPECT_TRUE(SearchRows(s, {s.Count(), 0}, "line 0\r", sfReplaceAll, opt));
    EXPECT_GT(pumps, forward / 2);

    // The pump deletes most rows part-way: nothing stale is read (the
    // sanitizers watch) and a result names a row that exists.
    for (const bool down : {true, false}) {
        Load(text, 0);
        int calls = 0;
        opt.BeforeChunk = [&] {
            if (++calls == 3) s.ReplaceRows(5, s.Count() - 5, "x needle");
        };
        m = SearchRows(s, down ? TEditorTextPos{0, 0} : TEditorTextPos{150, 3}, "needle",
                       (down ? sfDown : static_cast<TSearchFlags>(0)) | sfReplaceAll, opt);
        if (m) {
            EXPECT_LT(m->Row, s.Count());
            EXPECT_EQ(s.Strings(m->Row).substr(m->Byte, 6), "needle");
        }
        EXPECT_GE(calls, 3);
    }
}

TEST_F(Search, CaretStartSkipsTabFillCells)
{
    Load("a\tb\r\nxy", 0);
    TCellRules rules;
    rules.TabWidth = 4;
    EXPECT_EQ(CaretSearchStart(s, 0, 4, rules, true).Byte, 2);   // the cell of "b"
    EXPECT_EQ(CaretSearchStart(s, 0, 3, rules, true).Byte, 1);   // inside the TAB's fill
    EXPECT_EQ(CaretSearchStart(s, 1, 9, rules, true).Byte, 2);   // past the end: capped
    const TEditorTextPos below = CaretSearchStart(s, 5, 0, rules, false);
    EXPECT_EQ(below.Row, 1);
    EXPECT_EQ(below.Byte, 2);
}

} // namespace

namespace {

// The one-match way on the joined text: each search starts after the text
// the last replacement put in.
std::string ReplaceOneByOne(std::string text, const std::string& pat, const std::string& with, TSearchFlags f,
                            int& count, long long& caret)
{
    int at = 0, length = 0;
    count = 0;
    caret = -1;
    while (SearchBufferPos(text, at, length, pat, f)) {
        text.replace(static_cast<std::size_t>(at), static_cast<std::size_t>(length), with);
        at += static_cast<int>(with.size());
        length = 0;
        caret = at;
        ++count;
    }
    return text;
}

} // namespace

TEST_F(Search, ReplacingStretchesGivesTheTextCountAndCaretOfOneMatchAtATimeAndUndoesAsOne)
{
    std::mt19937 rng(11);
    const std::string withs[] = {"", "b", "\x83\x56", "\r\n", "x\r\ny", "\xB6\xDE"};
    const TSearchFlags options[] = {sfMatchCase, sfIgnoreWidth, sfSkipLineBreaks, sfSkipBlanks};
    int compared = 0, replaced = 0;
    for (int round = 0; round < 300; ++round) {
        const int wrap = round % 3 == 0 ? 0 : 20 + static_cast<int>(rng() % 6);
        Load(RandomText(rng, 40 + static_cast<int>(rng() % 400)), wrap);
        const std::string before = JoinRows(s);
        const std::string pat = RandomPattern(rng, before);
        const std::string& with = withs[rng() % std::size(withs)];
        TSearchFlags f = sfDown | sfReplaceAll;
        for (TSearchFlags o : options)
            if (rng() % 3 == 0) f |= o;
        if (!CanReplaceForward(pat, with, f)) {
            // A lone CR or LF of a cut pattern could match half a line break.
            EXPECT_NE(pat.find_first_of("\r\n"), std::string::npos) << pat;
            continue;
        }
        int want = 0;
        long long caret = 0;
        const std::string after = ReplaceOneByOne(before, pat, with, f, want, caret);
        s.UndoObj().BeginGroup();
        TEditorTextPos pos{0, 0};
        int got = 0;
        long long at = -1;
        for (int guard = 0; guard < 2000; ++guard) {
            const TReplaceRun run = ReplaceForward(s, pos, pat, with, f, {}, 1 + static_cast<int>(rng() % 80), 0);
            if (run.End) break;
            ASSERT_GT(run.Count, 0) << "round " << round;
            got += run.Count;
            at = OffsetOf(run.FromRow, 0) + run.Offset;
            pos = PosOf(at);
        }
        s.UndoObj().EndGroup();
        ASSERT_EQ(JoinRows(s), after) << "round " << round << " wrap " << wrap << " flags " << f << " pattern [" << pat
                                      << "] with [" << with << "]";
        EXPECT_EQ(got, want);
        EXPECT_EQ(at, caret);
        if (want > 0) {
            ASSERT_TRUE(s.Undo());
            EXPECT_EQ(JoinRows(s), before);
            ASSERT_TRUE(s.Redo());
            EXPECT_EQ(JoinRows(s), after);
        }
        ++compared;
        replaced += want;
    }
    EXPECT_GT(compared, 200);
    EXPECT_GT(replaced, 500);
}

TEST_F(Search, ReplacingStretchesLeavesAMatchPastTheColumnLimitAndWordEdgesToTheOneMatchWay)
{
    Load("x" + std::string(8048, 'a') + "x" + std::string(100, 'a') + "\r\nx", 0);
    const TReplaceRun first = ReplaceForward(s, {0, 0}, "x", "yy", sfDown | sfReplaceAll, {}, 1 << 20, 8000);
    EXPECT_EQ(first.Count, 1);
    EXPECT_FALSE(first.End);
    EXPECT_EQ(first.Offset, 2);
    EXPECT_EQ(s.Strings(0).substr(0, 3), "yya");
    const TReplaceRun stop = ReplaceForward(s, {0, 2}, "x", "yy", sfDown | sfReplaceAll, {}, 1 << 20, 8000);
    EXPECT_EQ(stop.Count, 0);
    EXPECT_FALSE(stop.End);
    const TReplaceRun last = ReplaceForward(s, {1, 0}, "x", "yy", sfDown | sfReplaceAll, {}, 1 << 20, 8000);
    EXPECT_EQ(last.Count, 1);
    EXPECT_EQ(s.Strings(1), "yy");
    EXPECT_TRUE(ReplaceForward(s, {1, 2}, "x", "yy", sfDown | sfReplaceAll, {}, 1 << 20, 8000).End);

    EXPECT_FALSE(CanReplaceForward("a", "b", sfDown | sfWholeWord));
    EXPECT_FALSE(CanReplaceForward("a", "b", sfReplaceAll));  // upwards
    EXPECT_FALSE(CanReplaceForward("a", "\x82", sfDown));     // a lead byte would take the next byte
    EXPECT_FALSE(CanReplaceForward("a\r", "b", sfDown));
    EXPECT_FALSE(CanReplaceForward("a", "\nb", sfDown));
    EXPECT_TRUE(CanReplaceForward("\x81\x42\r\n", "\x83\x56", sfDown));
}
