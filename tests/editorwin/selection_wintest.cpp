// The control's selection: ranges and state, ending it, offsets, row and
// word selection, the pop-up menu's commands and the painting of changes.
#include <cstdlib>
#include <random>

#include "support/winsupport_win.h"
#include "classlib/clipboard_win.h"
#include "edit_support_win.h"

namespace vellumo::testing {
namespace {

class TAltEditor : public TTestEditor {
public:
    bool Alt = false;

protected:
    bool AltKeyDown() const override { return Alt; }
};

TEST(EditorSelection, RangesStateAndEndingTheSelection)
{
    auto e = MakeEditor();
    e->Marks().Underline().SetVisible(true);
    std::vector<bool> events;
    e->OnSelectionChange = [&](TEditor&, bool on) { events.push_back(on); };
    e->Lines().SetText("abcdef\r\nghijkl\r\nx\r\n");

    // Column 3 to column 3 of the next row: the rest, the line end, three bytes.
    e->SetCaretRowCol(0, 3);
    e->StartSelection();
    EXPECT_TRUE(e->Anchored());
    EXPECT_FALSE(e->Selected());
    e->SetCaretRowCol(1, 3);
    e->UpdateSelection();
    ASSERT_TRUE(e->Selected());
    EXPECT_EQ(e->SelText(), "def\r\nghi");
    EXPECT_EQ(e->SelStart(), 3);
    EXPECT_EQ(e->SelLength(), 8);
    EXPECT_EQ(e->UnderlineHideCount(), 1);
    e->DeleteSelection();
    EXPECT_EQ(Rows(*e), "abcjkl|x");
    EXPECT_FALSE(e->Selected());
    EXPECT_EQ(e->UnderlineHideCount(), 0);
    EXPECT_EQ(events, (std::vector<bool>{true, false}));
    e->Undo();
    EXPECT_EQ(Rows(*e), "abcdef|ghijkl|x");

    // Past short rows: a stream is cut at each row's width, a box is not.
    Select(*e, 0, 4, 2, 5);
    EXPECT_EQ(e->Selection().EndCol, 1);
    EXPECT_EQ(e->SelText(), "ef\r\nghijkl\r\nx");
    Select(*e, 0, 4, 2, 5, smBox);
    EXPECT_EQ(e->Selection().StartCol, 4);
    EXPECT_EQ(e->Selection().EndCol, 5);
    EXPECT_EQ(e->SelText(), "e\r\nk\r\n\r\n");
    EXPECT_EQ(e->SelLength(), 8);

    // Ending resets everything, with and without Alt, anchored or selected.
    e->CleanSelection();
    EXPECT_EQ(e->SelectionMode(), smNormal);
    EXPECT_EQ(e->UnderlineHideCount(), 0);
    e->SetCaretRowCol(0, 0);
    e->StartSelection();
    e->CleanSelection();
    EXPECT_FALSE(e->Anchored());
    EXPECT_EQ(e->UnderlineHideCount(), 0);
    // Rows left above the text by a drag are no harm.
    e->SetSelection(smNormal, -3, 0, 1, 2);
    e->CleanSelection();
    EXPECT_FALSE(e->Selected());

    TAltEditor alt;
    alt.Lines().SetText("abc\r\ndef");
    alt.HandleNeeded();
    Select(alt, 0, 1, 1, 2, smBox);
    alt.Alt = true;
    alt.CleanSelection();
    EXPECT_EQ(alt.SelectionMode(), smBox);
    Select(alt, 0, 1, 1, 2, smBox);
    alt.Alt = false;
    alt.CleanSelection();
    EXPECT_EQ(alt.SelectionMode(), smNormal);

    // The box commands: entering re-spans an existing selection and latches.
    Select(alt, 0, 2, 1, 1);
    alt.ToggleBoxMode();  // refused while a selection exists
    EXPECT_EQ(alt.SelectionMode(), smNormal);
    alt.EnterBoxSelection();
    EXPECT_TRUE(alt.BoxLatch());
    EXPECT_EQ(alt.SelText(), "b\r\ne\r\n");
    alt.CleanSelection();
    EXPECT_FALSE(alt.BoxLatch());
    alt.ToggleBoxMode();
    EXPECT_EQ(alt.SelectionMode(), smBox);
    EXPECT_TRUE(alt.BoxLatch());

    // Without a window the state is reset and the underline hold given back.
    TTestEditor bare;
    bare.Lines().SetText("abc\r\ndef");
    Select(bare, 0, 1, 1, 2);
    EXPECT_TRUE(bare.Selected());
    EXPECT_EQ(bare.UnderlineHideCount(), 1);
    bare.CleanSelection();
    EXPECT_FALSE(bare.Selected());
    EXPECT_EQ(bare.UnderlineHideCount(), 0);
}

TEST(EditorSelection, BoxEdgesOverDoubleByteCharactersAndModeSwitchFromTheMenu)
{
    auto e = MakeEditor();
    // "a日本b" between two rows of digits: a box over cells 2..3 cuts 日
    // at its left edge (it stays) and 本 at its right edge (it goes).
    e->Lines().SetText("0123456\r\na\x93\xfa\x96\x7b" "b\r\n0123456\r\n");
    Select(*e, 0, 2, 2, 4, smBox);
    EXPECT_EQ(e->SelText(), "23\r\n\x96\x7b\r\n23\r\n");
    e->DeleteSelection();
    EXPECT_EQ(Rows(*e), "01456|a\x93\xfa" "b|01456");
    e->Undo();

    // A stream selection switched to a box by the menu is re-spanned and
    // what Delete removes is what is shown.
    Select(*e, 0, 5, 2, 2);
    ASSERT_EQ(e->SelText(), "56\r\na\x93\xfa\x96\x7b" "b\r\n01");
    TPopupMenu& menu = *e->PopupMenu();
    EXPECT_TRUE(menu.DispatchCommand(TEditorPopupMenu::kBoxMode + 1));
    ASSERT_TRUE(e->Selected());
    EXPECT_TRUE(e->Selection().Box);
    EXPECT_EQ(e->Selection().StartCol, 2);
    EXPECT_EQ(e->Selection().EndCol, 5);
    EXPECT_EQ(e->SelText(), "234\r\n\x96\x7b\r\n234\r\n");
    EXPECT_TRUE(menu.DispatchCommand(TEditorPopupMenu::kDelete + 1));
    EXPECT_EQ(Rows(*e), "0156|a\x93\xfa" "b|0156");
    EXPECT_FALSE(e->CanRedo());
}

TEST(EditorSelection, OffsetsRowAndWordSelection)
{
    auto e = MakeEditor();
    std::mt19937 rng(3);
    std::string text;
    std::vector<long long> places{0};  // character boundaries, no place inside a CR LF
    for (int i = 0; i < 12; ++i) {
        for (int k = static_cast<int>(rng() % 6); k > 0; --k) {
            text += rng() % 3 ? std::string("a") : std::string("\x93\xfa");
            places.push_back(static_cast<long long>(text.size()));
        }
        if (i < 11) {
            text += "\r\n";
            places.push_back(static_cast<long long>(text.size()));
        }
    }
    e->Lines().SetText(text);
    for (int k = 0; k < 200; ++k) {
        long long a = places[rng() % places.size()], b = places[rng() % places.size()];
        if (a > b) std::swap(a, b);
        e->SetSelStart(a);
        EXPECT_EQ(e->SelStart(), a);
        e->SetSelLength(b - a);
        ASSERT_EQ(e->SelText(), text.substr(a, b - a)) << a << "," << b;
        EXPECT_EQ(e->SelStart(), a);
        EXPECT_EQ(e->SelLength(), b - a);
    }
    e->SelectAll();
    EXPECT_EQ(e->SelText(), text);
    EXPECT_EQ(e->SelLength(), e->GetTextLength());
    e->SetSelLength(0);
    EXPECT_FALSE(e->Selected());

    // Rows from the left bar: the clicked row with its line end; the last
    // row without one alone; dragging upwards keeps the clicked row.
    e->Lines().SetText("one\r\ntwo\r\nthree\r\nlast");
    e->StartRowSelection(1);
    EXPECT_EQ(e->SelText(), "two\r\n");
    e->ExtendRowSelection(2);
    EXPECT_EQ(e->SelText(), "two\r\nthree\r\n");
    e->ExtendRowSelection(0);
    EXPECT_EQ(e->SelText(), "one\r\ntwo\r\n");
    e->EndRowSelection();
    e->StartRowSelection(3);
    EXPECT_EQ(e->SelText(), "last");
    e->ExtendRowSelection(9);
    EXPECT_EQ(e->SelText(), "last");
    e->EndRowSelection();

    // The word under a point, without the view's rules.
    e->Lines().SetText("foo barbaz qux");
    const RECT cell = CellRect(*e, 0, 6);
    const POINT pt{cell.left + 1, cell.top + 1};
    EXPECT_EQ(e->GetWordTextAt(pt), "barbaz");
    EXPECT_TRUE(e->SelectWordAt(pt));
    EXPECT_EQ(e->SelText(), "barbaz");
    EXPECT_EQ(e->SelStart(), 4);
}

TEST(EditorSelection, PaintingTheChangesEqualsAFullRepaint)
{
    auto e = MakeEditor(420, 260);
    e->Marks().RetMark().SetVisible(true);
    e->Marks().Underline().SetVisible(true);
    e->Leftbar().SetVisible(true);
    e->Lines().SetText("short\r\n\ta\x93\xfa\x96\x7b long row here\r\n\r\nx\ty\tz\r\n\x83\x5c\x83\x5c\x83\x5c abc def\r\n"
                       "a much longer row that runs on\r\nend");
    e->SetVisible(true);
    SetWindowPos(e->Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    PumpMessages();
    e->Repaint();
    PumpMessages();
    const char* seed = std::getenv("VELLUMO_SEED");
    std::mt19937 rng(seed ? static_cast<unsigned>(std::atoi(seed)) : 11u);
    auto place = [&] { e->SetCaretRowCol(static_cast<int>(rng() % 8), static_cast<int>(rng() % 34)); };
    for (int step = 0; step < 120; ++step) {
        const unsigned op = rng() % 6;
        if (op == 0) {
            e->Deselect();
            e->SetSelectionMode(rng() % 2 ? smBox : smNormal);
            place();
            e->StartSelection();
        } else if (op == 5) {
            e->Deselect();
        } else {
            place();
            e->UpdateSelection();
        }
        PumpMessages();
        e->CaretBeginUpdate();  // the caret is no part of the picture
        auto shown = WindowPixels(*e);
        e->CaretEndUpdate();
        auto full = Picture(*e, e->Color());
        int x = -1, y = -1;
        const bool same = SamePixels(*shown, *full, &x, &y);
        if (!same && std::getenv("VELLUMO_DUMP")) {
            SaveBmp(*shown, "sel_shown.bmp");
            SaveBmp(*full, "sel_full.bmp");
        }
        ASSERT_TRUE(same) << "step " << step << " (" << op << "): first difference at " << x << "," << y;
    }
    e->SetVisible(false);
}

TEST(EditorSelection, PopupMenuItemsAct)
{
    auto e = MakeEditor();
    TPopupMenu& menu = *e->PopupMenu();
    e->Lines().SetText("alpha\r\nbeta");
    EXPECT_TRUE(menu.DispatchCommand(TEditorPopupMenu::kSelectAll + 1));
    EXPECT_EQ(e->SelText(), "alpha\r\nbeta");
    Select(*e, 0, 1, 0, 3);
    EXPECT_TRUE(menu.DispatchCommand(TEditorPopupMenu::kCopy + 1));
    {
        TClipboardOpen open(Clipboard());
        EXPECT_EQ(Clipboard().AsText(), "lp");
    }
    EXPECT_TRUE(menu.DispatchCommand(TEditorPopupMenu::kCut + 1));
    EXPECT_EQ(Rows(*e), "aha|beta");
    e->SetCaretRowCol(1, 4);
    EXPECT_TRUE(menu.DispatchCommand(TEditorPopupMenu::kPaste + 1));
    EXPECT_EQ(Rows(*e), "aha|betalp");
    // The box paste takes the text as a box whatever its formats.
    {
        TClipboardOpen open(Clipboard());
        Clipboard().SetTextBuf("X\r\nY\r\n");
    }
    e->SetCaretRowCol(0, 1);
    EXPECT_TRUE(menu.DispatchCommand(TEditorPopupMenu::kBoxPaste + 1));
    EXPECT_EQ(Rows(*e), "aXha|bYetalp");
    e->Undo();
    EXPECT_EQ(Rows(*e), "aha|betalp");
}

} // namespace
} // namespace vellumo::testing
