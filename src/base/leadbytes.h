#pragma once
// Lead bytes of the ANSI code page the program is made for (932). The portable
// core cannot ask the system, so the set is fixed here and checked against
// IsDBCSLeadByteEx in the Windows tests.
#include <array>

namespace vellumo {

// One flag per byte value.
inline constexpr std::array<bool, 256> LeadBytes = [] {
    std::array<bool, 256> set{};
    for (int b = 0x81; b <= 0x9F; ++b) set[b] = true;
    for (int b = 0xE0; b <= 0xFC; ++b) set[b] = true;
    return set;
}();

constexpr bool IsLeadByte(unsigned char b) noexcept { return LeadBytes[b]; }

} // namespace vellumo
