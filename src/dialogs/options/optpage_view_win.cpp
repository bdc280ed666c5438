// "表示": marks, the editor's font, the column line, links and quoted lines.
#include "classlib/screen_win.h"
#include "dialogs/font/fontdialog_win.h"
#include "dialogs/options/optpages_win.h"
#include "settings/settingsdecl.h"

namespace vellumo {

TViewPage::TViewPage(TPageContext& context) : TOptionPage(context, opView)
{
    TakeNewControls();
    FontView.SetShowAccelChar(false);
    TOptionBindings& b = ctx_.Bindings;
    b.Check(kSecOption, "TabMark", TabMark);
    b.Check(kSecOption, "SpMark", SpMark);
    b.Check(kSecOption, "HSpMark", HSpMark);
    b.Check(kSecOption, "RetMark", RetMark);
    b.Check(kSecOption, "EofMark", EofMark);
    b.Check(kSecOption, "ColLine", ColLine);
    b.Number(kSecOption, "ColLineByte", ColLineByte_UpDown);
    b.Check(kSecOption, "LinkWord", LinkWord);
    b.Check(kSecOption, "LinkUnderline", LinkUnderline);
    b.Check(kSecOption, "UrlEx", UrlEx);
    b.Text(kSecOption, "NotUrlChars", NotUrlChars);
    b.Check(kSecOption, "InyouRow", InyouRow);
    b.Text(kSecOption, "Inyouhu", Inyouhu);
    ColLine.OnClick = [this] { ColLineClick(); };
    LinkWord.OnClick = [this] { LinkWordClick(); };
    UrlEx.OnClick = [this] { UrlExClick(); };
    InyouRow.OnClick = [this] { InyouRowClick(); };
    Button21.OnClick = [this] { ChooseFont(); };
}

void TViewPage::Layout(const RECT& area)
{
    Origin(area);
    const int gw = width_ - 16;
    Put(GroupBox1, 8, 4, gw, 68);
    Put(TabMark, 20, 24, 96, kCheckH);
    Put(SpMark, 124, 24, 110, kCheckH);
    Put(HSpMark, 244, 24, 110, kCheckH);
    Put(RetMark, 20, 46, 96, kCheckH);
    Put(EofMark, 124, 46, 110, kCheckH);

    Put(GroupBox2, 8, 78, gw, 52);
    Put(FontView, 20, 98, 280, 22);
    Put(Button21, 308, 97, 140, kButtonH);

    Put(GroupBox3, 8, 136, gw, 52);
    Put(ColLine, 20, 158, 160, kCheckH);
    Put(Label1, 190, 158 + 1, 44, 16);
    Put(ColLineByte, 236, 156, 56, kEditH);
    Put(ColLineByte_UpDown, 292, 156, 17, kEditH);

    Put(GroupBox4, 8, 194, gw, 106);
    Put(LinkWord, 20, 214, 96, kCheckH);
    Put(LinkUnderline, 124, 214, 130, kCheckH);
    Put(UrlEx, 262, 214, 110, kCheckH);
    Put(Label2, 36, 240 + kLabelDy, 84, 16);
    Put(NotUrlChars, 124, 240, 160, kEditH);
    Put(InyouRow, 20, 272, 96, kCheckH);
    Put(Label3, 124, 270 + kLabelDy, 70, 16);
    Put(Inyouhu, 196, 270, 120, kEditH);
}

void TViewPage::Load(const TAppSettings& s)
{
    font_ = {s.Option.FontName, s.Option.FontSize};
    ShowFont();
}

void TViewPage::Store(TAppSettings& s)
{
    s.Option.FontName = font_.Name;
    s.Option.FontSize = font_.Size;
    s.Option.Inyouhu = QuoteMarksSetting(Inyouhu.Text());
}

void TViewPage::Gather(TOptionChecks& c) const
{
    c.ColLine = ColLine.Checked();
    c.LinkWord = LinkWord.Checked();
    c.UrlEx = UrlEx.Checked();
    c.InyouRow = InyouRow.Checked();
}

void TViewPage::ColLineClick() { ColLineByte_UpDown.SetEnabled(Enabling().ColLineByte); }  // with its edit

void TViewPage::LinkWordClick()
{
    const TOptionEnabling e = Enabling();
    LinkUnderline.SetEnabled(e.LinkUnderline);
    UrlEx.SetEnabled(e.UrlEx);
    NotUrlChars.SetEnabled(e.NotUrlChars);
}

void TViewPage::UrlExClick() { NotUrlChars.SetEnabled(Enabling().NotUrlChars); }

void TViewPage::InyouRowClick() { Inyouhu.SetEnabled(Enabling().Inyouhu); }

void TViewPage::FollowEditMode()
{
    const TOptionEnabling e = Enabling();
    InyouRow.SetEnabled(e.InyouRow);
    Inyouhu.SetEnabled(e.Inyouhu);
    LinkWord.SetEnabled(e.LinkWord);
    LinkUnderline.SetEnabled(e.LinkUnderline);
    UrlEx.SetEnabled(e.UrlEx);
    NotUrlChars.SetEnabled(e.NotUrlChars);
}

void TViewPage::ShowFont() { FontView.SetCaption(FontViewText(font_.Name, font_.Size)); }

void TViewPage::ChooseFont()
{
    TFontInfoA info = font_;
    const bool chosen = ctx_.Host.ChooseFont ? ctx_.Host.ChooseFont(info, form_.Handle())
                                             : ExecuteFontDialog(info, 0, 0, form_.Handle(), true, false);
    if (!chosen) return;
    TScreenCursorScope hourglass(crHourGlass);
    font_ = info;
    ShowFont();
}

} // namespace vellumo
