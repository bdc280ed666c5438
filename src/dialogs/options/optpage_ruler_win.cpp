// "ルーラー/行番号": the ruler, the line-number bar and how lines are counted.
#include "dialogs/options/optpages_win.h"
#include "settings/settingsdecl.h"

namespace vellumo {

TRulerPage::TRulerPage(TPageContext& context) : TOptionPage(context, opRuler)
{
    TakeNewControls();
    RulerGaugeRange.SetItems({"8", "10"});
    TOptionBindings& b = ctx_.Bindings;
    b.Check(kSecLeftBarAndRuler, "Ruler", Ruler);
    b.Check(kSecLeftBarAndRuler, "RulerAutoOff", RulerAutoOff);
    b.Check(kSecLeftBarAndRuler, "RulerClr", RulerClr);
    b.List(kSecLeftBarAndRuler, "RulerGaugeRange", RulerGaugeRange);
    b.Check(kSecLeftBarAndRuler, "LeftBar", LeftBar);
    b.Check(kSecLeftBarAndRuler, "LeftBarAutoOff", LeftBarAutoOff);
    b.Check(kSecLeftBarAndRuler, "LeftBarClr", LeftBarClr);
    b.Number(kSecLeftBarAndRuler, "LeftBarColumn", LeftBarColumn_UpDown);
    b.Check(kSecOption, "LineNum", LineNum);
    Ruler.OnClick = [this] { RulerClick(); };
    LeftBar.OnClick = [this] { LeftBarClick(); };
}

void TRulerPage::Layout(const RECT& area)
{
    Origin(area);
    const int gw = width_ - 16;
    Put(GroupBox1, 8, 4, gw, 120);
    Put(Ruler, 20, 24, 240, kCheckH);
    Put(RulerAutoOff, 36, 46, 240, kCheckH);
    Put(RulerClr, 36, 68, 280, kCheckH);
    Put(Label1, 36, 92 + kLabelDy, 100, 16);
    Put(RulerGaugeRange, 138, 92, 64, 22);

    Put(GroupBox2, 8, 130, gw, 120);
    Put(LeftBar, 20, 150, 240, kCheckH);
    Put(LeftBarAutoOff, 36, 172, 240, kCheckH);
    Put(LeftBarClr, 36, 194, 280, kCheckH);
    Put(Label2, 36, 218 + kLabelDy, 100, 16);
    Put(LeftBarColumn, 138, 218, 46, kEditH);
    Put(LeftBarColumn_UpDown, 184, 218, 17, kEditH);

    Put(GroupBox3, 8, 256, gw, 50);
    Put(LineNum, 20, 278, 280, kCheckH);
}

void TRulerPage::Gather(TOptionChecks& c) const
{
    c.Ruler = Ruler.Checked();
    c.LeftBar = LeftBar.Checked();
}

void TRulerPage::RulerClick()
{
    const TOptionEnabling e = Enabling();
    RulerAutoOff.SetEnabled(e.RulerOptions);
    RulerClr.SetEnabled(e.RulerOptions);
    RulerGaugeRange.SetEnabled(e.RulerOptions);
}

void TRulerPage::LeftBarClick()
{
    const TOptionEnabling e = Enabling();
    LeftBarAutoOff.SetEnabled(e.LeftBarOptions);
    LeftBarClr.SetEnabled(e.LeftBarOptions);
    LeftBarColumn_UpDown.SetEnabled(e.LeftBarOptions);
}

} // namespace vellumo
