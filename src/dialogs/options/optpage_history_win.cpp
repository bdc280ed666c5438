// "履歴": how the recent files are shown, how many, and which are left out.
#include "dialogs/options/optpages_win.h"
#include "settings/settingsdecl.h"

namespace vellumo {

THistoryPage::THistoryPage(TPageContext& context) : TOptionPage(context, opHistory)
{
    TakeNewControls();
    FileNameFormat.SetItems({"フルパス", "省略形式のフルパス", "ファイル名のみ"});
    TOptionBindings& b = ctx_.Bindings;
    b.List(kSecFileHistorySet, "FileNameFormat", FileNameFormat);
    b.Number(kSecFileHistorySet, "FileHisMaxCount", FileHisMaxCount_UpDown);
    b.Check(kSecFileHistorySet, "NoTempDir", NoTempDir);
    b.Check(kSecFileHistorySet, "NoDir", NoDir);
    b.Text(kSecFileHistorySet, "NoDirs", NoDirs);
    NoDir.OnClick = [this] { NoDirClick(); };
    FolderButton(NoDirsButton, NoDirs, "履歴へ追加しないフォルダを指定して下さい", false, true);
}

void THistoryPage::Layout(const RECT& area)
{
    Origin(area);
    const int gw = width_ - 16, editW = gw - 40 - kBrowseW - 12;
    Put(GroupBox1, 8, 4, gw, 168);
    Put(Label1, 20, 24 + kLabelDy, 170, 16);
    Put(FileNameFormat, 192, 24, 170, 22);
    Put(Label2, 20, 52 + kLabelDy, 170, 16);
    Put(FileHisMaxCount, 192, 52, 46, kEditH);
    Put(FileHisMaxCount_UpDown, 238, 52, 17, kEditH);
    Put(NoTempDir, 20, 80, gw - 24, kCheckH);
    Put(NoDir, 20, 100, gw - 24, kCheckH);
    Put(Label3, 36, 124, 240, 16);
    Put(NoDirs, 36, 142, editW, kEditH);
    Put(NoDirsButton, 40 + editW, 142, kBrowseW, kEditH);
}

void THistoryPage::Gather(TOptionChecks& c) const { c.NoDir = NoDir.Checked(); }

void THistoryPage::NoDirClick()
{
    const bool on = Enabling().NoDirs;
    NoDirs.SetEnabled(on);
    NoDirsButton.SetEnabled(on);
}

} // namespace vellumo
