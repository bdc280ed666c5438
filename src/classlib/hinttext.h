#pragma once
// Hints of menu items and tool buttons: "short|long". The short part
// is the tool tip, the long part the status-bar text; a text without a
// separator serves as both. The separator is an ASCII "|" that is not the
// trail byte of a double-byte character.
#include <string>
#include <string_view>

namespace vellumo {

std::string GetShortHint(std::string_view hint);
std::string GetLongHint(std::string_view hint);

} // namespace vellumo
