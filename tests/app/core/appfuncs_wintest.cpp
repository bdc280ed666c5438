#include "app/document/docwin_support_win.h"

#include "app/core/appfuncs.h"
#include "settings/pathnames.h"

using namespace vellumo;
using namespace vellumo::testing;

namespace {

using AppFuncsWin = SaveTest;

TEST_F(AppFuncsWin, StatusMessageAndToolBarThroughTheWindow)
{
    ShowStatusMessage("working");
    EXPECT_EQ(form.panels[0], "working");
    EXPECT_FALSE(form.autoHint);
    ClearStatusMessage();
    EXPECT_EQ(form.panels[0], "");
    EXPECT_TRUE(form.autoHint);
    form.panels[0] = "hint";
    ClearStatusMessage();  // AutoHint on: a hint shown by the bar stays
    EXPECT_EQ(form.panels[0], "hint");

    Set().Option.ToolBarEnabled = true;
    Set().Browser.IePath = "C:\\ie.exe";
    Set().Browser.MfPath.clear();
    Ed().SetReadOnly(true);
    UpdateToolBarState();
    EXPECT_FALSE(form.toolBar.Save);
    EXPECT_TRUE(form.toolBar.InternetExplorer);
    EXPECT_FALSE(form.toolBar.Firefox);
}

TEST_F(AppFuncsWin, LinksOtherThanWebAndMailAreAskedFor)
{
    std::vector<std::string> opened;
    SetShellOpenSink([&](const std::string& t) {
        opened.push_back(t);
        return true;
    });
    OpenLinkText("https://example.org/");
    OpenLinkText("mailto:a@b.c");
    OpenLinkText("WWW.example.org");
    answerYes = false;
    OpenLinkText("file:///C:/tools/run.exe");
    answerYes = true;
    OpenLinkText("ms-help://x");
    SetShellOpenSink(nullptr);
    EXPECT_EQ(opened, (std::vector<std::string>{"https://example.org/", "mailto:a@b.c", "http://WWW.example.org", "ms-help://x"}));
    EXPECT_EQ(asked.size(), 2u);
}

TEST_F(AppFuncsWin, ForegroundTimeoutIsPutBack)
{
    DWORD before = 0, after = 0;
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETFOREGROUNDLOCKTIMEOUT, 0, &before, 0));
    ForceForegroundWindow(Ed().Handle());
    ForceForegroundWindow(nullptr);  // a call that cannot succeed restores too
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETFOREGROUNDLOCKTIMEOUT, 0, &after, 0));
    EXPECT_EQ(after, before);
}

TEST_F(AppFuncsWin, VersionPathsAndEnvironment)
{
    std::vector<std::string> texts;
    EXPECT_EQ(GetVersionStrings(texts), 1);  // the test program has no version resource
    EXPECT_EQ(texts.size(), 8u);

    CreateDirectoryA(folder.File("Long Folder Name").c_str(), nullptr);
    Put(folder.File("Long Folder Name\\Some File.txt"), "x");
    const std::string shortPath = ShortPathName(folder.File("Long Folder Name\\Some File.txt"));
    EXPECT_TRUE(SameFileName(ExpandLongFileName(shortPath), folder.File("Long Folder Name\\Some File.txt")));
    EXPECT_EQ(ExpandLongFileName(folder.File("nothing\\here.txt")), folder.File("nothing\\here.txt"));
    EXPECT_EQ(LongNameOfLastComponent(folder.File("nothing")), "");

    SetEnvironmentVariableA("VLMTEST", "C:\\bk");
    EXPECT_EQ(ExpandEnvInPath("%vlmtest%\\x"), "C:\\bk\\x");
    EXPECT_TRUE(CheckPathLength(std::string(259, 'a')));
    EXPECT_FALSE(CheckPathLength(std::string(260, 'a')));
    EXPECT_EQ(asked.size(), 1u);
    EXPECT_EQ(ToFullWidth("A\\"), "\x82\x60\x81\x8F");
    EXPECT_EQ(ToHalfWidth("\x82\x60"), "A");
}

TEST_F(AppFuncsWin, JumpsToPhysicalAndLogicalLines)
{
    std::string text;
    for (int i = 0; i < 100; ++i) text += "line " + std::to_string(i) + "\r\n";
    Ed().Lines().SetText(text);
    JumpToLine(50, 0);
    EXPECT_EQ(Ed().Row(), 49);
    EXPECT_EQ(Ed().Col(), 0);
    EXPECT_LE(Ed().TopRow(), 49);
    EXPECT_GT(Ed().TopRow() + Ed().RowCount(), 49);
    JumpToLine(0, 0);
    EXPECT_EQ(Ed().Row(), 49);
    JumpToLine(3, 1);
    EXPECT_EQ(Ed().Row(), 2);
    JumpToLastLine();
    EXPECT_GE(Ed().Row(), 99);
}

} // namespace
