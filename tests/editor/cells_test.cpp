#include <gtest/gtest.h>

#include <random>
#include <string>

#include "editor/cells.h"
#include "editor/lines.h"
#include "editor/wrapoption.h"
#include "model_support.h"

using namespace vellumo;
using namespace vellumo::test;

namespace {

TCellRules Rules(int tab, int wrap = 0)
{
    TCellRules r;
    r.TabWidth = tab;
    r.WrapWidth = wrap;
    return r;
}

TEST(CellClasses, TabsFillToTheNextStop)
{
    EXPECT_EQ(GetCellClasses("ab\tc", Rules(4)), "11231");
    EXPECT_EQ(GetCellClasses("ab\tc", Rules(8)), "112333331");
    EXPECT_EQ(GetDisplayWidth("ab\tc", Rules(4)), 5);
    EXPECT_EQ(GetDisplayWidth("ab\tc", Rules(8)), 9);
    // A TAB on a stop takes a whole stop; delimiters are '2', word bytes '1'.
    EXPECT_EQ(GetCellClasses("\t_9 ", Rules(2)), "23112");
    // With wrap 20 a TAB at column 18 ends at column 20, not 24.
    const std::string t = std::string(18, 'a') + "\tb";
    const std::string c = GetCellClasses(t, Rules(8, 20));
    EXPECT_EQ(c.substr(18), "231");
    EXPECT_EQ(GetDisplayWidth(t, Rules(8, 20)), 21);
    EXPECT_EQ(ExpandTabs(t, Rules(8, 20)), std::string(18, 'a') + "  b");
}

TEST(CellClasses, DoubleByteCharactersAndALeadByteAtTheEnd)
{
    // あ, then 表 whose trail byte is a backslash, then a lone lead byte.
    const std::string t = "\x82\xA0" "\x95\x5C" "x\x82";
    // The lone lead byte is one cell, with or without a TAB in the row.
    EXPECT_EQ(GetCellClasses(t, Rules(8)), "454511");
    EXPECT_EQ(GetDisplayWidth(t, Rules(8)), 6);
    EXPECT_EQ(GetDisplayWidth("\t" + t, Rules(8)), 8 + 6);
    EXPECT_EQ(GetCellClasses("\t" + t, Rules(8)).size(), 8u + 6u);
    EXPECT_EQ(ExpandTabs("\t" + t, Rules(8)), std::string(8, ' ') + t);
    // A TAB after a double-byte character counts the pair as two cells.
    EXPECT_EQ(ExpandTabs("\x82\xA0\tx", Rules(4)), "\x82\xA0  x");
    // Half-width katakana are single cells; A0-A5 are delimiters.
    EXPECT_EQ(GetCellClasses("\xB1\xA1", Rules(8)), "12");
}

TEST(CellClasses, LongRowsStopAtTheCap)
{
    const std::string t(9000, 'a');
    EXPECT_EQ(GetCellClasses(t, Rules(8)).size(), 8000u);
    EXPECT_EQ(GetDisplayWidth(t, Rules(8)), 9000);
    EXPECT_EQ(GetCellClasses(t, Rules(8, 20)).size(), 23u);
    // The last step may pass the cap by a pair's second cell.
    std::string d;
    for (int i = 0; i < 20; ++i) d += "\x82\xA0";
    EXPECT_EQ(GetCellClasses(d, Rules(8, 20)).size(), 24u);
}

TEST(CellClasses, ExpandedPrefixIsTheFullExpansionCutAtACharacter)
{
    // Random rows of bytes, TABs and double-byte characters, a lead byte
    // alone at the end too: the prefix is the full expansion's start, at
    // least the cells asked for, never a character cut, and exactly the
    // expansion of the stored bytes it reports.
    std::mt19937 rng(7);
    const std::string pieces[] = {"a", " ", "\t", "\x82\xA0", "\x81\x40", "\x82"};
    for (int round = 0; round < 400; ++round) {
        TCellRules rules;
        rules.TabWidth = 1 + static_cast<int>(rng() % 8);
        std::string text;
        for (int n = static_cast<int>(rng() % 40); n > 0; --n) text += pieces[rng() % 5];
        if (rng() % 4 == 0) text += pieces[5];
        const std::string full = ExpandTabs(text, rules);
        const std::size_t cells = rng() % 50;
        std::string out = "old";
        const std::size_t used = ExpandTabsPrefix(text, rules, cells, out);
        SCOPED_TRACE(text + " / " + std::to_string(cells));
        EXPECT_EQ(out, full.substr(0, out.size()));
        EXPECT_GE(out.size(), std::min(cells, full.size()));
        EXPECT_EQ(out, ExpandTabs(text.substr(0, used), rules));
        EXPECT_TRUE(used == text.size() || GetDisplayWidth(text.substr(0, used), rules) == static_cast<int>(out.size()));
        if (used < text.size()) {
            EXPECT_EQ(GetCellClasses(full, rules).substr(out.size(), 1).find_first_of("35"), std::string::npos);
        }
    }
}

TEST(CellClasses, IndentWidth)
{
    EXPECT_EQ(GetIndentWidth("", Rules(8)), -1);
    EXPECT_EQ(GetIndentWidth("x", Rules(8)), 0);
    EXPECT_EQ(GetIndentWidth("  \x81\x40x", Rules(8)), 4);
    EXPECT_EQ(GetIndentWidth(" \tx", Rules(4)), 4);
    EXPECT_EQ(GetIndentWidth("   ", Rules(4)), 3);
    EXPECT_EQ(GetIndentWidth(std::string(18, ' ') + "\tx", Rules(8, 20)), 20);
    // A lone 81 at the end is not a full-width space.
    EXPECT_EQ(GetIndentWidth(" \x81", Rules(8)), 1);
}

TEST(CellClasses, CellAndByteConversions)
{
    const std::string t = "a\t\x82\xA0z";  // cells: 1 2 3 3 ... with tab 4: a, TAB(3 cells), 4 5, z
    const TCellRules r = Rules(4);
    EXPECT_EQ(GetCellClasses(t, r), "123345" "1");
    EXPECT_EQ(CellToByte(t, 0, r), 0);
    EXPECT_EQ(CellToByte(t, 1, r), 1);
    EXPECT_EQ(CellToByte(t, 3, r), 1);  // on fill: the TAB itself
    EXPECT_EQ(CellToByte(t, 4, r), 2);
    EXPECT_EQ(CellToByte(t, 6, r), 4);
    EXPECT_EQ(CellToByte(t, 50, r), 5);  // capped at the length
    EXPECT_EQ(ByteToCell(t, 2, r), 4);
    EXPECT_EQ(ByteToCell(t, 4, r), 6);
}

class RowServices : public ::testing::Test {
protected:
    TFakeView view;
    TEditorScreenStrings& s = view.ScreenStrings();
    TEditorStrings lines{view};
};

TEST_F(RowServices, RowAccessOutOfRange)
{
    lines.SetText("ab\r\nc");
    EXPECT_EQ(s.GetRowAttribute(-1), raEof);
    EXPECT_EQ(s.GetRowAttribute(2), raEof);
    EXPECT_EQ(s.Strings(-1), "");
    EXPECT_EQ(s.Strings(2), "");
    EXPECT_EQ(GetRowWidth(s, 5), 0);
    EXPECT_EQ(GetExpandedRow(s, -3), "");
    EXPECT_EQ(GetTextLength(s), 5);
    EXPECT_FALSE(EndsWithLineBreak(s));
    lines.SetText("ab\r\n");
    EXPECT_TRUE(EndsWithLineBreak(s));
    EXPECT_EQ(JoinRows(s), "ab\r\n");
}

TEST_F(RowServices, RowsAndLinesWithAndWithoutWrap)
{
    lines.SetText(std::string(45, 'x') + "\r\nab\r\n" + std::string(20, 'y'));
    for (int i = -1; i < 5; ++i) {
        EXPECT_EQ(RowToLine(s, i), i);
        EXPECT_EQ(LineToRow(s, i), i < 3 ? i : 3);  // past the end: the row count
    }
    s.WrapOption().SetWrapByte(20);
    s.SetWordWrap(true);
    // Rows: 20, 20, 5 (line 0), "ab" (line 1), 20 and an empty row (line 2).
    ASSERT_EQ(s.Count(), 6);
    EXPECT_EQ(LineToRow(s, 0), 0);
    EXPECT_EQ(LineToRow(s, 1), 3);
    EXPECT_EQ(LineToRow(s, 2), 4);
    EXPECT_EQ(LineToRow(s, 3), 6);
    EXPECT_EQ(RowToLine(s, 2), 0);
    EXPECT_EQ(RowToLine(s, 3), 1);
    EXPECT_EQ(RowToLine(s, 5), 2);
    EXPECT_EQ(GetLineCol(s, 2, 3), 43);
    EXPECT_EQ(GetLineCol(s, 7, 0), -1);
    EXPECT_EQ(GetLineCol(s, 1, -1), -1);
    EXPECT_EQ(GetLineCharPos(s, 1, 5), 25);
    EXPECT_EQ(GetLineCharPos(s, 3, 99), 2);
    // Spans: wrapped rows 20, line-break rows length + 2.
    EXPECT_EQ(RowColToOffset(s, 0, 3, 1), 20 + 20 + 5 + 2 + 1);
    EXPECT_EQ(RowColToOffset(s, 3, 0, 1), 0);
    // The raEof row takes what lies past it (byte -1: not checked).
    const struct { long long off; int row, byte; } places[] = {
        {45, 2, 5}, {40, 2, 0}, {69, 4, 18}, {71, 5, 0}, {500, 5, -1}};
    int row = -1, byte = -1;
    for (const auto& p : places) {
        EXPECT_TRUE(OffsetToRowByte(s, p.off, row, byte)) << p.off;
        EXPECT_EQ(row, p.row) << p.off;
        if (p.byte >= 0) {
            EXPECT_EQ(byte, p.byte) << p.off;
        }
    }
    EXPECT_FALSE(OffsetToRowByte(s, -1, row, byte));
    lines.SetText("ab\r\n");
    EXPECT_TRUE(OffsetToRowByte(s, 3, row, byte));
    EXPECT_EQ(row, 0);
    EXPECT_EQ(byte, 2);
    EXPECT_FALSE(OffsetToRowByte(s, 4, row, byte));  // past a final line break: the row count
    EXPECT_EQ(row, 1);
    EXPECT_EQ(byte, 0);
}

TEST_F(RowServices, CharPosSnapsOffTrailAndFillCells)
{
    view.tabWidth = 4;
    lines.SetText("\x82\xA0\tb");
    EXPECT_EQ(GetLineCharPos(s, 0, 1), 0);  // second cell of あ
    EXPECT_EQ(GetLineCharPos(s, 0, 3), 2);  // fill: the TAB
    EXPECT_EQ(GetLineCharPos(s, 0, 4), 3);
    EXPECT_EQ(GetLineCharPos(s, 1, 0), 0);  // the row count is allowed
}

TEST_F(RowServices, PrevIndentSkipsEmptyLines)
{
    lines.SetText("    a\r\n\r\n  b\r\n\r\nc");
    EXPECT_EQ(PrevIndent(s, 0), 0);
    EXPECT_EQ(PrevIndent(s, 1), 4);
    EXPECT_EQ(PrevIndent(s, 3), 2);
    EXPECT_EQ(PrevIndent(s, 4), 2);
    lines.SetText("\r\n\r\nx");
    EXPECT_EQ(PrevIndent(s, 2), -1);
}

TEST_F(RowServices, DeleteRowPlacesTheCaret)
{
    lines.SetText("a\r\nb\r\nc");
    DeleteRow(s, view, 1);
    EXPECT_EQ(JoinRows(s), "a\r\nc");
    EXPECT_EQ(view.row, 1);
    EXPECT_EQ(view.col, 0);
    EXPECT_EQ(view.caretDepth, 0);
    EXPECT_EQ(view.underlineDepth, 0);
    DeleteRow(s, view, 7);  // out of range: nothing
    EXPECT_EQ(JoinRows(s), "a\r\nc");
    EXPECT_TRUE(s.CanUndo());
    // Deleting the last row of a wrapped line leaves the row above as the end.
    s.WrapOption().SetWrapByte(20);
    s.WrapOption().SetFollowRetMark(true);
    lines.SetText(std::string(23, 'w'));
    s.SetWordWrap(true);
    ASSERT_EQ(s.Count(), 2);
    DeleteRow(s, view, 1);
    EXPECT_EQ(JoinRows(s), std::string(20, 'w'));
    EXPECT_EQ(s.GetRowAttribute(0), raEof);
    EXPECT_EQ(view.row, 0);
    EXPECT_EQ(view.col, 20);
}

TEST_F(RowServices, CaretAtAnOffsetFromARow)
{
    // Offsets from row 0; the raEof row, or the place after a final break, takes everything past it.
    const struct { const char* text; int offset, row, col; } cases[] = {
        {"ab\r\n\tx\r\nlast", 5, 1, 8}, {"ab\r\n\tx\r\nlast", 4, 1, 0},
        {"ab\r\n\tx\r\nlast", 999, 2, 4}, {"ab\r\n", 999, 1, 0}};
    for (const auto& c : cases) {
        lines.SetText(c.text);
        int row = -1, col = -1;
        RowOffsetToRowCol(s, 0, c.offset, row, col);
        EXPECT_EQ(row, c.row) << c.offset;
        EXPECT_EQ(col, c.col) << c.offset;
    }
}

TEST_F(RowServices, PointsToCellsAndBytes)
{
    lines.SetText("ab\x82\xA0\tz\r\nq");
    TCellGeometry g;
    g.TextLeft = 10;
    g.TextTop = 5;
    g.CellWidth = 8;
    g.RowHeight = 16;
    int col = -1, row = -1, byte = -1;
    PixelToCell(10 + 8 * 3 + 7, 5 + 16 + 3, false, g, col, row);
    EXPECT_EQ(col, 3);
    EXPECT_EQ(row, 1);
    PixelToCell(10 + 8 * 3 + 5, 5, true, g, col, row);  // right part of cell 3: the nearest edge is 4
    EXPECT_EQ(col, 4);
    PixelToCell(0, 0, true, g, col, row);
    EXPECT_EQ(col, 0);
    EXPECT_EQ(row, 0);  // (0 - 5) / 16 truncates towards zero

    EXPECT_TRUE(PointToRowByte(s, g, 10 + 8 * 3 + 1, 6, row, byte));  // second cell of あ
    EXPECT_EQ(row, 0);
    EXPECT_EQ(byte, 2);
    EXPECT_TRUE(PointToRowByte(s, g, 10 + 8 * 6 + 1, 6, row, byte));  // TAB fill: the TAB
    EXPECT_EQ(byte, 4);
    EXPECT_FALSE(PointToRowByte(s, g, 10 + 8 * 40, 6, row, byte));  // right of the text
    EXPECT_EQ(row, 0);
    EXPECT_FALSE(PointToRowByte(s, g, 10, 5 + 16 * 5, row, byte));  // below the rows
    EXPECT_EQ(row, -1);
    EXPECT_FALSE(PointToRowByte(s, g, 9, 6, row, byte));
    g.CellWidth = 0;
    EXPECT_FALSE(PointToRowByte(s, g, 20, 6, row, byte));
}

} // namespace
