// A picture of every page of the options dialog (build/win/options-NN.bmp),
// with the checks that its captions fit, nothing overlaps, the page opens
// with the focus on its first control and Tab goes through the page in
// reading order.
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

std::string NameOf(HWND h)
{
    char cls[32] = {}, text[128] = {};
    GetClassNameA(h, cls, sizeof cls);
    GetWindowTextA(h, text, sizeof text);
    return std::string(cls) + " \"" + text + "\"";
}

// From the page's first control, each Tab must go right along a row or
// down to a later row, and must stay on the page until it leaves it.
std::vector<std::string> TabOrderFaults(TOptionForm& form, int page)
{
    std::vector<std::string> faults;
    HWND dlg = form.Handle();
    auto onPage = [&](HWND h) {
        const TWinControlChild* c = form.FindControl(h);
        return c && form.PageControl1.PageOf(*c) == page;
    };
    HWND first = form.FirstControl(page).Handle();
    if (onPage(GetNextDlgTabItem(dlg, first, TRUE)))
        faults.push_back("a tab stop of the page comes before " + NameOf(first));
    if (GetFocus() != first) faults.push_back("the focus is not on " + NameOf(first));
    constexpr int kSameRow = 8;
    HWND cur = first;
    for (int guard = 0; guard < 100; ++guard) {
        HWND next = GetNextDlgTabItem(dlg, cur, FALSE);
        if (!next || next == first || !onPage(next)) break;
        const RECT a = RectIn(dlg, cur), b = RectIn(dlg, next);
        const bool right = std::abs(b.top - a.top) < kSameRow && b.left > a.left;
        const bool below = b.top >= a.top + kSameRow;
        if (!right && !below) faults.push_back(NameOf(next) + " follows " + NameOf(cur) + " out of reading order");
        cur = next;
    }
    return faults;
}

// Every control of the page lies inside the page.
std::vector<std::string> OutsideThePage(TOptionForm& form, int page)
{
    std::vector<std::string> faults;
    const RECT area = form.PageControl1.DisplayRect();
    for (TWinControlChild* c : form.Controls()) {
        if (form.PageControl1.PageOf(*c) != page) continue;
        const RECT r = RectIn(form.Handle(), c->Handle());
        if (r.left < area.left || r.top < area.top || r.right > area.right || r.bottom > area.bottom)
            faults.push_back(NameOf(c->Handle()) + " leaves the page");
    }
    return faults;
}

} // namespace

TEST(OptionPictures, EveryPageFitsItsCaptionsAndTabsInReadingOrder)
{
    TTempFolder dir;
    TFakeMachine machine;
    TSettingsStore store(dir.File("v.ini"), machine);
    store.LoadSettings();
    // Everything that can be enabled is, so that Tab visits it.
    store.Settings.Option.StartIme = store.Settings.Option.WordWrap = store.Settings.Option.UrlEx = true;
    store.Settings.Option.ChkFileAge = store.Settings.Option.ColLine = store.Settings.Option.DefDirOn = true;
    store.Settings.LeftBarAndRuler.LeftBar = store.Settings.LeftBarAndRuler.Ruler = true;
    store.Settings.Backup.Backup = store.Settings.Option.FullPathFileName = true;
    store.Settings.FileHistorySet.NoDir = true;
    store.Settings.WrapWidths = {120, 80, 72};
    const TOptionHost host;
    for (int page = 0; page < kOptionPageCount; ++page) {
        SCOPED_TRACE(kOptionPageCaptions[static_cast<std::size_t>(page)]);
        int p = page;
        bool seen = false;
        TScript script([&](TForm& f) {
            auto& form = dynamic_cast<TOptionForm&>(f);
            seen = true;
            SetForegroundWindow(form.Handle());
            RedrawWindow(form.Handle(), nullptr, nullptr,
                         RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
            ProcessMessages();
            Sleep(200);
            ProcessMessages();
            char name[32];
            std::snprintf(name, sizeof name, "\\options-%02d.bmp", page);
            testpictures::TPicture picture;
            EXPECT_TRUE(testpictures::SaveWindowPicture(form.Handle(), BuildFolder() + name, picture));
            std::printf("picture: %s%s\n", BuildFolder().c_str(), name);
            EXPECT_EQ(form.PageControl1.ActivePage(), page);
            for (const auto& fault : LayoutFaults(form)) ADD_FAILURE() << fault;
            for (const auto& fault : FrameFaults(form, picture.Pixels)) ADD_FAILURE() << fault;
            for (const auto& fault : TabOrderFaults(form, page)) ADD_FAILURE() << fault;
            for (const auto& fault : OutsideThePage(form, page)) ADD_FAILURE() << fault;
            form.SetModalResult(mrCancel);
        });
        ShowOptionDialog(store.Settings, p, host);
        EXPECT_TRUE(seen);
    }
}
