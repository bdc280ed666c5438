#pragma once
// Free functions shared by the main window, the document functions, the
// dialogs and printing. None throws to its caller. The portable ones take
// what they need of the system as arguments.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "app/core/appcontext.h"

namespace vellumo {

class TEditor;
class TVerticalLines;
class TForm;
struct TAppSettings;

// ---- text (portable)

// Every occurrence of find, left to right; text a replacement inserted is
// never searched again. The one placeholder expander of the program.
std::string StringReplaceAll(std::string_view find, std::string_view replacement, std::string_view text);
// Several placeholders in one pass: at each position the first pair whose
// key matches is replaced; inserted text is never searched again.
std::string StringReplaceEach(const std::vector<std::pair<std::string, std::string>>& pairs, std::string_view text);

// Double-byte characters whole; CR LF -> "\n", TAB -> "\t", "\" -> "\\".
std::string EscapeSearchText(std::string_view text);
// The inverse; "\" before any other character keeps both, a final "\" stays.
std::string UnescapeSearchText(std::string_view text);
// The selection as a search text: at most 250 bytes (249 when byte 250 is a
// CR or a lead byte); escaped when it holds CR LF, TAB or "\".
std::string SearchTextFromSelection(std::string_view selection, bool& escaped);
// Leading blanks, TABs and full-width blanks (81 40) removed.
std::string TrimLeftBlanks(std::string_view text);
std::string FontSizeToText(int size);
bool EndsWithCrLf(std::string_view text);
std::string WithoutFinalCrLf(std::string_view text);
// "cmd.exe", "cmd" or "command.com", blanks, "/" or "-", "c" or "C", then the end or a blank.
bool IsConsoleCommand(std::string_view commandLine);
// A tools item's tag "1" + needs-selection digit + tool number.
int ToolNumberFromTag(int tag);
int SelOnFromTag(int tag);
// The wrap column at the window's edge for V visible columns.
int WindowWrapWidth(int visibleCols);
// The top row that centres the caret row when it lies in the outer fifths; -1 keeps the top row.
int CentredTopRow(int caretRow, int topRow, int visibleRows);
// The left column that keeps the caret column in view (M: wrap column + 2, or 8000).
int LeftColForCaret(int caretCol, int leftCol, int visibleCols, int maxCols);

// ---- paths and environment (portable, with the system passed in)

using TEnvLookup = std::function<bool(const std::string& name, std::string& value)>;
using TPathExists = std::function<bool(const std::string& path)>;
// The first %NAME% reference replaced by its value (at most 255 characters),
// compared without regard to case; unchanged when the path exists, is
// empty, or the reference is "%%" or unknown.
std::string ExpandEnvInPath(const std::string& path, const TEnvLookup& env, const TPathExists& exists);
// The trimmed path is shorter than 260 bytes.
bool PathLengthOk(std::string_view path);

// Link schemes handed to the shell without asking.
bool IsPlainLink(std::string_view link);

// The tool-bar buttons from the editor's state.
struct TToolBarInputs {
    bool Enabled = true;  // [Option] ToolBarEnabled
    bool ReadOnly = false, Modified = false, ModifiedOnFileSave = false;
    bool Selection = false, ClipboardText = false, CanUndo = false, CanRedo = false;
    bool IePath = false, MfPath = false;
};
TToolBarState ComputeToolBarState(const TToolBarInputs& in);

// The two guide lines from the settings: the wrap line at WrapCount
// (shown while wrapping with WrapLine on) and the column line at ColLineByte
// (shown with ColLine on, unless it lies at or beyond the wrap line).
void FillGuideLines(TVerticalLines& lines, const TAppSettings& settings);

// ---- the main window and the system (Windows)

// Status panel 0 with AutoHint off and the bar repainted; cleared again only while AutoHint is off.
void ShowStatusMessage(const std::string& text);
void ClearStatusMessage();
void UpdateToolBarState();
// With the process's environment and file system.
std::string ExpandEnvInPath(const std::string& path);
// False after telling the user that the path is too long.
bool CheckPathLength(const std::string& path);
// The foreground for the window; the lock time-out and the input attachment
// are put back on every path.
void ForceForegroundWindow(void* window);
// The program's version texts: company, description, file version,
// internal name, copyright, original file name, product, product version.
// 1 when any is missing (that one is left empty; nothing is raised), else 0.
int GetVersionStrings(std::vector<std::string>& texts);
// Remembers the link under a client point of the editor (URL or mail token);
// true when one was found.
bool LinkAtPoint(int x, int y, TEditor& editor);
// Opens the remembered link: http, https, ftp and mailto directly, any other
// scheme only after the user agrees.
void OpenLink();
void OpenLinkText(const std::string& link);
// The shell's open of a link; tests record it. Returns the sink before.
using TShellOpenSink = std::function<bool(const std::string& target)>;
TShellOpenSink SetShellOpenSink(TShellOpenSink sink);
void JumpToLine(int line, int logical);
void CentreCaretRow();
void JumpToLastLine();
void KeepCaretInView();
std::string ShortPathName(const std::string& path);
std::string LongNameOfLastComponent(const std::string& path);
// With the system's full path, existence and directory search.
std::string ExpandLongFileName(const std::string& path);
std::int64_t GetFileDateTime(const std::string& name);
std::string GetWindowTextOf(void* window);
std::string GetClassNameOf(void* window);
bool IsShiftDown();
std::string ToFullWidth(const std::string& text);
std::string ToHalfWidth(const std::string& text);
std::wstring GetClipboardText();

// Window placement and the view of the active editor.
// (GetWorkArea, PlaceWindowInWorkArea, KeepInsideWorkArea and SetFormFont
// are the class library's, in classlib/form.h.)
void RepaintWindow(void* window);
// A one-shot timer on the window that kills itself and repaints it (after a resize).
void RepaintWindowLater(void* window, unsigned milliseconds);
void CloseToolBarChildren(void* toolBar);
void StyleFormControls(TForm& form);
bool HasSelection();
// The active editor's selection as a search text (see SearchTextFromSelection).
std::string SelectionAsSearchText(bool& escaped);
void SelectTokenAtCaret();
// Both editors take the guide lines of the settings.
void UpdateGuideLines();
// An empty list under the settings file's name with the extension (".his", ".sch", ".rep").
void ClearHistoryFile(const std::string& extension);

} // namespace vellumo
