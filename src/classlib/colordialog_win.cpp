#include "classlib/colordialog_win.h"

#include <commdlg.h>

#include <utility>

#include "classlib/canvas_win.h"
#include "classlib/form_win.h"

namespace vellumo {

namespace {

TColorDialog::TScript& Script()
{
    static TColorDialog::TScript script;
    return script;
}

struct TPlacement {
    HWND Owner;
    int X, Y;
};

UINT_PTR CALLBACK PlaceHook(HWND dlg, UINT msg, WPARAM, LPARAM lParam)
{
    if (msg == WM_INITDIALOG) {
        const auto* cc = reinterpret_cast<const CHOOSECOLORA*>(lParam);
        const auto* place = cc ? reinterpret_cast<const TPlacement*>(cc->lCustData) : nullptr;
        if (place && place->Owner) PlaceWindowInWorkArea(place->Owner, dlg, place->X, place->Y);
        return TRUE;
    }
    return 0;
}

} // namespace

TColorDialog::TScript TColorDialog::SetScript(TScript script) { return std::exchange(Script(), std::move(script)); }

bool TColorDialog::Execute(HWND owner, int x, int y)
{
    if (!Script()) return SystemExecute(owner, x, y);
    TScript script = Script();  // the script may replace itself
    const TColorDialogAnswer a = script(*this);
    if (!a.ok) return false;
    Color = static_cast<TColor>(ColorToRGB(a.color));
    return true;
}

bool TColorDialog::SystemExecute(HWND owner, int x, int y)
{
    static COLORREF customColors[16] = {
        0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF,
        0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF,
    };
    TPlacement place{owner, x, y};
    CHOOSECOLORA cc{};
    cc.lStructSize = sizeof cc;
    cc.hwndOwner = owner;
    cc.rgbResult = ColorToRGB(Color);
    cc.lpCustColors = customColors;
    cc.Flags = CC_RGBINIT | CC_ENABLEHOOK;
    cc.lCustData = reinterpret_cast<LPARAM>(&place);
    cc.lpfnHook = &PlaceHook;
    if (!ChooseColorA(&cc)) return false;
    Color = static_cast<TColor>(cc.rgbResult & 0x00FFFFFFu);
    return true;
}

} // namespace vellumo
