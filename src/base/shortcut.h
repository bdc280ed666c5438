#pragma once
// Menu shortcuts: a virtual-key code in the low byte and modifier bits above.
// The text form is the same on every system, whatever the keyboard language:
// "Shift+", "Ctrl+" and "Alt+" in that order, then the key's name.
#include <cstdint>
#include <string>
#include <string_view>

namespace vellumo {

using TShortCut = std::uint16_t;

constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;
constexpr TShortCut scNone = 0;

constexpr TShortCut ShortCut(unsigned key, TShortCut modifiers) noexcept
{
    return static_cast<TShortCut>((key & 0xFF) | modifiers);
}

// "" for 0 or for a value without a key.
std::string ShortCutToText(TShortCut shortCut);

// Modifiers in any order and ASCII case, blanks around "+" allowed; 0 when
// the text names no key or an unknown one.
TShortCut TextToShortCut(std::string_view text) noexcept;

} // namespace vellumo
