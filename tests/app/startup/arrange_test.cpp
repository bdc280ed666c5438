// Where the Window menu's arrangements put the windows, which windows each
// list takes, and the window list's captions.
#include <gtest/gtest.h>

#include <vector>

#include "app/startup/arrange.h"

using namespace vellumo;

namespace {

// An odd-sized work area away from the screen's origin: every remainder
// and every offset shows.
using B = TWindowBox;
const TArea kOdd{4, 3, 4 + 1279, 3 + 1021};

TEST(TileGrid, FollowsTheTablesAndGoesOnPastThem)
{
    // The column and row tables up to 81 and 90 windows.
    const int columnEnds[] = {1, 4, 9, 16, 25, 36, 49, 64, 81};
    const int rowEnds[] = {2, 6, 12, 20, 30, 42, 56, 72, 90};
    for (int n = 1; n <= 81; ++n) {
        int columns = 1, rows = 1;
        while (columnEnds[columns - 1] < n) ++columns;
        while (rowEnds[rows - 1] < n) ++rows;
        EXPECT_EQ(TileGrid(n).Columns, columns) << n;
        EXPECT_EQ(TileGrid(n).Rows, rows) << n;
    }
    // Past the tables: still the smallest square, never a single column.
    for (int n = 82; n <= 400; ++n) {
        const TTileGrid g = TileGrid(n);
        EXPECT_GE(g.Columns * g.Columns, n) << n;
        EXPECT_LT((g.Columns - 1) * (g.Columns - 1), n) << n;
        EXPECT_GE(g.Columns * g.Rows, n) << n;
        EXPECT_LT(g.Columns * (g.Rows - 1), n) << n;
    }
    EXPECT_EQ(TileGrid(100).Columns, 10);
    EXPECT_EQ(TileGrid(0).Columns, 0);
}

TEST(Arrange, TiledOnAnOddArea)
{
    // Two: side by side, the second one pixel wider.
    EXPECT_EQ(*TiledBoxes(2, kOdd), (std::vector<B>{{4, 3, 639, 1021}, {643, 3, 640, 1021}}));
    // Three: two columns and two rows; the third in the last row at the left, one pixel taller.
    EXPECT_EQ(*TiledBoxes(3, kOdd), (std::vector<B>{{4, 3, 639, 510}, {643, 3, 640, 510}, {4, 513, 639, 511}}));
    // Eleven: four columns of 319 (+3 in the last), three rows of 340 (+1 in the last).
    const auto eleven = *TiledBoxes(11, kOdd);
    ASSERT_EQ(eleven.size(), 11u);
    EXPECT_EQ(eleven[0], (B{4, 3, 319, 340}));
    EXPECT_EQ(eleven[3], (B{961, 3, 322, 340}));
    EXPECT_EQ(eleven[4], (B{4, 343, 319, 340}));
    EXPECT_EQ(eleven[7], (B{961, 343, 322, 340}));
    EXPECT_EQ(eleven[8], (B{4, 683, 319, 341}));
    EXPECT_EQ(eleven[10], (B{642, 683, 319, 341}));
    // One window takes the whole area.
    EXPECT_EQ(*TiledBoxes(1, kOdd), (std::vector<B>{{4, 3, 1279, 1021}}));
}

TEST(Arrange, CellsTooSmallAreRefused)
{
    // 1021 / 8 rows is 127 pixels high: 57 windows (8 x 8) are too many, 56 (8 x 7) are not.
    EXPECT_TRUE(TiledBoxes(56, kOdd).has_value());
    EXPECT_FALSE(TiledBoxes(57, kOdd).has_value());
    // 1279 / 11 columns is 116 pixels wide.
    EXPECT_FALSE(TiledBoxes(101, TArea{0, 0, 1279, 5000}).has_value());
    EXPECT_TRUE(TiledBoxes(100, TArea{0, 0, 1279, 5000}).has_value());
    EXPECT_TRUE(StackedBoxes(7, kOdd).has_value());
    EXPECT_FALSE(StackedBoxes(8, kOdd).has_value());
    EXPECT_TRUE(SideBySideBoxes(10, kOdd).has_value());
    EXPECT_FALSE(SideBySideBoxes(11, kOdd).has_value());
    EXPECT_FALSE(StackedBoxes(1, TArea{0, 0, 119, 1000}).has_value());  // too narrow even for one
}

TEST(Arrange, StackedAndSideBySideGiveTheLastWindowTheRest)
{
    EXPECT_EQ(*StackedBoxes(3, kOdd), (std::vector<B>{{4, 3, 1279, 340}, {4, 343, 1279, 340}, {4, 683, 1279, 341}}));
    EXPECT_EQ(*SideBySideBoxes(3, kOdd), (std::vector<B>{{4, 3, 426, 1021}, {430, 3, 426, 1021}, {856, 3, 427, 1021}}));
}

TEST(Arrange, CascadeStartsAgainBeforeTheEdges)
{
    // 957 x 720 windows, 22 pixels apart: the fifteenth would end past the
    // bottom edge less 10 (3 + 308 + 720 > 1014), so it starts at the corner.
    const auto boxes = CascadedBoxes(17, kOdd, 22);
    ASSERT_EQ(boxes.size(), 17u);
    EXPECT_EQ(boxes[0], (TWindowBox{4, 3, 957, 720}));
    EXPECT_EQ(boxes[13], (TWindowBox{4 + 13 * 22, 3 + 13 * 22, 957, 720}));
    EXPECT_EQ(boxes[14], boxes[0]);
    EXPECT_EQ(boxes[16], (TWindowBox{4 + 44, 3 + 44, 957, 720}));
    // The right edge decides on a wide, short area.
    const auto wide = CascadedBoxes(4, TArea{0, 0, 400, 4000}, 30);
    EXPECT_EQ(wide[1].Left, 30);  // 30 + 300 <= 390
    EXPECT_EQ(wide[3].Left, 90);
    EXPECT_EQ(CascadedBoxes(5, TArea{0, 0, 400, 4000}, 40)[3].Left, 0);  // 120 + 300 > 390
}

TEST(Arrange, ListsTakeTheWindowsTheirCommandsActOn)
{
    int h[6];
    const std::vector<TListedWindow> z = {
        {&h[0], "TVellumoMainForm", true, true, false},
        {&h[1], "TVellumoMainFormX", true, true, false},  // another class, however alike
        {&h[2], "TVellumoMainForm", false, true, true},   // minimized: its owner still shows
        {&h[3], "TVellumoMainForm", false, false, false}, // never shown
        {&h[4], "tvellumomainform", true, true, false},
        {&h[5], "TVellumoMainForm", true, false, false},
    };
    using V = std::vector<void*>;
    EXPECT_EQ(SelectWindows(z, TWindowList::Shown), (V{&h[0], &h[2], &h[5]}));
    EXPECT_EQ(SelectWindows(z, TWindowList::Active), (V{&h[0], &h[3], &h[5]}));
    EXPECT_EQ(SelectWindows(z, TWindowList::ActiveReversed), (V{&h[5], &h[3], &h[0]}));
    EXPECT_EQ(SelectWindows(z, TWindowList::Minimized), (V{&h[2]}));
}

TEST(Arrange, WindowListCaptions)
{
    EXPECT_EQ(ListedTitle("a.txt - Vellumo"), "a.txt");
    EXPECT_EQ(ListedTitle("a - Vellumo - Vellumo"), "a");  // cut at the first
    EXPECT_EQ(ListedTitle("other"), "other");
    EXPECT_EQ(WindowListCaption(0, "R&D.txt"), "&1: R&&D.txt");
    EXPECT_EQ(WindowListCaption(8, "x"), "&9: x");
    EXPECT_EQ(WindowListCaption(9, "x"), "&0: x");
    EXPECT_EQ(WindowListCaption(10, "無題"), "11: 無題");
    EXPECT_EQ(WindowListCaption(11, "&&"), "12: &&&&");
}

} // namespace
