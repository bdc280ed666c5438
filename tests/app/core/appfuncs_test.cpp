#include <gtest/gtest.h>

#include <random>

#include "app/core/appfuncs.h"
#include "settings/settings.h"
#include "editor/vlines.h"

using namespace vellumo;

namespace {

TEST(AppFuncs, ReplacementIsOnePassOverTheOriginalText)
{
    EXPECT_EQ(StringReplaceAll("a", "aa", "banana"), "baanaanaa");
    EXPECT_EQ(StringReplaceAll("%f", "%f%f", "x%fy"), "x%f%fy");
    EXPECT_EQ(StringReplaceAll("", "x", "abc"), "abc");
    // Several placeholders: a value holding another key is not expanded again.
    EXPECT_EQ(StringReplaceEach({{"%f", "%d"}, {"%d", "C:\\"}}, "%f|%d"), "%d|C:\\");
    EXPECT_EQ(StringReplaceEach({{"%%", "%"}, {"%f", "F"}}, "%%f%f"), "%fF");
}

TEST(AppFuncs, SearchTextEscapesRoundTrip)
{
    // "表" (95 5C) keeps its trail byte; a real "\" doubles.
    const std::string text = "a\r\nb\\c\t\x95\x5C";
    const std::string esc = EscapeSearchText(text);
    EXPECT_EQ(esc, "a\\nb\\\\c\\t\x95\x5C");
    EXPECT_EQ(UnescapeSearchText(esc), text);
    EXPECT_EQ(UnescapeSearchText("\\q\\"), "\\q\\");
    // Random texts of the dangerous bytes survive the round trip.
    std::mt19937 rng(3);
    const char pool[] = {'\\', 'n', 't', '\r', '\n', '\t', 'a', '\x95', '\x5C', '\x81'};
    for (int i = 0; i < 500; ++i) {
        std::string s;
        for (int k = rng() % 12; k > 0; --k) s += pool[rng() % sizeof pool];
        ASSERT_EQ(UnescapeSearchText(EscapeSearchText(s)), s) << i;
    }
}

TEST(AppFuncs, SelectionBecomesASearchText)
{
    bool escaped = true;
    EXPECT_EQ(SearchTextFromSelection("", escaped), "");
    EXPECT_FALSE(escaped);
    std::string s(249, 'x');
    EXPECT_EQ(SearchTextFromSelection(s + "\x88\x9F" + "tail", escaped).size(), 249u);  // lead byte at 250
    EXPECT_EQ(SearchTextFromSelection(s + "\r\nxx", escaped).size(), 249u);            // CR at 250
    EXPECT_EQ(SearchTextFromSelection(s + "yz", escaped).size(), 250u);
    std::string t(248, 'x');
    EXPECT_EQ(SearchTextFromSelection(t + "\x88\x9F" + "z", escaped).size(), 250u);  // whole character fits
    EXPECT_FALSE(escaped);
    EXPECT_EQ(SearchTextFromSelection("a\x95\x5C", escaped), "a\x95\x5C");
    EXPECT_FALSE(escaped);  // a trail 5C is no backslash
    EXPECT_EQ(SearchTextFromSelection("a\\b", escaped), "a\\\\b");
    EXPECT_TRUE(escaped);
}

TEST(AppFuncs, BlanksAndConsoleCommands)
{
    EXPECT_EQ(TrimLeftBlanks(" \t\x81\x40x \x81\x40"), "x \x81\x40");
    EXPECT_EQ(TrimLeftBlanks("\x81\x41x"), "\x81\x41x");
    for (const char* yes : {"cmd /c dir", "CMD.EXE  -C", "command.com /C x", "cmd /c", "  cmd /c dir", "cmd /c "})
        EXPECT_TRUE(IsConsoleCommand(yes)) << yes;
    for (const char* no : {"cmd", "cmd /k dir", "cmdx /c", "cmd /cx", "\"cmd\" /c", "ping /c"})
        EXPECT_FALSE(IsConsoleCommand(no)) << no;
}

TEST(AppFuncs, EnvironmentInPaths)
{
    auto env = [](const std::string& name, std::string& value) {
        if (name == "TEMP" || name == "temp") value = "C:\\T";
        else if (name == "LONG") value = std::string(300, 'x');
        else return false;
        return true;
    };
    auto none = [](const std::string&) { return false; };
    EXPECT_EQ(ExpandEnvInPath("%TEMP%\\bk", env, none), "C:\\T\\bk");
    EXPECT_EQ(ExpandEnvInPath("%temp%\\a\\%TEMP%", env, none), "C:\\T\\a\\%TEMP%");
    EXPECT_EQ(ExpandEnvInPath("a%%b", env, none), "a%%b");
    EXPECT_EQ(ExpandEnvInPath("%NOPE%\\x", env, none), "%NOPE%\\x");
    EXPECT_EQ(ExpandEnvInPath("%LONG%", env, none), "%LONG%");
    EXPECT_EQ(ExpandEnvInPath("C:\\100%TEMP%", env, [](const std::string&) { return true; }), "C:\\100%TEMP%");
    EXPECT_TRUE(PathLengthOk(std::string(259, 'a') + "  "));
    EXPECT_FALSE(PathLengthOk(std::string(260, 'a')));
}

TEST(AppFuncs, OnlyWebAndMailLinksOpenWithoutAsking)
{
    for (const char* ok : {"http://x", "HTTPS://x", "ftp://h/f", "mailto:a@b"}) EXPECT_TRUE(IsPlainLink(ok)) << ok;
    for (const char* ask : {"file:///c:/x.exe", "javascript:x", "ms-settings:", "\\\\srv\\x", "httpx://"})
        EXPECT_FALSE(IsPlainLink(ask)) << ask;

}

TEST(AppFuncs, GuideLinesFollowWrapAndColumnSettings)
{
    TAppSettings s;
    s.Option.WordWrap = true;
    s.Option.WrapLine = true;
    s.Option.WrapCount = 80;
    s.Option.ColLine = true;
    s.Option.ColLineByte = 80;
    TVerticalLines lines;
    FillGuideLines(lines, s);
    ASSERT_EQ(lines.Count(), 2);
    EXPECT_EQ(lines.Items(0).Position(), 80);
    EXPECT_TRUE(lines.Items(0).Visible());
    EXPECT_FALSE(lines.Items(1).Visible());  // at the wrap line: hidden while wrapping
    s.Option.ColLineByte = 79;
    FillGuideLines(lines, s);
    EXPECT_TRUE(lines.Items(1).Visible());
    s.Option.WordWrap = false;
    s.Option.ColLineByte = 120;
    FillGuideLines(lines, s);
    EXPECT_TRUE(!lines.Items(0).Visible() && lines.Items(1).Visible());
}

} // namespace
