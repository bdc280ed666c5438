// "ファイル": opening, reloading and saving files, locks and the size check.
#include "dialogs/options/optpages_win.h"
#include "settings/settingsdecl.h"

namespace vellumo {

TFilePage::TFilePage(TPageContext& context) : TOptionPage(context, opFile)
{
    TakeNewControls();
    HaitaSeigyo.SetItems({"しない", "書き込みのみ禁止する", "読み書きを禁止する"});
    TOptionBindings& b = ctx_.Bindings;
    for (auto [key, box] : {std::pair{"NotDoubleOpen", &NotDoubleOpen},
                            {"ChkFileAge", &ChkFileAge},
                            {"ChkFileAgeMsg", &ChkFileAgeMsg},
                            {"KeepRowLoad", &KeepRowLoad},
                            {"CreateNewFile", &CreateNewFile},
                            {"CreateNewFileMsg", &CreateNewFileMsg},
                            {"DropCloseToOpen", &DropCloseToOpen},
                            {"ChkReadOnlyFile", &ChkReadOnlyFile},
                            {"ChkOkWriteFile", &ChkOkWriteFile},
                            {"AutoFileName", &AutoFileName},
                            {"NullFileMsg", &NullFileMsg},
                            {"ModifiedOnFileSave", &ModifiedOnFileSave}})
        b.Check(kSecOption, key, *box);
    b.List(kSecOption, "HaitaSeigyo", HaitaSeigyo);
    // LoadSizeMax is held in bytes and shown in megabytes: Load and Store.
    ChkFileAge.OnClick = [this] { ChkFileAgeClick(); };
    CreateNewFile.OnClick = [this] { CreateNewFileClick(); };
}

void TFilePage::Layout(const RECT& area)
{
    Origin(area);
    const int gw = width_ - 16;
    Put(GroupBox1, 8, 4, gw, 290);
    Put(NotDoubleOpen, 20, 22, 400, kCheckH);
    Put(ChkFileAge, 20, 42, 268, kCheckH);
    Put(ChkFileAgeMsg, 300, 42, 140, kCheckH);
    Put(KeepRowLoad, 20, 62, 400, kCheckH);
    Put(CreateNewFile, 20, 82, 268, kCheckH);
    Put(CreateNewFileMsg, 300, 82, 140, kCheckH);
    TCheckBox* rest[] = {&DropCloseToOpen, &ChkReadOnlyFile, &ChkOkWriteFile,
                         &AutoFileName,    &NullFileMsg,     &ModifiedOnFileSave};
    for (int i = 0; i < 6; ++i) Put(*rest[i], 20, 102 + i * 20, gw - 24, kCheckH);
    Put(Label1, 20, 230 + kLabelDy, 150, 16);
    Put(HaitaSeigyo, 172, 230, 170, 22);
    Put(Label2, 20, 260 + kLabelDy, 262, 16);
    Put(LoadSizeMax, 284, 260, 56, kEditH);
    Put(LoadSizeMax_UpDown, 340, 260, 17, kEditH);
    Put(Label3, 362, 260 + kLabelDy, 24, 16);
}

void TFilePage::Load(const TAppSettings& s) { LoadSizeMax_UpDown.SetPosition(LoadSizeToMegabytes(s.Option.LoadSizeMax)); }

void TFilePage::Store(TAppSettings& s) { s.Option.LoadSizeMax = MegabytesToLoadSize(LoadSizeMax_UpDown.Position()); }

void TFilePage::Gather(TOptionChecks& c) const
{
    c.ChkFileAge = ChkFileAge.Checked();
    c.CreateNewFile = CreateNewFile.Checked();
}

void TFilePage::ChkFileAgeClick() { ChkFileAgeMsg.SetEnabled(Enabling().ChkFileAgeMsg); }

void TFilePage::CreateNewFileClick() { CreateNewFileMsg.SetEnabled(Enabling().CreateNewFileMsg); }

} // namespace vellumo
