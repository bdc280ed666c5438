// Printing with the program itself on the PostScript test printer: "/p"
// with and without a printer and with a read-only settings file, and the
// preview from the File menu worked by real keys and the mouse, printing
// from it.
#include <windows.h>

#include <string>

#include "e2e_support_win.h"
#include "support/testprinter.h"

namespace e2e {
namespace {

int PostScriptPages(const std::string& ps)
{
    int n = 0;
    for (std::size_t at = ps.find("%%Page: "); at != std::string::npos; at = ps.find("%%Page: ", at + 1)) ++n;
    return n;
}

std::string Lines(int n)
{
    std::string text;
    for (int i = 1; i <= n; ++i) text += "\x93\xFA\x96\x7B\x8C\xEA " + std::to_string(i) + "\r\n";  // 日本語
    return text;
}

HWND ChildCaptioned(HWND parent, const char* cls, const std::string& caption)
{
    for (HWND w : ChildrenOfClass(parent, cls)) {
        char text[128] = {};
        GetWindowTextA(w, text, sizeof text);
        if (caption == text) return w;
    }
    return nullptr;
}

HWND TopWindowCaptioned(DWORD pid, const char* cls, const std::string& caption)
{
    for (HWND w : WindowsOf(pid, cls, true)) {
        char text[128] = {};
        GetWindowTextA(w, text, sizeof text);
        if (caption == text) return w;
    }
    return nullptr;
}

// Real keys into a window of the program.
void TypeInto(HWND w, std::initializer_list<BYTE> chord)
{
    SetForegroundWindow(w);
    for (int i = 0; i < 100 && GetForegroundWindow() != w; ++i) Sleep(20);
    for (BYTE k : chord) keybd_event(k, static_cast<BYTE>(MapVirtualKeyA(k, 0)), 0, 0);
    for (auto it = std::rbegin(chord); it != std::rend(chord); ++it)
        keybd_event(*it, static_cast<BYTE>(MapVirtualKeyA(*it, 0)), KEYEVENTF_KEYUP, 0);
}

// A real left click at the middle of a window.
void ClickAt(HWND w)
{
    RECT r;
    GetWindowRect(w, &r);
    SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
}

class Printing : public TEndToEnd {
protected:
    void SetUp() override
    {
        TEndToEnd::SetUp();
        output_ = dir_.File("job.ps");
        std::string error;
        ASSERT_TRUE(vellumo::testing::AddTestPrinter(vellumo::testing::HostPathOf(output_), &error)) << error;
        doc_ = dir_.File("doc.txt");
        ASSERT_TRUE(WriteFileBytes(doc_, Lines(150)));
    }
    std::string Output()
    {
        for (int i = 0; i < 100; ++i) {
            const std::string s = ReadFileBytes(output_);
            if (s.find("%%EOF") != std::string::npos) return s;
            Sleep(100);
        }
        return ReadFileBytes(output_);
    }
    // Starts "/p" on the document; true when the program ended by itself
    // without its main window ever showing.
    bool PrintUnseen(TVellumo& v)
    {
        if (!v.Start(Quoted("/i=" + ini_) + " /p " + Quoted(doc_))) return false;
        bool shown = false;
        v.WaitFor([&] {
            shown = shown || !WindowsOf(v.ProcessId(), "TVellumoMainForm", true).empty();
            if (HWND box = v.FindDialog()) boxes_.push_back(TVellumo::DialogText(box)), TVellumo::Answer(box, IDOK);
            return !v.Running();
        }, 30000);
        return !v.Running() && !shown;
    }

    std::string output_, doc_;
    std::vector<std::string> boxes_;
};

TEST_F(Printing, CommandLinePrintsWithTheSavedSettingsAndLeavesNoWindow)
{
    WriteSettings("[Print]\r\nHeaderStr=%[ %F ]%\r\nColumnCount=2\r\nFontSize=40\r\n");
    TVellumo v;
    ASSERT_TRUE(PrintUnseen(v));
    EXPECT_TRUE(boxes_.empty());
    const std::string ps = Output();
    // 150 lines at 40 points in two columns: the defaults (12 points, one column) take three pages.
    EXPECT_GE(PostScriptPages(ps), 5);
    EXPECT_NE(ps.find("Vellumo"), std::string::npos);  // the job's title

    // A read-only settings file is only read: printing goes on quietly.
    DeleteFileA(output_.c_str());
    WriteSettings("[Print]\r\nColPitch=5\r\nFontSize=12\r\n");
    SetFileAttributesA((ini_ + "\\vellumo.ini").c_str(), FILE_ATTRIBUTE_READONLY);
    TVellumo again;
    ASSERT_TRUE(PrintUnseen(again));
    SetFileAttributesA((ini_ + "\\vellumo.ini").c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_TRUE(boxes_.empty());
    EXPECT_GE(PostScriptPages(Output()), 1);
    EXPECT_NE(ReadFileBytes(ini_ + "\\vellumo.ini").find("ColPitch=5"), std::string::npos);
}

TEST_F(Printing, CommandLineWithoutAPrinterSaysSoOnceAndEnds)
{
    ASSERT_TRUE(vellumo::testing::RemoveTestPrinter());
    TVellumo v;
    const bool ended = PrintUnseen(v);
    std::string error;
    vellumo::testing::AddTestPrinter(vellumo::testing::HostPathOf(output_), &error);
    ASSERT_TRUE(ended);
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_NE(boxes_[0].find("プリンタが見当たりません。"), std::string::npos);
    EXPECT_FALSE(FileExists(output_));
}

TEST_F(Printing, PreviewFromTheFileMenuByKeysAndMouseThenPrintFromIt)
{
    TVellumo v;
    ASSERT_TRUE(Launch(v, Quoted(doc_)));
    ASSERT_TRUE(v.Sync());
    const DWORD pid = v.ProcessId();
    auto openPreview = [&] {
        HWND preview = nullptr;
        for (int attempt = 0; attempt < 3 && !preview; ++attempt) {
            // The File menu by its key, once it takes keys its item by its letter.
            if (WindowsOf(pid, "#32768", true).empty()) v.Keys({VK_MENU, 'F'});
            if (!v.WaitMenu(3000)) continue;
            keybd_event('V', static_cast<BYTE>(MapVirtualKeyA('V', 0)), 0, 0);
            keybd_event('V', static_cast<BYTE>(MapVirtualKeyA('V', 0)), KEYEVENTF_KEYUP, 0);
            v.WaitFor([&] {
                const auto found = WindowsOf(pid, "TFormStrPreview", true);
                return (preview = found.empty() ? nullptr : found.front()) != nullptr;
            }, 8000);
        }
        return preview;
    };
    HWND preview = openPreview();
    ASSERT_NE(preview, nullptr);
    EXPECT_FALSE(IsWindowEnabled(v.MainWindow()));
    HWND back = ChildCaptioned(preview, "BUTTON", "<");
    HWND last = ChildCaptioned(preview, "BUTTON", ">>");
    HWND whole = ChildCaptioned(preview, "BUTTON", "ページ全体");
    HWND width = ChildCaptioned(preview, "BUTTON", "幅を基準");
    HWND actual = ChildCaptioned(preview, "BUTTON", "100%");
    ASSERT_TRUE(back && last && whole && width && actual);
    EXPECT_FALSE(IsWindowEnabled(back));
    EXPECT_FALSE(IsWindowEnabled(whole));
    TypeInto(preview, {VK_NEXT});
    EXPECT_TRUE(v.WaitFor([&] { return IsWindowEnabled(back) != FALSE; }));
    TypeInto(preview, {VK_CONTROL, VK_END});
    EXPECT_TRUE(v.WaitFor([&] { return !IsWindowEnabled(last); }));
    TypeInto(preview, {VK_CONTROL, VK_HOME});
    EXPECT_TRUE(v.WaitFor([&] { return !IsWindowEnabled(back); }));
    // The mouse: a click on the page turns to the page width, the button to 100 %.
    const auto boxes = ChildrenOfClass(preview, "TPreviewBox");
    ASSERT_EQ(boxes.size(), 1u);
    ClickAt(boxes[0]);
    EXPECT_TRUE(v.WaitFor([&] { return !IsWindowEnabled(width) && IsWindowEnabled(whole); }));
    ClickAt(actual);
    EXPECT_TRUE(v.WaitFor([&] { return !IsWindowEnabled(actual) && IsWindowEnabled(width); }));
    TypeInto(preview, {VK_ESCAPE});
    EXPECT_TRUE(v.WaitFor([&] { return WindowsOf(pid, "TFormStrPreview", true).empty(); }));
    EXPECT_TRUE(v.WaitFor([&] { return IsWindowEnabled(v.MainWindow()) != FALSE; }));

    // Printing asked for from the preview: the dialog comes once the preview is gone.
    preview = openPreview();
    ASSERT_NE(preview, nullptr);
    HWND print = ChildCaptioned(preview, "BUTTON", "印刷(&P)...");
    ASSERT_NE(print, nullptr);
    ClickAt(print);
    HWND dialog = nullptr;
    ASSERT_TRUE(v.WaitFor([&] { return (dialog = TopWindowCaptioned(pid, "TForm", "印刷")) != nullptr; }));
    EXPECT_TRUE(WindowsOf(pid, "TFormStrPreview", false).empty());
    HWND ok = ChildCaptioned(dialog, "BUTTON", "印刷(&P)");
    ASSERT_NE(ok, nullptr);
    ClickAt(ok);
    EXPECT_TRUE(v.WaitFor([&] { return TopWindowCaptioned(pid, "TForm", "印刷") == nullptr; }));
    EXPECT_GE(PostScriptPages(Output()), 2);
    EXPECT_TRUE(v.WaitFor([&] { return IsWindowEnabled(v.MainWindow()) != FALSE; }));
    EXPECT_TRUE(v.Close());
}

} // namespace
} // namespace e2e
