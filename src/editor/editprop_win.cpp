// The settings holder's copies from and to an editor control.
#include "editor/editprop.h"

#include "editor/editor_win.h"

namespace vellumo {

bool TEditorProp::Assign(TEditor& source) noexcept
{
    try {
        SetColor(source.Color());
        SetCaret(source.Caret());
        SetFont(source.Font());
        SetLeftbar(source.Leftbar());
        SetMargin(source.Margin());
        SetMarks(source.Marks());
        SetReserveWordList(source.ReserveWordList());
        SetRuler(source.Ruler());
        SetScrollBars(source.ScrollBars());
        SetView(source.View());
        SetWordWrap(source.WordWrap());
        SetWrapOption(source.WrapOption());
        SetVerticalLines(source.VerticalLines());
    } catch (...) {
        return false;
    }
    return true;
}

bool TEditorProp::AssignTo(TEditor& dest) const noexcept
{
    try {
        dest.SetColor(color_);
        dest.SetCaret(caret_);
        dest.Font().Assign(font_);
        dest.SetLeftbar(leftbar_);
        dest.SetMargin(margin_);
        dest.SetMarks(marks_);
        dest.SetReserveWordList(reserveWordList_);
        dest.SetRuler(ruler_);
        dest.SetScrollBars(scrollBars_);
        dest.View().Assign(view_);
        // Word wrap first, then its options: the row store re-wraps (and so
        // forgets its undo history) only for a value that really differs.
        dest.SetWordWrap(wordWrap_);
        dest.SetWrapOption(wrapOption_);
        dest.SetVerticalLines(verticalLines_);
    } catch (...) {
        return false;
    }
    return true;
}

} // namespace vellumo
