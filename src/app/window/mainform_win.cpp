#include "app/window/mainform_win.h"

#include <cstddef>

#include "app/commands/commands_win.h"
#include "app/commands/printcmds_win.h"  // the printing the window owns
#include "app/core/appfuncs.h"
#include "app/window/clipdetector_win.h"
#include "app/window/linedraw_win.h"
#include "app/document/docopen.h"
#include "app/window/menus.h"
#include "app/window/toolbar.h"
#include "classlib/application_win.h"
#include "classlib/formplace.h"
#include "base/showmsg.h"

namespace vellumo {

namespace {

TVellumoMainForm* g_mainForm = nullptr;
bool g_isVistaOrLater = true;
bool g_isXPOrLater = true;

bool CheckWin32Version(DWORD major, DWORD minor)
{
    OSVERSIONINFOA v{};
    v.dwOSVersionInfoSize = sizeof v;
    // A system that does not say counts as a new one.
    if (!GetVersionExA(&v)) return true;
    return v.dwMajorVersion > major || (v.dwMajorVersion == major && v.dwMinorVersion >= minor);
}

} // namespace

bool IsVistaOrLater() noexcept { return g_isVistaOrLater; }
bool IsXPOrLater() noexcept { return g_isXPOrLater; }

TVellumoMainForm* VellumoMainForm() noexcept { return g_mainForm; }

TVellumoMainForm::TVellumoMainForm()
{
    SetVisible(false);
    LastEditor = &Editor1;
    BindMenuHandlers(MainMenuItems, false);
    BindMenuHandlers(PopupMenuItems, true);
    g_mainForm = this;
    SetMainForm(this);
}

TVellumoMainForm::~TVellumoMainForm()
{
    FreeSecondEditor();  // before the members it reports to go
    MainMenu1.SetWindow(nullptr);
    Application().OnActivate = nullptr;
    Application().OnRestore = nullptr;
    if (g_mainForm == this) g_mainForm = nullptr;
    if (MainForm() == this) SetMainForm(nullptr);
}

void TVellumoMainForm::CreateParams(TCreateParams& p)
{
    TCustomControl::CreateParams(p);
    p.ClassName = "TVellumoMainForm";
    p.Caption = "Vellumo";
    p.Style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    // Owned by the application window, which carries the task-bar button.
    p.Parent = ApplicationWindow();
    // Client 484 x 313 where the system puts new windows.
    RECT r{0, 0, 484, 313};
    AdjustWindowRectEx(&r, p.Style, TRUE, p.ExStyle);
    p.X = p.Y = static_cast<int>(CW_USEDEFAULT);
    p.Width = r.right - r.left;
    p.Height = r.bottom - r.top;
}

void TVellumoMainForm::SetCaption(const std::string& caption) { SetWindowTextA(Window(), caption.c_str()); }

std::string TVellumoMainForm::Caption()
{
    char buf[1024] = {};
    GetWindowTextA(Window(), buf, sizeof buf);
    return buf;
}

void TVellumoMainForm::FormCreate()
{
    g_isVistaOrLater = CheckWin32Version(6, 0);
    g_isXPOrLater = CheckWin32Version(5, 1);
    if (!g_isVistaOrLater) InstallDialogPlacementHook();
    SetUpFileDialogs();
    FillDialogHost(*this);

    HWND h = Window();
    RegisterMainWindow(h);
    if (HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1))) {
        SendMessageA(h, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
        SendMessageA(h, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    }
    MainMenu1.SetWindow(h);
    StatusBar1.Create(h);
    Editor1.SetParentWindow(h);
    Editor1.SetPopupMenu(&PopupMenu1);
    WireEditor(Editor1);  // focus, caret and selection-mode events (splitview_win.cpp)
    Editor1.OnChange = [this](TEditor&) { Editor1Change(); };
    Editor1.OnSelectionChange = [this](TEditor&, bool) { UpdateToolBarState(); };
    Editor1.OnDrawLine = Editor1DrawLine;
    ToolBar1.Create(h, kFirstToolCommand);
    VellumoOpenFileName = CreateWindowExA(0, OpenFileNameEditClass(), "", WS_CHILD, 0, 0, 0, 0, h, nullptr,
                                          GetModuleHandleA(nullptr), nullptr);
    InitSystemFonts();

    LocateSettingsFile();  // the "/i=" folder, beside the program or per user
    StartFolder.clear();
    replaceBusy_ = false;
    DragAcceptFiles(h, TRUE);
    InstallApplicationEvents();  // the application's message and activation events
    LoadAndApplySettings();      // all settings, then applied to the editors and bars
    StartMainClipDetector([this] { UpdateToolBarState(); });  // ClipDetectorClipChange
    SetUntitled();  // the untitled state
    KeepInsideWorkArea();
    StartFolder = ProcessCommandLine();
    ReadStandardInput();  // piped text into the untitled document
    LayoutControls();
}

void TVellumoMainForm::InitSystemFonts()
{
    // The record without the last field (340 bytes): every system accepts that size.
    const UINT size = offsetof(NONCLIENTMETRICSA, iPaddedBorderWidth);
    NonClientMetrics.cbSize = size;
    if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, size, &NonClientMetrics, 0))
        StatusBar1.SetFontFrom(NonClientMetrics.lfStatusFont);
}

void TVellumoMainForm::KeepInsideWorkArea()
{
    HWND h = Window();
    RECT w;
    GetWindowRect(h, &w);
    MONITORINFO mi{};
    mi.cbSize = sizeof mi;
    if (!GetMonitorInfoA(MonitorFromWindow(h, MONITOR_DEFAULTTONEAREST), &mi)) return;
    const TPlaceRect work{mi.rcWork.left, mi.rcWork.top, mi.rcWork.right, mi.rcWork.bottom};
    const TPlacePoint p = ClampIntoWorkArea({w.left, w.top}, w.right - w.left, w.bottom - w.top, work);
    if (p.X != w.left || p.Y != w.top)
        SetWindowPos(h, nullptr, p.X, p.Y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TVellumoMainForm::ShowMainForm()
{
    // Reading standard input may show the window inside FormCreate; the
    // work of showing runs once, before the window appears (a folder
    // argument from which nothing is opened ends the program unseen).
    const bool first = !shown_;
    shown_ = true;
    ShowApplicationWindow();
    if (first) {
        FormShow();
        if (endWithoutShowing_) return;
    }
    ShowWindow(Window(), startMaximized_ ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
    startMaximized_ = false;
    SetVisible(true);
    Editor1.SetFocus();
}

void TVellumoMainForm::FormShow()
{
    ClearPrintAndExit();  // the command line's print-and-exit request is spent
    StartImeIfWanted();   // the input method opens at start when asked
    if (!Document().CurrentFileName.empty()) {
        JumpFromCommandLine();
        RunStartupTools();
        return;
    }
    if (!StartFolder.empty()) {
        OpenInFolder();
        return;
    }
    UseCommandLineDialogFolder();
    RunStartupTools();
}

void TVellumoMainForm::OpenInFolder()
{
    SetForegroundWindow(Window());
    const std::string folder = StartFolder;
    OpenDialogFolder = folder;
    mOpenClick(*this);
    OpenDialogFolder.clear();
    StartFolder.clear();
    if (!Document().CurrentFileName.empty()) return;
    // Nothing opened from the folder: the program ends unseen.
    SetWindowPos(Window(), nullptr, -100, -100, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE);
    SetForegroundWindow(ApplicationWindow());
    EndWithoutShowing();
}

void TVellumoMainForm::Editor1Change()
{
    // The first change marks the caption; later ones leave it alone.
    const std::string caption = Caption();
    if (caption.find('*') == std::string::npos && caption.find("<Output>") == std::string::npos)
        UpdateCaption(Document().CurrentFileName);
    UpdateToolBarState();
}

bool TVellumoMainForm::SaveBeforeClosing()
{
    if (!Documents.QuerySaveChanges) return true;
    const TSaveAnswer answer = Documents.QuerySaveChanges();
    bool saved = false;
    if (answer == TSaveAnswer::Yes) {
        if (Documents.NeedsSaveAs && Documents.NeedsSaveAs())
            saved = Documents.SaveFileAs && Documents.SaveFileAs(false);
        else
            saved = Documents.SaveFile && Documents.SaveFile(Document().CurrentFileName, false);
    }
    return MayCloseAfter(answer, saved);
}

bool TVellumoMainForm::FormCloseQuery() { return SaveBeforeClosing(); }

void TVellumoMainForm::FormClose()
{
    if (ToolBar1.Handle())
        for (HWND c = GetWindow(ToolBar1.Handle(), GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
            SendMessageA(c, WM_CLOSE, 0, 0);
}

void TVellumoMainForm::FormDestroy()
{
    RemoveDialogPlacementHook();
    StopMainClipDetector();
    // Leaving must not fail because the placement could not be written.
    try {
        SaveWindowPlacement();
    } catch (...) {
    }
}

void TVellumoMainForm::LayoutControls()
{
    if (!HandleAllocated()) return;
    RECT r;
    GetClientRect(Window(), &r);
    ToolBar1.Resize();
    StatusBar1Resize();
    const int top = ToolBar1.Showing() ? ToolBar1.Height() : 0;
    const int bottom = r.bottom - (StatusBar1.Showing() ? StatusBar1.Height() : 0);
    const int editorTop = LayoutSplit(top, bottom, r.right);  // the upper pane when split
    Editor1.SetBounds(0, editorTop, r.right, bottom > editorTop ? bottom - editorTop : 0);
    if (!Editor1.Visible()) Editor1.Show();
}

// ---- IMainWindow

void TVellumoMainForm::SetPanelText(int panel, const std::string& text) { StatusBar1.SetPanelText(panel, text); }

void TVellumoMainForm::SetCaptions(const std::string& caption, const std::string& appTitle)
{
    SetCaption(caption);
    SetApplicationTitle(appTitle);
}

void TVellumoMainForm::SetOpenFileNameText(const std::string& name)
{
    if (VellumoOpenFileName) SetWindowTextA(VellumoOpenFileName, name.c_str());
}

void TVellumoMainForm::SetDialogFileNames(const std::string& fileName)
{
    OpenDialog1.SetFileName(fileName);
    SaveDialog1.SetFileName(fileName);
}

void TVellumoMainForm::AddRecentFile(const std::string& fileName)
{
    AddToFileHistory(fileName);  // the recent-file list and its menu
}

void TVellumoMainForm::UpdateToolBarState() { vellumo::UpdateToolBarState(); }

void TVellumoMainForm::EditModeFromFileName(const std::string& fileName)
{
    ApplyEditModeOf(fileName);  // the edit mode of the name's extension
}

} // namespace vellumo
