// The equivalents of the IBM extensions and of JIS X 0212 against code
// page 932 as the system converts it.
#include <windows.h>

#include <gtest/gtest.h>

#include "textcode/jisextra.h"

using namespace vellumo;

namespace {

// The UTF-16 unit of a two-byte code, or 0 when the code page has none.
wchar_t Wide(unsigned code)
{
    const char b[2] = {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
    wchar_t w[2] = {};
    return ::MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, b, 2, w, 2) == 1 ? w[0] : 0;
}

bool ValidTrail(unsigned t) { return t >= 0x40 && t <= 0xFC && t != 0x7F; }

TEST(JisExtraWin, IbmExtensionsMapToTheSameCharacterPreferringJisX0208AndTheNecRow)
{
    // The first code of every character outside the IBM and NEC-selected
    // areas: a JIS X 0208 code before a NEC-row copy (∵ is 81E6, not 879A),
    // as the system itself writes it.
    std::wstring jisSide(0x10000, L'\0');
    for (unsigned lead = 0x81; lead <= 0xEC; ++lead) {
        if (lead == 0xA0) lead = 0xE0;
        for (unsigned t = 0x40; t <= 0xFC; ++t)
            if (ValidTrail(t))
                if (const wchar_t w = Wide(lead << 8 | t); w && !jisSide[w]) jisSide[w] = static_cast<wchar_t>(lead << 8 | t);
    }
    int count = 0;
    for (unsigned code = 0xF040; code <= 0xFCFC; ++code) {
        if (!ValidTrail(code & 0xFF)) continue;
        const wchar_t w = Wide(code);
        const unsigned other = IbmExtensionEquivalent(static_cast<std::uint16_t>(code));
        if (code < 0xFA40 || !w) {
            EXPECT_EQ(other, 0u) << std::hex << code;
            continue;
        }
        ++count;
        ASSERT_NE(other, 0u) << std::hex << code;
        EXPECT_EQ(Wide(other), w) << std::hex << code;
        if (jisSide[w]) EXPECT_EQ(other, jisSide[w]) << std::hex << code;
        else EXPECT_TRUE(other >> 8 == 0xED || other >> 8 == 0xEE) << std::hex << code;
    }
    EXPECT_EQ(count, 388);
}

TEST(JisExtraWin, Jis0212EquivalentsAreTheCodesTheSystemWrites)
{
    for (unsigned j = 0x2121; j <= 0x7E7E; ++j) {
        const unsigned s = Jis0212ToSjis(static_cast<std::uint16_t>(j));
        if (!s) continue;
        const wchar_t w = Wide(s);
        ASSERT_NE(w, 0) << std::hex << j;
        char back[4] = {};
        BOOL used = FALSE;
        ASSERT_EQ(::WideCharToMultiByte(932, 0, &w, 1, back, 4, nullptr, &used), 2);
        EXPECT_EQ(static_cast<unsigned>(static_cast<unsigned char>(back[0]) << 8 | static_cast<unsigned char>(back[1])), s)
            << std::hex << j;
    }
}

} // namespace
