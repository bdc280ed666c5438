// The keyword comparison of the user's locale.
#include <windows.h>

#include <climits>
#include <cstdint>

#include "editor/reservewords.h"

namespace vellumo {

namespace {

int SystemCompare(std::string_view a, std::string_view b, bool caseSensitive) noexcept
{
    if (a.size() > INT_MAX || b.size() > INT_MAX) return AsciiFoldCompare(a, b, caseSensitive);
    const int r = CompareStringA(LOCALE_USER_DEFAULT, caseSensitive ? 0 : NORM_IGNORECASE, a.empty() ? "" : a.data(),
                                 static_cast<int>(a.size()), b.empty() ? "" : b.data(), static_cast<int>(b.size()));
    return WordCompareFromSystem(r, a, b, caseSensitive);
}

// The first-level weight the locale gives each printable ASCII byte, taken
// from the system's own sort keys; 0 for a byte the system weighs in any
// other way (ignored, or joined with its neighbour into one letter). The
// system call costs about half a microsecond under Wine, and a keyword file
// of millions of words needs one per word: two words of such bytes whose
// first-level weights differ are ordered by those weights alone, as the
// system would order them.
struct TPrimaryWeights {
    std::uint16_t weight[256] = {};

    explicit TPrimaryWeights(DWORD flags) noexcept
    {
        for (int c = 0x21; c < 0x7F; ++c) {
            const char s[1] = {static_cast<char>(c)};
            unsigned char key[2];
            if (Primary(flags, s, 1, key, 2) == 2) weight[c] = static_cast<std::uint16_t>(key[0] << 8 | key[1]);
        }
        // A pair whose key is not the two weights in turn (a letter made of
        // two bytes in some locales) leaves both bytes to the system.
        bool drop[256] = {};
        for (int x = 0x21; x < 0x7F; ++x) {
            if (!weight[x]) continue;
            for (int y = 0x21; y < 0x7F; ++y) {
                if (!weight[y]) continue;
                const char s[2] = {static_cast<char>(x), static_cast<char>(y)};
                unsigned char key[5];
                const bool joined = Primary(flags, s, 2, key, 5) != 4 ||
                                    (key[0] << 8 | key[1]) != weight[x] || (key[2] << 8 | key[3]) != weight[y];
                if (joined) drop[x] = drop[y] = true;
            }
        }
        for (int c = 0; c < 256; ++c)
            if (drop[c]) weight[c] = 0;
    }

    // The first-level part of the sort key (the bytes before the first 1),
    // its length, or -1.
    static int Primary(DWORD flags, const char* s, int n, unsigned char* out, int room) noexcept
    {
        unsigned char key[64];
        const int len = LCMapStringA(LOCALE_USER_DEFAULT, LCMAP_SORTKEY | flags, s, n, reinterpret_cast<char*>(key),
                                     static_cast<int>(sizeof key));
        int i = 0;
        while (i < len && key[i] > 1) {
            if (i == room) return -1;
            out[i] = key[i];
            ++i;
        }
        return i < len && key[i] == 1 ? i : -1;
    }

    bool Covers(std::string_view s) const noexcept
    {
        for (const char c : s)
            if (!weight[static_cast<unsigned char>(c)]) return false;
        return true;
    }
};

} // namespace

int SystemWordCompare(std::string_view a, std::string_view b, bool caseSensitive) noexcept
{
    static const TPrimaryWeights exact(0), folded(NORM_IGNORECASE);
    const TPrimaryWeights& w = caseSensitive ? exact : folded;
    if (w.Covers(a) && w.Covers(b)) {
        const std::size_t n = a.size() < b.size() ? a.size() : b.size();
        for (std::size_t i = 0; i < n; ++i) {
            const unsigned x = w.weight[static_cast<unsigned char>(a[i])], y = w.weight[static_cast<unsigned char>(b[i])];
            if (x != y) return x < y ? -1 : 1;
        }
        // Equal weights all along: a shorter word comes first; words of the
        // same length differ at most in case, which the system decides.
        if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
        if (a == b) return 0;
    }
    return SystemCompare(a, b, caseSensitive);
}

} // namespace vellumo
