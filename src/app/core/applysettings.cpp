// The portable half of applying settings: clamping and staging.
#include "app/core/applysettings.h"

#include <algorithm>
#include <cmath>

#include "editor/editprop.h"
#include "editor/parsersettings.h"

namespace vellumo {

namespace {

int ClampInt(int v, int lo, int hi) { return std::clamp(v, lo, hi); }

// The keys' own ranges; a value outside reads as the key's first value.
int InRangeOrZero(int v, int hi) { return v >= 0 && v <= hi ? v : 0; }

void StageColors(TEditorProp& prop, const TAppSettings& s)
{
    const TAppColors& c = s.Color;
    TEditorColors& colors = prop.View().Colors();
    colors.Select().SetColor(c.SelStr);
    colors.Select().SetBkColor(c.SelBk);
    prop.Marks().RetMark().SetColor(c.Ret);
    prop.Marks().EofMark().SetColor(c.Ret);
    prop.View().SetUrl(s.Option.LinkWord);
    prop.View().SetMail(s.Option.LinkWord);
    const TColor link = s.Option.LinkWord ? c.Link : c.Font;
    colors.Url().SetColor(link);
    colors.Mail().SetColor(link);
    prop.Marks().Underline().SetColor(c.UnderLine);
    prop.Font().SetColor(c.Font);
    for (TEditorColor* e : {&colors.Ank(), &colors.DBCS(), &colors.Int(), &colors.Reserve(), &colors.Symbol()})
        e->SetColor(c.Font);
    prop.SetColor(c.Bk);
    for (TEditorColor* e : {&colors.Ank(), &colors.Comment(), &colors.DBCS(), &colors.Int(), &colors.Mail(),
                            &colors.Reserve(), &colors.Str(), &colors.Symbol(), &colors.Url()})
        e->SetBkColor(c.Bk);
    TEditorBracketCollection& brackets = prop.View().Brackets();
    for (int i = 0; i < brackets.Count(); ++i) {
        brackets[i].ItemColor().SetColor(c.Font);
        brackets[i].ItemColor().SetBkColor(c.Bk);
    }
}

} // namespace

void StageGuideLines(TVerticalLines& lines, const TAppSettings& s)
{
    const TAppIni& o = s.Option;
    lines.BeginUpdate();
    lines.Clear();
    TVerticalLine& wrap = lines.Add();
    wrap.SetPosition(o.WrapCount);
    wrap.SetColor(s.Color.WrapLine);
    wrap.SetVisible(o.WordWrap && o.WrapLine);
    TVerticalLine& col = lines.Add();
    col.SetPosition(o.ColLineByte);
    col.SetColor(s.Color.ColLine);
    col.SetVisible(o.ColLine && (!o.WordWrap || o.ColLineByte < o.WrapCount));
    lines.EndUpdate();
}

TWindowBox ClampWindowBox(TWindowBox box, const TScreenArea& area)
{
    if (area.Width <= 0 || area.Height <= 0) return box;
    box.Width = ClampInt(box.Width, std::min(kMinWindowSize, area.Width), area.Width);
    box.Height = ClampInt(box.Height, std::min(kMinWindowSize, area.Height), area.Height);
    box.Left = ClampInt(box.Left, area.Left, area.Left + area.Width - box.Width);
    box.Top = ClampInt(box.Top, area.Top, area.Top + area.Height - box.Height);
    return box;
}

void ClampAppliedSettings(TAppSettings& s, const TScreenArea& area)
{
    TAppIni& o = s.Option;
    if (o.FontSize != kHalfPointFontSize) o.FontSize = ClampInt(o.FontSize, kMinFontSize, kMaxFontSize);
    o.LinePitch = ClampInt(o.LinePitch, 0, kMaxLinePitch);
    o.CharPitch = ClampInt(o.CharPitch, 0, kMaxCharPitch);
    o.LeftMargin = ClampInt(o.LeftMargin, 0, kMaxTextMargin);
    o.TopMargin = ClampInt(o.TopMargin, 0, kMaxTextMargin);
    o.ColLineByte = ClampInt(o.ColLineByte, 0, kMaxColLineByte);
    o.DefEditMode = InRangeOrZero(o.DefEditMode, 13);
    s.JCode.NewCode = InRangeOrZero(s.JCode.NewCode, 5);
    s.JCode.NewRetCode = InRangeOrZero(s.JCode.NewRetCode, 2);
    const TWindowBox box =
        ClampWindowBox({o.UserWindowPos_X, o.UserWindowPos_Y, o.UserWindowSize_W, o.UserWindowSize_H}, area);
    o.UserWindowPos_X = box.Left;
    o.UserWindowPos_Y = box.Top;
    o.UserWindowSize_W = box.Width;
    o.UserWindowSize_H = box.Height;
}

void ClampWindowPlacement(TAppWindowPlacement& p, const TScreenArea& area)
{
    const TWindowBox box = ClampWindowBox({p.WindowLeft, p.WindowTop, p.WindowWidth, p.WindowHeight}, area);
    p.WindowLeft = box.Left;
    p.WindowTop = box.Top;
    p.WindowWidth = box.Width;
    p.WindowHeight = box.Height;
}

int HalfPointFontHeight(int pixelsPerInch) noexcept
{
    return -static_cast<int>(std::lround(10.5 * pixelsPerInch / 72.0));
}

int RulerGaugeSpacing(int index) noexcept { return index != 0 ? 10 : 8; }

TScrollStyle ScrollStyleFor(bool vertical, bool horizontal) noexcept
{
    if (vertical && horizontal) return ssBoth;
    if (vertical) return ssVertical;
    if (horizontal) return ssHorizontal;
    return ssNone;
}

void ApplyScrollBars(TEditorProp& prop, const TAppIni& option)
{
    prop.SetScrollBars(ScrollStyleFor(option.ScrollBar_Tate, option.ScrollBar_Yoko));
}

std::string PasteQuoteMark(const TAppIni& option)
{
    // Only a wrapped value loses its ends: cutting an unwrapped one blindly
    // would split a double-byte mark. A lone "%" is the empty mark.
    const std::string& v = option.PasteInyouhu;
    return v == "%" ? std::string() : StripPercentWrap(v);
}

void ApplyHostValues(TEditorHostValues& host, const TAppSettings& s)
{
    host.NoLButtonImeEnter = s.Option.NoLButtonImeEnter;
    host.RetRowIndent = s.Option.RetRowIndent;
    host.ImeReConv = s.OptionEx.ImeReConv;
}

void ApplyParserValues(TParserSettings& parser, const TAppSettings& s)
{
    if (!s.OptionEx.UrlChars.empty()) parser.AddUrlChars(s.OptionEx.UrlChars);
    if (!s.OptionEx.MailChars.empty()) parser.AddMailChars(s.OptionEx.MailChars);
    parser.SetNotUrlChars(s.Option.NotUrlChars);
    parser.UrlEx = s.Option.UrlEx;
}

void StageEditorSettings(TEditorProp& prop, const TAppSettings& s, int pixelsPerInch)
{
    const TAppIni& o = s.Option;
    prop.Caret().SetLockScroll(s.OptionEx.CaretLockScroll);
    prop.SetWordWrap(o.WordWrap);
    TEditorWrapOption& w = prop.WrapOption();
    w.SetWordBreak(o.WordBreak);
    w.SetFollowRetMark(o.FollowRetMark);
    w.SetLeading(o.Leading);
    w.SetFollowStr(o.FollowStr);
    w.SetLeadStr(o.LeadStr);
    w.SetFollowPunctuation(o.FollowPunctuation);
    w.SetPunctuationStr(o.PunctuationStr);
    w.SetWrapByte(o.WrapCount);
    prop.Font().SetName(o.FontName);
    if (o.FontSize == kHalfPointFontSize)
        prop.Font().SetHeight(HalfPointFontHeight(pixelsPerInch));
    else
        prop.Font().SetSize(ClampInt(o.FontSize, kMinFontSize, kMaxFontSize));
    prop.Caret().SetTabSpaceCount(o.TabSpaceCount);
    prop.Caret().SetFreeCaret(o.FreeCaret);
    // Return's indent is the main window's own (its key handler, by AutoIndent).
    prop.Caret().SetAutoIndent(false);
    prop.Marks().RetMark().SetVisible(o.RetMark);
    prop.Marks().EofMark().SetVisible(o.EofMark);

    prop.Margin().SetLine(ClampInt(o.LinePitch, 0, kMaxLinePitch));
    prop.Margin().SetCharacter(ClampInt(o.CharPitch, 0, kMaxCharPitch));
    prop.Margin().SetLeft(o.LeftMargin);
    prop.Margin().SetTop(o.TopMargin);
    prop.Marks().Underline().SetVisible(o.CaretUnderLine);

    StageColors(prop, s);

    const TAppLeftBarRuler& lr = s.LeftBarAndRuler;
    TEditorLeftbar& bar = prop.Leftbar();
    bar.SetVisible(lr.LeftBar);
    bar.SetColumn(lr.LeftBarColumn);
    bar.SetColor(s.Color.LeftBarStr);
    bar.SetShowNumberMode(o.LineNum ? nmLine : nmRow);
    bar.SetBkColor(lr.LeftBarClr ? s.Color.Bk : clBtnFace);
    bar.SetEdge(!lr.LeftBarClr);
    TEditorRuler& ruler = prop.Ruler();
    ruler.SetVisible(lr.Ruler);
    ruler.SetGaugeRange(RulerGaugeSpacing(lr.RulerGaugeRange));
    ruler.SetColor(s.Color.RulerStr);
    ruler.SetMarkColor(s.Color.RulerStr);
    ruler.SetBkColor(lr.RulerClr ? s.Color.Bk : clBtnFace);
    ruler.SetEdge(!lr.RulerClr);

    ApplyScrollBars(prop, o);
    StageGuideLines(prop.VerticalLines(), s);
}

} // namespace vellumo
