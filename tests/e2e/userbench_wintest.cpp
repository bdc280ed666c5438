// The benchmark driver's measures on tiny files: they must give figures when
// the program does its part and refuse them when a check fails.
#include "e2e_support_win.h"
#include "userbench_win.h"

namespace e2e {
namespace {

using namespace bench;

class UserBench : public TEndToEnd {};

TEST_F(UserBench, CountsCharactersAndLineBreaksAsTheEditorDoes)
{
    // "あ" is one character of two bytes: the middle of "aあb" is after it.
    EXPECT_EQ(CharBoundary("a\x82\xA0" "b", 2), 3u);
    EXPECT_EQ(CharBoundary("a\x82\xA0" "b", 1), 1u);
    EXPECT_EQ(CharBoundary("ab", 9), 2u);
    EXPECT_EQ(TextLength("a\r\nb\nc\rd"), 10);
    const std::string line = LongLine(1000);
    EXPECT_EQ(line.size(), 1000u);
    EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos);
}

TEST_F(UserBench, KeysInTheMiddleOfALineAreTimedAndChecked)
{
    const std::string path = dir_.File("line.txt");
    const std::string text = LongLine(600);
    ASSERT_TRUE(WriteFileBytes(path, text));
    AgeFile(path);
    const TKeys k = TimeKeys(ini_, path, 300, 3);
    ASSERT_TRUE(k.Ok) << k.Why;
    EXPECT_GT(k.KeyMs, 0);
    EXPECT_GE(k.PaintedMs, k.KeyMs);
    const std::size_t at = CharBoundary(text, 300);
    EXPECT_EQ(ReadFileBytes(path), text.substr(0, at) + "aaa" + text.substr(at));
}

TEST_F(UserBench, OpenChecksTheLengthAndReplaceAllTheSavedBytes)
{
    const std::string path = dir_.File("doc.txt");
    const std::string text = "\x82\xB5x\r\ny\x82\xB5\x82\xB5\r\n";  // three "し"
    ASSERT_TRUE(WriteFileBytes(path, text));
    AgeFile(path);
    {
        TVellumo v;
        const TOpened o = TimeOpen(v, ini_, path, TextLength(text) + 1, 60000);
        EXPECT_FALSE(o.Ok);
        EXPECT_NE(o.Why.find("text length"), std::string::npos) << o.Why;
    }
    KillStrays();
    TVellumo v;
    const TOpened o = TimeOpen(v, ini_, path, TextLength(text), 60000);
    ASSERT_TRUE(o.Ok) << o.Why;
    EXPECT_GT(o.PeakWsMB, 0);
    std::string why;
    long count = 0;
    ASSERT_GE(TimeReplaceAll(v, "\x82\xB5", "\x83\x56", count, why), 0) << why;
    EXPECT_EQ(count, 3);
    EXPECT_FALSE(SaveAndCompare(v, path, text, why, 20000));
    EXPECT_EQ(ReadFileBytes(path), "\x83\x56x\r\ny\x83\x56\x83\x56\r\n");
}

} // namespace
} // namespace e2e
