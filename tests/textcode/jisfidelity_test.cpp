// Every code of code page 932 through JIS and EUC-JP and back, each between
// neighbours; JIS X 0212 input; JIS runs with blanks and long designations.
#include <gtest/gtest.h>

#include <string>

#include "textcode/cp932conv.h"
#include "textcode/jisconv.h"
#include "textcode/jisextra.h"

using namespace vellumo;
using namespace std::string_literals;

namespace {

const std::string kGeta = "\x81\xAC";

std::string Code(unsigned c) { return {static_cast<char>(c >> 8), static_cast<char>(c & 0xFF)}; }

// The character at a two-byte code, or none (an empty string).
std::wstring Character(unsigned code)
{
    std::wstring w;
    Cp932ToWideUnits(Code(code), w);
    return w.size() == 1 && (w[0] != 0x30FB || code == 0x8145) ? w : std::wstring();
}

// What a two-byte code comes back as through JIS, counting the ones that
// are lost: JIS holds no user-defined characters, and its extensions go out
// as their NEC codes.
std::string BackAs(unsigned code, std::size_t& lost)
{
    const unsigned lead = code >> 8;
    unsigned other = lead >= 0xF0 ? IbmExtensionEquivalent(static_cast<std::uint16_t>(code)) : code;
    if (other && Character(code).empty()) other = 0;
    if (other) return Code(other);
    ++lost;
    return kGeta;
}

// The offset where a and b first differ, for a readable failure.
std::size_t Mismatch(const std::string& a, const std::string& b)
{
    std::size_t i = 0;
    while (i < a.size() && i < b.size() && a[i] == b[i]) ++i;
    return i;
}

TEST(JisFidelity, EveryCodeOfTheCodePageSurvivesBetweenNeighbours)
{
    const std::string neighbours[] = {"a", "\xB1", "\x88\x9F", "\r\n", "\x81\x40", " ", "\xEE\xEF"};
    std::string text, want;
    std::size_t lost = 0, breaks = 0, k = 0;
    for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
        if (lead == 0xA0) lead = 0xE0;
        for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
            if (trail == 0x7F) continue;
            const std::string& before = neighbours[k % 7];
            const std::string& after = neighbours[(k / 7 + 3) % 7];
            ++k;
            text += before + Code(lead << 8 | trail) + after;
            want += before + BackAs(lead << 8 | trail, lost) + after;
            breaks += (before == "\r\n") + (after == "\r\n");
        }
    }
    // JIS: the user-defined area, FC beyond the extensions and the holes of
    // the code page.
    ASSERT_GT(lost, 10u * 188 + 188 * 3 - 388);
    {
        std::size_t replaced = 0, back = 0;
        const std::string round = ConvertEucToSjis(ConvertSjisToEuc(text, replaced), back);
        // EUC-JP: every character comes back as the same character, from
        // the same neighbours; only codes without one are lost.
        std::wstring got, want;
        Cp932ToWideUnits(round, got);
        std::size_t none = 0;
        std::string wantText;
        k = 0;
        for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
            if (lead == 0xA0) lead = 0xE0;
            for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
                if (trail == 0x7F) continue;
                const bool known = !Character(lead << 8 | trail).empty();
                none += !known;
                wantText += neighbours[k % 7] + (known ? Code(lead << 8 | trail) : kGeta) + neighbours[(k / 7 + 3) % 7];
                ++k;
            }
        }
        Cp932ToWideUnits(wantText, want);
        EXPECT_EQ(replaced, none);
        EXPECT_EQ(back, 0u);
        EXPECT_TRUE(got == want);
        EXPECT_LT(none, lost);
    }
    for (const bool euc : {false}) {
        std::size_t replaced = 0;
        const std::string out = euc ? ConvertSjisToEuc(text, replaced) : ConvertSjisToJis(text, replaced);
        EXPECT_EQ(replaced, lost) << euc;
        std::size_t ends = 0;
        for (const char ch : out) {
            const auto b = static_cast<unsigned char>(ch);
            if (b == '\r' || b == '\n') ++ends;
            else ASSERT_TRUE(b >= 0x20 || (!euc && b == 0x1B)) << euc << " " << int(b);
            if (!euc) {
                ASSERT_LT(b, 0x80);
            }
        }
        EXPECT_EQ(ends, 2 * breaks) << euc;
        std::size_t back = 1;
        const std::string round = euc ? ConvertEucToSjis(out, back) : ConvertJisToSjis(out, back);
        EXPECT_EQ(back, 0u);
        ASSERT_EQ(round.size(), want.size()) << euc << " first difference at " << Mismatch(round, want);
        EXPECT_EQ(Mismatch(round, want), want.size()) << euc;
    }
}

TEST(JisFidelity, ExtensionsGoOutAsTheirNecCodes)
{
    // ⅰ, Ⅰ, ￢, ∵, №, ℡, ㈱, 﨑, 髙 and the last extension.
    const std::pair<unsigned, unsigned> cases[] = {{0xFA40, 0xEEEF}, {0xFA4A, 0x8754}, {0xFA54, 0x81CA},
                                                   {0xFA5B, 0x81E6}, {0xFA59, 0x8782}, {0xFA5A, 0x8784},
                                                   {0xFA58, 0x878A}, {0xFAB1, 0xED95}, {0xFBFC, 0xEEE0},
                                                   {0xFC4B, 0xEEEC}};
    for (const auto& [ibm, nec] : cases) {
        std::size_t replaced = 1;
        EXPECT_EQ(ConvertJisToSjis(ConvertSjisToJis("x" + Code(ibm) + "y", replaced)), "x" + Code(nec) + "y");
        EXPECT_EQ(replaced, 0u);
        // EUC-JP has forms of its own for them: the character comes back.
        EXPECT_EQ(ConvertEucToSjis(ConvertSjisToEuc(Code(ibm) + "\r\n", replaced)),
                  Code(nec < 0xED00 ? nec : ibm) + "\r\n");
    }
    std::size_t replaced = 0;
    // 髙橋 with the user-defined F040 and a stray byte: two marks, neighbours intact.
    EXPECT_EQ(ConvertSjisToJis("\xFB\xFC\x8B\xB4\xF0\x40\xFD\r\n", replaced),
              "\x1B$B\x7C\x62\x36\x36\x22\x2E\x22\x2E\x1B(J\r\n");
    EXPECT_EQ(replaced, 2u);
    EXPECT_EQ(ConvertSjisToEuc("a\xF9\xFC\x80\xA0z", replaced), "a\x8F\xFE\xFE\xA2\xAE\xA2\xAEz");
    EXPECT_EQ(replaced, 2u);
}

TEST(JisFidelity, EucWithJis0212CharactersKeepsTheirNeighbours)
{
    // 東海道 Tōkaidō 丂丨 №: ō and 丂 have no code page 932 form, 丨 is an
    // IBM extension and № sits in the NEC row.
    const std::string euc = "\xC5\xEC\xB3\xA4\xC6\xBB T\x8F\xAB\xD7kaid\x8F\xAB\xD7 \x8F\xB0\xA1\x8F\xB0\xA9\x8F\xA2\xF1\n";
    std::size_t replaced = 0;
    EXPECT_EQ(ConvertEucToSjis(euc, replaced), "東海道 T" + kGeta + "kaid" + kGeta + " " + kGeta + "\xFA\x68" + "№\n");
    EXPECT_EQ(replaced, 3u);
    // A cut-short sequence loses only its own byte.
    EXPECT_EQ(ConvertEucToSjis("\xB0\xA1\x8F\xB0\r\n", replaced), "\x88\x9F" + kGeta + "\xB0\r\n");
    EXPECT_EQ(replaced, 1u);
    EXPECT_EQ(EucToSjisLength(euc), ConvertEucToSjis(euc).size());

    // The Windows-compatible forms: ⅰ and 髙 in JIS X 0212's free rows, ￤ as
    // the broken bar, the user-defined area in two and three bytes; a JIS X
    // 0208 position without a character is a loss, never another character.
    EXPECT_EQ(ConvertEucToSjis("\x8F\xF3\xF3\x8F\xF4\xFE\x8F\xA2\xC3\xF5\xA1\x8F\xF5\xA1\xFE\xFE|", replaced),
              "\xFA\x40\xFC\x4B\xFA\x55\xF0\x40\xF5\x40\xF4\xFC|");
    EXPECT_EQ(replaced, 0u);
    EXPECT_EQ(ConvertEucToSjis("\xA9\xA1\xA2\xAF\xB0\x41", replaced), kGeta + kGeta + kGeta);
    EXPECT_EQ(replaced, 3u);
    EXPECT_EQ(ConvertJisToSjis("\x1B$B\x29\x21\x30\x21", replaced), kGeta + "\x88\x9F");
    EXPECT_EQ(replaced, 1u);
}

TEST(JisFidelity, JisBlanksInsideKanjiAndLongDesignations)
{
    std::size_t replaced = 1;
    // 亜 space 亜 TAB 唖, all in one two-byte run.
    EXPECT_EQ(ConvertJisToSjis("\x1B$B\x30\x21 \x30\x21\t\x30\x22\x1B(B", replaced), "亜 亜\t唖");
    EXPECT_EQ(replaced, 0u);
    EXPECT_EQ(ConvertJisToSjis("\x1B$B\x30 \x21\x1B(B"), "0 !");
    EXPECT_EQ(ConvertJisToSjis("\x1B(I\x31 \x32"), "\xB1 \xB2");
    // Four-byte designations are consumed whole; JIS X 0212 goes through its equivalents.
    EXPECT_EQ(ConvertJisToSjis("\x1B$(Q\x30\x21\x1B(Bz\x1B$(O\x30\x22"), "亜z唖");
    EXPECT_EQ(ConvertJisToSjis("a\x1B$(D\x30\x29\x2B\x57\x1B(Bb", replaced), "a\xFA\x68" + kGeta + "b");
    EXPECT_EQ(replaced, 1u);
}

} // namespace
