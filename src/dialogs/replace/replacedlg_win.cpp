#include <algorithm>

#include "base/showmsg.h"
#include "dialogs/common/dialoghost.h"
#include "dialogs/replace/replacedlg.h"
#include "dialogs/replace/replaceform_win.h"
#include "dialogs/common/searchcommon_win.h"
#include "textcode/search.h"

namespace vellumo {

TFormReplace::TFormReplace(HWND owner) : TForm(owner)
{
    SetFormFont(*this);
    SetBorderStyle(bsDialog);
    SetBorderIcons(biSystemMenu);
    SetCaption("置換");
    SetPosition(poScreenCenter);
    SetUpHistoryCombo(ComboBox1);
    SetUpHistoryCombo(ComboBox2);
    RadioGroup1.SetItems({"上へ(&U)", "下へ(&D)"});
    btOK.SetDefault(true);
    btCancel.SetCancel(true);
    Layout();
    SetActiveControl(&ComboBox1);

    ComboBox1.OnChange = [this] { UpdateButtons(); };
    ComboBox2.OnChange = [this] { UpdateButtons(); };
    btOK.OnClick = [this] { AcceptAndSave(sfFindNext, false); };
    btAll.OnClick = [this] { AcceptAndSave(sfReplaceAll, false); };
    btOKTop.OnClick = [this] { AcceptAndSave(sfFindNext, true); };
    btAll2.OnClick = [this] { AcceptAndSave(sfReplaceAll, true); };
    btSchHisDel.OnClick = [this] {
        AskAndClearHistory(ComboBox1, searchHistory_, "すべての検索履歴を削除します。", THistoryKind::Search);
        UpdateButtons();
    };
    btRepHisDel.OnClick = [this] {
        AskAndClearHistory(ComboBox2, replaceHistory_, "すべての置換履歴を削除します。", THistoryKind::Replace);
        UpdateButtons();
    };
}

void TFormReplace::Layout()
{
    const int m = 8, row = 24, rowGap = 30;
    TCheckBox* checks[] = {&chkWholeWord, &chkMatchCase, &chkEsc, &chkReplaceConfirm};
    TButton* buttons[] = {&btOK, &btAll, &btOKTop, &btAll2, &btCancel, &btSchHisDel, &btRepHisDel};
    const int labelW = std::max(CaptionWidth(*this, Label1.Caption()), CaptionWidth(*this, Label2.Caption())) + 4;
    int checkW = 0;
    for (TCheckBox* c : checks) checkW = std::max(checkW, CaptionWidth(*this, c->Caption()));
    checkW += 24;
    int radioW = CaptionWidth(*this, RadioGroup1.Caption()) + 24;
    for (const auto& item : RadioGroup1.Items()) radioW = std::max(radioW, CaptionWidth(*this, item) + 40);
    int buttonW = 100;
    for (TButton* b : buttons) buttonW = std::max(buttonW, CaptionWidth(*this, b->Caption()) + 24);

    const int groupTop = m + 2 * rowGap + 4;
    const int groupH = 4 * row + 24;
    const int radioLeft = m + checkW + 20 + m;
    const int comboLeft = m + labelW + 4;
    const int leftW = std::max(comboLeft + 260, radioLeft + radioW);
    Label1.SetBounds(m, m + 4, labelW, 16);
    ComboBox1.SetBounds(comboLeft, m, leftW - comboLeft, 22);
    Label2.SetBounds(m, m + rowGap + 4, labelW, 16);
    ComboBox2.SetBounds(comboLeft, m + rowGap, leftW - comboLeft, 22);
    GroupBox1.SetBounds(m, groupTop, checkW + 20, groupH);
    int y = groupTop + 18;
    for (TCheckBox* c : checks) {
        c->SetBounds(m + 10, y, checkW, 20);
        y += row;
    }
    RadioGroup1.SetBounds(radioLeft, groupTop, leftW - radioLeft, 3 * row);
    const int bx = leftW + 12;
    y = m;
    for (TButton* b : buttons) {
        if (b == &btSchHisDel) y += 8;  // the clearing buttons stand apart
        b->SetBounds(bx, y, buttonW, 24);
        y += rowGap;
    }
    SetClientSize(bx + buttonW + m, std::max(groupTop + groupH, y - rowGap + 24) + m);
}

void TFormReplace::DoShow()
{
    if (const auto& style = DialogHost().StyleFormControls) style(*this);
    PlaceAtActiveEditor(*this);
    acceptedFind_.clear();
    acceptedReplace_.clear();
    buttonBits_ = 0;
    const std::string path = SettingsPathOfHost();
    searchHistory_ = LoadHistory(path, THistoryKind::Search);
    replaceHistory_ = LoadHistory(path, THistoryKind::Replace);
    ComboBox1.SetItems(searchHistory_);
    ComboBox2.SetItems(replaceHistory_);
    const TSearchOptions o = ReadSearchOptions(path);
    OptionBoxes().Show(o);
    chkReplaceConfirm.SetChecked(o.ReplaceConfirm);
    ApplySelectionRule(ComboBox1, chkEsc);
    if (!replaceHistory_.empty()) ComboBox2.SetItemIndex(0);
    UpdateButtons();
    TForm::DoShow();
}

void TFormReplace::UpdateButtons()
{
    const bool hasText = !ComboBox1.Text().empty();
    for (TButton* b : {&btOKTop, &btOK, &btAll, &btAll2}) b->SetEnabled(hasText);
    btSchHisDel.SetEnabled(hasText || !ComboBox1.Items().empty());
    btRepHisDel.SetEnabled(!ComboBox2.Text().empty() || !ComboBox2.Items().empty());
}

void TFormReplace::AcceptAndSave(std::uint16_t bit, bool fromTop)
{
    const std::string find = ComboBox1.Text();
    if (!find.empty()) {
        acceptedFind_ = find;
        AcceptIntoHistory(ComboBox1, searchHistory_, find);
    }
    // An empty replacement is a choice too and is kept as an entry.
    acceptedReplace_ = ComboBox2.Text();
    AcceptIntoHistory(ComboBox2, replaceHistory_, acceptedReplace_);
    TSearchOptions o = OptionBoxes().Read();
    o.ReplaceConfirm = chkReplaceConfirm.Checked();
    NoteSearchStateSaved(SaveSearchState(SettingsPathOfHost(), &searchHistory_, &replaceHistory_, o, true));
    buttonBits_ |= bit;
    if (fromTop) {
        RadioGroup1.SetItemIndex(1);
        MoveCaretToTop();
    }
}

namespace {

bool ShowReplaceDialogNow(std::string& findText, std::string& replaceText, std::uint16_t& flags)
{
    findText.clear();
    replaceText.clear();
    flags = 0;
    TFormReplace form(MainWindow());
    const TModalResult r = form.ShowModal();
    if ((r != mrOk && r != mrReplaceAll) || form.AcceptedFind().empty()) return false;
    findText = form.AcceptedFind();
    replaceText = form.AcceptedReplace();
    flags = form.ButtonBits() | form.OptionBoxes().Flags();
    if (form.chkReplaceConfirm.Checked()) flags |= sfConfirm;
    if (const auto& set = DialogHost().SetSearchEscapes) set(form.chkEsc.Checked());
    return true;
}

} // namespace

bool ShowReplaceDialog(std::string& findText, std::string& replaceText, std::uint16_t& flags)
{
    // A form that cannot be made is reported here, not raised into the command.
    bool ok = false;
    ReportFailures([&] { ok = ShowReplaceDialogNow(findText, replaceText, flags); });
    return ok;
}

} // namespace vellumo
