// Bracket-region states carried from row to row. A long row is not scanned
// whole on every key: its scan leaves marks (a token end and the state
// there) every few kilobytes; after an edit the next scan takes up at the
// last mark whose tokens read nothing at or after the edit, and stops when
// it ends a token where a mark after the edit stands in the same state,
// since the rest of the row is then scanned exactly as before.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "editor/editorview.h"
#include "editor/rowparser.h"
#include "editor/rowstore.h"
#include "editor/rowstore_parts.h"

namespace vellumo {

namespace {

constexpr std::size_t kLongRow = std::size_t{1} << 16;
constexpr std::size_t kMarkGap = std::size_t{1} << 13;
constexpr std::size_t kCachedRows = 4;

} // namespace

int ScanEndState(const IRowParserFactory& factory, std::string_view text, int startState)
{
    auto s = factory.CreateScanner(text, startState);
    if (!s) return startState;
    // Every token takes at least one byte; the bound only guards against a scanner that stalls.
    for (std::size_t guard = text.size() + 2; !s->AtEnd() && guard > 0; --guard) s->NextToken();
    return s->BracketState();
}

std::size_t FirstTokenLength(const IRowParserFactory& factory, std::string_view text)
{
    auto s = factory.CreateScanner(text, kBracketOutside);
    if (!s) return 0;
    return std::min(s->TokenEnd(), text.size());
}

int TEditorScreenStrings::ParseRowBrackets(int row, int state) const
{
    const IEditorView* owner = OwnerEditor();
    const IRowParserFactory* factory = owner ? owner->ParserFactory() : nullptr;
    if (!factory || owner->BracketRegionCount() <= 0 || row < 0 || row >= Count()) return state;
    const std::string_view text = Strings(row);
    if (text.empty()) return state;
    if (wordWrap_ && GetRowAttribute(row) == raWrapped && row < Count() - 1) {
        std::string joined(text);
        joined += FirstToken(row + 1);
        return ScanEndState(*factory, joined, state);
    }
    if (text.size() >= kLongRow) return ScanLongRow(row, text, state, *factory);
    return ScanEndState(*factory, text, state);
}

int TEditorScreenStrings::ScanLongRow(int row, std::string_view text, int state, const IRowParserFactory& factory) const
{
    if (!scanCache_) scanCache_ = std::make_unique<TRowScanCache>();
    std::vector<TRowScanCache::TRow>& cache = scanCache_->Rows;
    std::erase_if(cache, [&](const TRowScanCache::TRow& e) { return e.Version != TextVersion() || e.Factory != &factory; });
    TRowScanCache::TRow scan;
    scan.Row = row;
    scan.Factory = &factory;
    scan.Version = TextVersion();
    scan.StartState = state;
    scan.Size = text.size();

    // What an earlier scan of the row leaves: marks before the edit to take
    // up at, and marks after it (moved to the new text) to meet.
    std::vector<TRowScanCache::TMark> after;
    std::size_t meetFrom = SIZE_MAX;
    int oldEnd = state;
    const auto hit = std::find_if(cache.begin(), cache.end(),
                                  [&](const TRowScanCache::TRow& e) { return e.Row == row && e.StartState == state; });
    if (hit != cache.end()) {
        TRowScanCache::TRow old = std::move(*hit);
        cache.erase(hit);
        if (old.Size - old.OldLen + old.NewLen == text.size()) {
            if (!old.Edited) {
                cache.push_back(std::move(old));
                return cache.back().EndState;
            }
            for (const TRowScanCache::TMark& m : old.Marks) {
                if (m.Horizon <= old.EditAt) scan.Marks.push_back(m);
                else if (m.Pos >= old.EditAt + old.OldLen)
                    after.push_back({m.Pos - old.OldLen + old.NewLen, m.Horizon - old.OldLen + old.NewLen, m.State});
            }
            meetFrom = old.EditAt + old.NewLen;
            oldEnd = old.EndState;
        }
    }
    std::unique_ptr<IRowScanner> s;
    if (!scan.Marks.empty()) s = factory.ResumeScanner(text, scan.Marks.back().State, scan.Marks.back().Pos);
    if (!s) {
        scan.Marks.clear();
        s = factory.CreateScanner(text, state);
    }
    if (!s) return state;

    std::size_t lastMark = scan.Marks.empty() ? 0 : scan.Marks.back().Pos;
    // What the tokens before the mark taken up at read counts on.
    const std::size_t readBefore = scan.Marks.empty() ? 0 : scan.Marks.back().Horizon;
    std::size_t next = 0;  // the first mark in after not yet passed
    bool met = false;
    for (std::size_t guard = text.size() + 2; !s->AtEnd() && guard > 0; --guard) {
        const std::size_t end = s->TokenEnd();
        const int st = s->BracketState();
        if (end >= meetFrom && next < after.size()) {
            while (next < after.size() && after[next].Pos < end) ++next;
            if (next < after.size() && after[next].Pos == end && after[next].State == st) {
                const std::size_t seen = std::max(readBefore, s->ReadHorizon());
                for (std::size_t k = next; k < after.size(); ++k)
                    scan.Marks.push_back({after[k].Pos, std::max(after[k].Horizon, seen), after[k].State});
                met = true;
                break;
            }
        }
        if (end >= lastMark + kMarkGap) {
            scan.Marks.push_back({end, std::max(readBefore, s->ReadHorizon()), st});
            lastMark = end;
        }
        s->NextToken();
    }
    scan.EndState = met ? oldEnd : s->BracketState();
    if (cache.size() >= kCachedRows) cache.erase(cache.begin());
    cache.push_back(std::move(scan));
    return cache.back().EndState;
}

void TEditorScreenStrings::NoteRowEdit(int row, std::size_t at, std::size_t oldLen, std::size_t newLen, std::uint64_t before)
{
    if (!scanCache_) return;
    for (TRowScanCache::TRow& e : scanCache_->Rows) {
        if (e.Version != before) continue;  // already stale: dropped at the next scan
        e.Version = TextVersion();
        if (e.Row != row) continue;
        if (!e.Edited) {
            e.Edited = true;
            e.EditAt = at;
            e.OldLen = oldLen;
            e.NewLen = newLen;
            continue;
        }
        // Two edits as one: the span both touched, in the scanned text and in the new one.
        const std::size_t from = std::min(e.EditAt, at);
        const std::size_t end1 = std::max(e.EditAt + e.NewLen, at + oldLen);  // in the text between the edits
        const std::size_t end0 = end1 - e.NewLen + e.OldLen;
        const std::size_t end2 = end1 - oldLen + newLen;
        e.EditAt = from;
        e.OldLen = end0 - from;
        e.NewLen = end2 - from;
    }
}

std::string TEditorScreenStrings::FirstToken(int row) const
{
    const IEditorView* owner = OwnerEditor();
    const IRowParserFactory* factory = owner ? owner->ParserFactory() : nullptr;
    const std::string_view text = Strings(row);
    if (!factory || text.empty()) return {};
    return std::string(text.substr(0, FirstTokenLength(*factory, text)));
}

int TEditorScreenStrings::RepropagateBrackets(int row, bool repaint)
{
    const int n = Count();
    if (row < 0 || row >= n) return 0;
    // An edit below the rows whose states are known leaves its rows unknown:
    // nothing shown depends on them, and the painter computes them from the
    // nearest known row when they come into view.
    if (repaint && row > 0 && GetBracketState(row - 1) == kBracketUnknown) {
        ForgetStatesFrom(row);
        return 0;
    }
    int start = 0, state = kBracketOutside;
    for (int r = std::min(row, BracketKnownEnd()) - 1; r >= 0; --r) {
        const int s = GetBracketState(r);
        if (s != kBracketUnknown) {
            start = r + 1;
            state = ParseRowBrackets(r, s);
            break;
        }
    }
    const IEditorView* owner = OwnerEditor();
    const int screenRows = owner ? owner->ScreenHeight() / std::max(owner->RowHeight(), 1) : 0;
    const int limit = std::min(row + 2 * screenRows, n - 1);
    int changed = 0;
    for (int r = start; r <= limit; ++r) {
        if (GetBracketState(r) == state) return changed;
        SetBracketState(r, state);
        if (repaint) {
            for (IEditorView* v : std::vector<IEditorView*>(editors_)) v->InvalidateRowText(r);
            ++changed;
        }
        state = ParseRowBrackets(r, state);
    }
    ForgetStatesFrom(limit + 1);
    return changed;
}

void TEditorScreenStrings::RescanRows()
{
    if (OwnerLoading()) return;
    scanCache_.reset();  // the view's rules may have changed
    ResetWidestRow();
    const TCellRules rules = CellRules();
    for (const TEditorRow& r : rows_) {
        if (WidestRow() >= kMaxRowCells) break;
        UpdateWidestRow(GetDisplayWidth(r.Text(), rules));
    }
    const IEditorView* owner = OwnerEditor();
    const bool regions = owner && owner->ParserFactory() && owner->BracketRegionCount() > 0;
    for (TEditorRow& r : rows_) r.SetFlags(WithBracketState(r.Flags(), regions ? kBracketUnknown : kBracketOutside));
    knownEnd_ = regions ? 0 : Count();
    if (!regions) return;
    const IEditorView* active = ActiveEditor();
    const int screenRows = owner->ScreenHeight() / std::max(owner->RowHeight(), 1);
    const int limit = std::min(Count() - 1, 2 * screenRows + (active ? active->TopRow() : 0));
    int state = kBracketOutside;
    for (int r = 0; r <= limit; ++r) {
        SetBracketState(r, state);
        state = ParseRowBrackets(r, state);
    }
}

} // namespace vellumo
