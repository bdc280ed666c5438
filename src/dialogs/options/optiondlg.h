#pragma once
// What the options dialog decides without a window: its pages, the wrap-width
// list, the file-size limit in megabytes, the quote marks, the extension
// masks, the excluded-folder list, the font's label, the rules applied when
// the values go into the settings, and which controls are enabled.
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "settings/settings.h"
#include "editor/editmode.h"

namespace vellumo {

constexpr int kOptionPageCount = 14;
enum TOptionPageIndex : int {
    opBasic, opWindow, opView, opColor, opRuler, opKinsoku, opBrowser,
    opFile, opFolder, opBackup, opHistory, opExtension, opCode, opOther
};
extern const std::array<const char*, kOptionPageCount> kOptionPageCaptions;
// A remembered page that no longer exists opens the first.
int ValidOptionPage(int page) noexcept;

// ---- the wrap widths of the wrap-width menu (largest first)
enum class TWrapAddCheck { Present, Full, Allowed };
TWrapAddCheck CheckWrapWidthAdd(const std::vector<int>& list, int width);
// Before the first smaller width, or at the end.
void InsertWrapWidth(std::vector<int>& list, int width);
// Removing asks only with a width in the list and text in the combo box.
bool CanRemoveWrapWidth(const std::vector<int>& list, std::string_view comboText, int width);
void RemoveWrapWidth(std::vector<int>& list, int width);
std::string WrapAddQuestion(int width);
std::string WrapRemoveQuestion(int width);
std::string WrapListFullMessage();
// The wrap column after the last width was removed.
constexpr int kWrapAfterLastRemoved = 80;

// ---- ranges of the number boxes
constexpr int kMinUserWindowSize = 100;  // a stored size of 0 would hide the window
constexpr int kMaxWindowOffset = 32767;
constexpr int kLoadSizeUnit = 1000000;  // bytes per "MB" of the file-size check
constexpr int kMaxLoadSizeMegabytes = 2000;

// The stored limit in whole megabytes, the fraction dropped; a limit below
// one megabyte shows as 1, so that saving it never turns the check off.
int LoadSizeToMegabytes(int bytes) noexcept;
int MegabytesToLoadSize(int megabytes) noexcept;

// ---- strings that the dialog shows otherwise than they are held
inline constexpr char kDefaultPasteQuote[] = "%> %";
inline constexpr char kDefaultQuoteMarks[] = ">|＞｜";
inline constexpr char kDefaultUserFilter[] = "*.txt;*.htm;*.html;*.cgi;*.pl";
// PasteInyouhu without its wrapping "%" in the edit, wrapped again (or the
// default when the edit is empty) on the way back.
std::string PasteQuoteText(std::string_view held);
std::string PasteQuoteSetting(std::string_view text);
std::string QuoteMarksSetting(std::string_view text);

// ---- extension masks: the rows of the extension page, in order
struct TExtensionRow {
    const char* Caption;
    const char* Key;  // its [Option] key
};
extern const std::array<TExtensionRow, 14> kExtensionRows;
std::string ExtensionRowSetting(int row, std::string_view text);
// A "|" would split the file dialogs' filter: a single-byte one is refused,
// a trail byte 7C of a double-byte character is not one.
bool MaskHasBar(std::string_view masks) noexcept;
extern const char kMaskBarMessage[];

// ---- folders
// The folder appended to a ";"-separated list.
std::string AppendFolder(std::string_view list, std::string_view folder);
// The folder part of a path ("" without one); a trail byte 5C is not a separator.
std::string FolderOfPath(std::string_view path);

// ---- font label: name + " (" + size + ")", -14 shown as "10.5"
std::string FontViewText(std::string_view name, int size);

// ---- after every control went into the settings
// No default folder without a folder, no excluded folders without a list;
// a user-given start-up window without size or position is the default
// window, and the menu item is dropped.
void FinishOptionSettings(TAppSettings& s);

// ---- enabling
struct TOptionChecks {
    TEditMode Mode = emStandard;   // the document's edit mode
    bool WinXpOrLater = true;      // the flat tool bar cannot be switched off there
    bool StartIme = false, WordWrap = false, InyouRow = false, LinkWord = false, UrlEx = false;
    bool ToolBar = false, FlatToolBar = false, ToolBtnImg256 = false;
    bool UserWindowSize = false, UserWindowPos = false;
    bool Leading = false, FollowPunctuation = false, ChkFileAge = false, CreateNewFile = false;
    bool LeftBar = false, Ruler = false, Backup = false, FullPathFileName = false, DefDirOn = false;
    bool ColLine = false, NoDir = false, StatusBar = false;
};

struct TOptionEnabling {
    bool ImeDefOnly, WrapControls, InyouRow, Inyouhu, LinkWord, LinkUnderline, UrlEx, NotUrlChars;
    bool ToolBarControls, FlatToolBar, ToolBtnHotImg;
    bool UserSize, UserPos, NowSet;
    bool KinsokuStrings, PunctuationStr, ChkFileAgeMsg, CreateNewFileMsg;
    bool LeftBarOptions, RulerOptions, BackupPath, FullPathOptions, DefDir, ColLineByte, NoDirs, SBSimplePanels;
};

TOptionEnabling OptionEnabling(const TOptionChecks& in) noexcept;

} // namespace vellumo
