#pragma once
// The completion a history drop-down offers while the user types.
#include <string>
#include <string_view>
#include <vector>

namespace vellumo {

// typed followed by the rest of the first item that begins with it (ASCII
// letters compared without case, double-byte characters exactly). What was
// typed stays as typed. Empty when typed is empty or no longer item matches.
std::string CompleteFromItems(std::string_view typed, const std::vector<std::string>& items);

} // namespace vellumo
