// Edits that touch only what changes: a key typed into a row, and an edit
// inside a long wrapped line. Both give the rows and undo records of the
// plain way in ReplaceRows, which takes every other edit.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "editor/bytefind.h"
#include "editor/rowstore.h"
#include "editor/rowstore_parts.h"
#include "editor/undo.h"
#include "editor/wrap.h"

namespace vellumo {

using namespace rowstore;

// An edit that leaves the row count and every line end as they are (a key
// typed into a row without word wrap) changes the row's text in place: the
// row is never split afresh or copied into a scratch list, and the undo
// record keeps only the bytes that changed.
bool TEditorScreenStrings::ReplaceWithinRow(int row, std::string& text)
{
    if (wordWrap_) return false;
    const TEditorRowAttribute attr = GetRowAttribute(row);
    std::string_view body = text;
    if (attr == raLineBreak) {
        if (body.size() < 2 || body.substr(body.size() - 2) != "\r\n") return false;
        body.remove_suffix(2);
    } else if (attr != raEof || row != Count() - 1) {
        return false;
    }
    if (body.empty() && attr == raEof) return false;  // a last row never stays empty without a break
    if (HasLineBreak(body)) return false;

    const std::uint64_t before = TextVersion();
    TUndoData& rec = undo_->NewRecord();
    TEditorRow& old = rows_[static_cast<std::size_t>(row)];
    const std::size_t oldSize = old.Size();
    rec.FirstRow = row;
    rec.RowsInserted = 1;
    rec.RemovedAttribute = attr;
    rec.InsertedLength = static_cast<long long>(text.size());
    SetRemovedText(rec, old.Text(), body);
    const std::size_t head = static_cast<std::size_t>(rec.KeptHead), tail = static_cast<std::size_t>(rec.KeptTail);
    rec.KeptTail += static_cast<long long>(text.size() - body.size());  // the line break stays too
    text.resize(body.size());
    // Its state is computed afresh.
    old = TEditorRow::Take(std::move(text), WithRowAttribute(0, attr));
    if (WidestRow() < kMaxRowCells) UpdateWidestRow(GetDisplayWidth(old.Text(), CellRules()));
    Changed();
    NoteRowEdit(row, head, oldSize - head - tail, old.Size() - head - tail, before);
    const int bc = RepropagateBrackets(row, true);
    changeRange_ = {row, 1, 1, bc, true};
    return true;
}

// A key typed into a row without word wrap: the row's own string takes the
// bytes in place, so a long row is neither copied nor split; the record is
// the one SetRemovedText makes of the old and new row (nothing removed).
bool TEditorScreenStrings::InsertIntoRow(int row, std::size_t at, std::string_view textIn)
{
    if (row < 0 || row >= Count() || textIn.empty()) return false;
    const std::string_view old = Strings(row);
    if (at > old.size()) return false;
    const TEditorRowAttribute attr = GetRowAttribute(row);
    if (wordWrap_ || HasLineBreak(textIn) || !(attr == raLineBreak || (attr == raEof && row == Count() - 1))) {
        std::string whole;
        whole.reserve(old.size() + textIn.size() + 2);
        whole.append(old.substr(0, at)).append(textIn).append(old.substr(at));
        AppendRowBreak(*this, row, whole);
        return ReplaceRows(row, 1, whole);
    }
    std::string text(textIn);
    NulsToSpaces(text);

    TListUpdate update(*this);
    const std::uint64_t shape = Version(), before = TextVersion();
    const std::size_t m = old.size(), k = text.size();
    // The new row agrees with the old one up to the first differing byte and
    // from there to the end with the old row's end.
    std::size_t head = at;
    while (head < m && (head - at < k ? text[head - at] : old[head - k]) == old[head]) ++head;
    const long long lineBreak = attr == raLineBreak ? 2 : 0;
    TUndoData& rec = undo_->NewRecord();
    rec.FirstRow = row;
    rec.RowsInserted = 1;
    rec.RemovedAttribute = attr;
    rec.InsertedLength = static_cast<long long>(m + k) + lineBreak;
    rec.KeptHead = static_cast<long long>(head);
    rec.KeptTail = static_cast<long long>(m - head) + lineBreak;
    rec.RemovedText.clear();

    TEditorRow& r = rows_[static_cast<std::size_t>(row)];
    r.Own().insert(at, text);
    r.Resized();
    r.SetFlags(WithRowAttribute(0, attr));  // its state is computed afresh
    if (WidestRow() < kMaxRowCells) UpdateWidestRow(GetDisplayWidth(r.Text(), CellRules()));
    Changed();
    NoteRowEdit(row, head, 0, k, before);
    const int bc = RepropagateBrackets(row, true);
    changeRange_ = {row, 1, 1, bc, true};
    changeRange_.ShapeChanged = Version() != shape;
    return true;
}

// An edit inside a long wrapped line: the line is cut afresh only until a
// new cut falls where an old row began, since from there on the rows are
// what cutting the same rest again would give (a cut looks at most
// WrapByte + 3 cells past its row's start). The undo record still covers the
// line to its end, so undoing re-cuts it whole as before.
bool TEditorScreenStrings::ReplaceWithinLine(int first, int row, int lastOld, int lastLine, const std::string& text)
{
    if (HasLineBreak(text)) return false;
    const TWrapRules rules = WrapRules();
    // After the edited rows: a few rows of their own (cut by earlier keys),
    // then one run of a block, whose rows can be sliced anew.
    int run = lastOld + 1;
    while (run <= lastLine && run - lastOld <= 64 && rows_[static_cast<std::size_t>(run)].Size() > 0 &&
           !rows_[static_cast<std::size_t>(run)].IsSlice())
        ++run;
    std::string_view tail;
    if (run - lastOld <= 64 && ContiguousRows(rows_, static_cast<std::size_t>(run), static_cast<std::size_t>(lastLine), tail)) {
        // Rows of their own that still hold the block's bytes just before
        // the run join it again, so they are not copied on every key.
        while (run > lastOld + 1 && !tail.empty()) {
            const std::string_view t = Strings(run - 1);
            const char* at = tail.data() - t.size();
            if (t.empty() || !InBlock(at, t.size() + tail.size()) || std::memcmp(at, t.data(), t.size()) != 0) break;
            tail = std::string_view(at, t.size() + tail.size());
            --run;
        }
        return RecutLine(first, row, lastOld, run, lastLine, text, tail);
    }
    const std::size_t window = static_cast<std::size_t>(rules.WrapByte) + 8;  // bytes a cut may look at
    std::string piece;
    for (int r = first; r < row; ++r) piece += Strings(r);
    piece += text;
    std::vector<std::size_t> starts;  // where old rows lastOld+1.. begin in the piece
    TLineCuts cuts;
    int k = lastOld;
    for (int extra = 2;; extra *= 2) {
        while (k < std::min(lastOld + extra, lastLine)) {
            starts.push_back(piece.size());
            piece += Strings(++k);
        }
        // The whole line is needed (an insertion into a line without break
        // points moves every later cut): the plain way does it.
        if (k == lastLine || extra > 64) return false;
        CutLine(piece, rules, cuts);
        std::size_t rowStart = 0;
        for (std::size_t i = 0; i < cuts.Ends.size() && rowStart + window <= piece.size(); ++i) {
            const std::size_t c = cuts.Ends[i];
            const auto at = std::lower_bound(starts.begin(), starts.end(), c);
            if (at != starts.end() && *at == c) {
                const int last = lastOld + static_cast<int>(at - starts.begin());  // last old row replaced
                std::vector<TEditorRow> rows;
                std::size_t b = 0;
                for (std::size_t m = 0; m <= i; ++m) {
                    rows.emplace_back(std::string_view(piece).substr(b, cuts.Ends[m] - b), WithRowAttribute(0, raWrapped));
                    b = cuts.Ends[m];
                }
                const std::string old = GetLogicalText(first, last - first + 1);  // line breaks included
                long long tailLength = GetRowAttribute(lastLine) == raLineBreak ? 2 : 0;
                for (int r = last + 1; r <= lastLine; ++r) tailLength += static_cast<long long>(Strings(r).size());
                const int newCount = static_cast<int>(rows.size()), oldCount = last - first + 1;
                TUndoData& rec = undo_->NewRecord();
                rec.FirstRow = first;
                rec.RowsInserted = newCount + (lastLine - last);
                rec.RemovedAttribute = GetRowAttribute(lastLine);
                rec.InsertedLength = static_cast<long long>(c) + tailLength;
                SetRemovedText(rec, old, std::string_view(piece).substr(0, c));
                rec.KeptTail += tailLength;
                const TCellRules cells = CellRules();
                for (const TEditorRow& r : rows) UpdateWidestRow(GetDisplayWidth(r.Text(), cells));
                ReplaceRun(first, oldCount, std::move(rows));
                const int bc = RepropagateBrackets(first, true);
                changeRange_ = {first, oldCount, newCount, bc, true};
                return true;
            }
            rowStart = c;
        }
    }
}

// The same edit when the rows from run on are one run of a block (a loaded
// line): the line is cut on into that run, whose rows become slices of it
// again, until a cut meets an old row start or the line ends. No byte of
// the run is copied, so a key in a long line costs the cuts.
bool TEditorScreenStrings::RecutLine(int first, int row, int lastOld, int run, int lastLine, const std::string& text,
                                     std::string_view tail)
{
    const TWrapRules rules = WrapRules();
    std::string head;  // rows first..row-1, the new text, rows lastOld+1..run-1
    for (int r = first; r < row; ++r) head += Strings(r);
    const std::size_t before = head.size();
    head += text;
    std::size_t between = head.size();
    for (int r = lastOld + 1; r < run; ++r) head += Strings(r);
    between = head.size() - between;
    // A line left empty may lose its row altogether: the plain way knows when.
    if (head.empty() && tail.empty()) return false;

    // Old row starts in the run, walked along with the new cuts.
    int oldRow = run;
    std::size_t oldStart = 0;
    auto metOld = [&](std::size_t pos) {
        while (oldRow <= lastLine && oldStart < pos) oldStart += Strings(oldRow++).size();
        return oldRow <= lastLine && oldStart == pos;
    };

    // Kept between keys: a long line's rows fill megabytes, which the system
    // would hand out afresh (page by page) every time.
    std::vector<TEditorRow>& rows = recutRows_;
    rows.clear();
    const TEditorRowAttribute endAttr = GetRowAttribute(lastLine);
    bool met = false, ended = false;
    // Rows starting in the head: cut from the head and enough of the run for
    // every look a cut takes; they get bytes of their own.
    const std::size_t window = static_cast<std::size_t>(rules.WrapByte) + 16;
    const bool whole = tail.size() <= window;
    std::string piece = head;
    piece.append(tail.substr(0, std::min(tail.size(), window)));
    std::size_t start = 0;  // of the next row, in the piece
    {
        TLineCutter cutter(piece, rules);
        std::size_t end = 0;
        while (start < head.size() && cutter.Next(end)) {
            rows.emplace_back(std::string_view(piece).substr(start, end - start), WithRowAttribute(0, raWrapped));
            start = end;
        }
        if (start < head.size()) {
            // The line ends within the piece, which is then all of it.
            if (cutter.RestRow()) rows.emplace_back(std::string_view(piece).substr(start), WithRowAttribute(0, endAttr));
            else rows.back().SetFlags(WithRowAttribute(0, endAttr));
            ended = true;
        } else if (whole && start == piece.size()) {
            // The last cut ended the line: an empty row follows unless the mark may stand after it.
            if (!rules.FollowRetMark) rows.emplace_back(std::string_view(), WithRowAttribute(0, endAttr));
            else rows.back().SetFlags(WithRowAttribute(0, endAttr));
            ended = true;
        } else {
            met = metOld(start - head.size());
        }
    }
    // Rows starting in the run: slices of it.
    if (!met && !ended) {
        std::size_t from = start - head.size();
        const std::string_view rest = tail.substr(from);
        TLineCutter cutter(rest, rules);
        std::size_t end = 0;
        while (cutter.Next(end)) {
            const std::size_t to = (tail.size() - rest.size()) + end;
            rows.push_back(TEditorRow::Slice(tail.data() + from, to - from, WithRowAttribute(0, raWrapped)));
            from = to;
            if ((met = metOld(from))) break;
        }
        if (!met) {
            if (cutter.RestRow())  // it started inside the run, so it judged the rest itself
                rows.push_back(TEditorRow::Slice(tail.data() + from, tail.size() - from, WithRowAttribute(0, endAttr)));
            else rows.back().SetFlags(WithRowAttribute(0, endAttr));
            ended = true;
        }
    }

    // The record covers the line to its end; what changed lies in the edited rows.
    const int last = ended ? lastLine : oldRow - 1;  // the last old row replaced
    const long long lineBreak = endAttr == raLineBreak ? 2 : 0;
    TUndoData& rec = undo_->NewRecord();
    rec.FirstRow = first;
    rec.RowsInserted = static_cast<int>(rows.size()) + (lastLine - last);
    rec.RemovedAttribute = endAttr;
    rec.InsertedLength = static_cast<long long>(head.size() + tail.size()) + lineBreak;
    SetRemovedText(rec, GetLogicalText(row, lastOld - row + 1), text);
    rec.KeptHead += static_cast<long long>(before);
    rec.KeptTail += static_cast<long long>(between + tail.size()) + lineBreak;

    // A cut row is at most WrapByte + 3 cells wide: once the widest row is
    // that wide, no row here can widen it.
    if (WidestRow() < rules.WrapByte + 3) {
        const TCellRules cells = CellRules();
        for (const TEditorRow& r : rows) UpdateWidestRow(GetDisplayWidth(r.Text(), cells));
    }
    const int newCount = static_cast<int>(rows.size()), oldCount = last - first + 1;
    ReplaceRun(first, oldCount, std::move(rows));
    rows.clear();
    const int bc = RepropagateBrackets(first, true);
    changeRange_ = {first, oldCount, newCount, bc, true};
    return true;
}

} // namespace vellumo
