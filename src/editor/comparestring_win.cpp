// The keyword comparison of the user's locale.
#include <windows.h>

#include <climits>

#include "editor/reservewords.h"

namespace vellumo {

int SystemWordCompare(std::string_view a, std::string_view b, bool caseSensitive) noexcept
{
    if (a.size() > INT_MAX || b.size() > INT_MAX) return AsciiFoldCompare(a, b, caseSensitive);
    const int r = CompareStringA(LOCALE_USER_DEFAULT, caseSensitive ? 0 : NORM_IGNORECASE, a.empty() ? "" : a.data(),
                                 static_cast<int>(a.size()), b.empty() ? "" : b.data(), static_cast<int>(b.size()));
    return WordCompareFromSystem(r, a, b, caseSensitive);
}

} // namespace vellumo
