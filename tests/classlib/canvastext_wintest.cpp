#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "classlib/bitmap_win.h"
#include "classlib/canvas_win.h"

using namespace vellumo;

namespace {

// Leftmost and rightmost columns with ink in rows top..bottom, or -1.
std::pair<int, int> InkSpan(TBitmap& b, int top, int bottom)
{
    GdiFlush();
    int first = -1, last = -1;
    for (int y = top; y < bottom; ++y) {
        const std::uint32_t* row = b.ScanLine(y);
        for (int x = 0; x < b.Width(); ++x) {
            if ((row[x] & 0xFFFFFF) == 0xFFFFFF) continue;
            if (first < 0 || x < first) first = x;
            if (x > last) last = x;
        }
    }
    return {first, last};
}

TEST(CanvasDrawText, AlignsInItsRectangleWithTheCanvasFontAndColours)
{
    TBitmap b(300, 60);
    TCanvas& c = b.Canvas();
    c.Font().SetName("\x82\x6C\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4E");  // ＭＳ ゴシック
    c.Font().SetHeight(-16);
    c.Font().SetColor(clBlack);
    c.Brush().SetStyle(bsClear);
    const std::string text = "\x95\x5C&x";  // 表&x: the & is drawn, not taken as a prefix
    const SIZE extent = c.TextExtent(text);

    RECT calc{0, 0, 1000, 1000};
    EXPECT_GT(c.DrawText(calc, text, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX), 0);
    EXPECT_EQ(calc.right, extent.cx);  // measured with the canvas's font
    EXPECT_EQ(InkSpan(b, 0, 60).first, -1);  // and nothing drawn

    RECT right{0, 0, 300, 30};
    EXPECT_GT(c.DrawText(right, text, DT_RIGHT | DT_SINGLELINE | DT_NOPREFIX), 0);
    const auto top = InkSpan(b, 0, 30);
    EXPECT_GE(top.first, 300 - extent.cx - 1);
    EXPECT_GE(top.second, 300 - 4);
    RECT left{0, 30, 300, 60};
    EXPECT_GT(c.DrawText(left, text, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX), 0);
    const auto bottom = InkSpan(b, 30, 60);
    EXPECT_LE(bottom.first, 3);
    EXPECT_LE(bottom.second, extent.cx + 1);

    // A canvas without a context draws nothing and says so.
    TCanvas none;
    RECT r{0, 0, 10, 10};
    EXPECT_EQ(none.DrawText(r, "a", DT_SINGLELINE), 0);
}

} // namespace
