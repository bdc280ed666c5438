#include "editor/options_margin.h"

#include <algorithm>

namespace vellumo {

void TEditorMargin::SetCharacter(int v) { SetField(character_, std::clamp(v, 0, MaxMargin)); }
void TEditorMargin::SetLeft(int v) { SetField(left_, std::clamp(v, 0, MaxMargin)); }
void TEditorMargin::SetLine(int v) { SetField(line_, std::clamp(v, 0, MaxMargin)); }
void TEditorMargin::SetTop(int v) { SetField(top_, std::clamp(v, 0, MaxMargin)); }

void TEditorMargin::Assign(const TEditorMargin& source)
{
    if (&source == this) return;
    TNotifyUpdate update(*this);
    SetField(character_, source.character_);
    SetField(left_, source.left_);
    SetField(line_, source.line_);
    SetField(top_, source.top_);
    SetField(underline_, source.underline_);
}

} // namespace vellumo
