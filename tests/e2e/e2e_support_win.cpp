#include "e2e_support_win.h"

#include <windows.h>

namespace e2e {

std::string Quoted(const std::string& s) { return "\"" + s + "\""; }

void TEndToEnd::SetUp()
{
    KillStrays();
    ini_ = dir_.File("ini");
    CreateDirectoryA(ini_.c_str(), nullptr);
    WriteSettings("");
}

void TEndToEnd::TearDown() { KillStrays(); }

void TEndToEnd::WriteSettings(const std::string& iniText)
{
    ASSERT_TRUE(WriteFileBytes(ini_ + "\\vellumo.ini", iniText));
}

bool TEndToEnd::Launch(TVellumo& v, const std::string& args)
{
    if (!v.Start(Quoted("/i=" + ini_) + (args.empty() ? "" : " " + args))) return false;
    return v.WaitMainWindow() != nullptr;
}

bool TEndToEnd::SaveByKeys(TVellumo& v, const std::string& path)
{
    const FILETIME before = WriteTime(path);
    v.Keys({VK_CONTROL, 'S'});
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < 10000) {
        const FILETIME now = WriteTime(path);
        if (FileExists(path) && CompareFileTime(&before, &now) != 0) {
            v.Sync();
            return true;
        }
        Sleep(20);
    }
    return false;
}

std::string BuildPath(const std::string& name)
{
    std::string unix = VELLUMO_BUILD_DIR "/" + name;
    for (char& c : unix)
        if (c == '/') c = '\\';
    return "Z:" + unix;
}

std::vector<HWND> ChildrenOfClass(HWND parent, const char* cls)
{
    struct Find {
        const char* cls;
        std::vector<HWND> found;
    } f{cls, {}};
    EnumChildWindows(
        parent,
        [](HWND w, LPARAM p) -> BOOL {
            auto* f = reinterpret_cast<Find*>(p);
            char buf[64] = {};
            GetClassNameA(w, buf, sizeof buf);
            if (lstrcmpiA(buf, f->cls) == 0) f->found.push_back(w);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&f));
    return f.found;
}

std::string RemoteCall(HWND w, UINT msg, WPARAM wp, std::size_t size, LRESULT* result)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    HANDLE p = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (!p) return {};
    std::string out(size, '\0');
    void* remote = VirtualAllocEx(p, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
    DWORD_PTR r = 0;
    SIZE_T n = 0;
    WriteProcessMemory(p, remote, out.data(), size, &n);
    const bool sent =
        SendMessageTimeoutA(w, msg, wp, reinterpret_cast<LPARAM>(remote), SMTO_ABORTIFHUNG, 5000, &r) != 0;
    if (!sent || !ReadProcessMemory(p, remote, out.data(), size, &n)) out.clear();
    VirtualFreeEx(p, remote, 0, MEM_RELEASE);
    CloseHandle(p);
    if (result) *result = static_cast<LRESULT>(r);
    return out;
}

TOtherWindow::TOtherWindow()
{
    HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    thread_ = std::thread([this, ready] {
        window_ = CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
        threadId_ = GetCurrentThreadId();
        SetEvent(ready);
        MSG m;
        while (GetMessageA(&m, nullptr, 0, 0) > 0) DispatchMessageA(&m);
        if (window_) DestroyWindow(window_);
    });
    WaitForSingleObject(ready, 5000);
    CloseHandle(ready);
}

TOtherWindow::~TOtherWindow()
{
    PostThreadMessageA(threadId_, WM_QUIT, 0, 0);
    thread_.join();
}

} // namespace e2e
