#pragma once
// Base of the bars (tool bar, status bar): a control of the system's common
// controls on any parent window, a form's or a plain control's. Its values
// are kept in the object, so they can be set before the window exists; the
// window is made on first use of Handle() once the parent is known, and
// forgotten when the system destroys it with its parent. The control's
// WM_COMMAND and WM_NOTIFY go to the parent, which hands them on with
// ParentMessage. Windows only; GUI thread only.
#include <windows.h>

namespace vellumo {

class TCommonControl {
public:
    TCommonControl(const TCommonControl&) = delete;
    TCommonControl& operator=(const TCommonControl&) = delete;
    virtual ~TCommonControl();

    HWND ParentWindow() const noexcept { return parent_; }
    void SetParentWindow(HWND parent);
    // The window, made on first use; nullptr while the parent is unknown.
    HWND Handle();
    bool HandleAllocated() const noexcept { return handle_ != nullptr; }
    void HandleNeeded() { Handle(); }
    void DestroyHandle();

    // The place in the parent: the window's own once it exists (a bar may
    // place itself).
    RECT BoundsRect() const;
    int Left() const { return BoundsRect().left; }
    int Top() const { return BoundsRect().top; }
    int Width() const;
    int Height() const;
    void SetBounds(int left, int top, int width, int height);

    bool Visible() const noexcept { return visible_; }
    void SetVisible(bool on);
    // The window exists and is on screen (its parents shown too).
    bool Showing() const;
    // Invalidates the whole window, frame included, and paints it now.
    void Repaint();

    // A WM_COMMAND or WM_NOTIFY the parent received; true when it came from
    // this control (or a window of its own, such as its tool tips) and was
    // handled, with the result set.
    bool ParentMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

protected:
    TCommonControl(int width, int height) : width_(width), height_(height) {}
    virtual const char* WindowClass() const = 0;
    // The style bits of the class; WS_CHILD and WS_VISIBLE are added.
    virtual DWORD ControlStyle() const = 0;
    // The window is made: push the values kept in the object.
    virtual void Created() {}
    virtual void Command(WPARAM wParam) { (void)wParam; }
    virtual bool NotifyMessage(NMHDR& hdr, LRESULT& result)
    {
        (void)hdr;
        (void)result;
        return false;
    }
    // A message of the control's own window before the system's procedure;
    // true when handled, with the result set. CallDefault runs the system's
    // procedure from here.
    virtual bool OwnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
    {
        (void)msg;
        (void)wParam;
        (void)lParam;
        (void)result;
        return false;
    }
    LRESULT CallDefault(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT Send(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const;
    // Gives the window the class style bits of ControlStyle again.
    void RestyleWindow();

private:
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                         DWORD_PTR self);

    HWND parent_ = nullptr;
    HWND handle_ = nullptr;
    int left_ = 0, top_ = 0, width_, height_;
    bool visible_ = true;
};

} // namespace vellumo
