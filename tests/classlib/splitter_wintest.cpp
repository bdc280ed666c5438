// The splitter follows a drag of the left button within its range and
// reports each new place; other buttons and moves without a press do nothing.
#include <gtest/gtest.h>

#include "classlib/splitter_win.h"

namespace vellumo::testing {
namespace {

class THost : public TCustomControl {};

// A pointer at parent y, sent to the bar in its own coordinates.
void Mouse(TSplitter& bar, UINT msg, int parentY, WPARAM keys)
{
    SendMessageA(bar.Handle(), msg, keys, MAKELPARAM(5, static_cast<WORD>(static_cast<short>(parentY - bar.Top()))));
}

TEST(Splitter, DragsWithinItsRangeAndReportsEachMove)
{
    THost host;
    host.SetBounds(0, 0, 200, 300);
    host.SetVisible(false);
    TSplitter bar;
    bar.SetParent(&host);
    bar.SetBounds(0, 100, 200, TSplitter::kThickness);
    bar.SetDragRange(40, 150);
    EXPECT_EQ(bar.Cursor(), crVSplit);
    int moved = 0;
    bar.OnMoved = [&] { ++moved; };

    // Moves without a press, and a right-button drag, leave it.
    Mouse(bar, WM_MOUSEMOVE, 130, 0);
    Mouse(bar, WM_RBUTTONDOWN, 101, MK_RBUTTON);
    Mouse(bar, WM_MOUSEMOVE, 130, MK_RBUTTON);
    Mouse(bar, WM_RBUTTONUP, 130, 0);
    EXPECT_EQ(bar.Top(), 100);
    EXPECT_EQ(moved, 0);

    Mouse(bar, WM_LBUTTONDOWN, 101, MK_LBUTTON);
    const struct {
        int PointerY, Top;
    } steps[] = {{131, 130}, {131, 130}, {400, 150}, {-50, 40}, {61, 60}};
    int expectMoves = 0, lastTop = 100;
    for (const auto& s : steps) {
        Mouse(bar, WM_MOUSEMOVE, s.PointerY, MK_LBUTTON);
        EXPECT_EQ(bar.Top(), s.Top) << s.PointerY;
        if (s.Top != lastTop) ++expectMoves;
        lastTop = s.Top;
        EXPECT_EQ(moved, expectMoves) << s.PointerY;  // only real moves are reported
    }
    Mouse(bar, WM_LBUTTONUP, 61, 0);
    Mouse(bar, WM_MOUSEMOVE, 120, 0);
    EXPECT_EQ(bar.Top(), 60);
    EXPECT_EQ(moved, expectMoves);

    // A range narrower than nothing keeps the bar at its lower end.
    bar.SetDragRange(80, 20);
    EXPECT_EQ(bar.DraggedTop(60, 0, 500), 80);
    EXPECT_EQ(bar.DraggedTop(60, 0, -500), 80);
}

} // namespace
} // namespace vellumo::testing
