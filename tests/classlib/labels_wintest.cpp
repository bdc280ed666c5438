// The link label and the sample panel as windows, and the simple combo box's
// list, which the font dialog shows in full.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "classlib/canvas_win.h"
#include "classlib/panel_win.h"
#include "classlib/urllabel_win.h"
#include "support/windowpicture_win.h"
#include "support/winsupport_win.h"

using namespace vellumo;
using namespace vellumo::testing;

namespace {

class TLabelsForm : public TForm {
public:
    TLabelsForm() : TForm(nullptr)
    {
        SetBorderStyle(bsDialog);
        SetClientSize(320, 240);
        Link.SetBounds(10, 10, 200, 20);
        Link.SetFontColor(clNavy);
        Link.SetHotColor(clBlue);
        Sample.SetBounds(10, 40, 300, 44);
        Simple.SetBounds(10, 90, 120, 140);
        Simple.SetItems({"8", "9", "10"});
    }
    TURLLabel Link{*this, "https://vellumo.example/"};
    TPanel Sample{*this, "Aa\x82\xA0\x88\x9F"};  // Aaあ亜
    TComboBox Simple{*this, csSimple};
};

int PixelsOf(HWND w, TColor color)
{
    RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    Sleep(200);  // the display server shows what was drawn a moment later
    PumpMessages();
    testpictures::TPicture pic;
    if (!testpictures::CaptureWindow(w, pic)) return -1;
    const COLORREF c = ColorToRGB(color);
    const DWORD want = GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c);
    int n = 0;
    for (DWORD p : pic.Pixels) n += p == want;
    return n;
}

} // namespace

TEST(URLLabel, ColourCursorClickAndOpenFollowTheMouse)
{
    TLabelsForm f;
    f.Show();
    PumpMessages();
    HWND h = f.Link.Handle();
    int clicks = 0;
    std::vector<std::string> opened;
    f.Link.OnClick = [&] { ++clicks; };
    f.Link.OnExecute = [&](const std::string& target) { opened.push_back(target); };
    SetCursorPos(0, 0);
    EXPECT_GT(PixelsOf(h, clNavy), 0);
    // The real pointer rests on the label, so the system reports no leave of its own.
    RECT r;
    GetWindowRect(h, &r);
    SetCursorPos(r.left + 5, r.top + 5);
    SendMessageA(h, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(f.Link.ShownColor(), clBlue);
    EXPECT_GT(PixelsOf(h, clBlue), 0);
    EXPECT_EQ(PixelsOf(h, clNavy), 0);
    SendMessageA(h, WM_SETCURSOR, reinterpret_cast<WPARAM>(h), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_HAND));

    SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(f.Link.ShownColor(), clRed);
    EXPECT_TRUE(opened.empty());  // not executable
    SendMessageA(h, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(f.Link.ShownColor(), clBlue);
    EXPECT_EQ(clicks, 1);
    // Released away from the label: no click, its own colour again.
    f.Link.SetExecutable(true);
    SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(h, WM_LBUTTONUP, 0, MAKELPARAM(5, 300));
    EXPECT_EQ(f.Link.ShownColor(), clNavy);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(opened, std::vector<std::string>{"https://vellumo.example/"});
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST(Panel, ShowsItsCaptionInItsOwnFontAndFollowsEachChange)
{
    TLabelsForm f;
    f.Show();
    PumpMessages();
    auto shownFace = [&] {
        LOGFONTA lf{};
        auto font = reinterpret_cast<HFONT>(SendMessageA(f.Sample.Handle(), WM_GETFONT, 0, 0));
        EXPECT_EQ(font, f.Sample.ShownFont());
        GetObjectA(font, sizeof lf, &lf);
        return std::string(lf.lfFaceName) + " " + std::to_string(lf.lfHeight);
    };
    const int objects = CountGdiObjects();
    f.Sample.Font().SetName("IPA\x83\x53\x83\x56\x83\x62\x83\x4E");  // IPAゴシック
    for (int h = -10; h > -40; --h) f.Sample.Font().SetHeight(h);
    EXPECT_EQ(shownFace(), "IPA\x83\x53\x83\x56\x83\x62\x83\x4E -39");
    EXPECT_LE(CountGdiObjects(), objects + 1);  // the fonts it no longer shows are freed
    EXPECT_GT(PixelsOf(f.Sample.Handle(), clBlack), 0);
}

TEST(SimpleComboBox, ItsListFillsTheHeightGiven)
{
    TLabelsForm f;
    f.Show();
    PumpMessages();
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetComboBoxInfo(f.Simple.Handle(), &info));
    RECT box, list;
    GetWindowRect(f.Simple.Handle(), &box);
    GetWindowRect(info.hwndList, &list);
    EXPECT_EQ(box.bottom - box.top, 140);
    EXPECT_GE(list.bottom, box.bottom - 1);
}
