#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "printing/paperinfo.h"

namespace vellumo {
namespace {

TEST(PaperTable, NominalSizesOfCommonPapers)
{
    // The row of an id is that id's paper (no shift by one).
    EXPECT_STREQ(PaperTableRow(9)->Name, "DMPAPER_A4");
    EXPECT_EQ(PaperTableRow(9)->Width, 210);
    EXPECT_EQ(PaperTableRow(66)->Height, 594);
    EXPECT_EQ(PaperTableRow(0), nullptr);
    EXPECT_EQ(PaperTableRow(69), nullptr);
    for (int id = 1; id <= kPaperTableSize; ++id) {
        EXPECT_GT(PaperTableRow(id)->Width, 50) << id;
        EXPECT_GT(PaperTableRow(id)->Height, 50) << id;
    }
}

TEST(PaperList, DriverListsAreReadWithinTheirCounts)
{
    // Three papers, the last name filling its whole 64-byte field.
    char names[3 * kPaperNameField] = {};
    std::strcpy(names, "A4");
    std::strcpy(names + kPaperNameField, "\x83\x6E\x83\x56" "8");  // a double-byte name
    std::memset(names + 2 * kPaperNameField, 'N', kPaperNameField);
    long sizes[] = {2100, 2970, 1000, 1480, 2159, 2794};
    unsigned short ids[] = {9, 43, 1};
    TPaperItemList list;
    list.LoadFromDriverLists(names, 3, sizes, 3, ids, 3);
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Items(0).Name, "A4");
    EXPECT_EQ(list.Items(1).Name, "\x83\x6E\x83\x56" "8");
    EXPECT_EQ(list.Items(2).Name, std::string(kPaperNameField, 'N'));  // bounded by its field
    EXPECT_EQ(list.Items(2).Width, 216);                              // 215.9 rounded
    EXPECT_EQ(list.Items(2).Height, 279);
    EXPECT_EQ(list.Items(2).PaperId, 1);
    // A list shorter than the others limits the entries taken.
    list.LoadFromDriverLists(names, 3, sizes, 2, ids, 3);
    EXPECT_EQ(list.Count(), 2);
    list.LoadFromDriverLists(names, 3, sizes, 3, ids, 1);
    EXPECT_EQ(list.Count(), 1);
    list.LoadFromDriverLists(names, 3, nullptr, 3, ids, 3);
    EXPECT_EQ(list.Count(), 0);
}

TEST(PaperList, TenthsRoundHalfUp)
{
    EXPECT_EQ(TenthsToMm(2159), 216);
    EXPECT_EQ(TenthsToMm(2155), 216);
    EXPECT_EQ(TenthsToMm(2154), 215);
    EXPECT_EQ(TenthsToMm(0), 0);
    EXPECT_EQ(TenthsToMm(-40), 0);
}

TEST(PaperList, SizeLookUpPrefersTheDriver)
{
    TPaperItemList list;
    EXPECT_EQ(LookUpPaperSize(list, 9), (TPaperSize{210, 297}));
    EXPECT_EQ(LookUpPaperSize(list, 8), (TPaperSize{297, 420}));  // nothing listed: the table
    EXPECT_EQ(LookUpPaperSize(list, 300), (TPaperSize{210, 297}));  // unknown: A4
    auto& item = list.Add();
    item.PaperId = 8;
    item.Width = 300;
    item.Height = 421;
    auto& custom = list.Add();
    custom.PaperId = 300;
    custom.Width = 100;
    custom.Height = 200;
    EXPECT_EQ(LookUpPaperSize(list, 8), (TPaperSize{300, 421}));
    EXPECT_EQ(LookUpPaperSize(list, 300), (TPaperSize{100, 200}));
}

} // namespace
} // namespace vellumo
