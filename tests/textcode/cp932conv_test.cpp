// The code page 932 tables and the one-pass conversions from UTF-8 and
// UTF-16 and back. The Windows tests hold the tables against the system's
// conversion; these hold the conversions against each other and against
// the cases that decide the escapes.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "textcode/charcode.h"
#include "textcode/cp932.h"
#include "textcode/cp932conv.h"

using namespace vellumo;
using namespace std::string_literals;

namespace {

std::string FromUtf8(const std::string& utf8, bool* unmappable = nullptr)
{
    std::string out = "junk";
    bool u = false;
    Utf8ToCp932(utf8, out, u);
    EXPECT_EQ(u, Utf8HasUnmappable(utf8)) << utf8;
    if (unmappable) *unmappable = u;
    return out;
}

std::string Utf16Le(const std::u16string& s)
{
    std::string b;
    for (char16_t c : s) {
        b += static_cast<char>(c & 0xFF);
        b += static_cast<char>(c >> 8);
    }
    return b;
}

TEST(Cp932Tables, KnownCodesBothWays)
{
    const TCp932Tables& t = Cp932Tables();
    struct {
        unsigned code, unit;
    } both[] = {{0x82A0, 0x3042}, {0x889F, 0x4E9C}, {0x8160, 0xFF5E}, {0x815F, 0xFF3C}, {0x8145, 0x30FB},
                {0x8754, 0x2160}, {0xFA40, 0x2170}, {0xFA5C, 0x7E8A}, {0xF040, 0xE000}, {0xF9FC, 0xE757},
                {0xB1, 0xFF71},   {0x5C, 0x5C},     {0x80, 0x80},     {0xA0, 0xF8F0},   {0xFF, 0xF8F3}};
    for (const auto& c : both) {
        const unsigned u = c.code < 0x100 ? t.single[c.code] : t.pair[t.row[c.code >> 8]][c.code & 0xFF];
        EXPECT_EQ(u, c.unit) << std::hex << c.code;
        EXPECT_EQ(t.code[c.unit], c.code) << std::hex << c.unit;
    }
    // Second codes of a character read as it, and go back as the first.
    EXPECT_EQ(t.pair[t.row[0xED]][0x40], 0x7E8A);  // NEC-selected copy of FA5C
    EXPECT_EQ(t.pair[t.row[0xEE]][0xEF], 0x2170);  // of FA40
    EXPECT_EQ(t.pair[t.row[0x87]][0x90], 0x2252);
    EXPECT_EQ(t.code[0x2252], 0x81E0);
    // No character: a pair, a lead byte alone; and units without a code.
    EXPECT_EQ(t.pair[t.row[0x85]][0x40], kCp932Unknown);
    EXPECT_EQ(t.pair[t.row[0x81]][0x0A], kCp932Unknown);
    EXPECT_EQ(t.single[0x81], kCp932Unknown);
    for (unsigned u : {0xA5u, 0x203Eu, 0x301Cu, 0xD55Cu, 0xFFFDu, 0xD800u}) EXPECT_EQ(t.code[u], kNoCp932) << std::hex << u;
}

TEST(Cp932Tables, EveryCharacterComesBackAsItsFirstCode)
{
    const TCp932Tables& t = Cp932Tables();
    int characters = 0, units = 0;
    for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
        if (t.row[lead] == kNoRow) continue;
        for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
            const unsigned u = t.pair[t.row[lead]][trail];
            if (trail == 0x7F || u == kCp932Unknown) continue;
            ++characters;
            EXPECT_FALSE(u >= 0xD800 && u <= 0xDFFF) << std::hex << lead << trail;
            const unsigned back = t.code[u];
            ASSERT_NE(back, kNoCp932);
            EXPECT_EQ(t.pair[t.row[back >> 8]][back & 0xFF], u);
            if (back != (lead << 8 | trail)) {
                EXPECT_TRUE(lead == 0x87 || lead == 0xED || lead == 0xEE || lead >= 0xFA);
            }
        }
    }
    for (unsigned u = 0; u < 0x10000; ++u) units += t.code[u] != kNoCp932;
    EXPECT_EQ(characters, 9603);  // and "・" 8145
    EXPECT_EQ(units, 0x10000 - 56134);
}

TEST(Utf8ToCp932, MalformedSequencesAsTheSystemReadsThem)
{
    struct {
        std::string in, out;
    } cases[] = {
        {"a\x80" "b", "a$FFFDb"},
        {"a\xC0\x80" "b", "a$FFFD$FFFDb"},       // overlong: the lead alone
        {"a\xE3\x81" "b", "a$FFFDb"},             // cut short inside the text
        {"a\xE3\x81", "a$FFFD"},
        {"a\xF0\x9F" "b", "a$FFFD"},             // cut short by the end: takes the rest
        {"a\xE0\x80\x80" "b", "a$FFFD$FFFDb"},
        {"a\xED\xA0\x80" "b", "a$FFFD$FFFDb"},   // an encoded surrogate
        {"a\xF4\x90\x80\x80" "b", "a$FFFD$FFFD$FFFDb"},  // beyond U+10FFFF
        {"a\xF5\x80" "b", "a$FFFD$FFFDb"},
        {"\xE1\x80\xC2\x80", "$FFFD\x80"},  // U+0080 has the code 80
        {"\xF0\x9F\x98\x80!", "$D83D$DE00!"},
        {"\xEF\xBB\xBF" "x", "$FEFFx"},
    };
    for (const auto& c : cases) {
        bool unmappable = false;
        EXPECT_EQ(FromUtf8(c.in, &unmappable), c.out) << c.in;
        EXPECT_TRUE(unmappable);
    }
}

// A reader takes a text that converts without a loss for UTF-8 without
// checking it first: every malformed sequence must show as a loss.
TEST(Utf8ToCp932, WhatConvertsWithoutLossIsUtf8)
{
    std::mt19937 rng(5);
    const std::string parts[] = {"a", "\xE3\x81\x82", "\xC3\xA9", "\xE0\x80\x80", "\xED\xA0\x80", "\xF4\x90\x80\x80",
                                 "\xC0\xAF", "\x80", "\xE3\x81", "\xFE", "\xEF\xBF\xBD"};
    int clean = 0;
    for (int round = 0; round < 20000; ++round) {
        std::string s;
        const std::size_t size = rng() % 12;
        while (s.size() < size) s += parts[rng() % (round % 4 ? std::size(parts) : 3)];
        std::string out;
        bool lost = false;
        Utf8ToCp932(s, out, lost);
        bool multi = false;
        if (!lost) {
            EXPECT_TRUE(IsUtf8Text(s, multi)) << round;
            ++clean;
        }
    }
    EXPECT_GT(clean, 2000);
}

TEST(Utf8ToCp932, DollarIsEscapedOnlyBesideALoss)
{
    bool unmappable = true;
    EXPECT_EQ(FromUtf8("a$b\x01\xE3\x81\x82$", &unmappable), "a$b\x01\x82\xA0$");
    EXPECT_FALSE(unmappable);
    EXPECT_EQ(FromUtf8("a$b\x01\xED\x95\x9C$"), "a$0024b$0001$D55C$0024");
    EXPECT_EQ(FromUtf8("\xEF\xBD\xB1\xE2\x80\xBE"), "\xB1$203E");  // ｱ, and ‾ with no code
    EXPECT_EQ(FromUtf8(""), "");
    EXPECT_EQ(FromUtf8("x\0y"s), "x\0y"s);

    // The "$" converted long before the first loss are escaped afterwards,
    // past the pieces the conversion works in.
    std::string text = "$", expected = "$0024";
    while (text.size() < 300000) {
        text += "\xE6\xBC\xA2\xE5\xAD\x97 ab$cd\r\n";  // 漢字
        expected += "\x8A\xBF\x8E\x9A ab$0024cd\r\n";
    }
    EXPECT_TRUE(FromUtf8(text + "\xEA\xB0\x80") == expected + "$AC00");
}

TEST(Utf16ToCp932, AgreesWithUtf8AndWide)
{
    // Random texts over ASCII (with "$" and 01), kana, kanji, characters
    // without a code and surrogates, as UTF-16 bytes, as wide units and as
    // UTF-8 (valid texts only: lone surrogates have no UTF-8).
    std::mt19937 rng(7);
    const char16_t pool[] = {u'a', u'$', 1, u'\r', u'\n', 0x3042, 0x4E9C, 0xFF71, 0x2170, 0xD55C, 0x203E, 0xE000, 0x80};
    for (int round = 0; round < 300; ++round) {
        std::u16string s;
        const int n = static_cast<int>(rng() % (round < 290 ? 40 : 200000));
        for (int i = 0; i < n; ++i) {
            if (rng() % 50 == 0) {
                s += static_cast<char16_t>(0xD83D);
                s += static_cast<char16_t>(0xDE00 + rng() % 64);
            } else {
                s += pool[rng() % (round % 3 ? std::size(pool) - 3 : std::size(pool))];
            }
        }
        const std::string le = Utf16Le(s);
        std::string a, b;
        bool ua = false, ub = false;
        Utf16LeToCp932(le, a, ua);
        EXPECT_EQ(ua, Utf16LeHasUnmappable(le));
        const std::wstring w(s.begin(), s.end());
        WideToCp932(w.data(), w.size(), b, ub);
        EXPECT_EQ(b, a);
        EXPECT_EQ(ub, ua);
        EXPECT_EQ(WideHasUnmappable(w.data(), w.size()), ua);
        std::string utf8;
        bool lossy = false;
        // Back through UTF-8: the same text when nothing was escaped.
        Cp932ToUtf8(a, utf8, lossy);
        if (!ua) {
            EXPECT_FALSE(lossy);
            EXPECT_EQ(FromUtf8(utf8), a);
            std::wstring back;
            Cp932ToWideUnits(a, back);
            EXPECT_TRUE(back == w);
        }
    }
}

TEST(Cp932ToUnicode, LossyWhenACodeWouldNotComeBack)
{
    auto utf16 = [](const std::string& s, bool& lossy) {
        std::string out = "\xFF\xFE";
        lossy = false;
        Cp932ToUtf16Le(s, out, lossy);
        return out;
    };
    bool lossy = true;
    EXPECT_EQ(utf16("A\x82\xA0\xB1\r\n", lossy), "\xFF\xFE" "A\0\x42\x30\x71\xFF\r\0\n\0"s);
    EXPECT_FALSE(lossy);
    std::string utf8 = "\xEF\xBB\xBF";
    Cp932ToUtf8("A\x82\xA0\xB1\xFA\x40\xF0\x40", utf8, lossy);
    EXPECT_EQ(utf8, "\xEF\xBB\xBF" "A\xE3\x81\x82\xEF\xBD\xB1\xE2\x85\xB0\xEE\x80\x80");
    EXPECT_FALSE(lossy);
    // Second codes, pairs without a character, a lead byte without its
    // trail (also before NUL); a lead byte takes the line feed after it.
    for (const std::string& s : {"\xED\x40"s, "\x87\x90"s, "\x85\x40"s, "x\x81"s, "\x81\0"s, "\xEE\xEF"s}) {
        utf16(s, lossy);
        EXPECT_TRUE(lossy) << s;
    }
    EXPECT_EQ(utf16("\x81\n" "a", lossy), "\xFF\xFE\xFB\x30" "a\0"s);
    std::wstring w;
    Cp932ToWideUnits("\x81\0z"s, w);
    EXPECT_EQ(w, L"\x30FB\0z"s);
}

TEST(ToCp932Stream, PiecesOfAnySizeGiveTheWhole)
{
    std::mt19937 rng(11);
    std::string utf8;
    while (utf8.size() < 200000) {
        static const char* parts[] = {"ab", "$", "\xE3\x81\x82", "\xF0\x9F\x98\x80", "\xC3\xA9", "\xE3\x81", "\x80",
                                      "\xEA\xB0\x80", "\r\n"};
        utf8 += parts[rng() % (utf8.size() < 100000 ? 3 : std::size(parts))];
    }
    utf8 += "\xF0\x9F";  // cut short at the very end
    std::string le;
    {
        std::wstring w;
        Utf8ToWideUnits(utf8, w);
        le = Utf16Le(std::u16string(w.begin(), w.end()));
        le += 'x';  // an odd last byte
    }
    for (const TUnicodeForm form : {TUnicodeForm::utf8, TUnicodeForm::utf16le}) {
        const std::string& in = form == TUnicodeForm::utf8 ? utf8 : le;
        std::string whole;
        bool unmappable = false;
        (form == TUnicodeForm::utf8 ? Utf8ToCp932 : Utf16LeToCp932)(in, whole, unmappable);
        ASSERT_TRUE(unmappable);
        for (int round = 0; round < 4; ++round) {
            TToCp932Stream stream(form, true);
            std::string out;
            for (std::size_t at = 0; at < in.size();) {
                const std::size_t n = std::min<std::size_t>(in.size() - at, round == 0 ? 1 : rng() % (round * 9000));
                stream.Put(std::string_view(in).substr(at, n), out);
                stream.Put({}, out);  // an empty piece, also after an odd byte
                at += n;
            }
            stream.Finish(out);
            EXPECT_TRUE(stream.Unmappable());
            EXPECT_TRUE(out == whole) << static_cast<int>(form) << " round " << round;
        }
    }
}

} // namespace

namespace {

TEST(ToCp932InPlace, SameAsIntoANewString)
{
    // Bytes that grow when escaped (a bad byte becomes five), "$" before
    // and after the first loss, texts past the pieces the work goes in.
    std::mt19937 rng(13);
    static const char* parts[] = {"ab", "$", "\xE3\x81\x82", "\xF0\x9F\x98\x80", "\x80", "\xEA\xB0\x80", "\r\n", "\x01"};
    for (int round = 0; round < 400; ++round) {
        std::string utf8 = round % 2 ? "\xEF\xBB\xBF" : "";
        const std::size_t from = utf8.size();
        const std::size_t n = round % 40 == 0 ? 300000 : rng() % 60;
        const int kinds = round % 3 == 0 ? 3 : static_cast<int>(std::size(parts));
        while (utf8.size() < n) utf8 += parts[rng() % (round % 5 == 0 && utf8.size() < n / 2 ? 3 : kinds)];
        std::wstring w;
        Utf8ToWideUnits(utf8.substr(from), w);
        const std::string le = (from ? "\xFF\xFE" : "") + Utf16Le(std::u16string(w.begin(), w.end()));
        for (const bool wide : {false, true}) {
            const std::string& in = wide ? le : utf8;
            const std::size_t skip = from ? (wide ? 2 : 3) : 0;
            std::string expected, text = in;
            bool u1 = false, u2 = false;
            (wide ? Utf16LeToCp932 : Utf8ToCp932)(std::string_view(in).substr(skip), expected, u1);
            if (wide) Utf16LeToCp932InPlace(text, skip, u2);
            else Utf8ToCp932InPlace(text, skip, u2);
            ASSERT_TRUE(text == expected) << round << (wide ? " utf16" : " utf8");
            ASSERT_EQ(u1, u2);
        }
    }
}

} // namespace
