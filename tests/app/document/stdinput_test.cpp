// Standard input's bytes as the document keeps them, and the progress text.
#include <gtest/gtest.h>

#include <random>

#include "app/document/stdinput.h"

namespace vellumo {
namespace {

TEST(StdInputText, ChunksJoinExactlyWithNulsAsSpaces)
{
    std::mt19937 rng(3);
    for (int round = 0; round < 200; ++round) {
        std::string input;
        for (int n = static_cast<int>(rng() % 300); n > 0; --n) input += "\0\r\na\x81\x40"[rng() % 6];
        std::string want = input;
        for (char& c : want)
            if (c == '\0') c = ' ';
        TStdInputText t;
        for (std::size_t at = 0; at < input.size();) {
            const std::size_t n = std::min<std::size_t>(input.size() - at, rng() % 40);
            t.Append(std::string_view(input).substr(at, n));
            at += n;
        }
        ASSERT_EQ(t.Text(), want);
        EXPECT_EQ(t.Total(), input.size());
        EXPECT_EQ(t.HadNul(), input.find('\0') != std::string::npos);
    }
}

TEST(StdInputText, ProgressTextGroupsDigits)
{
    EXPECT_EQ(StdInputProgressText(0), "サイズ: 0 バイト");
    EXPECT_EQ(GroupDigits(999), "999");
    EXPECT_EQ(GroupDigits(1000), "1,000");
    EXPECT_EQ(GroupDigits(10485760), "10,485,760");
    EXPECT_EQ(GroupDigits(18446744073709551615ull), "18,446,744,073,709,551,615");
}

} // namespace
} // namespace vellumo
