// The open and save dialogs of the main window, behind a seam for tests.
#include "app/mainform.h"

#include <commdlg.h>

namespace vellumo {

namespace {

TFileDialogRunner g_runner;

bool SystemFileDialog(HWND owner, TFileDialogRequest& r)
{
    char name[MAX_PATH * 2] = {};
    r.FileName.copy(name, sizeof name - 1);
    const std::string filter = FileDialogFilterBytes(r.Filter.empty() ? "すべてのファイル (*.*)|*.*" : r.Filter);
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = static_cast<DWORD>(r.FilterIndex);
    ofn.lpstrFile = name;
    ofn.nMaxFile = sizeof name;
    ofn.lpstrInitialDir = r.Folder.empty() ? nullptr : r.Folder.c_str();
    ofn.lpstrTitle = r.Save ? "名前を付けて保存" : "ファイルを開く";
    ofn.lpstrDefExt = "txt";
    ofn.Flags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_PATHMUSTEXIST;
    if (r.Save) {
        ofn.Flags |= OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_NOREADONLYRETURN;
        if (!GetSaveFileNameA(&ofn)) return false;
    } else {
        ofn.Flags |= OFN_FILEMUSTEXIST;
        if (!GetOpenFileNameA(&ofn)) return false;
        r.ReadOnly = (ofn.Flags & OFN_READONLY) != 0;
    }
    r.FileName = name;
    return true;
}

} // namespace

TFileDialogRunner SetFileDialogRunner(TFileDialogRunner runner)
{
    auto old = std::move(g_runner);
    g_runner = std::move(runner);
    return old;
}

bool RunFileDialog(HWND owner, TFileDialogRequest& request)
{
    if (g_runner) return g_runner(request);
    const bool ok = SystemFileDialog(owner, request);
    PumpMessagesOnce();
    return ok;
}

bool TVellumoMainForm::RunOpenDialog()
{
    TFileDialogRequest r;
    r.Folder = DialogFolder();
    r.Filter = OpenFilter;
    r.FilterIndex = OpenFilterIndex;
    const bool ok = RunFileDialog(Window(), r);
    openDialogReadOnly_ = ok && r.ReadOnly;
    if (ok) DialogFileName = r.FileName;
    return ok;
}

bool TVellumoMainForm::RunSaveDialog(const std::string& folder, std::string& fileName)
{
    TFileDialogRequest r;
    r.Save = true;
    r.Folder = folder;
    r.FileName = fileName;
    r.Filter = SaveFilter;
    r.FilterIndex = SaveFilterIndex;
    if (!RunFileDialog(Window(), r)) return false;
    fileName = r.FileName;
    return true;
}

} // namespace vellumo
