// The browser preview's decisions and its exchange with the system, through
// a fake shell and a fake DDE conversation.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/integration/browserpreview.h"
#include "base/showmsg.h"

using namespace vellumo;

namespace {

TEST(BrowserPreview, ProgramPathIsLoweredOnAsciiOnlyAndLosesExeFromItsNameOnly)
{
    const struct {
        const char *in, *lowered, *stripped;
    } cases[] = {
        {"C:\\Program Files\\Web\\BROWSE.EXE", "c:\\program files\\web\\browse.exe", "c:\\program files\\web\\browse"},
        // Trail bytes in A..Z (41, 5A) and 5C stay as they are; the 5C is no separator.
        {"C:\\\x83\x41\x83\x5A\\\x95\x5CX.exe", "c:\\\x83\x41\x83\x5A\\\x95\x5Cx.exe", "c:\\\x83\x41\x83\x5A\\\x95\x5Cx"},
        // A folder named with ".exe" keeps it; every ".exe" of the name goes.
        {"D:\\tools.exe\\b.exe", "d:\\tools.exe\\b.exe", "d:\\tools.exe\\b"},
        {"b.exe.exe", "b.exe.exe", "b"},
        {"C:\\a\\b", "c:\\a\\b", "c:\\a\\b"},
        // A lead byte at the very end stands alone.
        {"A\x83", "a\x83", "a\x83"},
        // A trail ".": the name "\x83.exe" is a double-byte character then "exe".
        {"\x83.exe", "\x83.exe", "\x83.exe"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LowerAsciiPath(c.in), c.lowered) << c.in;
        EXPECT_EQ(WithoutExe(LowerAsciiPath(c.in)), c.stripped) << c.in;
    }
}

TEST(BrowserPreview, ItemsProgramLinesAndShellArguments)
{
    const std::string file = "C:\\\x95\x5C\\a.html";  // a folder whose trail byte is 5C
    EXPECT_EQ(OpenUrlItem(TPreviewBrowser::First, file), "\"file:" + file + "\",,-1,,,,,");
    EXPECT_EQ(OpenUrlItem(TPreviewBrowser::Second, file), "\"file:///" + file + "\",,0xFFFFFFFF,0x3,,,");
    EXPECT_EQ(ServiceProgram(TPreviewBrowser::First, "C:\\B\\X.EXE", file), "\"c:\\b\\x\" -nohome");
    EXPECT_EQ(ServiceProgram(TPreviewBrowser::Second, "C:\\B\\X.EXE", file), "\"c:\\b\\x\" \"file:///" + file + "\"");
    EXPECT_EQ(ShellParameters(file), "\"" + file + "\"");
    // The working folder goes bare: the call takes no quotes there.
    EXPECT_EQ(ShellFolder(file), "C:\\\x95\x5C");
    EXPECT_EQ(ShellFolder("C:\\a b\\x.html"), "C:\\a b");
    EXPECT_EQ(ShellFolder("C:\\x.html"), "C:\\");
    EXPECT_EQ(ShellFolder("x.html"), "");
}

TEST(BrowserPreview, MenuStateFollowsTheModeAndTheSettings)
{
    const struct {
        int menu;
        bool html, filter, iePath, mfPath;
        TBrowserMenuState want;
    } cases[] = {
        {0, true, true, true, false, {true, true, false, true}},
        {0, true, false, true, true, {false, false, false, true}},  // no HTML extensions: buttons only
        {0, false, true, true, true, {false, false, false, false}},
        {1, false, false, false, true, {true, false, true, true}},  // always, disabled without a path
        {2, true, true, true, true, {false, false, false, false}},   // never
    };
    for (const auto& c : cases) {
        TAppIniBw b;
        b.Menu = c.menu;
        b.IePath = c.iePath ? "ie" : "";
        b.MfPath = c.mfPath ? "mf" : "";
        EXPECT_EQ(BrowserMenuState(b, c.html, c.filter), c.want) << c.menu << c.html << c.filter;
    }
}

TEST(BrowserPreview, SaveRuleBeforeThePreview)
{
    using enum TPreviewSave;
    const struct {
        int rule;
        bool named, modified, needsSaveAs;
        TPreviewSave want;
    } cases[] = {
        {0, true, false, false, Go},   {1, true, false, true, Go},     {0, true, true, false, Save},
        {0, false, false, true, SaveAs}, {0, true, true, true, SaveAs}, {1, false, false, true, AskThenSave},
        {1, true, true, false, AskThenSave}, {2, false, true, true, Go}, {-1, true, true, false, Go},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PreviewSaveAction(c.rule, c.named, c.modified, c.needsSaveAs), c.want)
            << c.rule << c.named << c.modified << c.needsSaveAs;
}

// Records what the preview asks of the system.
struct TFakeSystem {
    std::vector<std::string> log;
    bool programExists = true, windowOpen = false, linkOk = true, requestOk = true;
    std::intptr_t shellResult = 42;

    struct Conv : IDdeConversation {
        TFakeSystem& s;
        explicit Conv(TFakeSystem& sys) : s(sys) {}
        void SetServiceApplication(const std::string& c) override { s.log.push_back("service " + c); }
        bool SetLink(const std::string& service, const std::string& topic) override
        {
            s.log.push_back("link " + service + " " + topic);
            return s.linkOk;
        }
        bool RequestData(const std::string& item) override
        {
            s.log.push_back("request " + item);
            return s.requestOk;
        }
        void CloseLink() override { s.log.push_back("close"); }
    };

    TPreviewShell Shell()
    {
        TPreviewShell sh;
        sh.FileExists = [this](const std::string&) { return programExists; };
        sh.FindBrowserWindow = [this](const TBrowserRow& row) -> void* {
            log.push_back(std::string("find ") + row.WindowClasses[0]);
            return windowOpen ? this : nullptr;
        };
        sh.BringForward = [this](void*) { log.push_back("forward"); };
        sh.NewConversation = [this] { return std::unique_ptr<IDdeConversation>(new Conv(*this)); };
        sh.ShellOpen = [this](const std::string& p, const std::string& a, const std::string& f) {
            log.push_back("shell " + p + " " + a + " " + f);
            return shellResult;
        };
        return sh;
    }
};

struct TFakeDocument {
    std::string name = "C:\\w\\a.html";
    bool modified = false, needsSaveAs = false, saveOk = true;
    int saves = 0, saveAses = 0;
    TPreviewDocument Get()
    {
        TPreviewDocument d;
        d.Modified = modified;
        d.NeedsSaveAs = [this] { return needsSaveAs; };
        d.Save = [this] { return ++saves, saveOk; };
        d.SaveAs = [this] {
            ++saveAses;
            if (saveOk) name = "C:\\new\\b.html";
            return saveOk;
        };
        d.CurrentFileName = [this] { return name; };
        return d;
    }
};

TEST(BrowserPreview, RunningBrowserGetsTheFileOverDdeElseTheProgramStarts)
{
    const std::string item1 = "request \"file:C:\\w\\a.html\",,-1,,,,,";
    const struct {
        const char* what;
        TPreviewBrowser browser;
        bool dde, window, link, request;
        std::vector<std::string> log;
    } cases[] = {
        {"DDE off", TPreviewBrowser::First, false, true, true, true, {"shell C:\\B.exe \"C:\\w\\a.html\" C:\\w"}},
        {"no window", TPreviewBrowser::First, true, false, true, true,
         {"find IEFrame", "shell C:\\B.exe \"C:\\w\\a.html\" C:\\w"}},
        {"answered", TPreviewBrowser::First, true, true, true, true,
         {"find IEFrame", "forward", "service \"c:\\b\" -nohome", "link Iexplore WWW_OpenURL", item1,
          "link Iexplore WWW_Activate", "request 0xFFFFFFFF,0x0", "close"}},
        // A failed link or request falls back on starting the program.
        {"no link", TPreviewBrowser::First, true, true, false, true,
         {"find IEFrame", "forward", "service \"c:\\b\" -nohome", "link Iexplore WWW_OpenURL", "close",
          "shell C:\\B.exe \"C:\\w\\a.html\" C:\\w"}},
        {"request failed", TPreviewBrowser::Second, true, true, true, false,
         {"find MozillaUIWindowClass", "forward", "service \"c:\\b\" \"file:///C:\\w\\a.html\"",
          "link Firefox WWW_OpenURL", "request \"file:///C:\\w\\a.html\",,0xFFFFFFFF,0x3,,,", "close",
          "shell C:\\B.exe \"C:\\w\\a.html\" C:\\w"}},
    };
    for (const auto& c : cases) {
        TFakeSystem sys;
        sys.windowOpen = c.window;
        sys.linkOk = c.link;
        sys.requestOk = c.request;
        TFakeDocument doc;
        TAppIniBw s;
        s.IePath = s.MfPath = "C:\\B.exe";
        s.IeDde = s.MfDde = c.dde;
        int shown = 0;
        TScopedMsgSink count([&](const std::string&, const std::string&, unsigned) { return ++shown, 1; });
        PreviewInBrowser(c.browser, s, true, doc.Get(), sys.Shell());
        EXPECT_EQ(sys.log, c.log) << c.what;
        EXPECT_EQ(shown, 0) << c.what;
    }
}

TEST(BrowserPreview, RefusalsAndSaves)
{
    TAppIniBw s;
    s.IePath = "C:\\B.exe";
    std::vector<std::string> msgs;
    int beeps = 0, answer = 1;
    TScopedMsgSink sink(
        [&](const std::string& text, const std::string&, unsigned) {
            msgs.push_back(text);
            return answer;
        },
        [&](unsigned) { ++beeps; });
    const std::string failure = BrowserRow(TPreviewBrowser::First).StartFailure;

    // No path: a beep and nothing else.
    TFakeSystem sys;
    TFakeDocument doc;
    PreviewInBrowser(TPreviewBrowser::Second, s, true, doc.Get(), sys.Shell());
    EXPECT_EQ(beeps, 1);
    EXPECT_TRUE(sys.log.empty());
    // A missing program is reported only while the item is shown.
    sys.programExists = false;
    PreviewInBrowser(TPreviewBrowser::First, s, true, doc.Get(), sys.Shell());
    EXPECT_EQ(msgs, std::vector<std::string>{failure});
    EXPECT_TRUE(sys.log.empty());
    PreviewInBrowser(TPreviewBrowser::First, s, false, doc.Get(), sys.Shell());
    EXPECT_EQ(sys.log.size(), 1u);
    // A start the shell refuses is reported.
    sys.shellResult = 2;
    msgs.clear();
    PreviewInBrowser(TPreviewBrowser::First, s, false, doc.Get(), sys.Shell());
    EXPECT_EQ(msgs, std::vector<std::string>{failure});

    // Save = 1 asks; Cancel saves nothing and starts nothing.
    sys = TFakeSystem{};
    s.Save = 1;
    doc.modified = true;
    answer = 2;
    msgs.clear();
    PreviewInBrowser(TPreviewBrowser::First, s, true, doc.Get(), sys.Shell());
    EXPECT_EQ(msgs, std::vector<std::string>{kPreviewSaveQuestion});
    EXPECT_EQ(doc.saves + doc.saveAses, 0);
    EXPECT_TRUE(sys.log.empty());
    answer = 1;
    PreviewInBrowser(TPreviewBrowser::First, s, true, doc.Get(), sys.Shell());
    EXPECT_EQ(doc.saves, 1);
    EXPECT_EQ(sys.log.size(), 1u);
    // Save = 0 on an untitled text: Save As, whose cancel stops the preview;
    // a new name is what the browser gets.
    s.Save = 0;
    doc.needsSaveAs = true;
    doc.saveOk = false;
    sys.log.clear();
    PreviewInBrowser(TPreviewBrowser::First, s, true, doc.Get(), sys.Shell());
    EXPECT_EQ(doc.saveAses, 1);
    EXPECT_TRUE(sys.log.empty());
    doc.saveOk = true;
    PreviewInBrowser(TPreviewBrowser::First, s, true, doc.Get(), sys.Shell());
    EXPECT_EQ(sys.log, std::vector<std::string>{"shell C:\\B.exe \"C:\\new\\b.html\" C:\\new"});
    // No save rule and no name: nothing on disk to show.
    s.Save = 2;
    doc.name.clear();
    sys.log.clear();
    PreviewInBrowser(TPreviewBrowser::First, s, true, doc.Get(), sys.Shell());
    EXPECT_TRUE(sys.log.empty());
}

} // namespace
