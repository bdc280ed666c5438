#include "dialogs/jump/jumpdlg_win.h"

#include "base/showmsg.h"
#include "dialogs/common/dialoghost.h"
#include "dialogs/jump/jumpeditor_win.h"

namespace vellumo {

TFormJump::TFormJump(HWND owner, std::vector<std::string>& history) : TForm(owner), history_(history)
{
    SetCaption("指定行");
    SetFormFont(*this);
    SetBorderStyle(bsDialog);
    SetClientSize(282, 104);
    Label1.SetBounds(12, 15, 72, 16);
    ComboBox1.SetBounds(88, 11, 100, 22);
    ComboBox1.SetDropDownCount(16);
    ComboBox1.SetItems(history_);
    RowJumpLineNum.SetBounds(88, 42, 100, 20);
    btHisDel.SetBounds(12, 70, 120, 25);
    btOK.SetBounds(200, 10, 75, 25);
    btOK.SetDefault(true);
    btCancel.SetBounds(200, 41, 75, 25);
    btCancel.SetCancel(true);
    ComboBox1.OnChange = [this] { TextChanged(ComboBox1.Text()); };
    // Deleting never completes the number again from the history.
    ComboBox1.OnKeyPress = [this](char key) { ComboBox1.SetAutoComplete(key != '\b'); };
    btHisDel.OnClick = [this] { ClearHistory(); };
    SetActiveControl(&ComboBox1);
    Handle();
    if (DialogHost().StyleFormControls) DialogHost().StyleFormControls(*this);
}

void TFormJump::DoShow()
{
    const auto& active = DialogHost().ActiveEditor;
    TEditor* editor = active ? active() : nullptr;
    HWND over = EditorWindowOf(editor);
    PlaceWindowInWorkArea(over ? over : MainWindow(), Handle(), 24, 24);
    const bool lineNum = DialogHost().LineNumOption && DialogHost().LineNumOption();
    const TJumpShowState s = JumpShowState(EditorWraps(editor), lineNum, EditorCaretRow(editor),
                                           [editor](int row) { return EditorRowToLine(editor, row); });
    RowJumpLineNum.SetChecked(s.Logical);
    RowJumpLineNum.SetEnabled(s.LogicalEnabled);
    ComboBox1.SetText(std::to_string(s.Prefill));
    TextChanged(ComboBox1.Text());
    btHisDel.SetEnabled(!history_.empty());
    TForm::DoShow();
}

void TFormJump::TextChanged(const std::string& text) { btOK.SetEnabled(!text.empty()); }

void TFormJump::ClearHistory()
{
    if (ShowMsg("すべての指定行履歴を削除します。", kMsgCaption, MB_OKCANCEL | kMsgIconInformation) != IDOK) return;
    history_.clear();
    // Emptying the list also empties the edit: the typed number stays.
    const std::string typed = ComboBox1.Text();
    ComboBox1.ClearItems();
    ComboBox1.SetText(typed);
    ComboBox1.SetFocus();
    btHisDel.SetEnabled(false);
}

bool ShowJumpDialog(int& line, bool& logical, std::vector<std::string>& history, std::string& typedText)
{
    TFormJump form(MainWindow(), history);
    if (form.ShowModal() != mrOk) return false;
    typedText = form.ComboBox1.Text();
    line = JumpLineNumber(typedText);
    logical = form.RowJumpLineNum.Checked();
    return true;
}

} // namespace vellumo
