#include <gtest/gtest.h>

#include <string>

#include "classlib/filefilter.h"
#include "classlib/hinttext.h"

using namespace vellumo;

namespace {

TEST(HintText, SplitsAtTheFirstBarThatIsNotATrailByte)
{
    struct TCase {
        std::string hint, shortPart, longPart;
    };
    // 0x83 0x7C is a katakana whose trail byte is "|".
    const std::string kana = "\x83\x7C";
    const TCase cases[] = {
        {"Open|Opens a file", "Open", "Opens a file"},
        {"no separator", "no separator", "no separator"},
        {kana + "x|y", kana + "x", "y"},
        {kana, kana, kana},
        {"|long", "", "long"},
        {"a|b|c", "a", "b|c"},
        {"\x83", "\x83", "\x83"},  // a lead byte at the end stays whole
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(GetShortHint(c.hint), c.shortPart) << c.hint;
        EXPECT_EQ(GetLongHint(c.hint), c.longPart) << c.hint;
    }
}

TEST(FileFilter, BecomesTheSystemListWithoutSplittingDoubleByteCharacters)
{
    using namespace std::string_literals;
    EXPECT_EQ(FilterToSystemList("Text|*.txt|All|*.*"), "Text\0*.txt\0All\0*.*\0\0"s);
    // A description ending in a character whose trail byte is "|".
    EXPECT_EQ(FilterToSystemList("\x83\x7C|*.txt"), "\x83\x7C\0*.txt\0\0"s);
    // A description without a pattern gets one rather than shifting the pairs.
    EXPECT_EQ(FilterToSystemList("Text|*.txt|All"), "Text\0*.txt\0All\0*.*\0\0"s);
    EXPECT_EQ(FilterToSystemList(""), "\0\0"s);
}

} // namespace
