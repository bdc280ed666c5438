// The Window menu's commands: the split view and the move between its panes.
// The split view's mechanics are in window/splitview_win.cpp.
#include "app/commands/commands_win.h"
#include "app/window/mainform_win.h"

namespace vellumo {

void mWindowClick(TVellumoMainForm& form) { ApplyEnablingRules(form, "mWindow"); }

void mWin_BunkatuClick(TVellumoMainForm& form)
{
    if (form.IsSplit())
        form.Unsplit();
    else
        form.Split();
}

void MoveWindowFocusExecute(TVellumoMainForm& form)
{
    if (TEditor* other = form.InactiveEditor()) other->SetFocus();
}

namespace {

bool SplitEnabled(TVellumoMainForm& form) { return form.CanSplit(); }

constexpr TCommand kRows[] = {
    {"mWindow", mWindowClick},
    {"mWin_Bunkatu", mWin_BunkatuClick, SplitEnabled},
    {"MoveWindowFocus", MoveWindowFocusExecute},
};

} // namespace

std::span<const TCommand> WindowMenuCommands() noexcept { return kRows; }

} // namespace vellumo
