#include "editor/undo.h"

#include <algorithm>

#include "editor/editorview.h"
#include "editor/rowstore.h"

namespace vellumo {

TUndoData& TEditorUndoObj::NewRecord()
{
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

void TEditorUndoObj::Clear()
{
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
    TUndoData inverse;
    inverse.FirstRow = r.FirstRow;
    int deleted = 0;
    if (r.RowsInserted > 0) {
        inverse.RemovedText = owner_.GetLogicalText(r.FirstRow, r.RowsInserted, &inverse.RemovedAttribute, &deleted);
        owner_.DeleteRun(r.FirstRow, deleted);
    }
    int inserted = 0;
    if (r.RemovedAttribute != raNone) {
        TEditorStringList scratch;
        owner_.SplitToRows(r.RemovedText, scratch);
        if (r.RemovedAttribute == raWrapped && scratch.Count() > 1 && scratch.Strings(scratch.Count() - 1).empty())
            scratch.Delete(scratch.Count() - 1);
        scratch.SetRowAttribute(scratch.Count() - 1, r.RemovedAttribute);
        inverse.InsertedLength = GetTextLength(scratch);
        std::vector<TEditorRow> rows = scratch.TakeRows();
        const TCellRules rules = owner_.CellRules();
        for (const TEditorRow& row : rows) UpdateWidestRow(GetDisplayWidth(row.Text, rules));
        inserted = static_cast<int>(rows.size());
        owner_.ReplaceRun(r.FirstRow, 0, std::move(rows));
    }
    inverse.RowsInserted = inserted;
    const int bc = owner_.RepropagateBrackets(r.FirstRow, true);
    owner_.changeRange_ = {r.FirstRow, deleted, inserted, bc, true};
    return inverse;
}

bool TEditorUndoObj::Undo()
{
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
        }
        if (view) {
            view->SetCaretRow(r.CaretRow);
            view->SetCaretCol(r.CaretCol);
        }
    }
    return true;
}

} // namespace vellumo
