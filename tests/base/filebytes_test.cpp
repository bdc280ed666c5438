#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "base/filebytes.h"
#include "support/tempfolder.h"

using namespace vellumo;
using vellumo::testing::TTempFolder;

namespace {

TEST(FileBytes, ReadsTellMissingFromUnreadable)
{
    TTempFolder dir;
    std::string bytes = "stale";
    EXPECT_EQ(ReadFileBytes(dir.File("none.txt"), bytes), TReadStatus::Missing);
    EXPECT_EQ(bytes, "");
    EXPECT_EQ(ReadFileBytes(dir.File("none/x.txt"), bytes), TReadStatus::Missing);
    EXPECT_EQ(ReadFileBytes(dir.Path(), bytes), TReadStatus::Failed);  // a folder

    const std::string data("a\0b\r\n\x95\x5C", 7);
    ASSERT_TRUE(ReplaceFileBytes(dir.File("f.bin"), data));
    EXPECT_EQ(ReadFileBytes(dir.File("f.bin"), bytes), TReadStatus::Ok);
    EXPECT_EQ(bytes, data);
}

TEST(FileBytes, ReplaceKeepsTheOldFileWhenItCannotWrite)
{
    TTempFolder dir;
    const std::string path = dir.File("a.txt");
    ASSERT_TRUE(ReplaceFileBytes(path, "one"));
    ASSERT_TRUE(ReplaceFileBytes(path, std::string(200000, 'x')));
    std::string bytes;
    ASSERT_EQ(ReadFileBytes(path, bytes), TReadStatus::Ok);
    EXPECT_EQ(bytes.size(), 200000u);
    ASSERT_TRUE(ReplaceFileBytes(path, ""));
    ASSERT_EQ(ReadFileBytes(path, bytes), TReadStatus::Ok);
    EXPECT_EQ(bytes, "");

    std::filesystem::create_directory(dir.File("sub"));
    std::string why;
    EXPECT_FALSE(ReplaceFileBytes(dir.File("sub"), "x", &why));
    EXPECT_FALSE(why.empty());
    EXPECT_TRUE(std::filesystem::is_directory(dir.File("sub")));
    EXPECT_EQ(dir.Entries().size(), 2u);  // no temporary file left behind
}

TEST(FileBytes, CreateNeverOverwrites)
{
    TTempFolder dir;
    const std::string path = dir.File("k.kwd");
    ASSERT_TRUE(CreateFileBytes(path, "first\r\n"));
    std::string why;
    EXPECT_FALSE(CreateFileBytes(path, "second\r\n", &why));
    EXPECT_FALSE(why.empty());
    std::string bytes;
    ASSERT_EQ(ReadFileBytes(path, bytes), TReadStatus::Ok);
    EXPECT_EQ(bytes, "first\r\n");
    std::filesystem::create_directory(dir.File("d.kwd"));
    EXPECT_FALSE(CreateFileBytes(dir.File("d.kwd"), "x"));
    EXPECT_FALSE(CreateFileBytes(dir.File("none/k.kwd"), "x"));
    EXPECT_EQ(dir.Entries().size(), 2u);
}

TEST(FileBytes, PathPartsSkipTrailBytes)
{
    // 95 5C is one character whose trail byte looks like "\".
    EXPECT_EQ(ExtractFileDir("C:\\dir\\\x95\x5C"), "C:\\dir");
    EXPECT_EQ(ExtractFileDir("C:\\\x95\x5C\\f.ini"), "C:\\\x95\x5C");
    EXPECT_EQ(ExtractFileDir("f.ini"), "");
    EXPECT_EQ(ExtractFileDir("/f.ini"), "/");
    EXPECT_EQ(ExtractFileDir("a/b/c"), "a/b");
    EXPECT_EQ(JoinPath("C:\\\x95\x5C", "k.kwd"), std::string("C:\\\x95\x5C") + PathDelim + "k.kwd");
    EXPECT_EQ(JoinPath("C:\\dir\\", "k.kwd"), "C:\\dir\\k.kwd");
    EXPECT_EQ(JoinPath("/tmp/", "k.kwd"), "/tmp/k.kwd");
    EXPECT_EQ(JoinPath("", "k.kwd"), "k.kwd");
}

} // namespace
