// The folding tables against the system's own upper-casing, under Wine
// with code page 932.
#include <gtest/gtest.h>

#include <windows.h>

#include "base/leadbytes.h"
#include <string>

#include "textcode/charfold.h"
#include "textcode/search.h"

using namespace vellumo;

namespace {

TEST(SearchFolding, SingleByteUpperCaseMatchesTheSystemByteByByte)
{
    ASSERT_EQ(::GetACP(), 932u);
    for (int b = 1; b < 256; ++b) {
        const auto byte = static_cast<unsigned char>(b);
        if (IsLeadByte(byte)) continue;  // alone, a lead byte is no character
        char c = static_cast<char>(b);
        ASSERT_EQ(::CharUpperBuffA(&c, 1), 1u);
        EXPECT_EQ(static_cast<unsigned char>(c), UpperCaseByte(byte)) << std::hex << b;
    }
}

TEST(SearchFolding, DoubleByteFoldingAgreesWithTheSystemOnItsRanges)
{
    struct Range {
        unsigned lead, from, to;
    };
    // Lower-case full-width Latin, Greek, Cyrillic, and small Roman numerals.
    const Range ranges[] = {{0x82, 0x81, 0x9A}, {0x83, 0xBF, 0xD6}, {0x84, 0x70, 0x7E}, {0x84, 0x80, 0x91}, {0xEE, 0xEF, 0xF8}};
    int changed = 0;
    for (const Range& r : ranges) {
        for (unsigned t = r.from; t <= r.to; ++t) {
            char buf[2] = {static_cast<char>(r.lead), static_cast<char>(t)};
            ASSERT_EQ(::CharUpperBuffA(buf, 2), 2u);
            const unsigned system = static_cast<unsigned char>(buf[0]) << 8 | static_cast<unsigned char>(buf[1]);
            const unsigned code = r.lead << 8 | t;
            EXPECT_EQ(FoldDoubleByte(static_cast<std::uint16_t>(code)), system) << std::hex << code;
            changed += FoldDoubleByte(static_cast<std::uint16_t>(code)) != code;
        }
    }
    EXPECT_EQ(changed, 26 + 24 + 33 + 10);
    // The upper-case letters themselves stay.
    for (unsigned code : {0x8260u, 0x8279u, 0x839Fu, 0x83B6u, 0x8440u, 0x8460u, 0x8754u, 0x875Du})
        EXPECT_EQ(FoldDoubleByte(static_cast<std::uint16_t>(code)), code);
}

std::string SystemFullWidth(const std::string& s)
{
    char out[64] = {};
    const int n = ::LCMapStringA(MAKELCID(0x411, SORT_DEFAULT), LCMAP_FULLWIDTH | LCMAP_KATAKANA, s.data(),
                                 static_cast<int>(s.size()), out, sizeof out);
    return std::string(out, n > 0 ? static_cast<std::size_t>(n) : 0);
}

TEST(SearchFolding, FullWidthFormsAgreeWithTheSystem)
{
    // The program's own choices: " ' \ ~ become ” ’ ￥ ￣, and the lone
    // voiced marks ゛ ゜, where the system has other forms or none.
    const std::string own = "\"'\\~\xDE\xDF";
    for (int b = 0x20; b <= 0xDF; ++b) {
        if (b > 0x7E && b < 0xA1) continue;
        const std::string one(1, static_cast<char>(b));
        if (own.find(one) != std::string::npos) continue;
        EXPECT_EQ(HanToZen(one), SystemFullWidth(one)) << std::hex << b;
    }
    // Kana with their marks, joined the same way; ﾟ joins only ﾊ..ﾎ.
    for (int k = 0xB1; k <= 0xDD; ++k) {
        for (const char mark : {'\xDE', '\xDF'}) {
            const std::string pair{static_cast<char>(k), mark};
            const std::string sys = SystemFullWidth(pair);
            if (sys.size() == 2) {
                EXPECT_EQ(HanToZen(pair), sys) << std::hex << k;
            } else {
                EXPECT_EQ(HanToZen(pair).size(), 4u) << std::hex << k;
            }
        }
    }
}

} // namespace
