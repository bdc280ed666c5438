// The control's search and its indent and wrap commands.
#include "editor/editorhost.h"
#include "edit_support_win.h"

namespace vellumo::testing {
namespace {

// The chunk edges, long rows and pump of the row search are the portable
// tests' business; here the control's side: where it starts, what it selects.
TEST(EditorSearch, StartsAtTheCaretOrSelectionAndSelectsTheMatch)
{
    auto e = MakeEditor();
    e->WrapOption().SetWrapByte(20);
    e->SetWordWrap(true);
    const std::string many = std::string(25, 'q') + "\r\n" + std::string(25, 'r') + "\r\nst";
    e->Lines().SetText("xx\r\n" + many + "\r\nyy");
    e->SetSelStart(0);
    ASSERT_TRUE(e->Search(many, sfDown));
    EXPECT_EQ(e->SelStart(), 4);
    EXPECT_EQ(e->SelText(), many);

    // Forward from the end: false, the caret stays. Backward offsets count
    // CR LF as 2, and each search starts beyond the last match.
    e->SetWordWrap(false);
    e->Lines().SetText("ab\r\ncd\r\nab\r\ncd");
    e->SetSelStart(14);
    const int row0 = e->Row(), col0 = e->Col();
    EXPECT_FALSE(e->Search("ab", sfDown));
    EXPECT_EQ(e->Row(), row0);
    EXPECT_EQ(e->Col(), col0);
    EXPECT_FALSE(e->Selected());
    ASSERT_TRUE(e->Search("ab", TSearchFlags(0)));
    EXPECT_EQ(e->SelStart(), 8);
    ASSERT_TRUE(e->Search("ab", TSearchFlags(0)));
    EXPECT_EQ(e->SelStart(), 0);
    ASSERT_TRUE(e->Search("ab", sfDown));
    EXPECT_EQ(e->SelStart(), 8);
    EXPECT_FALSE(e->Search("ab", sfDown));
    EXPECT_EQ(e->SelStart(), 8);  // the selection stays when nothing more is found

    // The pump may change the text under a replace-all: nothing stale is read.
    int pumps = 0;
    e->SearchMessagePump = [&] {
        if (++pumps == 1) e->Lines().SetText("short\r\ntext");
    };
    e->SetSelStart(0);
    EXPECT_FALSE(e->Search("ab", sfDown | sfReplaceAll));
    EXPECT_GE(pumps, 1);
    e->SearchMessagePump = nullptr;
}

TEST(EditorSearch, AMatchFoundWithoutTheFocusIsScrolledIntoView)
{
    // A hidden editor never has the focus, as behind a find dialog.
    auto e = MakeEditor();
    ASSERT_FALSE(e->Focused());
    std::string text;
    for (int i = 0; i < 300; ++i) text += i == 240 ? std::string(200, ' ') + "needle\r\n" : "hay\r\n";
    e->Lines().SetText(text);
    e->SetSelStart(0);
    auto visible = [&] {
        return e->Row() >= e->TopRow() && e->Row() < e->TopRow() + e->RowCount() && e->Col() >= e->LeftCol() &&
               e->Col() < e->LeftCol() + e->ColCount();
    };
    ASSERT_TRUE(e->Search("needle", sfDown));
    EXPECT_EQ(e->Row(), 240);
    EXPECT_TRUE(visible()) << "top " << e->TopRow() << " left " << e->LeftCol();
    // And back up to the top (placing the caret scrolls nothing without the focus).
    e->SetSelStart(3);
    ASSERT_FALSE(visible());
    ASSERT_TRUE(e->Search("hay", TSearchFlags(0)));
    EXPECT_EQ(e->Row(), 0);
    EXPECT_TRUE(visible()) << "top " << e->TopRow() << " left " << e->LeftCol();
}

struct TRetRowIndent {
    explicit TRetRowIndent(bool on) { EditorHostValues().RetRowIndent = on; }
    ~TRetRowIndent() { EditorHostValues().RetRowIndent = false; }
};

TEST(EditorIndent, LinesBoxesAndOneUndoEach)
{
    auto e = MakeEditor();
    auto check = [&](const char* text, auto&& select, auto&& command, const char* want, bool ret = false) {
        TRetRowIndent r(ret);
        e->Lines().SetText(text);
        select();
        command();
        EXPECT_EQ(Rows(*e), want) << text;
        e->Undo();
        EXPECT_EQ(Joined(*e), text) << want;
        EXPECT_FALSE(e->CanUndo()) << want;
    };
    auto all = [&] { Select(*e, 0, 0, 3, 0); };
    auto space = [&] { e->SpaceIndent(); };
    auto tab = [&] { e->TabIndent(); };
    // TABs become spaces; an empty line only gets one with RetRowIndent.
    check("\ta\r\n\r\nb\tc\r\n", all, space, "         a|| b       c");
    check("\ta\r\n\r\nb\tc\r\n", all, space, "         a| | b       c", true);
    check("\ta\r\n b\r\nc", all, [&] { e->TabUnindent(); }, "a| b|c");
    check(" a\r\n\tb\r\nc", all, [&] { e->SpaceUnindent(); }, "a|       b|c");
    // A selection ending at column 0 leaves that line alone.
    check("a\r\nb\r\nc", [&] { Select(*e, 0, 1, 1, 0); }, tab, "\ta|b|c");
    // A box: a row ending before the box column only with RetRowIndent.
    auto box = [&] { Select(*e, 0, 2, 2, 4, smBox); };
    check("abcdef\r\nab\r\nabc\r\n", box, space, "ab cdef|ab|ab c");
    check("abcdef\r\nab\r\nabc\r\n", box, space, "ab cdef|ab |ab c", true);
    check("ab\tcd\r\nab\tcd\r\n", box, [&] { e->TabUnindent(); }, "abcd|abcd");

    // The indented block stays selected, whole lines with the last break.
    e->Lines().SetText("a\r\nb\r\nc");
    Select(*e, 0, 1, 1, 1);
    e->TabIndent();
    EXPECT_EQ(e->SelText(), "\ta\r\n\tb\r\n");
    e->TabIndent();
    EXPECT_EQ(Rows(*e), "\t\ta|\t\tb|c");
    EXPECT_EQ(e->CaretHideCount(), 0);
    EXPECT_EQ(e->UnderlineHideCount(), 1);
}

TEST(EditorIndent, WrapCommands)
{
    auto e = MakeEditor();
    e->WrapOption().SetWrapByte(20);
    e->WrapOption().SetFollowRetMark(true);
    e->SetWordWrap(true);
    const std::string para = std::string(20, 'a') + std::string(20, 'b') + std::string(10, 'c');
    e->Lines().SetText(para + "\r\nnext");
    ASSERT_EQ(e->Store().Count(), 4);
    Select(*e, 0, 0, 2, 10);
    e->WrapToReturns();
    EXPECT_EQ(Joined(*e), std::string(20, 'a') + "\r\n" + std::string(20, 'b') + "\r\n" + std::string(10, 'c') + "\r\nnext");
    e->Undo();
    EXPECT_EQ(Joined(*e), para + "\r\nnext");
    EXPECT_EQ(e->Store().GetRowAttribute(0), raWrapped);

    EXPECT_TRUE(e->CanUndo() || e->CanRedo());
    EXPECT_TRUE(e->FreezeWraps());
    EXPECT_FALSE(e->CanUndo());
    EXPECT_FALSE(e->CanRedo());
    EXPECT_EQ(e->Store().GetRowAttribute(0), raLineBreak);
    EXPECT_EQ(e->Store().GetRowAttribute(1), raLineBreak);
    EXPECT_EQ(Rows(*e), std::string(20, 'a') + "|" + std::string(20, 'b') + "|" + std::string(10, 'c') + "|next");
}

} // namespace
} // namespace vellumo::testing
