#include "dialogs/tools/tooleditdlg_win.h"

#include "dialogs/common/dialoghost.h"
#include "dialogs/folder/browsefolder_win.h"
#include "dialogs/tools/tooldlg.h"

namespace vellumo {

namespace {

bool IsFile(const std::string& path)
{
    const DWORD a = path.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace

TToolEditFrm::TToolEditFrm(HWND owner, const TAppTool& tool) : TForm(owner), tool_(tool)
{
    SetCaption("ツールの編集");
    SetFormFont(*this);
    SetBorderStyle(bsDialog);
    SetClientSize(440, 372);
    constexpr int kLeft = 12, kEditWidth = 382, kButtonLeft = 398, kRight = 228, kRightWidth = 200;
    NameLabel.SetBounds(kLeft, 10, 416, 16);
    ToolName.SetBounds(kLeft, 28, 416, 22);
    ExeLabel.SetBounds(kLeft, 58, 250, 16);
    ToolExe.SetBounds(kLeft, 76, kEditWidth, 22);
    ExeBtn.SetBounds(kButtonLeft, 76, 30, 22);
    OptionLabel.SetBounds(kLeft, 106, 250, 16);
    ToolOption.SetBounds(kLeft, 124, kEditWidth, 22);
    OptionBtn.SetBounds(kButtonLeft, 124, 30, 22);
    TempLabel.SetBounds(kLeft, 154, 250, 16);
    ToolTemp.SetBounds(kLeft, 172, kEditWidth, 22);
    TempBtn.SetBounds(kButtonLeft, 172, 30, 22);
    SaveLabel.SetBounds(kLeft, 202, 200, 16);
    ToolSave.SetBounds(kLeft, 220, 200, 22);
    for (const char* text : kToolSaveTexts) ToolSave.AddItem(text);
    KeyLabel.SetBounds(kRight, 202, kRightWidth, 16);
    ToolKey.SetBounds(kRight, 220, kRightWidth, 22);
    ToolSelOn.SetBounds(kLeft, 256, 200, 20);
    ToolStartRun.SetBounds(kRight, 256, kRightWidth, 20);
    ToolMainVisible.SetBounds(kLeft, 280, 200, 20);
    ToolPopVisible.SetBounds(kRight, 280, kRightWidth, 20);
    ToolLock.SetBounds(kLeft, 304, 200, 20);
    OKBtn.SetBounds(270, 338, 75, 25);
    OKBtn.SetDefault(true);
    CancelBtn.SetBounds(353, 338, 75, 25);
    CancelBtn.SetCancel(true);

    ExeDialog.SetTitle("実行ファイルを選択");
    ExeDialog.SetFilter("実行ファイル(*.exe,*.com,*.bat,*.vbs,*.vbe,*.js,*.wsf)|*.exe;*.com;*.bat;*.vbs;*.vbe;*.js;*.wsf|"
                        "すべてのファイル(*.*)|*.*");
    ExeDialog.OnCanClose = [](TFileDialog& d, bool& canClose) {
        const auto& check = DialogHost().CheckPathLength;
        if (check && !check(d.FileName())) {
            canClose = false;
            d.SetFileName({});
        }
    };
    for (const TToolPlaceholder& p : kToolPlaceholders) {
        if (!p.Insert) {
            PlaceholderMenu.AddSeparator();
            continue;
        }
        const char* insert = p.Insert;
        PlaceholderMenu.Add(p.Caption, {}, [this, insert](TMenuItem&) { InsertPlaceholder(insert); });
    }

    ToolName.OnChange = [this] { UpdateOkButton(); };
    ToolExe.OnChange = [this] { UpdateOkButton(); };
    ToolOption.OnChange = [this] { UpdateOkButton(); };
    ExeBtn.OnClick = [this] { ChooseProgram(); };
    OptionBtn.OnClick = [this] { ShowPlaceholderMenu(); };
    TempBtn.OnClick = [this] { ChooseFolder(); };
    SetActiveControl(&ToolName);
    Handle();
    if (DialogHost().StyleFormControls) DialogHost().StyleFormControls(*this);
}

void TToolEditFrm::DoShow()
{
    PlaceWindowInWorkArea(Owner(), Handle(), 0, 0);
    ToolName.SetText(tool_.Title);
    ToolExe.SetText(tool_.File);
    ToolOption.SetText(tool_.Param);
    ToolTemp.SetText(tool_.TmpDir);
    ToolSave.SetItemIndex(tool_.Save >= 0 && tool_.Save <= 2 ? tool_.Save : 2);
    ToolKey.SetHotKey(tool_.Key);
    ToolSelOn.SetChecked(tool_.SelOn);
    ToolStartRun.SetChecked(tool_.StartRun);
    ToolLock.SetChecked(tool_.Lock);
    ToolMainVisible.SetChecked(tool_.MainVisible);
    ToolPopVisible.SetChecked(tool_.PopVisible);
    UpdateOkButton();
    const bool sizing = !DialogHost().FileDialogSizing || DialogHost().FileDialogSizing();
    ExeDialog.SetOptions(sizing ? ExeDialog.Options() | ofEnableSizing : ExeDialog.Options() & ~ofEnableSizing);
    TForm::DoShow();
}

void TToolEditFrm::UpdateOkButton()
{
    OKBtn.SetEnabled(ToolEntryOkEnabled(ToolName.Text(), ToolExe.Text(), ToolOption.Text()));
}

TAppTool TToolEditFrm::ReadToolEntry() const
{
    const std::string name = ToolName.Text();
    if (IsToolSeparator(name)) return ToolSeparatorEntry(ToolMainVisible.Checked(), ToolPopVisible.Checked());
    TAppTool t;
    t.Title = name;
    t.File = ToolExe.Text();
    t.Param = ToolOption.Text();
    t.TmpDir = ToolTemp.Text();
    const int save = ToolSave.ItemIndex();
    t.Save = save >= 0 ? save : 2;
    t.Key = ToolKey.HotKey();
    t.SelOn = ToolSelOn.Checked();
    t.StartRun = ToolStartRun.Checked();
    t.Lock = ToolLock.Checked();
    t.MainVisible = ToolMainVisible.Checked();
    t.PopVisible = ToolPopVisible.Checked();
    return t;
}

void TToolEditFrm::ChooseProgram()
{
    const std::string current = ToolExe.Text();
    ExeDialog.SetFileName(IsFile(current) ? current : std::string());
    if (ExeDialog.Execute(Handle())) ToolExe.SetText(ExeDialog.FileName());
}

void TToolEditFrm::ChooseFolder()
{
    TBrowseFolderDlg browse(Handle());
    browse.Caption = "フォルダの参照";
    browse.TextLine1 = "作業フォルダを指定して下さい";
    browse.ShowSelectDir = true;
    browse.Directory = ToolTemp.Text();
    if (browse.Execute()) ToolTemp.SetText(browse.Directory);
}

void TToolEditFrm::ShowPlaceholderMenu()
{
    ProcessMessages();
    RECT r{};
    GetWindowRect(OptionBtn.Handle(), &r);
    PlaceholderMenu.Popup(r.right, r.top, Handle());
}

void TToolEditFrm::InsertPlaceholder(const char* placeholder)
{
    HWND edit = ToolOption.Handle();
    DWORD start = 0;
    SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    SendMessageA(edit, EM_SETSEL, start, start);
    SendMessageA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(placeholder));
}

bool ShowToolEditDialog(TAppTool& tool, HWND owner)
{
    TToolEditFrm form(owner ? owner : MainWindow(), tool);
    if (form.ShowModal() != mrOk) return false;
    tool = form.ReadToolEntry();
    return true;
}

} // namespace vellumo
