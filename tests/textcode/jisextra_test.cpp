// The JIS X 0212 equivalents against the platform's own EUC-JP and code
// page 932 converters (native builds only; the Windows test checks the
// codes against the system's code page).
#include <gtest/gtest.h>

#if !defined(_WIN32)
#include <iconv.h>

#include <cstring>
#include <string>

#include "textcode/cp932conv.h"
#include "textcode/jisconv.h"
#include "textcode/jisextra.h"

using namespace vellumo;

namespace {

// The conversion of in, or an empty string when the converter refuses it.
std::string Iconv(iconv_t cd, const std::string& in)
{
    char out[16];
    char* ip = const_cast<char*>(in.data());
    std::size_t il = in.size(), ol = sizeof out;
    char* op = out;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    if (iconv(cd, &ip, &il, &op, &ol) == static_cast<std::size_t>(-1) || il != 0) return {};
    return std::string(out, static_cast<std::size_t>(op - out));
}

TEST(JisExtra, Jis0212EquivalentsAreThePlatformsOwn)
{
    const iconv_t toWide = iconv_open("UTF-32LE", "EUC-JP");
    const iconv_t toSjis = iconv_open("CP932", "UTF-32LE");
    ASSERT_NE(toWide, reinterpret_cast<iconv_t>(-1));
    ASSERT_NE(toSjis, reinterpret_cast<iconv_t>(-1));
    int mapped = 0;
    for (unsigned r = 0x21; r <= 0x7E; ++r) {
        for (unsigned c = 0x21; c <= 0x7E; ++c) {
            const std::string wide = Iconv(toWide, {'\x8F', static_cast<char>(r | 0x80), static_cast<char>(c | 0x80)});
            const std::string sjis = wide.size() == 4 ? Iconv(toSjis, wide) : std::string();
            const unsigned want = sjis.size() == 2 ? static_cast<unsigned char>(sjis[0]) << 8 | static_cast<unsigned char>(sjis[1]) : 0;
            ASSERT_EQ(Jis0212ToSjis(static_cast<std::uint16_t>(r << 8 | c)), want) << std::hex << (r << 8 | c);
            mapped += want != 0;
        }
    }
    EXPECT_GT(mapped, 200);
    iconv_close(toWide);
    iconv_close(toSjis);
}

// The Windows-compatible EUC-JP that other programs write: every code page
// 932 character reads back as itself (the same character), and what we
// write reads there as the same character.
TEST(JisExtra, EveryCharacterOfTheCodePageAgreesWithTheCommonWindowsEucJp)
{
    const iconv_t toEuc = iconv_open("EUC-JP-MS", "CP932");
    const iconv_t fromEuc = iconv_open("CP932", "EUC-JP-MS");
    ASSERT_NE(toEuc, reinterpret_cast<iconv_t>(-1));
    ASSERT_NE(fromEuc, reinterpret_cast<iconv_t>(-1));
    int checked = 0;
    for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
        if (lead == 0xA0) lead = 0xE0;
        for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
            const std::string sjis{static_cast<char>(lead), static_cast<char>(trail)};
            const std::string euc = Iconv(toEuc, sjis);
            if (euc.empty()) continue;  // no character
            std::size_t lost = 1;
            const std::string back = ConvertEucToSjis(euc, lost);
            std::wstring want, got;
            Cp932ToWideUnits(sjis, want);
            Cp932ToWideUnits(back, got);
            ASSERT_TRUE(got == want && lost == 0) << std::hex << (lead << 8 | trail);
            // What we write, the other side reads as the same character.
            const std::string ours = ConvertSjisToEuc(sjis, lost);
            Cp932ToWideUnits(Iconv(fromEuc, ours), got);
            ASSERT_TRUE(got == want && lost == 0) << std::hex << (lead << 8 | trail);
            ++checked;
        }
    }
    EXPECT_GT(checked, 9000);
    iconv_close(toEuc);
    iconv_close(fromEuc);
}

} // namespace
#endif
