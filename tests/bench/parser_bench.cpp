// Tokenizer throughput on typical rows and on a long run of mail characters.
#include <benchmark/benchmark.h>

#include <string>

#include "../editor/syntax_modes.h"

using namespace vellumo;

namespace {

void Tokenize(benchmark::State& state, TEditMode mode, const std::string& row)
{
    TEditorViewInfo view;
    test::SetupMode(view, mode);
    TParserSettings settings;
    settings.EditMode = mode;
    std::size_t tokens = 0;
    for (auto _ : state) {
        TEditorParser p = TEditorParser::CreateWithState(row, &view, BracketStateOutside, TBlankPolicy::SkipSpaces, &settings);
        for (; p.TokenKind() != tkEnd; p.NextToken()) ++tokens;
        benchmark::DoNotOptimize(p.BracketState());
    }
    benchmark::DoNotOptimize(tokens);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(row.size()));
}

void BM_CppRow(benchmark::State& state)
{
    Tokenize(state, emCpp, "    if (a[i] != 0x1F && s == \"x\\\"y\") { f(b, 'c'); } /* note */ // done");
}

void BM_JapaneseRow(benchmark::State& state)
{
    Tokenize(state, emStandard,
             "\x82\xB1\x82\xEA\x82\xCD\x8A\xBF\x8E\x9A\x82\xC6\x83\x4A\x83\x5E\x83\x4A\x83\x69\x82\xCC\x95\xB6\x81\x42"
             " see http://example.jp/a?b=c or me@example.jp \x82\x50\x82\x51\x82\x52");
}

void BM_LongMailRun(benchmark::State& state)
{
    std::string row;
    for (int i = 0; i < 32768; ++i) row += "-.";
    Tokenize(state, emStandard, row);
}

BENCHMARK(BM_CppRow);
BENCHMARK(BM_JapaneseRow);
BENCHMARK(BM_LongMailRun);

} // namespace
