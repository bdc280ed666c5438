#include <gtest/gtest.h>

#include <cstdlib>

#include <map>
#include <string>
#include <vector>

#include "fixedpitch.h"
#include "printing/printlayout.h"

namespace vellumo {
namespace {

using testing::TFixedPitchMeasurer;

// A 1000 x 1000 body, rows 20 high, cells 10 wide.
TPrintLayoutSettings Settings(int columnSpace = 0, int rowGap = 0)
{
    TPrintLayoutSettings s;
    s.PageWidth = s.PageHeight = 1000;
    s.Body = {0, 0, 1000, 1000};
    s.ColumnSpace = columnSpace;
    s.RowGap = rowGap;
    s.Metrics = {20, 10, 20};
    return s;
}

TStringsPrinterProps Props()
{
    TStringsPrinterProps p;  // as the main window sets it up
    p.SetFirstLineNumber(1);
    p.SetFirstPageNumber(1);
    p.SetLastLine(999999);
    p.SetStartLine(1);
    p.SetStartPage(1);
    return p;
}

struct Laid {
    std::vector<TPrintPage> pages;
    int last = 0;
};

Laid Layout(const TStringsPrinterProps& p, const std::vector<std::string>& lines, TPrintLayoutSettings s = Settings())
{
    TFixedPitchMeasurer m;
    EXPECT_EQ(CheckPrintLayout(p, s, static_cast<int>(lines.size())), "");
    TPrintLayout layout(p, s, m);
    layout.Now = [] { return TPrintDate{2026, 3, 7}; };
    layout.TimeText = [] { return std::string("9:05:01"); };
    Laid out;
    EXPECT_TRUE(layout.Run(lines, out.pages));
    out.last = layout.LastPageNumber();
    return out;
}

std::vector<const TPrintItem*> Items(const TPrintPage& page, TPrintItemKind kind)
{
    std::vector<const TPrintItem*> out;
    for (const auto& it : page.Items)
        if (it.Kind == kind) out.push_back(&it);
    return out;
}

std::vector<std::string> Numbered(int n, const std::string& text = "x")
{
    std::vector<std::string> lines;
    for (int i = 0; i < n; ++i) lines.push_back(text + std::to_string(i));
    return lines;
}

TEST(PrintLayout, RowsPerPageFollowTheBodyHeight)
{
    auto p = Props();
    auto laid = Layout(p, Numbered(120));
    ASSERT_EQ(laid.pages.size(), 3u);
    EXPECT_EQ(Items(laid.pages[0], TPrintItemKind::Row).size(), 50u);
    EXPECT_EQ(Items(laid.pages[2], TPrintItemKind::Row).size(), 20u);
    // A row gap of 5 leaves 40 rows (the last row needs its gap too).
    laid = Layout(p, Numbered(120), Settings(0, 5));
    EXPECT_EQ(Items(laid.pages[0], TPrintItemKind::Row).size(), 40u);
    // Header and footer take three rows each.
    p.SetHeader("h");
    p.SetHeaderAlign(haLeft);
    p.SetFooter("f");
    p.SetFooterAlign(haRight);
    laid = Layout(p, Numbered(120));
    EXPECT_EQ(Items(laid.pages[0], TPrintItemKind::Row).size(), 44u);
    const auto* row = Items(laid.pages[0], TPrintItemKind::Row)[0];
    EXPECT_EQ(row->Rect.Top, 60);
    EXPECT_EQ(row->Rect.Bottom, 940);
    EXPECT_EQ(row->Flags, kDtNoPrefix | kDtExternalLeading | kDtExpandTabs | kDtSingleLine);
    const auto* footer = Items(laid.pages[0], TPrintItemKind::Footer)[0];
    EXPECT_EQ(footer->Rect, (TPrintRect{0, 940, 1000, 1000}));
    EXPECT_EQ(footer->Flags, kDtNoPrefix | kDtSingleLine | kDtBottom | kDtRight);
}

TEST(PrintLayout, EmptyListGivesOnePageWithHeaderAndFooter)
{
    auto p = Props();
    p.SetHeader("%p/%P");
    p.SetHeaderAlign(haCenter);
    p.SetFooter("end");
    p.SetFooterAlign(haLeft);
    auto laid = Layout(p, {});
    ASSERT_EQ(laid.pages.size(), 1u);
    ASSERT_EQ(laid.pages[0].Items.size(), 2u);
    EXPECT_EQ(laid.pages[0].Items[0].Text, "1/1");
    EXPECT_EQ(laid.pages[0].Items[0].Flags, kDtNoPrefix | kDtSingleLine | kDtCenter);
    EXPECT_EQ(laid.pages[0].Items[1].Text, "end");
    // An alignment without text, or a text without alignment, is no header.
    p.SetHeaderAlign(haNone);
    p.SetFooter("");
    EXPECT_TRUE(Layout(p, {}).pages[0].Items.empty());
}

TEST(PrintLayout, PageTotalOfTheCountEqualsThePagesLaidOut)
{
    auto p = Props();
    p.SetHeader("%p of %P");
    p.SetHeaderAlign(haRight);
    p.SetColumnCount(2);
    p.SetLineNumber(true);
    for (int n : {0, 1, 43, 44, 45, 88, 89, 500}) {
        std::vector<std::string> lines = Numbered(n, "\x82\xA0\x82\xA2 word ");
        for (std::size_t i = 0; i < lines.size(); i += 7) lines[i] += std::string(300, 'w');
        auto laid = Layout(p, lines);
        ASSERT_FALSE(laid.pages.empty());
        EXPECT_EQ(laid.last, static_cast<int>(laid.pages.size())) << n;
        for (std::size_t i = 0; i < laid.pages.size(); ++i) {
            EXPECT_EQ(laid.pages[i].Items[0].Text,
                      std::to_string(i + 1) + " of " + std::to_string(laid.pages.size()));
        }
    }
}

TEST(PrintLayout, WrappedLineIsNumberedOnItsFirstRowOnlyAcrossBreaks)
{
    auto p = Props();
    p.SetLineNumber(true);
    p.SetColumnCount(2);
    p.SetFirstLineNumber(7);
    // 5 rows per column: body 100 high.
    auto s = Settings();
    s.Body = {0, 0, 1000, 100};
    std::vector<std::string> lines = {"short", std::string(1500, 'a'), "tail"};
    auto laid = Layout(p, lines, s);
    // gutter 10 x (1 digit + 2) = 30; text width (1000 - 30 - 30) / 2 = 470: 47 cells
    // -> the long line takes 32 rows, crossing columns and pages.
    int numbers = 0, rows = 0;
    std::vector<std::string> labels;
    for (const auto& page : laid.pages) {
        for (std::size_t i = 0; i < page.Items.size(); ++i) {
            const auto& it = page.Items[i];
            if (it.Kind == TPrintItemKind::Row) ++rows;
            if (it.Kind != TPrintItemKind::LineNumber) continue;
            ++numbers;
            labels.push_back(it.Text);
            // The number stands beside the row that follows it, in its gutter.
            ASSERT_LT(i + 1, page.Items.size());
            const auto& row = page.Items[i + 1];
            EXPECT_EQ(row.Kind, TPrintItemKind::Row);
            EXPECT_EQ(it.Rect.Top, row.Rect.Top);
            EXPECT_EQ(it.Rect.Right, row.Rect.Left);
            EXPECT_EQ(it.Flags, kDtNoPrefix | kDtSingleLine | kDtRight);
        }
    }
    EXPECT_EQ(numbers, 3);
    EXPECT_EQ(labels, (std::vector<std::string>{"7: ", "8: ", "9: "}));
    EXPECT_EQ(rows, 1 + 32 + 1);
    EXPECT_EQ(laid.pages.size(), 4u);  // 34 rows at 10 a page
    // The second line's number is on page 1, column 1; its rows reach page 4.
    EXPECT_EQ(Items(laid.pages[3], TPrintItemKind::LineNumber).size(), 1u);
}

TEST(PrintLayout, ThreeColumnsWithTheirGutters)
{
    auto p = Props();
    p.SetLineNumber(true);
    p.SetColumnCount(3);
    auto s = Settings(40);
    // 150 lines: 3 digits -> gutter 50; text width (1000 - 50 - 90 x 2) / 3 = 256.
    auto laid = Layout(p, Numbered(150), s);
    ASSERT_EQ(laid.pages.size(), 1u);
    std::map<int, int> rowsAt;
    for (const auto* row : Items(laid.pages[0], TPrintItemKind::Row)) {
        ++rowsAt[row->Rect.Left];
        EXPECT_EQ(row->Rect.Width(), 256);
    }
    EXPECT_EQ(rowsAt, (std::map<int, int>{{50, 50}, {396, 50}, {742, 50}}));
    std::map<int, int> gutters;
    for (const auto* n : Items(laid.pages[0], TPrintItemKind::LineNumber)) {
        ++gutters[n->Rect.Left];
        EXPECT_EQ(n->Rect.Width(), 50);
    }
    EXPECT_EQ(gutters, (std::map<int, int>{{0, 50}, {346, 50}, {692, 50}}));
    // The gutter follows the digits of the whole list, also with a line range.
    p.SetLineRangeOption(roLimited);
    p.SetStartLine(1);
    p.SetLastLine(5);
    laid = Layout(p, Numbered(1000), s);
    EXPECT_EQ(Items(laid.pages[0], TPrintItemKind::LineNumber)[0]->Rect.Width(), 60);
}

TEST(PrintLayout, LineRangeNumbersFromFirstLineNumber)
{
    auto p = Props();
    p.SetLineNumber(true);
    p.SetLineRangeOption(roLimited);
    p.SetStartLine(10);
    p.SetLastLine(12);
    p.SetFirstLineNumber(100);
    auto laid = Layout(p, Numbered(30));
    auto rows = Items(laid.pages[0], TPrintItemKind::Row);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0]->Text, "x9");
    EXPECT_EQ(rows[2]->Text, "x11");
    EXPECT_EQ(Items(laid.pages[0], TPrintItemKind::LineNumber)[0]->Text, "100: ");
}

TEST(PrintLayout, TabsAreExpandedBeforeWrapping)
{
    auto p = Props();
    TFixedPitchMeasurer m;
    TPrintLayout layout(p, Settings(), m);
    std::vector<TPrintPage> pages;
    ASSERT_TRUE(layout.Run({"a\tb"}, pages));
    EXPECT_EQ(Items(pages[0], TPrintItemKind::Row)[0]->Text, "a       b");
    layout.ExpandTabs = [](const std::string& s) { return "<" + s + ">"; };
    ASSERT_TRUE(layout.Run({"a\tb"}, pages));
    EXPECT_EQ(Items(pages[0], TPrintItemKind::Row)[0]->Text, "<a\tb>");
}

TEST(PrintLayout, ProgressCanStopTheWalk)
{
    auto p = Props();
    TFixedPitchMeasurer m;
    TPrintLayout layout(p, Settings(), m);
    std::vector<std::pair<int, int>> calls;
    layout.OnProgress = [&](int k, int total) {
        calls.emplace_back(k, total);
        return k < 2;
    };
    std::vector<TPrintPage> pages;
    EXPECT_FALSE(layout.Run(Numbered(5), pages));
    EXPECT_EQ(calls, (std::vector<std::pair<int, int>>{{0, 4}, {1, 4}, {2, 4}}));
}

TEST(PrintLayout, ItalicLeavesRoomForTheSlant)
{
    auto p = Props();
    TFont f;
    f.SetStyle(fsItalic);
    p.SetFont(&f);
    auto s = Settings();
    s.Body = {0, 0, 100, 1000};
    auto laid = Layout(p, {std::string(10, 'a')}, s);
    EXPECT_EQ(Items(laid.pages[0], TPrintItemKind::Row).size(), 2u);  // 9 cells fit
}

TEST(PrintMacros, AllMacros)
{
    TPrintMacroValues v;
    v.PageNumber = 3;
    v.LastPageNumber = 12;
    // The directory and the name hold 表 (95 5C): its trail byte is no separator.
    v.FileName = "C:\\\x95\x5C\\\x95\x5C\x8E\xA6.txt";
    v.Now = [] { return TPrintDate{2026, 3, 7}; };
    int timeCalls = 0;
    v.TimeText = [&] {
        ++timeCalls;
        return std::string("9:05:01");
    };
    EXPECT_EQ(ExpandPrintMacros("%p/%P", v), "3/12");
    EXPECT_EQ(ExpandPrintMacros("[%f]", v), "[C:\\\x95\x5C\\\x95\x5C\x8E\xA6.txt]");
    EXPECT_EQ(ExpandPrintMacros("[%F]", v), "[\x95\x5C\x8E\xA6.txt]");
    EXPECT_EQ(ExpandPrintMacros("%y-%m-%d %t %t", v), "2026-3-7 9:05:01 9:05:01");
    EXPECT_EQ(timeCalls, 2);
    EXPECT_EQ(ExpandPrintMacros("100%% %x%", v), "100% x");
    EXPECT_EQ(ExpandPrintMacros("%", v), "");
    // A trail byte 25 is part of its character, not a macro sign.
    EXPECT_EQ(ExpandPrintMacros("\x81\x25p", v), "\x81\x25p");
    EXPECT_EQ(ExtractFileNamePart("a/b:c"), "c");
    EXPECT_EQ(ExtractFileNamePart("noslash"), "noslash");
    EXPECT_EQ(ExtractFileNamePart("dir\\"), "");
}

TEST(PrintPages, StartPageAndFirstPageNumber)
{
    auto p = Props();
    p.SetHeader("%p");
    p.SetHeaderAlign(haLeft);
    p.SetRangeOption(roLimited);
    p.SetStartPage(3);
    p.SetLastPage(4);
    p.SetFirstPageNumber(1);
    auto laid = Layout(p, Numbered(44 * 5));
    ASSERT_EQ(laid.pages.size(), 5u);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(laid.pages[i].Number, PageNumberOf(p, i));
        EXPECT_EQ(laid.pages[i].Items[0].Text, std::to_string(i - 1));
    }
    EXPECT_EQ(PageNumberOf(p, 2), 1);  // the first page of the range carries FirstPageNumber
    EXPECT_EQ(laid.last, 3);
    p.SetRangeOption(roWhole);
    p.SetFirstPageNumber(10);
    EXPECT_EQ(PageNumberOf(p, 0), 10);
    EXPECT_EQ(Layout(p, Numbered(60)).pages[1].Items[0].Text, "11");
}

TEST(PrintPages, RangeCheckAndPagesToPrint)
{
    auto p = Props();
    EXPECT_TRUE(PageRangeValid(p, 1));
    EXPECT_EQ(PagesToPrint(p, 3), (std::vector<int>{0, 1, 2}));
    p.SetRangeOption(roLimited);
    p.SetStartPage(2);
    p.SetLastPage(4);
    EXPECT_TRUE(PageRangeValid(p, 5));
    EXPECT_EQ(PagesToPrint(p, 5), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(PagesToPrint(p, 3), (std::vector<int>{1, 2}));
    p.SetStartPage(6);
    p.SetLastPage(9);
    EXPECT_FALSE(PageRangeValid(p, 5));  // starts after the last page
    p.SetStartPage(4);
    p.SetLastPage(3);
    EXPECT_FALSE(PageRangeValid(p, 5));  // starts after its own end
    // Odd and even pages by their printed number; nothing after the last one.
    p.SetRangeOption(roWhole);
    p.SetPageOption(poOdd);
    EXPECT_EQ(PagesToPrint(p, 4), (std::vector<int>{0, 2}));
    p.SetPageOption(poEven);
    EXPECT_EQ(PagesToPrint(p, 4), (std::vector<int>{1, 3}));
    p.SetFirstPageNumber(2);
    EXPECT_EQ(PagesToPrint(p, 3), (std::vector<int>{0, 2}));
}

TEST(PrintLayoutCheck, RefusesNarrowColumnsAndShortBodies)
{
    auto p = Props();
    auto s = Settings();
    EXPECT_EQ(CheckPrintLayout(p, s, 10), "");
    // Three columns with a wide gap leave less than one double-byte character.
    p.SetColumnCount(3);
    s.ColumnSpace = 490;
    EXPECT_EQ(CheckPrintLayout(p, s, 10), kMsgColumnTooNarrow);
    s.ColumnSpace = 460;  // 1000 - 920 = 80 / 3 = 26 wide: room for one
    EXPECT_EQ(CheckPrintLayout(p, s, 10), "");
    p.SetLineNumber(true);  // a gutter of 40 in every column takes it away
    EXPECT_EQ(CheckPrintLayout(p, s, 10), kMsgColumnTooNarrow);
    // Margins wider than the page give a negative width.
    p = Props();
    s = Settings();
    s.Body = {600, 0, 400, 1000};
    EXPECT_EQ(CheckPrintLayout(p, s, 10), kMsgColumnTooNarrow);
    // Header and footer leave 10 of a body 130 high: less than one row.
    s = Settings();
    s.Body = {0, 0, 1000, 139};
    p.SetHeader("h");
    p.SetHeaderAlign(haLeft);
    p.SetFooter("f");
    p.SetFooterAlign(haLeft);
    EXPECT_EQ(CheckPrintLayout(p, s, 10), kMsgBodyTooShort);
    s.Body.Bottom = 140;
    EXPECT_EQ(CheckPrintLayout(p, s, 10), "");
    s.RowGap = 1;  // the gap is part of every row
    EXPECT_EQ(CheckPrintLayout(p, s, 10), kMsgBodyTooShort);
}

TEST(PrintGeometry, RoundingOffsetsAndBody)
{
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(3.5), 4);
    EXPECT_EQ(RoundHalfEven(-0.5), 0);
    EXPECT_EQ(RoundHalfEven(2.51), 3);
    EXPECT_EQ(MmToDevice(10, 300), 118);  // 118.11
    EXPECT_EQ(MmToDevice(210, 300), 2480);
    EXPECT_EQ(MmToDevice(297, 300), 3508);  // 3507.87
    auto o = ComputePrinterOffsets(210, 297, false, 300, 2400, 3400);
    EXPECT_EQ(o.Left, 40);
    EXPECT_EQ(o.Top, 54);
    EXPECT_EQ(o.Right, 40);
    EXPECT_EQ(o.Bottom, 54);
    o = ComputePrinterOffsets(210, 297, true, 300, 3400, 2400);  // landscape swaps the paper
    EXPECT_EQ(o.Left, 54);
    EXPECT_EQ(o.Top, 40);
    o = ComputePrinterOffsets(210, 297, false, 300, 2481, 3508);  // never negative
    EXPECT_EQ(o.Left, 0);
    EXPECT_EQ(o.Right, 0);
    EXPECT_EQ(o.Top, 0);

    auto p = Props();
    p.SetMarginLeft(10);
    p.SetMarginTop(5);
    p.SetMarginRight(10);
    p.SetMarginBottom(100);
    p.SetColumnSpace(4);
    p.SetMarginLine(1);
    auto s = MakeLayoutSettings(p, 300, 2400, 3400, {40, 54, 40, 54}, {50, 25, 50});
    EXPECT_EQ(s.Body, (TPrintRect{78, 5, 2400 + 40 - 118, 3400 + 54 - 1181}));
    EXPECT_EQ(s.ColumnSpace, 47);
    EXPECT_EQ(s.RowGap, 12);
}

TEST(PrintProps, ClampsAndCopies)
{
    TStringsPrinterProps p;
    p.SetColumnCount(7);
    EXPECT_EQ(p.ColumnCount(), 3);
    p.SetColumnCount(0);
    EXPECT_EQ(p.ColumnCount(), 1);
    p.SetMarginLeft(-5);
    EXPECT_EQ(p.MarginLeft(), 0);
    p.SetMarginTop(101);
    EXPECT_EQ(p.MarginTop(), 100);
    p.SetStartPage(0);  // equal to the stored value: nothing changes
    EXPECT_EQ(p.StartPage(), 0);
    p.SetStartPage(-3);
    EXPECT_EQ(p.StartPage(), 1);
    p.SetLastLine(5000000);
    EXPECT_EQ(p.LastLine(), 999999);
    TFont bold;
    bold.SetName("Arial");
    bold.SetStyle(fsBold);
    p.SetFont(&bold);
    p.SetFont(nullptr);  // ignored
    EXPECT_TRUE(p.Font().SameAs(bold));
    bold.SetName("Courier");  // a copy, not a reference
    EXPECT_EQ(p.Font().Name(), "Arial");
    TStringsPrinterProps q;
    q.AssignProps(p);
    EXPECT_EQ(q.ColumnCount(), 1);
    EXPECT_EQ(q.Font().Name(), "Arial");
    EXPECT_EQ(q.MarginTop(), 100);
    EXPECT_EQ(q.StartPage(), 1);
}

TEST(PrintSize, JoinedSizeCountsLineBreaks)
{
    EXPECT_EQ(JoinedPrintSize({}), 0u);
    EXPECT_EQ(JoinedPrintSize({"ab", "", "\x82\xA0"}), 2u + 2 + 0 + 2 + 2 + 2);
}

} // namespace
} // namespace vellumo

namespace vellumo {
namespace {

TEST(PrintProgress, PercentRoundsHalvesToEvenExactly)
{
    // The result is a nearest integer to 100 * done / total, the even one on a tie.
    for (int total = 1; total <= 400; ++total) {
        for (int done = 0; done <= total; ++done) {
            const long long q = PrintProgressPercent(total, done);
            const long long twiceDistance = 2 * std::llabs(100LL * done - q * total);
            ASSERT_LE(twiceDistance, total) << done << "/" << total;
            if (twiceDistance == total) {
                ASSERT_EQ(q % 2, 0) << done << "/" << total;
            }
        }
    }
    EXPECT_EQ(PrintProgressPercent(200, 5), 2);  // 2.5: a double quotient lands above the half
    EXPECT_EQ(PrintProgressPercent(200, 7), 4);
    EXPECT_EQ(PrintProgressPercent(0, 0), 100);
    EXPECT_EQ(PrintProgressPercent(0, 9), 100);
    EXPECT_EQ(PrintProgressPercent(5, 9), 100);
    EXPECT_EQ(PrintProgressPercent(5, -1), 0);
    EXPECT_EQ(PrintProgressPercent(2999999, 2999998), 100);
}

} // namespace
} // namespace vellumo
