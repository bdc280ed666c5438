// Half-width to full-width forms.
#include <array>

#include "base/leadbytes.h"
#include "textcode/charfold.h"
#include "textcode/jisconv.h"
#include "textcode/search.h"

namespace vellumo {
namespace {

// JIS X 0208 codes of the full-width forms of 20-7E.
constexpr std::uint16_t kAsciiJis[0x5F] = {
    0x2121, 0x212A, 0x2149, 0x2174, 0x2170, 0x2173, 0x2175, 0x2147,  // space ! " # $ % & '
    0x214A, 0x214B, 0x2176, 0x215C, 0x2124, 0x215D, 0x2125, 0x213F,  // ( ) * + , - . /
    0x2330, 0x2331, 0x2332, 0x2333, 0x2334, 0x2335, 0x2336, 0x2337,  // 0-7
    0x2338, 0x2339, 0x2127, 0x2128, 0x2163, 0x2161, 0x2164, 0x2129,  // 8 9 : ; < = > ?
    0x2177, 0x2341, 0x2342, 0x2343, 0x2344, 0x2345, 0x2346, 0x2347,  // @ A-G
    0x2348, 0x2349, 0x234A, 0x234B, 0x234C, 0x234D, 0x234E, 0x234F,  // H-O
    0x2350, 0x2351, 0x2352, 0x2353, 0x2354, 0x2355, 0x2356, 0x2357,  // P-W
    0x2358, 0x2359, 0x235A, 0x214E, 0x216F, 0x214F, 0x2130, 0x2132,  // X Y Z [ yen ] ^ _
    0x212E, 0x2361, 0x2362, 0x2363, 0x2364, 0x2365, 0x2366, 0x2367,  // ` a-g
    0x2368, 0x2369, 0x236A, 0x236B, 0x236C, 0x236D, 0x236E, 0x236F,  // h-o
    0x2370, 0x2371, 0x2372, 0x2373, 0x2374, 0x2375, 0x2376, 0x2377,  // p-w
    0x2378, 0x2379, 0x237A, 0x2150, 0x2143, 0x2151, 0x2131,          // x y z { | } overline
};

// JIS X 0208 codes of the full-width forms of A1-DF. A5 is the middle dot
// (21 26), not the full stop.
constexpr std::uint16_t kKanaJis[0x3F] = {
    0x2123, 0x2156, 0x2157, 0x2122, 0x2126, 0x2572, 0x2521,          // A1-A7
    0x2523, 0x2525, 0x2527, 0x2529, 0x2563, 0x2565, 0x2567, 0x2543,  // A8-AF
    0x213C, 0x2522, 0x2524, 0x2526, 0x2528, 0x252A, 0x252B, 0x252D,  // B0-B7
    0x252F, 0x2531, 0x2533, 0x2535, 0x2537, 0x2539, 0x253B, 0x253D,  // B8-BF
    0x253F, 0x2541, 0x2544, 0x2546, 0x2548, 0x254A, 0x254B, 0x254C,  // C0-C7
    0x254D, 0x254E, 0x254F, 0x2552, 0x2555, 0x2558, 0x255B, 0x255E,  // C8-CF
    0x255F, 0x2560, 0x2561, 0x2562, 0x2564, 0x2566, 0x2568, 0x2569,  // D0-D7
    0x256A, 0x256B, 0x256C, 0x256D, 0x256F, 0x2573, 0x212B, 0x212C,  // D8-DF
};

constexpr std::uint16_t kJisVu = 0x2574;

struct FullWidthTable {
    std::array<std::uint16_t, 256> code{};
    FullWidthTable() noexcept
    {
        for (unsigned b = 0; b < 256; ++b) code[b] = static_cast<std::uint16_t>(b);
        for (unsigned b = 0x20; b <= 0x7E; ++b) code[b] = JisToSjisCode(kAsciiJis[b - 0x20]);
        for (unsigned b = 0xA1; b <= 0xDF; ++b) code[b] = JisToSjisCode(kKanaJis[b - 0xA1]);
    }
};

const FullWidthTable& Table() noexcept
{
    static const FullWidthTable table;
    return table;
}

void PutCode(std::string& out, std::uint16_t code)
{
    if (code > 0xFF) out += static_cast<char>(code >> 8);
    out += static_cast<char>(code & 0xFF);
}

} // namespace

std::uint16_t FullWidthCode(unsigned char b) noexcept
{
    return Table().code[b];
}

std::uint16_t JoinedKanaCode(unsigned char kana, unsigned char mark) noexcept
{
    if (kana == 0xB3) return JisToSjisCode(kJisVu);
    // The voiced kana follow their plain forms in JIS X 0208: +1, +2 semi-voiced.
    return JisToSjisCode(static_cast<std::uint16_t>(kKanaJis[kana - 0xA1] + (mark == 0xDE ? 1 : 2)));
}

std::string HanToZen(std::string_view s)
{
    std::string out;
    out.reserve(s.size() * 2);
    const auto* p = reinterpret_cast<const unsigned char*>(s.data());
    const std::size_t n = s.size();
    for (std::size_t i = 0; i < n;) {
        const unsigned char b = p[i];
        if (IsLeadByte(b) && i + 1 < n) {
            out += static_cast<char>(b);
            out += static_cast<char>(p[i + 1]);
            i += 2;
        } else if (i + 1 < n && JoinsMark(b, p[i + 1])) {
            PutCode(out, JoinedKanaCode(b, p[i + 1]));
            i += 2;
        } else {
            PutCode(out, FullWidthCode(b));
            ++i;
        }
    }
    return out;
}

} // namespace vellumo
