// Reading the command line: splitting, switch values and the hand-off lines.
#include <gtest/gtest.h>

#include <set>

#include "app/cmdline.h"
#include "app/startup.h"

using namespace vellumo;

namespace {

TCommandLine Line(std::initializer_list<std::string> args)
{
    std::vector<std::string> v{"C:\\v\\vellumo.exe"};
    v.insert(v.end(), args);
    return TCommandLine(v);
}

TEST(CommandLineSplit, QuotesToggleAndBackslashesAreOrdinary)
{
    const struct {
        const char* line;
        std::vector<std::string> args;
    } cases[] = {
        {R"("C:\dir\" "x y")", {"C:\\dir\\", "x y"}},
        {R"(prog /r  "a"b"c d" e)", {"prog", "/r", "abc d", "e"}},
        {"prog \"\" x", {"prog", "", "x"}},
        {"\tprog\t/wb=40 ", {"prog", "/wb=40"}},
        {"prog \"open", {"prog", "open"}},
        // 0x95 0x5C and 0x83 0x22 are no separators or quotes: the pairs stay whole.
        {"prog \"C:\\\x95\\\" \x83\x20x", {"prog", "C:\\\x95\\", "\x83\x20x"}},
        {"", {}},
    };
    for (const auto& c : cases) EXPECT_EQ(SplitCommandLine(c.line), c.args) << c.line;
}

TEST(CommandLineSwitches, ValuesAndFirstWins)
{
    // The wrap column: digits only, of at most 8 characters, 20..800 or -1.
    const struct {
        const char* arg;
        int wrap;
    } wraps[] = {{"/wb=1a2", 0}, {"/wb=1a23", 123}, {"/WB=40", 40}, {"/wb=19", 0}, {"/wb=801", 0},
                 {"/wb=800", 800}, {"/wb=-1", -1}, {"/wb=-", 0}, {"/wb=2-0", 20}, {"/wb=", 0}, {"/wb=000000400", 40}};
    for (const auto& w : wraps) EXPECT_EQ(ReadSwitches(Line({w.arg})).WrapByte, w.wrap) << w.arg;
    EXPECT_EQ(Line({"/wb=1a2"}).SwitchIntValue("/wb="), 12);
    EXPECT_EQ(Line({"/wb=", "/wb=30"}).SwitchIntValue("/wb="), 30);  // "/wb=" alone is no value

    EXPECT_EQ(ReadSwitches(Line({"/tab=8"})).TabWidth, 8);
    EXPECT_EQ(ReadSwitches(Line({"/tab=9"})).TabWidth, 0);
    EXPECT_EQ(ReadSwitches(Line({"/tab=0"})).TabWidth, 0);

    EXPECT_EQ(ReadSwitches(Line({"/cu8", "/cs"})).Code, 8);
    EXPECT_EQ(ReadSwitches(Line({"/CS", "/cu8"})).Code, 5);
    EXPECT_EQ(ReadSwitches(Line({"/cu8n"})).Code, 9);
    EXPECT_EQ(ReadSwitches(Line({"/cu8x"})).Code, -1);  // exact names only
    EXPECT_EQ(ReadSwitches(Line({"/el", "/ecl"})).LineEnd, 3);
    EXPECT_EQ(ReadSwitches(Line({"/EC"})).LineEnd, 2);

    const TCommandLineSwitches ro = ReadSwitches(Line({"/rl", "/java", "/html"}));
    EXPECT_TRUE(ro.ReadOnlyLocked);
    EXPECT_FALSE(ro.ReadOnly);  // "/r" is exact: "/rl" is not it
    EXPECT_EQ(ro.EditMode, 6);
    EXPECT_EQ(ReadSwitches(Line({"/def"})).EditMode, 0);
    EXPECT_EQ(ReadSwitches(Line({"/JS"})).EditMode, 13);
    EXPECT_EQ(ReadSwitches(Line({"/pl"})).EditMode, -1);

    // Jumps: "/j=" before "/jl=" before "/je"; a value of 0 gives way.
    const struct {
        std::initializer_list<std::string> args;
        int j, jl;
        bool je;
    } jumps[] = {{{"/je", "/jl=7", "/j=3"}, 3, 0, false},
                 {{"/je", "/jl=7", "/j=0"}, 0, 7, false},
                 {{"/je", "/jl=x"}, 0, 0, true},
                 {{"/J=12"}, 12, 0, false}};
    for (const auto& c : jumps) {
        const TCommandLineSwitches s = ReadSwitches(Line(c.args));
        EXPECT_EQ(s.JumpLine, c.j);
        EXPECT_EQ(s.JumpLogicalLine, c.jl);
        EXPECT_EQ(s.JumpEnd, c.je);
    }
    // Values keep their case and everything after the prefix.
    const TCommandLineSwitches d = ReadSwitches(Line({"/D=C:\\Work Dir", "/i=%APPDATA%\\V\\\\"}));
    EXPECT_EQ(d.DialogFolder, "C:\\Work Dir");
    EXPECT_EQ(d.SettingsFolder, "%APPDATA%\\V\\\\");
}

TEST(HandOff, OneProcessPerExistingFileWithEverySwitch)
{
    const std::set<std::string> existing = {"a.txt", "dir", "b c.txt"};
    const TNameExists exists = [&](const std::string& n) { return existing.count(n) > 0; };
    std::vector<TProcessStartRequest> started;
    TProcessStarter old = SetProcessStarter([&](const TProcessStartRequest& r) {
        started.push_back(r);
        return started.size() != 2;  // the second start fails and is skipped
    });
    const TCommandLine cl = Line({"a.txt", "/r", "missing.txt", "dir", "/wb=40", "b c.txt"});
    EXPECT_TRUE(HasSeveralFileArgs(cl, exists));
    EXPECT_EQ(SpawnPerFileArg("C:\\v\\vellumo.exe", cl, exists), 2);
    SetProcessStarter(old);
    ASSERT_EQ(started.size(), 3u);
    EXPECT_EQ(started[0].CommandLine, "\"C:\\v\\vellumo.exe\" \"/r\" \"/wb=40\" \"a.txt\"");
    EXPECT_EQ(started[1].CommandLine, "\"C:\\v\\vellumo.exe\" \"/r\" \"/wb=40\" \"dir\"");
    EXPECT_EQ(started[2].CommandLine, "\"C:\\v\\vellumo.exe\" \"/r\" \"/wb=40\" \"b c.txt\"");
    // What a child receives reads back as exactly one file and all the switches.
    const TCommandLine child = TCommandLine::FromText(started[2].CommandLine);
    EXPECT_EQ(child.ParamCount(), 3);
    EXPECT_EQ(child.ParamStr(3), "b c.txt");
    EXPECT_FALSE(HasSeveralFileArgs(child, exists));

    EXPECT_FALSE(HasSeveralFileArgs(Line({"a.txt", "missing.txt", "/r"}), exists));
    EXPECT_EQ(HandOffCommandLine("p.exe", Line({"a.txt"}), "a.txt"), "\"p.exe\" \"a.txt\"");
    EXPECT_EQ(ForwardedSwitches(Line({"/r", "x", "/i=C:\\s", "/T"})), "\"/r\" \"/T\"");
}

} // namespace
