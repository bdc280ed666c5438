#include <gtest/gtest.h>

#include <windows.h>

#include <dlgs.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/showmsg.h"
#include "base/widename.h"
#include "classlib/application_win.h"
#include "classlib/filedialog_win.h"
#include "classlib/process_win.h"
#include "classlib/timer_win.h"
#include "support/tempfolder.h"
#include "support/winsupport_win.h"

using namespace vellumo;
using namespace vellumo::testing;

namespace {

// Runs the pump for a while (timers fire from it).
void RunFor(DWORD ms)
{
    const DWORD end = GetTickCount() + ms;
    while (static_cast<LONG>(end - GetTickCount()) > 0) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        Application().ProcessMessages();
    }
}

struct TScripted {
    std::vector<TFileDialogAnswer> answers;
    std::vector<std::string> asked;  // the dialog's file name at each ask
    TFileDialog::TScript old;
    TScripted()
    {
        old = TFileDialog::SetScript([this](TFileDialog& d) {
            asked.push_back(d.FileName());
            if (answers.empty())
                return TFileDialogAnswer{};
            TFileDialogAnswer a = answers.front();
            answers.erase(answers.begin());
            return a;
        });
    }
    ~TScripted() { TFileDialog::SetScript(old); }
};

TEST(FileDialog, TheScriptAnswersAndIsAskedAgainWhileOnCanCloseRefuses)
{
    TScripted s;
    TSaveDialog dlg;
    dlg.SetFileName("old.txt");
    dlg.SetOptions(ofOverwritePrompt | ofHideReadOnly);
    std::vector<std::string> checked;
    dlg.OnCanClose = [&](TFileDialog& d, bool& can) {
        checked.push_back(d.FileName());
        can = d.FileName() != "locked.txt";
        if (!can)
            d.SetFileName("");  // the dialog's edit is cleared
    };
    s.answers = {{true, "locked.txt", 2, false}, {true, "new.txt", 0, true}};
    EXPECT_TRUE(dlg.Execute());
    EXPECT_EQ(checked, (std::vector<std::string>{"locked.txt", "new.txt"}));
    EXPECT_EQ(s.asked, (std::vector<std::string>{"old.txt", ""}));
    EXPECT_EQ(dlg.FileName(), "new.txt");
    EXPECT_EQ(dlg.FilterIndex(), 2);
    EXPECT_TRUE(dlg.Options() & ofReadOnly);

    // Cancel after a refusal leaves everything as it was before Execute.
    s.answers = {{true, "locked.txt", 3, true}, {false, {}}};
    EXPECT_FALSE(dlg.Execute());
    EXPECT_EQ(dlg.FileName(), "new.txt");
    EXPECT_EQ(dlg.FilterIndex(), 2);
    // A handler that never lets go does not loop for ever.
    s.asked.clear();
    dlg.OnCanClose = [](TFileDialog&, bool& can) { can = false; };
    s.answers.assign(50, {true, "x.txt"});
    EXPECT_FALSE(dlg.Execute());
    EXPECT_EQ(s.asked.size(), 20u);
}

TEST(FileDialog, AScriptedNameOutsideTheCodePageIsRefusedAndAskedAgain)
{
    TScripted s;
    std::vector<std::string> shown;
    TScopedMsgSink sink([&](const std::string& text, const std::string&, unsigned) {
        shown.push_back(text);
        return kAnswerOk;
    });
    TOpenDialog dlg;
    dlg.SetFileName("old.txt");
    std::vector<std::string> checked;
    dlg.OnCanClose = [&](TFileDialog& d, bool&) { checked.push_back(d.FileName()); };
    TFileDialogAnswer bad{true, {}}, good{true, {}};
    bad.wideFileName = L"C:\\d\\\u00E9.txt";
    good.wideFileName = L"C:\\d\\\u65E5.txt";
    s.answers = {bad, good};
    EXPECT_TRUE(dlg.Execute());
    EXPECT_EQ(checked, (std::vector<std::string>{"C:\\d\\\x93\xFA.txt"}));
    EXPECT_EQ(s.asked, (std::vector<std::string>{"old.txt", "old.txt"}));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_NE(shown[0].find("\"C:\\d\\$00E9.txt\""), std::string::npos) << shown[0];
    // Refused, then cancelled: the name stays what it was.
    s.answers = {bad, {false, {}}};
    EXPECT_FALSE(dlg.Execute());
    EXPECT_EQ(dlg.FileName(), "C:\\d\\\x93\xFA.txt");
    EXPECT_EQ(shown.size(), 2u);
}

// Drives the system's save dialog: types a name and presses OK.
std::vector<std::wstring> g_names;
int g_tries = 0;

void CALLBACK TypeName(HWND, UINT, UINT_PTR id, DWORD)
{
    HWND dlg = FindWindowA("#32770", "Save it");
    if (!dlg || !IsWindowVisible(dlg)) {
        if (++g_tries > 100)
            KillTimer(nullptr, id);
        return;
    }
    if (g_names.empty()) {
        KillTimer(nullptr, id);
        PostMessageA(dlg, WM_COMMAND, IDCANCEL, 0);
        return;
    }
    HWND edit = GetDlgItem(dlg, cmb13);
    if (!edit)
        edit = GetDlgItem(dlg, edt1);
    SetWindowTextW(edit, g_names.front().c_str());
    g_names.erase(g_names.begin());
    PostMessageA(dlg, WM_COMMAND, IDOK, 0);
}

TEST(FileDialog, TheSystemDialogAsksOnCanCloseThroughItsHook)
{
    TTempFolder dir;
    const std::string first = dir.File("first.txt"), second = dir.File("second.txt");
    TSaveDialog dlg;
    dlg.SetTitle("Save it");
    dlg.SetFilter("Text|*.txt|All|*.*");
    dlg.SetDefaultExt("txt");
    dlg.SetInitialDir(dir.Path());
    std::vector<std::string> checked;
    dlg.OnCanClose = [&](TFileDialog& d, bool& can) {
        checked.push_back(d.FileName());
        can = checked.size() > 1;
    };
    g_names = {AnsiToWideName(first), AnsiToWideName(second)};
    g_tries = 0;
    UINT_PTR t = SetTimer(nullptr, 0, 100, TypeName);
    bool ok = dlg.Execute(nullptr);
    KillTimer(nullptr, t);
    ASSERT_TRUE(ok);
    EXPECT_EQ(checked, (std::vector<std::string>{first, second}));
    EXPECT_EQ(dlg.FileName(), second);
}

TEST(FileDialog, TheSystemDialogRefusesANameOutsideTheCodePageAndStaysOpen)
{
    TTempFolder dir;
    const std::string good = dir.File("good.txt");
    std::vector<std::string> shown;
    TScopedMsgSink sink([&](const std::string& text, const std::string&, unsigned) {
        shown.push_back(text);
        return kAnswerOk;
    });
    // With the hook the name is refused inside the dialog; without it the dialog opens again.
    for (const bool hooked : {true, false}) {
        SCOPED_TRACE(hooked);
        shown.clear();
        TSaveDialog dlg;
        dlg.SetTitle("Save it");
        dlg.SetInitialDir(dir.Path());
        std::vector<std::string> checked;
        if (hooked) dlg.OnCanClose = [&](TFileDialog& d, bool&) { checked.push_back(d.FileName()); };
        g_names = {AnsiToWideName(dir.Path()) + L"\\\u00E9.txt", AnsiToWideName(good)};
        g_tries = 0;
        UINT_PTR t = SetTimer(nullptr, 0, 100, TypeName);
        const bool ok = dlg.Execute(nullptr);
        KillTimer(nullptr, t);
        ASSERT_TRUE(ok);
        EXPECT_EQ(dlg.FileName(), good);
        EXPECT_EQ(checked, hooked ? std::vector<std::string>{good} : std::vector<std::string>{});
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_NE(shown[0].find(dir.Path() + "\\$00E9.txt"), std::string::npos) << shown[0];
    }
}

TEST(Timers, OneShotsRunOnceAndRepeatingTimersStopWhenDisabled)
{
    std::vector<std::string> log;
    CallOnce(20, [&] { log.push_back("once"); });
    UINT_PTR cancelled = CallOnce(20, [&] { log.push_back("cancelled"); });
    CancelCallOnce(cancelled);
    HWND w = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    CallOnceOnWindow(w, 1234, 20, [&] { log.push_back("first"); });
    CallOnceOnWindow(w, 1234, 20, [&] { log.push_back("replaced"); });
    EXPECT_TRUE(CallOnceOnWindowPending(w, 1234));
    TTimer timer;
    int ticks = 0;
    timer.SetInterval(15);
    timer.OnTimer = [&] {
        if (++ticks == 3)
            timer.SetEnabled(false);
    };
    timer.SetEnabled(true);
    RunFor(300);
    EXPECT_EQ(ticks, 3);
    EXPECT_FALSE(CallOnceOnWindowPending(w, 1234));
    std::sort(log.begin(), log.end());
    EXPECT_EQ(log, (std::vector<std::string>{"once", "replaced"}));

    // A failing callback is reported, not thrown through the pump.
    TMsgRecorder rec;
    CallOnce(1, [] { throw std::runtime_error("timer failed"); });
    RunFor(100);
    ASSERT_EQ(rec.messages.size(), 1u);
    EXPECT_EQ(rec.messages[0].text, "timer failed");
    DestroyWindow(w);
}

TEST(Process, StartsGoThroughTheRecorderWithThisPlatformsStartupRecord)
{
    {
        TProcessRecorder rec;
        EXPECT_TRUE(StartProcessAndWaitIdle("\"C:\\prog.exe\" \"a b.txt\"", "C:\\work", true));
        rec.succeed = false;
        EXPECT_FALSE(StartProcessAndWaitIdle("prog"));
        ASSERT_EQ(rec.starts.size(), 2u);
        const TProcessRequest& r = rec.starts[0];
        EXPECT_EQ(r.commandLine, "\"C:\\prog.exe\" \"a b.txt\"");
        EXPECT_EQ(r.currentDir, "C:\\work");
        EXPECT_EQ(r.startup.cb, sizeof(STARTUPINFOA));
        EXPECT_EQ(sizeof(void*) == 8 ? 104u : 68u, sizeof(STARTUPINFOA));
        EXPECT_TRUE(r.startup.dwFlags & STARTF_USESHOWWINDOW);
        EXPECT_NE(r.startup.wShowWindow, SW_HIDE);
        EXPECT_FALSE(r.startup.dwFlags & STARTF_USESTDHANDLES);
        EXPECT_EQ(r.startup.lpReserved2, nullptr);
        EXPECT_FALSE(rec.starts[1].startup.dwFlags & STARTF_USESHOWWINDOW);
    }
    // Without the recorder a real program runs.
    TProcessRequest r;
    r.commandLine = "cmd.exe /c exit 7";
    r.startup = ThisStartupInfo();
    PROCESS_INFORMATION pi{};
    ASSERT_TRUE(StartProcess(r, pi));
    EXPECT_NE(WaitForIdle(pi.hProcess, 100000), WAIT_TIMEOUT);  // a console program is never "idle"
    ASSERT_EQ(WaitForSingleObject(pi.hProcess, 20000), WAIT_OBJECT_0);
    DWORD code = 0;
    GetExitCodeProcess(pi.hProcess, &code);
    EXPECT_EQ(code, 7u);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    EXPECT_EQ(WaitForIdle(nullptr), WAIT_FAILED);
}

} // namespace
