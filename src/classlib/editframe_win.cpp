#include "classlib/editframe_win.h"

namespace vellumo {

namespace {

WNDPROC g_editProc = nullptr;

int LineHeight(HWND edit)
{
    HDC dc = GetDC(edit);
    auto font = reinterpret_cast<HFONT>(CallWindowProcA(g_editProc, edit, WM_GETFONT, 0, 0));
    HGDIOBJ old = SelectObject(dc, font ? font : GetStockObject(SYSTEM_FONT));
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(edit, dc);
    return tm.tmHeight;
}

// The inside of the edge, in window coordinates.
RECT InsideEdge(HWND edit)
{
    RECT w;
    GetWindowRect(edit, &w);
    OffsetRect(&w, -w.left, -w.top);
    const auto ex = static_cast<DWORD>(GetWindowLongPtrA(edit, GWL_EXSTYLE));
    const auto style = static_cast<DWORD>(GetWindowLongPtrA(edit, GWL_STYLE));
    if (ex & WS_EX_CLIENTEDGE)
        InflateRect(&w, -GetSystemMetrics(SM_CXEDGE), -GetSystemMetrics(SM_CYEDGE));
    else if (style & WS_BORDER)
        InflateRect(&w, -GetSystemMetrics(SM_CXBORDER), -GetSystemMetrics(SM_CYBORDER));
    return w;
}

// The edit draws its line one pixel below the top of a client area that
// has the room; the rest of the height is split above and below.
void CentreClient(HWND edit, RECT& client)
{
    const int room = client.bottom - client.top - (LineHeight(edit) + 2);
    if (room <= 0) return;
    client.top += room / 2;
    client.bottom -= room - room / 2;
}

void PaintStrips(HWND edit)
{
    RECT client;
    GetClientRect(edit, &client);
    MapWindowPoints(edit, nullptr, reinterpret_cast<POINT*>(&client), 2);
    RECT w;
    GetWindowRect(edit, &w);
    OffsetRect(&client, -w.left, -w.top);
    const RECT inside = InsideEdge(edit);
    if (EqualRect(&client, &inside)) return;
    HDC dc = GetWindowDC(edit);
    const auto style = static_cast<DWORD>(GetWindowLongPtrA(edit, GWL_STYLE));
    // The brush the edit's own background has: a read-only or disabled
    // edit asks as a static does.
    const UINT ask = (style & ES_READONLY) || !IsWindowEnabled(edit) ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT;
    HWND parent = GetParent(edit);
    auto brush = reinterpret_cast<HBRUSH>(
        SendMessageA(parent ? parent : edit, ask, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(edit)));
    if (!brush) brush = GetSysColorBrush(ask == WM_CTLCOLORSTATIC ? COLOR_BTNFACE : COLOR_WINDOW);
    ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
    FillRect(dc, &inside, brush);
    ReleaseDC(edit, dc);
}

void FrameChanged(HWND edit)
{
    SetWindowPos(edit, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_NCCALCSIZE: {
        const LRESULT r = CallWindowProcA(g_editProc, hwnd, msg, wParam, lParam);
        if (!(GetWindowLongPtrA(hwnd, GWL_STYLE) & ES_MULTILINE)) {
            RECT& client = wParam ? reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0]
                                  : *reinterpret_cast<RECT*>(lParam);
            CentreClient(hwnd, client);
        }
        return r;
    }
    case WM_NCPAINT: {
        const LRESULT r = CallWindowProcA(g_editProc, hwnd, msg, wParam, lParam);
        PaintStrips(hwnd);
        return r;
    }
    case WM_SETFONT:
    case WM_ENABLE:
    case EM_SETREADONLY: {
        // A new line height moves the line; a new state repaints the strips.
        const LRESULT r = CallWindowProcA(g_editProc, hwnd, msg, wParam, lParam);
        if (msg == WM_SETFONT)
            FrameChanged(hwnd);
        else
            RedrawWindow(hwnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
        return r;
    }
    default:
        return CallWindowProcA(g_editProc, hwnd, msg, wParam, lParam);
    }
}

} // namespace

WNDPROC CenteredEditProc(WNDPROC original) noexcept
{
    g_editProc = original;
    return Proc;
}

} // namespace vellumo
