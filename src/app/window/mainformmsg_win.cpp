// The main window's messages: menus and their hints, shortcuts, tool
// buttons, size, closing; dropped files (docguards_win.cpp) and the messages
// of other programs (integration/appmessages_win.cpp) are handed on. Menu items, shortcuts and tool
// buttons run their command from the one command table.

#include "app/window/mainform_win.h"


#include "app/commands/commands_win.h"
#include "app/core/appfuncs.h"
#include "app/integration/appmessages_win.h"
#include "app/window/docguards_win.h"
#include "classlib/application_win.h"
#include "base/showmsg.h"

namespace vellumo {

namespace {

// Every handler runs through here: no exception leaves a command.
void RunGuarded(const std::function<void()>& f)
{
    try {
        f();
    } catch (const std::exception& e) {
        ShowMsg(e.what(), kMsgCaption, kMsgOk | MB_ICONEXCLAMATION);
    } catch (...) {
        ShowMsg("内部エラーが発生しました。", kMsgCaption, kMsgOk | MB_ICONEXCLAMATION);
    }
}

void RunCommand(const TCommand& command, TVellumoMainForm& form)
{
    RunGuarded([&] { command.Run(form); });
}

} // namespace

void TVellumoMainForm::RunNamed(const std::string& name)
{
    // A command arriving while a replace, an open or a save pumps messages waits for it.
    if (DocumentBusy()) return;
    if (const TCommand* c = CommandTable().Find(name)) RunCommand(*c, *this);
}

void TVellumoMainForm::BindMenuHandlers(TTableMenu& menu, bool popup)
{
    const auto table = menu.Table();
    for (std::size_t r = 0; r < table.size(); ++r) {
        const TMenuEntry& e = table[r];
        TMenuItem* item = e.IsSeparator() ? nullptr : menu.Find(e.Name);
        if (!item) continue;
        // A pop-up item runs its menu-bar namesake; a submenu its opening handler.
        std::string name = popup && !MenuHasChildren(table, static_cast<int>(r)) ? PopupNamesake(e.Name) : e.Name;
        if (name.empty()) name = e.Name;
        if (CommandTable().Find(name)) item->OnClick = [this, name](TMenuItem&) { RunNamed(name); };
    }
}

bool TVellumoMainForm::RunShortCut(TShortCut sc)
{
    const TMenuEntry* e = MainMenuItems.EntryOfShortCut(sc);
    if (!e) {
        // The actions: shortcuts without a menu item, so no menu to refresh.
        for (const TMenuEntry& a : ActionTable())
            if (a.ShortCut == sc)
                if (const TCommand* c = CommandTable().Find(a.Name)) {
                    if (!DocumentBusy() && CommandEnabled(*c, *this)) RunCommand(*c, *this);
                    return true;
                }
        TMenuItem* added = MainMenu1.FindShortCut(sc);
        if (!added) return false;
        // The keys of the tools, which the program's own keys outrank (a tool's
        // key counts only when no item before it in the menus has it).
        if (RunToolShortCut(*this, sc)) return true;
        // Items the settings add (the wrap widths) are no rows: their own click runs.
        if (!added->OnClick) return false;
        if (!DocumentBusy()) RunGuarded([&] { MainMenu1.IsShortCut(sc); });
        return true;
    }
    // A shortcut whose command has not arrived yet goes on to the editor.
    const TCommand* c = CommandTable().Find(e->Name);
    if (!c) return false;
    // The menus above the item open first (their opening handlers apply the
    // items' rules), so the key meets the state the menu would show; the
    // row's rule is asked as well, whichever menu the item sits in.
    if (!DocumentBusy() && RefreshAndCheckEnabled(MainMenuItems.Item(e->Name)) && CommandEnabled(*c, *this))
        RunCommand(*c, *this);
    return true;
}

void TVellumoMainForm::CloseRequested()
{
    // A save or an open pumps messages, a waited-for tool still works on the
    // document: a close arriving then waits for them.
    if (DocumentBusy() || ToolWaiting() || closing_) return;
    closing_ = true;
    bool close = false;
    RunGuarded([&] { close = FormCloseQuery(); });
    if (close) {
        RunGuarded([&] { FormClose(); });
        DestroyWindow(Window());
    }
    closing_ = false;
}

bool TVellumoMainForm::HandleMessage(TMessage& m)
{
    switch (m.Msg) {
    case WM_COMMAND:
        if (m.LParam && reinterpret_cast<HWND>(m.LParam) == ToolBar1.Handle()) {
            ToolButtonClick(LOWORD(m.WParam));
            return true;
        }
        return HandleMenuMessage(Window(), m.Msg, m.WParam, m.LParam, m.Result);
    case WM_NOTIFY: {
        const auto* n = reinterpret_cast<const NMHDR*>(m.LParam);
        if (!n || n->hwndFrom != ToolBar1.Handle()) return false;
        if (n->code == static_cast<UINT>(NM_LDOWN)) ToolButtonMouseDown();
        // The bar shows the hint of the button under the mouse.
        return ToolBar1.ParentMessage(m.Msg, m.WParam, m.LParam, m.Result);
    }
    case WM_INITMENUPOPUP:
    case WM_MENUSELECT:
        return HandleMenuMessage(Window(), m.Msg, m.WParam, m.LParam, m.Result);
    case WM_SIZE:
        // The task-bar button minimizes, through the application window.
        if (m.WParam == SIZE_MINIMIZED) {
            ShowWindow(Window(), SW_RESTORE);
            MinimizeApplication();
            return true;
        }
        LayoutControls();
        return false;
    case WM_ENTERSIZEMOVE:
    case WM_EXITSIZEMOVE:
        if (ToolBar1.Handle()) {
            const LONG_PTR ex = GetWindowLongPtrA(ToolBar1.Handle(), GWL_EXSTYLE);
            SetWindowLongPtrA(ToolBar1.Handle(), GWL_EXSTYLE,
                              m.Msg == WM_ENTERSIZEMOVE ? (ex | WS_EX_COMPOSITED) : (ex & ~WS_EX_COMPOSITED));
        }
        return false;
    // Activated, or given the focus back, the form hands it on to the editor.
    case WM_ACTIVATE:
        if (LOWORD(m.WParam) == WA_INACTIVE || HIWORD(m.WParam) || !FocusLastEditor()) return false;
        m.Result = 0;
        return true;
    case WM_SETFOCUS:
        TCustomControl::WndProc(m);
        FocusLastEditor();
        return true;
    case WM_ENABLE:
        // Disabling took the focus away; an active form enabled again (a
        // replace-all, a save) does not get it back by itself.
        if (m.WParam && GetActiveWindow() == Window()) FocusLastEditor();
        return false;
    case WM_CLOSE:
        CloseRequested();
        return true;
    case WM_DROPFILES:
        DropFiles(reinterpret_cast<HDROP>(m.WParam));
        return true;
    case WM_DESTROY:
        RunGuarded([this] { FormDestroy(); });
        PostQuitMessage(0);
        return false;
    default:
        // Messages of the other instances and other programs.
        if (HandleInterfaceMessage(*this, m)) return true;
        if (HDROP drop = TestDropHandle(m.Msg)) {
            DropFiles(drop);
            return true;
        }
        return false;
    }
}

bool TVellumoMainForm::FocusLastEditor()
{
    TEditor& ed = LastEditor ? *LastEditor : Editor1;
    HWND h = ed.HandleAllocated() ? ed.Handle() : nullptr;
    HWND form = Window();
    if (!h || !IsWindowVisible(h) || !IsWindowEnabled(form) || IsIconic(form)) return false;
    if (GetFocus() != h) ::SetFocus(h);
    return GetFocus() == h;
}

void TVellumoMainForm::WndProc(TMessage& m)
{
    if (HandleMessage(m)) return;
    TCustomControl::WndProc(m);
}

int RunMessageLoop(TVellumoMainForm& form)
{
    TApplication& app = Application();
    HWND h = form.Window();
    app.SetShortCutHandler(h, [&form, h](TShortCut sc) { return IsWindowEnabled(h) && form.RunShortCut(sc); });
    while (app.HandleMessage()) {
    }
    app.SetShortCutHandler(h, nullptr);
    app.OnActivate = nullptr;
    app.OnRestore = nullptr;
    return 0;
}

} // namespace vellumo
