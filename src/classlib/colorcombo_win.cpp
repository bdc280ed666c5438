#include "classlib/colorcombo_win.h"

#include <algorithm>
#include <array>

#include "classlib/canvas_win.h"

namespace vellumo {

namespace {

struct TEntry {
    const char* Caption;
    TColor Color;  // entry 0: none of its own
};

constexpr std::array<TEntry, TColorComboBox::kEntryCount> kEntries{{
    {"(カスタム)", clBlack},
    {"黒", 0x000000},
    {"茶", 0x000080},
    {"緑", 0x008000},
    {"オリーブ", 0x008080},
    {"紺", 0x800000},
    {"紫", 0x800080},
    {"青緑", 0x808000},
    {"灰", 0x808080},
    {"銀", 0xC0C0C0},
    {"赤", 0x0000FF},
    {"ライム", 0x00FF00},
    {"黄", 0x00FFFF},
    {"青", 0xFF0000},
    {"マゼンタ", 0xFF00FF},
    {"シアン", 0xFFFF00},
    {"白", 0xFFFFFF},
    {"スクロールバー", clScrollBar},
    {"デスクトップ背景", clBackground},
    {"作業領域", clAppWorkSpace},
    {"ウィンドウ背景", clWindow},
    {"アクティブタイトルバー", clActiveCaption},
    {"アクティブタイトル文字", clCaptionText},
    {"アクティブウィンドウ境界", clActiveBorder},
    {"非アクティブタイトルバー", clInactiveCaption},
    {"非アクティブタイトル文字", clInactiveCaptionText},
    {"非アクティブウィンドウ境界", clInactiveBorder},
    {"メニュー背景", clMenu},
    {"メニュー文字", clMenuText},
    {"ウィンドウ枠", clWindowFrame},
    {"ウィンドウ文字", clWindowText},
    {"選択背景", clHighlight},
    {"選択文字", clHighlightText},
    {"淡色文字", clGrayText},
    {"ボタン強調", clBtnHighlight},
    {"ボタン強調縁", cl3DLight},
    {"ボタン面", clBtnFace},
    {"ボタン影", clBtnShadow},
    {"ボタン暗影", cl3DDkShadow},
    {"ボタン文字", clBtnText},
    {"ヒント文字", clInfoText},
    {"ヒント背景", clInfoBk},
}};

// A combo box's own background.
constexpr TColor kControlColor = clWindow;

} // namespace

namespace CCB {

TColorComboBox::TColorComboBox(TForm& form) : TComboBox(form, csDropDownList)
{
    // The list lives in the object, so a colour set before the window exists keeps its entry.
    std::vector<std::string> captions;
    for (const TEntry& e : kEntries) captions.emplace_back(e.Caption);
    SetItems(captions);
    SetDropDownCount(16);
    SetItemIndex(0);
}

const char* TColorComboBox::EntryCaption(int index) noexcept
{
    return index >= 0 && index < kEntryCount ? kEntries[static_cast<std::size_t>(index)].Caption : "";
}

TColor TColorComboBox::ColorOfIndex(int index) const noexcept
{
    if (index == 0) return custom_;
    if (index < 0 || index >= kEntryCount) return kControlColor;
    return kEntries[static_cast<std::size_t>(index)].Color;
}

int TColorComboBox::IndexOfColor(TColor color) const noexcept
{
    for (int i = 1; i < kEntryCount; ++i)
        if (kEntries[static_cast<std::size_t>(i)].Color == color) return i;
    return color == custom_ ? 0 : -1;
}

// The setters set the fields themselves and report once: going through each
// other and the change handling would never end.
void TColorComboBox::SetSelectColor(TColor color)
{
    int index = IndexOfColor(color);
    if (index < 0) {
        custom_ = color;
        index = 0;
    }
    select_ = color;
    SetItemIndex(index);
    Repaint();
    Changed();
}

void TColorComboBox::SetCustomColor(TColor color)
{
    if (color == custom_) return;
    custom_ = color;
    Repaint();
    if (ItemIndex() != 0) return;
    select_ = color;
    Changed();
}

void TColorComboBox::ClearSelection()
{
    SetItemIndex(-1);
    select_ = ColorOfIndex(-1);
}

void TColorComboBox::Notify(WORD code)
{
    // The colour follows a choice before anyone hears of it.
    if (code == CBN_SELCHANGE) select_ = ColorOfIndex(ItemIndex());
    TComboBox::Notify(code);
}

bool TColorComboBox::MeasureItem(MEASUREITEMSTRUCT& mis)
{
    if (mis.CtlType != ODT_COMBOBOX) return false;
    // The window may not have its font yet: measure the form's.
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, FontHandle(Form().Font()));
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    mis.itemHeight = static_cast<UINT>(std::max<LONG>(16, tm.tmHeight + 4));
    return true;
}

bool TColorComboBox::DrawItem(const DRAWITEMSTRUCT& dis)
{
    if (dis.CtlType != ODT_COMBOBOX) return false;
    HDC dc = dis.hDC;
    RECT r = dis.rcItem;
    const bool selected = (dis.itemState & ODS_SELECTED) != 0;
    FillRect(dc, &r, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    const int index = static_cast<int>(dis.itemID);
    if (dis.itemID != static_cast<UINT>(-1) && index >= 0 && index < kEntryCount) {
        HBRUSH swatch = CreateSolidBrush(ColorToRGB(ColorOfIndex(index)));
        HGDIOBJ oldBrush = SelectObject(dc, swatch);
        HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
        const int itemHeight = r.bottom - r.top;
        Rectangle(dc, r.left + 2, r.top + 2, r.left + itemHeight, r.bottom - 2);
        SelectObject(dc, oldPen);
        SelectObject(dc, oldBrush);
        DeleteObject(swatch);

        RECT box{};
        GetWindowRect(dis.hwndItem, &box);
        r.left += (box.bottom - box.top) - 4;
        HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(dis.hwndItem, WM_GETFONT, 0, 0)));
        const int oldMode = SetBkMode(dc, TRANSPARENT);
        const COLORREF oldText = SetTextColor(
            dc, GetSysColor((dis.itemState & ODS_DISABLED) ? COLOR_GRAYTEXT
                            : selected                      ? COLOR_HIGHLIGHTTEXT
                                                            : COLOR_WINDOWTEXT));
        DrawTextA(dc, kEntries[static_cast<std::size_t>(index)].Caption, -1, &r,
                  DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER);
        SetTextColor(dc, oldText);
        SetBkMode(dc, oldMode);
        if (oldFont) SelectObject(dc, oldFont);
    }
    if ((dis.itemState & ODS_FOCUS) && !(dis.itemState & ODS_NOFOCUSRECT)) DrawFocusRect(dc, &dis.rcItem);
    return true;
}

} // namespace CCB

} // namespace vellumo
