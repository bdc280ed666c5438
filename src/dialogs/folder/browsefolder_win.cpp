#include "dialogs/folder/browsefolder_win.h"

#include <utility>

#include "classlib/form_win.h"
#include "dialogs/folder/browsefolder.h"

namespace vellumo {

namespace {

TBrowseFolderDlg::TShell& Shell()
{
    static TBrowseFolderDlg::TShell shell;
    return shell;
}

bool PathOfItem(PCIDLIST_ABSOLUTE item, char* path)
{
    path[0] = '\0';
    const bool ok = Shell().PathOf ? Shell().PathOf(item, path) : SHGetPathFromIDListA(item, path) != FALSE;
    if (!ok) path[0] = '\0';
    return ok;
}

// What the browser's callback works with; one per Execute, so nothing is
// shared between browsers.
struct TBrowseState {
    const TBrowseFolderDlg& Dlg;
    HWND Owner;
    char Path[MAX_PATH] = {};
    bool Selected = false;  // the tree reported a selection
    int Retries = 0;
};

constexpr char kStateProp[] = "VellumoBrowseState";
constexpr UINT_PTR kSelectTimer = 0x5E1;

// A tree still being filled when the browser opens ignores the start folder:
// it is asked again until the tree reports a selection (its own or the user's).
void CALLBACK SelectStartAgain(HWND window, UINT, UINT_PTR id, DWORD)
{
    auto* s = static_cast<TBrowseState*>(GetPropA(window, kStateProp));
    if (!s || s->Selected || --s->Retries < 0) {
        KillTimer(window, id);
        RemovePropA(window, kStateProp);
        return;
    }
    SendMessageA(window, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(s->Dlg.Directory.c_str()));
}

TPlaceRect PlaceRectOf(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

int CALLBACK BrowseCallback(HWND window, UINT msg, LPARAM param, LPARAM data)
{
    auto& s = *reinterpret_cast<TBrowseState*>(data);
    if (msg == BFFM_INITIALIZED) {
        RECT r{};
        GetWindowRect(window, &r);
        POINT origin{0, 0};
        if (s.Owner) ClientToScreen(s.Owner, &origin);
        RECT primary{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &primary, 0);
        const TPlacePoint at = BrowseFolderPlace({origin.x, origin.y}, r.right - r.left, r.bottom - r.top,
                                                 PlaceRectOf(primary), PlaceRectOf(GetWorkArea(nullptr)));
        SetWindowPos(window, nullptr, at.X, at.Y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        SetWindowTextA(window, s.Dlg.Caption.c_str());
        const std::string& start = s.Dlg.Directory;
        if (!start.empty()) {
            s.Selected = false;
            SendMessageA(window, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(start.c_str()));
            if (!s.Selected && SetPropA(window, kStateProp, &s)) {
                s.Retries = 40;  // two seconds
                SetTimer(window, kSelectTimer, 50, SelectStartAgain);
            }
        }
        if (s.Dlg.ShowSelectDir)
            SendMessageA(window, BFFM_SETSTATUSTEXTA, 0, reinterpret_cast<LPARAM>(start.c_str()));
    } else if (msg == BFFM_SELCHANGED) {
        s.Selected = true;
        if (s.Dlg.ShowSelectDir) {
            PathOfItem(reinterpret_cast<PCIDLIST_ABSOLUTE>(param), s.Path);
            SendMessageA(window, BFFM_SETSTATUSTEXTA, 0, reinterpret_cast<LPARAM>(s.Path));
        }
    }
    return 0;
}

struct TComScope {
    HRESULT Result = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    ~TComScope()
    {
        if (SUCCEEDED(Result)) CoUninitialize();
    }
};

} // namespace

namespace BrowseFolderDlg {

TBrowseFolderDlg::TShell TBrowseFolderDlg::SetShell(TShell shell) { return std::exchange(Shell(), std::move(shell)); }

bool TBrowseFolderDlg::Execute()
{
    IMalloc* malloc = nullptr;
    if (FAILED(SHGetMalloc(&malloc)) || !malloc) return false;
    const TComScope com;
    TBrowseState state{*this, owner_};
    char displayName[MAX_PATH] = {};
    const std::string prompt = BrowseFolderPrompt(TextLine1, TextLine2);
    BROWSEINFOA info{};
    info.hwndOwner = owner_;
    info.pszDisplayName = displayName;
    info.lpszTitle = prompt.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS | (ShowSelectDir ? BIF_STATUSTEXT : 0);
    info.lpfn = &BrowseCallback;
    info.lParam = reinterpret_cast<LPARAM>(&state);
    PIDLIST_ABSOLUTE item = Shell().Browse ? Shell().Browse(info) : SHBrowseForFolderA(&info);
    bool chosen = false;
    if (item) {
        // The display name is no folder: without a path nothing was chosen.
        char path[MAX_PATH];
        if (PathOfItem(item, path)) {
            Directory = path;
            chosen = true;
        }
        malloc->Free(item);
    }
    malloc->Release();
    return chosen;
}

} // namespace BrowseFolderDlg

} // namespace vellumo
