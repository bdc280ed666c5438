#pragma once
// Edit modes: which mode a file name's extension chooses, and what a mode
// means for the editors (regions, comment openers, quotes, colours, keywords,
// left bar and ruler), staged in a settings holder. Portable; the calls that
// reach the main window and its editors are in editmodes_win.cpp.
#include <string>
#include <string_view>

#include "settings/settings.h"
#include "editor/editmode.h"

namespace vellumo {

class TEditorProp;

// The order of the mode menu, the file-dialog filters and [Option]
// DefEditMode; it differs from TEditMode's order.
enum TEditModeListIndex : int {
    emlStandard = 0,
    emlHtml = 1,
    emlPerl = 2,
    emlPhp = 3,
    emlCss = 4,
    emlRuby = 5,
    emlIni = 6,
    emlBat = 7,
    emlCpp = 8,
    emlJava = 9,
    emlJavaScript = 10,
    emlVb = 11,
    emlHsp = 12,
    emlDelphi = 13,
};

// Out-of-range values give the standard mode.
TEditMode ListIndexToEditMode(int index) noexcept;
TEditModeListIndex EditModeToListIndex(TEditMode mode) noexcept;

// The one process-wide current mode (the tokenizer reads the same value).
TEditMode CurrentEditMode() noexcept;
void SetCurrentEditMode(TEditMode mode) noexcept;

// The mode's extension list in [Option]; empty for the standard mode.
const std::string& ModeExtensionList(const TAppIni& option, TEditMode mode);
// The mode itself when its list is not empty, else the standard mode.
TEditMode EffectiveEditMode(const TAppIni& option, TEditMode mode);

// From the last "." of the name part on (the dot included); "" without one.
// A trail byte 5C or 2E is never taken for "\" or ".".
std::string FileNameExtension(std::string_view fileName);
// ASCII letters lowered, double-byte characters left whole.
std::string LowerAnsiAscii(std::string_view s);

// Whether fileName's extension is one of the ";"-separated masks' extensions.
bool ExtensionInList(std::string_view fileName, std::string_view list);

// The mode for a document: by extension when it has a name (lists tried in
// TEditMode order, none matching gives standard); untitled keeps current
// while current's list is not empty.
TEditMode ModeFromExtension(std::string_view fileName, const TAppIni& option, TEditMode current);

// Status-bar name ("標準", "HTML", ...).
const char* EditModeName(TEditMode mode) noexcept;

// "|Perlファイル(*.cgi,*.pl)|*.cgi;*.pl"; empty masks give "(*.*)|*.*".
std::string FileDialogFilterEntry(const std::string& masks, TEditMode mode);
struct TFileDialogFilters {
    std::string Open;
    std::string Save;
};
TFileDialogFilters BuildFileDialogFilters(const TAppIni& option);

// Filter indexes of the open and save dialogs for an (effective) mode.
int OpenFilterIndex(TEditMode mode) noexcept;
int SaveFilterIndex(TEditMode mode) noexcept;

// ---- staging a mode in the settings holder

// Regions, openers, quotes, control codes cleared; comment and string colours := Font.
void ResetSyntaxOptions(TEditorProp& prop, const TAppColors& colors);
// Each mode's setup after the reset: its regions, comment openers, quotes,
// comment and string colours and the keyword list's case flag.
void SetupHtmlSyntax(TEditorProp& prop, const TAppColors& colors);
void SetupPerlSyntax(TEditorProp& prop, const TAppColors& colors);
void SetupCppSyntax(TEditorProp& prop, const TAppColors& colors);
void SetupJavaSyntax(TEditorProp& prop, const TAppColors& colors);
void SetupVbSyntax(TEditorProp& prop, const TAppColors& colors);
void SetupHspSyntax(TEditorProp& prop, const TAppColors& colors);
void SetupDelphiSyntax(TEditorProp& prop, const TAppColors& colors);
void SetupRubySyntax(TEditorProp& prop, const TAppColors& colors);
void SetupPhpSyntax(TEditorProp& prop, const TAppColors& colors);
void SetupCssSyntax(TEditorProp& prop, const TAppColors& colors);
void SetupJsSyntax(TEditorProp& prop, const TAppColors& colors);
// The effective mode's setup (none for standard and INI; BAT sets only its
// case flag).
void SetupModeSyntax(TEditorProp& prop, TEditMode effectiveMode, const TAppColors& colors);
void SetKeywordBold(TEditorProp& prop, bool bold);
// Reads the mode's keyword file afresh (its built-in list when there is no
// readable file) into the holder under the case flag already set, then sets
// the keyword colour and boldness.
void ApplyKeywordColors(TEditorProp& prop, TEditMode mode, const TAppColors& colors,
                        const std::string& settingsFolder);
void ApplyModeMargins(TEditorProp& prop, TEditMode mode, const TAppSettings& settings);

struct TSyntaxStaged {
    TEditMode Effective = emStandard;
    int OpenFilterIndex = 1;
    int SaveFilterIndex = 2;
};

// Everything a mode changes in the holder, in order: font colour, the
// effective mode's link recognition and syntax, the current mode's keywords
// and colour, margins.
TSyntaxStaged StageSyntaxMode(TEditorProp& prop, const TAppSettings& settings, TEditMode mode,
                              const std::string& settingsFolder);

// The folder of the settings file, where the keyword files are.
std::string SettingsFolderOf(const std::string& settingsPath);

#ifdef _WIN32
// The current mode turned into editor settings in the main window's holder.
// reassign: the holder first takes the active editor's settings and is
// copied to the editors afterwards (the mode menu, the command line, naming
// or opening a file); ApplySettings passes false, since it has just staged
// the holder and copies it itself. Never throws: failures go to ShowMsg.
void ApplySyntaxMode(bool reassign);
void ApplySyntaxMode(bool reassign, const TAppSettings& settings);
// Status panels 2 (mode), 3 (wrap column) and 7 (insert or overwrite).
void UpdateModeStatus();
// A new document name: its extension chooses the mode, which is applied
// (with reassign) and shown. IMainWindow::EditModeFromFileName forwards here.
void EditModeFromFileName(const std::string& fileName);
#endif

} // namespace vellumo
