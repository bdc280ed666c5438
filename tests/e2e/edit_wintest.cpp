// The Edit commands of the running program, reached as a user reaches
// them: keys typed for real with no menu opened since start-up, tool-bar
// buttons pressed with the mouse, and a command posted by another program
// to a locked document. Panels and rectangles are read through the other
// process's memory.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <optional>
#include <vector>

#include "e2e_support_win.h"

namespace e2e {
namespace {

HWND StatusBar(TVellumo& v) { return FindWindowExA(v.MainWindow(), nullptr, STATUSCLASSNAMEA, nullptr); }
HWND ToolBar(TVellumo& v) { return FindWindowExA(v.MainWindow(), nullptr, TOOLBARCLASSNAMEA, nullptr); }

int Panes(TVellumo& v)
{
    int n = 0;
    for (HWND c = GetWindow(v.MainWindow(), GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        char cls[64] = {};
        GetClassNameA(c, cls, sizeof cls);
        n += std::string(cls) == "TEditor" && IsWindowVisible(c);
    }
    return n;
}

std::string Panel(TVellumo& v, int panel)
{
    const std::string buf = RemoteCall(StatusBar(v), SB_GETTEXTA, static_cast<WPARAM>(panel), 512);
    // Leading TABs centre or right-align a panel's text.
    const std::string text = buf.substr(0, buf.find('\0'));
    return text.substr(std::min(text.find_first_not_of('\t'), text.size()));
}

std::string ClipboardText()
{
    for (int tries = 0; !OpenClipboard(nullptr); ++tries) {
        if (tries > 50) return "<busy>";
        Sleep(20);
    }
    std::string out;
    if (HANDLE h = GetClipboardData(CF_TEXT)) {
        if (const char* p = static_cast<const char*>(GlobalLock(h))) {
            out.assign(p, strnlen(p, GlobalSize(h)));
            GlobalUnlock(h);
        }
    }
    CloseClipboard();
    return out;
}

bool SetClipboardText(const std::string& text)
{
    for (int tries = 0; !OpenClipboard(nullptr); ++tries) {
        if (tries > 50) return false;
        Sleep(20);
    }
    EmptyClipboard();
    HGLOBAL g = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    std::memcpy(GlobalLock(g), text.c_str(), text.size() + 1);
    GlobalUnlock(g);
    SetClipboardData(CF_TEXT, g);
    return CloseClipboard() != 0;
}

LRESULT Send(HWND w, UINT msg, WPARAM wp, LPARAM lp)
{
    DWORD_PTR r = 0;
    SendMessageTimeoutA(w, msg, wp, lp, SMTO_ABORTIFHUNG, 5000, &r);
    return static_cast<LRESULT>(r);
}

void SetText(TVellumo& v, const std::string& text)
{
    Send(v.Editor(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void Select(TVellumo& v, int from, int to) { Send(v.Editor(), EM_SETSEL, static_cast<WPARAM>(from), to); }

class Edit : public TEndToEnd {
protected:
    void Close(TVellumo& v)
    {
        PostMessageA(v.MainWindow(), WM_CLOSE, 0, 0);
        if (HWND question = v.WaitDialog(3000)) TVellumo::Answer(question, IDNO);
        EXPECT_TRUE(v.WaitExit());
    }
};

TEST_F(Edit, TypeSelectCopyPasteUndoRedoSelectAllDelete)
{
    const std::string path = dir_.File("edit.txt");
    const std::string file = "line1 表\r\nline2\r\n";  // 表 ends in 5C
    ASSERT_TRUE(WriteFileBytes(path, file));
    TVellumo v;
    ASSERT_TRUE(Launch(v, Quoted(path)));
    ASSERT_EQ(v.Text(), file);

    ASSERT_TRUE(v.Keys({'H'}));
    ASSERT_TRUE(v.Keys({'I'}));
    ASSERT_TRUE(v.WaitFor([&] { return v.Text() == "hi" + file; })) << v.Text();
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(v.Keys({VK_SHIFT, VK_RIGHT}));
    ASSERT_TRUE(v.Keys({VK_CONTROL, 'C'}));
    ASSERT_TRUE(v.WaitFor([&] { return ClipboardText() == "lin"; })) << ClipboardText();
    ASSERT_TRUE(v.Keys({VK_END}));
    ASSERT_TRUE(v.Keys({VK_CONTROL, 'V'}));
    const std::string pasted = "hiline1 表lin\r\nline2\r\n";
    ASSERT_TRUE(v.WaitFor([&] { return v.Text() == pasted; })) << v.Text();
    // Undo step by step, back to the file's bytes.
    for (const std::string& before : {"hi" + file, "h" + file, file}) {
        ASSERT_TRUE(v.Keys({VK_CONTROL, 'Z'}));
        ASSERT_TRUE(v.WaitFor([&] { return v.Text() == before; })) << v.Text();
    }
    ASSERT_TRUE(v.Keys({VK_CONTROL, 'Y'}));
    ASSERT_TRUE(v.WaitFor([&] { return v.Text() == "h" + file; })) << v.Text();
    ASSERT_TRUE(v.Keys({VK_CONTROL, 'A'}));
    ASSERT_TRUE(v.Keys({VK_DELETE}));
    ASSERT_TRUE(v.WaitFor([&] { return v.Text().empty(); })) << v.Text();
    Close(v);
    EXPECT_EQ(ReadFileBytes(path), file);
}

// Every Edit shortcut, typed for real in a program whose menus were never
// opened: its items' rules are met when the key arrives.
TEST_F(Edit, EveryEditShortcutActsWithoutAMenuOpened)
{
    WriteSettings("[Option]\r\nWordWrap=1\r\nWrapCount=20\r\nFollowRetMark=1\r\n");
    TVellumo v;
    ASSERT_TRUE(Launch(v, ""));
    const std::string longLine = "abcdefghijklmnopqrstuvwxyz";
    auto oneBreak = [longLine](const std::string& t) {
        const auto at = t.find("\r\n");
        return at != std::string::npos && at > 0 && t.substr(0, at) + t.substr(at + 2) == longLine;
    };
    using TCheck = std::function<bool(const std::string&)>;
    auto is = [](std::string expected) -> TCheck { return [expected](const std::string& t) { return t == expected; }; };
    // A chord and, when set, the text it leaves (so that a row ending on its
    // first text cannot pass before its keys arrived).
    struct Step {
        std::vector<BYTE> chord;
        TCheck text;
    };
    struct Row {
        const char* what;
        std::string text;
        int from, to;                     // selection (or caret) before the keys
        std::optional<std::string> clip;  // put on the clipboard first, else a marker
        std::vector<Step> steps;
        TCheck clipAfter;
    };
    const Row rows[] = {
        {"lower", "ABC Ａ", 0, -1, {}, {{{VK_CONTROL, 'L'}, is("abc Ａ")}}, {}},
        {"upper", "abc ａ", 0, -1, {}, {{{VK_CONTROL, VK_SHIFT, 'L'}, is("ABC ａ")}}, {}},
        {"half width", "Ａｂ１", 0, -1, {}, {{{VK_CONTROL, 'G'}, is("Ab1")}}, {}},
        {"full width", "Ab1", 0, -1, {}, {{{VK_CONTROL, VK_SHIFT, 'G'}, is("Ａｂ１")}}, {}},
        {"space indent", "a\r\nb", 0, -1, {}, {{{VK_CONTROL, VK_SHIFT, 'I'}, is(" a\r\n b")}}, {}},
        {"space unindent", " a\r\n b", 0, -1, {}, {{{VK_CONTROL, VK_SHIFT, 'U'}, is("a\r\nb")}}, {}},
        {"tab indent", "a\r\nb", 0, -1, {}, {{{VK_TAB}, is("\ta\r\n\tb")}}, {}},
        {"tab unindent", "\ta\r\n\tb", 0, -1, {}, {{{VK_SHIFT, VK_TAB}, is("a\r\nb")}}, {}},
        {"line ends removed", "a\r\nb\r\nc", 0, -1, {}, {{{VK_CONTROL, VK_SHIFT, 'T'}, is("abc")}}, {}},
        {"line delete", "a\r\nb", 0, 0, {}, {{{VK_CONTROL, VK_RETURN}, is("b")}}, {}},
        {"cut", "abc", 1, 2, {}, {{{VK_CONTROL, 'X'}, is("ac")}}, is("b")},
        {"copy", "abc", 0, 2, {}, {{{VK_CONTROL, 'C'}, {}}}, is("ab")},
        {"paste", "abc", 3, 3, "表", {{{VK_CONTROL, 'V'}, is("abc表")}}, {}},
        {"cut (Shift+Del)", "abc", 0, 1, {}, {{{VK_SHIFT, VK_DELETE}, is("bc")}}, is("a")},
        {"copy (Ctrl+Ins)", "abc", 2, 3, {}, {{{VK_CONTROL, VK_INSERT}, {}}}, is("c")},
        {"paste (Shift+Ins)", "abc", 0, 0, "z", {{{VK_SHIFT, VK_INSERT}, is("zabc")}}, {}},
        {"undo (Alt+Backspace)", "abc", 0, 0, "z",
         {{{VK_SHIFT, VK_INSERT}, is("zabc")}, {{VK_MENU, VK_BACK}, is("abc")}}, {}},
        {"undo and redo", "abc", 3, 3, "z",
         {{{VK_CONTROL, 'V'}, is("abcz")}, {{VK_CONTROL, 'Z'}, is("abc")}, {{VK_CONTROL, 'Y'}, is("abcz")}}, {}},
        {"quoted paste", "abc", 0, 0, "x\r\ny", {{{VK_CONTROL, 'Q'}, is("> x\r\n> yabc")}}, {}},
        {"box paste", "ab\r\ncd", 1, 1, "1\r\n2", {{{VK_CONTROL, 'K'}, is("a1b\r\nc2d\r\n")}}, {}},
        {"select all and delete", "abc\r\ndef", 1, 1, {}, {{{VK_CONTROL, 'A'}, {}}, {{VK_DELETE}, is("")}}, {}},
        {"box mode", "abcd\r\nefgh", 1, 1, {},
         {{{VK_CONTROL, 'B'}, {}}, {{VK_SHIFT, VK_RIGHT}, {}}, {{VK_SHIFT, VK_RIGHT}, {}}, {{VK_SHIFT, VK_DOWN}, {}},
          {{VK_CONTROL, 'C'}, {}}},
         is("bc\r\nfg\r\n")},
        {"box steps", "abcd\r\nefgh", 1, 1, {},
         {{{VK_MENU, VK_SHIFT, VK_RIGHT}, {}}, {{VK_MENU, VK_SHIFT, VK_RIGHT}, {}}, {{VK_MENU, VK_SHIFT, VK_DOWN}, {}},
          {{VK_CONTROL, 'C'}, {}}},
         is("bc\r\nfg\r\n")},
        // The copy puts a break where the row wraps; the command writes one there.
        {"wrap copy", longLine, 0, -1, {}, {{{VK_CONTROL, VK_SHIFT, 'C'}, {}}}, oneBreak},
        {"breaks at the wraps", longLine, 0, -1, {}, {{{VK_CONTROL, 'T'}, oneBreak}}, {}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        SetText(v, r.text);
        Select(v, r.from, r.to);
        ASSERT_TRUE(SetClipboardText(r.clip.value_or("<before>")));
        for (const Step& step : r.steps) {
            ASSERT_TRUE(v.Keys(step.chord));
            if (step.text) {
                EXPECT_TRUE(v.WaitFor([&] { return step.text(v.Text()); })) << v.Text();
            }
        }
        if (r.clipAfter) {
            EXPECT_TRUE(v.WaitFor([&] { return r.clipAfter(ClipboardText()); })) << ClipboardText();
        }
        ASSERT_TRUE(v.Keys({VK_ESCAPE}));  // no selection left behind for the next row
        v.Sync();
    }
    // The box steps sent no keys of their own: no Shift is left down.
    EXPECT_EQ(GetAsyncKeyState(VK_SHIFT) & 0x8000, 0);

    // Read-only refuses typing; free caret is written to the settings at once.
    SetText(v, "abc");
    Select(v, 0, 0);
    const std::string writable = Panel(v, 8);
    ASSERT_TRUE(v.Keys({VK_CONTROL, VK_SHIFT, 'N'}));
    ASSERT_TRUE(v.WaitFor([&] { return Panel(v, 8) != writable; })) << "no read-only panel";
    ASSERT_TRUE(v.Keys({'Z'}));
    ASSERT_TRUE(v.Keys({VK_CONTROL, VK_SHIFT, 'N'}));
    ASSERT_TRUE(v.Keys({'W'}));
    ASSERT_TRUE(v.WaitFor([&] { return v.Text() == "wabc"; })) << v.Text();
    ASSERT_TRUE(v.Keys({VK_CONTROL, VK_SHIFT, 'F'}));
    EXPECT_TRUE(v.WaitFor([&] {
        return ReadFileBytes(ini_ + "\\vellumo.ini").find("FreeCaret=1") != std::string::npos;
    })) << ReadFileBytes(ini_ + "\\vellumo.ini");
    Close(v);
}

// Insert, Esc and the panels they speak to, split and not.
TEST_F(Edit, InsertTogglesOverwriteOnBothPanesAndEscRestoresThePanels)
{
    const std::string path = dir_.File("big.txt");
    std::string text;
    for (int i = 0; i < 600; ++i) text += std::string(98, 'a' + i % 26) + "\r\n";
    ASSERT_TRUE(WriteFileBytes(path, text));
    TVellumo v;
    ASSERT_TRUE(Launch(v, Quoted(path)));
    SetWindowPos(v.MainWindow(), HWND_TOP, 10, 10, 640, 480, SWP_SHOWWINDOW);
    v.Sync();

    // A refused indent of 60,000 bytes shows the limit; F4 the size; Esc both away.
    ASSERT_TRUE(v.Keys({VK_CONTROL, 'A'}));
    ASSERT_TRUE(v.Keys({VK_CONTROL, VK_SHIFT, 'I'}));
    ASSERT_TRUE(v.WaitFor([&] { return Panel(v, 0) == "50,000 バイト制限を超えました。"; })) << Panel(v, 0);
    ASSERT_TRUE(v.Keys({VK_F4}));
    ASSERT_TRUE(v.WaitFor([&] { return Panel(v, 1).find("60,000 バイト") != std::string::npos; })) << Panel(v, 1);
    ASSERT_TRUE(v.Keys({VK_ESCAPE}));
    EXPECT_TRUE(v.WaitFor([&] { return Panel(v, 0).empty() && Panel(v, 1).find("バイト") == std::string::npos; }))
        << Panel(v, 0) << " / " << Panel(v, 1);
    EXPECT_NE(Panel(v, 1).find("行"), std::string::npos) << Panel(v, 1);
    EXPECT_EQ(v.Text(), text);

    // Insert: overwrite, shown in panel 7; typing replaces.
    Select(v, 0, 0);
    ASSERT_TRUE(v.Keys({VK_INSERT}));
    ASSERT_TRUE(v.WaitFor([&] { return Panel(v, 7) == "上書"; })) << Panel(v, 7);
    ASSERT_TRUE(v.Keys({'X'}));
    ASSERT_TRUE(v.WaitFor([&] { return v.Text() == "x" + text.substr(1); })) << v.Text().substr(0, 10);

    // Split: Insert in one pane sets the other too (digits are in no line of the text).
    ASSERT_TRUE(v.Keys({VK_CONTROL, VK_F5}));
    ASSERT_TRUE(v.WaitFor([&] { return Panes(v) == 2; })) << "no second pane";
    ASSERT_TRUE(v.Keys({VK_INSERT}));
    ASSERT_TRUE(v.WaitFor([&] { return Panel(v, 7) != "上書"; })) << Panel(v, 7);
    ASSERT_TRUE(v.Keys({VK_CONTROL, VK_MENU, 'A'}));  // to the other pane
    ASSERT_TRUE(v.Keys({'7'}));
    ASSERT_TRUE(v.WaitFor([&] { return v.Text().find('7') != std::string::npos; })) << "nothing typed";
    EXPECT_EQ(v.Text().size(), text.size() + 1) << "the other pane overwrote";
    ASSERT_TRUE(v.Keys({VK_INSERT}));
    ASSERT_TRUE(v.WaitFor([&] { return Panel(v, 7) == "上書"; })) << Panel(v, 7);
    ASSERT_TRUE(v.Keys({VK_CONTROL, VK_MENU, 'A'}));  // back
    ASSERT_TRUE(v.Keys({'8'}));
    ASSERT_TRUE(v.WaitFor([&] { return v.Text().find('8') != std::string::npos; })) << "nothing typed";
    EXPECT_EQ(v.Text().size(), text.size() + 1) << "the first pane inserted";
    Close(v);
}

// The buttons by a real mouse press on their rectangles.
POINT ButtonCentre(HWND bar, int index)
{
    const std::string r = RemoteCall(bar, TB_GETITEMRECT, static_cast<WPARAM>(index), sizeof(RECT));
    RECT rect{};
    if (r.size() == sizeof rect) std::memcpy(&rect, r.data(), sizeof rect);
    POINT p{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    ClientToScreen(bar, &p);
    return p;
}

void Click(TVellumo& v, POINT p)
{
    SetForegroundWindow(v.MainWindow());
    SetCursorPos(p.x, p.y);
    // The press goes to the window in front, where the pointer stands.
    v.WaitFor([&] {
        POINT now{};
        return GetCursorPos(&now) && now.x == p.x && now.y == p.y && GetForegroundWindow() == v.MainWindow();
    }, 2000);
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
}

bool ButtonEnabled(HWND bar, int index)
{
    // Commands follow the buttons' order from the first one.
    TBBUTTON b{};
    const std::string raw = RemoteCall(bar, TB_GETBUTTON, static_cast<WPARAM>(index), sizeof b);
    if (raw.size() != sizeof b) return false;
    std::memcpy(&b, raw.data(), sizeof b);
    return Send(bar, TB_ISBUTTONENABLED, static_cast<WPARAM>(b.idCommand), 0) != 0;
}

TEST_F(Edit, ToolButtonsPressedWithTheMouse)
{
    // The bar's order: new, open, save, |, print, |, cut, copy, paste, |, undo, redo.
    constexpr int kPrint = 4, kCut = 6, kCopy = 7, kPaste = 8, kUndo = 10, kRedo = 11;
    TVellumo v;
    ASSERT_TRUE(Launch(v, ""));
    SetWindowPos(v.MainWindow(), HWND_TOP, 10, 10, 640, 480, SWP_SHOWWINDOW);
    HWND bar = ToolBar(v);
    ASSERT_NE(bar, nullptr);
    SetText(v, "abc");
    Select(v, 0, 1);
    ASSERT_TRUE(v.WaitFor([&] { return ButtonEnabled(bar, kCut); }));
    EXPECT_TRUE(ButtonEnabled(bar, kPrint)) << "print has its command";

    Click(v, ButtonCentre(bar, kCut));
    ASSERT_TRUE(v.WaitFor([&] { return v.Text() == "bc"; })) << v.Text();
    EXPECT_EQ(ClipboardText(), "a");
    Select(v, 2, 2);
    Click(v, ButtonCentre(bar, kPaste));
    ASSERT_TRUE(v.WaitFor([&] { return v.Text() == "bca"; })) << v.Text();
    Click(v, ButtonCentre(bar, kUndo));
    ASSERT_TRUE(v.WaitFor([&] { return v.Text() == "bc"; })) << v.Text();
    Click(v, ButtonCentre(bar, kRedo));
    ASSERT_TRUE(v.WaitFor([&] { return v.Text() == "bca"; })) << v.Text();
    Select(v, 1, 3);
    Click(v, ButtonCentre(bar, kCopy));
    ASSERT_TRUE(v.WaitFor([&] { return ClipboardText() == "ca"; })) << ClipboardText();
    EXPECT_EQ(v.Text(), "bca");
    // Without a selection cut and copy are disabled, and a press does nothing.
    Select(v, 0, 0);
    ASSERT_TRUE(v.WaitFor([&] { return !ButtonEnabled(bar, kCut) && !ButtonEnabled(bar, kCopy); }));
    Click(v, ButtonCentre(bar, kCut));
    // A cut would show within this bounded wait.
    EXPECT_FALSE(v.WaitFor([&] { return v.Text() != "bca"; }, 500)) << v.Text();
    Close(v);
}

// The line delete's command id, found by its hint: highlighting an item
// shows its hint in panel 0, and menus cannot be read from outside.
UINT LineDeleteCommand(TVellumo& v)
{
    for (UINT id = 0x1000; id < 0x1400; ++id) {
        Send(v.MainWindow(), WM_MENUSELECT, MAKEWPARAM(id, 0), 0);
        if (Panel(v, 0) == "カーソル行を削除") {
            Send(v.MainWindow(), WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
            return id;
        }
    }
    return 0;
}

TEST_F(Edit, LineDeleteCommandFromAnotherProgramLeavesALockedDocumentAlone)
{
    const std::string path = dir_.File("locked.txt");
    const std::string file = "one\r\ntwo\r\n";
    ASSERT_TRUE(WriteFileBytes(path, file));
    {
        // Writable: the posted command deletes the caret's row.
        TVellumo v;
        ASSERT_TRUE(Launch(v, Quoted(path)));
        const UINT id = LineDeleteCommand(v);
        ASSERT_NE(id, 0u) << "no item shows the line delete's hint";
        PostMessageA(v.MainWindow(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
        ASSERT_TRUE(v.WaitFor([&] { return v.Text() == "two\r\n"; })) << v.Text();
        Close(v);
    }
    TVellumo v;
    ASSERT_TRUE(Launch(v, "/rl " + Quoted(path)));
    const UINT id = LineDeleteCommand(v);
    ASSERT_NE(id, 0u);
    PostMessageA(v.MainWindow(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
    // Posted messages are handled in order: once the hint posted after the
    // command shows, the command has been refused or done.
    PostMessageA(v.MainWindow(), WM_MENUSELECT, MAKEWPARAM(id, 0), 0);
    EXPECT_TRUE(v.WaitFor([&] { return Panel(v, 0) == "カーソル行を削除"; }));
    Send(v.MainWindow(), WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    EXPECT_EQ(v.Text(), file);
    EXPECT_FALSE(v.Modified());
    Close(v);
    EXPECT_EQ(ReadFileBytes(path), file);
}

} // namespace
} // namespace e2e
