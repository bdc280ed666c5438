// Standard input as the untitled document, three ways: a pipe made here
// (fast, slow, aborted), a pipe from a Linux shell, and a file redirected by
// the command interpreter. The document must hold exactly the input.
#include <windows.h>

#include <cstdio>
#include <thread>

#include "e2e_support_win.h"

namespace e2e {
namespace {

constexpr DWORD kTimeout = 5000;

std::string Text(HWND w)
{
    DWORD_PTR len = 0;
    if (!SendMessageTimeoutA(w, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kTimeout, &len)) return "<hung>";
    std::string buf(len + 1, '\0');
    DWORD_PTR n = 0;
    SendMessageTimeoutA(w, WM_GETTEXT, buf.size(), reinterpret_cast<LPARAM>(buf.data()), SMTO_ABORTIFHUNG, 20000, &n);
    buf.resize(n);
    return buf;
}

bool WaitFor(DWORD ms, const auto& done)
{
    for (const DWORD start = GetTickCount(); !done(); Sleep(20))
        if (GetTickCount() - start > ms) return false;
    return true;
}

// A program started with a handle as its standard input, or by a command
// line that redirects it; its windows are found by class.
class TPiped {
public:
    ~TPiped()
    {
        if (!pi_.hProcess) return;
        if (WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(pi_.hProcess, 1);
        CloseHandle(pi_.hProcess);
        CloseHandle(pi_.hThread);
    }
    bool Start(std::string commandLine, HANDLE input)
    {
        STARTUPINFOA si{};
        si.cb = sizeof si;
        si.dwFlags = input ? STARTF_USESTDHANDLES : 0;
        si.hStdInput = input;
        return CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, input != nullptr, 0, nullptr, nullptr, &si,
                              &pi_);
    }
    // The visible main window of any process (a shell may have started it).
    HWND WaitMain()
    {
        WaitFor(20000, [&] {
            auto w = WindowsOf(0, "TVellumoMainForm", true);
            return (main_ = w.empty() ? nullptr : w.front()) != nullptr;
        });
        GetWindowThreadProcessId(main_, &pid_);
        return main_;
    }
    HWND Main() const { return main_; }
    HWND Editor() const { return FindWindowExA(main_, nullptr, "TEditor", nullptr); }
    std::string Text() const { return e2e::Text(Editor()); }
    HWND Of(const char* cls) const
    {
        auto w = WindowsOf(pid_, cls, true);
        return w.empty() ? nullptr : w.front();
    }
    HWND Progress() const { return Of("TFormVeloProgress"); }
    // The main window's thread answers within ms.
    bool Responsive(DWORD ms = 1000) const
    {
        DWORD_PTR r = 0;
        return SendMessageTimeoutA(main_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, ms, &r) != 0;
    }
    // Reading ended: no progress window and the form enabled again.
    bool WaitRead(DWORD ms = 30000) const
    {
        return WaitFor(ms, [&] { return !Progress() && IsWindowEnabled(main_) && Responsive(); });
    }

private:
    PROCESS_INFORMATION pi_{};
    HWND main_ = nullptr;
    DWORD pid_ = 0;
};

class StdInput : public TEndToEnd {
protected:
    std::string Program() const { return "\"" + ProgramPath() + "\" " + Quoted("/i=" + ini_); }

    // The program reading a pipe this test writes to; the write end stays open.
    bool StartPiped(TPiped& p, HANDLE& writeEnd)
    {
        SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
        HANDLE readEnd = nullptr;
        if (!CreatePipe(&readEnd, &writeEnd, &sa, 0)) return false;
        SetHandleInformation(writeEnd, HANDLE_FLAG_INHERIT, 0);
        const bool ok = p.Start(Program(), readEnd);
        CloseHandle(readEnd);
        return ok && p.WaitMain();
    }

    // The checks every way shares: the text, untitled, output mode, usable.
    void ExpectDocument(TPiped& p, const std::string& want)
    {
        ASSERT_TRUE(p.WaitRead());
        const std::string got = p.Text();
        EXPECT_EQ(got.size(), want.size());
        EXPECT_TRUE(got == want) << "first bytes: " << got.substr(0, 40);
        EXPECT_EQ(e2e::Text(FindWindowExA(p.Main(), nullptr, "TEdit", nullptr)), "");  // untitled
        EXPECT_NE(e2e::Text(p.Main()).find("<Output>"), std::string::npos);
        PostMessageA(p.Editor(), WM_CHAR, 'Q', 1);
        EXPECT_TRUE(WaitFor(kTimeout, [&] { return p.Text().find('Q') != std::string::npos; }));
        // Output mode counts no change: closing asks nothing.
        PostMessageA(p.Main(), WM_CLOSE, 0, 0);
        EXPECT_TRUE(WaitFor(10000, [&] { return !IsWindow(p.Main()); }));
    }
};

void WriteAll(HANDLE h, const std::string& s)
{
    DWORD n = 0;
    for (std::size_t at = 0; at < s.size(); at += n)
        if (!WriteFile(h, s.data() + at, static_cast<DWORD>(std::min<std::size_t>(s.size() - at, 1 << 16)), &n, nullptr))
            return;
}

TEST_F(StdInput, PipeFromThisProcessHoldsTheInputExactly)
{
    for (const std::string& input : {std::string(), std::string("one\r\ntwo"), std::string("one\r\ntwo\r\n")}) {
        SCOPED_TRACE(input);
        TPiped p;
        HANDLE w = nullptr;
        ASSERT_TRUE(StartPiped(p, w));
        WriteAll(w, input);
        CloseHandle(w);
        ExpectDocument(p, input);
    }
}

TEST_F(StdInput, TenMegabytesWithNulsAreKeptAsSpaces)
{
    std::string input;
    for (int i = 0; input.size() < 10 * 1024 * 1024; ++i)
        input += "行 " + std::to_string(i) + (i % 7 == 0 ? std::string("\0x\0", 3) : std::string("abc")) + "\r\n";
    std::string want = input;
    for (char& c : want)
        if (c == '\0') c = ' ';
    TPiped p;
    HANDLE w = nullptr;
    ASSERT_TRUE(StartPiped(p, w));
    const DWORD start = GetTickCount();
    std::thread writer([&] {
        WriteAll(w, input);
        CloseHandle(w);
    });
    HWND question = nullptr;
    WaitFor(120000, [&] { return (question = p.Of("#32770")) != nullptr; });
    writer.join();
    std::printf("10 MB read in %lu ms\n", static_cast<unsigned long>(GetTickCount() - start));
    ASSERT_NE(question, nullptr);
    EXPECT_NE(TVellumo::DialogText(question).find("Null文字"), std::string::npos);
    TVellumo::Answer(question, IDYES);
    ExpectDocument(p, want);
}

// A writer that pauses with the pipe open, then writes the rest, or is cut
// short by the abort button or by a close request (which closes nothing).
TEST_F(StdInput, SlowWriterFinishedAbortedOrClosed)
{
    for (const char* end : {"finish", "abort", "close"}) {
        SCOPED_TRACE(end);
        TPiped p;
        HANDLE w = nullptr;
        ASSERT_TRUE(StartPiped(p, w));
        WriteAll(w, "first\r\n");
        ASSERT_TRUE(WaitFor(kTimeout, [&] { return p.Progress() != nullptr; }));
        // Open and empty, the pipe must leave the program answering and
        // taking no input for as long as it lasts: looked at over a bounded time.
        for (int i = 0; i < 3; ++i) {
            Sleep(300);
            EXPECT_TRUE(p.Responsive(500));
            EXPECT_FALSE(IsWindowEnabled(p.Main()));
            EXPECT_NE(p.Progress(), nullptr);
        }
        std::string want = "first\r\n";
        if (end[0] == 'f') {
            WriteAll(w, "second");
            want += "second";
            CloseHandle(w);
        } else {
            if (end[0] == 'a')
                PostMessageA(FindWindowExA(p.Progress(), nullptr, "Button", nullptr), BM_CLICK, 0, 0);
            else
                PostMessageA(p.Main(), WM_CLOSE, 0, 0);
            ASSERT_TRUE(p.WaitRead(10000));
            EXPECT_TRUE(IsWindow(p.Main()));
            CloseHandle(w);
        }
        ExpectDocument(p, want);
    }
}

TEST_F(StdInput, RedirectedFileThroughTheCommandInterpreter)
{
    const std::string file = dir_.File("in.txt");
    ASSERT_TRUE(WriteFileBytes(file, "漢字\r\nfile end"));
    TPiped p;
    ASSERT_TRUE(p.Start("cmd.exe /c \"" + Program() + " < " + Quoted(file) + "\"", nullptr));
    ASSERT_NE(p.WaitMain(), nullptr);
    ExpectDocument(p, "漢字\r\nfile end");
}

// Under Wine such a pipe cannot be peeked: it is read with blocking reads,
// which an abort must get out of while the writer keeps the pipe open.
TEST_F(StdInput, PipeFromALinuxShellReadToItsEndOrAborted)
{
    const std::string unixDir = "/tmp/vellumo-e2e-pipe-" + std::to_string(GetCurrentProcessId());
    const std::string dir = "Z:" + unixDir;
    CreateDirectoryA(dir.c_str(), nullptr);
    ASSERT_TRUE(WriteFileBytes(dir + "\\in.txt", "from\r\nlinux"));
    for (bool abort : {false, true}) {
        SCOPED_TRACE(abort ? "abort" : "end");
        const std::string writer = abort ? "(cat " + unixDir + "/in.txt; sleep 8)" : "cat " + unixDir + "/in.txt";
        ASSERT_TRUE(WriteFileBytes(dir + "\\run.sh", writer + " | '" VELLUMO_WINE "' '" VELLUMO_EXE "' '/i=" + ini_ +
                                                          "' >/dev/null 2>&1\n"));
        TPiped p;
        ASSERT_TRUE(p.Start("start.exe /unix /bin/sh " + unixDir + "/run.sh", nullptr));
        ASSERT_NE(p.WaitMain(), nullptr);
        if (abort) {
            // Aborted once the input is in and the reader waits for more.
            ASSERT_TRUE(WaitFor(kTimeout, [&] {
                const HWND label = p.Progress() ? FindWindowExA(p.Progress(), nullptr, "Static", nullptr) : nullptr;
                return label && e2e::Text(label).find(" 11 バイト") != std::string::npos;
            })) << "the progress never showed the 11 bytes";
            PostMessageA(FindWindowExA(p.Progress(), nullptr, "Button", nullptr), BM_CLICK, 0, 0);
        }
        ExpectDocument(p, "from\r\nlinux");
    }
    DeleteFileA((dir + "\\in.txt").c_str());
    DeleteFileA((dir + "\\run.sh").c_str());
    RemoveDirectoryA(dir.c_str());
}

} // namespace
} // namespace e2e
