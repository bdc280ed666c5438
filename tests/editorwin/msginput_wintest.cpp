// The editor driven by keyboard and mouse messages alone, read back with
// WM_GETTEXT and EM_GETSEL.
#include <string>
#include <utility>
#include <vector>

#include "editor_support_win.h"

namespace vellumo::testing {
namespace {

enum : int { kShift = 1, kCtrl = 2 };

class EditorInput : public ::testing::Test {
protected:
    void SetUp() override
    {
        e_ = MakeFocusedEditor(400, 200);
        h_ = e_->Handle();
        e_->Caret().SetFreeCaret(false);
        e_->Caret().SetTabSpaceCount(4);
    }
    void TearDown() override
    {
        Mods(0);
        SetFocus(nullptr);
        PumpMessages();
    }
    void Set(const std::string& text, int start, int end = -2)
    {
        SendMessageA(h_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
        SendMessageA(h_, EM_SETSEL, start, end == -2 ? start : end);
    }
    std::string Text()
    {
        std::vector<char> buf(static_cast<size_t>(SendMessageA(h_, WM_GETTEXTLENGTH, 0, 0)) + 1);
        SendMessageA(h_, WM_GETTEXT, buf.size(), reinterpret_cast<LPARAM>(buf.data()));
        return buf.data();
    }
    std::pair<int, int> Sel()
    {
        DWORD s = 0, e = 0;
        SendMessageA(h_, EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
        return {static_cast<int>(s), static_cast<int>(e)};
    }
    static void Mods(int mods)
    {
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_SHIFT] = (mods & kShift) ? 0x80 : 0;
        keys[VK_CONTROL] = (mods & kCtrl) ? 0x80 : 0;
        SetKeyboardState(keys);
    }
    void Key(UINT vk, int mods = 0)
    {
        Mods(mods);
        SendMessageA(h_, WM_KEYDOWN, vk, 1);
        SendMessageA(h_, WM_KEYUP, vk, 1 | (3u << 30));
        Mods(0);
    }
    void Char(unsigned char c, int mods = 0)
    {
        Mods(mods);
        SendMessageA(h_, WM_CHAR, c, 1);
        Mods(0);
    }
    POINT At(int offset)
    {
        const LRESULT p = SendMessageA(h_, EM_POSFROMCHAR, offset, 0);
        return POINT{static_cast<short>(LOWORD(p)) + 1, static_cast<short>(HIWORD(p)) + 1};
    }
    void Mouse(UINT msg, POINT p, WPARAM keys = 0) { SendMessageA(h_, msg, keys, MAKELPARAM(p.x, p.y)); }

    std::unique_ptr<TTestEditor> e_;
    HWND h_ = nullptr;
};

struct TKeyCase {
    const char* what;
    const char* text;
    int caret;
    bool nextLine;
    std::vector<std::pair<UINT, int>> keys;
    int selStart, selEnd;
    const char* after;  // nullptr: unchanged
};

TEST_F(EditorInput, KeyTable)
{
    const std::string many = [] {
        std::string s;
        for (int i = 0; i < 60; ++i) s += "row\r\n";
        return s;
    }();
    const TKeyCase cases[] = {
        {"right", "abc\r\ndef", 1, false, {{VK_RIGHT, 0}}, 2, 2, nullptr},
        {"right over a double-byte character", "\x82\xA0\x82\xA1", 0, false, {{VK_RIGHT, 0}}, 2, 2, nullptr},
        {"right over a TAB", "\tx", 0, false, {{VK_RIGHT, 0}}, 1, 1, nullptr},
        {"right at a row end stays", "abc\r\ndef", 3, false, {{VK_RIGHT, 0}}, 3, 3, nullptr},
        {"right at a row end to the next row", "abc\r\ndef", 3, true, {{VK_RIGHT, 0}}, 5, 5, nullptr},
        {"left at a row start stays", "abc\r\ndef", 5, false, {{VK_LEFT, 0}}, 5, 5, nullptr},
        {"left at a row start to the row above", "abc\r\ndef", 5, true, {{VK_LEFT, 0}}, 3, 3, nullptr},
        {"home and end", "abc\r\ndefg", 6, false, {{VK_END, 0}}, 9, 9, nullptr},
        {"home", "abc\r\ndefg", 7, false, {{VK_HOME, 0}}, 5, 5, nullptr},
        {"ctrl home", "abc\r\ndefg", 7, false, {{VK_HOME, kCtrl}}, 0, 0, nullptr},
        {"ctrl end", "abc\r\ndefg", 1, false, {{VK_END, kCtrl}}, 9, 9, nullptr},
        {"ctrl end after a final line break", "abc\r\n", 1, false, {{VK_END, kCtrl}}, 5, 5, nullptr},
        {"up and down keep the column", "abcd\r\nxy\r\nefgh", 3, false, {{VK_DOWN, 0}, {VK_DOWN, 0}}, 13, 13, nullptr},
        {"up", "abc\r\ndef", 6, false, {{VK_UP, 0}}, 1, 1, nullptr},
        {"down on the last row stays", "abc\r\ndef", 6, false, {{VK_DOWN, 0}}, 6, 6, nullptr},
        {"ctrl right: words", "abc def  ghi", 0, false, {{VK_RIGHT, kCtrl}, {VK_RIGHT, kCtrl}}, 9, 9, nullptr},
        {"ctrl right over symbols", "ab.cd", 0, false, {{VK_RIGHT, kCtrl}}, 3, 3, nullptr},
        {"ctrl right at a row end", "abc\r\ndef", 3, false, {{VK_RIGHT, kCtrl}}, 5, 5, nullptr},
        {"ctrl left", "abc def ghi", 9, false, {{VK_LEFT, kCtrl}}, 8, 8, nullptr},
        {"ctrl left to the row above's end", "abc\r\ndef", 5, false, {{VK_LEFT, kCtrl}}, 3, 3, nullptr},
        {"ctrl left through Japanese", "\x82\xA0\x82\xA0\x83\x41\x83\x41", 8, false, {{VK_LEFT, kCtrl}}, 4, 4, nullptr},
        {"shift right selects", "abcdef", 1, false, {{VK_RIGHT, kShift}, {VK_RIGHT, kShift}}, 1, 3, nullptr},
        {"shift end selects", "abcdef\r\nx", 2, false, {{VK_END, kShift}}, 2, 6, nullptr},
        {"shift down selects", "abc\r\ndef", 1, false, {{VK_DOWN, kShift}}, 1, 6, nullptr},
        {"shift left selects back", "abcdef", 4, false, {{VK_LEFT, kShift}, {VK_LEFT, kShift}}, 2, 4, nullptr},
        {"a plain move ends the selection", "abcdef", 1, false, {{VK_RIGHT, kShift}, {VK_RIGHT, 0}}, 3, 3, nullptr},
        {"delete a double-byte character", "a\x82\xA0z", 1, false, {{VK_DELETE, 0}}, 1, 1, "az"},
        {"delete joins the next row", "ab\r\ncd", 2, false, {{VK_DELETE, 0}}, 2, 2, "abcd"},
        {"delete takes the final line break", "ab\r\n", 2, false, {{VK_DELETE, 0}}, 2, 2, "ab"},
        {"delete at the end does nothing", "ab", 2, false, {{VK_DELETE, 0}}, 2, 2, "ab"},
        {"delete the selection", "abcdef", 1, false, {{VK_RIGHT, kShift}, {VK_RIGHT, kShift}, {VK_DELETE, 0}}, 1, 1, "adef"},
        {"escape ends the selection", "abcdef", 1, false, {{VK_RIGHT, kShift}, {VK_ESCAPE, 0}}, 2, 2, nullptr},
    };
    for (const TKeyCase& c : cases) {
        SCOPED_TRACE(c.what);
        e_->Caret().SetNextLine(c.nextLine);
        Set(c.text, c.caret);
        for (auto [vk, mods] : c.keys) Key(vk, mods);
        if (c.selStart >= 0) {
            EXPECT_EQ(Sel(), std::make_pair(c.selStart, c.selEnd));
        }
        EXPECT_EQ(Text(), c.after ? c.after : c.text);
    }
    // Page moves by a view less one row; the second press scrolls.
    Set(many, 0);
    Key(VK_NEXT);
    EXPECT_EQ(e_->Row(), e_->RowCount() - 1);
    Key(VK_NEXT, kCtrl);
    EXPECT_EQ(e_->Row(), e_->RowCount() - 1 + e_->RowCount() / 2 - 1);
    Key(VK_PRIOR);
    EXPECT_EQ(e_->Row(), e_->RowCount() / 2 - 1);
    // Holding Down at the bottom of the view moves two rows per repeat.
    Set(many, 0);
    for (int i = 0; i < e_->RowCount() - 1; ++i) Key(VK_DOWN);
    ASSERT_EQ(e_->Row(), e_->RowCount() - 1);
    SendMessageA(h_, WM_KEYDOWN, VK_DOWN, 1 | (1 << 30));
    EXPECT_EQ(e_->Row(), e_->RowCount() + 1);
    SendMessageA(h_, WM_KEYUP, VK_DOWN, 1 | (3u << 30));
    // With word wrap Right runs from the end of a wrapped row into the next.
    e_->Caret().SetNextLine(false);
    e_->SetWordWrap(true);
    e_->WrapOption().SetWrapByte(20);
    Set(std::string(30, 'a'), 19);
    Key(VK_RIGHT);
    EXPECT_EQ(e_->Row(), 1);
    Char(8);
    EXPECT_EQ(Text(), std::string(29, 'a')) << "backspace at a continuation row's start";
    EXPECT_EQ(Sel(), std::make_pair(19, 19));
    e_->SetWordWrap(false);
}

TEST_F(EditorInput, BackspaceUnindentsOverTabsAndDoubleByteCharacters)
{
    // With unindent: back to an earlier row's smaller indentation; a target
    // column inside a TAB or on a full-width space's second half is padded.
    // Without: one character goes, a TAB or a double-byte pair whole.
    const struct { const char* text; int caret; bool unindent, readOnly; const char* want; int sel; } cases[] = {
        {"    abc\r\n        x", 17, true, false, "    abc\r\n    x", 13},
        {"    abc\r\n    x", 13, true, false, "    abc\r\nx", -1},
        {"  a\r\n\tx", 6, true, false, "  a\r\n  x", 7},
        {" a\r\n\x81\x40\x81\x40x", 8, true, false, " a\r\n x", -1},
        {"  a\r\n\tx", 6, false, false, "  a\r\nx", -1},
        {"a\x82\xA0", 3, false, false, "a", -1},
        {"ab\r\ncd", 4, false, false, "abcd", 2},
        {"ab\r\n", 4, false, false, "ab", -1},
        {"ab", 0, false, false, "ab", -1},
        {"ab", 2, true, true, "ab", -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        e_->Caret().SetBackSpaceUnIndent(c.unindent);
        Set(c.text, c.caret);
        e_->SetReadOnly(c.readOnly);
        Char(8);
        e_->SetReadOnly(false);
        EXPECT_EQ(Text(), c.want);
        if (c.sel >= 0) {
            EXPECT_EQ(Sel(), std::make_pair(c.sel, c.sel));
        }
    }
}

TEST_F(EditorInput, TabsReturnsAndTypedCharacters)
{
    Set("ab", 2);
    Char(9);
    EXPECT_EQ(Text(), "ab\t");
    e_->Caret().SetSoftTab(true);
    Set("ab", 2);
    Char(9);
    EXPECT_EQ(Text(), "ab  ");
    EXPECT_EQ(Sel(), std::make_pair(4, 4));
    Char(9, kCtrl);
    e_->SetWantTabs(false);
    Char(9);
    e_->SetWantTabs(true);
    EXPECT_EQ(Text(), "ab  ");
    // Return keeps the indentation, or the caret's column inside it.
    const struct { const char* text; int start, end; bool autoIndent, tabIndent; const char* want; int sel; } returns[] = {
        {"    abc", 2, 2, true, false, "  \r\n    abc", 6},
        {"    abc", 7, 7, true, false, "    abc\r\n    ", 13},
        {"      abc\r\nz", 9, 9, true, true, "      abc\r\n\t  \r\nz", -1},
        {"a\r\n", 3, 3, false, false, "a\r\n\r\n", 5},
        {"abcd", 1, 3, false, false, "a\r\nd", -1},
    };
    for (const auto& c : returns) {
        e_->Caret().SetAutoIndent(c.autoIndent);
        e_->Caret().SetTabIndent(c.tabIndent);
        Set(c.text, c.start, c.end);
        Char(13);
        EXPECT_EQ(Text(), c.want) << c.text;
        if (c.sel >= 0) {
            EXPECT_EQ(Sel(), std::make_pair(c.sel, c.sel)) << c.text;
        }
    }
    e_->Caret().SetAutoIndent(false);
    e_->Caret().SetTabIndent(false);
    // Characters: one byte, a posted double-byte pair as one character,
    // a lead byte without its pair ignored.
    Set("", 0);
    Char('x');
    Char(0xB1);
    PostMessageA(h_, WM_CHAR, 0x82, 1);
    PostMessageA(h_, WM_CHAR, 0xA0, 1);
    PumpMessages();
    Char(0x88);
    Char(0x07);
    EXPECT_EQ(Text(), "x\xB1\x82\xA0");
    EXPECT_EQ(Sel(), std::make_pair(4, 4));
    // The free caret: Right past the end, Delete pads and joins.
    e_->Caret().SetFreeCaret(true);
    Set("ab\r\ncd", 2);
    for (int i = 0; i < 4; ++i) Key(VK_RIGHT);
    EXPECT_EQ(e_->Col(), 6);
    Key(VK_DELETE);
    EXPECT_EQ(Text(), "ab    cd");
    EXPECT_EQ(Sel(), std::make_pair(6, 6));
    Set("ab\r\ncd", 2);
    for (int i = 0; i < 3; ++i) Key(VK_RIGHT);
    Char('z');
    EXPECT_EQ(Text(), "ab   z\r\ncd");
    e_->Caret().SetFreeCaret(false);
}

TEST_F(EditorInput, DoubleByteCharactersHoweverTheyArrive)
{
    // 表 (95 5C: its trail byte is a backslash) and あ (82 A0: a katakana byte).
    Set("", 0);
    Char(0x95);
    Char(0x5C);  // two sent messages, nothing queued behind the first
    Char(0x82);
    Char(0xA0);
    SendMessageW(h_, WM_CHAR, 0x8868, 1);       // the wide API: the system hands on two bytes
    SendMessageA(h_, WM_IME_CHAR, 0x82A0, 1);   // lead * 256 + trail in one message
    SendMessageA(h_, WM_IME_CHAR, 'k', 1);
    EXPECT_EQ(SendMessageA(h_, WM_UNICHAR, UNICODE_NOCHAR, 0), TRUE);
    SendMessageA(h_, WM_UNICHAR, 0x8868, 1);
    EXPECT_EQ(Text(), "\x95\x5C\x82\xA0\x95\x5C\x82\xA0k\x95\x5C");
    EXPECT_EQ(Sel(), std::make_pair(11, 11));
    // A lead byte followed by no trail byte is dropped; the next key counts.
    Char(0x88);
    Char(' ');
    Char(0x88);
    Key(VK_END);  // a key between the bytes: no pair
    Char('z');
    EXPECT_EQ(Text(), "\x95\x5C\x82\xA0\x95\x5C\x82\xA0k\x95\x5C z");
    // Read-only: nothing, in any form.
    e_->SetReadOnly(true);
    Char(0x95);
    Char(0x5C);
    SendMessageA(h_, WM_IME_CHAR, 0x82A0, 1);
    SendMessageA(h_, WM_UNICHAR, 0x3042, 1);
    e_->SetReadOnly(false);
    EXPECT_EQ(Text(), "\x95\x5C\x82\xA0\x95\x5C\x82\xA0k\x95\x5C z");
}

TEST_F(EditorInput, ClicksShiftClicksRowsAndDragsOfTheSelection)
{
    Set("abc def\r\nghi", 0);
    Mouse(WM_LBUTTONDOWN, At(5), MK_LBUTTON);
    Mouse(WM_LBUTTONUP, At(5));
    EXPECT_EQ(Sel(), std::make_pair(5, 5));
    Mouse(WM_LBUTTONDOWN, At(10), MK_LBUTTON | MK_SHIFT);
    Mouse(WM_LBUTTONUP, At(10));
    EXPECT_EQ(Sel(), std::make_pair(5, 10));
    // A press and a move of less than half a cell selects nothing.
    POINT p = At(1);
    Mouse(WM_LBUTTONDOWN, p, MK_LBUTTON);
    Mouse(WM_MOUSEMOVE, POINT{p.x + 1, p.y}, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, POINT{p.x + 1, p.y});
    EXPECT_EQ(Sel(), std::make_pair(1, 1));
    // A press and a drag selects.
    Mouse(WM_LBUTTONDOWN, At(1), MK_LBUTTON);
    Mouse(WM_MOUSEMOVE, At(3), MK_LBUTTON);
    Mouse(WM_LBUTTONUP, At(3));
    EXPECT_EQ(Sel(), std::make_pair(1, 3));
    // Dragging the selection moves it; keys and right clicks meanwhile are ignored.
    Mouse(WM_LBUTTONDOWN, At(2), MK_LBUTTON);
    EXPECT_TRUE(e_->IsDraggingSelection());
    Char('q');
    Mouse(WM_RBUTTONDOWN, At(6), MK_RBUTTON);
    Mouse(WM_RBUTTONUP, At(6));
    Mouse(WM_MOUSEMOVE, At(7), MK_LBUTTON);
    Mouse(WM_LBUTTONUP, At(7));
    EXPECT_FALSE(e_->IsDraggingSelection());
    EXPECT_EQ(Text(), "a defbc\r\nghi");
    // Ctrl at the release copies.
    SendMessageA(h_, EM_SETSEL, 0, 2);
    Mouse(WM_LBUTTONDOWN, At(1), MK_LBUTTON);
    Mouse(WM_MOUSEMOVE, At(12), MK_LBUTTON | MK_CONTROL);
    Mouse(WM_LBUTTONUP, At(12), MK_CONTROL);
    EXPECT_EQ(Text(), "a defbc\r\nghia ");
    // Esc cancels the drag: nothing moves, the selection ends.
    SendMessageA(h_, EM_SETSEL, 0, 2);
    Mouse(WM_LBUTTONDOWN, At(1), MK_LBUTTON);
    Mouse(WM_MOUSEMOVE, At(5), MK_LBUTTON);
    Key(VK_ESCAPE);
    EXPECT_FALSE(e_->IsDraggingSelection());
    Mouse(WM_MOUSEMOVE, At(6), MK_LBUTTON);
    Mouse(WM_LBUTTONUP, At(6));
    EXPECT_EQ(Text(), "a defbc\r\nghia ");
    EXPECT_EQ(Sel().first, Sel().second);
    // A drop inside the selection only ends it.
    SendMessageA(h_, EM_SETSEL, 0, 4);
    Mouse(WM_LBUTTONDOWN, At(1), MK_LBUTTON);
    Mouse(WM_MOUSEMOVE, At(2), MK_LBUTTON);
    Mouse(WM_LBUTTONUP, At(2));
    EXPECT_EQ(Text(), "a defbc\r\nghia ");
    EXPECT_EQ(Sel().first, Sel().second);
}

TEST_F(EditorInput, LeftBarRowsDoubleClicksAndBoxMode)
{
    e_->Leftbar().SetVisible(true);
    Set("one\r\ntwo\r\nthree", 0);
    const POINT bar{e_->GetTextLeft() / 2, At(5).y};
    ASSERT_GT(bar.x, 0);
    Mouse(WM_LBUTTONDOWN, bar, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, bar);
    EXPECT_EQ(Sel(), std::make_pair(5, 10));
    Mouse(WM_LBUTTONDOWN, POINT{bar.x, At(0).y}, MK_LBUTTON);
    Mouse(WM_MOUSEMOVE, POINT{bar.x, At(5).y}, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, POINT{bar.x, At(5).y});
    EXPECT_EQ(Sel(), std::make_pair(0, 10));
    // The pointer's cursor over the bar, over a movable selection and elsewhere.
    e_->Caret().Cursors().SetLeftMarginCursor(crArrow);
    e_->Caret().Cursors().SetInSelCursor(crHandPoint);
    Mouse(WM_MOUSEMOVE, bar);
    EXPECT_EQ(e_->Cursor(), crArrow);
    Mouse(WM_MOUSEMOVE, At(6));
    EXPECT_EQ(e_->Cursor(), crHandPoint);
    Mouse(WM_MOUSEMOVE, At(12));
    EXPECT_EQ(e_->Cursor(), e_->Caret().Cursors().DefaultCursor());
    // Rows being selected filter the keys; losing the focus ends that.
    Mouse(WM_LBUTTONDOWN, bar, MK_LBUTTON);
    Char('k');
    EXPECT_EQ(Text(), "one\r\ntwo\r\nthree");
    SetFocus(nullptr);
    e_->SetFocus();
    SendMessageA(h_, EM_SETSEL, 0, 0);
    Char('k');
    EXPECT_EQ(Text(), "kone\r\ntwo\r\nthree");
    SendMessageA(h_, EM_UNDO, 0, 0);
    // A double click goes to the host's handler, and the release after it
    // leaves what the handler selected.
    e_->OnDblClick = [&] { e_->SelectWordAt(At(6)); };
    Mouse(WM_LBUTTONDOWN, At(6), MK_LBUTTON);
    Mouse(WM_LBUTTONUP, At(6));
    Mouse(WM_LBUTTONDBLCLK, At(6), MK_LBUTTON);
    Mouse(WM_LBUTTONUP, At(6));
    EXPECT_EQ(Sel(), std::make_pair(5, 8));
    e_->OnDblClick = nullptr;
    // Alt and a click: box mode; Esc without a selection keeps it unless latched.
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_MENU] = 0x80;
    SetKeyboardState(keys);
    Mouse(WM_LBUTTONDOWN, At(1), MK_LBUTTON);
    keys[VK_MENU] = 0;
    SetKeyboardState(keys);
    Mouse(WM_MOUSEMOVE, At(7), MK_LBUTTON);
    Mouse(WM_LBUTTONUP, At(7));
    EXPECT_EQ(e_->SelectionMode(), smBox);
    EXPECT_EQ(e_->SelText(), "n\r\nw\r\n");
}

} // namespace
} // namespace vellumo::testing
