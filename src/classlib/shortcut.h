#pragma once
// Menu shortcuts: a key code with modifier bits, written as "Ctrl+Z".
#include <cstdint>
#include <string>

namespace vellumo {

using TShortCut = std::uint16_t;

constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;
constexpr TShortCut scNone = 0;

// "Ctrl+Z", "Shift+Ctrl+F5", "Del", "Alt+Enter"... Modifier names and key
// names are matched without regard to case; an unknown text gives scNone.
TShortCut TextToShortCut(const std::string& text);
// The canonical text ("Shift+Ctrl+Alt+" in that order, then the key).
std::string ShortCutToText(TShortCut shortcut);

} // namespace vellumo
