#pragma once
// The page "色" of the options dialog: the colours of [Color] and the
// colour-settings files.
//
// SLOT: this is the place the colour page fills. Until it does, the page
// holds an empty colour list and keeps the colours as they are.
#include <windows.h>

#include "classlib/commonctrls_win.h"
#include "classlib/form_win.h"
#include "settings/settings.h"

namespace vellumo {

class TColorPage {
public:
    // Makes its controls on the form and adds them to the page.
    TColorPage(TForm& form, TPageControl& pages, int page);
    TColorPage(const TColorPage&) = delete;
    TColorPage& operator=(const TColorPage&) = delete;

    // Places the controls inside the page's display rectangle.
    void Layout(const RECT& area);
    // Fills the rows, selects and focuses the first.
    void Load(const TAppColors& colors);
    // Writes the [Color] values back.
    void Store(TAppColors& colors);
    // The colour list, for the page's first focus.
    TWinControlChild& FirstControl();

    TListView ColorListView;

private:
    TAppColors colors_;
};

} // namespace vellumo
