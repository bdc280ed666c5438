// The open and save dialogs of the main window.
#include "app/window/mainform_win.h"

namespace vellumo {

void TVellumoMainForm::SetUpFileDialogs()
{
    OpenDialog1.SetTitle("ファイルを開く");
    OpenDialog1.SetDefaultExt("txt");
    OpenDialog1.SetOptions(ofPathMustExist | ofFileMustExist | ofEnableSizing);
    SaveDialog1.SetTitle("名前を付けて保存");
    SaveDialog1.SetDefaultExt("txt");
    SaveDialog1.SetOptions(ofOverwritePrompt | ofHideReadOnly | ofNoReadOnlyReturn | ofEnableSizing);
}

bool TVellumoMainForm::RunOpenDialog()
{
    // The read-only box starts cleared each time.
    OpenDialog1.SetOptions(OpenDialog1.Options() & ~ofReadOnly);
    OpenDialog1.SetInitialDir(DialogFolder());
    const bool ok = OpenDialog1.Execute(Window());
    PumpMessagesOnce();
    openDialogReadOnly_ = ok && (OpenDialog1.Options() & ofReadOnly);
    return ok;
}

bool TVellumoMainForm::RunSaveDialog(const std::string& folder, std::string& fileName)
{
    SaveDialog1.SetInitialDir(folder);
    SaveDialog1.SetFileName(fileName);
    if (!SaveDialog1.Execute(Window())) return false;
    PumpMessagesOnce();
    fileName = SaveDialog1.FileName();
    return true;
}

} // namespace vellumo
