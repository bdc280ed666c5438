#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "classlib/application_win.h"
#include "classlib/imagelist_win.h"
#include "classlib/mainformbase_win.h"
#include "classlib/menu_win.h"
#include "classlib/statusbar_win.h"
#include "classlib/toolbar_win.h"
#include "support/winsupport_win.h"

using namespace vellumo;
using namespace vellumo::testing;

namespace {

struct TBarsForm {
    TBarsForm() { Application().ResetForTests(); }
    ~TBarsForm() { Application().ResetForTests(); }
    TMainFormBase form;
    TToolBar bar{form};
    TStatusBar status{form};
};

TEST(StatusBar, PanelsReachTheWindowWithWidthsAlignmentBevelAndBatchedUpdates)
{
    TBarsForm f;
    TStatusBar& s = f.status;
    s.AddPanel(67, saLeft, pbNone);
    s.AddPanel(110, saRight);
    s.AddPanel(46, saCenter, pbRaised);
    f.form.AlignControl(s, alBottom);
    f.form.SetClientSize(400, 200);
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
    LOGFONTA lf = SystemStatusFont();
    EXPECT_NE(lf.lfFaceName[0], 0);
    s.SetFontFrom(lf);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(s.Handle(), WM_GETFONT, 0, 0)), s.FontHandle());
}

TEST(StatusBar, AutoHintShowsMenuHintsInPanelZeroOrTheSimplePanel)
{
    TBarsForm f;
    TMainMenu menu;
    TMenuItem& file = menu.Add("&File");
    TMenuItem& open = file.Add("&Open");
    open.SetHint("Open|Opens an existing file");
    f.form.SetMenu(&menu);
    f.status.AddPanel(67);
    f.status.AddPanel(110);
    f.status.SetAutoHint(true);
    f.form.Handle();
    HWND h = f.form.Handle();
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
}

POINT Center(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

void ClickAt(HWND w, POINT p)
{
    PostMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    PostMessageA(w, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
    Application().ProcessMessages();
}

TEST(ToolBar, AMousePressIsReportedBeforeTheClickAndOnlyForThatButton)
{
    TBarsForm f;
    TImageList images;
    const TPixelPalette pal{{'k', 0x000000}};
    std::vector<std::string> rows(16, std::string(16, 'k'));
    for (int i = 0; i < 3; ++i)
        images.AddPixels(rows, pal);
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
    f.form.AlignControl(f.bar, alTop);
    f.form.SetClientSize(400, 200);
    ShowWindow(f.form.Handle(), SW_SHOWNOACTIVATE);
    PumpMessages();
    HWND tb = f.bar.Handle();

    EXPECT_EQ(hidden.Index(), 2);
    EXPECT_EQ(f.bar.ButtonAt(Center(save.BoundsRect())), &save);
    RECT first = nw.BoundsRect();
    EXPECT_EQ(first.left, 6);  // the indent
    ClickAt(tb, Center(save.BoundsRect()));
    // A command without a press (the keyboard, another program).
    SendMessageA(f.form.Handle(), WM_COMMAND, MAKEWPARAM(nw.Command(), BN_CLICKED), reinterpret_cast<LPARAM>(tb));
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
    SendMessageA(f.form.Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
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
    ShowWindow(f.form.Handle(), SW_HIDE);
}

TEST(ImageList, ImagesFromTablesAndDrawingKeepTheirPixelsAndTransparency)
{
    TImageList list(4, 2);
    const TPixelPalette pal{{'r', 0xFF0000}, {'b', 0x0000FF}};
    EXPECT_EQ(list.AddPixels({"r..b", "bbrr"}, pal), 0);
    EXPECT_EQ(list.ReadPixels(0), (std::vector<long>{0xFF0000, -1, -1, 0x0000FF, 0x0000FF, 0x0000FF, 0xFF0000,
                                                     0xFF0000}));
    EXPECT_EQ(list.AddPixels({"r..b"}, pal), -1);
    EXPECT_EQ(list.AddDrawn([](HDC dc, int, int) {
        RECT r{0, 0, 2, 2};
        HBRUSH g = CreateSolidBrush(RGB(0, 128, 0));
        FillRect(dc, &r, g);
        DeleteObject(g);
    }),
              1);
    EXPECT_EQ(list.ReadPixels(1), (std::vector<long>{0x008000, 0x008000, -1, -1, 0x008000, 0x008000, -1, -1}));
    EXPECT_EQ(list.Count(), 2);
    EXPECT_TRUE(list.ReadPixels(2).empty());
}

} // namespace
