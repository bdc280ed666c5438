// Replacing match after match inside a Lines update: the text is right, the
// caret and the view are brought up to date once at the end, and a
// replacement going up leaves the caret before the new text, also where
// the line wraps differently afterwards.
#include <gtest/gtest.h>

#include "editor_support_win.h"

namespace vellumo::testing {
namespace {

TEST(ReplaceBulk, CaretAndViewFollowOnceTheUpdateEnds)
{
    // In a window of its own, as the program holds its editors.
    HWND frame = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 500, 300, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    auto e = MakeEditor(400, 200);
    e->SetParentWindow(frame);
    e->SetVisible(true);
    SetForegroundWindow(frame);
    e->SetFocus();
    PumpMessages();
    ASSERT_TRUE(e->Focused());
    std::string text;
    for (int i = 0; i < 300; ++i) text += "x a y\r\n";
    e->Lines().SetText(text);
    e->SetCaretRowCol(0, 0);
    int moves = 0;
    e->OnCaretMoved = [&](TEditor&) { ++moves; };
    e->Lines().BeginUpdate();
    int count = 0;
    while (e->Search("a", sfDown | sfReplaceAll)) {
        ASSERT_TRUE(e->ReplaceSelText("bb", false));
        ++count;
    }
    EXPECT_EQ(moves, 0);
    EXPECT_EQ(e->TopRow(), 0);  // held while the update runs
    e->Lines().EndUpdate();
    EXPECT_EQ(count, 300);
    EXPECT_GT(moves, 0);
    EXPECT_EQ(e->Row(), 299);
    EXPECT_EQ(e->Col(), 4);
    EXPECT_LE(e->TopRow(), 299);
    EXPECT_GT(e->TopRow() + e->RowCount(), 299);
    EXPECT_TRUE(e->CaretShown());
    EXPECT_EQ(e->Lines().Get(299), "x bb y");
    // The focus the editor remembers is the system's.
    e->SetVisible(false);
    SetFocus(nullptr);
    EXPECT_FALSE(e->Focused());
    e.reset();
    DestroyWindow(frame);
}

TEST(ReplaceBulk, GoingUpTheCaretStandsBeforeTheNewText)
{
    auto e = MakeEditor(400, 200);
    e->WrapOption().SetWrapByte(20);
    e->SetWordWrap(true);
    // One logical line over two rows; the match in the second row.
    e->Lines().SetText("0123456789012345678901234 a z\r\nend");
    e->SetCaretRowCol(2, 0);
    ASSERT_TRUE(e->Search("a", static_cast<TSearchFlags>(0)));
    const long long start = e->SelStart();
    EXPECT_EQ(start, 26);
    // Longer than a row: the line wraps into more rows afterwards.
    ASSERT_TRUE(e->ReplaceSelText(std::string(30, 'w'), true));
    EXPECT_EQ(e->SelStart(), start);
    EXPECT_FALSE(e->Selected());
    EXPECT_EQ(e->Lines().Get(0), "0123456789012345678901234 " + std::string(30, 'w') + " z");
    // Nothing selected and nothing to insert: nothing changes.
    EXPECT_FALSE(e->ReplaceSelText("", true));
    e->SetReadOnly(true);
    ASSERT_TRUE(e->Search("z", sfDown));
    EXPECT_FALSE(e->ReplaceSelText("q", false));
}

} // namespace
} // namespace vellumo::testing
