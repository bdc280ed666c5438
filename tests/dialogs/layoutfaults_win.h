#pragma once
// Checks of a dialog's layout as it shows: every caption fits its control,
// no control leaves the form or covers another, and the inside of every
// frame shows the face colour. Also where the pictures go.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "classlib/form_win.h"
#include "classlib/groupbox_win.h"

namespace vellumo::testing {

// build/win, from the test program's place below build/win/tests.
inline std::string BuildFolder()
{
    char exe[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    const std::string p = exe;
    const std::size_t tests = p.rfind("\\tests\\");
    return tests == std::string::npos ? p.substr(0, p.find_last_of('\\')) : p.substr(0, tests);
}

inline RECT RectIn(HWND parent, HWND child)
{
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// The caption's extent in the control's font, the access-key "&" left out.
inline SIZE CaptionExtent(HWND control, const std::string& caption, std::string* shown)
{
    std::string text;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size()) ++i;
        text += caption[i];
    }
    if (shown) *shown = text;
    HDC dc = GetDC(control);
    auto font = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
    HGDIOBJ old = SelectObject(dc, font ? font : GetStockObject(DEFAULT_GUI_FONT));
    SIZE s{};
    GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &s);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return s;
}

// One finding per control whose text does not fit, or that leaves the
// form's client area or covers another control (frames excepted).
inline std::vector<std::string> LayoutFaults(TForm& form)
{
    std::vector<std::string> faults;
    HWND f = form.Handle();
    RECT client;
    GetClientRect(f, &client);
    std::vector<std::pair<RECT, std::string>> placed;
    for (TWinControlChild* c : form.Controls()) {
        HWND h = c->Handle();
        if (!IsWindowVisible(h)) continue;
        char cls[32] = {};
        GetClassNameA(h, cls, sizeof cls);
        const LONG style = static_cast<LONG>(GetWindowLongPtrA(h, GWL_STYLE));
        const RECT r = RectIn(f, h);
        const int w = r.right - r.left, hgt = r.bottom - r.top;
        std::string shown;
        const std::string name = std::string(cls) + " \"" + c->Caption() + "\"";
        int room = w;  // the width left for the text
        bool isFrame = false, hasText = true;
        if (lstrcmpiA(cls, "Button") == 0) {
            const LONG kind = style & BS_TYPEMASK;
            if (kind == BS_GROUPBOX) {
                room = w - 16;
                isFrame = true;
            } else if (kind == BS_CHECKBOX || kind == BS_AUTOCHECKBOX || kind == BS_RADIOBUTTON ||
                       kind == BS_AUTORADIOBUTTON) {
                room = w - GetSystemMetrics(SM_CXMENUCHECK) - 4;
            } else {
                room = w - 8;
            }
        } else if (lstrcmpiA(cls, WC_TABCONTROLA) == 0) {
            hasText = false;
            isFrame = true;  // the pages' controls lie on it
        } else if (lstrcmpiA(cls, "ComboBox") == 0) {
            hasText = false;
            // Every item shows whole beside the arrow.
            for (const auto& item : dynamic_cast<TComboBox&>(*c).Items()) {
                const SIZE s = CaptionExtent(h, item, nullptr);
                if (s.cx > w - GetSystemMetrics(SM_CXVSCROLL) - 6) faults.push_back(name + " item " + item + " too wide");
            }
        } else if (lstrcmpiA(cls, "Static") != 0) {
            hasText = false;  // edits: the user's text scrolls
        }
        if (hasText && !c->Caption().empty()) {
            const SIZE s = CaptionExtent(h, c->Caption(), &shown);
            if (s.cx > room) faults.push_back(name + " text " + std::to_string(s.cx) + " > " + std::to_string(room));
            if (!isFrame && s.cy > hgt) faults.push_back(name + " text height " + std::to_string(s.cy));
        }
        if (r.left < 0 || r.top < 0 || r.right > client.right || r.bottom > client.bottom)
            faults.push_back(name + " leaves the form");
        if (isFrame) continue;
        for (const auto& [other, otherName] : placed) {
            RECT both;
            if (IntersectRect(&both, &r, &other)) faults.push_back(name + " covers " + otherName);
        }
        placed.push_back({r, name});
    }
    return faults;
}

// The inside of every frame shows the form's face colour, not what was on
// the screen before (a frame paints no inside of its own).
inline std::vector<std::string> FrameFaults(TForm& form, const std::vector<DWORD>& pixels)
{
    std::vector<std::string> faults;
    RECT win;
    GetWindowRect(form.Handle(), &win);
    const int width = win.right - win.left;
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const DWORD want = GetRValue(face) << 16 | GetGValue(face) << 8 | GetBValue(face);
    for (TWinControlChild* c : form.Controls()) {
        if (!dynamic_cast<TGroupBox*>(c) || !IsWindowVisible(c->Handle())) continue;
        RECT r;
        GetWindowRect(c->Handle(), &r);
        // The controls inside paint themselves: only the gaps count.
        std::vector<RECT> inside;
        for (TWinControlChild* o : form.Controls()) {
            RECT orect, both;
            GetWindowRect(o->Handle(), &orect);
            char cls[32] = {};
            GetClassNameA(o->Handle(), cls, sizeof cls);
            if (lstrcmpiA(cls, WC_TABCONTROLA) == 0) continue;  // the pages lie on it
            if (o != c && IsWindowVisible(o->Handle()) && IntersectRect(&both, &orect, &r)) inside.push_back(orect);
        }
        int total = 0, same = 0;
        for (int y = r.top + 16; y < r.bottom - 4; ++y)
            for (int x = r.left + 4; x < r.right - 4; ++x) {
                const POINT p{x, y};
                if (std::any_of(inside.begin(), inside.end(), [&](const RECT& o) { return PtInRect(&o, p); })) continue;
                ++total;
                const std::size_t i = static_cast<std::size_t>((y - win.top) * width + (x - win.left));
                if (i < pixels.size() && (pixels[i] & 0xFFFFFF) == want) ++same;
            }
        if (total == 0 || same * 10 < total * 9)
            faults.push_back("frame \"" + c->Caption() + "\": " + std::to_string(same) + " of " +
                             std::to_string(total) + " pixels in the face colour");
    }
    return faults;
}

} // namespace vellumo::testing
