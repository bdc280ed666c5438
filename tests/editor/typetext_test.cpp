#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "base/leadbytes.h"
#include "editor/cells.h"
#include "editor/rowstore.h"
#include "editor/typetext.h"
#include "editor/wrapoption.h"
#include "model_support.h"

using namespace vellumo;
using namespace vellumo::test;

namespace {

using Rows = std::vector<std::string>;

class TypeText : public ::testing::Test {
protected:
    TFakeView view;
    TEditorScreenStrings& s = view.ScreenStrings();

    void SetUp() override { view.tabWidth = 4; }

    long long OffsetOf(int row, int byte) const
    {
        long long o = byte;
        for (int r = 0; r < row && r < s.Count(); ++r)
            o += s.Strings(r).size() + (s.GetRowAttribute(r) == raLineBreak ? 2 : 0);
        return o;
    }

    // Applies an edit; returns the caret's offset in the whole text afterwards.
    long long Apply(const TRowsEdit& e)
    {
        EXPECT_TRUE(s.ReplaceRows(e.Row, e.Count, e.Text));
        EXPECT_TRUE(e.ByOffset);
        return OffsetOf(e.OffsetRow, 0) + e.Offset;
    }

    // A caret column at a character's start in a row, or past its end.
    int Column(std::mt19937& rng, int row, bool pastEnd)
    {
        if (row >= s.Count()) return pastEnd ? static_cast<int>(rng() % 3) : 0;
        const std::string_view t = s.Strings(row);
        std::vector<int> starts;
        for (std::size_t i = 0; i <= t.size();) {
            starts.push_back(ByteToCell(t, static_cast<int>(i), s.CellRules()));
            if (i == t.size()) break;
            i += IsLeadByte(static_cast<unsigned char>(t[i])) && i + 1 < t.size() ? 2 : 1;
        }
        int c = starts[rng() % starts.size()];
        if (pastEnd && rng() % 3 == 0) c = s.DisplayWidth(t) + 1 + static_cast<int>(rng() % 3);
        return c;
    }

    // The byte of a caret column (at a character's start, or past the end as spaces).
    int ByteOf(int row, int col, int* pad)
    {
        *pad = 0;
        if (row >= s.Count()) {
            *pad = col;
            return 0;
        }
        const std::string_view t = s.Strings(row);
        const int w = s.DisplayWidth(t);
        if (col > w) {
            *pad = col - w;
            return static_cast<int>(t.size());
        }
        return CellToByte(t, col, s.CellRules());
    }
};

std::string RandomText(std::mt19937& rng, int size)
{
    static const char* pieces[] = {"a", "b", "cd", " ", "\t", "\x82\xA0", "\r\n", "\r\n", "xyz"};
    std::string t;
    while (static_cast<int>(t.size()) < size) t += pieces[rng() % 9];
    return t;
}

TEST_F(TypeText, InsertMoveAndCopyMatchAPlainString)
{
    std::mt19937 rng(3);
    int moves = 0, refused = 0;
    for (int round = 0; round < 1200; ++round) {
        if (round % 2) {
            s.WrapOption().SetWrapByte(20 + static_cast<int>(rng() % 5));
            s.SetWordWrap(true);
        } else {
            s.SetWordWrap(false);
        }
        s.LoadText(RandomText(rng, 10 + static_cast<int>(rng() % 80)));
        if (s.Count() == 0) continue;
        const std::string before = JoinRows(s);
        const int maxRow = EndsWithLineBreak(s) ? s.Count() : s.Count() - 1;
        const int op = static_cast<int>(rng() % 3);  // insert at caret, move, copy
        if (op == 0) {
            const int r = static_cast<int>(rng() % (maxRow + 1));
            const int c = Column(rng, r, true);
            int pad;
            const int b = ByteOf(r, c, &pad);
            const std::string ins = rng() % 2 ? "Q" : "QR\r\nS\x82\xA0";
            std::string want = before;
            const long long at = OffsetOf(r, b);
            want.insert(static_cast<std::size_t>(at), std::string(static_cast<std::size_t>(pad), ' ') + ins);
            const auto e = InsertStreamTextEdit(s, nullptr, r, c, ins);
            ASSERT_TRUE(e);
            const long long caret = Apply(*e);
            ASSERT_EQ(JoinRows(s), want) << "round " << round;
            EXPECT_EQ(caret, at + pad + static_cast<long long>(ins.size()));
            continue;
        }
        // A stream selection between two caret places (never past a row's end).
        const int ar = static_cast<int>(rng() % (maxRow + 1)), cr = static_cast<int>(rng() % (maxRow + 1));
        const int ac = Column(rng, ar, false), cc = Column(rng, cr, false);
        const TEditorSelection sel = MakeSelection(s, ar, ac, cr, cc, false);
        int pad;
        const long long sOff = OffsetOf(sel.StartRow, ByteOf(sel.StartRow, sel.StartCol, &pad));
        const long long eOff = OffsetOf(sel.EndRow, ByteOf(sel.EndRow, sel.EndCol, &pad));
        if (eOff <= sOff) continue;
        const std::string moved = before.substr(static_cast<std::size_t>(sOff), static_cast<std::size_t>(eOff - sOff));
        EXPECT_EQ(GetSelText(s, sel), moved);

        const int tr = static_cast<int>(rng() % (maxRow + 1));
        const int tc = Column(rng, tr, true);
        const int tb = ByteOf(tr, tc, &pad);
        const long long tOff = OffsetOf(tr, tb);
        const bool inside = IsInSelection(s, sel, tr, tc);
        const auto place = std::make_pair(tr, tc);
        EXPECT_EQ(inside, place >= std::make_pair(sel.StartRow, sel.StartCol) &&
                              place < std::make_pair(sel.EndRow, sel.EndCol))
            << "round " << round;
        const auto e = op == 1 ? MoveSelectionEdit(s, sel, tr, tc) : CopySelectionEdit(s, sel, tr, tc);
        if (inside) {
            EXPECT_FALSE(e);
            ++refused;
            continue;
        }
        ASSERT_TRUE(e) << "round " << round;
        std::string want = before;
        long long at = tOff;
        want.insert(static_cast<std::size_t>(at), std::string(static_cast<std::size_t>(pad), ' '));
        at += pad;
        if (op == 1) {
            const auto len = static_cast<std::size_t>(eOff - sOff);
            if (tOff <= sOff) {
                want.erase(static_cast<std::size_t>(sOff + pad), len);
            } else {
                want.erase(static_cast<std::size_t>(sOff), len);
                at -= static_cast<long long>(len);
            }
            ++moves;
        }
        want.insert(static_cast<std::size_t>(at), moved);
        const long long caret = Apply(*e);
        ASSERT_EQ(JoinRows(s), want) << "round " << round << " op " << op << " sel " << sOff << ".." << eOff
                                     << " target " << tr << "," << tc;
        EXPECT_EQ(caret, at + static_cast<long long>(moved.size()));
        // One undo unit gives back the text.
        ASSERT_TRUE(s.Undo());
        EXPECT_EQ(JoinRows(s), before);
    }
    EXPECT_GT(moves, 200);
    EXPECT_GT(refused, 20);
}

TEST_F(TypeText, DropsOntoShortRowsAndAfterTheFinalBreak)
{
    s.LoadText("word here\r\nab\r\n");
    // "word" onto column 5 of the shorter row below: the gap is filled with spaces.
    TEditorSelection sel = MakeSelection(s, 0, 0, 0, 4, false);
    auto e = MoveSelectionEdit(s, sel, 1, 5);
    ASSERT_TRUE(e);
    EXPECT_EQ(Apply(*e), 7 + 9);
    EXPECT_EQ(RowDump(s), (Rows{" here|L", "ab   word|L"}));
    ASSERT_TRUE(s.Undo());
    // Onto the empty place after the final line break.
    e = MoveSelectionEdit(s, sel, 2, 2);
    ASSERT_TRUE(e);
    Apply(*e);
    EXPECT_EQ(RowDump(s), (Rows{" here|L", "ab|L", "  word|E"}));
    ASSERT_TRUE(s.Undo());
    // Inside the selection, in box mode, or past a text without a final break: refused.
    EXPECT_FALSE(MoveSelectionEdit(s, sel, 0, 2));
    sel.Box = true;
    EXPECT_FALSE(MoveSelectionEdit(s, sel, 1, 0));
    s.LoadText("word here\r\nab");
    EXPECT_FALSE(MoveSelectionEdit(s, MakeSelection(s, 0, 0, 0, 4, false), 2, 0));
    // Copying leaves the original.
    e = CopySelectionEdit(s, MakeSelection(s, 0, 5, 0, 9, false), 1, 1);
    ASSERT_TRUE(e);
    Apply(*e);
    EXPECT_EQ(RowDump(s), (Rows{"word here|L", "ahereb|E"}));
}

TEST_F(TypeText, TypingInInsertOverwriteAndFreeCaret)
{
    s.LoadText("ab\r\ncd");
    // Three columns past the end of "ab".
    auto e = TypeTextEdit(s, nullptr, 0, 5, "x", false);
    ASSERT_TRUE(e);
    EXPECT_EQ(Apply(*e), 6);
    EXPECT_EQ(RowDump(s), (Rows{"ab   x|L", "cd|E"}));
    EXPECT_FALSE(TypeTextEdit(s, nullptr, 0, 0, "", false));

    // Overwriting the lead byte of a kana leaves a space for its trail byte.
    s.LoadText("a\x82\xA0z");
    e = TypeTextEdit(s, nullptr, 0, 1, "x", true);
    Apply(*e);
    EXPECT_EQ(RowDump(s), (Rows{"ax z|E"}));
    // Overwriting a whole kana and a TAB's own cell keeps nothing of them; a TAB's fill cell keeps the TAB.
    s.LoadText("a\x82\xA0q\tz");
    e = TypeTextEdit(s, nullptr, 0, 1, "xyw", true);
    Apply(*e);
    EXPECT_EQ(RowDump(s), (Rows{"axyw\tz|E"}));
    s.LoadText("q\tz");  // TAB at cell 1, fill 2-3
    e = TypeTextEdit(s, nullptr, 0, 0, "xy", true);
    Apply(*e);
    EXPECT_EQ(RowDump(s), (Rows{"xy\tz|E"}));

    // Across the end of a soft-wrapped row into the next row of the same line.
    s.WrapOption().SetWrapByte(20);
    s.SetWordWrap(true);
    s.LoadText(std::string(20, 'a') + "bcdef\r\nnext");
    ASSERT_EQ(s.GetRowAttribute(0), raWrapped);
    e = TypeTextEdit(s, nullptr, 0, 18, "XYZW", true);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->Count, 2);
    EXPECT_EQ(Apply(*e), 22);
    EXPECT_EQ(JoinRows(s), std::string(18, 'a') + "XYZWdef\r\nnext");
    ASSERT_TRUE(s.Undo());
    EXPECT_EQ(JoinRows(s), std::string(20, 'a') + "bcdef\r\nnext");

    // Over a box selection: every row loses its box, the top row gets the text at the box's left edge.
    s.SetWordWrap(false);
    s.LoadText("abcd\r\nefgh\r\nij");
    const TEditorSelection box = MakeSelection(s, 0, 1, 2, 3, true);
    e = TypeTextEdit(s, &box, 2, 3, "Z", false);
    EXPECT_EQ(Apply(*e), 2);
    EXPECT_EQ(RowDump(s), (Rows{"aZd|L", "eh|L", "i|E"}));
}

TEST_F(TypeText, CaretLandsAfterTheTextAsStored)
{
    // Each kind of line break is stored as one row break, which the caret counts as two bytes.
    for (const std::string brk : {"\n", "\r", "\r\n"}) {
        const std::string ins = "a" + brk + "b" + brk + "c";
        for (int how = 0; how < 3; ++how) {
            s.LoadText("xy\r\nz");
            const TEditorSelection sel = MakeSelection(s, 0, 1, 0, 2, false);  // "y"
            const auto e = how == 0   ? InsertStreamTextEdit(s, nullptr, 0, 1, ins)
                           : how == 1 ? TypeTextEdit(s, nullptr, 0, 1, ins, false)
                                      : InsertStreamTextEdit(s, &sel, 0, 2, ins);
            ASSERT_TRUE(e);
            const long long caret = Apply(*e);
            const std::string want = how == 2 ? "xa\r\nb\r\nc\r\nz" : "xa\r\nb\r\ncy\r\nz";
            ASSERT_EQ(JoinRows(s), want);
            EXPECT_EQ(caret, 8) << "break " << brk.size() << " way " << how;
        }
    }
}

TEST_F(TypeText, CaretFollowsItsCharacterWhenWordBreaksReflowRowsAbove)
{
    // A word longer than a row is cut at a third of the width; a blank typed
    // into it lets every row whose reach covers it be cut afresh.
    s.WrapOption().SetWrapByte(20);
    s.WrapOption().SetWordBreak(true);
    s.SetWordWrap(true);
    std::string word;
    for (int i = 0; i < 90; ++i) word += static_cast<char>('a' + i % 26);
    for (int at = 1; at < 90; ++at) {
        s.LoadText("top\r\n" + word + "\r\nend");
        int row = 0, byte = 0;
        ASSERT_TRUE(OffsetToRowByte(s, 5 + at, row, byte));
        const auto e = TypeTextEdit(s, nullptr, row, ByteToCell(s.Strings(row), byte, s.CellRules()), " ", false);
        ASSERT_TRUE(e);
        const long long caret = Apply(*e);
        ASSERT_EQ(JoinRows(s), "top\r\n" + word.substr(0, at) + " " + word.substr(at) + "\r\nend");
        EXPECT_EQ(caret, 5 + at + 1) << "blank typed at " << at;
    }
}

TEST_F(TypeText, TypedTextNeverBecomesTheTrailOfAStrayLeadByte)
{
    // "ab" and a lead byte whose trail is missing (the file ended the line there).
    s.LoadText("ab\x82\r\nc");
    auto e = TypeTextEdit(s, nullptr, 0, 3, "A", false);
    ASSERT_TRUE(e);
    EXPECT_EQ(Apply(*e), 3);
    EXPECT_EQ(JoinRows(s), "abA\x82\r\nc");
    e = TypeTextEdit(s, nullptr, 0, 3, "B", false);  // typing on goes on in order
    EXPECT_EQ(Apply(*e), 4);
    EXPECT_EQ(JoinRows(s), "abAB\x82\r\nc");
    // A free caret two cells past it: a space stands in its cell, nothing pairs with it.
    s.LoadText("ab\x82\r\nc");
    e = TypeTextEdit(s, nullptr, 0, 5, "Z", false);
    EXPECT_EQ(Apply(*e), 6);
    EXPECT_EQ(JoinRows(s), "ab   Z\x82\r\nc");
    EXPECT_EQ(GetCellClasses(s.Strings(0), s.CellRules()).substr(5), "11");
    // With word wrap, a line that fills its row with the stray byte last
    // leaves an empty row after it: typing there is typing right after it.
    s.WrapOption().SetWrapByte(20);
    s.SetWordWrap(true);
    s.LoadText(std::string(19, 'w') + "\x82\r\nc");
    ASSERT_EQ(s.GetRowAttribute(0), raWrapped);
    ASSERT_EQ(s.Strings(1), "");
    e = TypeTextEdit(s, nullptr, 1, 0, "b", false);
    EXPECT_EQ(Apply(*e), 20);
    EXPECT_EQ(JoinRows(s), std::string(19, 'w') + "b\x82\r\nc");
    s.SetWordWrap(false);
    // A selection ending the line after it, pasted over.
    s.LoadText("ab\x82\r\ncd");
    const TEditorSelection sel = MakeSelection(s, 0, 3, 1, 1, false);
    e = InsertStreamTextEdit(s, &sel, 1, 1, "Q");
    EXPECT_EQ(Apply(*e), 3);
    EXPECT_EQ(JoinRows(s), "abQ\x82" "d");
}

TEST_F(TypeText, SelectedTextOfBoxesAndStreams)
{
    s.LoadText("abcd\r\nef\r\nghij");
    EXPECT_EQ(GetSelText(s, MakeSelection(s, 0, 1, 2, 3, true)), "bc\r\nf\r\nhi\r\n");
    EXPECT_EQ(GetSelText(s, MakeSelection(s, 0, 1, 0, 3, true)), "bc");
    EXPECT_EQ(GetSelText(s, MakeSelection(s, 2, 2, 0, 3, false)), "d\r\nef\r\ngh");
    EXPECT_EQ(GetSelText(s, MakeSelection(s, 0, 0, 1, 0, false)), "abcd\r\n");
    EXPECT_EQ(GetSelText(s, MakeSelection(s, 7, 0, 8, 0, false)), "");
}

} // namespace
