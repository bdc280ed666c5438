// The keyword list with the system's own comparison of the user's locale.
#include <gtest/gtest.h>
#include <windows.h>

#include <cctype>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "editor/reservewords.h"

using namespace vellumo;

namespace {

int SystemOrder(std::string_view a, std::string_view b, bool cs)
{
    return CompareStringA(LOCALE_USER_DEFAULT, cs ? 0 : NORM_IGNORECASE, a.empty() ? "" : a.data(),
                          static_cast<int>(a.size()), b.empty() ? "" : b.data(), static_cast<int>(b.size())) - 2;
}

TEST(ReserveWordsSystem, OrderAndLookupAgree)
{
    ASSERT_EQ(GetACP(), 932u);
    std::mt19937 rng(11);
    const std::vector<std::string> parts = {"a", "B", "b", "z", "_", "-", "1", "'", "\x82\xA0", "\x83\x41",
                                            "\x8A\xBF", "\x82\x60", "\x82\x81", "\xB1"};
    for (bool cs : {false, true}) {
        TReserveWordList list;  // the system comparison by default
        list.SetSorted(true);
        list.SetCaseSensitive(cs);
        std::vector<std::string> words;
        for (int i = 0; i < 600; ++i) {
            std::string w;
            for (int k = 1 + rng() % 4; k > 0; --k) w += parts[rng() % parts.size()];
            words.push_back(w);
            list.Add(w);
        }
        for (int i = 1; i < list.Count(); ++i)
            ASSERT_LT(SystemOrder(list[i - 1], list[i], cs), 0) << i;
        for (const auto& w : words) {
            int index = -1;
            ASSERT_TRUE(list.Find(w, index)) << w;
            EXPECT_EQ(SystemOrder(list[index], w, cs), 0);
        }
    }
}

// The comparison answers most pairs of ASCII words without the system call:
// every answer must still be the system's.
TEST(ReserveWordsSystem, EveryPairAsTheSystemOrdersIt)
{
    std::mt19937 rng(5);
    const std::string bytes = "aAbBzZ019_-'.~ #@\x82\xA0\xB1";
    auto word = [&](std::size_t len) {
        std::string w;
        while (w.size() < len) w += bytes[rng() % (rng() % 4 == 0 ? bytes.size() : 9)];
        return w;
    };
    auto sign = [](int v) { return (v > 0) - (v < 0); };
    for (bool cs : {false, true}) {
        for (int i = 0; i < 20000; ++i) {
            const std::string a = word(rng() % 6);
            // Often a word that shares a start with a, or differs in case only.
            std::string b = rng() % 2 ? a.substr(0, rng() % (a.size() + 1)) + word(rng() % 3) : word(rng() % 6);
            if (rng() % 8 == 0) {
                b = a;
                for (char& c : b) c = static_cast<char>(std::isupper(static_cast<unsigned char>(c)) ? std::tolower(c) : std::toupper(c));
            }
            ASSERT_EQ(sign(SystemWordCompare(a, b, cs)), sign(SystemOrder(a, b, cs))) << cs << " '" << a << "' '" << b << "'";
        }
    }
}

TEST(ReserveWordsSystem, CaseFlagWithTheSystemComparison)
{
    TReserveWordList off;
    off.SetSorted(true);
    off.Add("print");
    off.Add("PRINT");
    EXPECT_EQ(off.Count(), 1);
    EXPECT_TRUE(off.Contains("Print"));

    TReserveWordList on;
    on.SetSorted(true);
    on.SetCaseSensitive(true);
    on.Add("print");
    on.Add("PRINT");
    EXPECT_EQ(on.Count(), 2);
    EXPECT_FALSE(on.Contains("Print"));
    EXPECT_EQ(SystemWordCompare("", "", true), 0);
    EXPECT_LT(SystemWordCompare("", "a", false), 0);
}

} // namespace
