// Resolving a shortcut file given as the document argument.
#include <windows.h>
#include <objidl.h>
#include <shlobj.h>

#include "app/startup/cmdline_win.h"
#include "settings/pathnames.h"

namespace vellumo {

namespace {

template <class T>
struct TComPtr {
    T* p = nullptr;
    ~TComPtr()
    {
        if (p) p->Release();
    }
};

std::string Field(HRESULT hr, const char* buf) { return SUCCEEDED(hr) ? std::string(buf) : std::string(); }

} // namespace

bool ResolveShortcut(const std::string& path, TShortCutInfo& info)
{
    info = TShortCutInfo{};
    // Loading a device as a shortcut reads from it, which may never end.
    if (PathRefusal(path) != TPathRefusal::None || PathRefusal(FullPathName(path)) != TPathRefusal::None) return false;
    const HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    struct TUninit {
        bool on;
        ~TUninit()
        {
            if (on) CoUninitialize();
        }
    } uninit{SUCCEEDED(init)};
    TComPtr<IShellLinkA> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link.p))))
        return false;
    TComPtr<IPersistFile> file;
    if (FAILED(link.p->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file.p)))) return false;
    const std::string full = FullPathName(path);
    const int n = MultiByteToWideChar(CP_ACP, 0, full.c_str(), -1, nullptr, 0);
    if (n <= 0) return false;
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, full.c_str(), -1, wide.data(), n);
    if (FAILED(file.p->Load(wide.c_str(), STGM_READ))) return false;
    char buf[MAX_PATH + 1] = {};
    WIN32_FIND_DATAA fd{};
    info.Path = Field(link.p->GetPath(buf, MAX_PATH, &fd, 0), buf);
    buf[0] = '\0';
    info.Arguments = Field(link.p->GetArguments(buf, MAX_PATH), buf);
    buf[0] = '\0';
    info.WorkingFolder = Field(link.p->GetWorkingDirectory(buf, MAX_PATH), buf);
    buf[0] = '\0';
    info.Description = Field(link.p->GetDescription(buf, MAX_PATH), buf);
    buf[0] = '\0';
    int icon = 0;
    info.IconLocation = Field(link.p->GetIconLocation(buf, MAX_PATH, &icon), buf);
    info.IconIndex = icon;
    int show = SW_SHOWNORMAL;
    if (SUCCEEDED(link.p->GetShowCmd(&show))) info.ShowState = show == SW_SHOWMAXIMIZED ? 2 : show == SW_SHOWMINNOACTIVE ? 1 : 0;
    return !info.Path.empty();
}

bool ResolveShortcutTarget(const std::string& path, std::string& target)
{
    TShortCutInfo info;
    if (!ResolveShortcut(path, info)) return false;
    target = info.Path;
    return true;
}

} // namespace vellumo
