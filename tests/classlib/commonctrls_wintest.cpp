#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include "classlib/commonctrls_win.h"
#include "support/winsupport_win.h"

using namespace vellumo;
using namespace vellumo::testing;

namespace {

class TPagesForm : public TForm {
public:
    TPagesForm() : TForm(nullptr)
    {
        SetBorderStyle(bsDialog);
        SetClientSize(400, 300);
        Pages.SetBounds(4, 4, 392, 250);
        Pages.AddPage("one");
        Pages.AddPage("two");
        Number.SetBounds(20, 40, 60, 22);
        List.SetBounds(20, 80, 300, 120);
        List.AddColumn("name", 100);
        List.AddColumn("value", 100);
        Pages.AddToPage(0, {&Number, &Spin});
        Pages.AddToPage(1, {&List, &Key});
        Key.SetBounds(20, 210, 120, 22);
    }
    TPageControl Pages{*this};
    TEdit Number{*this};
    TUpDown Spin{*this, Number, 1, 8};
    TListView List{*this};
    THotKey Key{*this};
};

} // namespace

TEST(CommonControls, UpDownKeepsItsPositionInRangeWhateverTheEditHolds)
{
    TPagesForm f;
    f.Handle();
    f.Spin.SetPosition(5);
    EXPECT_EQ(f.Number.Text(), "5");
    f.Number.SetText("0");
    EXPECT_EQ(f.Spin.Position(), 1);
    EXPECT_EQ(f.Number.Text(), "1");
    f.Number.SetText("10,000");  // not a number: the last position stays
    EXPECT_EQ(f.Spin.Position(), 1);
    f.Number.SetText(" 7 ");
    EXPECT_EQ(f.Spin.Position(), 7);
    f.Number.SetText("99999999999");
    EXPECT_EQ(f.Spin.Position(), 8);
    f.Spin.SetRange(10, 20);
    EXPECT_EQ(f.Spin.Position(), 10);
    // The arrow steps from the typed value.
    f.Number.SetText("15");
    SendMessageA(f.Spin.Handle(), WM_KEYDOWN, VK_UP, 0);
    PumpMessages();
    EXPECT_EQ(f.Spin.Position(), 16);
}

TEST(CommonControls, ListViewKeepsEveryCellAndAValidSelectionAfterDeletes)
{
    TPagesForm f;
    f.List.AddRow({"a", "1", "hidden"});  // a third cell with no column
    f.List.AddRow({"b", "2"});
    f.List.AddRow({"c", "3"});
    f.Handle();
    EXPECT_EQ(f.List.Cell(0, 2), "hidden");
    f.List.SetCell(1, 3, "x");
    EXPECT_EQ(f.List.Cell(1, 3), "x");
    char buf[16]{};
    ListView_GetItemText(f.List.Handle(), 2, 1, buf, sizeof buf);
    EXPECT_STREQ(buf, "3");

    int selects = 0;
    f.List.OnSelect = [&] { ++selects; };
    f.List.SetItemIndex(2);
    EXPECT_EQ(f.List.ItemIndex(), 2);
    EXPECT_GT(selects, 0);
    f.List.DeleteRow(2);
    EXPECT_EQ(f.List.ItemIndex(), 1);
    f.List.DeleteRow(0);
    EXPECT_EQ(f.List.ItemIndex(), 0);
    EXPECT_EQ(f.List.Cell(0, 0), "b");
    f.List.DeleteRow(0);
    EXPECT_EQ(f.List.ItemIndex(), -1);
    EXPECT_EQ(f.List.RowCount(), 0);
}

TEST(CommonControls, PagesShowOnlyTheirControlsAndCtrlTabTurnsThem)
{
    TPagesForm f;
    f.Show();
    PumpMessages();
    EXPECT_TRUE(IsWindowVisible(f.Number.Handle()));
    EXPECT_FALSE(IsWindowVisible(f.List.Handle()));
    int changes = 0;
    f.Pages.OnChange = [&] { ++changes; };
    f.Number.SetFocus();
    f.Pages.TurnPage(true);
    EXPECT_EQ(f.Pages.ActivePage(), 1);
    EXPECT_FALSE(IsWindowVisible(f.Number.Handle()));
    EXPECT_TRUE(IsWindowVisible(f.List.Handle()));
    EXPECT_NE(GetFocus(), f.Number.Handle());  // the focus left the hidden page
    f.Pages.TurnPage(true);  // wraps
    EXPECT_EQ(f.Pages.ActivePage(), 0);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(SendMessageA(f.Pages.Handle(), TCM_GETCURSEL, 0, 0), 0);
    f.Hide();
}

TEST(CommonControls, HotKeysMapToMenuShortcutsBothWays)
{
    for (TShortCut sc : {ShortCut('T', scCtrl), ShortCut(VK_F5, scShift | scAlt), ShortCut('1', scCtrl | scShift)})
        EXPECT_EQ(HotKeyToShortCut(ShortCutToHotKey(sc)), sc);
    EXPECT_EQ(ShortCutToHotKey(0), 0);
    // The navigation keys are the extended ones, not the keypad's.
    EXPECT_EQ(ShortCutToHotKey(ShortCut(VK_INSERT, scAlt)), MAKEWORD(VK_INSERT, HOTKEYF_ALT | HOTKEYF_EXT));
    EXPECT_EQ(HotKeyToShortCut(MAKEWORD(VK_INSERT, HOTKEYF_ALT | HOTKEYF_EXT)), ShortCut(VK_INSERT, scAlt));
    EXPECT_EQ(ShortCutToHotKey(ShortCut(VK_NUMPAD0, scAlt)), MAKEWORD(VK_NUMPAD0, HOTKEYF_ALT));
    TPagesForm f;
    f.Key.SetHotKey(ShortCut('K', scCtrl));
    f.Handle();
    EXPECT_EQ(f.Key.HotKey(), ShortCut('K', scCtrl));
}
