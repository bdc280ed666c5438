#include "classlib/urllabel_win.h"

#include <shellapi.h>
#include <windowsx.h>

#include "base/showmsg.h"
#include "classlib/canvas_win.h"
#include "classlib/screen_win.h"

namespace vellumo {

namespace {
const char* const kLabelProp = "VellumoURLLabel";
}

namespace URLLabel {

TURLLabel::TURLLabel(TForm& form, const std::string& caption) : TLabel(form, caption) {}

TURLLabel::~TURLLabel()
{
    if (HandleAllocated() && oldProc_) {
        SetWindowLongPtrA(Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(oldProc_));
        RemovePropA(Handle(), kLabelProp);
    }
}

void TURLLabel::Created()
{
    TLabel::Created();
    SetPropA(Handle(), kLabelProp, this);
    oldProc_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc)));
}

void TURLLabel::Recolor(bool changed)
{
    if (changed && HandleAllocated()) InvalidateRect(Handle(), nullptr, TRUE);
}

void TURLLabel::SetHotTrack(bool on)
{
    if (on == colors_.HotTrack) return;
    colors_.HotTrack = on;
    Recolor(true);
}

void TURLLabel::SetHotColor(TColor color)
{
    if (color == colors_.HotColor) return;
    colors_.HotColor = color;
    Recolor(true);
}

void TURLLabel::SetPushedColor(TColor color)
{
    if (color == colors_.PushedColor) return;
    colors_.PushedColor = color;
    Recolor(true);
}

void TURLLabel::SetFontColor(TColor color)
{
    const TColor before = colors_.Color();
    colors_.SetNormal(color);
    Recolor(colors_.Color() != before);
}

bool TURLLabel::DrawItem(const DRAWITEMSTRUCT& dis)
{
    RECT r = dis.rcItem;
    FillRect(dis.hDC, &r, GetSysColorBrush(COLOR_BTNFACE));
    auto font = reinterpret_cast<HFONT>(SendMessageA(dis.hwndItem, WM_GETFONT, 0, 0));
    HGDIOBJ old = font ? SelectObject(dis.hDC, font) : nullptr;
    SetBkMode(dis.hDC, TRANSPARENT);
    SetTextColor(dis.hDC, ColorToRGB(colors_.Color(), clWindowText));
    const std::string text = Caption();
    const UINT align = Alignment() == taCenter ? DT_CENTER : Alignment() == taRightJustify ? DT_RIGHT : DT_LEFT;
    DrawTextA(dis.hDC, text.c_str(), static_cast<int>(text.size()), &r,
              align | DT_SINGLELINE | DT_VCENTER | (ShowAccelChar() ? 0 : DT_NOPREFIX));
    if (old) SelectObject(dis.hDC, old);
    return true;
}

void TURLLabel::Mouse(UINT msg, LPARAM lParam)
{
    HWND h = Handle();
    switch (msg) {
    case WM_MOUSEMOVE:
        if (!tracking_) {
            TRACKMOUSEEVENT t{sizeof t, TME_LEAVE, h, 0};
            tracking_ = TrackMouseEvent(&t) != FALSE;
            Recolor(colors_.Enter());
        }
        break;
    case WM_MOUSELEAVE:
        tracking_ = false;
        Recolor(colors_.Leave());
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        pressed_ = msg == WM_LBUTTONDOWN;
        SetCapture(h);
        Recolor(colors_.Down());
        if (executable_) {
            const std::string target = Caption();
            if (OnExecute)
                OnExecute(target);
            else
                ShellExecuteA(GetParent(h), "OPEN", target.c_str(), "", "", SW_SHOW);
        }
        break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
        if (GetCapture() == h) ReleaseCapture();
        RECT r;
        GetClientRect(h, &r);
        const bool inside = PtInRect(&r, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}) != FALSE;
        Recolor(colors_.Up(inside));
        const bool click = pressed_ && inside && msg == WM_LBUTTONUP;
        pressed_ = false;
        if (click) Clicked();
        break;
    }
    default: break;
    }
}

LRESULT CALLBACK TURLLabel::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* self = static_cast<TURLLabel*>(GetPropA(hwnd, kLabelProp));
    if (!self || !self->oldProc_) return DefWindowProcA(hwnd, msg, wParam, lParam);
    WNDPROC old = self->oldProc_;
    switch (msg) {
    case WM_SETCURSOR:
        ::SetCursor(Screen().Cursors(crHandPoint));
        return TRUE;
    case WM_MOUSEMOVE:
    case WM_MOUSELEAVE:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
        const LRESULT r = CallWindowProcA(old, hwnd, msg, wParam, lParam);
        ReportFailures([&] { self->Mouse(msg, lParam); });
        return r;
    }
    case WM_NCDESTROY:
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
        RemovePropA(hwnd, kLabelProp);
        self->oldProc_ = nullptr;
        break;
    default: break;
    }
    return CallWindowProcA(old, hwnd, msg, wParam, lParam);
}

} // namespace URLLabel

} // namespace vellumo
