#pragma once
// Drives a running vellumo.exe from another process, as a user or another
// program would: windows found by class and process, text read with the
// edit-control messages, keys typed for real, message boxes answered.
#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

// The Windows path of the program under test.
std::string ProgramPath();

// A fresh folder under the temporary folder, removed with its files.
class TTempDir {
public:
    TTempDir();
    ~TTempDir();
    TTempDir(const TTempDir&) = delete;
    TTempDir& operator=(const TTempDir&) = delete;
    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "\\" + name; }

private:
    std::string path_;
};

std::string ReadFileBytes(const std::string& path);
bool WriteFileBytes(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);
// A symbolic link of the file system below Wine (Wine's own call makes
// none that the file system follows); false when it cannot be made.
bool MakeUnixSymlink(const std::string& target, const std::string& link);
// Sets the file's write time back a day, so that a save is seen by its time.
void AgeFile(const std::string& path);
FILETIME WriteTime(const std::string& path);
// A name the code page may not hold, in UTF-16: the ANSI path widened, and
// a file made under such a name.
std::wstring Widened(const std::string& ansi);
bool WriteFileBytesW(const std::wstring& path, const std::string& bytes);

class TVellumo {
public:
    TVellumo() = default;
    ~TVellumo();
    TVellumo(const TVellumo&) = delete;
    TVellumo& operator=(const TVellumo&) = delete;

    // Starts the program with the command-line tail (switches, quoted names).
    bool Start(const std::string& args);
    // The same with the tail in UTF-16, as a shell passes names the code page cannot hold.
    bool StartWide(const std::wstring& args);
    DWORD ProcessId() const { return pi_.dwProcessId; }

    // The visible main window of this process; null on time-out.
    HWND WaitMainWindow(DWORD ms = 20000);
    HWND MainWindow() const { return main_; }
    HWND Editor() const;
    // The hidden file-name edit of the main window.
    std::string FileName() const;
    std::string Text() const;
    bool Modified() const;
    // EM_LINEFROMCHAR(-1): the caret's row.
    int CaretRow() const;
    int RowCount() const;

    // Sends the bytes as characters (a double-byte character as lead then
    // trail), each handled before the next.
    void PostChars(const std::string& cp932);
    // Brings the window forward and types a chord for real (modifiers first).
    bool Keys(std::vector<BYTE> vkeys);
    // Waits until every message posted so far has been handled. Typed keys
    // come after posted messages: wait for their effect with WaitFor.
    bool Sync(DWORD ms = 10000) const;
    template <typename F>
    bool WaitFor(F done, DWORD ms = 10000) const
    {
        const DWORD start = GetTickCount();
        while (!done()) {
            if (GetTickCount() - start > ms) return false;
            Sleep(20);
        }
        return true;
    }

    // Nothing of the window or of its children is left to paint and the
    // program answers: a picture taken now shows what it drew.
    bool WaitPainted(HWND window, DWORD ms = 10000) const;
    // A pop-up menu of this process, shown and drawn, while the program
    // runs its menu loop (so the menu takes typed keys); null on time-out.
    HWND WaitMenu(DWORD ms = 10000) const;

    // A message box (or other dialog) of this process; null on time-out.
    HWND WaitDialog(DWORD ms = 10000) const;
    HWND FindDialog() const;
    static std::string DialogText(HWND dialog);
    static void Answer(HWND dialog, int id);

    bool Close(DWORD ms = 10000);
    bool WaitExit(DWORD ms = 10000);
    bool Running() const;
    DWORD ExitCode() const;
    void Kill();

private:
    PROCESS_INFORMATION pi_{};
    HWND main_ = nullptr;
};

// What a click on the window does: it comes to the top and is activated
// (activation alone raises nothing without a window manager).
void BringForward(HWND window);
// Brings a window (a message box, a dialog) forward and types a chord into it for real.
bool TypeTo(HWND window, const std::vector<BYTE>& vkeys);

// Runs every process of the program that is still alive down (a failed test
// must not leave windows behind for the next one).
void KillStrays();

// Top-level windows of a class that belong to the process.
std::vector<HWND> WindowsOf(DWORD pid, const char* className, bool visibleOnly);

// A window's text, asked without waiting on a hung program.
std::string WindowText(HWND w);
// The first child of the class (any case) with the caption, when one is given.
HWND ChildOfClass(HWND parent, const char* cls, const std::string& caption = {});
// A visible form of the program with the caption, once it shows.
HWND WaitForm(const TVellumo& v, const std::string& caption);

} // namespace e2e
