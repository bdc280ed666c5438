// The tool-bar pictures, drawn with a few strokes each so that no image file
// has to be shipped.
#include "app/window/toolbar_win.h"

namespace vellumo {

namespace {

constexpr COLORREF kMask = RGB(255, 0, 255);
constexpr COLORREF kInk = RGB(40, 40, 40);
constexpr COLORREF kPaper = RGB(255, 255, 255);
constexpr COLORREF kFolder = RGB(230, 190, 60);
constexpr COLORREF kBlue = RGB(40, 90, 200);
constexpr COLORREF kGreen = RGB(40, 150, 70);
constexpr COLORREF kRed = RGB(200, 50, 40);

class TInk {
public:
    TInk(HDC dc, COLORREF ink, COLORREF fill) : dc_(dc)
    {
        pen_ = CreatePen(PS_SOLID, 1, ink);
        brush_ = CreateSolidBrush(fill);
        oldPen_ = SelectObject(dc, pen_);
        oldBrush_ = SelectObject(dc, brush_);
    }
    ~TInk()
    {
        SelectObject(dc_, oldPen_);
        SelectObject(dc_, oldBrush_);
        DeleteObject(pen_);
        DeleteObject(brush_);
    }

private:
    HDC dc_;
    HGDIOBJ pen_, brush_, oldPen_, oldBrush_;
};

void Line(HDC dc, int x1, int y1, int x2, int y2, COLORREF c)
{
    TInk p(dc, c, c);
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}

void Box(HDC dc, int l, int t, int r, int b, COLORREF ink, COLORREF fill)
{
    TInk p(dc, ink, fill);
    Rectangle(dc, l, t, r, b);
}

void Page(HDC dc, int x, int y, int w, int h)
{
    Box(dc, x, y, x + w, y + h, kInk, kPaper);
    for (int ly = y + 3; ly < y + h - 2; ly += 2) Line(dc, x + 2, ly, x + w - 2, ly, RGB(150, 150, 150));
}

void Magnifier(HDC dc, int x, int y)
{
    {
        TInk p(dc, kInk, RGB(200, 230, 255));
        Ellipse(dc, x, y, x + 8, y + 8);
    }
    Line(dc, x + 7, y + 7, x + 11, y + 11, kInk);
    Line(dc, x + 7, y + 8, x + 11, y + 12, kInk);
}

// Arrow along a curve: undo points left, redo right.
void TurnArrow(HDC dc, int x, bool left)
{
    TInk p(dc, kBlue, kBlue);
    Arc(dc, x + 2, 4, x + 14, 14, left ? x + 14 : x + 2, 9, left ? x + 2 : x + 14, 9);
    const int tip = left ? x + 2 : x + 13;
    const int d = left ? 1 : -1;
    POINT head[3] = {{tip - 2 * d, 6}, {tip + 3 * d, 10}, {tip - 2 * d, 11}};
    Polygon(dc, head, 3);
}

void Draw(HDC dc, int index, int x)
{
    switch (index) {
    case 0:  // new: a blank page with a folded corner
        Box(dc, x + 3, 1, x + 13, 15, kInk, kPaper);
        Line(dc, x + 9, 1, x + 12, 4, kInk);
        break;
    case 1:  // open: a folder
        Box(dc, x + 1, 4, x + 7, 7, kInk, kFolder);
        Box(dc, x + 1, 6, x + 15, 14, kInk, kFolder);
        break;
    case 2:  // save: a diskette
        Box(dc, x + 1, 1, x + 15, 15, kInk, kBlue);
        Box(dc, x + 4, 1, x + 12, 7, kInk, kPaper);
        Box(dc, x + 4, 10, x + 12, 15, kInk, RGB(180, 180, 180));
        break;
    case 3:  // print: a printer with a sheet
        Box(dc, x + 4, 1, x + 12, 7, kInk, kPaper);
        Box(dc, x + 1, 6, x + 15, 12, kInk, RGB(190, 190, 190));
        Box(dc, x + 4, 10, x + 12, 15, kInk, kPaper);
        break;
    case 4: {  // cut: scissors
        Line(dc, x + 4, 1, x + 10, 10, kInk);
        Line(dc, x + 11, 1, x + 5, 10, kInk);
        TInk p(dc, kRed, kMask);
        Ellipse(dc, x + 2, 9, x + 7, 15);
        Ellipse(dc, x + 9, 9, x + 14, 15);
        break;
    }
    case 5:  // copy: two pages
        Page(dc, x + 1, 1, 9, 11);
        Page(dc, x + 6, 4, 9, 11);
        break;
    case 6:  // paste: a clipboard with a page
        Box(dc, x + 1, 2, x + 12, 15, kInk, RGB(180, 130, 70));
        Box(dc, x + 4, 1, x + 9, 4, kInk, RGB(200, 200, 200));
        Page(dc, x + 7, 6, 8, 10);
        break;
    case 7: TurnArrow(dc, x, true); break;
    case 8: TurnArrow(dc, x, false); break;
    case 9: Magnifier(dc, x + 2, 2); break;
    case 10:  // find upwards
        Magnifier(dc, x + 4, 4);
        Line(dc, x + 3, 1, x + 3, 9, kGreen);
        Line(dc, x + 1, 3, x + 3, 1, kGreen);
        Line(dc, x + 5, 3, x + 3, 1, kGreen);
        break;
    case 11:  // find downwards
        Magnifier(dc, x + 4, 1);
        Line(dc, x + 3, 7, x + 3, 15, kGreen);
        Line(dc, x + 1, 13, x + 3, 15, kGreen);
        Line(dc, x + 5, 13, x + 3, 15, kGreen);
        break;
    default: {  // the two browsers: a globe, blue or green
        TInk p(dc, kInk, index == 12 ? RGB(90, 150, 230) : RGB(110, 190, 110));
        Ellipse(dc, x + 1, 1, x + 15, 15);
        Line(dc, x + 1, 8, x + 15, 8, kInk);
        Arc(dc, x + 5, 1, x + 11, 15, x + 8, 1, x + 8, 15);
        Arc(dc, x + 5, 1, x + 11, 15, x + 8, 15, x + 8, 1);
        break;
    }
    }
}

} // namespace

void DrawToolImage(HDC dc, int index) { Draw(dc, index, 0); }

} // namespace vellumo
