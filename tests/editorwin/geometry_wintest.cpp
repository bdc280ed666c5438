// Geometry, caret columns, scrolling and shared stores of the editor control.
#include <random>

#include "support/winsupport_win.h"
#include "editor/editorhost.h"
#include "editor_support_win.h"

namespace vellumo::testing {
namespace {

const bool kNoUnscriptedBoxes = (SetMsgSink(&UnexpectedMessage), SetBeepSink([](unsigned) {}), true);

// Text metrics of the editor font measured on a screen context of our own.
TEXTMETRICA MeasureFont(TEditor& e)
{
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, FontHandle(e.Font()));
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return tm;
}

TEST(EditorGeometry, CellsRowsAndColumnsFollowTheWindowAndItsBars)
{
    auto e = MakeEditor(400, 300);
    const TEXTMETRICA tm = MeasureFont(*e);
    const int cw = tm.tmAveCharWidth, ch = tm.tmHeight + tm.tmExternalLeading;
    ASSERT_GT(cw, 2);
    EXPECT_EQ(e->CellWidth(), cw);
    EXPECT_EQ(e->CellHeight(), ch);
    // Plain: Margin.Left 19, Margin.Top 2, no bars.
    EXPECT_EQ(e->RowCount(), (300 - 2 - 5) / ch);
    EXPECT_EQ(e->ColCount(), (400 - 19 - cw / 2) / cw);

    e->SetScrollBars(ssBoth);
    EXPECT_EQ(e->RowCount(), (300 - 2 - 5 - GetSystemMetrics(SM_CYHSCROLL)) / ch);
    EXPECT_EQ(e->ColCount(), (400 - 19 - cw / 2 - GetSystemMetrics(SM_CXVSCROLL)) / cw);
    e->SetScrollBars(ssNone);

    e->Ruler().SetVisible(true);
    e->Leftbar().SetVisible(true);
    e->Leftbar().SetColumn(3);
    const int barWidth = 8 + 3 * cw + 4 + 2;
    EXPECT_EQ(e->LeftbarWidth(), barWidth);
    EXPECT_EQ(e->GetTextLeft(), 19 + barWidth);
    EXPECT_EQ(e->GetTextTop(), 2 + 11);
    EXPECT_EQ(e->RowCount(), (300 - 13 - 5) / ch);
    EXPECT_EQ(e->ColCount(), (400 - 19 - barWidth - cw / 2) / cw);

    // The underline allowance makes every row a pixel taller.
    e->Marks().Underline().SetVisible(true);
    EXPECT_EQ(e->RowHeight(), ch + 1);
    EXPECT_EQ(e->RowCount(), (300 - 13 - 5) / (ch + 1));

    // A tiny window gives no rows and no columns, never negative ones.
    e->SetBounds(0, 0, 3, 2);
    EXPECT_EQ(e->RowCount(), 0);
    EXPECT_EQ(e->ColCount(), 0);
    e->Lines().SetText("abc\r\ndef");
    e->SetCol(2);
    e->Perform(WM_VSCROLL, SB_PAGEDOWN);
    auto pic = Picture(*e);
    EXPECT_EQ(e->CaretHideCount(), 0);
}

TEST(EditorGeometry, LeftbarDigitsFollowTheHighestNumber)
{
    auto e = MakeEditor();
    e->Leftbar().SetVisible(true);
    e->Leftbar().SetColumn(1);
    e->Lines().SetText("1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n");
    EXPECT_EQ(e->LeftbarDigits(), 2);  // the empty place after the break is row 10
    e->Leftbar().SetZeroBase(true);
    EXPECT_EQ(e->LeftbarDigits(), 1);
    e->Leftbar().SetZeroBase(false);
    e->Lines().SetText("1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9");
    EXPECT_EQ(e->LeftbarDigits(), 1);
    const int narrow = e->GetTextLeft();
    e->Store().ReplaceRows(8, 1, "9\r\n10");
    EXPECT_EQ(e->LeftbarDigits(), 2);
    EXPECT_EQ(e->GetTextLeft(), narrow + e->CellWidth());
}

class EditorColumns : public ::testing::Test {
protected:
    void SetUp() override
    {
        e = MakeEditor(600, 300);
        e->Caret().SetFreeCaret(false);
    }
    std::unique_ptr<TTestEditor> e;
};

TEST_F(EditorColumns, DoubleByteAndTabCellsAreSteppedOver)
{
    e->Lines().SetText("a\x82\xA0" "b\r\na\tb");
    e->SetCol(2);  // the second cell of the double-byte character, moving right
    EXPECT_EQ(e->Col(), 3);
    e->SetCol(2);  // moving left
    EXPECT_EQ(e->Col(), 1);

    e->SetRow(1);
    e->SetCol(0);
    e->SetCol(3);  // inside the TAB's fill, moving right
    EXPECT_EQ(e->Col(), 8);
    e->SetCol(3);  // moving left: onto the TAB's own cell
    EXPECT_EQ(e->Col(), 1);
    e->Caret().SetInTab(true);
    e->SetCol(3);
    EXPECT_EQ(e->Col(), 3);

    // SetCaretRowCol snaps left whatever the direction.
    e->Caret().SetInTab(false);
    e->SetCaretRowCol(0, 2);
    EXPECT_EQ(e->Col(), 1);
    e->SetCaretRowCol(1, 5);
    EXPECT_EQ(e->Col(), 1);
}

TEST_F(EditorColumns, VerticalMovesReturnToTheRememberedColumn)
{
    e->Lines().SetText("abcdefghij\r\nab\r\n\x82\xA0\x82\xA0\x82\xA0\x82\xA0\x82\xA0\r\nabcdefghij");
    e->SetCaretRowCol(0, 7);
    e->SetRow(1);
    EXPECT_EQ(e->Col(), 2);  // the row end
    e->SetRow(2);
    EXPECT_EQ(e->Col(), 6);  // 7 is a second cell: one left
    e->SetRow(3);
    EXPECT_EQ(e->Col(), 7);
    // A horizontal placement forgets the column.
    e->SetRow(1);
    e->SetCol(1);
    e->SetRow(3);
    EXPECT_EQ(e->Col(), 1);
}

TEST_F(EditorColumns, TheColumnLimitIs8000Or8001AfterALeadByte)
{
    e->Caret().SetFreeCaret(true);
    e->Lines().SetText(std::string(9000, 'a'));
    e->SetCol(9000);
    EXPECT_EQ(e->Col(), 8000);
    e->Caret().SetFreeCaret(false);
    e->SetCol(0);
    e->SetCol(9000);
    EXPECT_EQ(e->Col(), 8000);

    e->Lines().SetText(std::string(7999, 'a') + "\x82\xA0" + std::string(999, 'a'));
    e->SetCol(9000);
    EXPECT_EQ(e->Col(), 8001);
    e->SetCol(8000);  // the second cell of the straddling character
    EXPECT_EQ(e->Col(), 7999);
}

TEST_F(EditorColumns, WordWrapLimitsTheCaretToTheWrapWidth)
{
    e->WrapOption().SetWrapByte(20);
    e->SetWordWrap(true);
    e->Lines().SetText(std::string(25, 'a') + "\r\nabc");
    ASSERT_EQ(e->Store().Count(), 3);
    ASSERT_EQ(e->Store().GetRowAttribute(0), raWrapped);
    e->Caret().SetFreeCaret(true);
    e->SetCaretRowCol(0, 25);
    EXPECT_EQ(e->Col(), 19);  // a wrapped row ends a cell before its width
    e->SetCaretRowCol(2, 30);
    EXPECT_EQ(e->Col(), 19);  // a short row: the wrap column - 1
    e->Caret().SetFreeCaret(false);
    e->SetCaretRowCol(2, 30);
    EXPECT_EQ(e->Col(), 3);
}

// Random caret moves over random rows: the caret never rests inside a
// character or a TAB's fill, never goes negative, and the caret and
// underline holds always come back to 0.
TEST_F(EditorColumns, RandomMovesKeepTheCaretOnCharacterCells)
{
    std::mt19937 rng(7);
    const char* pieces[] = {"a", "\t", "\x82\xA0", " ", "\x88\x9F", "_", "\\"};
    for (int round = 0; round < 6; ++round) {
        const bool wrap = round % 2 == 1;
        e->WrapOption().SetWrapByte(20);
        e->SetWordWrap(wrap);
        e->Caret().SetFreeCaret(round >= 2);
        e->Caret().SetTabSpaceCount(round % 3 == 0 ? 4 : 8);
        std::string text;
        for (int line = 0; line < 8; ++line) {
            const int n = static_cast<int>(rng() % 30);
            for (int i = 0; i < n; ++i) text += pieces[rng() % 7];
            if (line < 7 || round % 2 == 0) text += "\r\n";
        }
        e->Lines().SetText(text);
        for (int step = 0; step < 300; ++step) {
            const int op = static_cast<int>(rng() % 3);
            const int row = static_cast<int>(rng() % (e->Store().Count() + 2)) - 1;
            const int col = static_cast<int>(rng() % 45) - 2;
            if (op == 0) e->SetRow(row);
            else if (op == 1) e->SetCol(col);
            else e->SetCaretRowCol(row, col);
            ASSERT_EQ(e->CaretHideCount(), 0);
            ASSERT_EQ(e->UnderlineHideCount(), 0);
            ASSERT_GE(e->Col(), 0);
            ASSERT_GE(e->Row(), 0);
            ASSERT_LE(e->Row(), e->Store().Count());
            const std::string classes = e->GetCellClasses(e->Store().Strings(e->Row()));
            const int c = e->Col();
            if (c < static_cast<int>(classes.size())) {
                ASSERT_NE(classes[c], '5') << "row " << e->Row() << " col " << c;
                ASSERT_NE(classes[c], '3') << "row " << e->Row() << " col " << c;
            }
            if (!e->Caret().FreeCaret()) {
                ASSERT_LE(c, static_cast<int>(classes.size()));
            }
            if (wrap) {
                ASSERT_LE(c, 20);
            }
        }
    }
}

TEST(EditorScrolling, ScrollsWithinTheTextAndStopsAtAnEofLastRow)
{
    auto e = MakeEditor(400, 200);
    std::string text;
    for (int i = 0; i < 50; ++i) text += "row " + std::to_string(i) + (i < 49 ? "\r\n" : "");
    e->Lines().SetText(text);
    ASSERT_EQ(e->Store().GetRowAttribute(49), raEof);
    const int rows = e->RowCount();
    ASSERT_GT(rows, 3);
    e->Perform(WM_VSCROLL, SB_BOTTOM);
    EXPECT_EQ(e->TopRow(), 49);  // the last row at the top, not an empty screen
    e->Perform(WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(e->TopRow(), 49);
    e->Perform(WM_VSCROLL, SB_TOP);
    EXPECT_EQ(e->TopRow(), 0);
    e->Perform(WM_VSCROLL, SB_PAGEDOWN);
    EXPECT_EQ(e->TopRow(), rows - 1);
    e->Perform(WM_VSCROLL, SB_PAGEUP);
    EXPECT_EQ(e->TopRow(), 0);
    EXPECT_EQ(GetScrollPos(e->Handle(), SB_VERT), 0);

    e->Caret().SetLockScroll(true);
    e->SetCaretRowCol(2, 0);
    e->Perform(WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(e->TopRow(), 1);
    EXPECT_EQ(e->Row(), 3);

    // A text with a final line break scrolls to its empty last place.
    e->Lines().SetText("a\r\nb\r\nc\r\n");
    e->Perform(WM_VSCROLL, SB_BOTTOM);
    EXPECT_EQ(e->TopRow(), 3);
    e->Lines().SetText("a\r\nb\r\nc");
    e->SetTopRow(5);
    EXPECT_LE(e->TopRow(), 3);
    EXPECT_EQ(e->CaretHideCount(), 0);
    EXPECT_EQ(e->UnderlineHideCount(), 0);
}

TEST(EditorScrolling, RowAtTheEndDependsOnTheFinalLineBreak)
{
    auto e = MakeEditor();
    e->Lines().SetText("a\r\nb\r\n");
    e->SetRow(100);
    EXPECT_EQ(e->Row(), 2);  // the empty place after the break
    e->Lines().SetText("a\r\nb");
    e->SetRow(100);
    EXPECT_EQ(e->Row(), 1);
}

TEST(EditorScrolling, HorizontalScrollStopsNearTheWidestRow)
{
    auto e = MakeEditor(300, 200);
    e->SetScrollBars(ssBoth);
    e->Lines().SetText(std::string(200, 'x'));
    const int cols = e->ColCount();
    e->Perform(WM_HSCROLL, SB_RIGHT);
    EXPECT_EQ(e->LeftCol(), 200 - cols + 5);
    EXPECT_EQ(e->HorizontalOffset(), e->LeftCol() * e->CellWidth());
    e->Perform(WM_HSCROLL, SB_LEFT);
    EXPECT_EQ(e->LeftCol(), 0);
    e->Perform(WM_HSCROLL, SB_PAGERIGHT);
    EXPECT_EQ(e->LeftCol(), cols);
    EXPECT_EQ(e->HorizontalOffset(), cols * e->CellWidth());
}

TEST(EditorSharing, TwoEditorsOnOneStoreSeeEachOthersEditsAndDieInAnyOrder)
{
    for (int order = 0; order < 2; ++order) {
        auto a = MakeEditor();
        auto b = MakeEditor();
        b->ShareScreenList(nullptr);  // nothing
        b->Lines().SetText("own text");
        b->ShareScreenList(a.get());
        EXPECT_EQ(&a->Store(), &b->Store());
        a->Lines().SetText("one\r\ntwo");
        EXPECT_EQ(Rows(*b), "one|two");
        b->Store().ReplaceRows(1, 1, "zwei\r\ndrei");
        EXPECT_EQ(Rows(*a), "one|zwei|drei");
        EXPECT_TRUE(a->Modified());
        EXPECT_TRUE(b->Modified());
        std::weak_ptr<TEditorScreenStrings> store = a->StoreLink().Shared();
        if (order == 0) a.reset();
        else b.reset();
        TEditor& rest = order == 0 ? *b : *a;
        ASSERT_FALSE(store.expired());
        rest.Store().ReplaceRows(0, 1, "eins\r\n");
        EXPECT_EQ(Rows(rest), "eins|zwei|drei");
        rest.Undo();
        EXPECT_EQ(Rows(rest), "one|zwei|drei");
        auto pic = Picture(rest);
        EXPECT_EQ(rest.CaretHideCount(), 0);
        a.reset();
        b.reset();
        EXPECT_TRUE(store.expired());
    }
}

TEST(EditorProperties, SettersFollowTheirRules)
{
    auto e = MakeEditor();
    int modes = 0;
    e->OnSelectionModeChange = [&](TEditor&) { ++modes; };
    e->SetDragging(true);
    e->SetReadOnly(true);
    e->SetSelectionMode(smBox);
    EXPECT_FALSE(e->ReadOnly());
    EXPECT_EQ(e->SelectionMode(), smNormal);
    e->SetDragging(false);
    e->SetSelectionMode(smBox);
    e->SetSelectionMode(smBox);
    EXPECT_EQ(modes, 1);

    // Output mode: edits report OnChange but leave Modified alone.
    int changes = 0;
    e->OnChange = [&](TEditor&) { ++changes; };
    e->Lines().SetText("x");
    e->SetModified(false);
    EditorHostValues().OutputMode = true;
    e->Store().ReplaceRows(0, 1, "y");
    EditorHostValues().OutputMode = false;
    EXPECT_FALSE(e->Modified());
    EXPECT_GE(changes, 1);
    e->Store().ReplaceRows(0, 1, "z");
    EXPECT_TRUE(e->Modified());
}

TEST(EditorFocus, TheCaretExistsWhileFocusedAndFollowsTheCell)
{
    auto e = MakeEditor(400, 200);
    e->Lines().SetText("abc\r\n\x82\xA0\x82\xA0");
    e->SetVisible(true);
    SetWindowPos(e->Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    SetForegroundWindow(e->Handle());
    e->SetFocus();
    PumpMessages();
    ASSERT_TRUE(e->Focused());
    EXPECT_TRUE(e->CaretShown());
    int moved = 0;
    e->OnCaretMoved = [&](TEditor&) { ++moved; };
    e->SetCaretRowCol(1, 2);
    EXPECT_GE(moved, 1);
    POINT p{};
    GetCaretPos(&p);
    const POINT want = e->GetCaretPixelPos();
    EXPECT_EQ(p.x, want.x);
    EXPECT_EQ(p.y, want.y);
    EXPECT_EQ(want.x, e->GetTextLeft() + 2 * e->CellWidth());
    e->CaretBeginUpdate();
    e->CaretBeginUpdate();
    EXPECT_FALSE(e->CaretShown());
    e->CaretEndUpdate();
    EXPECT_FALSE(e->CaretShown());
    e->CaretEndUpdate();
    e->CaretEndUpdate();  // one end too many stays at 0
    EXPECT_EQ(e->CaretHideCount(), 0);
    EXPECT_TRUE(e->CaretShown());
    // Out of view the caret stays hidden.
    std::string many;
    for (int i = 0; i < 100; ++i) many += "x\r\n";
    e->Lines().SetText(many);
    e->SetCaretRowCol(0, 0);
    e->Perform(WM_VSCROLL, SB_PAGEDOWN);
    EXPECT_FALSE(e->CaretShown());
    e->Perform(WM_VSCROLL, SB_TOP);
    EXPECT_TRUE(e->CaretShown());
    // A caret move below the view scrolls it into view.
    e->SetRow(50);
    EXPECT_EQ(e->TopRow(), 50 - e->RowCount() + 1);
    SetFocus(nullptr);
    PumpMessages();
    EXPECT_FALSE(e->CaretShown());
    e->SetVisible(false);
}

TEST(EditorFocus, WheelScrollsLinesOrPages)
{
    auto e = MakeEditor(400, 200);
    std::string many;
    for (int i = 0; i < 100; ++i) many += "x\r\n";
    e->Lines().SetText(many);
    UINT saved = 3;
    SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &saved, 0);
    SystemParametersInfoA(SPI_SETWHEELSCROLLLINES, 4, nullptr, 0);
    e->Perform(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
    EXPECT_EQ(e->TopRow(), 4);
    e->Perform(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    EXPECT_EQ(e->TopRow(), 0);
    SystemParametersInfoA(SPI_SETWHEELSCROLLLINES, WHEEL_PAGESCROLL, nullptr, 0);
    e->Perform(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
    EXPECT_EQ(e->TopRow(), e->RowCount() - 1);
    SystemParametersInfoA(SPI_SETWHEELSCROLLLINES, saved, nullptr, 0);
}

TEST(EditorFocus, WhileLoadingWordWrapWaitsForLoaded)
{
    auto e = MakeEditor();
    e->Lines().SetText(std::string(30, 'a'));
    e->Store().ReplaceRows(0, 1, std::string(30, 'b'));
    ASSERT_TRUE(e->Modified());
    e->Loading();
    e->WrapOption().SetWrapByte(20);
    e->SetWordWrap(true);
    EXPECT_EQ(e->Store().Count(), 1);
    e->Loaded();
    EXPECT_EQ(e->ComponentState() & csLoading, 0u);
    EXPECT_FALSE(e->Modified());
    EXPECT_EQ(e->Store().Count(), 2);
    e->SetWordWrap(false);
    EXPECT_EQ(e->Store().Count(), 1);
}

TEST(EditorFont, AFontChangeRemeasuresAndReturnsFromAHorizontalScroll)
{
    auto e = MakeEditor(300, 200);
    e->Lines().SetText(std::string(300, 'x'));
    e->SetCol(5);
    e->Font().SetHeight(-12);
    EXPECT_EQ(e->Col(), 5);  // not scrolled: the column stays
    const int small = e->CellWidth();
    e->Perform(WM_HSCROLL, SB_PAGERIGHT);
    ASSERT_GT(e->LeftCol(), 0);
    e->SetCol(e->LeftCol() + 2);
    e->Font().SetHeight(-20);
    EXPECT_GT(e->CellWidth(), small);
    EXPECT_EQ(e->Col(), 0);
    EXPECT_EQ(e->LeftCol(), 0);
    EXPECT_EQ(e->HorizontalOffset(), 0);
}

} // namespace
} // namespace vellumo::testing
