// The settings holder between editors: every value travels editor -> holder
// -> holder -> editor, equal wrap settings leave the undo history alone, and
// a failing editor handler ends a copy quietly.
#include <stdexcept>
#include <utility>
#include <vector>

#include "support/winsupport_win.h"
#include "editor/editprop.h"
#include "editor_support_win.h"

namespace vellumo::testing {
namespace {

const bool kNoUnscriptedBoxes = (SetMsgSink(&UnexpectedMessage), SetBeepSink([](unsigned) {}), true);

std::vector<const TEditorColor*> Elements(const TEditorColors& c);

// Every value away from its default.
void Dress(TEditorProp& p)
{
    p.SetColor(clCream);
    TEditorCaret& c = p.Caret();
    c.SetAutoCursor(false), c.SetAutoIndent(false), c.SetBackSpaceUnIndent(false), c.SetFreeCaret(false);
    c.SetInTab(true), c.SetKeepCaret(true), c.SetLockScroll(true), c.SetNextLine(true), c.SetPrevSpaceIndent(true);
    c.SetRowSelect(false), c.SetSelDragMode(dmManual), c.SetSelMove(false), c.SetSoftTab(true), c.SetStyle(csBrief);
    c.SetTabIndent(true), c.SetTabSpaceCount(4);
    c.Cursors().SetDefaultCursor(crArrow), c.Cursors().SetDragSelCursor(crCross);
    c.Cursors().SetDragSelCopyCursor(crSizeNS), c.Cursors().SetInSelCursor(crUpArrow);
    c.Cursors().SetLeftMarginCursor(crSizeWE);
    TFont& f = p.Font();
    f.SetName("ＭＳ ゴシック"), f.SetHeight(-16), f.SetStyle(fsBold), f.SetColor(clNavy);
    f.SetCharset(kShiftJisCharset), f.SetPitch(fpFixed);
    TEditorLeftbar& l = p.Leftbar();
    l.SetBkColor(clYellow), l.SetColor(clMaroon), l.SetColumn(6), l.SetEdge(false), l.SetLeftMargin(3);
    l.SetRightMargin(7), l.SetShowNumber(false), l.SetShowNumberMode(nmLine), l.SetVisible(true);
    l.SetZeroBase(true), l.SetZeroLead(true);
    TEditorMargin& m = p.Margin();
    m.SetCharacter(2), m.SetLeft(5), m.SetLine(3), m.SetTop(4), m.SetUnderline(1);
    TEditorMarks& k = p.Marks();
    k.EofMark().SetColor(clRed), k.EofMark().SetVisible(true), k.RetMark().SetColor(clBlue);
    k.RetMark().SetVisible(true), k.Underline().SetColor(clGreen), k.Underline().SetVisible(true);
    p.ReserveWordList().SetCaseSensitive(true);
    for (const char* w : {"end", "begin", "If", "if"}) p.ReserveWordList().Add(w);
    TEditorRuler& r = p.Ruler();
    r.SetBkColor(clAqua), r.SetColor(clPurple), r.SetEdge(false), r.SetGaugeRange(8), r.SetMarkColor(clRed);
    r.SetVisible(true);
    p.SetScrollBars(ssBoth);
    TEditorViewInfo& v = p.View();
    TEditorBracketItem& b = v.Brackets().Add();
    b.SetLeftBracket("/*"), b.SetRightBracket("*/");
    b.ItemColor().SetColor(clGreen), b.ItemColor().SetBkColor(clSilver), b.ItemColor().SetStyle(fsItalic);
    v.Brackets().Add().SetLeftBracket("{");
    int i = 0;
    for (const TEditorColor* element : Elements(v.Colors())) {
        auto* e = const_cast<TEditorColor*>(element);
        e->SetColor(static_cast<TColor>(0x010101 * ++i)), e->SetBkColor(static_cast<TColor>(0x100000 * i));
        e->SetStyle(static_cast<TFontStyles>(i & 15));
    }
    v.SetCommenter("//"), v.SetCommenter2(";"), v.SetPerlCommenter("#"), v.SetRubyCommenter("=begin");
    v.SetControlCode(true), v.SetHexPrefix("0x"), v.SetMail(true), v.SetQuotation("'"), v.SetQuotation2("\"");
    v.SetPerlQuotation("`"), v.SetUrl(true);
    p.SetWordWrap(true);
    TEditorWrapOption& w = p.WrapOption();
    w.SetFollowRetMark(true), w.SetFollowPunctuation(true), w.SetFollowStr("\x81\x41" "a"), w.SetLeading(true);
    w.SetLeadStr("("), w.SetPunctuationStr(","), w.SetWordBreak(true), w.SetWrapByte(60);
    p.VerticalLines().Add().SetPosition(8);
    TVerticalLine& vl = p.VerticalLines().Add();
    vl.SetPosition(60), vl.SetColor(clBlue), vl.SetVisible(false);
}

#define SAME(x) EXPECT_EQ(a.x, b.x) << #x

std::vector<const TEditorColor*> Elements(const TEditorColors& c)
{
    return {&c.Ank(), &c.Comment(), &c.DBCS(), &c.Int(), &c.Mail(), &c.Reserve(), &c.Select(), &c.Str(),
            &c.Symbol(), &c.Url()};
}

void ExpectColorSame(const TEditorColor& a, const TEditorColor& b)
{
    SAME(Color()); SAME(BkColor()); SAME(Style());
}

void ExpectSame(const TEditorProp& a, const TEditorProp& b)
{
    SAME(Color());
    SAME(Caret().AutoCursor()); SAME(Caret().AutoIndent()); SAME(Caret().BackSpaceUnIndent());
    SAME(Caret().FreeCaret()); SAME(Caret().InTab()); SAME(Caret().KeepCaret()); SAME(Caret().LockScroll());
    SAME(Caret().NextLine()); SAME(Caret().PrevSpaceIndent()); SAME(Caret().RowSelect());
    SAME(Caret().SelDragMode()); SAME(Caret().SelMove()); SAME(Caret().SoftTab()); SAME(Caret().Style());
    SAME(Caret().TabIndent()); SAME(Caret().TabSpaceCount());
    SAME(Caret().Cursors().DefaultCursor()); SAME(Caret().Cursors().DragSelCursor());
    SAME(Caret().Cursors().DragSelCopyCursor()); SAME(Caret().Cursors().InSelCursor());
    SAME(Caret().Cursors().LeftMarginCursor());
    EXPECT_TRUE(a.Font().SameAs(b.Font())) << a.Font().Name() << " " << b.Font().Name();
    SAME(Leftbar().BkColor()); SAME(Leftbar().Color()); SAME(Leftbar().Column()); SAME(Leftbar().Edge());
    SAME(Leftbar().LeftMargin()); SAME(Leftbar().RightMargin()); SAME(Leftbar().ShowNumber());
    SAME(Leftbar().ShowNumberMode()); SAME(Leftbar().Visible()); SAME(Leftbar().ZeroBase()); SAME(Leftbar().ZeroLead());
    SAME(Margin().Character()); SAME(Margin().Left()); SAME(Margin().Line()); SAME(Margin().Top());
    SAME(Margin().Underline());
    const TEditorMarks &ka = a.Marks(), &kb = b.Marks();
    for (auto [ma, mb] : {std::pair{&ka.EofMark(), &kb.EofMark()}, std::pair{&ka.RetMark(), &kb.RetMark()},
                          std::pair{&ka.Underline(), &kb.Underline()}}) {
        EXPECT_EQ(ma->Color(), mb->Color());
        EXPECT_EQ(ma->Visible(), mb->Visible());
    }
    EXPECT_TRUE(a.ReserveWordList() == b.ReserveWordList());
    SAME(Ruler().BkColor()); SAME(Ruler().Color()); SAME(Ruler().Edge()); SAME(Ruler().GaugeRange());
    SAME(Ruler().MarkColor()); SAME(Ruler().Visible());
    SAME(ScrollBars());
    ASSERT_EQ(a.View().Brackets().Count(), b.View().Brackets().Count());
    for (int i = 0; i < a.View().Brackets().Count(); ++i) {
        SAME(View().Brackets()[i].LeftBracket()); SAME(View().Brackets()[i].RightBracket());
        ExpectColorSame(a.View().Brackets()[i].ItemColor(), b.View().Brackets()[i].ItemColor());
    }
    const std::vector<const TEditorColor*> ea = Elements(a.View().Colors()), eb = Elements(b.View().Colors());
    for (std::size_t i = 0; i < ea.size(); ++i) ExpectColorSame(*ea[i], *eb[i]);
    SAME(View().Commenter()); SAME(View().Commenter2()); SAME(View().PerlCommenter()); SAME(View().RubyCommenter());
    SAME(View().ControlCode()); SAME(View().HexPrefix()); SAME(View().Mail()); SAME(View().Quotation());
    SAME(View().Quotation2()); SAME(View().PerlQuotation()); SAME(View().Url());
    SAME(WordWrap());
    EXPECT_TRUE(a.WrapOption() == b.WrapOption());
    ASSERT_EQ(a.VerticalLines().Count(), b.VerticalLines().Count());
    for (int i = 0; i < a.VerticalLines().Count(); ++i) {
        SAME(VerticalLines().Items(i).Position()); SAME(VerticalLines().Items(i).Color());
        SAME(VerticalLines().Items(i).Visible());
    }
}

#undef SAME

TEST(EditorProp, EveryValueTravelsBetweenEditorsAndHolders)
{
    TEditorProp dressed;
    Dress(dressed);
    auto first = MakeEditor();
    first->Lines().SetText("a\tb\r\nline two\r\n");
    EXPECT_TRUE(dressed.AssignTo(*first));
    TEditorProp fromEditor, copy, back;
    EXPECT_TRUE(fromEditor.Assign(*first));
    EXPECT_EQ(fromEditor.View().Owner(), &fromEditor);
    EXPECT_TRUE(copy.Assign(fromEditor));
    auto second = MakeEditor();
    EXPECT_TRUE(copy.AssignTo(*second));
    EXPECT_TRUE(back.Assign(*second));
    ExpectSame(dressed, back);

    // The second editor took the values live: bars, geometry and wrapping.
    const LONG style = GetWindowLongA(second->Handle(), GWL_STYLE);
    EXPECT_TRUE((style & WS_VSCROLL) && (style & WS_HSCROLL));
    EXPECT_EQ(second->CellHeight(), first->CellHeight());
    EXPECT_GT(second->LeftbarWidth(), 0);
    EXPECT_EQ(second->GetTextLeft(), first->GetTextLeft());
    EXPECT_EQ(second->GetTextTop(), first->GetTextTop());
    EXPECT_EQ(second->RowHeight(), second->CellHeight() + 3 + 1);  // Margin.Line and the underline allowance
}

TEST(EditorProp, EqualWrapSettingsKeepTheUndoHistory)
{
    auto e = MakeEditor();
    e->SetWordWrap(true);
    e->WrapOption().SetWrapByte(20);
    e->Lines().SetText(std::string(50, 'x') + "\r\nend");
    e->Lines().Insert(0, "first");
    ASSERT_TRUE(e->CanUndo());
    const std::string rows = Rows(*e);

    // Everything but the wrap settings differs: the text is neither re-wrapped nor forgets.
    TEditorProp p;
    ASSERT_TRUE(p.Assign(*e));
    p.SetColor(clYellow);
    p.Font().SetHeight(-20);
    p.Leftbar().SetVisible(true);
    p.Ruler().SetVisible(true);
    p.View().Colors().SetAllColor(clRed);
    p.View().SetCommenter("#");
    p.Marks().RetMark().SetVisible(true);
    p.ReserveWordList().Add("end");
    p.VerticalLines().Add().SetPosition(20);
    EXPECT_TRUE(p.AssignTo(*e));
    EXPECT_TRUE(e->CanUndo());
    EXPECT_EQ(Rows(*e), rows);
    // A holder fresh from another editor with the same wrap settings does not either.
    auto other = MakeEditor();
    other->SetWordWrap(true);
    other->WrapOption().SetWrapByte(20);
    TEditorProp q;
    ASSERT_TRUE(q.Assign(*other));
    EXPECT_TRUE(q.AssignTo(*e));
    EXPECT_TRUE(e->CanUndo());
    e->Undo();
    EXPECT_EQ(e->Lines().Text(), std::string(50, 'x') + "\r\nend");

    // A changed wrap width re-wraps, and the undo records of the old rows go.
    e->Lines().Insert(0, "again");
    ASSERT_TRUE(e->CanUndo());
    q.WrapOption().SetWrapByte(30);
    EXPECT_TRUE(q.AssignTo(*e));
    EXPECT_FALSE(e->CanUndo());
    EXPECT_EQ(e->Store().Strings(1), std::string(30, 'x'));
    // So does turning word wrap off.
    e->Lines().Insert(0, "more");
    q.SetWordWrap(false);
    EXPECT_TRUE(q.AssignTo(*e));
    EXPECT_FALSE(e->CanUndo());
    EXPECT_EQ(e->Store().Strings(2), std::string(50, 'x'));
}

TEST(EditorProp, AFailingEditorHandlerEndsTheCopyQuietly)
{
    auto e = MakeEditor();
    TEditorProp p;
    Dress(p);
    e->View().OnChange = [](TNotifyPersistent*) { throw std::runtime_error("view handler"); };
    const int caught = TCustomControl::CaughtExceptions();
    EXPECT_FALSE(p.AssignTo(*e));
    EXPECT_EQ(e->ScrollBars(), ssBoth);  // before the view
    EXPECT_TRUE(e->Ruler().Visible());
    EXPECT_EQ(e->View().Commenter(), "//");  // the view's values arrived before its report failed
    EXPECT_FALSE(e->WordWrap());  // after it: never copied
    EXPECT_EQ(e->WrapOption().WrapByte(), 80);
    EXPECT_EQ(e->VerticalLines().Count(), 0);
    EXPECT_EQ(TCustomControl::CaughtExceptions(), caught);
}

} // namespace
} // namespace vellumo::testing
