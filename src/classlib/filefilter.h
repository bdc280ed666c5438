#pragma once
// File-dialog filters: "Description|pattern|Description|pattern", where "|"
// is never the trail byte of a double-byte character. Portable.
#include <string>

namespace vellumo {

// The "\0"-separated, double-"\0"-ended list the system dialog wants. A last
// description without a pattern gets "*.*".
std::string FilterToSystemList(const std::string& filter);

} // namespace vellumo
