#include "editor/options_leftbar.h"

#include <algorithm>

namespace vellumo {

void TEditorLeftbar::SetColumn(int v)
{
    SetField(column_, std::clamp(v, 1, 8));
}

void TEditorLeftbar::Assign(const TEditorLeftbar& source)
{
    if (&source == this) return;
    TNotifyUpdate update(*this);
    SetField(bkColor_, source.bkColor_);
    SetField(color_, source.color_);
    SetField(column_, source.column_);
    SetField(edge_, source.edge_);
    SetField(leftMargin_, source.leftMargin_);
    SetField(rightMargin_, source.rightMargin_);
    SetField(showNumber_, source.showNumber_);
    SetField(showNumberMode_, source.showNumberMode_);
    SetField(visible_, source.visible_);
    SetField(zeroBase_, source.zeroBase_);
    SetField(zeroLead_, source.zeroLead_);
}

} // namespace vellumo
