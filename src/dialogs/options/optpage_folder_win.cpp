// "フォルダ": the folder the file dialogs of an untitled document start in.
#include "dialogs/options/optpages_win.h"
#include "settings/settingsdecl.h"

namespace vellumo {

TFolderPage::TFolderPage(TPageContext& context) : TOptionPage(context, opFolder)
{
    TakeNewControls();
    ctx_.Bindings.Check(kSecOption, "DefDirOn", DefDirOn);
    ctx_.Bindings.Text(kSecOption, "DefDir", DefDir);
    DefDirOn.OnClick = [this] { DefDirOnClick(); };
    FolderButton(DefDirButton, DefDir, "デフォルトフォルダを指定して下さい", true, false);
}

void TFolderPage::Layout(const RECT& area)
{
    Origin(area);
    const int gw = width_ - 16, editW = gw - 40 - kBrowseW - 12;
    Put(GroupBox1, 8, 4, gw, 96);
    Put(DefDirOn, 20, 24, 300, kCheckH);
    Put(Label1, 36, 48, 240, 16);
    Put(DefDir, 36, 66, editW, kEditH);
    Put(DefDirButton, 40 + editW, 66, kBrowseW, kEditH);
}

void TFolderPage::Gather(TOptionChecks& c) const { c.DefDirOn = DefDirOn.Checked(); }

void TFolderPage::DefDirOnClick()
{
    const bool on = Enabling().DefDir;
    DefDir.SetEnabled(on);
    DefDirButton.SetEnabled(on);
}

} // namespace vellumo
