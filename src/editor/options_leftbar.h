#pragma once
// The line-number bar left of the text.
#include "base/color.h"
#include "editor/notifypersistent.h"

namespace vellumo {

// nmRow numbers screen rows, nmLine logical lines.
enum TEditorShowNumberMode : int { nmRow = 0, nmLine = 1 };

class TEditorLeftbar : public TNotifyPersistent {
public:
    TColor BkColor() const noexcept { return bkColor_; }
    void SetBkColor(TColor v) { SetField(bkColor_, v); }
    TColor Color() const noexcept { return color_; }
    void SetColor(TColor v) { SetField(color_, v); }
    int Column() const noexcept { return column_; }
    void SetColumn(int v);  // 1..8 digits
    bool Edge() const noexcept { return edge_; }
    void SetEdge(bool v) { SetField(edge_, v); }
    int LeftMargin() const noexcept { return leftMargin_; }
    void SetLeftMargin(int v) { SetField(leftMargin_, v); }
    int RightMargin() const noexcept { return rightMargin_; }
    void SetRightMargin(int v) { SetField(rightMargin_, v); }
    bool ShowNumber() const noexcept { return showNumber_; }
    void SetShowNumber(bool v) { SetField(showNumber_, v); }
    TEditorShowNumberMode ShowNumberMode() const noexcept { return showNumberMode_; }
    void SetShowNumberMode(TEditorShowNumberMode v) { SetField(showNumberMode_, v); }
    bool Visible() const noexcept { return visible_; }
    void SetVisible(bool v) { SetField(visible_, v); }
    bool ZeroBase() const noexcept { return zeroBase_; }
    void SetZeroBase(bool v) { SetField(zeroBase_, v); }
    bool ZeroLead() const noexcept { return zeroLead_; }
    void SetZeroLead(bool v) { SetField(zeroLead_, v); }

    void Assign(const TEditorLeftbar& source);

private:
    TColor bkColor_ = clBtnFace;
    TColor color_ = clWindowText;
    int column_ = 4;
    bool edge_ = true;
    int leftMargin_ = 8;
    int rightMargin_ = 4;
    bool showNumber_ = true;
    TEditorShowNumberMode showNumberMode_ = nmRow;
    bool visible_ = false;
    bool zeroBase_ = false;
    bool zeroLead_ = false;
};

} // namespace vellumo
