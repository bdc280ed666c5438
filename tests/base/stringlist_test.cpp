#include <gtest/gtest.h>

#include <stdexcept>

#include "base/byteset.h"
#include "base/stringlist.h"

using namespace vellumo;

namespace {

TEST(TStringList, UpdatesReportOnceAtTheOutermostEnd)
{
    TStringList list;
    int changes = 0;
    list.OnChange = [&] { ++changes; };
    list.Add("a");
    EXPECT_EQ(changes, 1);
    list.BeginUpdate();
    list.BeginUpdate();
    list.Add("b");
    list.Insert(0, "c");
    list.EndUpdate();
    EXPECT_EQ(changes, 1);
    list.EndUpdate();
    EXPECT_EQ(changes, 2);
    list.EndUpdate();  // unbalanced end is ignored
    EXPECT_EQ(list.UpdateCount(), 0);
    {
        TStringsUpdate guard(list);
    }
    EXPECT_EQ(changes, 2);  // nothing changed inside
    EXPECT_EQ(list.Text(), "c\r\na\r\nb\r\n");
    EXPECT_EQ(list.IndexOf("b"), 2);
    EXPECT_THROW(list.Strings(3), std::out_of_range);
    EXPECT_THROW(list.Delete(-1), std::out_of_range);
}

TEST(TStringList, GuardEndsUpdateWhenAnExceptionLeaves)
{
    TStringList list;
    try {
        TStringsUpdate guard(list);
        list.Add("x");
        throw std::runtime_error("fill failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(list.UpdateCount(), 0);
}

TEST(TByteSet, SetOperations)
{
    TByteSet a{'a', 'b', 0xFF};
    TByteSet b;
    b.IncludeRange(0xFE, 0xFF);
    EXPECT_TRUE(a.Contains(0xFF));
    EXPECT_FALSE(a.Contains(0xFE));
    EXPECT_EQ((a | b).Count(), 4u);
    EXPECT_EQ((a - b), (TByteSet{'a', 'b'}));
    b.Clear();
    EXPECT_TRUE(b.Empty());
}

} // namespace
