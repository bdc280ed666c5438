#pragma once
// The find dialog's form (ShowSearchDialog shows it; tests reach its controls).
#include <string>

#include "classlib/form_win.h"
#include "classlib/groupbox_win.h"
#include "dialogs/common/history.h"
#include "dialogs/common/searchcommon_win.h"

namespace vellumo {

class TFormSearch : public TForm {
public:
    // direction: 0 up, 1 down, other: the saved Direction.
    TFormSearch(HWND owner, int direction);

    TLabel Label1{*this, "検索する文字列(&T):"};
    TComboBox ComboBox1{*this};
    TGroupBox GroupBox1{*this, "オプション"};
    TCheckBox chkMatchCase{*this, "大/小文字の区別(&C)"};
    TCheckBox chkWholeWord{*this, "単語単位で探す(&W)"};
    TCheckBox chkEsc{*this, "\\n=改行, \\t=TAB, \\\\=\\(&E)"};
    TRadioGroup RadioGroup1{*this, "検索方向"};
    // Declared in tab order, which follows the drawn order.
    TButton btOK{*this, "次を検索(&N)", mrOk};
    TButton btOkTop{*this, "先頭から検索(&O)", mrOk};
    TButton btCancel{*this, "キャンセル", mrCancel};
    TButton btSchHisDel{*this, "検索履歴をクリア(&S)"};

    TSearchOptionBoxes OptionBoxes() { return {chkMatchCase, chkWholeWord, chkEsc, RadioGroup1}; }

    // The text accepted by OK (empty when none).
    const std::string& Accepted() const noexcept { return accepted_; }
    const THistory& History() const noexcept { return history_; }

protected:
    void DoShow() override;

private:
    void Layout();
    void UpdateButtons();
    void AcceptAndSave();

    int direction_;
    THistory history_;
    std::string accepted_;
};

} // namespace vellumo
