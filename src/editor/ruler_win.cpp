// The left bar of numbers and the column ruler, drawn from cached images.
#include <algorithm>
#include <cstdint>
#include <string>

#include "classlib/screen_win.h"
#include "editor/editor_win.h"

namespace vellumo {

namespace {

// Rows 1..7 of the digits' ink, four columns each ('#' ink); column 0 and
// rows 0 and 8 of every digit are background.
constexpr const char* kDigitInk[10][7] = {
    {".##.", "#..#", "#..#", "#..#", "#..#", "#..#", ".##."},
    {".#..", "##..", ".#..", ".#..", ".#..", ".#..", ".#.."},
    {".##.", "#..#", "...#", "..#.", ".#..", "#...", "####"},
    {".##.", "#..#", "...#", "..#.", "...#", "#..#", ".##."},
    {"..#.", ".##.", ".##.", "#.#.", "####", "..#.", "..#."},
    {"####", "#...", "###.", "#..#", "...#", "#..#", ".##."},
    {".##.", "#..#", "#...", "###.", "#..#", "#..#", ".##."},
    {"####", "...#", "..#.", "..#.", ".#..", ".#..", ".#.."},
    {".##.", "#..#", "#..#", ".##.", "#..#", "#..#", ".##."},
    {".##.", "#..#", "#..#", ".###", "...#", "#..#", ".##."},
};

constexpr int kGlyphWidth = 5;
constexpr int kGlyphHeight = 9;
constexpr int kGlyphRowBytes = 8;  // 56 pixels in 7 bytes and a spare one (word-aligned rows)

int Gauge(const TEditorRuler& r) { return std::max(2, r.GaugeRange()); }

int ScreenWidthAtLeast(int w) { return std::max(Screen().Width(), w); }
int ScreenHeightAtLeast(int h) { return std::max(Screen().Height(), h); }

} // namespace

void TEditor::CreateBitmaps()
{
    leftbarEdge_ = std::make_unique<TBitmap>();
    corner_ = std::make_unique<TBitmap>();
    rulerImage_ = std::make_unique<TBitmap>();
    markerImage_ = std::make_unique<TBitmap>();
    rulerScale_ = std::make_unique<TBitmap>();
    glyphs_ = std::make_unique<TBitmap>();
    rulerDigits_ = std::make_unique<TBitmap>();
    markerDigits_ = std::make_unique<TBitmap>();
    rulerEdge_ = std::make_unique<TBitmap>();
    glyphWidth_ = kGlyphWidth;
    glyphHeight_ = kGlyphHeight;
    CreateDigitGlyphs();
    CreateRulerEdgeBitmap();
}

void TEditor::FreeBitmaps()
{
    for (std::unique_ptr<TBitmap>* b : {&leftbarEdge_, &corner_, &rulerImage_, &markerImage_, &rulerScale_, &glyphs_,
                                        &rulerDigits_, &markerDigits_, &rulerEdge_})
        b->reset();
}

void TEditor::CreateDigitGlyphs()
{
    std::uint8_t bits[kGlyphRowBytes * kGlyphHeight];
    std::fill(std::begin(bits), std::end(bits), std::uint8_t{0xFF});  // all background
    for (int d = 0; d < 10; ++d)
        for (int row = 1; row <= 7; ++row)
            for (int c = 0; c < 4; ++c) {
                if (kDigitInk[d][row - 1][c] != '#') continue;
                const int x = d * kGlyphWidth + 1 + c;
                bits[row * kGlyphRowBytes + x / 8] &= static_cast<std::uint8_t>(~(0x80 >> (x % 8)));
            }
    glyphs_->LoadMonochromeBits(56, kGlyphHeight, bits);
}

void TEditor::ColorGlyphsInto(TBitmap& target, TColor background, TColor digit)
{
    const int w = glyphs_->Width(), h = glyphs_->Height();
    target.SetMonochrome(false);
    target.SetSize(w, h);
    const COLORREF bg = ColorToRGB(background), fg = ColorToRGB(digit);
    TCanvas& src = glyphs_->Canvas();
    GdiFlush();
    for (int y = 0; y < h; ++y) {
        std::uint32_t* line = target.ScanLine(y);
        if (!line) return;
        for (int x = 0; x < w; ++x) {
            const COLORREF c = src.Pixel(x, y) == RGB(0, 0, 0) ? fg : bg;
            line[x] = (static_cast<std::uint32_t>(GetRValue(c)) << 16) | (GetGValue(c) << 8) | GetBValue(c);
        }
    }
}

void TEditor::ColorDigitGlyphs()
{
    ColorGlyphsInto(*rulerDigits_, ruler_->BkColor(), ruler_->Color());
    ColorGlyphsInto(*markerDigits_, ruler_->MarkColor(), ruler_->BkColor());
}

void TEditor::CreateRulerEdgeBitmap()
{
    const int w = ScreenWidthAtLeast(HandleAllocated() ? ClientRect().right : 0);
    rulerEdge_->SetSize(w, 2);
    TCanvas& c = rulerEdge_->Canvas();
    c.Pen().SetColor(clWhite);
    c.MoveTo(0, 0);
    c.LineTo(w, 0);
    c.Pen().SetColor(clGray);
    c.MoveTo(0, 1);
    c.LineTo(w, 1);
}

void TEditor::CreateLeftbarEdgeBitmap()
{
    // At least the window's height: a window taller than the screen is painted whole.
    const int h = ScreenHeightAtLeast(HandleAllocated() ? ClientRect().bottom : 0);
    leftbarEdge_->SetSize(2, h);
    TCanvas& c = leftbarEdge_->Canvas();
    c.Pen().SetColor(leftbar_->Edge() ? clWhite : leftbar_->BkColor());
    c.MoveTo(0, 0);
    c.LineTo(0, h);
    c.Pen().SetColor(leftbar_->Edge() ? clGray : leftbar_->Color());
    c.MoveTo(1, 0);
    c.LineTo(1, h);
}

int TEditor::CalcRulerHeight() const
{
    if (!ruler_->Visible()) return 0;
    return ruler_->Edge() ? 11 : 10;
}

int TEditor::CalcRulerBitmapWidth() const
{
    auto* self = const_cast<TEditor*>(this);
    const int g = Gauge(*ruler_) * cellWidth_;
    const int w = ScreenWidthAtLeast(self->HandleAllocated() ? self->ClientRect().right : 0);
    return g * (w / g + 2);
}

void TEditor::SizeRulerBitmaps()
{
    if (!HandleAllocated()) return;
    const int w = CalcRulerBitmapWidth();
    rulerImage_->SetSize(w, rulerHeight_);
    markerImage_->SetSize(w, rulerHeight_);
}

void TEditor::DrawRulerScale()
{
    if (!HandleAllocated()) return;
    const int gauge = Gauge(*ruler_);
    const int g = gauge * cellWidth_, h = rulerHeight_;
    const int bw = CalcRulerBitmapWidth();
    rulerScale_->SetSize(bw, h);
    if (h <= 0) return;
    TCanvas& c = rulerScale_->Canvas();
    c.Brush().SetColor(ruler_->BkColor());
    c.FillRect(RECT{0, 0, bw, h});
    c.Pen().SetStyle(psSolid);
    c.Pen().SetWidth(1);
    c.Pen().SetColor(ruler_->Color());
    for (int k = 0; k < gauge; ++k) {
        const int y0 = k == 0 ? 0 : k == gauge / 2 ? 3 : 6;
        c.MoveTo(k * cellWidth_, y0);
        c.LineTo(k * cellWidth_, h - 1);
    }
    if (ruler_->Edge()) {
        c.Draw(0, h - 2, *rulerEdge_);
    } else {
        c.MoveTo(0, h - 1);
        c.LineTo(g, h - 1);
    }
    for (int i = 1; i <= bw / g + 1; ++i) c.CopyRect(RECT{i * g, 0, i * g + g, h}, c, RECT{0, 0, g, h});
}

void TEditor::RebuildRuler()
{
    if (!HandleAllocated()) return;
    rulerHeight_ = CalcRulerHeight();
    ColorDigitGlyphs();
    DrawRulerScale();
    SizeRulerBitmaps();
}

void TEditor::DrawNumbersInto(TBitmap& image, TBitmap& digits, TColor background)
{
    const int gauge = Gauge(*ruler_);
    const int cw = cellWidth_;
    const int limit = WordWrap() ? WrapOption().WrapByte() : kMaxCols;
    const int h = rulerHeight_;
    const int keep = ruler_->Edge() ? 2 : 1;  // bottom lines left untouched
    TCanvas& c = image.Canvas();
    int x = 1, column = rulerStart_;
    const int times = image.Width() / cw / gauge + 1;
    for (int i = 0; i < times; ++i) {
        if (column >= limit) {
            int from = (limit - rulerStart_) * cw;
            if (WordWrap() && ruler_->Edge() && limit % gauge == 1) from = (limit + 1 - rulerStart_) * cw - 1;
            c.Brush().SetColor(background);
            c.FillRect(RECT{std::max(0, from), 0, image.Width(), std::max(0, h - keep)});
        }
        if (column <= limit) {
            int dx = x;
            for (char ch : std::to_string(column)) {
                const int d = ch - '0';
                const int w = d == 1 ? 3 : kGlyphWidth;
                c.CopyRect(RECT{dx, 0, dx + w, kGlyphHeight}, digits.Canvas(),
                           RECT{d * kGlyphWidth, 0, d * kGlyphWidth + w, kGlyphHeight});
                dx += w;
            }
        }
        if (column >= limit) break;
        column += gauge;
        x += gauge * cw;
    }
}

void TEditor::DrawRulerNumbers()
{
    if (!HandleAllocated()) return;
    const int gauge = Gauge(*ruler_);
    rulerStart_ = gauge * (pixelOffset_ / cellWidth_ / gauge);
    rulerImage_->Canvas().Draw(0, 0, *rulerScale_);
    DrawNumbersInto(*rulerImage_, *rulerDigits_, ruler_->BkColor());
    TCanvas& m = markerImage_->Canvas();
    m.Brush().SetColor(ruler_->MarkColor());
    m.FillRect(RECT{0, 0, markerImage_->Width(), markerImage_->Height()});
    DrawNumbersInto(*markerImage_, *markerDigits_, ruler_->MarkColor());
}

void TEditor::PaintRuler()
{
    if (!Showing()) return;
    DrawRulerNumbers();
    const int tl = GetTextLeft();
    const int w = ClientRect().right - tl;
    const int sx = cellWidth_ * (leftCol_ % Gauge(*ruler_));
    Canvas().CopyRect(RECT{tl, 0, tl + w, rulerHeight_}, rulerImage_->Canvas(), RECT{sx, 0, sx + w, rulerHeight_});
    DrawRulerMarker(col_);
}

void TEditor::CopyRulerCell(int col, TBitmap& from)
{
    if (bulk_ || !Showing() || !ruler_->Visible()) return;
    if (col < leftCol_ || col > leftCol_ + colCount_) return;
    const int x = GetTextLeft() + cellWidth_ * (col - leftCol_) + 1;
    const int w = cellWidth_ - 1;
    const int h = rulerHeight_ - (ruler_->Edge() ? 2 : 1);
    const int sx = (col - rulerStart_) * cellWidth_ + 1;
    if (w <= 0 || h <= 0 || sx < 0 || sx + w > from.Width()) return;
    Canvas().CopyRect(RECT{x, 0, x + w, h}, from.Canvas(), RECT{sx, 0, sx + w, h});
}

void TEditor::DrawRulerMarker(int col) { CopyRulerCell(col, *markerImage_); }
void TEditor::EraseRulerMarker(int col) { CopyRulerCell(col, *rulerImage_); }

// ---- left bar

bool TEditor::CalcLeftbarDigits()
{
    if (!HandleAllocated() || !leftbar_->Visible() || !leftbar_->ShowNumber()) {
        leftbarDigits_ = leftbar_->Column();
        return false;
    }
    const int n = Store().Count();
    long long highest = leftbar_->ShowNumberMode() == nmLine && n > 0 ? vellumo::RowToLine(Store(), n - 1) : n - 1;
    if (GetRowAttribute(n - 1) != raEof) ++highest;
    if (!leftbar_->ZeroBase()) ++highest;
    const int digits = std::min(8, std::max(leftbar_->Column(), static_cast<int>(std::to_string(std::max(0LL, highest)).size())));
    const bool changed = digits != leftbarDigits_;
    leftbarDigits_ = digits;
    return changed;
}

void TEditor::CalcLeftbarWidth()
{
    leftbarWidth_ = leftbar_->LeftMargin() + leftbarDigits_ * cellWidth_ + leftbar_->RightMargin() + 2;
}

void TEditor::LeftbarWidthChanged(int oldWidth, int newWidth)
{
    if (!Showing()) return;
    RECT uncovered{};
    ScrollWindowEx(Handle(), newWidth - oldWidth, 0, nullptr, nullptr, nullptr, &uncovered, SW_SCROLLCHILDREN);
    InvalidateRect(uncovered, false);
    InvalidateRect(RECT{0, 0, newWidth, ClientRect().bottom}, false);
    Update();
}

void TEditor::InvalidateLeftbar(int a, int b)
{
    if (bulk_ || !HandleAllocated()) return;
    const int first = std::max(std::min(a, b), topRow_);
    const int last = std::min(std::max(a, b), topRow_ + rowCount_);
    if (last < first) return;
    const int tt = GetTextTop(), rh = RowHeight();
    InvalidateRect(RECT{0, tt + (first - topRow_) * rh, leftbarWidth_, tt + (last - topRow_) * rh + cellHeight_}, false);
    Update();
}

void TEditor::PaintLeftbar(int a, int b)
{
    if (!Showing()) return;
    TCanvas& c = Canvas();
    const int tt = GetTextTop(), rh = RowHeight(), w = leftbarWidth_;
    c.Draw(w - 2, tt, *leftbarEdge_);
    c.Brush().SetColor(leftbar_->BkColor());
    c.Font().Assign(Font());
    c.Font().SetColor(leftbar_->Color());
    const int n = Store().Count();
    const bool lastBreak = n > 0 && Store().GetRowAttribute(n - 1) == raLineBreak;
    auto band = [&](int row) {
        const int y = tt + (row - topRow_) * rh;
        return RECT{0, y, w - 2, y + rh};
    };
    auto number = [&](long long value, int row) {
        std::string s = std::to_string(value);
        if (static_cast<int>(s.size()) < leftbarDigits_)
            s.insert(0, static_cast<std::size_t>(leftbarDigits_) - s.size(), leftbar_->ZeroLead() ? '0' : ' ');
        const RECT r = band(row);
        FixedTextOut(c, r, leftbar_->LeftMargin(), ETO_OPAQUE | ETO_CLIPPED, s, r.top);
    };
    const int base = leftbar_->ZeroBase() ? 0 : 1;
    if (!leftbar_->ShowNumber()) {
        for (int row = a; row <= b; ++row) c.FillRect(band(row));
        return;
    }
    if (leftbar_->ShowNumberMode() == nmRow) {
        for (int row = a; row <= b; ++row) {
            if (row == 0 || row < n || (row == n && lastBreak)) number(row + base, row);
            else c.FillRect(band(row));
        }
        return;
    }
    const int start = std::max(0, a);
    long long line = 0;
    if (start == 0) line = 0;
    else if (start < n) line = vellumo::RowToLine(Store(), start);
    else if (start == n && lastBreak) line = vellumo::RowToLine(Store(), n - 1) + 1;
    if (start > 0 && start <= n && Store().GetRowAttribute(start - 1) != raLineBreak) ++line;
    for (int row = a; row <= b; ++row) {
        const bool startsLine = row >= 0 && (row == 0 || (row <= n && Store().GetRowAttribute(row - 1) == raLineBreak));
        const bool exists = row < n || (row == n && lastBreak) || row == 0;
        if (startsLine && exists) number(line++ + base, row);
        else c.FillRect(band(row));
    }
}

void TEditor::UpdateCornerBitmap()
{
    if (!HandleAllocated()) return;
    const int tl = GetTextLeft(), tt = GetTextTop();
    corner_->SetSize(tl, tt);
    if (corner_->Empty()) return;
    TCanvas& c = corner_->Canvas();
    c.Brush().SetColor(Color());
    c.FillRect(RECT{0, 0, tl, tt});
    const bool barEdge = leftbar_->Visible() && leftbar_->Edge();
    if (barEdge) {
        c.Brush().SetColor(leftbar_->BkColor());
        c.FillRect(RECT{0, 0, leftbarWidth_, tt});
        c.Draw(leftbarWidth_ - 2, 0, *leftbarEdge_);
    }
    if (ruler_->Visible() && ruler_->Edge()) {
        const int from = barEdge ? leftbarWidth_ : 0;
        c.Brush().SetColor(ruler_->BkColor());
        c.FillRect(RECT{from, 0, tl, rulerHeight_});
        c.Draw(from - 1, rulerHeight_ - 2, *rulerEdge_);
    }
}

} // namespace vellumo
