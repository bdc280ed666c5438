#include <gtest/gtest.h>

#include <random>
#include <string>

#include "textcode/cp932conv.h"
#include "textcode/jisconv.h"

using namespace vellumo;
using namespace std::string_literals;

namespace {

// Whether code page 932 has a character at the Shift-JIS pair.
bool IsCharacter(std::uint16_t c)
{
    std::wstring w;
    Cp932ToWideUnits(std::string{static_cast<char>(c >> 8), static_cast<char>(c & 0xFF)}, w);
    return w.size() == 1 && (w[0] != 0x30FB || c == 0x8145);
}

// Every character at a JIS X 0208 position below the user-defined rows, the
// half-width kana, the printable ASCII characters and CR LF, as Shift-JIS.
std::string AllSjisText()
{
    std::string s;
    for (unsigned j1 = 0x21; j1 < 0x75; ++j1) {
        for (unsigned j2 = 0x21; j2 <= 0x7E; ++j2) {
            const std::uint16_t c = JisToSjisCode(static_cast<std::uint16_t>(j1 << 8 | j2));
            if (!IsCharacter(c)) continue;
            s += static_cast<char>(c >> 8);
            s += static_cast<char>(c & 0xFF);
            if (j2 % 16 == 0) s += static_cast<char>(0xA1 + (j2 % 0x3F));  // kana between kanji
            if (j2 % 23 == 0) s += "x!";                                   // ASCII between kanji
        }
        s += "\r\n";
    }
    for (unsigned k = 0xA1; k <= 0xDF; ++k) s += static_cast<char>(k);
    s += "\r\n";
    for (unsigned a = 0x20; a <= 0x7E; ++a) s += static_cast<char>(a);
    s += "\r\n\xB1\x82\xA0";
    return s;
}

TEST(JisCodes, ArithmeticMappingKnownValues)
{
    // あ and 亜 are pinned by the byte strings below.
    EXPECT_EQ(JisToSjisCode(0x2121), 0x8140);  // full-width space
    EXPECT_EQ(JisToSjisCode(0x7E7E), 0xEFFC);
    EXPECT_EQ(JisToSjisCode(0x5F21), 0xE040);
    EXPECT_EQ(SjisToJisCode(0x9FFC), 0x5E7E);
}

TEST(JisCodes, EveryCodeRoundTripsAndStaysInRange)
{
    for (unsigned j1 = 0x21; j1 <= 0x7E; ++j1) {
        for (unsigned j2 = 0x21; j2 <= 0x7E; ++j2) {
            const auto jis = static_cast<std::uint16_t>(j1 << 8 | j2);
            const std::uint16_t s = JisToSjisCode(jis);
            const unsigned s1 = s >> 8, s2 = s & 0xFF;
            ASSERT_TRUE((s1 >= 0x81 && s1 <= 0x9F) || (s1 >= 0xE0 && s1 <= 0xEF)) << std::hex << jis;
            ASSERT_TRUE((s2 >= 0x40 && s2 <= 0x7E) || (s2 >= 0x80 && s2 <= 0xFC)) << std::hex << jis;
            ASSERT_EQ(SjisToJisCode(s), jis);
        }
    }
}

TEST(JisConversion, ExactBytes)
{
    EXPECT_EQ(ConvertSjisToJis("ab\x82\xA0\r\n"), "ab\x1B$B\x24\x22\x1B(J\r\n");
    EXPECT_EQ(ConvertSjisToJis("\xB1\xB2\x88\x9F"), "\x1B(I\x31\x32\x1B$B\x30\x21");
    EXPECT_EQ(ConvertSjisToJis("a\x88\x9F"), "a\x1B$B\x30\x21");  // no escape at the end
    EXPECT_EQ(ConvertSjisToJis("\x82\xA0" "a"), "\x1B$B\x24\x22\x1B(Ja");
    // Every line of JIS ends in single-byte mode.
    EXPECT_EQ(ConvertSjisToJis("\x82\xA0\r\n\xB1\nx\r\x88\x9F"), "\x1B$B\x24\x22\x1B(J\r\n\x1B(I\x31\x1B(J\nx\r\x1B$B\x30\x21");
    EXPECT_EQ(ConvertJisToSjis("\x0E\x31\x0F"), "\xB1");
    EXPECT_EQ(ConvertJisToSjis("ab\x1B$B\x24\x22\x1B(J\r\n"), "ab\x82\xA0\r\n");
    EXPECT_EQ(ConvertJisToSjis("\x1B$@\x30\x21\x1B(Bx"), "\x88\x9Fx");
    EXPECT_EQ(ConvertJisToSjis("\x1B(I\x31\x1B(Jz"), "\xB1z");
    EXPECT_EQ(ConvertEucToSjis("\x8E\xB1"), "\xB1");
    EXPECT_EQ(ConvertEucToSjis("\xA4\xA2"), "\x82\xA0");
    EXPECT_EQ(ConvertSjisToEuc("\x82\xA0"), "\xA4\xA2");
    EXPECT_EQ(ConvertSjisToEuc("\xB1"), "\x8E\xB1");
    using Fn = std::string (*)(std::string_view);
    for (Fn f : {Fn{ConvertJisToSjis}, Fn{ConvertEucToSjis}, Fn{ConvertSjisToJis}, Fn{ConvertSjisToEuc}})
        EXPECT_EQ(f(""), "");
}

TEST(JisConversion, EveryCodeRoundTrips)
{
    const std::string sjis = AllSjisText();
    const std::string jis = ConvertSjisToJis(sjis);
    for (char c : jis) ASSERT_EQ(static_cast<unsigned char>(c) & 0x80, 0u);
    EXPECT_EQ(ConvertJisToSjis(jis), sjis);
    const std::string euc = ConvertSjisToEuc(sjis);
    EXPECT_EQ(ConvertEucToSjis(euc), sjis);
    EXPECT_EQ(SjisToJisLength(sjis), jis.size());
    EXPECT_EQ(SjisToEucLength(sjis), euc.size());
}

TEST(JisConversion, NoPairSwallowsALineEndOrReadsPastTheEnd)
{
    // A lead byte without its trail becomes "〓" alone; what follows it is kept.
    EXPECT_EQ(ConvertSjisToJis("\x82\r\n"), "\x1B$B\x22\x2E\x1B(J\r\n");
    EXPECT_EQ(ConvertSjisToJis("\x82\xA0\x82"), "\x1B$B\x24\x22\x22\x2E");
    EXPECT_EQ(ConvertSjisToEuc("a\x82"), "a\xA2\xAE");
    EXPECT_EQ(ConvertSjisToEuc("\x88\n"), "\xA2\xAE\n");
    EXPECT_EQ(ConvertSjisToEuc("\x88 \x81\x7F"), "\xA2\xAE \xA2\xAE\x7F");
    EXPECT_EQ(ConvertEucToSjis("\xA4\r\n"), "\xA4\r\n");
    EXPECT_EQ(ConvertEucToSjis("\x8E"), "\x8E");
    EXPECT_EQ(ConvertEucToSjis("\xA4"), "\xA4");
    EXPECT_EQ(ConvertJisToSjis("\x1B$B\x24\r\n\x24\x22"), "\x24\r\n\x82\xA0");
    EXPECT_EQ(ConvertJisToSjis("\x1B$B\x24"), "\x24");
    EXPECT_EQ(ConvertJisToSjis("\x1B$"), "\x1B$");  // an escape cut short is kept
    EXPECT_EQ(ConvertJisToSjis("\x1B"), "\x1B");
    EXPECT_EQ(ConvertJisToSjis("\x1B\x1B$B\x24\x22"), "\x1B\x1B$B\x24\x22");  // escape after escape
    EXPECT_EQ(ConvertJisToSjis("\x1B$\r\n"), "\x1B$\r\n");
    // A pair never takes in a mode change either.
    EXPECT_EQ(ConvertJisToSjis("\x1B$B\x24\x1B(Jz"), "\x24z");
    EXPECT_EQ(ConvertJisToSjis("\x1B$B\x24\x0E\x31"), "\x24\xB1");
}

TEST(JisConversion, RandomBuffersCountEqualsOutput)
{
    std::mt19937 rng(7);
    const char pool[] = "\x1B$B(I@J\x0E\x0F\r\n\x8E\x8F\xA1\xDF\xE0\xFC\x80\xA0\xFF\x82\xA0" "ab";
    for (int round = 0; round < 20000; ++round) {
        std::string s(rng() % 40, '\0');
        for (auto& c : s) c = rng() % 2 ? pool[rng() % (sizeof(pool) - 1)] : static_cast<char>(rng());
        EXPECT_EQ(ConvertJisToSjis(s).size(), JisToSjisLength(s));
        EXPECT_EQ(ConvertEucToSjis(s).size(), EucToSjisLength(s));
        EXPECT_EQ(ConvertSjisToJis(s).size(), SjisToJisLength(s));
        EXPECT_EQ(ConvertSjisToEuc(s).size(), SjisToEucLength(s));
    }
}

} // namespace

namespace {

// Texts where pieces and in-place work meet their edges: escapes and pairs
// cut anywhere, broken bytes that grow ("〓" for one byte), runs of kana.
std::string TrickyBytes(std::mt19937& rng, std::size_t n)
{
    static const unsigned char bytes[] = {0x1B, '$', '(', 'B', '@', 'J', 'I', 'D', 0x0E, 0x0F, '\r', '\n', 0x21, 0x7E,
                                          'a',  0x80, 0x8E, 0x8F, 0xA0, 0xA1, 0xB1, 0xDF, 0x82, 0xA0, 0x88, 0x9F,
                                          0xE0, 0xEF, 0xF0, 0xFA, 0xFC, 0xFE, 0xFF, 0x40};
    std::string s;
    const bool kana = rng() % 3 == 0;
    while (s.size() < n) s += static_cast<char>(kana && rng() % 2 ? 0xB1 : bytes[rng() % std::size(bytes)]);
    return s;
}

TEST(JisStream, PiecesOfAnySizeGiveTheWhole)
{
    std::mt19937 rng(21);
    const TJisConversion all[] = {TJisConversion::jisToSjis, TJisConversion::eucToSjis, TJisConversion::sjisToJis,
                                  TJisConversion::sjisToEuc};
    for (int round = 0; round < 2000; ++round) {
        const std::string s = TrickyBytes(rng, round % 500 == 0 ? 200000 : rng() % 30);
        for (const TJisConversion c : all) {
            std::size_t replaced = 0;
            const std::string whole = c == TJisConversion::jisToSjis   ? ConvertJisToSjis(s, replaced)
                                      : c == TJisConversion::eucToSjis ? ConvertEucToSjis(s, replaced)
                                      : c == TJisConversion::sjisToJis ? ConvertSjisToJis(s, replaced)
                                                                        : ConvertSjisToEuc(s, replaced);
            TJisStream stream(c);
            std::string out;
            for (std::size_t at = 0; at < s.size();) {
                const std::size_t n = std::min<std::size_t>(s.size() - at, rng() % (round % 2 ? 5 : 70000));
                stream.Put(std::string_view(s).substr(at, n), out);
                at += n;
            }
            stream.Finish(out);
            ASSERT_TRUE(out == whole) << round << " " << static_cast<int>(c);
            ASSERT_EQ(stream.Replaced(), replaced);
        }
    }
}

TEST(JisInPlace, SameAsIntoANewString)
{
    std::mt19937 rng(23);
    for (int round = 0; round < 2000; ++round) {
        const std::string s = TrickyBytes(rng, round % 400 == 0 ? 300000 : rng() % 40);
        std::size_t replaced = 0;
        std::string t = s;
        EXPECT_EQ(ConvertJisToSjisInPlace(t), (ConvertJisToSjis(s, replaced), replaced));
        ASSERT_TRUE(t == ConvertJisToSjis(s)) << round;
        t = s;
        EXPECT_EQ(ConvertEucToSjisInPlace(t), (ConvertEucToSjis(s, replaced), replaced));
        ASSERT_TRUE(t == ConvertEucToSjis(s)) << round;
        t = s;
        EXPECT_EQ(ConvertSjisToEucInPlace(t), (ConvertSjisToEuc(s, replaced), replaced));
        ASSERT_TRUE(t == ConvertSjisToEuc(s)) << round;
    }
}

} // namespace
