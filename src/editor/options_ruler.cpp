#include "editor/options_ruler.h"

#include <algorithm>

namespace vellumo {

void TEditorRuler::SetGaugeRange(int v)
{
    v = std::clamp(v, 8, 10);
    SetField(gaugeRange_, v - v % 2);
}

void TEditorRuler::Assign(const TEditorRuler& source)
{
    if (&source == this) return;
    TNotifyUpdate update(*this);
    SetField(bkColor_, source.bkColor_);
    SetField(color_, source.color_);
    SetField(edge_, source.edge_);
    SetField(gaugeRange_, source.gaugeRange_);
    SetField(markColor_, source.markColor_);
    SetField(visible_, source.visible_);
}

} // namespace vellumo
