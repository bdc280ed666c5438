// The row overlays drawn by a real editor: the colours land on the cells
// they belong to and nowhere else, marks stay inside the row, and a picture
// of each overlay is written next to the test program.
#include <gtest/gtest.h>

#include "app/window/linedraw_win.h"
#include "editor/syntax_modes.h"
#include "editorwin/editor_support_win.h"
#include "support/windowpicture_win.h"

namespace vellumo::testing {
namespace {

constexpr TColor kComment = 0x00A000, kSec = 0xA00000, kKey = 0x0000C0, kLabel = 0x008080, kKw = 0x800080;
constexpr TColor kOption = 0x0080FF, kQuote = 0xC08000, kLink = 0x00C0C0, kTab = 0x4080C0, kRed = 0x0000FF;

struct Overlay {
    TEditMode mode;
    TAppIni opt;
    TAppColors col;
    std::unique_ptr<TTestEditor> e = MakeEditor(560, 120);
    int clipRight = 1 << 30;  // the row rectangle handed to the overlay, cut here

    explicit Overlay(TEditMode m) : mode(m)
    {
        opt.InyouRow = true;
        opt.Inyouhu = ">|＞｜";
        col.Font = clBlack;
        col.Ini_Comment = col.Bat_Comment = kComment;
        col.Ini_Sec = kSec;
        col.Ini_Key = kKey;
        col.Bat_Label = kLabel;
        col.Bat_KeyWord = kKw;
        col.Html_Option = kOption;
        col.Inyou = kQuote;
        col.Link = kLink;
        col.Tab = kTab;
        TEditorViewInfo view;
        test::SetupMode(view, m);
        view.Colors().Reserve().SetColor(kRed);
        e->SetView(view);
        e->Caret().SetTabSpaceCount(4);
        e->OnDrawLine = [this](TEditor& ed, const std::string& s, int x, int y, int i, RECT& r, bool sel) {
            RECT cut = r;
            cut.right = std::min<LONG>(cut.right, clipRight);
            DrawLineOverlay(ed, s, x, y, i, cut, sel, mode, {&opt, &col, ""});
        };
    }
    std::unique_ptr<TBitmap> Paint(const std::string& text)
    {
        e->Lines().SetText(text);
        return Picture(*e, e->Color());
    }
    int Count(TBitmap& b, int row, int col, int cells, TColor c) { return CountColor(b, CellRect(*e, row, col, cells), c); }
};

void SavePicture(TBitmap& bmp, const std::string& name)
{
    const std::string path = testpictures::BesideTestProgram("linedraw_" + name + ".bmp");
    EXPECT_TRUE(SaveBmp(bmp, path)) << path;
}

TEST(LineDrawPixels, IniBatAndHtmlOverlaysColourTheirCellsOnly)
{
    Overlay ini(emIni);
    auto a = ini.Paint("key=value\r\n[sec]\r\n  ; note\r\nkey=");
    EXPECT_EQ(ini.Count(*a, 0, 0, 4, kKey), 0);
    EXPECT_GT(ini.Count(*a, 0, 4, 5, kKey), 10);
    EXPECT_GT(ini.Count(*a, 1, 0, 5, kSec), 10);
    EXPECT_GT(ini.Count(*a, 2, 2, 6, kComment), 10);
    EXPECT_EQ(ini.Count(*a, 3, 0, 8, kKey), 0);
    SavePicture(*a, "ini");

    Overlay bat(emBat);
    bat.col.Bat_KeyWord_Bold = true;
    TReserveWordList words;
    words.SetSorted(true);
    words.Add("echo");
    bat.e->SetReserveWordList(words);
    auto b = bat.Paint("REM echo\r\n:top\r\necho remark\r\nremark");
    EXPECT_GT(bat.Count(*b, 0, 0, 8, kComment), 10);
    EXPECT_GT(bat.Count(*b, 1, 0, 4, kLabel), 10);
    EXPECT_GT(bat.Count(*b, 2, 0, 4, kKw), 10);
    EXPECT_EQ(bat.Count(*b, 3, 0, 6, kComment), 0);
    SavePicture(*b, "bat");

    Overlay html(emHtml);
    auto h = html.Paint("<a href=\"p q\" nowrap x=y>");
    EXPECT_EQ(html.Count(*h, 0, 0, 8, kOption), 0);     // "<a href="
    EXPECT_GT(html.Count(*h, 0, 8, 5, kOption), 10);    // "\"p q\"" with its quotes
    EXPECT_EQ(html.Count(*h, 0, 14, 7, kOption), 0);    // an attribute without a value
    EXPECT_GT(html.Count(*h, 0, 23, 1, kOption), 3);    // y
    SavePicture(*h, "html");
}

TEST(LineDrawPixels, DelphiDirectivesQuotesAndLinks)
{
    Overlay pas(emDelphi);
    TReserveWordList words;
    words.SetSorted(true);
    words.Add("read");
    pas.e->SetReserveWordList(words);
    auto d = pas.Paint("x := read;\r\nproperty P: Integer read F;");
    EXPECT_EQ(pas.Count(*d, 0, 5, 4, kRed), 0);   // plain off property lines
    EXPECT_GT(pas.Count(*d, 1, 20, 4, kRed), 10); // keeps the keyword colour on them
    SavePicture(*d, "delphi");

    Overlay std_(emStandard);
    std_.opt.LinkWord = std_.opt.LinkUnderline = true;
    auto s = std_.Paint("> quoted\r\nb plain\r\nsee\thttp://x.jp/ now");
    EXPECT_GT(std_.Count(*s, 0, 0, 8, kQuote), 10);
    EXPECT_EQ(std_.Count(*s, 1, 0, 7, kQuote), 0);  // "b" is a trail byte of "｜", not a quote mark
    EXPECT_EQ(std_.Count(*s, 2, 0, 4, kLink), 0);
    EXPECT_GT(std_.Count(*s, 2, 4, 12, kLink), 20);  // after the tab's four cells
    // The underline: a run of link pixels along the cell's bottom.
    RECT cell = CellRect(*std_.e, 2, 4, 12);
    int underline = 0;
    for (int y = cell.top; y < cell.bottom; ++y)
        underline = std::max(underline, CountColor(*s, RECT{cell.left, y, cell.right, y + 1}, kLink));
    EXPECT_GT(underline, (cell.right - cell.left) * 3 / 4);
    SavePicture(*s, "standard");
}

TEST(LineDrawPixels, BlankMarksStayInsideTheRow)
{
    Overlay m(emStandard);
    m.opt.TabMark = m.opt.SpMark = m.opt.HSpMark = true;
    auto all = m.Paint("\tx y\x81\x40z");
    EXPECT_GT(m.Count(*all, 0, 0, 1, kTab), 2);  // the tab's chevron
    EXPECT_GT(m.Count(*all, 0, 5, 1, kTab), 2);  // the space
    EXPECT_GT(m.Count(*all, 0, 7, 1, kTab), 2);  // the full-width space, both halves
    EXPECT_GT(m.Count(*all, 0, 8, 1, kTab), 2);
    EXPECT_EQ(m.Count(*all, 0, 1, 4, kTab) + m.Count(*all, 0, 6, 1, kTab) + m.Count(*all, 0, 9, 1, kTab), 0);
    SavePicture(*all, "marks");

    // The row ends in the middle of the full-width space: only its left half.
    const RECT right = CellRect(*m.e, 0, 8);
    m.clipRight = right.left;
    auto cut = m.Paint("\tx y\x81\x40z");
    EXPECT_GT(m.Count(*cut, 0, 7, 1, kTab), 2);
    EXPECT_EQ(CountColor(*cut, RECT{right.left, 0, cut->Width(), cut->Height()}, kTab), 0);

    // With every mark off nothing is drawn.
    m.opt.TabMark = m.opt.SpMark = m.opt.HSpMark = false;
    m.clipRight = 1 << 30;
    auto none = m.Paint("\tx y\x81\x40z");
    EXPECT_EQ(CountColor(*none, RECT{0, 0, none->Width(), none->Height()}, kTab), 0);
}

} // namespace
} // namespace vellumo::testing
