#include "classlib/screen_win.h"

#include "classlib/font.h"

namespace vellumo {

namespace {

struct TSystemCursor {
    TCursor index;
    LPCSTR id;
};

// Indexes without a system cursor of their own show the nearest one.
const TSystemCursor kSystemCursors[] = {
    {crDefault, IDC_ARROW},    {crArrow, IDC_ARROW},       {crCross, IDC_CROSS},
    {crIBeam, IDC_IBEAM},      {crSizeNESW, IDC_SIZENESW}, {crSizeNS, IDC_SIZENS},
    {crSizeNWSE, IDC_SIZENWSE}, {crSizeWE, IDC_SIZEWE},    {crUpArrow, IDC_UPARROW},
    {crHourGlass, IDC_WAIT},   {crDrag, IDC_ARROW},        {crNoDrop, IDC_NO},
    {crHSplit, IDC_SIZEWE},    {crVSplit, IDC_SIZENS},     {crMultiDrag, IDC_ARROW},
    {crSQLWait, IDC_WAIT},     {crNo, IDC_NO},             {crAppStart, IDC_APPSTARTING},
    {crHelp, IDC_HELP},        {crHandPoint, IDC_HAND},    {crSizeAll, IDC_SIZEALL},
};

} // namespace

TScreen::TScreen()
{
    for (const auto& c : kSystemCursors)
        cursors_[c.index] = LoadCursorA(nullptr, c.id);
    cursors_[crNone] = nullptr;  // no cursor at all
    HDC dc = GetDC(nullptr);
    if (dc) {
        SetFontPixelsPerInch(GetDeviceCaps(dc, LOGPIXELSY));
        ReleaseDC(nullptr, dc);
    }
}

TScreen& Screen()
{
    static TScreen screen;
    return screen;
}

HCURSOR TScreen::Cursors(TCursor index) const
{
    auto it = cursors_.find(index);
    if (it != cursors_.end())
        return it->second;
    return cursors_.at(crDefault);
}

void TScreen::SetCursors(TCursor index, HCURSOR cursor)
{
    if (cursor) {
        cursors_[index] = cursor;
    } else if (index > crDefault) {
        cursors_.erase(index);
    } else {
        return;  // system indexes keep a cursor
    }
    if (index == cursor_ && cursor_ != crDefault)
        Refresh();
}

void TScreen::SetCursor(TCursor index)
{
    if (index == cursor_)
        return;
    cursor_ = index;
    Refresh();
}

void TScreen::Refresh() const
{
    if (cursor_ != crDefault) {
        ::SetCursor(Cursors(cursor_));
        return;
    }
    // Back to the windows' own cursors: let the window under the pointer pick.
    POINT p;
    if (!GetCursorPos(&p))
        return;
    HWND w = WindowFromPoint(p);
    if (w && GetWindowThreadProcessId(w, nullptr) == GetCurrentThreadId())
        SendMessageA(w, WM_SETCURSOR, reinterpret_cast<WPARAM>(w),
                     MAKELPARAM(SendMessageA(w, WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y)), WM_MOUSEMOVE));
    else
        ::SetCursor(Cursors(crDefault));
}

int TScreen::Width() const { return GetSystemMetrics(SM_CXSCREEN); }
int TScreen::Height() const { return GetSystemMetrics(SM_CYSCREEN); }
int TScreen::PixelsPerInch() const { return FontPixelsPerInch(); }

TCursor FindFreeCursorIndex()
{
    const TScreen& s = Screen();
    HCURSOR def = s.Cursors(crDefault);
    for (TCursor i = kFirstFreeCursor; i <= kLastFreeCursor; ++i)
        if (s.Cursors(i) == def)
            return i;
    return -1;
}

TCursor LoadCursorToFreeIndex(HINSTANCE module, const char* name)
{
    if (!module)
        module = GetModuleHandleA(nullptr);
    HCURSOR cursor = LoadCursorA(module, name);
    if (!cursor)
        return crDefault;
    TCursor index = FindFreeCursorIndex();
    if (index < kFirstFreeCursor)
        return crDefault;
    Screen().SetCursors(index, cursor);
    return index;
}

const TProgramCursors& LoadProgramCursors(HINSTANCE module)
{
    static TProgramCursors cursors;
    static bool loaded = false;
    if (!loaded) {
        loaded = true;
        cursors.RightArrow = LoadCursorToFreeIndex(module, "RightArrow");
        cursors.PrintView = LoadCursorToFreeIndex(module, "PrintView");
        cursors.MoveDrop = LoadCursorToFreeIndex(module, "MoveDrop");
        cursors.CopyDrop = LoadCursorToFreeIndex(module, "CopyDrop");
    }
    return cursors;
}

TScreenCursorScope::TScreenCursorScope(TCursor cursor) : old_(Screen().Cursor())
{
    Screen().SetCursor(cursor);
}

TScreenCursorScope::~TScreenCursorScope()
{
    Screen().SetCursor(old_);
}

} // namespace vellumo
