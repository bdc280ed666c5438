#pragma once
// The column ruler above the text.
#include "base/color.h"
#include "editor/notifypersistent.h"

namespace vellumo {

class TEditorRuler : public TNotifyPersistent {
public:
    TColor BkColor() const noexcept { return bkColor_; }
    void SetBkColor(TColor v) { SetField(bkColor_, v); }
    TColor Color() const noexcept { return color_; }
    void SetColor(TColor v) { SetField(color_, v); }
    bool Edge() const noexcept { return edge_; }
    void SetEdge(bool v) { SetField(edge_, v); }
    // Cells between long ticks: only 8 and 10 are drawn well.
    int GaugeRange() const noexcept { return gaugeRange_; }
    void SetGaugeRange(int v);
    TColor MarkColor() const noexcept { return markColor_; }
    void SetMarkColor(TColor v) { SetField(markColor_, v); }
    bool Visible() const noexcept { return visible_; }
    void SetVisible(bool v) { SetField(visible_, v); }

    void Assign(const TEditorRuler& source);

private:
    TColor bkColor_ = clBtnFace;
    TColor color_ = clWindowText;
    bool edge_ = true;
    int gaugeRange_ = 10;
    TColor markColor_ = clWindowText;
    bool visible_ = false;
};

} // namespace vellumo
