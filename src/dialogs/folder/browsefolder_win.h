#pragma once
// Picks a folder with the shell's folder browser, placed at the top left of
// its owner form and kept inside the work area.
#include <windows.h>
#include <shlobj.h>

#include <functional>
#include <string>

namespace vellumo {

// The folder browser keeps to a namespace of its own, BrowseFolderDlg.
namespace BrowseFolderDlg {

class TBrowseFolderDlg {
public:
    explicit TBrowseFolderDlg(HWND owner) : owner_(owner) {}

    std::string Caption = "フォルダの参照";
    std::string TextLine1;
    std::string TextLine2;
    std::string Directory;  // the start folder in, the chosen folder out
    bool ShowSelectDir = true;

    // True, with Directory set, when a folder was chosen; a choice that has
    // no file-system path counts as cancelled.
    bool Execute();

    // The shell calls Execute makes, replaceable by tests. Browse stands for
    // SHBrowseForFolderA (it may call info.lpfn as the browser would); the
    // list it returns is freed with the shell's allocator. PathOf stands for
    // SHGetPathFromIDListA (path holds MAX_PATH bytes).
    struct TShell {
        std::function<PIDLIST_ABSOLUTE(BROWSEINFOA& info)> Browse;
        std::function<bool(PCIDLIST_ABSOLUTE item, char* path)> PathOf;
    };
    // An empty member keeps the system's call. Returns the previous shell.
    static TShell SetShell(TShell shell);

private:
    HWND owner_;
};

} // namespace BrowseFolderDlg

using BrowseFolderDlg::TBrowseFolderDlg;

} // namespace vellumo
