#include <algorithm>

#include "base/showmsg.h"
#include "dialogs/common/dialoghost.h"
#include "dialogs/common/searchcommon_win.h"
#include "dialogs/search/searchdlg.h"
#include "dialogs/search/searchform_win.h"
#include "textcode/search.h"

namespace vellumo {

TFormSearch::TFormSearch(HWND owner, int direction) : TForm(owner), direction_(direction)
{
    SetFormFont(*this);
    SetBorderStyle(bsDialog);
    SetBorderIcons(biSystemMenu);
    SetCaption("検索");
    SetPosition(poScreenCenter);
    SetUpHistoryCombo(ComboBox1);
    RadioGroup1.SetItems({"上へ(&U)", "下へ(&D)"});
    btOK.SetDefault(true);
    btCancel.SetCancel(true);
    btSchHisDel.SetModalResult(mrNone);
    Layout();
    SetActiveControl(&ComboBox1);

    ComboBox1.OnChange = [this] { UpdateButtons(); };
    btOK.OnClick = [this] { AcceptAndSave(); };
    btOkTop.OnClick = [this] {
        AcceptAndSave();
        RadioGroup1.SetItemIndex(1);
        MoveCaretToTop();
    };
    btSchHisDel.OnClick = [this] {
        AskAndClearHistory(ComboBox1, history_, "すべての検索履歴を削除します。", THistoryKind::Search);
        UpdateButtons();
    };
}

void TFormSearch::Layout()
{
    const int m = 8, row = 24, groupTop = 40;
    const int labelW = CaptionWidth(*this, Label1.Caption()) + 4;
    int checkW = 0;
    for (TCheckBox* c : {&chkMatchCase, &chkWholeWord, &chkEsc}) checkW = std::max(checkW, CaptionWidth(*this, c->Caption()));
    checkW += 24;
    int radioW = CaptionWidth(*this, RadioGroup1.Caption()) + 24;
    for (const auto& item : RadioGroup1.Items()) radioW = std::max(radioW, CaptionWidth(*this, item) + 40);
    int buttonW = 100;
    for (TButton* b : {&btOkTop, &btOK, &btCancel, &btSchHisDel}) buttonW = std::max(buttonW, CaptionWidth(*this, b->Caption()) + 24);

    const int groupH = 3 * row + 24;
    const int radioLeft = m + checkW + 20 + m;
    const int comboLeft = m + labelW + 4;
    const int leftW = std::max(comboLeft + 260, radioLeft + radioW);
    Label1.SetBounds(m, m + 4, labelW, 16);
    ComboBox1.SetBounds(comboLeft, m, leftW - comboLeft, 22);
    GroupBox1.SetBounds(m, groupTop, checkW + 20, groupH);
    int y = groupTop + 18;
    for (TCheckBox* c : {&chkMatchCase, &chkWholeWord, &chkEsc}) {
        c->SetBounds(m + 10, y, checkW, 20);
        y += row;
    }
    RadioGroup1.SetBounds(radioLeft, groupTop, leftW - radioLeft, groupH);
    const int bx = leftW + 12;
    btOK.SetBounds(bx, m, buttonW, 24);
    btOkTop.SetBounds(bx, m + 30, buttonW, 24);
    btCancel.SetBounds(bx, m + 60, buttonW, 24);
    btSchHisDel.SetBounds(bx, groupTop + groupH - 24, buttonW, 24);
    SetClientSize(bx + buttonW + m, groupTop + groupH + m);
}

void TFormSearch::DoShow()
{
    if (const auto& style = DialogHost().StyleFormControls) style(*this);
    PlaceAtActiveEditor(*this);
    accepted_.clear();
    const std::string path = SettingsPathOfHost();
    history_ = LoadHistory(path, THistoryKind::Search);
    ComboBox1.SetItems(history_);
    TSearchOptions o = ReadSearchOptions(path);
    if (direction_ == 0 || direction_ == 1) o.Direction = direction_;
    OptionBoxes().Show(o);
    ApplySelectionRule(ComboBox1, chkEsc);
    UpdateButtons();
    TForm::DoShow();
}

void TFormSearch::UpdateButtons()
{
    const bool hasText = !ComboBox1.Text().empty();
    btOkTop.SetEnabled(hasText);
    btOK.SetEnabled(hasText);
    btSchHisDel.SetEnabled(hasText || !ComboBox1.Items().empty());
}

void TFormSearch::AcceptAndSave()
{
    const std::string text = ComboBox1.Text();
    if (!text.empty()) {
        accepted_ = text;
        AcceptIntoHistory(ComboBox1, history_, text);
    }
    NoteSearchStateSaved(SaveSearchState(SettingsPathOfHost(), &history_, nullptr, OptionBoxes().Read(), false));
}

namespace {

bool ShowSearchDialogNow(std::string& text, std::uint16_t& flags, int direction)
{
    text.clear();
    flags = 0;
    TFormSearch form(MainWindow(), direction);
    if (form.ShowModal() != mrOk || form.Accepted().empty()) return false;
    text = form.Accepted();
    flags = form.OptionBoxes().Flags();
    if (const auto& set = DialogHost().SetSearchEscapes) set(form.chkEsc.Checked());
    return true;
}

} // namespace

bool ShowSearchDialog(std::string& text, std::uint16_t& flags, int direction)
{
    // A form that cannot be made is reported here, not raised into the command.
    bool ok = false;
    ReportFailures([&] { ok = ShowSearchDialogNow(text, flags, direction); });
    return ok;
}

} // namespace vellumo
