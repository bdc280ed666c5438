#include <gtest/gtest.h>

#include <string>

#if !defined(_WIN32)
#include <sys/mman.h>
#endif

#include "textcode/search.h"

using namespace vellumo;
using namespace std::string_literals;

namespace {

constexpr TSearchFlags kDown = sfDown;
constexpr TSearchFlags kNone = static_cast<TSearchFlags>(0);

// Offset of the first match from offset 0 forward, and its length.
struct Hit {
    int pos;
    int len;
    bool operator==(const Hit&) const = default;
};
std::ostream& operator<<(std::ostream& os, const Hit& h) { return os << "{" << h.pos << "," << h.len << "}"; }

Hit Find(const std::string& buf, const std::string& pattern, TSearchFlags flags = kDown, int start = 0, int length = 0)
{
    int len = length;
    const int pos = SearchBuffer(buf, start, len, pattern, flags);
    return {pos, pos < 0 ? 0 : len};
}

TEST(Search, NeverStartsOnATrailByte)
{
    // 表 is 95 5C and ア is 83 41: their trail bytes are "\" and "A".
    const std::string hyo = "\x95\x5C\x95\x5C\x95\x5C";
    const std::string a = "\x83\x41\x83\x41";
    for (unsigned f = 0; f < 0x200; f += 0x01) {
        const auto flags = static_cast<TSearchFlags>(f);
        int len = 0;
        EXPECT_EQ(SearchBuffer(hyo, (f & sfDown) ? 0 : 6, len, "\\", flags), -1) << f;
        len = 0;
        EXPECT_EQ(SearchBuffer(a, (f & sfDown) ? 0 : 4, len, "A", flags), -1) << f;
    }
    // After a single byte the same value starts a character and is found.
    EXPECT_EQ(Find(hyo + "\\", "\\"), (Hit{6, 1}));
    EXPECT_EQ(Find(a + "a", "A", kDown), (Hit{4, 1}));
    // A start on a trail byte moves to the next character.
    EXPECT_EQ(Find("\x95\x5C\\", "\\", kDown, 1), (Hit{2, 1}));
}

TEST(Search, EveryDoubleByteCodeFindsItselfWithoutMatchCase)
{
    // The text copy of every code must be found again, whatever folding
    // the pattern goes through (e.g. FA 40 and EE EF fold like 87 54).
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (lead > 0x9F && lead < 0xE0) continue;
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            if (trail == 0x7F) continue;
            const std::string code{static_cast<char>(lead), static_cast<char>(trail)};
            // 7F has no full-width form and no case, so only あ can collide.
            const std::string buf = "\x82\xA0\x7F" + code + "\x81\x40" + code;
            const int first = code == "\x82\xA0" ? 0 : 3;
            for (TSearchFlags extra : {kNone, sfIgnoreWidth}) {
                int len = 0;
                ASSERT_EQ(SearchBuffer(buf, 0, len, code, sfDown | extra), first) << std::hex << lead << " " << trail;
                ASSERT_EQ(len, 2);
                len = 0;
                ASSERT_EQ(SearchBuffer(buf, 9, len, code, extra), 7) << std::hex << lead << " " << trail;
                ASSERT_EQ(len, 2);
            }
        }
    }
}

TEST(Search, CaseMatrix)
{
    struct Case {
        const char* pattern;
        std::string text;
    };
    const Case cases[] = {
        {"aBC", "Abc"},
        {"ＡＢＣ", "ａｂｃ"},
        {"ΣΩ", "σω"},
        {"ЖЯ", "жя"},
        {"ЁО", "ёо"},  // both halves of the lower-case Cyrillic rows
        {"ⅠⅩ", "\xEE\xEF\xEE\xF8"},
        {"\xEE\xEF", "Ⅰ"},
    };
    for (const Case& c : cases) {
        const std::string buf = "\x82\xA0" + c.text + "!";
        EXPECT_EQ(Find(buf, c.pattern).pos, 2) << c.pattern;
        EXPECT_EQ(Find(buf, c.pattern, sfDown | sfMatchCase).pos, -1) << c.pattern;
        EXPECT_EQ(Find(buf, c.text, sfDown | sfMatchCase).pos, 2) << c.pattern;
        // The same with width folding on.
        EXPECT_EQ(Find(buf, c.pattern, sfDown | sfIgnoreWidth).pos, 2) << c.pattern;
    }
    // Characters next to the folded ranges stay apart.
    EXPECT_EQ(Find("@[`{", "`").pos, 2);
    EXPECT_EQ(Find("\x82\x80\x82\x9B", "\x82\x5F").pos, -1);
    EXPECT_EQ(Find("\x84\x7F\x84\x92", "\x84\x4F").pos, -1);
    // A half-width letter is not a full-width one without width folding.
    EXPECT_EQ(Find("ａ", "A").pos, -1);
}

TEST(Search, WidthFolding)
{
    const TSearchFlags w = sfDown | sfIgnoreWidth;
    EXPECT_EQ(Find("xｶﾞy", "ガ", w), (Hit{1, 2}));
    EXPECT_EQ(Find("ガ", "ｶﾞ", w), (Hit{0, 2}));
    EXPECT_EQ(Find("xｶﾞ", "ｶ", w).pos, -1);  // the joined character is ガ
    EXPECT_EQ(Find("ﾊﾟﾋﾞｳﾞ", "パビヴ", w), (Hit{0, 6}));
    // ﾟ joins only the ha row: ｶﾟ is カ and ゜, never キ.
    EXPECT_EQ(Find("ｶﾟ", "キ", w).pos, -1);
    EXPECT_EQ(Find("キ", "ｶﾟ", w).pos, -1);
    EXPECT_EQ(Find("ｶﾟ", "カ゜", w), (Hit{0, 2}));
    EXPECT_EQ(Find("ｳﾟ", "ウ゜", w), (Hit{0, 2}));
    EXPECT_EQ(Find("ＡＢＣ", "ABC", w), (Hit{0, 6}));
    EXPECT_EQ(Find("ABC", "ＡＢＣ", w), (Hit{0, 3}));
    EXPECT_EQ(Find("abc", "ＡＢＣ", w), (Hit{0, 3}));
    EXPECT_EQ(Find("abc", "ＡＢＣ", w | sfMatchCase).pos, -1);
    EXPECT_EQ(Find("ａｂｃ", "abc", w | sfMatchCase), (Hit{0, 6}));
    // The middle dot's full-width form is ・, not the full stop.
    EXPECT_EQ(Find("a･b", "・", w), (Hit{1, 1}));
    EXPECT_EQ(Find("a･b", "．", w).pos, -1);
    EXPECT_EQ(Find("\\~", "￥￣", w), (Hit{0, 2}));
    EXPECT_EQ(Find("x y", "　", w), (Hit{1, 1}));
    // The last candidate counts characters: one byte may stand for two.
    EXPECT_EQ(Find("xyzAB", "ＡＢ", w), (Hit{3, 2}));
    EXPECT_EQ(HanToZen("ｱｲｳ ABC"), "アイウ　ＡＢＣ");
}

TEST(Search, WholeWord)
{
    const TSearchFlags ww = sfDown | sfWholeWord;
    EXPECT_EQ(Find("xab", "ab", ww).pos, -1);
    EXPECT_EQ(Find("abx", "ab", ww).pos, -1);
    EXPECT_EQ(Find("x ab.", "ab", ww), (Hit{2, 2}));
    EXPECT_EQ(Find("ab", "ab", ww), (Hit{0, 2}));
    EXPECT_EQ(Find("x-ab", "ab", ww), (Hit{2, 2}));
    EXPECT_EQ(Find("abab ab", "ab", ww), (Hit{5, 2}));
    EXPECT_EQ(Find("_ab ab_ ab", "ab", ww), (Hit{8, 2}));
    // A double-byte character is a word character through both bytes, so
    // whether a word follows it no longer depends on its trail byte.
    EXPECT_EQ(Find("\x82\xA0" "ab", "ab", ww).pos, -1);  // あ: trail A0
    EXPECT_EQ(Find("\x8A\xBF" "ab", "ab", ww).pos, -1);  // 漢: trail BF
    EXPECT_EQ(Find("\x95\x5C" "ab", "ab", ww).pos, -1);  // 表: trail 5C
    EXPECT_EQ(Find("\x82\xA0 ab", "ab", ww), (Hit{3, 2}));
    EXPECT_EQ(Find("ab\x82\xA0", "ab", ww).pos, -1);
    EXPECT_EQ(Find("漢字 漢字の", "漢字", ww), (Hit{0, 4}));
    EXPECT_EQ(Find("漢字の 漢字", "漢字", ww), (Hit{7, 4}));
    // Backward, a candidate that starts a word is tried before earlier words.
    int len = 0;
    EXPECT_EQ(SearchBuffer("ab ab ab", 8, len, "ab", sfWholeWord), 6);
    len = 0;
    EXPECT_EQ(SearchBuffer("ab xab ab", 7, len, "ab", sfWholeWord), 0);
    // The byte after the buffer's NUL is not looked at.
    EXPECT_EQ(Find("x ab\0cd"s, "ab", ww), (Hit{2, 2}));
    // The full-width space, punctuation and symbols separate words, whatever
    // their trail bytes; kana, kanji and full-width letters do not.
    EXPECT_EQ(Find("　ab", "ab", ww), (Hit{2, 2}));
    EXPECT_EQ(Find("、ab。", "ab", ww), (Hit{2, 2}));
    EXPECT_EQ(Find("\x81\x5C" "ab\x81\x7B", "ab", ww), (Hit{2, 2}));  // ― and ＋: trail bytes "\" and "{"
    EXPECT_EQ(Find("「漢字」", "漢字", ww), (Hit{2, 4}));
    EXPECT_EQ(Find("ａab ab", "ab", ww), (Hit{5, 2}));
    EXPECT_EQ(Find("ab０ ab", "ab", ww), (Hit{5, 2}));
    len = 0;
    EXPECT_EQ(SearchBuffer("ab　ab", 6, len, "ab", sfWholeWord), 4);
}

TEST(Search, SkipLineBreaksAndBlanks)
{
    EXPECT_EQ(Find("ab\r\ncd", "abcd", sfDown | sfSkipLineBreaks), (Hit{0, 6}));
    EXPECT_EQ(Find("ab\r\ncd", "abcd", sfDown).pos, -1);
    EXPECT_EQ(Find("ab\r\ncd", "abcd", sfDown | sfSkipBlanks).pos, -1);
    // Breaks before the first character are not skipped; the match starts after them.
    EXPECT_EQ(Find("\r\nabcd", "abcd", sfDown | sfSkipLineBreaks), (Hit{2, 4}));
    EXPECT_EQ(Find("a \t　b", "ab", sfDown | sfSkipBlanks), (Hit{0, 6}));
    EXPECT_EQ(Find("a \t　b", "ab", sfDown | sfSkipLineBreaks).pos, -1);
    // A blank that matches the pattern is matched, not skipped.
    EXPECT_EQ(Find("a  b", "a b", sfDown | sfSkipBlanks), (Hit{0, 4}));
    EXPECT_EQ(Find("ab\n \r\ncd", "abcd", sfDown | sfSkipBlanks | sfSkipLineBreaks), (Hit{0, 8}));
    // With width folding the full-width space in the pattern matches a space.
    EXPECT_EQ(Find("x\r\ny z", "xy　z", sfDown | sfSkipLineBreaks | sfIgnoreWidth), (Hit{0, 6}));
    // Skipped bytes never run past the end of the buffer.
    EXPECT_EQ(Find("ab\r\n\r\n", "abc", sfDown | sfSkipLineBreaks).pos, -1);
    // A full-width space whose lead byte is a trail is not a blank.
    EXPECT_EQ(Find("a\x81\x81\x40" "b", "ab", sfDown | sfSkipBlanks).pos, -1);
}

TEST(Search, BackwardFindsTheNearestMatchBeforeTheSelection)
{
    const std::string buf = "abcabcabc";
    int len = 3;
    // From a selection at 6, the nearest match starting at or before 6 - 3.
    EXPECT_EQ(SearchBuffer(buf, 6, len, "abc", kNone), 3);
    len = 0;
    EXPECT_EQ(SearchBuffer(buf, 5, len, "abc", kNone), 0);
    len = 0;
    EXPECT_EQ(SearchBuffer(buf, 2, len, "abc", kNone), -1);
    len = 0;
    EXPECT_EQ(SearchBuffer(buf, 9, len, "abc", kNone), 6);
    // Stepping back onto a trail byte moves one further back.
    len = 0;
    EXPECT_EQ(SearchBuffer("a\x95\x5C" "bc", 4, len, "bc", kNone), -1);
    len = 0;
    EXPECT_EQ(SearchBuffer("\x95\x5C" "a\x95\x5C", 5, len, "\x5C" "a", kNone), -1);
    // With width folding the step counts characters: ｶﾞ is one.
    len = 0;
    EXPECT_EQ(SearchBuffer("ｶﾞｶﾞ", 4, len, "ガ", sfIgnoreWidth), 2);
    EXPECT_EQ(len, 2);
    len = 0;
    EXPECT_EQ(SearchBuffer("ｶﾟｶﾟ", 4, len, "ｶﾟ", sfIgnoreWidth), 2);
    len = 0;
    EXPECT_EQ(SearchBuffer("ｶﾞ", 1, len, "ガ", sfIgnoreWidth), 0);
    len = 0;
    EXPECT_EQ(SearchBuffer("ｶﾞ", 2, len, "ガガ", sfIgnoreWidth), -1);
}

TEST(Search, BoundsAndEmptyInputs)
{
    int start = 0, len = 0;
    EXPECT_FALSE(SearchBufferPos("", start, len, "a", kDown));
    EXPECT_FALSE(SearchBufferPos("\0a"s, start, len, "a", kDown));
    EXPECT_FALSE(SearchBufferPos("abc", start, len, "", kDown));
    EXPECT_EQ(SearchBuffer("abc", 0, len, "", kDown), -1);
    for (int s : {-1, 7, 1000}) {
        len = 0;
        EXPECT_EQ(SearchBuffer("abcabc", s, len, "a", kDown), -1) << s;
        EXPECT_EQ(SearchBuffer("abcabc", s, len, "a", kNone), -1) << s;
    }
    len = 0;
    EXPECT_EQ(SearchBuffer("abcabc", 4, len, "a", kDown), -1);
    EXPECT_EQ(SearchBuffer("abcabc", 6, len, "a", kNone), 3);
    len = -1;
    EXPECT_EQ(SearchBuffer("abc", 0, len, "a", kDown), -1);
    EXPECT_EQ(len, -1);
    len = 0x7FFFFFFF;
    EXPECT_EQ(SearchBuffer("abc", 1, len, "a", kDown), -1);  // start + length past the end
    // An empty view has no bytes at all.
    for (TSearchFlags f : {kDown, kNone, sfDown | sfWholeWord | sfIgnoreWidth}) {
        len = 0;
        EXPECT_EQ(SearchBuffer(std::string_view(), 0, len, "a", f), -1);
        EXPECT_FALSE(SearchBufferPos(std::string_view(), start, len, "a", f));
    }
    // Nothing after the NUL is searched, and the pattern must fit before it.
    len = 0;
    EXPECT_EQ(SearchBuffer("ab\0ab"s, 0, len, "ab\0"s, kDown), -1);
    EXPECT_EQ(SearchBuffer("xx\0ab"s, 0, len, "ab", kDown), -1);
    EXPECT_EQ(SearchBuffer("xx\0ab"s, 4, len, "ab", kDown), -1);
    // A lead byte at the very end stands alone; a lone lead at the
    // pattern's end only matches it there.
    EXPECT_EQ(Find("a\x82\xA0", "a\x82"s).pos, -1);
    EXPECT_EQ(Find("a\x82\xA0" "a\x82", "a\x82"s), (Hit{3, 2}));
    EXPECT_EQ(Find("a\x82\xA0" "a\x82", "a\x82"s, sfDown | sfIgnoreWidth | sfSkipBlanks), (Hit{3, 2}));

    start = 2;
    len = 1;
    ASSERT_TRUE(SearchBufferPos("abcabc", start, len, "bc", kDown));
    EXPECT_EQ(start, 4);
    EXPECT_EQ(len, 2);
    ASSERT_TRUE(SearchBufferPos("abcabc", start, len, "BC", kNone));
    EXPECT_EQ(start, 1);
    EXPECT_FALSE(SearchBufferPos("abcabc", start, len, "BC", kNone));
    EXPECT_EQ(start, 1);
}

// Buffers made of one long run of lead-range bytes: a search that decides
// trail bytes by looking back over the run at every candidate would take
// quadratic time here.
TEST(Search, LongDoubleByteRunsStayLinear)
{
    std::string buf;
    for (int i = 0; i < 500000; ++i) buf += "\x82\x9F";  // ぁ
    const std::string tail = "\x82\x9F\x82\xE0";         // ぁみ
    int len = 0;
    EXPECT_EQ(SearchBuffer(buf + tail, 0, len, "\x9F\x82", kDown), -1);
    EXPECT_EQ(SearchBuffer(buf + tail, 0, len, tail, kDown), 1000000);
    len = 0;
    EXPECT_EQ(SearchBuffer("\x82" + buf, 1000001, len, "\x82\x9F", kNone), -1);
    len = 0;
    EXPECT_EQ(SearchBuffer(buf, 1000000, len, "\x82\x9F\x82\x9F", sfWholeWord), -1);
    EXPECT_EQ(SearchBuffer(buf, 1000000, len, "\x82\x9F\x82\x9F", kNone), 999996);
}

#if !defined(_WIN32)
// A call reads only what it needs: the buffer handed over claims 64 MB,
// of which only the first page can be read. A match, a NUL or the end of
// the selection stops every search long before the unreadable part.
TEST(Search, ReadsNoFurtherThanItNeeds)
{
    const std::size_t page = 4096, claimed = 64u << 20;
    void* mem = mmap(nullptr, claimed, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    ASSERT_NE(mem, MAP_FAILED);
    ASSERT_EQ(mprotect(mem, page, PROT_READ | PROT_WRITE), 0);
    char* p = static_cast<char*>(mem);
    const std::string text = "the quick brown fox jumps over the lazy dog " + std::string(2000, 'x') + "\0";
    std::copy(text.begin(), text.end(), p);
    const std::string_view buf(p, claimed);
    for (TSearchFlags f : {kDown, sfDown | sfMatchCase, sfDown | sfWholeWord, sfDown | sfIgnoreWidth | sfSkipBlanks}) {
        int start = 0, len = 0, count = 0;
        while (SearchBufferPos(buf, start, len, "the", f)) ++count;
        EXPECT_EQ(count, 2) << f;
        len = 0;
        EXPECT_EQ(SearchBuffer(buf, 0, len, "cat", f), -1) << f;
    }
    munmap(mem, claimed);
}
#endif

} // namespace
