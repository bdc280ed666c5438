// Runs under Wine with code page 932.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "base/leadbytes.h"
#include "textcode/wideconv.h"

using namespace vellumo;
using namespace std::string_literals;

namespace {

TEST(Platform, AnsiCodePageIs932)
{
    // Without the Japanese locale every later result would be wrong quietly.
    ASSERT_EQ(::GetACP(), 932u) << "Wine must run with LANG=ja_JP.UTF-8 and the locale generated";
    EXPECT_EQ(GetAnsiCodePage(), 932u);
    EXPECT_FALSE(IsWindows95());
}

TEST(Platform, LeadByteTableMatchesTheSystem)
{
    for (int b = 0; b < 256; ++b)
        EXPECT_EQ(IsLeadByte(static_cast<unsigned char>(b)), ::IsDBCSLeadByteEx(932, static_cast<BYTE>(b)) != 0) << b;
}

TEST(WideConversion, EmptyInputs)
{
    EXPECT_EQ(AnsiToWide(""), L"");
    EXPECT_EQ(Utf8ToWide(""), L"");
    EXPECT_EQ(WideToAnsiEscaped(L""), "");
    EXPECT_FALSE(HasUnmappableChars(L""));
}

TEST(WideConversion, DollarStaysPlainWithoutUnmappableCharacters)
{
    // a$b with あ: nothing is lost, so nothing is escaped.
    const std::wstring w = L"a$b\u3042$";
    EXPECT_FALSE(HasUnmappableChars(w));
    EXPECT_EQ(WideToAnsiEscaped(w), "a$b\x82\xA0$");
    // UTF-8 and UTF-16 file texts come back byte for byte after a save.
    const std::string utf8 = "price: $5 \xE6\xBC\xA2\xE5\xAD\x97 $0024\r\n";
    const std::wstring wide = Utf8ToWide(utf8);
    const std::string ansi = WideToAnsiEscaped(wide);
    EXPECT_EQ(ansi, "price: $5 \x8A\xBF\x8E\x9A $0024\r\n");
    EXPECT_EQ(AnsiToWide(ansi), wide);
}

TEST(WideConversion, UnmappableCharactersAreEscapedWithNeighboursIntact)
{
    const std::wstring w = L"\u3042\uD55C\u3044$x";
    EXPECT_TRUE(HasUnmappableChars(w));
    // With a loss, "$" is escaped too so the escapes stay unambiguous.
    EXPECT_EQ(WideToAnsiEscaped(w), "\x82\xA0$D55C\x82\xA2$0024x");
    EXPECT_EQ(WideToAnsiEscaped(L"\uD55C"), "$D55C");
    EXPECT_EQ(WideToAnsiEscaped(L"\u0001\uD55C"), "$0001$D55C");
}

TEST(WideConversion, CharactersOutsideTheBasicPlaneBecomeTwoEscapes)
{
    // U+1F600 as UTF-16 and as UTF-8.
    EXPECT_EQ(WideToAnsiEscaped(L"a\U0001F600\u3042"), "a$D83D$DE00\x82\xA0");
    EXPECT_EQ(WideToAnsiEscaped(Utf8ToWide("\xF0\x9F\x98\x80!")), "$D83D$DE00!");
    EXPECT_EQ(WideToAnsiEscaped(L"\U0001F600\U0001F601"), "$D83D$DE00$D83D$DE01");
}

TEST(WideConversion, EmbeddedNulNeitherTruncatesNorHides)
{
    const std::wstring w(L"a\0b\uD55C", 4);
    EXPECT_TRUE(HasUnmappableChars(w));
    EXPECT_EQ(WideToAnsiEscaped(w), "a\0b$D55C"s);
    const std::wstring plain(L"x\0y", 3);
    EXPECT_EQ(WideToAnsiEscaped(plain), "x\0y"s);
    EXPECT_EQ(AnsiToWide("x\0y"s), plain);
}

TEST(WideConversion, HalfWidthKanaAndKanjiRoundTrip)
{
    const std::string sjis = "\xB1\xB2\xDF \x88\x9F\x81\x40\x87\x40\xFA\x40\r\n";
    const std::wstring w = AnsiToWide(sjis);
    EXPECT_FALSE(HasUnmappableChars(w));
    EXPECT_EQ(WideToAnsiEscaped(w), sjis);
}

TEST(WideConversion, MlangFallbackAnswersOrFailsCleanly)
{
    std::wstring out;
    if (MlangToWide(932, "\x82\xA0" "a", out)) EXPECT_EQ(out, L"\u3042a");
    else EXPECT_TRUE(out.empty());
}

} // namespace

namespace {

// Past the sizes a single system call takes (and the old limit of
// 357,913,941 units): converted whole, in pieces, escapes aligned.
TEST(WideConversion, TextsOfAnySizeConvertInPieces)
{
    const std::size_t units = 357913942 + 7;
    std::wstring w;
    w.reserve(units);
    while (w.size() + 3 <= units - 1) w += L"\x6F22\x5B57" L"a";  // 漢字a
    while (w.size() < units - 1) w += L'b';
    w += L'\xD55C';
    std::string out = "junk";
    ASSERT_TRUE(WideToAnsiEscaped(w, out));
    const std::size_t triples = (units - 1) / 3;
    ASSERT_EQ(out.size(), triples * 5 + (units - 1 - triples * 3) + 5);
    EXPECT_EQ(out.compare(0, 10, "漢字a漢字a"), 0);
    EXPECT_EQ(out.compare(out.size() - 5, 5, "$D55C"), 0);
    EXPECT_TRUE(HasUnmappableChars(w));
    w.back() = L'c';
    ASSERT_TRUE(WideToAnsiEscaped(w, out));
    EXPECT_EQ(out.size(), triples * 5 + (units - 1 - triples * 3) + 1);
    EXPECT_FALSE(HasUnmappableChars(w));
    std::wstring().swap(w);

    // UTF-8 split across pieces never cuts a character: 70 MB of "あ".
    std::string utf8;
    for (int i = 0; i < 70 << 20; i += 3) utf8 += "\xE3\x81\x82";
    std::wstring back;
    ASSERT_TRUE(Utf8ToWide(utf8, back));
    ASSERT_EQ(back.size(), utf8.size() / 3);
    EXPECT_EQ(back.find_first_not_of(L'\x3042'), std::wstring::npos);
}

} // namespace
