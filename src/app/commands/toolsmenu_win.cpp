// The Tools menu's commands: the two browser previews. (The tool items come
// with the external tools.)
#include "app/commands/commands_win.h"
#include "app/core/reloadini.h"
#include "app/integration/browserpreview_win.h"
#include "app/window/mainform_win.h"
#include "base/showmsg.h"
#include "classlib/cursorindex.h"
#include "classlib/screen_win.h"
#include "dialogs/tools/tooldlg.h"

namespace vellumo {

void mOptionToolClick(TVellumoMainForm& form)
{
    TScreenCursorScope wait(crHourGlass);
    try {
        if (!ShowToolListDialog()) return;
        BroadcastReloadSettings();
        form.RebuildSettingsMenus();
    } catch (...) {
        ShowMsg("何らかの問題が発生しました。\r\n\r\n"
                "・初期化ファイル(INI)の作成に失敗。\r\n"
                "・リソース不足でウィンドウのオープンに失敗。\r\n\r\n"
                "などが考えられます。\r\n"
                "初期化ファイルの保存先フォルダやリソース等を確認してください。",
                kMsgCaption, kMsgIconExclamation);
    }
}

void mIEClick(TVellumoMainForm& form) { PreviewDocument(form, TPreviewBrowser::First); }
void mNNClick(TVellumoMainForm& form) { PreviewDocument(form, TPreviewBrowser::Second); }

namespace {

// Their enabling follows the edit mode and the settings (UpdateBrowserMenus),
// not the opening of the menu.
constexpr TCommand kRows[] = {
    {"mIE", mIEClick},
    {"mNN", mNNClick},
    {"mOptionTool", mOptionToolClick},
};

} // namespace

std::span<const TCommand> ToolsMenuCommands() noexcept { return kRows; }

} // namespace vellumo
