// Typed keys reach the text after every box, dialog and busy state of the
// main window, and after it lost the activation and got it back: a disabled
// or reactivated form must hand the focus on to its editor.
#include <windows.h>

#include <cctype>
#include <thread>
#include <vector>

#include "e2e_support_win.h"

namespace e2e {
namespace {

class Focus : public TEndToEnd {
protected:
    // Types the lower-case letters one key at a time, for real, and waits
    // until the text holds them.
    static bool TypeWord(TVellumo& v, const std::string& word)
    {
        for (char c : word) v.Keys({static_cast<BYTE>(std::toupper(static_cast<unsigned char>(c)))});
        return v.WaitFor([&] { return v.Text().find(word) != std::string::npos; }, 5000);
    }
    static std::string FocusClass(HWND main)
    {
        GUITHREADINFO gi{};
        gi.cbSize = sizeof gi;
        char cls[64] = "<none>";
        if (GetGUIThreadInfo(GetWindowThreadProcessId(main, nullptr), &gi) && gi.hwndFocus)
            GetClassNameA(gi.hwndFocus, cls, sizeof cls);
        return cls;
    }
    // Ctrl+R, the two texts and the question box set, then "すべて置換(&A)".
    static bool ReplaceAllByDialog(TVellumo& v, const char* find, const char* with, bool confirm)
    {
        v.Keys({VK_CONTROL, 'R'});
        HWND dialog = WaitForm(v, "\x92\x75\x8A\xB7");  // "置換"
        if (!dialog || !v.Sync()) return false;
        const std::vector<HWND> combos = ChildrenOfClass(dialog, "COMBOBOX");
        HWND ask = ChildOfClass(dialog, "BUTTON", "\x92\x75\x8A\xB7\x93\xAE\x8D\xEC\x82\xCC\x8A\x6D\x94\x46(&P)");  // "置換動作の確認(&P)"
        HWND all = ChildOfClass(dialog, "BUTTON", "\x82\xB7\x82\xD7\x82\xC4\x92\x75\x8A\xB7(&A)");        // "すべて置換(&A)"
        if (combos.size() < 2 || !ask || !all) return false;
        DWORD_PTR r = 0;
        SendMessageTimeoutA(combos[0], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(find), SMTO_ABORTIFHUNG, 5000, &r);
        SendMessageTimeoutA(combos[1], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(with), SMTO_ABORTIFHUNG, 5000, &r);
        // Clicked, as a user would, so that the dialog sees the change.
        auto checked = [ask] { return SendMessageA(ask, BM_GETCHECK, 0, 0) == BST_CHECKED; };
        if (checked() != confirm) PostMessageA(ask, BM_CLICK, 0, 0);
        if (!v.WaitFor([&] { return checked() == confirm; }, 3000)) return false;
        PostMessageA(all, BM_CLICK, 0, 0);
        return true;
    }
};

TEST_F(Focus, KeysReachTheTextAfterReplaceAll)
{
    const std::string doc = dir_.File("doc.txt");
    ASSERT_TRUE(WriteFileBytes(doc, "abc abc abc\r\n"));
    TVellumo v;
    ASSERT_TRUE(Launch(v, Quoted(doc)));
    ASSERT_TRUE(v.Sync());
    ASSERT_TRUE(TypeWord(v, "k")) << "typing does not work at all: " << FocusClass(v.MainWindow());

    // Without questions: the form is disabled behind the progress window.
    ASSERT_TRUE(ReplaceAllByDialog(v, "abc", "XY", false));
    ASSERT_TRUE(v.WaitFor([&] { return v.Text() == "kXY XY XY\r\n"; })) << v.Text();
    v.Sync();
    EXPECT_TRUE(TypeWord(v, "q")) << v.Text() << " focus: " << FocusClass(v.MainWindow());

    // With the question, answered "すべて(&A)" at the first match.
    ASSERT_TRUE(ReplaceAllByDialog(v, "XY", "MN", true));
    HWND question = WaitForm(v, "\x8A\x6D\x94\x46");  // "確認"
    ASSERT_TRUE(question);
    HWND all = ChildOfClass(question, "BUTTON", "\x82\xB7\x82\xD7\x82\xC4(&A)");  // "すべて(&A)"
    ASSERT_TRUE(all);
    PostMessageA(all, BM_CLICK, 0, 0);
    ASSERT_TRUE(v.WaitFor([&] { return v.Text().find("XY") == std::string::npos; })) << v.Text();
    v.Sync();
    EXPECT_TRUE(TypeWord(v, "w")) << v.Text() << " focus: " << FocusClass(v.MainWindow());
}

TEST_F(Focus, KeysReachTheTextAfterAnsweredQuestions)
{
    WriteSettings("[Option]\r\nWordWrap=1\r\n");  // the wrap-reflecting save needs it
    const std::string doc = dir_.File("doc.txt");
    ASSERT_TRUE(WriteFileBytes(doc, "abc\r\n"));
    TVellumo v;
    ASSERT_TRUE(Launch(v, Quoted(doc)));
    ASSERT_TRUE(v.Sync());
    ASSERT_TRUE(TypeWord(v, "k"));  // modified: closing and reloading ask

    struct TCase {
        const char* what;
        std::vector<BYTE> keys;  // empty: a close request
        int answer;
        const char* typed;
    };
    const TCase cases[] = {
        {"close, Cancel", {}, IDCANCEL, "q"},
        {"reload, No", {VK_F5}, IDNO, "w"},
        {"wrap-reflecting save, OK", {VK_CONTROL, VK_MENU, 'S'}, IDOK, "e"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.keys.empty())
            PostMessageA(v.MainWindow(), WM_CLOSE, 0, 0);
        else
            v.Keys(c.keys);
        HWND box = v.WaitDialog();
        ASSERT_TRUE(box);
        TVellumo::Answer(box, c.answer);
        ASSERT_TRUE(v.WaitFor([&] { return !IsWindow(box); }));
        ASSERT_TRUE(v.Sync());
        EXPECT_TRUE(TypeWord(v, c.typed)) << v.Text() << " focus: " << FocusClass(v.MainWindow());
    }
    // The save wrote what was typed before it.
    EXPECT_EQ(ReadFileBytes(doc), "kqwabc\r\n");
    EXPECT_EQ(v.Text(), "kqweabc\r\n");
}

TEST_F(Focus, ReactivationGivesTheKeysToTheEditorThatHadThem)
{
    const std::string doc = dir_.File("doc.txt");
    ASSERT_TRUE(WriteFileBytes(doc, "abc\r\ndef"));
    TVellumo v;
    ASSERT_TRUE(Launch(v, Quoted(doc)));
    ASSERT_TRUE(v.Sync());
    // A window of another thread takes the activation (its thread answers
    // the messages activation sends); typing brings the program forward again.
    TOtherWindow other;
    ASSERT_TRUE(other.Handle());
    auto away = [&] {
        SetForegroundWindow(other.Handle());
        return v.WaitFor([&] { return GetForegroundWindow() == other.Handle(); }, 3000) && v.Sync();
    };
    ASSERT_TRUE(away());
    EXPECT_TRUE(TypeWord(v, "q")) << v.Text() << " focus: " << FocusClass(v.MainWindow());

    // Split: the upper pane has the keys, its caret at the end; the lower
    // pane's caret stays at the start. Back from elsewhere, the upper pane
    // still has them.
    v.Keys({VK_CONTROL, VK_F5});
    ASSERT_TRUE(v.WaitFor([&] { return ChildrenOfClass(v.MainWindow(), "TEditor").size() == 2; }));
    v.Sync();
    v.Keys({VK_CONTROL, VK_END});
    ASSERT_TRUE(TypeWord(v, "z"));
    const std::string split = v.Text();
    ASSERT_EQ(split.back(), 'z');
    ASSERT_TRUE(away());
    EXPECT_TRUE(TypeWord(v, "y")) << v.Text();
    EXPECT_EQ(v.Text(), split + "y");
}

} // namespace
} // namespace e2e
