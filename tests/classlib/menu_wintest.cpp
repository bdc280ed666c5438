#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "classlib/control_win.h"
#include "classlib/menu_win.h"
#include "support/winsupport_win.h"

using namespace vellumo;
using namespace vellumo::testing;

namespace {

struct TItemInfo {
    std::string text;
    UINT type, state, id;
};

std::vector<TItemInfo> ReadMenu(HMENU menu)
{
    std::vector<TItemInfo> out;
    int n = GetMenuItemCount(menu);
    for (int i = 0; i < n; ++i) {
        char buf[128] = {};
        MENUITEMINFOA mi{};
        mi.cbSize = sizeof mi;
        mi.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING;
        mi.dwTypeData = buf;
        mi.cch = sizeof buf;
        GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &mi);
        out.push_back({buf, mi.fType, mi.fState, mi.wID});
    }
    return out;
}

// The editor-like menu: undo, separator, cut, a hidden item, box mode.
struct TMenuFixture {
    TPopupMenu menu;
    std::vector<std::string> clicks;
    bool canUndo = false;
    bool box = false;
    TMenuFixture()
    {
        menu.Add("\x8C\xB3\x82\xC9\x96\xDF\x82\xB7(&U)", "Ctrl+Z", [this](TMenuItem&) { clicks.push_back("undo"); });
        menu.AddSeparator();
        menu.Add("\x90\xD8\x82\xE8\x8E\xE6\x82\xE8(&T)", "Ctrl+X", [this](TMenuItem&) { clicks.push_back("cut"); });
        menu.Add("hidden", "", [this](TMenuItem&) { clicks.push_back("hidden"); }).SetVisible(false);
        menu.Add("Box(&K)", "Ctrl+K", [this](TMenuItem& item) {
            item.SetChecked(!item.Checked());
            box = item.Checked();
            clicks.push_back("box");
        });
        menu.Items(4).SetRadioItem(true);
        menu.OnPopup = [this](TPopupMenu& m) {
            m.Items(0).SetEnabled(canUndo);
            m.Items(4).SetChecked(box);
        };
    }
};

TEST(PopupMenu, BuildsTheVisibleItemsAfterOnPopupAndRunsTheChosenItem)
{
    TMenuFixture f;
    std::vector<std::vector<TItemInfo>> shown;
    UINT choice = 0;
    auto old = TPopupMenu::SetTracker([&](HMENU m, int, int, HWND) {
        shown.push_back(ReadMenu(m));
        return choice;
    });
    HWND owner = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);

    choice = f.menu.Items(4).Command();
    EXPECT_TRUE(f.menu.Popup(10, 10, owner));
    EXPECT_TRUE(f.box);
    f.canUndo = true;
    choice = f.menu.Items(0).Command();
    EXPECT_TRUE(f.menu.Popup(10, 10, owner));
    ASSERT_EQ(shown.size(), 2u);
    // The visible items with their state: the hidden item is left out, and
    // commands stay tied to the item, not the position.
    const auto& items = shown[0];
    ASSERT_EQ(items.size(), 4u);
    EXPECT_EQ(items[0].text, "\x8C\xB3\x82\xC9\x96\xDF\x82\xB7(&U)\tCtrl+Z");
    EXPECT_TRUE(items[0].state & MFS_DISABLED);
    EXPECT_EQ(items[0].id, f.menu.Items(0).Command());
    EXPECT_TRUE(items[1].type & MFT_SEPARATOR);
    EXPECT_FALSE(items[2].state & MFS_DISABLED);
    EXPECT_EQ(items[3].id, f.menu.Items(4).Command());
    EXPECT_TRUE(items[3].type & MFT_RADIOCHECK);
    EXPECT_FALSE(shown[1][0].state & MFS_DISABLED);  // OnPopup ran before the build
    EXPECT_TRUE(shown[1][3].state & MFS_CHECKED);
    choice = 0;  // dismissed
    EXPECT_FALSE(f.menu.Popup(10, 10, owner));
    EXPECT_EQ(f.clicks, (std::vector<std::string>{"box", "undo"}));

    // Commands that name no runnable item run nothing.
    for (UINT bad : {0u, 2u, 4u, 6u, 1000u})
        EXPECT_FALSE(f.menu.DispatchCommand(bad)) << bad;
    f.menu.Items(2).SetEnabled(false);
    EXPECT_FALSE(f.menu.DispatchCommand(3));
    EXPECT_EQ(f.clicks.size(), 2u);

    // A tracker that fails reports upward.
    TPopupMenu::SetTracker([](HMENU, int, int, HWND) -> UINT { throw std::runtime_error("menu loop"); });
    EXPECT_THROW(f.menu.Popup(0, 0, owner), std::runtime_error);
    TPopupMenu::SetTracker(old);
    DestroyWindow(owner);
}

// Keys for the menu loop, posted from a timer that fires inside the loop.
std::vector<WPARAM> g_keys;
HWND g_owner = nullptr;

void CALLBACK PostMenuKeys(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    HWND menuWindow = FindWindowA("#32768", nullptr);
    for (WPARAM k : g_keys)
        PostMessageA(menuWindow ? menuWindow : g_owner, WM_KEYDOWN, k, 0);
}

TEST(PopupMenu, TheSystemMenuLoopReturnsTheItemChosenByKeys)
{
    TMenuFixture f;
    f.canUndo = false;
    g_owner = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    PumpMessages();
    // Down, Down: past the (greyed) undo and over the separator to cut.
    g_keys = {VK_DOWN, VK_DOWN, VK_RETURN};
    SetTimer(nullptr, 0, 50, PostMenuKeys);
    EXPECT_TRUE(f.menu.Popup(5, 5, g_owner));
    EXPECT_EQ(f.clicks, (std::vector<std::string>{"cut"}));
    // Esc closes it without a choice.
    g_keys = {VK_ESCAPE};
    SetTimer(nullptr, 0, 50, PostMenuKeys);
    EXPECT_FALSE(f.menu.Popup(5, 5, g_owner));
    EXPECT_EQ(f.clicks.size(), 1u);
    DestroyWindow(g_owner);
    PumpMessages();
}

} // namespace

namespace {

TEST(PopupMenu, MovedItemsAndBatchedChangesReachTheSystemMenu)
{
    TMenuFixture f;
    TMenuItem& root = f.menu.Items();
    HMENU h = f.menu.Handle();
    root.Move(4, 0);  // box first
    ASSERT_EQ(ReadMenu(h).size(), 4u);
    EXPECT_EQ(ReadMenu(h)[0].text, "Box(&K)\tCtrl+K");
    EXPECT_EQ(&root.Items(0), f.menu.FindShortCut(ShortCut('K', scCtrl)));
    root.Move(0, 99);  // clamped: back to the end
    EXPECT_EQ(ReadMenu(h).back().text, "Box(&K)\tCtrl+K");
    root.Move(7, 0);  // out of range: nothing
    EXPECT_EQ(ReadMenu(h).back().text, "Box(&K)\tCtrl+K");

    // Between BeginUpdate and the last EndUpdate the system menu waits.
    root.BeginUpdate();
    root.BeginUpdate();
    for (int i = 0; i < 3; ++i) root.Add("more");
    root.Items(0).SetVisible(false);
    EXPECT_EQ(ReadMenu(h).size(), 4u);
    root.EndUpdate();
    EXPECT_EQ(ReadMenu(h).size(), 4u);
    root.EndUpdate();
    EXPECT_EQ(ReadMenu(h).size(), 6u);
    EXPECT_EQ(ReadMenu(h).back().text, "more");
}

} // namespace
