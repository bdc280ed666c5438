// Throughput of detection and of the JIS/EUC converters over a generated
// 100 MB Shift-JIS text of mixed kanji, kana and ASCII lines.
#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "textcode/charcode.h"
#include "textcode/jisconv.h"

using namespace vellumo;

namespace {

constexpr std::size_t kSize = 100u << 20;

const std::string& SjisText()
{
    static const std::string text = [] {
        std::mt19937 rng(2024);
        std::string s;
        s.reserve(kSize + 256);
        // A quarter of the lines are ASCII; the others are Japanese prose:
        // runs of kanji and hiragana with ASCII words and a little half-width kana.
        while (s.size() < kSize) {
            const int len = 10 + static_cast<int>(rng() % 70);
            if (rng() % 4 == 0) {
                for (int i = 0; i < len; ++i) s += static_cast<char>(0x20 + rng() % 0x5F);
            } else {
                for (int i = 0; i < len;) {
                    const int run = 1 + static_cast<int>(rng() % 8);
                    const int pick = static_cast<int>(rng() % 10);
                    for (int k = 0; k < run; ++k, ++i) {
                        if (pick < 8) {
                            const unsigned row = pick < 4 ? 0x30 + rng() % 0x44 : 0x24;
                            const auto c = JisToSjisCode(static_cast<std::uint16_t>(row << 8 | (0x21 + rng() % 83)));
                            s += static_cast<char>(c >> 8);
                            s += static_cast<char>(c & 0xFF);
                        } else if (pick < 9) {
                            s += static_cast<char>(0x20 + rng() % 0x5F);
                        } else {
                            s += static_cast<char>(0xA1 + rng() % 0x3F);
                        }
                    }
                }
            }
            s += "\r\n";
        }
        return s;
    }();
    return text;
}

const std::string& JisText() { static const std::string t = ConvertSjisToJis(SjisText()); return t; }
const std::string& EucText() { static const std::string t = ConvertSjisToEuc(SjisText()); return t; }
const std::string& AsciiText() { static const std::string t(kSize, 'a'); return t; }

template <class F>
void Run(benchmark::State& state, const std::string& in, F f)
{
    for (auto _ : state) benchmark::DoNotOptimize(f(in));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * in.size()));
}

void BM_DetectSjis(benchmark::State& st) { Run(st, SjisText(), [](const std::string& s) { return DetectCharCode(s); }); }
void BM_DetectAsciiWholeScan(benchmark::State& st) { Run(st, AsciiText(), [](const std::string& s) { return DetectCharCode(s); }); }
void BM_DetectEucWholeScan(benchmark::State& st) { Run(st, EucText(), [](const std::string& s) { return DetectCharCode(s); }); }
void BM_DetectLineEnd(benchmark::State& st) { Run(st, AsciiText(), [](const std::string& s) { return DetectLineEnd(s); }); }
void BM_SjisToJis(benchmark::State& st) { Run(st, SjisText(), [](const std::string& s) { return ConvertSjisToJis(s); }); }
void BM_SjisToEuc(benchmark::State& st) { Run(st, SjisText(), [](const std::string& s) { return ConvertSjisToEuc(s); }); }
void BM_JisToSjis(benchmark::State& st) { Run(st, JisText(), [](const std::string& s) { return ConvertJisToSjis(s); }); }
void BM_EucToSjis(benchmark::State& st) { Run(st, EucText(), [](const std::string& s) { return ConvertEucToSjis(s); }); }

// The floor under every converter: a fresh output string of the EUC-JP
// result's size, allocated and touched (page faults dominate in a VM).
void BM_FreshOutputFloor(benchmark::State& st)
{
    const std::size_t n = EucText().size();
    for (auto _ : st) {
        std::string out(n, '\0');
        benchmark::DoNotOptimize(out.data());
    }
    st.SetBytesProcessed(static_cast<std::int64_t>(st.iterations() * SjisText().size()));
}

} // namespace

BENCHMARK(BM_FreshOutputFloor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DetectSjis)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DetectAsciiWholeScan)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DetectEucWholeScan)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DetectLineEnd)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SjisToJis)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SjisToEuc)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JisToSjis)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EucToSjis)->Unit(benchmark::kMillisecond);
