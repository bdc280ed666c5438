#include "dialogs/code/jcodedlg_win.h"

#include <iterator>
#include <string>
#include <vector>

#include "dialogs/common/dialoghost.h"
#include "dialogs/jump/jumpeditor_win.h"

namespace vellumo {

namespace {

HWND UpperEditorWindow()
{
    const auto& upper = DialogHost().UpperEditor;
    HWND w = EditorWindowOf(upper ? upper() : nullptr);
    return w ? w : MainWindow();
}

} // namespace

TFormJcode::TFormJcode(HWND owner, TCharCode code, TLineEndCode lineEnd, bool saveAs, bool forceSaveAs)
    : TForm(owner), code_(code), lineEnd_(lineEnd), saveAs_(saveAs), forceSaveAs_(forceSaveAs)
{
    SetCaption("文字/改行コード指定保存");
    SetFormFont(*this);
    SetBorderStyle(bsDialog);
    SetClientSize(268, 176);
    Label1.SetBounds(12, 15, 96, 16);
    SaveCvt.SetBounds(112, 11, 144, 22);
    SaveCvt.SetItems(std::vector<std::string>(std::begin(kSaveCodeNames), std::end(kSaveCodeNames)));
    Label2.SetBounds(12, 45, 96, 16);
    SaveRetCvt.SetBounds(112, 41, 144, 22);
    SaveRetCvt.SetItems(std::vector<std::string>(std::begin(kSaveLineEndNames), std::end(kSaveLineEndNames)));
    Save.SetBounds(12, 72, 244, 60);
    Save.SetItems({"上書き保存(&S)", "名前を付けて保存(&A)"});
    btOK.SetBounds(100, 142, 75, 25);
    btOK.SetDefault(true);
    btCancel.SetBounds(181, 142, 75, 25);
    btCancel.SetCancel(true);
    Handle();
    if (DialogHost().StyleFormControls) DialogHost().StyleFormControls(*this);
}

void TFormJcode::DoShow()
{
    PlaceWindowInWorkArea(UpperEditorWindow(), Handle(), 24, 24);
    SaveCvt.SetItemIndex(SaveCodeIndex(code_));
    SaveRetCvt.SetItemIndex(SaveLineEndIndex(lineEnd_));
    Save.SetEnabled(!forceSaveAs_);
    Save.SetItemIndex(saveAs_ || forceSaveAs_ ? 1 : 0);
    TForm::DoShow();
}

bool ShowJcodeDialog(TCharCode& code, TLineEndCode& lineEnd, bool& saveAs, bool forceSaveAs)
{
    TFormJcode form(MainWindow(), code, lineEnd, saveAs, forceSaveAs);
    if (form.ShowModal() != mrOk) return false;
    code = SaveCodeOfIndex(form.SaveCvt.ItemIndex());
    lineEnd = SaveLineEndOfIndex(form.SaveRetCvt.ItemIndex());
    saveAs = form.Save.ItemIndex() == 1;
    return true;
}

} // namespace vellumo
