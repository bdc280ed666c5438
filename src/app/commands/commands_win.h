#pragma once
// The menus' commands as free functions on the main window, and the one
// table that finds them by name. A new command is a row in the menu table
// (window/menus.cpp) plus its handler and its row in its menu's file:
//   filemenu_win.cpp    the File menu
//   searchmenu_win.cpp  the Search menu and the matching-bracket action
//   viewmenu_win.cpp    the View menu
//   windowmenu_win.cpp  the Window menu and the pane-switching action
//   toolsmenu_win.cpp   the Tools menu's browser previews
//   reconvcommand_win.cpp  the Edit menu's reconversion
// An opening handler (File1Click...) applies its items' enabling rules.
// Windows only.
#include <span>
#include <string_view>

#include "app/core/commandtable.h"

namespace vellumo {

class TVellumoMainForm;

// ---- File menu
void File1Click(TVellumoMainForm& form);
void mReLoadCodeClick(TVellumoMainForm& form);
void mWordWrapRetSaveClick(TVellumoMainForm& form);
void mNewClick(TVellumoMainForm& form);
void mOpenClick(TVellumoMainForm& form);
void mOpen2Click(TVellumoMainForm& form);
void mReLoadClick(TVellumoMainForm& form);
// The reload submenu's item at position 0..4.
void mReLoad_SelJCode(TVellumoMainForm& form, int position);
void mSaveClick(TVellumoMainForm& form);
void mSaveAsClick(TVellumoMainForm& form);
void mSave2Click(TVellumoMainForm& form);
void mSaveAs2Click(TVellumoMainForm& form);
void mSaveExit2Click(TVellumoMainForm& form);
void mSaveExitClick(TVellumoMainForm& form);
void mSave_JCodeClick(TVellumoMainForm& form);
void mAppExitClick(TVellumoMainForm& form);

// ---- Search menu
void Find1Click(TVellumoMainForm& form);
void mFindClick(TVellumoMainForm& form);
void mFindUpClick(TVellumoMainForm& form);
void mFindDownClick(TVellumoMainForm& form);
void mReplaceClick(TVellumoMainForm& form);
void mRowJmpClick(TVellumoMainForm& form);
void mKakkoJmpClick(TVellumoMainForm& form);  // also the TaioSuruKakko action

// ---- View menu
void mByteClick(TVellumoMainForm& form);

// ---- Window menu
void mWindowClick(TVellumoMainForm& form);
void mWin_BunkatuClick(TVellumoMainForm& form);
void MoveWindowFocusExecute(TVellumoMainForm& form);

// ---- Tools menu
void mIEClick(TVellumoMainForm& form);
void mNNClick(TVellumoMainForm& form);

// ---- Edit menu: reconversion (the others are in editmenu_win.cpp)
void mReConvClick(TVellumoMainForm& form);
// mReConv's rule: a selection in the normal mode of a writable document,
// and an input method that reconverts.
bool ReConvEnabled(TVellumoMainForm& form);

// Each menu's rows.
std::span<const TCommand> FileMenuCommands() noexcept;
std::span<const TCommand> SearchMenuCommands() noexcept;
std::span<const TCommand> ViewMenuCommands() noexcept;
std::span<const TCommand> WindowMenuCommands() noexcept;
std::span<const TCommand> ToolsMenuCommands() noexcept;
std::span<const TCommand> ReconvCommands() noexcept;

// The rows of every menu: what the menus, the shortcuts and the tool
// buttons run.
const TCommandTable& CommandTable();

// Sets the items of the main menu's submenu `submenu` that have an enabling
// rule by that rule: the opening handlers' common step.
void ApplyEnablingRules(TVellumoMainForm& form, std::string_view submenu);

} // namespace vellumo
