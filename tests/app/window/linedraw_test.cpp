// The overlay plans of the main window's row drawing: which bytes are drawn
// again where, in which colour and style, and where the blank marks go.
#include <gtest/gtest.h>

#include <random>

#include "app/window/linedraw.h"
#include "editor/syntax_modes.h"

namespace vellumo {
namespace {

constexpr TColor kComment = 0x010101, kLabel = 0x040404, kQuote = 0x070707, kLink = 0x080808;

struct Fixture {
    TAppIni opt;
    TAppColors col;
    TEditorViewInfo view;
    std::string stored;
    int storedReads = 0;
    TLineDrawInput in;

    explicit Fixture(TEditMode mode)
    {
        opt.InyouRow = true;
        opt.Inyouhu = ">|＞｜";
        col.Vb_Comment = kComment;
        col.Hsp_Label = kLabel;
        col.Inyou = kQuote;
        col.Link = kLink;
        test::SetupMode(view, mode);
        in.Mode = mode;
        in.View = &view;
        in.StartState = -1;
        in.StoredText = [this] {
            ++storedReads;
            return stored;
        };
        in.TabWidth = 4;
        in.CellWidth = 1;  // one pixel per cell: x values read as cells
        in.RectRight = 1000;
    }
    TLineDrawPlan Plan(std::string_view line, std::string pasteMark = "")
    {
        in.LineStr = line;
        if (stored.empty()) stored = std::string(line);
        return PlanLineDraw(in, {&opt, &col, std::move(pasteMark)});
    }
};

// The texts of a plan drawn in one colour, as "x:text" joined by spaces.
std::string Drawn(const TLineDrawPlan& p, TColor c)
{
    std::string s;
    for (const TOverlayText& t : p.Texts)
        if (t.SetColors && t.Color == c) s += (s.empty() ? "" : " ") + std::to_string(t.X) + ":" + t.Text;
    return s;
}

TEST(LineDrawRules, FirstCharacterQuotationAndRemLinesCompareWholeCharacters)
{
    EXPECT_EQ(FirstCharacter(" \t　漢字"), "漢");
    EXPECT_EQ(FirstCharacter("　 "), "");
    EXPECT_EQ(FirstCharacter("\x81"), "\x81");  // a lone lead byte at the end
    // Bytes 62 and 84 81 occur inside "＞｜" (81 84 81 62) without being characters of it.
    for (const char* line : {"> a", "｜b", "　＞x", "|"}) EXPECT_TRUE(IsQuotedLine(line, ">|＞｜", "")) << line;
    for (const char* line : {"b line", "п", "x > y", "", "ｂ"}) EXPECT_FALSE(IsQuotedLine(line, ">|＞｜", "")) << line;
    EXPECT_TRUE(IsQuotedLine("> >x", "", "> >"));
    EXPECT_FALSE(IsQuotedLine("plain", "", ""));  // an empty paste mark quotes nothing
    for (const char* line : {"REM x", "rem", "rem\tx", "  Rem ", "　rem"}) EXPECT_TRUE(IsRemLine(line)) << line;
    for (const char* line : {"remark", "re", "x rem", "ｒｅｍ"}) EXPECT_FALSE(IsRemLine(line)) << line;
    // 3D never trails, but 5B and 7C do: found only at character starts.
    EXPECT_EQ(FindAsciiChar("\x95\x7C" "a|", '|'), 3u);
    EXPECT_EQ(FindAsciiChar("\x83\x5B", '['), std::string_view::npos);
}

TEST(LineDrawModes, HspLabelsAndVbComments)
{
    Fixture h(emHsp);
    EXPECT_EQ(Drawn(h.Plan("*main /* c */"), kLabel), "0:* 1:main");
    Fixture v(emVb);
    EXPECT_EQ(Drawn(v.Plan("Rem x"), kComment), "0:Rem 4:x");
}

TEST(LineDrawModes, LinksOnTheStoredRowAndOnlyStylesInASelection)
{
    Fixture f(emStandard);
    f.opt.LinkWord = f.opt.LinkUnderline = true;
    f.opt.InyouRow = false;
    EXPECT_EQ(Drawn(f.Plan("> off"), kQuote), "");
    // Links are found on the stored row, its tabs expanded to the tab width.
    f.stored = "a\tb http://x.jp/ c";
    const TLineDrawPlan p = f.Plan("a   b http://x.jp/ c");
    ASSERT_EQ(Drawn(p, kLink), "6:http://x.jp/");
    EXPECT_EQ(p.Texts.back().Style, TOverlayStyle::Underline);
    // A selected stretch gets no colours, only the underline again.
    f.in.Selected = f.in.EditorHasSelection = true;
    const TLineDrawPlan sel = f.Plan("a   b http://x.jp/ c");
    ASSERT_EQ(sel.Texts.size(), 1u);
    EXPECT_FALSE(sel.Texts[0].SetColors);
    EXPECT_EQ(sel.Texts[0].X, 6);
}

TEST(LineDrawMarks, NotReadWithoutMarksAndHalfAFullWidthSpaceAtTheRightEdge)
{
    Fixture f(emCpp);
    EXPECT_TRUE(f.Plan("\t \x81\x40").Marks.empty());
    EXPECT_EQ(f.storedReads, 0);  // no mark option: the stored row is not read
    f.opt.SpMark = true;
    // W=8, right edge 100: the full-width space at 92 keeps its left half only.
    f.in.CellWidth = 8;
    f.in.TextLeft = 4;
    f.in.RectRight = 100;
    f.stored = std::string(11, 'a') + "\x81\x40";
    const std::vector<TOverlayMark> edge{{TMarkKind::FullSpaceLeft, 92}};
    EXPECT_EQ(f.Plan(f.stored).Marks, edge);
}

TEST(LineDrawMarks, RandomRowsMatchAPlainCellWalk)
{
    std::mt19937 rng(7);
    Fixture f(emStandard);
    f.opt.TabMark = f.opt.SpMark = f.opt.HSpMark = true;
    const char* bits[] = {" ", "\t", "\x81\x40", "a", "漢", "\x83\x5B", "\x81"};
    for (int round = 0; round < 500; ++round) {
        f.in.CellWidth = 4 + static_cast<int>(rng() % 12);
        f.in.TabWidth = 1 + static_cast<int>(rng() % 8);
        f.in.HorzOffset = static_cast<int>(rng() % 3) * f.in.CellWidth;
        f.in.RectLeft = static_cast<int>(rng() % 20);
        f.in.RectRight = f.in.RectLeft + static_cast<int>(rng() % 200);
        f.stored.clear();
        for (int n = static_cast<int>(rng() % 12); n > 0; --n) f.stored += bits[rng() % 7];
        const std::string row = f.stored;
        // The reference: walk characters, counting display cells.
        std::vector<TOverlayMark> want;
        const int w = f.in.CellWidth;
        auto fits = [&](int x) { return x >= f.in.RectLeft && x <= f.in.RectRight - w / 4 ; };
        int cell = 0;
        for (std::size_t i = 0; i < row.size();) {
            const unsigned char b = row[i];
            const int x = cell * w - f.in.HorzOffset;
            const bool two = ((b >= 0x81 && b <= 0x9F) || b >= 0xE0) && i + 1 < row.size();
            if (b == '\t') {
                if (fits(x)) want.push_back({TMarkKind::Tab, x});
                cell += f.in.TabWidth - cell % f.in.TabWidth;
            } else if (b == ' ') {
                if (fits(x)) want.push_back({TMarkKind::Space, x});
                ++cell;
            } else {
                if (two && b == 0x81 && static_cast<unsigned char>(row[i + 1]) == 0x40) {
                    if (fits(x)) want.push_back({TMarkKind::FullSpaceLeft, x});
                    if (fits(x + w)) want.push_back({TMarkKind::FullSpaceRight, x + w});
                }
                cell += two ? 2 : 1;
            }
            i += two ? 2 : 1;
        }
        const TLineDrawPlan p = f.Plan(row);
        ASSERT_EQ(p.Marks, want) << "round " << round;
    }
}

} // namespace
} // namespace vellumo
