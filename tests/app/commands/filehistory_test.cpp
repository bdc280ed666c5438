// The recent-file history: the list's file form, what a new name does to
// it, the captions and the folders whose files are not recorded.
#include <gtest/gtest.h>

#include <map>

#include "app/commands/filehistory.h"

using namespace vellumo;

namespace {

using H = TFileHistory;

TEST(FileHistory, FileForm)
{
    EXPECT_EQ(ParseFileHistory("C:\\a.txt\r\nC:\\b.txt\nC:\\c.txt\rC:\\d.txt"),
              (H{"C:\\a.txt", "C:\\b.txt", "C:\\c.txt", "C:\\d.txt"}));
    EXPECT_EQ(ParseFileHistory("\r\n\r\nC:\\a.txt\r\n\r\n"), (H{"C:\\a.txt"}));
    EXPECT_TRUE(ParseFileHistory("").empty());
    EXPECT_EQ(FileHistoryText({"C:\\a.txt", "C:\\b.txt"}), "C:\\a.txt\r\nC:\\b.txt\r\n");
    EXPECT_EQ(FileHistoryText({}), "");
}

TEST(FileHistory, ANameGoesToTheTopOnceWhateverItsCase)
{
    H h{"c:\\x.txt", "c:\\a.txt", "C:\\y.txt", "C:\\A.txt"};
    AddToFileHistory(h, "C:\\A.TXT", 10);
    EXPECT_EQ(h, (H{"C:\\A.TXT", "c:\\x.txt", "C:\\y.txt"})) << "every duplicate goes";
    // Full-width letters fold; a trail byte never does: ア (83 41) and ヂ (83 61) differ.
    AddToFileHistory(h, "C:\\Ａ\\ア.txt", 10);
    AddToFileHistory(h, "C:\\ａ\\ヂ.txt", 10);
    AddToFileHistory(h, "c:\\ａ\\ア.TXT", 10);
    EXPECT_EQ(h, (H{"c:\\ａ\\ア.TXT", "C:\\ａ\\ヂ.txt", "C:\\A.TXT", "c:\\x.txt", "C:\\y.txt"}));
    EXPECT_TRUE(RemoveFromFileHistory(h, "C:\\Ａ\\ア.txt"));
    EXPECT_FALSE(RemoveFromFileHistory(h, "C:\\Ａ\\ア.txt"));
    EXPECT_EQ(h.size(), 4u);
}

TEST(FileHistory, TheLimitCutsTheList)
{
    H five{"1", "2", "3", "4", "5"};
    AddToFileHistory(five, "new", 3);
    EXPECT_EQ(five, (H{"new", "1", "2"}));
    H h{"1", "2"};
    AddToFileHistory(h, "new", 0);
    EXPECT_TRUE(h.empty());
    h = {"1", "2"};
    AddToFileHistory(h, "new", -5);  // a hand-edited negative maximum keeps nothing
    EXPECT_TRUE(h.empty());
    EXPECT_EQ(HistoryLimit(-1), 0);
    EXPECT_EQ(HistoryLimit(40), 40);
}

TEST(FileHistory, Captions)
{
    EXPECT_EQ(HistoryCaption(0, "C:\\a.txt", 0), "&1: C:\\a.txt");
    EXPECT_EQ(HistoryCaption(9, "C:\\a.txt", 0), "&0: C:\\a.txt");
    EXPECT_EQ(HistoryCaption(10, "C:\\a.txt", 0), "&A: C:\\a.txt");
    EXPECT_EQ(HistoryCaption(11, "C:\\a.txt", 0), "&B: C:\\a.txt");
    EXPECT_EQ(HistoryCaption(12, "C:\\a.txt", 0), "&D: C:\\a.txt");  // C is the clear item's
    EXPECT_EQ(HistoryCaption(29, "C:\\a.txt", 0), "&U: C:\\a.txt");
    EXPECT_EQ(HistoryCaption(30, "C:\\a.txt", 0), "31: C:\\a.txt");  // past the keys: none
    EXPECT_EQ(HistoryAccelerator(-1), 0);
    // An "&" shows as itself in every format.
    const std::string path = "C:\\R&D\\a much longer folder name here\\two\\three\\Q&A.txt";
    EXPECT_EQ(HistoryEntryText(path, 0), "C:\\R&&D\\a much longer folder name here\\two\\three\\Q&&A.txt");
    EXPECT_EQ(HistoryEntryText(path, 1), "C:\\...\\two\\three\\Q&&A.txt");
    EXPECT_EQ(HistoryEntryText(path, 2), "Q&&A.txt");
    EXPECT_EQ(HistoryEntryText(path, 5), path);  // "&" not doubled
}

// Short forms of a few paths; any other has none.
THistorySystem FakeSystem()
{
    static const std::map<std::string, std::string> shortForms = {
        {"C:\\Users\\Taro\\AppData\\Local\\Temp\\", "C:\\Users\\TARO~1\\AppData\\Local\\Temp\\"},
        {"C:\\Users\\Taro\\AppData\\Local\\Temp\\memo.txt", "C:\\Users\\TARO~1\\AppData\\Local\\Temp\\memo.txt"},
        {"C:\\Users\\TARO~1\\AppData\\Local\\Temp\\memo.txt", "C:\\Users\\TARO~1\\AppData\\Local\\Temp\\memo.txt"},
        {"C:\\Users\\Taro\\Desktop", "C:\\Users\\TARO~1\\Desktop"},
        {"C:\\Users\\TARO~1\\Desktop\\a.txt", "C:\\Users\\TARO~1\\Desktop\\a.txt"},
    };
    THistorySystem sys;
    sys.TempFolder = "C:\\Users\\Taro\\AppData\\Local\\Temp\\";
    sys.CacheFolder = "C:\\Users\\Taro\\Cache\\";
    sys.ShortPath = [](const std::string& p) {
        const auto it = shortForms.find(p);
        return it == shortForms.end() ? std::string() : it->second;
    };
    sys.ExpandEnv = [](const std::string& p) {
        const std::string ref = "%USERPROFILE%";
        return p.compare(0, ref.size(), ref) == 0 ? "C:\\Users\\Taro" + p.substr(ref.size()) : p;
    };
    return sys;
}

TEST(FileHistory, TemporaryAndCacheFiles)
{
    THistorySystem sys = FakeSystem();
    EXPECT_TRUE(IsTempOrCacheFile("C:\\Users\\Taro\\AppData\\Local\\Temp\\memo.txt", sys));
    EXPECT_TRUE(IsTempOrCacheFile("C:\\Users\\TARO~1\\AppData\\Local\\Temp\\memo.txt", sys));  // by the short forms
    EXPECT_TRUE(IsTempOrCacheFile("c:\\users\\taro\\appdata\\local\\temp\\new.txt", sys));      // not made yet
    EXPECT_TRUE(IsTempOrCacheFile("C:\\Users\\Taro\\Cache\\page.htm", sys));
    EXPECT_FALSE(IsTempOrCacheFile("C:\\Users\\Taro\\Documents\\a.txt", sys));
    // An unknown folder matches nothing (an empty prefix would match every file).
    sys.TempFolder.clear();
    sys.CacheFolder.clear();
    EXPECT_FALSE(IsTempOrCacheFile("C:\\Users\\Taro\\AppData\\Local\\Temp\\memo.txt", sys));
}

TEST(FileHistory, ExcludedFolders)
{
    const THistorySystem sys = FakeSystem();
    const std::string desktop = "C:\\Users\\TARO~1\\Desktop\\a.txt";
    EXPECT_TRUE(IsExcludedHistoryFolder(desktop, "%USERPROFILE%\\Desktop", sys));  // by the short forms
    EXPECT_TRUE(IsExcludedHistoryFolder("c:\\users\\taro\\DESKTOP\\b.txt", ";;C:\\Tool;%USERPROFILE%\\Desktop", sys));
    EXPECT_TRUE(IsExcludedHistoryFolder("C:\\Tools\\a.txt", "C:\\Tool", sys));  // a plain prefix
    EXPECT_FALSE(IsExcludedHistoryFolder("D:\\Tool\\a.txt", "C:\\Tool", sys));
    EXPECT_FALSE(IsExcludedHistoryFolder(desktop, "", sys));
    EXPECT_FALSE(IsExcludedHistoryFolder(desktop, ";;", sys));
    // Folder names differing in a trail byte only are different folders.
    EXPECT_FALSE(IsExcludedHistoryFolder("C:\\ヂ\\a.txt", "C:\\ア", sys));
    EXPECT_TRUE(IsExcludedHistoryFolder("C:\\ａ\\a.txt", "C:\\Ａ", sys));
}

} // namespace
