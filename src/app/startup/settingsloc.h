#pragma once
// Which settings file this process uses, and whether it may write it.
#include <string>

#include "app/startup/cmdline.h"
#include "settings/settingsstore.h"

namespace vellumo {

// What deciding the location needs of the system; tests put a fake in its place.
class ISettingsLocEnv {
public:
    virtual ~ISettingsLocEnv() = default;
    virtual std::string ProgramPath() const = 0;  // full path of the program file
    virtual std::string ExpandEnv(const std::string& path) const = 0;
    virtual std::string FullPath(const std::string& path) const = 0;
    virtual TIniLocation UserIniMode(const std::string& usrIniPath) const = 0;
    virtual std::string AppDataFolder() const = 0;     // "" when unknown
    virtual std::string GetLogonUserName() const = 0;  // "" when it cannot be read
    virtual bool FolderExists(const std::string& path) const = 0;
    virtual bool FileExists(const std::string& path) const = 0;
    virtual bool CreateFolder(const std::string& path) = 0;  // one level
    virtual bool CopyOneFile(const std::string& source, const std::string& target) = 0;
    // A file can be made in the folder (and the file, when it exists, is not read-only).
    virtual bool CanWrite(const std::string& folder, const std::string& file) const = 0;
};

struct TSettingsLocation {
    std::string SettingsFileName;  // full path of the settings file
    std::string SettingsFolder;    // the "/i=" folder, full path; "" when not given
    bool Writable = true;
};

TSettingsLocation LocateSettingsFile(const TCommandLine& cl, ISettingsLocEnv& env);
// The settings file in a given folder (the "/i=" rule); an empty location for an empty folder.
TSettingsLocation SettingsInFolder(const std::string& folder, ISettingsLocEnv& env);

// Removes every trailing "\" that is not the second byte of a double-byte character.
std::string StripTrailingBackslashes(std::string path);
// The "/i=" rule, also for a folder given at run time: expanded, stripped,
// made a full path. "" stays "".
std::string NormalizeSettingsFolder(const std::string& folder, ISettingsLocEnv& env);
// Creates the folder and every missing folder above it.
bool ForceFolders(const std::string& folder, ISettingsLocEnv& env);
void CopyIfMissing(const std::string& source, const std::string& target, ISettingsLocEnv& env);
void CopyFirstRunFiles(const std::string& source, const std::string& target, const std::string& iniPath,
                       ISettingsLocEnv& env);

// The location of this process (set once at start-up; a new "/i=" folder at run time replaces it).
const TSettingsLocation& SettingsLocation() noexcept;
void SetSettingsLocation(TSettingsLocation loc);
// Every writer of the settings file and its companions asks first. False
// when the folder cannot be written: the first refusal is reported, later
// ones are silent.
bool SettingsWriteAllowed();

} // namespace vellumo
