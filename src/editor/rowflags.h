#pragma once
// The flag word kept beside every row of the row store: how the row ends
// (bits 0-3) and the bracket-region state at its start (bits 4-7, stored + 2).
#include <cstdint>

namespace vellumo {

enum TEditorRowAttribute : std::uint8_t {
    raLineBreak = 0,  // a line break follows the row
    raWrapped = 1,    // the logical line continues on the next row
    raEof = 2,        // last row, no line break after it
    raNone = 3,       // no row (results and undo records only)
};

// Bracket-region states: not computed yet, outside every region, or 0..13.
constexpr int kBracketUnknown = -2;
constexpr int kBracketOutside = -1;
constexpr int kMaxBracketRegions = 14;

using TEditorRowFlags = std::uint32_t;

constexpr TEditorRowAttribute RowAttribute(TEditorRowFlags f) noexcept
{
    return static_cast<TEditorRowAttribute>(f & 0x0Fu);
}

constexpr int BracketStateOf(TEditorRowFlags f) noexcept
{
    return static_cast<int>((f >> 4) & 0x0Fu) - 2;
}

// Keeps bits 4-11 and drops everything from bit 12 up.
constexpr TEditorRowFlags WithRowAttribute(TEditorRowFlags f, TEditorRowAttribute a) noexcept
{
    return (f & 0xFF0u) | (static_cast<TEditorRowFlags>(a) & 0x0Fu);
}

// Keeps bits 0-3 and 8-15; states outside -2..13 are stored as "not computed".
constexpr TEditorRowFlags WithBracketState(TEditorRowFlags f, int state) noexcept
{
    const TEditorRowFlags v = (state >= -2 && state < kMaxBracketRegions) ? static_cast<TEditorRowFlags>(state + 2) : 0u;
    return (f & 0xFF0Fu) | (v << 4);
}

} // namespace vellumo
