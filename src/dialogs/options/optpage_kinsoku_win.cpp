// "禁則処理": word wrap by words and the characters kept off a row's start or end.
#include "dialogs/options/optpages_win.h"
#include "settings/settingsdecl.h"

namespace vellumo {

TKinsokuPage::TKinsokuPage(TPageContext& context) : TOptionPage(context, opKinsoku)
{
    TakeNewControls();
    TOptionBindings& b = ctx_.Bindings;
    b.Check(kSecOption, "WordBreak", WordBreak);
    b.Check(kSecOption, "FollowRetMark", FollowRetMark);
    b.Check(kSecOption, "Leading", Leading);
    b.Text(kSecOption, "FollowStr", FollowStr);
    b.Text(kSecOption, "LeadStr", LeadStr);
    b.Check(kSecOption, "FollowPunctuation", FollowPunctuation);
    b.Text(kSecOption, "PunctuationStr", PunctuationStr);
    Leading.OnClick = [this] { LeadingClick(); };
    FollowPunctuation.OnClick = [this] { FollowPunctuationClick(); };
}

void TKinsokuPage::Layout(const RECT& area)
{
    Origin(area);
    const int gw = width_ - 16;
    const int editW = gw - 150 - 12;
    Put(GroupBox1, 8, 4, gw, 198);
    Put(WordBreak, 20, 24, 240, kCheckH);
    Put(FollowRetMark, 20, 46, 240, kCheckH);
    Put(Leading, 20, 68, 240, kCheckH);
    Put(Label1, 36, 92 + kLabelDy, 112, 16);
    Put(FollowStr, 150, 92, editW, kEditH);
    Put(Label2, 36, 120 + kLabelDy, 112, 16);
    Put(LeadStr, 150, 120, editW, kEditH);
    Put(FollowPunctuation, 20, 148, 240, kCheckH);
    Put(Label3, 36, 172 + kLabelDy, 112, 16);
    Put(PunctuationStr, 150, 172, editW, kEditH);
}

void TKinsokuPage::Gather(TOptionChecks& c) const
{
    c.Leading = Leading.Checked();
    c.FollowPunctuation = FollowPunctuation.Checked();
}

void TKinsokuPage::LeadingClick()
{
    const bool on = Enabling().KinsokuStrings;
    FollowStr.SetEnabled(on);
    LeadStr.SetEnabled(on);
}

void TKinsokuPage::FollowPunctuationClick() { PunctuationStr.SetEnabled(Enabling().PunctuationStr); }

} // namespace vellumo
