// The keyword list: its order, its lookups and its case flag.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <set>
#include <string_view>
#include <string>
#include <vector>

#include "editor/reservewords.h"

using namespace vellumo;

namespace {

TReserveWordList MakeList(bool caseSensitive, TWordCompare compare = AsciiFoldCompare)
{
    TReserveWordList list(compare);
    list.SetSorted(true);
    list.SetDuplicates(dupIgnore);
    list.SetCaseSensitive(caseSensitive);
    return list;
}

TEST(ReserveWords, CaseFlagDecidesEqualWords)
{
    TReserveWordList off = MakeList(false);
    off.Add("print");
    off.Add("PRINT");
    off.Add("Begin");
    off.Add("begin");
    EXPECT_EQ(off.Items(), (std::vector<std::string_view>{"Begin", "print"}));  // the first one added stays
    EXPECT_TRUE(off.Contains("PRINT"));
    EXPECT_TRUE(off.Contains("BeGiN"));

    TReserveWordList on = MakeList(true);
    on.Add("print");
    on.Add("PRINT");
    EXPECT_EQ(on.Count(), 2);
    EXPECT_FALSE(on.Contains("Print"));
    EXPECT_TRUE(on.Contains("PRINT"));

    // Folding is ASCII only: a full-width letter is not its half-width twin.
    EXPECT_FALSE(off.Contains("\x82\x8F" "rint"));
}

TEST(ReserveWords, EmptyListAndEmptyWords)
{
    TReserveWordList list = MakeList(false);
    int index = -1;
    EXPECT_FALSE(list.Find("x", index));
    EXPECT_EQ(index, 0);
    list.SetText("if\r\n\r\nelse\n");
    EXPECT_EQ(list.Items(), (std::vector<std::string_view>{"", "else", "if"}));
    EXPECT_TRUE(list.Find("", index));
    EXPECT_EQ(index, 0);
    EXPECT_FALSE(list.Find("elif", index));
    EXPECT_EQ(index, 1);  // where it would go: before "else"
}

TEST(ReserveWords, DuplicatesPolicies)
{
    TReserveWordList accept = MakeList(false);
    accept.SetDuplicates(dupAccept);
    for (const char* w : {"b", "a", "B", "b", "c"}) accept.Add(w);
    EXPECT_EQ(accept.Count(), 5);
    EXPECT_TRUE(std::is_sorted(accept.Items().begin(), accept.Items().end(),
                               [](std::string_view x, std::string_view y) { return AsciiFoldCompare(x, y, false) < 0; }));
    int index = -1;
    ASSERT_TRUE(accept.Find("B", index));
    EXPECT_EQ(index, 1);  // the first of the equal run

    TReserveWordList error = MakeList(false);
    error.SetDuplicates(dupError);
    error.Add("x");
    EXPECT_THROW(error.Add("X"), std::invalid_argument);
    EXPECT_EQ(error.Count(), 1);

    // Unsorted: appended as given; switching to sorted orders them.
    TReserveWordList plain(AsciiFoldCompare);
    for (const char* w : {"c", "a", "b"}) plain.Add(w);
    EXPECT_EQ(plain.IndexOf("A"), 1);
    plain.SetSorted(true);
    EXPECT_EQ(plain.Items(), (std::vector<std::string_view>{"a", "b", "c"}));
}

// A shuffled keyword file read into the list: every word is found, in the
// comparison's order, as a set under that comparison says.
TEST(ReserveWords, LookupsAfterLoadingAnUnsortedList)
{
    std::mt19937 rng(5);
    const std::string alphabet = "abcAB_9\x82\xA0";
    for (bool cs : {false, true}) {
        std::vector<std::string> words;
        for (int i = 0; i < 3000; ++i) {
            std::string w;
            for (int k = 1 + rng() % 6; k > 0; --k) w += alphabet[rng() % alphabet.size()];
            words.push_back(w);
        }
        std::string text;
        for (const auto& w : words) text += w + "\r\n";
        TReserveWordList list = MakeList(cs);
        list.SetText(text);

        auto less = [cs](std::string_view a, std::string_view b) { return AsciiFoldCompare(a, b, cs) < 0; };
        std::set<std::string, decltype(less)> model(less);
        for (const auto& w : words) model.insert(w);
        ASSERT_EQ(static_cast<std::size_t>(list.Count()), model.size()) << cs;
        ASSERT_TRUE(std::is_sorted(list.Items().begin(), list.Items().end(), less));
        for (const auto& w : words) {
            int index = -1;
            ASSERT_TRUE(list.Find(w, index)) << w;
            EXPECT_EQ(AsciiFoldCompare(list[index], w, cs), 0);
        }
        for (int i = 0; i < 500; ++i) {
            std::string probe;
            for (int k = 1 + rng() % 7; k > 0; --k) probe += alphabet[rng() % alphabet.size()];
            EXPECT_EQ(list.Contains(probe), model.count(probe) == 1) << probe;
        }
    }
}

TEST(ReserveWords, AssignCopiesTheFlagFirst)
{
    TReserveWordList cs = MakeList(true);
    for (const char* w : {"end", "END", "End"}) cs.Add(w);
    TReserveWordList target = MakeList(false);
    target.Add("stale");
    target.Assign(cs);
    EXPECT_TRUE(target.CaseSensitive());
    EXPECT_EQ(target.Count(), 3);  // all three kept under the copied flag
    EXPECT_TRUE(target == cs);

    TReserveWordList ci = MakeList(false);
    ci.Add("Loop");
    target.Assign(ci);
    EXPECT_FALSE(target.CaseSensitive());
    EXPECT_TRUE(target.Contains("LOOP"));

    // Equal words but another flag: not equal.
    TReserveWordList same = MakeList(true);
    same.Add("Loop");
    EXPECT_EQ(same.Items(), ci.Items());
    EXPECT_FALSE(same == ci);
}

TEST(ReserveWords, FailedSystemComparisonIsNotLess)
{
    EXPECT_EQ(WordCompareFromSystem(1, "a", "b", true), -1);
    EXPECT_EQ(WordCompareFromSystem(2, "a", "A", false), 0);
    EXPECT_EQ(WordCompareFromSystem(3, "b", "a", true), 1);
    // 0 means the call failed: the bytes decide.
    EXPECT_EQ(WordCompareFromSystem(0, "b", "a", true), 1);
    EXPECT_EQ(WordCompareFromSystem(0, "a", "A", false), 0);
    EXPECT_EQ(WordCompareFromSystem(0, "a", "b", true), -1);
}

TEST(ReserveWords, InjectedComparisonOrdersAndFinds)
{
    // A reversed order proves the list uses the comparison it was given.
    auto reversed = [](std::string_view a, std::string_view b, bool cs) noexcept { return AsciiFoldCompare(b, a, cs); };
    TReserveWordList list = MakeList(false, reversed);
    for (const char* w : {"b", "c", "a"}) list.Add(w);
    EXPECT_EQ(list.Items(), (std::vector<std::string_view>{"c", "b", "a"}));
    EXPECT_EQ(list.IndexOf("A"), 2);
}

TEST(ReserveWords, LoadFromFile)
{
    TReserveWordList list = MakeList(false);
    list.Add("keep");
    EXPECT_FALSE(list.LoadFromFile("no-such-folder/none.kwd"));
    EXPECT_EQ(list.Items(), std::vector<std::string_view>{"keep"});

    const std::string path = ::testing::TempDir() + "reservewords_test.kwd";
    std::FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fputs("while\r\nfor\r\nWHILE\r\n", f);
    std::fclose(f);
    ASSERT_TRUE(list.LoadFromFile(path));
    std::remove(path.c_str());
    EXPECT_EQ(list.Items(), (std::vector<std::string_view>{"for", "while"}));
}

} // namespace

namespace {

long g_compares = 0;
int CountingCompare(std::string_view a, std::string_view b, bool caseSensitive)
{
    ++g_compares;
    return AsciiFoldCompare(a, b, caseSensitive);
}

} // namespace

// Many words at once leave the list exactly as adding them one by one does,
// for either duplicates rule and case flag, in any order of the file.
TEST(ReserveWords, ManyWordsAtOnceAsOneByOne)
{
    std::mt19937 rng(11);
    const std::string alphabet = "abAB_\x82\xA0";
    std::vector<std::string> shuffled;
    for (int i = 0; i < 2000; ++i) {
        std::string w;
        for (int k = 1 + rng() % 4; k > 0; --k) w += alphabet[rng() % alphabet.size()];
        shuffled.push_back(w);
    }
    for (bool cs : {false, true})
        for (TDuplicates dup : {dupIgnore, dupAccept}) {
            auto less = [cs](const std::string& a, const std::string& b) { return AsciiFoldCompare(a, b, cs) < 0; };
            std::vector<std::string> sorted = shuffled;
            std::stable_sort(sorted.begin(), sorted.end(), less);
            std::vector<std::string> reversed(sorted.rbegin(), sorted.rend());
            std::vector<std::string> distinct = sorted;
            distinct.erase(std::unique(distinct.begin(), distinct.end(),
                                       [cs](const std::string& a, const std::string& b) { return AsciiFoldCompare(a, b, cs) == 0; }),
                           distinct.end());
            std::vector<std::string> distinctReversed(distinct.rbegin(), distinct.rend());
            for (const auto* words : {&shuffled, &sorted, &reversed, &distinct, &distinctReversed}) {
                TReserveWordList one = MakeList(cs), many = MakeList(cs);
                one.SetDuplicates(dup);
                many.SetDuplicates(dup);
                for (const auto& w : *words) one.Add(w);
                many.AddMany(*words);
                ASSERT_EQ(many.Items(), one.Items()) << cs << " " << dup << " " << (words - &shuffled);
            }
        }
}

// A sorted or reverse-sorted keyword file costs one comparison per word,
// and a copy into a list of the same kind none.
TEST(ReserveWords, SortedFilesInOnePass)
{
    std::vector<std::string> words;
    for (int i = 0; i < 50'000; ++i) {
        char w[16];
        std::snprintf(w, sizeof w, "kw%06d", i);
        words.push_back(w);
    }
    for (bool reverse : {false, true}) {
        std::vector<std::string> file = words;
        if (reverse) std::reverse(file.begin(), file.end());
        TReserveWordList list = MakeList(false, CountingCompare);
        g_compares = 0;
        list.AddMany(file);
        EXPECT_LT(g_compares, static_cast<long>(words.size())) << reverse;
        EXPECT_EQ(list.Items(), std::vector<std::string_view>(words.begin(), words.end()));

        TReserveWordList copy = MakeList(true, CountingCompare);
        g_compares = 0;
        copy.Assign(list);
        EXPECT_EQ(g_compares, 0);
        EXPECT_FALSE(copy.CaseSensitive());
        EXPECT_EQ(copy.Items(), list.Items());
    }
}
