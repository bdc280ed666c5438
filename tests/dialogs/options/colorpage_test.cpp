#include <gtest/gtest.h>

#include <set>
#include <string>

#include "base/stringlist.h"
#include "dialogs/options/colorpage.h"

using namespace vellumo;

namespace {

// Every row a colour and both switches of its own, so that two keys mixed
// up show.
TAppColors DistinctColors()
{
    TAppColors c = DefaultColors();
    for (int row = 0; row < kColorRowCount; ++row) {
        const TColorRowInfo& r = kColorRows[static_cast<std::size_t>(row)];
        c.*r.Color = 0x010203 * (row + 1);
        if (r.Bold) {
            c.*r.Bold = row % 2 == 0;
            c.*r.Case = row % 3 != 0;
        }
    }
    return c;
}

} // namespace

TEST(ColorFiles, RoundTripByteForByteWithEveryKeyInItsPlace)
{
    const TAppColors colors = DistinctColors();
    TMemIniFile first = TMemIniFile::FromText("a.vmc", "");
    WriteColorFile(first, colors);
    const std::string bytes = first.Text();

    TStringList keys;
    first.ReadSection("Color", keys);
    EXPECT_EQ(keys.Count(), 54 + 22);
    EXPECT_EQ(bytes.rfind("[Color]\r\nFont=$00010203\r\nBk=$00020406\r\n", 0), 0u);

    // Read the way the settings file is read: each value lands in its own member.
    const TAppColors back = ReadColorFile(TMemIniFile::FromText("a.vmc", bytes));
    EXPECT_TRUE(back == colors);
    TMemIniFile second = TMemIniFile::FromText("b.vmc", "");
    WriteColorFile(second, back);
    EXPECT_EQ(second.Text(), bytes);

    // One switch on at a time: no two switches trade places.
    std::set<int> keywordRows;
    for (int row = 0; row < kColorRowCount; ++row) {
        const TColorRowInfo& r = kColorRows[static_cast<std::size_t>(row)];
        if (!IsKeywordRow(row)) continue;
        keywordRows.insert(row);
        for (bool TAppColors::*sw : {r.Bold, r.Case}) {
            TAppColors one = colors;
            for (const TColorRowInfo& k : kColorRows)
                if (k.Bold) one.*k.Bold = one.*k.Case = false;
            one.*sw = true;
            TMemIniFile ini = TMemIniFile::FromText("c.vmc", "");
            WriteColorFile(ini, one);
            EXPECT_TRUE(ReadColorFile(ini) == one) << r.Key;
        }
    }
    EXPECT_EQ(keywordRows, (std::set<int>{19, 22, 25, 28, 34, 37, 40, 43, 46, 50, 53}));
}

TEST(ColorFiles, SavingIntoASettingsFileChangesOnlyColorKeys)
{
    const std::string before = "; mine\r\n[Option]\r\nTabSpaceCount=4\r\n[Color]\r\nFont=clRed\r\nOwn=keep\r\n"
                               "[Print]\r\nFontSize=10\r\n";
    TMemIniFile ini = TMemIniFile::FromText("v.ini", before);
    WriteColorFile(ini, DefaultColors());
    const std::string after = ini.Text();
    EXPECT_EQ(after.substr(0, after.find("[Color]")), "; mine\r\n[Option]\r\nTabSpaceCount=4\r\n");
    EXPECT_NE(after.find("[Color]\r\nFont=clWindowText\r\nOwn=keep\r\n"), std::string::npos);
    EXPECT_NE(after.find("[Print]\r\nFontSize=10\r\n"), std::string::npos);
    EXPECT_EQ(ini.ReadString("Color", "Perl_KeyWord_Case", ""), "1");
}

TEST(ColorFiles, DamagedKeysTakeTheirRowDefaults)
{
    const TAppColors def = DefaultColors();
    struct TCase {
        const char* name;
        const char* text;  // of [Color]
        int row;
        const char* shown;  // the row's colour text after loading
        const char* bold;
        const char* kase;
    };
    const TCase cases[] = {
        {"missing key", "Bk=clRed", 0, "clWindowText", "", ""},
        {"no colour name", "Font=clNoSuch", 0, "clWindowText", "", ""},
        {"bad hex", "Font=$00GG0000", 0, "clWindowText", "", ""},
        {"empty value", "Link=", 6, "$00C00000", "", ""},
        {"name in other case", "Font=CLRED", 0, "clRed", "", ""},
        {"hex of a named colour", "Ret=$000000FF", 4, "clRed", "", ""},
        {"bad switches", "Php_KeyWord_Bold=yes\r\nPhp_KeyWord_Case=", 22, "clWindowText", "1", "0"},
        {"switches read as numbers", "Perl_KeyWord_Bold=0\r\nPerl_KeyWord_Case=0", 19, "clWindowText", "0", "0"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        const TAppColors read =
            ReadColorFile(TMemIniFile::FromText("x.vmc", std::string("[Color]\r\n") + c.text + "\r\n"));
        const std::vector<std::string> cells = ColorRowCells(read, c.row);
        EXPECT_EQ(cells[1], c.shown);
        EXPECT_EQ(cells[2], c.bold);
        EXPECT_EQ(cells[3], c.kase);
    }
    // No [Color] at all, only other sections: the defaults.
    EXPECT_TRUE(ReadColorFile(TMemIniFile::FromText("x.vmc", "[Option]\r\nFont=clRed\r\n")) == def);
}
