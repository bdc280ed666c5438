// Caret placement, column normalisation and scrolling of the editor.
#include "editor/editor_win.h"

#include "classlib/ime_win.h"

#include <imm.h>

#include <algorithm>

#include "editor/sjisutil.h"

namespace vellumo {

namespace {

char CellAt(const std::string& classes, int col)
{
    return col >= 0 && static_cast<std::size_t>(col) < classes.size() ? classes[static_cast<std::size_t>(col)] : 0;
}

} // namespace

int TEditor::LimitRowToText(int r) const
{
    const int n = Store().Count();
    r = std::max(0, std::min(r, n));
    if (r == n && r > 0 && Store().GetRowAttribute(n - 1) == raEof) --r;
    return r;
}

bool TEditor::IsLongRowSplitLead() const
{
    if (WordWrap()) return false;
    const int n = Store().Count();
    if (n == 0 || row_ >= n) return false;
    const std::string_view t = Store().Strings(row_);
    return t.size() >= 8001 && IsLeadByteAt(t, 8000);
}

void TEditor::SetCol(int c)
{
    c = std::max(0, std::min(c, IsLongRowSplitLead() ? kMaxCols + 1 : kMaxCols));
    if (!WordWrap() && caret_->FreeCaret() && c > WidestRow() + 1) c = std::max(0, std::min(c, leftCol_ + colCount_ - 1));
    if (ruler_->Visible()) EraseRulerMarker(col_);
    const int old = col_;
    col_ = c;
    NormalizeCol(false, c > old ? 1 : -1);
    if (ruler_->Visible()) DrawRulerMarker(col_);
}

void TEditor::SetRow(int r)
{
    if (r == row_ && row_ != Store().Count()) return;
    TUnderlineUpdate hold(this);
    const int oldCol = col_;
    row_ = LimitRowToText(r);
    NormalizeCol(true, -1);
    if (ruler_->Visible() && col_ != oldCol) {
        EraseRulerMarker(oldCol);
        DrawRulerMarker(col_);
    }
}

const std::string& TEditor::CaretRowClasses()
{
    // A caret move asks several times for the same row; a replace-all moves
    // the caret a million times.
    const std::string_view text = Store().Strings(row_);
    const TCellRules rules = CellRules();
    // Only the bytes the classes depend on are kept and compared.
    const std::string_view counted = text.substr(0, std::min(text.size(), CellClassBytes(rules)));
    if (counted != cellText_ || rules.TabWidth != cellRules_.TabWidth || rules.WrapWidth != cellRules_.WrapWidth ||
        !(rules.Delimiters == cellRules_.Delimiters)) {
        vellumo::GetCellClasses(text, rules, cellScratch_);
        cellText_ = counted;
        cellRules_ = rules;
    }
    return cellScratch_;
}

void TEditor::NormalizeCol(bool vertical, int direction)
{
    if (!vertical) colRemembered_ = false;
    else if (colRemembered_) col_ = rememberedCol_;
    auto remember = [&](int v) {
        if (vertical && !colRemembered_) {
            rememberedCol_ = v;
            colRemembered_ = true;
        }
    };
    const std::string& classes = CaretRowClasses();
    const int width = static_cast<int>(classes.size());
    if (!caret_->FreeCaret() && col_ > width) {
        // Asked only when it matters: each question is a trip to the window system.
        const bool leftDown = caret_->KeepCaret() && !bulk_ && MouseCaptured() && GetKeyState(VK_LBUTTON) < 0;
        remember(leftDown ? width : col_);
        col_ = width;
    }
    if (CellAt(classes, col_) == '5') {
        remember(col_);
        col_ += direction;
    }
    if (!caret_->InTab() && CellAt(classes, col_) == '3') {
        remember(col_);
        while (col_ > 0 && CellAt(classes, col_) == '3') col_ += direction;
    }
    if (WordWrap() && col_ >= width) {
        remember(col_);
        const int wrapByte = WrapOption().WrapByte();
        if (GetRowAttribute(row_) == raWrapped && Store().Count() > 0) col_ = width - 1;
        else if (col_ >= wrapByte) col_ = std::max(width, wrapByte - 1);
        if (CellAt(classes, col_) == '5') --col_;
        if (!caret_->InTab())
            while (col_ > 0 && CellAt(classes, col_) == '3') --col_;
    }
    if (!WordWrap() && col_ > kMaxCols && CellAt(classes, col_ - 1) != '5') {
        remember(col_);
        col_ = kMaxCols;
    }
    col_ = std::max(0, col_);  // an empty wrapped row must not give -1
    if (!caretRefreshHeld_) RefreshCaret();
}

void TEditor::SetCaretRowCol(int row, int col)
{
    if (row == row_ && col == col_) return;
    caretRefreshHeld_ = true;
    struct TRelease {
        TEditor& e;
        ~TRelease()
        {
            e.caretRefreshHeld_ = false;
            e.RefreshCaret();
        }
    } release{*this};
    SetRow(row);
    const std::string& classes = CaretRowClasses();
    if (CellAt(classes, col) == '5') --col;
    if (!caret_->InTab())
        while (col > 0 && CellAt(classes, col) == '3') --col;
    SetCol(col);
}

void TEditor::SetCaretRowOffset(int fromRow, int offset)
{
    int row = 0, col = 0;
    RowOffsetToRowCol(Store(), fromRow, offset, row, col);
    SetCaretRowCol(LimitRowToText(row), col);
}

TTextPlace TEditor::TextPlaceAt(int row, int col) const
{
    const TEditorScreenStrings& s = Store();
    row = std::clamp(row, 0, s.Count());
    col = std::max(0, col);
    TTextPlace p;
    p.Line = RowToLine(row);
    p.Byte = std::max(0, GetLineCharPos(row, col));
    // Only a line's last row has room past its end.
    if (row >= s.Count() || s.GetRowAttribute(row) != raWrapped) p.Beyond = std::max(0, col - GetRowWidth(row));
    return p;
}

void TEditor::PlaceToRowCol(const TTextPlace& place, int& row, int& col) const
{
    const TEditorScreenStrings& s = Store();
    const int n = s.Count();
    row = LimitRowToText(LineToRow(std::max(0, place.Line)));
    int byte = std::max(0, place.Byte);
    // Within the line's rows only: a byte past its end stays on its last row.
    while (row < n - 1 && s.GetRowAttribute(row) == raWrapped && byte >= static_cast<int>(s.Strings(row).size())) {
        byte -= static_cast<int>(s.Strings(row).size());
        ++row;
    }
    const std::string_view text = row < n ? s.Strings(row) : std::string_view{};
    col = ByteToCell(text, std::min(byte, static_cast<int>(text.size())), CellRules());
    if (row >= n || s.GetRowAttribute(row) != raWrapped) col += std::max(0, place.Beyond);
}

void TEditor::SetCaretPlace(const TTextPlace& place)
{
    int row = 0, col = 0;
    PlaceToRowCol(place, row, col);
    SetCaretRowCol(row, col);
}

void TEditor::CaretBeginUpdate()
{
    if (caretHideCount_++ == 0) HideEditorCaret();
}

void TEditor::CaretEndUpdate()
{
    if (caretHideCount_ == 0) return;
    if (--caretHideCount_ == 0) ShowEditorCaret();
}

void TEditor::HideEditorCaret()
{
    if (HandleAllocated() && Focused() && caretShown_) {
        HideCaret(Handle());
        caretShown_ = false;
    }
}

void TEditor::ShowEditorCaret()
{
    if (caretHideCount_ != 0 || !HandleAllocated() || !Focused() || caretShown_) return;
    if (row_ < topRow_ || row_ > topRow_ + rowCount_ || col_ < leftCol_ || col_ > leftCol_ + colCount_) return;
    caretShown_ = true;
    ShowCaret(Handle());
}

void TEditor::CreateEditorCaret()
{
    if (!HandleAllocated() || !Focused()) return;
    HideEditorCaret();
    DestroyCaret();
    caretShown_ = false;
    const int w = std::max(1, cellWidth_ - margin_->Character());
    const bool wide = CellAt(GetCellClasses(Store().Strings(row_)), col_) == '4';
    int cw, ch;
    if (overWrite_) {
        cw = wide ? 2 * w : w;
        ch = cellHeight_;
    } else if (caret_->Style() == csBrief) {
        cw = wide ? 2 * w : w;
        ch = 2;
    } else {
        cw = 2;
        ch = cellHeight_;
    }
    CreateCaret(Handle(), nullptr, cw, ch);
}

POINT TEditor::GetCaretPixelPos() const
{
    POINT p{GetTextLeft() + (col_ - leftCol_) * cellWidth_, GetTextTop() + (row_ - topRow_) * RowHeight()};
    if (caret_->Style() == csBrief && !overWrite_) p.y += cellHeight_ - 2;
    return p;
}

void TEditor::UpdateCaretPos()
{
    if (!HandleAllocated() || !Focused()) return;
    const POINT p = GetCaretPixelPos();
    SetCaretPos(p.x, p.y);
    if (keyRepeat_) imeMovePending_ = true;
    else UpdateImeWindow();
    if (OnCaretMoved) OnCaretMoved(*this);
}

void TEditor::UpdateImeWindow()
{
    imeMovePending_ = false;
    if (!HandleAllocated()) return;
    TImeContext imc(Handle());
    if (!imc) return;
    COMPOSITIONFORM cf{};
    cf.dwStyle = CFS_POINT;
    cf.ptCurrentPos.x = GetTextLeft() + (col_ - leftCol_) * cellWidth_;
    cf.ptCurrentPos.y = GetTextTop() + (row_ - topRow_) * RowHeight();
    InputMethod().SetCompositionWindow(imc.Get(), cf);
    LOGFONTA lf{};
    if (GetObjectA(FontHandle(Font()), sizeof(lf), &lf)) InputMethod().SetCompositionFontA(imc.Get(), lf);
}

void TEditor::ScrollCaret()
{
    if (!HandleAllocated() || !Focused()) return;
    if (row_ < topRow_) SetTopRow(row_);
    else if (row_ > topRow_ + rowCount_ - 1) SetTopRow(row_ - rowCount_ + 1);
    if (col_ < leftCol_) SetLeftCol(col_);
    else if (col_ > leftCol_ + colCount_ - 1)
        SetLeftCol(std::min(std::max(col_ - colCount_ + 1, leftCol_), maxCol_ - colCount_ / 2));
}

void TEditor::ScrollCaretIntoView()
{
    if (row_ < topRow_ || row_ > topRow_ + rowCount_ - 1) SetTopRow(row_ - rowCount_ / 3);
    if (col_ < leftCol_ || col_ > leftCol_ + colCount_ - 1) SetLeftCol(col_ - colCount_ / 3);
}

void TEditor::RefreshCaret()
{
    if (bulk_) {
        bulkCaret_ = true;
        return;
    }
    CreateEditorCaret();
    ScrollCaret();
    UpdateCaretPos();
    ShowEditorCaret();
}

void TEditor::UpdateCaret()
{
    CreateEditorCaret();
    UpdateCaretPos();
    ShowEditorCaret();
}

void TEditor::SetTopRow(int t)
{
    if (!HandleAllocated()) return;
    TCaretUpdate hold(this, true);
    t = std::max(0, std::min(t, Store().Count()));
    const int old = topRow_;
    topRow_ = t;
    const int limit = rowCount_ + 1;
    const int d = std::max(-limit, std::min(old - t, limit));
    if (d == 0) return;
    RECT band{0, GetTextTop(), ClientWidth(), ClientHeight()};
    ScrollWindowRect(0, d * RowHeight(), &band, &band);
    SetScrollPos(Handle(), SB_VERT, topRow_, TRUE);
    if (keyRepeat_) imeMovePending_ = true;
    else UpdateImeWindow();
    DoTopRowChange();
}

void TEditor::SetLeftCol(int c)
{
    if (!HandleAllocated()) return;
    if (ruler_->Visible()) EraseRulerMarker(col_);
    {
        TCaretUpdate caret(this);
        c = std::max(0, std::min(c, maxCol_ - colCount_ / 2));
        const int old = leftCol_;
        leftCol_ = c;
        const int dx = (old - c) * cellWidth_;
        if (dx != 0) {
            RECT band{GetTextLeft(), 0, ClientWidth(), ClientHeight()};
            ScrollWindowRect(dx, 0, &band, &band);
            SetScrollPos(Handle(), SB_HORZ, leftCol_, TRUE);
            if (keyRepeat_) imeMovePending_ = true;
            else UpdateImeWindow();
            DoTopColChange();
        }
    }
    pixelOffset_ = leftCol_ * cellWidth_;
    if (ruler_->Visible()) DrawRulerMarker(col_);
}

void TEditor::ScrollWindowRect(int dx, int dy, const RECT* clip, const RECT* scroll)
{
    TUnderlineUpdate hold(this);
    if (scroll) Update();
    pixelOffset_ -= dx;
    RECT uncovered{};
    ScrollWindowEx(Handle(), dx, dy, scroll, clip, nullptr, &uncovered, SW_SCROLLCHILDREN);
    InvalidateRect(uncovered, false);
    Update();
}

void TEditor::ScrollRows(int fromRow, int delta)
{
    if (!HandleAllocated()) return;
    TCaretUpdate hold(this, true);
    const int first = std::min(std::max(topRow_, fromRow), topRow_ + rowCount_);
    const int limit = rowCount_ + 1;
    delta = std::max(-limit, std::min(delta, limit));
    // The left bar stays: row numbers belong to screen places, and the
    // updater repaints those that change.
    const int left = leftbar_->Visible() ? leftbarWidth_ : 0;
    RECT band{left, GetTextTop() + (first - topRow_) * RowHeight(), ClientWidth(), ClientHeight()};
    ScrollWindowRect(0, delta * RowHeight(), &band, &band);
}

void TEditor::PageScroll(int delta)
{
    if (topRow_ == 0 && delta < 0) {
        SetRow(0);
        return;
    }
    if (delta > 0 && (topRow_ >= Store().Count() || GetRowAttribute(topRow_) == raEof)) return;
    TCaretUpdate caret(this);
    const int oldTop = topRow_, oldRow = row_;
    SetTopRow(std::max(0, std::min(topRow_ + delta, Store().Count())));
    SetRow(oldRow + topRow_ - oldTop);
}

void TEditor::UpdateScrollRanges()
{
    if (!HandleAllocated()) return;
    const int n = Store().Count();
    const bool eof = n > 0 && Store().GetRowAttribute(n - 1) == raEof;
    vMax_ = std::max(0, n + rowCount_ - (eof ? 2 : 1));
    if (n == 0) {
        ResetWidestRow();
        leftCol_ = 0;
    }
    maxCol_ = WordWrap() ? WrapOption().WrapByte() + 2 : WidestRow();
    topRow_ = std::min(topRow_, vMax_);
    leftCol_ = std::min(leftCol_, maxCol_);
    pixelOffset_ = leftCol_ * cellWidth_;
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_ALL | SIF_DISABLENOSCROLL;
    if (scrollBars_ == ssVertical || scrollBars_ == ssBoth) {
        si.nMin = 0;
        si.nMax = vMax_;
        si.nPage = static_cast<UINT>(rowCount_);
        si.nPos = topRow_;
        si.nTrackPos = topRow_;
        SetScrollInfo(Handle(), SB_VERT, &si, TRUE);
    }
    if (scrollBars_ == ssHorizontal || scrollBars_ == ssBoth) {
        si.nMin = 0;
        si.nMax = maxCol_ + (WordWrap() ? 0 : 4);
        si.nPage = static_cast<UINT>(colCount_);
        si.nPos = leftCol_;
        si.nTrackPos = leftCol_;
        SetScrollInfo(Handle(), SB_HORZ, &si, TRUE);
    }
}

LRESULT TEditor::VScrollMessage(int code)
{
    int step;
    switch (code) {
    case SB_LINEUP: step = -1; break;
    case SB_LINEDOWN: step = 1; break;
    case SB_PAGEUP: step = std::min(-1, 1 - rowCount_); break;
    case SB_PAGEDOWN: step = std::max(1, rowCount_ - 1); break;
    case SB_TOP: step = -topRow_; break;
    case SB_BOTTOM: step = vMax_ - topRow_; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: {
        SCROLLINFO si{};
        si.cbSize = sizeof(si);
        si.fMask = SIF_TRACKPOS;
        if (!HandleAllocated() || !GetScrollInfo(Handle(), SB_VERT, &si)) return 0;
        step = si.nTrackPos - topRow_;
        break;
    }
    default: return 0;
    }
    step = std::max(-topRow_, std::min(step, vMax_ - topRow_));
    const int n = Store().Count();
    if (step > 0 && n > 0 && Store().GetRowAttribute(n - 1) == raEof && topRow_ + step > n - 1)
        step = std::max(0, n - 1 - topRow_);
    if (step != 0) {
        SetTopRow(topRow_ + step);
        if (caret_->LockScroll()) SetRow(row_ + step);
    }
    UpdateCaret();
    return 0;
}

LRESULT TEditor::HScrollMessage(int code, int pos)
{
    int step;
    switch (code) {
    case SB_LINELEFT: step = -1; break;
    case SB_LINERIGHT: step = 1; break;
    case SB_PAGELEFT: step = std::min(-1, -colCount_); break;
    case SB_PAGERIGHT: step = std::max(1, colCount_); break;
    case SB_LEFT: step = -leftCol_; break;
    case SB_RIGHT: step = colCount_ / 2 + maxCol_ - leftCol_; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: step = pos - leftCol_; break;
    default: return 0;
    }
    step = std::max(-leftCol_, std::min(step, colCount_ / 2 + maxCol_ - leftCol_));
    if (step > 0) {
        const int limit = WordWrap() ? WrapOption().WrapByte() - colCount_ + 3 : WidestRow() - colCount_ + 5;
        if (leftCol_ + step > limit) step = limit - leftCol_;
    }
    if (step != 0) SetLeftCol(leftCol_ + step);
    return 0;
}

} // namespace vellumo
