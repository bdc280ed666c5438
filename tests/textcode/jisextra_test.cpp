// The JIS X 0212 equivalents against the platform's own EUC-JP and code
// page 932 converters (native builds only; the Windows test checks the
// codes against the system's code page).
#include <gtest/gtest.h>

#if !defined(_WIN32)
#include <iconv.h>

#include <cstring>
#include <string>

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

} // namespace
#endif
