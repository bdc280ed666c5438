#include "editor/undo.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "editor/editorview.h"
#include "editor/rowstore.h"

namespace vellumo {

namespace {

std::size_t CommonHead(std::string_view a, std::string_view b)
{
    const std::size_t n = std::min(a.size(), b.size());
    std::size_t i = 0;
    // Whole blocks first: memcmp is far quicker than a byte loop on long rows.
    for (constexpr std::size_t kBlock = 256; i + kBlock <= n && std::memcmp(a.data() + i, b.data() + i, kBlock) == 0;)
        i += kBlock;
    while (i < n && a[i] == b[i]) ++i;
    return i;
}

std::size_t CommonTail(std::string_view a, std::string_view b, std::size_t limit)
{
    const std::size_t n = std::min({a.size(), b.size(), limit});
    const char* ea = a.data() + a.size();
    const char* eb = b.data() + b.size();
    std::size_t i = 0;
    for (constexpr std::size_t kBlock = 256; i + kBlock <= n && std::memcmp(ea - i - kBlock, eb - i - kBlock, kBlock) == 0;)
        i += kBlock;
    while (i < n && ea[-1 - static_cast<std::ptrdiff_t>(i)] == eb[-1 - static_cast<std::ptrdiff_t>(i)]) ++i;
    return i;
}

} // namespace

void SetRemovedText(TUndoData& r, std::string_view removed, std::string_view inserted)
{
    const std::size_t head = CommonHead(removed, inserted);
    const std::size_t tail = CommonTail(removed, inserted, std::min(removed.size(), inserted.size()) - head);
    r.KeptHead = static_cast<long long>(head);
    r.KeptTail = static_cast<long long>(tail);
    r.RemovedText.assign(removed.substr(head, removed.size() - head - tail));
}

TUndoData& TEditorUndoObj::NewRecord()
{
    if (grouping_ && !redoing_) {
        if (groupEdited_) {
            NoteGroupEdit();
        } else {
            // Before the first edit changes anything.
            before_ = owner_.GetLogicalText(0, owner_.Count());
            rowsAbove_ = rowsBelow_ = INT_MAX;
            groupEdited_ = true;
        }
        redo_.clear();
        scratch_.FirstRow = -1;
        scratch_.RowsInserted = 0;
        scratch_.InsertedLength = 0;
        scratch_.RemovedAttribute = raNone;
        scratch_.RemovedText.clear();
        scratch_.KeptHead = scratch_.KeptTail = 0;
        return scratch_;
    }
    TUndoData r;
    if (const IEditorView* v = owner_.ActiveEditor()) {
        r.CaretRow = v->CaretRow();
        r.CaretCol = v->CaretCol();
    }
    undo_.push_back(std::move(r));
    Trim();
    if (!redoing_) redo_.clear();
    return undo_.back();
}

void TEditorUndoObj::Trim()
{
    while (static_cast<int>(undo_.size()) > listMax_) undo_.pop_front();
}

void TEditorUndoObj::SetListMax(int value)
{
    listMax_ = std::max(kDefaultListMax, value);
    Trim();
}

void TEditorUndoObj::PushRedo(const TUndoData& record)
{
    TUndoData r = record;
    if (const IEditorView* v = owner_.ActiveEditor()) {
        r.CaretRow = v->CaretRow();
        r.CaretCol = v->CaretCol();
    }
    redo_.push_back(std::move(r));
}

void TEditorUndoObj::BeginGroup()
{
    if (grouping_) return;
    grouping_ = true;
    groupEdited_ = false;
    groupCaretRow_ = groupCaretCol_ = 0;
    if (const IEditorView* v = owner_.ActiveEditor()) {
        groupCaretRow_ = v->CaretRow();
        groupCaretCol_ = v->CaretCol();
    }
}

void TEditorUndoObj::EndGroup()
{
    if (!grouping_) return;
    SealGroup();
    grouping_ = false;
}

// Rows above and below an edit's rows are rows it left alone; their counts
// stay right through later edits elsewhere, so the least of each over all
// edits bounds the rows the group changed.
void TEditorUndoObj::NoteGroupEdit()
{
    const TUndoData& r = scratch_;
    if (r.FirstRow < 0) return;
    rowsAbove_ = std::min(rowsAbove_, r.FirstRow);
    rowsBelow_ = std::min(rowsBelow_, std::max(0, owner_.Count() - r.FirstRow - r.RowsInserted));
}

void TEditorUndoObj::SealGroup()
{
    if (!groupEdited_) return;
    NoteGroupEdit();
    groupEdited_ = false;
    std::string before = std::move(before_);
    before_ = std::string();
    const int n = owner_.Count();
    const int first = std::min(rowsAbove_, n);
    const int end = n - std::min(rowsBelow_, n - first);
    long long head = 0, span = 0, tail = 0;
    for (int k = 0; k < n; ++k) {
        const long long len = static_cast<long long>(owner_.Strings(k).size()) + (owner_.GetRowAttribute(k) == raLineBreak ? 2 : 0);
        (k < first ? head : k < end ? span : tail) += len;
    }
    const long long size = static_cast<long long>(before.size());
    // The untouched rows must hold the bytes they held before: otherwise an
    // edit went round the group, and the record would restore a wrong text.
    auto same = [&](int from, int to, std::size_t at) {
        for (int k = from; k < to; ++k) {
            std::string_view row = owner_.Strings(k);
            if (before.compare(at, row.size(), row) != 0) return false;
            at += row.size();
            if (owner_.GetRowAttribute(k) == raLineBreak) {
                if (before.compare(at, 2, "\r\n") != 0) return false;
                at += 2;
            }
        }
        return true;
    };
    if (head + tail > size || !same(0, first, 0) || !same(end, n, static_cast<std::size_t>(size - tail))) {
        Clear();
        return;
    }
    TUndoData rec;
    rec.CaretRow = groupCaretRow_;
    rec.CaretCol = groupCaretCol_;
    rec.FirstRow = first;
    rec.RowsInserted = end - first;
    rec.InsertedLength = span;
    const std::size_t from = static_cast<std::size_t>(head), length = static_cast<std::size_t>(size - head - tail);
    if (length * 2 >= before.capacity()) {
        before.resize(from + length);
        before.erase(0, from);
        rec.RemovedText = std::move(before);
    } else {
        rec.RemovedText.assign(before, from, length);
    }
    const std::string_view t = rec.RemovedText;
    if (t.empty()) rec.RemovedAttribute = raNone;
    else if (t.size() >= 2 && t.substr(t.size() - 2) == "\r\n") rec.RemovedAttribute = raLineBreak;
    else rec.RemovedAttribute = end < n ? raWrapped : raEof;
    if (rec.RowsInserted == 0 && rec.RemovedAttribute == raNone) return;
    undo_.push_back(std::move(rec));
    Trim();
}

void TEditorUndoObj::Clear()
{
    groupEdited_ = false;
    before_ = std::string();
    undo_.clear();
    redo_.clear();
    if (OnClear) OnClear();
}

// A record fits when the rows it put in are still there, as long as it says,
// and what it would restore can stand at that place.
bool TEditorUndoObj::Fits(const TUndoData& r) const
{
    const int n = owner_.Count();
    if (r.FirstRow < 0 || r.RowsInserted < 0 || r.FirstRow > n || r.RowsInserted > n - r.FirstRow) return false;
    if (r.RowsInserted == 0 && r.RemovedAttribute == raNone) return false;
    if (r.KeptHead < 0 || r.KeptTail < 0 || r.KeptHead + r.KeptTail > r.InsertedLength) return false;
    const int end = r.FirstRow + r.RowsInserted;  // first row after the run
    if (r.RowsInserted > 0) {
        long long len = 0;
        for (int k = r.FirstRow; k < end; ++k)
            len += static_cast<long long>(owner_.Strings(k).size()) + (owner_.GetRowAttribute(k) == raLineBreak ? 2 : 0);
        if (len != r.InsertedLength) return false;
        if (owner_.GetRowAttribute(end - 1) == raWrapped) return false;
    }
    // Restored rows ending without a line break must be the last rows.
    if (r.RemovedAttribute == raEof && end != n) return false;
    // Rows never follow a row without a line break.
    if (r.FirstRow > 0 && owner_.GetRowAttribute(r.FirstRow - 1) == raEof) return false;
    return true;
}

TUndoData TEditorUndoObj::Replay(const TUndoData& r)
{
    const std::uint64_t shape = owner_.Version();
    TUndoData inverse;
    inverse.FirstRow = r.FirstRow;
    int deleted = 0;
    std::string current;
    if (r.RowsInserted > 0) {
        current = owner_.GetLogicalText(r.FirstRow, r.RowsInserted, &inverse.RemovedAttribute, &deleted);
        owner_.DeleteRun(r.FirstRow, deleted);
    }
    int inserted = 0;
    if (r.RemovedAttribute == raNone) {
        inverse.RemovedText = std::move(current);
    } else {
        // Fits checked that the kept bytes lie within the current text.
        const std::size_t head = static_cast<std::size_t>(r.KeptHead), tail = static_cast<std::size_t>(r.KeptTail);
        std::string restored;
        restored.reserve(head + r.RemovedText.size() + tail);
        restored.append(current, 0, head).append(r.RemovedText).append(current, current.size() - tail, tail);
        SetRemovedText(inverse, current, restored);
        TEditorStringList scratch;
        owner_.SplitToRows(restored, scratch);
        if (r.RemovedAttribute == raWrapped && scratch.Count() > 1 && scratch.Strings(scratch.Count() - 1).empty())
            scratch.Delete(scratch.Count() - 1);
        scratch.SetRowAttribute(scratch.Count() - 1, r.RemovedAttribute);
        inverse.InsertedLength = GetTextLength(scratch);
        std::vector<TEditorRow> rows = scratch.TakeRows();
        const TCellRules rules = owner_.CellRules();
        for (const TEditorRow& row : rows) UpdateWidestRow(GetDisplayWidth(row.Text(), rules));
        inserted = static_cast<int>(rows.size());
        owner_.ReplaceRun(r.FirstRow, 0, std::move(rows));
    }
    inverse.RowsInserted = inserted;
    const int bc = owner_.RepropagateBrackets(r.FirstRow, true);
    owner_.changeRange_ = {r.FirstRow, deleted, inserted, bc, true, owner_.Version() != shape};
    return inverse;
}

bool TEditorUndoObj::Undo()
{
    SealGroup();
    if (undo_.empty()) return false;
    if (!Fits(undo_.back())) {
        Clear();
        return false;
    }
    IEditorView* view = owner_.ActiveEditor();
    const TUndoData r = undo_.back();
    {
        TCaretUpdate hold(view);
        {
            owner_.BeginUpdate();
            struct End { TEditorScreenStrings& s; ~End() { s.EndUpdate(); } } end{owner_};
            PushRedo(Replay(r));
            undo_.pop_back();
        }
        if (view) {
            view->SetCaretRow(r.CaretRow);
            view->SetCaretCol(r.CaretCol);
        }
    }
    return true;
}

bool TEditorUndoObj::Redo()
{
    SealGroup();
    if (redo_.empty()) return false;
    if (!Fits(redo_.back())) {
        Clear();
        return false;
    }
    IEditorView* view = owner_.ActiveEditor();
    const TUndoData r = redo_.back();
    {
        TCaretUpdate hold(view);
        {
            owner_.BeginUpdate();
            struct End { TEditorScreenStrings& s; ~End() { s.EndUpdate(); } } end{owner_};
            redo_.pop_back();
            const TUndoData inverse = Replay(r);
            redoing_ = true;
            TUndoData& rec = NewRecord();
            redoing_ = false;
            rec.FirstRow = inverse.FirstRow;
            rec.RowsInserted = inverse.RowsInserted;
            rec.InsertedLength = inverse.InsertedLength;
            rec.RemovedAttribute = inverse.RemovedAttribute;
            rec.RemovedText = inverse.RemovedText;
            rec.KeptHead = inverse.KeptHead;
            rec.KeptTail = inverse.KeptTail;
        }
        if (view) {
            view->SetCaretRow(r.CaretRow);
            view->SetCaretCol(r.CaretCol);
        }
    }
    return true;
}

} // namespace vellumo
