#include <gtest/gtest.h>

#include <random>
#include <string>

#include "editor/sjisutil.h"

using namespace vellumo;
using namespace std::string_literals;

namespace {

std::vector<std::string> Lines(std::string_view text)
{
    TStringList list;
    list.Add("stale");
    TextToStrings(text, list);
    return list.Items();
}

TEST(ShiftJisWalk, AgreesWithAForwardWalkOnRandomText)
{
    std::mt19937 rng(5);
    for (int round = 0; round < 500; ++round) {
        std::string s(rng() % 30, '\0');
        for (auto& c : s) c = static_cast<char>(rng() % 3 ? 0x81 + rng() % 0x20 : rng());
        std::vector<int> kind(s.size() + 2, 0);  // 1 lead, 2 trail
        for (std::size_t i = 0; i < s.size(); ++i) {
            if (IsLeadByte(static_cast<unsigned char>(s[i]))) {
                kind[i + 1] = 1;
                kind[i + 2] = 2;
                ++i;
            }
        }
        for (int i = 0; i <= static_cast<int>(s.size()) + 1; ++i) {
            EXPECT_EQ(IsLeadByteAt(s, i), kind[static_cast<std::size_t>(i)] == 1 && i >= 1) << i;
            EXPECT_EQ(IsTrailByteAt(s, i), i >= 1 && kind[static_cast<std::size_t>(i)] == 2) << i;
        }
    }
    // Indexes count from 1; outside the string there is no character.
    const std::string s = "\x82\xA0" "A";
    EXPECT_EQ(CharAt(s, 0), 0);
    EXPECT_EQ(CharAt(s, 4), 0);
    EXPECT_EQ(CharAt(s, 3), 'A');
}

TEST(ShiftJisHelpers, CountAndContains)
{
    EXPECT_EQ(CountChar("a\tb\t\t", '\t', 4), 2);
    EXPECT_EQ(CountChar("a\tb", '\t', 100), 1);
    EXPECT_EQ(CountChar("a\tb", '\t', -1), 0);
    EXPECT_FALSE(ContainsMBString("\x82\xA0", "\x81\x82\xA0"));
    EXPECT_TRUE(ContainsMBString("\x82\xA0", "\x82\xA0\x81\x42"));
    EXPECT_TRUE(ContainsMBString("\x81\x42", "\x82\xA0\x81\x42"));
    EXPECT_FALSE(ContainsMBString("", "abc"));
    EXPECT_FALSE(ContainsMBString("\x82\xA0", "\x82"));
    EXPECT_FALSE(ContainsMBString("\\", "\x95\x5C"));  // the trail of 表
    EXPECT_TRUE(ContainsMBString(")", "(\x81\x75)"));
}

// The table answers as the walk does, for every one- and two-byte
// character, also for lists cut after a lead byte or mixing half-width kana.
TEST(ShiftJisHelpers, CharSetAnswersAsTheWalk)
{
    std::mt19937 rng(7);
    std::vector<std::string> lists = {"", "\x81\x41\x81\x42!),.", "(\x81\x75)", "\x95\x5C", "a\x82", "\xA1\xDF\x82\xA0"};
    for (int k = 0; k < 20; ++k) {
        std::string l(rng() % 12, '\0');
        for (char& c : l) c = static_cast<char>(rng() % 3 == 0 ? 0x81 + rng() % 4 : 0x20 + rng() % 0xE0);
        lists.push_back(l);
    }
    for (const std::string& list : lists) {
        const TMBCharSet set(list);
        for (unsigned a = 0; a < 256; ++a) {
            const std::string one(1, static_cast<char>(a));
            ASSERT_EQ(set.Contains(one), ContainsMBString(one, list)) << a;
            for (unsigned b = 0; b < 256; ++b) {
                const std::string two{static_cast<char>(a), static_cast<char>(b)};
                ASSERT_EQ(set.Contains(two), ContainsMBString(two, list)) << a << " " << b;
            }
        }
        EXPECT_FALSE(set.Contains(""));
    }
}

TEST(ShiftJisHelpers, CharSetSkipsDoubleByteCharacters)
{
    const TByteSet set = StrToCharSet("a\x82\xA0" "b\x95\x5C");
    EXPECT_EQ(set, (TByteSet{'a', 'b'}));
    EXPECT_TRUE(StrToCharSet("").Empty());
}

TEST(TextToStrings, SplitsAtEveryBreakKind)
{
    EXPECT_EQ(Lines(""), std::vector<std::string>{});
    EXPECT_EQ(Lines("a\r\nb\r\n"), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(Lines("\r\n"), (std::vector<std::string>{""}));
    EXPECT_EQ(Lines("a\rb"), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(Lines("a\nb\n"), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(Lines("a\r\rb\n\n"), (std::vector<std::string>{"a", "", "b", ""}));
    EXPECT_EQ(Lines("a\r"), (std::vector<std::string>{"a"}));
    EXPECT_EQ(Lines("\n\n"), (std::vector<std::string>{"", ""}));
    // Lone CRs make more lines than LFs would count: none is lost or spurious.
    EXPECT_EQ(Lines("1\r2\r3\n4"), (std::vector<std::string>{"1", "2", "3", "4"}));
    EXPECT_EQ(Lines("ab\0cd\r\nef"s), (std::vector<std::string>{"ab"}));
    EXPECT_EQ(Lines("\0x"s), std::vector<std::string>{});
}

TEST(TextToStrings, ReportsOneChange)
{
    TStringList list;
    int changes = 0;
    list.OnChange = [&] { ++changes; };
    TextToStrings("a\r\nb\r\nc", list);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(list.Count(), 3);
}

} // namespace
