#include "editor/typetext.h"

#include <algorithm>
#include <climits>

#include "base/leadbytes.h"
#include "editor/cells.h"
#include "editor/rowstore.h"

namespace vellumo {

namespace {

int Span(const TEditorScreenStrings& rows, int r)
{
    const int n = static_cast<int>(rows.Strings(r).size());
    return rows.GetRowAttribute(r) == raLineBreak ? n + 2 : n;
}

std::string Break(const TEditorScreenStrings& rows, int r)
{
    return r >= 0 && r < rows.Count() && rows.GetRowAttribute(r) == raLineBreak ? "\r\n" : "";
}

// Bytes before a display column, not capped at the row's end: a column past
// the end counts one byte a cell (the spaces that will reach it).
int RawByteOfCol(std::string_view classes, int col)
{
    const int n = static_cast<int>(classes.size());
    int fills = 0;
    for (int i = 0; i <= col && i < n; ++i)
        if (classes[static_cast<std::size_t>(i)] == '3') ++fills;
    return col - fills;
}

long long SpansFrom(const TEditorScreenStrings& rows, int from, int to)
{
    long long o = 0;
    for (int r = from; r < to && r < rows.Count(); ++r) o += Span(rows, r);
    return o;
}

// head + text + tail, except that a stray lead byte ending head goes after
// the text: typed bytes never become its trail. The result's caret (after
// the text) is head's length - 1 + the text's then.
std::string JoinInsert(std::string head, std::string_view text, std::string_view tail, long long* shift)
{
    *shift = 0;
    if (EndsWithStrayLead(head) && !text.empty()) {
        const char lead = head.back();
        head.pop_back();
        head += text;
        head += lead;
        *shift = -1;
    } else {
        head += text;
    }
    head += tail;
    return head;
}

// A row that continues a line whose previous row ends in a stray lead byte
// (the line filled that row exactly): the row is empty, and an insertion
// at its start stands right after the stray byte.
bool AfterWrappedStrayLead(const TEditorScreenStrings& rows, int row)
{
    return row > 0 && row <= rows.Count() && rows.GetRowAttribute(row - 1) == raWrapped &&
           EndsWithStrayLead(rows.Strings(row - 1));
}

// The replaced count for rows first..last as the edit primitive wants it.
int ReplaceCount(const TEditorScreenStrings& rows, int first, int last)
{
    const int n = rows.Count();
    if (first >= n) return 0;
    return std::min(last, n - 1) - first + 1;
}

// Over a selection: the text goes into the first remaining entry at its cut.
TRowsEdit OverSelection(const TEditorScreenStrings& rows, const TEditorSelection& sel, std::string_view text)
{
    std::vector<TUnselectedRow> entries = GetUnselectedRows(rows, sel);
    TRowsEdit e;
    e.Row = sel.StartRow;
    e.Count = ReplaceCount(rows, sel.StartRow, sel.EndRow);
    int cut = 1;
    if (!entries.empty() && !sel.Box && entries.front().Cut <= 1 && AfterWrappedStrayLead(rows, sel.StartRow)) {
        // The row before goes into the edit, so the stray byte is seen.
        --e.Row;
        ++e.Count;
        entries.front().Text.insert(0, rows.Strings(e.Row));
        entries.front().Cut = static_cast<int>(rows.Strings(e.Row).size()) + 1;
    }
    e.ByOffset = true;
    e.OffsetRow = EditOriginRow(rows, e.Row);
    if (entries.empty()) {
        e.Text = std::string(text);
    } else {
        std::string& t = entries.front().Text;
        cut = std::max(1, entries.front().Cut);
        // A box may start past a short row's end: spaces reach it.
        if (t.size() < static_cast<std::size_t>(cut - 1)) t.append(static_cast<std::size_t>(cut - 1) - t.size(), ' ');
        long long shift = 0;
        const auto at = static_cast<std::size_t>(cut - 1);
        t = JoinInsert(t.substr(0, at), text, std::string_view(t).substr(at), &shift);
        cut += static_cast<int>(shift);
        e.Text = JoinUnselected(entries);
    }
    e.Offset = SpansFrom(rows, e.OffsetRow, e.Row) + (cut - 1) + StoredTextLength(text);
    return e;
}

} // namespace

long long StoredTextLength(std::string_view text)
{
    long long n = static_cast<long long>(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        else if (text[i] == '\r' || text[i] == '\n') ++n;
    }
    return n;
}

std::string GetSelText(const TEditorScreenStrings& rows, const TEditorSelection& sel)
{
    const int n = rows.Count();
    if (sel.StartRow < 0 || sel.StartRow >= n) return {};
    auto bytes = [](std::string_view t, int from, int to) {  // 0-based, to exclusive
        from = std::clamp(from, 0, static_cast<int>(t.size()));
        to = std::clamp(to, from, static_cast<int>(t.size()));
        return std::string(t.substr(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from)));
    };
    if (sel.StartRow == sel.EndRow && !sel.Box) return bytes(rows.Strings(sel.StartRow), sel.StartByte, sel.EndByte + 1);
    std::string out;
    if (sel.Box) {
        const TCellRules rules = rows.CellRules();
        std::string classes;
        for (int r = sel.StartRow; r <= std::min(sel.EndRow, n - 1); ++r) {
            GetCellClasses(rows.Strings(r), rules, classes);
            out += bytes(rows.Strings(r), BoxLeftByte(classes, sel.StartCol + 1) - 1, BoxRightByte(classes, sel.EndCol));
            if (sel.StartRow != sel.EndRow) out += "\r\n";
        }
        return out;
    }
    out = bytes(rows.Strings(sel.StartRow), sel.StartByte, INT_MAX) + Break(rows, sel.StartRow);
    for (int r = sel.StartRow + 1; r < sel.EndRow && r < n; ++r) {
        out += rows.Strings(r);
        out += Break(rows, r);
    }
    if (sel.EndRow < n) out += bytes(rows.Strings(sel.EndRow), 0, sel.EndByte + 1);
    return out;
}

bool IsInSelection(const TEditorScreenStrings& rows, const TEditorSelection& sel, int row, int col)
{
    if (row < sel.StartRow || row > sel.EndRow) return false;
    if (sel.Box) {
        if (row >= rows.Count()) return false;
        const std::string classes = GetCellClasses(rows.Strings(row), rows.CellRules());
        return col >= BoxLeftByte(classes, sel.StartCol + 1) - 1 && col <= BoxRightByte(classes, sel.EndCol - 1);
    }
    if (row == sel.StartRow && col < sel.StartCol) return false;
    if (row == sel.EndRow && col >= sel.EndCol) return false;
    return true;
}

std::optional<TRowsEdit> InsertStreamTextEdit(const TEditorScreenStrings& rows, const TEditorSelection* sel,
                                              int caretRow, int caretCol, std::string_view text)
{
    const int n = rows.Count();
    if (sel && sel->StartRow >= 0 && sel->StartRow < n) return OverSelection(rows, *sel, text);
    if (text.empty()) return std::nullopt;
    int row = std::clamp(caretRow, 0, n);
    int p = std::max(0, RawByteOfCol(GetCellClasses(rows.Strings(row), rows.CellRules()), std::max(0, caretCol)));
    if (p == 0 && AfterWrappedStrayLead(rows, row)) p = static_cast<int>(rows.Strings(--row).size());
    const std::string_view t = rows.Strings(row);
    TRowsEdit e;
    e.Row = row;
    e.Count = ReplaceCount(rows, row, row);
    std::string head(t.substr(0, std::min(t.size(), static_cast<std::size_t>(p))));
    std::string tail(static_cast<std::size_t>(p) < t.size() ? t.substr(static_cast<std::size_t>(p)) : std::string_view());
    // Spaces that reach a free caret must not pair with a stray lead byte either.
    if (static_cast<std::size_t>(p) > t.size()) {
        std::string pad(static_cast<std::size_t>(p) - t.size(), ' ');
        if (EndsWithStrayLead(head)) {
            tail.insert(tail.begin(), head.back());
            head.back() = ' ';
        }
        head += pad;
    }
    long long shift = 0;
    e.Text = JoinInsert(std::move(head), text, tail + Break(rows, row), &shift);
    e.ByOffset = true;
    e.OffsetRow = EditOriginRow(rows, row);
    e.Offset = SpansFrom(rows, e.OffsetRow, row) + p + shift + StoredTextLength(text);
    return e;
}

std::optional<TRowsEdit> TypeTextEdit(const TEditorScreenStrings& rows, const TEditorSelection* sel, int caretRow,
                                      int caretCol, std::string_view text, bool overwrite)
{
    if (text.empty()) return std::nullopt;
    const int n = rows.Count();
    if (sel && sel->StartRow >= 0 && sel->StartRow < n) return OverSelection(rows, *sel, text);
    const int row = std::clamp(caretRow, 0, n);
    const std::string_view t = rows.Strings(row);
    const TCellRules rules = rows.CellRules();
    std::string classes = GetCellClasses(t, rules);
    const int col = std::max(0, caretCol);
    const int p = std::max(0, RawByteOfCol(classes, col));
    if (!overwrite || static_cast<std::size_t>(p) >= t.size()) return InsertStreamTextEdit(rows, nullptr, row, col, text);

    // The cells the text covers, on into the wrapped line's next rows.
    int last = row;
    int end = col + static_cast<int>(text.size());
    while (end >= static_cast<int>(classes.size()) && rows.GetRowAttribute(last) == raWrapped && last + 1 < n) {
        end -= static_cast<int>(classes.size());
        ++last;
        GetCellClasses(rows.Strings(last), rules, classes);
    }
    const std::string_view lastText = rows.Strings(last);
    std::string rest;
    if (end < static_cast<int>(classes.size())) {
        const int b = std::min(static_cast<int>(lastText.size()), RawByteOfCol(classes, end));
        if (classes[static_cast<std::size_t>(end)] == '5') {
            rest = ' ';
            rest += lastText.substr(static_cast<std::size_t>(b) + 1);
        } else {
            rest = lastText.substr(static_cast<std::size_t>(b));
        }
    }
    TRowsEdit e;
    e.Row = row;
    e.Count = last - row + 1;
    e.Text = std::string(t.substr(0, static_cast<std::size_t>(p))) + std::string(text) + rest + Break(rows, last);
    e.ByOffset = true;
    e.OffsetRow = EditOriginRow(rows, row);
    e.Offset = SpansFrom(rows, e.OffsetRow, row) + p + StoredTextLength(text);
    return e;
}

std::optional<TRowSplice> TypeTextSplice(const TEditorScreenStrings& rows, int caretRow, int caretCol,
                                         std::string_view text, bool overwrite)
{
    const int n = rows.Count();
    const int row = std::clamp(caretRow, 0, n);
    if (text.empty() || row >= n) return std::nullopt;
    const std::string_view t = rows.Strings(row);
    const int p = std::max(0, RawByteOfCol(GetCellClasses(t, rows.CellRules()), std::max(0, caretCol)));
    const std::size_t at = static_cast<std::size_t>(p);
    if ((overwrite && at < t.size()) || at > t.size()) return std::nullopt;
    if ((p == 0 && AfterWrappedStrayLead(rows, row)) || EndsWithStrayLead(t.substr(0, at))) return std::nullopt;
    TRowSplice s;
    s.Row = row;
    s.Byte = p;
    s.OffsetRow = EditOriginRow(rows, row);
    s.Offset = SpansFrom(rows, s.OffsetRow, row) + p + StoredTextLength(text);
    return s;
}

std::optional<TRowsEdit> MoveSelectionEdit(const TEditorScreenStrings& rows, const TEditorSelection& sel,
                                           int targetRow, int targetCol)
{
    const int n = rows.Count();
    if (sel.Box || sel.StartRow < 0 || sel.StartRow >= n) return std::nullopt;
    if (sel.StartRow == sel.EndRow && sel.EndByte < sel.StartByte) return std::nullopt;
    if (targetRow < 0 || targetRow > n || IsInSelection(rows, sel, targetRow, targetCol)) return std::nullopt;
    // The empty place after the last row exists only after a final line break.
    if (targetRow == n && rows.GetRowAttribute(n - 1) != raLineBreak) return std::nullopt;

    const std::string moved = GetSelText(rows, sel);
    const std::string_view tRow = rows.Strings(targetRow);
    const int b = std::max(0, RawByteOfCol(GetCellClasses(tRow, rows.CellRules()), std::max(0, targetCol)));
    std::string tHead(tRow.substr(0, std::min(tRow.size(), static_cast<std::size_t>(b))));
    if (static_cast<std::size_t>(b) > tRow.size()) tHead.append(static_cast<std::size_t>(b) - tRow.size(), ' ');
    const std::string tTail =
        std::string(static_cast<std::size_t>(b) < tRow.size() ? tRow.substr(static_cast<std::size_t>(b)) : std::string_view()) +
        Break(rows, targetRow);
    const std::string_view sRow = rows.Strings(sel.StartRow);
    const std::string sHead(sRow.substr(0, std::min(sRow.size(), static_cast<std::size_t>(std::max(0, sel.StartByte)))));
    std::string sTail;
    if (sel.EndRow < n) {
        const std::string_view eRow = rows.Strings(sel.EndRow);
        const std::size_t from = static_cast<std::size_t>(std::max(0, sel.EndByte + 1));
        sTail = std::string(from < eRow.size() ? eRow.substr(from) : std::string_view()) + Break(rows, sel.EndRow);
    }
    auto between = [&](int from, int to) {  // whole rows from..to-1
        std::string s;
        for (int r = from; r < to && r < n; ++r) {
            s += rows.Strings(r);
            s += Break(rows, r);
        }
        return s;
    };

    TRowsEdit e;
    std::string text;
    std::size_t caret = 0;
    int first, last;
    if (targetRow < sel.StartRow || (targetRow == sel.StartRow && targetCol < sel.StartCol)) {
        first = targetRow;
        last = sel.EndRow;
        text = tHead + moved;
        caret = text.size();
        if (targetRow < sel.StartRow) text += tTail + between(targetRow + 1, sel.StartRow) + sHead + sTail;
        else text += std::string(sRow.substr(std::min(sRow.size(), static_cast<std::size_t>(b)), std::max(0, sel.StartByte - b))) + sTail;
    } else {
        first = sel.StartRow;
        last = targetRow;
        if (targetRow > sel.EndRow) {
            text = sHead + sTail + between(sel.EndRow + 1, targetRow) + tHead + moved;
        } else {
            // On the end row at or right of the selection's end.
            const std::size_t from = static_cast<std::size_t>(std::max(0, sel.EndByte + 1));
            std::string gap = from < tHead.size() ? tHead.substr(from) : "";
            text = sHead + gap + moved;
        }
        caret = text.size();
        text += tTail;
    }
    e.Row = first;
    e.Count = ReplaceCount(rows, first, last);
    e.Text = std::move(text);
    e.ByOffset = true;
    e.OffsetRow = EditOriginRow(rows, std::min(first, n - 1));
    e.Offset = SpansFrom(rows, e.OffsetRow, first) + static_cast<long long>(caret);
    return e;
}

std::optional<TRowsEdit> CopySelectionEdit(const TEditorScreenStrings& rows, const TEditorSelection& sel,
                                           int targetRow, int targetCol)
{
    const int n = rows.Count();
    if (sel.Box || sel.StartRow < 0 || sel.StartRow >= n) return std::nullopt;
    if (targetRow < 0 || targetRow > n || IsInSelection(rows, sel, targetRow, targetCol)) return std::nullopt;
    const std::string t = GetSelText(rows, sel);
    if (t.empty()) return std::nullopt;
    return InsertStreamTextEdit(rows, nullptr, targetRow, targetCol, t);
}

} // namespace vellumo
