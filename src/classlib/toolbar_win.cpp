#include "classlib/toolbar_win.h"

#include <exception>

#include "classlib/actionlist.h"
#include "classlib/application_win.h"
#include "classlib/hinttext.h"
#include "classlib/imagelist_win.h"
#include "base/showmsg.h"

namespace vellumo {

namespace {

const char* ToolBarClassName()
{
    static const bool ready = [] {
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES};
        return InitCommonControlsEx(&icc) != FALSE;
    }();
    (void)ready;
    return TOOLBARCLASSNAMEA;
}

const char kSelfProp[] = "VellumoToolBar";

BYTE ButtonState(const TToolButton& b)
{
    BYTE s = 0;
    if (b.Enabled())
        s |= TBSTATE_ENABLED;
    if (b.Down())
        s |= TBSTATE_CHECKED;
    if (!b.Visible())
        s |= TBSTATE_HIDDEN;
    return s;
}

} // namespace

// ---- buttons

TToolButton::TToolButton(TToolBar& bar, TToolButtonStyle style)
    : bar_(bar), style_(style), command_(bar.nextCommand_++)
{
}

int TToolButton::Index() const
{
    for (int i = 0; i < bar_.ButtonCount(); ++i)
        if (&bar_.Buttons(i) == this)
            return i;
    return -1;
}

void TToolButton::SetImageIndex(int index)
{
    if (index == imageIndex_)
        return;
    imageIndex_ = index;
    if (bar_.HandleAllocated() && style_ != tbsSeparator) {
        TBBUTTONINFOA bi{};
        bi.cbSize = sizeof bi;
        bi.dwMask = TBIF_IMAGE;
        bi.iImage = index;
        SendMessageA(bar_.Handle(), TB_SETBUTTONINFOA, static_cast<WPARAM>(command_), reinterpret_cast<LPARAM>(&bi));
    }
}

void TToolButton::SetEnabled(bool on)
{
    if (on == enabled_)
        return;
    enabled_ = on;
    bar_.PushButtonState(*this);
}

void TToolButton::SetVisible(bool on)
{
    if (on == visible_)
        return;
    visible_ = on;
    bar_.PushButtonState(*this);
}

bool TToolButton::Down() const { return down_; }

void TToolButton::SetDown(bool on)
{
    down_ = on;
    bar_.PushButtonState(*this);
}

void TToolButton::SetWidth(int width)
{
    width_ = width < 0 ? 0 : width;
    if (style_ == tbsSeparator && bar_.HandleAllocated())
        bar_.PushButtons();
}

RECT TToolButton::BoundsRect() const
{
    RECT r{0, 0, 0, 0};
    if (bar_.HandleAllocated() && visible_)
        SendMessageA(const_cast<TToolBar&>(bar_).Handle(), TB_GETRECT, static_cast<WPARAM>(command_),
                     reinterpret_cast<LPARAM>(&r));
    return r;
}

void TToolButton::Click()
{
    if (!enabled_ || style_ == tbsSeparator)
        return;
    if (OnClick)
        OnClick(*this);
    else if (action_)
        action_->Execute();
}

// ---- bar

TToolBar::TToolBar(TForm& form) : TWinControlChild(form)
{
    tabStop_ = false;
    SetBounds(0, 0, 100, 24);
}

TToolBar::~TToolBar()
{
    // The window outlives this object by a moment: give it its own procedure back.
    if (HandleAllocated() && oldProc_) {
        HWND h = Handle();
        SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(oldProc_));
        RemovePropA(h, kSelfProp);
    }
}

const char* TToolBar::WindowClass() const { return ToolBarClassName(); }

DWORD TToolBar::ControlStyle() const
{
    return CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_TOP | (showTips_ ? TBSTYLE_TOOLTIPS : 0) |
           (flat_ ? TBSTYLE_FLAT : 0);
}

void TToolBar::Created()
{
    HWND h = Handle();
    SendMessageA(h, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    if (images_) {
        SendMessageA(h, TB_SETBITMAPSIZE, 0, MAKELPARAM(images_->Width(), images_->Height()));
        SendMessageA(h, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_->Handle()));
    }
    if (disabledImages_)
        SendMessageA(h, TB_SETDISABLEDIMAGELIST, 0, reinterpret_cast<LPARAM>(disabledImages_->Handle()));
    if (hotImages_)
        SendMessageA(h, TB_SETHOTIMAGELIST, 0, reinterpret_cast<LPARAM>(hotImages_->Handle()));
    SendMessageA(h, TB_SETINDENT, static_cast<WPARAM>(indent_), 0);
    if (doubleBuffered_)
        SendMessageA(h, TB_SETEXTENDEDSTYLE, TBSTYLE_EX_DOUBLEBUFFER, TBSTYLE_EX_DOUBLEBUFFER);
    SetPropA(h, kSelfProp, this);
    oldProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TToolBar::SubclassProc)));
    PushButtons();
}

LRESULT CALLBACK TToolBar::SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* self = static_cast<TToolBar*>(GetPropA(hwnd, kSelfProp));
    if (!self || !self->oldProc_)
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    WNDPROC old = self->oldProc_;
    if (msg == WM_LBUTTONUP) {
        // The bar's own idea of a check button's state after a click differs
        // between systems: the buttons show the state kept here.
        LRESULT r = CallWindowProcA(old, hwnd, msg, wParam, lParam);
        for (auto& b : self->buttons_)
            if (b->style_ == tbsCheck)
                self->PushButtonState(*b);
        return r;
    }
    if (msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK) {
        POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        ReportFailures([&] {
            TToolButton* b = self->ButtonAt(p);
            if (b && b->OnMouseDown)
                b->OnMouseDown(*b, mbLeft, MouseShiftState(wParam) | ssLeft, p.x, p.y);
        });
    } else if (msg == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
        RemovePropA(hwnd, kSelfProp);
        self->oldProc_ = nullptr;
    }
    return CallWindowProcA(old, hwnd, msg, wParam, lParam);
}

TToolButton& TToolBar::AddNew(TToolButtonStyle style, int imageIndex, const std::string& hint,
                              std::function<void(TToolButton&)> onClick)
{
    buttons_.push_back(std::make_unique<TToolButton>(*this, style));
    TToolButton& b = *buttons_.back();
    b.imageIndex_ = imageIndex;
    b.hint_ = hint;
    b.OnClick = std::move(onClick);
    PushButtons();
    return b;
}

TToolButton& TToolBar::AddButton(int imageIndex, const std::string& hint, std::function<void(TToolButton&)> onClick)
{
    return AddNew(tbsButton, imageIndex, hint, std::move(onClick));
}

TToolButton& TToolBar::AddCheckButton(int imageIndex, const std::string& hint,
                                      std::function<void(TToolButton&)> onClick)
{
    return AddNew(tbsCheck, imageIndex, hint, std::move(onClick));
}

TToolButton& TToolBar::AddSeparator(int width)
{
    TToolButton& b = AddNew(tbsSeparator, -1, {}, nullptr);
    b.width_ = width < 0 ? 0 : width;
    PushButtons();
    return b;
}

TToolButton* TToolBar::FindButton(int command)
{
    for (auto& b : buttons_)
        if (b->command_ == command)
            return b.get();
    return nullptr;
}

TToolButton* TToolBar::ButtonAt(POINT client)
{
    if (!HandleAllocated())
        return nullptr;
    int index = static_cast<int>(SendMessageA(Handle(), TB_HITTEST, 0, reinterpret_cast<LPARAM>(&client)));
    if (index < 0)
        return nullptr;
    TBBUTTON tb{};
    if (!SendMessageA(Handle(), TB_GETBUTTON, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&tb)))
        return nullptr;
    TToolButton* b = FindButton(tb.idCommand);
    return b && b->style_ != tbsSeparator ? b : nullptr;
}

void TToolBar::PushButtons()
{
    if (!HandleAllocated())
        return;
    HWND h = Handle();
    while (SendMessageA(h, TB_BUTTONCOUNT, 0, 0) > 0)
        SendMessageA(h, TB_DELETEBUTTON, 0, 0);
    std::vector<TBBUTTON> all;
    for (auto& p : buttons_) {
        const TToolButton& b = *p;
        TBBUTTON tb{};
        tb.idCommand = b.command_;
        tb.fsState = ButtonState(b);
        if (b.style_ == tbsSeparator) {
            tb.fsStyle = BTNS_SEP;
            tb.iBitmap = b.width_;
        } else {
            tb.fsStyle = b.style_ == tbsCheck ? BTNS_CHECK : BTNS_BUTTON;
            tb.iBitmap = b.imageIndex_ < 0 ? I_IMAGENONE : b.imageIndex_;
        }
        all.push_back(tb);
    }
    if (!all.empty())
        SendMessageA(h, TB_ADDBUTTONSA, all.size(), reinterpret_cast<LPARAM>(all.data()));
    InvalidateRect(h, nullptr, TRUE);
}

void TToolBar::PushButtonState(TToolButton& b)
{
    if (!HandleAllocated())
        return;
    SendMessageA(Handle(), TB_SETSTATE, static_cast<WPARAM>(b.command_), MAKELPARAM(ButtonState(b), 0));
}

void TToolBar::SetImages(TImageList* images)
{
    images_ = images;
    if (HandleAllocated()) {
        if (images)
            SendMessageA(Handle(), TB_SETBITMAPSIZE, 0, MAKELPARAM(images->Width(), images->Height()));
        SendMessageA(Handle(), TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images ? images->Handle() : nullptr));
        InvalidateRect(Handle(), nullptr, TRUE);
    }
}

void TToolBar::SetDisabledImages(TImageList* images)
{
    disabledImages_ = images;
    if (HandleAllocated())
        SendMessageA(Handle(), TB_SETDISABLEDIMAGELIST, 0,
                     reinterpret_cast<LPARAM>(images ? images->Handle() : nullptr));
}

void TToolBar::SetHotImages(TImageList* images)
{
    hotImages_ = images;
    if (HandleAllocated())
        SendMessageA(Handle(), TB_SETHOTIMAGELIST, 0, reinterpret_cast<LPARAM>(images ? images->Handle() : nullptr));
}

void TToolBar::SetFlat(bool on)
{
    if (on == flat_)
        return;
    flat_ = on;
    RestyleWindow();
}

void TToolBar::SetIndent(int indent)
{
    indent_ = indent < 0 ? 0 : indent;
    if (HandleAllocated())
        SendMessageA(Handle(), TB_SETINDENT, static_cast<WPARAM>(indent_), 0);
}

void TToolBar::SetShowToolTips(bool on)
{
    showTips_ = on;
    RestyleWindow();
}

void TToolBar::SetDoubleBuffered(bool on)
{
    doubleBuffered_ = on;
    if (HandleAllocated())
        SendMessageA(Handle(), TB_SETEXTENDEDSTYLE, TBSTYLE_EX_DOUBLEBUFFER, on ? TBSTYLE_EX_DOUBLEBUFFER : 0);
}

SIZE TToolBar::ButtonSize() const
{
    SIZE s{0, 0};
    if (HandleAllocated()) {
        DWORD v = static_cast<DWORD>(Send(TB_GETBUTTONSIZE));
        s.cx = LOWORD(v);
        s.cy = HIWORD(v);
    }
    return s;
}

void TToolBar::Command(WPARAM wParam)
{
    if (TToolButton* b = FindButton(LOWORD(wParam))) {
        if (b->style_ == tbsCheck && b->enabled_) {
            b->down_ = !b->down_;
            PushButtonState(*b);
        }
        b->Click();
    }
}

bool TToolBar::NotifyMessage(NMHDR& hdr, LRESULT& result)
{
    if (!HandleAllocated())
        return false;
    HWND h = Handle();
    if (hdr.code == TTN_GETDISPINFOA || hdr.code == TTN_GETDISPINFOW) {
        if (hdr.hwndFrom != h && hdr.hwndFrom != reinterpret_cast<HWND>(SendMessageA(h, TB_GETTOOLTIPS, 0, 0)))
            return false;
        TToolButton* b = FindButton(static_cast<int>(hdr.idFrom));
        if (!b)
            return false;
        std::string tip = GetShortHint(b->Hint());
        if (hdr.code == TTN_GETDISPINFOA) {
            b->tipBuffer_ = tip;
            reinterpret_cast<NMTTDISPINFOA&>(hdr).lpszText = b->tipBuffer_.data();
        } else {
            auto& info = reinterpret_cast<NMTTDISPINFOW&>(hdr);
            int n = MultiByteToWideChar(CP_ACP, 0, tip.c_str(), -1, info.szText, 80);
            if (n <= 0)
                info.szText[0] = 0;
            info.szText[79] = 0;
            info.lpszText = info.szText;
        }
        result = 0;
        return true;
    }
    if (hdr.hwndFrom == h && hdr.code == TBN_HOTITEMCHANGE) {
        const auto& hot = reinterpret_cast<NMTBHOTITEM&>(hdr);
        TToolButton* b = (hot.dwFlags & HICF_LEAVING) ? nullptr : FindButton(hot.idNew);
        Application().SetHint(b ? GetLongHint(b->Hint()) : std::string());
        result = 0;
        return true;
    }
    return false;
}

} // namespace vellumo
