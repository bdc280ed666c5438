// "色": every [Color] value in one list, the colour combo box and dialog,
// the keyword switches and files, reset, and the colour-settings files.
#include "dialogs/options/colorpage_win.h"

#include <commctrl.h>

#include "base/colorcodec.h"
#include "base/filebytes.h"
#include "base/showmsg.h"
#include "classlib/canvas_win.h"
#include "classlib/colordialog_win.h"
#include "classlib/filedialog_win.h"
#include "dialogs/common/dialoghost.h"
#include "dialogs/options/colorpage.h"

namespace vellumo {

DWORD TColorListView::ControlStyle() const { return TListView::ControlStyle() | LVS_NOCOLUMNHEADER; }

bool TColorListView::NotifyMessage(NMHDR& hdr, LRESULT& result)
{
    const bool handled = TListView::NotifyMessage(hdr, result);
    if (HandleAllocated() && hdr.hwndFrom == Handle() && hdr.code == LVN_ITEMCHANGED) {
        const auto& nm = reinterpret_cast<const NMLISTVIEW&>(hdr);
        if ((nm.uChanged & LVIF_STATE) && (nm.uOldState & LVIS_SELECTED) && !(nm.uNewState & LVIS_SELECTED) &&
            OnDeselect)
            OnDeselect();
    }
    return handled;
}

TColorPage::TColorPage(TForm& form, TPageControl& pages, int page)
    : ColorListView(form),
      ColorComboBox1(form),
      Button23(form, "..."),
      KwdCheckBox(form, "キーワード強調(&B)"),
      KwdCaseCheckBox(form, "大/小文字区別(&C)"),
      KwdButton(form, "キーワード編集(&K)..."),
      Button25(form, "すべてリセット(&R)"),
      Button7(form, "色設定読込(&L)..."),
      Button8(form, "色設定保存(&S)..."),
      form_(form),
      colors_(DefaultColors())
{
    pages.AddToPage(page, {&ColorListView, &ColorComboBox1, &Button23, &KwdCheckBox, &KwdCaseCheckBox, &KwdButton,
                           &Button25, &Button7, &Button8});
    // One column shows the caption; the values are kept beside the list.
    ColorListView.AddColumn("", 148);
    ColorListView.AddColumn("", 0);
    ColorListView.AddColumn("", 0);
    KwdCheckBox.SetEnabled(false);
    KwdCaseCheckBox.SetEnabled(false);
    KwdButton.SetEnabled(false);
    ColorListView.OnSelect = [this] { ColorListViewChange(); };
    ColorListView.OnDeselect = [this] { ColorListViewChange(); };
    ColorListView.OnDblClick = [this] { Button23Click(); };
    ColorComboBox1.OnChange = [this] { ColorComboBox1Change(); };
    Button23.OnClick = [this] { Button23Click(); };
    KwdCheckBox.OnClick = [this] { SwitchClicked(); };
    KwdCaseCheckBox.OnClick = [this] { SwitchClicked(); };
    KwdButton.OnClick = [this] { KwdButtonClick(); };
    Button25.OnClick = [this] { Button25Click(); };
    Button7.OnClick = [this] { Button7Click(); };
    Button8.OnClick = [this] { Button8Click(); };
}

void TColorPage::Attach(const TOptionHost& host, const TAppSettings& settings)
{
    host_ = &host;
    settings_ = &settings;
}

void TColorPage::Layout(const RECT& area)
{
    constexpr int kListW = 176, kGap = 12, kLineH = 24, kButtonW = 156;
    const int x0 = area.left, y0 = area.top;
    const int h = area.bottom - area.top;
    ColorListView.SetBounds(x0 + 8, y0 + 8, kListW, h - 16);
    const int x = x0 + 8 + kListW + kGap;
    const int comboW = area.right - 8 - 34 - x;
    ColorComboBox1.SetBounds(x, y0 + 8, comboW, kLineH);
    Button23.SetBounds(x + comboW + 4, y0 + 8, 30, kLineH);
    KwdCheckBox.SetBounds(x, y0 + 44, 200, 18);
    KwdCaseCheckBox.SetBounds(x, y0 + 66, 200, 18);
    KwdButton.SetBounds(x, y0 + 92, kButtonW, kLineH);
    const int bottom = y0 + h - 8;
    Button8.SetBounds(x, bottom - kLineH, kButtonW, kLineH);
    Button7.SetBounds(x, bottom - 2 * kLineH - 6, kButtonW, kLineH);
    Button25.SetBounds(x, bottom - 3 * kLineH - 18, kButtonW, kLineH);
}

void TColorPage::Load(const TAppColors& colors)
{
    colors_ = colors;
    ColorListView.ClearRows();
    for (const TColorRowInfo& r : kColorRows) AddColorRow(r.Caption, colors_.*r.Color);
    ColorListView.SetItemIndex(0);
}

void TColorPage::AddColorRow(const std::string& caption, TColor color)
{
    const int row = ColorListView.RowCount();
    std::vector<std::string> cells =
        row < kColorRowCount ? ColorRowCells(colors_, row) : std::vector<std::string>{caption, "", "", ""};
    cells[0] = caption;
    cells[1] = ColorToString(color);
    ColorListView.AddRow(cells);
}

void TColorPage::Store(TAppColors& colors) { colors = colors_; }

TWinControlChild& TColorPage::FirstControl() { return ColorListView; }

void TColorPage::ShowRow(int row)
{
    const std::vector<std::string> cells = ColorRowCells(colors_, row);
    for (int c = 1; c < static_cast<int>(cells.size()); ++c)
        ColorListView.SetCell(row, c, cells[static_cast<std::size_t>(c)]);
}

void TColorPage::ShowAllRows()
{
    for (int row = 0; row < ColorListView.RowCount() && row < kColorRowCount; ++row) ShowRow(row);
}

// What the controls beside the list show follows the selected row.
void TColorPage::ColorListViewChange()
{
    const int row = ColorListView.ItemIndex();
    const TColorRowControls c = ColorRowControls(colors_, row);
    Button23.SetEnabled(c.ColorEnabled);
    ColorComboBox1.SetEnabled(c.ColorEnabled);
    if (c.ColorEnabled)
        ColorComboBox1.SetSelectColor(colors_.*kColorRows[static_cast<std::size_t>(row)].Color);
    else
        ColorComboBox1.ClearSelection();
    KwdCheckBox.SetChecked(c.Bold);
    KwdCaseCheckBox.SetChecked(c.Case);
    KwdCheckBox.SetEnabled(c.KeywordEnabled);
    KwdCaseCheckBox.SetEnabled(c.KeywordEnabled);
    KwdButton.SetEnabled(c.KeywordEnabled);
}

void TColorPage::ColorComboBox1Change()
{
    const int row = ColorListView.ItemIndex();
    if (row < 0 || row >= kColorRowCount) return;
    colors_.*kColorRows[static_cast<std::size_t>(row)].Color = ColorComboBox1.SelectColor();
    ShowRow(row);
}

void TColorPage::Button23Click()
{
    const int row = ColorListView.ItemIndex();
    if (row < 0 || row >= kColorRowCount) return;
    TColorDialog dialog;
    dialog.Color = ColorComboBox1.SelectColor();
    if (!dialog.Execute(form_.Handle(), 0, 0)) return;
    // The same colour under another name (a system colour) stays as it is.
    if (ColorToRGB(dialog.Color) == ColorToRGB(ColorComboBox1.SelectColor())) return;
    ColorComboBox1.SetSelectColor(dialog.Color);  // the row follows the combo's change
}

void TColorPage::SwitchClicked()
{
    const int row = ColorListView.ItemIndex();
    if (!IsKeywordRow(row)) return;
    const TColorRowInfo& r = kColorRows[static_cast<std::size_t>(row)];
    colors_.*r.Bold = KwdCheckBox.Checked();
    colors_.*r.Case = KwdCaseCheckBox.Checked();
    ShowRow(row);
}

std::string TColorPage::SettingsFolder() const
{
    const TDialogHost& host = DialogHost();
    return host.SettingsPath ? ExtractFileDir(host.SettingsPath()) : std::string();
}

namespace {

std::string FileFailed(const std::string& path, const char* what) { return "\"" + path + "\"\r\n" + what; }

} // namespace

void TColorPage::KwdButtonClick()
{
    const int row = ColorListView.ItemIndex();
    if (!IsKeywordRow(row)) return;
    const TColorRowInfo& r = kColorRows[static_cast<std::size_t>(row)];
    const std::string path = JoinPath(SettingsFolder(), r.KeywordFile);
    if (!PathExists(path)) {
        if (ShowMsg(KeywordFileQuestion(r.KeywordFile), kMsgCaption, MB_OKCANCEL | MB_ICONINFORMATION) != IDOK) return;
        if (!host_ || !host_->WriteKeywordFile || !host_->WriteKeywordFile(r.Mode, path)) {
            ShowMsg(FileFailed(path, "の作成に失敗しました。"), kMsgCaption, kMsgIconError);
            return;
        }
    }
    if (host_ && host_->StartNewInstance) host_->StartNewInstance("\"" + path + "\"");
}

bool TColorPage::LoadColorFile(const std::string& path)
{
    TMemIniFile ini(path);
    // A file that is not there would read as all defaults: that is no colour set either.
    if (ini.ReadFailed() || !PathExists(path)) {
        ShowMsg(FileFailed(path, "の読み込みに失敗しました。"), kMsgCaption, kMsgIconError);
        return false;
    }
    colors_ = ReadColorFile(ini);
    ShowAllRows();
    return true;
}

bool TColorPage::SaveColorFile(const std::string& path)
{
    TMemIniFile ini(path);
    WriteColorFile(ini, colors_);
    if (ini.UpdateFile()) return true;
    ShowMsg(FileFailed(path, "の書き込みに失敗しました。"), kMsgCaption, kMsgIconError);
    return false;
}

void TColorPage::Button25Click()
{
    const std::string defaults = JoinPath(SettingsFolder(), kDefaultColorFile);
    const bool haveFile = PathExists(defaults);
    if (ShowMsg(ResetQuestion(haveFile), kMsgCaption, MB_OKCANCEL | MB_ICONINFORMATION) != IDOK) return;
    if (haveFile) {
        if (!LoadColorFile(defaults)) return;
    } else {
        colors_ = DefaultColors();
        ShowAllRows();
    }
    if (ColorListView.ItemIndex() >= 0) ColorListViewChange();
}

bool TColorPage::RunFileDialog(TFileDialog& dialog, const char* title)
{
    dialog.SetTitle(title);
    dialog.SetFilter(kColorFileFilter);
    dialog.SetDefaultExt(kColorFileExt);
    dialog.SetFileName("");
    dialog.SetInitialDir(SettingsFolder());
    TOpenOptions options = dialog.Options();
    if (settings_ && !settings_->OptionEx.FileDlgEnableSizing) options &= ~ofEnableSizing;
    if (!dialog.IsSave()) options |= ofFileMustExist;
    dialog.SetOptions(options);
    dialog.OnCanClose = [this](TFileDialog& d, bool& canClose) {
        if (host_ && host_->PathLengthOk && !host_->PathLengthOk(d.FileName())) {
            d.SetFileName("");
            canClose = false;
        }
    };
    return dialog.Execute(form_.Handle());
}

void TColorPage::Button7Click()
{
    TOpenDialog dialog;
    if (!RunFileDialog(dialog, kColorFileTitleOpen)) return;
    if (LoadColorFile(dialog.FileName()) && ColorListView.ItemIndex() >= 0) ColorListViewChange();
}

void TColorPage::Button8Click()
{
    TSaveDialog dialog;
    if (RunFileDialog(dialog, kColorFileTitleSave)) SaveColorFile(dialog.FileName());
}

} // namespace vellumo
