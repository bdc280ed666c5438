// The checks on what other programs send the main window: parameters,
// atoms, the text in a mapping, paths and the settings folder, and which
// messages the window's state refuses.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "app/core/reloadini.h"
#include "app/integration/appmessages.h"
#include "app/startup/instances.h"

using namespace vellumo;

namespace {

TEST(AppMessages, ParametersAreSigned32BitValues)
{
    EXPECT_EQ(Param32(0xFFFFFFFFu), -1);               // a 32-bit sender's -1
    EXPECT_EQ(Param32(~std::uint64_t{0}), -1);         // a 64-bit sender's
    EXPECT_EQ(Param32(0x80000001u), -0x7FFFFFFF);
    EXPECT_EQ(Param32(0x1'0000'0005u), 5);              // high bits set
    EXPECT_EQ(MappingName(0xFFFF'FFFF'0001'0002u), "Vellumo_Map_65538");
    EXPECT_EQ(MappingName(0x8000'0000u), "Vellumo_Map_2147483648");
}

TEST(AppMessages, OnlyStringAtomsAreNames)
{
    EXPECT_EQ(StringAtomOf(0xC000), 0xC000);
    EXPECT_EQ(StringAtomOf(0xFFFF), 0xFFFF);
    EXPECT_EQ(StringAtomOf(0xBFFF), 0);    // an integer atom
    EXPECT_EQ(StringAtomOf(1), 0);
    EXPECT_EQ(StringAtomOf(0), 0);
    EXPECT_EQ(StringAtomOf(0x1'0000), 0);  // above any atom
    EXPECT_EQ(StringAtomOf(0xFFFF'FFFF'FFFF'C001u), 0);
}

TEST(AppMessages, TextEndsAtItsNulAndIsTakenOnlyWithinTheView)
{
    std::string text = "old";
    // A sender passing its buffer's size: the text ends at the first NUL.
    const char buffer[] = {'a', 'b', '\0', 'g', 'a', 'r', 'b', '\0', 'x'};
    ASSERT_TRUE(TextFromView(buffer, sizeof buffer, sizeof buffer, text));
    EXPECT_EQ(text, "ab");
    ASSERT_TRUE(TextFromView(buffer, sizeof buffer, 2, text));  // the NUL at byte L
    EXPECT_EQ(text, "ab");
    ASSERT_TRUE(TextFromView(buffer, 3, 0x7FFFFFFF, text));     // ended within the view
    EXPECT_EQ(text, "ab");
    // No NUL up to byte L: the L bytes, also when they fill the view.
    const char edge[] = {'a', 'b', 'c', 'd', 'e'};
    ASSERT_TRUE(TextFromView(edge, sizeof edge, 3, text));
    EXPECT_EQ(text, "abc");
    ASSERT_TRUE(TextFromView(edge, sizeof edge, 5, text));
    EXPECT_EQ(text, "abcde");
    ASSERT_TRUE(TextFromView(edge, sizeof edge, 0, text));
    EXPECT_EQ(text, "");
    text = "kept";
    EXPECT_FALSE(TextFromView(edge, sizeof edge, 6, text));  // would be cut at the edge
    EXPECT_FALSE(TextFromView(edge, sizeof edge, -1, text));
    EXPECT_FALSE(TextFromView(edge, 0, 1, text));            // nothing readable
    EXPECT_FALSE(TextFromView(nullptr, 4096, 1, text));
    EXPECT_EQ(text, "kept");
    // The text and its NUL must both fit.
    EXPECT_TRUE(TextFitsView(4095, 4096));
    EXPECT_FALSE(TextFitsView(4096, 4096));
    EXPECT_FALSE(TextFitsView(0, 0));
}

TEST(AppMessages, BusyRefusesEveryMessageAndDocumentChangesNeedAFreeWindow)
{
    std::set<unsigned> all = {WM_JUMPLINE, WM_RELOADINI, WM_JUMPEND};
    for (unsigned m = WM_APP_SAVE; m <= WM_APP_SETSEL; ++m) all.insert(m);
    for (unsigned m : all) {
        ASSERT_TRUE(IsInterfaceMessage(m)) << std::hex << m;
        EXPECT_FALSE(MessageAllowed(m, {true, false, true})) << std::hex << m;
        const bool changesDocument = m == WM_APP_SAVE || m == WM_APP_OPENFILE || m == WM_APP_SETINIFOLDER;
        // A tool's wait lets the text messages through; a modal dialog too.
        EXPECT_EQ(MessageAllowed(m, {false, true, true}), !changesDocument) << std::hex << m;
        EXPECT_EQ(MessageAllowed(m, {false, false, false}), !changesDocument) << std::hex << m;
        EXPECT_TRUE(MessageAllowed(m, {false, false, true})) << std::hex << m;
    }
    EXPECT_FALSE(IsInterfaceMessage(0x463));
    EXPECT_FALSE(IsInterfaceMessage(0x467));
    EXPECT_FALSE(IsInterfaceMessage(WM_APP_SAVE - 1));
    EXPECT_FALSE(IsInterfaceMessage(WM_APP_SETSEL + 1));
}

TEST(AppMessages, AbsolutePathsOnly)
{
    EXPECT_TRUE(IsAbsolutePath("C:\\a.txt"));
    EXPECT_TRUE(IsAbsolutePath("z:/a"));
    EXPECT_TRUE(IsAbsolutePath("\\\\server\\share"));
    EXPECT_TRUE(IsAbsolutePath("\\\\server\\share\\a.txt"));
    EXPECT_FALSE(IsAbsolutePath("a.txt"));
    EXPECT_FALSE(IsAbsolutePath("C:a.txt"));    // relative to the drive's current folder
    EXPECT_FALSE(IsAbsolutePath("\\a.txt"));    // relative to the current drive
    EXPECT_FALSE(IsAbsolutePath("1:\\a.txt"));
    EXPECT_FALSE(IsAbsolutePath("\\\\server"));
    EXPECT_FALSE(IsAbsolutePath("\\\\server\\"));
    EXPECT_FALSE(IsAbsolutePath("\\\\.\\pipe\\p"));
    EXPECT_FALSE(IsAbsolutePath("\\\\?\\C:\\a.txt"));
    EXPECT_FALSE(IsAbsolutePath(""));
}

TEST(AppMessages, SettingsFolderMustExistBeAbsoluteAndKeepThePathShort)
{
    std::set<std::string> folders = {"C:\\", "C:\\ini\\", "D:\\\x95\\\\"};
    const auto exists = [&](const std::string& f) { return folders.count(f) > 0; };
    const std::string program = "C:\\bin\\vellumo.exe";
    TSettingsFolderChange c;
    ASSERT_TRUE(SettingsFolderFromMessage("C:\\ini\\\\", "", program, exists, c));
    EXPECT_EQ(c.Folder, "C:\\ini");
    EXPECT_EQ(c.IniPath, "C:\\ini\\vellumo.INI");
    ASSERT_TRUE(SettingsFolderFromMessage("C:\\", "C:\\ini", program, exists, c));
    EXPECT_EQ(c.IniPath, "C:\\vellumo.INI");
    // A trail byte 5C ends no name: the folder keeps it.
    ASSERT_TRUE(SettingsFolderFromMessage("D:\\\x95\\", "", program, exists, c));
    EXPECT_EQ(c.Folder, "D:\\\x95\\");

    c = {};
    EXPECT_FALSE(SettingsFolderFromMessage("c:\\INI", "C:\\ini", program, exists, c));  // the same, by case
    EXPECT_FALSE(SettingsFolderFromMessage("C:\\missing", "", program, exists, c));      // never created
    EXPECT_FALSE(SettingsFolderFromMessage("ini", "", program, exists, c));
    EXPECT_FALSE(SettingsFolderFromMessage("", "", program, exists, c));
    EXPECT_FALSE(SettingsFolderFromMessage("\\\\.\\C:", "", program, exists, c));
    const std::string deep = "C:\\" + std::string(245, 'd');  // + "\vellumo.INI" = 260 bytes
    folders.insert(deep + "\\");
    EXPECT_FALSE(SettingsFolderFromMessage(deep, "", program, exists, c));
    EXPECT_TRUE(c.IniPath.empty());
    ASSERT_TRUE(SettingsFolderFromMessage(deep.substr(0, deep.size() - 1), "", program,
                                          [](const std::string&) { return true; }, c));
    EXPECT_EQ(c.IniPath.size(), 259u);
}

TEST(AppMessages, SelectionRequests)
{
    EXPECT_EQ(SelRequestOf(0, -1).Kind, TSelRequest::All);
    EXPECT_EQ(SelRequestOf(-1, 7).Kind, TSelRequest::Clear);
    const TSelRequest back = SelRequestOf(5, 2);
    EXPECT_EQ(back.Kind, TSelRequest::Range);
    EXPECT_EQ(back.Start, 5);
    EXPECT_EQ(back.Length, -3);
    // Far ends do not wrap around in 32 bits.
    EXPECT_EQ(SelRequestOf(-5, 0x7FFFFFFF).Length, 0x7FFFFFFFLL + 5);
    EXPECT_EQ(SelRequestOf(0x7FFFFFFF, -0x7FFFFFFF - 1).Length, -0xFFFFFFFFLL);
}

TEST(AppMessages, BlankStatusTexts)
{
    EXPECT_TRUE(IsBlankText(""));
    EXPECT_TRUE(IsBlankText(" \t\r\n"));
    EXPECT_FALSE(IsBlankText(" x "));
    EXPECT_FALSE(IsBlankText("\x81\x40"));  // a full-width blank is text
}

} // namespace
