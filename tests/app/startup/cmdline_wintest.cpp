// The command line processed against a fake main window, another instance
// found by its window, and the hand-off of several files.
#include "app/document/docfake_win.h"

#include <objidl.h>
#include <shlobj.h>

#include "support/shelllink_win.h"

#include "app/startup/instances.h"
#include "app/startup/settingsloc.h"
#include "app/startup/startup.h"
#include "app/startup/startuptools.h"
#include "base/widename.h"
#include "classlib/process_win.h"

namespace vellumo::testing {
namespace {

class CommandLineTest : public DocumentTest {
protected:
    const TCommandLineOptions& Run(std::vector<std::string> args)
    {
        args.insert(args.begin(), "vellumo.exe");
        SetSystemCommandLine(TCommandLine(args));
        return ProcessCommandLine();
    }
};

TEST_F(CommandLineTest, CodesLineEndsAndReadOnly)
{
    const std::string u16 = Write("u16.txt", std::string("\xFF\xFE" "a\0\r\0\n\0", 8));
    const std::string crlf = Write("crlf.txt", "x\r\ny\r\n");
    const struct {
        std::vector<std::string> args;
        bool autoCvt;
        TCharCode code;
        TLineEndCode le;
        const char* text;
        const char* panel8;
    } cases[] = {
        // The code switch decodes even with detection off; the first code switch wins.
        {{"/cu", u16, "/cs"}, false, ccUnicode, leCrLf, "a\r\n", ""},
        {{"/cs", "/cu", u16}, true, ccSjis, leCr, nullptr, ""},
        // The line end asked for holds over the file's.
        {{crlf, "/el", "/ec"}, true, ccNone, leLf, "x\r\ny\r\n", ""},
        {{"/r", crlf}, true, ccNone, leCrLf, nullptr, "(書禁)"},
        {{"/rl", "/r", crlf}, true, ccNone, leCrLf, nullptr, "書禁"},
    };
    for (const auto& c : cases) {
        Document() = TDocumentState{};
        SetReadOnlyState(false, false);
        Set().JCode.LoadAutoCvt = c.autoCvt;
        const TCommandLineOptions& o = Run(c.args);
        EXPECT_FALSE(o.EndRequested);
        EXPECT_EQ(Document().DocumentCode, c.code) << c.args[0];
        EXPECT_EQ(Document().DocumentLineEnd, c.le) << c.args[0];
        if (c.text) {
            EXPECT_EQ(Text(), c.text);
        }
        EXPECT_EQ(form.panels[8], c.panel8);
        EXPECT_EQ(Set().JCode.LoadAutoCvt, c.autoCvt);  // put back after the load
        EXPECT_EQ(Document().ForcedLoadCode, -1);
    }
    EXPECT_EQ(form.panels[6], "CRLF");
    // Only the UTF-16 bytes read as Shift-JIS held NULs.
    EXPECT_EQ(asked.size(), 1u);
}

TEST_F(CommandLineTest, WrapTabModeJumpsAndPrint)
{
    const std::string f = Write("a.txt", "a\r\n");
    Set().Option.WrapCount = 80;
    Run({"/WB=1a2", "/wb=40"});  // the first one decides: 12 is out of range
    EXPECT_EQ(Set().Option.WrapCount, 80);
    EXPECT_EQ(form.wrapChanged, 0);
    Set().Option.WrapLine = true;
    Run({"/wb=40", "/tab=4", "/java", "/cpp"});
    EXPECT_EQ(Set().Option.WrapCount, 40);
    // The wrap guide line stands at the new column.
    ASSERT_EQ(form.editor->VerticalLines().Count(), 2);
    EXPECT_EQ(form.editor->VerticalLines().Items(0).Position(), 40);
    EXPECT_TRUE(form.editor->VerticalLines().Items(0).Visible());
    EXPECT_TRUE(Set().Option.WordWrap && form.editor->WordWrap());
    EXPECT_EQ(form.editor->WrapOption().WrapByte(), 40);
    EXPECT_EQ(form.editor->TabSpaceCount(), 4);
    EXPECT_EQ(Set().Option.TabSpaceCount, 4);
    EXPECT_EQ(form.modeSwitch, 6);
    Run({"/wb=-1", "/tab=9"});
    EXPECT_FALSE(form.editor->WordWrap() || Set().Option.WordWrap);
    EXPECT_FALSE(form.editor->VerticalLines().Items(0).Visible());
    EXPECT_EQ(form.editor->TabSpaceCount(), 4);
    EXPECT_EQ(form.wrapChanged, 2);

    const TCommandLineOptions& o = Run({"/jl=9", f, "/j=3", "/p"});
    EXPECT_EQ(o.Switches.JumpLine, 3);
    EXPECT_TRUE(o.PrintAndExit);
    Document() = TDocumentState{};
    EXPECT_FALSE(Run({"/p"}).PrintAndExit);
}

TEST_F(CommandLineTest, MissingNamesWildcardsAndFolders)
{
    // Offered for creation: Yes names the document by its full path, nothing on disk, "/o" ignored.
    char cwd[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, cwd);
    SetCurrentDirectoryA(folder.Path().c_str());
    const TCommandLineOptions& yes = Run({"/o", "new.txt"});
    SetCurrentDirectoryA(cwd);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_NE(asked[0].find("new.txt\" が見当たりません。\r\n\r\n新規作成しますか？"), std::string::npos);
    EXPECT_FALSE(yes.EndRequested);
    EXPECT_TRUE(SameFileName(Document().CurrentFileName, folder.File("new.txt")));
    EXPECT_FALSE(Document().OutputMode);
    EXPECT_EQ(GetFileAttributesA(folder.File("new.txt").c_str()), INVALID_FILE_ATTRIBUTES);

    // No: the application ends, and nothing after that is done.
    Document() = TDocumentState{};
    answerYes = false;
    const std::string later = Write("later.txt", "x");
    const TCommandLineOptions& no = Run({folder.File("gone.txt"), later, "/java"});
    EXPECT_TRUE(no.EndRequested);
    EXPECT_EQ(form.ended, 1);
    EXPECT_TRUE(Document().CurrentFileName.empty());
    EXPECT_EQ(form.modeSwitch, -1);
    // So does a size refused before the window was shown.
    ResetApplicationEnding();
    form.showing = false;
    Set().Option.LoadSizeMax = 1;
    EXPECT_TRUE(Run({Write("big.txt", "xy"), "/java"}).EndRequested);
    EXPECT_EQ(form.ended, 2);
    EXPECT_NE(asked.back().find("指定の最大ファイルサイズを超えています。"), std::string::npos);
    EXPECT_EQ(form.modeSwitch, -1);
    form.showing = true;
    Set().Option.LoadSizeMax = 0;

    // A wildcard is never offered; the untitled document can take output mode.
    asked.clear();
    ResetApplicationEnding();
    Run({folder.File("*.txt"), "/o"});
    EXPECT_TRUE(asked.empty());
    EXPECT_TRUE(Document().OutputMode);
    EXPECT_EQ(form.caption, "<Output> - Vellumo");
    SetOutputMode(false);

    // A folder with more attribute bits than the directory one is still a folder.
    const std::string dir = folder.File("sub");
    CreateDirectoryA(dir.c_str(), nullptr);
    SetFileAttributesA(dir.c_str(), FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    const TCommandLineOptions& d = Run({dir + "\\"});
    SetFileAttributesA(dir.c_str(), FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_TRUE(SameFileName(d.StartFolder, dir + "\\")) << d.StartFolder;
    EXPECT_TRUE(Document().CurrentFileName.empty());
}

TEST_F(CommandLineTest, DevicesAndOverLongPathsEndTheStartWithOneMessage)
{
    // Never offered for creation, never opened (reading a device may never
    // end), never taken for a shortcut.
    const std::string longPath = folder.File(std::string(120, 'd') + "\\" + std::string(140, 'e') + ".txt");
    for (const std::string& name : {longPath, std::string("aux"), std::string("COM1"), folder.File("nul.txt")}) {
        SCOPED_TRACE(name);
        asked.clear();
        ResetApplicationEnding();
        form.ended = 0;
        TShortCutInfo info;
        EXPECT_FALSE(ResolveShortcut(name, info));
        const TCommandLineOptions& o = Run({name, Write("later.txt", "x"), "/java"});
        EXPECT_TRUE(o.EndRequested);
        EXPECT_EQ(form.ended, 1);
        ASSERT_EQ(asked.size(), 1u);
        EXPECT_EQ(asked[0], PathRefusalMessage(name, false));
        EXPECT_TRUE(Document().CurrentFileName.empty());
        EXPECT_EQ(form.modeSwitch, -1);
    }
}

TEST_F(CommandLineTest, AShortcutOpensItsTarget)
{
    const std::string target = Write("target.txt", "t\r\n");
    const std::string link = folder.File("to target.lnk");
    ASSERT_TRUE(vellumo::testing::MakeShortcut(link, target));
    TShortCutInfo info;
    ASSERT_TRUE(ResolveShortcut(link, info));
    Run({link});
    EXPECT_TRUE(SameFileName(Document().CurrentFileName, target)) << Document().CurrentFileName;
    EXPECT_EQ(Text(), "t\r\n");
    EXPECT_FALSE(ResolveShortcut(target, info));  // a plain file is no shortcut
}

// A window that looks like another instance's main window holding a file.
struct TOtherInstance {
    static inline std::vector<std::pair<WPARAM, LPARAM>> jumps;
    static inline UINT lastMsg = 0;
    static LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l)
    {
        if (m == WM_JUMPLINE || m == WM_JUMPEND) {
            lastMsg = m;
            jumps.emplace_back(w, l);
            return 0;
        }
        return DefWindowProcA(h, m, w, l);
    }
    explicit TOtherInstance(const std::string& file)
    {
        WNDCLASSA wc{};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = kMainFormClass;
        RegisterClassA(&wc);
        form = CreateWindowA(kMainFormClass, "other", WS_OVERLAPPED, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
        CreateWindowA("STATIC", "decoy", WS_CHILD, 0, 0, 0, 0, form, nullptr, nullptr, nullptr);
        WNDCLASSA ec{};
        ec.lpfnWndProc = DefWindowProcA;
        ec.hInstance = GetModuleHandleA(nullptr);
        ec.lpszClassName = kOpenFileNameClass;
        RegisterClassA(&ec);
        CreateWindowA(kOpenFileNameClass, file.c_str(), WS_CHILD, 0, 0, 0, 0, form, nullptr, nullptr, nullptr);
        jumps.clear();
    }
    ~TOtherInstance() { DestroyWindow(form); }
    HWND form;
};

TEST_F(CommandLineTest, AFileHeldElsewhereEndsThisInstanceAndJumpsThere)
{
    const std::string f = Write("held.txt", "x");
    std::string upper = f;
    for (char& c : upper) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    TOtherInstance other(upper);  // names compare ignoring case
    EXPECT_EQ(FindInstanceHolding(f, nullptr), other.form);
    EXPECT_EQ(FindInstanceHolding(f, other.form), nullptr);  // never this window itself
    EXPECT_EQ(FindInstanceHolding(f + "x", nullptr), nullptr);
    {
        const std::string longName = folder.File(std::string(240, 'n') + ".txt");  // past 256 bytes
        TOtherInstance holder(longName);
        EXPECT_EQ(FindInstanceHolding(longName, nullptr), holder.form);
        EXPECT_EQ(FindInstanceHolding(longName.substr(0, 256), nullptr), nullptr);
    }

    const TCommandLineOptions& o = Run({"/jl=4", f});
    EXPECT_TRUE(o.EndRequested);
    EXPECT_EQ(form.ended, 1);
    EXPECT_TRUE(Document().CurrentFileName.empty());
    ASSERT_EQ(TOtherInstance::jumps.size(), 1u);
    EXPECT_EQ(TOtherInstance::lastMsg, WM_JUMPLINE);
    EXPECT_EQ(TOtherInstance::jumps[0], (std::pair<WPARAM, LPARAM>(4, 1)));

    // Opening from elsewhere only restores it; with the check off the file loads here.
    EXPECT_FALSE(OpenFile(f, true));
    EXPECT_EQ(TOtherInstance::jumps.back(), (std::pair<WPARAM, LPARAM>(0, 0)));
    Set().Option.NotDoubleOpen = false;
    EXPECT_TRUE(OpenFile(f, true));
    ResetApplicationEnding();
    Run({"/je", f});
    EXPECT_EQ(TOtherInstance::jumps.size(), 2u);
}

TEST(StartupHandOff, TwoFilesGoToTwoNewProcesses)
{
    TTempFolder folder;
    const std::string a = folder.File("a.txt"), b = folder.File("b b.txt");
    std::ofstream(a) << "a";
    std::ofstream(b) << "b";
    char exe[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    TProcessRecorder recorder(false);  // a failed start is skipped, the next one still made
    SetSystemCommandLine(TCommandLine({"vellumo.exe", a, "/r", b}));
    EXPECT_FALSE(StartupEntry());
    ASSERT_EQ(recorder.starts.size(), 2u);
    EXPECT_EQ(recorder.starts[0].commandLine, "\"" + std::string(exe) + "\" \"/r\" \"" + a + "\"");
    EXPECT_EQ(recorder.starts[1].commandLine, "\"" + std::string(exe) + "\" \"/r\" \"" + b + "\"");
    EXPECT_EQ(recorder.starts[1].startup.cb, sizeof(STARTUPINFOA));
    EXPECT_FALSE(recorder.starts[1].inheritHandles);
    SetSystemCommandLine(TCommandLine({"vellumo.exe", a, "/r", folder.File("none.txt")}));
    EXPECT_TRUE(StartupEntry());
    EXPECT_EQ(recorder.starts.size(), 2u);
    // Devices are no files to hand on: this process refuses them itself.
    SetSystemCommandLine(TCommandLine({"vellumo.exe", "aux", "com2", a}));
    EXPECT_TRUE(StartupEntry());
    EXPECT_EQ(recorder.starts.size(), 2u);

    // The start-up tools go through the same seam, shown as this process is.
    const std::string ini = folder.File("v.ini");
    std::ofstream(ini) << "[Tools]\r\nItemCount=1\r\nStartRun0=1\r\nFile0=t.exe\r\nParam0=%%m%\r\n";
    RunStartupTools(ini, 5);
    ASSERT_EQ(recorder.starts.size(), 3u);
    EXPECT_EQ(recorder.starts[2].commandLine, "t.exe /cpp");
    EXPECT_TRUE(recorder.starts[2].startup.dwFlags & STARTF_USESHOWWINDOW);
    SetSystemCommandLine(TCommandLine({"vellumo.exe", "/t", "/r"}));
    SetSettingsLocation({});
    StartNewInstance("\"x.txt\"");
    ASSERT_EQ(recorder.starts.size(), 4u);
    EXPECT_EQ(recorder.starts[3].commandLine, "\"" + std::string(exe) + "\" \"/t\" \"/r\" \"x.txt\"");
}

TEST(WideCommandLine, AnArgumentOutsideTheCodePageBecomesNothingAndIsListed)
{
    std::vector<std::wstring> refused;
    const std::wstring exe = L"C:\\Program Files\\V\\vellumo.exe";
    const TCommandLine cl = CommandLineFromWide(
        exe + L" /r \"C:\\d\\\u00E9.txt\" \uD55C.txt \"\u65E5 \u672C.txt\" /d=C:\\\u00E9", exe, refused);
    EXPECT_EQ(cl.ParamStr(0), "C:\\Program Files\\V\\vellumo.exe");
    ASSERT_EQ(cl.ParamCount(), 5);
    EXPECT_EQ(cl.ParamStr(1), "/r");
    EXPECT_EQ(cl.ParamStr(2), "");
    EXPECT_EQ(cl.ParamStr(3), "");
    EXPECT_EQ(cl.ParamStr(4), "\x93\xFA \x96\x7B.txt");
    EXPECT_EQ(cl.ParamStr(5), "");
    EXPECT_EQ(refused, (std::vector<std::wstring>{L"C:\\d\\\u00E9.txt", L"\uD55C.txt", L"/d=C:\\\u00E9"}));
    // A relative name is refused when the folder it lies in has no exact ANSI name.
    TTempFolder folder;
    const std::wstring accented = AnsiToWideName(folder.Path()) + L"\\\u00E9";
    ASSERT_TRUE(CreateDirectoryW(accented.c_str(), nullptr));
    wchar_t before[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, before);
    ASSERT_TRUE(SetCurrentDirectoryW(accented.c_str()));
    const TCommandLine relative = CommandLineFromWide(L"v.exe a.txt /r", L"", refused);
    SetCurrentDirectoryW(before);
    EXPECT_EQ(relative.ParamStr(1), "");
    EXPECT_EQ(refused, (std::vector<std::wstring>{accented + L"\\a.txt"}));
    RemoveDirectoryW(accented.c_str());
    // A line the code page holds reads as its ANSI copy always did.
    const TCommandLine plain = CommandLineFromWide(L"\"" + exe + L"\" \"a b\" /j=3", exe, refused);
    EXPECT_TRUE(refused.empty());
    ASSERT_EQ(plain.ParamCount(), 2);
    EXPECT_EQ(plain.ParamStr(1), "a b");
    EXPECT_EQ(plain.SwitchIntValue("/j="), 3);
}

} // namespace
} // namespace vellumo::testing
