#pragma once
// Shared by the converter fuzz targets: turns any bytes into valid Shift-JIS
// text (ASCII without ESC/SO/SI, half-width kana, every two-byte code of
// code page 932 including the NEC row, the NEC-selected and IBM extensions
// and the user-defined area, CR LF) and checks what survives both round
// trips: through JIS every character comes back as itself, as its NEC
// equivalent or as "〓"; through EUC-JP as the same character, or as "〓"
// where the code is no character; the neighbours untouched, and JIS holds
// no byte above 7F.
#include <cstdlib>
#include <string>
#include <string_view>

#include "textcode/cp932conv.h"
#include "textcode/jisconv.h"
#include "textcode/jisextra.h"

struct TValidText {
    std::string sjis;         // the text
    std::string expected;     // what it comes back as through JIS
    std::string expectedEuc;  // and through EUC-JP
    std::size_t lost = 0;     // codes that become "〓" through JIS
    std::size_t lostEuc = 0;  // and through EUC-JP
};

inline bool IsCp932Character(std::uint16_t code)
{
    std::wstring w;
    vellumo::Cp932ToWideUnits(std::string{static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)}, w);
    return w.size() == 1 && (w[0] != 0x30FB || code == 0x8145);
}

inline TValidText ValidShiftJis(std::string_view raw)
{
    TValidText t;
    auto both = [&t](const std::string& s) {
        t.sjis += s;
        t.expected += s;
        t.expectedEuc += s;
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
            const bool known = IsCp932Character(code);
            std::uint16_t back = known ? code : 0;
            if (lead >= 0xF0) back = vellumo::IbmExtensionEquivalent(code);
            if (!back) {
                back = vellumo::kGetaMark;
                ++t.lost;
            }
            t.expected += static_cast<char>(back >> 8);
            t.expected += static_cast<char>(back & 0xFF);
            const std::uint16_t backEuc = known ? code : vellumo::kGetaMark;
            t.lostEuc += !known;
            t.expectedEuc += static_cast<char>(backEuc >> 8);
            t.expectedEuc += static_cast<char>(backEuc & 0xFF);
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
    std::wstring got, want;
    vellumo::Cp932ToWideUnits(vellumo::ConvertEucToSjis(euc, back), got);
    vellumo::Cp932ToWideUnits(t.expectedEuc, want);
    if (out != t.lostEuc || got != want || back != 0) std::abort();
}
