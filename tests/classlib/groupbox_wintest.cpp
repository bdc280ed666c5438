#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "classlib/groupbox_win.h"
#include "support/modalscript_win.h"
#include "support/winsupport_win.h"

using namespace vellumo;
using namespace vellumo::testing;

namespace {

class TGroupDialog : public TForm {
public:
    TGroupDialog() : TForm(nullptr)
    {
        SetBorderStyle(bsDialog);
        SetClientSize(300, 200);
        Frame.SetBounds(8, 8, 130, 60);
        Check.SetBounds(16, 28, 110, 20);
        Direction.SetBounds(150, 8, 140, 90);
        Direction.SetItems({"\x8F\xE3\x82\xD6(&U)", "\x89\xBA\x82\xD6(&D)", "third"});  // 上へ 下へ
        Other.SetBounds(8, 110, 280, 50);
        Other.SetColumns(2);
        Other.SetItems({"a", "b"});
        Ok.SetBounds(200, 170, 80, 24);
    }
    TGroupBox Frame{*this, "\x83\x49\x83\x76\x83\x56\x83\x87\x83\x93"};  // オプション
    TCheckBox Check{*this, "check"};
    TRadioGroup Direction{*this, "\x8C\x9F\x8D\xF5\x95\xFB\x8C\xFC"};  // 検索方向
    TRadioGroup Other{*this, "other"};
    TButton Ok{*this, "OK", mrOk};
};

RECT ChildRect(HWND parent, HWND child)
{
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

bool IsChecked(HWND h) { return SendMessageA(h, BM_GETCHECK, 0, 0) == BST_CHECKED; }

} // namespace

TEST(GroupBox, ItemsSitInsideTheFrameInTabOrderWithOneTabStop)
{
    TGroupDialog dlg;
    HWND form = dlg.Handle();
    for (TRadioGroup* g : {&dlg.Direction, &dlg.Other}) {
        const RECT frame = ChildRect(form, g->Handle());
        RECT prev{};
        HWND before = g->Handle();
        for (int i = 0; i < static_cast<int>(g->Items().size()); ++i) {
            SCOPED_TRACE(i);
            HWND item = g->ItemHandle(i);
            ASSERT_NE(item, nullptr);
            const RECT r = ChildRect(form, item);
            EXPECT_GE(r.left, frame.left);
            EXPECT_LE(r.right, frame.right);
            EXPECT_GT(r.top, frame.top + 4);  // below the caption
            EXPECT_LE(r.bottom, frame.bottom);
            RECT overlap;
            EXPECT_FALSE(i > 0 && IntersectRect(&overlap, &r, &prev));
            prev = r;
            // Each item follows the frame or the item before in the Z order.
            EXPECT_EQ(GetWindow(item, GW_HWNDPREV), before);
            before = item;
        }
    }
    // Two columns: side by side.
    EXPECT_EQ(ChildRect(form, dlg.Other.ItemHandle(0)).top, ChildRect(form, dlg.Other.ItemHandle(1)).top);
    // The frame and the plain group box take no focus; only the chosen item does.
    dlg.Direction.SetItemIndex(1);
    auto tabStop = [](HWND h) { return (GetWindowLongPtrA(h, GWL_STYLE) & WS_TABSTOP) != 0; };
    EXPECT_FALSE(tabStop(dlg.Frame.Handle()));
    EXPECT_FALSE(tabStop(dlg.Direction.Handle()));
    EXPECT_EQ(std::vector<bool>({tabStop(dlg.Direction.ItemHandle(0)), tabStop(dlg.Direction.ItemHandle(1)),
                                 tabStop(dlg.Direction.ItemHandle(2))}),
              std::vector<bool>({false, true, false}));
    // Out of range chooses nothing; then Tab enters at the first.
    dlg.Direction.SetItemIndex(3);
    EXPECT_EQ(dlg.Direction.ItemIndex(), -1);
    EXPECT_TRUE(tabStop(dlg.Direction.ItemHandle(0)));
    EXPECT_FALSE(IsChecked(dlg.Direction.ItemHandle(1)));
}

TEST(GroupBox, ClicksAndArrowsChooseOneItemAndReportChanges)
{
    TGroupDialog dlg;
    int clicks = 0, changes = 0, otherChanges = 0;
    dlg.Direction.OnClick = [&] { ++clicks; };
    dlg.Direction.OnChange = [&] { ++changes; };
    dlg.Other.OnChange = [&] { ++otherChanges; };
    dlg.Other.SetItemIndex(1);
    dlg.Direction.SetItemIndex(0);  // no event
    dlg.Direction.SetItemEnabled(2, false);
    std::vector<int> seen;
    std::vector<HWND> focus;
    TScript script([&](TForm& f) {
        HWND down = dlg.Direction.ItemHandle(1);
        SendMessageA(down, BM_CLICK, 0, 0);
        seen.push_back(dlg.Direction.ItemIndex());
        SendMessageA(down, BM_CLICK, 0, 0);  // again: a click, no change
        // Down from the second item skips the disabled third and wraps to the first.
        SetFocus(down);
        PostMessageA(down, WM_KEYDOWN, VK_DOWN, 1);
        PostMessageA(down, WM_KEYUP, VK_DOWN, 0xC0000001);
        ProcessMessages();
        seen.push_back(dlg.Direction.ItemIndex());
        focus.push_back(GetFocus());
        HWND first = dlg.Direction.ItemHandle(0);
        PostMessageA(first, WM_KEYDOWN, VK_LEFT, 1);
        ProcessMessages();
        seen.push_back(dlg.Direction.ItemIndex());
        focus.push_back(GetFocus());
        // An item's access key chooses it.
        SetFocus(dlg.Check.Handle());
        PostMessageA(dlg.Check.Handle(), WM_CHAR, 'u', 1);
        ProcessMessages();
        seen.push_back(dlg.Direction.ItemIndex());
        PostMessageA(dlg.Check.Handle(), WM_SYSCHAR, 'd', 1 | (1 << 29));
        ProcessMessages();
        seen.push_back(dlg.Direction.ItemIndex());
        f.SetModalResult(mrOk);
    });
    ASSERT_EQ(dlg.ShowModal(), mrOk);
    EXPECT_EQ(seen, (std::vector<int>{1, 0, 1, 0, 1}));
    EXPECT_EQ(focus, (std::vector<HWND>{dlg.Direction.ItemHandle(0), dlg.Direction.ItemHandle(1)}));
    EXPECT_EQ(clicks, 6);
    EXPECT_EQ(changes, 5);
    // The neighbouring group keeps its own choice.
    EXPECT_EQ(dlg.Other.ItemIndex(), 1);
    EXPECT_TRUE(IsChecked(dlg.Other.ItemHandle(1)));
    EXPECT_EQ(otherChanges, 0);
    // Exactly the chosen item shows a check.
    for (int i = 0; i < 3; ++i) EXPECT_EQ(IsChecked(dlg.Direction.ItemHandle(i)), i == 1) << i;
    // The choice outlives the window and comes back with the next one.
    dlg.DestroyHandle();
    EXPECT_FALSE(dlg.Direction.HandleAllocated());
    EXPECT_EQ(dlg.Direction.ItemIndex(), 1);
    EXPECT_TRUE(IsChecked(dlg.Direction.ItemHandle(1)));
}

TEST(GroupBox, DisablingTheGroupDisablesEveryItemAndKeepsTheirOwnState)
{
    TGroupDialog dlg;
    dlg.Direction.SetItemEnabled(2, false);
    dlg.Direction.SetEnabled(false);
    ASSERT_TRUE(dlg.Direction.ItemHandle(0) && dlg.Direction.HandleAllocated());
    EXPECT_FALSE(dlg.Direction.Enabled());
    for (int i = 0; i < 3; ++i) EXPECT_FALSE(IsWindowEnabled(dlg.Direction.ItemHandle(i))) << i;
    // Through the base class too, as a form's code may hold it.
    TWinControlChild& base = dlg.Direction;
    base.SetEnabled(true);
    EXPECT_TRUE(IsWindowEnabled(dlg.Direction.ItemHandle(0)));
    EXPECT_TRUE(IsWindowEnabled(dlg.Direction.ItemHandle(1)));
    EXPECT_FALSE(IsWindowEnabled(dlg.Direction.ItemHandle(2)));  // its own state
    base.SetVisible(false);
    EXPECT_FALSE(IsWindowVisible(dlg.Direction.ItemHandle(0)));
    // New items made while the window exists appear at once, in the frame's state.
    dlg.Direction.SetEnabled(false);
    dlg.Direction.SetItems({"x", "y"});
    ASSERT_NE(dlg.Direction.ItemHandle(1), nullptr);
    EXPECT_FALSE(IsWindowEnabled(dlg.Direction.ItemHandle(1)));
    EXPECT_EQ(dlg.Direction.ItemIndex(), -1);
    EXPECT_EQ(dlg.Direction.ItemHandle(2), nullptr);
}
