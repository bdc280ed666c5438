// The editor's search through a 20 MB document of wrapped rows for a
// pattern planted at its end: chunks of whole logical lines against one
// search over the joined text (which the editor never builds).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "../editor/model_support.h"
#include "editor/editsearch.h"
#include "editor/wrapoption.h"

using namespace vellumo;

namespace {

struct TDoc {
    test::TFakeView view;
    std::string joined;

    TDoc()
    {
        std::string text;
        std::uint64_t x = 0x9E3779B97F4A7C15ull;
        const char* words[] = {"alpha ", "\x82\xA0\x82\xA2\x82\xA4", "beta, ", "\x8C\xEA\x8B\xE5 ", "gamma\t", "\r\n"};
        while (text.size() < (20u << 20)) {
            x ^= x << 13;
            x ^= x >> 7;
            x ^= x << 17;
            text += words[x % 6];
        }
        text += "needle";
        TEditorScreenStrings& s = view.ScreenStrings();
        s.WrapOption().SetWrapByte(80);
        s.SetWordWrap(true);
        s.LoadText(text);
        joined = JoinRows(s);
    }
};

TDoc& Doc()
{
    static TDoc d;
    return d;
}

void ChunkedForward(benchmark::State& state)
{
    TDoc& d = Doc();
    for (auto _ : state) {
        auto m = SearchRows(d.view.ScreenStrings(), {0, 0}, "needle", sfDown);
        benchmark::DoNotOptimize(m);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * d.joined.size()));
}
BENCHMARK(ChunkedForward)->Unit(benchmark::kMillisecond);

void ChunkedBackward(benchmark::State& state)
{
    TDoc& d = Doc();
    const int n = d.view.ScreenStrings().Count();
    for (auto _ : state) {
        auto m = SearchRows(d.view.ScreenStrings(), {n, 0}, "zzz", static_cast<TSearchFlags>(0));
        benchmark::DoNotOptimize(m);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * d.joined.size()));
}
BENCHMARK(ChunkedBackward)->Unit(benchmark::kMillisecond);

void WholeTextForward(benchmark::State& state)
{
    TDoc& d = Doc();
    for (auto _ : state) {
        int start = 0, length = 0;
        benchmark::DoNotOptimize(SearchBufferPos(d.joined, start, length, "needle", sfDown));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * d.joined.size()));
}
BENCHMARK(WholeTextForward)->Unit(benchmark::kMillisecond);

} // namespace
