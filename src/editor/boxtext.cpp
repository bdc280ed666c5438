#include "editor/boxtext.h"

#include <algorithm>

#include "base/stringlist.h"
#include "editor/cells.h"
#include "editor/rowstore.h"
#include "editor/sjisutil.h"

namespace vellumo {

namespace {

int FillCellsBefore(std::string_view classes, int cells)
{
    const int n = std::min(cells, static_cast<int>(classes.size()));
    return static_cast<int>(std::count(classes.begin(), classes.begin() + std::max(0, n), '3'));
}

char ClassAt(std::string_view classes, int cell)  // 1-based; '1' past the end
{
    return cell >= 1 && cell <= static_cast<int>(classes.size()) ? classes[cell - 1] : '1';
}

int Width(const TEditorScreenStrings& rows, int row)
{
    return row >= 0 && row < rows.Count() ? rows.DisplayWidth(rows.Strings(row)) : 0;
}

int ByteOfCol(const TEditorScreenStrings& rows, int row, int col)
{
    return row >= 0 && row < rows.Count() ? CellToByte(rows.Strings(row), col, rows.CellRules()) : 0;
}

int Span(const TEditorScreenStrings& rows, int r)
{
    const int n = static_cast<int>(rows.Strings(r).size());
    return rows.GetRowAttribute(r) == raLineBreak ? n + 2 : n;
}

// Puts line into t before the 1-based byte position f, filling a short t
// with spaces up to f - 1 bytes.
void PlaceAt(std::string& t, int f, std::string_view line)
{
    const std::size_t at = static_cast<std::size_t>(std::max(1, f) - 1);
    if (t.size() < at) t.append(at - t.size(), ' ');
    t.insert(at, line);
}

} // namespace

int BoxLeftByte(std::string_view classes, int cell)
{
    int c = cell;
    if (ClassAt(classes, c) == '5') {
        ++c;
    } else {
        while (ClassAt(classes, c) == '3') ++c;
    }
    return c - FillCellsBefore(classes, c);
}

int BoxRightByte(std::string_view classes, int cell)
{
    int c = cell;
    const char k = ClassAt(classes, c);
    if (k == '4') {
        ++c;
    } else if (k == '3') {
        while (c > 1 && ClassAt(classes, c) == '3') --c;
    }
    return c - FillCellsBefore(classes, c);
}

TEditorSelection MakeSelection(const TEditorScreenStrings& rows, int anchorRow, int anchorCol, int caretRow,
                               int caretCol, bool box)
{
    TEditorSelection s;
    s.Box = box;
    const int anchorByte = ByteOfCol(rows, anchorRow, anchorCol);
    if (!box) anchorCol = std::min(anchorCol, Width(rows, anchorRow));
    const int b = ByteOfCol(rows, caretRow, caretCol);
    s.StartRow = std::min(anchorRow, caretRow);
    s.EndRow = std::max(anchorRow, caretRow);
    if (anchorRow == caretRow) {
        if (anchorByte < b) {
            s.StartByte = anchorByte;
            s.EndByte = b - 1;
        } else {
            s.StartByte = b;
            s.EndByte = anchorByte - 1;
        }
    } else if (anchorRow < caretRow) {
        s.StartByte = anchorByte;
        s.EndByte = b - 1;
    } else {
        s.StartByte = b;
        s.EndByte = anchorByte - 1;
    }
    if (box) {
        s.StartCol = std::min(anchorCol, caretCol);
        s.EndCol = std::max(anchorCol, caretCol);
    } else if (anchorRow == caretRow) {
        const int w = Width(rows, caretRow);
        s.StartCol = std::min({anchorCol, caretCol, w});
        s.EndCol = std::min(std::max(anchorCol, caretCol), w);
    } else if (anchorRow < caretRow) {
        s.StartCol = std::min(anchorCol, Width(rows, anchorRow));
        s.EndCol = std::min(caretCol, Width(rows, caretRow));
    } else {
        s.StartCol = std::min(caretCol, Width(rows, caretRow));
        s.EndCol = std::min(anchorCol, Width(rows, anchorRow));
    }
    return s;
}

std::vector<TUnselectedRow> GetUnselectedRows(const TEditorScreenStrings& rows, const TEditorSelection& sel)
{
    std::vector<TUnselectedRow> out;
    const int n = rows.Count();
    if (sel.StartRow < 0 || sel.StartRow >= n) return out;
    if (sel.Box) {
        const TCellRules rules = rows.CellRules();
        std::string classes;
        for (int r = sel.StartRow; r <= std::min(sel.EndRow, n - 1); ++r) {
            const std::string_view t = rows.Strings(r);
            GetCellClasses(t, rules, classes);
            const int f = BoxLeftByte(classes, sel.StartCol + 1);
            const int g = BoxRightByte(classes, sel.EndCol);
            TUnselectedRow e;
            e.Text = t.substr(0, std::min(t.size(), static_cast<std::size_t>(std::max(0, f - 1))));
            if (static_cast<std::size_t>(std::max(0, g)) < t.size()) e.Text += t.substr(static_cast<std::size_t>(g));
            e.Attribute = rows.GetRowAttribute(r);
            e.Cut = f;
            out.push_back(std::move(e));
        }
        return out;
    }
    const std::string_view head = rows.Strings(sel.StartRow);
    TUnselectedRow e;
    e.Text = head.substr(0, std::min(head.size(), static_cast<std::size_t>(std::max(0, sel.StartByte))));
    if (sel.EndRow < n) {
        const std::string_view tail = rows.Strings(sel.EndRow);
        const std::size_t from = static_cast<std::size_t>(std::max(0, sel.EndByte + 1));
        if (from < tail.size()) e.Text += tail.substr(from);
    }
    e.Attribute = rows.GetRowAttribute(sel.EndRow);
    e.Cut = std::max(0, sel.StartByte) + 1;
    out.push_back(std::move(e));
    return out;
}

std::string JoinUnselected(const std::vector<TUnselectedRow>& entries)
{
    std::size_t size = 0;
    for (const auto& e : entries) size += e.Text.size() + 2;
    std::string text;
    text.reserve(size);
    for (const auto& e : entries) {
        text += e.Text;
        if (e.Attribute == raLineBreak) text += "\r\n";
    }
    return text;
}

int EditOriginRow(const TEditorScreenStrings& rows, int row)
{
    if (row <= 0) return 0;
    // With word breaks an edit may re-cut rows further up its line; an
    // offset counted from a row it re-cuts would land elsewhere.
    return std::min(std::max(rows.FirstRowOfLine(row), row - 1), rows.EditStartRow(row));
}

std::optional<TRowsEdit> DeleteSelectionEdit(const TEditorScreenStrings& rows, const TEditorSelection& sel)
{
    const int n = rows.Count();
    if (sel.StartRow < 0 || sel.StartRow >= n) return std::nullopt;
    TRowsEdit e;
    e.Row = sel.StartRow;
    e.Count = std::min(sel.EndRow, n - 1) - sel.StartRow + 1;
    e.Text = JoinUnselected(GetUnselectedRows(rows, sel));
    e.ByOffset = true;
    e.OffsetRow = EditOriginRow(rows, sel.StartRow);
    e.Offset = std::max(0, sel.StartByte);
    for (int r = e.OffsetRow; r < sel.StartRow; ++r) e.Offset += Span(rows, r);
    return e;
}

std::optional<TRowsEdit> InsertBoxTextEdit(const TEditorScreenStrings& rows, const TEditorSelection* sel,
                                           int caretRow, int caretCol, std::string_view text)
{
    TStringList lines;
    TextToStrings(text, lines);
    if (lines.Count() == 0) return std::nullopt;
    const int n = rows.Count();

    std::vector<TUnselectedRow> block;
    int first, next, k, covered;
    if (sel && sel->StartRow >= 0 && sel->StartRow < n) {
        first = sel->StartRow;
        block = GetUnselectedRows(rows, *sel);
        covered = std::min(sel->EndRow, n - 1);
        next = sel->EndRow + 1;
        k = sel->StartCol + 1;
    } else {
        first = std::clamp(caretRow, 0, n);
        covered = first - 1;
        next = first;
        k = std::max(0, caretCol) + 1;
    }
    const std::size_t taken = block.size();

    const TCellRules rules = rows.CellRules();
    std::string classes;
    for (int j = 0; j < lines.Count(); ++j) {
        const std::string_view line = lines.Strings(j);
        if (static_cast<std::size_t>(j) < taken) {
            PlaceAt(block[j].Text, block[j].Cut, line);
        } else if (next < n) {
            TUnselectedRow e;
            e.Text = rows.Strings(next);
            GetCellClasses(e.Text, rules, classes);
            PlaceAt(e.Text, BoxLeftByte(classes, k), line);
            e.Attribute = rows.GetRowAttribute(next);
            block.push_back(std::move(e));
            covered = std::max(covered, next);
            ++next;
        } else {
            TUnselectedRow e;
            e.Text.assign(static_cast<std::size_t>(k - 1), ' ');
            e.Text += line;
            e.Attribute = raLineBreak;
            block.push_back(std::move(e));
        }
    }
    // The block's rows all end with a line break, the last one too.
    for (auto& e : block)
        if (e.Attribute == raEof) e.Attribute = raLineBreak;

    TRowsEdit e;
    e.Row = first;
    e.Count = first < n ? std::min(covered, n - 1) - first + 1 : 0;
    if (e.Count < 0) e.Count = 0;
    e.Text = JoinUnselected(block);
    e.CaretRow = first;
    e.CaretCol = k - 1;
    return e;
}

} // namespace vellumo
