#pragma once
// The main window: owner of the editor, the bars, the menus and the
// document's window-side state. It has no command handlers: the menus'
// commands are free functions on the form in app/commands/ (commands_win.h),
// one file per menu, each with its rows of the one command table
// (app/core/commandtable.h: an item's name -> its handler and enabling rule).
// The window's own concerns each live in a file:
//   mainform_win.cpp        creation, showing, closing, layout, IMainWindow
//   mainformpieces_win.cpp  creation steps of other parts, applying settings
//   mainformmsg_win.cpp     window messages; menu items, shortcuts and tool
//                           buttons run their command from the table
//   mainformhook_win.cpp    placing the file dialogs (old systems)
//   toolbuttons_win.cpp     the tool buttons' press and click handlers
//   docguards_win.cpp       dropped files, outside changes on activation,
//                           the save dialog's read-only refusal
//   integration/appmessages_win.cpp  the messages of other programs
//   mainformstatus_win.cpp  the status bar and the panels that follow the caret
//   editorevents_win.cpp    keys, mouse and double click of the editors
//   splitview_win.cpp       the split view and which editor the commands act on
//   mainformowner*          the application window and the pump
//   menus*.cpp, toolbar*.cpp  menus and tool bar from their tables
//   filecmdsdialogs_win.cpp, document/filecmdsdocs_win.cpp  the file dialogs
//                           and the document functions the File commands use
//   commands/searchcmds_win.cpp, searchreplace_win.cpp, searchstate_win.cpp
//                           the search the Search commands run on the form
// Windows only.
#include <windows.h>
#include <shellapi.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "app/core/appcontext.h"
#include "app/document/docopen.h"
#include "app/commands/filecmds.h"
#include "app/window/mainformowner_win.h"
#include "app/window/mainformstatus_win.h"
#include "app/window/menus_win.h"
#include "app/window/toolbar_win.h"
#include "classlib/control_win.h"
#include "classlib/filedialog_win.h"
#include "classlib/splitter_win.h"
#include "editor/editor_win.h"
#include "editor/editprop.h"

namespace vellumo {

struct TAppIni;
class TMainPrinting;

// The document functions the File commands and closing call. The program
// installs the real ones; tests install fakes.
struct TDocumentFunctions {
    std::function<bool(const std::string& fileName)> OpenFile;
    std::function<bool(const std::string& fileName, bool wrapBreaks)> SaveFile;
    std::function<bool(bool wrapBreaks)> SaveFileAs;
    std::function<TSaveAnswer()> QuerySaveChanges;
    std::function<bool()> NeedsSaveAs;
    std::function<void(const std::string& arguments)> StartNewInstance;
    std::function<bool()> ReloadCommand;              // F5: detection, or the current code
    std::function<bool(TCharCode code)> ReloadWithCode;
};

class TVellumoMainForm : public TCustomControl, public IMainWindow {
public:
    TVellumoMainForm();
    ~TVellumoMainForm() override;

    // ---- components, in creation order
    TMainStatusBar StatusBar1;
    TEditor Editor1;
    TMainToolBar ToolBar1;
    HWND VellumoOpenFileName = nullptr;  // class "TEdit", 0 x 0, read by other instances
    TMainMenu MainMenu1;
    TTableMenu MainMenuItems{MainMenu1, MainMenuTable()};
    TPopupMenu PopupMenu1;
    TTableMenu PopupMenuItems{PopupMenu1, PopupMenuTable()};
    TDocumentFunctions Documents;


    // ---- fields shared by the window's parts
    std::string IniPath, IniFolder, StartFolder;
    HWND LastEditorHandle = nullptr;
    TEditor* LastEditor = nullptr;
    bool TopMostOn = false;
    std::string SearchString, ReplaceWith;
    std::uint16_t SearchFlags = 0;
    bool SearchEscapes = false;  // escapes in both texts are resolved
    int ReplaceCount = 0;
    bool ToolButtonPressed = false;
    int OptionPage = 0;
    NONCLIENTMETRICSA NonClientMetrics{};

    // ---- life cycle (mainform_win.cpp)
    void FormCreate();
    // The system's non-client metrics; the status bar takes their status font.
    void InitSystemFonts();
    void FormShow();
    bool FormCloseQuery();
    void FormClose();
    void FormDestroy();
    // Saves a changed document when the user asks; false keeps the window.
    bool SaveBeforeClosing();
    void LayoutControls();
    void Editor1Change();

    // ---- IMainWindow
    void* Handle() override { return Window(); }
    bool Showing() const override { return TCustomControl::Showing(); }
    HWND Window() { return TCustomControl::Handle(); }
    void SetCaption(const std::string& caption);
    std::string Caption();
    bool EndingWithoutShowing() const noexcept { return endWithoutShowing_; }
    // Shows the window; the showing steps run once.
    void ShowMainForm();
    TEditor& ActiveEditor() override;
    TEditor& MainEditor() override { return Editor1; }
    TEditor* SplitEditor() override { return SecondEditor(); }
    void SetPanelText(int panel, const std::string& text) override;
    void SetCaptions(const std::string& caption, const std::string& appTitle) override;
    void SetOpenFileNameText(const std::string& name) override;
    void SetDialogFileNames(const std::string& fileName) override;
    void AddRecentFile(const std::string& fileName) override;
    void UpdateToolBarState() override;
    void EditModeFromFileName(const std::string& fileName) override;
    TEditorProp& EditorProp1() override { return editorProp_; }
    // The file dialogs (scripted in tests through TFileDialog::SetScript).
    TOpenDialog OpenDialog1;
    TSaveDialog SaveDialog1;
    void ApplyWindowSettings(const TWindowSettings& settings) override;
    void SetFileDialogFilterIndex(int openIndex, int saveIndex) override;
    void SetClipboardWatcherIgnoreFirst(bool ignoreFirst) override;
    void PlacePopupToolMenu(bool atTop) override;
    void SaveViewState(bool redrawOff) override;
    void RestoreViewState(bool redrawAlreadyOff) override;
    void UpdateCodeStatus() override;
    void UpdateBrowserMenus() override;
    void RebuildSettingsMenus() override;
    void UpdateCaptionAndPosition() override;
    bool StatusAutoHint() override { return StatusBar1.AutoHint(); }
    void SetStatusAutoHint(bool on) override { StatusBar1.SetAutoHint(on); }
    void RepaintStatusBar() override;
    bool RunSaveDialog(const std::string& folder, std::string& fileName) override;
    void ProcessMessages() override { PumpMessagesOnce(); }
    bool ReplaceBusy() override { return replaceBusy_; }
    void SetReplaceBusy(bool on) noexcept { replaceBusy_ = on; }
    void SetToolBarButtons(const TToolBarState& state) override;
    void EndWithoutShowing() override;
    void BringApplicationForward() override;
    bool RunOpenDialog() override;
    bool OpenDialogReadOnlyChecked() override { return openDialogReadOnly_; }
    void ApplyEditModeSwitch(int mode) override;
    void WrapChanged() override;

    // ---- what the File commands read (commands/filemenu_win.cpp)
    TFileMenuInput FileMenuState();
    // The printing component and the print dialog's host, made on first use
    // (commands/printcmds_win.cpp).
    TMainPrinting& Printing();
    void SetUpFileDialogs();
    std::string DialogFolder() const;

    // ---- status bar (mainformstatus_win.cpp)
    void Editor1CaretMoved(TEditor& sender);
    // Panel 1 from the active editor's caret; a replace-all loop, during
    // which caret moves only mark the panel stale, calls it once at its end.
    void UpdateCaretPanel();
    bool CaretPanelStale() const noexcept { return caretPanelStale_; }
    void Editor1SelectionModeChange(TEditor& sender);
    void StatusBar1Resize();

    // ---- editor events (editorevents_win.cpp), wired on both panes by WireEditor
    void Editor1KeyDown(TEditor& sender, unsigned& key, TShiftState shift);
    void Editor1KeyPress(TEditor& sender, char& key);
    void Editor1MouseMove(TEditor& sender, TShiftState shift, int x, int y);
    void Editor1DblClick(TEditor& sender);
    void Editor1SelectionChange(TEditor& sender);
    // The link found at the last mouse move over a pane: the pop-up menu's
    // link items act on it.
    struct TLinkUnderMouse {
        HWND Editor = nullptr;
        POINT Point{0, 0};  // client point of that pane
        int Kind = 0;       // tkUrl or tkMail
        bool Found = false;
    };
    TLinkUnderMouse LinkUnderMouse;
    // The pane of LinkUnderMouse while it still exists, else null.
    TEditor* LinkEditor();
    // A link was found under the mouse on the active pane and the hand shows it.
    bool IsLinkUnderMouse();

    // ---- what the Search commands run (searchcmds_win.cpp, searchreplace_win.cpp, searchstate_win.cpp)
    // The next match of SearchString from the active editor's caret, selected.
    bool FindNext();
    // The replace loop on SearchString, ReplaceWith and SearchFlags.
    void RunReplace();
    void BracketJump(bool extend);
    // SearchString and the flags from the search history and [SearchOptions]
    // (or this instance's own search when writing it failed).
    void LoadSearchState();
    void RememberSearch();

    // ---- split view (splitview_win.cpp)
    bool IsSplit() const noexcept { return secondEditor_ != nullptr; }
    TEditor* SecondEditor() noexcept { return secondEditor_.get(); }
    TSplitter* SplitterControl() noexcept { return splitter_.get(); }
    TEditor* InactiveEditor();
    TEditor& UpperEditor();
    bool CanSplit();
    void Split();
    void Unsplit();
    void SplitterMoved();
    // Focus moves between the form's editors (not to other windows).
    void Editor1Enter(TEditor& sender);
    void Editor1Exit(TEditor& sender);
    // The form's handlers on an editor: Editor1's at creation, copied to the second.
    void WireEditor(TEditor& editor);
    void CopyEventProperties(TEditor& from, TEditor& to);
    // Places the split panes in [top, bottom); returns Editor1's top.
    int LayoutSplit(int top, int bottom, int width);

    // ---- running commands (mainformmsg_win.cpp), found in the command table
    // by the name of a menu item or action; items whose command arrives
    // later do nothing.
    bool RunShortCut(TShortCut sc);
    // The keys go to the editor that last had the focus, never to the form
    // itself (activation, a box or a dialog closing, the end of a busy
    // state); false when that editor cannot take them now.
    bool FocusLastEditor();
    // Every item's click and opening handler, by its name.
    void BindMenuHandlers(TTableMenu& menu, bool popup);
    void RunNamed(const std::string& name);


    // ---- creation and showing steps (mainform_win.cpp)
    void KeepInsideWorkArea();
    void OpenInFolder();
    // ---- pieces other parts of the program fill (mainformpieces_win.cpp)
    void LocateSettingsFile();
    void InstallApplicationEvents();
    void LoadAndApplySettings();
    void SetUntitled();
    std::string ProcessCommandLine();
    void ReadStandardInput();
    void ClearPrintAndExit();
    void StartImeIfWanted();
    void JumpFromCommandLine();
    void UseCommandLineDialogFolder();
    void RunStartupTools();
    void SaveWindowPlacement();
    // The application became active: the document's file is checked for
    // changes other programs made (docguards_win.cpp).
    void AppActivate();
    // [Option] StartWindow: the last exit's placement (1), maximized (2) or
    // the user's size and position (3), before the window first shows.
    void PlaceAtStartup(const TAppIni& settings);
    void AddToFileHistory(const std::string& fileName);
    void ApplyEditModeOf(const std::string& fileName);

    std::string OpenDialogFolder;  // the open dialog's initial folder, when set

protected:
    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& msg) override;

private:
    bool HandleMessage(TMessage& msg);
    void DropFiles(HDROP drop);
    // The tool buttons (toolbuttons_win.cpp): a press with the mouse, then
    // the click of the button with that command.
    void ToolButtonMouseDown();
    void ToolButtonClick(UINT id);
    void CloseRequested();

    // Search helpers.
    std::string SearchText(const std::string& typed) const;
    void ShowSearchStatus(const std::string& text);
    void CentreCaret(TEditor& ed);
    friend struct TSearchMenuAccess;  // the jump command places the caret too
    int AskReplace(TEditor& ed);
    bool ReplaceFound(TEditor& ed);

    TEditorProp editorProp_;
    TViewState viewState_;
    std::unique_ptr<TMainPrinting> printing_;
    std::unique_ptr<TEditor> secondEditor_;
    std::unique_ptr<TSplitter> splitter_;
    TEditor* enteredEditor_ = nullptr;  // the form's active control among the editors
    bool caretPanelStale_ = false;
    bool syncingSelectionMode_ = false;
    void EditorFocusIn(TEditor& editor);
    void EditorFocusOut(TEditor& editor, HWND to);
    // The second pane and the splitter freed; Editor1 the last editor.
    void FreeSecondEditor();
    void RepaintPanes();
    bool replaceBusy_ = false;
    bool openDialogReadOnly_ = false;
    bool endWithoutShowing_ = false;
    bool shown_ = false;
    bool startMaximized_ = false;  // the first showing maximizes
    bool closing_ = false;
};

// Fills the dialogs' view of the main window (dialoghostapp_win.cpp).
void FillDialogHost(TVellumoMainForm& form);

// The real document functions behind the File commands (filecmdsdocs_win.cpp).
void ConnectDocumentFunctions(TVellumoMainForm& form);

// The process's main form (null before creation).
TVellumoMainForm* VellumoMainForm() noexcept;
bool IsVistaOrLater() noexcept;
bool IsXPOrLater() noexcept;

// Command ids of the tool-bar buttons, above those the library gives menu
// items (up to 0xEFFF).
constexpr UINT kFirstToolCommand = 0xF000;

// The program's message loop with the main window's shortcuts; returns the
// quit code.
int RunMessageLoop(TVellumoMainForm& form);

// The window whose client origin a dialog of this caption is put at: the
// first window of its class among this thread's windows (null for other
// captions or when there is none).
const char* DialogAnchorClass(const char* caption);
HWND DialogAnchorWindow(const char* caption);

// The hook that puts the file dialogs at the main window (old systems).
void InstallDialogPlacementHook();
void RemoveDialogPlacementHook();

} // namespace vellumo
