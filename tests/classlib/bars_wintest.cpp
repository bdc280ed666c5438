#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "classlib/application_win.h"
#include "classlib/control_win.h"
#include "classlib/imagelist_win.h"
#include "classlib/menu_win.h"
#include "classlib/statusbar_win.h"
#include "classlib/toolbar_win.h"
#include "support/winsupport_win.h"

using namespace vellumo;
using namespace vellumo::testing;

namespace {

// A plain window (not a form) with both bars: it hands their notifications
// on and shows a menu, as the program's main window does.
struct TBarsHost : TCustomControl {
    TToolBar bar;
    TStatusBar status;
    TBarsHost()
    {
        Application().ResetForTests();
        SetVisible(false);
        SetBounds(0, 0, 400, 200);
        bar.SetParentWindow(Handle());
        status.SetParentWindow(Handle());
    }
    ~TBarsHost() override { Application().ResetForTests(); }
    void WndProc(TMessage& m) override
    {
        if ((m.Msg == WM_COMMAND || m.Msg == WM_NOTIFY) && bar.ParentMessage(m.Msg, m.WParam, m.LParam, m.Result))
            return;
        if (HandleMenuMessage(Handle(), m.Msg, m.WParam, m.LParam, m.Result))
            return;
        TCustomControl::WndProc(m);
    }
};

TEST(StatusBar, PanelsReachTheWindowWithWidthsAlignmentBevelAndBatchedUpdates)
{
    TBarsHost f;
    TStatusBar& s = f.status;
    s.AddPanel(67, saLeft, pbNone);
    s.AddPanel(110, saRight);
    s.AddPanel(46, saCenter, pbRaised);
    s.Handle();
    EXPECT_EQ(s.PartEdges(), (std::vector<int>{67, 177, -1}));
    s.Panels(1).SetText("  12\x8D\x73: 3");
    s.Panels(2).SetText("SJIS");
    EXPECT_EQ(s.PartText(1), "\t\t  12\x8D\x73: 3");
    EXPECT_EQ(s.PartText(2), "\tSJIS");
    EXPECT_EQ(HIWORD(SendMessageA(s.Handle(), SB_GETTEXTLENGTHA, 0, 0)), SBT_NOBORDERS);
    EXPECT_EQ(HIWORD(SendMessageA(s.Handle(), SB_GETTEXTLENGTHA, 2, 0)), SBT_POPOUT);

    s.BeginUpdate();
    s.Panels(0).SetWidth(100);
    s.Panels(2).SetText("EUC");
    EXPECT_EQ(s.PartText(2), "\tSJIS");
    s.EndUpdate();
    EXPECT_EQ(s.PartEdges(), (std::vector<int>{100, 210, -1}));
    EXPECT_EQ(s.PartText(2), "\tEUC");

    // The bar's own font stays its own.
    LOGFONTA lf{};
    GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf);
    s.SetFontFrom(lf);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(s.Handle(), WM_GETFONT, 0, 0)), s.FontHandle());

    // It lies along the bottom of its parent, as high as it needs, again
    // after the parent's size changed.
    f.SetBounds(0, 0, 500, 300);
    s.Realign();
    const RECT client = f.ClientRect();
    EXPECT_EQ(s.BoundsRect().bottom, client.bottom);
    EXPECT_EQ(s.Width(), client.right);
    EXPECT_GT(s.Height(), 0);
}

TEST(StatusBar, AutoHintShowsMenuHintsInPanelZeroOrTheSimplePanel)
{
    TBarsHost f;
    TMainMenu menu;
    TMenuItem& file = menu.Add("&File");
    TMenuItem& open = file.Add("&Open");
    open.SetHint("Open|Opens an existing file");
    menu.SetWindow(f.Handle());
    f.status.AddPanel(67);
    f.status.AddPanel(110);
    f.status.SetAutoHint(true);
    f.status.Handle();
    HWND h = f.Handle();
    SendMessageA(h, WM_MENUSELECT, MAKEWPARAM(open.Command(), MF_STRING),
                 reinterpret_cast<LPARAM>(file.SubmenuHandle()));
    EXPECT_EQ(f.status.Panels(0).Text(), "Opens an existing file");
    EXPECT_EQ(f.status.PartText(0), "Opens an existing file");
    SendMessageA(h, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);  // the menu closed
    EXPECT_EQ(f.status.Panels(0).Text(), "");

    f.status.SetSimplePanel(true);
    Application().SetHint("plain");
    EXPECT_EQ(f.status.SimpleText(), "plain");
    EXPECT_TRUE(SendMessageA(f.status.Handle(), SB_ISSIMPLE, 0, 0));
    f.status.SetSimplePanel(false);
    // A status message switches AutoHint off: hints no longer overwrite it.
    f.status.SetAutoHint(false);
    f.status.Panels(0).SetText("saving...");
    Application().SetHint("other");
    EXPECT_EQ(f.status.Panels(0).Text(), "saving...");
    menu.SetWindow(nullptr);
}

POINT Center(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

void ClickAt(HWND w, POINT p)
{
    PostMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    PostMessageA(w, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
    Application().ProcessMessages();
}

void FillBlack(HDC dc, int w, int h)
{
    RECT r{0, 0, w, h};
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}

TEST(ToolBar, AMousePressIsReportedBeforeTheClickAndOnlyForThatButton)
{
    TBarsHost f;
    TImageList images;
    for (int i = 0; i < 3; ++i)
        images.AddDrawn([](HDC dc, int w, int h) { FillBlack(dc, w, h); });
    std::vector<std::string> log;
    f.bar.SetImages(&images);
    f.bar.SetIndent(6);
    auto press = [&](TToolButton& b, TMouseButton, TShiftState, int, int) { log.push_back("press " + b.Hint()); };
    auto click = [&](TToolButton& b) { log.push_back("click " + b.Hint()); };
    TToolButton& nw = f.bar.AddButton(0, "New", click);
    f.bar.AddSeparator(8);
    TToolButton& hidden = f.bar.AddButton(1, "Hidden", click);
    hidden.SetVisible(false);
    TToolButton& save = f.bar.AddButton(2, "Save|Saves the file", click);
    TToolButton& wrap = f.bar.AddCheckButton(1, "Wrap", click);
    for (TToolButton* b : {&nw, &save, &wrap})
        b->OnMouseDown = press;
    f.bar.SetBounds(0, 0, 400, 24);
    ShowWindow(f.Handle(), SW_SHOWNOACTIVATE);
    PumpMessages();
    HWND tb = f.bar.Handle();

    EXPECT_EQ(hidden.Index(), 2);
    EXPECT_EQ(f.bar.ButtonAt(Center(save.BoundsRect())), &save);
    RECT first = nw.BoundsRect();
    EXPECT_EQ(first.left, 6);  // the indent
    ClickAt(tb, Center(save.BoundsRect()));
    // A command without a press (the keyboard, another program).
    SendMessageA(f.Handle(), WM_COMMAND, MAKEWPARAM(nw.Command(), BN_CLICKED), reinterpret_cast<LPARAM>(tb));
    save.SetEnabled(false);
    ClickAt(tb, Center(save.BoundsRect()));
    ClickAt(tb, Center(wrap.BoundsRect()));
    EXPECT_TRUE(wrap.Down());
    EXPECT_TRUE(SendMessageA(tb, TB_ISBUTTONCHECKED, static_cast<WPARAM>(wrap.Command()), 0));
    ClickAt(tb, Center(wrap.BoundsRect()));
    EXPECT_FALSE(wrap.Down());
    EXPECT_EQ(log, (std::vector<std::string>{"press Save|Saves the file", "click Save|Saves the file", "click New",
                                             "press Save|Saves the file", "press Wrap", "click Wrap", "press Wrap", "click Wrap"}));

    // The tool tip shows the short part of the hint.
    NMTTDISPINFOA info{};
    info.hdr.hwndFrom = reinterpret_cast<HWND>(SendMessageA(tb, TB_GETTOOLTIPS, 0, 0));
    info.hdr.idFrom = static_cast<UINT_PTR>(save.Command());
    info.hdr.code = TTN_GETDISPINFOA;
    ASSERT_NE(info.hdr.hwndFrom, nullptr);
    SendMessageA(f.Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
    ASSERT_NE(info.lpszText, nullptr);
    EXPECT_STREQ(info.lpszText, "Save");
    // The same through the tip window itself, as the mouse would show it.
    char text[80] = {};
    TTTOOLINFOA ti{};
    ti.cbSize = TTTOOLINFOA_V1_SIZE;
    ti.hwnd = tb;
    ti.uId = static_cast<UINT_PTR>(wrap.Command());
    ti.lpszText = text;
    SendMessageA(info.hdr.hwndFrom, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&ti));
    EXPECT_STREQ(text, "Wrap");
    // Systems that take an undrawn button text for the tip find it too.
    char label[80] = {};
    SendMessageA(tb, TB_GETBUTTONTEXTA, static_cast<WPARAM>(save.Command()), reinterpret_cast<LPARAM>(label));
    EXPECT_STREQ(label, "Save");
    save.SetHint("Store|Stores the file");
    SendMessageA(tb, TB_GETBUTTONTEXTA, static_cast<WPARAM>(save.Command()), reinterpret_cast<LPARAM>(label));
    EXPECT_STREQ(label, "Store");
    ShowWindow(f.Handle(), SW_HIDE);
}

TEST(ToolBar, CommandsFollowTheFirstCommandAndTheHotButtonSetsTheHint)
{
    TBarsHost f;
    TToolButton& a = f.bar.AddButton(0, "A|Does a");
    f.bar.AddSeparator();
    TToolButton& b = f.bar.AddButton(1, "B");
    f.bar.SetFirstCommand(0xF000);
    HWND tb = f.bar.Handle();
    EXPECT_EQ(a.Command(), 0xF000);
    EXPECT_EQ(b.Command(), 0xF002);
    EXPECT_EQ(f.bar.FindButton(0xF002), &b);
    EXPECT_EQ(f.bar.FindButton(0xF003), nullptr);
    EXPECT_EQ(f.bar.FindButton(0xEFFF), nullptr);
    TBBUTTON shown{};
    ASSERT_TRUE(SendMessageA(tb, TB_GETBUTTON, 2, reinterpret_cast<LPARAM>(&shown)));
    EXPECT_EQ(shown.idCommand, 0xF002);

    NMTBHOTITEM hot{};
    hot.hdr = {tb, 0, static_cast<UINT>(TBN_HOTITEMCHANGE)};
    hot.idNew = 0xF000;
    SendMessageA(f.Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&hot));
    EXPECT_EQ(Application().Hint(), "Does a");
    hot.dwFlags = HICF_LEAVING;
    SendMessageA(f.Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&hot));
    EXPECT_EQ(Application().Hint(), "");
}

TEST(ToolBar, BarsGoneWithTheirParentForgetTheirWindowsAndKeepTheirValues)
{
    TBarsHost f;
    f.status.AddPanel(50);
    f.status.Panels(0).SetText("kept");
    f.bar.AddButton(0, "A");
    HWND bar = f.bar.Handle();
    ASSERT_TRUE(f.status.Handle());
    EXPECT_FALSE(f.bar.Showing());  // the parent is hidden
    EXPECT_TRUE(f.bar.Visible());
    f.DestroyHandle();
    EXPECT_FALSE(IsWindow(bar));
    EXPECT_FALSE(f.bar.HandleAllocated());
    EXPECT_FALSE(f.status.HandleAllocated());
    // Given a parent again, they are made again as they were.
    f.bar.SetParentWindow(f.Handle());
    f.status.SetParentWindow(f.Handle());
    f.status.HandleNeeded();
    EXPECT_EQ(SendMessageA(f.bar.Handle(), TB_BUTTONCOUNT, 0, 0), 1);
    EXPECT_EQ(f.status.PartText(0), "kept");
}

TEST(ImageList, DrawnImagesKeepTheirPixelsAndTransparency)
{
    TImageList list(4, 2);
    EXPECT_EQ(list.AddDrawn([](HDC dc, int, int) {
        RECT r{0, 0, 2, 2};
        HBRUSH g = CreateSolidBrush(RGB(0, 128, 0));
        FillRect(dc, &r, g);
        DeleteObject(g);
    }),
              0);
    EXPECT_EQ(list.ReadPixels(0), (std::vector<long>{0x008000, 0x008000, -1, -1, 0x008000, 0x008000, -1, -1}));
    EXPECT_EQ(list.Count(), 1);
    EXPECT_TRUE(list.ReadPixels(1).empty());
}

} // namespace
