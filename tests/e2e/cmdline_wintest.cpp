// The command line of the running program: switches, missing files,
// folders and several files.
#include <windows.h>

#include <algorithm>

#include "e2e_support_win.h"

namespace e2e {
namespace {

class CommandLine : public TEndToEnd {
protected:
    std::string Sample(const std::string& name, TCode code = TCode::Sjis, TEnd end = TEnd::CrLf)
    {
        const std::string path = dir_.File(name);
        EXPECT_TRUE(WriteFileBytes(path, Encode(WithLineEnd(SampleText(true), end), code)));
        AgeFile(path);
        return path;
    }
};

TEST_F(CommandLine, CodeAndLineEndSwitches)
{
    const std::string text = SampleText(true);
    const struct {
        const char* args;
        TCode file;
        TEnd fileEnd;
        std::string wantText;  // empty: the sample
        TCode saved;
        TEnd savedEnd;
    } cases[] = {
        // A forced code wins over detection, also for a file of another code.
        {"/cu8n", TCode::Utf8N, TEnd::CrLf, "", TCode::Utf8N, TEnd::CrLf},
        {"/cs", TCode::Utf8N, TEnd::CrLf, Encode(text, TCode::Utf8N), TCode::Sjis, TEnd::CrLf},
        {"/cs /cu8n", TCode::Sjis, TEnd::CrLf, "", TCode::Sjis, TEnd::CrLf},
        {"/ce", TCode::Euc, TEnd::CrLf, "", TCode::Euc, TEnd::CrLf},
        // The command line's line end holds over the detected one.
        {"/el", TCode::Sjis, TEnd::CrLf, "", TCode::Sjis, TEnd::Lf},
        {"/EC", TCode::Sjis, TEnd::Lf, "", TCode::Sjis, TEnd::Cr},
        {"/ecl /el", TCode::Utf8, TEnd::Cr, "", TCode::Utf8, TEnd::CrLf},
    };
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args);
        const std::string path = Sample("code" + std::to_string(++n) + ".txt", c.file, c.fileEnd);
        TVellumo v;
        ASSERT_TRUE(Launch(v, std::string(c.args) + " " + Quoted(path)));
        const std::string want = c.wantText.empty() ? text : c.wantText;
        // Text read from another process passes through wide characters,
        // which would mangle the bytes of a wrongly forced code.
        if (c.wantText.empty()) {
            EXPECT_EQ(v.Text(), want);
        }
        ASSERT_TRUE(SaveByKeys(v, path));
        EXPECT_EQ(ReadFileBytes(path), Encode(WithLineEnd(want, c.savedEnd), c.saved));
        EXPECT_TRUE(v.Close());
    }
}

TEST_F(CommandLine, WrapReadOnlyAndJumps)
{
    WriteSettings("[Option]\r\nWordWrap=0\r\n");
    // One logical line of 100 bytes, then nine short ones.
    std::string text = std::string(100, 'a') + "\r\n";
    for (int i = 2; i <= 10; ++i) text += "line " + std::to_string(i) + "\r\n";
    const std::string path = dir_.File("long.txt");
    ASSERT_TRUE(WriteFileBytes(path, text));
    int unwrapped = 0;
    {
        TVellumo v;
        ASSERT_TRUE(Launch(v, Quoted(path)));
        unwrapped = v.RowCount();
        v.Kill();
    }
    const struct {
        const char* args;
        int extraRows;  // rows added by wrapping the long line
        int caretRow;   // -1: not checked
        bool typeable;
    } cases[] = {
        {"/wb=20", 4, 0, true},
        {"/WB=20", 4, 0, true},
        {"/wb=2x5", 3, 0, true},  // digits of the value only: 25
        {"/wb=1a2", 0, 0, true},  // 12 is out of range
        {"/wb=19", 0, 0, true},
        {"/wb=801", 0, 0, true},
        {"/wb=1a2 /wb=50", 0, 0, true},  // the first switch decides
        {"/j=3", 0, 2, true},
        {"/j=0 /jl=5", 0, 4, true},
        {"/j=3 /je", 0, 2, true},
        {"/je", 0, -2, true},
        {"/r", 0, 0, false},
        {"/rl", 0, 0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args);
        TVellumo v;
        ASSERT_TRUE(Launch(v, std::string(c.args) + " " + Quoted(path)));
        EXPECT_EQ(v.RowCount(), unwrapped + c.extraRows);
        // -2: the row after the last line break.
        EXPECT_EQ(v.CaretRow(), c.caretRow == -2 ? unwrapped : c.caretRow);
        v.PostChars("z");
        EXPECT_EQ(v.Text() != text, c.typeable);
        v.Kill();
    }
}

TEST_F(CommandLine, TabWidthMovesTheTextAfterATab)
{
    const std::string path = dir_.File("tab.txt");
    ASSERT_TRUE(WriteFileBytes(path, "\tX\r\n"));
    auto xOfX = [&](const std::string& args) {
        TVellumo v;
        if (!Launch(v, args + " " + Quoted(path))) return -1;
        DWORD_PTR r = 0;
        SendMessageTimeoutA(v.Editor(), EM_POSFROMCHAR, 1, 0, SMTO_ABORTIFHUNG, 5000, &r);
        v.Kill();
        return static_cast<int>(static_cast<short>(LOWORD(r)));
    };
    const int two = xOfX("/tab=2"), eight = xOfX("/tab=8"), ignored = xOfX("/tab=2 /tab=9");
    EXPECT_GT(eight, two);
    EXPECT_EQ(ignored, two) << "the first /tab= decides";
}

TEST_F(CommandLine, MissingFileIsOfferedForCreation)
{
    const std::string path = dir_.File("new file.txt");
    {
        TVellumo v;
        ASSERT_TRUE(v.Start(Quoted("/i=" + ini_) + " " + Quoted(path)));
        HWND box = v.WaitDialog();
        ASSERT_NE(box, nullptr);
        EXPECT_NE(TVellumo::DialogText(box).find("新規作成しますか"), std::string::npos);
        TVellumo::Answer(box, IDYES);
        ASSERT_NE(v.WaitMainWindow(), nullptr);
        EXPECT_EQ(v.FileName(), path);
        EXPECT_FALSE(FileExists(path));
        v.PostChars("new");
        ASSERT_TRUE(SaveByKeys(v, path));
        EXPECT_EQ(ReadFileBytes(path), "new");
        EXPECT_TRUE(v.Close());
    }
    {
        // Refusing ends the program without a window.
        TVellumo v;
        ASSERT_TRUE(v.Start(Quoted("/i=" + ini_) + " " + Quoted(dir_.File("refused.txt"))));
        HWND box = v.WaitDialog();
        ASSERT_NE(box, nullptr);
        TVellumo::Answer(box, IDNO);
        EXPECT_TRUE(v.WaitExit());
        EXPECT_TRUE(WindowsOf(v.ProcessId(), "TVellumoMainForm", true).empty());
    }
    {
        // A wildcard is never offered.
        TVellumo v;
        ASSERT_TRUE(Launch(v, Quoted(dir_.File("*.txt"))));
        EXPECT_EQ(v.FindDialog(), nullptr);
        EXPECT_EQ(v.FileName(), "");
        v.Kill();
    }
}

TEST_F(CommandLine, FolderArgumentOpensTheFileDialogThere)
{
    TVellumo v;
    ASSERT_TRUE(v.Start(Quoted("/i=" + ini_) + " " + Quoted(dir_.Path())));
    HWND dialog = v.WaitDialog();
    ASSERT_NE(dialog, nullptr);
    char title[256] = {};
    GetWindowTextA(dialog, title, sizeof title);
    EXPECT_STREQ(title, "ファイルを開く");
    TVellumo::Answer(dialog, IDCANCEL);
    EXPECT_TRUE(v.WaitExit());
}

TEST_F(CommandLine, TwoFilesGoToTwoNewProcesses)
{
    const std::string a = Sample("first.txt"), b = Sample("second.txt");
    TVellumo v;
    ASSERT_TRUE(v.Start(Quoted("/i=" + ini_) + " /r " + Quoted(a) + " " + Quoted(b)));
    EXPECT_TRUE(v.WaitExit(30000));
    EXPECT_TRUE(WindowsOf(v.ProcessId(), "TVellumoMainForm", false).empty());
    std::vector<std::string> names;
    const DWORD start = GetTickCount();
    while (names.size() < 2 && GetTickCount() - start < 20000) {
        names.clear();
        for (HWND w : WindowsOf(0, "TVellumoMainForm", true)) {
            HWND edit = FindWindowExA(w, nullptr, "TEdit", nullptr);
            char buf[MAX_PATH] = {};
            DWORD_PTR n = 0;
            if (edit) SendMessageTimeoutA(edit, WM_GETTEXT, sizeof buf, reinterpret_cast<LPARAM>(buf), SMTO_ABORTIFHUNG, 5000, &n);
            names.emplace_back(buf);
        }
        Sleep(50);
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{a, b}));
}

// A name the code page cannot hold, beside the file the system's own ANSI
// copy of the command line would name instead ("e.txt" for "é.txt"; "?",
// a wildcard matching "x.txt", for a Korean syllable): one message names it,
// the start ends there, and the near file is neither opened nor written.
TEST_F(CommandLine, ANameOutsideTheCodePageIsRefusedAndTheNearNameNeverUsed)
{
    const std::string twin = dir_.File("e.txt"), any = dir_.File("x.txt");
    ASSERT_TRUE(WriteFileBytes(twin, "twin\r\n"));
    ASSERT_TRUE(WriteFileBytes(any, "any\r\n"));
    AgeFile(twin);
    AgeFile(any);
    const FILETIME twinTime = WriteTime(twin), anyTime = WriteTime(any);
    const struct {
        const wchar_t* name;
        const char* shown;
    } cases[] = {{L"\u00E9.txt", "$00E9.txt"}, {L"\uD55C.txt", "$D55C.txt"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shown);
        const std::wstring path = Widened(dir_.Path()) + L"\\" + c.name;
        ASSERT_TRUE(WriteFileBytesW(path, "real\r\n"));
        TVellumo v;
        ASSERT_TRUE(v.StartWide(L"\"/i=" + Widened(ini_) + L"\" \"" + path + L"\""));
        HWND box = v.WaitDialog();
        ASSERT_NE(box, nullptr);
        const std::string text = TVellumo::DialogText(box);
        EXPECT_NE(text.find(dir_.Path() + "\\" + c.shown), std::string::npos) << text;
        EXPECT_TRUE(WindowsOf(v.ProcessId(), "TVellumoMainForm", true).empty());
        ASSERT_TRUE(TypeTo(box, {VK_RETURN}));
        // A second message would keep the process alive.
        EXPECT_TRUE(v.WaitExit());
    }
    EXPECT_EQ(ReadFileBytes(twin), "twin\r\n");
    EXPECT_EQ(ReadFileBytes(any), "any\r\n");
    const FILETIME twinNow = WriteTime(twin), anyNow = WriteTime(any);
    EXPECT_EQ(CompareFileTime(&twinTime, &twinNow), 0);
    EXPECT_EQ(CompareFileTime(&anyTime, &anyNow), 0);
}

} // namespace
} // namespace e2e
