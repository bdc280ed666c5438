#pragma once
// Base of the program's window controls: owns its window, registers its
// window class under the name the derived class gives, and turns messages
// into calls of virtual handlers. No C++ exception leaves the window
// procedure: it is caught there and reported with ShowMsg. Windows only;
// GUI thread only.
#include <windows.h>

#include <functional>
#include <string>

#include "classlib/canvas_win.h"
#include "base/color.h"
#include "classlib/cursorindex.h"
#include "classlib/font.h"

namespace vellumo {

class TPopupMenu;

struct TMessage {
    UINT Msg;
    WPARAM WParam;
    LPARAM LParam;
    LRESULT Result;
};

using TShiftState = unsigned;
constexpr TShiftState ssShift = 1;
constexpr TShiftState ssAlt = 2;
constexpr TShiftState ssCtrl = 4;
constexpr TShiftState ssLeft = 8;
constexpr TShiftState ssRight = 16;
constexpr TShiftState ssMiddle = 32;
constexpr TShiftState ssDouble = 64;

enum TMouseButton { mbLeft, mbRight, mbMiddle };

struct TCreateParams {
    std::string ClassName;   // the window class, registered on first use
    std::string Caption;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    UINT WindowClassStyle = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    int X = 0, Y = 0, Width = 0, Height = 0;
    HWND Parent = nullptr;
};

// csLoading from Loading() to Loaded(): the properties are being set in one
// go, and a control leaves what they set off until Loaded.
enum TComponentStateFlag : unsigned { csLoading = 1 };
using TComponentState = unsigned;

// Shift state of the keyboard now (Shift, Ctrl, Alt).
TShiftState KeyboardShiftState();
// Shift state of a mouse message's key flags, plus Alt from the keyboard.
TShiftState MouseShiftState(WPARAM keyFlags);

class TCustomControl {
public:
    TCustomControl();
    TCustomControl(const TCustomControl&) = delete;
    TCustomControl& operator=(const TCustomControl&) = delete;
    virtual ~TCustomControl();

    // The window, created on first use.
    HWND Handle();
    bool HandleAllocated() const { return handle_ != nullptr; }
    void HandleNeeded() { Handle(); }
    void DestroyHandle();
    // Destroys and creates the window again (after a style change).
    void RecreateWnd();

    // A parent window makes a child control; without one the control is a
    // pop-up window of its own (what the tests use, hidden).
    HWND ParentWindow() const { return parent_; }
    void SetParentWindow(HWND parent);
    void SetParent(TCustomControl* parent) { SetParentWindow(parent ? parent->Handle() : nullptr); }

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetBounds(int left, int top, int width, int height);
    void SetWidth(int width) { SetBounds(left_, top_, width, height_); }
    void SetHeight(int height) { SetBounds(left_, top_, width_, height); }
    RECT ClientRect();
    int ClientWidth() { RECT r = ClientRect(); return r.right; }
    int ClientHeight() { RECT r = ClientRect(); return r.bottom; }

    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // The window exists and is visible on screen, or is being painted into
    // another device context by PaintTo.
    virtual bool Showing() const;
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool on) { tabStop_ = on; }

    bool Focused() const;
    void SetFocus();

    // Background colour (the erase); a change calls ColorChanged.
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    // The control's font; a change calls FontChanged.
    TFont& Font() { return font_; }

    // Shown over the client area unless the screen cursor is set.
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor cursor);

    TComponentState ComponentState() const { return componentState_; }
    void Loading() { componentState_ |= csLoading; }
    virtual void Loaded() { componentState_ &= ~csLoading; }

    // Shown on WM_CONTEXTMENU; not owned.
    TPopupMenu* PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(TPopupMenu* menu) { popupMenu_ = menu; }

    // The control captures the mouse while a button is held (default on).
    bool CaptureMouse() const { return captureMouse_; }
    void SetCaptureMouse(bool on) { captureMouse_ = on; }
    bool MouseCaptured() const;
    void SetMouseCapture(bool on);

    // Draws on the window: during WM_PAINT on the paint context (clipped
    // to the update region), otherwise on a context taken on demand and
    // released when the outermost message handler returns.
    TCanvas& Canvas();

    void Invalidate();
    void InvalidateRect(const RECT& r, bool erase = false);
    void Update();
    void Repaint();

    // Sends a message through the window procedure, exceptions included
    // (only window messages from the system are guarded).
    LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);

    // Paints the client area into another context at (x, y), also for a
    // hidden window (for images and tests).
    void PaintTo(HDC dc, int x, int y);

    // The message being handled (for handlers that need its raw data, such
    // as the repeat bit of a key).
    const TMessage& CurrentMessage() const;

    std::function<void()> OnEnter, OnExit, OnResize, OnClick, OnDblClick;
    std::function<void(unsigned& key, TShiftState shift)> OnKeyDown, OnKeyUp;
    std::function<void(char& key)> OnKeyPress;
    std::function<void(TMouseButton button, TShiftState shift, int x, int y)> OnMouseDown, OnMouseUp;
    std::function<void(TShiftState shift, int x, int y)> OnMouseMove;

    // How many exceptions the window procedures caught (for tests and logs).
    static int CaughtExceptions();

protected:
    // Derived classes set ClassName and adjust styles, calling the base first.
    virtual void CreateParams(TCreateParams& params);
    // Makes the window; a derived class calls the base, then sets up what
    // needs the window.
    virtual void CreateHandle();

    // The dispatcher: a derived class may filter and must call the base for
    // what it does not handle.
    virtual void WndProc(TMessage& msg);
    // Messages no handler took: the system's default processing.
    virtual void DefaultHandler(TMessage& msg);

    virtual void Paint() {}
    virtual void Resize();
    // Setting the key (or character) to 0 stops the default processing.
    virtual void KeyDown(unsigned& key, TShiftState shift);
    virtual void KeyUp(unsigned& key, TShiftState shift);
    virtual void KeyPress(char& key);
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    // Wheel turned by delta (WHEEL_DELTA units; positive away from the user)
    // at a screen point; true when handled.
    virtual bool MouseWheel(TShiftState shift, int delta, POINT screen);
    virtual void Click();
    virtual void DblClick();
    virtual void DoEnter();
    virtual void DoExit();
    // WM_TIMER without a callback.
    virtual void Timer(UINT_PTR id) { (void)id; }
    // WM_HSCROLL (SB_HORZ) and WM_VSCROLL (SB_VERT): code and 16-bit position.
    virtual void Scroll(int bar, int code, int pos) { (void)bar; (void)code; (void)pos; }
    // Input-method messages, raw; true when handled (Result set).
    virtual bool ImeMessage(TMessage& msg) { (void)msg; return false; }
    virtual void FontChanged() { Invalidate(); }
    virtual void ColorChanged() { Invalidate(); }
    // Shows PopupMenu at a screen point; a keyboard request (no point) uses
    // the caret's place, or the client area's top-left. True when shown.
    virtual bool ContextPopup(POINT screen, bool keyboard);
    // The capture was taken away (another window, or released).
    virtual void CaptureChanged() {}

private:
    friend class TControlCanvas;
    static LRESULT CALLBACK StaticWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT Dispatch(UINT msg, WPARAM wParam, LPARAM lParam);
    void RegisterClassOnce(const TCreateParams& params);
    void StoreBounds();
    void PaintMessage(TMessage& msg);
    void MouseButtonMessage(TMessage& msg, TMouseButton button, bool down, bool dbl);
    bool SetCursorMessage(TMessage& msg);

    HWND handle_ = nullptr;
    HWND parent_ = nullptr;
    TComponentState componentState_ = 0;
    int left_ = 0, top_ = 0, width_ = 100, height_ = 100;
    bool visible_ = true;
    bool enabled_ = true;
    bool tabStop_ = false;
    bool captureMouse_ = true;
    bool paintingTo_ = false;
    bool destroying_ = false;
    bool clickPending_ = false;
    TColor color_ = clBtnFace;
    TCursor cursor_ = crDefault;
    TFont font_;
    TPopupMenu* popupMenu_ = nullptr;
    class TControlCanvas* canvas_ = nullptr;
    TMessage* current_ = nullptr;
    int depth_ = 0;
};

} // namespace vellumo
