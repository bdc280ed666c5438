// "拡張子": each edit mode's file masks, and the mode of a new document.
#include "base/showmsg.h"
#include "dialogs/options/optpages_win.h"
#include "settings/settingsdecl.h"

namespace vellumo {

namespace {

std::string& MaskSetting(TAppSettings& s, int row)
{
    const auto* d = FindSettingDecl(AppSettingDecls(), kSecOption, kExtensionRows[static_cast<std::size_t>(row)].Key);
    return *d->Field.AsString(s);
}

} // namespace

TExtensionPage::TExtensionPage(TPageContext& context) : TOptionPage(context, opExtension)
{
    TakeNewControls();
    FileExtListView.AddColumn("項目", 96);
    FileExtListView.AddColumn("拡張子", 300);
    DefEditMode.SetItems({"標準", "HTML", "Perl", "PHP", "CSS", "Ruby", "INI", "BAT", "C/C++", "Java", "JavaScript",
                          "VB", "HSP", "Delphi"});
    DefEditMode.SetDropDownCount(14);
    ctx_.Bindings.List(kSecOption, "DefEditMode", DefEditMode);
    FileExtEdit.SetEnabled(false);
    FileExtListView.OnSelect = [this] { RowSelected(); };
    FileExtListView.OnDblClick = [this] { EditRow(); };
    Button4.OnClick = [this] { EditRow(); };
    Button5.OnClick = [this] { UpdateRow(); };
}

void TExtensionPage::Layout(const RECT& area)
{
    Origin(area);
    const int gw = width_ - 16;
    // Every mode's row shows without scrolling.
    Put(GroupBox1, 8, 4, gw, 276);
    Put(FileExtListView, 20, 22, gw - 24, 220);
    Put(FileExtEdit, 20, 250, gw - 24 - 176, kEditH);
    Put(Button4, gw - 164, 248, 80, kButtonH);
    Put(Button5, gw - 80, 248, 80, kButtonH);
    Put(GroupBox2, 8, 284, gw, 50);
    Put(Label1, 20, 304 + kLabelDy, 130, 16);
    Put(DefEditMode, 152, 304, 150, 22);
}

void TExtensionPage::Load(const TAppSettings& s)
{
    FileExtListView.ClearRows();
    for (int row = 0; row < static_cast<int>(kExtensionRows.size()); ++row)
        FileExtListView.AddRow(
            {kExtensionRows[static_cast<std::size_t>(row)].Caption, MaskSetting(const_cast<TAppSettings&>(s), row)});
    FileExtListView.SetItemIndex(0);
}

void TExtensionPage::Store(TAppSettings& s)
{
    for (int row = 0; row < FileExtListView.RowCount(); ++row)
        MaskSetting(s, row) = ExtensionRowSetting(row, FileExtListView.Cell(row, 1));
}

void TExtensionPage::RowSelected()
{
    FileExtEdit.SetText("");
    FileExtEdit.SetEnabled(false);
}

void TExtensionPage::EditRow()
{
    const int row = FileExtListView.ItemIndex();
    if (row < 0) return;
    FileExtEdit.SetText(FileExtListView.Cell(row, 1));
    FileExtEdit.SetEnabled(true);
    FileExtEdit.SetFocus();
}

void TExtensionPage::UpdateRow()
{
    const int row = FileExtListView.ItemIndex();
    if (row < 0 || !FileExtEdit.Enabled()) return;
    const std::string masks = FileExtEdit.Text();
    if (MaskHasBar(masks)) {
        ShowMsg(kMaskBarMessage, kMsgCaption, kMsgIconExclamation);
        FileExtEdit.SetFocus();
        return;
    }
    FileExtListView.SetCell(row, 1, masks);
    FileExtListView.SetFocus();
    FileExtEdit.SetText("");
    FileExtEdit.SetEnabled(false);
}

} // namespace vellumo
