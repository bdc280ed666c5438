// The split view and the status panels that follow the editors, on a real
// main window shown on the display (the focus must move for real).
#include <gtest/gtest.h>

#include "app/window/mainform_win.h"

#include <commctrl.h>

#include <filesystem>
#include <string>

#include "app/commands/commands_win.h"
#include "app/startup/cmdline_win.h"
#include "app/document/docopen.h"
#include "app/window/editmodes.h"
#include "app/window/linedraw_win.h"
#include "settings/settingsstore.h"
#include "suiteform_win.h"

using namespace vellumo;
using namespace vellumo::testing;
namespace fs = std::filesystem;

namespace {

int EditorWindows(HWND form)
{
    int n = 0;
    for (HWND c = GetWindow(form, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        char cls[64] = {};
        GetClassNameA(c, cls, sizeof cls);
        if (std::string(cls) == "TEditor") ++n;
    }
    return n;
}

// Counts the WM_PAINT messages of one window while it lives.
class TPaintCounter {
public:
    explicit TPaintCounter(HWND h) : h_(h)
    {
        self_ = this;
        old_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc)));
    }
    ~TPaintCounter()
    {
        SetWindowLongPtrA(h_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old_));
        self_ = nullptr;
    }
    int Paints = 0;

private:
    static LRESULT CALLBACK Proc(HWND h, UINT msg, WPARAM w, LPARAM l)
    {
        if (msg == WM_PAINT) ++self_->Paints;
        return CallWindowProcA(self_->old_, h, msg, w, l);
    }
    static inline TPaintCounter* self_ = nullptr;
    HWND h_;
    WNDPROC old_;
};

class SplitViewTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        folder_ = fs::temp_directory_path() / "vellumo_splitview_test";
        form_ = MakeSuiteForm(folder_, true);
    }
    static void TearDownTestSuite() { FreeSuiteForm(form_, folder_); }
    void SetUp() override
    {
        if (form_->IsSplit()) form_->Unsplit();
        std::string text;
        for (int i = 0; i < 300; ++i) text += "line " + std::to_string(i) + "\r\n";
        form_->Editor1.Lines().SetText(text);
        form_->Editor1.SetFocus();
        Pump(20);
    }
    // Sizes the window until Editor1 is exactly h pixels high.
    static void SetEditorHeight(int h)
    {
        for (int i = 0; i < 5 && form_->Editor1.Height() != h; ++i) {
            RECT r;
            GetWindowRect(form_->Window(), &r);
            SetWindowPos(form_->Window(), nullptr, 0, 0, r.right - r.left,
                         r.bottom - r.top + h - form_->Editor1.Height(), SWP_NOZORDER | SWP_NOMOVE);
        }
    }
    static TVellumoMainForm* form_;
    static fs::path folder_;
};
TVellumoMainForm* SplitViewTest::form_ = nullptr;
fs::path SplitViewTest::folder_;

TEST_F(SplitViewTest, SplitAndUnsplitKeepCaretsAndRows)
{
    TEditor& lower = form_->Editor1;
    lower.SetTopRow(40);
    lower.SetCaretRowCol(50, 3);
    mWin_BunkatuClick(*form_);
    ASSERT_TRUE(form_->IsSplit());
    TEditor& upper = *form_->SecondEditor();
    EXPECT_EQ(form_->SplitEditor(), &upper);
    EXPECT_EQ(EditorWindows(form_->Window()), 2);
    EXPECT_EQ(&form_->ActiveEditor(), &upper);
    EXPECT_EQ(&form_->UpperEditor(), &upper);
    EXPECT_EQ(form_->InactiveEditor(), &lower);
    // The window's handlers came along: its line drawing and the caret panel.
    using TDraw = decltype(&Editor1DrawLine);
    ASSERT_NE(upper.OnDrawLine.target<TDraw>(), nullptr);
    EXPECT_EQ(*upper.OnDrawLine.target<TDraw>(), &Editor1DrawLine);
    EXPECT_TRUE(upper.OnChange && upper.OnSelectionChange && upper.OnCaretMoved);
    // The upper pane takes the place; the lower continues where it ends.
    EXPECT_EQ(upper.Row(), 50);
    EXPECT_EQ(upper.Col(), 3);
    EXPECT_EQ(upper.TopRow(), 40);
    EXPECT_GT(upper.RowCount(), 0);
    EXPECT_EQ(lower.TopRow(), upper.TopRow() + upper.RowCount());
    TSplitter& bar = *form_->SplitterControl();
    EXPECT_EQ(bar.Top(), upper.Top() + upper.Height());
    EXPECT_EQ(lower.Top(), bar.Top() + bar.Height());
    EXPECT_EQ(bar.Cursor(), crVSplit);

    // Dragging the bar resizes the upper pane; the lower takes the rest.
    const int bottom = lower.Top() + lower.Height();
    bar.SetBounds(0, bar.Top() + 40, bar.Width(), bar.Height());
    form_->SplitterMoved();
    EXPECT_EQ(upper.Height(), bar.Top() - upper.Top());
    EXPECT_EQ(lower.Top() + lower.Height(), bottom);

    // Unsplitting from the upper pane keeps its view in the one editor left.
    upper.SetTopRow(7);
    upper.SetCaretRowCol(12, 2);
    upper.SetLeftCol(0);
    mWin_BunkatuClick(*form_);
    EXPECT_FALSE(form_->IsSplit());
    EXPECT_EQ(form_->SplitEditor(), nullptr);
    EXPECT_EQ(EditorWindows(form_->Window()), 1);
    EXPECT_EQ(form_->LastEditor, &lower);
    EXPECT_EQ(form_->LastEditorHandle, lower.Handle());
    EXPECT_EQ(lower.Row(), 12);
    EXPECT_EQ(lower.Col(), 2);
    EXPECT_EQ(lower.TopRow(), 7);
}

TEST_F(SplitViewTest, TypingAndUndoActOnTheSharedTextFromEitherPane)
{
    mWin_BunkatuClick(*form_);
    ASSERT_TRUE(form_->IsSplit());
    TEditor& upper = *form_->SecondEditor();
    TEditor& lower = form_->Editor1;
    lower.SetTopRow(upper.TopRow());
    upper.SetCaretRowCol(2, 0);
    Pump(20);
    {
        // The row is repainted in the pane that did not type.
        TPaintCounter paints(lower.Handle());
        upper.TypeText("XYZ");
        Pump(20);
        EXPECT_GT(paints.Paints, 0);
    }
    EXPECT_EQ(lower.GetRowText(2), "XYZline 2");
    EXPECT_TRUE(lower.CanUndo());
    lower.Undo();
    EXPECT_EQ(upper.GetRowText(2), "line 2");
    lower.SetCaretRowCol(3, 0);
    lower.TypeText("Q");
    upper.Undo();
    EXPECT_EQ(lower.GetRowText(3), "line 3");
    upper.Redo();
    EXPECT_EQ(lower.GetRowText(3), "Qline 3");
}

TEST_F(SplitViewTest, AQueuedSecondSplitCommandMakesNoThirdPane)
{
    const UINT id = form_->MainMenuItems.Item("mWin_Bunkatu").Command();
    PostMessageA(form_->Window(), WM_COMMAND, id, 0);
    // The split step pumps first: the queued command splits, this one must not again.
    form_->Split();
    Pump(20);
    EXPECT_TRUE(form_->IsSplit());
    EXPECT_EQ(EditorWindows(form_->Window()), 2);
}

TEST_F(SplitViewTest, SplitItemEnabledFrom100PixelsAfterTheMenuOpens)
{
    HMENU window = GetSubMenu(GetMenu(form_->Window()), 4);
    const UINT id = form_->MainMenuItems.Item("mWin_Bunkatu").Command();
    for (int h : {99, 100}) {
        SetEditorHeight(h);
        ASSERT_EQ(form_->Editor1.Height(), h);
        SendMessageA(form_->Window(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(window), 4);
        const bool enabled = (GetMenuState(window, id, MF_BYCOMMAND) & MF_GRAYED) == 0;
        EXPECT_EQ(enabled, h >= 100) << h;
        // Ctrl+F5 meets the same rule.
        EXPECT_TRUE(form_->RunShortCut(ShortCut(VK_F5, scCtrl)));
        EXPECT_EQ(form_->IsSplit(), h >= 100) << h;
    }
    form_->Unsplit();
    SetWindowPos(form_->Window(), nullptr, 0, 0, 700, 600, SWP_NOZORDER | SWP_NOMOVE);
}

TEST_F(SplitViewTest, ASelectionSurvivesAnotherWindowButNotTheOtherPane)
{
    mWin_BunkatuClick(*form_);
    ASSERT_TRUE(form_->IsSplit());
    TEditor& upper = *form_->SecondEditor();
    ASSERT_EQ(GetFocus(), upper.Handle());
    upper.SetSelStart(0);
    upper.SetSelLength(8);
    ASSERT_TRUE(upper.Selected());
    // A question in a window of its own takes the focus and gives it back.
    HWND other = CreateWindowExA(0, "EDIT", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    SetForegroundWindow(other);
    SetFocus(other);
    Pump(20);
    EXPECT_TRUE(upper.Selected());
    EXPECT_EQ(&form_->ActiveEditor(), &upper);
    DestroyWindow(other);
    SetForegroundWindow(form_->Window());
    upper.SetFocus();
    Pump(20);
    EXPECT_TRUE(upper.Selected());
    // Ctrl+Alt+A moves to the other pane: leaving clears the selection.
    EXPECT_TRUE(form_->RunShortCut(ShortCut('A', scCtrl | scAlt)));
    EXPECT_EQ(&form_->ActiveEditor(), &form_->Editor1);
    EXPECT_FALSE(upper.Selected());
    EXPECT_EQ(form_->InactiveEditor(), &upper);

    // Unsplitting while no focus can arrive (a disabled window) still leaves
    // Editor1 as the editor the commands act on.
    MoveWindowFocusExecute(*form_);
    ASSERT_EQ(form_->LastEditor, &upper);
    EnableWindow(form_->Window(), FALSE);
    form_->Unsplit();
    EnableWindow(form_->Window(), TRUE);
    EXPECT_EQ(form_->LastEditor, &form_->Editor1);
    EXPECT_EQ(form_->LastEditorHandle, form_->Editor1.Handle());
    EXPECT_EQ(&form_->ActiveEditor(), &form_->Editor1);
}

TEST_F(SplitViewTest, BoxModeFollowsInBothPanesAndShowsInPanel4)
{
    AppSettingsStore().Settings.Option.FreeCaret = false;
    mWin_BunkatuClick(*form_);
    ASSERT_TRUE(form_->IsSplit());
    TEditor& upper = *form_->SecondEditor();
    upper.SetSelectionMode(smBox);
    EXPECT_EQ(form_->StatusBar1.PanelText(4), "矩形");
    EXPECT_EQ(form_->Editor1.SelectionMode(), smBox);
    EXPECT_TRUE(upper.Caret().FreeCaret());
    EXPECT_TRUE(form_->Editor1.Caret().FreeCaret());
    upper.SetSelectionMode(smNormal);
    EXPECT_EQ(form_->StatusBar1.PanelText(4), "");
    EXPECT_EQ(form_->Editor1.SelectionMode(), smNormal);
    EXPECT_FALSE(form_->Editor1.Caret().FreeCaret());

    // Entering a pane with Alt and the left button held (an Alt+drag into
    // it) puts both in box mode; leaving without Alt puts both back.
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    const BYTE saved[2] = {keys[VK_MENU], keys[VK_LBUTTON]};
    keys[VK_MENU] = keys[VK_LBUTTON] = 0x80;
    SetKeyboardState(keys);
    MoveWindowFocusExecute(*form_);
    EXPECT_EQ(upper.SelectionMode(), smBox);
    EXPECT_EQ(form_->Editor1.SelectionMode(), smBox);
    keys[VK_MENU] = saved[0];
    keys[VK_LBUTTON] = saved[1];
    SetKeyboardState(keys);
    MoveWindowFocusExecute(*form_);
    EXPECT_EQ(upper.SelectionMode(), smNormal);
    EXPECT_EQ(form_->Editor1.SelectionMode(), smNormal);
}

TEST_F(SplitViewTest, ReadOnlyAndOverwritePanelsFollowTheActivePaneWhenSplit)
{
    AppSettingsStore().Settings.Option.SBSimplePanels = false;
    mWin_BunkatuClick(*form_);
    ASSERT_TRUE(form_->IsSplit());
    TEditor& upper = *form_->SecondEditor();
    SetReadOnlyState(true, false);
    EXPECT_TRUE(upper.ReadOnly());
    EXPECT_TRUE(form_->Editor1.ReadOnly());
    EXPECT_EQ(form_->StatusBar1.PanelText(8), ReadOnlyPanelText(true, false));
    upper.TypeText("no");
    EXPECT_EQ(form_->Editor1.GetRowText(0), "line 0");
    SetReadOnlyState(false, false);
    EXPECT_EQ(form_->StatusBar1.PanelText(8), ReadOnlyPanelText(false, false));
    // The insert panel reads the pane that has the focus.
    upper.SetOverWrite(true);
    UpdateModeStatus();
    EXPECT_EQ(form_->StatusBar1.PanelText(7), "上書");
    MoveWindowFocusExecute(*form_);
    UpdateModeStatus();
    EXPECT_EQ(form_->StatusBar1.PanelText(7), "挿入");
    upper.SetOverWrite(false);
}

TEST_F(SplitViewTest, CaretPanelSizeToggleAndTheReplaceLoopContract)
{
    AppSettingsStore().Settings.Option.LineNum = false;
    TEditor& ed = form_->Editor1;
    ed.SetCaretRowCol(4, 2);
    EXPECT_EQ(form_->StatusBar1.PanelText(1), "    5行:    3桁 ");
    // F4: the size; again: the caret position.
    form_->RunNamed("mByte");
    EXPECT_EQ(form_->StatusBar1.PanelText(1), "2,890 バイト ");
    form_->RunNamed("mByte");
    EXPECT_EQ(form_->StatusBar1.PanelText(1), "    5行:    3桁 ");
    ed.SetSelStart(0);
    ed.SetSelLength(1234);
    form_->RunNamed("mByte");
    EXPECT_EQ(form_->StatusBar1.PanelText(1), "(1,234 バイト)");
    // During a replace-all caret moves only mark the panel; its end refreshes it.
    form_->SetReplaceBusy(true);
    ed.SetCaretRowCol(9, 0);
    EXPECT_EQ(form_->StatusBar1.PanelText(1), "(1,234 バイト)");
    EXPECT_TRUE(form_->CaretPanelStale());
    form_->SetReplaceBusy(false);
    form_->UpdateCaretPanel();
    EXPECT_EQ(form_->StatusBar1.PanelText(1), "   10行:    1桁 ");
    EXPECT_FALSE(form_->CaretPanelStale());
}

TEST_F(SplitViewTest, StatusBarWidthsMaximizedAndRestoredAndRepaintedTwice)
{
    HWND bar = form_->StatusBar1.Handle();
    TPaintCounter paints(bar);
    for (int show : {SW_MAXIMIZE, SW_RESTORE}) {
        ShowWindow(form_->Window(), show);
        Pump(10);
        RECT r;
        GetClientRect(bar, &r);
        const bool zoomed = IsZoomed(form_->Window()) != FALSE;
        EXPECT_EQ(zoomed, show == SW_MAXIMIZE);
        EXPECT_EQ(form_->StatusBar1.PanelWidth(0), FirstPanelWidth(r.right, zoomed, kStatusPanelWidths));
        int edges[10] = {};
        ASSERT_EQ(SendMessageA(bar, SB_GETPARTS, 10, reinterpret_cast<LPARAM>(edges)), 10);
        EXPECT_EQ(edges[0], form_->StatusBar1.PanelWidth(0));
        EXPECT_EQ(edges[1] - edges[0], 110);
    }
    // Painted at once, then once more by the one-shot timer.
    paints.Paints = 0;
    form_->StatusBar1Resize();
    const int now = paints.Paints;
    EXPECT_GE(now, 1);
    Pump(100);
    EXPECT_GT(paints.Paints, now);
    const int later = paints.Paints;
    Pump(100);
    EXPECT_EQ(paints.Paints, later);  // one shot
}

} // namespace
