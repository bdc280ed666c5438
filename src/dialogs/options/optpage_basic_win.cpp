// "基本": editing numbers and switches, and the wrap column with its list.
#include <string>

#include "base/showmsg.h"
#include "dialogs/options/optpages_win.h"
#include "settings/settingsdecl.h"

namespace vellumo {

TBasicPage::TBasicPage(TPageContext& context) : TOptionPage(context, opBasic)
{
    TakeNewControls();
    TOptionBindings& b = ctx_.Bindings;
    b.Number(kSecOption, "TabSpaceCount", TabSpaceCount_UpDown);
    b.Number(kSecOption, "UndoMax", UndoMax_UpDown);
    b.Number(kSecOption, "LinePitch", LinePitch_UpDown);
    b.Number(kSecOption, "CharPitch", CharPitch_UpDown);
    b.Number(kSecOption, "LeftMargin", LeftMargin_UpDown);
    b.Number(kSecOption, "TopMargin", TopMargin_UpDown);
    b.Check(kSecOption, "FreeCaret", FreeCaret);
    b.Check(kSecOption, "AutoIndent", AutoIndent);
    b.Check(kSecOption, "CaretUnderLine", CaretUnderLine);
    b.Check(kSecOption, "RetRowIndent", RetRowIndent);
    b.Check(kSecOption, "StartIme", StartIme);
    b.Check(kSecOption, "ImeDefOnly", ImeDefOnly);
    b.Check(kSecOption, "WordWrap", WordWrap);
    b.Number(kSecOption, "WrapCount", WrapCount_UpDown);
    b.Check(kSecOption, "WrapLine", WrapLine);
    UndoMax_UpDown.SetIncrement(10);
    WrapCount.SetDropDownCount(MaxWrapWidths);
    StartIme.OnClick = [this] { StartImeClick(); };
    WordWrap.OnClick = [this] { WordWrapClick(); };
    Button14.OnClick = [this] {
        if (ctx_.Host.WindowWrapWidth) WrapCount_UpDown.SetPosition(ctx_.Host.WindowWrapWidth());
    };
    Button19.OnClick = [this] { AddWrapWidth(); };
    Button20.OnClick = [this] { RemoveWrapWidth(); };
    WrapCount.OnExit = [this] { WrapCountExit(); };
}

void TBasicPage::Layout(const RECT& area)
{
    Origin(area);
    const int gw = width_ - 16;
    Put(GroupBox1, 8, 4, gw, 192);
    struct TNumberRow {
        TLabel& Label;
        TEdit& Edit;
        TUpDown& UpDown;
    };
    const TNumberRow rows[] = {
        {Label1, TabSpaceCount, TabSpaceCount_UpDown}, {Label2, UndoMax, UndoMax_UpDown},
        {Label3, LinePitch, LinePitch_UpDown},         {Label4, CharPitch, CharPitch_UpDown},
        {Label5, LeftMargin, LeftMargin_UpDown},       {Label6, TopMargin, TopMargin_UpDown},
    };
    for (int i = 0; i < 6; ++i) {
        const int x = i % 2 == 0 ? 20 : 240, y = 24 + (i / 2) * 26;
        Put(rows[i].Label, x, y + kLabelDy, 108, 16);
        Put(rows[i].Edit, x + 112, y, 70, kEditH);
        Put(rows[i].UpDown, x + 112 + 70, y, 17, kEditH);  // the up-down takes the edit's right edge
    }
    Put(Label7, 20, 102 + kLabelDy, 108, 16);
    Put(PasteInyouhu, 132, 102, 100, kEditH);
    TCheckBox* checks[] = {&FreeCaret, &AutoIndent, &CaretUnderLine, &RetRowIndent, &StartIme, &ImeDefOnly};
    for (int i = 0; i < 6; ++i) Put(*checks[i], i % 2 == 0 ? 20 : 240, 130 + (i / 2) * 20, 210, kCheckH);

    Put(GroupBox2, 8, 204, gw, 84);
    Put(WordWrap, 20, 226, 176, kCheckH);
    Put(Label8, 204, 226 + 1, 44, 16);
    Put(WrapCount, 250, 224, 64, 22);
    Put(WrapCount_UpDown, 316, 224, 17, 22);
    Put(WrapLine, 344, 226, 110, kCheckH);
    Put(Button14, 20, 254, 140, kButtonH);
    Put(Button19, 168, 254, 80, kButtonH);
    Put(Button20, 254, 254, 80, kButtonH);
}

void TBasicPage::Load(const TAppSettings& s)
{
    PasteInyouhu.SetText(PasteQuoteText(s.Option.PasteInyouhu));
    widths_ = s.WrapWidths;
    if (static_cast<int>(widths_.size()) > MaxWrapWidths) widths_.resize(MaxWrapWidths);
    FillWrapList();
}

void TBasicPage::Store(TAppSettings& s)
{
    s.Option.PasteInyouhu = PasteQuoteSetting(PasteInyouhu.Text());
    s.WrapWidths = widths_;
}

void TBasicPage::Gather(TOptionChecks& c) const
{
    c.StartIme = StartIme.Checked();
    c.WordWrap = WordWrap.Checked();
}

void TBasicPage::StartImeClick() { ImeDefOnly.SetEnabled(Enabling().ImeDefOnly); }

void TBasicPage::WordWrapClick()
{
    const TOptionEnabling e = Enabling();
    for (TWinControlChild* c : {static_cast<TWinControlChild*>(&WrapLine), static_cast<TWinControlChild*>(&WrapCount),
                                static_cast<TWinControlChild*>(&WrapCount_UpDown),
                                static_cast<TWinControlChild*>(&Button14), static_cast<TWinControlChild*>(&Button19),
                                static_cast<TWinControlChild*>(&Button20)})
        c->SetEnabled(e.WrapControls);
}

void TBasicPage::FillWrapList()
{
    // The combo's text is the wrap column: refilling the list keeps it.
    const std::string text = WrapCount.Text();
    std::vector<std::string> items;
    for (int w : widths_) items.push_back(std::to_string(w));
    WrapCount.SetItems(items);
    WrapCount.SetText(text);
}

void TBasicPage::AddWrapWidth()
{
    const int n = WrapCount_UpDown.Position();
    switch (CheckWrapWidthAdd(widths_, n)) {
    case TWrapAddCheck::Present:
        return;
    case TWrapAddCheck::Full:
        ShowMsg(WrapListFullMessage(), kMsgCaption, kMsgIconError);
        return;
    case TWrapAddCheck::Allowed:
        break;
    }
    if (ShowMsg(WrapAddQuestion(n), kMsgCaption, MB_OKCANCEL | MB_ICONQUESTION) != IDOK) return;
    InsertWrapWidth(widths_, n);
    FillWrapList();
}

void TBasicPage::RemoveWrapWidth()
{
    const int n = WrapCount_UpDown.Position();
    if (!CanRemoveWrapWidth(widths_, WrapCount.Text(), n)) return;
    if (ShowMsg(WrapRemoveQuestion(n), kMsgCaption, MB_OKCANCEL | MB_ICONQUESTION) != IDOK) return;
    vellumo::RemoveWrapWidth(widths_, n);
    FillWrapList();
    if (widths_.empty())
        WrapCount_UpDown.SetPosition(kWrapAfterLastRemoved);
    else
        WrapCount.SetItemIndex(0);
}

void TBasicPage::WrapCountExit()
{
    if (WrapCount.Text().empty()) WrapCount_UpDown.SetPosition(ctx_.Settings.Option.WrapCount);
}

} // namespace vellumo
