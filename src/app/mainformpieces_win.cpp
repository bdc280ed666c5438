// The steps of creating, showing and closing the window that belong to other
// parts of the program, each behind one named member, and the window's share
// of applying settings.
#include <memory>

#include "app/applysettings.h"
#include "app/editmodes.h"
#include "app/mainform.h"
#include "app/reloadini.h"
#include "app/settingsstore.h"
#include "app/winmachine.h"

namespace vellumo {

namespace {

std::unique_ptr<TWinMachineDefaults> g_machine;
std::unique_ptr<TSettingsStore> g_store;

} // namespace

void TVellumoMainForm::LocateSettingsFile()
{
    // Until the settings location lands: beside the program, or in the "/i=" folder.
    g_machine = std::make_unique<TWinMachineDefaults>(Window());
    std::string folder = g_machine->ProgramFolder();
    const std::string line = GetCommandLineA();
    const auto at = line.find("/i=");
    if (at != std::string::npos) {
        std::string arg = line.substr(at + 3);
        const bool quoted = !arg.empty() && arg[0] == '"';
        if (quoted) arg.erase(0, 1);
        arg = arg.substr(0, arg.find(quoted ? '"' : ' '));
        char full[MAX_PATH];
        if (!arg.empty() && GetFullPathNameA(arg.c_str(), MAX_PATH, full, nullptr)) {
            CreateDirectoryA(full, nullptr);
            folder = full;
            IniFolder = folder;
        }
    }
    if (!folder.empty() && folder.back() != '\\') folder += '\\';
    IniPath = folder + "Vellumo.ini";
}

void TVellumoMainForm::InstallApplicationEvents()
{
    // The application object's message and activation events arrive with it.
}

void TVellumoMainForm::LoadAndApplySettings()
{
    g_store = std::make_unique<TSettingsStore>(IniPath, *g_machine);
    g_store->LoadSettings();
    SetAppSettingsStore(g_store.get());
    InstallReloadBroadcast(*g_store);
    InstallAppEditorHost();
    ApplySettings(true, true);
}

void TVellumoMainForm::SetUntitled()
{
    Document().CurrentFileName.clear();
    SetCaption("無題 - Vellumo");
    SetOpenFileNameText(std::string());
}

std::string TVellumoMainForm::ProcessCommandLine()
{
    // Until the command line lands: the first argument not starting with "/" is opened.
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    std::string name;
    for (int i = 1; argv && i < argc; ++i) {
        if (argv[i][0] == L'/') continue;
        char buf[MAX_PATH * 2];
        if (WideCharToMultiByte(CP_ACP, 0, argv[i], -1, buf, sizeof buf, nullptr, nullptr) > 0) name = buf;
        break;
    }
    if (argv) LocalFree(argv);
    if (!name.empty() && Documents.OpenFile) Documents.OpenFile(name);
    return {};
}

void TVellumoMainForm::ReadStandardInput()
{
    // Reading piped standard input into the untitled document arrives with its own piece.
}

void TVellumoMainForm::ClearPrintAndExit()
{
    // The command line's print-and-exit flag arrives with the command line.
}

void TVellumoMainForm::StartImeIfWanted()
{
    // Opening the input method at start arrives with the input-method piece.
}

void TVellumoMainForm::JumpFromCommandLine()
{
    // "/j=", "/jl=" and "/je" arrive with the command line.
}

void TVellumoMainForm::UseCommandLineDialogFolder()
{
    // "/d=" arrives with the command line.
}

void TVellumoMainForm::RunStartupTools()
{
    // The start-up tools arrive with the external tools.
}

void TVellumoMainForm::SaveWindowPlacement()
{
    // Writing the window placement arrives with the placement settings.
}

void TVellumoMainForm::AddToFileHistory(const std::string& fileName)
{
    (void)fileName;  // the recent-file list arrives with the history piece
}

void TVellumoMainForm::ApplyEditModeOf(const std::string& fileName) { vellumo::EditModeFromFileName(fileName); }

// ---- the window's share of applying settings

void TVellumoMainForm::ApplyWindowSettings(const TWindowSettings& ws)
{
    if (!ws.Settings) return;
    const TAppIni& o = ws.Settings->Option;
    OpenFilter = ws.OpenFilter;
    SaveFilter = ws.SaveFilter;
    if (ws.SetInitialDir) OpenDialogFolder = ws.InitialDir;
    ToolBar1.SetVisible(o.ToolBar);
    StatusBar1.SetVisible(o.StatusBar);
    LayoutControls();
}

void TVellumoMainForm::SetFileDialogFilterIndex(int openIndex, int saveIndex)
{
    OpenFilterIndex = openIndex;
    SaveFilterIndex = saveIndex;
}

void TVellumoMainForm::SaveViewState(bool redrawOff)
{
    TEditor& e = ActiveEditor();
    viewState_ = {e.Row(), e.Col(), e.TopRow(), e.LeftCol()};
    if (redrawOff && e.HandleAllocated()) SendMessageA(e.Handle(), WM_SETREDRAW, FALSE, 0);
}

void TVellumoMainForm::RestoreViewState(bool redrawAlreadyOff)
{
    TEditor& e = ActiveEditor();
    if (redrawAlreadyOff && e.HandleAllocated()) SendMessageA(e.Handle(), WM_SETREDRAW, TRUE, 0);
    e.SetTopRow(viewState_.TopRow);
    e.SetLeftCol(viewState_.LeftCol);
    e.SetRow(viewState_.Row);
    e.SetCol(viewState_.Col);
    e.Invalidate();
}

void TVellumoMainForm::UpdateCodeStatus()
{
    // The code and line-end panels are written by the document functions.
}

void TVellumoMainForm::UpdateBrowserPreviewItems()
{
    // The browser items follow the settings with the browser-preview piece.
}

void TVellumoMainForm::RebuildSettingsMenus()
{
    // The wrap-width and Tools items are rebuilt with their commands.
}

void TVellumoMainForm::UpdateCaptionAndPosition()
{
    // The caption and the caret panel are refreshed by their writers.
}

} // namespace vellumo
