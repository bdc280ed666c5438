// The File menu from outside: its shortcuts typed for real in a fresh
// instance (no menu opened since start-up), each in the document states a
// user meets, and save with a chosen code through the File menu's keys and
// the code dialog, the file compared with what nkf makes of the same text.
#include <windows.h>

#include <string>
#include <vector>

#include "e2e_support_win.h"

namespace e2e {
namespace {

class FileMenu : public TEndToEnd {
protected:
    // The visible window of the process with this caption (any class).
    static HWND WindowCaptioned(DWORD pid, const std::string& caption)
    {
        struct Find {
            DWORD pid;
            const std::string* caption;
            HWND found;
        } f{pid, &caption, nullptr};
        EnumWindows(
            [](HWND w, LPARAM p) -> BOOL {
                auto* f = reinterpret_cast<Find*>(p);
                DWORD owner = 0;
                GetWindowThreadProcessId(w, &owner);
                char text[128] = {};
                GetWindowTextA(w, text, sizeof text);
                if (owner != f->pid || !IsWindowVisible(w) || *f->caption != text) return TRUE;
                f->found = w;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&f));
        return f.found;
    }
    static std::string NkfFile(const std::string& name) { return BuildPath("e2e_nkf\\" + name); }
};

// What a shortcut did, seen from outside.
enum class TEffect { None, Saved, Closed, NewInstance, OpenDialog, SaveDialog, Question };

struct TShortcutCase {
    const char* what;
    std::vector<BYTE> keys;
    const char* args;  // switches before the file; "-": untitled
    bool modify;       // a character typed first
    TEffect effect;
};

TEST_F(FileMenu, ShortcutsTypedInAFreshInstanceActByTheDocumentsState)
{
    WriteSettings("[Option]\r\nWordWrap=1\r\nModifiedOnFileSave=1\r\n");
    const TShortcutCase cases[] = {
        {"Ctrl+N", {VK_CONTROL, 'N'}, "-", false, TEffect::NewInstance},
        {"Ctrl+O untitled", {VK_CONTROL, 'O'}, "-", false, TEffect::OpenDialog},
        {"Ctrl+O read-only", {VK_CONTROL, 'O'}, "/r", false, TEffect::OpenDialog},
        {"F5 named", {VK_F5}, "", false, TEffect::None},  // reloads: checked by the text below
        {"Ctrl+S modified", {VK_CONTROL, 'S'}, "", true, TEffect::Saved},
        {"Ctrl+S unchanged", {VK_CONTROL, 'S'}, "", false, TEffect::None},
        {"Ctrl+S read-only", {VK_CONTROL, 'S'}, "/r", false, TEffect::None},
        {"Ctrl+S locked", {VK_CONTROL, 'S'}, "/rl", false, TEffect::None},
        {"Ctrl+S untitled modified", {VK_CONTROL, 'S'}, "-", true, TEffect::SaveDialog},
        {"Ctrl+Shift+S locked", {VK_CONTROL, VK_SHIFT, 'S'}, "/rl", false, TEffect::SaveDialog},
        {"Ctrl+Alt+S modified", {VK_CONTROL, VK_MENU, 'S'}, "", true, TEffect::Question},
        {"Ctrl+Alt+S read-only", {VK_CONTROL, VK_MENU, 'S'}, "/r", false, TEffect::None},
        {"Ctrl+E modified", {VK_CONTROL, 'E'}, "", true, TEffect::Closed},
        {"Ctrl+E locked", {VK_CONTROL, 'E'}, "/rl", false, TEffect::None},
        {"Ctrl+W modified", {VK_CONTROL, 'W'}, "", true, TEffect::Question},
        {"Ctrl+W unchanged", {VK_CONTROL, 'W'}, "", false, TEffect::Closed},
    };
    int n = 0;
    for (const TShortcutCase& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string path = dir_.File("sc" + std::to_string(++n) + ".txt");
        ASSERT_TRUE(WriteFileBytes(path, "one\r\n"));
        AgeFile(path);
        const bool untitled = std::string(c.args) == "-";
        TVellumo v;
        ASSERT_TRUE(Launch(v, untitled ? std::string() : std::string(c.args) + (*c.args ? " " : "") + Quoted(path)));
        ASSERT_TRUE(v.Sync());
        if (c.modify) {
            v.PostChars("x");
            ASSERT_TRUE(v.Modified());
        }
        const bool reload = std::string(c.what) == "F5 named";
        if (reload) {
            ASSERT_TRUE(WriteFileBytes(path, "two\r\n"));
        }
        const auto others = WindowsOf(0, "TVellumoMainForm", true).size();
        const FILETIME before = WriteTime(path);
        v.Keys(c.keys);

        HWND dialog = nullptr;
        auto newInstance = [&] { return WindowsOf(0, "TVellumoMainForm", true).size() > others; };
        auto saved = [&] {
            const FILETIME now = WriteTime(path);
            return CompareFileTime(&before, &now) != 0;
        };
        switch (c.effect) {
        case TEffect::NewInstance: EXPECT_TRUE(v.WaitFor(newInstance)); break;
        case TEffect::OpenDialog:
        case TEffect::SaveDialog:
        case TEffect::Question:
            dialog = v.WaitDialog();
            ASSERT_NE(dialog, nullptr);
            if (c.effect == TEffect::Question) {
                EXPECT_NE(v.DialogText(dialog).find(c.modify && c.keys.back() == 'W' ? "変更" : "折り返し"),
                          std::string::npos)
                    << v.DialogText(dialog);
            } else {
                char title[64] = {};
                GetWindowTextA(dialog, title, sizeof title);
                EXPECT_EQ(std::string(title), c.effect == TEffect::OpenDialog ? "ファイルを開く" : "名前を付けて保存");
            }
            v.Answer(dialog, IDCANCEL);
            EXPECT_TRUE(v.WaitFor([&] { return !IsWindow(dialog); }));
            break;
        case TEffect::Saved: EXPECT_TRUE(v.WaitFor(saved)); break;
        case TEffect::Closed: EXPECT_TRUE(v.WaitExit()); break;
        case TEffect::None:
            // Nothing comes of the keys: a dialog would show within this bounded wait.
            dialog = v.WaitDialog(500);
            EXPECT_EQ(dialog, nullptr) << v.DialogText(dialog);
            EXPECT_TRUE(v.Sync());
            break;
        }
        if (c.effect != TEffect::Closed) {
            EXPECT_TRUE(v.Running());
            EXPECT_FALSE(saved() && c.effect != TEffect::Saved);
        }
        if (c.effect == TEffect::Closed && c.modify) {
            EXPECT_EQ(ReadFileBytes(path), "xone\r\n");
        }
        if (reload) {
            EXPECT_TRUE(v.WaitFor([&] { return v.Text() == "two\r\n"; }));
        }
        if (c.effect == TEffect::NewInstance) KillStrays();
        v.Kill();
    }
}

TEST_F(FileMenu, SaveWithAChosenCodeWritesWhatNkfMakesOfTheText)
{
    const std::string source = ReadFileBytes(NkfFile("source.txt"));
    ASSERT_FALSE(source.empty()) << "the nkf fixture made no files";
    const struct {
        const char* expected;
        int code, lineEnd;  // the dialog's items
    } cases[] = {
        {"utf8_lf.txt", 4, 2}, {"utf8n_crlf.txt", 5, 0}, {"unicode_cr.txt", 3, 1}, {"euc_lf.txt", 2, 2},
        {"sjis_cr.txt", 0, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        const std::string path = dir_.File(std::string("code_") + c.expected);
        ASSERT_TRUE(WriteFileBytes(path, source));
        AgeFile(path);
        TVellumo v;
        ASSERT_TRUE(Launch(v, Quoted(path)));
        ASSERT_TRUE(v.Sync());
        // The File menu by its key, then its item by its letter.
        v.Keys({VK_MENU, 'F'});
        ASSERT_NE(v.WaitMenu(), nullptr) << "no File menu";
        keybd_event('K', static_cast<BYTE>(MapVirtualKeyA('K', 0)), 0, 0);
        keybd_event('K', static_cast<BYTE>(MapVirtualKeyA('K', 0)), KEYEVENTF_KEYUP, 0);
        HWND dialog = nullptr;
        ASSERT_TRUE(v.WaitFor([&] { return (dialog = WindowCaptioned(v.ProcessId(), "文字/改行コード指定保存")) != nullptr; }));
        const std::vector<HWND> combos = ChildrenOfClass(dialog, "COMBOBOX");
        ASSERT_EQ(combos.size(), 2u);
        EXPECT_EQ(SendMessageA(combos[0], CB_GETCURSEL, 0, 0), 0);  // the file's own code and line end
        EXPECT_EQ(SendMessageA(combos[1], CB_GETCURSEL, 0, 0), 0);
        SendMessageA(combos[0], CB_SETCURSEL, static_cast<WPARAM>(c.code), 0);
        SendMessageA(combos[1], CB_SETCURSEL, static_cast<WPARAM>(c.lineEnd), 0);
        const FILETIME before = WriteTime(path);
        HWND ok = nullptr;
        for (HWND b : ChildrenOfClass(dialog, "BUTTON")) {
            char text[32] = {};
            GetWindowTextA(b, text, sizeof text);
            if (std::string(text) == "OK") ok = b;
        }
        ASSERT_NE(ok, nullptr);
        PostMessageA(ok, BM_CLICK, 0, 0);
        EXPECT_TRUE(v.WaitFor([&] {
            const FILETIME now = WriteTime(path);
            return CompareFileTime(&before, &now) != 0;
        }));
        ASSERT_TRUE(v.Sync());
        EXPECT_EQ(ReadFileBytes(path), ReadFileBytes(NkfFile(c.expected)));
        EXPECT_FALSE(v.Modified());
        EXPECT_TRUE(v.Close());
    }
}

} // namespace
} // namespace e2e
