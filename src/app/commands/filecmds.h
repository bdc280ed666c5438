#pragma once
// What the File menu's commands decide, apart from doing it: which items a
// state enables, whether an opened file goes to a new instance, what a save
// command and closing the window run.
#include <array>
#include <functional>
#include <string>

#include "app/document/docsaveencode.h"
#include "textcode/charcode.h"

namespace vellumo {

// The document as the File menu sees it.
struct TFileMenuInput {
    bool Named = false;               // a file is loaded
    bool Modified = false;
    bool ReadOnly = false;
    bool ModifiedOnFileSave = false;  // [Option]: Save only after a change
    bool WordWrap = false;
};

struct TFileMenuEnabling {
    bool ReLoad = false, Save = false, SaveExit = false;   // the menu itself
    std::array<bool, 5> ReLoadCode{};                      // the code submenu
    bool Save2 = false, SaveAs2 = false, SaveExit2 = false;  // wrap-reflecting saves
};

TFileMenuEnabling FileMenuEnabling(const TFileMenuInput& in, TCharCode documentCode) noexcept;

// The reload submenu's items by position 0..4.
inline constexpr std::array<const char*, 5> kReloadCodeItems = {"mReLoad_Sjis", "mReLoad_Jis", "mReLoad_Euc",
                                                                 "mReLoad_Unicode", "mReLoad_UTF8"};

// The code the reload submenu's item at position 0..4 forces.
TCharCode ReloadCodeOfItem(int position) noexcept;

// The submenu item that stands for a document code (0..4).
int ReloadItemOfCode(TCharCode code) noexcept;

// [JCode] SaveCvt and SaveRetCvt for a chosen code and line end.
TSaveCode SaveCvtOfCode(TCharCode code) noexcept;
int SaveRetCvtOfLineEnd(TLineEndCode lineEnd) noexcept;

enum class TSaveAction { Beep, SaveAs, Save };
// The Save command: nothing to save beeps.
TSaveAction SaveCommandAction(const TFileMenuInput& in, bool needsSaveAs) noexcept;

// Open: a file chosen while the window holds a file or a changed text goes
// to a new instance, with these arguments.
bool OpenGoesToNewInstance(const TFileMenuInput& in) noexcept;
std::string NewInstanceArguments(const std::string& fileName, bool readOnly);

// Save with a chosen code and line end. The dialog gets the document's
// code and line end, whether a new name is the choice and whether it is the
// only one (a read-only document); then Save As when chosen or needed, else
// the save over the current file. SaveCvt and SaveRetCvt carry the choice
// into the save and are put back on every way out, the document's code and
// line end too unless a save succeeded. True when a save succeeded.
struct TSaveWithCodeSteps {
    std::function<bool(TCharCode& code, TLineEndCode& lineEnd, bool& saveAs, bool forceSaveAs)> Dialog;
    std::function<bool()> NeedsSaveAs;
    std::function<bool()> Save;
    std::function<bool()> SaveAs;
};
struct TSaveWithCodeState {
    int& SaveCvt;
    int& SaveRetCvt;
    TCharCode& DocumentCode;
    TLineEndCode& DocumentLineEnd;
};
bool SaveWithCode(const TSaveWithCodeState& state, bool readOnly, const TSaveWithCodeSteps& steps);

// Closing: the answer to "save changes?" and whether the save worked.
enum class TSaveAnswer { Yes, No, Cancel };
bool MayCloseAfter(TSaveAnswer answer, bool saveSucceeded) noexcept;

} // namespace vellumo
