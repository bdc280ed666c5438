// Painting of the editor's text area: rows coloured by the tokenizer,
// selection backgrounds, marks, the caret-row underline and guide lines.
#include <algorithm>
#include <utility>

#include "editor/cells.h"
#include "editor/editor_win.h"
#include "editor/parser.h"
#include "editor/sjisutil.h"
#include "editor/tokencolor.h"

namespace vellumo {

namespace {

bool Intersects(const RECT& a, const RECT& b)
{
    RECT r;
    return IntersectRect(&r, &a, &b) != 0;
}

// Cells of a long unwrapped row read past the view's right edge: a token that
// starts in view and a mail or link run are decided by what follows them.
constexpr int kPaintLookahead = 4096;

} // namespace

void TEditor::FixedTextOut(TCanvas& canvas, const RECT& rect, int x, UINT options, std::string_view text, int y)
{
    if (!Showing()) return;
    // The advance array holds 8001 entries: never hand the system more bytes.
    if (text.size() > static_cast<std::size_t>(kMaxCols))
        text = text.substr(0, IsLeadByteAt(text, kMaxCols) ? kMaxCols + 1 : kMaxCols);
    canvas.ExtTextOut(x, y, options, &rect, text, advances_.data(), advances_.size());
}

void TEditor::Paint()
{
    PaintRect(Canvas().ClipRect());
    DrawVerticalLines();
}

void TEditor::PaintRect(const RECT& clip)
{
    if (!Showing()) return;
    const RECT client = ClientRect();
    const int tl = GetTextLeft(), tt = GetTextTop(), rh = RowHeight(), cw = cellWidth_;
    const RECT corner{0, 0, tl, tt};
    const RECT ruler{tl, 0, client.right, rulerHeight_};
    const RECT leftbar{0, tt, leftbarWidth_, client.bottom};
    const RECT textArea{tl, tt, client.right, client.bottom};
    const bool underline = marks_->Underline().Visible() && underlineHideCount_ == 0 && GetUnderlineY(row_) != -1;

    RECT r = clip;
    r.left = std::max(tl, tl + cw * ((static_cast<int>(r.left) - tl) / cw));
    r.top = std::max(tt, static_cast<int>(r.top));
    r.top = tt + ((r.top - tt) / rh) * rh;
    r.bottom = std::max(r.bottom, r.top);
    r.bottom = tt + ((r.bottom - tt + rh - 1) / rh) * rh;
    const int first = (r.top - tt) / rh + topRow_;
    const int last = first + (r.bottom - r.top) / rh - 1;

    {
        TCaretUpdate hold(this);
        TCanvas& canvas = Canvas();
        if (Intersects(clip, corner) && !corner_->Empty()) canvas.Draw(0, 0, *corner_);
        if (ruler_->Visible() && Intersects(clip, ruler)) PaintRuler();
        if (leftbar_->Visible() && Intersects(clip, leftbar)) PaintLeftbar(first, last);
        if (Intersects(clip, textArea)) {
            const int n = Store().Count();
            const int x = tl - pixelOffset_;
            RECT rowRect{r.left, r.top, r.right, r.top + rh};
            // Without word wrap at most the first 8000 cells of a row show:
            // a longer row is expanded, tokenized and overlaid only up to a
            // stretch past the right edge, so a key costs the same in any row.
            // A wrapped row is short and is painted whole.
            const int shownCells = std::min(kMaxCols + 1, (static_cast<int>(r.right) - x + cw - 1) / cw + 1);
            const std::size_t cells = static_cast<std::size_t>(std::max(0, shownCells) + kPaintLookahead);
            for (int row = first; row <= last; ++row) {
                const int y = rowRect.top;
                if (row >= 0 && row < n) {
                    if (WordWrap()) GetExpandedRow(row, paintRow_);
                    else GetExpandedRowPrefix(Store(), row, cells, paintRow_);
                    const std::string& text = paintRow_;
                    if (selectionState_ == 2) DrawRowWithSelection(rowRect, x, row, text, y);
                    else DrawRow(rowRect, x, row, text, y);
                } else {
                    canvas.Brush().SetColor(Color());
                    canvas.FillRect(rowRect);
                    if (marks_->EofMark().Visible() && row == n && (n == 0 || Store().GetRowAttribute(n - 1) != raEof))
                        DrawEofMark(x, y);
                }
                OffsetRect(&rowRect, 0, rh);
            }
        }
    }
    if (underline) DrawUnderline(row_);
}

const TEditorColor* TEditor::TokenElement(int kind, std::string_view token, int bracketIndex) const
{
    const TEditorColors& colors = view_->Colors();
    int at = 0;
    if (IsKeywordTokenKind(kind) && reserveWordList_.Count() > 0 && reserveWordList_.Find(token, at))
        return &colors.Reserve();
    switch (TokenColorOf(kind)) {
    case TTokenColor::Symbol: return &colors.Symbol();
    case TTokenColor::Str: return &colors.Str();
    case TTokenColor::Int: return &colors.Int();
    case TTokenColor::Bracket:
        return bracketIndex >= 0 && bracketIndex < view_->Brackets().Count() ? &view_->Brackets()[bracketIndex].ItemColor()
                                                                             : nullptr;
    case TTokenColor::Comment: return &colors.Comment();
    case TTokenColor::Ank: return &colors.Ank();
    case TTokenColor::Dbcs: return &colors.DBCS();
    case TTokenColor::Own: break;
    }
    return nullptr;
}

// A wrapped row is tokenized together with its wrapped neighbours, so a
// token cut by the wrap keeps its colour; the drawing stays clipped to the
// row itself. Returns the bracket state the joined text starts in.
int TEditor::JoinWrappedNeighbours(int row, std::string& text, int& x, RECT& rect, RECT& clip)
{
    int state = Store().GetBracketState(row);
    if (!WordWrap()) return state;
    const int cw = cellWidth_;
    if (row > 0 && Store().GetRowAttribute(row - 1) == raWrapped) {
        state = Store().GetBracketState(row - 1);
        const std::string prev = GetExpandedRow(row - 1);
        text.insert(0, prev);
        x -= static_cast<int>(prev.size()) * cw;
    }
    if (Store().GetRowAttribute(row) == raWrapped && row < Store().Count() - 1) {
        const int end = x + static_cast<int>(text.size()) * cw;
        rect.right = std::min(static_cast<int>(rect.right), end);
        clip.right = std::min(static_cast<int>(clip.right), end);
        text += GetExpandedRow(row + 1);
    }
    return state;
}

void TEditor::DrawRow(RECT rect, int x, int row, const std::string& rowText, int y)
{
    DrawRowText(rect, x, row, rowText, y, false);
}

void TEditor::DrawSelectedRow(RECT rect, int x, int row, const std::string& rowText, int y)
{
    DrawRowText(rect, x, row, rowText, y, true);
}

// The row's background and plain text first; then each token that looks
// otherwise is drawn again over it. A selected row keeps the selection's
// colours and only takes the tokens' styles.
void TEditor::DrawRowText(RECT rect, int x, int row, const std::string& rowText, int y, bool selected)
{
    if (!Showing()) return;
    std::string joined;  // a wrapped row is read with its neighbours, in a copy
    const std::string& text = WordWrap() && !rowText.empty() ? (joined = rowText) : rowText;
    if (Store().GetBracketState(row) == kBracketUnknown) Store().RepropagateBrackets(row, false);
    const TEditorColor& sel = view_->Colors().Select();
    const int cw = cellWidth_, tl = GetTextLeft();
    TCanvas& canvas = Canvas();
    canvas.Font().Assign(Font());
    if (selected) canvas.Font().SetColor(sel.Color());
    canvas.Brush().SetColor(selected ? sel.BkColor() : Color());
    if (italicInUse_) canvas.FillRect(rect);
    else FixedTextOut(canvas, rect, x, ETO_OPAQUE | ETO_CLIPPED, text, y);
    if ((static_cast<long long>(text.size()) + 5) * cw < pixelOffset_) return;
    RECT clip = rect;
    clip.right = std::min(static_cast<int>(rect.right), tl + cw * kMaxCols - pixelOffset_);
    if (!text.empty()) {
        const int state = JoinWrappedNeighbours(row, joined, x, rect, clip);
        TEditorParser parser = TEditorParser::CreateWithState(text, view_.get(), state);
        const COLORREF fontRgb = ColorToRGB(Font().Color());
        const COLORREF backRgb = ColorToRGB(Color());
        for (; parser.TokenKind() != tkEnd; parser.NextToken()) {
            const std::string_view token = parser.TokenText();
            const TEditorColor* el = TokenElement(parser.TokenKind(), token, parser.BracketIndex());
            const int tx = x + parser.TokenPos() * cw;
            if (tx > clip.right) break;
            if (tx + cw * static_cast<int>(token.size()) < tl) continue;
            const TFontStyles style = el ? el->Style() : Font().Style();
            TColor color = sel.Color(), back = sel.BkColor();
            // In italics the row was only filled: every token is drawn, on a
            // clear brush where the background already is the right one.
            bool clearBrush = italicInUse_;
            if (!selected) {
                color = el ? el->Color() : Font().Color();
                back = el ? el->BkColor() : Color();
                clearBrush = italicInUse_ && ColorToRGB(back) == backRgb;
            }
            const bool differs = selected ? style != Font().Style()
                                          : el && (ColorToRGB(color) != fontRgb || ColorToRGB(back) != backRgb ||
                                                   style != Font().Style());
            if (!italicInUse_ && !differs) continue;
            canvas.Font().SetColor(color);
            canvas.Font().SetStyle(style);
            if (clearBrush) canvas.Brush().SetStyle(bsClear);
            else canvas.Brush().SetColor(back);
            FixedTextOut(canvas, clip, tx, ETO_CLIPPED, token, y);
        }
    }
    DoDrawLine(text, x, y, row, rect, selected);
    DrawRowEndMark(row, x + static_cast<int>(text.size()) * cw, y, rect, selected);
}

// The end-of-text or line-break mark after a row's text, when it fits.
void TEditor::DrawRowEndMark(int row, int x, int y, const RECT& rect, bool selected)
{
    if (x >= rect.right) return;
    const TEditorRowAttribute attr = Store().GetRowAttribute(row);
    if (marks_->EofMark().Visible() && row == Store().Count() - 1 && attr == raEof) DrawEofMark(x, y);
    else if (marks_->RetMark().Visible() && attr == raLineBreak) {
        if (selected) DrawSelectedRetMark(x, y);
        else DrawRetMark(x, y);
    }
}

RECT TEditor::GetBoxCellRect(const std::string& text, int row, int toCol, int fromCol) const
{
    const int len = static_cast<int>(text.size());
    const int tl = GetTextLeft();
    auto xOf = [&](int c) {
        c = std::max(0, std::min(c, len));
        int x = tl + c * cellWidth_ - pixelOffset_;
        if (IsTrailByteAt(text, c + 1)) x += cellWidth_;
        return std::max(tl, x);
    };
    const int y = GetTextTop() + (row - topRow_) * RowHeight();
    return RECT{xOf(fromCol), y, xOf(toCol), y + RowHeight()};
}

void TEditor::DrawRowWithSelection(RECT rect, int x, int row, const std::string& text, int y)
{
    auto piece = [&](RECT p, bool selected) {
        RECT r;
        if (p.right <= p.left || !IntersectRect(&r, &p, &rect)) return;
        if (selected) DrawSelectedRow(r, x, row, text, y);
        else DrawRow(r, x, row, text, y);
    };
    if (row < selStartRow_ || row > selEndRow_) {
        DrawRow(rect, x, row, text, y);
        return;
    }
    const int tl = GetTextLeft();
    const int width = ClientRect().right;
    auto xOf = [&](int n) { return std::max(tl, tl + (n - leftCol_) * cellWidth_); };
    if (selectionMode_ == smBox) {
        piece(GetBoxCellRect(text, row, selStartCol_, 0), false);
        piece(GetBoxCellRect(text, row, selEndCol_, selStartCol_), true);
        RECT rest = GetBoxCellRect(text, row, selEndCol_ + colCount_, selEndCol_);
        rest.right = width;
        piece(rest, false);
        return;
    }
    const LONG top = rect.top, bottom = rect.bottom;
    if (selStartRow_ == selEndRow_) {
        piece(RECT{tl, top, xOf(selStartCol_), bottom}, false);
        piece(RECT{xOf(selStartCol_), top, xOf(selEndCol_), bottom}, true);
        piece(RECT{xOf(selEndCol_), top, width, bottom}, false);
    } else if (row == selStartRow_) {
        piece(RECT{tl, top, xOf(selStartCol_), bottom}, false);
        piece(RECT{xOf(selStartCol_), top, width, bottom}, true);
    } else if (row == selEndRow_) {
        piece(RECT{tl, top, xOf(selEndCol_), bottom}, true);
        piece(RECT{xOf(selEndCol_), top, width, bottom}, false);
    } else {
        DrawSelectedRow(rect, x, row, text, y);
    }
}

// ---- marks

void TEditor::DrawEofMark(int x, int y)
{
    const RECT client = ClientRect();
    const int tl = GetTextLeft(), tt = GetTextTop();
    RECT r{std::min<int>(std::max(tl, x), client.right), std::min<int>(std::max(tt, y), client.bottom),
           std::min<int>(std::max(tl, x + 6 * cellWidth_), client.right),
           std::min<int>(std::max(tt, y + cellHeight_), client.bottom)};
    TCanvas& canvas = Canvas();
    canvas.Font().Assign(Font());
    canvas.Font().SetColor(marks_->EofMark().Color());
    canvas.Brush().SetColor(Color());
    TCaretUpdate hold(this);
    FixedTextOut(canvas, r, x, ETO_OPAQUE | ETO_CLIPPED, "[EOF]", y);
}

namespace {

void Arrow(TCanvas& canvas, TColor color, int x, int y, int cellWidth, int cellHeight)
{
    const int d = std::max(1, cellHeight / 6);
    const int s = std::max(d, 3);
    canvas.Pen().SetStyle(psSolid);
    canvas.Pen().SetWidth(1);
    canvas.Pen().SetColor(color);
    const int xm = x + cellWidth / 2;
    const int yb = y + cellHeight - 2 * d;
    canvas.MoveTo(xm, y + 2 * d);
    canvas.LineTo(xm, yb);
    canvas.LineTo(xm + s, yb - s);
    canvas.MoveTo(xm, yb);
    canvas.LineTo(xm - s, yb - s);
}

} // namespace

void TEditor::DrawRetMark(int x, int y)
{
    if (x < GetTextLeft() || !Showing()) return;
    const TColor c = marks_->RetMark().Color() == clNone ? Font().Color() : marks_->RetMark().Color();
    Arrow(Canvas(), c, x, y, cellWidth_, cellHeight_);
}

void TEditor::DrawSelectedRetMark(int x, int y)
{
    if (x < GetTextLeft() || !Showing()) return;
    const TColor sel = view_->Colors().Select().Color();
    Arrow(Canvas(), sel == clNone ? Color() : sel, x, y, cellWidth_, cellHeight_);
}

int TEditor::GetUnderlineY(int row) const
{
    const int y = GetTextTop() + RowHeight() * (row - topRow_) + cellHeight_;
    auto* self = const_cast<TEditor*>(this);
    const int h = self->HandleAllocated() ? static_cast<int>(self->ClientRect().bottom) : Height();
    return (y <= GetTextTop() || y > h) ? -1 : y;
}

void TEditor::DrawUnderline(int row)
{
    if (!Showing()) return;
    const int y = GetUnderlineY(row);
    if (y != -1) {
        TCaretUpdate hold(this);
        TCanvas& canvas = Canvas();
        canvas.Pen().SetStyle(psSolid);
        canvas.Pen().SetColor(marks_->Underline().Color());
        canvas.MoveTo(GetTextLeft(), y);
        canvas.LineTo(ClientRect().right, y);
    }
    DrawVerticalLines();
}

void TEditor::EraseUnderline(int row)
{
    if (!Showing()) return;
    const int y = GetUnderlineY(row);
    if (y == -1) return;
    TCaretUpdate hold(this);
    TCanvas& canvas = Canvas();
    canvas.Pen().SetStyle(psSolid);
    canvas.Pen().SetColor(Color());
    canvas.MoveTo(GetTextLeft(), y);
    canvas.LineTo(ClientRect().right, y);
}

void TEditor::UnderlineBeginUpdate()
{
    // Only a selection proper hides the underline; an anchor alone does not.
    if (underlineHideCount_++ == 0 && marks_->Underline().Visible() && selectionState_ != 2) EraseUnderline(row_);
}

void TEditor::UnderlineEndUpdate()
{
    if (underlineHideCount_ == 0) return;
    if (--underlineHideCount_ == 0 && marks_->Underline().Visible() && selectionState_ != 2) DrawUnderline(row_);
}

// ---- invalidation

void TEditor::InvalidateRowText(int row)
{
    if (bulk_ || !HandleAllocated() || row < topRow_ || row > topRow_ + rowCount_) return;
    const int y = GetTextTop() + (row - topRow_) * RowHeight();
    InvalidateRect(RECT{GetTextLeft(), y, ClientRect().right, y + cellHeight_}, false);
}

void TEditor::InvalidateRows(int a, int b)
{
    if (bulk_ || !HandleAllocated()) return;
    const int first = std::max(std::min(a, b), topRow_);
    const int last = std::min(std::max(a, b), topRow_ + rowCount_);
    if (last < first) return;
    const int tt = GetTextTop(), rh = RowHeight();
    InvalidateRect(RECT{0, tt + (first - topRow_) * rh, ClientRect().right, tt + (last - topRow_) * rh + cellHeight_},
                   false);
    Update();
}

// ---- guide lines

void TEditor::DrawVerticalLine(int index)
{
    if (!HandleAllocated() || index < 0 || index >= verticalLines_.Count()) return;
    const TVerticalLine& line = verticalLines_.Items(index);
    if (!line.Visible()) return;
    TCaretUpdate hold(this);
    const int x = GetTextLeft() + line.Position() * cellWidth_ - pixelOffset_;
    if (x < GetTextLeft()) return;
    TCanvas& canvas = Canvas();
    canvas.Pen().SetColor(line.Color());
    canvas.MoveTo(x - 1, GetTextTop());
    canvas.LineTo(x - 1, ClientRect().bottom);
}

void TEditor::DrawVerticalLines()
{
    for (int i = 0; i < verticalLines_.Count(); ++i) DrawVerticalLine(i);
}

} // namespace vellumo
