#include "classlib/commonctrls_win.h"

#include <commctrl.h>

#include <algorithm>
#include <charconv>
#include <stdexcept>

namespace vellumo {

namespace {

bool InitCommonControlClasses()
{
    static const bool done = [] {
        INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_UPDOWN_CLASS | ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES |
                                                  ICC_HOTKEY_CLASS};
        return InitCommonControlsEx(&icc) != FALSE;
    }();
    return done;
}

// A whole decimal number with an optional sign and blanks around it;
// false for anything else (thousands separators included).
bool ParseWhole(const std::string& text, long long& value)
{
    std::size_t b = text.find_first_not_of(" \t");
    std::size_t e = text.find_last_not_of(" \t");
    if (b == std::string::npos) return false;
    const char* first = text.data() + b;
    const char* last = text.data() + e + 1;
    if (*first == '+') ++first;
    auto [p, ec] = std::from_chars(first, last, value);
    return ec == std::errc() && p == last;
}

} // namespace

// ---- TUpDown

TUpDown::TUpDown(TForm& form, TEdit& buddy, int min, int max)
    : TWinControlChild(form), buddy_(buddy), alongside_(false), min_(std::min(min, max)), max_(std::max(min, max)),
      position_(min_)
{
    tabStop_ = false;
}

TUpDown::TUpDown(TForm& form, TComboBox& buddy, int min, int max)
    : TWinControlChild(form), buddy_(buddy), alongside_(true), min_(std::min(min, max)), max_(std::max(min, max)),
      position_(min_)
{
    tabStop_ = false;
}

const char* TUpDown::WindowClass() const
{
    InitCommonControlClasses();
    return UPDOWN_CLASSA;
}

// No thousands separators: the edit must read back as the number it shows.
DWORD TUpDown::ControlStyle() const
{
    return (alongside_ ? 0 : UDS_ALIGNRIGHT) | UDS_ARROWKEYS | UDS_NOTHOUSANDS | UDS_SETBUDDYINT;
}

void TUpDown::Created() { Attach(); }

void TUpDown::Attach()
{
    HWND edit = buddy_.Handle();
    if (!HandleAllocated() || !edit) return;
    // The up-down takes its place inside the edit's old width.
    Send(UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit));
    Send(UDM_SETRANGE32, static_cast<WPARAM>(min_), static_cast<LPARAM>(max_));
    UDACCEL accel{0, static_cast<UINT>(increment_)};
    Send(UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&accel));
    Send(UDM_SETPOS32, 0, static_cast<LPARAM>(position_));
    buddy_.SetCaption(std::to_string(position_));
}

void TUpDown::SetRange(int min, int max)
{
    min_ = std::min(min, max);
    max_ = std::max(min, max);
    position_ = std::clamp(position_, min_, max_);
    if (HandleAllocated()) Send(UDM_SETRANGE32, static_cast<WPARAM>(min_), static_cast<LPARAM>(max_));
    SetPosition(position_);
}

void TUpDown::SetIncrement(int step)
{
    increment_ = std::max(step, 1);
    if (HandleAllocated()) {
        UDACCEL accel{0, static_cast<UINT>(increment_)};
        Send(UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&accel));
    }
}

int TUpDown::Position()
{
    long long typed = 0;
    const std::string text = buddy_.Caption();
    if (ParseWhole(text, typed))
        position_ = static_cast<int>(std::clamp<long long>(typed, min_, max_));
    if (text != std::to_string(position_)) SetPosition(position_);
    return position_;
}

void TUpDown::SetPosition(int position)
{
    position_ = std::clamp(position, min_, max_);
    if (HandleAllocated()) Send(UDM_SETPOS32, 0, static_cast<LPARAM>(position_));
    const std::string text = std::to_string(position_);
    if (buddy_.Caption() != text) buddy_.SetCaption(text);
}

void TUpDown::SetEnabled(bool enabled)
{
    TWinControlChild::SetEnabled(enabled);
    buddy_.SetEnabled(enabled);
}

bool TUpDown::NotifyMessage(NMHDR& hdr, LRESULT& result)
{
    if (!HandleAllocated() || hdr.hwndFrom != Handle() || hdr.code != UDN_DELTAPOS) return false;
    // Step from what the edit holds now, so a typed value is the start.
    auto& nm = reinterpret_cast<NMUPDOWN&>(hdr);
    Position();
    nm.iPos = position_;
    result = 0;
    return true;
}

// ---- TListView

TListView::TListView(TForm& form) : TWinControlChild(form) {}

const char* TListView::WindowClass() const
{
    InitCommonControlClasses();
    return WC_LISTVIEWA;
}

DWORD TListView::ControlStyle() const { return LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS; }

void TListView::Created()
{
    Send(LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    for (int c = 0; c < ColumnCount(); ++c) {
        const TColumn& col = columns_[static_cast<std::size_t>(c)];
        LVCOLUMNA lvc{};
        lvc.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        lvc.pszText = const_cast<char*>(col.Caption.c_str());
        lvc.cx = col.Width;
        lvc.iSubItem = c;
        Send(LVM_INSERTCOLUMNA, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(&lvc));
    }
    for (int r = 0; r < RowCount(); ++r) PushRow(r);
    if (itemIndex_ >= 0) SetItemIndex(itemIndex_);
}

void TListView::SaveState()
{
    TWinControlChild::SaveState();
    itemIndex_ = ItemIndex();
    for (int c = 0; c < ColumnCount(); ++c) columns_[static_cast<std::size_t>(c)].Width = ColumnWidth(c);
}

void TListView::AddColumn(const std::string& caption, int width)
{
    columns_.push_back({caption, width});
    for (auto& row : rows_) row.resize(columns_.size());
    if (HandleAllocated()) {
        const int c = ColumnCount() - 1;
        LVCOLUMNA lvc{};
        lvc.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        lvc.pszText = const_cast<char*>(caption.c_str());
        lvc.cx = width;
        lvc.iSubItem = c;
        Send(LVM_INSERTCOLUMNA, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(&lvc));
    }
}

int TListView::ColumnWidth(int column) const
{
    if (column < 0 || column >= ColumnCount()) return 0;
    if (HandleAllocated()) return static_cast<int>(Send(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column)));
    return columns_[static_cast<std::size_t>(column)].Width;
}

void TListView::SetColumnWidth(int column, int width)
{
    if (column < 0 || column >= ColumnCount()) return;
    columns_[static_cast<std::size_t>(column)].Width = width;
    Send(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), MAKELPARAM(width, 0));
}

int TListView::AddRow(const std::vector<std::string>& cells)
{
    InsertRow(RowCount(), cells);
    return RowCount() - 1;
}

void TListView::InsertRow(int index, const std::vector<std::string>& cells)
{
    index = std::clamp(index, 0, RowCount());
    std::vector<std::string> row = cells;
    row.resize(std::max({row.size(), columns_.size(), std::size_t{1}}));
    rows_.insert(rows_.begin() + index, std::move(row));
    if (itemIndex_ >= index) ++itemIndex_;
    PushRow(index);
}

void TListView::PushRow(int index)
{
    if (!HandleAllocated()) return;
    const auto& row = rows_[static_cast<std::size_t>(index)];
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = index;
    item.pszText = const_cast<char*>(row[0].c_str());
    Send(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    for (int c = 1; c < static_cast<int>(row.size()) && c < ColumnCount(); ++c) PushCell(index, c);
}

void TListView::PushCell(int row, int column)
{
    if (!HandleAllocated()) return;
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = const_cast<char*>(rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)].c_str());
    Send(LVM_SETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

void TListView::DeleteRow(int index)
{
    if (index < 0 || index >= RowCount()) return;
    const int selected = ItemIndex();
    rows_.erase(rows_.begin() + index);
    Send(LVM_DELETEITEM, static_cast<WPARAM>(index));
    // Deleting the selected row selects the one that took its place (or the
    // new last row), so a valid row stays selected while any is left.
    if (selected < 0) return;
    int next = selected > index ? selected - 1 : selected;
    SetItemIndex(RowCount() == 0 ? -1 : std::min(next, RowCount() - 1));
}

void TListView::ClearRows()
{
    rows_.clear();
    itemIndex_ = -1;
    Send(LVM_DELETEALLITEMS);
}

const std::vector<std::string>& TListView::Row(int index) const { return rows_.at(static_cast<std::size_t>(index)); }

std::string TListView::Cell(int row, int column) const
{
    if (row < 0 || row >= RowCount() || column < 0) return {};
    const auto& r = rows_[static_cast<std::size_t>(row)];
    return static_cast<std::size_t>(column) < r.size() ? r[static_cast<std::size_t>(column)] : std::string();
}

void TListView::SetCell(int row, int column, const std::string& text)
{
    if (row < 0 || row >= RowCount() || column < 0) return;
    auto& r = rows_[static_cast<std::size_t>(row)];
    if (static_cast<std::size_t>(column) >= r.size()) r.resize(static_cast<std::size_t>(column) + 1);
    r[static_cast<std::size_t>(column)] = text;
    if (column < ColumnCount()) PushCell(row, column);
}

int TListView::ItemIndex() const
{
    if (!HandleAllocated()) return itemIndex_;
    const LRESULT i = Send(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED);
    return i < 0 ? -1 : static_cast<int>(i);
}

void TListView::SetItemIndex(int index)
{
    if (index < -1 || index >= RowCount()) index = -1;
    itemIndex_ = index;
    if (!HandleAllocated()) {
        if (OnSelect) OnSelect();
        return;
    }
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = 0;
    Send(LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
    if (index >= 0) {
        item.state = LVIS_SELECTED | LVIS_FOCUSED;
        Send(LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
        Send(LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), FALSE);
    }
}

bool TListView::NotifyMessage(NMHDR& hdr, LRESULT& result)
{
    if (!HandleAllocated() || hdr.hwndFrom != Handle()) return false;
    switch (hdr.code) {
    case LVN_ITEMCHANGED: {
        const auto& nm = reinterpret_cast<const NMLISTVIEW&>(hdr);
        if ((nm.uChanged & LVIF_STATE) && ((nm.uNewState ^ nm.uOldState) & LVIS_SELECTED) &&
            (nm.uNewState & LVIS_SELECTED)) {
            itemIndex_ = nm.iItem;
            if (OnSelect) OnSelect();
        }
        break;
    }
    case NM_DBLCLK:
        if (OnDblClick) OnDblClick();
        break;
    case NM_RCLICK:
        if (OnContextPopup) {
            POINT pt;
            GetCursorPos(&pt);
            OnContextPopup(pt.x, pt.y);
        }
        break;
    case LVN_BEGINLABELEDITA:
    case LVN_BEGINLABELEDITW:
        result = TRUE;  // read-only
        return true;
    default:
        return false;
    }
    result = 0;
    return true;
}

// ---- TPageControl

TPageControl::TPageControl(TForm& form) : TWinControlChild(form)
{
    form.OnCtrlTab = [this](bool forward) { TurnPage(forward); };
}

const char* TPageControl::WindowClass() const
{
    InitCommonControlClasses();
    return WC_TABCONTROLA;
}

DWORD TPageControl::ControlStyle() const { return WS_CLIPSIBLINGS | (multiLine_ ? TCS_MULTILINE : 0); }

namespace {

// Under Wine's theme the tab control paints the page inside its edges in
// the window colour; the page gets the dialog's face colour, as the
// controls on it have.
LRESULT CALLBACK PageFaceProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR)
{
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        DefSubclassProc(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
        RECT page;
        GetClientRect(hwnd, &page);
        DefSubclassProc(hwnd, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&page));
        FillRect(dc, &page, GetSysColorBrush(COLOR_BTNFACE));
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_NCDESTROY:
        RemoveWindowSubclass(hwnd, PageFaceProc, id);
        break;
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

} // namespace

void TPageControl::Created()
{
    SetWindowSubclass(Handle(), PageFaceProc, 1, 0);
    for (int i = 0; i < PageCount(); ++i) {
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(pages_[static_cast<std::size_t>(i)].Caption.c_str());
        Send(TCM_INSERTITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    }
    Send(TCM_SETCURSEL, static_cast<WPARAM>(active_));
    // Beneath the controls of the pages, whatever the order they were made in.
    SetWindowPos(Handle(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ShowActive();
}

int TPageControl::AddPage(const std::string& caption)
{
    pages_.push_back({caption, {}});
    const int index = PageCount() - 1;
    if (HandleAllocated()) {
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(pages_.back().Caption.c_str());
        Send(TCM_INSERTITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    }
    return index;
}

void TPageControl::AddToPage(int page, TWinControlChild& control)
{
    if (page < 0 || page >= PageCount()) throw std::out_of_range("no such page");
    pages_[static_cast<std::size_t>(page)].Controls.push_back(&control);
    control.SetVisible(page == active_);
}

void TPageControl::AddToPage(int page, std::initializer_list<TWinControlChild*> controls)
{
    for (auto* c : controls) AddToPage(page, *c);
}

int TPageControl::PageOf(const TWinControlChild& control) const
{
    for (int i = 0; i < PageCount(); ++i) {
        const auto& cs = pages_[static_cast<std::size_t>(i)].Controls;
        if (std::find(cs.begin(), cs.end(), &control) != cs.end()) return i;
    }
    return -1;
}

void TPageControl::SetActivePage(int page)
{
    if (page < 0 || page >= PageCount()) return;
    active_ = page;
    if (HandleAllocated() && Send(TCM_GETCURSEL) != page) Send(TCM_SETCURSEL, static_cast<WPARAM>(page));
    ShowActive();
    Changed();
}

void TPageControl::TurnPage(bool forward)
{
    if (PageCount() == 0) return;
    SetActivePage((active_ + (forward ? 1 : PageCount() - 1)) % PageCount());
}

void TPageControl::ShowActive()
{
    // Hide first, so the focus never rests on a control of a hidden page.
    HWND focus = GetFocus();
    bool focusHidden = false;
    for (int i = 0; i < PageCount(); ++i) {
        if (i == active_) continue;
        for (auto* c : pages_[static_cast<std::size_t>(i)].Controls) {
            if (c->HandleAllocated() && (c->Handle() == focus || IsChild(c->Handle(), focus))) focusHidden = true;
            c->SetVisible(false);
        }
    }
    for (auto* c : pages_[static_cast<std::size_t>(active_)].Controls) c->SetVisible(true);
    if (focusHidden && HandleAllocated()) ::SetFocus(Handle());
    // A control shown paints its edge at once, while what lies beneath it
    // (the page, a group box) paints later and covers that edge: the whole
    // page is drawn again, edges and all, once the swap is done.
    if (HandleAllocated()) {
        RECT r{Left(), Top(), Left() + Width(), Top() + Height()};
        RedrawWindow(GetParent(Handle()), &r, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    }
}

RECT TPageControl::DisplayRect()
{
    RECT r{Left(), Top(), Left() + Width(), Top() + Height()};
    if (HandleAllocated()) {
        RECT inner{0, 0, Width(), Height()};
        Send(TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&inner));
        OffsetRect(&inner, Left(), Top());
        r = inner;
    }
    return r;
}

bool TPageControl::NotifyMessage(NMHDR& hdr, LRESULT& result)
{
    if (!HandleAllocated() || hdr.hwndFrom != Handle() || hdr.code != TCN_SELCHANGE) return false;
    const auto sel = static_cast<int>(Send(TCM_GETCURSEL));
    if (sel >= 0 && sel < PageCount()) {
        active_ = sel;
        ShowActive();
        Changed();
    }
    result = 0;
    return true;
}

// ---- THotKey

THotKey::THotKey(TForm& form) : TWinControlChild(form) {}

const char* THotKey::WindowClass() const
{
    InitCommonControlClasses();
    return HOTKEY_CLASSA;
}

void THotKey::Created() { Send(HKM_SETHOTKEY, ShortCutToHotKey(key_)); }

void THotKey::SaveState()
{
    TWinControlChild::SaveState();
    key_ = HotKey();
}

TShortCut THotKey::HotKey() const
{
    if (!HandleAllocated()) return key_;
    return HotKeyToShortCut(static_cast<WORD>(Send(HKM_GETHOTKEY)));
}

void THotKey::SetHotKey(TShortCut key)
{
    key_ = key;
    Send(HKM_SETHOTKEY, ShortCutToHotKey(key));
}

TShortCut HotKeyToShortCut(WORD hotKey) noexcept
{
    const unsigned vk = LOBYTE(hotKey);
    if (vk == 0) return scNone;
    const unsigned mods = HIBYTE(hotKey);
    TShortCut m = 0;
    if (mods & HOTKEYF_SHIFT) m |= scShift;
    if (mods & HOTKEYF_CONTROL) m |= scCtrl;
    if (mods & HOTKEYF_ALT) m |= scAlt;
    return ShortCut(vk, m);
}

WORD ShortCutToHotKey(TShortCut key) noexcept
{
    const unsigned vk = key & 0xFF;
    if (vk == 0) return 0;
    BYTE mods = 0;
    if (key & scShift) mods |= HOTKEYF_SHIFT;
    if (key & scCtrl) mods |= HOTKEYF_CONTROL;
    if (key & scAlt) mods |= HOTKEYF_ALT;
    // Without the flag the box names the keypad's twin ("Num 0" for Insert).
    switch (vk) {
    case VK_INSERT: case VK_DELETE: case VK_HOME: case VK_END: case VK_PRIOR: case VK_NEXT:
    case VK_LEFT: case VK_UP: case VK_RIGHT: case VK_DOWN: case VK_DIVIDE: case VK_NUMLOCK:
    case VK_APPS: case VK_LWIN: case VK_RWIN:
        mods |= HOTKEYF_EXT;
        break;
    default:
        break;
    }
    return MAKEWORD(vk, mods);
}

} // namespace vellumo
