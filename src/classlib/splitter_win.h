#pragma once
// A thin horizontal bar between a control above it and one below; dragging
// it moves it up or down and reports the new place. The form lays out the
// controls around it (alignment top) and sets how far it may go. Windows
// only; GUI thread only.
#include "classlib/control_win.h"

namespace vellumo {

class TSplitter : public TCustomControl {
public:
    static constexpr int kThickness = 3;

    TSplitter();

    // The smallest height a dragged bar leaves the control above it.
    int MinSize() const noexcept { return minSize_; }
    void SetMinSize(int v) noexcept { minSize_ = v > 0 ? v : 1; }
    // The tops the bar may be dragged between (in the parent's client area).
    void SetDragRange(int minTop, int maxTop) noexcept;
    int MinTop() const noexcept { return minTop_; }
    int MaxTop() const noexcept { return maxTop_; }
    // The top a drag from grabY to pointerY (parent coordinates) ends at.
    int DraggedTop(int startTop, int grabY, int pointerY) const noexcept;

    // After the bar was dragged to a new top.
    std::function<void()> OnMoved;

protected:
    void CreateParams(TCreateParams& params) override;
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    void DragTo(int y);

    int minSize_ = 30;
    int minTop_ = 0, maxTop_ = 0x3FFFFFFF;
    bool dragging_ = false;
    int grabY_ = 0, startTop_ = 0;
};

} // namespace vellumo
