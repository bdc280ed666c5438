// The portable half of applying settings: ranges, the staged holder, and
// the process-wide values the editor reads.
#include <gtest/gtest.h>

#include "app/applysettings.h"
#include "app/settingsstore.h"
#include "classlib/tempfolder.h"
#include "editor/editprop.h"
#include "editor/parsersettings.h"
#include "test_machine.h"

using namespace vellumo;
using vellumo::testing::TTempFolder;

namespace {

TAppSettings Defaults()
{
    TTempFolder dir;
    TFakeMachine machine;
    TSettingsStore store(dir.File("none.ini"), machine);
    store.LoadSettings();
    return store.Settings;
}

const TScreenArea kScreen{-1280, 0, 2560, 1024};

TEST(ApplySettings, ValuesNoSetterClampsAreKeptInTheirRanges)
{
    TAppSettings s = Defaults();
    const TAppSettings before = s;
    ClampAppliedSettings(s, kScreen);
    EXPECT_EQ(s.Option, before.Option) << "defaults are in range";

    const struct {
        int fontSize, linePitch, charPitch, colLine, defMode;
        int expFont, expLine, expChar, expCol, expMode;
    } cases[] = {
        {0, -1, -1, -5, -1, kMinFontSize, 0, 0, 0, 0},
        {kHalfPointFontSize, 11, 6, 1001, 14, kHalfPointFontSize, 10, 5, 1000, 0},
        {-3, 10, 5, 1000, 13, kMinFontSize, 10, 5, 1000, 13},
        {5000, 0, 0, 0, 0, kMaxFontSize, 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        s.Option.FontSize = c.fontSize;
        s.Option.LinePitch = c.linePitch;
        s.Option.CharPitch = c.charPitch;
        s.Option.ColLineByte = c.colLine;
        s.Option.DefEditMode = c.defMode;
        ClampAppliedSettings(s, kScreen);
        EXPECT_EQ(s.Option.FontSize, c.expFont);
        EXPECT_EQ(s.Option.LinePitch, c.expLine);
        EXPECT_EQ(s.Option.CharPitch, c.expChar);
        EXPECT_EQ(s.Option.ColLineByte, c.expCol);
        EXPECT_EQ(s.Option.DefEditMode, c.expMode);
    }
    s.JCode.NewCode = 6;
    s.JCode.NewRetCode = -1;
    ClampAppliedSettings(s, kScreen);
    EXPECT_EQ(s.JCode.NewCode, 0);
    EXPECT_EQ(s.JCode.NewRetCode, 0);
}

TEST(ApplySettings, WindowBoxesStayOnTheScreen)
{
    const struct {
        TWindowBox in, out;
    } cases[] = {
        {{10, 20, 640, 480}, {10, 20, 640, 480}},             // inside: unchanged
        {{-1280, 0, 2560, 1024}, {-1280, 0, 2560, 1024}},     // exactly the area
        {{-32000, -32000, 640, 480}, {-1280, 0, 640, 480}},   // a minimized window's position
        {{5000, 900, 640, 480}, {640, 544, 640, 480}},        // past the right and bottom edges
        {{0, 0, 99999, -5}, {-1280, 0, 2560, kMinWindowSize}},  // too big, negative
    };
    for (const auto& c : cases) {
        const TWindowBox b = ClampWindowBox(c.in, kScreen);
        EXPECT_EQ(b.Left, c.out.Left);
        EXPECT_EQ(b.Top, c.out.Top);
        EXPECT_EQ(b.Width, c.out.Width);
        EXPECT_EQ(b.Height, c.out.Height);
    }
    // No area known: nothing is changed.
    const TWindowBox b = ClampWindowBox({-32000, 1, 2, 3}, {});
    EXPECT_EQ(b.Left, -32000);

    TAppSettings s = Defaults();
    s.Option.UserWindowPos_X = 99999;
    s.Option.UserWindowSize_H = 0;
    ClampAppliedSettings(s, kScreen);
    EXPECT_EQ(s.Option.UserWindowPos_X + s.Option.UserWindowSize_W, kScreen.Left + kScreen.Width);
    EXPECT_EQ(s.Option.UserWindowSize_H, kMinWindowSize);
    TAppWindowPlacement p{800, 600, -5000, 7000, false};
    ClampWindowPlacement(p, kScreen);
    EXPECT_EQ(p.WindowTop, 0);
    EXPECT_EQ(p.WindowLeft, 1280 - 800);
}

TEST(ApplySettings, StagedHolderCarriesEveryGroup)
{
    TAppSettings s = Defaults();
    TAppIni& o = s.Option;
    o.WordWrap = true, o.WrapCount = 10, o.WordBreak = true, o.FollowStr = "x", o.FontName = "ＭＳ 明朝";
    o.FontSize = kHalfPointFontSize, o.TabSpaceCount = 20, o.FreeCaret = true, o.RetMark = false, o.EofMark = true;
    o.LinePitch = 50, o.CharPitch = 3, o.LeftMargin = 7, o.TopMargin = 500, o.CaretUnderLine = true;
    o.LinkWord = false, o.LineNum = true, o.ScrollBar_Tate = false, o.ScrollBar_Yoko = true;
    o.WrapLine = true, o.ColLine = true, o.ColLineByte = 90;
    s.OptionEx.CaretLockScroll = true;
    s.Color.Font = 0x111, s.Color.Bk = 0x222, s.Color.SelStr = 0x333, s.Color.Link = 0x444, s.Color.Ret = 0x555;
    s.LeftBarAndRuler.LeftBarColumn = 12, s.LeftBarAndRuler.LeftBarClr = false, s.LeftBarAndRuler.RulerGaugeRange = 0;
    s.LeftBarAndRuler.RulerClr = true;

    TEditorProp prop;
    prop.View().Brackets().Add();
    StageEditorSettings(prop, s, 120);
    EXPECT_TRUE(prop.Caret().LockScroll());
    EXPECT_TRUE(prop.WordWrap());
    EXPECT_EQ(prop.WrapOption().WrapByte(), TEditorWrapOption::kMinWrapByte);
    EXPECT_TRUE(prop.WrapOption().WordBreak());
    EXPECT_EQ(prop.WrapOption().FollowStr(), "x");
    EXPECT_EQ(prop.Font().Name(), "ＭＳ 明朝");
    EXPECT_EQ(prop.Font().Height(), -18);  // 10.5 points at 120 pixels per inch
    EXPECT_EQ(prop.Caret().TabSpaceCount(), 8);
    EXPECT_TRUE(prop.Caret().FreeCaret());
    EXPECT_FALSE(prop.Marks().RetMark().Visible());
    EXPECT_TRUE(prop.Marks().EofMark().Visible());
    EXPECT_EQ(prop.Marks().RetMark().Color(), 0x555);
    EXPECT_EQ(prop.Margin().Line(), kMaxLinePitch);
    EXPECT_EQ(prop.Margin().Character(), 3);
    EXPECT_EQ(prop.Margin().Top(), 100);
    EXPECT_TRUE(prop.Marks().Underline().Visible());
    EXPECT_EQ(prop.View().Colors().Select().Color(), 0x333);
    EXPECT_FALSE(prop.View().Url());
    EXPECT_EQ(prop.View().Colors().Url().Color(), 0x111) << "links off: text colour";
    EXPECT_EQ(prop.View().Colors().Str().BkColor(), 0x222);
    EXPECT_EQ(prop.View().Brackets()[0].ItemColor().BkColor(), 0x222);
    EXPECT_EQ(prop.Color(), 0x222);
    EXPECT_EQ(prop.Leftbar().Column(), 8);
    EXPECT_EQ(prop.Leftbar().ShowNumberMode(), nmLine);
    EXPECT_EQ(prop.Leftbar().BkColor(), clBtnFace);
    EXPECT_TRUE(prop.Leftbar().Edge());
    EXPECT_EQ(prop.Ruler().GaugeRange(), 8);
    EXPECT_EQ(prop.Ruler().BkColor(), 0x222);
    EXPECT_FALSE(prop.Ruler().Edge());
    EXPECT_EQ(prop.ScrollBars(), ssHorizontal);
    ASSERT_EQ(prop.VerticalLines().Count(), 2);
    EXPECT_TRUE(prop.VerticalLines().Items(0).Visible());
    EXPECT_EQ(prop.VerticalLines().Items(0).Position(), 10);
    EXPECT_FALSE(prop.VerticalLines().Items(1).Visible()) << "column line beyond the wrap column";

    o.LinkWord = true, o.FontSize = 0, o.WordWrap = false;
    StageEditorSettings(prop, s, 96);
    EXPECT_EQ(prop.View().Colors().Url().Color(), 0x444);
    EXPECT_EQ(prop.Font().Size(), kMinFontSize);
    EXPECT_TRUE(prop.VerticalLines().Items(1).Visible());
    EXPECT_EQ(HalfPointFontHeight(96), -14);
}

TEST(ApplySettings, ProcessWideValuesAndTheQuoteMark)
{
    TAppSettings s = Defaults();
    TParserSettings parser;
    s.OptionEx.UrlChars = "!\x82\xA0";  // a double-byte pair adds nothing
    s.OptionEx.MailChars = "*";
    s.Option.NotUrlChars = ";";
    s.Option.UrlEx = true;
    ApplyParserValues(parser, s);
    EXPECT_TRUE(parser.UrlCharSet.Contains('!'));
    EXPECT_EQ(parser.UrlCharSet.Contains(0xA0), TParserSettings::DefaultUrlCharSet().Contains(0xA0));
    EXPECT_TRUE(parser.MailCharSet.Contains('*'));
    EXPECT_TRUE(parser.UrlEndCharSet.Contains(';'));
    EXPECT_FALSE(parser.UrlEndCharSet.Contains('<'));
    EXPECT_TRUE(parser.UrlEx);
    // Removed from the file: the character stays, the terminators are replaced.
    s.OptionEx.UrlChars.clear();
    s.Option.NotUrlChars = "<";
    ApplyParserValues(parser, s);
    EXPECT_TRUE(parser.UrlCharSet.Contains('!'));
    EXPECT_FALSE(parser.UrlEndCharSet.Contains(';'));
    EXPECT_TRUE(parser.UrlEndCharSet.Contains('\t'));

    TEditorHostValues host;
    s.Option.NoLButtonImeEnter = true, s.Option.RetRowIndent = true, s.OptionEx.ImeReConv = false;
    ApplyHostValues(host, s);
    EXPECT_TRUE(host.NoLButtonImeEnter);
    EXPECT_TRUE(host.RetRowIndent);
    EXPECT_FALSE(host.ImeReConv);

    EXPECT_EQ(PasteQuoteMark(s.Option), "> ");
    s.Option.PasteInyouhu = "%";
    EXPECT_EQ(PasteQuoteMark(s.Option), "");
    s.Option.PasteInyouhu = "%\x81\x84%";
    EXPECT_EQ(PasteQuoteMark(s.Option), "\x81\x84");
    s.Option.PasteInyouhu = "\x81\x84";  // not wrapped: the character stays whole
    EXPECT_EQ(PasteQuoteMark(s.Option), "\x81\x84");
    EXPECT_EQ(RulerGaugeSpacing(0), 8);
    EXPECT_EQ(RulerGaugeSpacing(5), 10);
    EXPECT_EQ(ScrollStyleFor(true, true), ssBoth);
    EXPECT_EQ(ScrollStyleFor(true, false), ssVertical);
    EXPECT_EQ(ScrollStyleFor(false, false), ssNone);
}

} // namespace
