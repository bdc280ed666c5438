#pragma once
// The settings location as the system gives it (Windows only).
#include "app/startup/settingsloc.h"

namespace vellumo {

class TWinSettingsLocEnv : public ISettingsLocEnv {
public:
    std::string ProgramPath() const override;
    std::string ExpandEnv(const std::string& path) const override;
    std::string FullPath(const std::string& path) const override;
    TIniLocation UserIniMode(const std::string& usrIniPath) const override;
    std::string AppDataFolder() const override;
    std::string GetLogonUserName() const override;
    bool FolderExists(const std::string& path) const override;
    bool FileExists(const std::string& path) const override;
    bool CreateFolder(const std::string& path) override;
    bool CopyOneFile(const std::string& source, const std::string& target) override;
    bool CanWrite(const std::string& folder, const std::string& file) const override;
};

// Decides the location from this process's command line, installs it
// (SettingsLocation()) and returns the settings file's path.
std::string LocateSettingsFile();

// A settings folder given at run time by another program: made a full path,
// created when missing, installed like "/i=". Returns the new settings file's
// path; "" (and nothing changes) for an empty folder.
std::string SwitchSettingsFolder(const std::string& folder);

} // namespace vellumo
