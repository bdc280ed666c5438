#include <gtest/gtest.h>

#include "app/document/docsave.h"
#include "settings/pathnames.h"

using namespace vellumo;

namespace {

// "ア" is 83 41 and "表" 95 5C: trail bytes that look like "A" and "\".
TEST(PathNames, CaseFoldingNeverTouchesTrailBytes)
{
    EXPECT_EQ(LowerCasePath("C:\\ABC\\\x83\x41\x95\x5C.TXT"), "c:\\abc\\\x83\x41\x95\x5C.txt");
    EXPECT_TRUE(SameFileName("C:\\Dir\\File.TXT", "c:\\dir\\file.txt"));
    EXPECT_FALSE(SameFileName("\x83\x41", "\x83\x61"));  // ア and ャ differ only in a trail byte's case
    EXPECT_TRUE(SameFileName("\x82\x60.txt", "\x82\x81.txt"));  // full-width Ａ and ａ
    EXPECT_TRUE(SameFileName("\x84\x50", "\x84\x81"));  // Cyrillic past the gap of the lower row
    EXPECT_FALSE(SameFileName("a.txt", "a.txt "));
    // A lone lead byte at the end is compared as it is.
    EXPECT_TRUE(SameFileName("A\x83", "a\x83"));
}

TEST(PathNames, SafeNamesFromText)
{
    EXPECT_EQ(SafeFileNameChars("a:b?c\"d*e,f/g;h<i>j\\k|l"), "a-b-c-d-e-f-g-h-i-j-k-l");
    EXPECT_EQ(SafeFileNameChars(std::string("a\tb\x01\x1f\x1a\x7f\0c", 10)), "abc");
    EXPECT_EQ(SafeFileNameChars("\x95\x5C\x83\x7C"), "\x95\x5C\x83\x7C");  // trail 5C and 7C stay
    EXPECT_EQ(SafeFileNameChars("ab\x95"), "ab");

    EXPECT_EQ(NameFromText({"", "   ", "  Title: what?  ", "next"}), "Title- what-");
    EXPECT_EQ(NameFromText({"\t\t", ""}), "");
    // 59 ASCII bytes then a double-byte character: the character does not fit and is not cut.
    const std::string a59(59, 'a');
    EXPECT_EQ(NameFromText({a59 + "\x88\x9F" + "zz"}), a59);
    EXPECT_EQ(NameFromText({a59 + "b\x88\x9F"}), a59 + "b");
    EXPECT_EQ(NameFromText({"notes..."}), "notes");
    EXPECT_EQ(NameFromText({"nul"}), "nul_");
    EXPECT_EQ(NameFromText({"Com3.log"}), "Com3_.log");
    EXPECT_EQ(NameFromText({"..."}), "");
}

TEST(PathNames, DeviceNamesAndParts)
{
    for (const char* d : {"NUL", "c:\\x\\con.txt", "lpt1", "COM9.", "prn ", "conout$", "x\\Aux.c"})
        EXPECT_TRUE(IsDeviceName(d)) << d;
    for (const char* d : {"null", "com0", "lpt10", "c:\\con\\a.txt", "console"})
        EXPECT_FALSE(IsDeviceName(d)) << d;

    // Refused paths: devices first, then the length the byte-string calls take.
    EXPECT_EQ(PathRefusal("\\\\.\\PhysicalDrive0"), TPathRefusal::Device);
    EXPECT_EQ(PathRefusal(std::string(300, 'a') + "\\aux"), TPathRefusal::Device);
    EXPECT_EQ(PathRefusal("C:\\" + std::string(256, 'a')), TPathRefusal::None);
    EXPECT_EQ(PathRefusal("C:\\" + std::string(257, 'a')), TPathRefusal::TooLong);
    EXPECT_EQ(PathRefusal("\\\\srv\\share\\a.txt"), TPathRefusal::None);

    EXPECT_EQ(ExtractFileName("c:\\d\\\x95\x5C.txt"), "\x95\x5C.txt");
    EXPECT_EQ(ChangeFileExt("c:\\d.x\\a.txt", ".bak"), "c:\\d.x\\a.bak");
    EXPECT_EQ(ChangeFileExt("c:\\d.x\\a", ".bak"), "c:\\d.x\\a.bak");
    EXPECT_EQ(PathRoot("d:\\a\\b"), "d:\\");
    EXPECT_EQ(PathRoot("\\\\srv\\share\\a"), "\\\\srv\\share\\");
    EXPECT_EQ(PathRoot("\\\\srv\\share"), "\\\\srv\\share\\");
    EXPECT_EQ(PathRoot("\\\\srv"), "");
}

TEST(PathNames, BackupNeverOntoTheFileItself)
{
    EXPECT_EQ(BackupFileName("C:\\d\\a.txt", "E:\\bk", true), "E:\\bk\\a.txt");
    EXPECT_EQ(BackupFileName("C:\\d\\a.txt", "E:\\bk", false), "C:\\d\\a.bak");
    // A document inside the backup folder is backed up beside itself.
    EXPECT_EQ(BackupFileName("C:\\Temp\\a.txt", "c:\\temp\\", true), "C:\\Temp\\a.bak");
    EXPECT_EQ(BackupFileName("C:\\d\\x.BAK", "", false), "");
    EXPECT_EQ(BackupFileName("C:\\Temp\\x.bak", "C:\\TEMP", true), "");
}

TEST(PathNames, LongNamesOfUncAndDrivePaths)
{
    int lookups = 0;
    TLongNameLookup sys;
    sys.FullPath = [](const std::string& p) { return p; };
    sys.Exists = [](const std::string&) { return true; };
    sys.LongName = [&](const std::string& p) {
        ++lookups;
        if (p == "C:\\PROGRA~1") return std::string("Program Files");
        if (p == "C:\\PROGRA~1\\A~1.TXT") return std::string("a long.txt");
        return std::string();
    };
    EXPECT_EQ(ExpandLongFileName("C:\\PROGRA~1\\A~1.TXT", sys), "C:\\Program Files\\a long.txt");
    EXPECT_EQ(ExpandLongFileName("\\\\srv\\share\\x\\y", sys), "\\\\srv\\share\\x\\y");
    // Empty and missing components end without looping or reading outside the path.
    for (const char* p : {"\\\\", "\\\\\\", "\\\\\\\\\\\\", "\\\\srv", "\\\\srv\\", "\\\\srv\\\\", "\\\\srv\\share\\\\\\",
                          "\\\\\x95\\\\", "C:\\", "C:"}) {
        lookups = 0;
        const std::string r = ExpandLongFileName(p, sys);
        EXPECT_LE(lookups, 4) << p;
        EXPECT_LE(r.size(), std::string(p).size() + 1) << p;
    }
    EXPECT_EQ(ExpandLongFileName("\\\\srv\\share\\\\a\\", sys), "\\\\srv\\share\\a");
}

TEST(PathNames, AbbreviatedPaths)
{
    const std::string longPath = "C:\\folder01\\folder02\\folder03\\folder04\\folder05\\folder06\\file.txt";
    EXPECT_EQ(AbbreviatePath(longPath), "C:\\...\\folder05\\folder06\\file.txt");
    const std::string unc = "\\\\server\\share\\f1\\f2\\f3\\f4\\f5\\verylongfilename_to_pass_48.txt";
    EXPECT_EQ(AbbreviatePath(unc), "\\\\server\\...\\f4\\f5\\verylongfilename_to_pass_48.txt");
    // Trail bytes 5C are not separators.
    std::string dbcs = "C:\\";
    for (int i = 0; i < 30; ++i) dbcs += "\x95\x5C";
    dbcs += "\\a\\b";
    EXPECT_EQ(AbbreviatePath(dbcs), dbcs);
}

} // namespace
