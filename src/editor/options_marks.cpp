#include "editor/options_marks.h"

namespace vellumo {

void TEditorMark::Assign(const TEditorMark& source)
{
    if (&source == this) return;
    TNotifyUpdate update(*this);
    SetField(color_, source.color_);
    SetField(visible_, source.visible_);
}

TEditorMarks::TEditorMarks()
{
    Own(eofMark_);
    Own(retMark_);
    Own(underline_);
}

void TEditorMarks::Assign(const TEditorMarks& source)
{
    if (&source == this) return;
    TNotifyUpdate update(*this);
    eofMark_.Assign(source.eofMark_);
    retMark_.Assign(source.retMark_);
    underline_.Assign(source.underline_);
}

} // namespace vellumo
