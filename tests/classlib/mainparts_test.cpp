#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classlib/actionlist.h"
#include "classlib/filefilter.h"
#include "classlib/hinttext.h"
#include "classlib/pixeltable.h"

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

TEST(PixelTable, RejectsTablesOfTheWrongShapeOrUnknownCharacters)
{
    const TPixelPalette palette{{'r', 0xFF0000}, {'g', 0x00FF00}};
    auto px = ParsePixelTable({"r.", " g"}, 2, 2, palette);
    EXPECT_EQ(px, (std::vector<std::uint32_t>{0xFFFF0000, 0, 0, 0xFF00FF00}));
    EXPECT_TRUE(ParsePixelTable({"rr", "r"}, 2, 2, palette).empty());
    EXPECT_TRUE(ParsePixelTable({"rr"}, 2, 2, palette).empty());
    EXPECT_TRUE(ParsePixelTable({"rx", "rr"}, 2, 2, palette).empty());
    EXPECT_TRUE(ParsePixelTable({}, 0, 0, palette).empty());
}

TEST(ActionList, TheFirstActionOfAShortcutRunsWhenItIsEnabledAfterItsUpdate)
{
    TActionList list;
    std::vector<std::string> ran;
    bool allowed = false;
    TAction& box = list.Add("BoxLeft", "Alt+Shift+Left", [&](TAction&) { ran.push_back("box"); });
    box.OnUpdate = [&](TAction& a) { a.SetEnabled(allowed); };
    list.Add("Other", "Alt+Shift+Left", [&](TAction&) { ran.push_back("other"); });
    list.Add("Focus", "Ctrl+Alt+A", [&](TAction&) { ran.push_back("focus"); });
    const TShortCut left = TextToShortCut("Alt+Shift+Left");
    EXPECT_FALSE(list.IsShortCut(left));  // disabled: the key passes on
    allowed = true;
    EXPECT_TRUE(list.IsShortCut(left));
    EXPECT_TRUE(list.IsShortCut(TextToShortCut("Ctrl+Alt+A")));
    EXPECT_FALSE(list.IsShortCut(TextToShortCut("Ctrl+A")));
    EXPECT_FALSE(list.IsShortCut(scNone));
    EXPECT_EQ(ran, (std::vector<std::string>{"box", "focus"}));
    EXPECT_EQ(list.Find("Focus"), &list.Actions(2));
    EXPECT_EQ(list.Find("focus"), nullptr);
}

} // namespace
