#include "driver_win.h"

#include <tlhelp32.h>

namespace e2e {

namespace {

constexpr UINT kTimeout = 5000;

bool Wait(DWORD ms, const auto& done)
{
    const DWORD start = GetTickCount();
    for (;;) {
        if (done()) return true;
        if (GetTickCount() - start > ms) return false;
        Sleep(20);
    }
}

std::string ClassOf(HWND w)
{
    char cls[256] = {};
    GetClassNameA(w, cls, sizeof cls);
    return cls;
}

} // namespace

std::string WindowText(HWND w)
{
    char buf[4096] = {};
    DWORD_PTR n = 0;
    if (!SendMessageTimeoutA(w, WM_GETTEXT, sizeof buf, reinterpret_cast<LPARAM>(buf), SMTO_ABORTIFHUNG, kTimeout, &n))
        return {};
    return std::string(buf, n);
}

HWND ChildOfClass(HWND parent, const char* cls, const std::string& caption)
{
    struct Find {
        const char* cls;
        const std::string& caption;
        HWND found;
    } f{cls, caption, nullptr};
    EnumChildWindows(
        parent,
        [](HWND w, LPARAM p) -> BOOL {
            auto* f = reinterpret_cast<Find*>(p);
            if (lstrcmpiA(ClassOf(w).c_str(), f->cls) != 0 || (!f->caption.empty() && WindowText(w) != f->caption))
                return TRUE;
            f->found = w;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&f));
    return f.found;
}

std::string ProgramPath()
{
    std::string unix = VELLUMO_EXE;
    for (char& c : unix)
        if (c == '/') c = '\\';
    return "Z:" + unix;
}

TTempDir::TTempDir()
{
    char tmp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, tmp);
    static int serial = 0;
    for (;;) {
        path_ = std::string(tmp) + "vellumo-e2e-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++serial);
        if (CreateDirectoryA(path_.c_str(), nullptr)) break;
    }
}

static void RemoveTree(const std::string& dir)
{
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((dir + "\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = fd.cFileName;
            if (name == "." || name == "..") continue;
            const std::string p = dir + "\\" + name;
            SetFileAttributesA(p.c_str(), FILE_ATTRIBUTE_NORMAL);
            if ((fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !(fd.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
                RemoveTree(p);
            else if (!DeleteFileA(p.c_str()))
                RemoveDirectoryA(p.c_str());
        } while (FindNextFileA(h, &fd));
        FindClose(h);
    }
    RemoveDirectoryA(dir.c_str());
}

TTempDir::~TTempDir() { RemoveTree(path_); }

std::string ReadFileBytes(const std::string& path)
{
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return "<missing>";
    std::string out;
    char buf[65536];
    DWORD n = 0;
    while (ReadFile(h, buf, sizeof buf, &n, nullptr) && n > 0) out.append(buf, n);
    CloseHandle(h);
    return out;
}

bool WriteFileBytes(const std::string& path, const std::string& bytes)
{
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD n = 0;
    const bool ok = WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr) && n == bytes.size();
    CloseHandle(h);
    return ok;
}

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

FILETIME WriteTime(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA d{};
    GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &d);
    return d.ftLastWriteTime;
}

static std::string UnixPath(const std::string& path)
{
    using ToUnix = char*(__cdecl*)(LPCWSTR);
    auto toUnix = reinterpret_cast<ToUnix>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!toUnix) return {};
    wchar_t wide[MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
    char* unix = toUnix(wide);
    if (!unix) return {};
    std::string out = unix;
    HeapFree(GetProcessHeap(), 0, unix);
    return out;
}

bool MakeUnixSymlink(const std::string& target, const std::string& link)
{
    const std::string t = UnixPath(target), l = UnixPath(link);
    if (t.empty() || l.empty()) return false;
    std::string cmd = "cmd.exe /c start /wait /unix /bin/ln -s \"" + t + "\" \"" + l + "\"";
    std::vector<char> line(cmd.begin(), cmd.end());
    line.push_back('\0');
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &si, &pi))
        return false;
    WaitForSingleObject(pi.hProcess, 10000);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    for (int i = 0; i < 50 && !FileExists(link); ++i) Sleep(20);
    return FileExists(link);
}

void AgeFile(const std::string& path)
{
    HANDLE h = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) return;
    FILETIME ft = WriteTime(path);
    ULARGE_INTEGER u{{ft.dwLowDateTime, ft.dwHighDateTime}};
    u.QuadPart -= 864000000000ULL;  // one day
    ft.dwLowDateTime = u.LowPart;
    ft.dwHighDateTime = u.HighPart;
    SetFileTime(h, nullptr, nullptr, &ft);
    CloseHandle(h);
}

std::vector<HWND> WindowsOf(DWORD pid, const char* className, bool visibleOnly)
{
    struct Find {
        DWORD pid;
        const char* cls;
        bool visible;
        std::vector<HWND> found;
    } f{pid, className, visibleOnly, {}};
    EnumWindows(
        [](HWND w, LPARAM p) -> BOOL {
            auto* f = reinterpret_cast<Find*>(p);
            DWORD owner = 0;
            GetWindowThreadProcessId(w, &owner);
            if ((f->pid == 0 || owner == f->pid) && ClassOf(w) == f->cls && (!f->visible || IsWindowVisible(w)))
                f->found.push_back(w);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&f));
    return f.found;
}

HWND WaitForm(const TVellumo& v, const std::string& caption)
{
    HWND found = nullptr;
    v.WaitFor([&] {
        for (HWND w : WindowsOf(v.ProcessId(), "TForm", true))
            if (WindowText(w) == caption) found = w;
        return found != nullptr;
    });
    return found;
}

TVellumo::~TVellumo()
{
    if (pi_.hProcess) {
        if (Running()) Kill();
        CloseHandle(pi_.hProcess);
        CloseHandle(pi_.hThread);
    }
}

bool TVellumo::Start(const std::string& args)
{
    std::string cmd = "\"" + ProgramPath() + "\"" + (args.empty() ? "" : " " + args);
    STARTUPINFOA si{};
    si.cb = sizeof si;
    std::vector<char> line(cmd.begin(), cmd.end());
    line.push_back('\0');
    main_ = nullptr;
    return CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi_) != 0;
}

bool TVellumo::StartWide(const std::wstring& args)
{
    std::wstring cmd = L"\"" + Widened(ProgramPath()) + L"\"" + (args.empty() ? L"" : L" " + args);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    std::vector<wchar_t> line(cmd.begin(), cmd.end());
    line.push_back(L'\0');
    main_ = nullptr;
    return CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi_) != 0;
}

std::wstring Widened(const std::string& ansi)
{
    std::wstring out(ansi.size() + 1, L'\0');
    const int n = MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), out.data(),
                                      static_cast<int>(out.size()));
    out.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    return out;
}

bool WriteFileBytesW(const std::wstring& path, const std::string& bytes)
{
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD n = 0;
    const bool ok = WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr) && n == bytes.size();
    CloseHandle(h);
    return ok;
}

HWND TVellumo::WaitMainWindow(DWORD ms)
{
    Wait(ms, [&] {
        auto w = WindowsOf(pi_.dwProcessId, "TVellumoMainForm", true);
        if (!w.empty()) main_ = w.front();
        return main_ != nullptr || !Running();
    });
    if (main_) Sync();
    return main_;
}

HWND TVellumo::Editor() const { return main_ ? ChildOfClass(main_, "TEditor") : nullptr; }

std::string TVellumo::FileName() const
{
    HWND e = main_ ? ChildOfClass(main_, "TEdit") : nullptr;
    return e ? WindowText(e) : std::string("<no edit>");
}

std::string TVellumo::Text() const
{
    HWND e = Editor();
    if (!e) return "<no editor>";
    DWORD_PTR len = 0;
    SendMessageTimeoutA(e, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kTimeout, &len);
    // The text crosses the process boundary through a wide-character copy,
    // whose length in bytes may differ: room for the worst case.
    std::string buf(len * 2 + 16, '\0');
    DWORD_PTR n = 0;
    SendMessageTimeoutA(e, WM_GETTEXT, buf.size(), reinterpret_cast<LPARAM>(buf.data()), SMTO_ABORTIFHUNG, kTimeout,
                        &n);
    buf.resize(n);
    return buf;
}

static LRESULT Ask(HWND w, UINT msg, WPARAM wp = 0, LPARAM lp = 0)
{
    DWORD_PTR r = 0;
    SendMessageTimeoutA(w, msg, wp, lp, SMTO_ABORTIFHUNG, kTimeout, &r);
    return static_cast<LRESULT>(r);
}

bool TVellumo::Modified() const { return Ask(Editor(), EM_GETMODIFY) != 0; }
int TVellumo::CaretRow() const { return static_cast<int>(Ask(Editor(), EM_LINEFROMCHAR, static_cast<WPARAM>(-1))); }
int TVellumo::RowCount() const { return static_cast<int>(Ask(Editor(), EM_GETLINECOUNT)); }

void TVellumo::PostChars(const std::string& cp932)
{
    HWND e = Editor();
    // Sent, not posted: a sent WM_NULL is handled before posted messages,
    // so a sync after posting could return with characters still queued.
    // The editor takes a sent lead byte's trail from the next message.
    for (unsigned char c : cp932) {
        DWORD_PTR r = 0;
        SendMessageTimeoutA(e, WM_CHAR, c, 1, SMTO_ABORTIFHUNG, kTimeout, &r);
    }
}

void BringForward(HWND window)
{
    // Asynchronous, as the window may belong to a program that hung; done
    // before the activation all the same, both going to the window's thread.
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
    SetForegroundWindow(window);
}

bool TVellumo::Keys(std::vector<BYTE> vkeys)
{
    if (!main_) return false;
    const bool switched = GetForegroundWindow() != main_;
    // Without a window manager, the window system's late word that the
    // program lost its focus (from the switch away) can hand the activation
    // to the desktop just after this switch back: look again, switch again.
    for (int tries = 0; tries < 3; ++tries) {
        BringForward(main_);
        Wait(2000, [&] { return GetForegroundWindow() == main_; });
        // The program takes the focus while it handles its activation: let
        // it finish, or under load the first key reaches no window.
        Sync();
        if (!switched) break;
        Sleep(100);
        Sync();
        if (GetForegroundWindow() != GetDesktopWindow()) break;
    }
    for (BYTE k : vkeys) keybd_event(k, static_cast<BYTE>(MapVirtualKeyA(k, 0)), 0, 0);
    for (auto it = vkeys.rbegin(); it != vkeys.rend(); ++it)
        keybd_event(*it, static_cast<BYTE>(MapVirtualKeyA(*it, 0)), KEYEVENTF_KEYUP, 0);
    return true;
}

bool TypeTo(HWND window, const std::vector<BYTE>& vkeys)
{
    for (int tries = 0; tries < 3 && GetForegroundWindow() != window; ++tries) {
        BringForward(window);
        Wait(2000, [&] { return GetForegroundWindow() == window; });
    }
    if (GetForegroundWindow() != window) return false;
    for (BYTE k : vkeys) keybd_event(k, static_cast<BYTE>(MapVirtualKeyA(k, 0)), 0, 0);
    for (auto it = vkeys.rbegin(); it != vkeys.rend(); ++it)
        keybd_event(*it, static_cast<BYTE>(MapVirtualKeyA(*it, 0)), KEYEVENTF_KEYUP, 0);
    return true;
}

bool TVellumo::Sync(DWORD ms) const
{
    if (!main_) return false;
    DWORD_PTR r = 0;
    return SendMessageTimeoutA(main_, WM_NULL, 0, 0, SMTO_NORMAL, ms, &r) != 0;
}

static bool LeftToPaint(HWND window)
{
    bool left = GetUpdateRect(window, nullptr, FALSE) != FALSE;
    EnumChildWindows(
        window,
        [](HWND w, LPARAM p) -> BOOL {
            if (!GetUpdateRect(w, nullptr, FALSE)) return TRUE;
            *reinterpret_cast<bool*>(p) = true;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&left));
    return left;
}

bool TVellumo::WaitPainted(HWND window, DWORD ms) const
{
    // A paint may be under way when nothing is left: the program answers
    // once it ends, and a paint it asked for meanwhile is waited for too.
    return Wait(ms, [&] { return !LeftToPaint(window) && Sync(ms) && !LeftToPaint(window); });
}

HWND TVellumo::WaitMenu(DWORD ms) const
{
    HWND menu = nullptr;
    const DWORD thread = main_ ? GetWindowThreadProcessId(main_, nullptr) : 0;
    const bool ready = Wait(ms, [&] {
        const auto shown = WindowsOf(pi_.dwProcessId, "#32768", true);
        menu = shown.empty() ? nullptr : shown.front();
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        return menu && !LeftToPaint(menu) && GetGUIThreadInfo(thread, &info) && (info.flags & GUI_INMENUMODE);
    });
    return ready ? menu : nullptr;
}

HWND TVellumo::FindDialog() const
{
    auto d = WindowsOf(pi_.dwProcessId, "#32770", true);
    return d.empty() ? nullptr : d.front();
}

HWND TVellumo::WaitDialog(DWORD ms) const
{
    HWND d = nullptr;
    Wait(ms, [&] { return (d = FindDialog()) != nullptr || !Running(); });
    return d;
}

std::string TVellumo::DialogText(HWND dialog)
{
    // A message box's text is its static control 0xFFFF (65535).
    HWND s = GetDlgItem(dialog, 0xFFFF);
    return s ? WindowText(s) : WindowText(dialog);
}

void TVellumo::Answer(HWND dialog, int id)
{
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

bool TVellumo::Running() const { return pi_.hProcess && WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT; }

DWORD TVellumo::ExitCode() const
{
    DWORD code = STILL_ACTIVE;
    if (pi_.hProcess) GetExitCodeProcess(pi_.hProcess, &code);
    return code;
}

bool TVellumo::WaitExit(DWORD ms) { return !pi_.hProcess || WaitForSingleObject(pi_.hProcess, ms) == WAIT_OBJECT_0; }

bool TVellumo::Close(DWORD ms)
{
    if (main_) PostMessageA(main_, WM_CLOSE, 0, 0);
    return WaitExit(ms);
}

void TVellumo::Kill()
{
    if (pi_.hProcess) {
        TerminateProcess(pi_.hProcess, 1);
        WaitForSingleObject(pi_.hProcess, 5000);
    }
}

void KillStrays()
{
    HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snap == INVALID_HANDLE_VALUE) return;
    PROCESSENTRY32 pe{};
    pe.dwSize = sizeof pe;
    for (BOOL ok = Process32First(snap, &pe); ok; ok = Process32Next(snap, &pe)) {
        if (lstrcmpiA(pe.szExeFile, "vellumo.exe") != 0) continue;
        if (HANDLE p = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pe.th32ProcessID)) {
            TerminateProcess(p, 1);
            WaitForSingleObject(p, 5000);
            CloseHandle(p);
        }
    }
    CloseHandle(snap);
}

} // namespace e2e
