#include <gtest/gtest.h>

#include <random>

#include "base/colorcodec.h"
#include "base/shortcut.h"

using namespace vellumo;

namespace {

TEST(ColorCodec, NamedColoursWriteTheirNameAndOthersEightHexDigits)
{
    EXPECT_EQ(ColorToString(clWindowText), "clWindowText");
    EXPECT_EQ(ColorToString(clTeal), "clTeal");
    EXPECT_EQ(ColorToString(clLtGray), "clSilver");  // an alias writes the first name
    EXPECT_EQ(ColorToString(clNone), "clNone");
    EXPECT_EQ(ColorToString(0x00C00000), "$00C00000");
    EXPECT_EQ(ColorToString(SystemColor(30)), "$8000001E");  // a system colour without a name
    EXPECT_EQ(ColorToString(static_cast<TColor>(0xFFFFFFFF)), "$FFFFFFFF");
}

TEST(ColorCodec, ReadsNamesInAnyCaseAndNumbersAndRefusesTheRest)
{
    EXPECT_EQ(StringToColor("clwindowtext", clRed), clWindowText);
    EXPECT_EQ(StringToColor("CLBTNFACE", clRed), clBtnFace);
    EXPECT_EQ(StringToColor("clLtGray", clRed), clSilver);
    EXPECT_EQ(StringToColor("$00c00000", clRed), 0x00C00000);
    EXPECT_EQ(StringToColor("0x0000FF00", clRed), 0x0000FF00);
    EXPECT_EQ(StringToColor("$FF", clRed), 0xFF);
    EXPECT_EQ(StringToColor("16711680", clRed), clBlue);
    EXPECT_EQ(StringToColor("-2147483640", clRed), clWindowText);
    for (const char* bad : {"", "cl", "$", "$123456789", "clWindowTextX", "12abc", "$00G00000", "\x82\x60", " clRed"})
        EXPECT_EQ(StringToColor(bad, clLime), clLime) << bad;
    TColor c = 0;
    EXPECT_FALSE(TryStringToColor("garbage", c));
}

TEST(ColorCodec, EveryValueSurvivesARoundTrip)
{
    std::mt19937 rng(99);
    for (int i = 0; i < 20000; ++i) {
        TColor c = static_cast<TColor>(rng());
        if (i % 4 == 0) c = SystemColor(static_cast<int>(rng() % 40));
        if (i % 4 == 1) c &= 0x00FFFFFF;
        TColor back = 0;
        ASSERT_TRUE(TryStringToColor(ColorToString(c), back)) << ColorToString(c);
        ASSERT_EQ(back, c) << ColorToString(c);
    }
}

TEST(ShortCutCodec, TextsInFixedModifierOrder)
{
    EXPECT_EQ(ShortCutToText(ShortCut('1', scShift | scCtrl)), "Shift+Ctrl+1");
    EXPECT_EQ(ShortCutToText(ShortCut('A', scCtrl | scAlt | scShift)), "Shift+Ctrl+Alt+A");
    EXPECT_EQ(ShortCutToText(ShortCut(0x70, scCtrl)), "Ctrl+F1");
    EXPECT_EQ(ShortCutToText(ShortCut(0x87, 0)), "F24");
    EXPECT_EQ(ShortCutToText(ShortCut(0x2E, scShift)), "Shift+Del");
    EXPECT_EQ(ShortCutToText(ShortCut(0x6B, scCtrl)), "Ctrl+Num +");
    EXPECT_EQ(ShortCutToText(ShortCut(0xBA, scAlt)), "Alt+VK_BA");
    EXPECT_EQ(ShortCutToText(scCtrl), "");  // no key
    EXPECT_EQ(ShortCutToText(0), "");
}

TEST(ShortCutCodec, ReadsModifiersInAnyOrderAndCase)
{
    const TShortCut want = ShortCut('1', scShift | scCtrl);
    for (const char* text : {"Shift+Ctrl+1", "Ctrl+Shift+1", "ctrl+SHIFT+1", " Ctrl + Shift + 1 ", "Control+Shift+1"})
        EXPECT_EQ(TextToShortCut(text), want) << text;
    EXPECT_EQ(TextToShortCut("alt+f4"), ShortCut(0x73, scAlt));
    EXPECT_EQ(TextToShortCut("Ctrl+a"), ShortCut('A', scCtrl));
    EXPECT_EQ(TextToShortCut("Shift+Num +"), ShortCut(0x6B, scShift));
    EXPECT_EQ(TextToShortCut("Escape"), ShortCut(0x1B, 0));
    EXPECT_EQ(TextToShortCut("Ctrl+Return"), ShortCut(0x0D, scCtrl));
    for (const char* bad : {"", "Ctrl+", "Shift+Ctrl+", "Foo+A", "Ctrl+Foo", "F0", "F25", "F01", "VK_", "VK_123",
                            "Ctrl++", "+", "\x82\x60"})
        EXPECT_EQ(TextToShortCut(bad), scNone) << bad;
}

TEST(ShortCutCodec, EveryKeyAndModifierSetRoundTrips)
{
    for (unsigned key = 1; key < 256; ++key)
        for (unsigned m = 0; m < 8; ++m) {
            const TShortCut mods = static_cast<TShortCut>((m & 1 ? scShift : 0) | (m & 2 ? scCtrl : 0) | (m & 4 ? scAlt : 0));
            const TShortCut sc = ShortCut(key, mods);
            const std::string text = ShortCutToText(sc);
            ASSERT_FALSE(text.empty());
            ASSERT_EQ(TextToShortCut(text), sc) << text;
        }
}

} // namespace
