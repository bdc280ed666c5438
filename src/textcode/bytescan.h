#pragma once
// Finding the positions where a character can begin, sixteen bytes at a
// time: shared by the search and the bracket walk.
#include <cstddef>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vellumo {

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

// Up to four byte values compared at once, or a table for more.
struct TByteFilter {
    std::uint64_t bits[4] = {};
    unsigned char values[4] = {};
    int count = 0;

    void Add(unsigned char b) noexcept
    {
        if (Has(b)) return;
        bits[b >> 6] |= std::uint64_t{1} << (b & 63);
        if (count < 4) values[count] = b;
        ++count;
    }
    bool Has(unsigned char b) const noexcept { return (bits[b >> 6] >> (b & 63)) & 1; }
    bool Small() const noexcept { return count <= 4; }
};

#if defined(__SSE2__)
struct TVecFilter {
    __m128i v0, v1, v2, v3;
    explicit TVecFilter(const TByteFilter& f) noexcept
    {
        const unsigned char a = f.values[0];
        v0 = _mm_set1_epi8(static_cast<char>(a));
        v1 = _mm_set1_epi8(static_cast<char>(f.count > 1 ? f.values[1] : a));
        v2 = _mm_set1_epi8(static_cast<char>(f.count > 2 ? f.values[2] : a));
        v3 = _mm_set1_epi8(static_cast<char>(f.count > 3 ? f.values[3] : a));
    }
    __m128i Match(__m128i x) const noexcept
    {
        return _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(x, v0), _mm_cmpeq_epi8(x, v1)),
                            _mm_or_si128(_mm_cmpeq_epi8(x, v2), _mm_cmpeq_epi8(x, v3)));
    }
};
#endif

// What the bytes of a candidate must look like: its first byte in single,
// or its first byte in lead and the next in trail; and where the
// alignment is fixed, the byte at offset in last.
struct TCandidateShape {
    TByteFilter single, lead, trail, last;
    bool useLast = false;
    std::size_t offset = 0;
    bool stopAtNul = false;  // a NUL byte is reported as a candidate too
};

class TCandidateScan {
public:
    TCandidateScan(const unsigned char* p, std::size_t len, const TCandidateShape& shape) noexcept
        : p_(p), len_(len), s_(shape), hasSingle_(shape.single.count > 0), hasPair_(shape.lead.count > 0)
#if defined(__SSE2__)
        , vSingle_(shape.single), vLead_(shape.lead), vTrail_(shape.trail), vLast_(shape.last)
#endif
    {
        reach_ = hasPair_ ? 1 : 0;
        if (s_.useLast && s_.offset > reach_) reach_ = s_.offset;
        vecOk_ = shape.single.Small() && shape.lead.Small() && shape.trail.Small() && (!shape.useLast || shape.last.Small());
    }

    // The first candidate in from..to, or kNone.
    std::size_t Forward(std::size_t from, std::size_t to) const noexcept
    {
        std::size_t i = from;
#if defined(__SSE2__)
        if (vecOk_) {
            for (; i + 15 <= to && i + 15 + reach_ < len_; i += 16) {
                const unsigned m = Mask(i);
                if (m) return i + static_cast<unsigned>(__builtin_ctz(m));
            }
        }
#endif
        for (; i <= to; ++i)
            if (Hit(i)) return i;
        return kNone;
    }

    // The last candidate in from..to, or kNone.
    std::size_t Backward(std::size_t from, std::size_t to) const noexcept
    {
        std::size_t i = to + 1;  // candidates below i remain
        for (; i > from && i - 1 + reach_ >= len_; --i)
            if (Hit(i - 1)) return i - 1;
#if defined(__SSE2__)
        if (vecOk_) {
            for (; i >= from + 16; i -= 16) {
                const unsigned m = Mask(i - 16);
                if (m) return i - 16 + static_cast<unsigned>(31 - __builtin_clz(m));
            }
        }
#endif
        for (; i > from; --i)
            if (Hit(i - 1)) return i - 1;
        return kNone;
    }

private:
    bool Hit(std::size_t i) const noexcept
    {
        const unsigned char b = p_[i];
        if (b == 0 && s_.stopAtNul) return true;
        if (!s_.single.Has(b) && !(s_.lead.Has(b) && i + 1 < len_ && s_.trail.Has(p_[i + 1]))) return false;
        return !s_.useLast || s_.last.Has(p_[i + s_.offset]);
    }
#if defined(__SSE2__)
    static __m128i Load(const unsigned char* q) noexcept { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(q)); }
    unsigned Mask(std::size_t i) const noexcept
    {
        __m128i m = _mm_setzero_si128();
        if (hasSingle_) m = vSingle_.Match(Load(p_ + i));
        if (hasPair_) m = _mm_or_si128(m, _mm_and_si128(vLead_.Match(Load(p_ + i)), vTrail_.Match(Load(p_ + i + 1))));
        if (s_.useLast) m = _mm_and_si128(m, vLast_.Match(Load(p_ + i + s_.offset)));
        if (s_.stopAtNul) m = _mm_or_si128(m, _mm_cmpeq_epi8(Load(p_ + i), _mm_setzero_si128()));
        return static_cast<unsigned>(_mm_movemask_epi8(m));
    }
#endif

    const unsigned char* p_;
    std::size_t len_;
    const TCandidateShape& s_;
    bool hasSingle_, hasPair_;
    bool vecOk_ = false;
    std::size_t reach_ = 0;  // bytes read beyond a candidate
#if defined(__SSE2__)
    TVecFilter vSingle_, vLead_, vTrail_, vLast_;
#endif
};

} // namespace vellumo
