// The program itself: started on a file with a Japanese name, it shows the
// name, asks before closing on a change, saves on Yes, ends with 0 and
// keeps its window's place.
#include <windows.h>

#include "e2e_support_win.h"

namespace e2e {
namespace {

class Program : public TEndToEnd {};

TEST_F(Program, StartsOnAJapaneseFileAndEndsOnClose)
{
    const std::string file = dir_.File("日本.txt");
    const std::string text = "あいう\r\n表示\r\n";  // 表 has the trail byte 5C
    ASSERT_TRUE(WriteFileBytes(file, text));
    // With "keep the last placement" the window's place is written when it goes.
    WriteSettings("[Option]\r\nStartWindow=1\r\n");
    TVellumo v;
    ASSERT_TRUE(Launch(v, Quoted(file)));
    char caption[512] = {};
    GetWindowTextA(v.MainWindow(), caption, sizeof caption);
    EXPECT_NE(std::string(caption).find("日本.txt"), std::string::npos) << caption;
    EXPECT_EQ(v.FileName(), file);

    v.PostChars("x");
    PostMessageA(v.MainWindow(), WM_CLOSE, 0, 0);
    HWND question = v.WaitDialog();
    ASSERT_NE(question, nullptr) << "no question before closing";
    TVellumo::Answer(question, IDYES);
    ASSERT_TRUE(v.WaitExit());
    EXPECT_EQ(v.ExitCode(), 0u);
    EXPECT_EQ(ReadFileBytes(file), "x" + text);
    const std::string settings = ReadFileBytes(ini_ + "\\vellumo.ini");
    EXPECT_NE(settings.find("[TVellumoMainForm]"), std::string::npos) << settings;
    EXPECT_NE(settings.find("WindowWidth="), std::string::npos) << settings;
}

} // namespace
} // namespace e2e
