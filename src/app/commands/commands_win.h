#pragma once
// The menus' commands as free functions on the main window, and the one
// table that finds them by name. A new command is a row in the menu table
// (window/menus.cpp) plus its handler and its row in its menu's file:
//   filemenu_win.cpp    the File menu
//   editmenu_win.cpp    the Edit menu and its conversion submenu
//   popupmenu_win.cpp   the pop-up menu's opening and its link items
//   searchmenu_win.cpp  the Search menu and the matching-bracket action
//   viewmenu_win.cpp    the View menu
//   windowmenu_win.cpp  the Window menu and the pane-switching action
//   toolsmenu_win.cpp   the Tools menu's browser previews
//   reconvcommand_win.cpp  the Edit menu's reconversion
//   window/editorevents_win.cpp  the box-selection actions
// An opening handler (File1Click...) applies its items' enabling rules.
// Windows only.
#include <span>
#include <string_view>

#include "app/core/commandtable.h"

namespace vellumo {

class TVellumoMainForm;
class TEditor;

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

// ---- Edit menu
void Edit1Click(TVellumoMainForm& form);
void mHenkanClick(TVellumoMainForm& form);
void mUndoClick(TVellumoMainForm& form);
void mRedoClick(TVellumoMainForm& form);
void mCutClick(TVellumoMainForm& form);
void mCopyClick(TVellumoMainForm& form);
void mWordWrapCopyClick(TVellumoMainForm& form);
void mPasteClick(TVellumoMainForm& form);
void mInyouPasteClick(TVellumoMainForm& form);
void mPasteBoxClick(TVellumoMainForm& form);
void mDeleteClick(TVellumoMainForm& form);
void mLineDelClick(TVellumoMainForm& form);
void mLowerClick(TVellumoMainForm& form);
void mUpperClick(TVellumoMainForm& form);
void mHankakuClick(TVellumoMainForm& form);
void mZenkakuClick(TVellumoMainForm& form);
void mTabIndentClick(TVellumoMainForm& form);
void mUnTabIndentClick(TVellumoMainForm& form);
void mIndentClick(TVellumoMainForm& form);
void mUnIndentClick(TVellumoMainForm& form);
void mWorpRetClick(TVellumoMainForm& form);
void mDelRetClick(TVellumoMainForm& form);
void mSelectAllClick(TVellumoMainForm& form);
void mBoxModeClick(TVellumoMainForm& form);
void mFreeCaretClick(TVellumoMainForm& form);
void mReadOnlyClick(TVellumoMainForm& form);
// The selection holds a CR LF (a box's text ends every row with one).
bool SelectionHasLineBreak(const TEditor& editor);

// ---- Pop-up menu: its items run their menu-bar namesakes; these are its own.
void PopupMenu1Popup(TVellumoMainForm& form);
void pHenkanClick(TVellumoMainForm& form);
void pLinkOpenClick(TVellumoMainForm& form);
void pLinkCopyClick(TVellumoMainForm& form);
void pLinkSelClick(TVellumoMainForm& form);
// Binds the pop-up menu's opening and the items that have no namesake
// (the editors show the menu; WireEditor calls this).
void BindPopupMenu(TVellumoMainForm& form);

// ---- Box selection from the keyboard (window/editorevents_win.cpp)
void BoxLeftExecute(TVellumoMainForm& form);
void BoxUpExecute(TVellumoMainForm& form);
void BoxRightExecute(TVellumoMainForm& form);
void BoxDownExecute(TVellumoMainForm& form);

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
void mOptionClick(TVellumoMainForm& form);
// What the options and the tool settings say when their dialog failed.
extern const char kSettingsDialogFailedText[];

// ---- Window menu
void mWindowClick(TVellumoMainForm& form);
void mWin_BunkatuClick(TVellumoMainForm& form);
void MoveWindowFocusExecute(TVellumoMainForm& form);

// ---- Tools menu
void mOptionToolClick(TVellumoMainForm& form);
void mIEClick(TVellumoMainForm& form);
void mNNClick(TVellumoMainForm& form);

// ---- Edit menu: reconversion (the others are in editmenu_win.cpp)
void mReConvClick(TVellumoMainForm& form);
// mReConv's rule: a selection in the normal mode of a writable document,
// and an input method that reconverts.
bool ReConvEnabled(TVellumoMainForm& form);

// Each menu's rows.
std::span<const TCommand> FileMenuCommands() noexcept;
std::span<const TCommand> EditMenuCommands() noexcept;
std::span<const TCommand> EditorActionCommands() noexcept;
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
