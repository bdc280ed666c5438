#pragma once
// Where a window goes inside a work area: the arithmetic of the placement
// helpers, kept apart from the system calls so that it can be tested alone.

namespace vellumo {

struct TPlacePoint {
    int X = 0, Y = 0;
    bool operator==(const TPlacePoint&) const = default;
};

struct TPlaceRect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    int Width() const noexcept { return Right - Left; }
    int Height() const noexcept { return Bottom - Top; }
};

// The top-left of a width x height window wanted at p, clamped in this order:
// top not above the area, bottom not below it, left not left of it, right not
// right of it. The later clamp wins, so a window larger than the area keeps
// its bottom and right edges inside.
TPlacePoint ClampIntoWorkArea(TPlacePoint p, int width, int height, const TPlaceRect& work) noexcept;

// Shifts p left by how far `right` passes the area's right edge, and up by
// how far `bottom` passes its bottom edge. Nothing is tested against the left
// and top edges.
TPlacePoint ShiftInsideWorkArea(TPlacePoint p, int right, int bottom, const TPlaceRect& work) noexcept;

// The top-left that centres a width x height window on an area (truncated).
TPlacePoint CenterInArea(int width, int height, const TPlaceRect& area) noexcept;

} // namespace vellumo
