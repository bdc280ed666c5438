#include <gtest/gtest.h>

#include <random>
#include <string>

#include "editor/lines.h"
#include "editor/undo.h"
#include "editor/wrapoption.h"
#include "model_support.h"

using namespace vellumo;
using namespace vellumo::test;

namespace {

class UndoGroup : public ::testing::Test {
protected:
    TFakeView view;
    TEditorScreenStrings& s = view.ScreenStrings();
    TEditorStrings lines{view};
    TEditorUndoObj& undo = s.UndoObj();

    // A row's text with one byte range replaced, the way a replacement of a
    // selection in that row reaches the store.
    void ReplaceInRow(int row, std::size_t at, std::size_t length, const std::string& with)
    {
        std::string t(s.Strings(row));
        at = std::min(at, t.size());
        t.replace(at, std::min(length, t.size() - at), with);
        if (s.GetRowAttribute(row) == raLineBreak) t += "\r\n";
        ASSERT_TRUE(s.ReplaceRows(row, 1, t));
    }
};

std::string RandomText(std::mt19937& rng, int lines, bool finalBreak)
{
    static const char* const pieces[] = {"ab", " ", "\x82\xA0", "\x8A\xBF\x8E\x9A", "\t", "xyz.", "(", ")"};
    std::string t;
    for (int i = 0; i < lines; ++i) {
        const int n = static_cast<int>(rng() % 40);
        for (int k = 0; k < n; ++k) t += pieces[rng() % 8];
        if (i + 1 < lines || finalBreak) t += "\r\n";
    }
    return t;
}

// Edits of every kind the store knows (in a row, across line ends, lines
// removed, text at the unbroken end), more than the undo depth of them,
// in the order of a replace-all and anywhere: one undo gives back the text
// before them byte for byte and the caret before them, one redo the text
// after them, and the records made before the group stay apart.
TEST_F(UndoGroup, ManyEditsUndoAndRedoAsOne)
{
    for (const bool wrap : {false, true}) {
        for (const unsigned seed : {1u, 2u, 3u, 4u}) {
            SCOPED_TRACE(testing::Message() << "wrap " << wrap << " seed " << seed);
            std::mt19937 rng(seed);
            s.WrapOption().SetWrapByte(24);
            s.SetWordWrap(wrap);
            const std::string start = RandomText(rng, 120, seed % 2 == 0);
            lines.SetText(start);
            ASSERT_TRUE(s.ReplaceRows(0, 0, "first\r\n"));
            ReplaceInRow(s.Count() / 2, 3, 1, "second");
            const std::string ready = JoinRows(s);
            view.row = 5;
            view.col = 2;
            undo.BeginGroup();
            const bool forward = seed <= 2;
            int row = 0;
            for (int i = 0; i < 150 && s.Count() > 0; ++i) {
                row = forward ? std::min(row + static_cast<int>(rng() % 3), s.Count() - 1)
                              : static_cast<int>(rng() % static_cast<unsigned>(s.Count()));
                switch (rng() % 6) {
                case 0: ASSERT_NO_FATAL_FAILURE(ReplaceInRow(row, rng() % 30, 2, "\x83\x41x")); break;
                case 1: ASSERT_NO_FATAL_FAILURE(ReplaceInRow(row, rng() % 30, 3, "")); break;
                case 2: ASSERT_NO_FATAL_FAILURE(ReplaceInRow(row, rng() % 30, 1, "A\r\nB")); break;
                case 3: s.InsertIntoRow(row, std::min<std::size_t>(rng() % 10, s.Strings(row).size()), "ins"); break;
                case 4: ASSERT_TRUE(s.ReplaceRows(row, 1 + (row + 1 < s.Count() ? 1 : 0), "")); break;
                default: ASSERT_TRUE(s.ReplaceRows(s.Count() - 1, 1, std::string(s.Strings(s.Count() - 1)) + "end")); break;
                }
                view.row = row;
                view.col = 0;
            }
            undo.EndGroup();
            const std::string done = JoinRows(s);
            ASSERT_NE(done, ready);
            EXPECT_EQ(undo.UndoCount(), 3);
            ASSERT_TRUE(s.Undo());
            EXPECT_EQ(JoinRows(s), ready);
            EXPECT_EQ(view.row, 5);
            EXPECT_EQ(view.col, 2);
            ASSERT_TRUE(s.Redo());
            EXPECT_EQ(JoinRows(s), done);
            EXPECT_FALSE(s.CanRedo());
            ASSERT_TRUE(s.Undo());
            ASSERT_TRUE(s.Undo());
            ASSERT_TRUE(s.Undo());
            EXPECT_EQ(JoinRows(s), start);
            EXPECT_FALSE(s.CanUndo());
        }
    }
}

// A replace-all in a long wrapped line and in many short lines: the record
// keeps the touched span, not the whole text, and the untouched rows above
// and below are the same rows afterwards.
TEST_F(UndoGroup, TheRecordHoldsTheTouchedSpan)
{
    std::string text;
    for (int i = 0; i < 400; ++i) text += "line " + std::to_string(i) + " \x82\xA0 end\r\n";
    lines.SetText(text);
    undo.BeginGroup();
    for (int row = 100; row < 300; ++row) ReplaceInRow(row, s.Strings(row).find("\x82\xA0"), 2, "\x83\x41\x83\x41");
    // Nothing is on the list until the group ends, yet it can be undone.
    EXPECT_EQ(undo.UndoCount(), 0);
    EXPECT_TRUE(s.CanUndo());
    undo.EndGroup();
    ASSERT_EQ(undo.UndoCount(), 1);
    const TUndoData& r = undo.UndoList().back();
    EXPECT_EQ(r.FirstRow, 100);
    EXPECT_EQ(r.RowsInserted, 200);
    EXPECT_LT(r.RemovedText.size(), text.size() * 6 / 10);
    ASSERT_TRUE(s.Undo());
    EXPECT_EQ(JoinRows(s), text);

    // The same in one line cut into many rows, ending the text without a break.
    s.WrapOption().SetWrapByte(30);
    s.SetWordWrap(true);
    std::string line;
    for (int i = 0; i < 2000; ++i) line += "w" + std::to_string(i) + " \x82\xA0 ";
    lines.SetText("top\r\n" + line);
    undo.BeginGroup();
    for (int row = 1; row < s.Count(); ++row) {
        const std::size_t at = s.Strings(row).find("\x82\xA0");
        if (at != std::string::npos) ReplaceInRow(row, at, 2, "xyz");
    }
    undo.EndGroup();
    ASSERT_EQ(undo.UndoCount(), 1);
    EXPECT_EQ(undo.UndoList().back().FirstRow, 1);
    const std::string done = JoinRows(s);
    ASSERT_TRUE(s.Undo());
    EXPECT_EQ(JoinRows(s), "top\r\n" + line);
    EXPECT_EQ(s.GetRowAttribute(s.Count() - 1), raEof);
    ASSERT_TRUE(s.Redo());
    EXPECT_EQ(JoinRows(s), done);
}

// A group stopped half way (an undo arriving, the history emptied) loses
// nothing it did and restores nothing it did not.
TEST_F(UndoGroup, AnUndoOrAClearWithinAGroup)
{
    lines.SetText("a\r\nb\r\nc\r\n");
    undo.BeginGroup();
    ReplaceInRow(0, 0, 1, "A");
    ReplaceInRow(2, 0, 1, "C");
    ASSERT_TRUE(s.Undo());  // takes what the group did so far
    EXPECT_EQ(JoinRows(s), "a\r\nb\r\nc\r\n");
    ReplaceInRow(1, 0, 1, "B");
    lines.SetText("x\r\ny\r\n");  // a new text: the history and the group's start go
    ReplaceInRow(1, 0, 1, "Y");
    undo.EndGroup();
    ASSERT_EQ(undo.UndoCount(), 1);
    ASSERT_TRUE(s.Undo());
    EXPECT_EQ(JoinRows(s), "x\r\ny\r\n");
    // A group with no edit leaves no record.
    undo.BeginGroup();
    undo.EndGroup();
    EXPECT_EQ(undo.UndoCount(), 0);
}

} // namespace
