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

// What a window standing for the browser was told.
std::vector<std::pair<UINT, std::string>> g_told;

LRESULT CALLBACK FakeBrowserProc(HWND w, UINT m, WPARAM wp, LPARAM lp)
{
    if (m == BFFM_SETSELECTIONA || m == BFFM_SETSTATUSTEXTA) g_told.push_back({m, reinterpret_cast<const char*>(lp)});
    return DefWindowProcA(w, m, wp, lp);
}

HWND Popup(const char* cls, int x, int y)
{
    return CreateWindowExA(0, cls, "", WS_POPUP | WS_VISIBLE, x, y, 300, 200, nullptr, nullptr, nullptr, nullptr);
}

struct TShellScope {
    TBrowseFolderDlg::TShell old;
    explicit TShellScope(TBrowseFolderDlg::TShell s) : old(TBrowseFolderDlg::SetShell(std::move(s))) {}
    ~TShellScope() { TBrowseFolderDlg::SetShell(old); }
};

POINT ClientOrigin(HWND w)
{
    POINT p{0, 0};
    ClientToScreen(w, &p);
    return p;
}

} // namespace

TEST(FolderBrowser, ThroughAFakeShell)
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = FakeBrowserProc;
    wc.lpszClassName = "FakeFolderBrowser";
    RegisterClassA(&wc);
    HWND owner = Popup("STATIC", 200, 150), fake = Popup(wc.lpszClassName, 900, 700);
    bool hasPath = true;
    BROWSEINFOA seen{};
    std::string prompt;
    TShellScope shell({[&](BROWSEINFOA& info) {
                           seen = info;
                           prompt = info.lpszTitle;
                           info.lpfn(fake, BFFM_INITIALIZED, 0, info.lParam);
                           info.lpfn(fake, BFFM_SELCHANGED, 0, info.lParam);
                           lstrcpyA(info.pszDisplayName, "PC");
                           return static_cast<PIDLIST_ABSOLUTE>(CoTaskMemAlloc(2));
                       },
                       [&](PCIDLIST_ABSOLUTE, char* path) { return hasPath && lstrcpyA(path, "C:\\選んだ"); }});

    TBrowseFolderDlg dlg(owner);
    EXPECT_EQ(dlg.Caption, "フォルダの参照");
    dlg.TextLine1 = "一行目";
    dlg.TextLine2 = "二行目";
    dlg.Directory = "C:\\始め";
    ASSERT_TRUE(dlg.Execute());
    EXPECT_EQ(dlg.Directory, "C:\\選んだ");
    EXPECT_EQ(seen.hwndOwner, owner);
    EXPECT_EQ(prompt, "一行目\n二行目");
    EXPECT_EQ(seen.ulFlags, static_cast<UINT>(BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT));
    // At the owner's client origin, titled, the start selected and shown, then the new selection shown.
    RECT r;
    GetWindowRect(fake, &r);
    EXPECT_EQ(r.left, ClientOrigin(owner).x);
    EXPECT_EQ(r.top, ClientOrigin(owner).y);
    char title[64] = {};
    GetWindowTextA(fake, title, sizeof title);
    EXPECT_EQ(std::string(title), "フォルダの参照");
    EXPECT_EQ(g_told, (std::vector<std::pair<UINT, std::string>>{
                          {BFFM_SETSELECTIONA, "C:\\始め"}, {BFFM_SETSTATUSTEXTA, "C:\\始め"},
                          {BFFM_SETSTATUSTEXTA, "C:\\選んだ"}}));

    // A choice without a path (a virtual folder) is no folder: its display name never comes back.
    hasPath = false;
    g_told.clear();
    dlg.Directory.clear();
    dlg.ShowSelectDir = false;
    EXPECT_FALSE(dlg.Execute());
    EXPECT_EQ(dlg.Directory, "");
    EXPECT_EQ(seen.ulFlags, static_cast<UINT>(BIF_RETURNONLYFSDIRS));
    EXPECT_TRUE(g_told.empty());  // no start folder, no status line

    TShellScope cancel({[](BROWSEINFOA&) -> PIDLIST_ABSOLUTE { return nullptr; }, nullptr});
    dlg.Directory = "C:\\x";
    EXPECT_FALSE(dlg.Execute());
    EXPECT_EQ(dlg.Directory, "C:\\x");
    DestroyWindow(fake);
    DestroyWindow(owner);
}

TEST(FolderBrowser, TheShellsOwnBrowser)
{
    TTempFolder dir;
    HWND owner = Popup("STATIC", 120, 100);
    static bool s_ok, s_found;
    static RECT s_at;
    for (bool ok : {true, false}) {
        SCOPED_TRACE(ok);
        s_ok = ok;
        s_found = false;
        TBrowseFolderDlg dlg(owner);
        dlg.Caption = "フォルダの参照 (試験)";
        dlg.Directory = dir.Path();
        // Answered from a timer inside the browser's own loop.
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
        // OK returns the start folder, selected when the browser opened.
        EXPECT_EQ(lstrcmpiA(dlg.Directory.c_str(), dir.Path().c_str()), 0) << dlg.Directory;
        EXPECT_EQ(s_at.left, ClientOrigin(owner).x);
        EXPECT_EQ(s_at.top, ClientOrigin(owner).y);
    }
    DestroyWindow(owner);
}
