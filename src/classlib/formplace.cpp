#include "classlib/formplace.h"

namespace vellumo {

TPlacePoint ClampIntoWorkArea(TPlacePoint p, int width, int height, const TPlaceRect& work) noexcept
{
    if (p.Y < work.Top) p.Y = work.Top;
    if (p.Y > work.Bottom - height) p.Y = work.Bottom - height;
    if (p.X < work.Left) p.X = work.Left;
    if (p.X > work.Right - width) p.X = work.Right - width;
    return p;
}

TPlacePoint ShiftInsideWorkArea(TPlacePoint p, int right, int bottom, const TPlaceRect& work) noexcept
{
    if (right > work.Right) p.X -= right - work.Right;
    if (bottom > work.Bottom) p.Y -= bottom - work.Bottom;
    return p;
}

TPlacePoint CenterInArea(int width, int height, const TPlaceRect& area) noexcept
{
    return {area.Left + (area.Width() - width) / 2, area.Top + (area.Height() - height) / 2};
}

} // namespace vellumo
