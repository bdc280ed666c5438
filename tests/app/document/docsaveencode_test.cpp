#include <gtest/gtest.h>

#include "app/document/docsaveencode.h"

using namespace vellumo;

namespace {

// A small stand-in for the code page: ASCII, "あ" (82 A0 = U+3042) and "・"
// (81 45 = U+30FB); every other pair turns into U+30FB as the system's
// conversion does with pairs it does not know.
TWideCodec FakeCodec()
{
    TWideCodec c;
    c.ToWide = [](const std::string& s) {
        std::wstring w;
        for (std::size_t i = 0; i < s.size(); ++i) {
            const auto b = static_cast<unsigned char>(s[i]);
            if (b < 0x80) {
                w += static_cast<wchar_t>(b);
            } else {
                const bool a = i + 1 < s.size() && b == 0x82 && static_cast<unsigned char>(s[i + 1]) == 0xA0;
                w += static_cast<wchar_t>(a ? 0x3042 : 0x30FB);
                ++i;
            }
        }
        return w;
    };
    c.FromWide = [](const std::wstring& w) {
        std::string s;
        for (wchar_t ch : w) {
            if (ch < 0x80) s += static_cast<char>(ch);
            else if (ch == 0x3042) s += "\x82\xA0";
            else s += "\x81\x45";
        }
        return s;
    };
    return c;
}

TEST(DocSaveEncode, LineEnds)
{
    EXPECT_EQ(ConvertLineEnds("a\r\nb\r\n", leCr), "a\rb\r");
    EXPECT_EQ(ConvertLineEnds("a\r\nb\r\n", leLf), "a\nb\n");
    EXPECT_EQ(ConvertLineEnds("a\r\nb", leCrLf), "a\r\nb");
    std::string inPlace = "\x88\x9F\r\n\r\nz";
    ConvertLineEndsInPlace(inPlace, leLf);
    EXPECT_EQ(inPlace, "\x88\x9F\n\nz");
}

TEST(DocSaveEncode, UnicodeFormsAndTheirCheck)
{
    const TWideCodec codec = FakeCodec();
    const std::string text = "A\x82\xA0\r\n";
    EXPECT_EQ(EncodeDocumentText(text, ccUnicode, codec).Bytes, std::string("\xFF\xFE" "A\0\x42\x30\r\0\n\0", 10));
    EXPECT_EQ(EncodeDocumentText(text, ccUtf8, codec).Bytes, "\xEF\xBB\xBF" "A\xE3\x81\x82\r\n");
    const TEncodedText n = EncodeDocumentText(text, ccUtf8N, codec);
    EXPECT_EQ(n.Bytes, "A\xE3\x81\x82\r\n");
    EXPECT_FALSE(n.Lossy);
    // A pair the conversion does not know comes back as another character.
    EXPECT_TRUE(EncodeDocumentText("x\x85\x40", ccUtf8, codec).Lossy);
    // "・" itself survives.
    EXPECT_FALSE(EncodeDocumentText("\x81\x45", ccUnicode, codec).Lossy);
    // Shift-JIS is written as it stands and never questioned.
    const TEncodedText sj = EncodeDocumentText("x\x85\x40", ccSjis, codec);
    EXPECT_EQ(sj.Bytes, "x\x85\x40");
    EXPECT_FALSE(sj.Lossy);
}

TEST(DocSaveEncode, JisAndEucRoundTripsAndLosses)
{
    const TWideCodec codec = FakeCodec();
    // Kanji, kana, half-width kana, ASCII and both line ends read back unchanged.
    const std::string plain = "\x88\x9F\x82\xA0\xB1 abc\r\n\x83\x41\n";
    for (TCharCode c : {ccJis, ccJisOld, ccEuc}) {
        const TEncodedText e = EncodeDocumentText(plain, c, codec);
        EXPECT_FALSE(e.Lossy) << c;
        EXPECT_NE(e.Bytes, plain) << c;
    }
    EXPECT_EQ(EncodeDocumentText("\x88\x9F", ccEuc, codec).Bytes, "\xB0\xA1");
    // A user-defined character (F0 40) has no place in JIS, but one in
    // EUC-JP; an IBM extension (FA 40) goes out as the same character.
    EXPECT_TRUE(EncodeDocumentText("a\xF0\x40z", ccJis, codec).Lossy);
    EXPECT_FALSE(EncodeDocumentText("a\xF0\x40z", ccEuc, codec).Lossy);
    for (TCharCode c : {ccJis, ccEuc}) EXPECT_FALSE(EncodeDocumentText("a\xFA\x40z", c, codec).Lossy) << c;
}

TEST(DocSaveEncode, LongTextsAreCheckedPieceByPiece)
{
    const TWideCodec codec = FakeCodec();
    std::string text;
    while (text.size() < 3 * (1u << 20)) text += "\x82\xA0\x82\xA0 line of text\r\n";
    std::string expected = "\xFF\xFE";
    for (wchar_t w : codec.ToWide(text)) {
        expected += static_cast<char>(w & 0xFF);
        expected += static_cast<char>(w >> 8);
    }
    const TEncodedText whole = EncodeDocumentText(text, ccUnicode, codec);
    EXPECT_FALSE(whole.Lossy);
    EXPECT_TRUE(whole.Bytes == expected);
    // One bad character far into the text, and one at its very end.
    for (std::size_t at : {text.size() / 2 + 7, text.size() - 2}) {
        std::string bad = text;
        bad[at] = '\xF0';  // user-defined: no place in any of the codes
        bad[at + 1] = '\x40';
        EXPECT_TRUE(EncodeDocumentText(bad, ccUtf8N, codec).Lossy) << at;
        EXPECT_TRUE(EncodeDocumentText(bad, ccJis, codec).Lossy) << at;
    }
}

TEST(DocSaveEncode, Utf8OfSurrogates)
{
    EXPECT_EQ(Utf16ToUtf8(std::wstring{wchar_t(0xD83D), wchar_t(0xDE00)}), "\xF0\x9F\x98\x80");
    EXPECT_EQ(Utf16ToUtf8(std::wstring{wchar_t(0xD83D), L'a'}), "\xEF\xBF\xBD" "a");
    EXPECT_EQ(Utf16ToUtf8(std::wstring{wchar_t(0x7FF), wchar_t(0x800)}), "\xDF\xBF\xE0\xA0\x80");
}

} // namespace

#include <random>

#include "textcode/cp932conv.h"
#include "textcode/jisconv.h"
#include "textcode/jisextra.h"

namespace {

// Texts of whatever a document may hold: ASCII with ESC, SO, SI and NUL,
// kana, kanji, the NEC row, IBM extensions and their NEC-selected copies,
// user-defined characters, bytes and pairs that are no character.
std::string RandomDocument(std::mt19937& rng, std::size_t n)
{
    static const char* const parts[] = {"a", "$", "\x1B", "\x1B$B", "\x0E", "\x0F", "" /* NUL */, "\r\n",
                                        "\xB1", "\x88\x9F", "\x82\xA0", "\x87\x40", "\x87\x90", "\xFA\x40", "\xFA\x5C",
                                        "\xED\x40", "\xEE\xEF", "\xF0\x40", "\x85\x40", "\x80", "\xA0", "\xFD", "\x81\x0A",
                                        "\x81\x7F"};
    std::string s;
    while (s.size() < n) {
        const std::size_t k = rng() % std::size(parts);
        s += k == 6 ? std::string(1, '\0') : std::string(parts[k]);
    }
    return s;
}

TEST(DocSaveEncode, OwnTablesGiveWhatTheCodecGives)
{
    // The codec path through the same tables checks each piece by reading
    // it back: the one-pass encoding must give the same bytes and losses.
    TWideCodec tables;
    tables.ToWide = [](const std::string& s) {
        std::wstring w;
        Cp932ToWideUnits(s, w);
        return w;
    };
    tables.FromWide = [](const std::wstring& w) {
        std::string s;
        bool unmappable = false;
        WideToCp932(w.data(), w.size(), s, unmappable);
        return s;
    };
    std::mt19937 rng(17);
    int lossy = 0;
    for (int round = 0; round < 600; ++round) {
        std::string text = RandomDocument(rng, round % 300 == 0 ? 1200000 : rng() % 12);
        if (round % 2) {  // half of them free of every questionable character
            std::string clean;
            for (const char c : text)
                if (c == 'a' || c == '$' || c == '\r' || c == '\n') clean += c;
            text = clean + "\x88\x9F\xB1";
        }
        for (const TCharCode code : {ccUnicode, ccUtf8, ccUtf8N}) {
            const TEncodedText a = EncodeDocumentText(text, code), b = EncodeDocumentText(text, code, tables);
            ASSERT_TRUE(a.Bytes == b.Bytes) << round << " " << code;
            ASSERT_EQ(a.Lossy, b.Lossy) << round << " " << code;
            lossy += a.Lossy;
        }
        // JIS and EUC-JP: lossy exactly when reading back does not give the
        // text, IBM extensions aside.
        std::string nec = text;
        for (std::size_t i = 0; i + 1 < nec.size(); ++i) {
            const unsigned char b = static_cast<unsigned char>(nec[i]);
            if (!((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC))) continue;
            const auto code = static_cast<std::uint16_t>(b << 8 | static_cast<unsigned char>(nec[i + 1]));
            if (const std::uint16_t other = IbmExtensionEquivalent(code)) {
                nec[i] = static_cast<char>(other >> 8);
                nec[i + 1] = static_cast<char>(other & 0xFF);
            }
            ++i;
        }
        const TEncodedText jis = EncodeDocumentText(text, ccJis), euc = EncodeDocumentText(text, ccEuc);
        EXPECT_EQ(jis.Lossy, ConvertJisToSjis(jis.Bytes) != nec) << round;
        // EUC-JP holds every character of the code page, some in other codes.
        std::wstring wantEuc, gotEuc;
        Cp932ToWideUnits(text, wantEuc);
        Cp932ToWideUnits(ConvertEucToSjis(euc.Bytes), gotEuc);
        EXPECT_EQ(euc.Lossy, gotEuc != wantEuc) << round;
        EXPECT_TRUE(jis.Bytes == ConvertSjisToJis(text));
    }
    EXPECT_GT(lossy, 300);  // both kinds of text came up
}

} // namespace
