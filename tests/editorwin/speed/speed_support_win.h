#pragma once
// What the speed tests share: a millisecond clock and the long line typed into.
#include <windows.h>

#include <string>

namespace vellumo::testing {

inline double Now()
{
    LARGE_INTEGER f, c;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&c);
    return static_cast<double>(c.QuadPart) * 1000.0 / static_cast<double>(f.QuadPart);
}

// One line of C-like text with Japanese words, comments and strings, no
// line break, of the given bytes.
inline std::string LongLine(std::size_t bytes)
{
    static const std::string piece =
        "int x = 1; /* \x83\x81\x83\x82 */ s = \"\x82\xA0\x82\xA2\"; c = 'q'; \x8A\xBF\x8E\x9A\x82\xC6\x82\xA9\x82\xC8 "
        "// f(a, b) ";
    std::string t;
    t.reserve(bytes + piece.size());
    while (t.size() + piece.size() <= bytes) t += piece;
    t.resize(bytes, ' ');
    return t;
}

} // namespace vellumo::testing
