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

// The common Windows-compatible EUC-JP: a two-byte (threeBytes false) or
// three-byte code in rows 75-7E is a user-defined character, F040-F4FC and
// F540-F9FC in order; 0 outside those rows.
std::uint16_t EucUserDefinedToSjis(bool threeBytes, unsigned row, unsigned cell) noexcept;

// An EUC-JP three-byte code (8F and a JIS X 0212 code, bytes 21-7E) as
// code page 932: the user-defined rows, the IBM extensions that EUC-JP
// writes in rows 83 and 84 and as the broken bar, then the JIS X 0212
// equivalents. 0 when code page 932 has no such character.
std::uint16_t EucThreeByteToSjis(std::uint16_t jis0212) noexcept;

// How that EUC-JP writes a code page 932 character outside JIS X 0208: a
// user-defined character, an IBM extension or its NEC-selected twin.
// 0x8F0000 | the two bytes (with bit 7 set) for a three-byte code, the two
// bytes alone for a two-byte one, 0x10000 | a JIS X 0208 or NEC-row Shift-JIS
// code that stands for it, 0 when it has no form.
std::uint32_t SjisToEucExtra(std::uint16_t sjis) noexcept;

// The "〓" that stands for a character the target code cannot hold.
constexpr std::uint16_t kGetaMark = 0x81AC;

} // namespace vellumo
