// Editing costs that must not grow with the size of the text: the first edit
// far down a freshly loaded C file (bracket states), measuring and copying a
// big selection, and typing into a very long line (undo records included).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <malloc.h>
#include <random>
#include <string>

#include "../editor/syntax_modes.h"
#include "editor/cells.h"
#include "editor/editorview.h"
#include "editor/parserfactory.h"
#include "bench_memory.h"
#include "editor/rowstore.h"
#include "editor/selmeasure.h"
#include "editor/typetext.h"
#include "editor/undo.h"
#include "editor/wrapoption.h"

using namespace vellumo;
using namespace vellumo::bench;

namespace {

std::size_t HeapInUse() { return mallinfo2().uordblks; }

// About 100 MB of C: functions, strings, line comments and a block comment
// of a few rows now and then, with Japanese in comments and strings.
const std::string& CText()
{
    static const std::string text = [] {
        std::mt19937 rng(7);
        std::string t;
        t.reserve(105u << 20);
        std::uniform_int_distribution<int> kind(0, 19);
        for (int line = 0; t.size() < (100u << 20); ++line) {
            switch (kind(rng)) {
            case 0: t += "/* \x83\x81\x83\x82: block comment\r\n   over rows */\r\n"; break;
            case 1: t += "    // \x92\x8D\x8E\xDF line comment\r\n"; break;
            case 2: t += "    puts(\"\x95\xB6\x8E\x9A\x97\xF1 /* not a comment */\");\r\n"; break;
            case 3: t += "}\r\n\r\nstatic int f" + std::to_string(line) + "(int a, char *b)\r\n{\r\n"; break;
            default: t += "    total += a[i] * 3 + b[i]; if (total > 1000) total -= 1000;\r\n"; break;
            }
        }
        return t;
    }();
    return text;
}

// A view of 50 rows a screen with the C brackets, as the store sees an editor.
class TBenchView : public IEditorView {
public:
    TBenchView(TEditorScreenStrings& s, bool regions) : s_(s), factory_(&view_, TBlankPolicy::SkipSpaces, &settings_)
    {
        settings_.EditMode = emCpp;
        if (regions) test::SetupMode(view_, emCpp);
        s_.AttachEditor(this);
    }
    ~TBenchView() override { s_.DetachEditor(this); }
    TEditorScreenStrings& ScreenStrings() override { return s_; }
    void ListChanged() override {}
    void Refresh() override {}
    void InvalidateRowText(int) override { ++invalidated; }
    int TabSpaceCount() const override { return 8; }
    const TByteSet& Delimiters() const override { return DefaultDelimiters(); }
    int RowHeight() const override { return 16; }
    int ScreenHeight() const override { return 800; }
    int BracketRegionCount() const override { return view_.Brackets().Count(); }
    const IRowParserFactory* ParserFactory() const override { return &factory_; }
    bool IsLoading() const override { return false; }
    bool Focused() const override { return true; }
    int CaretRow() const override { return row_; }
    int CaretCol() const override { return col_; }
    void SetCaretRow(int r) override { row_ = r; }
    void SetCaretCol(int c) override { col_ = c; }
    void SetCaretRowOffset(int from, int offset) override { RowOffsetToRowCol(s_, from, offset, row_, col_); }
    int TopRow() const override { return 0; }
    void SetTopRow(int) override {}
    void SetLeftCol(int) override {}
    void CaretBeginUpdate() override {}
    void CaretEndUpdate() override {}
    void UnderlineBeginUpdate() override {}
    void UnderlineEndUpdate() override {}
    void LinesUpdating(bool) override {}
    void CleanSelection() override {}

    int invalidated = 0;

private:
    TEditorScreenStrings& s_;
    TEditorViewInfo view_;
    TParserSettings settings_;
    TEditorParserFactory factory_;
    int row_ = 0, col_ = 0;
};

// One character typed far down a C text just loaded (only the first screens
// have their bracket states), then the states a painter asks for there.
void BM_FirstEditFarDown100MBC(benchmark::State& state)
{
    int repainted = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto store = TEditorScreenStrings::Create();
        TBenchView view(*store, true);
        store->LoadText(CText());
        const int row = store->Count() * 3 / 4;
        std::string t = std::string(store->Strings(row)) + "/*\r\n";
        view.invalidated = 0;
        state.ResumeTiming();
        store->ReplaceRows(row, 1, t);
        state.PauseTiming();
        repainted = view.invalidated;
        store.reset();
        state.ResumeTiming();
    }
    state.counters["repainted"] = repainted;
}

// The same after the rows there were shown once (states known above the edit).
void BM_EditAfterShown100MBC(benchmark::State& state)
{
    auto store = TEditorScreenStrings::Create();
    TBenchView view(*store, true);
    store->LoadText(CText());
    const int row = store->Count() * 3 / 4;
    store->RepropagateBrackets(row, false);
    bool open = false;
    for (auto _ : state) {
        // Opening and closing a comment in turn: every edit changes the states below.
        std::string t(store->Strings(row));
        t = open ? t.substr(0, t.size() - 2) : t + "/*";
        open = !open;
        store->ReplaceRows(row, 1, t + "\r\n");
    }
    state.counters["repainted_last"] = view.invalidated;
}

// Everything selected: its length as EM_GETSEL and SelLength need it.
void BM_SelLength100MB(benchmark::State& state)
{
    auto store = TEditorScreenStrings::Create();
    TBenchView view(*store, false);
    store->LoadText(CText());
    TEditorSelection sel;
    sel.StartRow = 0;
    sel.EndRow = store->Count();
    sel.EndByte = -1;
    long long len = 0;
    for (auto _ : state) {
        len = state.range(0) ? GetSelLength(*store, sel) : static_cast<long long>(GetSelText(*store, sel).size());
        benchmark::DoNotOptimize(len);
    }
    state.counters["MB"] = double(len) / (1 << 20);
}

// Everything selected, written into one buffer of its exact size (what the
// copy to the clipboard holds besides its wide form).
void BM_SelTextAll100MB(benchmark::State& state)
{
    auto store = TEditorScreenStrings::Create();
    TBenchView view(*store, false);
    store->LoadText(CText());
    TEditorSelection sel;
    sel.StartRow = 0;
    sel.EndRow = store->Count();
    sel.EndByte = -1;
    long peakKb = 0, baseKb = 0;
    for (auto _ : state) {
        ResetPeak();
        baseKb = ReadStatusKb("VmRSS:");
        if (state.range(0)) {
            std::string buf(static_cast<std::size_t>(GetSelLength(*store, sel)), '\0');
            WriteSelText(*store, sel, buf.data(), buf.size());
            benchmark::DoNotOptimize(buf.data());
        } else {
            std::string s = GetSelText(*store, sel);
            benchmark::DoNotOptimize(s.data());
        }
        peakKb = ReadStatusKb("VmHWM:");
    }
    state.counters["text_MB"] = double(CText().size()) / (1 << 20);
    state.counters["growth_MB"] = double(peakKb - baseKb) / 1024;
}

// A 1 MB line of Japanese and ASCII with a short line before and after.
std::string LongLineText()
{
    std::string l = "head\r\n";
    for (int i = 0; l.size() < (1u << 20); ++i) {
        if (i % 3 == 0) l += "\x8A\xBF";
        else if (i % 11 == 0) l += ' ';
        else l += static_cast<char>('a' + i % 26);
    }
    return l + "\r\ntail\r\n";
}

// Keystrokes in the middle of the long line's first screen: the edit is
// built and applied and the caret placed as the control does it. Arguments:
// word wrap, bracket regions (C mode), WordBreak.
void BM_TypeIn1MBLine(benchmark::State& state)
{
    auto store = TEditorScreenStrings::Create();
    TBenchView view(*store, state.range(1) != 0);
    store->WrapOption().SetWordBreak(state.range(2) != 0);
    store->SetWordWrap(state.range(0) != 0);
    store->LoadText(LongLineText());
    store->UndoObj().Clear();
    const std::size_t before = HeapInUse();
    view.SetCaretRow(1);
    view.SetCaretCol(40);
    int typed = 0;
    for (auto _ : state) {
        const auto e = TypeTextEdit(*store, nullptr, view.CaretRow(), view.CaretCol(), "x", false);
        store->ReplaceRows(e->Row, e->Count, e->Text);
        view.SetCaretRowOffset(e->OffsetRow, static_cast<int>(e->Offset));
        if (++typed % 1000 == 0) view.SetCaretCol(40);
    }
    state.counters["undo_MB"] = double(HeapInUse() - before) / (1 << 20);
    state.counters["records"] = store->UndoObj().UndoCount();
}

// Return and Backspace in turn in the middle of the C text with word wrap
// on, asking for the logical line of the edited row as the row numbers do.
void BM_SplitAndJoinWrapped100MB(benchmark::State& state)
{
    auto store = TEditorScreenStrings::Create();
    TBenchView view(*store, false);
    store->SetWordWrap(true);
    store->LoadText(CText());
    const int row = store->Count() / 2;
    bool split = false;
    long long lines = 0;
    for (auto _ : state) {
        const std::string t(store->Strings(row));
        if (split) store->ReplaceRows(row, 2, t + std::string(store->Strings(row + 1)) + "\r\n");
        else store->ReplaceRows(row, 1, t.substr(0, 4) + "\r\n" + t.substr(4) + "\r\n");
        split = !split;
        lines += store->RowToLine(row);
    }
    benchmark::DoNotOptimize(lines);
}

BENCHMARK(BM_SplitAndJoinWrapped100MB)->Unit(benchmark::kMicrosecond)->Iterations(100);
BENCHMARK(BM_FirstEditFarDown100MBC)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_EditAfterShown100MBC)->Unit(benchmark::kMicrosecond)->Iterations(200);
BENCHMARK(BM_SelLength100MB)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_SelTextAll100MB)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_TypeIn1MBLine)
    ->Args({0, 0, 0})
    ->Args({0, 1, 0})
    ->Args({1, 0, 0})
    ->Args({1, 1, 0})
    ->Args({1, 0, 1})
    ->Unit(benchmark::kMicrosecond)
    ->Iterations(200);

} // namespace
