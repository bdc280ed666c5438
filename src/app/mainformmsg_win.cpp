// The main window's messages: menus and their hints, shortcuts, tool
// buttons, size, closing and dropped files.

#include "app/mainform.h"

#include <shlobj.h>
#include "app/appfuncs.h"
#include "app/instances.h"
#include "app/reloadini.h"
#include "app/toolbar.h"
#include "classlib/application.h"
#include "classlib/showmsg.h"

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

} // namespace

std::function<void()> TVellumoMainForm::CommandHandler(std::string_view name)
{
    // Menu item -> handler; the other menus' items join with their commands.
    struct TEntry {
        const char* Name;
        void (TVellumoMainForm::*Handler)();
    };
    static constexpr TEntry kHandlers[] = {
        {"mOpen", &TVellumoMainForm::mOpenClick},
        {"mOpen2", &TVellumoMainForm::mOpen2Click},
        {"mSave", &TVellumoMainForm::mSaveClick},
        {"mSaveAs", &TVellumoMainForm::mSaveAsClick},
        {"mSaveExit", &TVellumoMainForm::mSaveExitClick},
        {"mAppExit", &TVellumoMainForm::mAppExitClick},
        // submenus opening
        {"File1", &TVellumoMainForm::File1Click},
        {"mReLoadCode", &TVellumoMainForm::mReLoadCodeClick},
        {"mWordWrapRetSave", &TVellumoMainForm::mWordWrapRetSaveClick},
    };
    for (const auto& h : kHandlers)
        if (name == h.Name) return [this, f = h.Handler] { (this->*f)(); };
    return nullptr;
}

std::vector<std::string> TVellumoMainForm::UnhandledItems()
{
    std::vector<std::string> names;
    TVellumoMainForm* form = VellumoMainForm();
    if (!form) return names;
    for (const auto& e : MainMenuTable()) {
        if (e.IsSeparator() || e.Level == 0 || (e.Flags & mfDisabled)) continue;
        if (MenuHasChildren(MainMenuTable(), static_cast<int>(&e - MainMenuTable().data()))) continue;
        if (!form->CommandHandler(e.Name)) names.emplace_back(e.Name);
    }
    return names;
}

void TVellumoMainForm::RunMenuRow(TMenuTree& tree, int row)
{
    std::string name = tree.Entry(row).Name;
    if (&tree == &PopupMenuItems) name = PopupNamesake(name);
    if (auto f = CommandHandler(name)) RunGuarded(f);
}

void TVellumoMainForm::OpenMenuRow(TMenuTree& tree, int row)
{
    if (row < 0) return;  // the pop-up menu's own opening arrives with the edit commands
    std::string name = tree.Entry(row).Name;
    if (auto f = CommandHandler(name)) RunGuarded(f);
}

bool TVellumoMainForm::RunShortCut(TShortCut sc)
{
    const int row = MainMenu1.RowOfShortCut(sc);
    if (row < 0) return false;
    // A shortcut whose command has not arrived yet goes on to the editor.
    auto f = CommandHandler(MainMenu1.Entry(row).Name);
    if (!f) return false;
    if (MainMenu1.RefreshAndCheckEnabled(row)) RunGuarded(f);
    return true;
}

void TVellumoMainForm::ToolButtonClick(UINT id)
{
    const int i = ToolBar1.ButtonOfCommand(id);
    if (i < 0) return;
    // Only a mouse press on the button acts (not the keyboard).
    if (!ToolButtonPressed) return;
    PumpMessagesOnce();
    const int row = MainMenu1.Row(ToolButtonTable()[static_cast<std::size_t>(i)].MenuItem);
    if (row >= 0) RunMenuRow(MainMenu1, row);
    ToolButtonPressed = false;
}

void TVellumoMainForm::CloseRequested()
{
    // A save or an open pumps messages: a close arriving then waits for it.
    if (DocumentBusy() || closing_) return;
    closing_ = true;
    bool close = false;
    RunGuarded([&] { close = FormCloseQuery(); });
    if (close) {
        RunGuarded([&] { FormClose(); });
        DestroyWindow(Window());
    }
    closing_ = false;
}

void TVellumoMainForm::DropFiles(HDROP drop)
{
    // Only a real drop of this process carries a block we own.
    if (!drop || GlobalSize(reinterpret_cast<HGLOBAL>(drop)) < sizeof(DROPFILES)) return;
    if (DocumentBusy()) {
        DragFinish(drop);
        return;
    }
    std::vector<std::string> names;
    const UINT n = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < n; ++i) {
        char buf[MAX_PATH];
        if (DragQueryFileA(drop, i, buf, MAX_PATH)) names.emplace_back(buf);
    }
    DragFinish(drop);
    RunGuarded([&] {
        for (std::size_t i = 0; i < names.size(); ++i) {
            const bool here = i == 0 && Document().CurrentFileName.empty() && !Editor1.Modified();
            if (here && Documents.OpenFile)
                Documents.OpenFile(names[i]);
            else if (Documents.StartNewInstance)
                Documents.StartNewInstance(NewInstanceArguments(names[i], false));
        }
    });
}

bool TVellumoMainForm::HandleMessage(TMessage& m)
{
    switch (m.Msg) {
    case WM_COMMAND: {
        const UINT id = LOWORD(m.WParam);
        if (m.LParam && reinterpret_cast<HWND>(m.LParam) == ToolBar1.Handle()) {
            ToolButtonClick(id);
            return true;
        }
        if (m.LParam) return false;
        return MainMenu1.Command(id) || PopupMenuItems.Command(id);
    }
    case WM_NOTIFY: {
        const auto* n = reinterpret_cast<const NMHDR*>(m.LParam);
        if (n && n->hwndFrom == ToolBar1.Handle() && n->code == static_cast<UINT>(NM_LDOWN))
            ToolButtonPressed = true;
        return false;
    }
    case WM_INITMENUPOPUP: {
        auto menu = reinterpret_cast<HMENU>(m.WParam);
        MainMenu1.InitPopup(menu) || PopupMenuItems.InitPopup(menu);
        return true;
    }
    case WM_MENUSELECT: {
        if (!StatusBar1.AutoHint) return false;
        const UINT id = LOWORD(m.WParam);
        const bool popup = (HIWORD(m.WParam) & MF_POPUP) != 0;
        std::string hint;
        if (!popup && HIWORD(m.WParam) != 0xFFFF) {
            int row = MainMenu1.RowOfCommand(id);
            if (row >= 0) hint = MainMenu1.Entry(row).Hint;
            else if ((row = PopupMenuItems.RowOfCommand(id)) >= 0) hint = PopupMenuItems.Entry(row).Hint;
        }
        StatusBar1.SetPanelText(0, hint);
        return false;
    }
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
    case WM_CLOSE:
        CloseRequested();
        return true;
    case WM_DROPFILES:
        DropFiles(reinterpret_cast<HDROP>(m.WParam));
        return true;
    // Messages of the other instances.
    case kWmReloadIni:
        if (!replaceBusy_) HandleReloadIni();
        return true;
    case kWmJumpLine:
        if (!replaceBusy_ && m.WParam > 0 && m.WParam < 0x7FFFFFFF)
            RunGuarded([&] { JumpToLine(static_cast<int>(m.WParam), m.LParam == 1 ? 1 : 0); });
        return true;
    case kWmJumpEnd:
        if (!replaceBusy_ && m.WParam) RunGuarded([] { JumpToLastLine(); });
        return true;
    case WM_DESTROY:
        RunGuarded([this] { FormDestroy(); });
        PostQuitMessage(0);
        return false;
    default:
        return false;
    }
}

void TVellumoMainForm::WndProc(TMessage& m)
{
    if (HandleMessage(m)) return;
    TCustomControl::WndProc(m);
}

bool TVellumoMainForm::PreTranslateKey(const MSG& msg)
{
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
    HWND h = HandleAllocated() ? Window() : nullptr;
    if (!h || !IsWindowEnabled(h) || (msg.hwnd != h && !IsChild(h, msg.hwnd))) return false;
    return RunShortCut(ShortCutOfKey(msg.wParam));
}

int RunMessageLoop(TVellumoMainForm& form)
{
    TApplication& app = Application();
    app.OnMessage = [&form](MSG& msg, bool& handled) { handled = form.PreTranslateKey(msg); };
    while (app.HandleMessage()) {
    }
    app.OnMessage = nullptr;
    app.OnActivate = nullptr;
    app.OnRestore = nullptr;
    return 0;
}

} // namespace vellumo
