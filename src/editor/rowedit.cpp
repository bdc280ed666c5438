// Edits that touch only what changes: a key typed into a row, and an edit
// inside a long wrapped line. Both give the rows and undo records of the
// plain way in ReplaceRows, which takes every other edit.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "editor/rowstore.h"
#include "editor/undo.h"
#include "editor/wrap.h"

namespace vellumo {

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
    if (std::memchr(body.data(), '\r', body.size()) || std::memchr(body.data(), '\n', body.size())) return false;

    TUndoData& rec = undo_->NewRecord();
    std::string& old = rows_[static_cast<std::size_t>(row)].Text;
    rec.FirstRow = row;
    rec.RowsInserted = 1;
    rec.RemovedAttribute = attr;
    rec.InsertedLength = static_cast<long long>(text.size());
    SetRemovedText(rec, old, body);
    rec.KeptTail += static_cast<long long>(text.size() - body.size());  // the line break stays too
    text.resize(body.size());
    old = std::move(text);
    rows_[static_cast<std::size_t>(row)].Flags = WithRowAttribute(0, attr);  // its state is computed afresh
    if (WidestRow() < kMaxRowCells) UpdateWidestRow(GetDisplayWidth(old, CellRules()));
    Changed();
    const int bc = RepropagateBrackets(row, true);
    changeRange_ = {row, 1, 1, bc, true};
    return true;
}

// An edit inside a long wrapped line: the line is cut afresh only until a
// new cut falls where an old row began, since from there on the rows are
// what cutting the same rest again would give (a cut looks at most
// WrapByte + 3 cells past its row's start). The undo record still covers the
// line to its end, so undoing re-cuts it whole as before.
bool TEditorScreenStrings::ReplaceWithinLine(int first, int row, int lastOld, int lastLine, const std::string& text)
{
    if (std::memchr(text.data(), '\r', text.size()) || std::memchr(text.data(), '\n', text.size())) return false;
    const TWrapRules rules = WrapRules();
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
                    rows.push_back({piece.substr(b, cuts.Ends[m] - b), WithRowAttribute(0, raWrapped)});
                    b = cuts.Ends[m];
                }
                const std::string old = GetLogicalText(first, last - first + 1);  // line breaks included
                long long tail = GetRowAttribute(lastLine) == raLineBreak ? 2 : 0;
                for (int r = last + 1; r <= lastLine; ++r) tail += static_cast<long long>(Strings(r).size());
                const int newCount = static_cast<int>(rows.size()), oldCount = last - first + 1;
                TUndoData& rec = undo_->NewRecord();
                rec.FirstRow = first;
                rec.RowsInserted = newCount + (lastLine - last);
                rec.RemovedAttribute = GetRowAttribute(lastLine);
                rec.InsertedLength = static_cast<long long>(c) + tail;
                SetRemovedText(rec, old, std::string_view(piece).substr(0, c));
                rec.KeptTail += tail;
                const TCellRules cells = CellRules();
                for (const TEditorRow& r : rows) UpdateWidestRow(GetDisplayWidth(r.Text, cells));
                ReplaceRun(first, oldCount, std::move(rows));
                const int bc = RepropagateBrackets(first, true);
                changeRange_ = {first, oldCount, newCount, bc, true};
                return true;
            }
            rowStart = c;
        }
    }
}

} // namespace vellumo
