// "その他": saving menu changes and print settings, the tools' place in the
// pop-up menu, the apply button, clicks while converting, drawing while replacing.
#include "dialogs/options/optpages_win.h"
#include "settings/settingsdecl.h"

namespace vellumo {

TOtherPage::TOtherPage(TPageContext& context) : TOptionPage(context, opOther)
{
    TakeNewControls();
    for (auto [key, box] : {std::pair{"Menu_NoSaveIni", &Menu_NoSaveIni},
                            {"PopToolTop", &PopToolTop},
                            {"PrnSetNoSave", &PrnSetNoSave},
                            {"HaneiBtNoClose", &HaneiBtNoClose},
                            {"NoLButtonImeEnter", &NoLButtonImeEnter},
                            {"NoRepLoopDrawing", &NoRepLoopDrawing}})
        ctx_.Bindings.Check(kSecOption, key, *box);
}

void TOtherPage::Layout(const RECT& area)
{
    Origin(area);
    const int gw = width_ - 16;
    Put(GroupBox1, 8, 4, gw, 162);
    TCheckBox* checks[] = {&Menu_NoSaveIni,   &PopToolTop,        &PrnSetNoSave,
                           &HaneiBtNoClose,   &NoLButtonImeEnter, &NoRepLoopDrawing};
    for (int i = 0; i < 6; ++i) Put(*checks[i], 20, 24 + i * 22, gw - 24, kCheckH);
}

} // namespace vellumo
