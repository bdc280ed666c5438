#include <gtest/gtest.h>

#include <windows.h>

#include "base/filebytes.h"
#include "base/inifile.h"

using namespace vellumo;

namespace {

std::string TempPath()
{
    char buf[MAX_PATH + 1] = {};
    const DWORD n = GetTempPathA(MAX_PATH, buf);
    return std::string(buf, n);
}

std::vector<std::string> FolderEntries(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((folder + "\\*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return names;
    do {
        const std::string name = fd.cFileName;
        if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileA(h, &fd));
    FindClose(h);
    return names;
}

// "表示" (95 5C 8E A6): the first trail byte is 5C, the code of "\".
TEST(FileBytesWin, AnsiPathsWithTrailByte5C)
{
    const std::string folder = TempPath() + "vellumo_\x95\x5C\x8E\xA6_" + std::to_string(GetCurrentProcessId());
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    const std::string path = folder + "\\\x90\xDD\x92\xE8.ini";  // "設定.ini"
    EXPECT_EQ(ExtractFileDir(path), folder);

    TMemIniFile ini(path);
    ini.WriteString("\x95\x5C", "k", "\x95\x5C");
    ASSERT_TRUE(ini.UpdateFile()) << ini.ErrorText();
    ini.WriteString("\x95\x5C", "k", "again");
    ASSERT_TRUE(ini.UpdateFile()) << ini.ErrorText();  // replaces the existing file
    EXPECT_EQ(TMemIniFile(path).ReadString("\x95\x5C", "K", ""), "again");
    EXPECT_EQ(FolderEntries(folder), std::vector<std::string>{"\x90\xDD\x92\xE8.ini"});

    // A hidden settings file stays hidden after a rewrite.
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(ReplaceFileBytes(path, "[A]\r\n"));
    EXPECT_TRUE(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);

    EXPECT_TRUE(CreateFileBytes(folder + "\\k.kwd", "a\r\n"));
    EXPECT_FALSE(CreateFileBytes(folder + "\\k.kwd", "b\r\n"));
    std::string bytes;
    ASSERT_EQ(ReadFileBytes(folder + "\\k.kwd", bytes), TReadStatus::Ok);
    EXPECT_EQ(bytes, "a\r\n");

    DeleteFileA(path.c_str());
    DeleteFileA((folder + "\\k.kwd").c_str());
    EXPECT_TRUE(RemoveDirectoryA(folder.c_str()));
}

// A file another program holds open without sharing exists but cannot be
// read: readers get nothing, and a rewrite must not replace it.
TEST(FileBytesWin, ALockedFileIsUnreadableAndNotReplaced)
{
    const std::string path = TempPath() + "vellumo_locked_" + std::to_string(GetCurrentProcessId()) + ".ini";
    ASSERT_TRUE(ReplaceFileBytes(path, "[Other]\r\nkeep=1\r\n"));
    HANDLE lock = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    std::string bytes;
    EXPECT_EQ(ReadFileBytes(path, bytes), TReadStatus::Failed);
    TMemIniFile ini(path);
    EXPECT_TRUE(ini.ReadFailed());
    ini.WriteString("Option", "StatusBar", "1");
    EXPECT_FALSE(ini.UpdateFile());
    CloseHandle(lock);
    ASSERT_EQ(ReadFileBytes(path, bytes), TReadStatus::Ok);
    EXPECT_EQ(bytes, "[Other]\r\nkeep=1\r\n");
    DeleteFileA(path.c_str());
}

} // namespace
