// The folder browser through a fake shell, and once for real.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "classlib/form_win.h"
#include "dialogs/folder/browsefolder_win.h"
#include "support/tempfolder.h"

using namespace vellumo;
using namespace vellumo::testing;

namespace {

// A window that stands for the browser and keeps what it was told.
struct TFakeBrowser {
    std::vector<std::pair<UINT, std::string>> told;
    HWND window = nullptr;

    TFakeBrowser()
    {
        WNDCLASSA wc{};
        wc.lpfnWndProc = [](HWND w, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
            auto* self = reinterpret_cast<TFakeBrowser*>(GetWindowLongPtrA(w, GWLP_USERDATA));
            if (self && (m == BFFM_SETSELECTIONA || m == BFFM_SETSTATUSTEXTA))
                self->told.push_back({m, reinterpret_cast<const char*>(lp)});
            return DefWindowProcA(w, m, wp, lp);
        };
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "FakeFolderBrowser";
        RegisterClassA(&wc);
        window = CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP, 5000, 5000, 300, 200, nullptr, nullptr,
                                 wc.hInstance, nullptr);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~TFakeBrowser() { DestroyWindow(window); }
};

struct TShellScope {
    TBrowseFolderDlg::TShell old;
    explicit TShellScope(TBrowseFolderDlg::TShell s) : old(TBrowseFolderDlg::SetShell(std::move(s))) {}
    ~TShellScope() { TBrowseFolderDlg::SetShell(old); }
};

PIDLIST_ABSOLUTE NewItem() { return static_cast<PIDLIST_ABSOLUTE>(CoTaskMemAlloc(2)); }

std::string Lower(std::string s)
{
    CharLowerA(s.data());
    while (!s.empty() && s.back() == '\\') s.pop_back();
    return s;
}

} // namespace

TEST(FolderBrowser, ThroughAFakeShell)
{
    HWND owner = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 200, 150, 300, 200, nullptr, nullptr,
                                 nullptr, nullptr);
    TFakeBrowser fake;
    bool pathOk = true;
    int browsed = 0;
    BROWSEINFOA seen{};
    std::string prompt;
    TShellScope shell({[&](BROWSEINFOA& info) -> PIDLIST_ABSOLUTE {
                           ++browsed;
                           seen = info;
                           prompt = info.lpszTitle;
                           info.lpfn(fake.window, BFFM_INITIALIZED, 0, info.lParam);
                           info.lpfn(fake.window, BFFM_SELCHANGED, 0, info.lParam);
                           return pathOk ? NewItem() : (lstrcpyA(info.pszDisplayName, "PC"), NewItem());
                       },
                       [&](PCIDLIST_ABSOLUTE, char* path) {
                           if (pathOk) lstrcpyA(path, "C:\\選んだ");
                           return pathOk;
                       }});

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
    GetWindowRect(fake.window, &r);
    POINT origin{0, 0};
    ClientToScreen(owner, &origin);
    EXPECT_EQ(r.left, origin.x);
    EXPECT_EQ(r.top, origin.y);
    char title[64] = {};
    GetWindowTextA(fake.window, title, sizeof title);
    EXPECT_EQ(std::string(title), "フォルダの参照");
    EXPECT_EQ(fake.told, (std::vector<std::pair<UINT, std::string>>{{BFFM_SETSELECTIONA, "C:\\始め"},
                                                                     {BFFM_SETSTATUSTEXTA, "C:\\始め"},
                                                                     {BFFM_SETSTATUSTEXTA, "C:\\選んだ"}}));

    // A choice without a path (a virtual folder) is no folder: the display name never comes back.
    pathOk = false;
    fake.told.clear();
    dlg.Directory.clear();
    dlg.ShowSelectDir = false;
    EXPECT_FALSE(dlg.Execute());
    EXPECT_EQ(dlg.Directory, "");
    EXPECT_EQ(seen.ulFlags, static_cast<UINT>(BIF_RETURNONLYFSDIRS));
    EXPECT_TRUE(fake.told.empty());  // no start folder, no status line

    // Cancelled.
    TShellScope cancel({[&](BROWSEINFOA&) -> PIDLIST_ABSOLUTE { return nullptr; }, nullptr});
    dlg.Directory = "C:\\x";
    EXPECT_FALSE(dlg.Execute());
    EXPECT_EQ(dlg.Directory, "C:\\x");
    EXPECT_EQ(browsed, 2);
    DestroyWindow(owner);
}

TEST(FolderBrowser, TheShellsOwnBrowser)
{
    TTempFolder dir;
    const std::string start = dir.Path();
    HWND owner = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 120, 100, 300, 200, nullptr, nullptr,
                                 nullptr, nullptr);
    for (bool ok : {true, false}) {
        SCOPED_TRACE(ok);
        static bool s_ok;
        static RECT s_at;
        static bool s_found;
        s_ok = ok;
        s_found = false;
        TBrowseFolderDlg dlg(owner);
        dlg.Caption = "フォルダの参照 (試験)";
        dlg.TextLine1 = "作業フォルダを指定して下さい";
        dlg.Directory = start;
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
        EXPECT_EQ(Lower(dlg.Directory), Lower(start));
        POINT origin{0, 0};
        ClientToScreen(owner, &origin);
        EXPECT_EQ(s_at.left, origin.x);
        EXPECT_EQ(s_at.top, origin.y);
    }
    DestroyWindow(owner);
}
