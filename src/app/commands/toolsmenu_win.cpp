// The Tools menu's commands: the two browser previews. (The tool items come
// with the external tools.)
#include "app/commands/commands_win.h"
#include "app/integration/browserpreview_win.h"
#include "app/window/mainform_win.h"

namespace vellumo {

void mIEClick(TVellumoMainForm& form) { PreviewDocument(form, TPreviewBrowser::First); }
void mNNClick(TVellumoMainForm& form) { PreviewDocument(form, TPreviewBrowser::Second); }

namespace {

// Their enabling follows the edit mode and the settings (UpdateBrowserMenus),
// not the opening of the menu.
constexpr TCommand kRows[] = {
    {"mIE", mIEClick},
    {"mNN", mNNClick},
};

} // namespace

std::span<const TCommand> ToolsMenuCommands() noexcept { return kRows; }

} // namespace vellumo
