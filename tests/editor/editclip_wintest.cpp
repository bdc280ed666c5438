#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>

#include "classlib/clipboard_win.h"
#include "editor/editclip.h"
#include "editor/rowstore.h"
#include "editor/wrapoption.h"
#include "model_support.h"

using namespace vellumo;
using namespace vellumo::test;

namespace {

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

// Copy and paste through the control are tested with the editor window;
// here what only the portable edit computes: a box paste of foreign text,
// a wrapped copy ending at column 0, an empty box over a selection.
TEST_F(EditClip, ForeignTextAsABoxWrappedCopiesAndEmptyBoxes)
{
    // Several lines offered only as Unicode by another program.
    const std::wstring w = L"x\r\n\u65E5y";
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, (w.size() + 1) * sizeof(wchar_t));
    std::memcpy(GlobalLock(h), w.c_str(), (w.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(h);
    ASSERT_TRUE(SetClipboardData(CF_UNICODETEXT, h));
    CloseClipboard();
    const auto p = ReadPasteText(clip);
    ASSERT_TRUE(p);
    EXPECT_FALSE(p->Box);
    s.LoadText("12\r\n34");
    Paste(nullptr, 0, 1);
    EXPECT_EQ(JoinRows(s), "1x\r\n\x93\xFAy2\r\n34");
    // The menu's box paste takes the same text as a box.
    s.LoadText("12\r\n34");
    const auto e = PasteEdit(s, nullptr, 0, 1, *p, true);
    ASSERT_TRUE(e);
    ASSERT_TRUE(s.ReplaceRows(e->Row, e->Count, e->Text));
    EXPECT_EQ(JoinRows(s), "1x2\r\n3\x93\xFAy4\r\n");

    s.WrapOption().SetWrapByte(20);
    s.SetWordWrap(true);
    s.LoadText(std::string(25, 'w'));
    ASSERT_TRUE(CopyWrappedToClipboard(s, MakeSelection(s, 0, 18, 1, 0, false), clip));
    EXPECT_EQ(clip.AsText(), "ww\r\n");
    const TEditorSelection sel = MakeSelection(s, 0, 0, 0, 5, false);
    const auto d = PasteEdit(s, &sel, 0, 5, TPasteText{"", true});
    ASSERT_TRUE(d);
    ASSERT_TRUE(s.ReplaceRows(d->Row, d->Count, d->Text));
    EXPECT_EQ(JoinRows(s), std::string(20, 'w'));
}

} // namespace
