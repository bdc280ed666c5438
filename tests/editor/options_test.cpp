// Option objects: clamps, one report per real change, and the report reaching
// the owner as the top-level object.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "editor/options.h"

using namespace vellumo;

namespace {

// Records what reaches the owner.
struct Listener {
    std::vector<const TNotifyPersistent*> senders;
    void Attach(TNotifyPersistent& obj)
    {
        obj.OnChange = [this](TNotifyPersistent* s) { senders.push_back(s); };
    }
    std::size_t Take()
    {
        const std::size_t n = senders.size();
        senders.clear();
        return n;
    }
};

TEST(EditorOptions, ClampsOfNumericOptions)
{
    TEditorCaret caret;
    Listener l;
    l.Attach(caret);
    caret.SetTabSpaceCount(0);
    EXPECT_EQ(caret.TabSpaceCount(), 1);
    caret.SetTabSpaceCount(20);
    EXPECT_EQ(caret.TabSpaceCount(), 8);
    EXPECT_EQ(l.Take(), 2u);
    caret.SetTabSpaceCount(8);
    caret.SetTabSpaceCount(100);  // clamps to the value it has
    EXPECT_EQ(l.Take(), 0u);

    TEditorRuler ruler;
    const std::pair<int, int> gauges[] = {{9, 8}, {100, 10}, {0, 8}, {7, 8}, {11, 10}, {10, 10}, {8, 8}, {-50, 8}};
    for (auto [in, out] : gauges) {
        ruler.SetGaugeRange(in);
        EXPECT_EQ(ruler.GaugeRange(), out) << in;
    }

    TEditorMargin margin;
    margin.SetLeft(-5);
    EXPECT_EQ(margin.Left(), 0);
    margin.SetLeft(250);
    EXPECT_EQ(margin.Left(), 100);
    margin.SetTop(101);
    margin.SetLine(-1);
    margin.SetCharacter(50);
    EXPECT_EQ(margin.Top(), 100);
    EXPECT_EQ(margin.Line(), 0);
    EXPECT_EQ(margin.Character(), 50);

    TEditorLeftbar bar;
    bar.SetLeftMargin(-5);
    bar.SetRightMargin(1000);
    EXPECT_EQ(bar.LeftMargin(), -5);
    EXPECT_EQ(bar.RightMargin(), 1000);
    bar.SetColumn(0);
    EXPECT_EQ(bar.Column(), 1);
    bar.SetColumn(9);
    EXPECT_EQ(bar.Column(), 8);

    TEditorViewInfo view;
    view.SetQuotation("ab");
    EXPECT_EQ(view.Quotation(), "a");
    view.SetPerlQuotation("\x82\xA0");  // only the first byte, even of a double-byte character
    EXPECT_EQ(view.PerlQuotation(), "\x82");
    view.SetQuotation("");
    EXPECT_EQ(view.Quotation(), "");
}

TEST(EditorOptions, DeepChangeReachesTheOwnerOnceAsTheTopObject)
{
    TEditorViewInfo view;
    Listener l;
    l.Attach(view);
    view.Colors().Comment().SetColor(clRed);
    ASSERT_EQ(l.senders.size(), 1u);
    EXPECT_EQ(l.senders[0], &view);
    l.Take();
    view.Colors().Comment().SetColor(clRed);
    EXPECT_EQ(l.Take(), 0u);

    // Set-all reports once and leaves the selection colours.
    view.Colors().SetAllColor(clRed);
    EXPECT_EQ(l.Take(), 1u);
    EXPECT_EQ(view.Colors().Url().Color(), clRed);
    EXPECT_EQ(view.Colors().Select().Color(), clWhite);
    EXPECT_EQ(view.Colors().Select().BkColor(), clNavy);
    view.Colors().SetAllColor(clRed);
    EXPECT_EQ(l.Take(), 0u);

    for (int i = 0; i < 3; ++i) view.Brackets().Add();
    l.Take();
    view.Brackets().SetAllBkColor(clYellow);
    EXPECT_EQ(l.Take(), 1u);
    EXPECT_EQ(view.Brackets()[2].ItemColor().BkColor(), clYellow);
    view.Brackets().SetAllBkColor(clYellow);
    EXPECT_EQ(l.Take(), 0u);

    TEditorMarks marks;
    l.Attach(marks);
    marks.Underline().SetVisible(true);
    ASSERT_EQ(l.senders.size(), 1u);
    EXPECT_EQ(l.senders[0], &marks);
}

TEST(EditorOptions, AssignReportsOnceAndOnlyWhenSomethingDiffered)
{
    TEditorViewInfo a, b;
    b.SetCommenter("//");
    b.SetPerlQuotation("'");
    b.Colors().Str().SetColor(clMaroon);
    b.Colors().Select().SetStyle(fsBold);
    TEditorBracketItem& item = b.Brackets().Add();
    item.SetLeftBracket("/*");
    item.SetRightBracket("*/");
    item.ItemColor().SetColor(clGreen);

    Listener l;
    l.Attach(a);
    a.Assign(b);
    EXPECT_EQ(l.Take(), 1u);
    EXPECT_EQ(a.Commenter(), "//");
    EXPECT_EQ(a.Colors().Str().Color(), clMaroon);
    EXPECT_EQ(a.Colors().Select().Style(), TFontStyles(fsBold));
    ASSERT_EQ(a.Brackets().Count(), 1);
    EXPECT_EQ(a.Brackets()[0].RightBracket(), "*/");
    EXPECT_EQ(a.Brackets()[0].ItemColor().Color(), clGreen);
    a.Assign(b);
    EXPECT_EQ(l.Take(), 0u);

    TEditorCaret c1, c2;
    c2.SetAutoIndent(false);
    c2.SetTabSpaceCount(4);
    c2.Cursors().SetLeftMarginCursor(7);
    l.Attach(c1);
    c1.Assign(c2);
    EXPECT_EQ(l.Take(), 1u);
    EXPECT_FALSE(c1.AutoIndent());
    EXPECT_EQ(c1.TabSpaceCount(), 4);
    EXPECT_EQ(c1.Cursors().LeftMarginCursor(), 7);

    TEditorLeftbar bar1, bar2;
    bar2.SetZeroLead(true);
    bar2.SetShowNumberMode(nmLine);
    l.Attach(bar1);
    bar1.Assign(bar2);
    bar1.Assign(bar2);
    EXPECT_EQ(l.Take(), 1u);
    EXPECT_EQ(bar1.ShowNumberMode(), nmLine);

    TEditorMargin m1, m2;
    m2.SetUnderline(1);
    l.Attach(m1);
    m1.Assign(m2);
    EXPECT_EQ(l.Take(), 1u);
    EXPECT_EQ(m1.Underline(), 1);
}

TEST(EditorOptions, FifteenthBracketIsRefusedAndTheLockStaysBalanced)
{
    TEditorViewInfo view;
    Listener l;
    l.Attach(view);
    for (int i = 0; i < 14; ++i) view.Brackets().Add().SetLeftBracket(std::to_string(i));
    l.Take();
    try {
        view.Brackets().Add();
        FAIL() << "no exception";
    } catch (const EEditorBracketLimit& e) {
        EXPECT_STREQ(e.what(), "TEditorBracketCollection\r\nYou can not add item over 14");
    }
    EXPECT_EQ(view.Brackets().Count(), 14);
    EXPECT_EQ(l.Take(), 0u);

    // Inside an update the exception passes through the guard.
    try {
        TNotifyUpdate update(view);
        view.SetUrl(true);
        view.Brackets().Add();
    } catch (const EEditorBracketLimit&) {
    }
    EXPECT_EQ(view.UpdateCount(), 0);
    EXPECT_EQ(view.Brackets().UpdateCount(), 0);
    EXPECT_EQ(l.Take(), 1u);  // the URL change, reported when the guard ended

    // Copying a full collection stays within the limit and reports once.
    TEditorViewInfo other;
    l.Attach(other);
    other.Assign(view);
    EXPECT_EQ(other.Brackets().Count(), 14);
    EXPECT_EQ(other.Brackets()[13].LeftBracket(), "13");
    EXPECT_EQ(l.Take(), 1u);
    other.Brackets().SetAllColor(clBlue);
    EXPECT_EQ(l.Take(), 1u);
}

TEST(EditorOptions, EndUpdateNeverGoesBelowZero)
{
    TEditorRuler ruler;
    Listener l;
    l.Attach(ruler);
    ruler.EndUpdate();
    ruler.EndUpdate();
    EXPECT_EQ(ruler.UpdateCount(), 0);
    ruler.SetVisible(true);  // reports at once: no lock is left over
    EXPECT_EQ(l.Take(), 1u);
    ruler.BeginUpdate();
    ruler.SetEdge(false);
    EXPECT_EQ(l.Take(), 0u);
    ruler.EndUpdate();
    EXPECT_EQ(l.Take(), 1u);
}

// Random setters under random nesting of updates, against a model: outside
// an update each real change is one report; an outermost EndUpdate is one
// report when anything changed inside.
TEST(EditorOptions, ReportsMatchAModelUnderRandomUpdates)
{
    std::mt19937 rng(99);
    TEditorViewInfo view;
    Listener l;
    l.Attach(view);
    std::size_t expected = 0;
    int depth = 0;
    bool dirty = false;
    const TColor colors[] = {clRed, clBlue, clWindow};
    const std::string texts[] = {"", "#", "//"};
    for (int step = 0; step < 20000; ++step) {
        bool changed = false;
        switch (rng() % 9) {
        case 0:
            view.BeginUpdate();
            ++depth;
            continue;
        case 1:
            if (depth > 0) {
                view.EndUpdate();
                if (--depth == 0 && dirty) ++expected, dirty = false;
            }
            continue;
        case 2: {
            const TColor c = colors[rng() % 3];
            changed = view.Colors().Int().Color() != c;
            view.Colors().Int().SetColor(c);
            break;
        }
        case 3: {
            const std::string& s = texts[rng() % 3];
            changed = view.Commenter() != s;
            view.SetCommenter(s);
            break;
        }
        case 4: {
            const bool b = rng() % 2;
            changed = view.Url() != b;
            view.SetUrl(b);
            break;
        }
        case 5:
            if (view.Brackets().Count() < 14) {
                view.Brackets().Add();
                changed = true;
            }
            break;
        case 6:
            changed = view.Brackets().Count() > 0;
            view.Brackets().Clear();
            break;
        case 7: {
            const TColor c = colors[rng() % 3];
            for (int i = 0; i < view.Brackets().Count(); ++i)
                changed = changed || view.Brackets()[i].ItemColor().Color() != c;
            view.Brackets().SetAllColor(c);
            break;
        }
        case 8: {
            const TColor c = colors[rng() % 3];
            changed = view.Colors().Ank().BkColor() != c || view.Colors().Symbol().BkColor() != c;
            view.Colors().SetAllBkColor(c);
            break;
        }
        }
        if (changed) {
            if (depth > 0)
                dirty = true;
            else
                ++expected;
        }
        ASSERT_EQ(l.senders.size(), expected) << "step " << step;
    }
    for (const auto* s : l.senders) ASSERT_EQ(s, &view);
}

} // namespace
