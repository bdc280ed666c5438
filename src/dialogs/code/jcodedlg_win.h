#pragma once
// The save-with-code form (tests reach its controls through the modal script).
#include "classlib/form_win.h"
#include "classlib/groupbox_win.h"
#include "dialogs/code/jcodedlg.h"

namespace vellumo {

class TFormJcode : public TForm {
public:
    TFormJcode(HWND owner, TCharCode code, TLineEndCode lineEnd, bool saveAs, bool forceSaveAs);

    TLabel Label1{*this, "文字コード(&J):"};
    TComboBox SaveCvt{*this, csDropDownList};
    TLabel Label2{*this, "改行コード(&R):"};
    TComboBox SaveRetCvt{*this, csDropDownList};
    TRadioGroup Save{*this};
    TButton btOK{*this, "OK", mrOk};
    TButton btCancel{*this, "キャンセル", mrCancel};

protected:
    void DoShow() override;

private:
    TCharCode code_;
    TLineEndCode lineEnd_;
    bool saveAs_, forceSaveAs_;
};

} // namespace vellumo
