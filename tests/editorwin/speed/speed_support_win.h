#pragma once
// What the speed tests share: a millisecond clock.
#include <windows.h>

namespace vellumo::testing {

inline double Now()
{
    LARGE_INTEGER f, c;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&c);
    return static_cast<double>(c.QuadPart) * 1000.0 / static_cast<double>(f.QuadPart);
}

} // namespace vellumo::testing
