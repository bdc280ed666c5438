// The tool runner's decisions: the temporary file's extension, the one-pass
// placeholders, the selection's head, quoting the program, the save step,
// the read-back and the kept error text.
#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <vector>
#include <string>

#include "app/integration/toolrunner.h"

namespace vellumo {
namespace {

TEST(ToolRunner, TempExtensionEndsWhereAFileNameCannotGoOn)
{
    const struct {
        const char *params, *ext;
    } cases[] = {
        {"%t.html", "html"},
        {"\"%t.html\" -x", "html"},   // the closing quote is no part of it
        {"%t.tar.gz rest", "tar.gz"},
        {"a %t.txt|more", "txt"},
        {"%t.h<x", "h"},
        {"%t.\x95\x5Cx y", "\x95\x5Cx"},  // a trail byte 5C is no separator
        {"%t. x", ""},
        {"%t x", ""},
        {"%%t.x", ""},  // "%%" is a pair: no "%t." follows
        {"%f %t.md %t.txt", "md"},  // the first one counts
    };
    for (const auto& c : cases) EXPECT_EQ(TempExtension(c.params), c.ext) << c.params;
}

TEST(ToolRunner, PlaceholdersAreReplacedOnceAndTheTempPathStandsForEitherForm)
{
    TToolValues v;
    v.DocPath = "C:\\%d\\%m.txt";
    v.DocShortPath = "C:\\S";
    v.DocName = "%m.txt";
    v.DocShortName = "M~1.TXT";
    v.DocBase = "%m";
    v.DocShortBase = "M~1";
    v.DocFolder = "C:\\%d";
    v.DocShortFolder = "C:\\D";
    v.Window = "42";
    v.Selection = "%f";
    v.ModeSwitch = "/perl";
    v.ProgramShortPath = "C:\\P\\V.EXE";
    v.ProgramFolder = "C:\\P %e";
    v.ProgramShortFolder = "C:\\P";
    EXPECT_EQ(ExpandToolParams("%f|%F|%n|%N|%b|%B|%d|%D|%w|%s|%m|%e|%p|%P|%x|%%", v, "T", ""),
              "C:\\%d\\%m.txt|C:\\S|%m.txt|M~1.TXT|%m|M~1|C:\\%d|C:\\D|42|%f|/perl|C:\\P\\V.EXE|C:\\P %e|C:\\P|%x|%%");
    EXPECT_EQ(ExpandToolParams("\"%t.html\" %t %t.txt", v, "C:\\T\\VM_1.html", "html"),
              "\"C:\\T\\VM_1.html\" C:\\T\\VM_1.html C:\\T\\VM_1.html.txt");
    EXPECT_EQ(ExpandToolFolder("%d\\%p\\%D%P%f", v), "C:\\%d\\C:\\P %e\\C:\\DC:\\P%f");
    EXPECT_EQ(ExpandToolProgram("%e %p %P %d", v), "C:\\P\\V.EXE C:\\P %e C:\\P %d");
}

TEST(ToolRunner, SelectionIsCutAt256BytesWithoutSplittingACharacter)
{
    EXPECT_EQ(ToolSelectionText(std::string(300, 'a')), std::string(256, 'a'));
    EXPECT_EQ(ToolSelectionText("abc"), "abc");
    // A double-byte character at bytes 256 and 257 is left out whole.
    const std::string lead = std::string(255, 'a') + "\x82\xa0" + "zz";
    EXPECT_EQ(ToolSelectionText(lead), std::string(255, 'a'));
    // One ending at byte 256 stays; so does a trail byte that looks like a lead.
    const std::string pairs = std::string(254, 'a') + "\x82\xa0" + "zz";
    EXPECT_EQ(ToolSelectionText(pairs), std::string(254, 'a') + "\x82\xa0");
    const std::string trail = std::string(253, 'a') + "\x81\x81" + "\x81\x81";
    EXPECT_EQ(ToolSelectionText(trail + "zz"), trail.substr(0, 255));
}

TEST(ToolRunner, ProgramPathIsQuotedOnlyWhenItNamesAFileWithBlanks)
{
    const std::set<std::string> files = {"C:\\x dir\\tool.exe", "C:\\y dir\\run.exe", "C:\\plain.exe"};
    const auto isFile = [&](const std::string& p) { return files.count(p) > 0; };
    EXPECT_EQ(QuoteProgramPath("C:\\x dir\\tool.exe", isFile), "\"C:\\x dir\\tool.exe\"");
    EXPECT_EQ(QuoteProgramPath("C:\\y dir\\run", isFile), "\"C:\\y dir\\run\"");
    EXPECT_EQ(QuoteProgramPath("\"C:\\x dir\\tool.exe\"", isFile), "\"C:\\x dir\\tool.exe\"");
    EXPECT_EQ(QuoteProgramPath("C:\\x dir\\tool.exe -a", isFile), "C:\\x dir\\tool.exe -a");  // arguments of its own
    EXPECT_EQ(QuoteProgramPath("C:\\plain.exe", isFile), "C:\\plain.exe");
    EXPECT_EQ(QuoteProgramPath("cmd /c C:\\x dir\\tool.exe", [](const std::string&) { return true; }),
              "cmd /c C:\\x dir\\tool.exe");
}

TEST(ToolRunner, SaveStepAndReadBack)
{
    using S = TToolSaveStep;
    EXPECT_EQ(ToolSaveStep(0, true, false), S::None);  // named and saved: nothing to do
    EXPECT_EQ(ToolSaveStep(0, false, false), S::Save);  // untitled: a name first
    EXPECT_EQ(ToolSaveStep(1, true, true), S::Ask);
    EXPECT_EQ(ToolSaveStep(7, false, true), S::None);

    using R = TReadBack;
    const TFileStamp written{1000, 5};
    EXPECT_EQ(DecideReadBack(written, true, written, false, false), R::Nothing);
    EXPECT_EQ(DecideReadBack(written, true, {1001, 5}, false, false), R::Read);  // 100 ns later, same size
    EXPECT_EQ(DecideReadBack(written, true, {1000, 6}, false, false), R::Read);
    EXPECT_EQ(DecideReadBack(written, true, {1001, 5}, true, false), R::Ask);
    EXPECT_EQ(DecideReadBack(written, true, {1001, 5}, false, true), R::Nothing);  // abandoned
    EXPECT_EQ(ReadBackText(std::string("A\0B\0", 4)), "A B ");
}

TEST(ToolRunner, ErrorMessageShowsTheFirstLinesCutWholeWithAMark)
{
    const std::string head = "コンソールエラー:\r\n\r\n", cut = std::string("\r\n") + kToolErrorCut;
    TToolErrorText e;
    e.Append(std::string(kMaxToolErrorText - 1, 'e'));
    e.Append("\x82\xa0");  // cut at the limit: dropped whole
    e.Append("more");
    EXPECT_EQ(e.Text(), std::string(kMaxToolErrorText - 1, 'e'));
    EXPECT_TRUE(e.More());
    EXPECT_EQ(ConsoleErrorMessage(e.Text(), e.More()), head + e.Text() + cut);
    TToolErrorText whole;
    whole.Append(std::string(kMaxToolErrorText, 'x'));
    EXPECT_FALSE(whole.More());

    EXPECT_EQ(ConsoleErrorMessage("bad\r\n\r\n"), head + "bad\r\n");
    // Many short lines: the first ones.
    std::string lines;
    for (std::size_t i = 0; i < kMaxToolErrorLines + 5; ++i) lines += "l" + std::to_string(i) + "\r\n";
    const std::size_t twentieth = lines.find("l" + std::to_string(kMaxToolErrorLines));
    EXPECT_EQ(ConsoleErrorMessage(lines), head + lines.substr(0, twentieth - 2) + cut);
    EXPECT_EQ(ConsoleErrorMessage(lines.substr(0, twentieth)), head + lines.substr(0, twentieth - 2));
    // Cut text ends with its last whole line.
    EXPECT_EQ(ConsoleErrorMessage("one\r\ntwo\r\nthr", true), head + "one\r\ntwo" + cut);
}

TEST(ToolRunner, HeldTempFilesAreTriedOnlyOnceTheirToolEndedAndNotForEver)
{
    std::vector<TPendingDelete> pending = {{"a", 7}, {"b", 0}, {"c", 0}};
    bool toolRuns = true;
    int asked = 0;
    std::vector<std::string> tried;
    const auto running = [&](std::uintptr_t tool) {
        EXPECT_EQ(tool, 7u);
        ++asked;
        return toolRuns;
    };
    const auto tryDelete = [&](const std::string& p) {
        tried.push_back(p);
        return p == "b";
    };
    SweepPendingDeletes(pending, running, tryDelete);
    EXPECT_EQ(tried, (std::vector<std::string>{"b", "c"}));
    ASSERT_EQ(pending.size(), 2u);
    EXPECT_EQ(pending[0].TriesLeft, kTempDeleteTries);  // its tool runs: no try spent
    EXPECT_EQ(pending[1].TriesLeft, kTempDeleteTries - 1);

    toolRuns = false;
    asked = 0;
    for (int i = 0; i < kTempDeleteTries && !pending.empty(); ++i) SweepPendingDeletes(pending, running, tryDelete);
    EXPECT_TRUE(pending.empty());
    EXPECT_EQ(asked, 1);  // an ended tool is not asked again
}

} // namespace
} // namespace vellumo
