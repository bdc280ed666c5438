// The main window's bars on a plain parent: the panels as the window shows
// them and hints in panel 0; the buttons' commands, states and pictures.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "app/window/mainformstatus_win.h"
#include "app/window/toolbar.h"
#include "app/window/toolbar_win.h"
#include "classlib/application_win.h"
#include "classlib/imagelist_win.h"

namespace vellumo::testing {
namespace {

struct TParent {
    HWND h = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 600, 300, nullptr,
                             nullptr, nullptr, nullptr);
    ~TParent() { DestroyWindow(h); }
};

TEST(MainStatusBar, TenPanelsAlignedAndBevelledAsCreatedWithHintsInPanelZero)
{
    TParent parent;
    TMainStatusBar bar;
    bar.Create(parent.h);
    ASSERT_EQ(bar.PanelCount(), kStatusPanelCount);
    // The alignment reaches the window as leading tabs; 0 and 9 have no bevel.
    const char* lead[] = {"", "\t\t", "\t", "\t", "\t", "\t", "\t", "\t", "\t", ""};
    for (int i = 0; i < kStatusPanelCount; ++i) {
        bar.SetPanelText(i, "x");
        EXPECT_EQ(bar.PartText(i), std::string(lead[i]) + "x") << i;
        const bool flat = HIWORD(SendMessageA(bar.Handle(), SB_GETTEXTLENGTHA, i, 0)) == SBT_NOBORDERS;
        EXPECT_EQ(flat, i == 0 || i == 9) << i;
    }
    // Panel 0 takes what the others leave, again after the parent grew.
    for (bool maximized : {false, true}) {
        SetWindowPos(parent.h, nullptr, 0, 0, maximized ? 800 : 600, 300, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        bar.Resize(maximized);
        RECT r;
        GetClientRect(bar.Handle(), &r);
        EXPECT_EQ(bar.PanelWidth(0), FirstPanelWidth(r.right, maximized, kStatusPanelWidths));
        const std::vector<int> edges = bar.PartEdges();
        ASSERT_EQ(edges.size(), 10u);
        EXPECT_EQ(edges[0], bar.PanelWidth(0));
        EXPECT_EQ(edges[1] - edges[0], 110);
        EXPECT_EQ(edges[9], -1);
    }

    // Hints go to panel 0 while AutoHint is on (a status message turns it off).
    Application().SetHint("ヒント");
    EXPECT_EQ(bar.PanelText(0), "ヒント");
    EXPECT_EQ(bar.PartText(0), "ヒント");
    bar.SetAutoHint(false);
    Application().SetHint("other");
    EXPECT_EQ(bar.PanelText(0), "ヒント");
    Application().SetHint("");
}

TEST(MainStatusBar, AMessageShowsWholeAtTheWindowsFirstWidth)
{
    TParent parent;
    SetWindowPos(parent.h, nullptr, 0, 0, 492, 300, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    TMainStatusBar bar;
    bar.Create(parent.h);
    bar.Resize(false);
    EXPECT_EQ(bar.PanelWidth(0), 78);
    const std::string message = "7 件の置換を行いました。";
    bar.SetPanelText(0, message);
    HDC dc = GetDC(bar.Handle());
    SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(bar.Handle(), WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32A(dc, message.data(), static_cast<int>(message.size()), &size);
    ReleaseDC(bar.Handle(), dc);
    ASSERT_GT(size.cx, 78);
    EXPECT_GT(bar.PartEdges()[0], size.cx);
    // Cleared, the panel gives the others their room back.
    bar.SetPanelText(0, "");
    EXPECT_EQ(bar.PartEdges()[0], 78);
}

TEST(MainToolBar, ButtonsOfTheTableWithTheirCommandsStatesAndPictures)
{
    TParent parent;
    TMainToolBar bar;
    constexpr UINT first = 0xF000;
    bar.Create(parent.h, first);
    const auto table = ToolButtonTable();
    const int n = static_cast<int>(table.size());
    ASSERT_EQ(SendMessageA(bar.Handle(), TB_BUTTONCOUNT, 0, 0), n);
    for (int i = 0; i < n; ++i) {
        TBBUTTON b{};
        ASSERT_TRUE(SendMessageA(bar.Handle(), TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&b)));
        const TToolButtonEntry& e = table[static_cast<std::size_t>(i)];
        EXPECT_EQ(b.idCommand, static_cast<int>(first) + i);
        EXPECT_EQ(b.iBitmap, e.IsSeparator() ? ToolSeparatorWidth : e.ImageIndex) << e.Name;
        EXPECT_EQ((b.fsState & TBSTATE_HIDDEN) != 0, e.InitiallyHidden) << e.Name;
        EXPECT_EQ(bar.ButtonOfCommand(first + static_cast<UINT>(i)), i);
    }
    EXPECT_EQ(bar.ButtonOfCommand(first - 1), -1);
    EXPECT_EQ(bar.ButtonOfCommand(first + static_cast<UINT>(n)), -1);
    bar.SetButtonEnabled("tbSave", false);
    bar.SetButtonVisible("tbIE", true);
    EXPECT_FALSE(SendMessageA(bar.Handle(), TB_ISBUTTONENABLED, first + 2, 0));
    EXPECT_FALSE(SendMessageA(bar.Handle(), TB_ISBUTTONHIDDEN, first + 17, 0));
    RECT client;
    GetClientRect(parent.h, &client);
    EXPECT_EQ(bar.Width(), client.right);
    EXPECT_EQ(bar.Height(), ToolBarHeight);

    // Every picture has its own strokes inside its 16 x 16 cell, on a
    // transparent ground.
    TImageList* images = bar.Images();
    ASSERT_NE(images, nullptr);
    ASSERT_EQ(images->Count(), ToolImageCount);
    std::vector<std::vector<long>> seen;
    for (int i = 0; i < ToolImageCount; ++i) {
        const std::vector<long> px = images->ReadPixels(i);
        ASSERT_EQ(px.size(), 256u);
        EXPECT_EQ(px[0], -1) << i;
        for (const auto& other : seen) EXPECT_NE(px, other) << i;
        seen.push_back(px);
    }
    // The new page: ink at its top-left corner, paper inside.
    EXPECT_EQ(seen[0][1 * 16 + 3], 0x282828);
    EXPECT_EQ(seen[0][5 * 16 + 5], 0xFFFFFF);
}

} // namespace
} // namespace vellumo::testing
