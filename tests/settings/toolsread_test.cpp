// The tool list as read from [Tools]: a damaged count or save mode.
#include <gtest/gtest.h>

#include "base/inifile.h"
#include "settings/tools.h"

namespace vellumo {
namespace {

TEST(ToolList, DamagedValuesAreReadSafely)
{
    const TMemIniFile ini = TMemIniFile::FromText(
        "t.ini", "[Tools]\r\nItemCount=200000000\r\nSave0=-1\r\nSave1=1\r\nSave2=0\r\nSave3=9\r\nParam1=% a %\r\n");
    EXPECT_EQ(AppToolCount(ini), kMaxAppTools);
    const std::vector<TAppTool> tools = ReadAppTools(ini);
    ASSERT_EQ(tools.size(), static_cast<std::size_t>(kMaxAppTools));
    // Only 0 saves and 1 asks: anything else must not save behind the user's back.
    EXPECT_EQ(tools[0].Save, 2);
    EXPECT_EQ(tools[1].Save, 1);
    EXPECT_EQ(tools[2].Save, 0);
    EXPECT_EQ(tools[3].Save, 2);
    EXPECT_EQ(tools[1].Param, " a ");
    EXPECT_EQ(tools[0].Param, "");
    EXPECT_EQ(AppToolCount(TMemIniFile::FromText("t.ini", "[Tools]\r\nItemCount=-3\r\n")), 0);
}

} // namespace
} // namespace vellumo
