#pragma once
// Looking for one or two byte values in long rows sixteen bytes at a time:
// the C library the Windows program runs on may look byte by byte, which a
// row of megabytes feels on every key.
#include <cstddef>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vellumo {

// The first byte in [p, end) that is a or b; end when there is none.
inline const char* FindEither(const char* p, const char* end, char a, char b) noexcept
{
#if defined(__SSE2__)
    const __m128i va = _mm_set1_epi8(a), vb = _mm_set1_epi8(b);
    for (; end - p >= 16; p += 16) {
        const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const int m = _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(x, va), _mm_cmpeq_epi8(x, vb)));
        if (m != 0) return p + __builtin_ctz(static_cast<unsigned>(m));
    }
#endif
    for (; p < end; ++p)
        if (*p == a || *p == b) return p;
    return end;
}

inline const char* FindByte(const char* p, const char* end, char c) noexcept { return FindEither(p, end, c, c); }

// Offset of the first c in s, or s.size().
inline std::size_t FindByte(std::string_view s, char c) noexcept
{
    return static_cast<std::size_t>(FindByte(s.data(), s.data() + s.size(), c) - s.data());
}

inline bool HasByte(std::string_view s, char c) noexcept { return FindByte(s, c) < s.size(); }

inline bool HasLineBreak(std::string_view s) noexcept
{
    return FindEither(s.data(), s.data() + s.size(), '\r', '\n') < s.data() + s.size();
}

} // namespace vellumo
