// Find-next across instances and the real find dialog, driven from
// outside: F3 in a fresh instance continues the last search of another
// (its text from the search history, its options from the settings file).
// A replace-all undone and redone by keys.
#include <windows.h>

#include <vector>

#include "e2e_support_win.h"

namespace e2e {
namespace {

class Search : public TEndToEnd {
protected:
    static std::pair<DWORD, DWORD> Selection(HWND editor)
    {
        DWORD a = 0, b = 0;
        DWORD_PTR r = 0;
        SendMessageTimeoutA(editor, EM_GETSEL, reinterpret_cast<WPARAM>(&a), reinterpret_cast<LPARAM>(&b),
                            SMTO_ABORTIFHUNG, 5000, &r);
        return {a, b};
    }
    // Ctrl+R typed, the two texts and the question box set in the replace
    // dialog, then "すべて置換(&A)" pressed.
    static bool ReplaceAll(TVellumo& v, const char* find, const char* with, bool confirm)
    {
        v.Keys({VK_CONTROL, 'R'});
        HWND dialog = WaitForm(v, "\x92\x75\x8A\xB7");  // "置換"
        if (!dialog || !v.Sync()) return false;
        std::vector<HWND> combos;
        for (HWND c = nullptr; (c = FindWindowExA(dialog, c, nullptr, nullptr)) != nullptr;) {
            char cls[32] = {};
            GetClassNameA(c, cls, sizeof cls);
            if (lstrcmpiA(cls, "COMBOBOX") == 0) combos.push_back(c);
        }
        HWND ask = ChildOfClass(dialog, "BUTTON", "\x92\x75\x8A\xB7\x93\xAE\x8D\xEC\x82\xCC\x8A\x6D\x94\x46(&P)");  // "置換動作の確認(&P)"
        HWND all = ChildOfClass(dialog, "BUTTON", "\x82\xB7\x82\xD7\x82\xC4\x92\x75\x8A\xB7(&A)");  // "すべて置換(&A)"
        if (combos.size() < 2 || !ask || !all) return false;
        SendMessageA(combos[0], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(find));
        SendMessageA(combos[1], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(with));
        auto checked = [ask] { return SendMessageA(ask, BM_GETCHECK, 0, 0) == BST_CHECKED; };
        if (checked() != confirm) PostMessageA(ask, BM_CLICK, 0, 0);
        if (!v.WaitFor([&] { return checked() == confirm; }, 3000)) return false;
        PostMessageA(all, BM_CLICK, 0, 0);
        return true;
    }
    static bool CanUndo(HWND editor)
    {
        DWORD_PTR r = 0;
        SendMessageTimeoutA(editor, EM_CANUNDO, 0, 0, SMTO_ABORTIFHUNG, 5000, &r);
        return r != 0;
    }
    static std::string ReplacedAll(std::string text, const std::string& find, const std::string& with)
    {
        for (std::size_t at = 0; (at = text.find(find, at)) != std::string::npos; at += with.size())
            text.replace(at, find.size(), with);
        return text;
    }
};

TEST_F(Search, FindNextInAFreshInstanceContinuesTheLastSearch)
{
    // What another instance left: its search text first in the history,
    // "match case" in the options.
    WriteSettings("[SearchOptions]\r\nMatchCase=1\r\nWholeWord=0\r\nDirection=1\r\nEsc=0\r\n");
    ASSERT_TRUE(WriteFileBytes(ini_ + "\\vellumo.sch", "Needle\r\nneedle\r\n"));
    const std::string doc = dir_.File("doc.txt");
    ASSERT_TRUE(WriteFileBytes(doc, "needle Needle needle Needle\r\n"));
    TVellumo v;
    ASSERT_TRUE(Launch(v, Quoted(doc)));
    ASSERT_TRUE(v.Sync());
    v.Keys({VK_F3});
    EXPECT_TRUE(v.WaitFor([&] { return Selection(v.Editor()) == std::make_pair(DWORD(7), DWORD(13)); }))
        << Selection(v.Editor()).first;
    v.Keys({VK_F3});
    EXPECT_TRUE(v.WaitFor([&] { return Selection(v.Editor()) == std::make_pair(DWORD(21), DWORD(27)); }));
    // Shift+F3 goes back up.
    v.Keys({VK_SHIFT, VK_F3});
    EXPECT_TRUE(v.WaitFor([&] { return Selection(v.Editor()) == std::make_pair(DWORD(7), DWORD(13)); }));
    EXPECT_TRUE(v.Close());
}

TEST_F(Search, TheFindDialogOfTheRunningProgramSearchesWhatIsTypedIntoIt)
{
    const std::string doc = dir_.File("doc.txt");
    ASSERT_TRUE(WriteFileBytes(doc, "abc \x82\xA0x abc \x82\xA0x\r\n"));
    TVellumo v;
    ASSERT_TRUE(Launch(v, Quoted(doc)));
    ASSERT_TRUE(v.Sync());
    v.Keys({VK_CONTROL, 'F'});
    HWND dialog = nullptr;
    ASSERT_TRUE(v.WaitFor([&] {
        for (HWND w : WindowsOf(v.ProcessId(), "TForm", true)) {
            char caption[64] = {};
            GetWindowTextA(w, caption, sizeof caption);
            if (std::string(caption) == "\x8C\x9F\x8D\xF5") dialog = w; // "検索"
        }
        return dialog != nullptr;
    }));
    ASSERT_TRUE(v.Sync()); // the dialog has shown and filled itself
    HWND combo = ChildOfClass(dialog, "COMBOBOX");
    HWND edit = combo ? ChildOfClass(combo, "EDIT") : nullptr;
    HWND next = ChildOfClass(dialog, "BUTTON", "\x8E\x9F\x82\xF0\x8C\x9F\x8D\xF5(&N)"); // "次を検索(&N)"
    ASSERT_TRUE(edit && next);
    // "あ" put in as a whole (across processes a lead byte cannot go alone),
    // then "x" typed at the end.
    SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("\x82\xA0"));
    SendMessageA(edit, EM_SETSEL, 2, 2);
    SendMessageA(edit, WM_CHAR, 'x', 1);
    char typed[32] = {};
    SendMessageA(combo, WM_GETTEXT, sizeof typed, reinterpret_cast<LPARAM>(typed));
    EXPECT_EQ(std::string(typed), "\x82\xA0x");
    EXPECT_TRUE(IsWindowEnabled(next));
    PostMessageA(next, BM_CLICK, 0, 0);
    EXPECT_TRUE(v.WaitFor([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }));
    EXPECT_TRUE(v.WaitFor([&] { return Selection(v.Editor()) == std::make_pair(DWORD(4), DWORD(7)); }))
        << Selection(v.Editor()).first << "-" << Selection(v.Editor()).second
        << (v.FindDialog() ? v.DialogText(v.FindDialog()) : std::string());
    // The next one by F3, with what the dialog stored.
    v.Keys({VK_F3});
    EXPECT_TRUE(v.WaitFor([&] { return Selection(v.Editor()) == std::make_pair(DWORD(12), DWORD(15)); }));
    EXPECT_TRUE(v.Close());
}

// Hundreds of matches, far more than the undo depth, in a text without a
// final line break: one Ctrl+Z gives back the text byte for byte with
// nothing left to undo, one Ctrl+Y the replaced text again.
TEST_F(Search, OneUndoTakesBackAWholeReplaceAll)
{
    std::string text;
    for (int i = 0; i < 150; ++i) text += "line " + std::to_string(i) + ": abc \x82\xA0 abc\r\n";
    text += "abc";
    const std::string doc = dir_.File("doc.txt");
    ASSERT_TRUE(WriteFileBytes(doc, text));
    TVellumo v;
    ASSERT_TRUE(Launch(v, Quoted(doc)));
    ASSERT_TRUE(v.Sync());
    const std::string replaced = ReplacedAll(text, "abc", "\x83\x41Z");
    ASSERT_TRUE(ReplaceAll(v, "abc", "\x83\x41Z", false));
    ASSERT_TRUE(v.WaitFor([&] { return v.Text() == replaced; })) << v.Text().substr(0, 200);
    ASSERT_TRUE(v.Sync());
    EXPECT_TRUE(CanUndo(v.Editor()));
    v.Keys({VK_CONTROL, 'Z'});
    ASSERT_TRUE(v.WaitFor([&] { return v.Text() == text; })) << v.Text().substr(0, 200);
    EXPECT_FALSE(CanUndo(v.Editor()));
    EXPECT_TRUE(v.Modified());
    v.Keys({VK_CONTROL, 'Y'});
    ASSERT_TRUE(v.WaitFor([&] { return v.Text() == replaced; })) << v.Text().substr(0, 200);
    EXPECT_TRUE(CanUndo(v.Editor()));
    v.Kill();  // modified: closing would ask to save
}

// With the question, answered "はい(&Y)", "いいえ(&N)", then "すべて(&A)":
// the replace-all is still one change.
TEST_F(Search, AReplaceAllWithQuestionsIsOneChange)
{
    std::string text;
    for (int i = 0; i < 100; ++i) text += "abc " + std::to_string(i) + "\r\n";
    const std::string doc = dir_.File("doc.txt");
    ASSERT_TRUE(WriteFileBytes(doc, text));
    TVellumo v;
    ASSERT_TRUE(Launch(v, Quoted(doc)));
    ASSERT_TRUE(v.Sync());
    ASSERT_TRUE(ReplaceAll(v, "abc", "x", true));
    // "はい(&Y)", "いいえ(&N)", "すべて(&A)"
    for (const char* answer : {"\x82\xCD\x82\xA2(&Y)", "\x82\xA2\x82\xA2\x82\xA6(&N)", "\x82\xB7\x82\xD7\x82\xC4(&A)"}) {
        HWND question = WaitForm(v, "\x8A\x6D\x94\x46");  // "確認"
        ASSERT_TRUE(question);
        HWND button = ChildOfClass(question, "BUTTON", answer);
        ASSERT_TRUE(button);
        PostMessageA(button, BM_CLICK, 0, 0);
        ASSERT_TRUE(v.WaitFor([&] { return !IsWindow(question) || !IsWindowVisible(question); }));
    }
    const std::string replaced = "x 0\r\nabc 1\r\n" + ReplacedAll(text.substr(14), "abc", "x");
    ASSERT_TRUE(v.WaitFor([&] { return v.Text() == replaced; })) << v.Text().substr(0, 200);
    ASSERT_TRUE(v.Sync());
    v.Keys({VK_CONTROL, 'Z'});
    ASSERT_TRUE(v.WaitFor([&] { return v.Text() == text; })) << v.Text().substr(0, 200);
    EXPECT_FALSE(CanUndo(v.Editor()));
    v.Kill();
}

} // namespace
} // namespace e2e
