// The engine against the plain reference search, on random buffers built
// from the characters where the rules differ, under every flag combination.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "textcode/search.h"
#include "search_reference.h"

using namespace vellumo;

namespace {

const std::vector<std::string>& Pieces()
{
    static const std::vector<std::string> pieces = {
        "a", "A", "b", "B", "z", "_", "1", " ", " ", "\t", "\r", "\n", "\r\n", ".", "@", "\\", "~", "`", "[",
        "ａ", "Ａ", "ｂ", "Ｂ", "　", "＠", "￥", "．", "・", "α", "Α", "ж", "Ж", "ё", "Ё", "о", "О",
        "\xEE\xEF", "Ⅰ", "\xFA\x40",
        "ｶ", "ﾞ", "ﾟ", "ﾊ", "ｳ", "ｰ", "･", "ｶﾞ", "ﾊﾟ", "ｶﾟ", "ガ", "パ", "カ", "キ", "ヴ", "゛",
        "\x95\x5C",  // 表
        "\x83\x41",  // ア
        "\x82\xA0",  // あ
        "\x8A\xBF",  // 漢
        "\x82\x9F",  // ぁ, both bytes in the lead range
        "\x81\x81", "\xE0\x40", "\x81", "\xFD", "\x80", "\xA0",
    };
    return pieces;
}

std::string RandomText(std::mt19937& rng, int maxPieces)
{
    const auto& pieces = Pieces();
    std::string s;
    const int n = std::uniform_int_distribution<int>(0, maxPieces)(rng);
    for (int i = 0; i < n; ++i) {
        if (rng() % 40 == 0) s += static_cast<char>(1 + rng() % 255);  // any byte but NUL
        else s += pieces[rng() % pieces.size()];
    }
    return s;
}

TEST(SearchRandom, MatchesTheReferenceUnderEveryFlagCombination)
{
    std::mt19937 rng(20261208);
    const unsigned engineBits[] = {sfDown, sfMatchCase, sfWholeWord, sfIgnoreWidth, sfSkipLineBreaks, sfSkipBlanks};
    int found = 0;
    for (int round = 0; round < 2500; ++round) {
        std::string buf = RandomText(rng, 24);
        if (rng() % 10 == 0) buf += std::string(1, '\0') + RandomText(rng, 4);
        std::string pattern;
        if (!buf.empty() && rng() % 3) {
            // A piece of the buffer itself, possibly cutting a character.
            const std::size_t a = rng() % buf.size();
            pattern = buf.substr(a, 1 + rng() % 6);
        } else {
            while (pattern.empty()) pattern = RandomText(rng, 3);
        }
        const int size = static_cast<int>(buf.size());
        const int start = std::uniform_int_distribution<int>(-1, size + 1)(rng);
        const int length = std::uniform_int_distribution<int>(-1, 3)(rng);
        const unsigned other = rng() % 8 == 0 ? (sfFindNext | sfReplaceAll | sfConfirm | 0x8000) : 0;
        for (unsigned combo = 0; combo < 64; ++combo) {
            unsigned flags = other;
            for (int b = 0; b < 6; ++b)
                if (combo & (1u << b)) flags |= engineBits[b];
            // Half of the searches run over the whole buffer.
            const int from = rng() % 2 ? start : (flags & sfDown) ? 0 : size;
            int len = length;
            const int pos = SearchBuffer(buf, from, len, pattern, static_cast<TSearchFlags>(flags));
            const searchref::Result want = searchref::Search(buf, from, length, pattern, flags);
            ASSERT_EQ(pos, want.pos) << "flags " << std::hex << flags << std::dec << " start " << from << " length "
                                     << length << " round " << round;
            ASSERT_EQ(len, pos < 0 ? length : want.len) << "flags " << std::hex << flags << " round " << std::dec << round;
            if (pos >= 0) ++found;
        }
    }
    // The generator must produce matches often enough to mean something.
    EXPECT_GT(found, 2500 * 64 / 20);
}

// Longer buffers with few distinct characters make long runs, many
// candidates and long skips; SearchBufferPos is checked as the editor uses it,
// stepping through every match in both directions.
TEST(SearchRandom, SteppingThroughAllMatches)
{
    std::mt19937 rng(7);
    const std::vector<std::string> pieces = {"a", "A", "\x82\x9F", "\x82\x81", "\x82\x60", " ", "\r\n", "ｶﾞ", "ガ"};
    for (int round = 0; round < 300; ++round) {
        std::string buf;
        const int n = 50 + static_cast<int>(rng() % 400);
        for (int i = 0; i < n; ++i) buf += pieces[rng() % pieces.size()];
        std::string pattern;
        for (int i = 1 + static_cast<int>(rng() % 3); i > 0; --i) pattern += pieces[rng() % 5];
        const auto flags = static_cast<TSearchFlags>(((rng() % 64) & ~sfDown & 0x10F) | ((rng() % 4) << 7));
        for (TSearchFlags dir : {sfDown, static_cast<TSearchFlags>(0)}) {
            int start = dir ? 0 : static_cast<int>(buf.size()), len = 0, count = 0;
            for (;;) {
                const searchref::Result want = searchref::Search(buf, start, len, pattern, flags | dir);
                const int oldStart = start;
                const bool ok = SearchBufferPos(buf, start, len, pattern, flags | dir);
                ASSERT_EQ(ok, want.pos >= 0) << round;
                if (!ok) {
                    EXPECT_EQ(start, oldStart);
                    break;
                }
                ASSERT_EQ(start, want.pos) << round;
                ASSERT_EQ(len, want.len) << round;
                ASSERT_LE(++count, static_cast<int>(buf.size()));
                if (!dir) len = 0;
            }
        }
    }
}

} // namespace
