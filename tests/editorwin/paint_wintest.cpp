// The editor's painting, checked pixel by pixel in memory images.
#include <cstdlib>

#include "classlib/screen_win.h"
#include "base/shortcut.h"
#include "support/winsupport_win.h"
#include "editor_support_win.h"

namespace vellumo::testing {
namespace {

class EditorPaint : public ::testing::Test {
protected:
    void SetUp() override
    {
        e = MakeEditor(400, 200);
        e->Marks().EofMark().SetVisible(true);
        e->Marks().EofMark().SetColor(clRed);
        e->Marks().RetMark().SetVisible(true);
        e->Marks().RetMark().SetColor(clBlue);
    }
    RECT RowBand(int row)
    {
        RECT r = CellRect(*e, row, 0);
        r.right = e->ClientRect().right;
        return r;
    }
    std::unique_ptr<TTestEditor> e;
};

TEST_F(EditorPaint, EndOfFileAndLineBreakMarksInTheThreeEndings)
{
    // An empty text: the end mark at the very start.
    e->Lines().SetText("");
    auto pic = Picture(*e);
    EXPECT_GT(CountColor(*pic, CellRect(*e, 0, 0, 5), clRed), 10);
    EXPECT_EQ(CountColor(*pic, RowBand(0), clBlue), 0);

    // A final line break: an arrow after the text, the end mark on the empty row below.
    e->Lines().SetText("ab\r\n");
    pic = Picture(*e);
    EXPECT_GT(CountColor(*pic, CellRect(*e, 0, 2), clBlue), 3);
    EXPECT_EQ(CountColor(*pic, RowBand(0), clRed), 0);
    EXPECT_GT(CountColor(*pic, CellRect(*e, 1, 0, 5), clRed), 10);

    // No final break: the end mark right after the text, no arrow.
    e->Lines().SetText("ab");
    pic = Picture(*e);
    EXPECT_GT(CountColor(*pic, CellRect(*e, 0, 2, 5), clRed), 10);
    EXPECT_EQ(CountColor(*pic, CellRect(*e, 0, 0, 2), clRed), 0);
    EXPECT_EQ(CountColor(*pic, RowBand(0), clBlue), 0);
    EXPECT_EQ(CountColor(*pic, RowBand(1), clRed), 0);

    // A soft-wrapped row has no mark; its logical line's last row has.
    e->WrapOption().SetWrapByte(20);
    e->SetWordWrap(true);
    e->Lines().SetText(std::string(25, 'a') + "\r\nb");
    pic = Picture(*e);
    EXPECT_EQ(CountColor(*pic, RowBand(0), clBlue), 0);
    EXPECT_GT(CountColor(*pic, CellRect(*e, 1, 5), clBlue), 3);
    EXPECT_EQ(e->CaretHideCount(), 0);
}

TEST_F(EditorPaint, StreamAndBoxSelectionBackgrounds)
{
    e->Lines().SetText("abcdef\r\nabcdef\r\nab\r\nabcdef");
    const TColor sel = e->View().Colors().Select().BkColor();
    auto selected = [&](TBitmap& pic, int row, int col) {
        const RECT r = CellRect(*e, row, col);
        return CountColor(pic, r, sel) * 2 > Area(r);
    };
    auto clean = [&](TBitmap& pic, int row, int col) { return CountColor(pic, CellRect(*e, row, col), sel) == 0; };

    e->SetSelection(smNormal, 0, 2, 1, 3);
    auto pic = Picture(*e);
    EXPECT_TRUE(clean(*pic, 0, 1));
    EXPECT_TRUE(selected(*pic, 0, 2));
    EXPECT_TRUE(selected(*pic, 0, 20));  // to the window's edge
    EXPECT_TRUE(selected(*pic, 1, 0));
    EXPECT_TRUE(selected(*pic, 1, 2));
    EXPECT_TRUE(clean(*pic, 1, 3));
    EXPECT_TRUE(clean(*pic, 2, 0));

    e->SetSelection(smNormal, 1, 1, 1, 4);  // within one row
    pic = Picture(*e);
    EXPECT_TRUE(clean(*pic, 1, 0));
    EXPECT_TRUE(selected(*pic, 1, 1));
    EXPECT_TRUE(selected(*pic, 1, 3));
    EXPECT_TRUE(clean(*pic, 1, 4));
    EXPECT_TRUE(clean(*pic, 0, 2));

    e->SetSelection(smBox, 0, 3, 3, 5);
    pic = Picture(*e);
    for (int row : {0, 1, 3}) {
        EXPECT_TRUE(clean(*pic, row, 2)) << row;
        EXPECT_TRUE(selected(*pic, row, 3)) << row;
        EXPECT_TRUE(selected(*pic, row, 4)) << row;
        EXPECT_TRUE(clean(*pic, row, 5)) << row;
        EXPECT_TRUE(clean(*pic, row, 20)) << row;
    }
    EXPECT_EQ(CountColor(*pic, RowBand(2), sel), 0);  // the short row lies left of the box
}

TEST_F(EditorPaint, AWrappedCommentIsColouredOnItsContinuationRow)
{
    e->View().SetCommenter("//");
    e->View().Colors().Comment().SetColor(clGreen);
    e->WrapOption().SetWrapByte(20);
    e->SetWordWrap(true);
    e->Lines().SetText("// " + std::string(30, 'c') + "\r\nplain");
    ASSERT_EQ(e->Store().GetRowAttribute(0), raWrapped);
    auto pic = Picture(*e);
    EXPECT_GT(CountColor(*pic, RowBand(1), clGreen), 20);
    EXPECT_EQ(CountColor(*pic, RowBand(1), clBlack), 0);
    EXPECT_EQ(CountColor(*pic, RowBand(2), clGreen), 0);
    EXPECT_GT(CountColor(*pic, RowBand(2), clBlack), 20);
}

TEST_F(EditorPaint, GuideLinesStandAtTheirColumns)
{
    e->Lines().SetText("abc");
    TVerticalLine& line = e->VerticalLines().Add();
    line.SetPosition(10);
    line.SetColor(clFuchsia);
    line.SetPosition(-1);  // ignored
    auto pic = Picture(*e);
    const int x = e->GetTextLeft() + 10 * e->CellWidth() - 1;
    const int h = pic->Height() - e->GetTextTop();
    EXPECT_EQ(CountColor(*pic, RECT{x, e->GetTextTop(), x + 1, pic->Height()}, clFuchsia), h);
    EXPECT_EQ(CountColor(*pic, RECT{0, 0, pic->Width(), pic->Height()}, clFuchsia), h);
    line.SetVisible(false);
    pic = Picture(*e);
    EXPECT_EQ(CountColor(*pic, RECT{0, 0, pic->Width(), pic->Height()}, clFuchsia), 0);

    // Scrolled left of the text area, a line is not drawn.
    line.SetVisible(true);
    e->Lines().SetText(std::string(300, 'x'));
    e->Perform(WM_HSCROLL, SB_PAGERIGHT);
    ASSERT_GT(e->LeftCol(), 10);
    pic = Picture(*e);
    EXPECT_EQ(CountColor(*pic, RECT{0, 0, pic->Width(), pic->Height()}, clFuchsia), 0);
}

TEST_F(EditorPaint, RulerIsNumberedToTheWrapColumnWithTheCaretMarker)
{
    e->Ruler().SetVisible(true);
    e->Ruler().SetColor(clBlack);
    e->Ruler().SetBkColor(clSilver);
    e->Ruler().SetMarkColor(clRed);
    e->WrapOption().SetWrapByte(30);
    e->SetWordWrap(true);
    e->Lines().SetText("abc");
    e->SetCol(2);
    const int tl = e->GetTextLeft(), cw = e->CellWidth(), h = e->RulerHeight();
    ASSERT_EQ(h, 11);
    auto pic = Picture(*e);
    if (std::getenv("VELLUMO_DUMP")) SaveBmp(*pic, "ruler.bmp");
    for (int k = 0; k <= 3; ++k) {
        const int x = tl + k * 10 * cw;
        EXPECT_GT(CountColor(*pic, RECT{x + 1, 1, x + 11, 8}, clBlack), 4) << "number " << k * 10;
        // The tick at the wrap column itself is cleared with the rest.
        EXPECT_EQ(CountColor(*pic, RECT{x, 0, x + 1, h - 2}, clBlack), k < 3 ? h - 2 : 0) << "long tick " << k * 10;
    }
    // Nothing right of the wrap column but the edge lines.
    EXPECT_EQ(CountColor(*pic, RECT{tl + 30 * cw + 12, 0, pic->Width(), h - 2}, clBlack), 0);
    EXPECT_GT(CountColor(*pic, RECT{tl + 30 * cw + 12, 0, pic->Width(), h - 2}, clSilver), 0);
    // The caret's column is marked, the others are not.
    const RECT marker{tl + 2 * cw + 1, 0, tl + 3 * cw, h - 2};
    EXPECT_EQ(CountColor(*pic, marker, clRed), Area(marker));
    EXPECT_EQ(CountColor(*pic, RECT{tl + 3 * cw + 1, 0, pic->Width(), h}, clRed), 0);
    e->SetCol(0);
    pic = Picture(*e);
    EXPECT_EQ(CountColor(*pic, marker, clRed), 0);

    // Digit glyphs: a "1" has 8 ink pixels, a "0" and an "8" 14.
    TBitmap& g = e->DigitGlyphs();
    auto ink = [&](int d) {
        int n = 0;
        for (int y = 0; y < 9; ++y)
            for (int x = d * 5; x < d * 5 + 5; ++x) n += g.Canvas().Pixel(x, y) == RGB(0, 0, 0);
        return n;
    };
    EXPECT_EQ(g.Width(), 56);
    EXPECT_EQ(g.Height(), 9);
    EXPECT_EQ(ink(1), 8);
    EXPECT_EQ(ink(8), 14);
    EXPECT_EQ(ink(0), 14);
}

TEST_F(EditorPaint, LeftbarNumbersWithAndWithoutLeadingZeros)
{
    e->Leftbar().SetVisible(true);
    e->Leftbar().SetColumn(4);
    e->Leftbar().SetColor(clBlack);
    e->Leftbar().SetBkColor(clSilver);
    std::string text;
    for (int i = 0; i < 9; ++i) text += "line\r\n";
    e->Lines().SetText(text);
    auto digitInk = [&](TBitmap& pic, int row, int digit) {
        const int x = e->Leftbar().LeftMargin() + digit * e->CellWidth();
        const int y = e->GetTextTop() + row * e->RowHeight();
        return CountColor(pic, RECT{x, y, x + e->CellWidth(), y + e->CellHeight()}, clBlack);
    };
    auto pic = Picture(*e);
    EXPECT_EQ(digitInk(*pic, 6, 0), 0);  // "   7"
    EXPECT_EQ(digitInk(*pic, 6, 2), 0);
    EXPECT_GT(digitInk(*pic, 6, 3), 3);
    e->Leftbar().SetZeroLead(true);
    pic = Picture(*e);
    for (int d = 0; d < 4; ++d) EXPECT_GT(digitInk(*pic, 6, d), 3) << d;  // "0007"
    EXPECT_GT(digitInk(*pic, 9, 3), 3);  // the empty place after the last break is numbered
    EXPECT_EQ(digitInk(*pic, 10, 3), 0);

    // Numbers of logical lines skip the continuation rows.
    e->Leftbar().SetShowNumberMode(nmLine);
    e->WrapOption().SetWrapByte(20);
    e->SetWordWrap(true);
    e->Lines().SetText(std::string(30, 'a') + "\r\nb");
    pic = Picture(*e);
    EXPECT_GT(digitInk(*pic, 0, 3), 3);
    EXPECT_EQ(digitInk(*pic, 1, 3), 0);
    EXPECT_GT(digitInk(*pic, 2, 3), 3);
}

TEST_F(EditorPaint, SyntaxColoursAndReservedWords)
{
    e->View().Colors().Int().SetColor(clRed);
    e->View().Colors().Reserve().SetColor(clBlue);
    TReserveWordList words;
    words.SetSorted(true);
    words.Add("return");
    e->SetReserveWordList(words);
    e->Lines().SetText("return 42 word");
    auto pic = Picture(*e);
    EXPECT_GT(CountColor(*pic, CellRect(*e, 0, 0, 6), clBlue), 10);
    EXPECT_EQ(CountColor(*pic, CellRect(*e, 0, 0, 6), clRed), 0);
    EXPECT_GT(CountColor(*pic, CellRect(*e, 0, 7, 2), clRed), 5);
    EXPECT_EQ(CountColor(*pic, CellRect(*e, 0, 10, 4), clRed) + CountColor(*pic, CellRect(*e, 0, 10, 4), clBlue), 0);
    EXPECT_GT(CountColor(*pic, CellRect(*e, 0, 10, 4), clBlack), 10);

    // With an italic element every token is drawn over a filled row.
    e->View().Colors().Int().SetStyle(fsItalic);
    EXPECT_TRUE(e->ItalicInUse());
    pic = Picture(*e);
    EXPECT_GT(CountColor(*pic, CellRect(*e, 0, 7, 2), clRed), 5);
    EXPECT_GT(CountColor(*pic, CellRect(*e, 0, 10, 4), clBlack), 10);
}

TEST_F(EditorPaint, ALongRowPaintsItsFirst8000Bytes)
{
    // The character that straddles column 8000 is painted whole, and nothing
    // reads past the advance array (painting does not crash).
    e->Lines().SetText(std::string(7999, 'a') + "\x82\xA0" + std::string(999, 'b'));
    e->Caret().SetFreeCaret(true);
    e->Perform(WM_HSCROLL, SB_RIGHT);
    auto pic = Picture(*e);
    EXPECT_GT(e->LeftCol(), 7900);
    const int last = 8000 - e->LeftCol();
    EXPECT_GT(CountColor(*pic, CellRect(*e, 0, e->LeftCol() + last - 2, 2), clBlack), 3);
    EXPECT_EQ(CountColor(*pic, CellRect(*e, 0, 8001, 3), clBlack), 0);
}

TEST_F(EditorPaint, IncrementalRepaintAfterEditsEqualsAFullRepaint)
{
    e->Leftbar().SetVisible(true);
    e->Ruler().SetVisible(true);
    e->View().Colors().Int().SetColor(clRed);
    std::string text;
    for (int i = 0; i < 30; ++i) text += "row " + std::to_string(i) + " 日本語\r\n";
    e->Lines().SetText(text);
    e->SetVisible(true);
    SetWindowPos(e->Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    PumpMessages();
    e->Repaint();
    PumpMessages();
    auto check = [&](const char* what) {
        PumpMessages();
        e->CaretBeginUpdate();  // the caret is no part of the picture
        auto shown = WindowPixels(*e);
        e->CaretEndUpdate();
        auto full = Picture(*e, e->Color());
        int x = -1, y = -1;
        const bool same = SamePixels(*shown, *full, &x, &y);
        EXPECT_TRUE(same) << what << ": first difference at " << x << "," << y;
        if (!same && std::getenv("VELLUMO_DUMP")) {
            SaveBmp(*shown, std::string("shown_") + what + ".bmp");
            SaveBmp(*full, std::string("full_") + what + ".bmp");
        }
    };
    check("start");
    e->Store().ReplaceRows(2, 1, "row 2 changed 123\r\n");
    check("one row changed");
    e->Store().ReplaceRows(3, 0, "new a\r\nnew b\r\n");
    check("rows inserted");
    e->Store().ReplaceRows(1, 3, "");
    check("rows deleted");
    std::string many;
    for (int i = 0; i < 40; ++i) many += "pasted " + std::to_string(i) + "\r\n";
    e->Store().ReplaceRows(0, 0, many);
    check("more rows than the window");
    e->Perform(WM_VSCROLL, SB_PAGEDOWN);
    check("scrolled");
    e->Store().ReplaceRows(e->TopRow() + 1, 1, "");
    check("deleted in the scrolled view");

    // Logical-line numbers over wrapped rows, and a comment region that
    // an edit opens and closes.
    e->Leftbar().SetShowNumberMode(nmLine);
    e->WrapOption().SetWrapByte(20);
    e->SetWordWrap(true);
    TEditorViewInfo view;
    TEditorBracketItem& item = view.Brackets().Add();
    item.SetLeftBracket("/*");
    item.SetRightBracket("*/");
    item.ItemColor().SetColor(clGreen);
    e->SetView(view);
    std::string wrapped;
    for (int i = 0; i < 20; ++i) wrapped += std::string(i % 3 == 0 ? 30 : 8, static_cast<char>('a' + i)) + "\r\n";
    e->Lines().SetText(wrapped);
    e->Repaint();
    check("wrapped start");
    e->Store().ReplaceRows(1, 1, "/* open\r\n");
    check("comment opened");
    e->Store().ReplaceRows(1, 0, "x\r\ny\r\n");
    check("lines inserted in line mode");
    e->Store().ReplaceRows(1, 1, "");
    check("line deleted in line mode");
    e->Store().ReplaceRows(3, 1, "*/\r\n");
    check("comment closed");
    e->SetVisible(false);
}

TEST(EditorWindow, AWindowLargerThanTheScreenIsPaintedWhole)
{
    const int h = Screen().Height() + 120, w = Screen().Width() + 120;
    auto e = MakeEditor(w, h);
    e->Leftbar().SetVisible(true);
    e->Ruler().SetVisible(true);
    e->Lines().SetText("abc");
    ASSERT_GT(e->ClientRect().bottom, Screen().Height());
    auto pic = Picture(*e, clBlack);
    const int edge = e->LeftbarWidth() - 2;
    const int y = pic->Height() - 10;
    EXPECT_EQ(CountColor(*pic, RECT{edge, y, edge + 1, y + 5}, clWhite), 5);
    EXPECT_EQ(CountColor(*pic, RECT{edge + 1, y, edge + 2, y + 5}, clGray), 5);
    const int x = pic->Width() - 10;
    EXPECT_EQ(CountColor(*pic, RECT{x, 0, x + 5, e->RulerHeight() - 2}, clBlack), 0);
}

TEST(EditorWindow, PopupMenuFollowsTheEditorsState)
{
    auto e = MakeEditor();
    TPopupMenu* menu = e->PopupMenu();
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->Count(), 12);
    auto enabled = [&](int i) { return menu->Items(i).Enabled(); };

    e->Lines().SetText("text");
    e->Store().ReplaceRows(0, 1, "changed");
    menu->DoPopup();
    EXPECT_TRUE(enabled(TEditorPopupMenu::kUndo));
    EXPECT_FALSE(enabled(TEditorPopupMenu::kRedo));
    EXPECT_FALSE(enabled(TEditorPopupMenu::kCut));
    EXPECT_FALSE(enabled(TEditorPopupMenu::kCopy));
    EXPECT_FALSE(enabled(TEditorPopupMenu::kDelete));
    EXPECT_TRUE(enabled(TEditorPopupMenu::kSelectAll));
    EXPECT_FALSE(menu->Items(TEditorPopupMenu::kBoxMode).Checked());

    EXPECT_TRUE(menu->DispatchCommand(TEditorPopupMenu::kUndo + 1));
    EXPECT_EQ(Rows(*e), "text");
    menu->DoPopup();
    EXPECT_TRUE(enabled(TEditorPopupMenu::kRedo));

    e->SetSelection(smNormal, 0, 0, 0, 2);
    e->SetReadOnly(true);
    menu->DoPopup();
    EXPECT_FALSE(enabled(TEditorPopupMenu::kUndo));
    EXPECT_FALSE(enabled(TEditorPopupMenu::kRedo));
    EXPECT_FALSE(enabled(TEditorPopupMenu::kCut));
    EXPECT_TRUE(enabled(TEditorPopupMenu::kCopy));
    EXPECT_FALSE(enabled(TEditorPopupMenu::kPaste));
    EXPECT_FALSE(enabled(TEditorPopupMenu::kDelete));
    EXPECT_TRUE(enabled(TEditorPopupMenu::kSelectAll));
    EXPECT_TRUE(enabled(TEditorPopupMenu::kBoxMode));

    EXPECT_TRUE(menu->DispatchCommand(TEditorPopupMenu::kBoxMode + 1));
    EXPECT_EQ(e->SelectionMode(), smBox);
    menu->DoPopup();
    EXPECT_TRUE(menu->Items(TEditorPopupMenu::kBoxMode).Checked());

    // Each item reaches its own command.
    e->SetReadOnly(false);
    e->SetSelectionMode(smNormal);
    EXPECT_TRUE(menu->DispatchCommand(TEditorPopupMenu::kSelectAll + 1));
    EXPECT_EQ(e->SelLength(), 4);
    menu->DoPopup();
    EXPECT_TRUE(menu->DispatchCommand(TEditorPopupMenu::kDelete + 1));
    EXPECT_EQ(e->GetTextLength(), 0);
}

} // namespace
} // namespace vellumo::testing
