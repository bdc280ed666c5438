#include <gtest/gtest.h>

#include <ctime>
#include <random>
#include <string>
#include <vector>

#include "base/leadbytes.h"
#include "fixedpitch.h"
#include "printing/printwrap.h"

namespace vellumo {
namespace {

using testing::TFixedPitchMeasurer;

std::vector<std::string> Wrap(std::string_view text, long long avail, bool wordBreak = true)
{
    TFixedPitchMeasurer m;
    std::vector<std::string> rows;
    WrapPrintLine(m, text, avail, wordBreak, rows);
    return rows;
}

std::string Join(const std::vector<std::string>& rows)
{
    std::string s;
    for (const auto& r : rows) s += r;
    return s;
}

// Offsets of character starts, walking from the line's first byte.
std::vector<bool> CharStarts(const std::string& s)
{
    std::vector<bool> starts(s.size() + 1, false);
    std::size_t i = 0;
    while (i < s.size()) {
        starts[i] = true;
        i += IsLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size() ? 2 : 1;
    }
    starts[s.size()] = true;
    return starts;
}

TEST(PrintClassify, LeadTrailBlankAndLoneLead)
{
    // The trail bytes 5C, 20 and 41 belong to their lead byte.
    EXPECT_EQ(ClassifyBytes("a \x95\x5C\x82\x20\x81\x41\t"), "124545452");
    EXPECT_EQ(ClassifyBytes("ab\x82"), "114");
    EXPECT_EQ(ClassifyBytes(""), "");
}

TEST(PrintWrap, JapaneseOverOddWidthIsCutBetweenCharacters)
{
    // 65 units hold three double-byte characters (60), never three and a half.
    std::string line;
    for (int i = 0; i < 10; ++i) line += "\x82\xA0\x95\x5C";  // あ表
    auto rows = Wrap(line, 65);
    EXPECT_EQ(Join(rows), line);
    ASSERT_EQ(rows.size(), 7u);
    for (std::size_t i = 0; i + 1 < rows.size(); ++i) EXPECT_EQ(rows[i].size(), 6u) << i;
    EXPECT_EQ(rows.back().size(), 4u);
}

TEST(PrintWrap, RowsBreakAfterBlanksAndBetweenCharacters)
{
    using Rows = std::vector<std::string>;
    struct TCase {
        const char* text;
        long long avail;
        bool wordBreak;
        Rows want;
    };
    const TCase cases[] = {
        {"", 100, true, {""}},
        {"abcdefghij", 100, true, {"abcdefghij"}},  // exactly as wide
        {"hello world foo", 120, true, {"hello world ", "foo"}},
        {"hello worldwide", 100, true, {"hello ", "worldwide"}},
        {"abcdefghijklm", 50, true, {"abcde", "fghij", "klm"}},  // a long word is cut
        // After a double-byte character a row may end before a word.
        {"\x82\xA0" "abcdef", 60, true, {"\x82\xA0", "abcdef"}},
        {"hello worldwide", 100, false, {"hello worl", "dwide"}},
        // A rest that fits is not broken before its last word.
        {"aaaaaaaaa bb cc", 100, true, {"aaaaaaaaa ", "bb cc"}},
        // A character wider than the column gets a row of its own.
        {"\x82\xA0\x82\xA2\x82\xA4", 15, true, {"\x82\xA0", "\x82\xA2", "\x82\xA4"}},
        {"\x82\xA0xy", 5, true, {"\x82\xA0", "x", "y"}},
        // A lone lead byte at the end.
        {"\x82\xA0\x82", 15, true, {"\x82\xA0", "\x82"}},
        {"abcd\x82", 20, true, {"ab", "cd", "\x82"}},
    };
    for (const auto& c : cases) EXPECT_EQ(Wrap(c.text, c.avail, c.wordBreak), c.want) << c.text << " " << c.avail;
}

// Random lines of letters, blanks and double-byte characters whose trail
// bytes look like ASCII, against the rules the rows must keep.
TEST(PrintWrap, RandomLinesKeepTheRowRules)
{
    std::mt19937 rng(20261208);
    const char* pieces[] = {"a", "Z", " ", "\t", "\x82\xA0", "\x95\x5C", "\x83\x7C", "\x88\x41", "\xE0\x40", "."};
    for (int round = 0; round < 3000; ++round) {
        std::string line;
        int n = static_cast<int>(rng() % 60);
        for (int i = 0; i < n; ++i) line += pieces[rng() % 10];
        if (rng() % 8 == 0) line += '\x82';  // lone lead byte
        const long long avail = 5 + static_cast<long long>(rng() % 200);
        const bool wordBreak = rng() % 4 != 0;
        auto rows = Wrap(line, avail, wordBreak);
        ASSERT_EQ(Join(rows), line) << round;
        if (line.empty()) {
            ASSERT_EQ(rows.size(), 1u);
            continue;
        }
        auto starts = CharStarts(line);
        std::size_t pos = 0;
        for (std::size_t r = 0; r < rows.size(); ++r) {
            const std::string& row = rows[r];
            ASSERT_FALSE(row.empty()) << round;
            ASSERT_TRUE(starts[pos]) << "row starts inside a character, round " << round;
            const std::size_t firstLen = IsLeadByte(static_cast<unsigned char>(row[0])) && row.size() > 1 ? 2 : 1;
            const long long w = static_cast<long long>(row.size()) * 10;
            ASSERT_TRUE(w <= avail || row.size() == firstLen) << "row too wide, round " << round;
            if (r + 1 < rows.size()) {
                // Either the row ends at a break opportunity or the next
                // character would not have fitted.
                const std::string cls = ClassifyBytes(line.substr(pos, row.size()));
                const char last = cls.back();
                const std::size_t next = pos + row.size();
                const std::size_t nextLen = IsLeadByte(static_cast<unsigned char>(line[next])) && next + 1 < line.size() ? 2 : 1;
                const bool full = static_cast<long long>(row.size() + nextLen) * 10 > avail;
                ASSERT_TRUE(full || (wordBreak && (last == '2' || last == '5'))) << "row ended early, round " << round;
            }
            pos += row.size();
        }
    }
}

TEST(PrintWrap, ThreeMegabyteLineFinishes)
{
    std::string line;
    line.reserve(3000000);
    while (line.size() < 3000000) line += "\x82\xA0" "abc def ";
    TFixedPitchMeasurer m;
    std::vector<std::string> rows;
    timespec t0{}, t1{};
    clock_gettime(CLOCK_MONOTONIC, &t0);
    WrapPrintLine(m, line, 800, true, rows);
    clock_gettime(CLOCK_MONOTONIC, &t1);
    const double secs = static_cast<double>(t1.tv_sec - t0.tv_sec) + (t1.tv_nsec - t0.tv_nsec) / 1e9;
    EXPECT_EQ(Join(rows), line);
    // A few measurements per row, not one per byte.
    EXPECT_LT(m.calls, static_cast<long long>(rows.size()) * 12);
    std::printf("3 MB line: %zu rows, %lld measurements, %.3f s\n", rows.size(), m.calls, secs);
}

} // namespace
} // namespace vellumo
