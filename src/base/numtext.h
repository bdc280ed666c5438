#pragma once
// Integers as text: decimal with an optional sign, or hexadecimal after "$"
// or "0x" (up to eight digits, read as a 32-bit pattern).
#include <string_view>

namespace vellumo {

bool TryStrToInt(std::string_view text, int& value) noexcept;

inline int StrToIntDef(std::string_view text, int fallback) noexcept
{
    int v = 0;
    return TryStrToInt(text, v) ? v : fallback;
}

} // namespace vellumo
