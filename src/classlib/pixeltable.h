#pragma once
// Small images written as text: one character per pixel, each row a string,
// a palette for the characters; "." and " " are transparent. Portable.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace vellumo {

// Character -> 0xRRGGBB.
using TPixelPalette = std::map<char, std::uint32_t>;

// The pixels as 0xAARRGGBB, row by row (alpha 0 for transparent, FF else).
// Empty when the table is not width x height or uses a character that is not
// in the palette.
std::vector<std::uint32_t> ParsePixelTable(const std::vector<std::string>& rows, int width, int height,
                                           const TPixelPalette& palette);

} // namespace vellumo
