// The folder browser through a fake shell, and once for real.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "dialogs/folder/browsefolder_win.h"
#include "support/tempfolder.h"

using namespace vellumo;
using namespace vellumo::testing;

namespace {

HWND Popup(int x, int y)
{
    return CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, x, y, 300, 200, nullptr, nullptr, nullptr, nullptr);
}

POINT ClientOrigin(HWND w)
{
    POINT p{0, 0};
    ClientToScreen(w, &p);
    return p;
}

} // namespace

TEST(FolderBrowser, ThroughAFakeShell)
{
    bool chosen = true, hasPath = true;
    BROWSEINFOA seen{};
    std::string prompt;
    const auto old = TBrowseFolderDlg::SetShell(
        {[&](BROWSEINFOA& info) -> PIDLIST_ABSOLUTE {
             seen = info;
             prompt = info.lpszTitle;
             lstrcpyA(info.pszDisplayName, "PC");
             return chosen ? static_cast<PIDLIST_ABSOLUTE>(CoTaskMemAlloc(2)) : nullptr;
         },
         [&](PCIDLIST_ABSOLUTE, char* path) { return hasPath && lstrcpyA(path, "C:\\選んだ"); }});
    TBrowseFolderDlg dlg(nullptr);
    EXPECT_EQ(dlg.Caption, "フォルダの参照");
    dlg.TextLine1 = "一行目";
    dlg.TextLine2 = "二行目";
    EXPECT_TRUE(dlg.Execute());
    EXPECT_EQ(dlg.Directory, "C:\\選んだ");
    EXPECT_EQ(prompt, "一行目\n二行目");
    EXPECT_EQ(seen.ulFlags, static_cast<UINT>(BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT));

    // A choice without a path (a virtual folder) is no folder: its display
    // name never comes back. Cancel keeps the folder too.
    for (bool cancel : {false, true}) {
        hasPath = false;
        chosen = !cancel;
        dlg.Directory = "C:\\x";
        dlg.ShowSelectDir = false;
        EXPECT_FALSE(dlg.Execute());
        EXPECT_EQ(dlg.Directory, "C:\\x");
        EXPECT_EQ(seen.ulFlags, static_cast<UINT>(BIF_RETURNONLYFSDIRS));
    }
    TBrowseFolderDlg::SetShell(old);
}

TEST(FolderBrowser, TheShellsOwnBrowser)
{
    TTempFolder dir;
    HWND owner = Popup(120, 100);
    static bool s_ok, s_found;
    static RECT s_at;
    for (bool ok : {true, false}) {
        SCOPED_TRACE(ok);
        s_ok = ok;
        s_found = false;
        TBrowseFolderDlg dlg(owner);
        dlg.Caption = "フォルダの参照 (試験)";
        dlg.Directory = dir.Path();
        // Found by its title and answered from a timer inside the browser's own loop.
        const UINT_PTR timer = SetTimer(nullptr, 0, 300, [](HWND, UINT, UINT_PTR id, DWORD) {
            HWND w = FindWindowA(nullptr, "フォルダの参照 (試験)");
            if (!w || !IsWindowVisible(w)) return;
            KillTimer(nullptr, id);
            s_found = true;
            GetWindowRect(w, &s_at);
            PostMessageA(w, WM_COMMAND, s_ok ? IDOK : IDCANCEL, 0);
        });
        const bool chosen = dlg.Execute();
        KillTimer(nullptr, timer);
        ASSERT_TRUE(s_found);
        EXPECT_EQ(chosen, ok);
        // OK returns the start folder, selected when the browser opened; placed at the owner.
        EXPECT_EQ(lstrcmpiA(dlg.Directory.c_str(), dir.Path().c_str()), 0) << dlg.Directory;
        EXPECT_EQ(s_at.left, ClientOrigin(owner).x);
        EXPECT_EQ(s_at.top, ClientOrigin(owner).y);
    }
    DestroyWindow(owner);
}
