#include "app/window/linedraw_win.h"

#include <algorithm>
#include <cstdint>

#include "app/core/appcontext.h"
#include "app/core/applysettings.h"
#include "app/window/editmodes.h"
#include "settings/settingsstore.h"
#include "editor/cells.h"
#include "editor/editor_win.h"
#include "editor/rowstore.h"

namespace vellumo {

namespace {

// Restores the canvas's clip region when the marks are done.
class TClipToRect {
public:
    TClipToRect(HDC dc, const RECT& r) : dc_(dc), old_(CreateRectRgn(0, 0, 0, 0))
    {
        had_ = old_ && GetClipRgn(dc_, old_) == 1;
        IntersectClipRect(dc_, r.left, r.top, r.right, r.bottom);
    }
    ~TClipToRect()
    {
        SelectClipRgn(dc_, had_ ? old_ : nullptr);
        if (old_) DeleteObject(old_);
    }
    TClipToRect(const TClipToRect&) = delete;
    TClipToRect& operator=(const TClipToRect&) = delete;

private:
    HDC dc_;
    HRGN old_;
    bool had_ = false;
};

void Line(TCanvas& c, int x1, int y1, int x2, int y2)
{
    c.MoveTo(x1, y1);
    c.LineTo(x2, y2);
}

// The pen of the marks: the selection's colour inside a selected stretch.
// The blank marks draw thin and solid with a clear brush; the tab mark
// keeps the pen style and brush the canvas has.
void SetMarkPen(TEditor& e, bool selected, TColor tabColor, bool thinSolid)
{
    TCanvas& c = e.Canvas();
    c.Pen().SetColor(selected ? e.View().Colors().Select().Color() : tabColor);
    if (!thinSolid) return;
    c.Pen().SetWidth(1);
    c.Pen().SetStyle(psSolid);
    c.Brush().SetStyle(bsClear);
}

// The bottom line of the marks in the row at y.
int MarkBottom(TEditor& e, int y) { return y + e.CellHeight() - 3; }

} // namespace

void DrawFullSpaceLeftMark(TEditor& e, const RECT& rect, int x, bool selected, int y, TColor tabColor)
{
    if (x < rect.left) return;
    SetMarkPen(e, selected, tabColor, true);
    TCanvas& c = e.Canvas();
    const int w = e.CellWidth(), b = MarkBottom(e, y);
    TClipToRect clip(c.Handle(), rect);
    Line(c, x + 2, y + 2, x + w, y + 2);
    c.MoveTo(x + 2, y + 2);
    c.LineTo(x + 2, b);
    c.LineTo(x + w, b);
}

void DrawFullSpaceRightMark(TEditor& e, const RECT& rect, int x, bool selected, int y, TColor tabColor)
{
    if (x < rect.left) return;
    SetMarkPen(e, selected, tabColor, true);
    TCanvas& c = e.Canvas();
    const int w = e.CellWidth(), b = MarkBottom(e, y);
    TClipToRect clip(c.Handle(), rect);
    c.MoveTo(x, y + 2);
    c.LineTo(x + w - 3, y + 2);
    c.LineTo(x + w - 3, b);
    Line(c, x, b, x + w - 2, b);
}

void DrawSpaceMark(TEditor& e, const RECT& rect, int x, bool selected, int y, TColor tabColor)
{
    if (x < rect.left) return;
    SetMarkPen(e, selected, tabColor, true);
    TCanvas& c = e.Canvas();
    const int w = e.CellWidth(), h = e.CellHeight() - 2, b = MarkBottom(e, y);
    const int t = y + 2 + h / 6 + h / 2;
    TClipToRect clip(c.Handle(), rect);
    c.MoveTo(x + 2, t);
    c.LineTo(x + 2, b);
    c.LineTo(x + w - 2, b);
    c.LineTo(x + w - 2, t - 1);
}

void DrawTabMark(TEditor& e, const RECT& rect, int x, bool selected, int y, TColor tabColor)
{
    if (x < rect.left) return;
    SetMarkPen(e, selected, tabColor, false);
    TCanvas& c = e.Canvas();
    const int w = e.CellWidth();
    const int mid = y + (e.GetRowHeight() - e.Margin().Line()) / 2;
    const int arm = w > 13 ? 5 : 1, tip = w > 13 ? 7 : 5;
    TClipToRect clip(c.Handle(), rect);
    c.Pen().SetWidth(w > 13 ? 2 : 1);
    Line(c, x + 2, mid - arm, x + tip, mid);
    Line(c, x + 2, mid + arm, x + tip, mid);
}

void DrawBlankMark(TEditor& e, TMarkKind kind, const RECT& rect, int x, bool selected, int y, TColor tabColor)
{
    switch (kind) {
    case TMarkKind::FullSpaceLeft: DrawFullSpaceLeftMark(e, rect, x, selected, y, tabColor); break;
    case TMarkKind::FullSpaceRight: DrawFullSpaceRightMark(e, rect, x, selected, y, tabColor); break;
    case TMarkKind::Space: DrawSpaceMark(e, rect, x, selected, y, tabColor); break;
    case TMarkKind::Tab: DrawTabMark(e, rect, x, selected, y, tabColor); break;
    }
}

void DrawLineOverlay(TEditor& e, const std::string& lineStr, int x, int y, int index, RECT& rect, bool selected,
                     TEditMode mode, const TLineDrawSettings& settings)
{
    if (!settings.Option || !settings.Color) return;
    const int w = e.CellWidth();
    const int base = e.GetTextLeft() - e.HorizontalOffset();
    rect.right = std::min<LONG>(rect.right, base + w * TEditor::kMaxCols);
    const int rows = e.GetListCount();
    const bool valid = index >= 0 && index < rows;

    TLineDrawInput in;
    in.Mode = mode;
    in.LineStr = lineStr;
    in.Selected = selected;
    in.EditorHasSelection = e.Selected();
    in.View = &e.View();
    // A wrapped row is painted joined to the row before it, from that row's state.
    const int stateRow = x < base && index > 0 ? index - 1 : index;
    in.StartState = stateRow >= 0 && stateRow < rows ? e.GetRowBracketState(stateRow) : BracketStateNone;
    in.IsKeyword = [&e](std::string_view word) { return e.ReserveWordList().IndexOf(word) >= 0; };
    // Only the stored bytes behind the painted cells: a long row is not
    // copied and scanned whole on every paint. A joined wrapped row is short.
    const std::size_t cells = x < base ? SIZE_MAX : lineStr.size();
    in.StoredText = [&e, index, valid, cells] {
        if (!valid) return std::string();
        std::string shown;
        const std::string_view row = e.GetListString(index);
        return std::string(row.substr(0, ExpandTabsPrefix(row, e.CellRules(), cells, shown)));
    };
    in.TabWidth = e.TabSpaceCount();
    in.CellWidth = w;
    in.X = x;
    in.TextLeft = e.GetTextLeft();
    in.HorzOffset = e.HorizontalOffset();
    in.RectLeft = rect.left;
    in.RectRight = rect.right;
    const TLineDrawPlan plan = PlanLineDraw(in, settings);

    TCanvas& c = e.Canvas();
    for (const TOverlayText& t : plan.Texts) {
        if (t.SetColors) {
            c.Brush().SetColor(e.Color());
            c.Font().SetColor(t.Color);
        }
        switch (t.Style) {
        case TOverlayStyle::Keep: break;
        case TOverlayStyle::Plain: c.Font().SetStyle(0); break;
        case TOverlayStyle::Bold: c.Font().SetStyle(fsBold); break;
        case TOverlayStyle::Underline: c.Font().SetStyle(fsUnderline); break;
        }
        e.FixedTextOut(c, rect, t.X, ETO_CLIPPED, t.Text, y);
    }
    for (const TOverlayMark& m : plan.Marks) DrawBlankMark(e, m.Kind, rect, m.X, selected, y, settings.Color->Tab);
}

void Editor1DrawLine(TEditor& e, const std::string& lineStr, int x, int y, int index, RECT& rect, bool selected)
{
    // A failed overlay leaves the row as the editor painted it: a message
    // box from inside painting would only bring the next paint.
    try {
        const TAppSettings& s = AppSettingsStore().Settings;
        TLineDrawSettings settings{&s.Option, &s.Color, PasteQuoteMark()};
        DrawLineOverlay(e, lineStr, x, y, index, rect, selected, CurrentEditMode(), settings);
    } catch (...) {
    }
}

} // namespace vellumo
