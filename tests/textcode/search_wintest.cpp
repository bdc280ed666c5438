// The folding tables against the system's own upper-casing, under Wine
// with code page 932.
#include <gtest/gtest.h>

#include <windows.h>

#include "classlib/leadbytes.h"
#include "textcode/charfold.h"

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

} // namespace
