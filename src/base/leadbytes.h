#pragma once
// Lead bytes of the ANSI code page the program is made for (932). The portable
// core cannot ask the system, so the set is fixed here and checked against
// IsDBCSLeadByteEx in the Windows tests.

namespace vellumo {

constexpr bool IsLeadByte(unsigned char b) noexcept
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

} // namespace vellumo
