#include <gtest/gtest.h>

#include <windows.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "classlib/control_win.h"
#include "classlib/menu_win.h"
#include "classlib/screen_win.h"
#include "support/winsupport_win.h"

using namespace vellumo;
using namespace vellumo::testing;

namespace {

const bool kNoUnscriptedBoxes = (SetMsgSink(&UnexpectedMessage), SetBeepSink([](unsigned) {}), true);

std::string Str(const std::string& s) { return s; }
std::string Str(long long v) { return std::to_string(v); }
std::string Pos(long long x, long long y) { return Str(x) + "," + Str(y); }
// The parts joined by blanks.
template <class... T>
std::string Line(const T&... parts)
{
    std::string s;
    ((s += (s.empty() ? "" : " ") + Str(parts)), ...);
    return s;
}

// Records every handler call as a short line.
class TProbe : public TCustomControl {
public:
    explicit TProbe(const char* className = "TVellumoProbe") : className_(className)
    {
        SetVisible(false);
        SetBounds(10, 10, 200, 120);
    }
    ~TProbe() override { DestroyHandle(); }

    std::vector<std::string> log;
    bool throwInPaint = false;
    bool throwInKey = false;
    int paints = 0;
    RECT paintClip{};
    LPARAM keyData = 0;
    unsigned swallowKey = 0;

    using TCustomControl::Canvas;

protected:
    void CreateParams(TCreateParams& p) override
    {
        TCustomControl::CreateParams(p);
        p.ClassName = className_;
        p.WindowClassStyle &= ~static_cast<UINT>(CS_HREDRAW | CS_VREDRAW);
    }
    void Paint() override
    {
        ++paints;
        paintClip = Canvas().ClipRect();
        Canvas().Brush().SetColor(clLime);
        RECT r = ClientRect();
        Canvas().FillRect(r);
        if (throwInPaint)
            throw std::runtime_error("paint failed");
    }
    void Resize() override { log.push_back("size " + Str(ClientWidth()) + "x" + Str(ClientHeight())); }
    void KeyDown(unsigned& key, TShiftState shift) override
    {
        TCustomControl::KeyDown(key, shift);
        keyData = CurrentMessage().LParam;
        log.push_back(Line("down", key, shift));
        if (throwInKey)
            throw std::logic_error("key failed");
        if (key == swallowKey)
            key = 0;
    }
    void KeyUp(unsigned& key, TShiftState shift) override { log.push_back(Line("up", key, shift)); }
    void KeyPress(char& c) override { log.push_back(Line("char", static_cast<unsigned char>(c))); }
    void MouseDown(TMouseButton b, TShiftState s, int x, int y) override
    {
        log.push_back(Line("mdown", b, s, Pos(x, y)) + (MouseCaptured() ? " cap" : ""));
    }
    void MouseUp(TMouseButton b, TShiftState s, int x, int y) override { log.push_back(Line("mup", b, s, Pos(x, y))); }
    void MouseMove(TShiftState s, int x, int y) override { log.push_back(Line("move", s, Pos(x, y))); }
    bool MouseWheel(TShiftState s, int delta, POINT p) override
    {
        log.push_back(Line("wheel", s, delta, Pos(p.x, p.y)));
        return true;
    }
    void Click() override { log.push_back("click"); }
    void DblClick() override { log.push_back("dblclick"); }
    void DoEnter() override
    {
        TCustomControl::DoEnter();
        log.push_back("enter");
    }
    void DoExit() override
    {
        TCustomControl::DoExit();
        log.push_back("exit");
    }
    void Timer(UINT_PTR id) override { log.push_back(Line("timer", static_cast<long long>(id))); }
    void Scroll(int bar, int code, int pos) override { log.push_back(Line("scroll", bar, code, pos)); }
    bool ImeMessage(TMessage& m) override
    {
        log.push_back(Line("ime", m.Msg));
        if (m.Msg == WM_IME_REQUEST) {
            m.Result = 42;
            return true;
        }
        return false;
    }
    void FontChanged() override { log.push_back("font"); }
    void ColorChanged() override { log.push_back("color"); }
    void CaptureChanged() override { log.push_back("capture lost"); }

private:
    std::string className_;
};

std::string ClassNameOf(HWND h)
{
    char buf[64] = {};
    GetClassNameA(h, buf, sizeof buf);
    return buf;
}

TEST(Control, CreatesItsWindowOnDemandUnderTheGivenClassName)
{
    TProbe a("TVellumoProbeClass");
    EXPECT_FALSE(a.HandleAllocated());
    HWND h = a.Handle();
    ASSERT_TRUE(h);
    EXPECT_EQ(ClassNameOf(h), "TVellumoProbeClass");
    EXPECT_FALSE(IsWindowVisible(h));
    EXPECT_FALSE(a.Showing());
    // The class style the derived class asked for was registered.
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    ASSERT_TRUE(GetClassInfoExA(GetModuleHandleA(nullptr), "TVellumoProbeClass", &wc));
    EXPECT_EQ(wc.style & (CS_HREDRAW | CS_VREDRAW), 0u);
    EXPECT_TRUE(wc.style & CS_DBLCLKS);
    // A second control of the same class shares the registration.
    TProbe b("TVellumoProbeClass");
    EXPECT_TRUE(b.Handle());
    EXPECT_NE(b.Handle(), h);
    a.SetBounds(0, 0, 321, 99);
    EXPECT_EQ(a.ClientWidth(), 321);
    EXPECT_EQ(a.ClientHeight(), 99);
    EXPECT_EQ(a.log.back(), "size 321x99");

    a.DestroyHandle();
    EXPECT_FALSE(a.HandleAllocated());
    EXPECT_FALSE(IsWindow(h));
    EXPECT_EQ(a.Width(), 321);  // the bounds outlive the window
    a.RecreateWnd();            // nothing without a window
    EXPECT_FALSE(a.HandleAllocated());
    HWND h2 = a.Handle();
    b.RecreateWnd();
    EXPECT_TRUE(b.HandleAllocated());
    RECT r2;
    GetClientRect(h2, &r2);
    EXPECT_EQ(r2.right, 321);
}

TEST(Control, ChildWindowsFollowTheirParent)
{
    TProbe parent;
    TProbe child("TVellumoChild");
    child.SetVisible(true);
    child.SetParent(&parent);
    HWND c = child.Handle();
    ASSERT_TRUE(c);
    EXPECT_EQ(GetParent(c), parent.Handle());
    EXPECT_TRUE(GetWindowLongA(c, GWL_STYLE) & WS_CHILD);
    EXPECT_FALSE(child.Showing());  // the parent is hidden
    parent.Show();
    EXPECT_TRUE(child.Showing());
    parent.Hide();
    // Moving to another parent recreates the window there.
    TProbe other;
    child.SetParent(&other);
    EXPECT_TRUE(child.HandleAllocated());
    EXPECT_EQ(GetParent(child.Handle()), other.Handle());
    // Destroying the parent's window takes the child's with it.
    other.DestroyHandle();
    EXPECT_FALSE(child.HandleAllocated());
}

TEST(Control, DispatchesKeysCharsAndMouseToTheirHandlers)
{
    TProbe p;
    HWND h = p.Handle();
    int outside = 0;
    p.OnKeyDown = [&](unsigned& key, TShiftState) { outside += static_cast<int>(key); };
    SendMessageA(h, WM_KEYDOWN, VK_RIGHT, 0x40000001);
    EXPECT_EQ(p.log.back(), "down 39 0");
    EXPECT_EQ(p.keyData, 0x40000001);  // the repeat bit is readable
    EXPECT_EQ(outside, 39);
    SendMessageA(h, WM_KEYUP, VK_RIGHT, 0xC0000001);
    EXPECT_EQ(p.log.back(), "up 39 0");
    // Both bytes of a double-byte character arrive as two characters.
    SendMessageA(h, WM_CHAR, 0x82, 1);
    SendMessageA(h, WM_CHAR, 0xA0, 1);
    EXPECT_EQ(p.log[p.log.size() - 2], "char 130");
    EXPECT_EQ(p.log.back(), "char 160");

    p.log.clear();
    SendMessageA(h, WM_MOUSEMOVE, MK_SHIFT, MAKELPARAM(5, 6));
    SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, MAKELPARAM(7, 8));
    SendMessageA(h, WM_LBUTTONUP, MK_CONTROL, MAKELPARAM(7, 9));
    SendMessageA(h, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(7, 9));
    SendMessageA(h, WM_LBUTTONUP, 0, MAKELPARAM(7, 9));
    SendMessageA(h, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(-3, 4));  // negative client coordinates
    SendMessageA(h, WM_RBUTTONUP, 0, MAKELPARAM(-3, 4));
    SendMessageA(h, WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, static_cast<WORD>(-240)), MAKELPARAM(300, 400));
    std::vector<std::string> expected = {
        "move 1 5,6",
        "mdown 0 12 7,8 cap",
        "click",
        "mup 0 4 7,9",
        "dblclick",
        "mdown 0 72 7,9 cap",
        "mup 0 0 7,9",  // no click after a double click
        "mdown 1 16 -3,4 cap",
        "mup 1 0 -3,4",
        "wheel 4 -240 300,400",
    };
    // The capture is released when the buttons are: note its loss too.
    std::vector<std::string> got;
    for (auto& s : p.log)
        if (s != "capture lost")
            got.push_back(s);
    EXPECT_EQ(got, expected);
    EXPECT_FALSE(p.MouseCaptured());
}

TEST(Control, CapturesTheMouseWhileAButtonIsHeld)
{
    TProbe p;
    HWND h = p.Handle();
    SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    EXPECT_EQ(GetCapture(), h);
    // Another button released while the left one is still held keeps it.
    SendMessageA(h, WM_RBUTTONDOWN, MK_LBUTTON | MK_RBUTTON, 0);
    SendMessageA(h, WM_RBUTTONUP, MK_LBUTTON, 0);
    EXPECT_EQ(GetCapture(), h);
    p.log.clear();
    SendMessageA(h, WM_LBUTTONUP, 0, 0);
    EXPECT_EQ(GetCapture(), nullptr);
    // Released before the handler runs, so the handler sees it gone.
    EXPECT_EQ(p.log, (std::vector<std::string>{"capture lost", "click", "mup 0 0 0,0"}));

    // Taken away by another window: the control hears of it.
    p.log.clear();
    TProbe other("TVellumoOther");
    p.SetMouseCapture(true);
    EXPECT_TRUE(p.MouseCaptured());
    other.SetMouseCapture(true);
    EXPECT_FALSE(p.MouseCaptured());
    ASSERT_FALSE(p.log.empty());
    EXPECT_EQ(p.log.back(), "capture lost");
    other.SetMouseCapture(false);
    EXPECT_EQ(GetCapture(), nullptr);

    p.SetCaptureMouse(false);
    SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    EXPECT_EQ(GetCapture(), nullptr);
    SendMessageA(h, WM_LBUTTONUP, 0, 0);
}

TEST(Control, ReportsFocusTimersScrollsAndInputMethodMessages)
{
    TProbe a, b("TVellumoOther");
    int enters = 0, exits = 0;
    a.OnEnter = [&] { ++enters; };
    a.OnExit = [&] { ++exits; };
    a.Handle();
    b.Handle();
    a.SetFocus();
    PumpMessages();
    ASSERT_TRUE(a.Focused());
    EXPECT_EQ(enters, 1);
    b.SetFocus();
    PumpMessages();
    EXPECT_FALSE(a.Focused());
    EXPECT_TRUE(b.Focused());
    EXPECT_EQ(exits, 1);
    // The input method hears of the focus too (WM_IME_SETCONTEXT).
    auto focusOnly = [](const std::vector<std::string>& log) {
        std::vector<std::string> out;
        for (auto& s : log)
            if (s == "enter" || s == "exit" || s == "ime 641")
                out.push_back(s);
        return out;
    };
    EXPECT_EQ(focusOnly(a.log), (std::vector<std::string>{"ime 641", "enter", "exit", "ime 641"}));
    EXPECT_EQ(focusOnly(b.log), (std::vector<std::string>{"ime 641", "enter"}));

    a.log.clear();
    SetTimer(a.Handle(), 77, 1, nullptr);
    MSG msg;
    DWORD start = GetTickCount();
    while (a.log.empty() && GetTickCount() - start < 5000) {
        if (GetMessageA(&msg, nullptr, 0, 0)) {
            DispatchMessageA(&msg);
        }
    }
    KillTimer(a.Handle(), 77);
    ASSERT_FALSE(a.log.empty());
    EXPECT_EQ(a.log[0], "timer 77");

    a.log.clear();
    SendMessageA(a.Handle(), WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 1234), 0);
    SendMessageA(a.Handle(), WM_HSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), 0);
    EXPECT_EQ(a.log, (std::vector<std::string>{"scroll 1 5 1234", "scroll 0 1 0"}));

    a.log.clear();
    EXPECT_EQ(SendMessageA(a.Handle(), WM_IME_REQUEST, IMR_RECONVERTSTRING, 0), 42);
    SendMessageA(a.Handle(), WM_IME_STARTCOMPOSITION, 0, 0);
    SendMessageA(a.Handle(), WM_IME_COMPOSITION, 0, GCS_RESULTSTR);
    SendMessageA(a.Handle(), WM_IME_NOTIFY, IMN_OPENCANDIDATE, 0);
    EXPECT_EQ(a.log, (std::vector<std::string>{"ime 648", "ime 269", "ime 271", "ime 642"}));

    a.log.clear();
    a.Font().SetName("\x82\x6C\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4E");
    a.SetColor(clInfoBk);
    a.SetColor(clInfoBk);
    EXPECT_EQ(a.log, (std::vector<std::string>{"font", "color"}));
}

TEST(Control, NoExceptionLeavesTheWindowProcedure)
{
    TMsgRecorder rec;
    TProbe p;
    p.throwInKey = true;
    int before = TCustomControl::CaughtExceptions();
    LRESULT r = SendMessageA(p.Handle(), WM_KEYDOWN, 'A', 0);
    EXPECT_EQ(r, 0);
    ASSERT_EQ(rec.messages.size(), 1u);
    EXPECT_EQ(rec.messages[0].text, "key failed");
    EXPECT_EQ(rec.messages[0].caption, "Vellumo");
    EXPECT_EQ(rec.messages[0].flags, static_cast<unsigned>(MB_ICONERROR));
    EXPECT_EQ(TCustomControl::CaughtExceptions(), before + 1);

    // A failing paint still ends the paint, so it is not repeated forever.
    p.throwInPaint = true;
    p.Show();
    p.Repaint();
    PumpMessages();
    int paints = p.paints;
    EXPECT_GE(paints, 1);
    EXPECT_EQ(rec.messages.size(), 1u + paints);
    PumpMessages();
    EXPECT_EQ(p.paints, paints);
    RECT u;
    EXPECT_FALSE(GetUpdateRect(p.Handle(), &u, FALSE));

    // A message box that runs messages meanwhile does not stack more boxes.
    p.throwInPaint = false;
    int nested = 0;
    TScopedMsgSink reentrant([&](const std::string&, const std::string&, unsigned) {
        ++nested;
        SendMessageA(p.Handle(), WM_KEYDOWN, 'B', 0);  // fails again while reporting
        return IDOK;
    });
    SendMessageA(p.Handle(), WM_KEYDOWN, 'C', 0);
    EXPECT_EQ(nested, 1);
    EXPECT_EQ(TCustomControl::CaughtExceptions(), before + 3 + paints);
    // Perform is a direct call and lets the exception through to its caller.
    EXPECT_THROW(p.Perform(WM_KEYDOWN, 'D', 0), std::logic_error);
}

TEST(Control, PaintsThroughItsCanvasAndLetsGoOfTheContext)
{
    TProbe p;
    p.Handle();
    // Hidden windows paint on request into another context.
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, 220, 140);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(mem, bmp);
    PatBlt(mem, 0, 0, 220, 140, BLACKNESS);
    SendMessageA(p.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(mem), PRF_CLIENT);
    EXPECT_EQ(p.paints, 1);
    EXPECT_EQ(GetPixel(mem, 0, 0), RGB(0, 255, 0));
    EXPECT_EQ(GetPixel(mem, 199, 119), RGB(0, 255, 0));
    EXPECT_EQ(GetPixel(mem, 200, 120), RGB(0, 0, 0));  // clipped to the client area
    p.PaintTo(mem, 10, 10);
    EXPECT_EQ(GetPixel(mem, 209, 129), RGB(0, 255, 0));
    EXPECT_EQ(GetPixel(mem, 210, 130), RGB(0, 0, 0));
    // The canvas let go of the context and its objects.
    EXPECT_FALSE(p.Canvas().HandleAllocated());
    EXPECT_EQ(GetCurrentObject(mem, OBJ_BRUSH), GetStockObject(WHITE_BRUSH));
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);

    // A real paint gets the update rectangle as its clip.
    p.Show();
    PumpMessages();
    int before = p.paints;
    RECT part{20, 30, 60, 50};
    p.InvalidateRect(part);
    p.Update();
    EXPECT_EQ(p.paints, before + 1);
    EXPECT_EQ(p.paintClip.left, 20);
    EXPECT_EQ(p.paintClip.top, 30);
    EXPECT_EQ(p.paintClip.right, 60);
    EXPECT_EQ(p.paintClip.bottom, 50);
    p.Hide();

    // Between paints the canvas takes a context on demand and gives it back
    // when the handler returns.
    struct TDrawOnKey : TProbe {
        HDC seen = nullptr;
        void KeyDown(unsigned&, TShiftState) override
        {
            seen = Canvas().Handle();
            Canvas().Pen().SetColor(clRed);
            Canvas().MoveTo(0, 0);
            Canvas().LineTo(5, 5);
        }
    } d;
    SendMessageA(d.Handle(), WM_KEYDOWN, 'A', 0);
    EXPECT_TRUE(d.seen);
    EXPECT_FALSE(d.Canvas().HandleAllocated());
}

TEST(Control, CursorFollowsTheRegistryAndTheScreenCursor)
{
    TProbe p;
    HWND h = p.Handle();
    auto setCursor = [&] { return SendMessageA(h, WM_SETCURSOR, reinterpret_cast<WPARAM>(h), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)); };
    EXPECT_TRUE(setCursor());
    EXPECT_EQ(GetCursor(), Screen().Cursors(crDefault));
    p.SetCursor(crIBeam);
    EXPECT_TRUE(setCursor());
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_IBEAM));
    {
        TScreenCursorScope wait(crHourGlass);
        EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_WAIT));
        EXPECT_TRUE(setCursor());
        EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_WAIT));  // the screen's wins
    }
    EXPECT_EQ(Screen().Cursor(), crDefault);
    EXPECT_TRUE(setCursor());
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_IBEAM));
}

TEST(Control, ContextMenuShowsThePopupMenuAtThePointOrTheCaret)
{
    TProbe p;
    HWND h = p.Handle();
    TPopupMenu menu;
    std::vector<std::string> clicks;
    menu.Add("&Undo", "Ctrl+Z", [&](TMenuItem&) { clicks.push_back("undo"); });
    menu.AddSeparator();
    menu.Add("&Copy", "Ctrl+C", [&](TMenuItem&) { clicks.push_back("copy"); });
    int popups = 0;
    menu.OnPopup = [&](TPopupMenu&) { ++popups; };
    std::vector<POINT> at;
    UINT choice = 0;
    auto old = TPopupMenu::SetTracker([&](HMENU, int x, int y, HWND owner) {
        EXPECT_EQ(owner, h);
        at.push_back({x, y});
        return choice;
    });
    // Without a menu the message goes on to the default handling.
    SendMessageA(h, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(h), MAKELPARAM(50, 60));
    EXPECT_TRUE(at.empty());

    p.SetPopupMenu(&menu);
    choice = menu.Items(2).Command();
    SendMessageA(h, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(h), MAKELPARAM(50, 60));
    ASSERT_EQ(at.size(), 1u);
    EXPECT_EQ(at[0].x, 50);
    EXPECT_EQ(at[0].y, 60);
    EXPECT_EQ(clicks, (std::vector<std::string>{"copy"}));
    EXPECT_EQ(popups, 1);

    // From the keyboard: at the caret when the control has the focus.
    p.SetFocus();
    CreateCaret(h, nullptr, 2, 10);
    SetCaretPos(30, 40);
    choice = 0;
    SendMessageA(h, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(h), -1);
    POINT expect{30, 40};
    ClientToScreen(h, &expect);
    ASSERT_EQ(at.size(), 2u);
    EXPECT_EQ(at[1].x, expect.x);
    EXPECT_EQ(at[1].y, expect.y);
    DestroyCaret();
    TPopupMenu::SetTracker(old);
}

} // namespace
