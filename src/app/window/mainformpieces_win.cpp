// The steps of creating, showing and closing the window that belong to other
// parts of the program, each behind one named member, and the window's share
// of applying settings.
#include "app/window/mainform_win.h"

#include <imm.h>

#include <memory>

#include "app/commands/commands_win.h"
#include "app/commands/historymenu_win.h"
#include "app/commands/printcmds_win.h"
#include "app/core/appfuncs.h"
#include "app/core/applysettings.h"
#include "app/window/clipdetector_win.h"
#include "app/startup/cmdline_win.h"
#include "app/document/docopen.h"
#include "app/window/editmodes.h"
#include "app/core/reloadini.h"
#include "app/integration/browserpreview_win.h"
#include "app/startup/settingsloc.h"
#include "app/startup/settingsloc_win.h"
#include "app/startup/startuptools.h"
#include "settings/settingsdecl.h"
#include "settings/settingsstore.h"
#include "app/document/stdinput_win.h"
#include "settings/winmachine.h"
#include "app/window/toolbar.h"
#include "app/window/wrapwidthmenu.h"
#include "classlib/application_win.h"
#include "base/inifile.h"

namespace vellumo {

namespace {

std::unique_ptr<TWinMachineDefaults> g_machine;
std::unique_ptr<TSettingsStore> g_store;

} // namespace

void TVellumoMainForm::LocateSettingsFile()
{
    IniPath = vellumo::LocateSettingsFile();
    IniFolder = SettingsLocation().SettingsFolder;
    g_machine = std::make_unique<TWinMachineDefaults>(Window());
}

namespace {

// Every message taken from the queue. Message 0x900 reaches the queue from
// outside and means nothing here; dropped files are the window's own
// message (DropFiles).
void AppMessage(MSG& msg, bool& handled)
{
    if (msg.message == 0x900) handled = true;
}

} // namespace

void TVellumoMainForm::InstallApplicationEvents()
{
    TApplication& app = Application();
    app.OnMessage = AppMessage;
    app.OnActivate = [this] { AppActivate(); };
    app.OnRestore = [this] {
        if (HandleAllocated()) SetActiveWindow(Window());
    };
}

void TVellumoMainForm::LoadAndApplySettings()
{
    g_store = std::make_unique<TSettingsStore>(IniPath, *g_machine);
    g_store->LoadSettings();
    SetAppSettingsStore(g_store.get());
    InstallReloadBroadcast(*g_store);
    InstallAppEditorHost();
    RebuildSettingsMenus();
    ApplySettings(true, true);
}

void TVellumoMainForm::SetUntitled() { SetCurrentFile(std::string()); }

std::string TVellumoMainForm::ProcessCommandLine()
{
    const TCommandLineOptions& o = vellumo::ProcessCommandLine();
    if (o.EndRequested) {
        EndWithoutShowing();
    } else if (o.PrintAndExit) {
        // "/p": printed unseen, then the program ends whatever printing did.
        PrintFromCommandLine(*this);
        EndWithoutShowing();
    }
    return o.StartFolder;
}

void TVellumoMainForm::ReadStandardInput() { vellumo::ReadStdInput(); }

void TVellumoMainForm::ClearPrintAndExit()
{
    // The command line's print-and-exit request was spent when it printed
    // (ProcessCommandLine): nothing of it is left for the showing steps.
}

namespace {

constexpr UINT_PTR kImeTimer = 1234;

void OpenIme(HWND window)
{
    if (HIMC context = ImmGetContext(window)) {
        ImmSetOpenStatus(context, TRUE);
        ImmReleaseContext(window, context);
    }
}

void CALLBACK ImeOnTimerProc(HWND window, UINT, UINT_PTR id, DWORD)
{
    KillTimer(window, id);
    OpenIme(window);
}

} // namespace

void TVellumoMainForm::StartImeIfWanted()
{
    const TAppIni& o = AppSettingsStore().Settings.Option;
    if (!o.StartIme || (o.ImeDefOnly && CurrentEditMode() != emStandard)) return;
    Editor1.SetFocus();
    if (IsXPOrLater()) {
        // Opened a moment later, once the editor has its input context.
        SetTimer(Editor1.Handle(), kImeTimer, 100, ImeOnTimerProc);
    } else {
        OpenIme(Editor1.Handle());
    }
}

void TVellumoMainForm::JumpFromCommandLine()
{
    const TCommandLineSwitches& sw = CommandLineOptions().Switches;
    if (sw.JumpLine > 0)
        JumpToLine(sw.JumpLine, 0);
    else if (sw.JumpLogicalLine > 0)
        JumpToLine(sw.JumpLogicalLine, 1);
    else if (sw.JumpEnd)
        JumpToLastLine();
}

void TVellumoMainForm::UseCommandLineDialogFolder()
{
    const std::string& folder = CommandLineOptions().Switches.DialogFolder;
    if (!folder.empty()) OpenDialogFolder = ExpandEnvInPath(folder);
}

void TVellumoMainForm::RunStartupTools() { vellumo::RunStartupTools(IniPath, CurrentEditMode()); }

void TVellumoMainForm::SaveWindowPlacement()
{
    // Kept only when the user asked for the last placement, and never for a
    // window parked unseen at (-100,-100).
    if (!g_store || g_store->Settings.Option.StartWindow != 1 || !HandleAllocated()) return;
    RECT r;
    if (!GetWindowRect(Window(), &r) || (r.left == -100 && r.top == -100)) return;
    if (!SettingsWriteAllowed()) return;
    TMemIniFile ini(IniPath);
    TAppWindowPlacement p;
    p.WindowWidth = r.right - r.left;
    p.WindowHeight = r.bottom - r.top;
    p.WindowTop = r.top;
    p.WindowLeft = r.left;
    p.WindowMax = IsZoomed(Window()) != FALSE;
    WriteWindowPlacementSettings(ini, p);
    ini.UpdateFile();
}

void TVellumoMainForm::AddToFileHistory(const std::string& fileName) { AddFileHistory(fileName); }

void TVellumoMainForm::ApplyEditModeOf(const std::string& fileName) { vellumo::EditModeFromFileName(fileName); }

// ---- the window's share of applying settings

void TVellumoMainForm::PlaceAtStartup(const TAppIni& o)
{
    const HWND h = Window();
    RECT r{};
    GetWindowRect(h, &r);
    int left = r.left, top = r.top, width = r.right - r.left, height = r.bottom - r.top;
    switch (o.StartWindow) {
    case 1: {
        // The placement of the last exit; a maximized exit kept the normal one.
        TAppWindowPlacement p = g_store->LoadWindowPlacement();
        ClampWindowPlacement(p, VirtualScreenArea());
        left = p.WindowLeft;
        top = p.WindowTop;
        width = p.WindowWidth;
        height = p.WindowHeight;
        startMaximized_ = p.WindowMax;
        break;
    }
    case 2: startMaximized_ = true; break;
    case 3:
        if (o.UserWindowSize) {
            width = o.UserWindowSize_W;
            height = o.UserWindowSize_H;
        }
        if (o.UserWindowPos) {
            left = o.UserWindowPos_X;
            top = o.UserWindowPos_Y;
        }
        break;
    default: return;
    }
    SetWindowPos(h, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TVellumoMainForm::ApplyWindowSettings(const TWindowSettings& ws)
{
    if (!ws.Settings) return;
    const TAppIni& o = ws.Settings->Option;
    if (ws.AtStartup && g_store) PlaceAtStartup(o);
    // Sizing, filters and the initial folder of both dialogs.
    for (TFileDialog* d : {static_cast<TFileDialog*>(&OpenDialog1), static_cast<TFileDialog*>(&SaveDialog1)}) {
        d->SetOptions(ws.Settings->OptionEx.FileDlgEnableSizing ? (d->Options() | ofEnableSizing) : (d->Options() & ~ofEnableSizing));
        if (ws.SetInitialDir) d->SetInitialDir(ws.InitialDir);
    }
    OpenDialog1.SetFilter(ws.OpenFilter);
    SaveDialog1.SetFilter(ws.SaveFilter);
    if (ws.SetInitialDir) OpenDialogFolder = ws.InitialDir;
    ToolBar1.SetFlat(o.FlatToolBar);
    ToolBar1.ApplyToolBarImages(o.ToolBtnImg, o.FlatToolBar, o.ToolBtnHotImg);
    ToolBar1.SetVisible(o.ToolBar);
    StatusBar1.SetVisible(o.StatusBar);
    LayoutControls();
}

void TVellumoMainForm::SetFileDialogFilterIndex(int openIndex, int saveIndex)
{
    OpenDialog1.SetFilterIndex(openIndex);
    SaveDialog1.SetFilterIndex(saveIndex);
}

void TVellumoMainForm::SetClipboardWatcherIgnoreFirst(bool ignoreFirst) { SetMainClipDetectorIgnoreFirst(ignoreFirst); }

void TVellumoMainForm::PlacePopupToolMenu(bool atTop)
{
    // The tools submenu and its separator: first (tools, separator) or last
    // (separator, tools).
    TMenuItem& root = PopupMenu1.Items();
    TMenuItem& tools = PopupMenuItems.Item("pTools");
    TMenuItem& bar = PopupMenuItems.Item("pToolBar");
    if (atTop) {
        root.Move(root.IndexOf(&tools), 0);
        root.Move(root.IndexOf(&bar), 1);
    } else {
        root.Move(root.IndexOf(&bar), root.Count() - 1);
        root.Move(root.IndexOf(&tools), root.Count() - 1);
    }
}

void TVellumoMainForm::SaveViewState(bool redrawOff) { viewState_ = vellumo::SaveViewState(redrawOff); }

void TVellumoMainForm::RestoreViewState(bool redrawAlreadyOff) { vellumo::RestoreViewState(viewState_, redrawAlreadyOff); }

void TVellumoMainForm::UpdateCodeStatus() { vellumo::UpdateCodeStatus(); }

void TVellumoMainForm::UpdateBrowserMenus()
{
    const TBrowserMenuState s = CurrentBrowserMenuState();
    for (const char* name : {"mIE", "mNN", "N_Browser"}) MainMenuItems.Item(name).SetVisible(s.Shown);
    MainMenuItems.Item("mIE").SetEnabled(s.FirstEnabled);
    MainMenuItems.Item("mNN").SetEnabled(s.SecondEnabled);
    for (const char* name : {"tbBwSp", "tbIE", "tbNN"}) ToolBar1.SetButtonVisible(name, s.ButtonsShown);
}

void TVellumoMainForm::RebuildSettingsMenus()
{
    // The wrap widths of the settings after "&0" and its separator, then
    // the tools (whose keys give way to the wrap widths').
    TMenuItem& list = MainMenuItems.Item("mWordWrapList");
    while (list.Count() > 2) list.Delete(list.Count() - 1);
    for (const TWrapWidthItem& w : WrapWidthMenuItems(AppSettingsStore().Settings.WrapWidths)) {
        TMenuItem& item = list.Add(w.Caption);
        item.SetShortCut(w.ShortCut);
        item.SetHint(w.Hint);
        item.SetTag(w.Tag);
        item.OnClick = [this](TMenuItem& i) {
            if (!DocumentBusy()) WrapWidthItemClick(*this, static_cast<int>(i.Tag()));
        };
    }
    RebuildToolMenu(*this);
}

void TVellumoMainForm::UpdateCaptionAndPosition()
{
    UpdateCaption(Document().CurrentFileName);
    UpdateCaretPanel();
}

void TVellumoMainForm::RepaintStatusBar()
{
    if (StatusBar1.Handle()) {
        ::InvalidateRect(StatusBar1.Handle(), nullptr, TRUE);
        UpdateWindow(StatusBar1.Handle());
    }
}

void TVellumoMainForm::SetToolBarButtons(const TToolBarState& st)
{
    ToolBar1.SetButtonEnabled("tbSave", st.Save);
    ToolBar1.SetButtonEnabled("tbCut", st.Cut);
    ToolBar1.SetButtonEnabled("tbCopy", st.Copy);
    ToolBar1.SetButtonEnabled("tbPaste", st.Paste);
    ToolBar1.SetButtonEnabled("tbUndo", st.Undo);
    ToolBar1.SetButtonEnabled("tbRedo", st.Redo);
    ToolBar1.SetButtonEnabled("tbIE", st.InternetExplorer);
    ToolBar1.SetButtonEnabled("tbNN", st.Firefox);
    // A button whose command has not arrived yet would do nothing.
    for (const TToolButtonEntry& b : ToolButtonTable())
        if (!b.IsSeparator() && !CommandTable().Find(b.MenuItem)) ToolBar1.SetButtonEnabled(b.Name, false);
}

void TVellumoMainForm::EndWithoutShowing()
{
    endWithoutShowing_ = true;
    PostQuitMessage(0);
}

void TVellumoMainForm::BringApplicationForward() { SetForegroundWindow(Window()); }

void TVellumoMainForm::ApplyEditModeSwitch(int mode)
{
    if (mode == static_cast<int>(CurrentEditMode())) return;
    SetCurrentEditMode(static_cast<TEditMode>(mode));
    UpdateModeStatus();
    ApplySyntaxMode(true);
}

void TVellumoMainForm::WrapChanged()
{
    UpdateModeStatus();  // the guide lines follow with the view commands
}

} // namespace vellumo
