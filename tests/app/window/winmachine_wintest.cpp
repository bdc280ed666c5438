#include <gtest/gtest.h>

#include <windows.h>

#include "app/window/keywords.h"
#include "settings/settingsstore.h"
#include "settings/winmachine.h"
#include "base/filebytes.h"

using namespace vellumo;

namespace {

constexpr char kTestKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\vellumo-test.exe";

TEST(WinMachine, FoldersOfTheSystem)
{
    const std::string temp = GetTempFolder();
    ASSERT_FALSE(temp.empty());
    EXPECT_EQ(temp.back(), '\\');
    EXPECT_TRUE(PathExists(temp));
    EXPECT_FALSE(GetDocumentsFolder().empty());
    EXPECT_FALSE(GetDesktopFolder().empty());

    TWinMachineDefaults machine;
    EXPECT_TRUE(machine.IsWindowsXpOrLater());
    char exe[MAX_PATH + 1] = {};
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    EXPECT_EQ(machine.ProgramFolder(), ExtractFileDir(exe));
    const TWindowBounds none = machine.MainWindowBounds();
    EXPECT_EQ(none.Width, 0);
}

TEST(WinMachine, BrowserPathsFromTheRegistry)
{
    HKEY h = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kTestKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr),
              ERROR_SUCCESS);
    const char value[] = "C:\\\x95\x5C\\v.exe";
    RegSetValueExA(h, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value), sizeof value);
    RegCloseKey(h);
    EXPECT_EQ(ReadBrowserPathFromRegistry(std::string("\\") + kTestKey), value);
    EXPECT_EQ(ReadBrowserPathFromRegistry(kTestKey), value);

    // A value that is no string reads as empty.
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kTestKey, 0, KEY_ALL_ACCESS, &h), ERROR_SUCCESS);
    const DWORD number = 5;
    RegSetValueExA(h, nullptr, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
    RegCloseKey(h);
    EXPECT_EQ(ReadBrowserPathFromRegistry(kTestKey), "");
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kTestKey);

    EXPECT_EQ(ReadBrowserPathFromRegistry(kTestKey), "");
    EXPECT_EQ(ReadBrowserPathFromRegistry("\\SOFTWARE\\No\\Such\\Key"), "");
}

TEST(WinMachine, MissingSettingsTakeTheMachineDefaults)
{
    TWinMachineDefaults machine;
    const std::string path = GetTempFolder() + "vellumo_missing_" + std::to_string(GetCurrentProcessId()) + ".ini";
    TSettingsStore store(path, machine);
    ASSERT_TRUE(store.LoadSettings());
    EXPECT_FALSE(PathExists(path));
    EXPECT_EQ(store.Settings.Option.DefDir, GetDocumentsFolder());
    EXPECT_EQ(store.Settings.Backup.BackupPath, GetTempFolder());
    EXPECT_EQ(store.Settings.FileHistorySet.NoDirs, GetDesktopFolder() + ";" + machine.ProgramFolder());
    EXPECT_EQ(store.Settings.Option.ToolBtnImg, 1);
}

TEST(WinMachine, ALockedKeywordFileFallsBackToTheBuiltInList)
{
    const std::string folder = GetTempFolder() + "vellumo_kwd_" + std::to_string(GetCurrentProcessId());
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    const std::string path = KeywordFilePath(kwmode::Java, folder);
    EXPECT_EQ(path, folder + "\\java.kwd");
    ASSERT_TRUE(WriteDefaultKeywordFile(kwmode::Java, path));
    HANDLE lock = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    TStringList words;
    EXPECT_EQ(LoadKeywordList(kwmode::Java, folder, words), TKeywordSource::BuiltIn);
    EXPECT_EQ(words.Count(), 47);
    EXPECT_FALSE(WriteDefaultKeywordFile(kwmode::Java, path));
    CloseHandle(lock);
    EXPECT_EQ(LoadKeywordList(kwmode::Java, folder, words), TKeywordSource::File);
    DeleteFileA(path.c_str());
    EXPECT_TRUE(RemoveDirectoryA(folder.c_str()));
}

} // namespace
