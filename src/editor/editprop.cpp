// The settings holder: defaults and the copy between two holders.
#include "editor/editprop.h"

namespace vellumo {

TEditorProp::TEditorProp()
{
    font_.SetName("FixedSys");
    font_.SetColor(clWindowText);
    reserveWordList_.SetSorted(true);
    reserveWordList_.SetDuplicates(dupIgnore);
    reserveWordList_.SetCaseSensitive(false);
    view_.SetOwner(this);
}

bool TEditorProp::Assign(const TEditorProp& source) noexcept
{
    if (&source == this) return true;
    try {
        SetColor(source.color_);
        SetCaret(source.caret_);
        SetFont(source.font_);
        SetLeftbar(source.leftbar_);
        SetMargin(source.margin_);
        SetMarks(source.marks_);
        SetReserveWordList(source.reserveWordList_);
        SetRuler(source.ruler_);
        SetScrollBars(source.scrollBars_);
        SetView(source.view_);
        SetWordWrap(source.wordWrap_);
        SetWrapOption(source.wrapOption_);
        SetVerticalLines(source.verticalLines_);
    } catch (...) {
        return false;
    }
    return true;
}

} // namespace vellumo
