#include <gtest/gtest.h>

#include <string>

#include "dialogs/print/printdlg.h"

using namespace vellumo;

namespace {

TAppIniPrn Sample()
{
    TAppIniPrn p;
    p.LeftMargin = 11;
    p.RightMargin = 12;
    p.TopMargin = 13;
    p.BottomMargin = 14;
    p.ColumnSpace = 7;
    p.ColNum = true;
    p.HeaderStr = " [ %F ] ";
    p.FooterStr = "- %p -";
    p.HeaderAlign = 1;
    p.FooterAlign = 3;
    p.FontName = "font";
    p.FontSize = 30;
    p.ColumnCount = 2;
    p.RangeOption = 1;
    p.StartPage = 4;
    p.LastPage = 9;
    p.SelectionOnly = true;
    return p;
}

TEST(PrintDialogValues, OpeningShowsTheStoredKeysAndAFreshPageRange)
{
    const TPrintFormValues v = PrintFormValuesOf(Sample());
    EXPECT_EQ(v.LeftMargin, 11);
    EXPECT_EQ(v.BottomMargin, 14);
    EXPECT_EQ(v.HeaderStr, " [ %F ] ");
    EXPECT_EQ(v.FooterAlign, 3);
    EXPECT_EQ(v.FontSizeText, "30");
    EXPECT_EQ(v.ColumnIndex, 1);
    // The page fields and the range are never taken from the settings.
    EXPECT_TRUE(v.PrintAll);
    EXPECT_EQ(v.StartPage, 1);
    EXPECT_EQ(v.LastPage, 1);
    EXPECT_FALSE(v.PrintSelect);
}

TEST(PrintDialogValues, StoringCopiesEveryControlAndKeepsASizeThatIsNoNumber)
{
    TPrintFormValues v = PrintFormValuesOf(Sample());
    v.ColumnIndex = 2;
    v.PrintAll = false;
    v.StartPage = 5;
    v.LastPage = 12;
    v.PrintSelect = true;
    v.FontSizeText = "9";
    TAppIniPrn p;
    StorePrintFormValues(v, p);
    EXPECT_EQ(p.ColumnCount, 3);
    EXPECT_EQ(p.RangeOption, 1);
    EXPECT_EQ(p.StartPage, 5);
    EXPECT_EQ(p.LastPage, 12);
    EXPECT_TRUE(p.SelectionOnly);
    EXPECT_EQ(p.FontSize, 9);
    EXPECT_EQ(p.HeaderStr, " [ %F ] ");
    EXPECT_EQ(p.RightMargin, 12);
    v.PrintAll = true;
    for (const char* text : {"", "abc", "10.5", "9x"}) {
        v.FontSizeText = text;
        StorePrintFormValues(v, p);
        EXPECT_EQ(p.FontSize, 9) << text;
    }
    EXPECT_EQ(p.RangeOption, 0);
}

TEST(PrintDialogRules, AlignmentsAndColumnsEnableTheirFields)
{
    struct Case {
        int header, footer, columns;
        bool h, f, space;
    } cases[] = {{0, 0, 0, false, false, false}, {2, 0, 1, true, false, true}, {0, 3, 2, false, true, true},
                 {1, 1, 0, true, true, false}};
    for (const Case& c : cases) {
        const TPrintFormEnabling e = PrintFormEnabling(c.header, c.footer, c.columns);
        EXPECT_EQ(e.Header, c.h);
        EXPECT_EQ(e.Footer, c.f);
        EXPECT_EQ(e.ColumnSpace, c.space);
    }
}

TEST(PrintDialogRules, PageFieldsHoldEachOtherWhenOneIsLeft)
{
    struct Case {
        TPageFields typed;
        bool start;
        TPageFields result;
    } cases[] = {
        {{5, 1}, true, {5, 5}},    // 5 typed into the first page: both 5
        {{5, 12}, false, {5, 12}}, // "12" typed after a start of 5 stays 5..12
        {{5, 3}, false, {3, 3}},   // a last page below the first lowers it
        {{2, 9}, true, {2, 9}},
        {{7, 7}, false, {7, 7}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CouplePageFields(c.typed, c.start), c.result) << c.typed.Start << ".." << c.typed.Last;
}

TEST(PrintDialogRules, FontSizeLabelAndPrinterName)
{
    EXPECT_EQ(PrintDialogFontSizeText(24), "22");
    EXPECT_EQ(PrintDialogFontSizeText(22), "22");
    EXPECT_EQ(PrintDialogFontSizeText(12), "12");
    EXPECT_EQ(PrintDialogFontSizeText(0), "1");

    EXPECT_EQ(CutPrinterName(std::string(300, 'p')), std::string(255, 'p'));
    EXPECT_EQ(CutPrinterName("short"), "short");
    // A double-byte character across the limit goes whole.
    const std::string jp = std::string(254, 'p') + "\x88\xF3\x8D\xFC";  // 印刷
    EXPECT_EQ(CutPrinterName(jp), std::string(254, 'p'));
    EXPECT_EQ(CutPrinterName(jp, 256), std::string(254, 'p') + "\x88\xF3");
    EXPECT_EQ(CutPrinterName("ab\x88", 3), "ab\x88");  // a lone lead byte at the end stays
}

} // namespace
