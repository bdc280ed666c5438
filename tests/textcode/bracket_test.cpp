#include <gtest/gtest.h>

#include <climits>
#include <ctime>
#include <random>
#include <string>

#include "textcode/bracket.h"

using namespace vellumo;
using namespace std::string_literals;

namespace {

int Match(const std::string& text, int pos, std::string* partner = nullptr)
{
    std::string p = "junk";
    const int r = MatchBracket(text, pos, p);
    if (partner) *partner = p;
    return r;
}

TEST(MatchBracket, NestingOfTheSameKind)
{
    const std::string t = "a(b(x)d)e";
    std::string partner;
    EXPECT_EQ(Match(t, 2, &partner), 8);
    EXPECT_EQ(partner, ")");
    EXPECT_EQ(Match(t, 8, &partner), 2);
    EXPECT_EQ(partner, "(");
    EXPECT_EQ(Match(t, 4), 6);
    EXPECT_EQ(Match(t, 6), 4);
    // Other kinds in between do not count.
    EXPECT_EQ(Match("(<]>)", 1), 5);
    EXPECT_EQ(Match("{[}]", 1), 3);
}

TEST(MatchBracket, DoubleByteBrackets)
{
    // 「あ」: the partner is the first byte of the closing bracket.
    const std::string t = "\x81\x75\x82\xA0\x81\x76";
    std::string partner;
    EXPECT_EQ(Match(t, 1, &partner), 5);
    EXPECT_EQ(partner, "\x81\x76");
    EXPECT_EQ(Match(t, 5, &partner), 1);
    EXPECT_EQ(partner, "\x81\x75");
    // Every pair of the table, nested inside its own kind.
    const char* pairs[][2] = {{"『", "』"}, {"〔", "〕"}, {"《", "》"}, {"「", "」"}, {"（", "）"}, {"［", "］"},
                              {"｛", "｝"}, {"〈", "〉"}, {"【", "】"}, {"＜", "＞"}, {"≪", "≫"}, {"“", "”"},
                              {"‘", "’"}, {"〝", "〟"}, {"(", ")"}, {"<", ">"}, {"{", "}"}, {"[", "]"}};
    for (const auto& p : pairs) {
        const std::string open = p[0], close = p[1];
        const std::string text = "x" + open + open + "y" + close + close;
        const int w = static_cast<int>(open.size());
        EXPECT_EQ(Match(text, 2, &partner), 2 + 2 * w + 1 + w) << open;
        EXPECT_EQ(partner, close);
        EXPECT_EQ(Match(text, 2 + 2 * w + 1 + w, &partner), 2) << open;
        EXPECT_EQ(partner, open);
    }
}

TEST(MatchBracket, TrailBytesAreNotBrackets)
{
    // 8F 5B and 8A 7B have the codes of "[" and "{" as trail bytes; ≪ is
    // 81 E1, all of it in the lead range.
    EXPECT_EQ(Match("[\x8F\x5B]", 1), 4);
    EXPECT_EQ(Match("[\x8F\x5B]", 4), 1);
    EXPECT_EQ(Match("{\x8A\x7B\x8A\x7B}", 6), 1);
    EXPECT_EQ(Match("{\x8A\x7B\x8A\x7B}", 1), 6);
    EXPECT_EQ(Match("(\x8A)\x8A" ")", 1), 0);  // both ")" are trail bytes
    EXPECT_EQ(Match("\x81\xE1\x88\x81\xE1" "a\x81\xE2", 1), 7);
    // A position on a trail byte holds no bracket, whatever the byte's value.
    std::string partner;
    EXPECT_EQ(Match("[\x8F\x5B]", 3, &partner), 0);
    EXPECT_EQ(partner, "");
    EXPECT_EQ(Match("\x8A\x7B}", 2, &partner), 0);
    EXPECT_EQ(Match("\x88\x81\xE1" "a\x81\xE2", 2), 0);  // ≪ shifted onto a trail byte
}

TEST(MatchBracket, NoPartner)
{
    std::string partner;
    EXPECT_EQ(Match("((a)", 1, &partner), 0);
    EXPECT_EQ(partner, ")");  // the partner's text is still given
    EXPECT_EQ(Match("(a))", 4), 0);
    EXPECT_EQ(Match("abc", 2, &partner), 0);
    EXPECT_EQ(partner, "");
    for (int pos : {0, -1, 4, 5, INT_MIN, INT_MAX}) {
        EXPECT_EQ(Match("(a)", pos, &partner), 0) << pos;
        EXPECT_EQ(partner, "") << pos;
    }
    EXPECT_EQ(Match("", 1, &partner), 0);
    // A lead byte at the very end is not the start of a two-byte bracket.
    EXPECT_EQ(Match("ab\x81", 3, &partner), 0);
    EXPECT_EQ(partner, "");
    EXPECT_EQ(Match("\x81\x75x\x81", 1), 0);
    // A closing bracket at position 1 has nothing before it.
    EXPECT_EQ(Match(")", 1), 0);
    EXPECT_EQ(Match("(", 1), 0);
}

// A megabyte of double-byte text inside the brackets, with a bracket at
// every character: linear time, even where the whole text is one run of
// lead-range bytes.
TEST(MatchBracket, LongDoubleByteTextTakesLinearTime)
{
    const std::clock_t t0 = std::clock();
    std::string nested = "\x81\xE1";  // ≪
    for (int i = 0; i < 262144; ++i) nested += "\x81\xE1\x81\xE2";
    nested += "\x81\xE2";
    const int last = static_cast<int>(nested.size()) - 1;
    EXPECT_EQ(Match(nested, 1), last);
    EXPECT_EQ(Match(nested, last), 1);
    // Shifted by one lead byte every inner bracket sits on a trail byte.
    const std::string shifted = "\x81\xE1\x88" + nested.substr(2, nested.size() - 4) + "\x81\xE2";
    EXPECT_EQ(Match(shifted, 1), 0);
    std::string kanji = "\x81\x69";
    for (int i = 0; i < 500000; ++i) kanji += "\x8A\xBF";
    kanji += "\x81\x6A";
    EXPECT_EQ(Match(kanji, 1), 1000003);
    EXPECT_LT(static_cast<double>(std::clock() - t0) / CLOCKS_PER_SEC, 5.0);
}

// Plain reference: lead/trail by walking from the start, brackets tried
// byte by byte with the first table hit, depth counted as described.
int ReferenceMatch(const std::string& t, int pos)
{
    static const std::vector<std::pair<std::string, std::string>> table = {
        {"(", ")"}, {"<", ">"}, {"{", "}"}, {"[", "]"}, {"『", "』"}, {"〔", "〕"}, {"《", "》"},
        {"「", "」"}, {"（", "）"}, {"［", "］"}, {"｛", "｝"}, {"〈", "〉"}, {"【", "】"},
        {"＜", "＞"}, {"≪", "≫"}, {"“", "”"}, {"‘", "’"}, {"〝", "〟"}};
    if (pos < 1 || pos > static_cast<int>(t.size())) return 0;
    std::vector<bool> trail(t.size() + 1, false);
    for (std::size_t i = 0; i < t.size(); ++i) {
        const unsigned char b = static_cast<unsigned char>(t[i]);
        if (((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC)) && i + 1 < t.size()) trail[++i] = true;
    }
    auto at = [&](int i, const std::string& s) { return t.compare(i, s.size(), s) == 0 && i + s.size() <= t.size(); };
    if (trail[pos - 1]) return 0;
    for (const auto& [open, close] : table) {
        const bool isOpen = at(pos - 1, open);
        if (!isOpen && !at(pos - 1, close)) continue;
        int depth = 0;
        const int step = isOpen ? 1 : -1;
        const std::string& same = isOpen ? open : close;
        const std::string& other = isOpen ? close : open;
        for (int i = pos - 1; i >= 0 && i + other.size() <= t.size(); i += step) {
            if (trail[i]) continue;
            if (at(i, same)) ++depth;
            else if (at(i, other) && --depth == 0) return i + 1;
        }
        return 0;
    }
    return 0;
}

TEST(MatchBracket, MatchesTheReferenceOnRandomText)
{
    std::mt19937 rng(42);
    const std::vector<std::string> pieces = {"(", ")", "[", "]", "「", "」", "≪", "≫", "\x8F\x5B", "\x8A\x28",
                                             "\x82\x9F", "\x81", "a", " ", "\x81\x29"};
    int hits = 0;
    for (int round = 0; round < 3000; ++round) {
        std::string t;
        for (int i = static_cast<int>(rng() % 30); i > 0; --i) t += pieces[rng() % pieces.size()];
        for (int pos = 0; pos <= static_cast<int>(t.size()) + 1; ++pos) {
            const int want = ReferenceMatch(t, pos);
            ASSERT_EQ(Match(t, pos), want) << round << " " << pos;
            hits += want > 0;
        }
    }
    EXPECT_GT(hits, 1000);
}

} // namespace
