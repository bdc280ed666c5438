#include "settings/winmachine.h"

#include <windows.h>
#include <shlobj.h>

#include <algorithm>

#include "base/filebytes.h"

namespace vellumo {

namespace {

std::string SpecialFolder(int csidl)
{
    LPITEMIDLIST list = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &list)) || !list) return {};
    char path[MAX_PATH + 1] = {};
    const BOOL ok = SHGetPathFromIDListA(list, path);
    CoTaskMemFree(list);
    return ok ? std::string(path) : std::string();
}

} // namespace

std::string GetDocumentsFolder()
{
    return SpecialFolder(CSIDL_PERSONAL);
}

std::string GetDesktopFolder()
{
    return SpecialFolder(CSIDL_DESKTOP);
}

std::string GetTempFolder()
{
    char path[MAX_PATH + 2] = {};
    const DWORD n = GetTempPathA(MAX_PATH + 1, path);
    if (n == 0 || n > MAX_PATH + 1) return {};
    return std::string(path, n);
}

std::string ReadBrowserPathFromRegistry(std::string_view key)
{
    while (!key.empty() && key.front() == '\\') key.remove_prefix(1);
    HKEY h = nullptr;
    // Read access only: the local machine's keys are not writable for everyone.
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, std::string(key).c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return {};
    std::string value;
    DWORD type = 0, size = 0;
    if (RegQueryValueExA(h, nullptr, nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
        (type == REG_SZ || type == REG_EXPAND_SZ) && size > 0 && size < 65536) {
        std::string buf(size + 1, '\0');
        DWORD got = size;
        if (RegQueryValueExA(h, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(buf.data()), &got) == ERROR_SUCCESS) {
            buf.resize(std::min<std::size_t>(got, buf.size()));
            // The stored string may or may not carry its terminating NUL.
            const std::size_t nul = buf.find('\0');
            if (nul != std::string::npos) buf.resize(nul);
            value = buf;
        }
    }
    RegCloseKey(h);
    return value;
}

TWindowBounds TWinMachineDefaults::MainWindowBounds() const
{
    TWindowBounds b;
    RECT r{};
    if (window_ && GetWindowRect(static_cast<HWND>(window_), &r)) {
        b.Left = r.left;
        b.Top = r.top;
        b.Width = r.right - r.left;
        b.Height = r.bottom - r.top;
    }
    return b;
}

bool TWinMachineDefaults::IsWindowsXpOrLater() const
{
    OSVERSIONINFOA v{};
    v.dwOSVersionInfoSize = sizeof v;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!GetVersionExA(&v)) return false;
#pragma GCC diagnostic pop
    return v.dwMajorVersion > 5 || (v.dwMajorVersion == 5 && v.dwMinorVersion >= 1);
}

std::string TWinMachineDefaults::ProgramFolder() const
{
    char path[MAX_PATH + 1] = {};
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return {};
    return ExtractFileDir(std::string(path, n));
}

} // namespace vellumo
