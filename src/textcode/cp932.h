#pragma once
// Code page 932 against UTF-16 by the project's own tables, with the same
// results as the system's conversion (checked against it under Windows).
#include <cstdint>

namespace vellumo {

// What the system makes of a pair without a character, or of a lead byte
// with no trail: "・".
constexpr std::uint16_t kCp932Unknown = 0x30FB;
// A UTF-16 unit that code page 932 cannot hold.
constexpr std::uint16_t kNoCp932 = 0xFFFF;
constexpr std::uint8_t kNoRow = 0xFF;

struct TCp932Tables {
    // A lead byte's row of pair, kNoRow for every other byte.
    std::uint8_t row[256];
    // A byte taken alone (a lead byte alone: kCp932Unknown).
    std::uint16_t single[256];
    // [row of the lead][trail]: the unit of a lead byte and any non-zero byte
    // after it (the system takes both, character or not).
    std::uint16_t pair[60][256];
    // A unit's code: below 100 one byte, else lead and trail; kNoCp932 when none.
    std::uint16_t code[65536];
};

const TCp932Tables& Cp932Tables();

} // namespace vellumo
