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

} // namespace e2e
