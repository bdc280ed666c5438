// The walk for a partner bracket that is not there, over 100 MB of mixed
// Japanese and ASCII text that holds other brackets of every kind.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <iterator>
#include <string>

#include "textcode/bracket.h"

using namespace vellumo;

namespace {

constexpr std::size_t kTextSize = 100u << 20;

const std::string& Text()
{
    static const std::string t = [] {
        // Kana, kanji (some with trail byte 5B or 7B), ASCII words and brackets.
        static const char* const pieces[] = {"\x82\xA0", "\x82\xA9", "\x83\x41", "\x8A\xBF", "\x8E\x9A", "\x95\x5B",
                                             "\x8F\x7B", "word ", "if (x) ", "[i] ", "{ } ", "<p> ", "\x81\x75\x82\xA0\x81\x76",
                                             "\x81\x41", "\x81\x69\x81\x6A", "\r\n"};
        std::string r;
        r.reserve(kTextSize + 64);
        std::uint64_t x = 0x9E3779B97F4A7C15ull;
        while (r.size() < kTextSize) {
            x ^= x << 13;
            x ^= x >> 7;
            x ^= x << 17;
            r += pieces[(x >> 20) % std::size(pieces)];
        }
        return r;
    }();
    return t;
}

// An opening bracket at the top with no partner: the walk reads it all.
void Unbalanced(benchmark::State& state, const std::string& open, bool backward)
{
    // Balanced pairs of the same kind in between leave the depth above zero.
    const std::string text = backward ? Text() + open : open + Text();
    int result = -1;
    std::string partner;
    for (auto _ : state) {
        result = MatchBracket(text, backward ? static_cast<int>(text.size() - open.size() + 1) : 1, partner);
        benchmark::DoNotOptimize(result);
    }
    if (result != 0 || partner.empty()) state.SkipWithError("a partner was found");
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(text.size()));
}

void BM_Unbalanced_Paren(benchmark::State& s) { Unbalanced(s, "(", false); }
void BM_Unbalanced_Corner(benchmark::State& s) { Unbalanced(s, "\x81\x75", false); }
void BM_Unbalanced_CloseParenBackward(benchmark::State& s) { Unbalanced(s, ")", true); }
BENCHMARK(BM_Unbalanced_Paren)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Unbalanced_Corner)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Unbalanced_CloseParenBackward)->Unit(benchmark::kMillisecond);

} // namespace
