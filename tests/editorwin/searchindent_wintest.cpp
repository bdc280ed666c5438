// The control's search (chunk edges, long rows, directions, the replace-all
// message pump) and its indent and wrap commands.
#include "editor/editorhost.h"
#include "edit_support.h"

namespace vellumo::testing {
namespace {

TEST(EditorSearch, MatchesAcrossChunkEdgesLongRowsAndDirections)
{
    auto e = MakeEditor();
    e->WrapOption().SetWrapByte(20);
    e->SetWordWrap(true);
    // Patterns over two rows (a line's tail and the next line's head) and
    // over several rows of wrapped lines, placed all around the place
    // where the first chunk of about 8 KB ends.
    const std::string two = "KLM\r\nNOP";
    const std::string many = std::string(25, 'q') + "\r\n" + std::string(25, 'r') + "\r\nst";
    int found = 0;
    for (int pre = 8100; pre < 8260; pre += 9) {
        for (const std::string& pattern : {two, many}) {
            std::string text;
            while (static_cast<int>(text.size()) < pre) text += std::string(28, '.') + "\r\n";
            text.resize(static_cast<std::size_t>(pre));
            const std::size_t at = text.size();
            text += pattern + "\r\n";
            while (text.size() < 9500) text += std::string(28, ',') + "\r\n";
            e->Lines().SetText(text);
            e->SetSelStart(0);
            ASSERT_TRUE(e->Search(pattern, sfDown)) << pre;
            EXPECT_EQ(e->SelStart(), static_cast<long long>(at)) << pre;
            EXPECT_EQ(e->SelText(), pattern) << pre;
            // And back again from the end.
            e->SetSelStart(static_cast<long long>(text.size()));
            ASSERT_TRUE(e->Search(pattern, TSearchFlags(0))) << pre;
            EXPECT_EQ(e->SelStart(), static_cast<long long>(at)) << pre;
            ++found;
        }
    }
    EXPECT_EQ(found, 36);

    // The application's messages are pumped before each chunk of a replace-all only.
    int pumps = 0;
    e->SearchMessagePump = [&] { ++pumps; };
    e->SetSelStart(0);
    EXPECT_TRUE(e->Search(",,,", sfDown));
    EXPECT_EQ(pumps, 0);
    e->SetSelStart(0);
    EXPECT_TRUE(e->Search(",,,", sfDown | sfReplaceAll));
    EXPECT_GE(pumps, 1);

    // Messages pumped during the search may change the text under it.
    e->SearchMessagePump = [&] {
        if (++pumps == 1) e->Lines().SetText("short\r\ntext");
    };
    pumps = 0;
    e->SetSelStart(9000);
    EXPECT_FALSE(e->Search(",,,", sfDown | sfReplaceAll));
    e->SearchMessagePump = nullptr;

    // One row longer than a chunk (no wrap), and on past it.
    e->SetWordWrap(false);
    std::string row(10000, 'a');
    row.replace(7000, 6, "NEEDLE");
    e->Lines().SetText("x\r\n" + row + "\r\nyNEEDLE");
    e->SetSelStart(0);
    ASSERT_TRUE(e->Search("NEEDLE", sfDown));
    EXPECT_EQ(e->SelStart(), 3 + 7000);
    e->SetSelStart(3 + 7001);
    ASSERT_TRUE(e->Search("NEEDLE", sfDown));
    EXPECT_EQ(e->SelStart(), 3 + 10002 + 1);

    // Forward from the end: false, the caret stays. Backward offsets count
    // CR LF as 2, and each search starts beyond the last match.
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

    // A whole word cut by a soft wrap is still one word.
    e->WrapOption().SetWrapByte(20);
    e->SetWordWrap(true);
    e->Lines().SetText("xxxxxxxxxxxxxxxx foobar yyy\r\n");
    ASSERT_EQ(e->Store().GetRowAttribute(0), raWrapped);
    e->SetSelStart(0);
    EXPECT_FALSE(e->Search("bar", sfDown | sfWholeWord));
    EXPECT_TRUE(e->Search("foobar", sfDown | sfWholeWord));
    EXPECT_EQ(e->SelStart(), 17);
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
