// The clipboard watcher in the viewer chain: joining once, the first notice
// ignored on request, notices passed down the chain, leaving in any order,
// and a watcher whose window cannot be made.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "app/window/clipdetector_win.h"
#include "app/startup/cmdline_win.h"
#include "app/window/mainform_win.h"
#include "support/winsupport_win.h"

namespace vellumo::testing {
namespace {

void SetClipboardText(const char* text)
{
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    const std::size_t n = std::strlen(text) + 1;
    HGLOBAL g = GlobalAlloc(GMEM_MOVEABLE, n);
    std::memcpy(GlobalLock(g), text, n);
    GlobalUnlock(g);
    SetClipboardData(CF_TEXT, g);
    CloseClipboard();
    for (int i = 0; i < 10; ++i) {
        PumpMessages();
        Sleep(10);
    }
}

struct Counter {
    int n = 0;
    TClipDetector::TClipEvent Handler()
    {
        return [this](TClipDetector&) { ++n; };
    }
};

TEST(ClipDetector, JoinsOnceIgnoresTheFirstNoticeAndPassesChangesDown)
{
    Counter a1, a2, b;
    TClipDetector first;
    first.SetIgnoreFirst(true);
    first.SetOnClipChange(a1.Handler());
    PumpMessages();
    EXPECT_EQ(a1.n, 0);  // joining is not a change
    const HWND window = first.WindowHandle();
    ASSERT_NE(window, nullptr);
    first.SetOnClipChange(a2.Handler());  // a new handler, the same place in the chain
    EXPECT_EQ(first.WindowHandle(), window);

    {
        TClipDetector second;
        second.SetIgnoreFirst(false);
        second.SetOnClipChange(b.Handler());
        PumpMessages();
        EXPECT_EQ(second.NextViewer(), window);
        const int joined = b.n;
        EXPECT_GE(joined, 1);  // not ignoring: the notice of joining counts
        SetClipboardText("one");
        EXPECT_EQ(b.n, joined + 1);
        EXPECT_EQ(a2.n, 1);  // passed down by the viewer after it
        EXPECT_EQ(a1.n, 0);
        // The first one leaves while the second still points at it.
        first.SetOnClipChange(nullptr);
        first.SetOnClipChange(nullptr);
        EXPECT_EQ(first.WindowHandle(), nullptr);
        EXPECT_NE(second.NextViewer(), window);
        SetClipboardText("two");
        EXPECT_EQ(b.n, joined + 2);
        EXPECT_EQ(a2.n, 1);
    }
    // Back in the chain after everyone else left.
    first.SetOnClipChange(a2.Handler());
    SetClipboardText("three");
    EXPECT_EQ(a2.n, 2);
}

// The settings set IgnoreFirst before the main window's watcher joins.
TEST(ClipDetector, MainWatcherTakesIgnoreFirstFromTheSettingsBeforeJoining)
{
    for (bool ignore : {true, false}) {
        int n = 0;
        SetMainClipDetectorIgnoreFirst(ignore);
        ASSERT_TRUE(StartMainClipDetector([&n] { ++n; }));
        PumpMessages();
        EXPECT_EQ(n, ignore ? 0 : 1) << ignore;
        SetClipboardText("x");
        EXPECT_EQ(n, ignore ? 1 : 2) << ignore;
        StopMainClipDetector();
        EXPECT_EQ(ClipDetector(), nullptr);
    }
}


} // namespace
} // namespace vellumo::testing
