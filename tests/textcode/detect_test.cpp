#include <gtest/gtest.h>

#include <random>
#include <string>

#include "textcode/charcode.h"

using namespace vellumo;
using namespace std::string_literals;

namespace {

TCharCode Detect(const std::string& s) { return DetectCharCode(s); }

TEST(DetectCharCode, SignaturesComeFirst)
{
    EXPECT_EQ(Detect(""), ccNone);
    EXPECT_EQ(Detect("\xFF\xFE"), ccUnicode);
    EXPECT_EQ(Detect("\xFF\xFE\x00\x00\x01"s), ccUnicode);
    EXPECT_EQ(Detect("\xEF\xBB\xBF"), ccUtf8);
    EXPECT_EQ(Detect("\xEF\xBB\xBF\x82\xA0"), ccUtf8);  // the mark wins over invalid UTF-8
    EXPECT_EQ(Detect("\xEF\xBB"), ccEucOrSjis);          // too short for the mark
    EXPECT_EQ(Detect("\xFF"), ccNone);                   // the last byte is never examined
    EXPECT_EQ(Detect("\xFF" "a"), ccBinary);
}

TEST(DetectCharCode, Utf8Walk)
{
    EXPECT_EQ(Detect("abc\xE3\x81\x82"), ccUtf8N);
    EXPECT_EQ(Detect("abc\xE3\x81"), ccSjis);  // truncated: steps 4 and 5 decide
    EXPECT_EQ(Detect("\xC3\xA9"), ccUtf8N);
    EXPECT_EQ(Detect("\xF0\x9F\x98\x80 x"), ccUtf8N);
    EXPECT_EQ(Detect("\xED\xA0\x80"), ccUtf8N);  // encoded surrogates pass
    EXPECT_NE(Detect("\xC0\x80"), ccUtf8N);      // overlong
    EXPECT_NE(Detect("\xE0\x80\x80"), ccUtf8N);
    EXPECT_NE(Detect("\xF0\x80\x80\x80"), ccUtf8N);
    EXPECT_NE(Detect("\xF4\x90\x80\x80"), ccUtf8N);
    EXPECT_NE(Detect("\xF5\x80\x80\x80"), ccUtf8N);
    EXPECT_EQ(Detect("plain ascii\r\n"), ccNone);
    // NUL is valid UTF-8, and step 3 comes before the binary test.
    EXPECT_EQ(Detect("a\0b\xC3\xA9"s), ccUtf8N);
}

TEST(DetectCharCode, BinaryTest)
{
    EXPECT_EQ(Detect("a\0b"s), ccBinary);
    EXPECT_EQ(Detect("ab\0"s), ccNone);  // the last byte is not examined
    EXPECT_EQ(Detect("a\x07\x1B$B"s), ccBinary);
    EXPECT_EQ(Detect("\0\x1B$B\x24\x22"s), ccBinary);  // NUL wins over escapes
    EXPECT_EQ(Detect("a\x08\tb"), ccNone);
    // Past 512 bytes the pair scan still sees low bytes.
    std::string late(600, 'a');
    late[550] = '\x01';
    EXPECT_EQ(Detect(late), ccBinary);
    std::string lateFF(600, 'a');
    lateFF[550] = '\xFF';
    EXPECT_EQ(Detect(lateFF), ccBinary);
}

TEST(DetectCharCode, JisEscapes)
{
    EXPECT_EQ(Detect("abc\x1B$Bxyz"), ccJis);
    EXPECT_EQ(Detect("abc\x1B$@xyz"), ccJisOld);
    EXPECT_EQ(Detect("abc\x1B(Bxyz"), ccNone);
    EXPECT_EQ(Detect("\x1B$"), ccNone);  // cut short
    EXPECT_EQ(Detect("\x1B$B"), ccJis);
}

TEST(DetectCharCode, PairScan)
{
    EXPECT_EQ(Detect("\x82\xA0"), ccSjis);
    EXPECT_EQ(Detect("\xB1\xB2"), ccEucOrSjis);
    EXPECT_EQ(Detect("\xA4\xA2\xA4\xA4"), ccEucOrSjis);
    EXPECT_EQ(Detect("\xA4\xA2\xB0\xF5"), ccEuc);
    EXPECT_EQ(Detect("\x8E\xB1"), ccEucOrSjis);
    EXPECT_EQ(Detect("\x8E\x40"), ccSjis);
    EXPECT_EQ(Detect("\x8E\xFD"), ccNone);  // the pair is consumed, FD is not looked at
    EXPECT_EQ(Detect("\xB1\x41"), ccSjis);
    EXPECT_EQ(Detect("\xB1\xA0\x82\xA0"), ccSjis);
    EXPECT_EQ(Detect("\xE0\x40"), ccSjis);
    EXPECT_EQ(Detect("\xE0\xFD"), ccEuc);
    EXPECT_EQ(Detect("\xE0\xA1"), ccEucOrSjis);
    EXPECT_EQ(Detect("\xFD" "a"), ccEuc);
    EXPECT_EQ(Detect("\x80\xA0" "ab"), ccNone);
    EXPECT_EQ(Detect("ab\x82"), ccNone);  // a lone last byte decides nothing
}

TEST(DetectCharCode, LookOnAfterKanaAndE0toEF)
{
    // A1-DF then E0-EF: undecided, then the bytes after decide.
    EXPECT_EQ(Detect("\xB1\xE0\xC0\x82"), ccSjis);
    EXPECT_EQ(Detect("\xB1\xE0\xC0\xFE"), ccEuc);
    EXPECT_EQ(Detect("\xB1\xE0\xC0\xC1"), ccEucOrSjis);
    EXPECT_EQ(Detect("\xB1\xE0\x9D"), ccEucOrSjis);  // 9D decides nothing in the look-on
    // The look-on stops below 40 and the scan resumes after that byte.
    EXPECT_EQ(Detect("\xB1\xE0 \x82\xA0"), ccSjis);
    EXPECT_EQ(Detect("\xB1\xE0 \xFE "), ccEuc);
    EXPECT_EQ(Detect("\xB1\xE0 \xFE"), ccEucOrSjis);  // FE is the last byte
    EXPECT_EQ(Detect("\xB1\xE0\x20\xB1\xB2"), ccEucOrSjis);
}

TEST(DetectLineEnd, FirstBreakDecides)
{
    EXPECT_EQ(DetectLineEnd(""), leNone);
    EXPECT_EQ(DetectLineEnd("abc"), leNone);
    EXPECT_EQ(DetectLineEnd("a\r\nb\nc"), leCrLf);
    EXPECT_EQ(DetectLineEnd("a\nb\r\n"), leLf);
    EXPECT_EQ(DetectLineEnd("a\rb\r\n"), leCr);
    EXPECT_EQ(DetectLineEnd("a\r"), leCr);
    EXPECT_EQ(DetectLineEnd("\r\r\n"), leCr);
}

TEST(DetectCharCode, RandomBuffersNeverFail)
{
    std::mt19937 rng(12345);
    for (int round = 0; round < 20000; ++round) {
        std::string s(rng() % 64, '\0');
        for (auto& c : s) c = static_cast<char>(rng() % 4 == 0 ? 0x80 + rng() % 0x80 : rng() % 256);
        const TCharCode cc = DetectCharCode(s);
        EXPECT_GE(cc, ccNone);
        EXPECT_LE(cc, ccUtf8N);
        const TLineEndCode le = DetectLineEnd(s);
        EXPECT_LE(le, leLf);
    }
}

// A reader that looks at a file as it arrives: pieces cut after an ASCII
// byte check as UTF-8 as the whole does, and an ASCII start past the
// binary test's bytes that a JIS designation decides decides the whole.
TEST(DetectCharCode, ThePartsAgreeWithTheWholeOverPieces)
{
    std::mt19937 rng(77);
    int decided = 0;
    const std::string parts[] = {"ab ", "\xE3\x81\x82", "\xC3\xA9", "\xF0\x9F\x98\x80", "\r\n", "\x1B$B", "\x1B$@",
                                 "\x1B(B", "\x82\xA0", "\xE3\x81", "\x01", "\xB0\xA1"};
    for (int round = 0; round < 5000; ++round) {
        std::string s;
        const int kinds = round % 3 == 0 ? 3 : static_cast<int>(std::size(parts));
        const std::size_t size = rng() % (round % 2 ? 300 : 1500);
        // Some start with ASCII alone, longer than the binary test looks.
        const int asciiParts[] = {0, 4, 5, 6, 7, 10};
        while (round % 4 == 2 && s.size() < 600) s += parts[asciiParts[rng() % (round % 8 == 2 ? 5 : 6)]];
        while (s.size() < size) s += parts[rng() % kinds];
        if (s.compare(0, 2, "\xFF\xFE") == 0 || s.compare(0, 3, "\xEF\xBB\xBF") == 0) continue;
        bool wholeMulti = false;
        const bool whole = IsUtf8Text(s, wholeMulti);
        EXPECT_EQ(DetectCharCode(s), whole && wholeMulti ? ccUtf8N : DetectLegacyCharCode(s)) << round;
        bool valid = true, multi = false;
        for (std::size_t at = 0; at < s.size();) {
            std::size_t cut = std::min(s.size(), at + 1 + rng() % 40);
            while (cut < s.size() && cut > at && static_cast<unsigned char>(s[cut - 1]) >= 0x80) --cut;
            if (cut == at) cut = s.size();
            bool m = false;
            valid = IsUtf8Text(std::string_view(s).substr(at, cut - at), m) && valid;
            multi |= m;
            at = cut;
        }
        EXPECT_EQ(valid, whole) << round;
        if (valid) {
            EXPECT_EQ(multi, wholeMulti) << round;
        }
        std::size_t ascii = 0;
        while (ascii < s.size() && static_cast<unsigned char>(s[ascii]) < 0x80) ++ascii;
        const TCharCode head = DetectLegacyCharCode(std::string_view(s).substr(0, ascii));
        if ((head == ccJis || head == ccJisOld) && (ascii == s.size() || ascii > 512)) {
            EXPECT_EQ(DetectLegacyCharCode(s), head) << round;
            ++decided;
        }
    }
    EXPECT_GT(decided, 500);
}

} // namespace
