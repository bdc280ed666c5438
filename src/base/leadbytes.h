#pragma once
// Lead bytes of the ANSI code page the program is made for (932). The portable
// core cannot ask the system, so the set is fixed here and checked against
// IsDBCSLeadByteEx in the Windows tests.
#include <array>
#include <cstddef>
#include <string_view>

namespace vellumo {

// One flag per byte value.
inline constexpr std::array<bool, 256> LeadBytes = [] {
    std::array<bool, 256> set{};
    for (int b = 0x81; b <= 0x9F; ++b) set[b] = true;
    for (int b = 0xE0; b <= 0xFC; ++b) set[b] = true;
    return set;
}();

constexpr bool IsLeadByte(unsigned char b) noexcept { return LeadBytes[b]; }

// Whether the last byte of head, which starts on a character, is a lead
// byte with no trail. A run of lead-range bytes begins at a character's
// start (the byte before it ends one), so an odd run leaves its last byte
// alone; only the run is read, however long head is.
constexpr bool EndsWithStrayLead(std::string_view head) noexcept
{
    std::size_t run = 0;
    while (run < head.size() && IsLeadByte(static_cast<unsigned char>(head[head.size() - 1 - run]))) ++run;
    return run % 2 == 1;
}

} // namespace vellumo
