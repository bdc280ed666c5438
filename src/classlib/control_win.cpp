#include "classlib/control_win.h"

#include <windowsx.h>

#include <exception>
#include <memory>
#include <stdexcept>

#include "classlib/menu_win.h"
#include "classlib/screen_win.h"
#include "base/showmsg.h"

namespace vellumo {

// The canvas of a window: between paints it takes the window's context on
// demand and gives it back when the outermost message handler returns.
class TControlCanvas : public TCanvas {
public:
    explicit TControlCanvas(TCustomControl& control) : control_(control) {}
    ~TControlCanvas() override { SetHandle(nullptr); }

    void ReleaseOwn()
    {
        if (own_)
            SetHandle(nullptr);
    }

protected:
    void CreateHandle() override
    {
        if (!control_.handle_)
            return;
        HDC dc = GetDC(control_.handle_);
        if (dc) {
            own_ = true;
            window_ = control_.handle_;
            AttachHandle(dc);
        }
    }

    void ReleaseHandle() override
    {
        if (own_) {
            own_ = false;
            ReleaseDC(window_, Handle());
        }
    }

private:
    TCustomControl& control_;
    HWND window_ = nullptr;
    bool own_ = false;
};

namespace {

int g_caught = 0;
bool g_reporting = false;

void ReportException(const char* what)
{
    ++g_caught;
    // A report that itself runs messages (a modal box) must not stack up
    // further boxes when the same handler fails again meanwhile.
    if (g_reporting)
        return;
    g_reporting = true;
    ShowMsg(what && *what ? what : "Internal error", kMsgCaption, kMsgIconError);
    g_reporting = false;
}

const TMessage kNoMessage{0, 0, 0, 0};

} // namespace

TShiftState KeyboardShiftState()
{
    TShiftState s = 0;
    if (GetKeyState(VK_SHIFT) < 0)
        s |= ssShift;
    if (GetKeyState(VK_CONTROL) < 0)
        s |= ssCtrl;
    if (GetKeyState(VK_MENU) < 0)
        s |= ssAlt;
    return s;
}

TShiftState MouseShiftState(WPARAM keys)
{
    TShiftState s = 0;
    if (keys & MK_SHIFT)
        s |= ssShift;
    if (keys & MK_CONTROL)
        s |= ssCtrl;
    if (keys & MK_LBUTTON)
        s |= ssLeft;
    if (keys & MK_RBUTTON)
        s |= ssRight;
    if (keys & MK_MBUTTON)
        s |= ssMiddle;
    if (GetKeyState(VK_MENU) < 0)
        s |= ssAlt;
    return s;
}

int TCustomControl::CaughtExceptions() { return g_caught; }

TCustomControl::TCustomControl()
{
    Screen();  // measures the screen (points to pixels) before fonts are made
    font_.OnChange = [this] {
        if (!destroying_)
            FontChanged();
    };
}

TCustomControl::~TCustomControl()
{
    destroying_ = true;
    DestroyHandle();
    delete canvas_;
}

const TMessage& TCustomControl::CurrentMessage() const { return current_ ? *current_ : kNoMessage; }

void TCustomControl::CreateParams(TCreateParams& p)
{
    p.ClassName = "TCustomControl";
    p.Style = WS_CLIPCHILDREN | (parent_ ? (WS_CHILD | WS_CLIPSIBLINGS) : WS_POPUP);
    if (visible_)
        p.Style |= WS_VISIBLE;
    if (!enabled_)
        p.Style |= WS_DISABLED;
    if (tabStop_)
        p.Style |= WS_TABSTOP;
    p.X = left_;
    p.Y = top_;
    p.Width = width_;
    p.Height = height_;
    p.Parent = parent_;
}

void TCustomControl::RegisterClassOnce(const TCreateParams& p)
{
    HINSTANCE inst = GetModuleHandleA(nullptr);
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    if (GetClassInfoExA(inst, p.ClassName.c_str(), &wc)) {
        if (wc.lpfnWndProc != &StaticWndProc)
            throw std::runtime_error("window class " + p.ClassName + " belongs to another procedure");
        return;
    }
    wc = WNDCLASSEXA{};
    wc.cbSize = sizeof wc;
    wc.style = p.WindowClassStyle;
    wc.lpfnWndProc = &StaticWndProc;
    wc.hInstance = inst;
    wc.lpszClassName = p.ClassName.c_str();
    // No class cursor or brush: WM_SETCURSOR and WM_ERASEBKGND decide.
    if (!RegisterClassExA(&wc))
        throw std::runtime_error("cannot register window class " + p.ClassName);
}

void TCustomControl::CreateHandle()
{
    TCreateParams p;
    CreateParams(p);
    RegisterClassOnce(p);
    HWND h = CreateWindowExA(p.ExStyle, p.ClassName.c_str(), p.Caption.c_str(), p.Style, p.X, p.Y, p.Width,
                             p.Height, p.Parent, nullptr, GetModuleHandleA(nullptr), this);
    if (!h) {
        handle_ = nullptr;  // set during WM_NCCREATE, gone again
        throw std::runtime_error("cannot create window of class " + p.ClassName);
    }
    handle_ = h;
}

HWND TCustomControl::Handle()
{
    if (!handle_ && !destroying_)
        CreateHandle();
    return handle_;
}

void TCustomControl::DestroyHandle()
{
    if (!handle_)
        return;
    StoreBounds();
    if (canvas_)
        canvas_->SetHandle(nullptr);
    HWND h = handle_;
    DestroyWindow(h);
    handle_ = nullptr;
}

void TCustomControl::RecreateWnd()
{
    if (!handle_)
        return;
    DestroyHandle();
    Handle();
}

void TCustomControl::SetParentWindow(HWND parent)
{
    if (parent == parent_)
        return;
    bool had = handle_ != nullptr;
    DestroyHandle();
    parent_ = parent;
    if (had)
        Handle();
}

void TCustomControl::StoreBounds()
{
    if (!handle_)
        return;
    RECT r;
    if (!GetWindowRect(handle_, &r))
        return;
    if (parent_)
        MapWindowPoints(nullptr, parent_, reinterpret_cast<POINT*>(&r), 2);
    left_ = r.left;
    top_ = r.top;
    width_ = r.right - r.left;
    height_ = r.bottom - r.top;
}

void TCustomControl::SetBounds(int left, int top, int width, int height)
{
    left_ = left;
    top_ = top;
    width_ = width < 0 ? 0 : width;
    height_ = height < 0 ? 0 : height;
    if (handle_)
        SetWindowPos(handle_, nullptr, left_, top_, width_, height_, SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT TCustomControl::ClientRect()
{
    RECT r{0, 0, width_, height_};
    if (handle_)
        GetClientRect(handle_, &r);
    return r;
}

void TCustomControl::SetVisible(bool visible)
{
    visible_ = visible;
    if (handle_)
        ShowWindow(handle_, visible ? SW_SHOWNA : SW_HIDE);
}

bool TCustomControl::Showing() const
{
    return paintingTo_ || (handle_ && IsWindowVisible(handle_));
}

void TCustomControl::SetEnabled(bool enabled)
{
    enabled_ = enabled;
    if (handle_)
        EnableWindow(handle_, enabled);
}

bool TCustomControl::Focused() const { return handle_ && GetFocus() == handle_; }

void TCustomControl::SetFocus()
{
    if (HWND h = Handle())
        ::SetFocus(h);
}

void TCustomControl::SetColor(TColor color)
{
    if (color == color_)
        return;
    color_ = color;
    ColorChanged();
}

void TCustomControl::SetCursor(TCursor cursor)
{
    if (cursor == cursor_)
        return;
    cursor_ = cursor;
    if (!handle_ || Screen().Cursor() != crDefault)
        return;
    // Show it at once when the pointer is over the client area.
    POINT p;
    if (GetCursorPos(&p) && WindowFromPoint(p) == handle_) {
        ScreenToClient(handle_, &p);
        RECT r;
        GetClientRect(handle_, &r);
        if (PtInRect(&r, p))
            ::SetCursor(Screen().Cursors(cursor_));
    }
}

bool TCustomControl::MouseCaptured() const { return handle_ && GetCapture() == handle_; }

void TCustomControl::SetMouseCapture(bool on)
{
    if (on) {
        if (HWND h = Handle())
            SetCapture(h);
    } else if (MouseCaptured()) {
        ReleaseCapture();
    }
}

TCanvas& TCustomControl::Canvas()
{
    if (!canvas_)
        canvas_ = new TControlCanvas(*this);
    return *canvas_;
}

void TCustomControl::Invalidate()
{
    if (handle_)
        ::InvalidateRect(handle_, nullptr, TRUE);
}

void TCustomControl::InvalidateRect(const RECT& r, bool erase)
{
    if (handle_)
        ::InvalidateRect(handle_, &r, erase);
}

void TCustomControl::Update()
{
    if (handle_)
        UpdateWindow(handle_);
}

void TCustomControl::Repaint()
{
    Invalidate();
    Update();
}

LRESULT TCustomControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam)
{
    return Dispatch(msg, wParam, lParam);
}

void TCustomControl::PaintTo(HDC dc, int x, int y)
{
    if (!dc)
        return;
    TCanvas& canvas = Canvas();
    canvas.SetHandle(nullptr);
    int saved = SaveDC(dc);
    POINT oldOrg;
    OffsetViewportOrgEx(dc, x, y, &oldOrg);
    RECT r = ClientRect();
    IntersectClipRect(dc, 0, 0, r.right, r.bottom);
    struct TRestore {
        TCustomControl& c;
        HDC dc;
        int saved;
        ~TRestore()
        {
            c.paintingTo_ = false;
            c.Canvas().SetHandle(nullptr);
            RestoreDC(dc, saved);
        }
    } restore{*this, dc, saved};
    paintingTo_ = true;
    canvas.SetHandle(dc);
    Paint();
}

// ---- dispatch

LRESULT CALLBACK TCustomControl::StaticWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    TCustomControl* self;
    if (msg == WM_NCCREATE) {
        auto cs = reinterpret_cast<CREATESTRUCTA*>(lParam);
        self = static_cast<TCustomControl*>(cs->lpCreateParams);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        if (self)
            self->handle_ = hwnd;
    } else {
        self = reinterpret_cast<TCustomControl*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    }
    if (!self || self->destroying_ || self->handle_ != hwnd) {
        if (msg == WM_NCDESTROY)
            SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
    LRESULT result = 0;
    try {
        result = self->Dispatch(msg, wParam, lParam);
    } catch (const std::exception& e) {
        ReportException(e.what());
    } catch (...) {
        ReportException(nullptr);
    }
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        if (self->canvas_)
            self->canvas_->SetHandle(nullptr);
        self->handle_ = nullptr;
    }
    return result;
}

LRESULT TCustomControl::Dispatch(UINT msg, WPARAM wParam, LPARAM lParam)
{
    TMessage m{msg, wParam, lParam, 0};
    TMessage* outer = current_;
    current_ = &m;
    ++depth_;
    struct TLeave {
        TCustomControl& c;
        TMessage* outer;
        ~TLeave()
        {
            c.current_ = outer;
            if (--c.depth_ == 0 && c.canvas_)
                c.canvas_->ReleaseOwn();
        }
    } leave{*this, outer};
    WndProc(m);
    return m.Result;
}

void TCustomControl::DefaultHandler(TMessage& m)
{
    m.Result = handle_ ? DefWindowProcA(handle_, m.Msg, m.WParam, m.LParam) : 0;
}

void TCustomControl::PaintMessage(TMessage& m)
{
    TCanvas& canvas = Canvas();
    canvas.SetHandle(nullptr);
    if (m.Msg == WM_PRINTCLIENT) {
        auto dc = reinterpret_cast<HDC>(m.WParam);
        if (dc)
            PaintTo(dc, 0, 0);
        return;
    }
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(handle_, &ps);
    struct TEnd {
        TCustomControl& c;
        PAINTSTRUCT& ps;
        ~TEnd()
        {
            c.Canvas().SetHandle(nullptr);
            EndPaint(c.handle_, &ps);
        }
    } end{*this, ps};
    if (!dc)
        return;
    canvas.SetHandle(dc);
    Paint();
}

void TCustomControl::MouseButtonMessage(TMessage& m, TMouseButton button, bool down, bool dbl)
{
    int x = GET_X_LPARAM(m.LParam), y = GET_Y_LPARAM(m.LParam);
    TShiftState shift = MouseShiftState(m.WParam);
    if (down) {
        if (captureMouse_ && GetCapture() != handle_)
            SetCapture(handle_);
        if (button == mbLeft)
            clickPending_ = !dbl;
        if (dbl) {
            shift |= ssDouble;
            if (button == mbLeft)
                DblClick();
        }
        MouseDown(button, shift, x, y);
    } else {
        bool click = button == mbLeft && clickPending_;
        if (button == mbLeft)
            clickPending_ = false;
        if (captureMouse_ && GetCapture() == handle_ && !(m.WParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)))
            ReleaseCapture();
        if (click) {
            RECT r;
            GetClientRect(handle_, &r);
            POINT p{x, y};
            if (PtInRect(&r, p))
                Click();
        }
        MouseUp(button, shift, x, y);
    }
    DefaultHandler(m);
}

bool TCustomControl::SetCursorMessage(TMessage& m)
{
    if (reinterpret_cast<HWND>(m.WParam) != handle_ || LOWORD(m.LParam) != HTCLIENT)
        return false;
    TCursor c = Screen().Cursor() != crDefault ? Screen().Cursor() : cursor_;
    ::SetCursor(Screen().Cursors(c));
    m.Result = TRUE;
    return true;
}

bool TCustomControl::ContextPopup(POINT p, bool keyboard)
{
    if (!popupMenu_ || !handle_)
        return false;
    if (keyboard) {
        POINT c{0, 0};
        if (Focused() && GetCaretPos(&c)) {
            RECT r;
            GetClientRect(handle_, &r);
            if (!PtInRect(&r, c))
                c = POINT{0, 0};
        }
        ClientToScreen(handle_, &c);
        p = c;
    }
    popupMenu_->Popup(p.x, p.y, handle_);
    return true;
}

void TCustomControl::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case WM_PAINT:
    case WM_PRINTCLIENT:
        PaintMessage(m);
        return;
    case WM_ERASEBKGND:
        if (color_ != clNone) {
            RECT r;
            GetClientRect(handle_, &r);
            HBRUSH b = CreateSolidBrush(ColorToRGB(color_));
            ::FillRect(reinterpret_cast<HDC>(m.WParam), &r, b);
            DeleteObject(b);
        }
        m.Result = 1;
        return;
    case WM_SIZE:
        DefaultHandler(m);
        StoreBounds();
        Resize();
        return;
    case WM_MOVE:
        DefaultHandler(m);
        StoreBounds();
        return;
    case WM_SHOWWINDOW:
        DefaultHandler(m);
        // An owner being minimized or restored hides and shows the window
        // without changing whether it is meant to be visible.
        if (m.LParam == 0)
            visible_ = m.WParam != 0;
        return;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP: {
        unsigned key = static_cast<unsigned>(m.WParam);
        TShiftState shift = KeyboardShiftState();
        if (m.Msg == WM_KEYDOWN || m.Msg == WM_SYSKEYDOWN)
            KeyDown(key, shift);
        else
            KeyUp(key, shift);
        if (key != 0)
            DefaultHandler(m);
        return;
    }
    case WM_CHAR: {
        char c = static_cast<char>(m.WParam & 0xFF);
        KeyPress(c);
        if (c != 0) {
            m.WParam = static_cast<unsigned char>(c);
            DefaultHandler(m);
        }
        return;
    }
    case WM_LBUTTONDOWN: MouseButtonMessage(m, mbLeft, true, false); return;
    case WM_LBUTTONDBLCLK: MouseButtonMessage(m, mbLeft, true, true); return;
    case WM_LBUTTONUP: MouseButtonMessage(m, mbLeft, false, false); return;
    case WM_RBUTTONDOWN: MouseButtonMessage(m, mbRight, true, false); return;
    case WM_RBUTTONDBLCLK: MouseButtonMessage(m, mbRight, true, true); return;
    case WM_RBUTTONUP: MouseButtonMessage(m, mbRight, false, false); return;
    case WM_MBUTTONDOWN: MouseButtonMessage(m, mbMiddle, true, false); return;
    case WM_MBUTTONDBLCLK: MouseButtonMessage(m, mbMiddle, true, true); return;
    case WM_MBUTTONUP: MouseButtonMessage(m, mbMiddle, false, false); return;
    case WM_MOUSEMOVE:
        MouseMove(MouseShiftState(m.WParam), GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam));
        DefaultHandler(m);
        return;
    case WM_MOUSEWHEEL: {
        POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
        if (MouseWheel(MouseShiftState(GET_KEYSTATE_WPARAM(m.WParam)), GET_WHEEL_DELTA_WPARAM(m.WParam), p))
            m.Result = 0;
        else
            DefaultHandler(m);
        return;
    }
    case WM_SETFOCUS:
        DefaultHandler(m);
        DoEnter();
        return;
    case WM_KILLFOCUS:
        DefaultHandler(m);
        DoExit();
        return;
    case WM_CAPTURECHANGED:
        DefaultHandler(m);
        CaptureChanged();
        return;
    case WM_TIMER:
        if (m.LParam == 0) {
            Timer(static_cast<UINT_PTR>(m.WParam));
            return;
        }
        break;
    case WM_HSCROLL:
    case WM_VSCROLL:
        if (m.LParam == 0) {  // the window's own scroll bars
            Scroll(m.Msg == WM_HSCROLL ? SB_HORZ : SB_VERT, LOWORD(m.WParam), HIWORD(m.WParam));
            return;
        }
        break;
    case WM_SETCURSOR:
        if (SetCursorMessage(m))
            return;
        break;
    case WM_CONTEXTMENU:
        if (reinterpret_cast<HWND>(m.WParam) == handle_) {
            bool keyboard = m.LParam == -1;
            POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
            if (ContextPopup(p, keyboard))
                return;
        }
        break;
    case WM_ENABLE:
        enabled_ = m.WParam != 0;
        break;
    default:
        if ((m.Msg >= WM_IME_STARTCOMPOSITION && m.Msg <= WM_IME_KEYLAST) ||
            (m.Msg >= WM_IME_SETCONTEXT && m.Msg <= WM_IME_KEYUP) || m.Msg == WM_IME_CHAR) {
            if (ImeMessage(m))
                return;
        }
        break;
    }
    DefaultHandler(m);
}

void TCustomControl::Resize()
{
    if (OnResize)
        OnResize();
}

void TCustomControl::KeyDown(unsigned& key, TShiftState shift)
{
    if (OnKeyDown)
        OnKeyDown(key, shift);
}

void TCustomControl::KeyUp(unsigned& key, TShiftState shift)
{
    if (OnKeyUp)
        OnKeyUp(key, shift);
}

void TCustomControl::KeyPress(char& key)
{
    if (OnKeyPress)
        OnKeyPress(key);
}

void TCustomControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (OnMouseDown)
        OnMouseDown(button, shift, x, y);
}

void TCustomControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (OnMouseUp)
        OnMouseUp(button, shift, x, y);
}

void TCustomControl::MouseMove(TShiftState shift, int x, int y)
{
    if (OnMouseMove)
        OnMouseMove(shift, x, y);
}

bool TCustomControl::MouseWheel(TShiftState, int, POINT) { return false; }

void TCustomControl::Click()
{
    if (OnClick)
        OnClick();
}

void TCustomControl::DblClick()
{
    if (OnDblClick)
        OnDblClick();
}

void TCustomControl::DoEnter()
{
    if (OnEnter)
        OnEnter();
}

void TCustomControl::DoExit()
{
    if (OnExit)
        OnExit();
}

} // namespace vellumo
