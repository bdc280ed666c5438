// Reading the command line: splitting, switch values and the hand-off lines.
#include <gtest/gtest.h>

#include <random>
#include <set>

#include "app/startup/cmdline.h"
#include "app/startup/instances.h"
#include "app/startup/startup.h"

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
        {"prog \"\x83\" \x83 x", {"prog", "\x83", "\x83", "x"}},  // stray lead bytes
        // The 5C of 0x95 0x5C is no separator: the pair stays whole.
        {"prog \"C:\\\x95\\\" \x83\x40x", {"prog", "C:\\\x95\\", "\x83\x40x"}},
        {"", {}},
    };
    for (const auto& c : cases) EXPECT_EQ(SplitCommandLine(c.line), c.args) << c.line;
}

TEST(CommandLineSplit, TheWideSplitKeepsTheRules)
{
    EXPECT_EQ(SplitWideCommandLine(L"prog /r  \"a\"b\"c d\" \"\" \"C:\\\u00E9\\\"\te"),
              (std::vector<std::wstring>{L"prog", L"/r", L"abc d", L"", L"C:\\\u00E9\\", L"e"}));
    EXPECT_TRUE(SplitWideCommandLine(L"").empty());
}

TEST(CommandLineSplit, AnUnquotedProgramPathStaysWhole)
{
    const std::string exe = "C:\\Program Files\\v.exe";
    EXPECT_EQ(SplitProcessCommandLine("C:\\program files\\V.EXE \"a b\" /r", exe),
              (std::vector<std::string>{"C:\\program files\\V.EXE", "a b", "/r"}));
    EXPECT_EQ(SplitProcessCommandLine("\"" + exe + "\" x", exe), (std::vector<std::string>{exe, "x"}));
    // Only the whole path followed by a blank counts.
    EXPECT_EQ(SplitProcessCommandLine("C:\\Program Files\\v.exex", exe).size(), 2u);
}

TEST(CommandLineSplit, QuotedArgumentsRoundTrip)
{
    // Any argument without a double quote survives being passed on quoted,
    // double-byte characters with 5C or 20 as second byte included.
    const std::string fragments[] = {"a", " ", "\\", "\t", "\x95\\", "\x83\x20", "\x81\x40", "/r", "-", "\xB1"};
    std::mt19937 rng(14);
    for (int round = 0; round < 500; ++round) {
        std::vector<std::string> args(1 + rng() % 4);
        std::string line;
        for (std::string& a : args) {
            for (unsigned n = rng() % 6; n > 0; --n) a += fragments[rng() % std::size(fragments)];
            line += (line.empty() ? "\"" : " \"") + a + '"';
        }
        ASSERT_EQ(SplitCommandLine(line), args) << line;
    }
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

    EXPECT_EQ(ReadSwitches(Line({"/tab=9", "/tab=8"})).TabWidth, 0);

    EXPECT_EQ(ReadSwitches(Line({"/cu8", "/cs"})).Code, 8);
    EXPECT_EQ(ReadSwitches(Line({"/cu8x", "/CU8N"})).Code, 9);  // exact names, any case
    EXPECT_EQ(ReadSwitches(Line({"/EC", "/el"})).LineEnd, 2);

    const TCommandLineSwitches ro = ReadSwitches(Line({"/rl", "/java", "/html"}));
    EXPECT_TRUE(ro.ReadOnlyLocked);
    EXPECT_FALSE(ro.ReadOnly);  // "/r" is exact: "/rl" is not it
    EXPECT_EQ(ro.EditMode, 6);
    EXPECT_EQ(ReadSwitches(Line({"/JS", "/def"})).EditMode, 13);
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

TEST(HandOff, OneLinePerExistingFileWithEverySwitch)
{
    const std::set<std::string> existing = {"a.txt", "dir", "b c.txt"};
    const TNameExists exists = [&](const std::string& n) { return existing.count(n) > 0; };
    const TCommandLine cl = Line({"a.txt", "/r", "missing.txt", "dir", "/wb=40", "b c.txt"});
    EXPECT_TRUE(HasSeveralFileArgs(cl, exists));
    EXPECT_EQ(ExistingFileArgs(cl, exists), (std::vector<std::string>{"a.txt", "dir", "b c.txt"}));
    const std::string line = HandOffCommandLine("C:\\v\\vellumo.exe", cl, "b c.txt");
    EXPECT_EQ(line, "\"C:\\v\\vellumo.exe\" \"/r\" \"/wb=40\" \"b c.txt\"");
    // What a child receives reads back as exactly one file and all the switches.
    const TCommandLine child = TCommandLine::FromText(line);
    EXPECT_EQ(child.ParamStr(3), "b c.txt");
    EXPECT_FALSE(HasSeveralFileArgs(child, exists));
    EXPECT_FALSE(HasSeveralFileArgs(Line({"a.txt", "missing.txt", "/r"}), exists));
    EXPECT_EQ(HandOffCommandLine("p.exe", Line({"a.txt"}), "a.txt"), "\"p.exe\" \"a.txt\"");
    EXPECT_EQ(NewInstanceParameters("C:\\s", Line({"/r", "x", "/i=C:\\s", "/T"}), "\"f\""),
              "\"/i=C:\\s\" \"/r\" \"/T\" \"f\"");
    EXPECT_EQ(NewInstanceParameters("", Line({"/r"}), "\"f\""), "\"f\"");
}

} // namespace
