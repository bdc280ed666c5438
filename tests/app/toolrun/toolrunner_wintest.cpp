// The external tool runner on a real main window with real child processes
// (tests/app/toolrun/toolchild_win.cpp plays the tool): placeholders,
// program paths, the temporary file and its read-back, console tools'
// pipes, waiting, cancelling and abandoning, the tool items' keys and the
// start-up tools. Every test ends with no temporary file left behind, also
// when a program held it past the run.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "app/commands/commands_win.h"
#include "app/commands/toolcmds.h"
#include "app/document/docsave.h"
#include "app/core/appfuncs.h"
#include "app/document/docopen.h"
#include "app/integration/toolrunner.h"
#include "app/integration/toolrunner_win.h"
#include "app/mainwindow/suiteform_win.h"
#include "app/window/menus.h"
#include "base/filebytes.h"
#include "base/inifile.h"
#include "base/showmsg.h"
#include "settings/pathnames.h"
#include "settings/tools.h"

using namespace vellumo;
using namespace vellumo::testing;
namespace fs = std::filesystem;

namespace {

std::string Child()
{
    std::string p = TOOLCHILD_EXE;
    for (char& c : p)
        if (c == '/') c = '\\';
    return "Z:" + p;
}

std::string Quoted(const std::string& s) { return "\"" + s + "\""; }

std::string ReadText(const std::string& path)
{
    std::ifstream f(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

// The runner's files in the system's temporary folder.
std::vector<std::string> TempFiles()
{
    char dir[MAX_PATH + 1] = {};
    GetTempPathA(sizeof dir, dir);
    std::vector<std::string> out;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((std::string(dir) + "VM_*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return out;
    do out.push_back(fd.cFileName);
    while (FindNextFileA(h, &fd));
    FindClose(h);
    return out;
}

TAppTool Tool(const std::string& file, const std::string& param, bool lock = false)
{
    TAppTool t;
    t.Title = "tool";
    t.File = file;
    t.Param = param;
    t.Lock = lock;
    return t;
}

// Runs during the tool's wait, from the runner's own message pump.
std::function<void()> g_tick;
void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_tick) g_tick();
}

HWND ProgressWindow() { return FindWindowA("TFormVeloProgress", nullptr); }

void PressAbort()
{
    if (HWND p = ProgressWindow())
        if (HWND b = FindWindowExA(p, nullptr, "Button", nullptr)) SendMessageA(b, BM_CLICK, 0, 0);
}

class ToolRun : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        folder_ = fs::temp_directory_path() / "vellumo_toolrun_test";
        form_ = MakeSuiteForm(folder_, true);
    }
    static void TearDownTestSuite() { FreeSuiteForm(form_, folder_); }

    void SetUp() override
    {
        work_ = (folder_ / "work").string();
        fs::create_directories(work_);
        tempsBefore_ = TempFiles();
        sink_ = std::make_unique<TScopedMsgSink>(
            [this](const std::string& text, const std::string&, unsigned flags) {
                messages_.push_back(text);
                if ((flags & 0xF) == MB_YESNO) return yes_ ? IDYES : IDNO;
                if ((flags & 0xF) == MB_OKCANCEL) return ok_ ? IDOK : IDCANCEL;
                return IDOK;
            },
            [this](unsigned) { ++beeps_; });
        SetCurrentFile("");
        form_->Editor1.Lines().SetText("");
        form_->Editor1.SetModified(false);
    }

    void TearDown() override
    {
        g_tick = nullptr;
        EXPECT_EQ(TempFiles(), tempsBefore_) << "a temporary file was left behind";
        EXPECT_FALSE(ToolWaiting());
        EXPECT_TRUE(IsWindowEnabled(form_->Window()));
        EXPECT_EQ(form_->Caption().find("[待機中]"), std::string::npos);
        sink_.reset();
        UnlockOpenFile();
        SetCurrentFile("");
        std::error_code ec;
        fs::remove_all(work_, ec);
    }

    std::string File(const std::string& name) const { return work_ + "\\" + name; }

    void SetTools(const std::vector<TAppTool>& tools)
    {
        TMemIniFile ini(form_->IniPath);
        WriteAppTools(ini, tools);
        ini.UpdateFile();
        form_->RebuildSettingsMenus();
    }

    // One tool, run at once.
    void Run(const TAppTool& tool)
    {
        SetTools({tool});
        RunTool(*form_, 0);
    }

    void SetText(const std::string& text)
    {
        form_->Editor1.Lines().SetText(text);
        form_->Editor1.SetModified(false);
    }
    std::string Text() const { return form_->Editor1.Lines().Text(); }
    void Select(long long start, long long length)
    {
        form_->Editor1.SetSelStart(start);
        form_->Editor1.SetSelLength(length);
    }

    static inline fs::path folder_;
    static inline TVellumoMainForm* form_ = nullptr;
    std::string work_;
    std::vector<std::string> tempsBefore_;
    std::unique_ptr<TScopedMsgSink> sink_;
    std::vector<std::string> messages_;
    bool yes_ = true, ok_ = true;
    int beeps_ = 0;
};

TEST_F(ToolRun, EveryPlaceholderReachesTheToolOnceAndTheFolderIsTheDocuments)
{
    // "%d" and "%m" in the values themselves must come through as they are.
    const std::string dir = File("a %d b");
    fs::create_directories(dir);
    const std::string doc = dir + "\\memo %d.txt";
    std::ofstream(doc) << "x";
    ASSERT_TRUE(OpenFile(doc, false));
    SetText("hello world\r\n%m sel");
    Select(13, 6);
    form_->ApplyEditModeSwitch(1);
    const std::string out = File("out.txt");
    TAppTool t = Tool(Child(), "args " + Quoted(out) + " %f|%F|%n|%N|%b|%B|%d|%D|%w|%s|%m|%e|%p|%P", true);
    t.TmpDir = "%d";
    Run(t);
    form_->ApplyEditModeSwitch(0);

    char exe[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    const std::string program = exe, programDir = ExtractFileDir(program);
    const std::string shortDoc = ShortPathName(doc), shortName = ExtractFileName(shortDoc);
    const std::string head = Child() + " args " + Quoted(out) + " ";
    const std::string expected = head + doc + "|" + shortDoc + "|memo %d.txt|" + shortName + "|memo %d|" +
                                 ChangeFileExt(shortName, "") + "|" + dir + "|" + ShortPathName(dir) + "|" +
                                 std::to_string(reinterpret_cast<std::uintptr_t>(form_->Window())) +
                                 "|%m sel|/html|" + ShortPathName(program) + "|" + programDir + "|" +
                                 ShortPathName(programDir);
    EXPECT_EQ(ReadText(out), expected + "\n" + dir);
    EXPECT_EQ(messages_, std::vector<std::string>{});
    EXPECT_EQ(Text(), "hello world\r\n%m sel");  // no "%t": nothing comes back

    // Without a selection "%s" is the word at the caret.
    form_->Editor1.SetSelStart(8);
    Run(Tool(Child(), "args " + Quoted(out) + " [%s]", true));
    EXPECT_EQ(ReadText(out).substr(0, ReadText(out).find('\n')), head + "[world]");
}

TEST_F(ToolRun, ProgramPathWithBlanksRunsThatProgramNotOneNamedLikeItsFirstWord)
{
    fs::create_directories(File("x dir"));
    const std::string tool = File("x dir\\tool.exe");
    fs::copy_file(Child(), tool);
    fs::copy_file(Child(), File("x.exe"));  // the decoy
    const std::string out = File("out.txt");
    Run(Tool(tool, "marker " + Quoted(out) + " real", true));
    EXPECT_EQ(ReadText(out), "real " + tool);

    // The start-up tools as well.
    const std::string atStart = File("start.txt");
    TAppTool t = Tool(tool, "marker " + Quoted(atStart) + " start");
    t.StartRun = true;
    SetTools({Tool(Child(), "sleep 0"), t});
    form_->RunStartupTools();
    for (int i = 0; i < 250 && !fs::exists(atStart); ++i) Pump(20);
    Pump(100);
    EXPECT_EQ(ReadText(atStart), "start " + tool);
}

TEST_F(ToolRun, QuotedTempFileKeepsItsExtensionAndTheSelectionComesBack)
{
    SetText("abc def");
    Select(4, 3);
    Run(Tool(Child(), "upper \"%t.html\""));
    EXPECT_EQ(Text(), "abc DEF");
    EXPECT_TRUE(form_->Editor1.Modified());

    const std::string out = File("out.txt");
    Run(Tool(Child(), "args " + Quoted(out) + " \"%t.html\""));
    const std::string line = ReadText(out).substr(0, ReadText(out).find('\n'));
    const std::size_t open = line.rfind(" \"");
    ASSERT_NE(open, std::string::npos) << line;
    const std::string temp = line.substr(open + 2, line.size() - open - 3);
    EXPECT_EQ(line.back(), '"');
    EXPECT_EQ(ExtractFileName(temp).substr(0, 3), "VM_");
    EXPECT_EQ(temp.substr(temp.size() - 5), ".html") << temp;
    EXPECT_FALSE(fs::exists(temp));
}

TEST_F(ToolRun, ReadBackOfTheWholeText)
{
    // Rewritten at once with the same size: the full time stamp tells.
    SetText("abc\r\nxyz");
    Run(Tool(Child(), "upper %t"));
    EXPECT_EQ(Text(), "ABC\r\nXYZ");
    form_->Editor1.Undo();  // one undoable change
    EXPECT_EQ(Text(), "abc\r\nxyz");

    // A file with NULs is read whole, the NULs as blanks.
    Run(Tool(Child(), "utf16 %t"));
    EXPECT_EQ(Text(), "A   B ");

    // An untouched file changes nothing.
    SetText("same");
    Run(Tool(Child(), "sleep 10 %t"));
    EXPECT_EQ(Text(), "same");
    EXPECT_FALSE(form_->Editor1.Modified());
    EXPECT_EQ(messages_, std::vector<std::string>{});

    // A deleted one is reported.
    Run(Tool(Child(), "delete %t"));
    EXPECT_EQ(Text(), "same");
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].rfind("一時ファイル\r\n\"", 0), 0u) << messages_[0];
    EXPECT_NE(messages_[0].find("が見当たりません。"), std::string::npos);
}

TEST_F(ToolRun, NoToolRunsWhenTheSaveIsRefusedOrFailsAndAFailedStartIsReported)
{
    const std::string out = File("out.txt");
    SetText("changed");
    form_->Editor1.SetModified(true);
    TAppTool t = Tool(Child(), "marker " + Quoted(out) + " ran %t");
    t.Save = 1;
    ok_ = false;
    Run(t);
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0], "編集中のファイルを上書き保存します。");
    EXPECT_FALSE(fs::exists(out));

    // Saved first: the tool runs only when the save succeeded.
    TDocumentFunctions& docs = form_->Documents;
    const TDocumentFunctions real = docs;
    bool saveResult = false;
    int saves = 0;
    docs.NeedsSaveAs = [] { return false; };
    docs.SaveFile = [&](const std::string&, bool) { ++saves; return saveResult; };
    t.Save = 0;
    Run(t);
    EXPECT_EQ(saves, 1);
    EXPECT_FALSE(fs::exists(out));
    saveResult = true;
    Run(t);
    EXPECT_EQ(saves, 2);
    EXPECT_TRUE(fs::exists(out));
    docs = real;

    messages_.clear();
    const std::string missing = File("none.exe");
    Run(Tool(missing, "%t"));
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].rfind("\"" + missing + " C:\\", 0), 0u) << messages_[0];
    EXPECT_NE(messages_[0].find("\"\r\nの起動に失敗しました。"), std::string::npos);
}

TEST_F(ToolRun, ConsoleToolErrorsAreShownAndItsInputIsNul)
{
    const std::string cmd = "cmd /c " + Child();
    Run(Tool(cmd + " errtext", ""));
    EXPECT_EQ(messages_, std::vector<std::string>{"コンソールエラー:\r\n\r\n問題があります"});

    // This program's own input holds data: the tool must not get it.
    HANDLE rd = nullptr, wr = nullptr;
    ASSERT_TRUE(CreatePipe(&rd, &wr, nullptr, 0));
    DWORD n = 0;
    WriteFile(wr, "x", 1, &n, nullptr);
    SetHandleInformation(rd, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
    const HANDLE oldInput = GetStdHandle(STD_INPUT_HANDLE);
    SetStdHandle(STD_INPUT_HANDLE, rd);
    const std::string out = File("in.txt");
    Run(Tool(cmd + " stdin " + Quoted(out), ""));
    SetStdHandle(STD_INPUT_HANDLE, oldInput);
    CloseHandle(rd);
    CloseHandle(wr);
    EXPECT_EQ(ReadText(out), "eof");
}

TEST_F(ToolRun, TenMegabytesToEitherOutputDoNotHang)
{
    const std::string cmd = "cmd /c " + Child();
    DWORD start = GetTickCount();
    Run(Tool(cmd + " err 10485760", ""));
    const DWORD errMs = GetTickCount() - start;
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0],
              "コンソールエラー:\r\n\r\n" + std::string(kMaxToolErrorText, 'e') + "\r\n" + kToolErrorCut);
    messages_.clear();
    start = GetTickCount();
    Run(Tool(cmd + " out 10485760", ""));
    EXPECT_EQ(messages_, std::vector<std::string>{});
    RecordProperty("stderr_ms", static_cast<int>(errMs));
    RecordProperty("stdout_ms", static_cast<int>(GetTickCount() - start));
}

TEST_F(ToolRun, ATempFileStillHeldIsDeletedOnceTheToolHasEnded)
{
    const std::string stop = File("stop");
    const auto left = [&] { return TempFiles() != tempsBefore_; };
    const auto gone = [&] {
        for (int i = 0; i < 200 && left(); ++i) Pump(50);
        return !left();
    };
    // A program the tool started holds it after the tool has ended.
    SetText("kept");
    DWORD start = GetTickCount();
    Run(Tool(Child(), "spawn hold %t " + Quoted(stop)));
    EXPECT_LT(GetTickCount() - start, 5000u);
    ASSERT_TRUE(left());
    std::ofstream(stop) << "";
    EXPECT_TRUE(gone());
    fs::remove(stop);
    fs::remove(stop + ".held");

    // The tool itself, still running when the user stops waiting: its file
    // outlives any number of tries while it runs.
    start = GetTickCount();
    g_tick = [&] {
        if (ProgressWindow() && fs::exists(stop + ".held") && GetTickCount() - start > 500) PressAbort();
    };
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, Tick);
    Run(Tool(Child(), "hold %t " + Quoted(stop)));
    KillTimer(nullptr, timer);
    g_tick = nullptr;
    Pump(1500);
    ASSERT_TRUE(left());
    std::ofstream(stop) << "";
    EXPECT_TRUE(gone());
    EXPECT_EQ(Text(), "kept");
    EXPECT_EQ(messages_, std::vector<std::string>{});
}

TEST_F(ToolRun, ABackgroundChildHoldingTheErrorPipeDoesNotHoldTheRun)
{
    const std::string stop = File("stop");
    const std::string cmd = "cmd /c " + Child();
    DWORD start = GetTickCount();
    Run(Tool(cmd + " errtext", ""));
    const DWORD plain = GetTickCount() - start;
    // A child left running in the background keeps the error pipe open
    // without writing: the run ends with the tool.
    for (const std::string& background : {"start /b " + Child() + " forever " + Quoted(stop),
                                          Child() + " spawn forever " + Quoted(stop)}) {
        messages_.clear();
        start = GetTickCount();
        Run(Tool("cmd /c " + background + " & " + Child() + " errtext", ""));
        EXPECT_LT(GetTickCount() - start, plain + 1500) << background;
        EXPECT_EQ(messages_, std::vector<std::string>{"コンソールエラー:\r\n\r\n問題があります"});
    }
    // Writing for ever, it holds the run for a bounded time at most.
    messages_.clear();
    start = GetTickCount();
    Run(Tool(cmd + " spawn errloop " + Quoted(stop), ""));
    const DWORD busy = GetTickCount() - start;
    std::ofstream(stop) << "";
    EXPECT_LT(busy, plain + 6000);
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_NE(messages_[0].find("eeee"), std::string::npos);
    Pump(300);  // the background children see the stop file
}

TEST_F(ToolRun, CancelledConsoleToolIsReadBackOnlyWhenTheUserSaysSo)
{
    const std::string stop = File("stop");
    bool sawLocked = false, clicked = false;
    g_tick = [&] {
        // Locked meanwhile: the form itself, its caption, the wait state.
        sawLocked = sawLocked || (!IsWindowEnabled(form_->Window()) && ToolWaiting() &&
                                  form_->Caption().rfind("[待機中] ", 0) == 0);
        for (const std::string& f : TempFiles()) {
            char dir[MAX_PATH + 1] = {};
            GetTempPathA(sizeof dir, dir);
            if (!clicked && ReadText(std::string(dir) + f) == "HALF") {
                clicked = true;
                PressAbort();
            }
        }
    };
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, Tick);
    for (bool answer : {false, true}) {
        SetText("original");
        clicked = false;
        yes_ = answer;
        messages_.clear();
        Run(Tool("cmd /c " + Child(), "half %t " + Quoted(stop)));
        EXPECT_TRUE(clicked);
        ASSERT_EQ(messages_.size(), 1u);
        EXPECT_EQ(messages_[0], kToolReadCancelledQuestion);
        EXPECT_EQ(Text(), answer ? "HALF" : "original");
    }
    KillTimer(nullptr, timer);
    EXPECT_TRUE(sawLocked);
    std::ofstream(stop) << "";
}

TEST_F(ToolRun, NeverEndingProgramCanBeAbandonedLeavingTheText)
{
    const std::string stop = File("stop");
    SetText("kept");
    std::string caption;
    const DWORD start = GetTickCount();
    g_tick = [&] {
        if (HWND p = ProgressWindow(); p && GetTickCount() - start > 500) {
            caption = GetWindowTextOf(p);
            PressAbort();
        }
    };
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, Tick);
    Run(Tool(Child(), "forever " + Quoted(stop) + " %t"));
    KillTimer(nullptr, timer);
    EXPECT_EQ(caption, "ツール実行中...");
    EXPECT_EQ(Text(), "kept");
    EXPECT_EQ(messages_, std::vector<std::string>{});
    std::ofstream(stop) << "";
}

TEST_F(ToolRun, ATextChangedDuringTheWaitIsNotOverwritten)
{
    SetText("abc");
    g_tick = [&] {
        // As a tool editing through the window handle would.
        if (Text() == "abc") form_->Editor1.Lines().SetText("other");
    };
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, Tick);
    Run(Tool(Child(), "later 400 %t"));
    KillTimer(nullptr, timer);
    EXPECT_EQ(Text(), "other");
}

TEST_F(ToolRun, ToolKeysFollowTheSelectionRuleAndGiveWayToTheProgramsOwn)
{
    constexpr TShortCut kToolKey = ShortCut(VK_F9, scCtrl | scAlt);
    constexpr TShortCut kByteKey = ShortCut(VK_F4, 0);  // the program's own
    TAppTool upper = Tool(Child(), "upper %t");
    upper.SelOn = true;
    upper.Key = kToolKey;
    TAppTool taken = Tool(Child(), "upper %t");
    taken.Key = kByteKey;
    TAppTool separator;
    separator.Title = "-";
    separator.Key = ShortCut('K', scCtrl | scAlt);
    SetTools({upper, taken, separator});
    TMenuItem& menu = form_->MainMenuItems.Item("Menu_Tool");
    ASSERT_EQ(menu.Count(), FirstToolItem + 4);
    EXPECT_EQ(menu.Items(FirstToolItem + 1).ShortCut(), kToolKey);
    EXPECT_EQ(menu.Items(FirstToolItem + 2).ShortCut(), scNone);
    EXPECT_EQ(menu.Items(FirstToolItem + 3).ShortCut(), scNone);
    EXPECT_FALSE(RunToolShortCut(*form_, kByteKey));

    // Without a selection neither the key nor a direct run touches the text.
    SetText("abc");
    EXPECT_TRUE(form_->RunShortCut(kToolKey));
    RunTool(*form_, 0);
    EXPECT_EQ(Text(), "abc");
    EXPECT_GE(beeps_, 1);
    Select(1, 1);
    EXPECT_TRUE(form_->RunShortCut(kToolKey));
    EXPECT_EQ(Text(), "aBc");
}

TEST_F(ToolRun, AHugeItemCountBuildsAndOpensTheMenuAtOnce)
{
    {
        TMemIniFile ini(form_->IniPath);
        ini.EraseSection("Tools");
        ini.WriteInteger("Tools", "ItemCount", 200000000);
        ini.UpdateFile();
    }
    const DWORD start = GetTickCount();
    form_->RebuildSettingsMenus();
    form_->RunStartupTools();
    TMenuItem& menu = form_->MainMenuItems.Item("Menu_Tool");
    LRESULT r = 0;
    HandleMenuMessage(form_->Window(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu.SubmenuHandle()), 0, r);
    const DWORD ms = GetTickCount() - start;
    EXPECT_LT(ms, 1000u);
    EXPECT_EQ(menu.Count(), FirstToolItem + 1 + kMaxAppTools);
    int shown = 0;
    for (int i = 0; i < menu.Count(); ++i) shown += menu.Items(i).Visible();
    EXPECT_GT(shown, kMaxAppTools);
    EXPECT_EQ(GetMenuItemCount(menu.SubmenuHandle()), shown);
    SetTools({});
}

TEST_F(ToolRun, PopupToolsSubmenuAndItsPlace)
{
    TAppTool shown = Tool(Child(), "sleep 0");
    shown.Title = "shown";
    TAppTool hidden = shown;
    hidden.Title = "hidden";
    hidden.PopVisible = false;
    SetTools({hidden, shown});
    RebuildPopupToolMenu(*form_);
    TMenuItem& tools = form_->PopupMenuItems.Item("pTools");
    ASSERT_EQ(tools.Count(), 2);
    EXPECT_FALSE(tools.Items(0).Visible());  // "(ツール未登録)" stands aside
    EXPECT_EQ(tools.Items(1).Caption(), "shown");
    EXPECT_EQ(tools.Items(1).Tag(), ToolTag(1, false));

    TMenuItem& root = form_->PopupMenu1.Items();
    form_->PlacePopupToolMenu(true);
    EXPECT_EQ(&root.Items(0), &tools);
    EXPECT_EQ(root.Items(1).IsSeparator(), true);
    form_->PlacePopupToolMenu(false);
    EXPECT_EQ(&root.Items(root.Count() - 1), &tools);
    EXPECT_EQ(&root.Items(root.Count() - 2), &form_->PopupMenuItems.Item("pToolBar"));
    SetTools({});
}

} // namespace
