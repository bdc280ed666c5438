// Guide-line collection: what reports a change and what is ignored.
#include <gtest/gtest.h>

#include "editor/vlines.h"

namespace vellumo {
namespace {

TEST(VerticalLines, ChangesReportOnceAndNegativePositionsAreIgnored)
{
    TVerticalLines lines;
    int updates = 0;
    lines.OnUpdate = [&] { ++updates; };
    TVerticalLine& a = lines.Add();
    EXPECT_EQ(updates, 1);
    EXPECT_EQ(a.Position(), 0);
    EXPECT_EQ(a.Color(), clBlack);
    EXPECT_TRUE(a.Visible());
    a.SetPosition(80);
    a.SetPosition(80);
    a.SetPosition(-1);
    EXPECT_EQ(a.Position(), 80);
    EXPECT_EQ(updates, 2);
    a.SetVisible(false);
    a.SetColor(clRed);
    EXPECT_EQ(updates, 4);

    TVerticalLines copy;
    int copies = 0;
    copy.OnUpdate = [&] { ++copies; };
    copy.Add();
    copy.Add();
    copies = 0;
    copy.Assign(lines);
    EXPECT_EQ(copies, 1);
    ASSERT_EQ(copy.Count(), 1);
    EXPECT_EQ(copy.Items(0).Position(), 80);
    EXPECT_EQ(copy.Items(0).Color(), clRed);
    EXPECT_FALSE(copy.Items(0).Visible());
    // The copy's lines report to the copy, not to the source.
    copy.Items(0).SetPosition(10);
    EXPECT_EQ(copies, 2);
    EXPECT_EQ(updates, 4);
    copy.Delete(5);
    EXPECT_EQ(copies, 2);
    copy.Clear();
    EXPECT_EQ(copy.Count(), 0);
    EXPECT_EQ(copies, 3);
}

} // namespace
} // namespace vellumo
