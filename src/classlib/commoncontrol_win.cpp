#include "classlib/commoncontrol_win.h"

#include <commctrl.h>

#include <stdexcept>
#include <string>

#include "base/showmsg.h"

namespace vellumo {

namespace {

constexpr UINT_PTR kSubclassId = 0x5642;  // "VB"

} // namespace

TCommonControl::~TCommonControl() { DestroyHandle(); }

void TCommonControl::SetParentWindow(HWND parent)
{
    parent_ = parent;
    if (handle_ && parent) SetParent(handle_, parent);
}

HWND TCommonControl::Handle()
{
    if (handle_ || !parent_) return handle_;
    const DWORD style = WS_CHILD | (visible_ ? WS_VISIBLE : 0) | ControlStyle();
    HWND h = CreateWindowExA(0, WindowClass(), "", style, left_, top_, width_, height_, parent_, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
    if (!h) throw std::runtime_error(std::string("cannot create control of class ") + WindowClass());
    handle_ = h;
    SetWindowSubclass(h, &TCommonControl::SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
    Created();
    return handle_;
}

void TCommonControl::DestroyHandle()
{
    if (!handle_) return;
    HWND h = handle_;
    handle_ = nullptr;
    RemoveWindowSubclass(h, &TCommonControl::SubclassProc, kSubclassId);
    DestroyWindow(h);
}

LRESULT CALLBACK TCommonControl::SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                              DWORD_PTR self)
{
    auto* c = reinterpret_cast<TCommonControl*>(self);
    if (msg == WM_NCDESTROY) {
        // Gone with its parent: the object must not use the handle again.
        RemoveWindowSubclass(hwnd, &TCommonControl::SubclassProc, kSubclassId);
        if (c->handle_ == hwnd) c->handle_ = nullptr;
        return DefSubclassProc(hwnd, msg, wParam, lParam);
    }
    LRESULT result = 0;
    bool handled = false;
    if (!ReportFailures([&] { handled = c->OwnMessage(msg, wParam, lParam, result); })) return 0;
    return handled ? result : DefSubclassProc(hwnd, msg, wParam, lParam);
}

LRESULT TCommonControl::CallDefault(UINT msg, WPARAM wParam, LPARAM lParam)
{
    return handle_ ? DefSubclassProc(handle_, msg, wParam, lParam) : 0;
}

LRESULT TCommonControl::Send(UINT msg, WPARAM wParam, LPARAM lParam) const
{
    return handle_ ? SendMessageA(handle_, msg, wParam, lParam) : 0;
}

RECT TCommonControl::BoundsRect() const
{
    RECT r{left_, top_, left_ + width_, top_ + height_};
    if (handle_ && GetWindowRect(handle_, &r))
        MapWindowPoints(nullptr, GetParent(handle_), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

int TCommonControl::Width() const
{
    const RECT r = BoundsRect();
    return r.right - r.left;
}

int TCommonControl::Height() const
{
    const RECT r = BoundsRect();
    return r.bottom - r.top;
}

void TCommonControl::SetBounds(int left, int top, int width, int height)
{
    left_ = left;
    top_ = top;
    width_ = width < 0 ? 0 : width;
    height_ = height < 0 ? 0 : height;
    if (handle_) SetWindowPos(handle_, nullptr, left_, top_, width_, height_, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TCommonControl::SetVisible(bool on)
{
    visible_ = on;
    if (handle_) ShowWindow(handle_, on ? SW_SHOWNA : SW_HIDE);
}

bool TCommonControl::Showing() const { return handle_ && IsWindowVisible(handle_); }

void TCommonControl::Repaint()
{
    if (handle_) RedrawWindow(handle_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
}

bool TCommonControl::ParentMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (!handle_ || !lParam) return false;
    if (msg == WM_COMMAND) {
        if (reinterpret_cast<HWND>(lParam) != handle_) return false;
        Command(wParam);
        result = 0;
        return true;
    }
    if (msg == WM_NOTIFY) return NotifyMessage(*reinterpret_cast<NMHDR*>(lParam), result);
    return false;
}

void TCommonControl::RestyleWindow()
{
    if (!handle_) return;
    LONG_PTR style = GetWindowLongPtrA(handle_, GWL_STYLE);
    style = (style & ~static_cast<LONG_PTR>(0xFFFF)) | (ControlStyle() & 0xFFFF);
    SetWindowLongPtrA(handle_, GWL_STYLE, style);
    InvalidateRect(handle_, nullptr, TRUE);
}

} // namespace vellumo
