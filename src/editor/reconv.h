#pragma once
// The record an input method reads to convert a text again: a 32-byte
// header of eight 32-bit fields, then the text with one blank appended and
// no terminator; the whole text is both the composition and the target.
// The record is written only into a block that can hold it.
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace vellumo {

constexpr std::size_t kReconvertHeaderSize = 32;

// Bytes of a record for a string of units (the blank included) of unitBytes each.
constexpr std::size_t ReconvertRecordSize(std::size_t units, unsigned unitBytes)
{
    return kReconvertHeaderSize + units * unitBytes;
}

// Fills the record for a string of count units (its blank already in
// place) at block, which holds capacity bytes. The result is the record's
// size; with a block too small for it nothing is written and the result is 0.
// Without a block only the size is given.
std::size_t FillReconvertRecord(void* block, std::size_t capacity, const void* units, std::size_t count,
                                unsigned unitBytes);

// The ANSI form: the text's bytes and a blank.
std::size_t BuildReconvertRecordA(void* block, std::size_t capacity, std::string_view text);

// The size a caller declared in a record's first field (the caller's block).
std::uint32_t DeclaredRecordSize(const void* record);

} // namespace vellumo
