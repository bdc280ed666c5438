// Where the settings file lives, with a fake file system.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "app/startup/settingsloc.h"
#include "base/showmsg.h"

using namespace vellumo;

namespace {

struct TFakeEnv : ISettingsLocEnv {
    std::string program = "C:\\Prog\\vellumo.exe";
    std::string cwd = "C:\\Cur";
    TIniLocation mode = ilAppData;
    std::string appData = "C:\\Users\\u\\AppData";
    std::string user = "taro";
    std::set<std::string> folders = {"C:\\", "C:\\Prog", "C:\\Users", "C:\\Users\\u", "C:\\Users\\u\\AppData", "C:\\Cur"};
    std::map<std::string, std::string> files;  // path -> content
    std::set<std::string> unwritable;
    std::vector<std::string> created;

    std::string ProgramPath() const override { return program; }
    std::string ExpandEnv(const std::string& p) const override
    {
        const std::string ref = "%APPDATA%";
        return p.compare(0, ref.size(), ref) == 0 ? appData + p.substr(ref.size()) : p;
    }
    std::string FullPath(const std::string& p) const override
    {
        return p.size() > 1 && (p[1] == ':' || p[0] == '\\') ? p : cwd + "\\" + p;
    }
    TIniLocation UserIniMode(const std::string&) const override { return mode; }
    std::string AppDataFolder() const override { return appData; }
    std::string GetLogonUserName() const override { return user; }
    bool FolderExists(const std::string& p) const override { return folders.count(p) > 0; }
    bool FileExists(const std::string& p) const override { return files.count(p) > 0; }
    bool CreateFolder(const std::string& p) override { return created.push_back(p), folders.insert(p).second; }
    bool CopyOneFile(const std::string& s, const std::string& t) override { return files[t] = files.at(s), true; }
    bool CanWrite(const std::string& f, const std::string&) const override { return folders.count(f) && !unwritable.count(f); }
};

TCommandLine Args(std::initializer_list<std::string> a)
{
    std::vector<std::string> v{"vellumo.exe"};
    v.insert(v.end(), a);
    return TCommandLine(v);
}

TEST(SettingsLocation, ModesAndFirstRunSeeding)
{
    TFakeEnv env;
    const std::string templ = "C:\\Prog\\usr\\taro";
    env.folders.insert({"C:\\Prog\\usr", templ});
    env.files[templ + "\\vellumo.ini"] = "tini";
    env.files[templ + "\\vellumo.his"] = "this";
    env.files[templ + "\\cpp.kwd"] = "tcpp";
    env.files[templ + "\\default.vmc"] = "tvmc";
    env.files["C:\\Users\\u\\AppData\\vellumo\\cpp.kwd"] = "mine";  // never overwritten

    // Mode 2, first start: folder made and the companions copied.
    TSettingsLocation loc = LocateSettingsFile(Args({}), env);
    const std::string dir = "C:\\Users\\u\\AppData\\vellumo";
    EXPECT_EQ(loc.SettingsFileName, dir + "\\vellumo.ini");
    EXPECT_TRUE(loc.SettingsFolder.empty());
    EXPECT_TRUE(loc.Writable);
    EXPECT_EQ(env.files[dir + "\\vellumo.ini"], "tini");
    EXPECT_EQ(env.files[dir + "\\vellumo.his"], "this");
    EXPECT_EQ(env.files[dir + "\\default.vmc"], "tvmc");
    EXPECT_EQ(env.files[dir + "\\cpp.kwd"], "mine");
    EXPECT_FALSE(env.FileExists(dir + "\\vellumo.sch"));

    // No application-data folder: per user under the program, no seeding.
    env.appData.clear();
    env.user.clear();  // unreadable user name
    loc = LocateSettingsFile(Args({}), env);
    EXPECT_EQ(loc.SettingsFileName, "C:\\Prog\\usr\\default\\vellumo.ini");
    EXPECT_TRUE(env.FolderExists("C:\\Prog\\usr\\default"));
    EXPECT_FALSE(env.FileExists(loc.SettingsFileName));

    env.mode = ilBesideProgram;
    EXPECT_EQ(LocateSettingsFile(Args({}), env).SettingsFileName, "C:\\Prog\\vellumo.ini");
}

TEST(SettingsLocation, GivenFolderIsExpandedMadeFullAndCreated)
{
    TFakeEnv env;
    TSettingsLocation loc = LocateSettingsFile(Args({"/i=%APPDATA%\\Mine\\\\"}), env);
    EXPECT_EQ(loc.SettingsFolder, "C:\\Users\\u\\AppData\\Mine");
    EXPECT_EQ(loc.SettingsFileName, "C:\\Users\\u\\AppData\\Mine\\vellumo.ini");

    // Relative: made full against the current folder, created with its parents.
    loc = LocateSettingsFile(Args({"/I=set\\a"}), env);
    EXPECT_EQ(loc.SettingsFolder, "C:\\Cur\\set\\a");
    EXPECT_EQ(env.created, (std::vector<std::string>{"C:\\Users\\u\\AppData\\Mine", "C:\\Cur\\set", "C:\\Cur\\set\\a"}));
    EXPECT_TRUE(loc.Writable);

    // A trailing 5C that is the second byte of a character stays.
    EXPECT_EQ(StripTrailingBackslashes("C:\\\x95\\\\\\"), "C:\\\x95\\");
    EXPECT_EQ(StripTrailingBackslashes("\\\\"), "");
    EXPECT_EQ(NormalizeSettingsFolder("D:\\", env), "D:\\");
}

TEST(SettingsLocation, UnwritableFolderIsUsedAndRefusalReportedOnce)
{
    TFakeEnv env;
    env.folders.insert("C:\\ro");
    env.unwritable.insert("C:\\ro");
    env.files["C:\\ro\\vellumo.ini"] = "x";
    TSettingsLocation loc = LocateSettingsFile(Args({"/i=C:\\ro"}), env);
    EXPECT_EQ(loc.SettingsFileName, "C:\\ro\\vellumo.ini");
    EXPECT_FALSE(loc.Writable);

    int shown = 0;
    TScopedMsgSink sink([&](const std::string& text, const std::string&, unsigned) {
        ++shown;
        EXPECT_NE(text.find("C:\\ro\\vellumo.ini"), std::string::npos);
        return kAnswerOk;
    });
    SetSettingsLocation(loc);
    EXPECT_FALSE(SettingsWriteAllowed());
    EXPECT_FALSE(SettingsWriteAllowed());
    EXPECT_EQ(shown, 1);
    SetSettingsLocation(LocateSettingsFile(Args({}), env));
    EXPECT_TRUE(SettingsWriteAllowed());
    EXPECT_EQ(shown, 1);
}

} // namespace
