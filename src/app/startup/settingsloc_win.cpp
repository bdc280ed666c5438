#include "app/startup/settingsloc_win.h"

#include <windows.h>
#include <shlobj.h>

#include "app/startup/cmdline_win.h"
#include "settings/settingsstore.h"

namespace vellumo {

std::string TWinSettingsLocEnv::ProgramPath() const
{
    char buf[MAX_PATH + 1] = {};
    const DWORD n = GetModuleFileNameA(nullptr, buf, MAX_PATH);
    return std::string(buf, n < MAX_PATH ? n : 0);
}

std::string TWinSettingsLocEnv::ExpandEnv(const std::string& path) const
{
    const DWORD need = ExpandEnvironmentStringsA(path.c_str(), nullptr, 0);
    if (need == 0) return path;
    std::string out(need, '\0');
    const DWORD n = ExpandEnvironmentStringsA(path.c_str(), out.data(), need);
    if (n == 0 || n > need) return path;
    out.resize(n - 1);
    return out;
}

std::string TWinSettingsLocEnv::FullPath(const std::string& path) const
{
    const DWORD need = GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
    if (need == 0) return path;
    std::string out(need, '\0');
    const DWORD n = GetFullPathNameA(path.c_str(), need, out.data(), nullptr);
    if (n == 0 || n >= need) return path;
    out.resize(n);
    return out;
}

TIniLocation TWinSettingsLocEnv::UserIniMode(const std::string& usrIniPath) const { return ReadUserIniMode(usrIniPath); }

std::string TWinSettingsLocEnv::AppDataFolder() const
{
    LPITEMIDLIST list = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_APPDATA, &list)) || !list) return {};
    char buf[MAX_PATH + 1] = {};
    const bool ok = SHGetPathFromIDListA(list, buf);
    CoTaskMemFree(list);
    return ok ? std::string(buf) : std::string();
}

std::string TWinSettingsLocEnv::GetLogonUserName() const
{
    char buf[257] = {};
    DWORD n = sizeof buf;
    if (!GetUserNameA(buf, &n)) return {};
    return buf;
}

bool TWinSettingsLocEnv::FolderExists(const std::string& path) const
{
    const DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool TWinSettingsLocEnv::FileExists(const std::string& path) const
{
    const DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool TWinSettingsLocEnv::CreateFolder(const std::string& path) { return CreateDirectoryA(path.c_str(), nullptr); }

bool TWinSettingsLocEnv::CopyOneFile(const std::string& source, const std::string& target)
{
    return CopyFileA(source.c_str(), target.c_str(), TRUE);  // never overwrites
}

bool TWinSettingsLocEnv::CanWrite(const std::string& folder, const std::string& file) const
{
    const DWORD a = GetFileAttributesA(file.c_str());
    if (a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_READONLY)) return false;
    char probe[MAX_PATH + 1] = {};
    if (!GetTempFileNameA(folder.c_str(), "vlm", 0, probe)) return false;  // creates the file
    DeleteFileA(probe);
    return true;
}

std::string LocateSettingsFile()
{
    TWinSettingsLocEnv env;
    TSettingsLocation loc = LocateSettingsFile(SystemCommandLine(), env);
    std::string path = loc.SettingsFileName;
    SetSettingsLocation(std::move(loc));
    return path;
}

std::string SwitchSettingsFolder(const std::string& folder)
{
    TWinSettingsLocEnv env;
    TSettingsLocation loc = SettingsInFolder(folder, env);
    if (loc.SettingsFileName.empty()) return {};
    std::string path = loc.SettingsFileName;
    SetSettingsLocation(std::move(loc));
    return path;
}

} // namespace vellumo
