// The edit-control messages, driven as another program would: one table of
// message, arguments and answer, then the round trips between offsets and
// client points.
#include <cstring>
#include <string>
#include <vector>

#include "editor/sjisutil.h"
#include "editor_support_win.h"

namespace vellumo::testing {
namespace {

std::string GetText(HWND h)
{
    const LRESULT n = SendMessageA(h, WM_GETTEXTLENGTH, 0, 0);
    std::vector<char> buf(static_cast<size_t>(n) + 1, '\x7F');
    const LRESULT got = SendMessageA(h, WM_GETTEXT, buf.size(), reinterpret_cast<LPARAM>(buf.data()));
    return std::string(buf.data(), static_cast<size_t>(got));
}

enum TArg { aValue, aText, aBuffer };

struct TMsgCase {
    const char* what;
    const char* text;  // set first (with the editor writable)
    int wrap;          // 0: no word wrap, else the wrap column
    bool readOnly;
    UINT msg;
    WPARAM w;
    TArg kind;
    LPARAM l;          // aValue: lParam; aBuffer: the 16-bit size stored in the buffer
    const char* str;   // aText: the text sent (nullptr: a null pointer); aBuffer: the bytes expected back
    LRESULT want;
    const char* after; // the text afterwards; nullptr: unchanged
};

constexpr WPARAM kMinus1 = static_cast<WPARAM>(-1);
constexpr WPARAM kMinus1Of32 = 0xFFFFFFFFu;  // a 32-bit sender's -1

const TMsgCase kCases[] = {
    {"line count of an empty text", "", 0, false, EM_GETLINECOUNT, 0, aValue, 0, nullptr, 1, nullptr},
    {"line count", "ab\r\ncd", 0, false, EM_GETLINECOUNT, 0, aValue, 0, nullptr, 2, nullptr},
    {"final line break adds no row", "ab\r\n", 0, false, EM_GETLINECOUNT, 0, aValue, 0, nullptr, 1, nullptr},
    {"wrapped rows count", "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaa\r\nb", 20, false, EM_GETLINECOUNT, 0, aValue, 0, nullptr, 3, nullptr},
    {"line index", "ab\r\ncd\r\nef", 0, false, EM_LINEINDEX, 2, aValue, 0, nullptr, 8, nullptr},
    {"line index of a wrapped row", "aaaaaaaaaaaaaaaaaaaaaaaaa\r\nb", 20, false, EM_LINEINDEX, 1, aValue, 0, nullptr, 20, nullptr},
    {"line index of the row count", "ab\r\ncd", 0, false, EM_LINEINDEX, 2, aValue, 0, nullptr, -1, nullptr},
    {"line index far past", "ab\r\ncd", 0, false, EM_LINEINDEX, 0x7FFFFFFF, aValue, 0, nullptr, -1, nullptr},
    {"line index of the caret row", "ab\r\ncd", 0, false, EM_LINEINDEX, kMinus1, aValue, 0, nullptr, 0, nullptr},
    {"line index of a 32-bit -1", "ab\r\ncd", 0, false, EM_LINEINDEX, kMinus1Of32, aValue, 0, nullptr, 0, nullptr},
    {"line index of another negative", "ab\r\ncd", 0, false, EM_LINEINDEX, static_cast<WPARAM>(-7), aValue, 0, nullptr, 0, nullptr},
    {"line length by offset", "ab\r\ncde", 0, false, EM_LINELENGTH, 5, aValue, 0, nullptr, 3, nullptr},
    {"line length at a line break", "ab\r\ncde", 0, false, EM_LINELENGTH, 3, aValue, 0, nullptr, 2, nullptr},
    {"line length past a last row without line break", "ab\r\ncde", 0, false, EM_LINELENGTH, 100, aValue, 0, nullptr, 3, nullptr},
    {"line length past a final line break", "ab\r\ncde\r\n", 0, false, EM_LINELENGTH, 100, aValue, 0, nullptr, 0, nullptr},
    {"line length of a negative offset", "ab\r\ncde", 0, false, EM_LINELENGTH, static_cast<WPARAM>(-9), aValue, 0, nullptr, 0, nullptr},
    {"line length of the caret row", "abcd\r\ne", 0, false, EM_LINELENGTH, kMinus1, aValue, 0, nullptr, 4, nullptr},
    {"line from char", "ab\r\ncd", 0, false, EM_LINEFROMCHAR, 4, aValue, 0, nullptr, 1, nullptr},
    {"line from char inside a line break", "ab\r\ncd", 0, false, EM_LINEFROMCHAR, 3, aValue, 0, nullptr, 0, nullptr},
    {"line from char past a last row", "ab\r\ncd", 0, false, EM_LINEFROMCHAR, 99, aValue, 0, nullptr, 1, nullptr},
    {"line from char past a final line break", "ab\r\ncd\r\n", 0, false, EM_LINEFROMCHAR, 99, aValue, 0, nullptr, 2, nullptr},
    {"line from char of the caret", "ab\r\ncd", 0, false, EM_LINEFROMCHAR, kMinus1Of32, aValue, 0, nullptr, 0, nullptr},
    {"get line, short buffer", "x\r\nabcdef", 0, false, EM_GETLINE, 1, aBuffer, 3, "abc", 3, nullptr},
    {"get line, whole row, no NUL", "x\r\n\x82\xA0z", 0, false, EM_GETLINE, 1, aBuffer, 50, "\x82\xA0z\x7F", 3, nullptr},
    {"get line past the rows", "x\r\nabcdef", 0, false, EM_GETLINE, 2, aBuffer, 50, "", 0, nullptr},
    {"get line of a negative row", "x", 0, false, EM_GETLINE, kMinus1, aBuffer, 50, "", 0, nullptr},
    {"get line on a read-only editor", "x\r\nab", 0, true, EM_GETLINE, 1, aBuffer, 50, "ab", 2, nullptr},
    {"get text cut to the buffer", "abcd", 0, false, WM_GETTEXT, 3, aBuffer, 0, "ab\0", 2, nullptr},
    {"get text cut inside a line break", "ab\r\ncd", 0, false, WM_GETTEXT, 4, aBuffer, 0, "ab\r\0", 3, nullptr},
    {"get text of wrapped rows", "aaaaaaaaaaaaaaaaaaaaaaaaa\r\nb", 20, false, WM_GETTEXT, 29, aBuffer, 0,
     "aaaaaaaaaaaaaaaaaaaaaaaaa\r\nb\0", 28, nullptr},
    {"get text length of wrapped rows", "aaaaaaaaaaaaaaaaaaaaaaaaa\r\nb\r\n", 20, false, WM_GETTEXTLENGTH, 0, aValue, 0,
     nullptr, 30, nullptr},
    {"get text into no room", "abcd", 0, false, WM_GETTEXT, 0, aBuffer, 0, "\x7F", 0, nullptr},
    {"get text to a null buffer", "abcd", 0, false, WM_GETTEXT, 10, aValue, 0, nullptr, 0, nullptr},
    {"get text length", "ab\r\n\x82\xA0", 0, false, WM_GETTEXTLENGTH, 0, aValue, 0, nullptr, 6, nullptr},
    {"set text", "old", 0, false, WM_SETTEXT, 0, aText, 0, "n\r\new", TRUE, "n\r\new"},
    {"set text from a null pointer", "old", 0, false, WM_SETTEXT, 0, aText, 0, nullptr, TRUE, ""},
    {"set text on a read-only editor", "old", 0, true, WM_SETTEXT, 0, aText, 0, "new", FALSE, "old"},
    {"modify flag set", "a", 0, false, EM_SETMODIFY, 0x101, aValue, 0, nullptr, 0, nullptr},
    {"nothing to undo", "a", 0, false, EM_CANUNDO, 0, aValue, 0, nullptr, FALSE, nullptr},
    {"undo with nothing to undo", "a", 0, false, EM_UNDO, 0, aValue, 0, nullptr, FALSE, "a"},
    {"first visible line", "a\r\nb", 0, false, EM_GETFIRSTVISIBLELINE, 0, aValue, 0, nullptr, 0, nullptr},
    {"replace at the caret", "abc", 0, false, EM_REPLACESEL, TRUE, aText, 0, "x\r\ny", 0, "x\r\nyabc"},
    {"replace from a null pointer", "abc", 0, false, EM_REPLACESEL, TRUE, aText, 0, nullptr, 0, nullptr},
    {"replace on a read-only editor", "abc", 0, true, EM_REPLACESEL, TRUE, aText, 0, "x", 0, nullptr},
    {"point outside the client area", "abc", 0, false, EM_CHARFROMPOS, 0, aValue, MAKELPARAM(5000, 5), nullptr, -1, nullptr},
};

TEST(EditMessages, TableOfMessagesArgumentsAndAnswers)
{
    auto e = MakeEditor(400, 200);
    const HWND h = e->Handle();
    for (const TMsgCase& c : kCases) {
        SCOPED_TRACE(c.what);
        e->SetReadOnly(false);
        e->SetWordWrap(c.wrap != 0);
        if (c.wrap) e->WrapOption().SetWrapByte(c.wrap);
        e->Lines().SetText(c.text);
        e->SetCaretRowCol(0, 0);
        e->SetReadOnly(c.readOnly);
        const std::string before = GetText(h);
        std::vector<char> buf(64, '\x7F');
        LPARAM l = c.l;
        if (c.kind == aText) l = reinterpret_cast<LPARAM>(c.str);
        if (c.kind == aBuffer) {
            const WORD size = static_cast<WORD>(c.l);
            std::memcpy(buf.data(), &size, 2);
            if (c.msg != EM_GETLINE) buf[0] = buf[1] = '\x7F';
            l = reinterpret_cast<LPARAM>(buf.data());
        }
        EXPECT_EQ(SendMessageA(h, c.msg, c.w, l), c.want);
        if (c.kind == aBuffer && c.str && *c.str) {
            const std::string want = c.msg == WM_GETTEXT ? std::string(c.str, c.w) : std::string(c.str);
            EXPECT_EQ(std::string(buf.data(), want.size()), want);
        }
        if (c.kind == aBuffer && c.msg == EM_GETLINE && c.want == 0) {
            const WORD size = static_cast<WORD>(c.l);
            EXPECT_EQ(std::memcmp(buf.data(), &size, 2), 0) << "nothing written";
        }
        e->SetReadOnly(false);
        EXPECT_EQ(GetText(h), c.after ? std::string(c.after) : before);
    }
    e->SetWordWrap(false);
}

TEST(EditMessages, ModifiedUndoAndDialogCodes)
{
    auto e = MakeEditor();
    const HWND h = e->Handle();
    e->Lines().SetText("abc");
    e->Lines().Put(0, "xyz");
    EXPECT_EQ(SendMessageA(h, EM_GETMODIFY, 0, 0), TRUE);
    EXPECT_EQ(SendMessageA(h, EM_SETMODIFY, 0x100, 0), 0);  // only the low byte counts
    EXPECT_EQ(SendMessageA(h, EM_GETMODIFY, 0, 0), FALSE);
    EXPECT_EQ(SendMessageA(h, EM_CANUNDO, 0, 0), TRUE);
    // Read-only: no undo, no emptying of the history, no change of the flag.
    SendMessageA(h, EM_SETREADONLY, TRUE, 0);
    EXPECT_TRUE(e->ReadOnly());
    EXPECT_EQ(SendMessageA(h, EM_CANUNDO, 0, 0), FALSE);
    EXPECT_EQ(SendMessageA(h, EM_UNDO, 0, 0), FALSE);
    SendMessageA(h, EM_EMPTYUNDOBUFFER, 0, 0);
    SendMessageA(h, EM_SETMODIFY, 1, 0);
    EXPECT_EQ(SendMessageA(h, EM_GETMODIFY, 0, 0), FALSE);
    SendMessageA(h, EM_SETREADONLY, FALSE, 0);
    EXPECT_EQ(SendMessageA(h, EM_UNDO, 0, 0), TRUE);
    EXPECT_EQ(GetText(h), "abc");
    e->Lines().Put(0, "q");
    SendMessageA(h, EM_EMPTYUNDOBUFFER, 0, 0);
    EXPECT_EQ(SendMessageA(h, EM_CANUNDO, 0, 0), FALSE);

    // The caret brought into view a third of the page from the top.
    std::string many;
    for (int i = 0; i < 100; ++i) many += "row\r\n";
    e->Lines().SetText(many);
    e->SetCaretRowCol(80, 2);
    ASSERT_EQ(SendMessageA(h, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
    SendMessageA(h, EM_SCROLLCARET, 0, 0);
    EXPECT_EQ(SendMessageA(h, EM_GETFIRSTVISIBLELINE, 0, 0), 80 - e->RowCount() / 3);
    SendMessageA(h, EM_SCROLLCARET, 0, 0);
    EXPECT_EQ(SendMessageA(h, EM_GETFIRSTVISIBLELINE, 0, 0), 80 - e->RowCount() / 3) << "in view: no move";

    const LRESULT code = SendMessageA(h, WM_GETDLGCODE, 0, 0);
    EXPECT_EQ(code & 0x81, 0x81);
    EXPECT_TRUE(code & DLGC_WANTTAB);
    EXPECT_TRUE(code & DLGC_WANTALLKEYS);
    e->SetWantTabs(false);
    e->SetWantReturns(false);
    const LRESULT code2 = SendMessageA(h, WM_GETDLGCODE, 0, 0);
    EXPECT_EQ(code2 & (DLGC_WANTTAB | DLGC_WANTALLKEYS), 0);
    EXPECT_EQ(code2 & 0x81, 0x81);
}

// Every character start maps to a point and back; second halves of
// double-byte characters and TAB fill give the character's own offset.
TEST(EditMessages, OffsetsAndPointsRoundTripWithoutAndWithWordWrap)
{
    auto e = MakeEditor(500, 300);
    const HWND h = e->Handle();
    const std::string text = "a\tb\x82\xA0\x82\xA1xyz\r\n\r\n\x88\x9F" "0123456789012345678901234567\r\nend";
    for (bool wrap : {false, true}) {
        SCOPED_TRACE(wrap ? "wrap" : "no wrap");
        e->SetWordWrap(wrap);
        e->WrapOption().SetWrapByte(20);
        e->Lines().SetText(text);
        int checked = 0;
        for (int row = 0; row < e->Store().Count(); ++row) {
            const std::string_view s = e->Store().Strings(row);
            const long long start = SendMessageA(h, EM_LINEINDEX, row, 0);
            for (int b = 0; b <= static_cast<int>(s.size()); ++b) {
                if (b > 0 && b < static_cast<int>(s.size()) && IsTrailByteAt(s, b + 1)) continue;
                if (b == static_cast<int>(s.size()) && e->Store().GetRowAttribute(row) == raWrapped) continue;
                const long long off = start + b;
                const LRESULT pos = SendMessageA(h, EM_POSFROMCHAR, static_cast<WPARAM>(off), 0);
                const int x = static_cast<short>(LOWORD(pos)), y = static_cast<short>(HIWORD(pos));
                EXPECT_EQ(y, e->GetTextTop() + row * e->RowHeight());
                EXPECT_EQ(SendMessageA(h, EM_LINEFROMCHAR, static_cast<WPARAM>(off), 0), row);
                const LRESULT back = SendMessageA(h, EM_CHARFROMPOS, 0, MAKELPARAM(x + 1, y + 1));
                EXPECT_EQ(LOWORD(back), off) << "row " << row << " byte " << b;
                EXPECT_EQ(HIWORD(back), row);
                // The right half of a double-byte character answers its start.
                if (b < static_cast<int>(s.size()) && IsLeadByteAt(s, b + 1)) {
                    const LRESULT half = SendMessageA(h, EM_CHARFROMPOS, 0, MAKELPARAM(x + e->CellWidth() + 1, y + 1));
                    EXPECT_EQ(LOWORD(half), off);
                }
                ++checked;
            }
        }
        EXPECT_GT(checked, 40);
    }
    e->SetWordWrap(false);
}

struct TSelCase {
    const char* what;
    const char* text;
    WPARAM w;
    LPARAM l;
    DWORD start, end;
};

// EM_SETSEL as other programs send it, read back with EM_GETSEL.
TEST(EditMessages, SetSelClampsAndReadsThirtyTwoBitValues)
{
    auto e = MakeEditor();
    const HWND h = e->Handle();
    const TSelCase cases[] = {
        {"all", "ab\r\ncd", 0, -1, 0, 6},
        {"reversed", "abcdefgh", 7, 3, 3, 7},
        {"to the end", "abcdefgh", 2, -1, 2, 8},
        {"to the end, 32-bit -1", "abcdefgh", 2, static_cast<LPARAM>(0xFFFFFFFFu), 2, 8},
        {"both past the end", "abc", 50, 90, 3, 3},
        {"end past the end", "abc", 1, 90, 1, 3},
        {"across a line break", "ab\r\ncd", 1, 5, 1, 5},
        {"a double-byte character", "a\x82\xA0z", 1, 3, 1, 3},
        {"negative start", "abc", static_cast<WPARAM>(-5), 2, 0, 2},
    };
    for (const TSelCase& c : cases) {
        SCOPED_TRACE(c.what);
        SendMessageA(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(c.text));
        SendMessageA(h, EM_SETSEL, c.w, c.l);
        DWORD s = 99, t = 99;
        const LRESULT r = SendMessageA(h, EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&t));
        EXPECT_EQ(s, c.start);
        EXPECT_EQ(t, c.end);
        EXPECT_EQ(r, static_cast<LRESULT>(MAKELONG(c.start, c.end)));
        EXPECT_EQ(SendMessageA(h, EM_GETSEL, 0, 0), r) << "null pointers are not written";
    }
    // "ab" CR LF "cd", caret after "c": start = end = 5.
    SendMessageA(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("ab\r\ncd"));
    e->SetCaretRowCol(1, 1);
    EXPECT_EQ(SendMessageA(h, EM_GETSEL, 0, 0), MAKELONG(5, 5));
    // -1 as the start ends the selection where the caret is.
    SendMessageA(h, EM_SETSEL, 1, 4);
    SendMessageA(h, EM_SETSEL, static_cast<WPARAM>(-1), 0);
    EXPECT_FALSE(e->Selected());
    // Line messages that follow the selection.
    SendMessageA(h, EM_SETSEL, 1, 5);
    EXPECT_EQ(SendMessageA(h, EM_LINEFROMCHAR, static_cast<WPARAM>(-1), 0), 0);
    EXPECT_EQ(SendMessageA(h, EM_LINELENGTH, static_cast<WPARAM>(-1), 0), 2) << "a and d stay unselected";
    SendMessageA(h, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("XY"));
    EXPECT_EQ(e->Lines().Text(), "aXYd");
    EXPECT_EQ(SendMessageA(h, EM_GETSEL, 0, 0), MAKELONG(3, 3));
    EXPECT_EQ(SendMessageA(h, EM_UNDO, 0, 0), TRUE);
    EXPECT_EQ(e->Lines().Text(), "ab\r\ncd");
    // Text with LF or CR alone is stored with CR LF: the caret lands after it.
    for (const char* text : {"X\nY\n", "X\rY\r"}) {
        SendMessageA(h, EM_SETSEL, 1, 1);
        SendMessageA(h, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
        EXPECT_EQ(SendMessageA(h, EM_GETSEL, 0, 0), MAKELONG(7, 7)) << text;
        SendMessageA(h, WM_CHAR, 'z', 1);
        EXPECT_EQ(e->Lines().Text(), "aX\r\nY\r\nzb\r\ncd") << text;
        SendMessageA(h, EM_UNDO, 0, 0);
        SendMessageA(h, EM_UNDO, 0, 0);
    }
    // Beyond 16 bits the packed answer is -1; the 32-bit values are exact.
    std::string big;
    for (int i = 0; i < 7000; ++i) big += "xxxxxxxx\r\n";
    SendMessageA(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(big.c_str()));
    SendMessageA(h, EM_SETSEL, 5, 69000);
    DWORD s = 0, t = 0;
    EXPECT_EQ(SendMessageA(h, EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&t)), -1);
    EXPECT_EQ(s, 5u);
    EXPECT_EQ(t, 69000u);
}

std::string ClipText()
{
    std::string s;
    if (!OpenClipboard(nullptr)) return "<unavailable>";
    if (HANDLE hd = GetClipboardData(CF_TEXT)) {
        if (const char* p = static_cast<const char*>(GlobalLock(hd))) s = p;
        GlobalUnlock(hd);
    }
    CloseClipboard();
    return s;
}

void PutClipText(const std::string& s)
{
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL g = GlobalAlloc(GMEM_MOVEABLE, s.size() + 1);
    std::memcpy(GlobalLock(g), s.c_str(), s.size() + 1);
    GlobalUnlock(g);
    SetClipboardData(CF_TEXT, g);
    CloseClipboard();
}

TEST(EditMessages, ClipboardMessagesNeverEmptyTheClipboardForNothing)
{
    auto e = MakeEditor();
    const HWND h = e->Handle();
    SendMessageA(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("abc\r\ndef"));
    PutClipText("keep me");
    SendMessageA(h, WM_COPY, 0, 0);   // nothing selected
    EXPECT_EQ(ClipText(), "keep me");
    SendMessageA(h, EM_SETSEL, 1, 6);
    e->SetReadOnly(true);
    SendMessageA(h, WM_CUT, 0, 0);
    SendMessageA(h, WM_CLEAR, 0, 0);
    SendMessageA(h, WM_PASTE, 0, 0);
    EXPECT_EQ(ClipText(), "keep me");
    EXPECT_EQ(e->Lines().Text(), "abc\r\ndef");
    e->SetReadOnly(false);
    SendMessageA(h, WM_COPY, 0, 0);
    EXPECT_EQ(ClipText(), "bc\r\nd");
    SendMessageA(h, WM_CUT, 0, 0);
    EXPECT_EQ(e->Lines().Text(), "aef");
    SendMessageA(h, EM_SETSEL, 3, 3);
    SendMessageA(h, WM_PASTE, 0, 0);
    EXPECT_EQ(e->Lines().Text(), "aefbc\r\nd");
    SendMessageA(h, EM_SETSEL, 0, 3);
    SendMessageA(h, WM_CLEAR, 0, 0);
    EXPECT_EQ(e->Lines().Text(), "bc\r\nd");
    EXPECT_EQ(ClipText(), "bc\r\nd");
}

} // namespace
} // namespace vellumo::testing
