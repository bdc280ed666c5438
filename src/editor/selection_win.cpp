// The editor's selection: anchoring, spanning to the caret, the painting of
// what changed, ending it, row selection from the left bar, tokens under
// the pointer and the selection as character offsets.
#include <algorithm>

#include "editor/editor_win.h"
#include "editor/parser.h"
#include "editor/selmeasure.h"
#include "editor/typetext.h"

namespace vellumo {

namespace {

int RowSpan(const TEditorScreenStrings& s, int r)
{
    const int n = static_cast<int>(s.Strings(r).size());
    return s.GetRowAttribute(r) == raLineBreak ? n + 2 : n;
}

} // namespace

bool TEditor::AltKeyDown() const { return (GetAsyncKeyState(VK_MENU) & 0x8000) != 0; }

TEditorSelection TEditor::Selection() const
{
    TEditorSelection s;
    s.Box = selectionMode_ == smBox;
    s.StartRow = selStartRow_;
    s.EndRow = selEndRow_;
    s.StartByte = selStartByte_;
    s.EndByte = selEndByte_;
    s.StartCol = selStartCol_;
    s.EndCol = selEndCol_;
    return s;
}

void TEditor::SetSelectionFields(const TEditorSelection& sel)
{
    selStartRow_ = sel.StartRow;
    selEndRow_ = sel.EndRow;
    selStartByte_ = sel.StartByte;
    selEndByte_ = sel.EndByte;
    selStartCol_ = sel.StartCol;
    selEndCol_ = sel.EndCol;
}

void TEditor::StartSelection()
{
    if (Selected()) CleanSelection();
    if (Store().Count() == 0) return;
    const std::string_view text = Store().Strings(row_);
    selectionState_ = 1;
    anchorRow_ = row_;
    anchorByte_ = CellToByte(text, col_, CellRules());
    anchorCol_ = selectionMode_ == smBox ? col_ : std::min(col_, GetDisplayWidth(text));
    selStartRow_ = selEndRow_ = prevStartRow_ = prevEndRow_ = row_;
    selStartByte_ = anchorByte_;
    selEndByte_ = anchorByte_;
    selStartCol_ = selEndCol_ = prevStartCol_ = prevEndCol_ = anchorCol_;
}

void TEditor::BeginSelecting()
{
    if (selectionState_ != 1) return;
    // The caret-row underline stays hidden while a selection exists; the
    // hold is released by CleanSelection.
    UnderlineBeginUpdate();
    selectionState_ = 2;
    ExtendSelection();
}

void TEditor::UpdateSelection()
{
    if (selectionState_ == 1) BeginSelecting();
    else if (selectionState_ == 2) ExtendSelection();
}

void TEditor::ExtendSelection()
{
    if (selectionState_ != 2) return;
    SetSelectionFields(MakeSelection(Store(), anchorRow_, anchorCol_, row_, col_, selectionMode_ == smBox));
    RepaintSelection();
    DoSelectionChange(true);
}

void TEditor::Deselect()
{
    if (Selected()) CleanSelection();
}

void TEditor::RepaintSelection()
{
    if (selectionState_ == 2 && !bulk_ && HandleAllocated() && Showing()) {
        TCaretUpdate hold(this);
        const int n = Store().Count();
        const int tl = GetTextLeft(), rh = RowHeight(), right = ClientRect().right;
        const bool box = selectionMode_ == smBox;
        auto xOf = [&](int c) { return std::max(tl, tl + (c - leftCol_) * cellWidth_); };
        // The x span the painter highlights on a row for a range.
        auto span = [&](const std::string& text, int row, int sr, int sc, int er, int ec) {
            if (row < sr || row > er) return std::pair<int, int>{0, 0};
            if (box) {
                const RECT r = GetBoxCellRect(text, row, ec, sc);
                return std::pair<int, int>{static_cast<int>(r.left), static_cast<int>(r.right)};
            }
            if (sr == er) return std::pair<int, int>{xOf(sc), xOf(ec)};
            if (row == sr) return std::pair<int, int>{xOf(sc), right};
            if (row == er) return std::pair<int, int>{tl, xOf(ec)};
            return std::pair<int, int>{tl, right};
        };
        const int first = std::max({0, topRow_, std::min(prevStartRow_, selStartRow_)});
        const int last = std::min({n - 1, topRow_ + rowCount_, std::max(prevEndRow_, selEndRow_)});
        const int x = tl - pixelOffset_;
        for (int row = first; row <= last; ++row) {
            const std::string text = GetExpandedRow(row);
            auto [a, b] = span(text, row, prevStartRow_, prevStartCol_, prevEndRow_, prevEndCol_);
            auto [c, d] = span(text, row, selStartRow_, selStartCol_, selEndRow_, selEndCol_);
            const bool oldEmpty = b <= a, newEmpty = d <= c;
            if ((oldEmpty && newEmpty) || (a == c && b == d)) continue;
            const int y = GetTextTop() + (row - topRow_) * rh;
            auto paint = [&](int from, int to) {
                if (to > from) DrawRowWithSelection(RECT{from, y, to, y + rh}, x, row, text, y);
            };
            if (oldEmpty) {
                paint(c, d);
            } else if (newEmpty) {
                paint(a, b);
            } else {
                if (a != c) paint(std::min(a, c), std::max(a, c));
                if (b != d) paint(std::min(b, d), std::max(b, d));
            }
        }
    }
    prevStartRow_ = selStartRow_;
    prevStartCol_ = selStartCol_;
    prevEndRow_ = selEndRow_;
    prevEndCol_ = selEndCol_;
}

void TEditor::CleanSelection()
{
    const TSelectionMode mode = selectionMode_;
    boxLatch_ = false;
    SetSelectionMode(smNormal);
    if (mode == smBox && AltKeyDown()) SetSelectionMode(smBox);
    if (selectionState_ != 2) {
        // Anchored only: nothing painted and no underline hold to give back.
        selectionState_ = 0;
        return;
    }
    selectionState_ = 0;
    if (!bulk_ && HandleAllocated() && (selStartRow_ != selEndRow_ || selStartCol_ != selEndCol_)) {
        // A drag above the text leaves negative rows behind.
        const int s = std::max({0, topRow_, std::min(selStartRow_, topRow_ + rowCount_)});
        const int e = std::max({0, topRow_, std::min(selEndRow_, topRow_ + rowCount_)});
        const int tt = GetTextTop(), rh = RowHeight();
        const int top = std::max(tt, tt + (s - topRow_ - 1) * rh);
        const int bottom = tt + (e - topRow_ + 1) * rh;
        InvalidateRect(RECT{GetTextLeft(), top, ClientRect().right, bottom}, true);
        Update();
    }
    UnderlineEndUpdate();
    colRemembered_ = false;
    DoSelectionChange(false);
}

void TEditor::ToggleBoxMode()
{
    if (Selected()) return;
    SetSelectionMode(selectionMode_ == smBox ? smNormal : smBox);
    boxLatch_ = selectionMode_ == smBox;
}

void TEditor::EnterBoxSelection()
{
    if (selectionMode_ == smNormal) {
        SetSelectionMode(smBox);
        if (Selected()) {
            ExtendSelection();
            Invalidate();
        }
    }
    boxLatch_ = true;
}

bool TEditor::CanSelMove() const
{
    return !readOnly_ && Selected() && selectionMode_ == smNormal && caret_->SelMove();
}

bool TEditor::IsInSelection(int row, int col) const
{
    return Selected() && vellumo::IsInSelection(Store(), Selection(), row, col);
}

std::vector<TUnselectedRow> TEditor::GetUnselectedRows() const
{
    if (!Selected()) return {};
    return vellumo::GetUnselectedRows(Store(), Selection());
}

void TEditor::DeleteSelection()
{
    if (!HandleAllocated() || !Selected() || readOnly_) return;
    const auto edit = DeleteSelectionEdit(Store(), Selection());
    if (!edit) {
        CleanSelection();  // a selection on no row: nothing to remove
        return;
    }
    ApplyRowsEdit(*edit, selStartRow_ != selEndRow_);
}

void TEditor::SelectAll()
{
    TCaretUpdate hold(this);
    SetSelStart(0);
    SetSelLength(GetTextLength());
}

// ---- row selection from the left bar

void TEditor::StartRowSelection(int row)
{
    const int n = Store().Count();
    if (n == 0) return;
    int r = std::max(0, std::min(row, n));
    if (r == n && GetRowAttribute(n - 1) == raEof) r = n - 1;
    if (r < n && GetRowAttribute(r) == raEof) {
        SetCaretRowCol(r, GetRowWidth(r));
        StartSelection();
        SetCaretRowCol(r, 0);
        BeginSelecting();
        rowSelStart_ = rowSelEnd_ = r;
        rowSelAtLast_ = true;
    } else {
        SetCaretRowCol(r, 0);
        StartSelection();
        SetCaretRowCol(r + 1, 0);
        BeginSelecting();
        rowSelStart_ = r;
        rowSelEnd_ = r + 1;
        rowSelAtLast_ = false;
    }
    SetCaretRowCol(r, 0);
    rowSelecting_ = true;
}

void TEditor::ExtendRowSelection(int row)
{
    if (!rowSelecting_) return;
    const int n = Store().Count();
    int r = std::max(0, std::min(row, n));
    if (n > 0 && r == n && GetRowAttribute(n - 1) == raEof) r = n - 1;
    const int s = rowSelStart_;
    if (r < s) {
        if (s < rowSelEnd_) {
            rowSelStart_ = s + 1;
            SetCaretRowCol(s + 1, 0);
            StartSelection();
        }
        SetCaretRowCol(r, 0);
    } else {
        if (rowSelEnd_ < s && !rowSelAtLast_) {
            rowSelStart_ = s - 1;
            SetCaretRowCol(s - 1, 0);
            StartSelection();
        }
        if (r >= n || GetRowAttribute(r) != raEof) {
            ++r;
            SetCaretRowCol(r, 0);
        } else if (rowSelAtLast_) {
            SetCaretRowCol(r, 0);
        } else {
            SetCaretRowCol(r, GetRowWidth(r));
        }
    }
    rowSelEnd_ = r;
    UpdateSelection();
}

// ---- tokens under a point

namespace {

struct TTokenAt {
    int FirstRow = 0;  // the logical line's first row
    int Pos = 0;       // the token's offset in the line
    int Kind = 0;
    std::string Text;
};

// The token of the logical line holding (row, byte) that covers that byte.
bool FindTokenAt(const TEditorScreenStrings& s, const TEditorViewInfo* view, int row, int byte, bool useRowState,
                 TTokenAt& out)
{
    out.FirstRow = s.FirstRowOfLine(row);
    std::string line;
    int p = byte;
    for (int r = out.FirstRow; r < s.Count(); ++r) {
        if (r < row) p += static_cast<int>(s.Strings(r).size());
        line += s.Strings(r);
        if (s.GetRowAttribute(r) != raWrapped) break;
    }
    const int state = useRowState ? s.GetBracketState(out.FirstRow) : kBracketUnknown;
    auto scan = [&](TEditorParser& parser) {
        for (; parser.TokenKind() != tkEnd; parser.NextToken()) {
            const int pos = parser.TokenPos();
            const int len = static_cast<int>(parser.TokenText().size());
            if (pos <= p && p <= pos + len - 1) {
                out.Pos = pos;
                out.Kind = parser.TokenKind();
                out.Text = std::string(parser.TokenText());
                return true;
            }
        }
        return false;
    };
    if (view) {
        TEditorParser parser = TEditorParser::CreateWithState(line, view, state);
        return scan(parser);
    }
    TEditorParser parser(line);
    return scan(parser);
}

} // namespace

bool TEditor::GetTokenAt(POINT pt, bool withView, int& kind, bool useRowState, std::string& text) const
{
    kind = 0;
    text.clear();
    int row = 0, byte = 0;
    TTokenAt t;
    if (!PointToRowByte(pt, row, byte) || !FindTokenAt(Store(), withView ? &View() : nullptr, row, byte, useRowState, t))
        return false;
    kind = t.Kind;
    text = t.Text;
    return true;
}

bool TEditor::SelectTokenAt(POINT pt, bool withView, bool useRowState)
{
    int row = 0, byte = 0;
    TTokenAt t;
    if (!PointToRowByte(pt, row, byte) || !FindTokenAt(Store(), withView ? &View() : nullptr, row, byte, useRowState, t))
        return false;
    SetCaretRowOffset(t.FirstRow, t.Pos);
    SetSelLength(static_cast<long long>(t.Text.size()));
    return true;
}

int TEditor::GetTokenKindAt(POINT pt) const
{
    int kind = 0;
    std::string text;
    GetTokenAt(pt, true, kind, false, text);
    return kind;
}

std::string TEditor::GetTokenTextAt(POINT pt) const
{
    int kind = 0;
    std::string text;
    GetTokenAt(pt, true, kind, false, text);
    return text;
}

std::string TEditor::GetWordTextAt(POINT pt) const
{
    int kind = 0;
    std::string text;
    GetTokenAt(pt, false, kind, false, text);
    return text;
}

// ---- character offsets

long long TEditor::SelStart() const
{
    const TEditorScreenStrings& s = Store();
    if (s.Count() == 0) return 0;
    int row = row_, byte = 0;
    if (Selected()) {
        row = selStartRow_;
        byte = selStartByte_;
    } else {
        byte = CellToByte(s.Strings(row), col_, CellRules());
    }
    long long o = 0;
    for (int r = 0; r < row && r < s.Count(); ++r) o += RowSpan(s, r);
    return o + byte;
}

long long TEditor::SelLength() const
{
    return Selected() ? GetSelLength(Store(), Selection()) : 0;
}

std::string TEditor::SelText() const { return Selected() ? vellumo::GetSelText(Store(), Selection()) : std::string(); }

void TEditor::SetSelStart(long long n)
{
    if (selectionState_ != 0) CleanSelection();
    const TEditorScreenStrings& s = Store();
    if (s.Count() == 0) return;
    if (n <= 0) {
        SetRow(0);
        SetCol(0);
        return;
    }
    int row = 0, byte = 0;
    if (OffsetToRowByte(s, n, row, byte)) {
        SetRow(row);
        const std::string_view t = s.Strings(row);
        SetCol(std::min(ByteToCell(t, byte, CellRules()), GetDisplayWidth(t)));
    } else {
        SetRow(s.Count());
        SetCol(GetRowWidth(row_));
    }
}

void TEditor::SetSelLength(long long n)
{
    const TEditorScreenStrings& s = Store();
    if (s.Count() == 0) return;
    if (selectionMode_ == smBox) SetSelectionMode(smNormal);
    if (n <= 0) {
        if (Selected()) {
            SetCaretRowCol(selStartRow_, selStartCol_);
            CleanSelection();
        }
        return;
    }
    {
        caretRefreshHeld_ = true;
        struct TRelease {
            TEditor& e;
            ~TRelease() { e.caretRefreshHeld_ = false; }
        } release{*this};
        if (Selected()) {
            const int r = selStartRow_, c = selStartCol_;
            CleanSelection();
            SetRow(r);
            SetCol(c);
        }
        StartSelection();
        int r = row_;
        int b = CellToByte(s.Strings(r), col_, CellRules());
        long long rem = n;
        int end = b;
        for (;;) {
            if (r >= s.Count()) {
                r = s.Count();
                end = 0;
                break;
            }
            const int len = static_cast<int>(s.Strings(r).size());
            const long long avail = RowSpan(s, r) - b;
            if (rem < avail || s.GetRowAttribute(r) == raEof) {
                end = static_cast<int>(std::min<long long>(b + rem, len));
                break;
            }
            rem -= avail;
            ++r;
            b = 0;
        }
        SetRow(r);
        const std::string_view t = s.Strings(row_);
        SetCol(std::min(ByteToCell(t, row_ == r ? end : 0, CellRules()), GetDisplayWidth(t)));
    }
    RefreshCaret();
    UpdateSelection();
}

void TEditor::SelectPlaces(const TTextPlace& from, const TTextPlace& to, TSelectionMode mode, bool latch)
{
    if (Selected() || Anchored()) CleanSelection();
    // The mode first: a box may let the caret stand past a line's end.
    SetSelectionMode(mode);
    boxLatch_ = latch && mode == smBox;
    SetCaretPlace(from);
    StartSelection();
    SetCaretPlace(to);
    UpdateSelection();
}

void TEditor::CaretToSelStart()
{
    if (!Selected()) return;
    SetRow(selStartRow_);
    SetCol(selStartCol_);
}

} // namespace vellumo
