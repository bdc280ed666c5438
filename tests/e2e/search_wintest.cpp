// Find-next across instances and the real find dialog, driven from
// outside: F3 in a fresh instance continues the last search of another
// (its text from the search history, its options from the settings file).
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
    // The first child of the class (and caption, when given), at any depth.
    static HWND Child(HWND parent, const char* cls, const char* caption = nullptr)
    {
        struct Find {
            const char *cls, *caption;
            HWND found;
        } f{cls, caption, nullptr};
        EnumChildWindows(
            parent,
            [](HWND w, LPARAM p) -> BOOL {
                auto* f = reinterpret_cast<Find*>(p);
                char buf[128] = {};
                GetClassNameA(w, buf, sizeof buf);
                if (lstrcmpiA(buf, f->cls) != 0) return TRUE;
                GetWindowTextA(w, buf, sizeof buf);
                if (f->caption && std::string(buf) != f->caption) return TRUE;
                f->found = w;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&f));
        return f.found;
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
    HWND combo = Child(dialog, "COMBOBOX");
    HWND edit = combo ? Child(combo, "EDIT") : nullptr;
    HWND next = Child(dialog, "BUTTON", "\x8E\x9F\x82\xF0\x8C\x9F\x8D\xF5(&N)"); // "次を検索(&N)"
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

} // namespace
} // namespace e2e
