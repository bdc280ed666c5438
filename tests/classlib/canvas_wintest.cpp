#include <gtest/gtest.h>

#include <windows.h>

#include <random>
#include <string>
#include <vector>

#include "classlib/bitmap_win.h"
#include "classlib/canvas_win.h"
#include "support/winsupport_win.h"

using namespace vellumo;
using namespace vellumo::testing;

namespace {

// "ＭＳ ゴシック" in code page 932.
const char kGothic[] = "\x82\x6C\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4E";

COLORREF At(TBitmap& b, int x, int y)
{
    GdiFlush();
    std::uint32_t v = b.ScanLine(y)[x];
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

// Columns holding at least one pixel that is not the background.
std::vector<bool> InkColumns(TBitmap& b, COLORREF background, int top = 0, int bottom = -1)
{
    if (bottom < 0)
        bottom = b.Height();
    std::vector<bool> ink(b.Width(), false);
    for (int y = top; y < bottom; ++y)
        for (int x = 0; x < b.Width(); ++x)
            if (At(b, x, y) != background)
                ink[x] = true;
    return ink;
}

int CountInk(TBitmap& b, COLORREF background)
{
    int n = 0;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            n += At(b, x, y) != background;
    return n;
}

TEST(ColorToRGB, MapsPlainSystemAndMarkerColours)
{
    EXPECT_EQ(ColorToRGB(clRed), RGB(255, 0, 0));
    EXPECT_EQ(ColorToRGB(static_cast<TColor>(0x00123456)), 0x00123456u);
    for (int i = 0; i <= 24; ++i)
        EXPECT_EQ(ColorToRGB(SystemColor(i)), GetSysColor(i)) << i;
    EXPECT_EQ(ColorToRGB(clWindow), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(ColorToRGB(clNone), RGB(0, 0, 0));
    EXPECT_EQ(ColorToRGB(clNone, clWhite), RGB(255, 255, 255));
    EXPECT_EQ(ColorToRGB(clDefault, clHighlight), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(ColorToRGB(clNone, clNone), RGB(0, 0, 0));
}

TEST(Canvas, FillsAndOutlinesInTheBrushAndPenColours)
{
    TBitmap b(40, 30);
    TCanvas& c = b.Canvas();
    c.Brush().SetColor(clWindow);
    c.FillRect(RECT{0, 0, 40, 30});
    EXPECT_EQ(At(b, 0, 0), GetSysColor(COLOR_WINDOW));
    c.Brush().SetColor(clHighlight);
    c.FillRect(RECT{10, 10, 20, 20});
    EXPECT_EQ(At(b, 10, 10), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(At(b, 19, 19), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(At(b, 20, 20), GetSysColor(COLOR_WINDOW));
    // A clear brush (clNone) fills nothing.
    c.Brush().SetColor(clNone);
    EXPECT_EQ(c.Brush().Style(), bsClear);
    c.FillRect(RECT{0, 0, 40, 30});
    EXPECT_EQ(At(b, 0, 0), GetSysColor(COLOR_WINDOW));
    // Setting a colour makes it solid again.
    c.Brush().SetColor(clYellow);
    EXPECT_EQ(c.Brush().Style(), bsSolid);

    c.Pen().SetColor(clBlue);
    c.Brush().SetColor(clLime);
    c.Rectangle(0, 0, 10, 8);
    EXPECT_EQ(At(b, 0, 0), RGB(0, 0, 255));
    EXPECT_EQ(At(b, 9, 7), RGB(0, 0, 255));
    EXPECT_EQ(At(b, 5, 4), RGB(0, 255, 0));
    c.Pen().SetColor(clRed);
    c.MoveTo(0, 20);
    c.LineTo(30, 20);  // the end point is not drawn
    EXPECT_EQ(At(b, 0, 20), RGB(255, 0, 0));
    EXPECT_EQ(At(b, 29, 20), RGB(255, 0, 0));
    EXPECT_NE(At(b, 30, 20), RGB(255, 0, 0));
    EXPECT_EQ(c.PenPos().x, 30);
    const POINT arrow[] = {{35, 0}, {35, 10}, {38, 7}};
    c.Pen().SetColor(clFuchsia);
    c.Polyline(arrow, 3);
    EXPECT_EQ(At(b, 35, 5), RGB(255, 0, 255));
    const POINT tri[] = {{20, 22}, {30, 22}, {25, 29}};
    c.Brush().SetColor(clAqua);
    c.Pen().SetColor(clAqua);
    c.Polygon(tri, 3);
    EXPECT_EQ(At(b, 25, 24), RGB(0, 255, 255));
    // A pen in clNone draws nothing.
    c.Pen().SetColor(clNone);
    c.MoveTo(0, 25);
    c.LineTo(10, 25);
    EXPECT_EQ(At(b, 5, 25), GetSysColor(COLOR_WINDOW));
    c.SetPixel(1, 1, clTeal);
    EXPECT_EQ(c.Pixel(1, 1), RGB(0, 128, 128));
}

TEST(Canvas, JapaneseTextInTheDefaultCharsetRendersInk)
{
    TBitmap b(120, 40);
    TCanvas& c = b.Canvas();
    c.Brush().SetColor(clWhite);
    c.FillRect(RECT{0, 0, 120, 40});
    c.Font().SetName(kGothic);
    c.Font().SetHeight(-16);
    c.Font().SetColor(clBlack);
    // "あいう" in code page 932.
    const std::string text = "\x82\xA0\x82\xA2\x82\xA4";
    c.TextOut(2, 2, text);
    int ink = CountInk(b, RGB(255, 255, 255));
    EXPECT_GT(ink, 40);
    TEXTMETRICA tm;
    ASSERT_TRUE(c.GetTextMetrics(tm));
    EXPECT_EQ(tm.tmCharSet, SHIFTJIS_CHARSET);
    EXPECT_EQ(c.TextHeight(text), tm.tmHeight);
    // Full-width characters are two half-width cells wide in this font.
    EXPECT_EQ(c.TextWidth(text), 3 * 2 * c.TextWidth("a"));
    EXPECT_EQ(c.TextExtent("").cx, 0);

    // The same bytes as code page 1252 are other glyphs.
    TBitmap w(120, 40), a(120, 40);
    for (TBitmap* bm : {&w, &a}) {
        bm->Canvas().Brush().SetColor(clWhite);
        bm->Canvas().FillRect(RECT{0, 0, 120, 40});
        bm->Canvas().Font().SetName(kGothic);
        bm->Canvas().Font().SetHeight(-16);
    }
    // The wide text of the characters draws exactly what the bytes drew.
    w.Canvas().Handle();
    w.Canvas().TextOut(0, 0, "");  // selects the font
    SetBkMode(w.Canvas().Handle(), OPAQUE);
    TextOutW(w.Canvas().Handle(), 2, 2, L"\x3042\x3044\x3046", 3);
    a.Canvas().Font().SetCharset(kAnsiCharset);
    a.Canvas().TextOut(2, 2, text);
    int same = 0, differ = 0;
    GdiFlush();
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 120; ++x) {
            same += At(b, x, y) == At(w, x, y);
            differ += At(b, x, y) != At(a, x, y);
        }
    EXPECT_EQ(same, 120 * 40);
    EXPECT_GT(differ, 20);
}

TEST(Canvas, ExtTextOutPlacesEveryByteInItsCell)
{
    // Each byte gets the advance given for it, whatever the glyph's width:
    // ink of cell i starts inside cell i. A double-byte character takes two.
    const int cell = 13;
    TBitmap b(400, 30);
    TCanvas& c = b.Canvas();
    c.Font().SetName(kGothic);
    c.Font().SetHeight(-14);
    c.Font().SetColor(clBlack);
    c.Brush().SetColor(clWhite);
    std::vector<int> adv(8001, cell);
    std::mt19937 rng(7);
    for (int round = 0; round < 20; ++round) {
        // A random row of 'W', 'i', spaces and one full-width character.
        std::string text;
        std::vector<int> inkCells;  // cells that must hold ink at their start
        int n = 6 + static_cast<int>(rng() % 20);
        while (static_cast<int>(text.size()) < n) {
            int k = static_cast<int>(rng() % 4);
            if (k == 0) {
                inkCells.push_back(static_cast<int>(text.size()));
                text += "W";
            } else if (k == 1) {
                text += " ";
            } else if (k == 2) {
                inkCells.push_back(static_cast<int>(text.size()));
                text += "\x81\xA1";  // a full-width black square
            } else {
                inkCells.push_back(static_cast<int>(text.size()));
                text += "|";
            }
        }
        RECT all{0, 0, 400, 30};
        ASSERT_TRUE(c.ExtTextOut(0, 5, ETO_OPAQUE | ETO_CLIPPED, &all, text, adv.data()));
        std::vector<bool> ink = InkColumns(b, RGB(255, 255, 255));
        std::vector<bool> cellInk(text.size() + 2, false);
        for (int x = 0; x < 400; ++x)
            if (ink[x] && x / cell < static_cast<int>(cellInk.size()))
                cellInk[x / cell] = true;
        for (int cI : inkCells)
            EXPECT_TRUE(cellInk[cI]) << "round " << round << " cell " << cI << " of " << text;
        // Nothing beyond the last byte's cell.
        for (int x = static_cast<int>(text.size()) * cell + 2; x < 400; ++x)
            ASSERT_FALSE(ink[x]) << "round " << round << " x " << x;
        // A space cell between two spaces stays empty.
        for (std::size_t i = 1; i + 1 < text.size(); ++i) {
            if (text[i - 1] != ' ' || text[i] != ' ' || text[i + 1] != ' ')
                continue;
            for (int x = static_cast<int>(i) * cell + 3; x < static_cast<int>(i + 1) * cell - 3; ++x)
                EXPECT_FALSE(ink[x]) << "round " << round << " x " << x;
        }
    }
}

TEST(Canvas, ExtTextOutDrawsNoMoreBytesThanItHasAdvancesFor)
{
    TBitmap b(200, 20);
    TCanvas& c = b.Canvas();
    c.Brush().SetColor(clWhite);
    c.FillRect(RECT{0, 0, 200, 20});
    c.Font().SetName(kGothic);
    c.Font().SetColor(clBlack);
    std::vector<int> adv(4, 10);  // four cells only
    EXPECT_TRUE(c.ExtTextOut(0, 0, 0, nullptr, "WWWWWWWWWWWW", adv.data(), adv.size()));
    std::vector<bool> ink = InkColumns(b, RGB(255, 255, 255));
    EXPECT_TRUE(ink[2] || ink[3] || ink[4]);
    for (int x = 42; x < 200; ++x)
        ASSERT_FALSE(ink[x]) << x;
}

TEST(Canvas, TextBackgroundFollowsTheBrush)
{
    TBitmap b(60, 20);
    TCanvas& c = b.Canvas();
    c.Brush().SetColor(clBlue);
    c.FillRect(RECT{0, 0, 60, 20});
    c.Font().SetName(kGothic);
    c.Font().SetColor(clYellow);
    c.Brush().SetColor(clRed);
    c.TextOut(0, 0, "  ");
    EXPECT_EQ(At(b, 1, 1), RGB(255, 0, 0));  // opaque: spaces paint the brush
    c.Brush().SetStyle(bsClear);
    c.TextOut(30, 0, "  ");
    EXPECT_EQ(At(b, 31, 1), RGB(0, 0, 255));  // clear: the background stays
    // TextRect clips to its rectangle and fills it with a solid brush.
    c.Brush().SetColor(clLime);
    c.TextRect(RECT{40, 5, 50, 15}, 0, 0, "                ");
    EXPECT_EQ(At(b, 45, 14), RGB(0, 255, 0));
    EXPECT_EQ(At(b, 55, 10), RGB(0, 0, 255));
}

// The glyph table of the ruler's digits: 1 bits background, 0 bits ink.
TEST(Bitmap, MonochromeGlyphsCopyAsBlackOnWhiteAndCombineByRasterOps)
{
    // Two 8-pixel wide rows: an ink pixel at column 1 of row 0, at column 6 of row 1.
    const std::uint8_t bits[] = {0xBF, 0xFF, 0xFD, 0xFF};
    TBitmap glyphs;
    ASSERT_TRUE(glyphs.LoadMonochromeBits(8, 2, bits));
    EXPECT_TRUE(glyphs.Monochrome());
    EXPECT_EQ(glyphs.Width(), 8);
    EXPECT_EQ(glyphs.ScanLine(0), nullptr);

    TBitmap t(8, 2);
    // Whatever the canvas's colours, 0 bits come out black and 1 bits white.
    t.Canvas().Font().SetColor(clRed);
    t.Canvas().Brush().SetColor(clBlue);
    t.Canvas().Draw(0, 0, glyphs);
    EXPECT_EQ(At(t, 1, 0), RGB(0, 0, 0));
    EXPECT_EQ(At(t, 0, 0), RGB(255, 255, 255));
    EXPECT_EQ(At(t, 6, 1), RGB(0, 0, 0));

    // Colour the digits: ink in `fore` on `back`, as the ruler does.
    const COLORREF fore = RGB(200, 30, 40), back = RGB(10, 220, 90);
    TBitmap temp(8, 2), target(8, 2);
    RECT r{0, 0, 8, 2};
    temp.Canvas().Brush().SetColor(static_cast<TColor>(back));
    temp.Canvas().FillRect(r);
    temp.Canvas().SetCopyMode(cmSrcAnd);
    temp.Canvas().CopyRect(r, glyphs.Canvas(), r);
    glyphs.Canvas().SetCopyMode(cmNotSrcCopy);
    glyphs.Canvas().CopyRect(r, glyphs.Canvas(), r);
    target.Canvas().Brush().SetColor(static_cast<TColor>(fore));
    target.Canvas().FillRect(r);
    target.Canvas().SetCopyMode(cmSrcAnd);
    target.Canvas().CopyRect(r, glyphs.Canvas(), r);
    target.Canvas().SetCopyMode(cmSrcPaint);
    target.Canvas().CopyRect(r, temp.Canvas(), r);
    glyphs.Canvas().CopyRect(r, glyphs.Canvas(), r);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 8; ++x) {
            bool inkHere = (y == 0 && x == 1) || (y == 1 && x == 6);
            EXPECT_EQ(At(target, x, y), inkHere ? fore : back) << x << "," << y;
        }
    // The glyphs were inverted back.
    t.Canvas().Draw(0, 0, glyphs);
    EXPECT_EQ(At(t, 1, 0), RGB(0, 0, 0));
    EXPECT_EQ(At(t, 2, 0), RGB(255, 255, 255));
}

TEST(Bitmap, ResizingKeepsTheOldPictureAndConversionsKeepTheSize)
{
    TBitmap b(10, 10);
    b.Clear(clRed);
    b.SetSize(20, 5);
    EXPECT_EQ(b.Width(), 20);
    EXPECT_EQ(At(b, 9, 4), RGB(255, 0, 0));
    EXPECT_EQ(At(b, 10, 0), RGB(255, 255, 255));
    b.SetSize(0, 5);
    EXPECT_TRUE(b.Empty());
    b.SetSize(3, 3);
    EXPECT_EQ(At(b, 2, 2), RGB(255, 255, 255));
    b.Canvas().SetPixel(1, 1, clBlack);
    b.SetMonochrome(true);
    TBitmap c(3, 3);
    c.Canvas().Draw(0, 0, b);
    EXPECT_EQ(At(c, 1, 1), RGB(0, 0, 0));
    EXPECT_EQ(At(c, 0, 0), RGB(255, 255, 255));
    TBitmap d;
    d.Assign(c);
    EXPECT_EQ(d.Width(), 3);
    EXPECT_EQ(At(d, 1, 1), RGB(0, 0, 0));
    // Drawing an empty bitmap and to an empty bitmap does nothing.
    TBitmap e;
    c.Canvas().Draw(0, 0, e);
    e.Canvas().Draw(0, 0, c);
    EXPECT_EQ(At(c, 0, 0), RGB(255, 255, 255));
}

TEST(Canvas, CopyRectStretchesAndClipRectReportsTheReachableArea)
{
    TBitmap src(2, 2), dst(8, 8);
    src.Clear(clBlue);
    src.Canvas().SetPixel(0, 0, clRed);
    dst.Canvas().CopyRect(RECT{0, 0, 8, 8}, src.Canvas(), RECT{0, 0, 2, 2});
    EXPECT_EQ(At(dst, 3, 3), RGB(255, 0, 0));
    EXPECT_EQ(At(dst, 4, 4), RGB(0, 0, 255));
    RECT clip = dst.Canvas().ClipRect();
    EXPECT_EQ(clip.right, 8);
    IntersectClipRect(dst.Canvas().Handle(), 2, 3, 5, 6);
    clip = dst.Canvas().ClipRect();
    EXPECT_EQ(clip.left, 2);
    EXPECT_EQ(clip.top, 3);
    EXPECT_EQ(clip.right, 5);
    EXPECT_EQ(clip.bottom, 6);
    SelectClipRgn(dst.Canvas().Handle(), nullptr);
}

TEST(Canvas, DrawsIntoAnEnhancedMetafile)
{
    HDC ref = GetDC(nullptr);
    HDC mf = CreateEnhMetaFileA(ref, nullptr, nullptr, nullptr);
    ReleaseDC(nullptr, ref);
    ASSERT_TRUE(mf);
    {
        TCanvas c;
        c.SetHandle(mf);
        c.Brush().SetColor(clNavy);
        c.FillRect(RECT{0, 0, 50, 40});
        c.Font().SetName(kGothic);
        c.Font().SetColor(clYellow);
        std::vector<int> adv(8, 12);
        c.ExtTextOut(2, 2, 0, nullptr, "\x82\xA0\x82\xA0", adv.data());
        c.SetHandle(nullptr);
    }
    HENHMETAFILE emf = CloseEnhMetaFile(mf);
    ASSERT_TRUE(emf);
    TBitmap b(50, 40);
    RECT r{0, 0, 50, 40};
    PlayEnhMetaFile(b.Canvas().Handle(), emf, &r);
    DeleteEnhMetaFile(emf);
    EXPECT_EQ(At(b, 40, 30), RGB(0, 0, 128));
    int yellow = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 50; ++x)
            yellow += At(b, x, y) == RGB(255, 255, 0);
    EXPECT_GT(yellow, 10);
}

TEST(Canvas, RestoresTheContextsObjectsAndLeaksNoGdiObjects)
{
    // Objects selected by the canvas go back when it lets go of the context.
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ font0 = GetCurrentObject(dc, OBJ_FONT), pen0 = GetCurrentObject(dc, OBJ_PEN),
            brush0 = GetCurrentObject(dc, OBJ_BRUSH);
    {
        TCanvas c;
        c.SetHandle(dc);
        c.Font().SetHeight(-20);
        c.TextOut(0, 0, "x");
        c.Rectangle(0, 0, 4, 4);
        EXPECT_NE(GetCurrentObject(dc, OBJ_FONT), font0);
        // Changing a selected object swaps it without deleting a selected one.
        c.Font().SetHeight(-30);
        EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font0);
        c.TextOut(0, 0, "x");
        c.SetHandle(nullptr);
        EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font0);
        EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen0);
        EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brush0);
        c.SetHandle(dc);
        c.LineTo(1, 1);
    }  // destroyed while attached
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen0);
    DeleteDC(dc);

    auto work = [](int round) {
        TBitmap b(64, 32);
        TCanvas& c = b.Canvas();
        c.Font().SetName(round % 2 ? kGothic : "Arial");
        c.Font().SetHeight(-10 - round % 7);
        c.Font().SetStyle(round % 3 ? fsBold : fsItalic);
        c.Font().SetColor(static_cast<TColor>(round * 0x010203));
        c.Pen().SetColor(static_cast<TColor>(round * 0x030201));
        c.Pen().SetWidth(1 + round % 3);
        c.Brush().SetColor(round % 5 ? static_cast<TColor>(round) : clNone);
        c.FillRect(RECT{0, 0, 10, 10});
        c.TextOut(1, 1, "\x82\xA0x");
        std::vector<int> adv(3, 8);
        c.ExtTextOut(0, 10, ETO_OPAQUE, nullptr, "abc", adv.data());
        c.MoveTo(0, 0);
        c.LineTo(30, 30);
        c.Rectangle(2, 2, 9, 9);
        (void)c.TextWidth("abc");
        // Changes while the objects are selected and made.
        c.Pen().SetColor(static_cast<TColor>(round * 0x000405));
        c.Brush().SetColor(static_cast<TColor>(round * 0x050400));
        c.Font().SetHeight(-20 - round % 5);
        c.Rectangle(1, 1, 5, 5);
        c.TextOut(2, 2, "y");
        b.SetSize(32 + round % 10, 20);
        TBitmap m;
        const std::uint8_t bits[] = {0xAA, 0x55};
        m.LoadMonochromeBits(8, 1, bits);
        c.Draw(0, 0, m);
        b.SetMonochrome(round % 2 == 0);
    };
    for (int i = 0; i < 20; ++i)
        work(i);  // warm-up: stock objects and caches
    int before = CountGdiObjects();
    for (int i = 0; i < 2000; ++i)
        work(i);
    int after = CountGdiObjects();
    EXPECT_LE(after - before, 2) << "before " << before << " after " << after;
}

} // namespace
