#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>

#include "classlib/clipboard.h"
#include "editor/editclip.h"
#include "editor/rowstore.h"
#include "editor/wrapoption.h"
#include "model_support.h"

using namespace vellumo;
using namespace vellumo::test;

namespace {

using Rows = std::vector<std::string>;

class EditClip : public ::testing::Test {
protected:
    TFakeView view;
    TEditorScreenStrings& s = view.ScreenStrings();
    TClipboard clip;

    void Paste(const TEditorSelection* sel, int row, int col)
    {
        const auto p = ReadPasteText(clip);
        ASSERT_TRUE(p);
        const auto e = PasteEdit(s, sel, row, col, *p);
        ASSERT_TRUE(e);
        ASSERT_TRUE(s.ReplaceRows(e->Row, e->Count, e->Text));
    }
};

TEST_F(EditClip, ABoxCopyPastesBackAsABox)
{
    s.LoadText("abcd\r\nefgh\r\nijkl\r\nmn");
    ASSERT_TRUE(CopySelectionToClipboard(s, MakeSelection(s, 0, 1, 2, 3, true), clip));
    EXPECT_EQ(clip.AsText(), "bc\r\nfg\r\njk\r\n");
    EXPECT_TRUE(clip.HasBoxText());
    Paste(nullptr, 1, 4);
    EXPECT_EQ(RowDump(s), (Rows{"abcd|L", "efghbc|L", "ijklfg|L", "mn  jk|L"}));
    ASSERT_TRUE(s.Undo());
    EXPECT_EQ(JoinRows(s), "abcd\r\nefgh\r\nijkl\r\nmn");
}

TEST_F(EditClip, StreamsAndForeignTextPasteAsStreams)
{
    s.LoadText("abcd\r\nefgh");
    ASSERT_TRUE(CopySelectionToClipboard(s, MakeSelection(s, 0, 2, 1, 1, false), clip));
    EXPECT_FALSE(clip.HasBoxText());
    EXPECT_EQ(clip.AsText(), "cd\r\ne");
    Paste(nullptr, 1, 4);
    EXPECT_EQ(JoinRows(s), "abcd\r\nefghcd\r\ne");

    // Several lines offered only as Unicode by another program.
    const std::wstring w = L"x\r\n\u65E5y";
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, (w.size() + 1) * sizeof(wchar_t));
    std::memcpy(GlobalLock(h), w.c_str(), (w.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(h);
    ASSERT_TRUE(SetClipboardData(CF_UNICODETEXT, h));
    CloseClipboard();
    s.LoadText("12\r\n34");
    Paste(nullptr, 0, 1);
    EXPECT_EQ(JoinRows(s), "1x\r\n\x93\xFAy2\r\n34");
    // The menu's box paste takes the same text as a box.
    const auto p = ReadPasteText(clip);
    ASSERT_TRUE(p);
    EXPECT_FALSE(p->Box);
    s.LoadText("12\r\n34");
    const auto e = PasteEdit(s, nullptr, 0, 1, *p, true);
    ASSERT_TRUE(s.ReplaceRows(e->Row, e->Count, e->Text));
    EXPECT_EQ(JoinRows(s), "1x2\r\n3\x93\xFAy4\r\n");
}

TEST_F(EditClip, NothingToCopyKeepsTheClipboard)
{
    ASSERT_TRUE(clip.SetTextBuf("the user's"));
    s.LoadText("ab\r\ncd");
    EXPECT_FALSE(CopySelectionToClipboard(s, MakeSelection(s, 0, 1, 0, 1, false), clip));
    EXPECT_FALSE(CopySelectionToClipboard(s, MakeSelection(s, 0, 1, 1, 1, true), clip));  // a box of no columns
    EXPECT_FALSE(CopyWrappedToClipboard(s, MakeSelection(s, 0, 0, 1, 1, true), clip));
    EXPECT_EQ(clip.AsText(), "the user's");

    s.WrapOption().SetWrapByte(20);
    s.SetWordWrap(true);
    s.LoadText(std::string(25, 'w'));
    ASSERT_TRUE(CopyWrappedToClipboard(s, MakeSelection(s, 0, 18, 1, 0, false), clip));
    EXPECT_EQ(clip.AsText(), "ww\r\n");
    // An empty box paste over a selection deletes it.
    const TEditorSelection sel = MakeSelection(s, 0, 0, 0, 5, false);
    const auto e = PasteEdit(s, &sel, 0, 5, TPasteText{"", true});
    ASSERT_TRUE(e);
    ASSERT_TRUE(s.ReplaceRows(e->Row, e->Count, e->Text));
    EXPECT_EQ(JoinRows(s), std::string(20, 'w'));
}

} // namespace
