// A clipboard watcher whose window cannot be made leaves the main window
// working (here, where a real main window may register its class).
#include <gtest/gtest.h>

#include <filesystem>

#include "app/window/clipdetector_win.h"
#include "app/startup/cmdline_win.h"
#include "app/window/mainform_win.h"

namespace vellumo::testing {
namespace {

TEST(ClipDetector, WindowThatCannotBeMadeLeavesTheMainWindowWorking)
{
    TClipDetector::SetFailWindowForTests(true);
    struct Restore {
        ~Restore() { TClipDetector::SetFailWindowForTests(false); }
    } restore;
    TClipDetector d;
    try {
        d.SetOnClipChange([](TClipDetector&) {});
        ADD_FAILURE() << "no error";
    } catch (const EOutOfResources& e) {
        EXPECT_STREQ(e.what(), "TClipDetector.SetOnClipChange: Cannot Allocate HWnd");
    }
    EXPECT_EQ(d.WindowHandle(), nullptr);

    const auto folder = std::filesystem::temp_directory_path() / "vellumo_clipwatch_test";
    std::filesystem::create_directories(folder);
    SetSystemCommandLine(TCommandLine({"vellumo.exe", "/i=" + folder.string()}));
    {
        TVellumoMainForm form;
        ConnectDocumentFunctions(form);
        form.HandleNeeded();
        form.FormCreate();
        EXPECT_EQ(ClipDetector(), nullptr);
        SetMainClipDetectorIgnoreFirst(false);  // applying settings later is harmless
        form.Editor1.Lines().SetText("still works");
        EXPECT_EQ(form.Editor1.Lines().Text(), "still works");
        EXPECT_TRUE(IsWindow(form.Window()));
        form.FormDestroy();
    }
    std::filesystem::remove_all(folder);
}

} // namespace
} // namespace vellumo::testing
