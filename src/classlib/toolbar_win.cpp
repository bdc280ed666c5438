#include "classlib/toolbar_win.h"

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

TToolButton::TToolButton(TToolBar& bar, TToolButtonStyle style, int command)
    : bar_(bar), style_(style), command_(command)
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
        bar_.Send(TB_SETBUTTONINFOA, static_cast<WPARAM>(command_), reinterpret_cast<LPARAM>(&bi));
    }
}

void TToolButton::SetHint(std::string hint)
{
    hint_ = std::move(hint);
    if (style_ != tbsSeparator)
        bar_.PushButtonText(*this);
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
    if (style_ == tbsSeparator)
        bar_.PushButtons();
}

RECT TToolButton::BoundsRect() const
{
    RECT r{0, 0, 0, 0};
    if (visible_)
        bar_.Send(TB_GETRECT, static_cast<WPARAM>(command_), reinterpret_cast<LPARAM>(&r));
    return r;
}

void TToolButton::Click()
{
    if (enabled_ && style_ != tbsSeparator && OnClick)
        OnClick(*this);
}

// ---- bar

TToolBar::TToolBar() : TCommonControl(100, 24) {}

const char* TToolBar::WindowClass() const { return ToolBarClassName(); }

DWORD TToolBar::ControlStyle() const
{
    // The owner places the bar; no divider line above the buttons.
    return WS_CLIPSIBLINGS | CCS_TOP | CCS_NODIVIDER | CCS_NORESIZE | (showTips_ ? TBSTYLE_TOOLTIPS : 0) |
           (flat_ ? TBSTYLE_FLAT : 0);
}

void TToolBar::Created()
{
    Send(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
    if (images_) {
        Send(TB_SETBITMAPSIZE, 0, MAKELPARAM(images_->Width(), images_->Height()));
        Send(TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_->Handle()));
    }
    if (disabledImages_)
        Send(TB_SETDISABLEDIMAGELIST, 0, reinterpret_cast<LPARAM>(disabledImages_->Handle()));
    if (hotImages_)
        Send(TB_SETHOTIMAGELIST, 0, reinterpret_cast<LPARAM>(hotImages_->Handle()));
    Send(TB_SETINDENT, static_cast<WPARAM>(indent_));
    if (doubleBuffered_)
        Send(TB_SETEXTENDEDSTYLE, TBSTYLE_EX_DOUBLEBUFFER, TBSTYLE_EX_DOUBLEBUFFER);
    // The texts are tool tips, never labels.
    Send(TB_SETMAXTEXTROWS, 0);
    PushButtons();
}

bool TToolBar::OwnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (msg == WM_LBUTTONUP) {
        // The bar's own idea of a check button's state after a click differs
        // between systems: the buttons show the state kept here.
        result = CallDefault(msg, wParam, lParam);
        for (auto& b : buttons_)
            if (b->style_ == tbsCheck)
                PushButtonState(*b);
        return true;
    }
    if (msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK) {
        POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        TToolButton* b = ButtonAt(p);
        if (b && b->OnMouseDown)
            b->OnMouseDown(*b, mbLeft, MouseShiftState(wParam) | ssLeft, p.x, p.y);
    }
    return false;
}

TToolButton& TToolBar::AddNew(TToolButtonStyle style, int imageIndex, const std::string& hint,
                              std::function<void(TToolButton&)> onClick)
{
    buttons_.push_back(std::make_unique<TToolButton>(*this, style, firstCommand_ + ButtonCount()));
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

TToolButton* TToolBar::FindButton(int command) const
{
    const long long i = static_cast<long long>(command) - firstCommand_;
    return i >= 0 && i < ButtonCount() ? buttons_[static_cast<std::size_t>(i)].get() : nullptr;
}

void TToolBar::SetFirstCommand(int command)
{
    firstCommand_ = command;
    for (std::size_t i = 0; i < buttons_.size(); ++i)
        buttons_[i]->command_ = command + static_cast<int>(i);
    PushButtons();
}

TToolButton* TToolBar::ButtonAt(POINT client)
{
    if (!HandleAllocated())
        return nullptr;
    int index = static_cast<int>(Send(TB_HITTEST, 0, reinterpret_cast<LPARAM>(&client)));
    if (index < 0)
        return nullptr;
    TBBUTTON tb{};
    if (!Send(TB_GETBUTTON, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&tb)))
        return nullptr;
    TToolButton* b = FindButton(tb.idCommand);
    return b && b->style_ != tbsSeparator ? b : nullptr;
}

void TToolBar::PushButtons()
{
    if (!HandleAllocated())
        return;
    while (Send(TB_BUTTONCOUNT) > 0)
        Send(TB_DELETEBUTTON, 0);
    std::vector<TBBUTTON> all;
    for (auto& p : buttons_) {
        TToolButton& b = *p;
        TBBUTTON tb{};
        tb.idCommand = b.command_;
        tb.fsState = ButtonState(b);
        if (b.style_ == tbsSeparator) {
            tb.fsStyle = BTNS_SEP;
            tb.iBitmap = b.width_;
        } else {
            tb.fsStyle = b.style_ == tbsCheck ? BTNS_CHECK : BTNS_BUTTON;
            tb.iBitmap = b.imageIndex_ < 0 ? I_IMAGENONE : b.imageIndex_;
            // The bar copies the text while the buttons are added.
            b.text_ = GetShortHint(b.hint_);
            tb.iString = reinterpret_cast<INT_PTR>(b.text_.c_str());
        }
        all.push_back(tb);
    }
    if (!all.empty())
        Send(TB_ADDBUTTONSA, all.size(), reinterpret_cast<LPARAM>(all.data()));
    InvalidateRect(Handle(), nullptr, TRUE);
}

void TToolBar::PushButtonState(TToolButton& b)
{
    Send(TB_SETSTATE, static_cast<WPARAM>(b.command_), MAKELPARAM(ButtonState(b), 0));
}

void TToolBar::PushButtonText(TToolButton& b)
{
    b.text_ = GetShortHint(b.hint_);
    if (!HandleAllocated())
        return;
    TBBUTTONINFOA bi{};
    bi.cbSize = sizeof bi;
    bi.dwMask = TBIF_TEXT;
    bi.pszText = b.text_.data();
    Send(TB_SETBUTTONINFOA, static_cast<WPARAM>(b.command_), reinterpret_cast<LPARAM>(&bi));
}

void TToolBar::SetImages(TImageList* images)
{
    images_ = images;
    if (HandleAllocated()) {
        if (images)
            Send(TB_SETBITMAPSIZE, 0, MAKELPARAM(images->Width(), images->Height()));
        Send(TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images ? images->Handle() : nullptr));
        InvalidateRect(Handle(), nullptr, TRUE);
    }
}

void TToolBar::SetDisabledImages(TImageList* images)
{
    disabledImages_ = images;
    Send(TB_SETDISABLEDIMAGELIST, 0, reinterpret_cast<LPARAM>(images ? images->Handle() : nullptr));
}

void TToolBar::SetHotImages(TImageList* images)
{
    hotImages_ = images;
    Send(TB_SETHOTIMAGELIST, 0, reinterpret_cast<LPARAM>(images ? images->Handle() : nullptr));
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
    Send(TB_SETINDENT, static_cast<WPARAM>(indent_));
}

void TToolBar::SetShowToolTips(bool on)
{
    showTips_ = on;
    RestyleWindow();
}

void TToolBar::SetDoubleBuffered(bool on)
{
    doubleBuffered_ = on;
    Send(TB_SETEXTENDEDSTYLE, TBSTYLE_EX_DOUBLEBUFFER, on ? TBSTYLE_EX_DOUBLEBUFFER : 0);
}

SIZE TToolBar::ButtonSize() const
{
    const DWORD v = static_cast<DWORD>(Send(TB_GETBUTTONSIZE));
    return SIZE{LOWORD(v), HIWORD(v)};
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
        if (hdr.hwndFrom != h && hdr.hwndFrom != reinterpret_cast<HWND>(Send(TB_GETTOOLTIPS)))
            return false;
        TToolButton* b = FindButton(static_cast<int>(hdr.idFrom));
        if (!b)
            return false;
        if (hdr.code == TTN_GETDISPINFOA) {
            reinterpret_cast<NMTTDISPINFOA&>(hdr).lpszText = b->text_.data();
        } else {
            auto& info = reinterpret_cast<NMTTDISPINFOW&>(hdr);
            int n = MultiByteToWideChar(CP_ACP, 0, b->text_.c_str(), -1, info.szText, 80);
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
