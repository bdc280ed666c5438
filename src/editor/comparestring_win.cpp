// The keyword comparison of the user's locale.
#include <windows.h>

#include <climits>
#include <cstdint>
#include <string>

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
        try {
            for (int c = 0x21; c < 0x7F; ++c) {
                const std::string key = Primary(flags, std::string(1, static_cast<char>(c)));
                if (key.size() == 2)
                    weight[c] = static_cast<std::uint16_t>(static_cast<unsigned char>(key[0]) << 8 |
                                                           static_cast<unsigned char>(key[1]));
            }
            // A pair whose key is not the two weights in turn (a letter made
            // of two bytes in some locales) leaves both bytes to the system.
            // Every pair sits in one string, x y x y' ..., so one call
            // answers for all of them unless some pair is joined.
            std::string all;
            for (int x = 0x21; x < 0x7F; ++x)
                for (int y = 0x21; y < 0x7F; ++y)
                    if (weight[x] && weight[y]) {
                        all += static_cast<char>(x);
                        all += static_cast<char>(y);
                    }
            if (Primary(flags, all) == Weights(all)) return;
            bool drop[256] = {};
            for (int x = 0x21; x < 0x7F; ++x)
                for (int y = 0x21; y < 0x7F; ++y) {
                    const std::string pair = {static_cast<char>(x), static_cast<char>(y)};
                    if (weight[x] && weight[y] && Primary(flags, pair) != Weights(pair)) drop[x] = drop[y] = true;
                }
            for (int c = 0; c < 256; ++c)
                if (drop[c]) weight[c] = 0;
        } catch (...) {
            for (std::uint16_t& w : weight) w = 0;  // out of memory: the system decides every pair
        }
    }

    // The first-level part of the system's sort key: the bytes before the
    // first 1 ("" should the call fail).
    static std::string Primary(DWORD flags, const std::string& s)
    {
        const DWORD how = LCMAP_SORTKEY | flags;
        const int n = static_cast<int>(s.size());
        const int need = LCMapStringA(LOCALE_USER_DEFAULT, how, s.data(), n, nullptr, 0);
        if (need <= 0) return {};
        std::string key(static_cast<std::size_t>(need), '\0');
        const int len = LCMapStringA(LOCALE_USER_DEFAULT, how, s.data(), n, key.data(), need);
        const std::size_t end = len > 0 ? key.find('\1') : std::string::npos;
        return end == std::string::npos ? std::string() : key.substr(0, end);
    }

    // The weights of s in turn, as the key would hold them.
    std::string Weights(const std::string& s) const
    {
        std::string out;
        for (const char c : s) {
            const std::uint16_t w = weight[static_cast<unsigned char>(c)];
            out += static_cast<char>(w >> 8);
            out += static_cast<char>(w & 0xFF);
        }
        return out;
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
