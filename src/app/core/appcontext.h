#pragma once
// The process-wide state of the one document a process edits, and what the
// document functions (open, reload, save, command line, applying settings)
// need of the main window. TVellumoMainForm implements IMainWindow; tests put
// a small fake in its place, so the document functions run without a window.
#include <cstdint>
#include <string>

#include "textcode/charcode.h"

namespace vellumo {

class TEditor;
class TEditorProp;
class TSettingsStore;
struct TWindowSettings;

// A file as seen on disk: its write time (FILETIME as 100 ns units; 0 when
// it cannot be read) and its size.
struct TFileState {
    std::int64_t Time = 0;
    std::uint64_t Size = 0;
    bool operator==(const TFileState&) const = default;
};

// The document (one per process).
struct TDocumentState {
    std::string CurrentFileName;  // full path; empty = untitled
    TCharCode DocumentCode = ccSjis;
    TLineEndCode DocumentLineEnd = leCrLf;
    int ForcedLoadCode = -1;  // a TCharCode to force on the next load; -1 detect
    bool HadNul = false;
    bool NoAnsi = false;
    // The file when it was loaded or saved, or as the activation check last
    // took it: FILETIME as 100 ns units (0 unknown), and its size.
    std::int64_t FileTimeAtLoad = 0;
    std::uint64_t FileSizeAtLoad = 0;
    // The file as this window last read or wrote it, taken before a load
    // reads it. Unlike the above, a change the user chose not to reload
    // never becomes known: a save over a file that differs asks first.
    TFileState FileAsKnown;
    bool ReadOnlyAttr = false;
    bool ReadOnlyLocked = false;
    bool OutputMode = false;
    bool ReloadingOnActivate = false;
};

// Enabled state of the tool-bar buttons that follow the editor.
struct TToolBarState {
    bool Save = true, Cut = true, Copy = true, Paste = true, Undo = true, Redo = true;
    bool InternetExplorer = true, Firefox = true;
    bool operator==(const TToolBarState&) const = default;
};

// What the document functions need of the main window.
class IMainWindow {
public:
    virtual ~IMainWindow() = default;
    virtual void* Handle() = 0;  // the HWND
    virtual bool Showing() const = 0;  // shown at least once and visible
    // The editor that last had the focus; Editor1; the split editor or null.
    virtual TEditor& ActiveEditor() = 0;
    virtual TEditor& MainEditor() = 0;
    virtual TEditor* SplitEditor() = 0;
    // Status-bar panel n (0 message, 5 code, 6 line end, 8 read-only ...).
    virtual void SetPanelText(int panel, const std::string& text) = 0;
    // The window caption and the application title on the task bar.
    virtual void SetCaptions(const std::string& caption, const std::string& appTitle) = 0;
    // The hidden edit other instances read the file name from.
    virtual void SetOpenFileNameText(const std::string& name) = 0;
    // The file dialogs follow the document's name.
    virtual void SetDialogFileNames(const std::string& fileName) = 0;
    virtual void AddRecentFile(const std::string& fileName) = 0;
    virtual void UpdateToolBarState() = 0;
    // The edit mode of the new file name's extension, applied (mode and wrap panels too).
    virtual void EditModeFromFileName(const std::string& fileName) = 0;

    // ---- applying settings (app/applysettings.h, app/editmodes.h, app/reloadini.h)
    // The settings holder EditorProp1 through which settings reach the editors.
    virtual TEditorProp& EditorProp1() = 0;
    // The window's own share of the settings, in this order: the file dialogs
    // lose the resizable option when FileDlgEnableSizing is off; their filter
    // lists; their initial folder when SetInitialDir; the tool bar's flat
    // style, images (ToolBtnImg, ToolBtnHotImg) and visibility; the status
    // bar's visibility.
    virtual void ApplyWindowSettings(const TWindowSettings& settings) = 0;
    // The clipboard watcher's IgnoreFirst (ToolBarEnabled).
    virtual void SetClipboardWatcherIgnoreFirst(bool ignoreFirst) = 0;
    // The pop-up menu's Tools item at the top or the bottom.
    virtual void PlacePopupToolMenu(bool atTop) = 0;
    // The filter index of the open and the save dialog (follows the edit mode).
    virtual void SetFileDialogFilterIndex(int openIndex, int saveIndex) = 0;
    // Keep the view (caret, top row, wrap) around re-wrapping; the restore runs on every path.
    virtual void SaveViewState(bool redrawOff) = 0;
    virtual void RestoreViewState(bool redrawAlreadyOff) = 0;
    // Status panels of the character code and the line end.
    virtual void UpdateCodeStatus() = 0;
    // The browser-preview menu items and buttons follow the edit mode and the [Browser] settings.
    virtual void UpdateBrowserMenus() = 0;
    // After the settings file was re-read: the wrap-width and Tools menus rebuilt from it.
    virtual void RebuildSettingsMenus() = 0;
    // After the settings were re-applied: the caption and the caret-position panel.
    virtual void UpdateCaptionAndPosition() = 0;

    // The status bar's AutoHint, and an immediate repaint of the bar.
    virtual bool StatusAutoHint() = 0;
    virtual void SetStatusAutoHint(bool on) = 0;
    virtual void RepaintStatusBar() = 0;
    // Runs the save dialog owned by the window from a folder and a name; true with the chosen name on OK.
    virtual bool RunSaveDialog(const std::string& folder, std::string& fileName) = 0;
    // The application's pending messages, run through its one pump.
    virtual void ProcessMessages() = 0;
    // A replace-all loop runs (ReplaceBusy).
    virtual bool ReplaceBusy() = 0;
    // The tool-bar buttons that follow the editor's state; see TToolBarState.
    virtual void SetToolBarButtons(const TToolBarState& state) = 0;

    // Start-up refused (a question answered No, the file held elsewhere):
    // the application ends without ever showing the main window.
    virtual void EndWithoutShowing() = 0;
    // The application window to the foreground (a question asked at start-up).
    virtual void BringApplicationForward() = 0;
    // The open dialog, owned by this window, its read-only box cleared first; true when a file was chosen.
    virtual bool RunOpenDialog() = 0;
    virtual bool OpenDialogReadOnlyChecked() = 0;
    // A command-line edit mode: when it differs, set it, refresh the mode and wrap panels, apply the syntax mode.
    virtual void ApplyEditModeSwitch(int mode) = 0;
    // After the command line changed the wrap: guide lines rebuilt, mode and wrap panels refreshed.
    virtual void WrapChanged() = 0;
};

// The one main window; null before it exists (and in tests that install none).
IMainWindow* MainForm() noexcept;
void SetMainForm(IMainWindow* form) noexcept;

TDocumentState& Document() noexcept;

// The settings of this process; installed at start-up.
TSettingsStore& AppSettingsStore();
void SetAppSettingsStore(TSettingsStore* store) noexcept;

// One document operation at a time: open, reload, save and every message
// that would start one check Busy() first and do nothing while it is set
// (each of them pumps messages while it waits).
bool DocumentBusy() noexcept;
class TDocumentBusy {
public:
    TDocumentBusy() noexcept;
    ~TDocumentBusy();
    TDocumentBusy(const TDocumentBusy&) = delete;
    TDocumentBusy& operator=(const TDocumentBusy&) = delete;
};

// An external tool is being waited for: save, open, the settings folder,
// drops and close are refused meanwhile; the text messages pass, since a
// tool edits through its window handle.
bool ToolWaiting() noexcept;
class TToolWait {
public:
    TToolWait() noexcept;
    ~TToolWait();
    TToolWait(const TToolWait&) = delete;
    TToolWait& operator=(const TToolWait&) = delete;
};

} // namespace vellumo
