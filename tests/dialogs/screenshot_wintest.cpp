// Pictures of the dialogs for people to look at (build/win/dialog-*.bmp),
// and a check that every caption fits its control and that no control
// leaves the form or covers another.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "classlib/groupbox_win.h"
#include "support/modalscript_win.h"
#include "support/tempfolder.h"
#include "dialogs/code/jcodedlg_win.h"
#include "dialogs/jump/jumpdlg_win.h"
#include "dialogs/replace/replacedlg.h"
#include "dialogs/search/searchdlg.h"
#include "printfixture_win.h"
#include "searchfixture.h"
#include "support/windowpicture_win.h"

using namespace vellumo;
using namespace vellumo::testing;

namespace {

// build/win, from build/win/tests/dialogs/dialogs_tests.exe.
std::string BuildFolder()
{
    char exe[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string p = exe;
    for (int up = 0; up < 3; ++up) p = p.substr(0, p.find_last_of('\\'));
    return p;
}

RECT RectIn(HWND parent, HWND child)
{
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// The caption's extent in the control's font, the access-key "&" left out.
SIZE CaptionExtent(HWND control, const std::string& caption, std::string* shown)
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
std::vector<std::string> LayoutFaults(TForm& form)
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
std::vector<std::string> FrameFaults(TForm& form, const std::vector<DWORD>& pixels)
{
    std::vector<std::string> faults;
    RECT win;
    GetWindowRect(form.Handle(), &win);
    const int width = win.right - win.left;
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const DWORD want = GetRValue(face) << 16 | GetGValue(face) << 8 | GetBValue(face);
    for (TWinControlChild* c : form.Controls()) {
        if (!dynamic_cast<TGroupBox*>(c)) continue;
        RECT r;
        GetWindowRect(c->Handle(), &r);
        // The controls inside paint themselves: only the gaps count.
        std::vector<RECT> inside;
        for (TWinControlChild* o : form.Controls()) {
            RECT orect, both;
            GetWindowRect(o->Handle(), &orect);
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

// Shows the dialog through its entry function, captures it, checks it.
void Picture(const std::string& name, const std::function<void()>& show)
{
    SCOPED_TRACE(name);
    bool seen = false;
    TScript script([&](TForm& form) {
        seen = true;
        RedrawWindow(form.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
        ProcessMessages();
        Sleep(300);
        ProcessMessages();
        const std::string path = BuildFolder() + "\\dialog-" + name + ".bmp";
        testpictures::TPicture picture;
        EXPECT_TRUE(testpictures::SaveWindowPicture(form.Handle(), path, picture)) << path;
        const std::vector<DWORD>& pixels = picture.Pixels;
        std::printf("picture: %s\n", path.c_str());
        for (const auto& fault : LayoutFaults(form)) ADD_FAILURE() << fault;
        for (const auto& fault : FrameFaults(form, pixels)) ADD_FAILURE() << fault;
        form.SetModalResult(mrCancel);
    });
    show();
    EXPECT_TRUE(seen);
}

} // namespace

TEST(DialogPictures, CaptionsFitTheirControls)
{
    TTempFolder dir;
    InstallSearchHost(dir.File("v.ini"), "one\r\ntwo");
    struct TRemove {
        ~TRemove() { RemoveSearchHost(); }
    } remove;
    Picture("find", [] {
        std::string text;
        std::uint16_t flags = 0;
        ShowSearchDialog(text, flags, 1);
    });
    Picture("replace", [] {
        std::string findText, replaceText;
        std::uint16_t flags = 0;
        ShowReplaceDialog(findText, replaceText, flags);
    });
    Picture("code", [] {
        TCharCode code = ccSjis;
        TLineEndCode lineEnd = leCrLf;
        bool saveAs = false;
        ShowJcodeDialog(code, lineEnd, saveAs, false);
    });
    Picture("jump", [] {
        std::vector<std::string> history{"120", "3"};
        int line = 0;
        bool logical = false;
        std::string typed;
        ShowJumpDialog(line, logical, history, typed);
    });
}

TEST(DialogPictures, PrintDialogCaptionsFit)
{
    TFakePrintHost host;
    host.Selection = true;
    Picture("print", [&] { ShowPrintDialog(host); });
}
