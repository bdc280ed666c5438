#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>

#include "editor/lines.h"
#include "editor/undo.h"
#include "editor/wrapoption.h"
#include "model_support.h"

using namespace vellumo;
using namespace vellumo::test;

namespace {

using Rows = std::vector<std::string>;

class Lines : public ::testing::Test {
protected:
    TFakeView view;
    TEditorScreenStrings& s = view.ScreenStrings();
    TEditorStrings lines{view};
};

TEST_F(Lines, AddTerminatesOrJoinsTheLastLine)
{
    EXPECT_EQ(lines.Add("x"), 0);
    EXPECT_EQ(lines.Text(), "x\r\n");
    EXPECT_EQ(lines.Add("y"), 1);
    EXPECT_EQ(lines.Text(), "x\r\ny\r\n");
    lines.SetText("a");
    const int cleaned = view.selectionsCleaned;
    EXPECT_EQ(lines.Add("b"), 1);
    EXPECT_EQ(RowDump(s), (Rows{"a|L", "b|E"}));
    EXPECT_EQ(view.selectionsCleaned, cleaned + 1);
    EXPECT_EQ(view.caretDepth, 0);
    // The caret stands after the written text.
    EXPECT_EQ(view.row, 1);
    EXPECT_EQ(view.col, 1);
}

TEST_F(Lines, TheCaretFollowsWrittenTextWithLoneLineBreaks)
{
    // A line written with LF or CR inside becomes several lines; the caret
    // counts each break as stored (two bytes) and stands after the text.
    lines.SetText("a\r\nb\r\n");
    lines.Insert(1, "x\ny");
    EXPECT_EQ(lines.Text(), "a\r\nx\r\ny\r\nb\r\n");
    EXPECT_EQ(view.lastOffsetCall, std::make_pair(1, 6));
    lines.Put(0, "p\rq");
    EXPECT_EQ(lines.Text(), "p\r\nq\r\nx\r\ny\r\nb\r\n");
    EXPECT_EQ(view.lastOffsetCall, std::make_pair(0, 6));
    lines.SetText("a");
    lines.Add("m\nn");
    EXPECT_EQ(lines.Text(), "a\r\nm\r\nn");
    EXPECT_EQ(view.lastOffsetCall.second, 7);
}

TEST_F(Lines, InsertAtTheEndIsNotLost)
{
    lines.SetText("a\r\nb\r\n");
    ASSERT_EQ(lines.Count(), 2);
    lines.Insert(2, "c");
    EXPECT_EQ(lines.Text(), "a\r\nb\r\nc\r\n");
    lines.Insert(0, "top");
    EXPECT_EQ(lines.Text(), "top\r\na\r\nb\r\nc\r\n");
    EXPECT_EQ(view.row, 1);  // after the inserted line
    lines.Insert(9, "far");  // past the end: nothing
    lines.Insert(-1, "neg");
    EXPECT_EQ(lines.Text(), "top\r\na\r\nb\r\nc\r\n");
    // The same with word wrap on.
    s.SetWordWrap(true);
    lines.Insert(lines.Count(), "d");
    EXPECT_EQ(lines.Text(), "top\r\na\r\nb\r\nc\r\nd\r\n");
}

TEST_F(Lines, OutOfRangeReadsAreEmptyAndWritesDoNothing)
{
    lines.SetText("a\r\nb");
    const int records = s.UndoObj().UndoCount();
    EXPECT_EQ(lines.Get(-1), "");
    EXPECT_EQ(lines.Get(2), "");
    lines.Put(2, "x");
    lines.Put(-1, "x");
    lines.Delete(2);
    lines.Delete(-5);
    EXPECT_EQ(lines.Text(), "a\r\nb");
    EXPECT_EQ(s.UndoObj().UndoCount(), records);
}

TEST_F(Lines, TheLastLineWithoutABreak)
{
    lines.SetText("a\r\nb");
    EXPECT_EQ(lines.Count(), 2);
    EXPECT_EQ(lines.Get(1), "b");
    lines.Put(1, "c");
    EXPECT_EQ(RowDump(s), (Rows{"a|L", "c|E"}));
    lines.Put(0, "z");
    EXPECT_EQ(RowDump(s), (Rows{"z|L", "c|E"}));
    lines.Insert(1, "m");
    EXPECT_EQ(RowDump(s), (Rows{"z|L", "m|L", "c|E"}));
    lines.Delete(2);
    EXPECT_EQ(RowDump(s), (Rows{"z|L", "m|L"}));
    EXPECT_EQ(view.row, 2);
    lines.Delete(1);
    lines.Delete(0);
    EXPECT_EQ(s.Count(), 0);
    EXPECT_EQ(lines.Count(), 0);
}

TEST_F(Lines, WrappedLinesCountOnce)
{
    s.WrapOption().SetWrapByte(20);
    s.SetWordWrap(true);
    const std::string longLine = std::string(50, 'q');
    lines.SetText("first\r\n" + longLine + "\r\nlast");
    ASSERT_EQ(s.Count(), 5);
    EXPECT_EQ(lines.Count(), 3);
    EXPECT_EQ(lines.Get(1), longLine);
    EXPECT_EQ(lines.Get(2), "last");
    lines.Put(1, "short");
    EXPECT_EQ(s.Count(), 3);
    EXPECT_EQ(lines.Text(), "first\r\nshort\r\nlast");
    lines.Put(2, longLine);  // the last line keeps having no break
    EXPECT_EQ(lines.Text(), "first\r\nshort\r\n" + longLine);
    EXPECT_EQ(s.GetRowAttribute(s.Count() - 1), raEof);
    lines.Delete(2);
    EXPECT_EQ(lines.Text(), "first\r\nshort\r\n");
}

TEST_F(Lines, SetTextRowsAndAttributes)
{
    lines.SetText("a\r\n");
    EXPECT_EQ(RowDump(s), (Rows{"a|L"}));
    lines.SetText("a");
    EXPECT_EQ(RowDump(s), (Rows{"a|E"}));
    lines.SetText("a\rb\nc\r\n\r\n");
    EXPECT_EQ(RowDump(s), (Rows{"a|L", "b|L", "c|L", "|L"}));
    lines.SetText(std::string("x\0y\r\nz", 6));  // a NUL does not cut the text
    EXPECT_EQ(RowDump(s), (Rows{"x y|L", "z|E"}));
    lines.SetText("");
    EXPECT_EQ(s.Count(), 0);
    EXPECT_EQ(view.top, 0);
    EXPECT_EQ(view.left, 0);
    EXPECT_FALSE(s.CanUndo());
}

TEST_F(Lines, UpdatesNestAndNotifyOnce)
{
    lines.SetText("a\r\n");
    const int notices = view.listChanged, refreshes = view.refreshed;
    {
        TLinesUpdate outer(lines);
        EXPECT_EQ(view.linesUpdating, 1);
        lines.Add("b");
        {
            TLinesUpdate inner(lines);
            lines.Add("c");
        }
        EXPECT_EQ(view.listChanged, notices);
    }
    EXPECT_EQ(view.linesUpdating, 0);
    EXPECT_EQ(view.listChanged, notices + 1);
    EXPECT_EQ(view.refreshed, refreshes + 1);
    lines.EndUpdate();  // unbalanced: ignored
    EXPECT_EQ(view.linesUpdating, 0);
}

TEST_F(Lines, AssignAndStoredStrings)
{
    TStringList src;
    src.Add("one");
    src.Add("two");
    lines.Assign(src);
    EXPECT_EQ(lines.Text(), "one\r\ntwo\r\n");
    EXPECT_EQ(view.row, 2);
    EXPECT_EQ(view.col, 0);
    TStringList back;
    lines.AssignTo(back);
    EXPECT_EQ(back.Items(), src.Items());

    s.WrapOption().SetWrapByte(20);
    s.SetWordWrap(true);
    lines.SetText(std::string(30, 'w') + "\r\nend");
    const std::vector<std::string> stored = lines.StoredStrings();
    EXPECT_EQ(stored, (std::vector<std::string>{std::string(30, 'w'), "end"}));
    lines.ReadStoredStrings({"p", "q\r\nr"});
    EXPECT_EQ(lines.Text(), "p\r\nq\r\nr\r\n");
    EXPECT_TRUE(lines.StoredStringsWanted(nullptr));

    TFakeView other;
    TEditorStrings otherLines(other);
    EXPECT_TRUE(lines.StoredStringsWanted(&otherLines));
    otherLines.Assign(lines);
    EXPECT_EQ(otherLines.Text(), lines.Text());
    EXPECT_FALSE(lines.StoredStringsWanted(&otherLines));
    otherLines.Clear();
    EXPECT_FALSE(otherLines.StoredStringsWanted(nullptr));
}

class LinesFile : public Lines {
protected:
    void Write(const std::string& bytes)
    {
        std::FILE* f = std::fopen(path.c_str(), "wb");
        ASSERT_NE(f, nullptr);
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
    ~LinesFile() override { std::remove(path.c_str()); }
    std::string path = "lines_test_file.tmp";
};

TEST_F(LinesFile, ACrLfAcrossTheBlockBoundaryIsOneBreak)
{
    std::string text = std::string(8191, 'a') + "\r\n" + std::string(10000, 'b') + "\r\nc\r";
    text += std::string(8192 * 3 - text.size() - 1, 'd') + "\r\nlast";  // another CR LF across blocks
    Write(text);
    ASSERT_TRUE(lines.LoadFromFile(path));
    const Rows fromFile = RowDump(s);
    TFakeView other;
    TEditorStrings otherLines(other);
    otherLines.SetText(text);
    EXPECT_EQ(fromFile, RowDump(other.ScreenStrings()));
    EXPECT_EQ(s.Count(), 5);
    EXPECT_EQ(s.GetRowAttribute(4), raEof);
    EXPECT_FALSE(s.CanUndo());
}

TEST_F(LinesFile, RandomBreaksAroundBlockBoundariesMatchSetText)
{
    std::mt19937 rng(9);
    const std::vector<std::string> pieces = {"\r", "\n", "\r\n", "ab", "\x82\xA0", std::string(900, 'm'), std::string(1, '\0')};
    for (int round = 0; round < 25; ++round) {
        std::string text;
        while (text.size() < 8192u * 3) text += pieces[std::uniform_int_distribution<std::size_t>(0, pieces.size() - 1)(rng)];
        // Put a CR LF pair across the first block boundary in half of the rounds.
        if (round % 2) text.replace(8191, 2, "\r\n");
        Write(text);
        ASSERT_TRUE(lines.LoadFromFile(path));
        TFakeView other;
        TEditorStrings otherLines(other);
        otherLines.SetText(text);
        ASSERT_EQ(RowDump(s), RowDump(other.ScreenStrings())) << round;
    }
}

TEST_F(LinesFile, ByteTwentySixEndsAndNulsBecomeSpaces)
{
    Write(std::string("a\0b\r\nc\x1A" "dropped\r\n", 15));
    ASSERT_TRUE(lines.LoadFromFile(path));
    EXPECT_EQ(RowDump(s), (Rows{"a b|L", "c|E"}));
    // A NUL does not drop the rest of its block.
    std::string big = "x\r\n" + std::string(3000, 'y');
    big[1000] = '\0';
    big += "\r\ntail\r\n";
    Write(big);
    ASSERT_TRUE(lines.LoadFromFile(path));
    ASSERT_EQ(s.Count(), 3);
    EXPECT_EQ(s.Strings(1), std::string(997, 'y') + " " + std::string(2002, 'y'));
    EXPECT_EQ(s.Strings(2), "tail");
    EXPECT_EQ(s.GetRowAttribute(2), raLineBreak);
}

TEST_F(LinesFile, EmptyOrMissingFiles)
{
    Write("");
    lines.SetText("keep");
    ASSERT_TRUE(lines.LoadFromFile(path));
    EXPECT_EQ(s.Count(), 0);
    lines.SetText("keep");
    EXPECT_FALSE(lines.LoadFromFile("no_such_dir_zz/none.txt"));
    EXPECT_EQ(lines.Text(), "keep");
}

TEST_F(LinesFile, WrapsWhenWordWrapIsOn)
{
    s.WrapOption().SetWrapByte(20);
    s.SetWordWrap(true);
    Write(std::string(45, 'k') + "\n\n");
    ASSERT_TRUE(lines.LoadFromFile(path));
    EXPECT_EQ(RowDump(s), (Rows{std::string(20, 'k') + "|W", std::string(20, 'k') + "|W", "kkkkk|L", "|L"}));
    EXPECT_EQ(lines.Count(), 2);
}

} // namespace
