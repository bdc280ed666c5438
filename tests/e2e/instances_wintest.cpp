// Several instances at once: a file open in one is brought forward instead
// of opened twice (with a modal dialog open there too), the Window menu's
// arrangements by real keys, next and previous going round all instances
// after them, restore all, every Window command against an instance that
// has stopped answering, and the placement kept over a maximized close.
#include <windows.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <thread>

#include "app/startup/arrange.h"
#include "e2e_support_win.h"

using vellumo::TArea;
using vellumo::TWindowBox;

namespace e2e {
namespace {

HWND OwnerOf(HWND main) { return GetWindow(main, GW_OWNER); }

TWindowBox BoxOf(HWND h)
{
    RECT r{};
    GetWindowRect(h, &r);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

TArea WorkArea()
{
    RECT r{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &r, 0);
    return {r.left, r.top, r.right, r.bottom};
}

// The main windows the arrangements act on, top of the Z order first.
std::vector<HWND> ActiveMainWindows()
{
    std::vector<HWND> out;
    for (HWND h : WindowsOf(0, "TVellumoMainForm", false))
        if (!IsIconic(OwnerOf(h) ? OwnerOf(h) : h)) out.push_back(h);
    return out;
}

bool WaitUntil(const std::function<bool()>& done, DWORD ms)
{
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > ms) return false;
        Sleep(10);
    }
    return true;
}

// Opens the Window menu by its keys and presses an item's access key; the
// time of that last key is returned.
DWORD WindowMenu(TVellumo& v, BYTE key)
{
    v.Keys({VK_MENU, 'W'});
    WaitUntil([&] { return !WindowsOf(v.ProcessId(), "#32768", true).empty(); }, 3000);
    v.Keys({key});
    return GetTickCount();
}

// An instance whose thread has stopped taking messages: a main window of
// this (the driver's) process holding a file, made by a thread that then
// only waits.
class THungInstance {
public:
    explicit THungInstance(const std::string& file)
    {
        ready_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        release_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        thread_ = std::thread([this, file] {
            const HINSTANCE m = GetModuleHandleA(nullptr);
            for (const char* cls : {"TVellumoMainForm", "TEdit", "THungApplication"}) {
                WNDCLASSA wc{};
                wc.lpfnWndProc = DefWindowProcA;
                wc.hInstance = m;
                wc.lpszClassName = cls;
                RegisterClassA(&wc);
            }
            HWND owner = CreateWindowExA(WS_EX_TOOLWINDOW, "THungApplication", "hung.txt - Vellumo",
                                         WS_POPUP | WS_VISIBLE, -100, -100, 0, 0, nullptr, nullptr, m, nullptr);
            form_ = CreateWindowExA(0, "TVellumoMainForm", "hung.txt - Vellumo", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 700,
                                    500, 300, 200, owner, nullptr, m, nullptr);
            CreateWindowExA(0, "TEdit", file.c_str(), WS_CHILD, 0, 0, 0, 0, form_, nullptr, m, nullptr);
            SetEvent(ready_);
            WaitForSingleObject(release_, INFINITE);  // no message is taken meanwhile
            DestroyWindow(form_);
            DestroyWindow(owner);
        });
        WaitForSingleObject(ready_, 5000);
    }
    ~THungInstance()
    {
        SetEvent(release_);
        thread_.join();
        CloseHandle(ready_);
        CloseHandle(release_);
    }
    HWND Form() const { return form_; }

private:
    HANDLE ready_, release_;
    HWND form_ = nullptr;
    std::thread thread_;
};

class Instances : public TEndToEnd {
protected:
    std::string Text(const std::string& name, int lines = 5)
    {
        std::string text;
        for (int i = 1; i <= lines; ++i) text += name + " " + std::to_string(i) + "\r\n";
        const std::string path = dir_.File(name);
        EXPECT_TRUE(WriteFileBytes(path, text));
        return path;
    }
    // Starts another instance on the arguments and waits until it ends by
    // itself; false when it stays (it opened the file itself).
    bool HandsOver(const std::string& args)
    {
        TVellumo v;
        if (!v.Start(Quoted("/i=" + ini_) + " " + args)) return false;
        const bool ended = v.WaitExit(15000);
        EXPECT_TRUE(WindowsOf(v.ProcessId(), "TVellumoMainForm", true).empty());
        return ended;
    }
    int Holding(const std::string& path)
    {
        int n = 0;
        for (HWND h : WindowsOf(0, "TVellumoMainForm", true)) {
            const auto edits = ChildrenOfClass(h, "TEdit");
            char text[600] = {};
            DWORD_PTR got = 0;
            if (!edits.empty() && SendMessageTimeoutA(edits[0], WM_GETTEXT, sizeof text,
                                                      reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, &got) &&
                lstrcmpiA(text, path.c_str()) == 0)
                ++n;
        }
        return n;
    }
};

TEST_F(Instances, AFileOpenElsewhereComesForwardInsteadOfOpeningTwice)
{
    const std::string first = Text("first.txt"), second = Text("second.txt");
    TVellumo a, b;
    ASSERT_TRUE(Launch(a, Quoted(first)));
    ASSERT_TRUE(Launch(b, Quoted(second)));
    SetForegroundWindow(b.MainWindow());
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == b.MainWindow(); }, 3000));

    // Two instances: the second's file, asked for again, with a jump.
    ASSERT_TRUE(HandsOver("/j=3 " + Quoted(first)));
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == a.MainWindow(); }, 3000));
    EXPECT_TRUE(a.WaitFor([&] { return a.CaretRow() == 2; }));
    EXPECT_EQ(Holding(first), 1);

    // Three: the name in another case finds it behind a third window.
    TVellumo c;
    ASSERT_TRUE(Launch(c, ""));
    SetForegroundWindow(c.MainWindow());
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == c.MainWindow(); }, 3000));
    std::string upper = second;
    CharUpperA(upper.data());
    ASSERT_TRUE(HandsOver(Quoted(upper)));
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == b.MainWindow(); }, 3000));
    EXPECT_EQ(Holding(second), 1);
    EXPECT_EQ(WindowsOf(0, "TVellumoMainForm", true).size(), 3u);
}

TEST_F(Instances, AModalDialogOfTheHolderIsWhatComesForward)
{
    const std::string held = Text("held.txt"), other = Text("other.txt");
    TVellumo a;
    ASSERT_TRUE(Launch(a, Quoted(held)));
    a.Keys({VK_CONTROL, 'F'});  // the find dialog, with its combo box
    HWND dialog = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] {
            const auto forms = WindowsOf(a.ProcessId(), "TForm", true);
            dialog = forms.empty() ? nullptr : forms.front();
            return dialog != nullptr;
        },
        5000));
    EXPECT_FALSE(IsWindowEnabled(a.MainWindow()));

    // Another window in front, then the held file asked for.
    TVellumo b;
    ASSERT_TRUE(Launch(b, Quoted(other)));
    SetForegroundWindow(b.MainWindow());
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == b.MainWindow(); }, 3000));
    ASSERT_TRUE(HandsOver(Quoted(held)));
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == dialog; }, 3000))
        << "foreground: " << GetForegroundWindow() << " dialog: " << dialog;
    EXPECT_EQ(Holding(held), 1);
}

TEST_F(Instances, ArrangementsByTheWindowMenu)
{
    const TArea area = WorkArea();
    std::vector<std::unique_ptr<TVellumo>> all;
    auto grow = [&](std::size_t n) {
        while (all.size() < n) {
            all.push_back(std::make_unique<TVellumo>());
            ASSERT_TRUE(Launch(*all.back(), ""));
        }
    };
    // Runs a command from the top instance and checks where every window went.
    auto check = [&](const char* what, BYTE key, bool reversed,
                     const std::function<std::vector<TWindowBox>(int)>& layout) {
        TVellumo& top = *all.back();
        top.Keys({});  // brought to the top of the Z order
        std::vector<HWND> order = ActiveMainWindows();
        ASSERT_EQ(order.size(), all.size()) << what;
        ASSERT_EQ(order.front(), top.MainWindow()) << what;
        if (reversed) std::reverse(order.begin(), order.end());
        const std::vector<TWindowBox> boxes = layout(static_cast<int>(order.size()));
        WindowMenu(top, key);
        const bool placed = WaitUntil(
            [&] {
                for (std::size_t i = 0; i < order.size(); ++i)
                    if (!(BoxOf(order[i]) == boxes[i])) return false;
                return true;
            },
            5000);
        EXPECT_TRUE(placed) << what << " of " << order.size();
        for (std::size_t i = 0; i < order.size() && !placed; ++i) {
            const TWindowBox b = BoxOf(order[i]);
            ADD_FAILURE() << what << " " << i << ": " << b.Left << "," << b.Top << " " << b.Width << "x" << b.Height
                          << " wanted " << boxes[i].Left << "," << boxes[i].Top << " " << boxes[i].Width << "x"
                          << boxes[i].Height;
        }
        // The window the list puts first (last when cascading) is the active one.
        EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == (reversed ? order.back() : order.front()); }, 3000))
            << what;
    };
    auto tiled = [&](int n) { return *vellumo::TiledBoxes(n, area); };
    const int step = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYFRAME) - 1;
    for (std::size_t n : {2u, 3u}) {
        grow(n);
        check("tile", 'T', false, tiled);
    }
    check("cascade", 'C', true, [&](int n) { return vellumo::CascadedBoxes(n, area, step); });
    check("stacked", 'H', false, [&](int n) { return *vellumo::StackedBoxes(n, area); });
    check("side by side", 'V', false, [&](int n) { return *vellumo::SideBySideBoxes(n, area); });
    grow(11);
    check("tile", 'T', false, tiled);
}

TEST_F(Instances, NextAndPreviousGoRoundEveryInstanceAndRestoreAllKeepsTheCommanderInFront)
{
    std::vector<std::unique_ptr<TVellumo>> all;
    for (int i = 0; i < 3; ++i) {
        all.push_back(std::make_unique<TVellumo>());
        ASSERT_TRUE(Launch(*all.back(), ""));
    }
    auto of = [&](HWND main) -> TVellumo& {
        for (auto& v : all)
            if (v->MainWindow() == main) return *v;
        ADD_FAILURE() << "no instance owns the window";
        return *all.front();
    };
    // After each turn the Z order must be the one wanted, its top active.
    auto turn = [&](const char* what, std::vector<BYTE> keys, const std::vector<HWND>& wanted) {
        of(GetForegroundWindow()).Keys(keys);
        EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == wanted.front() && ActiveMainWindows() == wanted; },
                              3000))
            << what;
    };
    for (BYTE arrangement : {'T', 'H', 'V'}) {
        TVellumo& commander = *all[arrangement == 'H' ? 0 : 2];
        WindowMenu(commander, arrangement);
        ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == commander.MainWindow(); }, 3000));
        const std::vector<HWND> z = ActiveMainWindows();
        ASSERT_EQ(z.size(), 3u);
        ASSERT_EQ(z[0], commander.MainWindow());
        // Next brings the bottom one forward; previous sends the top one down.
        turn("next", {VK_CONTROL, VK_TAB}, {z[2], z[0], z[1]});
        turn("next", {VK_CONTROL, VK_TAB}, {z[1], z[2], z[0]});
        turn("next", {VK_CONTROL, VK_TAB}, {z[0], z[1], z[2]});
        turn("previous", {VK_CONTROL, VK_SHIFT, VK_TAB}, {z[1], z[2], z[0]});
        turn("previous", {VK_CONTROL, VK_SHIFT, VK_TAB}, {z[2], z[0], z[1]});
        turn("previous", {VK_CONTROL, VK_SHIFT, VK_TAB}, {z[0], z[1], z[2]});
    }

    // All minimized, one given back; restoring the others from it leaves it in front.
    TVellumo& commander = *all[1];
    WindowMenu(commander, 'M');
    ASSERT_TRUE(WaitUntil([&] { return ActiveMainWindows().empty(); }, 3000));
    PostMessageA(OwnerOf(commander.MainWindow()), WM_SYSCOMMAND, SC_RESTORE, 0);
    ASSERT_TRUE(WaitUntil([&] { return ActiveMainWindows().size() == 1u && IsWindowVisible(commander.MainWindow()); },
                          3000));
    WindowMenu(commander, 'R');
    EXPECT_TRUE(WaitUntil(
        [&] {
            for (auto& v : all)
                if (!IsWindowVisible(v->MainWindow())) return false;
            return ActiveMainWindows().size() == 3u;
        },
        3000));
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == commander.MainWindow(); }, 3000));
    Sleep(1500);  // a late activation of a restored one would show by now
    EXPECT_EQ(GetForegroundWindow(), commander.MainWindow());
    EXPECT_EQ(ActiveMainWindows().front(), commander.MainWindow());
}

TEST_F(Instances, NoWindowCommandWaitsForAnInstanceThatHung)
{
    WriteSettings("[Option]\r\nUserWindowMenu=1\r\nUserWindowPos=1\r\nUserWindowSize=1\r\n"
                  "UserWindowPos_X=33\r\nUserWindowPos_Y=44\r\nUserWindowSize_W=555\r\nUserWindowSize_H=444\r\n");
    const std::string hungFile = Text("hung.txt");
    THungInstance hung(hungFile);
    ASSERT_NE(hung.Form(), nullptr);
    TVellumo a, b;
    ASSERT_TRUE(Launch(a, Quoted(Text("a.txt"))));
    ASSERT_TRUE(Launch(b, Quoted(Text("b.txt"))));
    const HWND main = a.MainWindow();

    // From the last key to the command's effect and the instance answering again.
    auto timed = [&](const char* what, const std::function<DWORD()>& act, const std::function<bool()>& done) {
        const DWORD start = act();
        EXPECT_TRUE(WaitUntil(done, 3000)) << what << ": no effect";
        EXPECT_TRUE(a.Sync(1000)) << what << ": no answer";
        EXPECT_LT(GetTickCount() - start, 1000u) << what;
    };
    auto keys = [&](std::vector<BYTE> k) {
        return [&a, k] {
            a.Keys(k);
            return GetTickCount();
        };
    };
    auto menu = [&](BYTE key) { return [&a, key] { return WindowMenu(a, key); }; };
    auto moved = [&](TWindowBox& before) {
        return [&, main] {
            const TWindowBox now = BoxOf(main);
            if (now == before) return false;
            before = now;
            return true;
        };
    };
    TWindowBox box = BoxOf(main);
    timed("tile", menu('T'), moved(box));
    timed("cascade", menu('C'), moved(box));
    timed("stacked", menu('H'), moved(box));
    timed("side by side", menu('V'), moved(box));
    timed("window list", menu('2'), [&] { return GetForegroundWindow() != main; });
    timed("window list", menu('3'), [&] { return GetForegroundWindow() != main; });
    timed("next", keys({VK_CONTROL, VK_TAB}), [&] { return GetForegroundWindow() != main; });
    timed("previous", keys({VK_CONTROL, VK_SHIFT, VK_TAB}), [&] { return GetForegroundWindow() != main; });
    timed("always on top", menu('O'), [&] { return (GetWindowLongA(main, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; });
    timed("user's size", keys({VK_CONTROL, VK_MENU, 'W'}), [&] { return BoxOf(main) == TWindowBox{33, 44, 555, 444}; });
    timed("minimize all", menu('M'), [&] { return IsIconic(OwnerOf(main)) && IsIconic(OwnerOf(b.MainWindow())); });
    PostMessageA(OwnerOf(main), WM_SYSCOMMAND, SC_RESTORE, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsIconic(OwnerOf(main)) && IsWindowVisible(main); }, 3000));
    timed("restore all", menu('R'), [&] { return !IsIconic(OwnerOf(b.MainWindow())); });
    EXPECT_FALSE(IsIconic(OwnerOf(hung.Form())));

    // The lookup passes over it: its file opens in the new instance, hardly
    // later than a file nobody holds.
    auto startTime = [&](const std::string& file, TVellumo& v) {
        const DWORD start = GetTickCount();
        EXPECT_TRUE(Launch(v, Quoted(file)));
        v.WaitFor([&] { return v.FileName() == file; });
        return GetTickCount() - start;
    };
    TVellumo plain, held;
    const DWORD usual = startTime(Text("plain.txt"), plain);
    const DWORD passed = startTime(hungFile, held);
    EXPECT_EQ(held.FileName(), hungFile);
    EXPECT_LT(passed, usual + 1000) << "usual start " << usual;
}

TEST_F(Instances, AMaximizedCloseKeepsTheNormalPlacement)
{
    WriteSettings("[Option]\r\nStartWindow=1\r\n");
    const std::string ini = ini_ + "\\vellumo.ini";
    {
        TVellumo v;
        ASSERT_TRUE(Launch(v, ""));
        SetWindowPos(v.MainWindow(), nullptr, 50, 60, 600, 400, SWP_NOZORDER | SWP_NOACTIVATE);
        ASSERT_TRUE(v.Close());
    }
    {
        TVellumo v;
        ASSERT_TRUE(Launch(v, ""));
        EXPECT_EQ(BoxOf(v.MainWindow()), (TWindowBox{50, 60, 600, 400}));
        ShowWindow(v.MainWindow(), SW_MAXIMIZE);
        ASSERT_TRUE(v.WaitFor([&] { return IsZoomed(v.MainWindow()) != 0; }));
        ASSERT_TRUE(v.Close());
    }
    const std::string saved = ReadFileBytes(ini);
    EXPECT_NE(saved.find("WindowMax=1"), std::string::npos) << saved;
    EXPECT_NE(saved.find("WindowWidth=600"), std::string::npos) << saved;
    EXPECT_NE(saved.find("WindowLeft=50"), std::string::npos) << saved;
    {
        TVellumo v;
        ASSERT_TRUE(Launch(v, ""));
        EXPECT_TRUE(v.WaitFor([&] { return IsZoomed(v.MainWindow()) != 0; }));
        // Restored, it comes back to the normal placement it was closed with.
        ShowWindow(v.MainWindow(), SW_RESTORE);
        EXPECT_TRUE(v.WaitFor([&] { return BoxOf(v.MainWindow()) == TWindowBox{50, 60, 600, 400}; }));
        ASSERT_TRUE(v.Close());
    }
}

} // namespace
} // namespace e2e
