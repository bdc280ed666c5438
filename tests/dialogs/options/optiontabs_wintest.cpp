// Turning the pages with real Ctrl+Tab presses: every page must look as a
// fresh drawing of the whole dialog would, with nothing of the page before
// left behind. Pictures: build/win/options-tab-NN.bmp (as turned to) and
// options-tab-NN-redrawn.bmp. The edits keep their text line in the middle
// of their boxes.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "dialogs/layoutfaults_win.h"
#include "dialogs/options/optionform_win.h"
#include "settings/settingsstore.h"
#include "support/modalscript_win.h"
#include "support/tempfolder.h"
#include "support/test_machine.h"
#include "support/windowpicture_win.h"

using namespace vellumo;
using namespace vellumo::testing;

namespace {

void Settle()
{
    for (int i = 0; i < 20; ++i, Sleep(10)) ProcessMessages();
}

void CtrlTab()
{
    keybd_event(VK_CONTROL, static_cast<BYTE>(MapVirtualKeyA(VK_CONTROL, 0)), 0, 0);
    keybd_event(VK_TAB, static_cast<BYTE>(MapVirtualKeyA(VK_TAB, 0)), 0, 0);
    keybd_event(VK_TAB, static_cast<BYTE>(MapVirtualKeyA(VK_TAB, 0)), KEYEVENTF_KEYUP, 0);
    keybd_event(VK_CONTROL, static_cast<BYTE>(MapVirtualKeyA(VK_CONTROL, 0)), KEYEVENTF_KEYUP, 0);
}

testpictures::TPicture Picture(HWND w, const std::string& name)
{
    testpictures::TPicture p;
    EXPECT_TRUE(testpictures::SaveWindowPicture(w, BuildFolder() + "\\" + name, p));
    std::printf("picture: %s\\%s\n", BuildFolder().c_str(), name.c_str());
    return p;
}

// The box around the pixels of the page control's area that differ.
std::string Differences(HWND form, const RECT& inClient, const testpictures::TPicture& a,
                        const testpictures::TPicture& b)
{
    RECT win;
    GetWindowRect(form, &win);
    POINT origin{0, 0};
    ClientToScreen(form, &origin);
    const int dx = origin.x - win.left, dy = origin.y - win.top;
    int n = 0;
    RECT box{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    for (int y = inClient.top; y < inClient.bottom; ++y)
        for (int x = inClient.left; x < inClient.right; ++x) {
            const std::size_t i = static_cast<std::size_t>((y + dy) * a.Width + x + dx);
            if (a.Pixels[i] == b.Pixels[i]) continue;
            ++n;
            box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y), std::max<LONG>(box.right, x + 1),
                   std::max<LONG>(box.bottom, y + 1)};
        }
    if (n == 0) return {};
    char text[128];
    std::snprintf(text, sizeof text, "%d pixels differ within (%ld,%ld)-(%ld,%ld)", n, box.left, box.top, box.right,
                  box.bottom);
    return text;
}

// The edits of the page whose text line is not in the middle of the box.
std::vector<std::string> OffCentreEdits(TOptionForm& form, int page)
{
    std::vector<std::string> faults;
    for (TWinControlChild* c : form.Controls()) {
        if (form.PageControl1.PageOf(*c) != page || !dynamic_cast<TEdit*>(c)) continue;
        RECT box, line;
        GetWindowRect(c->Handle(), &box);
        SendMessageA(c->Handle(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&line));
        MapWindowPoints(c->Handle(), nullptr, reinterpret_cast<POINT*>(&line), 2);
        const long above = line.top - box.top, below = box.bottom - line.bottom;
        if (std::abs(above - below) > 1)
            faults.push_back(std::to_string(above) + " pixels above the text of \"" + c->Caption() + "\", " +
                             std::to_string(below) + " below");
    }
    return faults;
}

} // namespace

TEST(OptionTabs, CtrlTabLeavesNothingOfThePageBefore)
{
    TTempFolder dir;
    TFakeMachine machine;
    TSettingsStore store(dir.File("v.ini"), machine);
    store.LoadSettings();
    const TOptionHost host;
    int page = opBasic;
    bool seen = false;
    TScript script([&](TForm& f) {
        auto& form = dynamic_cast<TOptionForm&>(f);
        seen = true;
        SetForegroundWindow(form.Handle());
        Settle();
        HWND dlg = form.Handle();
        const RECT area = RectIn(dlg, form.PageControl1.Handle());
        for (int turn = 1; turn <= kOptionPageCount; ++turn) {
            const int want = turn % kOptionPageCount;
            SCOPED_TRACE(kOptionPageCaptions[static_cast<std::size_t>(want)]);
            CtrlTab();
            for (int i = 0; i < 100 && form.PageControl1.ActivePage() != want; ++i, Sleep(10)) ProcessMessages();
            ASSERT_EQ(form.PageControl1.ActivePage(), want);
            Settle();
            char name[40];
            std::snprintf(name, sizeof name, "options-tab-%02d.bmp", want);
            const auto turned = Picture(dlg, name);
            RedrawWindow(dlg, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
            Settle();
            std::snprintf(name, sizeof name, "options-tab-%02d-redrawn.bmp", want);
            const auto fresh = Picture(dlg, name);
            ASSERT_EQ(turned.Pixels.size(), fresh.Pixels.size());
            const std::string diff = Differences(dlg, area, turned, fresh);
            EXPECT_TRUE(diff.empty()) << diff;
            for (const auto& fault : OffCentreEdits(form, want)) ADD_FAILURE() << fault;
        }
        form.SetModalResult(mrCancel);
    });
    ShowOptionDialog(store.Settings, page, host);
    EXPECT_TRUE(seen);
}
