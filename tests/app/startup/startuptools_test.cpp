// The start-up tools: which run, and their command lines.
#include <gtest/gtest.h>

#include "app/startup/startuptools.h"
#include "base/inifile.h"

using namespace vellumo;

namespace {

TEST(StartupTools, ListAndCommandLines)
{
    const TMemIniFile ini = TMemIniFile::FromText("t.ini",
                                                  "[Tools]\r\nItemCount=4\r\n"
                                                  "StartRun0=1\r\nFile0=%p\\tool.exe\r\nParam0=%\"%f\" %n|%N %w%m %e%\r\nTmpDir0=%d\\out\r\n"
                                                  "StartRun1=0\r\n"
                                                  "StartRun2=1\r\nFile2=%ROOT%\\x.exe\r\nParam2=%%\r\n"
                                                  "StartRun3=1\r\nParam3=%cmd /c %D%\r\n"
                                                  "StartRun4=1\r\n");  // beyond ItemCount
    EXPECT_EQ(StartupToolList(ini), (std::vector<int>{0, 2, 3}));

    TToolPlaceholders v;
    v.DocPath = "C:\\a %n\\memo.txt";  // what a value inserts is never expanded again
    v.DocName = "memo.txt";
    v.DocShortName = "MEMO.TXT";
    v.DocFolder = "C:\\a %n";
    v.DocShortFolder = "C:\\A~1";
    v.Window = "1234";
    v.ModeSwitch = "/cpp";
    v.ProgramShortPath = "C:\\P\\V.EXE";
    v.ProgramFolder = "C:\\P";
    const auto expand = [](const std::string& s) {
        return s.rfind("%ROOT%", 0) == 0 ? "D:" + s.substr(6) : s;
    };
    TToolStart s = StartupToolStart(ini, 0, v, +expand);
    EXPECT_EQ(s.CommandLine, "C:\\P\\tool.exe \"C:\\a %n\\memo.txt\" memo.txt|MEMO.TXT 1234/cpp C:\\P\\V.EXE");
    EXPECT_EQ(s.Folder, "C:\\a %n\\out");
    s = StartupToolStart(ini, 2, v, +expand);  // "%%" stored: the program alone
    EXPECT_EQ(s.CommandLine, "D:\\x.exe");
    EXPECT_EQ(s.Folder, "");
    EXPECT_EQ(StartupToolStart(ini, 3, v, nullptr).CommandLine, "cmd /c C:\\A~1");  // no program: the parameters alone
    EXPECT_EQ(StartupToolStart(ini, 1, v, nullptr).CommandLine, "");
    // A program path with blanks that names a file is quoted.
    const TMemIniFile spaced = TMemIniFile::FromText("t.ini", "[Tools]\r\nItemCount=1\r\nFile0=%p\\x dir\\t.exe\r\nParam0=%-a%\r\n");
    const auto isFile = [](const std::string& p) { return p == "C:\\P\\x dir\\t.exe"; };
    EXPECT_EQ(StartupToolStart(spaced, 0, v, nullptr, +isFile).CommandLine, "\"C:\\P\\x dir\\t.exe\" -a");
}

TEST(StartupTools, ADamagedCountIsCapped)
{
    const TMemIniFile ini =
        TMemIniFile::FromText("t.ini", "[Tools]\r\nItemCount=200000000\r\nStartRun7=1\r\nStartRun5000=1\r\n");
    EXPECT_EQ(StartupToolList(ini), std::vector<int>{7});
}

} // namespace
