// The Window menu on a real main window among windows that look like other
// instances: the window list's captions and items, the items the menu's
// opening sets, placing this window, and the refusal of too small cells.
// (The arrangements themselves and a hung instance: tests/e2e/instances.)
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/commands/commands_win.h"
#include "app/startup/arrange_win.h"
#include "app/startup/instances.h"
#include "app/window/menus.h"
#include "base/showmsg.h"
#include "settings/settingsstore.h"
#include "suiteform_win.h"

using namespace vellumo;
using namespace vellumo::testing;
namespace fs = std::filesystem;

namespace {

// The classes of another instance's windows. Registered for another module
// than the program's own, whose main-window class has the same name.
HINSTANCE FakeModule()
{
    static const HINSTANCE module = [] {
        const HINSTANCE m = GetModuleHandleA("kernel32.dll");
        for (const char* name : {kMainFormClass, kOpenFileNameClass, "TFakeApplication"}) {
            WNDCLASSA wc{};
            wc.lpfnWndProc = DefWindowProcA;
            wc.hInstance = m;
            wc.lpszClassName = name;
            RegisterClassA(&wc);
        }
        return m;
    }();
    return module;
}

// Another instance as the Window menu sees it: the application window that
// owns the main window and carries the title, the main window and its
// hidden file-name edit. Destroyed by the thread that made it.
struct TFakeInstance {
    HWND owner = nullptr, form = nullptr;
    TFakeInstance(const std::string& title, const std::string& file = {}, bool shown = true)
    {
        const DWORD visible = shown ? WS_VISIBLE : 0;
        owner = CreateWindowExA(WS_EX_TOOLWINDOW, "TFakeApplication", title.c_str(), WS_POPUP | visible, -100, -100, 0,
                                0, nullptr, nullptr, FakeModule(), nullptr);
        form = CreateWindowExA(0, kMainFormClass, "Vellumo", WS_OVERLAPPEDWINDOW | visible, 300, 200, 300, 200, owner,
                               nullptr, FakeModule(), nullptr);
        CreateWindowExA(0, kOpenFileNameClass, file.c_str(), WS_CHILD, 0, 0, 0, 0, form, nullptr, FakeModule(),
                        nullptr);
    }
    ~TFakeInstance()
    {
        DestroyWindow(form);
        DestroyWindow(owner);
    }
    TFakeInstance(const TFakeInstance&) = delete;
    TFakeInstance& operator=(const TFakeInstance&) = delete;
};

RECT RectOf(HWND h)
{
    RECT r{};
    GetWindowRect(h, &r);
    return r;
}

TWindowBox BoxOf(HWND h)
{
    const RECT r = RectOf(h);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

class WindowMenuTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        folder_ = fs::temp_directory_path() / "vellumo_windowmenu_test";
        form_ = MakeSuiteForm(folder_, true);
    }
    static void TearDownTestSuite() { FreeSuiteForm(form_, folder_); }
    void SetUp() override
    {
        saved_ = AppSettingsStore().Settings.Option;
        Front();
    }
    void TearDown() override
    {
        AppSettingsStore().Settings.Option = saved_;
        if (IsIconic(GetWindow(form_->Window(), GW_OWNER))) ShowWindow(GetWindow(form_->Window(), GW_OWNER), SW_RESTORE);
        if (IsZoomed(form_->Window())) ShowWindow(form_->Window(), SW_RESTORE);
        if (form_->TopMostOn) mWin_TopMostClick(*form_);
        if (form_->IsSplit()) form_->Unsplit();
        SetWindowPos(form_->Window(), nullptr, 0, 0, 700, 600, SWP_NOZORDER);
        Pump(30);
    }
    static void Front()
    {
        SetWindowPos(form_->Window(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        SetForegroundWindow(form_->Window());
        Pump(30);
    }
    // The menu opened: its opening handler, then the items from the list on.
    std::vector<TMenuItem*> OpenWindowMenu()
    {
        TMenuItem& menu = form_->MainMenuItems.Item("mWindow");
        menu.Click();
        std::vector<TMenuItem*> items;
        for (int i = FirstWindowListItem; i < menu.Count(); ++i) items.push_back(&menu.Items(i));
        return items;
    }

    static inline fs::path folder_;
    static inline TVellumoMainForm* form_ = nullptr;
    TAppIni saved_;
};

TEST_F(WindowMenuTest, TheWindowListNamesEveryShownInstance)
{
    form_->SetCaptions("own.txt - Vellumo", "own.txt - Vellumo");
    std::vector<std::unique_ptr<TFakeInstance>> fakes;
    for (int i = 1; i <= 9; ++i) fakes.push_back(std::make_unique<TFakeInstance>("f" + std::to_string(i) + ".txt - Vellumo"));
    fakes.push_back(std::make_unique<TFakeInstance>("R&D.txt - Vellumo"));
    fakes.push_back(std::make_unique<TFakeInstance>("no suffix"));
    TFakeInstance hidden("hidden.txt - Vellumo", "", false);
    TFakeInstance minimized("min.txt - Vellumo");
    ShowWindow(minimized.owner, SW_MINIMIZE);
    ShowWindow(minimized.form, SW_HIDE);  // gone with its application window
    Front();

    const std::vector<TMenuItem*> items = OpenWindowMenu();
    ASSERT_EQ(items.size(), 13u);  // this one, eleven, the minimized one; never the hidden one
    EXPECT_EQ(reinterpret_cast<HWND>(items[0]->Tag()), form_->Window()) << "the top of the Z order first";
    EXPECT_EQ(items[0]->Caption(), "&1: own.txt");
    std::vector<std::string> hints;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const std::string number = i < 10 ? std::string("&") + "1234567890"[i] : std::to_string(i + 1);
        EXPECT_EQ(items[i]->Caption(), number + ": " + MenuCaptionText(items[i]->Hint()));
        EXPECT_EQ(items[i]->Checked(), i == 0);
        EXPECT_NE(reinterpret_cast<HWND>(items[i]->Tag()), hidden.form);
        hints.push_back(items[i]->Hint());
    }
    for (const char* title : {"R&D.txt", "no suffix", "min.txt", "f9.txt"})
        EXPECT_NE(std::find(hints.begin(), hints.end(), title), hints.end()) << title;
    const auto rd = std::find(hints.begin(), hints.end(), "R&D.txt") - hints.begin();
    const std::string rdCaption = items[static_cast<std::size_t>(rd)]->Caption();
    EXPECT_EQ(rdCaption.substr(rdCaption.find(':')), ": R&&D.txt");

    // Closed instances leave the list when it opens again.
    fakes.resize(2);
    EXPECT_EQ(OpenWindowMenu().size(), 4u);
}

TEST_F(WindowMenuTest, AListItemRestoresAMinimizedInstanceOrBringsItForward)
{
    TFakeInstance other("other.txt - Vellumo");
    TFakeInstance minimized("min.txt - Vellumo");
    ShowWindow(minimized.owner, SW_MINIMIZE);
    Front();
    TMenuItem* toOther = nullptr;
    TMenuItem* toMinimized = nullptr;
    for (TMenuItem* item : OpenWindowMenu()) {
        if (reinterpret_cast<HWND>(item->Tag()) == other.form) toOther = item;
        if (reinterpret_cast<HWND>(item->Tag()) == minimized.form) toMinimized = item;
    }
    ASSERT_TRUE(toOther && toMinimized);
    toMinimized->Click();
    Pump(100);
    EXPECT_FALSE(IsIconic(minimized.owner));
    toOther->Click();
    Pump(100);
    EXPECT_EQ(GetForegroundWindow(), other.form);
    // A handle that names no instance's main window any more is left alone.
    const HWND old = GetForegroundWindow();
    BringInstanceForward(minimized.owner);
    BringInstanceForward(reinterpret_cast<HWND>(0x7FFF0));
    Pump(50);
    EXPECT_EQ(GetForegroundWindow(), old);
}

TEST_F(WindowMenuTest, OpeningSetsTheItemsAndThisWindowsPlacement)
{
    TAppIni& o = AppSettingsStore().Settings.Option;
    TMenuItem& user = form_->MainMenuItems.Item("mWin_UserSize");
    o.UserWindowMenu = false;
    OpenWindowMenu();
    EXPECT_FALSE(user.Visible());
    EXPECT_FALSE(user.Enabled());
    o.UserWindowMenu = true;
    OpenWindowMenu();
    EXPECT_TRUE(user.Visible());
    EXPECT_TRUE(user.Enabled());

    // The user's size and position, from a maximized window.
    o.UserWindowPos = o.UserWindowSize = true;
    o.UserWindowPos_X = 30;
    o.UserWindowPos_Y = 40;
    o.UserWindowSize_W = 500;
    o.UserWindowSize_H = 400;
    ShowWindow(form_->Window(), SW_MAXIMIZE);
    mWin_UserSizeClick(*form_);
    EXPECT_FALSE(IsZoomed(form_->Window()));
    EXPECT_EQ(BoxOf(form_->Window()), (TWindowBox{30, 40, 500, 400}));
    o.UserWindowSize = false;
    o.UserWindowPos_X = 60;
    mWin_UserSizeClick(*form_);
    EXPECT_EQ(BoxOf(form_->Window()), (TWindowBox{60, 40, 500, 400}));
    // Neither the menu item nor the start-up choice asks for it: nothing.
    o.UserWindowMenu = false;
    o.StartWindow = 0;
    o.UserWindowPos_X = 90;
    ApplyUserWindowSize(*form_);
    EXPECT_EQ(BoxOf(form_->Window()).Left, 60);
    o.StartWindow = 3;
    ApplyUserWindowSize(*form_);
    EXPECT_EQ(BoxOf(form_->Window()).Left, 90);

    // Always on top, and the split view's tick.
    mWin_TopMostClick(*form_);
    EXPECT_TRUE(form_->TopMostOn);
    EXPECT_TRUE(GetWindowLongA(form_->Window(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    OpenWindowMenu();
    EXPECT_TRUE(form_->MainMenuItems.Item("mWin_TopMost").Checked());
    mWin_TopMostClick(*form_);
    EXPECT_FALSE(GetWindowLongA(form_->Window(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    OpenWindowMenu();
    EXPECT_FALSE(form_->MainMenuItems.Item("mWin_TopMost").Checked());
    form_->Split();
    OpenWindowMenu();
    EXPECT_TRUE(form_->MainMenuItems.Item("mWin_Bunkatu").Checked());
}

TEST_F(WindowMenuTest, TooManyWindowsAreRefusedWithAMessage)
{
    // Fifty-seven windows need eight rows: too low on any usual screen.
    std::vector<std::unique_ptr<TFakeInstance>> many;
    for (int i = 0; i < 56; ++i) many.push_back(std::make_unique<TFakeInstance>("m - Vellumo"));
    ASSERT_LT(WorkArea().Height() / 8, kMinCellHeight);
    const RECT before = RectOf(form_->Window());
    std::vector<std::string> shown;
    TScopedMsgSink sink([&](const std::string& text, const std::string&, unsigned flags) {
        shown.push_back(text);
        EXPECT_EQ(flags & 0xF0, kMsgIconInformation);
        return 1;
    });
    mWin_NarabeteClick(*form_);
    Pump(50);
    EXPECT_EQ(shown, (std::vector<std::string>{"対象のウィンドウが多すぎます。"}));
    const RECT after = RectOf(form_->Window());
    EXPECT_TRUE(EqualRect(&before, &after));
}

} // namespace
