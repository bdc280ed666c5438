// The browser items and the reconversion item on a real main window, with
// fakes in place of the shell and of the input method.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/commands/commands_win.h"
#include "app/integration/browserpreview_win.h"
#include "app/integration/imereconv_win.h"
#include "editor/imereq_win.h"
#include "app/window/editmodes.h"
#include "app/window/toolbar.h"
#include "base/showmsg.h"
#include "classlib/ime_win.h"
#include "settings/settingsstore.h"
#include "suiteform_win.h"

using namespace vellumo;
using namespace vellumo::testing;
namespace fs = std::filesystem;

namespace {

class IntegrationTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        folder_ = fs::temp_directory_path() / "vellumo_integration_test";
        form_ = MakeSuiteForm(folder_, true);
    }
    static void TearDownTestSuite() { FreeSuiteForm(form_, folder_); }
    static bool ButtonShown(const char* name)
    {
        const auto t = ToolButtonTable();
        for (std::size_t i = 0; i < t.size(); ++i)
            if (std::strcmp(t[i].Name, name) == 0)
                return !SendMessageA(form_->ToolBar1.Handle(), TB_ISBUTTONHIDDEN, kFirstToolCommand + i, 0);
        return false;
    }
    static TVellumoMainForm* form_;
    static fs::path folder_;
};
TVellumoMainForm* IntegrationTest::form_ = nullptr;
fs::path IntegrationTest::folder_;

TEST_F(IntegrationTest, BrowserItemsFollowTheModeAndTheF11KeyStartsTheBrowserWithTheFile)
{
    TAppSettings& set = AppSettingsStore().Settings;
    // Under Wine the machine's default path names Wine's own browser, which exists.
    ASSERT_FALSE(set.Browser.IePath.empty());
    ASSERT_TRUE(SystemPreviewShell().FileExists(set.Browser.IePath)) << set.Browser.IePath;
    set.Browser.Menu = 0;
    set.Browser.Save = 0;
    set.Browser.IeDde = false;
    set.Browser.MfPath.clear();
    set.Option.HtmlDocFilter = "*.html";
    std::vector<std::string> started;
    TPreviewShell shell = SystemPreviewShell();
    shell.ShellOpen = [&](const std::string& p, const std::string& a, const std::string& f) {
        started.push_back(p + "|" + a + "|" + f);
        return std::intptr_t{42};
    };
    const TPreviewShell old = SetPreviewShell(shell);
    // A trail byte 5C in the name: written through the ANSI call, as the program names it.
    const std::string page = folder_.string() + "\\\x95\x5C page.html";
    HANDLE h = CreateFileA(page.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(h, "<p>\r\n", 5, &written, nullptr);
    CloseHandle(h);
    TScopedMsgSink quiet([](const std::string&, const std::string&, unsigned) { return IDNO; }, [](unsigned) {});
    ASSERT_TRUE(form_->Documents.OpenFile(page));

    struct Case {
        TEditMode mode;
        bool items, buttons;
    } cases[] = {{emStandard, false, false}, {emHtml, true, true}};
    for (const Case& c : cases) {
        form_->ApplyEditModeSwitch(c.mode);  // applying the mode updates the items
        TMenuItem& ie = form_->MainMenuItems.Item("mIE");
        TMenuItem& nn = form_->MainMenuItems.Item("mNN");
        EXPECT_EQ(ie.Visible(), c.items) << c.mode;
        EXPECT_EQ(form_->MainMenuItems.Item("N_Browser").Visible(), c.items) << c.mode;
        EXPECT_EQ(ie.Enabled(), c.items) << c.mode;
        EXPECT_FALSE(nn.Enabled()) << c.mode;  // no path
        EXPECT_EQ(ButtonShown("tbIE"), c.buttons) << c.mode;
        EXPECT_EQ(ButtonShown("tbBwSp"), c.buttons) << c.mode;
        started.clear();
        EXPECT_TRUE(form_->RunShortCut(VK_F11));
        EXPECT_EQ(started.size(), c.items ? 1u : 0u) << c.mode;
    }
    // The file in quotes, its folder bare.
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(started[0], set.Browser.IePath + "|\"" + page + "\"|" + folder_.string());
    // F12 without a path is refused by its disabled item.
    started.clear();
    EXPECT_TRUE(form_->RunShortCut(VK_F12));
    EXPECT_TRUE(started.empty());
    SetPreviewShell(old);
    form_->ApplyEditModeSwitch(emStandard);
}

// An input method for a scope: its kind set by the test, what it is handed recorded.
class TFakeIme : public IInputMethod {
public:
    TFakeIme() : old_(SetInputMethod(this)) {}
    ~TFakeIme() override { SetInputMethod(old_); }
    HIMC GetContext(HWND) override { return ++contexts, reinterpret_cast<HIMC>(0x1234); }
    void ReleaseContext(HWND, HIMC) override { ++releases; }
    LONG GetCompositionStringA(HIMC, DWORD, void*, DWORD) override { return 0; }
    bool SetCompositionWindow(HIMC, const COMPOSITIONFORM&) override { return true; }
    bool SetCompositionFontA(HIMC, const LOGFONTA&) override { return true; }
    bool NotifyIME(HIMC, DWORD, DWORD, DWORD) override { return true; }
    DWORD GetProperty(HKL, DWORD index) override
    {
        return index == IGP_SETCOMPSTR && takesStrings ? SCS_CAP_SETRECONVERTSTRING : 0;
    }
    bool SetCompositionStringA(HIMC, DWORD index, void* comp, DWORD bytes) override { return Take(index, comp, bytes, "A"); }
    bool SetCompositionStringW(HIMC, DWORD index, void* comp, DWORD bytes) override { return Take(index, comp, bytes, "W"); }
    UINT GetDescriptionA(HKL, char* buffer, UINT size) override
    {
        const UINT n = static_cast<UINT>(description.size());
        if (size <= n) return 0;
        std::memcpy(buffer, description.c_str(), n + 1);
        return n;
    }
    HWND GetDefaultIMEWnd(HWND) override { return imeWindow; }
    bool SetOpenStatus(HIMC, bool open) override { return opened = open, true; }

    bool takesStrings = false, opened = false;
    std::string description;
    HWND imeWindow = nullptr;
    std::string form, record;
    int contexts = 0, releases = 0;

private:
    bool Take(DWORD index, void* comp, DWORD bytes, const char* f)
    {
        if (index != SCS_SETRECONVERTSTRING) return false;
        form = f;
        record.assign(static_cast<const char*>(comp), bytes);
        return true;
    }
    IInputMethod* old_;
};

std::uint32_t Field(const std::string& record, std::size_t offset)
{
    std::uint32_t v = 0;
    if (record.size() >= offset + 4) std::memcpy(&v, record.data() + offset, 4);
    return v;
}

// The window of an input method that answers the request message.
struct TRequestWindow {
    static inline std::vector<std::pair<WPARAM, LPARAM>> posted;
    static LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l)
    {
        if (m == ReconvertMessages().Request) {
            if (w == 0x10000000) return 1;
            posted.emplace_back(w, l);
            return 0;
        }
        return DefWindowProcA(h, m, w, l);
    }
    HWND Make()
    {
        WNDCLASSA wc{};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "VellumoTestImeWindow";
        RegisterClassA(&wc);
        return CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, wc.hInstance, nullptr);
    }
};

std::vector<std::pair<int, std::string>> g_entryCalls;

BOOL WINAPI FakeEntry(HIMC, int mode, void* record, DWORD size)
{
    g_entryCalls.push_back({mode, std::string(static_cast<const char*>(record), size)});
    return TRUE;
}

TEST_F(IntegrationTest, ReconversionHandsTheSelectionToEachKindOfInputMethod)
{
    TEditor& ed = form_->Editor1;
    ed.SetReadOnly(false);
    ed.Lines().SetText("xx\x95\x5Cyz\r\n");  // 表 with its trail byte 5C
    auto selectTail = [&] {
        ed.SetSelStart(2);
        ed.SetSelLength(4);
        ASSERT_EQ(ed.SelText(), "\x95\x5Cyz");
    };
    HWND other = CreateWindowExA(0, "EDIT", "", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);

    // The system's (Wine has no input method): disabled, and the command
    // only focuses the editor; the selection stays where it is.
    selectTail();
    EXPECT_EQ(GetImeKind(), ikNone);
    EXPECT_FALSE(ReConvEnabled(*form_));
    form_->MainMenuItems.Item("mReConv").SetEnabled(true);
    mHenkanClick(*form_);  // the submenu's opening applies the rule
    EXPECT_FALSE(form_->MainMenuItems.Item("mReConv").Enabled());
    SetFocus(other);
    mReConvClick(*form_);
    EXPECT_EQ(GetFocus(), ed.Handle());
    EXPECT_EQ(ed.SelText(), "\x95\x5Cyz");

    {
        // Takes reconversion strings: the wide record, the caret at the selection start.
        TFakeIme ime;
        ime.takesStrings = true;
        EXPECT_TRUE(ReConvEnabled(*form_));
        ed.SetReadOnly(true);
        EXPECT_FALSE(ReConvEnabled(*form_));
        ed.SetReadOnly(false);
        SetFocus(other);
        mReConvClick(*form_);
        EXPECT_EQ(GetFocus(), ed.Handle());
        EXPECT_EQ(ime.form, "W");
        const std::string wide = std::string("\x68\x88\x79\0\x7A\0\x20\0", 8);  // 表yz and the blank
        ASSERT_EQ(ime.record.size(), 32u + wide.size());
        EXPECT_EQ(Field(ime.record, 0), 40u);
        EXPECT_EQ(Field(ime.record, 8), 4u);
        EXPECT_EQ(Field(ime.record, 12), 32u);
        EXPECT_EQ(Field(ime.record, 16), 3u);
        EXPECT_EQ(Field(ime.record, 24), 3u);
        EXPECT_EQ(ime.record.substr(32), wide);
        EXPECT_EQ(ed.SelStart(), 2);
        EXPECT_EQ(ime.contexts, ime.releases);
        // The ANSI form: 5 bytes give a 38-byte record.
        ASSERT_TRUE(SetReconvertString(ed.Handle(), "abcde", false, ikSetString));
        EXPECT_EQ(ime.form, "A");
        EXPECT_EQ(ime.record.size(), 38u);
        EXPECT_EQ(Field(ime.record, 0), 38u);
        EXPECT_EQ(Field(ime.record, 8), 6u);
        EXPECT_EQ(Field(ime.record, 16), 5u);
        EXPECT_EQ(ime.record.substr(32), "abcde ");
        // Nothing selected: nothing at all.
        ime.record.clear();
        ed.SetSelLength(0);
        SetFocus(other);
        mReConvClick(*form_);
        EXPECT_EQ(GetFocus(), other);
        EXPECT_TRUE(ime.record.empty());
        EXPECT_EQ(ime.contexts, ime.releases);
    }
    {
        // Answers the request message: it is posted to its window with the editor's.
        TFakeIme ime;
        TRequestWindow rw;
        ime.imeWindow = rw.Make();
        selectTail();
        EXPECT_EQ(GetImeKind(), ikRequest);
        mReConvClick(*form_);
        Pump(50);
        ASSERT_EQ(TRequestWindow::posted.size(), 1u);
        EXPECT_EQ(TRequestWindow::posted[0].first, 0u);
        EXPECT_EQ(TRequestWindow::posted[0].second, reinterpret_cast<LPARAM>(ed.Handle()));
        EXPECT_TRUE(ime.record.empty());
        DestroyWindow(ime.imeWindow);
    }
    {
        // The library's entry: opened, then handed the wide record with mode 1.
        TFakeIme ime;
        ime.description = "ATOK test";
        g_entryCalls.clear();
        const TReconvertEntry before = SetReconvertEntry(FakeEntry);
        selectTail();
        EXPECT_EQ(GetImeKind(), ikLibrary);
        mReConvClick(*form_);
        ASSERT_EQ(g_entryCalls.size(), 1u);
        EXPECT_EQ(g_entryCalls[0].first, 1);
        EXPECT_EQ(g_entryCalls[0].second.size(), 40u);
        EXPECT_TRUE(ime.opened);
        EXPECT_EQ(ime.contexts, ime.releases);
        SetReconvertEntry(before);
    }
    DestroyWindow(other);
}

} // namespace
