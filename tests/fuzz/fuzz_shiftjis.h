#pragma once
// Shared by the converter fuzz targets: turns any bytes into valid Shift-JIS
// text (ASCII without ESC/SO/SI, half-width kana, JIS X 0208 pairs, CR LF)
// and checks that it survives both round trips.
#include <cstdlib>
#include <string>
#include <string_view>

#include "textcode/jisconv.h"

inline std::string ValidShiftJis(std::string_view raw)
{
    using vellumo::JisToSjisCode;
    std::string s;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        const unsigned char b = static_cast<unsigned char>(raw[i]);
        switch (b % 5) {
        case 0: s += "\r\n"; break;
        case 1: s += static_cast<char>(0xA1 + b % 0x3F); break;
        case 2:
        case 3: {
            const unsigned c = i + 1 < raw.size() ? static_cast<unsigned char>(raw[++i]) : 0;
            const auto code = JisToSjisCode(static_cast<std::uint16_t>((0x21 + b % 94) << 8 | (0x21 + c % 94)));
            s += static_cast<char>(code >> 8);
            s += static_cast<char>(code & 0xFF);
            break;
        }
        default: s += static_cast<char>(0x20 + b % 0x5F); break;
        }
    }
    return s;
}

inline void CheckRoundTrip(const std::string& sjis)
{
    if (vellumo::ConvertJisToSjis(vellumo::ConvertSjisToJis(sjis)) != sjis) std::abort();
    if (vellumo::ConvertEucToSjis(vellumo::ConvertSjisToEuc(sjis)) != sjis) std::abort();
}
