#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "editor/indentcmd.h"
#include "editor/lines.h"
#include "editor/rowstore.h"
#include "editor/undo.h"
#include "editor/wrapoption.h"
#include "model_support.h"

using namespace vellumo;
using namespace vellumo::test;

namespace {

using Rows = std::vector<std::string>;

class Indent : public ::testing::Test {
protected:
    TFakeView view;
    TEditorScreenStrings& s = view.ScreenStrings();
    TEditorStrings lines{view};

    void SetUp() override { view.tabWidth = 4; }

    void Wrap(int width)
    {
        s.WrapOption().SetWrapByte(width);
        s.SetWordWrap(true);
    }

    // Runs an indent command the way the control does; returns the new selection.
    TIndentSelection Run(const TEditorSelection& sel, TIndentKind kind, bool ret, int caretRow, int caretCol)
    {
        const auto plan = PlanIndent(s, sel, kind, ret, caretRow, caretCol);
        EXPECT_TRUE(plan);
        if (!plan) return {};
        EXPECT_TRUE(s.ReplaceRows(plan->Edit.Row, plan->Edit.Count, plan->Edit.Text));
        return IndentSelectionAfter(s, *plan);
    }
};

std::string ModelExpand(const std::string& t)
{
    std::string out;
    for (char ch : t) {
        if (ch == '\t') out.append(4 - out.size() % 4, ' ');
        else out += ch;
    }
    return out;
}

TEST_F(Indent, StreamCommandsOverWholeLinesMatchTheModel)
{
    std::mt19937 rng(5);
    const char* pieces[] = {"a", "b", " ", "\t", "xy"};
    const TIndentKind kinds[] = {TIndentKind::SpaceIndent, TIndentKind::SpaceUnindent, TIndentKind::TabIndent,
                                 TIndentKind::TabUnindent};
    for (int round = 0; round < 800; ++round) {
        Rows model;
        const int n = 1 + static_cast<int>(rng() % 6);
        for (int i = 0; i < n; ++i) {
            std::string t;
            const int k = static_cast<int>(rng() % 5);
            for (int j = 0; j < k; ++j) t += pieces[rng() % 5];
            model.push_back(t);
        }
        std::string text;
        for (const auto& t : model) text += t + "\r\n";
        lines.SetText(text);
        s.UndoObj().Clear();
        ASSERT_EQ(s.Count(), n);
        const std::string before = JoinRows(s);

        // Selection from (a, 0..) to (b, 0) or into row b; caret at either end.
        int a = static_cast<int>(rng() % n), b = static_cast<int>(rng() % (n + 1));
        if (a > b) std::swap(a, b);
        const int endCol = b < n && rng() % 2 ? s.DisplayWidth(s.Strings(b)) : 0;
        if (a == b && endCol == 0) continue;
        const bool caretAtStart = rng() % 2;
        const TEditorSelection sel = caretAtStart ? MakeSelection(s, b, endCol, a, 0, false)
                                                  : MakeSelection(s, a, 0, b, endCol, false);
        const TIndentKind kind = kinds[rng() % 4];
        const bool ret = rng() % 2;

        const int last = endCol == 0 ? std::max(a, b - 1) : b;
        Rows want = model;
        for (int r = a; r <= last; ++r) {
            std::string& t = want[r];
            if (kind == TIndentKind::SpaceIndent || kind == TIndentKind::SpaceUnindent) t = ModelExpand(t);
            const char unit = kind == TIndentKind::SpaceIndent || kind == TIndentKind::SpaceUnindent ? ' ' : '\t';
            if (kind == TIndentKind::SpaceIndent || kind == TIndentKind::TabIndent) {
                if (!t.empty() || ret) t.insert(t.begin(), unit);
            } else if (!t.empty() && t[0] == unit) {
                t.erase(t.begin());
            }
        }
        std::string wantText;
        for (const auto& t : want) wantText += t + "\r\n";

        const TIndentSelection after = Run(sel, kind, ret, caretAtStart ? a : b, caretAtStart ? 0 : endCol);
        ASSERT_EQ(JoinRows(s), wantText) << "round " << round;
        // The block is selected from its first column through its last line break.
        EXPECT_EQ(after.Selection.StartRow, a);
        EXPECT_EQ(after.Selection.StartCol, 0);
        EXPECT_EQ(after.Selection.EndRow, last + 1);
        EXPECT_EQ(after.Selection.EndCol, 0);
        EXPECT_EQ(after.Selection.EndByte, -1);
        EXPECT_EQ(after.CaretRow, caretAtStart ? a : last + 1);
        EXPECT_EQ(after.AnchorRow, last + 1);
        // One undo unit.
        ASSERT_TRUE(s.Undo());
        EXPECT_EQ(JoinRows(s), before);
    }
}

TEST_F(Indent, EmptyLinesTabsAndTheSelectionEnd)
{
    lines.SetText("a\tb\r\n\r\n\tc\r\nnot\r\n");
    // Rows 0..2 selected, ending at column 0 of row 3: row 3 is left alone.
    TIndentSelection after = Run(MakeSelection(s, 0, 0, 3, 0, false), TIndentKind::SpaceIndent, false, 3, 0);
    EXPECT_EQ(RowDump(s), (Rows{" a   b|L", "|L", "     c|L", "not|L"}));
    EXPECT_EQ(after.CaretRow, 3);
    EXPECT_EQ(after.CaretCol, 0);
    ASSERT_TRUE(s.Undo());
    Run(MakeSelection(s, 0, 0, 3, 0, false), TIndentKind::SpaceIndent, true, 0, 0);
    EXPECT_EQ(RowDump(s), (Rows{" a   b|L", " |L", "     c|L", "not|L"}));

    lines.SetText("\tx\r\n y\r\nz");
    after = Run(MakeSelection(s, 0, 0, 2, 1, false), TIndentKind::TabUnindent, false, 0, 0);
    EXPECT_EQ(RowDump(s), (Rows{"x|L", " y|L", "z|E"}));
    // A last row without a line break: selected to its end; the caret stood at the start.
    EXPECT_EQ(after.Selection.EndRow, 2);
    EXPECT_EQ(after.Selection.EndCol, 1);
    EXPECT_EQ(after.CaretRow, 0);
    EXPECT_EQ(after.CaretCol, 0);
}

TEST_F(Indent, WrappedLinesAreIndentedAtTheirFirstRowOnly)
{
    Wrap(20);
    lines.SetText(std::string(30, 'w') + "\r\nshort\r\n");
    ASSERT_EQ(s.GetRowAttribute(0), raWrapped);
    // From inside the wrapped line's second row: the whole line is taken.
    Run(MakeSelection(s, 1, 3, 2, 2, false), TIndentKind::TabIndent, false, 2, 2);
    EXPECT_EQ(JoinRows(s), "\t" + std::string(30, 'w') + "\r\n\tshort\r\n");
}

TEST_F(Indent, BoxCommandsAtTheBoxColumn)
{
    lines.SetText("abcdef\r\nab\r\nabc\r\na\x82\xA0z\r\n");
    // Box at column 2 over all four rows.
    const TEditorSelection box = MakeSelection(s, 0, 2, 3, 4, true);
    auto plan = PlanIndent(s, box, TIndentKind::SpaceIndent, false, 3, 4);
    ASSERT_TRUE(plan);
    EXPECT_TRUE(plan->Box);
    ASSERT_TRUE(s.ReplaceRows(plan->Edit.Row, plan->Edit.Count, plan->Edit.Text));
    // "ab" ends before the box: not indented. The kana straddles column 2: the space goes after it.
    EXPECT_EQ(RowDump(s), (Rows{"ab cdef|L", "ab|L", "ab c|L", "a\x82\xA0 z|L"}));
    ASSERT_TRUE(s.Undo());
    plan = PlanIndent(s, box, TIndentKind::TabIndent, true, 3, 4);
    ASSERT_TRUE(s.ReplaceRows(plan->Edit.Row, plan->Edit.Count, plan->Edit.Text));
    EXPECT_EQ(RowDump(s), (Rows{"ab\tcdef|L", "ab\t|L", "ab\tc|L", "a\x82\xA0\tz|L"}));
    // Unindenting removes exactly those TABs again.
    plan = PlanIndent(s, MakeSelection(s, 0, 2, 3, 3, true), TIndentKind::TabUnindent, false, 3, 3);
    ASSERT_TRUE(s.ReplaceRows(plan->Edit.Row, plan->Edit.Count, plan->Edit.Text));
    EXPECT_EQ(RowDump(s), (Rows{"abcdef|L", "ab|L", "abc|L", "a\x82\xA0z|L"}));
    // Nothing below the last row.
    EXPECT_FALSE(PlanIndent(s, MakeSelection(s, 9, 0, 9, 2, true), TIndentKind::TabIndent, false, 9, 2));
}

TEST_F(Indent, BoxRowsInsideWrappedLinesAndNearTheWrapWidth)
{
    Wrap(20);
    lines.SetText(std::string(25, 'w') + "\r\n" + std::string(19, 'x') + "\r\nshort\r\n");
    ASSERT_EQ(s.Count(), 4);
    const TEditorSelection box = MakeSelection(s, 0, 1, 3, 2, true);
    auto plan = PlanIndent(s, box, TIndentKind::SpaceIndent, false, 3, 2);
    ASSERT_TRUE(plan);
    ASSERT_TRUE(s.ReplaceRows(plan->Edit.Row, plan->Edit.Count, plan->Edit.Text));
    // The wrapped line's rows are left alone; 19 bytes are too many (< 20 - 1); "short" takes it.
    EXPECT_EQ(JoinRows(s), std::string(25, 'w') + "\r\n" + std::string(19, 'x') + "\r\ns hort\r\n");
}

TEST_F(Indent, WrapToReturnsAndFreezeWraps)
{
    Wrap(20);
    lines.SetText(std::string(50, 'p') + "\r\nnext");
    ASSERT_EQ(s.Count(), 4);
    const std::string before = JoinRows(s);
    const TEditorSelection sel = MakeSelection(s, 0, 0, 2, 5, false);
    EXPECT_FALSE(WrapToReturnsEdit(s, sel));
    s.WrapOption().SetFollowRetMark(true);
    auto e = WrapToReturnsEdit(s, sel);
    ASSERT_TRUE(e);
    ASSERT_TRUE(s.ReplaceRows(e->Row, e->Count, e->Text));
    EXPECT_EQ(RowToLine(s, 3), 3);  // three logical lines where there was one
    EXPECT_EQ(JoinRows(s), std::string(20, 'p') + "\r\n" + std::string(20, 'p') + "\r\n" + std::string(10, 'p') +
                               "\r\nnext");
    ASSERT_TRUE(s.Undo());
    EXPECT_EQ(JoinRows(s), before);
    EXPECT_EQ(s.LineCount(), 2);

    // The selection's last row is the final one without a break after a line break: it is left out.
    lines.SetText(std::string(25, 'q') + "\r\nz");
    e = WrapToReturnsEdit(s, MakeSelection(s, 0, 0, 2, 1, false));
    ASSERT_TRUE(e);
    EXPECT_EQ(e->Count, 2);

    lines.SetText(std::string(50, 'p'));
    ASSERT_TRUE(s.ReplaceRows(0, 0, "x"));
    ASSERT_TRUE(s.CanUndo());
    EXPECT_TRUE(FreezeWraps(s, lines));
    EXPECT_FALSE(s.CanUndo());
    EXPECT_EQ(RowDump(s), (Rows{"x" + std::string(19, 'p') + "|L", std::string(20, 'p') + "|L",
                                std::string(11, 'p') + "|E"}));
    s.SetWordWrap(false);
    EXPECT_FALSE(FreezeWraps(s, lines));
    EXPECT_FALSE(WrapToReturnsEdit(s, sel));
}

TEST_F(Indent, CopyWrappedPutsABreakAtEveryRowEnd)
{
    Wrap(20);
    lines.SetText(std::string(30, 'c') + "\r\nlast");
    // Inside one row: exactly the selected bytes.
    EXPECT_EQ(CopyWrappedText(s, MakeSelection(s, 0, 2, 0, 5, false)), "ccc");
    // Over the wrap into the next line's middle.
    EXPECT_EQ(CopyWrappedText(s, MakeSelection(s, 0, 18, 2, 2, false)),
              "cc\r\n" + std::string(10, 'c') + "\r\nla");
    // Ending at column 0 of a row: every selected row with a break.
    EXPECT_EQ(CopyWrappedText(s, MakeSelection(s, 0, 0, 2, 0, false)),
              std::string(20, 'c') + "\r\n" + std::string(10, 'c') + "\r\n");
    // Ending at column 0 of the next row: the first row's rest and its break, never an empty text.
    EXPECT_EQ(CopyWrappedText(s, MakeSelection(s, 0, 15, 1, 0, false)), "ccccc\r\n");
    EXPECT_FALSE(CopyWrappedText(s, MakeSelection(s, 0, 0, 1, 3, true)));
    EXPECT_FALSE(CopyWrappedText(s, MakeSelection(s, 2, 4, 2, 4, false)));
}

} // namespace
