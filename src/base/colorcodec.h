#pragma once
// Colours as text: the name of a colour constant ("clWindowText") when the
// colour has one, otherwise "$" and eight hexadecimal digits (00BBGGRR).
#include <string>
#include <string_view>

#include "base/color.h"

namespace vellumo {

std::string ColorToString(TColor color);

// Accepts a colour name in any ASCII case or a number ("$" or "0x" with up to
// eight hexadecimal digits, or decimal). Anything else fails.
bool TryStringToColor(std::string_view text, TColor& color) noexcept;

// As TryStringToColor, with fallback for text that is no colour.
TColor StringToColor(std::string_view text, TColor fallback) noexcept;

// Name lookups on their own; a name is found in any ASCII case.
bool ColorToIdent(TColor color, std::string& name);
bool IdentToColor(std::string_view name, TColor& color) noexcept;

} // namespace vellumo
