// The status panels that follow the caret and the bar's width: caret
// position with and without wrap and line numbering, text sizes, panel 0.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "app/window/mainformstatus.h"
#include "editor/lines.h"
#include "editor/model_support.h"
#include "editor/wrapoption.h"

using namespace vellumo;

TEST(StatusPanels, CaretPositionKeepsItsColumnsForAnyNumber)
{
    EXPECT_EQ(CaretPositionText(1, 1), "    1行:    1桁 ");
    EXPECT_EQ(CaretPositionText(12345, 8000), "12345行: 8000桁 ");
    // Wider numbers push the text, never cut it.
    EXPECT_EQ(CaretPositionText(1234567, 12345), "1234567行: 12345桁 ");
}

TEST(StatusPanels, CaretPositionOfWrappedRowsWithAndWithoutLineNumbering)
{
    test::TFakeView view;
    TEditorScreenStrings& s = view.ScreenStrings();
    TEditorStrings lines{view};
    // Line 0 of 45 bytes, line 1 of fifteen double-byte characters, line 2 short.
    std::string kana;
    for (int i = 0; i < 15; ++i) kana += "\x82\xA0";
    lines.SetText(std::string(45, 'x') + "\r\n" + kana + "\r\nab");
    s.WrapOption().SetWrapByte(20);
    s.SetWordWrap(true);
    // Rows: 0-2 line 0 (20, 20, 5 cells); 3-4 line 1 (20, 10); 5 "ab".
    ASSERT_EQ(s.Count(), 6);
    const int last = 5;
    struct Case {
        int Row, Col;
        bool LineNum;
        std::string Shown;
    } cases[] = {
        {0, 0, true, "    1行:    1桁 "},
        // The second row of a wrapped line: the same line, a column past the row's width.
        {1, 3, true, "    1行:   24桁 "},
        {2, 4, true, "    1行:   45桁 "},
        {1, 3, false, "    2行:    4桁 "},
        {4, 2, true, "    2行:   23桁 "},
        {last, 1, true, "    3行:    2桁 "},
        {last, 1, false, CaretPositionText(last + 1, 2)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CaretPositionText(s, c.Row, c.Col, c.LineNum), c.Shown) << c.Row << "," << c.Col << " " << c.LineNum;
    // The caret after the last row (an empty end) stays in range.
    EXPECT_EQ(CaretPositionText(s, last + 1, 0, false), CaretPositionText(last + 2, 1));
}

TEST(StatusPanels, SizesGroupThousandsAndSelectionsAreInParentheses)
{
    const struct {
        long long N;
        const char* Grouped;
    } numbers[] = {{0, "0"}, {999, "999"}, {1000, "1,000"}, {100000, "100,000"}, {1234567, "1,234,567"},
                   {-1000, "-1,000"}, {LLONG_MIN, "-9,223,372,036,854,775,808"}};
    for (const auto& n : numbers) EXPECT_EQ(GroupedNumber(n.N), n.Grouped);
    EXPECT_EQ(TextSizeText(1234, false), "1,234 バイト ");
    EXPECT_EQ(TextSizeText(1234, true), "(1,234 バイト)");
    // A second F4 tells a size from a caret position by the unit.
    EXPECT_TRUE(ShowsTextSize(TextSizeText(0, false)));
    EXPECT_TRUE(ShowsTextSize(TextSizeText(5, true)));
    EXPECT_FALSE(ShowsTextSize(CaretPositionText(1000, 1000)));
    EXPECT_FALSE(ShowsTextSize(""));
}

TEST(StatusPanels, FirstPanelTakesTheRestAndNeverLessThan78)
{
    // Panels 1 to 9 take 453 pixels; restored, the size grip's 18 more.
    const struct {
        int Bar;
        bool Maximized;
        int Width;
    } cases[] = {{500, false, 79}, {499, false, 78}, {498, false, 78}, {0, false, 78}, {1000, false, 579},
                 {482, true, 79},  {481, true, 78},  {480, true, 78},  {1000, true, 597}};
    for (const auto& c : cases)
        EXPECT_EQ(FirstPanelWidth(c.Bar, c.Maximized, kStatusPanelWidths), c.Width) << c.Bar << " " << c.Maximized;
    // A hint or message wider than that widens panel 0 to show it whole.
    EXPECT_EQ(FirstPanelWidth(492, false, kStatusPanelWidths, 150), 162);
    EXPECT_EQ(FirstPanelWidth(492, false, kStatusPanelWidths, 50), 78);
    EXPECT_EQ(FirstPanelWidth(1000, false, kStatusPanelWidths, 150), 579);
    EXPECT_EQ(FirstPanelWidth(492, false, kStatusPanelWidths, 0), 78);
    EXPECT_EQ(BoxModeText(true), "矩形");
    EXPECT_EQ(BoxModeText(false), "");
}
