#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "classlib/application_win.h"
#include "classlib/control_win.h"
#include "classlib/menu_win.h"
#include "support/winsupport_win.h"

using namespace vellumo;
using namespace vellumo::testing;

namespace {

struct TEntry {
    std::string text;
    UINT state, id;
    HMENU sub;
};

std::vector<TEntry> ReadMenu(HMENU menu)
{
    std::vector<TEntry> out;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char buf[128] = {};
        MENUITEMINFOA mi{};
        mi.cbSize = sizeof mi;
        mi.fMask = MIIM_STATE | MIIM_ID | MIIM_STRING | MIIM_SUBMENU;
        mi.dwTypeData = buf;
        mi.cch = sizeof buf;
        GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &mi);
        out.push_back({buf, mi.fState, mi.wID, mi.hSubMenu});
    }
    return out;
}

std::vector<std::string> Texts(HMENU menu)
{
    std::vector<std::string> out;
    for (const TEntry& e : ReadMenu(menu))
        out.push_back(e.text);
    return out;
}

// Holds modifier keys down in this thread's key state for a scope.
struct TKeysHeld {
    BYTE saved[256];
    explicit TKeysHeld(std::initializer_list<int> keys)
    {
        GetKeyboardState(saved);
        BYTE now[256];
        std::copy(saved, saved + 256, now);
        for (int k : keys)
            now[k] = 0x80;
        SetKeyboardState(now);
    }
    ~TKeysHeld() { SetKeyboardState(saved); }
};

// A window that hands its menu messages to the menus.
struct TMenuWindow : TCustomControl {
    TMenuWindow() { SetVisible(false); }
    void WndProc(TMessage& m) override
    {
        if (HandleMenuMessage(Handle(), m.Msg, m.WParam, m.LParam, m.Result))
            return;
        TCustomControl::WndProc(m);
    }
};

// A hidden main window with File (new, open, hidden repaint, save, a recent
// submenu) and Edit menus; its keys reach the menu through the application's
// shortcut handler, as the program's do.
struct TMenuForm {
    TMenuWindow form;
    TMainMenu menu;
    std::vector<std::string> log;
    bool canSave = true;
    int recent = 0;
    TMenuItem* file;
    TMenuItem* edit;
    TMenuItem* reopen;

    TMenuForm()
    {
        file = &menu.Add("&File");
        file->Add("&New", "Ctrl+N", [this](TMenuItem&) { log.push_back("new"); });
        file->Add("&Open...", "Ctrl+O", [this](TMenuItem&) { log.push_back("open"); });
        file->Add("&Repaint", "Shift+F5", [this](TMenuItem&) { log.push_back("repaint"); }).SetVisible(false);
        file->Add("&Save", "Ctrl+S", [this](TMenuItem&) { log.push_back("save"); });
        reopen = &file->Add("Re&open");
        reopen->Add("(none)").SetEnabled(false);
        reopen->OnClick = [this](TMenuItem& sub) {
            log.push_back("reopen-opens");
            sub.Clear();
            for (int i = 0; i < recent; ++i)
                sub.Add("&" + std::to_string(i + 1) + " file", {}, [this](TMenuItem& it) { log.push_back(it.Caption()); });
        };
        file->OnClick = [this](TMenuItem& f) {
            log.push_back("file-opens");
            f.Items(3).SetEnabled(canSave);
        };
        edit = &menu.Add("&Edit");
        edit->Add("&Undo", "Ctrl+Z", [this](TMenuItem&) { log.push_back("undo"); });
        edit->Add("Undo2", "Alt+BkSp", [this](TMenuItem&) { log.push_back("undo2"); }).SetVisible(false);
        menu.SetWindow(form.Handle());
        Application().SetShortCutHandler(form.Handle(), [this](TShortCut sc) { return menu.IsShortCut(sc); });
        form.OnKeyDown = [this](unsigned& key, TShiftState) { log.push_back("key " + std::to_string(key)); };
    }
    ~TMenuForm() { Application().SetShortCutHandler(form.Handle(), nullptr); }
    HMENU Bar() { return GetMenu(form.Handle()); }
    HMENU FileMenu() { return GetSubMenu(Bar(), 0); }
    void Key(UINT msg, WPARAM key, LPARAM lParam = 0)
    {
        PostMessageA(form.Handle(), msg, key, lParam);
        Application().ProcessMessages();
    }
};

TEST(MainMenu, HiddenItemsKeepTheirIndexWhileTheSystemMenuFollowsVisibility)
{
    TMenuForm f;
    ASSERT_EQ(f.Bar(), f.menu.Handle());
    EXPECT_EQ(Texts(f.Bar()), (std::vector<std::string>{"&File", "&Edit"}));
    EXPECT_EQ(Texts(f.FileMenu()),
              (std::vector<std::string>{"&New\tCtrl+N", "&Open...\tCtrl+O", "&Save\tCtrl+S", "Re&open"}));
    EXPECT_EQ(f.file->Items(3).Caption(), "&Save");  // the hidden item keeps index 2

    f.file->Items(2).SetVisible(true);
    auto entries = ReadMenu(f.FileMenu());
    ASSERT_EQ(entries.size(), 5u);
    EXPECT_EQ(entries[2].text, "&Repaint\tShift+F5");
    EXPECT_EQ(entries[2].id, f.file->Items(2).Command());
    EXPECT_EQ(entries[4].sub, f.reopen->SubmenuHandle());

    // Hiding a whole menu takes it off the bar; its items stay addressable.
    f.edit->SetVisible(false);
    EXPECT_EQ(Texts(f.Bar()), (std::vector<std::string>{"&File"}));
    f.edit->SetVisible(true);
    EXPECT_EQ(GetSubMenu(f.Bar(), 1), f.edit->SubmenuHandle());

    // Deleting and inserting shift the positions, not the commands.
    const UINT save = f.file->Items(3).Command();
    f.file->Delete(0);
    f.file->Insert(1, "&Inserted");
    EXPECT_EQ(f.file->Items(3).Command(), save);
    EXPECT_EQ(ReadMenu(f.FileMenu())[3].id, save);
}

TEST(MainMenu, OpeningASubmenuRunsItsHandlerBeforeItShowsAndCommandsRunEnabledItems)
{
    TMenuForm f;
    f.canSave = false;
    SendMessageA(f.form.Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(f.FileMenu()), 0);
    EXPECT_TRUE(ReadMenu(f.FileMenu())[2].state & MFS_DISABLED);

    // The recent-file submenu is refilled by its handler as it opens.
    f.recent = 2;
    SendMessageA(f.form.Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(f.reopen->SubmenuHandle()), 3);
    EXPECT_EQ(Texts(f.reopen->SubmenuHandle()), (std::vector<std::string>{"&1 file", "&2 file"}));

    SendMessageA(f.form.Handle(), WM_COMMAND, f.reopen->Items(1).Command(), 0);
    SendMessageA(f.form.Handle(), WM_COMMAND, f.file->Items(3).Command(), 0);  // disabled save
    SendMessageA(f.form.Handle(), WM_COMMAND, f.file->Items(0).Command(), 0);
    EXPECT_EQ(f.log, (std::vector<std::string>{"file-opens", "reopen-opens", "&2 file", "new"}));
    // The window menu's opening is not ours.
    f.log.clear();
    SendMessageA(f.form.Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(f.FileMenu()), MAKELPARAM(0, TRUE));
    EXPECT_TRUE(f.log.empty());
}

TEST(MainMenu, ThePumpRunsShortcutsOfTheMenuAfterTheOpeningHandlers)
{
    TMenuForm f;
    {
        TKeysHeld ctrl{VK_CONTROL};
        f.Key(WM_KEYDOWN, 'S');
        f.canSave = false;
        f.Key(WM_KEYDOWN, 'S');  // the handler disables it: the key goes on
    }
    {
        TKeysHeld shift{VK_SHIFT};
        f.Key(WM_KEYDOWN, VK_F5);  // a hidden item still answers its key
    }
    f.Key(WM_SYSKEYDOWN, VK_BACK, 1 << 29);  // Alt from the message itself
    f.Key(WM_KEYDOWN, 'S');  // no modifier: an ordinary key
    EXPECT_EQ(f.log, (std::vector<std::string>{"file-opens", "save", "file-opens", "key 83", "file-opens", "repaint",
                                               "undo2", "key 83"}));

    // OnMessage comes first and may take the message.
    f.log.clear();
    Application().OnMessage = [](MSG& msg, bool& handled) { handled = msg.message == WM_KEYDOWN; };
    {
        TKeysHeld ctrl{VK_CONTROL};
        f.Key(WM_KEYDOWN, 'N');
    }
    Application().OnMessage = nullptr;
    EXPECT_TRUE(f.log.empty());
    // A disabled window takes no shortcut.
    EnableWindow(f.form.Handle(), FALSE);
    {
        TKeysHeld ctrl{VK_CONTROL};
        f.Key(WM_KEYDOWN, 'N');
        EXPECT_EQ(std::count(f.log.begin(), f.log.end(), "new"), 0);
        EnableWindow(f.form.Handle(), TRUE);
        f.Key(WM_KEYDOWN, 'N');
    }
    EXPECT_EQ(std::count(f.log.begin(), f.log.end(), "new"), 1);
}

// Keys for a context menu's loop, posted from inside it.
std::vector<WPARAM> g_keys;

void CALLBACK PostKeys(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    HWND menuWindow = FindWindowA("#32768", nullptr);
    for (WPARAM k : g_keys)
        PostMessageA(menuWindow, WM_KEYDOWN, k, 0);
}

TEST(PopupMenu, ASubmenuOfAContextMenuIsFilledByItsHandlerWhenTheLoopOpensIt)
{
    TPopupMenu popup;
    std::vector<std::string> log;
    popup.Add("&Copy", {}, [&](TMenuItem&) { log.push_back("copy"); });
    TMenuItem& tools = popup.Add("&Tools");
    tools.Add("(no tools)").SetEnabled(false);
    tools.OnClick = [&](TMenuItem& t) {
        t.Clear();
        t.Add("&Grep", {}, [&](TMenuItem&) { log.push_back("grep"); });
    };
    HWND owner = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    PumpMessages();
    g_keys = {VK_DOWN, VK_DOWN, VK_RIGHT, VK_RETURN};
    SetTimer(nullptr, 0, 50, PostKeys);
    EXPECT_TRUE(popup.Popup(5, 5, owner));
    EXPECT_EQ(log, (std::vector<std::string>{"grep"}));
    // The same positions as before the change: tools is position 2 (1-based).
    EXPECT_FALSE(popup.DispatchCommand(2));
    EXPECT_TRUE(popup.DispatchCommand(3));
    DestroyWindow(owner);
    PumpMessages();
}

} // namespace
