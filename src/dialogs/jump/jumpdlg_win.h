#pragma once
// The jump form (tests reach its controls through the modal script).
#include <string>
#include <vector>

#include "classlib/form_win.h"
#include "dialogs/jump/jumpdlg.h"

namespace vellumo {

class TFormJump : public TForm {
public:
    TFormJump(HWND owner, std::vector<std::string>& history);

    TLabel Label1{*this, "行番号(&R):"};
    TComboBox ComboBox1{*this, csDropDown};
    TCheckBox RowJumpLineNum{*this, "論理行(&L)"};
    TButton btHisDel{*this, "履歴をクリア(&S)"};
    TButton btOK{*this, "OK", mrOk};
    TButton btCancel{*this, "キャンセル", mrCancel};

protected:
    void DoShow() override;

private:
    void TextChanged(const std::string& text);
    void ClearHistory();

    std::vector<std::string>& history_;
};

} // namespace vellumo
