#include "editor/indentcmd.h"

#include <algorithm>

#include "editor/cells.h"
#include "editor/lines.h"
#include "editor/rowstore.h"
#include "editor/undo.h"
#include "editor/wrapoption.h"

namespace vellumo {

namespace {

bool IsSpaceKind(TIndentKind k) { return k == TIndentKind::SpaceIndent || k == TIndentKind::SpaceUnindent; }
bool IsIndent(TIndentKind k) { return k == TIndentKind::SpaceIndent || k == TIndentKind::TabIndent; }
char UnitOf(TIndentKind k) { return IsSpaceKind(k) ? ' ' : '\t'; }

bool LineStartRow(const TEditorScreenStrings& rows, int r) { return r == 0 || rows.GetRowAttribute(r - 1) != raWrapped; }

std::string RowText(const TEditorScreenStrings& rows, int r, TIndentKind k, const TCellRules& rules)
{
    return IsSpaceKind(k) ? ExpandTabs(rows.Strings(r), rules) : std::string(rows.Strings(r));
}

void AppendBreak(const TEditorScreenStrings& rows, int r, std::string& out)
{
    if (rows.GetRowAttribute(r) == raLineBreak) out += "\r\n";
}

} // namespace

std::optional<TIndentPlan> PlanIndent(const TEditorScreenStrings& rows, const TEditorSelection& sel, TIndentKind kind,
                                      bool retRowIndent, int caretRow, int caretCol)
{
    const int n = rows.Count();
    if (sel.StartRow < 0 || sel.StartRow >= n) return std::nullopt;
    const TCellRules rules = rows.CellRules();
    const char unit = UnitOf(kind);
    TIndentPlan plan;
    plan.OldRowCount = n;
    plan.Box = sel.Box;
    std::string text;

    if (sel.Box) {
        const int last = std::min(sel.EndRow, n - 1);
        const bool wrap = rows.WordWrap();
        const int wrapByte = rows.WrapOption().WrapByte();
        std::string classes;
        for (int r = sel.StartRow; r <= last; ++r) {
            std::string t = RowText(rows, r, kind, rules);
            GetCellClasses(t, rules, classes);
            const int p = BoxLeftByte(classes, sel.StartCol + 1);
            const int len = static_cast<int>(t.size());
            const bool boxRow = rows.GetRowAttribute(r) != raWrapped && rows.GetRowAttribute(r - 1) != raWrapped;
            if (IsIndent(kind)) {
                bool ok = boxRow && (len >= p || (retRowIndent && len >= p - 1));
                if (ok && wrap) {
                    ok = kind == TIndentKind::SpaceIndent ? len < wrapByte - 1
                                                           : GetDisplayWidth(t, rules) < wrapByte - rules.TabWidth;
                }
                if (ok) t.insert(static_cast<std::size_t>(p - 1), 1, unit);
            } else if (boxRow && p >= 1 && p <= len && t[static_cast<std::size_t>(p - 1)] == unit) {
                t.erase(static_cast<std::size_t>(p - 1), 1);
            }
            text += t;
            AppendBreak(rows, r, text);
        }
        plan.FirstRow = sel.StartRow;
        plan.LastRow = last;
    } else {
        const int caretByte = caretRow >= 0 && caretRow < n ? CellToByte(rows.Strings(caretRow), caretCol, rules) : 0;
        plan.CaretAtStart = caretRow == sel.StartRow && caretByte == sel.StartByte;
        int c = sel.StartRow;
        while (!LineStartRow(rows, c)) --c;
        int last = sel.EndByte == -1 ? std::max(c, sel.EndRow - 1) : sel.EndRow;
        last = std::min(last, n - 1);
        while (last < n - 1 && rows.GetRowAttribute(last) == raWrapped) ++last;
        for (int r = c; r <= last; ++r) {
            std::string t = RowText(rows, r, kind, rules);
            if (LineStartRow(rows, r)) {
                switch (kind) {
                case TIndentKind::SpaceIndent:
                case TIndentKind::TabIndent:
                    if (!t.empty() || retRowIndent) t.insert(t.begin(), unit);
                    break;
                case TIndentKind::SpaceUnindent:
                case TIndentKind::TabUnindent:
                    if (!t.empty() && t.front() == unit) t.erase(t.begin());
                    break;
                }
            }
            text += t;
            AppendBreak(rows, r, text);
        }
        plan.FirstRow = c;
        plan.LastRow = last;
    }
    plan.Edit.Row = plan.FirstRow;
    plan.Edit.Count = plan.LastRow - plan.FirstRow + 1;
    plan.Edit.Text = std::move(text);
    return plan;
}

TIndentSelection IndentSelectionAfter(const TEditorScreenStrings& rows, const TIndentPlan& plan)
{
    TIndentSelection s;
    const int n = rows.Count();
    const int c = std::min(plan.FirstRow, std::max(0, n - 1));
    int end = plan.LastRow + (n - plan.OldRowCount);
    end = std::clamp(end, c, std::max(0, n - 1));
    int endRow, endCol;
    if (rows.GetRowAttribute(end) == raEof) {
        endRow = end;
        endCol = rows.DisplayWidth(ExpandTabs(rows.Strings(end), rows.CellRules()));
    } else {
        endRow = end + 1;
        endCol = 0;
    }
    TEditorSelection& sel = s.Selection;
    sel.Box = false;
    sel.StartRow = c;
    sel.EndRow = endRow;
    sel.StartCol = 0;
    sel.EndCol = endCol;
    sel.StartByte = 0;
    const int endByte = endRow < n ? CellToByte(rows.Strings(endRow), endCol, rows.CellRules()) : 0;
    sel.EndByte = endByte - 1;
    s.AnchorRow = endRow;
    s.AnchorByte = endByte;
    s.AnchorCol = endCol;
    if (plan.CaretAtStart) {
        s.CaretRow = c;
        s.CaretCol = 0;
    } else {
        s.CaretRow = endRow;
        s.CaretCol = endCol;
    }
    return s;
}

std::optional<TRowsEdit> WrapToReturnsEdit(const TEditorScreenStrings& rows, const TEditorSelection& sel)
{
    const int n = rows.Count();
    if (!rows.WordWrap() || !rows.WrapOption().FollowRetMark() || sel.StartRow < 0 || sel.StartRow >= n) return std::nullopt;
    const int first = sel.StartRow;
    int last = std::min(sel.EndRow, n - 1);
    if (last > first && rows.GetRowAttribute(last) == raEof && rows.GetRowAttribute(last - 1) == raLineBreak) --last;
    TRowsEdit e;
    for (int r = first; r <= last; ++r) {
        e.Text += rows.Strings(r);
        const TEditorRowAttribute a = rows.GetRowAttribute(r);
        if ((a == raWrapped && r != last) || a == raLineBreak) e.Text += "\r\n";
    }
    e.Row = first;
    e.Count = last - first + 1;
    e.CaretRow = first;
    e.CaretCol = 0;
    return e;
}

bool FreezeWraps(TEditorScreenStrings& rows, TEditorStrings& lines)
{
    if (!rows.WordWrap()) return false;
    {
        TLinesUpdate update(lines);
        for (int r = 0; r < rows.Count(); ++r)
            if (rows.GetRowAttribute(r) == raWrapped) rows.SetRowAttribute(r, raLineBreak);
    }
    rows.UndoObj().Clear();
    return true;
}

std::optional<std::string> CopyWrappedText(const TEditorScreenStrings& rows, const TEditorSelection& sel)
{
    const int n = rows.Count();
    if (sel.Box || sel.StartRow < 0 || sel.StartRow >= n) return std::nullopt;
    const int first = sel.StartRow;
    int last = sel.EndCol == 0 ? sel.EndRow - 1 : sel.EndRow;
    last = std::min(last, n - 1);
    if (last < first) last = first;
    std::string out;
    for (int r = first; r <= last; ++r) {
        const std::string_view t = rows.Strings(r);
        // A row before the selection's end row has its line end selected, the
        // first row too when the selection ends at column 0 of the next one.
        const bool through = r < sel.EndRow;
        const std::size_t from = r == first ? std::min(t.size(), static_cast<std::size_t>(std::max(0, sel.StartByte))) : 0;
        if (through) {
            out.append(t, from, std::string::npos);
            out += "\r\n";
        } else {
            const std::size_t to = std::min(t.size(), static_cast<std::size_t>(std::max(0, sel.EndByte + 1)));
            if (to > from) out.append(t, from, to - from);
        }
    }
    if (out.empty()) return std::nullopt;
    return out;
}

} // namespace vellumo
