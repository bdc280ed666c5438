// The Edit menu's reconversion item (the other Edit commands are in
// editmenu_win.cpp).
#include "app/commands/commands_win.h"
#include "app/integration/imereconv_win.h"
#include "app/window/mainform_win.h"

namespace vellumo {

void mReConvClick(TVellumoMainForm& form)
{
    TEditor& editor = form.ActiveEditor();
    ReconvertSelection(editor, editor.SelText());
}

bool ReConvEnabled(TVellumoMainForm& form)
{
    TEditor& e = form.ActiveEditor();
    return e.Selected() && e.SelectionMode() == smNormal && !e.ReadOnly() && GetImeKind() != ikNone;
}

namespace {

// The conversion submenu's opening (with the other Edit commands) applies
// the rule: without an input method the item is disabled.
constexpr TCommand kRows[] = {
    {"mReConv", mReConvClick, ReConvEnabled},
};

} // namespace

std::span<const TCommand> ReconvCommands() noexcept { return kRows; }

} // namespace vellumo
