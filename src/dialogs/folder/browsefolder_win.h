#pragma once
// Picks a folder with the shell's folder browser, placed at the top left of
// its owner form and kept inside the work area.
#include <windows.h>

#include <string>

namespace vellumo {

class TBrowseFolderDlg {
public:
    explicit TBrowseFolderDlg(HWND owner) : owner_(owner) {}

    std::string Caption = "フォルダの参照";
    std::string TextLine1;
    std::string TextLine2;
    std::string Directory;  // the start folder in, the chosen folder out
    bool ShowSelectDir = true;

    // True, with Directory set, when a folder was chosen.
    bool Execute();

private:
    HWND owner_;
};

} // namespace vellumo
