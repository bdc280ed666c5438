// Forward search through 100 MB of generated Shift-JIS text for a rare
// 6-byte pattern, in one piece and in the editor's chunks of about 8 KB.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <iterator>
#include <string>
#include <vector>

#include "textcode/search.h"

using namespace vellumo;

namespace {

constexpr std::size_t kTextSize = 100u << 20;
// "Ve" and two kanji (探索), planted a few times; the generator cannot
// produce the kanji pair.
const std::string kPlanted = "Ve\x92\x54\x8D\xF5";
constexpr int kPlantedCount = 16;
// Found in lower case without sfMatchCase.
const std::string kFolded = "vE\x92\x54\x8D\xF5";
// Planted once, after the last line: one call scans the whole text to reach it.
const std::string kAtEnd = "Zq\x92\x54\x8D\xF5";

struct TText {
    std::string text;
    std::vector<std::size_t> lineStarts;  // each line ends with CR LF
};

// Lines of hiragana, katakana, kanji of the first level, ASCII words and
// punctuation, as a Japanese document would mix them.
const TText& Text()
{
    static const TText t = [] {
        TText r;
        r.text.reserve(kTextSize + 256);
        std::uint64_t x = 0x9E3779B97F4A7C15ull;
        auto next = [&x] {
            x ^= x << 13;
            x ^= x >> 7;
            x ^= x << 17;
            return static_cast<unsigned>(x >> 11);
        };
        std::size_t plantAt = kTextSize / (kPlantedCount + 1);
        int planted = 0;
        while (r.text.size() < kTextSize) {
            r.lineStarts.push_back(r.text.size());
            const std::size_t lineEnd = r.text.size() + 20 + next() % 100;
            while (r.text.size() < lineEnd) {
                const unsigned k = next() % 100;
                if (k < 40) {  // hiragana
                    r.text += '\x82';
                    r.text += static_cast<char>(0x9F + next() % 83);
                } else if (k < 55) {  // katakana
                    r.text += '\x83';
                    r.text += static_cast<char>(0x40 + next() % 63);
                } else if (k < 80) {  // kanji, 88 9F .. 97 FC without 探 and 索
                    const unsigned lead = 0x89 + next() % 14;
                    unsigned trail = 0x40 + next() % 188;
                    if (trail >= 0x7F) ++trail;
                    if (lead == 0x8D || lead == 0x92) trail = 0x40;
                    r.text += static_cast<char>(lead);
                    r.text += static_cast<char>(trail);
                } else if (k < 95) {  // an ASCII word
                    for (unsigned n = 2 + next() % 6; n > 0; --n) {
                        const unsigned c = next() % 52;
                        r.text += static_cast<char>(c < 26 ? 'a' + c : 'A' + c - 26);
                    }
                    r.text += ' ';
                } else {
                    r.text += k < 98 ? "\x81\x41" : "\x81\x42";  // 、 。
                }
            }
            if (r.text.size() >= plantAt && planted < kPlantedCount) {
                ++planted;
                r.text += kPlanted;
                plantAt += kTextSize / (kPlantedCount + 1);
            }
            r.text += "\r\n";
        }
        r.text += kAtEnd;
        return r;
    }();
    return t;
}

void Report(benchmark::State& state, int found)
{
    if (found != kPlantedCount) state.SkipWithError("wrong number of matches");
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(Text().text.size()));
}

// Every planted copy, one call after another on the whole text.
void FindAll(benchmark::State& state, const std::string& pattern, TSearchFlags flags)
{
    const std::string& text = Text().text;
    int found = 0;
    for (auto _ : state) {
        found = 0;
        int start = 0, len = 0;
        while (SearchBufferPos(text, start, len, pattern, flags | sfDown)) ++found;
        benchmark::DoNotOptimize(start);
    }
    Report(state, found);
}

// As the editor feeds rows: chunks of whole lines up to 8191 bytes before
// the last addition, each copied into a string, the last line of a chunk
// starting the next one.
void Chunked(benchmark::State& state, const std::string& pattern, TSearchFlags flags)
{
    const TText& t = Text();
    const std::size_t lines = t.lineStarts.size();
    auto lineEnd = [&](std::size_t i) { return i + 1 < lines ? t.lineStarts[i + 1] : t.text.size(); };
    int found = 0;
    std::string chunk;
    for (auto _ : state) {
        found = 0;
        std::size_t first = 0;
        std::size_t resume = 0;  // text offset after the last match
        for (;;) {
            std::size_t after = first, size = 0;
            while (after < lines && size <= 8191) {
                size += lineEnd(after) - t.lineStarts[after];
                ++after;
            }
            const std::size_t base = t.lineStarts[first];
            chunk.assign(t.text, base, size);
            int start = resume > base ? static_cast<int>(resume - base) : 0, len = 0;
            while (static_cast<std::size_t>(start) <= size && SearchBufferPos(chunk, start, len, pattern, flags | sfDown)) {
                ++found;
                resume = base + static_cast<std::size_t>(start + len);
                start += len;
                len = 0;
            }
            if (after >= lines) break;
            first = after - first >= 2 ? after - 1 : after;
        }
        benchmark::DoNotOptimize(chunk.data());
    }
    Report(state, found);
}

// One call over the whole text for the copy planted at its end.
void OnePiece(benchmark::State& state, const std::string& pattern, TSearchFlags flags)
{
    const std::string& text = Text().text;
    int pos = -1;
    for (auto _ : state) {
        int len = 0;
        pos = SearchBuffer(text, 0, len, pattern, flags | sfDown);
        benchmark::DoNotOptimize(pos);
    }
    if (pos != static_cast<int>(text.size() - kAtEnd.size())) state.SkipWithError("wrong match");
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(text.size()));
}

void BM_OnePiece_MatchCase(benchmark::State& s) { OnePiece(s, kAtEnd, sfMatchCase); }
void BM_OnePiece_IgnoreCase(benchmark::State& s) { OnePiece(s, "zQ\x92\x54\x8D\xF5", static_cast<TSearchFlags>(0)); }
void BM_OnePiece_IgnoreWidth(benchmark::State& s) { OnePiece(s, "ｚｑ\x92\x54\x8D\xF5", sfIgnoreWidth); }
BENCHMARK(BM_OnePiece_MatchCase)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OnePiece_IgnoreCase)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OnePiece_IgnoreWidth)->Unit(benchmark::kMillisecond);

void BM_FindAll_MatchCase(benchmark::State& s) { FindAll(s, kPlanted, sfMatchCase); }
void BM_FindAll_IgnoreCase(benchmark::State& s) { FindAll(s, kFolded, static_cast<TSearchFlags>(0)); }
void BM_Chunked_MatchCase(benchmark::State& s) { Chunked(s, kPlanted, sfMatchCase); }
void BM_Chunked_IgnoreCase(benchmark::State& s) { Chunked(s, kFolded, static_cast<TSearchFlags>(0)); }
void BM_FindAll_IgnoreWidth(benchmark::State& s) { FindAll(s, "ｖｅ\x92\x54\x8D\xF5", sfIgnoreWidth); }

BENCHMARK(BM_FindAll_MatchCase)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindAll_IgnoreCase)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Chunked_MatchCase)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Chunked_IgnoreCase)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindAll_IgnoreWidth)->Unit(benchmark::kMillisecond);

// English prose of common words in lines of about 70 bytes.
const std::string& EnglishText()
{
    static const std::string t = [] {
        // "the" and two words holding it among forty: about one word in
        // thirteen, as in English prose.
        static const char* const words[] = {
            "the",  "of",   "and",  "to",    "in",   "a",      "is",     "that",   "for",   "it",
            "with", "as",   "was",  "on",    "be",   "by",     "this",   "at",     "from",  "there",
            "or",   "an",   "but",  "not",   "are",  "have",   "which",  "one",    "all",   "were",
            "other", "can", "said", "each",  "word", "editor", "search", "buffer", "line",  "file"};
        std::string r;
        r.reserve(kTextSize + 64);
        std::uint64_t x = 0x2545F4914F6CDD1Dull;
        std::size_t line = 0;
        while (r.size() < kTextSize) {
            x ^= x << 13;
            x ^= x >> 7;
            x ^= x << 17;
            r += words[(x >> 20) % std::size(words)];
            if (r.size() - line > 70) {
                r += "\r\n";
                line = r.size();
            } else {
                r += ' ';
            }
        }
        return r;
    }();
    return t;
}

// Every match of "the", one call after another on the whole buffer, as
// replace-all steps through it.
void StepThroughThe(benchmark::State& state, TSearchFlags flags)
{
    const std::string& text = EnglishText();
    int found = 0;
    for (auto _ : state) {
        found = 0;
        int start = 0, len = 0;
        while (SearchBufferPos(text, start, len, "the", flags | sfDown)) ++found;
        benchmark::DoNotOptimize(start);
    }
    if (found < static_cast<int>(kTextSize / 200)) state.SkipWithError("too few matches");
    state.counters["matches"] = found;
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(text.size()));
}

void BM_StepThe_MatchCase(benchmark::State& s) { StepThroughThe(s, sfMatchCase); }
void BM_StepThe_IgnoreCase(benchmark::State& s) { StepThroughThe(s, static_cast<TSearchFlags>(0)); }
BENCHMARK(BM_StepThe_MatchCase)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StepThe_IgnoreCase)->Unit(benchmark::kMillisecond);

} // namespace
