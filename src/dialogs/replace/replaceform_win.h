#pragma once
// The replace dialog's form (ShowReplaceDialog shows it; tests reach its controls).
#include <cstdint>
#include <string>

#include "classlib/form_win.h"
#include "classlib/groupbox_win.h"
#include "dialogs/common/history.h"
#include "dialogs/common/searchcommon_win.h"

namespace vellumo {

// The replace-all buttons' modal result.
inline constexpr TModalResult mrReplaceAll = 8;

class TFormReplace : public TForm {
public:
    explicit TFormReplace(HWND owner);

    TLabel Label1{*this, "検索する文字列(&T):"};
    TComboBox ComboBox1{*this};
    TLabel Label2{*this, "置換後の文字列(&R):"};
    TComboBox ComboBox2{*this};
    TGroupBox GroupBox1{*this, "オプション"};
    TCheckBox chkWholeWord{*this, "単語単位で探す(&W)"};
    TCheckBox chkMatchCase{*this, "大/小文字の区別(&C)"};
    TCheckBox chkEsc{*this, "\\n=改行, \\t=TAB, \\\\=\\(&E)"};
    TCheckBox chkReplaceConfirm{*this, "置換動作の確認(&P)"};
    TRadioGroup RadioGroup1{*this, "検索方向"};
    TButton btOK{*this, "次を検索(&N)", mrOk};
    TButton btAll{*this, "連続置換(&X)", mrReplaceAll};
    TButton btOKTop{*this, "先頭から検索(&O)", mrOk};
    TButton btAll2{*this, "すべて置換(&A)", mrReplaceAll};
    TButton btCancel{*this, "キャンセル", mrCancel};
    TButton btSchHisDel{*this, "検索履歴をクリア(&S)"};
    TButton btRepHisDel{*this, "置換履歴をクリア(&L)"};

    TSearchOptionBoxes OptionBoxes() { return {chkMatchCase, chkWholeWord, chkEsc, RadioGroup1}; }

    const std::string& AcceptedFind() const noexcept { return acceptedFind_; }
    const std::string& AcceptedReplace() const noexcept { return acceptedReplace_; }
    std::uint16_t ButtonBits() const noexcept { return buttonBits_; }

protected:
    void DoShow() override;

private:
    void Layout();
    void UpdateButtons();
    void AcceptAndSave(std::uint16_t bit, bool fromTop);

    THistory searchHistory_, replaceHistory_;
    std::string acceptedFind_, acceptedReplace_;
    std::uint16_t buttonBits_ = 0;
};

} // namespace vellumo
