// SLOT: the colour page fills this file. For now: an empty list, and the
// colours go back as they came.
#include "dialogs/options/colorpage_win.h"

namespace vellumo {

TColorPage::TColorPage(TForm& form, TPageControl& pages, int page) : ColorListView(form)
{
    pages.AddToPage(page, ColorListView);
}

void TColorPage::Layout(const RECT& area)
{
    ColorListView.SetBounds(area.left + 8, area.top + 8, area.right - area.left - 16, area.bottom - area.top - 16);
}

void TColorPage::Load(const TAppColors& colors) { colors_ = colors; }

void TColorPage::Store(TAppColors& colors) { colors = colors_; }

TWinControlChild& TColorPage::FirstControl() { return ColorListView; }

} // namespace vellumo
