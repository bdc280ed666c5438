#pragma once
// The folder browser's arithmetic: its prompt and where its window goes.
#include <string>

#include "classlib/formplace.h"

namespace vellumo {

// The first line, then the second on a line of its own when there is one.
std::string BrowseFolderPrompt(const std::string& line1, const std::string& line2);

// The top-left of a width x height browser wanted at `at` (the owner's client
// origin on screen): first shifted back inside the primary work area at the
// right and bottom, then clamped into the work area of the main window's
// monitor (left and top first, so the right and bottom edges win).
TPlacePoint BrowseFolderPlace(TPlacePoint at, int width, int height, const TPlaceRect& primaryWork,
                              const TPlaceRect& monitorWork) noexcept;

} // namespace vellumo
