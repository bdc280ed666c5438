// The program itself: started with a settings folder and a Japanese file, it
// shows the file, asks before closing on a change and saves it on Yes.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace {

struct TFound {
    DWORD Pid;
    HWND Window;
};

HWND FindMainWindow(DWORD pid)
{
    TFound f{pid, nullptr};
    EnumWindows(
        [](HWND w, LPARAM p) -> BOOL {
            auto* f = reinterpret_cast<TFound*>(p);
            DWORD owner = 0;
            GetWindowThreadProcessId(w, &owner);
            char cls[64] = {};
            GetClassNameA(w, cls, sizeof cls);
            if (owner == f->Pid && std::string(cls) == "TVellumoMainForm" && IsWindowVisible(w)) {
                f->Window = w;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&f));
    return f.Window;
}

// A-calls: the name is code page 932 bytes, as the program sees it.
bool WriteFileBytes(const std::string& name, const std::string& bytes)
{
    HANDLE h = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD n = 0;
    const bool ok = WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr) && n == bytes.size();
    CloseHandle(h);
    return ok;
}

std::string ReadFileBytes(const std::string& name)
{
    HANDLE h = CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return "<missing>";
    std::string out(1 << 16, '\0');
    DWORD n = 0;
    ReadFile(h, out.data(), static_cast<DWORD>(out.size()), &n, nullptr);
    CloseHandle(h);
    out.resize(n);
    return out;
}

HWND FindDialogOf(DWORD pid)
{
    TFound f{pid, nullptr};
    EnumWindows(
        [](HWND w, LPARAM p) -> BOOL {
            auto* f = reinterpret_cast<TFound*>(p);
            DWORD owner = 0;
            GetWindowThreadProcessId(w, &owner);
            char cls[64] = {};
            GetClassNameA(w, cls, sizeof cls);
            if (owner == f->Pid && std::string(cls) == "#32770" && IsWindowVisible(w)) {
                f->Window = w;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&f));
    return f.Window;
}

fs::path ProgramPath()
{
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    return fs::path(self).parent_path().parent_path().parent_path() / "src" / "app" / "vellumo.exe";
}

TEST(Program, StartsOnAJapaneseFileAndEndsOnClose)
{
    const fs::path folder = fs::temp_directory_path() / "vellumo_program_test";
    fs::remove_all(folder);
    fs::create_directories(folder / "settings");
    const std::string file = folder.string() + "\\\x93\xfa\x96\x7b.txt";  // 日本.txt
    const std::string text = "\x82\xa0\x82\xa2\x82\xa4\r\n\x95\x5c\x8e\xa6\r\n";  // あいう / 表示 (5C trail)
    ASSERT_TRUE(WriteFileBytes(file, text));
    // With "keep the last placement" the window's place is written when it goes.
    const std::string ini = (folder / "settings" / "vellumo.ini").string();
    ASSERT_TRUE(WriteFileBytes(ini, "[Option]\r\nStartWindow=1\r\n"));
    ASSERT_TRUE(fs::exists(ProgramPath())) << ProgramPath().string();

    std::string cmd = "\"" + ProgramPath().string() + "\" \"/i=" + (folder / "settings").string() + "\" \"" + file + "\"";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    ASSERT_TRUE(CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    HWND w = nullptr;
    for (int i = 0; i < 150 && !w; ++i) {
        Sleep(100);
        w = FindMainWindow(pi.dwProcessId);
    }
    ASSERT_NE(w, nullptr) << "no main window";
    // The file's name reaches the caption and the hidden edit other instances read.
    char caption[512] = {};
    GetWindowTextA(w, caption, sizeof caption);
    EXPECT_NE(std::string(caption).find("\x93\xfa\x96\x7b.txt"), std::string::npos) << caption;
    HWND edit = FindWindowExA(w, nullptr, "TEdit", nullptr);
    ASSERT_NE(edit, nullptr);
    char name[MAX_PATH] = {};
    DWORD_PTR len = 0;
    SendMessageTimeoutA(edit, WM_GETTEXT, MAX_PATH, reinterpret_cast<LPARAM>(name), SMTO_ABORTIFHUNG, 5000, &len);
    EXPECT_EQ(std::string(name), file);

    // A typed change: closing asks, and Yes saves it before the program ends.
    HWND editor = FindWindowExA(w, nullptr, "TEditor", nullptr);
    ASSERT_NE(editor, nullptr);
    PostMessageA(editor, WM_CHAR, 'x', 0);
    PostMessageA(w, WM_CLOSE, 0, 0);
    HWND question = nullptr;
    for (int i = 0; i < 100 && !question; ++i) {
        Sleep(100);
        question = FindDialogOf(pi.dwProcessId);
    }
    ASSERT_NE(question, nullptr) << "no question before closing";
    HWND yes = FindWindowExA(question, nullptr, "Button", "\x82\xcd\x82\xa2(&Y)");  // はい(&Y)
    ASSERT_NE(yes, nullptr);
    PostMessageA(yes, BM_CLICK, 0, 0);
    EXPECT_EQ(WaitForSingleObject(pi.hProcess, 10000), WAIT_OBJECT_0);
    DWORD code = 1;
    GetExitCodeProcess(pi.hProcess, &code);
    EXPECT_EQ(code, 0u);
    if (code == STILL_ACTIVE) TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    EXPECT_EQ(ReadFileBytes(file), "x" + text);
    const std::string settings = ReadFileBytes(ini);
    EXPECT_NE(settings.find("[TVellumoMainForm]"), std::string::npos) << settings;
    EXPECT_NE(settings.find("WindowWidth="), std::string::npos) << settings;
    fs::remove_all(folder);
}

} // namespace
