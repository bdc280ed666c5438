// "バックアップ": a copy of the file before each save, and where it goes.
#include "dialogs/options/optpages_win.h"
#include "settings/settingsdecl.h"

namespace vellumo {

TBackupPage::TBackupPage(TPageContext& context) : TOptionPage(context, opBackup)
{
    TakeNewControls();
    ctx_.Bindings.Check(kSecBackup, "Backup", Backup);
    ctx_.Bindings.Text(kSecBackup, "BackupPath", BackupPath);
    Backup.OnClick = [this] { BackupClick(); };
    FolderButton(BackupPathButton, BackupPath, "バックアップ先フォルダを指定して下さい", true, false);
}

void TBackupPage::Layout(const RECT& area)
{
    Origin(area);
    const int gw = width_ - 16, editW = gw - 40 - kBrowseW - 12;
    Put(GroupBox1, 8, 4, gw, 96);
    Put(Backup, 20, 24, 340, kCheckH);
    Put(Label1, 36, 48, 240, 16);
    Put(BackupPath, 36, 66, editW, kEditH);
    Put(BackupPathButton, 40 + editW, 66, kBrowseW, kEditH);
}

void TBackupPage::Gather(TOptionChecks& c) const { c.Backup = Backup.Checked(); }

void TBackupPage::BackupClick()
{
    const bool on = Enabling().BackupPath;
    BackupPath.SetEnabled(on);
    BackupPathButton.SetEnabled(on);
}

} // namespace vellumo
