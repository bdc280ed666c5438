#include <gtest/gtest.h>

#include "base/inifile.h"
#include "settings/toolwindow.h"

using namespace vellumo;

TEST(ToolWindowState, DefaultsDamagedValuesAndWrites)
{
    const TToolWindowState none = ReadToolWindowState(TMemIniFile::FromText("a.ini", ""));
    EXPECT_EQ(none.Width, 0);
    EXPECT_EQ(none.Height, 0);
    EXPECT_FALSE(none.Maximized);
    EXPECT_EQ(none.Columns, kToolListColumnWidths);

    // Negative widths would ask the list to fit its texts; huge ones are cut.
    const TToolWindowState bad = ReadToolWindowState(TMemIniFile::FromText(
        "b.ini", "[ToolWindow]\nWindowWidth=-5\nWindowHeight=abc\nWindowMax=2\n"
                 "ListViewColumn0=-1\nListViewColumn3=99999\nListViewColumn10=42\nListViewColumn11=7\n"));
    EXPECT_EQ(bad.Width, 0);
    EXPECT_EQ(bad.Height, 0);
    EXPECT_FALSE(bad.Maximized);
    EXPECT_EQ(bad.Columns[0], 0);
    EXPECT_EQ(bad.Columns[3], kMaxToolListColumnWidth);
    EXPECT_EQ(bad.Columns[10], 42);
    EXPECT_EQ(bad.Columns[1], 200);

    TMemIniFile ini = TMemIniFile::FromText("c.ini", "");
    TToolWindowState s;
    s.Width = 640;
    s.Height = 480;
    s.Columns[5] = 77;
    WriteToolWindowState(ini, s);
    // Closed maximized: the size of the last normal close stays.
    s.Maximized = true;
    s.Width = 1280;
    s.Columns[5] = 88;
    WriteToolWindowState(ini, s);
    const TToolWindowState back = ReadToolWindowState(ini);
    EXPECT_TRUE(back.Maximized);
    EXPECT_EQ(back.Width, 640);
    EXPECT_EQ(back.Height, 480);
    EXPECT_EQ(back.Columns[5], 88);
}
