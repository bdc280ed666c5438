#pragma once
// The tool entry dialog (tests reach its controls through the modal script).
#include <string>

#include "classlib/commonctrls_win.h"
#include "classlib/filedialog_win.h"
#include "classlib/form_win.h"
#include "classlib/menu_win.h"
#include "settings/tools.h"

namespace vellumo {

class TToolEditFrm : public TForm {
public:
    TToolEditFrm(HWND owner, const TAppTool& tool);

    // The entry as the controls hold it.
    TAppTool ReadToolEntry() const;
    // Applies the OK rule to the current texts.
    void UpdateOkButton();

    TLabel NameLabel{*this, "名前(&N):  (\"-\" にするとメニューの区切り線)"};
    TEdit ToolName{*this};
    TLabel ExeLabel{*this, "実行ファイル(&E):"};
    TEdit ToolExe{*this};
    TButton ExeBtn{*this, "..."};
    TLabel OptionLabel{*this, "コマンドラインパラメータ(&C):"};
    TEdit ToolOption{*this};
    TButton OptionBtn{*this, ">"};
    TLabel TempLabel{*this, "作業フォルダ(&D):"};
    TEdit ToolTemp{*this};
    TButton TempBtn{*this, "..."};
    TLabel SaveLabel{*this, "ファイルの上書き保存(&S):"};
    TComboBox ToolSave{*this, csDropDownList};
    TLabel KeyLabel{*this, "キー(&K):"};
    THotKey ToolKey{*this};
    TCheckBox ToolSelOn{*this, "非選択時は使用不可(&H)"};
    TCheckBox ToolStartRun{*this, "起動時に実行(&T)"};
    TCheckBox ToolMainVisible{*this, "メインメニューに表示(&M)"};
    TCheckBox ToolPopVisible{*this, "ポップアップメニューに表示(&P)"};
    TCheckBox ToolLock{*this, "終了まで待機する(&L)"};
    TButton OKBtn{*this, "OK", mrOk};
    TButton CancelBtn{*this, "キャンセル", mrCancel};

    TOpenDialog ExeDialog;
    TPopupMenu PlaceholderMenu;

protected:
    void DoShow() override;

private:
    void ChooseProgram();
    void ChooseFolder();
    void ShowPlaceholderMenu();
    void InsertPlaceholder(const char* placeholder);

    TAppTool tool_;
};

// The entry dialog on a copy of tool, its owner the given window (the main
// window when none); on OK the entry read from the controls replaces tool.
bool ShowToolEditDialog(TAppTool& tool, HWND owner);

} // namespace vellumo
