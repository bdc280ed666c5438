#pragma once
// Opening and reloading the document, its name, caption and code panels.
#include <functional>
#include <string>

#include "app/core/appcontext.h"
#include "editor/editortypes.h"
#include "textcode/charcode.h"

namespace vellumo {

// ---- portable rules

struct TCaptionOptions {
    bool FullPathFileName = false;
    bool FullPathCnv = false;  // abbreviate the full path
    bool ButtonFileName = false;  // the task-bar title shows the file name alone
};
struct TCaptions {
    std::string Caption;
    std::string AppTitle;
};
using TAbbreviate = std::function<std::string(const std::string& path)>;
TCaptions MakeCaptions(const std::string& fileName, const TCaptionOptions& opt, bool readOnlyAttr, bool modified,
                       bool outputMode, const TAbbreviate& abbreviate);

// Panel texts; with simplePanels a value equal to the new-document default is blank.
std::string CodePanelText(TCharCode code, bool simplePanels, int newCode);
std::string LineEndPanelText(TLineEndCode le, bool simplePanels, int newRetCode);
std::string ReadOnlyPanelText(bool readOnly, bool locked);

// [JCode] NewCode and NewRetCode as codes.
TCharCode NewDocumentCode(int newCode) noexcept;
TLineEndCode NewDocumentLineEnd(int newRetCode) noexcept;

// An empty file takes the new-document code unless a code was forced or a
// byte-order mark of UTF-16 or UTF-8 said otherwise.
bool EmptyFileTakesNewCode(bool noLines, int forcedCode, TCharCode loaded) noexcept;

// After a reload: true when the read-only state from before is put back.
// A reload only ever adds read-only: the state its own load imposed (not
// writable, NULs locked, a No to a question) stands, and so does the state
// a newly changed read-only attribute gave under ChkReadOnlyFile.
bool RestoreReadOnlyAfterReload(bool chkReadOnlyFile, bool attrBefore, bool attrAfter, bool loadLocked) noexcept;

// The question after a load that could not keep every character as it was,
// saying what became of them: JIS and EUC-JP sequences that could not be
// read became "〓"; characters the code page lacks became "$" escapes; the
// odd last byte of a UTF-16 file was left out.
std::string LoadLossQuestion(TCharCode code, bool droppedOddByte, bool escapedChars);
// The question after a load that turned NULs into spaces.
std::string NulFileQuestion();

// The one message for a path no document can have (a device, or too long),
// whoever opens, creates or saves it; empty when the path is usable.
std::string PathRefusalMessage(const std::string& path, bool saving);

// The file name without its folder.
std::string FileNamePart(const std::string& path);

// ---- the main window's document (Windows)

// Loads the file into the active editor. False when nothing was loaded
// (another operation runs, another instance holds it, refused, unreadable).
bool OpenFile(const std::string& fileName, bool checkInstances);
// Loads the current file again keeping the view; false when nothing changed.
bool ReloadFile();
// The reload submenu: forces code (5, 2, 4, 7 or 8) with detection on for the call.
bool ReloadWithCode(int code);
// The plain reload command (the current code kept when NowJCodeReLoad is on).
bool ReloadCommand();

// The file's write time and size now; zeros when it cannot be read.
TFileState FileStateOf(const std::string& fileName);

void SetCurrentFile(const std::string& fileName);
// Shows PathRefusalMessage when path (as given, and as a full path) is no
// place for a document; true when refused.
bool RefuseUnusablePath(const std::string& path, bool saving);
// The open and save dialogs' check before they accept a name: the path
// length (CheckPathLength) and devices, each with its message.
bool FileDialogAccepts(const std::string& fileName);
void UpdateCaption(const std::string& fileName);
void UpdateCodeStatus();
void SetReadOnlyState(bool readOnly, bool locked);
// Output mode of the untitled document; true when it changed.
bool SetOutputMode(bool on);

bool ExecuteOpenDialog();
void ApplyDialogReadOnly();

// The view of both editors around a reload, a save under a new name, or a
// change of what the rows are made with. Rows and columns are put back as
// they were, unless the same text was laid out anew: then the caret and
// the selection go back to their place in the text.
struct TRowLayout {
    bool WordWrap = false;
    int WrapByte = 0, TabWidth = 0, CellWidth = 0, CellHeight = 0, EditMode = 0;
    bool operator==(const TRowLayout&) const = default;
};
struct TEditorViewMark {
    bool Used = false;
    int Row = 0, Col = 0, TopRow = 0, LeftCol = 0, TabWidth = 0;
    TRowLayout Layout;
    long long TextLength = 0;
    int Lines = 0;
    TTextPlace Caret, Anchor;
    bool Selected = false, BoxLatch = false;
    TSelectionMode Mode = smNormal;
};
struct TViewState {
    TEditorViewMark Main, Split;
    bool WordWrap = false;
    int WrapByte = 0;
    int TabWidth = 0;
};
TViewState SaveViewState(bool redrawOff);
void RestoreViewState(const TViewState& state, bool redrawAlreadyOff);

// Start-up refused: set once the application is set to end without showing its window.
bool ApplicationEnding() noexcept;
void EndApplicationWithoutShowing();
void ResetApplicationEnding() noexcept;  // tests

} // namespace vellumo
