#include "editor/cells.h"

#include <algorithm>
#include <cstring>

#include "base/leadbytes.h"
#include "editor/bytefind.h"
#include "editor/editorview.h"
#include "editor/rowstore.h"
#include "editor/sjisutil.h"
#include "editor/undo.h"

namespace vellumo {
namespace {

bool HasTab(std::string_view text) noexcept { return HasByte(text, '\t'); }

// Cells a TAB takes when it starts at column w (its own cell included).
int TabCells(int w, const TCellRules& r) noexcept
{
    const int t = r.TabWidth > 0 ? r.TabWidth : 1;
    int n = t - w % t;
    if (r.WrapWidth > 0) n = std::min(n, r.WrapWidth - w % r.WrapWidth);
    return n;
}

// Bytes before cell col, without the cap at the text's length.
int BytesBeforeCell(std::string_view classes, int col) noexcept
{
    const int n = static_cast<int>(classes.size());
    int fills = 0;
    for (int i = 0; i <= col && i < n; ++i)
        if (classes[static_cast<std::size_t>(i)] == '3') ++fills;
    return col - fills;
}

int Span(const TPointerStringList& rows, int row) noexcept
{
    const int len = static_cast<int>(rows.Strings(row).size());
    switch (rows.GetRowAttribute(row)) {
    case raLineBreak: return len + 2;
    case raEof: return len + 1;
    default: return len;
    }
}

} // namespace

const TByteSet& DefaultDelimiters()
{
    static const TByteSet set = [] {
        TByteSet s;
        s.IncludeRange(0x00, 0x2F);
        s.IncludeRange(0x3A, 0x40);
        s.IncludeRange(0x5B, 0x5E);
        s.Include(0x60);
        s.IncludeRange(0x7B, 0x80);
        s.IncludeRange(0xA0, 0xA5);
        s.IncludeRange(0xFD, 0xFF);
        return s;
    }();
    return set;
}

std::size_t CellClassBytes(const TCellRules& r)
{
    // Every byte takes a cell at least, and the last one looked at may be a
    // lead byte whose trail decides its cells.
    return (r.WrapWidth > 0 ? static_cast<std::size_t>(r.WrapWidth) + 3 : kMaxRowCells) + 2;
}

void GetCellClasses(std::string_view text, const TCellRules& r, std::string& out)
{
    const std::size_t cap = r.WrapWidth > 0 ? static_cast<std::size_t>(r.WrapWidth) + 3 : kMaxRowCells;
    // Room for the cap plus the largest overshoot (a TAB's fill or a pair's
    // second cell); the loop stops at the text's end as well, so no scan for
    // a TAB is needed to size it.
    out.resize(std::min(cap, text.size() * 8 + 2) + 9);
    char* const base = out.data();
    char* p = base;
    const char* const stop = base + std::min(cap, out.size());
    const int t = r.TabWidth > 0 ? r.TabWidth : 1;
    for (std::size_t i = 0; i < text.size() && p < stop; ++i) {
        const unsigned char b = static_cast<unsigned char>(text[i]);
        // A lead byte with no trail (at the very end) is one cell of its own.
        if (IsLeadByte(b) && i + 1 < text.size()) {
            *p++ = '4';
            *p++ = '5';
            ++i;
            continue;
        }
        *p++ = r.Delimiters.Contains(b) ? '2' : '1';
        if (b == '\t') {
            const int l1 = static_cast<int>(p - base) - 1;
            int fill = t - l1 % t - 1;
            if (r.WrapWidth > 0) fill = std::min(fill, r.WrapWidth - l1 % r.WrapWidth - 1);
            for (; fill > 0; --fill) *p++ = '3';
        }
    }
    out.resize(static_cast<std::size_t>(p - base));
}

std::string GetCellClasses(std::string_view text, const TCellRules& rules)
{
    std::string out;
    GetCellClasses(text, rules, out);
    return out;
}

int GetDisplayWidth(std::string_view text, const TCellRules& r)
{
    if (!HasTab(text)) return static_cast<int>(text.size());
    int w = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char b = static_cast<unsigned char>(text[i]);
        if (IsLeadByte(b) && i + 1 < text.size()) {
            w += 2;
            ++i;
        } else if (b == '\t') {
            w += TabCells(w, r);
        } else {
            ++w;
        }
    }
    return w;
}

// Appends the text from byte i on, tabs as blanks, until it ends or the
// expansion holds cells cells; gives the byte after the last one taken.
static std::size_t ExpandTabsUntil(std::string_view text, const TCellRules& r, std::size_t cells, std::size_t i,
                                   std::string& out)
{
    for (; i < text.size() && out.size() < cells; ++i) {
        const char c = text[i];
        if (IsLeadByte(static_cast<unsigned char>(c))) {
            out += c;
            if (i + 1 < text.size()) out += text[++i];
        } else if (c == '\t') {
            out.append(static_cast<std::size_t>(TabCells(static_cast<int>(out.size()), r)), ' ');
        } else {
            out += c;
        }
    }
    return i;
}

void ExpandTabs(std::string_view text, const TCellRules& r, std::string& out)
{
    if (!HasTab(text)) {
        out.assign(text);
        return;
    }
    out.clear();
    out.reserve(text.size() + 16);
    ExpandTabsUntil(text, r, std::string::npos, 0, out);
}

std::size_t ExpandTabsPrefix(std::string_view text, const TCellRules& r, std::size_t cells, std::string& out)
{
    out.clear();
    std::size_t i = 0;
    if (!HasTab(text.substr(0, std::min(text.size(), cells)))) {
        // Up to there a byte is a cell: copy at once, then go on byte-wise
        // only when the last character straddles the end.
        i = std::min(text.size(), cells);
        if (i > 0 && i < text.size() && IsLeadByteAt(text, static_cast<int>(i))) ++i;
        out.assign(text.substr(0, i));
        return i;
    }
    out.reserve(std::min(text.size(), cells) + 16);
    return ExpandTabsUntil(text, r, cells, i, out);
}

std::string ExpandTabs(std::string_view text, const TCellRules& r)
{
    std::string out;
    ExpandTabs(text, r, out);
    return out;
}

int GetIndentWidth(std::string_view text, const TCellRules& r)
{
    if (text.empty()) return -1;
    int w = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char b = static_cast<unsigned char>(text[i]);
        if (b == ' ') {
            ++w;
        } else if (b == '\t') {
            w += TabCells(w, r);
        } else if (b == 0x81 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) == 0x40) {
            w += 2;
            ++i;
        } else {
            break;
        }
    }
    return w;
}

int CellToByte(std::string_view text, int col, const TCellRules& rules)
{
    if (col <= 0) return 0;
    // Without a TAB there are no fill cells: a cell is a byte.
    if (!HasTab(text)) return std::min(col, static_cast<int>(text.size()));
    const int n = BytesBeforeCell(GetCellClasses(text, rules), col);
    return std::clamp(n, 0, static_cast<int>(text.size()));
}

int ByteToCell(std::string_view text, int n, const TCellRules& rules)
{
    if (n <= 0) return 0;
    return GetDisplayWidth(text.substr(0, std::min(text.size(), static_cast<std::size_t>(n))), rules);
}

int GetRowWidth(const TEditorScreenStrings& store, int row)
{
    if (row < 0 || row >= store.Count()) return 0;
    return store.DisplayWidth(store.Strings(row));
}

std::string GetExpandedRow(const TEditorScreenStrings& store, int row)
{
    std::string out;
    GetExpandedRow(store, row, out);
    return out;
}

void GetExpandedRow(const TEditorScreenStrings& store, int row, std::string& out)
{
    if (row < 0 || row >= store.Count()) out.clear();
    else ExpandTabs(store.Strings(row), store.CellRules(), out);
}

void GetExpandedRowPrefix(const TEditorScreenStrings& store, int row, std::size_t cells, std::string& out)
{
    if (row < 0 || row >= store.Count()) out.clear();
    else ExpandTabsPrefix(store.Strings(row), store.CellRules(), cells, out);
}

bool EndsWithLineBreak(const TPointerStringList& rows)
{
    return rows.Count() > 0 && rows.GetRowAttribute(rows.Count() - 1) == raLineBreak;
}

long long GetTextLength(const TPointerStringList& rows)
{
    long long n = 0;
    for (const TEditorRow& r : rows.Rows()) n += static_cast<long long>(r.Size()) + (RowAttribute(r.Flags()) == raLineBreak ? 2 : 0);
    return n;
}

std::string JoinRows(const TPointerStringList& rows)
{
    std::string out;
    out.reserve(static_cast<std::size_t>(GetTextLength(rows)));
    for (const TEditorRow& r : rows.Rows()) {
        out += r.Text();
        if (RowAttribute(r.Flags()) == raLineBreak) out += "\r\n";
    }
    return out;
}

int RowToLine(const TEditorScreenStrings& store, int row) { return store.RowToLine(row); }

int LineToRow(const TEditorScreenStrings& store, int line) { return store.LineToRow(line); }

int GetLineCol(const TEditorScreenStrings& store, int row, int col)
{
    if (row < 0 || row > store.Count() || col < 0) return -1;
    for (int r = row - 1; r >= 0 && store.GetRowAttribute(r) == raWrapped; --r) col += GetRowWidth(store, r);
    return col;
}

int GetLineCharPos(const TEditorScreenStrings& store, int row, int col)
{
    if (row < 0 || row > store.Count() || col < 0) return -1;
    const std::string_view text = store.Strings(row);
    const std::string classes = GetCellClasses(text, store.CellRules());
    int c = col;
    if (c < static_cast<int>(classes.size()) && classes[static_cast<std::size_t>(c)] == '5') --c;
    while (c > 0 && c < static_cast<int>(classes.size()) && classes[static_cast<std::size_t>(c)] == '3') --c;
    int pos = std::clamp(BytesBeforeCell(classes, c), 0, static_cast<int>(text.size()));
    for (int r = row - 1; r >= 0 && store.GetRowAttribute(r) == raWrapped; --r)
        pos += static_cast<int>(store.Strings(r).size());
    return pos;
}

long long RowColToOffset(const TEditorScreenStrings& store, int firstRow, int row, int col)
{
    if (firstRow > row) return 0;
    row = std::min(row, store.Count());
    long long n = 0;
    for (int r = std::max(firstRow, 0); r < row && r < store.Count(); ++r) n += Span(store, r);
    if (col > 0) {
        const std::string classes = GetCellClasses(store.Strings(row), store.CellRules());
        n += BytesBeforeCell(classes, col);
    }
    return n;
}

bool OffsetToRowByte(const TEditorScreenStrings& store, long long offset, int& row, int& byte)
{
    row = store.Count();
    byte = 0;
    if (offset < 0) return false;
    for (int r = 0; r < store.Count(); ++r) {
        const int span = Span(store, r);
        if (offset < span || store.GetRowAttribute(r) == raEof) {
            row = r;
            byte = static_cast<int>(std::min<long long>(offset, static_cast<long long>(store.Strings(r).size())));
            return true;
        }
        offset -= span;
    }
    return false;
}

void RowOffsetToRowCol(const TEditorScreenStrings& store, int fromRow, long long offset, int& row, int& col)
{
    const int n = store.Count();
    const TCellRules rules = store.CellRules();
    for (int r = std::max(fromRow, 0); r < n; ++r) {
        const int span = Span(store, r);
        if (offset < span || store.GetRowAttribute(r) == raEof) {
            const std::string_view text = store.Strings(r);
            row = r;
            // A prefix is never wider than the row: the row's own width is not needed.
            col = offset <= 0 ? 0 : ByteToCell(text, static_cast<int>(std::min<long long>(offset, static_cast<long long>(text.size()))), rules);
            return;
        }
        offset -= span;
    }
    row = n > 0 && store.GetRowAttribute(n - 1) == raEof ? n - 1 : n;
    col = GetRowWidth(store, row);
}

int PrevIndent(const TEditorScreenStrings& store, int row)
{
    if (row < 0 || store.Count() == 0) return 0;
    row = std::min(row, store.Count());
    int r = (row < store.Count() ? store.FirstRowOfLine(row) : row) - 1;
    bool sawLine = false;
    const TCellRules rules = store.CellRules();
    for (; r >= 0; --r) {
        if (r > 0 && store.GetRowAttribute(r - 1) == raWrapped) continue;  // not a line start
        sawLine = true;
        const int w = GetIndentWidth(store.Strings(r), rules);
        if (w != -1) return w;
    }
    return sawLine ? -1 : 0;
}

void PixelToCell(int x, int y, bool nearest, const TCellGeometry& g, int& col, int& row)
{
    const int cw = std::max(g.CellWidth, 1), rh = std::max(g.RowHeight, 1);
    col = std::max(0, (nearest ? x + cw / 2 - 1 - g.TextLeft : x - g.TextLeft) / cw + g.LeftCol);
    row = (y - g.TextTop) / rh + g.TopRow;
}

bool PointToRowByte(const TEditorScreenStrings& store, const TCellGeometry& g, int x, int y, int& row, int& byte)
{
    row = -1;
    byte = -1;
    if (store.Count() == 0 || g.CellWidth <= 0 || x < g.TextLeft || y < g.TextTop) return false;
    int col = 0, r = 0;
    PixelToCell(x, y, true, g, col, r);
    if (r < 0 || r >= store.Count()) return false;
    row = r;
    const std::string_view text = store.Strings(r);
    const std::string classes = GetCellClasses(text, store.CellRules());
    if (col >= static_cast<int>(classes.size())) return false;
    if (classes[static_cast<std::size_t>(col)] == '5') --col;
    while (col > 0 && classes[static_cast<std::size_t>(col)] == '3') --col;
    byte = std::min(static_cast<int>(text.size()), BytesBeforeCell(classes, col));
    return true;
}

void DeleteRow(TEditorScreenStrings& store, IEditorView& view, int row)
{
    if (row < 0 || row >= store.Count()) return;
    view.CleanSelection();
    TCaretUpdate hold(&view, true);
    store.ReplaceRows(row, 1, {});
    if (row > 0 && store.GetRowAttribute(row - 1) == raEof) {
        view.SetCaretRow(row - 1);
        view.SetCaretCol(GetRowWidth(store, row - 1));
    } else {
        view.SetCaretRow(row);
        view.SetCaretCol(0);
    }
}

} // namespace vellumo
