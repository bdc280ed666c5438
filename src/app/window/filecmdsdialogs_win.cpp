// The open and save dialogs of the main window.
#include "app/window/mainform_win.h"

#include "app/document/docopen.h"
#include "app/window/docguards_win.h"

namespace vellumo {

namespace {

// A name no document can have (too long, a device) is refused while the
// dialog is still open, so the user can choose again.
void OpenDialog1CanClose(TFileDialog& dialog, bool& canClose)
{
    canClose = FileDialogAccepts(dialog.FileName());
    if (!canClose) dialog.SetFileName("");
}

// The same refusals, and a file the document may not write over.
void SaveDialog1CanClose(TFileDialog& dialog, bool& canClose) { canClose = SaveDialogAccepts(dialog.FileName()); }

} // namespace

void TVellumoMainForm::SetUpFileDialogs()
{
    OpenDialog1.SetTitle("ファイルを開く");
    OpenDialog1.SetDefaultExt("txt");
    OpenDialog1.SetOptions(ofPathMustExist | ofFileMustExist | ofEnableSizing);
    SaveDialog1.SetTitle("名前を付けて保存");
    SaveDialog1.SetDefaultExt("txt");
    SaveDialog1.SetOptions(ofOverwritePrompt | ofHideReadOnly | ofNoReadOnlyReturn | ofEnableSizing);
    OpenDialog1.OnCanClose = OpenDialog1CanClose;
    SaveDialog1.OnCanClose = SaveDialog1CanClose;
}

bool TVellumoMainForm::RunOpenDialog()
{
    // The read-only box starts cleared each time, and the name empty: the
    // document's own name is no file to open again.
    OpenDialog1.SetOptions(OpenDialog1.Options() & ~ofReadOnly);
    OpenDialog1.SetInitialDir(DialogFolder());
    OpenDialog1.SetFileName("");
    const bool ok = OpenDialog1.Execute(Window());
    PumpMessagesOnce();
    openDialogReadOnly_ = ok && (OpenDialog1.Options() & ofReadOnly);
    return ok;
}

bool TVellumoMainForm::RunSaveDialog(const std::string& folder, std::string& fileName)
{
    // An untitled document starts where the open dialog would.
    SaveDialog1.SetInitialDir(folder.empty() ? DialogFolder() : folder);
    SaveDialog1.SetFileName(fileName);
    if (!SaveDialog1.Execute(Window())) return false;
    PumpMessagesOnce();
    fileName = SaveDialog1.FileName();
    return true;
}

} // namespace vellumo
