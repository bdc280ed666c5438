#pragma once
// Shared by the converter fuzz targets: turns any bytes into valid Shift-JIS
// text (ASCII without ESC/SO/SI, half-width kana, every two-byte code of
// code page 932 including the NEC row, the NEC-selected and IBM extensions
// and the user-defined area, CR LF) and checks what survives both round
// trips: every character comes back as itself, as its NEC equivalent or as
// "〓", the neighbours untouched, and JIS holds no byte above 7F.
#include <cstdlib>
#include <string>
#include <string_view>

#include "textcode/jisconv.h"
#include "textcode/jisextra.h"

struct TValidText {
    std::string sjis;      // the text
    std::string expected;  // what it comes back as
    std::size_t lost = 0;  // characters that become "〓"
};

inline TValidText ValidShiftJis(std::string_view raw)
{
    TValidText t;
    auto both = [&t](const std::string& s) {
        t.sjis += s;
        t.expected += s;
    };
    for (std::size_t i = 0; i < raw.size(); ++i) {
        const unsigned char b = static_cast<unsigned char>(raw[i]);
        switch (b % 5) {
        case 0: both("\r\n"); break;
        case 1: both(std::string(1, static_cast<char>(0xA1 + b % 0x3F))); break;
        case 2:
        case 3: {
            const unsigned c = i + 1 < raw.size() ? static_cast<unsigned char>(raw[++i]) : 0;
            // 60 lead bytes (81-9F, E0-FC) by 188 trail bytes.
            const unsigned k = (b / 5 * 256 + c) % (60 * 188);
            const unsigned lead = k / 188 < 31 ? 0x81 + k / 188 : 0xE0 + k / 188 - 31;
            const unsigned trail = 0x40 + k % 188 + (k % 188 >= 0x3F ? 1 : 0);
            const std::uint16_t code = static_cast<std::uint16_t>(lead << 8 | trail);
            t.sjis += static_cast<char>(lead);
            t.sjis += static_cast<char>(trail);
            std::uint16_t back = code;
            if (lead >= 0xF0) back = vellumo::IbmExtensionEquivalent(code);
            if (!back) {
                back = vellumo::kGetaMark;
                ++t.lost;
            }
            t.expected += static_cast<char>(back >> 8);
            t.expected += static_cast<char>(back & 0xFF);
            break;
        }
        default: both(std::string(1, static_cast<char>(0x20 + b % 0x5F))); break;
        }
    }
    return t;
}

inline void CheckRoundTrip(const TValidText& t)
{
    std::size_t out = 0, back = 0;
    const std::string jis = vellumo::ConvertSjisToJis(t.sjis, out);
    for (const char c : jis)
        if (static_cast<unsigned char>(c) >= 0x80) std::abort();
    if (out != t.lost || vellumo::ConvertJisToSjis(jis, back) != t.expected || back != 0) std::abort();
    const std::string euc = vellumo::ConvertSjisToEuc(t.sjis, out);
    if (out != t.lost || vellumo::ConvertEucToSjis(euc, back) != t.expected || back != 0) std::abort();
}
