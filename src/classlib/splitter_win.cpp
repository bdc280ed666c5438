#include "classlib/splitter_win.h"

#include <algorithm>

namespace vellumo {

TSplitter::TSplitter()
{
    SetCursor(crVSplit);
    SetTabStop(false);
}

void TSplitter::CreateParams(TCreateParams& p)
{
    TCustomControl::CreateParams(p);
    p.ClassName = "TSplitter";
}

void TSplitter::SetDragRange(int minTop, int maxTop) noexcept
{
    minTop_ = minTop;
    maxTop_ = std::max(minTop, maxTop);
}

int TSplitter::DraggedTop(int startTop, int grabY, int pointerY) const noexcept
{
    return std::clamp(startTop + (pointerY - grabY), minTop_, maxTop_);
}

void TSplitter::Paint()
{
    RECT r = ClientRect();
    FillRect(Canvas().Handle(), &r, GetSysColorBrush(COLOR_BTNFACE));
}

// Pointer positions are taken in the parent's coordinates: the bar itself
// moves under the pointer while it is dragged.
void TSplitter::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    TCustomControl::MouseDown(button, shift, x, y);
    if (button != mbLeft) return;
    dragging_ = true;
    startTop_ = Top();
    grabY_ = Top() + y;
}

void TSplitter::MouseMove(TShiftState shift, int x, int y)
{
    TCustomControl::MouseMove(shift, x, y);
    if (dragging_) DragTo(Top() + y);
}

void TSplitter::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    TCustomControl::MouseUp(button, shift, x, y);
    if (!dragging_ || button != mbLeft) return;
    DragTo(Top() + y);
    dragging_ = false;
}

void TSplitter::DragTo(int y)
{
    const int top = DraggedTop(startTop_, grabY_, y);
    if (top == Top()) return;
    SetBounds(Left(), top, Width(), Height());
    if (OnMoved) OnMoved();
}

} // namespace vellumo
