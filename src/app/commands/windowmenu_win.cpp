// The Window menu's commands: placement of this window, the split view, the
// arrangements of all instances' windows and the list of them. The split
// view's mechanics are in window/splitview_win.cpp, the arrangements in
// startup/arrange_win.cpp.
#include "app/commands/commands_win.h"
#include "app/startup/arrange_win.h"
#include "app/window/mainform_win.h"
#include "app/window/menus.h"
#include "base/showmsg.h"
#include "settings/settingsstore.h"

namespace vellumo {

void BuildWindowListMenu(TVellumoMainForm& form)
{
    TMenuItem& menu = form.MainMenuItems.Item("mWindow");
    // Items of an earlier opening name windows that may be gone.
    while (menu.Count() > FirstWindowListItem) menu.Delete(menu.Count() - 1);
    const std::vector<TListedInstance> entries = WindowListEntries();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        TMenuItem& item = menu.Add(WindowListCaption(static_cast<int>(i), entries[i].Title));
        item.SetTag(reinterpret_cast<std::intptr_t>(entries[i].Window));
        item.SetHint(entries[i].Title);
        item.SetChecked(i == 0);
        item.OnClick = [](TMenuItem& clicked) {
            ReportFailures([&] { BringInstanceForward(reinterpret_cast<HWND>(clicked.Tag())); });
        };
    }
}

void mWindowClick(TVellumoMainForm& form)
{
    BuildWindowListMenu(form);
    form.MainMenuItems.Item("mWin_UserSize").SetVisible(AppSettingsStore().Settings.Option.UserWindowMenu);
    form.MainMenuItems.Item("mWin_TopMost").SetChecked(form.TopMostOn);
    form.MainMenuItems.Item("mWin_Bunkatu").SetChecked(form.IsSplit());
    ApplyEnablingRules(form, "mWindow");
}

void mWin_TopMostClick(TVellumoMainForm& form)
{
    SetWindowPos(form.Window(), form.TopMostOn ? HWND_NOTOPMOST : HWND_TOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE);
    form.TopMostOn = !form.TopMostOn;
}

void ApplyUserWindowSize(TVellumoMainForm& form)
{
    const TAppIni& o = AppSettingsStore().Settings.Option;
    if (o.StartWindow != 3 && !o.UserWindowMenu) return;
    const HWND h = form.Window();
    RECT r{};
    if (o.UserWindowPos || o.UserWindowSize) {
        if (IsZoomed(h)) ShowWindow(h, SW_RESTORE);
        GetWindowRect(h, &r);
    }
    int left = r.left, top = r.top, width = r.right - r.left, height = r.bottom - r.top;
    if (o.UserWindowPos) {
        top = o.UserWindowPos_Y;
        left = o.UserWindowPos_X;
    }
    if (o.UserWindowSize) {
        width = o.UserWindowSize_W;
        height = o.UserWindowSize_H;
    }
    if (o.UserWindowPos || o.UserWindowSize)
        SetWindowPos(h, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void mWin_UserSizeClick(TVellumoMainForm& form) { ApplyUserWindowSize(form); }

void mWin_BunkatuClick(TVellumoMainForm& form)
{
    if (form.IsSplit())
        form.Unsplit();
    else
        form.Split();
}

void mWin_NarabeteClick(TVellumoMainForm&) { ArrangeTiled(); }
void mWin_KasaneteClick(TVellumoMainForm&) { ArrangeCascaded(); }
void mWin_JyougeClick(TVellumoMainForm&) { ArrangeStacked(); }
void mWin_SayuClick(TVellumoMainForm&) { ArrangeSideBySide(); }
void mWin_AllViewClick(TVellumoMainForm& form) { RestoreAllWindows(form.Window()); }
void mWin_AllMinClick(TVellumoMainForm&) { MinimizeAllWindows(); }
void mWin_NextClick(TVellumoMainForm&) { ActivateNextWindow(); }
void mWin_BackClick(TVellumoMainForm&) { ActivatePreviousWindow(); }

void MoveWindowFocusExecute(TVellumoMainForm& form)
{
    if (TEditor* other = form.InactiveEditor()) other->SetFocus();
}

namespace {

bool SplitEnabled(TVellumoMainForm& form) { return form.CanSplit(); }
bool UserSizeEnabled(TVellumoMainForm&) { return AppSettingsStore().Settings.Option.UserWindowMenu; }

constexpr TCommand kRows[] = {
    {"mWindow", mWindowClick},
    {"mWin_TopMost", mWin_TopMostClick},
    {"mWin_UserSize", mWin_UserSizeClick, UserSizeEnabled},
    {"mWin_Bunkatu", mWin_BunkatuClick, SplitEnabled},
    {"mWin_Narabete", mWin_NarabeteClick},
    {"mWin_Kasanete", mWin_KasaneteClick},
    {"mWin_Jyouge", mWin_JyougeClick},
    {"mWin_Sayu", mWin_SayuClick},
    {"mWin_AllView", mWin_AllViewClick},
    {"mWin_AllMin", mWin_AllMinClick},
    {"mWin_Next", mWin_NextClick},
    {"mWin_Back", mWin_BackClick},
    {"MoveWindowFocus", MoveWindowFocusExecute},
};

} // namespace

std::span<const TCommand> WindowMenuCommands() noexcept { return kRows; }

} // namespace vellumo
