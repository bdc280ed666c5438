#pragma once
// Code page 932 characters outside JIS X 0208, and JIS X 0212 characters
// that code page 932 holds: the equivalents the JIS and EUC-JP converters use.
#include <cstdint>

namespace vellumo {

// For an IBM extension code (lead FA-FC): the same character's other code
// in code page 932, a JIS X 0208 or NEC row-13 code where one exists,
// else the NEC-selected code (lead ED or EE). 0 for any other code.
std::uint16_t IbmExtensionEquivalent(std::uint16_t sjis) noexcept;

// For a JIS X 0212 code (row and cell bytes 21-7E): the code page 932 code
// of the same character, as the system writes it, or 0 when it has none.
std::uint16_t Jis0212ToSjis(std::uint16_t jis0212) noexcept;

// The "〓" that stands for a character the target code cannot hold.
constexpr std::uint16_t kGetaMark = 0x81AC;

} // namespace vellumo
