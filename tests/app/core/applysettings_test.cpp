// The portable half of applying settings: ranges, the guide lines, and the
// process-wide values the editor reads.
#include <gtest/gtest.h>

#include "app/core/applysettings.h"
#include "settings/settingsstore.h"
#include "support/tempfolder.h"
#include "editor/editprop.h"
#include "editor/parsersettings.h"
#include "support/test_machine.h"

using namespace vellumo;

namespace {

TAppSettings Defaults()
{
    vellumo::testing::TTempFolder dir;
    TFakeMachine machine;
    TSettingsStore store(dir.File("none.ini"), machine);
    store.LoadSettings();
    return store.Settings;
}

const TScreenArea kScreen{-1280, 0, 2560, 1024};

TEST(ApplySettings, ValuesNoSetterClampsStayInTheirKeysRanges)
{
    TAppSettings s = Defaults();
    const TAppIni defaults = s.Option;
    ClampAppliedSettings(s, kScreen);
    EXPECT_EQ(s.Option, defaults);
    const struct {
        int font, line, chr, col, mode, expFont, expLine, expChr, expCol, expMode;
    } cases[] = {
        {0, -1, -1, -5, -1, kMinFontSize, 0, 0, 0, 0},
        {kHalfPointFontSize, 11, 6, 1001, 14, kHalfPointFontSize, 10, 5, 1000, 0},
        {5000, 0, 0, 0, 0, kMaxFontSize, 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        TAppIni& o = s.Option;
        o.FontSize = c.font, o.LinePitch = c.line, o.CharPitch = c.chr, o.ColLineByte = c.col, o.DefEditMode = c.mode;
        ClampAppliedSettings(s, kScreen);
        EXPECT_EQ(o.FontSize, c.expFont);
        EXPECT_EQ(o.LinePitch, c.expLine);
        EXPECT_EQ(o.CharPitch, c.expChr);
        EXPECT_EQ(o.ColLineByte, c.expCol);
        EXPECT_EQ(o.DefEditMode, c.expMode);
    }

    const struct {
        TWindowBox in, out;
    } boxes[] = {
        {{-32000, -32000, 640, 480}, {-1280, 0, 640, 480}},  // a minimized window's position
        {{5000, 900, 640, 480}, {640, 544, 640, 480}},
        {{0, 0, 99999, -5}, {-1280, 0, 2560, kMinWindowSize}},
    };
    for (const auto& b : boxes) {
        const TWindowBox r = ClampWindowBox(b.in, kScreen);
        EXPECT_TRUE(r.Left == b.out.Left && r.Top == b.out.Top && r.Width == b.out.Width && r.Height == b.out.Height)
            << r.Left << "," << r.Top << " " << r.Width << "x" << r.Height;
    }
    EXPECT_EQ(ClampWindowBox({-32000, 1, 2, 3}, {}).Left, -32000);  // no area known
}

TEST(ApplySettings, GuideLinesFontHeightAndProcessWideValues)
{
    TAppSettings s = Defaults();
    TEditorProp prop;
    s.Option.WordWrap = s.Option.WrapLine = s.Option.ColLine = true;
    s.Option.WrapCount = 60, s.Option.ColLineByte = 72, s.Option.FontSize = kHalfPointFontSize;
    StageEditorSettings(prop, s, 120);
    EXPECT_EQ(prop.Font().Height(), -18);  // 10.5 points at 120 pixels per inch
    ASSERT_EQ(prop.VerticalLines().Count(), 2);
    EXPECT_TRUE(prop.VerticalLines().Items(0).Visible());
    EXPECT_FALSE(prop.VerticalLines().Items(1).Visible()) << "column line beyond the wrap column";
    // Tate is the vertical bar, Yoko the horizontal one.
    const struct {
        bool tate, yoko;
        TScrollStyle style;
    } bars[] = {{true, true, ssBoth}, {true, false, ssVertical}, {false, true, ssHorizontal}, {false, false, ssNone}};
    for (const auto& b : bars) {
        s.Option.ScrollBar_Tate = b.tate, s.Option.ScrollBar_Yoko = b.yoko;
        ApplyScrollBars(prop, s.Option);
        EXPECT_EQ(prop.ScrollBars(), b.style) << b.tate << b.yoko;
    }

    // URL characters only grow; the terminators are replaced.
    TParserSettings parser;
    s.OptionEx.UrlChars = "!\x82\xA0";  // the double-byte pair adds nothing
    s.Option.NotUrlChars = ";";
    ApplyParserValues(parser, s);
    EXPECT_TRUE(parser.UrlCharSet.Contains('!'));
    EXPECT_EQ(parser.UrlCharSet.Contains(0xA0), TParserSettings::DefaultUrlCharSet().Contains(0xA0));
    EXPECT_TRUE(parser.UrlEndCharSet.Contains(';'));
    s.OptionEx.UrlChars.clear();
    s.Option.NotUrlChars = "<";
    ApplyParserValues(parser, s);
    EXPECT_TRUE(parser.UrlCharSet.Contains('!'));
    EXPECT_FALSE(parser.UrlEndCharSet.Contains(';'));

    EXPECT_EQ(PasteQuoteMark(s.Option), "> ");
    for (const char* v : {"%", ""}) {
        s.Option.PasteInyouhu = v;
        EXPECT_EQ(PasteQuoteMark(s.Option), "");
    }
    s.Option.PasteInyouhu = "\x81\x84";  // not wrapped: the character stays whole
    EXPECT_EQ(PasteQuoteMark(s.Option), "\x81\x84");
}

} // namespace
