// "ブラウザ": when the preview commands show, saving before a preview, the two programs.
#include "classlib/filedialog_win.h"
#include "dialogs/options/optpages_win.h"
#include "settings/settingsdecl.h"

namespace vellumo {

TBrowserPage::TBrowserPage(TPageContext& context) : TOptionPage(context, opBrowser)
{
    TakeNewControls();
    Menu.SetItems({"HTMLモードのみ表示する", "常に表示する", "表示しない"});
    Save.SetItems({"上書き保存する", "確認メッセージを表示する", "上書き保存しない"});
    TOptionBindings& b = ctx_.Bindings;
    b.List(kSecBrowser, "Menu", Menu);
    b.List(kSecBrowser, "Save", Save);
    b.Text(kSecBrowser, "IePath", IePath);
    b.Check(kSecBrowser, "IeDde", IeDde);
    b.Text(kSecBrowser, "MfPath", MfPath);
    b.Check(kSecBrowser, "MfDde", MfDde);
    IePathButton.OnClick = [this] {
        ChooseProgram(IePath, "Internet Explorer の実行ファイル", "IE実行ファイル(Iexplore.exe)|Iexplore.exe");
    };
    MfPathButton.OnClick = [this] {
        ChooseProgram(MfPath, "Mozilla Firefox の実行ファイル", "Firefox実行ファイル(firefox.exe)|firefox.exe");
    };
}

void TBrowserPage::Layout(const RECT& area)
{
    Origin(area);
    const int gw = width_ - 16;
    Put(GroupBox1, 8, 4, gw, 84);
    Put(Label1, 20, 24 + kLabelDy, 200, 16);
    Put(Menu, 224, 24, 210, 22);
    Put(Label2, 20, 54 + kLabelDy, 200, 16);
    Put(Save, 224, 54, 210, 22);

    Put(GroupBox2, 8, 94, gw, 162);
    const int editW = gw - 24 - 40;
    Put(Label3, 20, 114, 240, 16);
    Put(IePath, 20, 132, editW, kEditH);
    Put(IePathButton, 24 + editW, 132, 30, kEditH);
    Put(IeDde, 20, 158, 200, kCheckH);
    Put(Label4, 20, 184, 240, 16);
    Put(MfPath, 20, 202, editW, kEditH);
    Put(MfPathButton, 24 + editW, 202, 30, kEditH);
    Put(MfDde, 20, 228, 200, kCheckH);
}

void TBrowserPage::ChooseProgram(TEdit& edit, const char* title, const char* filter)
{
    TOpenDialog dialog;
    dialog.SetTitle(title);
    dialog.SetFilter(filter);
    const std::string path = edit.Text();
    dialog.SetInitialDir(FolderOfPath(path));
    dialog.SetFileName(path);
    TOpenOptions options = dialog.Options();
    if (!ctx_.Settings.OptionEx.FileDlgEnableSizing) options &= ~ofEnableSizing;
    dialog.SetOptions(options);
    dialog.OnCanClose = [this](TFileDialog& d, bool& canClose) {
        if (ctx_.Host.PathLengthOk && !ctx_.Host.PathLengthOk(d.FileName())) {
            d.SetFileName("");
            canClose = false;
        }
    };
    if (dialog.Execute(form_.Handle())) edit.SetText(dialog.FileName());
}

} // namespace vellumo
