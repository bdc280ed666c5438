// The editor with a fake input method in the system's place: composition
// results, the composition window and reconversion requests.
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "classlib/ime_win.h"
#include "editor/editorhost.h"
#include "editor/imereq_win.h"
#include "editor_support_win.h"

namespace vellumo::testing {
namespace {

// Answers from a script and records what the editor asked of it.
class TFakeIme final : public IInputMethod {
public:
    std::string Result;       // GCS_RESULTSTR
    std::string Composition;  // GCS_COMPSTR
    bool Reconvert = false;   // takes reconversion strings
    std::vector<POINT> Windows;
    int Contexts = 0, Completes = 0;

    HIMC GetContext(HWND) override
    {
        ++Contexts;
        return reinterpret_cast<HIMC>(static_cast<std::intptr_t>(0x1234));
    }
    void ReleaseContext(HWND, HIMC) override { --Contexts; }
    LONG GetCompositionStringA(HIMC, DWORD index, void* buffer, DWORD bytes) override
    {
        const std::string& s = index == GCS_RESULTSTR ? Result : index == GCS_COMPSTR ? Composition : empty_;
        if (!buffer) return static_cast<LONG>(s.size());
        const DWORD n = std::min<DWORD>(bytes, static_cast<DWORD>(s.size()));
        std::memcpy(buffer, s.data(), n);
        return static_cast<LONG>(n);
    }
    bool SetCompositionWindow(HIMC, const COMPOSITIONFORM& f) override
    {
        Windows.push_back(f.ptCurrentPos);
        return true;
    }
    bool SetCompositionFontA(HIMC, const LOGFONTA&) override { return true; }
    bool NotifyIME(HIMC, DWORD action, DWORD index, DWORD) override
    {
        if (action == NI_COMPOSITIONSTR && index == CPS_COMPLETE) ++Completes;
        return true;
    }
    DWORD GetProperty(HKL, DWORD index) override
    {
        return index == IGP_SETCOMPSTR && Reconvert ? SCS_CAP_SETRECONVERTSTRING : 0;
    }
    bool SetCompositionStringA(HIMC, DWORD, void*, DWORD) override { return true; }
    bool SetCompositionStringW(HIMC, DWORD, void*, DWORD) override { return true; }
    UINT GetDescriptionA(HKL, char*, UINT) override { return 0; }
    HWND GetDefaultIMEWnd(HWND) override { return nullptr; }
    bool SetOpenStatus(HIMC, bool) override { return true; }

private:
    std::string empty_;
};

class EditorIme : public ::testing::Test {
protected:
    void SetUp() override
    {
        old_ = SetInputMethod(&ime_);
        e_ = MakeFocusedEditor(400, 200);
        h_ = e_->Handle();
    }
    void TearDown() override
    {
        SetFocus(nullptr);
        e_.reset();
        SetInputMethod(old_);
        EditorHostValues().ImeReConv = false;
    }
    std::string Text()
    {
        char buf[256] = {};
        SendMessageA(h_, WM_GETTEXT, sizeof buf, reinterpret_cast<LPARAM>(buf));
        return buf;
    }

    TFakeIme ime_;
    IInputMethod* old_ = nullptr;
    std::unique_ptr<TTestEditor> e_;
    HWND h_ = nullptr;
};

TEST_F(EditorIme, AResultIsInsertedOnceAndTheKeysTypedNextAreKept)
{
    ASSERT_TRUE(e_->Focused());
    SendMessageA(h_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("ab"));
    SendMessageA(h_, EM_SETSEL, 1, 1);
    ime_.Result = "\x93\xFA\x96\x7B\x8C\xEA";  // three double-byte characters
    SendMessageA(h_, WM_IME_COMPOSITION, 0, GCS_RESULTSTR | GCS_RESULTREADSTR);
    PumpMessages();
    EXPECT_EQ(Text(), "a\x93\xFA\x96\x7B\x8C\xEA" "b");
    // The next keys are not eaten by a count of characters still expected.
    SendMessageA(h_, WM_CHAR, 'x', 0);
    PostMessageA(h_, WM_CHAR, 0x82, 0);
    PostMessageA(h_, WM_CHAR, 0xA0, 0);
    PumpMessages();
    EXPECT_EQ(Text(), "a\x93\xFA\x96\x7B\x8C\xEA" "x\x82\xA0" "b");
    // Read-only: nothing typed; a composition without a result types nothing.
    SendMessageA(h_, WM_IME_COMPOSITION, 0, GCS_COMPSTR);
    e_->SetReadOnly(true);
    SendMessageA(h_, WM_IME_COMPOSITION, 0, GCS_RESULTSTR);
    e_->SetReadOnly(false);
    EXPECT_EQ(Text(), "a\x93\xFA\x96\x7B\x8C\xEA" "x\x82\xA0" "b");
    EXPECT_EQ(ime_.Contexts, 0) << "every context released";
}

TEST_F(EditorIme, TheCompositionWindowFollowsTheCaret)
{
    SendMessageA(h_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("abc\r\n\x82\xA0xyz"));
    for (int offset : {0, 2, 5, 7, 9}) {
        ime_.Windows.clear();
        SendMessageA(h_, EM_SETSEL, offset, offset);
        ASSERT_FALSE(ime_.Windows.empty()) << offset;
        const LRESULT pos = SendMessageA(h_, EM_POSFROMCHAR, offset, 0);
        EXPECT_EQ(ime_.Windows.back().x, static_cast<short>(LOWORD(pos))) << offset;
        EXPECT_EQ(ime_.Windows.back().y, static_cast<short>(HIWORD(pos))) << offset;
    }
    // While a key repeats the window waits, and follows when the key is let go.
    SendMessageA(h_, EM_SETSEL, 0, 0);
    ime_.Windows.clear();
    SendMessageA(h_, WM_KEYDOWN, VK_RIGHT, 1 | (1 << 30));
    SendMessageA(h_, WM_KEYDOWN, VK_RIGHT, 1 | (1 << 30));
    EXPECT_TRUE(ime_.Windows.empty());
    SendMessageA(h_, WM_KEYUP, VK_RIGHT, 1 | (3u << 30));
    ASSERT_EQ(ime_.Windows.size(), 1u);
    EXPECT_EQ(ime_.Windows.back().x, e_->GetTextLeft() + 2 * e_->CellWidth());
    // A click completes a composition first, unless the settings say otherwise.
    const int before = ime_.Completes;
    SendMessageA(h_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(e_->GetTextLeft() + 1, e_->GetTextTop() + 1));
    SendMessageA(h_, WM_LBUTTONUP, 0, MAKELPARAM(e_->GetTextLeft() + 1, e_->GetTextTop() + 1));
    EXPECT_EQ(ime_.Completes, before + 1);
    EditorHostValues().NoLButtonImeEnter = true;
    SendMessageA(h_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(e_->GetTextLeft() + 1, e_->GetTextTop() + 1));
    SendMessageA(h_, WM_LBUTTONUP, 0, MAKELPARAM(e_->GetTextLeft() + 1, e_->GetTextTop() + 1));
    EditorHostValues().NoLButtonImeEnter = false;
    EXPECT_EQ(ime_.Completes, before + 1);
}

TEST_F(EditorIme, BeforeXpTheCaretHidesWhileTheCandidateListIsOpen)
{
    const int base = e_->CaretHideCount();
    SendMessageA(h_, WM_IME_NOTIFY, IMN_OPENCANDIDATE, 1);
    EXPECT_EQ(e_->CaretHideCount(), base) << "the system does it from XP on";
    EditorHostValues().IsWinXPOrLater = false;
    SendMessageA(h_, WM_IME_NOTIFY, IMN_OPENCANDIDATE, 1);
    SendMessageA(h_, WM_IME_NOTIFY, IMN_OPENCANDIDATE, 1);
    EXPECT_EQ(e_->CaretHideCount(), base + 1);
    SendMessageA(h_, WM_IME_NOTIFY, IMN_CLOSECANDIDATE, 1);
    SendMessageA(h_, WM_IME_NOTIFY, IMN_CLOSECANDIDATE, 1);
    EXPECT_EQ(e_->CaretHideCount(), base);
    EditorHostValues().IsWinXPOrLater = true;
}

std::uint32_t Field(const std::vector<unsigned char>& b, int i)
{
    std::uint32_t v = 0;
    std::memcpy(&v, b.data() + 4 * i, 4);
    return v;
}

TEST_F(EditorIme, ReconversionRequestsAreAnsweredOnlyIntoRecordsThatHoldTheText)
{
    EditorHostValues().ImeReConv = true;
    SendMessageA(h_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("xx\x93\xFA\x96\x7Byy"));
    SendMessageA(h_, EM_SETSEL, 2, 6);
    const UINT reconvert = ReconvertMessages().Reconvert;
    ASSERT_NE(reconvert, 0u);
    // The registered message: the wide form, 32 + 2 x (2 characters + blank).
    const LRESULT size = SendMessageA(h_, reconvert, IMR_RECONVERTSTRING, 0);
    ASSERT_EQ(size, 38);
    std::vector<unsigned char> rec(64, 0xEE);
    const std::uint32_t small = 37;
    std::memcpy(rec.data(), &small, 4);
    EXPECT_EQ(SendMessageA(h_, reconvert, IMR_RECONVERTSTRING, reinterpret_cast<LPARAM>(rec.data())), 0);
    for (std::size_t i = 4; i < rec.size(); ++i) ASSERT_EQ(rec[i], 0xEE) << i;
    const std::uint32_t fits = 38;
    std::memcpy(rec.data(), &fits, 4);
    EXPECT_EQ(SendMessageA(h_, reconvert, IMR_RECONVERTSTRING, reinterpret_cast<LPARAM>(rec.data())), 38);
    EXPECT_EQ(Field(rec, 2), 3u);
    EXPECT_EQ(rec[32] | (rec[33] << 8), 0x65E5);
    EXPECT_EQ(rec[38], 0xEE);
    EXPECT_EQ(SendMessageA(h_, reconvert, IMR_COMPOSITIONWINDOW, 0), 0);
    // The caret went to the selection's start.
    DWORD start = 0, end = 0;
    SendMessageA(h_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 2u);
    // An input method that takes reconversion strings asks with WM_IME_REQUEST, ANSI form.
    ime_.Reconvert = true;
    EXPECT_EQ(SendMessageA(h_, WM_IME_REQUEST, IMR_RECONVERTSTRING, 0), 37);
    EXPECT_EQ(SendMessageA(h_, reconvert, IMR_RECONVERTSTRING, 0), 0);
    // Not answered read-only, without a selection or with the setting off.
    e_->SetReadOnly(true);
    EXPECT_EQ(SendMessageA(h_, WM_IME_REQUEST, IMR_RECONVERTSTRING, 0), 0);
    e_->SetReadOnly(false);
    EditorHostValues().ImeReConv = false;
    EXPECT_EQ(SendMessageA(h_, WM_IME_REQUEST, IMR_RECONVERTSTRING, 0), 0);
}

// Runs the second process and pumps this thread's messages until it ends
// (its send is answered inside the pump); its exit code, or -1.
int RunSender(HWND window, const void* record, const char* how, const char* which)
{
    char exe[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string path = exe;
    path = path.substr(0, path.find_last_of('\\') + 1) + "reconv_sender.exe";
    char cmd[512];
    std::snprintf(cmd, sizeof cmd, "\"%s\" %llx %llx %s %s", path.c_str(),
                  static_cast<unsigned long long>(reinterpret_cast<ULONG_PTR>(window)),
                  static_cast<unsigned long long>(reinterpret_cast<ULONG_PTR>(record)), how, which);
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(nullptr, cmd, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return -1;
    const DWORD until = GetTickCount() + 20000;
    while (GetTickCount() < until &&
           MsgWaitForMultipleObjects(1, &pi.hProcess, FALSE, 100, QS_ALLINPUT) != WAIT_OBJECT_0)
        PumpMessages();
    DWORD code = 0;
    const bool ended = WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0 && GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    // What it posted is dispatched now.
    for (int i = 0; i < 5; ++i) {
        PumpMessages();
        Sleep(20);
    }
    return ended ? static_cast<int>(code) : -1;
}

TEST_F(EditorIme, ReconversionRequestsFromOtherThreadsAndProcessesTouchNothing)
{
    EditorHostValues().ImeReConv = true;
    SendMessageA(h_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("xx\x93\xFA\x96\x7Byy"));
    SendMessageA(h_, EM_SETSEL, 2, 6);
    const UINT reconvert = ReconvertMessages().Reconvert;
    // A record that would take the answer, were it trusted.
    std::vector<unsigned char> rec(256, 0xEE);
    const std::uint32_t room = 200;
    std::memcpy(rec.data(), &room, 4);
    const std::vector<unsigned char> untouched = rec;

    // Another thread of this process: neither the size nor the record is given.
    std::atomic<LRESULT> sizeAnswer{-1}, recordAnswer{-1};
    std::thread other([&] {
        sizeAnswer = SendMessageA(h_, reconvert, IMR_RECONVERTSTRING, 0);
        recordAnswer = SendMessageA(h_, reconvert, IMR_RECONVERTSTRING, reinterpret_cast<LPARAM>(rec.data()));
    });
    const DWORD until = GetTickCount() + 10000;
    while (recordAnswer == -1 && GetTickCount() < until) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        PumpMessages();
    }
    other.join();
    EXPECT_EQ(sizeAnswer, 0);
    EXPECT_EQ(recordAnswer, 0);
    EXPECT_EQ(rec, untouched);

    // Another process, sending or posting each request kind with an address of
    // this process: nothing is written there...
    for (const char* which : {"reconvert", "atok"}) {
        EXPECT_EQ(RunSender(h_, rec.data(), "send", which), 0) << which;
        EXPECT_EQ(RunSender(h_, rec.data(), "post", which), 0) << which;
        EXPECT_EQ(rec, untouched) << which;
    }
    ime_.Reconvert = true;
    EXPECT_EQ(RunSender(h_, rec.data(), "send", "request"), 0);
    EXPECT_EQ(RunSender(h_, rec.data(), "post", "request"), 0);
    EXPECT_EQ(rec, untouched);
    ime_.Reconvert = false;

    // ...and nothing is read: a guard page loses its guard at the first touch.
    SYSTEM_INFO info{};
    GetSystemInfo(&info);
    void* guarded = VirtualAlloc(nullptr, info.dwPageSize, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE | PAGE_GUARD);
    ASSERT_NE(guarded, nullptr);
    EXPECT_EQ(RunSender(h_, guarded, "send", "reconvert"), 0);
    EXPECT_EQ(RunSender(h_, guarded, "post", "atok"), 0);
    MEMORY_BASIC_INFORMATION mbi{};
    ASSERT_NE(VirtualQuery(guarded, &mbi, sizeof mbi), 0u);
    EXPECT_NE(mbi.Protect & PAGE_GUARD, 0u);
    VirtualFree(guarded, 0, MEM_RELEASE);

    // The editor's own thread is still answered.
    EXPECT_EQ(SendMessageA(h_, reconvert, IMR_RECONVERTSTRING, 0), 38);
}

} // namespace
} // namespace vellumo::testing
