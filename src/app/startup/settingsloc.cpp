#include "app/startup/settingsloc.h"

#include "base/leadbytes.h"
#include "base/showmsg.h"

namespace vellumo {

namespace {

TSettingsLocation g_location;
bool g_refusalReported = false;

// Index just past the folder part (the last "\" that is not a trail byte); 0 when none.
std::size_t FolderEnd(const std::string& path)
{
    std::size_t end = 0;
    for (std::size_t i = 0; i < path.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(path[i]);
        if (IsLeadByte(c) && i + 1 < path.size())
            ++i;
        else if (c == '\\' || c == '/')
            end = i + 1;
    }
    return end;
}

std::string FolderOf(const std::string& path)
{
    std::string dir = path.substr(0, FolderEnd(path));
    if (dir.size() > 1 && dir.back() == '\\' && !(dir.size() == 3 && dir[1] == ':')) dir.pop_back();
    return dir;
}

std::string NameOf(const std::string& path) { return path.substr(FolderEnd(path)); }

std::string ChangeExt(const std::string& path, const std::string& ext)
{
    const std::size_t start = FolderEnd(path);
    const std::size_t dot = path.rfind('.');
    return (dot != std::string::npos && dot >= start ? path.substr(0, dot) : path) + ext;
}

} // namespace

std::string StripTrailingBackslashes(std::string path)
{
    // Walk from the start: only a "\" that is a character of its own counts.
    std::size_t keep = 0;
    for (std::size_t i = 0; i < path.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(path[i]);
        if (IsLeadByte(c) && i + 1 < path.size()) {
            keep = ++i + 1;
        } else if (c != '\\') {
            keep = i + 1;
        }
    }
    path.resize(keep);
    return path;
}

std::string NormalizeSettingsFolder(const std::string& folder, ISettingsLocEnv& env)
{
    if (folder.empty()) return {};
    std::string f = StripTrailingBackslashes(env.ExpandEnv(folder));
    if (f.empty()) return {};
    // A relative folder would follow the current folder as dialogs change it.
    f = StripTrailingBackslashes(env.FullPath(f));
    if (f.size() == 2 && f[1] == ':') f += '\\';  // a drive alone stays its root
    return f;
}

bool ForceFolders(const std::string& folder, ISettingsLocEnv& env)
{
    if (folder.empty() || env.FolderExists(folder)) return !folder.empty();
    const std::string parent = FolderOf(folder);
    if (!parent.empty() && parent != folder && !env.FolderExists(parent) && !ForceFolders(parent, env)) return false;
    return env.CreateFolder(folder);
}

void CopyIfMissing(const std::string& source, const std::string& target, ISettingsLocEnv& env)
{
    if (!env.FileExists(target) && env.FileExists(source)) env.CopyOneFile(source, target);
}

void CopyFirstRunFiles(const std::string& source, const std::string& target, const std::string& iniPath,
                       ISettingsLocEnv& env)
{
    const std::string n = NameOf(iniPath);
    for (const char* ext : {".ini", ".his", ".sch", ".rep"})
        CopyIfMissing(ChangeExt(source + "\\" + n, ext), ChangeExt(iniPath, ext), env);
    for (const char* name : {"perl.kwd", "bat.kwd", "cpp.kwd", "java.kwd", "vb.kwd", "hsp.kwd", "delphi.kwd",
                             "ruby.kwd", "php.kwd", "css.kwd", "js.kwd", "default.vmc"})
        CopyIfMissing(source + "\\" + name, target + "\\" + name, env);
}

TSettingsLocation SettingsInFolder(const std::string& folder, ISettingsLocEnv& env)
{
    TSettingsLocation loc;
    loc.SettingsFolder = NormalizeSettingsFolder(folder, env);
    if (loc.SettingsFolder.empty()) return loc;
    ForceFolders(loc.SettingsFolder, env);
    const std::string dir = loc.SettingsFolder.back() == '\\' ? loc.SettingsFolder : loc.SettingsFolder + "\\";
    loc.SettingsFileName = dir + ChangeExt(NameOf(env.ProgramPath()), ".ini");
    loc.Writable = env.CanWrite(loc.SettingsFolder, loc.SettingsFileName);
    return loc;
}

TSettingsLocation LocateSettingsFile(const TCommandLine& cl, ISettingsLocEnv& env)
{
    const std::string program = env.ProgramPath();
    const std::string exeDir = FolderOf(program);
    const std::string iniName = ChangeExt(NameOf(program), ".ini");
    const std::string baseName = ChangeExt(NameOf(program), "");
    std::string user = env.GetLogonUserName();
    if (user.empty()) user = "default";
    const std::string usrDir = exeDir + "\\usr";
    const std::string templ = usrDir + "\\" + user;

    TSettingsLocation loc = SettingsInFolder(cl.SwitchStrValue("/i="), env);
    std::string path = loc.SettingsFileName;
    bool seed = false;
    if (!path.empty()) {
        seed = !env.FileExists(path);
    } else {
        TIniLocation mode = env.UserIniMode(exeDir + "\\usr.ini");
        std::string appData;
        if (mode >= ilAppData) {
            appData = StripTrailingBackslashes(env.AppDataFolder());
            if (appData.empty()) mode = ilPerUser;
        }
        if (mode >= ilAppData) {
            const std::string dir = appData + "\\" + baseName;
            path = dir + "\\" + iniName;
            if (!env.FolderExists(dir)) {
                ForceFolders(dir, env);
                seed = true;
            }
        } else if (mode == ilPerUser) {
            path = templ + "\\" + iniName;
            if (!env.FolderExists(templ)) {
                if (!env.FolderExists(usrDir)) env.CreateFolder(usrDir);
                env.CreateFolder(templ);
            }
        } else {
            path = ChangeExt(program, ".ini");
        }
    }
    if (seed) CopyFirstRunFiles(templ, FolderOf(path), path, env);
    loc.SettingsFileName = path;
    loc.Writable = env.CanWrite(FolderOf(path), path);
    return loc;
}

const TSettingsLocation& SettingsLocation() noexcept { return g_location; }

void SetSettingsLocation(TSettingsLocation loc)
{
    g_location = std::move(loc);
    g_refusalReported = false;
}

bool SettingsWriteAllowed()
{
    if (g_location.Writable) return true;
    if (!g_refusalReported) {
        g_refusalReported = true;
        ShowMsg("設定ファイルのフォルダに書き込めません。設定は読み込みましたが、変更は保存されません。\r\n\"" +
                    g_location.SettingsFileName + "\"",
                kMsgCaption, kMsgIconExclamation);
    }
    return false;
}

} // namespace vellumo
