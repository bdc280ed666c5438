// Clipboard round trips between editors, the box marker, what never
// empties the clipboard, drops of a dragged selection and read-only refusal.
#include <cstring>

#include "classlib/clipboard_win.h"
#include "edit_support_win.h"

namespace vellumo::testing {
namespace {

std::string ClipText()
{
    TClipboardOpen open(Clipboard());
    return Clipboard().AsText();
}

void PutText(const std::string& s)
{
    TClipboardOpen open(Clipboard());
    Clipboard().SetTextBuf(s);
}

TEST(EditorClipboard, BoxAndStreamRoundTripsBetweenEditors)
{
    auto a = MakeEditor();
    auto b = MakeEditor();
    a->Lines().SetText("abcdef\r\nghijkl\r\nmnopqr\r\n");
    b->Lines().SetText("0123456789\r\n0123456789\r\n0123");

    // A box of three rows: three lines and the marker; it pastes as a box.
    Select(*a, 0, 1, 2, 3, smBox);
    ASSERT_TRUE(a->CopyToClipboard());
    EXPECT_EQ(ClipText(), "bc\r\nhi\r\nno\r\n");
    {
        TClipboardOpen open(Clipboard());
        EXPECT_TRUE(Clipboard().HasBoxText());
    }
    b->SetCaretRowCol(1, 6);
    b->PasteFromClipboard();
    EXPECT_EQ(Rows(*b), "0123456789|012345bc6789|0123  hi|      no");
    EXPECT_EQ(b->Row(), 1);
    EXPECT_EQ(b->Col(), 6);
    b->Undo();
    EXPECT_EQ(Rows(*b), "0123456789|0123456789|0123");

    // A stream cut: the text leaves, the clipboard has it without the marker.
    Select(*a, 0, 4, 1, 2);
    ASSERT_TRUE(a->CutToClipboard());
    EXPECT_EQ(Rows(*a), "abcdijkl|mnopqr");
    EXPECT_EQ(ClipText(), "ef\r\ngh");
    b->SetCaretRowCol(0, 2);
    b->PasteFromClipboard();
    EXPECT_EQ(Rows(*b), "01ef|gh23456789|0123456789|0123");
    EXPECT_EQ(b->Row(), 1);
    EXPECT_EQ(b->Col(), 2);

    // Text offered only as Unicode by another program pastes as a stream.
    {
        ASSERT_TRUE(OpenClipboard(nullptr));
        EmptyClipboard();
        const wchar_t w[] = L"\u65e5x\r\ny";
        HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, sizeof(w));
        std::memcpy(GlobalLock(h), w, sizeof(w));
        GlobalUnlock(h);
        if (!SetClipboardData(CF_UNICODETEXT, h)) GlobalFree(h);
        CloseClipboard();
    }
    a->Deselect();
    a->SetCaretRowCol(1, 0);
    a->PasteFromClipboard();
    EXPECT_EQ(Rows(*a), "abcdijkl|\x93\xfax|ymnopqr");
}

TEST(EditorClipboard, NothingToCopyLeavesTheClipboard)
{
    auto e = MakeEditor();
    e->Lines().SetText("abc\r\ndef\r\n");
    PutText("keep");
    EXPECT_FALSE(e->CopyToClipboard());  // no selection
    Select(*e, 0, 1, 0, 1);              // an empty one
    ASSERT_TRUE(e->Selected());
    EXPECT_FALSE(e->CopyToClipboard());
    EXPECT_FALSE(e->CutToClipboard());
    Select(*e, 0, 1, 1, 1, smBox);       // a box without columns
    EXPECT_FALSE(e->CopyToClipboard());
    EXPECT_FALSE(e->CutToClipboard());
    EXPECT_EQ(Rows(*e), "abc|def");
    EXPECT_EQ(ClipText(), "keep");

    // The wrapped copy of a selection ending at column 0 of the next row.
    e->SetWordWrap(true);
    Select(*e, 0, 1, 1, 0);
    EXPECT_TRUE(e->CopyWrapped());
    EXPECT_EQ(ClipText(), "bc\r\n");
    Select(*e, 0, 1, 0, 2);
    EXPECT_TRUE(e->CopyWrapped());
    EXPECT_EQ(ClipText(), "b");
}

TEST(EditorDrop, TheFourMovesCopiesAndRefusals)
{
    auto e = MakeEditor();
    const std::string text = "one two\r\nthree\r\nx\r\nfour five six\r\n";
    struct TCase {
        int sr, sc, er, ec, tr, tc;
        const char* want;
    };
    const TCase cases[] = {
        {3, 5, 3, 9, 1, 2, "one two|thfiveree|x|four  six"},        // target above
        {3, 5, 3, 9, 3, 0, "one two|three|x|fivefour  six"},        // left of it on its row
        {0, 4, 0, 7, 2, 4, "one |three|x   two|four five six"},    // below, a shorter row filled
        {0, 0, 0, 4, 0, 7, "twoone |three|x|four five six"},       // right of it on its row
        {1, 0, 1, 5, 4, 0, "one two||x|four five six|three"},      // after the final line break
    };
    for (const TCase& c : cases) {
        e->Lines().SetText(text);
        Select(*e, c.sr, c.sc, c.er, c.ec);
        ASSERT_TRUE(e->BeginSelectionDrag());
        e->DragSelectionOver(c.tr, c.tc, false, true);
        e->EndSelectionDrag(true, false);
        EXPECT_EQ(Rows(*e), c.want);
        EXPECT_FALSE(e->Selected());
        e->Undo();
        EXPECT_EQ(Joined(*e), text) << c.want;
        EXPECT_FALSE(e->CanUndo());
    }

    // After the final line break the dropped text is there even though
    // the selection was ended before the caret went to that place.
    e->Lines().SetText("ab\r\ncd\r\n");
    Select(*e, 0, 0, 0, 2);
    e->MoveSelectionTo(2, 0);
    EXPECT_EQ(Joined(*e), "\r\ncd\r\nab");

    // Ctrl at the release copies: the caret ends after the copy.
    e->Lines().SetText("abc def");
    Select(*e, 0, 0, 0, 3);
    ASSERT_TRUE(e->BeginSelectionDrag());
    e->DragSelectionOver(0, 7, true, true);
    e->EndSelectionDrag(true, true);
    EXPECT_EQ(Rows(*e), "abc defabc");
    EXPECT_EQ(e->Col(), 10);

    // Refused drops only end the selection: inside it, outside the window,
    // a box, a read-only editor.
    auto refused = [&](auto&& setup) {
        e->Lines().SetText("abc def");
        setup();
        const std::string before = Joined(*e);
        if (e->BeginSelectionDrag()) {
            e->DragSelectionOver(0, 1, false, true);
            e->EndSelectionDrag(true, false);
        } else {
            e->MoveSelectionTo(0, 6);
        }
        EXPECT_EQ(Joined(*e), before);
        EXPECT_FALSE(e->Selected());
        EXPECT_FALSE(e->IsDraggingSelection());
    };
    refused([&] { Select(*e, 0, 0, 0, 3); });
    refused([&] { Select(*e, 0, 0, 0, 3, smBox); });
    refused([&] {
        Select(*e, 0, 0, 0, 3);
        e->SetReadOnly(true);
    });
    e->SetReadOnly(false);
    Select(*e, 0, 0, 0, 3);
    ASSERT_TRUE(e->BeginSelectionDrag());
    e->DragSelectionOver(0, 6, false, false);
    e->EndSelectionDrag(false, false);
    EXPECT_EQ(Rows(*e), "abc def");
    EXPECT_FALSE(e->Selected());
}

TEST(EditorClipboard, BoxOverAStreamSelectionOfSeveralRowsDuplicatesNoRow)
{
    auto e = MakeEditor();
    e->Lines().SetText("abc\r\ndef\r\nghi\r\njkl");
    Select(*e, 0, 1, 2, 1);
    e->InsertBoxText("X\r\nY\r\nZ\r\n");
    EXPECT_EQ(Rows(*e), "aXhi|jYkl| Z");
    e->Undo();
    EXPECT_EQ(Rows(*e), "abc|def|ghi|jkl");
}

TEST(EditorReadOnly, EveryInsertionIsRefused)
{
    auto e = MakeEditor();
    e->Lines().SetText("abc\r\ndef");
    e->SetReadOnly(true);
    PutText("pasted");
    auto unchanged = [&](const char* what) {
        EXPECT_EQ(Rows(*e), "abc|def") << what;
        EXPECT_FALSE(e->CanUndo()) << what;
        EXPECT_EQ(e->CaretHideCount(), 0) << what;
    };
    e->TypeText("x");
    unchanged("type");
    e->InsertStreamText("x\r\ny");
    unchanged("stream");
    e->InsertBoxText("x\r\ny");
    unchanged("box");
    e->ReplaceAllText("x");
    unchanged("replace all");
    e->PasteFromClipboard();
    unchanged("paste");
    e->PasteBoxFromClipboard();
    unchanged("box paste");
    Select(*e, 0, 0, 1, 1);
    e->SetSelText("x");
    e->DeleteSelection();
    e->TabIndent();
    EXPECT_FALSE(e->CutToClipboard());
    unchanged("selection");
    EXPECT_EQ(ClipText(), "pasted");
    EXPECT_TRUE(e->CopyToClipboard());
    EXPECT_EQ(ClipText(), "abc\r\nd");
}

} // namespace
} // namespace vellumo::testing
