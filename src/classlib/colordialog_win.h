#pragma once
// The system's colour dialog. Every Execute goes through a seam that tests
// script: the script answers instead of the dialog. Windows only.
#include <windows.h>

#include <functional>

#include "base/color.h"

namespace vellumo {

struct TColorDialogAnswer {
    bool ok = false;
    TColor color = clBlack;
};

class TColorDialog {
public:
    // In: the colour the dialog starts on; out, after OK: the chosen one
    // (always a plain RGB colour).
    TColor Color = clBlack;

    // Shows the dialog with its top-left at the client point (x, y) of
    // owner. The sixteen custom colours are kept for the process.
    bool Execute(HWND owner, int x = 0, int y = 0);

    // Tests: the script answers every Execute; an empty one restores the
    // system dialog. Returns the previous script.
    using TScript = std::function<TColorDialogAnswer(const TColorDialog& dialog)>;
    static TScript SetScript(TScript script);

private:
    bool SystemExecute(HWND owner, int x, int y);
};

} // namespace vellumo
