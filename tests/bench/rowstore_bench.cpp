// Filling the row store from big Shift-JIS texts, with and without word wrap,
// and editing inside a big text. Reports seconds (the benchmark's own time)
// and memory: the store's resident growth and the process peak during the
// fill (the peak includes the source text itself).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <malloc.h>
#include <random>
#include <string>

#include "editor/editorview.h"
#include "editor/lines.h"
#include "bench_memory.h"
#include "editor/rowstore.h"
#include "editor/wrapoption.h"

using namespace vellumo;
using namespace vellumo::bench;

namespace {

// About 100 MB in 1.5 million lines: kanji, kana, ASCII words, a TAB now and then.
const std::string& BigText()
{
    static const std::string text = [] {
        std::mt19937 rng(2024);
        std::string t;
        t.reserve(105u << 20);
        std::uniform_int_distribution<int> len(0, 133), kind(0, 9), kanjiLead(0x88, 0x9F), trail(0x40, 0xFC);
        for (int line = 0; line < 1500000; ++line) {
            const int target = len(rng);
            int n = 0;
            while (n < target) {
                const int k = kind(rng);
                if (k < 4) {
                    t += static_cast<char>(kanjiLead(rng));
                    int tr = trail(rng);
                    if (tr == 0x7F) tr = 0x80;
                    t += static_cast<char>(tr);
                    n += 2;
                } else if (k < 6) {
                    t += "\x82";
                    t += static_cast<char>(0xA0 + (n % 80));
                    n += 2;
                } else if (k == 6 && n % 17 == 0) {
                    t += '\t';
                    ++n;
                } else {
                    t += static_cast<char>('a' + (n % 26));
                    ++n;
                }
            }
            t += "\r\n";
        }
        return t;
    }();
    return text;
}

const std::string& LongLine()
{
    static const std::string line = [] {
        std::string l;
        l.reserve(10u << 20);
        for (int i = 0; l.size() < (10u << 20); ++i) {
            if (i % 3 == 0) l += "\x8A\xBF";  // 漢
            else if (i % 11 == 0) l += ' ';
            else l += static_cast<char>('a' + i % 26);
        }
        return l;
    }();
    return line;
}

// A view of 50 rows a screen, as the store sees an editor.
class TBenchView : public IEditorView {
public:
    explicit TBenchView(TEditorScreenStrings& s) : s_(s) { s_.AttachEditor(this); }
    ~TBenchView() override { s_.DetachEditor(this); }
    TEditorScreenStrings& ScreenStrings() override { return s_; }
    void ListChanged() override {}
    void Refresh() override {}
    void InvalidateRowText(int) override {}
    int TabSpaceCount() const override { return 8; }
    const TByteSet& Delimiters() const override { return DefaultDelimiters(); }
    int RowHeight() const override { return 16; }
    int ScreenHeight() const override { return 800; }
    int BracketRegionCount() const override { return 0; }
    const IRowParserFactory* ParserFactory() const override { return nullptr; }
    bool IsLoading() const override { return false; }
    bool Focused() const override { return true; }
    int CaretRow() const override { return 0; }
    int CaretCol() const override { return 0; }
    void SetCaretRow(int) override {}
    void SetCaretCol(int) override {}
    void SetCaretRowOffset(int, int) override {}
    int TopRow() const override { return 0; }
    void SetTopRow(int) override {}
    void SetLeftCol(int) override {}
    void CaretBeginUpdate() override {}
    void CaretEndUpdate() override {}
    void UnderlineBeginUpdate() override {}
    void UnderlineEndUpdate() override {}
    void LinesUpdating(bool) override {}
    void CleanSelection() override {}

private:
    TEditorScreenStrings& s_;
};

// Bytes in use, the large blocks the allocator maps on their own included.
std::size_t HeapInUse()
{
    const struct mallinfo2 m = mallinfo2();
    return m.uordblks + m.hblkhd;
}

void Fill(benchmark::State& state, const std::string& text, bool wrap, int wrapByte)
{
    long storeKb = 0, peakKb = 0;
    int rows = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto store = TEditorScreenStrings::Create();
        TBenchView view(*store);
        store->WrapOption().SetWrapByte(wrapByte);
        store->SetWordWrap(wrap);
        const std::size_t before = HeapInUse();
        ResetPeak();
        state.ResumeTiming();
        store->LoadText(text);
        state.PauseTiming();
        storeKb = static_cast<long>((HeapInUse() - before) / 1024);
        peakKb = ReadStatusKb("VmHWM:");
        rows = store->Count();
        store.reset();
        state.ResumeTiming();
    }
    state.counters["text_MB"] = double(text.size()) / (1 << 20);
    state.counters["rows"] = rows;
    state.counters["store_MB"] = double(storeKb) / 1024;
    state.counters["store_per_text"] = double(storeKb) * 1024 / double(text.size());
    state.counters["peak_MB"] = double(peakKb) / 1024;  // the whole process, source text included
}

void BM_Fill100MB_Unwrapped(benchmark::State& s) { Fill(s, BigText(), false, 80); }
void BM_Fill100MB_Wrap80(benchmark::State& s) { Fill(s, BigText(), true, 80); }
void BM_Fill10MBLine_Wrap80(benchmark::State& s) { Fill(s, LongLine(), true, 80); }

// Lines.LoadFromFile of the same 100 MB (two block passes over the file).
void BM_LoadFile100MB(benchmark::State& state)
{
    const char* path = "/tmp/vellumo_rowstore_bench.txt";
    if (std::FILE* f = std::fopen(path, "wb")) {
        std::fwrite(BigText().data(), 1, BigText().size(), f);
        std::fclose(f);
    }
    long peakKb = 0;
    std::size_t storeBytes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto store = TEditorScreenStrings::Create();
        TBenchView view(*store);
        TEditorStrings lines(view);
        const std::size_t before = HeapInUse();
        ResetPeak();
        state.ResumeTiming();
        if (!lines.LoadFromFile(path)) state.SkipWithError("cannot read the file");
        state.PauseTiming();
        storeBytes = HeapInUse() - before;
        peakKb = ReadStatusKb("VmHWM:");
        state.ResumeTiming();
    }
    std::remove(path);
    state.counters["store_MB"] = double(storeBytes) / (1 << 20);
    state.counters["peak_MB"] = double(peakKb) / 1024;
}

// One keystroke in the middle of the big text (one ReplaceRows and its undo record).
void BM_TypeInto100MB(benchmark::State& state)
{
    auto store = TEditorScreenStrings::Create();
    TBenchView view(*store);
    store->SetWordWrap(state.range(0) != 0);
    store->LoadText(BigText());
    const int row = store->Count() / 2;
    for (auto _ : state) {
        std::string t = std::string(store->Strings(row)) + "x";
        if (store->GetRowAttribute(row) == raLineBreak) t += "\r\n";
        store->ReplaceRows(row, 1, t);
    }
    state.counters["rows"] = store->Count();
}

// A key in the middle of a 10 MB line, wrapped at 80 (arg 1) or not: the
// store's share of a key in a long line.
void BM_KeyIn10MBLine(benchmark::State& state)
{
    auto store = TEditorScreenStrings::Create();
    TBenchView view(*store);
    store->SetWordWrap(state.range(0) != 0);
    store->LoadText(LongLine());
    const int row = store->Count() / 2;
    const std::size_t at = store->Strings(row).size() / 2;
    for (auto _ : state) store->InsertIntoRow(row, at - at % 2, "x");
    state.counters["rows"] = store->Count();
}

// Joining two lines in the middle: one row fewer, the rows after it move up.
void BM_JoinLinesIn100MB(benchmark::State& state)
{
    auto store = TEditorScreenStrings::Create();
    TBenchView view(*store);
    store->LoadText(BigText());
    const int row = store->Count() / 2;
    for (auto _ : state) store->ReplaceRows(row, 1, store->Strings(row));
    state.counters["rows"] = store->Count();
}

BENCHMARK(BM_Fill100MB_Unwrapped)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Fill100MB_Wrap80)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Fill10MBLine_Wrap80)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_LoadFile100MB)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_TypeInto100MB)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->Iterations(200);
BENCHMARK(BM_KeyIn10MBLine)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->Iterations(200);
BENCHMARK(BM_JoinLinesIn100MB)->Unit(benchmark::kMicrosecond)->Iterations(200);

} // namespace
