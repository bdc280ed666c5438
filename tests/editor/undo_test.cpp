#include <gtest/gtest.h>

#include <string>

#include "editor/lines.h"
#include "editor/undo.h"
#include "editor/wrapoption.h"
#include "model_support.h"

using namespace vellumo;
using namespace vellumo::test;

namespace {

using Rows = std::vector<std::string>;

class Undo : public ::testing::Test {
protected:
    TFakeView view;
    TEditorScreenStrings& s = view.ScreenStrings();
    TEditorStrings lines{view};
};

TEST_F(Undo, SixtyFiveEditsKeepSixtyFour)
{
    lines.SetText("0");
    for (int i = 1; i <= 65; ++i) ASSERT_TRUE(s.ReplaceRows(0, 1, std::to_string(i)));
    EXPECT_EQ(s.UndoObj().UndoCount(), 64);
    int undone = 0;
    while (s.Undo()) ++undone;
    EXPECT_EQ(undone, 64);
    EXPECT_EQ(JoinRows(s), "1");  // the first edit can no longer be undone
    EXPECT_EQ(s.UndoObj().RedoCount(), 64);
}

TEST_F(Undo, ListMaxNeverBelowTheDefault)
{
    s.UndoObj().SetListMax(10);
    EXPECT_EQ(s.UndoObj().ListMax(), 64);
    s.UndoObj().SetListMax(100);
    EXPECT_EQ(s.UndoObj().ListMax(), 100);
    lines.SetText("0");
    for (int i = 1; i <= 90; ++i) s.ReplaceRows(0, 1, std::to_string(i));
    EXPECT_EQ(s.UndoObj().UndoCount(), 90);
    s.UndoObj().SetListMax(64);
    EXPECT_EQ(s.UndoObj().UndoCount(), 64);
}

TEST_F(Undo, UndoRedoUndoRestoresTextAndCaret)
{
    lines.SetText("abc\r\ndef");
    view.row = 1;
    view.col = 2;
    ASSERT_TRUE(s.ReplaceRows(1, 1, "dXef"));
    view.row = 1;
    view.col = 4;  // where typing left the caret
    ASSERT_TRUE(s.Undo());
    EXPECT_EQ(JoinRows(s), "abc\r\ndef");
    EXPECT_EQ(view.row, 1);
    EXPECT_EQ(view.col, 2);
    EXPECT_EQ(view.caretDepth, 0);
    EXPECT_GE(view.caretBegins, 1);
    ASSERT_TRUE(s.Redo());
    EXPECT_EQ(JoinRows(s), "abc\r\ndXef");
    EXPECT_EQ(view.row, 1);
    EXPECT_EQ(view.col, 4);
    ASSERT_TRUE(s.Undo());
    EXPECT_EQ(JoinRows(s), "abc\r\ndef");
    EXPECT_EQ(view.col, 2);
    // A new edit ends the redo history.
    ASSERT_TRUE(s.ReplaceRows(0, 0, "new\r\n"));
    EXPECT_FALSE(s.CanRedo());
    EXPECT_FALSE(s.Redo());
}

TEST_F(Undo, RedoKeepsTheRestOfTheRedoList)
{
    lines.SetText("");
    for (const char* t : {"a", "b", "c"}) s.ReplaceRows(s.Count(), 0, t);
    ASSERT_EQ(JoinRows(s), "abc");
    s.Undo();
    s.Undo();
    s.Undo();
    EXPECT_EQ(JoinRows(s), "");
    EXPECT_TRUE(s.Redo());
    EXPECT_EQ(s.UndoObj().RedoCount(), 2);
    EXPECT_TRUE(s.Redo());
    EXPECT_TRUE(s.Redo());
    EXPECT_EQ(JoinRows(s), "abc");
    EXPECT_EQ(s.UndoObj().UndoCount(), 3);
}

TEST_F(Undo, WholeLineDeletionComesBackWithItsAttribute)
{
    lines.SetText("a\r\nb\r\nlast");
    ASSERT_TRUE(s.ReplaceRows(2, 1, ""));
    EXPECT_EQ(RowDump(s), (Rows{"a|L", "b|L"}));
    ASSERT_TRUE(s.Undo());
    EXPECT_EQ(RowDump(s), (Rows{"a|L", "b|L", "last|E"}));
    ASSERT_TRUE(s.ReplaceRows(0, 2, ""));
    EXPECT_EQ(RowDump(s), (Rows{"last|E"}));
    ASSERT_TRUE(s.Undo());
    EXPECT_EQ(RowDump(s), (Rows{"a|L", "b|L", "last|E"}));
    EXPECT_EQ(view.lastRange.StartRow, 0);
    EXPECT_EQ(view.lastRange.NewCount, 2);
}

TEST_F(Undo, RestoredTextIsWrappedUnderTheCurrentColumn)
{
    s.WrapOption().SetWrapByte(20);
    s.SetWordWrap(true);
    lines.SetText(std::string(30, 'a') + "\r\n");
    ASSERT_TRUE(s.ReplaceRows(0, 2, "short\r\n"));
    // Options streamed in while the view loads do not re-wrap or clear the history.
    view.loading = true;
    s.WrapOption().SetWrapByte(25);
    view.loading = false;
    ASSERT_TRUE(s.CanUndo());
    ASSERT_TRUE(s.Undo());
    EXPECT_EQ(RowDump(s), (Rows{std::string(25, 'a') + "|W", std::string(5, 'a') + "|L"}));
}

// Keys typed into long rows, with and without word wrap, at a line end and
// at the text's unbroken end, and two lines joined: each record holds about
// what changed, and undoing and redoing everything gives the texts back.
TEST_F(Undo, RecordsHoldWhatChangedNotTheWholeRows)
{
    std::string longRow;
    while (longRow.size() < 60000) longRow += "ab\x8A\xBF \t";
    for (const bool wrap : {false, true}) {
        s.WrapOption().SetWrapByte(20);
        s.SetWordWrap(wrap);
        const std::string start = "top\r\n" + longRow + "\r\n" + longRow;
        lines.SetText(start);
        auto type = [&](int row, std::size_t at, const std::string& key) {
            std::string t(s.Strings(row));
            t.insert(std::min(at, t.size()), key);
            if (s.GetRowAttribute(row) == raLineBreak) t += "\r\n";
            ASSERT_TRUE(s.ReplaceRows(row, 1, t));
        };
        const int middle = wrap ? s.Count() / 4 : 1;
        type(middle, 7, "\x82\xA0");
        type(s.Count() - 1, 3, "x");
        type(middle, 0, "\r\n");
        ASSERT_TRUE(s.ReplaceRows(0, 1, "top"));  // joined with the long line
        const std::string end = JoinRows(s);
        ASSERT_EQ(s.UndoObj().UndoCount(), 4);
        for (const TUndoData& r : s.UndoObj().UndoList()) EXPECT_LT(r.RemovedText.size(), 50u) << wrap;
        while (s.Undo()) {}
        EXPECT_EQ(JoinRows(s), start) << wrap;
        while (s.Redo()) {}
        EXPECT_EQ(JoinRows(s), end) << wrap;
        for (const TUndoData& r : s.UndoObj().UndoList()) EXPECT_LT(r.RemovedText.size(), 50u) << wrap;
    }
}

TEST_F(Undo, NothingToUndoLeavesTheCaret)
{
    lines.SetText("abc");
    view.row = 0;
    view.col = 2;
    EXPECT_FALSE(s.Undo());
    EXPECT_FALSE(s.Redo());
    EXPECT_EQ(view.col, 2);
    EXPECT_EQ(view.caretBegins, 0);
}

TEST_F(Undo, ARecordThatNoLongerFitsEmptiesTheHistory)
{
    int cleared = 0;
    s.UndoObj().OnClear = [&] { ++cleared; };
    lines.SetText("one\r\ntwo\r\nthree\r\n");  // a new text empties the history too
    EXPECT_EQ(cleared, 1);
    cleared = 0;
    ASSERT_TRUE(s.ReplaceRows(2, 1, "3\r\n4\r\n"));
    ASSERT_TRUE(s.ReplaceRows(0, 1, "1\r\n"));
    // Rows changed behind the store's back: the newest record's rows differ.
    s.SetStrings(0, "changed");
    const std::string before = JoinRows(s);
    EXPECT_FALSE(s.Undo());
    EXPECT_EQ(JoinRows(s), before);
    EXPECT_FALSE(s.CanUndo());
    EXPECT_FALSE(s.CanRedo());
    EXPECT_EQ(cleared, 1);

    // Rows removed behind its back: the record points past the end.
    ASSERT_TRUE(s.ReplaceRows(3, 0, "x\r\ny\r\n"));
    s.Delete(4);
    s.Delete(3);
    const std::string now = JoinRows(s);
    EXPECT_FALSE(s.Undo());
    EXPECT_EQ(JoinRows(s), now);
    EXPECT_FALSE(s.CanUndo());
}

TEST_F(Undo, TheFocusedViewOfASplitKeepsItsCaret)
{
    TFakeView upper(TFakeView::Shared{}, view);
    upper.focused = true;
    lines.SetText("abc\r\ndef\r\n");
    upper.row = 1;
    upper.col = 1;
    view.row = 0;
    view.col = 3;
    ASSERT_TRUE(s.ReplaceRows(1, 1, "dxef\r\n"));
    upper.col = 2;
    ASSERT_TRUE(s.Undo());
    EXPECT_EQ(upper.row, 1);
    EXPECT_EQ(upper.col, 1);
    EXPECT_EQ(view.col, 3);  // the other view's caret stays
    EXPECT_EQ(upper.caretBegins, 1);
    EXPECT_EQ(view.caretBegins, 0);
    // Both views heard of each change.
    EXPECT_EQ(upper.lastRange.StartRow, 1);
    EXPECT_EQ(view.lastRange.StartRow, 1);
}

TEST_F(Undo, WordWrapSwitchAndClearEmptyTheHistory)
{
    lines.SetText("abc");
    s.ReplaceRows(0, 1, "x");
    s.SetWordWrap(true);
    EXPECT_FALSE(s.CanUndo());
    s.ReplaceRows(0, 1, "y");
    lines.Clear();
    EXPECT_FALSE(s.CanUndo());
}

} // namespace
