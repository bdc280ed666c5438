#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/commands/printcmds.h"

using namespace vellumo;

namespace {

TAppIniPrn Settings()
{
    TAppIniPrn s;
    s.LeftMargin = 21;
    s.RightMargin = 22;
    s.TopMargin = 23;
    s.BottomMargin = 24;
    s.ColNum = true;
    s.HeaderStr = "[ %F ]";
    s.HeaderAlign = 1;
    s.FooterStr = "- %p -";
    s.FooterAlign = 3;
    s.FontName = "font";
    s.FontSize = 14;
    s.ColumnCount = 2;
    s.ColumnSpace = 9;
    s.RangeOption = 1;
    s.StartPage = 3;
    s.LastPage = 5;
    return s;
}

TEST(PrintSettingsApplied, EveryValueReachesTheComponent)
{
    TStringsPrinterProps p;
    SetUpStringsPrinter(p);
    EXPECT_EQ(p.FirstPageNumber(), 1);
    EXPECT_EQ(p.LastLine(), 999999);
    ApplyPrintSettings(Settings(), p, "C:\\doc.txt");
    EXPECT_EQ(p.RangeOption(), roLimited);
    EXPECT_EQ(p.StartPage(), 3);
    EXPECT_EQ(p.FirstPageNumber(), 3);  // the range's first page is numbered as itself
    EXPECT_EQ(p.LastPage(), 5);
    EXPECT_EQ(p.MarginLeft(), 21);
    EXPECT_EQ(p.MarginBottom(), 24);
    EXPECT_TRUE(p.LineNumber());
    EXPECT_EQ(p.Header(), "[ %F ]");
    EXPECT_EQ(p.HeaderAlign(), haLeft);
    EXPECT_EQ(p.FooterAlign(), haRight);
    EXPECT_EQ(p.Font().Name(), "font");
    EXPECT_EQ(p.Font().Size(), 14);
    EXPECT_EQ(p.Font().Charset(), kShiftJisCharset);  // kept from the component
    EXPECT_EQ(p.ColumnCount(), 2);
    EXPECT_EQ(p.ColumnSpace(), 9);
    EXPECT_EQ(p.FileName(), "C:\\doc.txt");
    EXPECT_TRUE(p.HasHeader());
}

TEST(PrintSettingsApplied, AlignmentsOutOfRangeKeepTheComponentsAndTheRangeStartsFresh)
{
    TStringsPrinterProps p;
    SetUpStringsPrinter(p);
    ApplyPrintSettings(Settings(), p, "x");
    TAppIniPrn s = Settings();
    s.HeaderAlign = 7;
    s.FooterAlign = -1;
    s.RangeOption = 0;
    s.StartPage = 0;  // a run that never opened the dialog
    s.LastPage = 0;
    ApplyPrintSettings(s, p, "x");
    EXPECT_EQ(p.HeaderAlign(), haLeft);
    EXPECT_EQ(p.FooterAlign(), haRight);
    EXPECT_EQ(p.RangeOption(), roWhole);
    EXPECT_EQ(p.FirstPageNumber(), 1);  // page numbers still start at 1
    EXPECT_EQ(p.StartPage(), 1);
}

TEST(PrintDocument, NameSizeAndSelectionLines)
{
    EXPECT_EQ(PrintDocumentName("C:\\a.txt", true), "C:\\a.txt");
    EXPECT_EQ(PrintDocumentName("", true), "<Output>");
    EXPECT_EQ(PrintDocumentName("", false), "\x96\xB3\x91\xE8");  // 無題
    EXPECT_TRUE(PrintableSize(3000000));
    EXPECT_FALSE(PrintableSize(3000001));

    using L = std::vector<std::string>;
    EXPECT_EQ(SelectionLines("a\r\nb\rc\nd"), (L{"a", "b", "c", "d"}));
    EXPECT_EQ(SelectionLines("a\r\n"), (L{"a"}));
    EXPECT_EQ(SelectionLines("a\r\n\r\n"), (L{"a", ""}));
    EXPECT_EQ(SelectionLines(""), L{});
    EXPECT_EQ(SelectionLines("\x95\x5C\r\n\x83\x5C"), (L{"\x95\x5C", "\x83\x5C"}));  // 表 ソ
}

} // namespace
