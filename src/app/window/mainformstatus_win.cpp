#include "app/window/mainformstatus_win.h"

namespace vellumo {

namespace {

struct TPanelLook {
    TStatusAlignment Alignment;
    TStatusPanelBevel Bevel;
};

// Panels 0 (hints and messages) and 9 (a spacer) have no bevel.
constexpr TPanelLook kLooks[kStatusPanelCount] = {
    {saLeft, pbNone},      {saRight, pbLowered},  {saCenter, pbLowered}, {saCenter, pbLowered},
    {saCenter, pbLowered}, {saCenter, pbLowered}, {saCenter, pbLowered}, {saCenter, pbLowered},
    {saCenter, pbLowered}, {saLeft, pbNone},
};

constexpr UINT_PTR kRepaintTimer = 1234;

// After a resize the bar is drawn once more a moment later: the size grip
// and the panel edges of the old width would otherwise stay behind.
void CALLBACK RepaintOnce(HWND bar, UINT, UINT_PTR id, DWORD)
{
    KillTimer(bar, id);
    RedrawWindow(bar, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
}

} // namespace

TMainStatusBar::TMainStatusBar()
{
    for (int i = 0; i < kStatusPanelCount; ++i) {
        const TPanelLook& look = kLooks[i];
        AddPanel(kStatusPanelWidths[static_cast<std::size_t>(i)], look.Alignment, look.Bevel);
    }
    SetAutoHint(true);
}

void TMainStatusBar::Create(HWND parent)
{
    SetParentWindow(parent);
    HandleNeeded();
    Resize(false);
}

void TMainStatusBar::Resize(bool maximized)
{
    maximized_ = maximized;
    if (!HandleAllocated()) return;
    InvalidateRect(Handle(), nullptr, TRUE);
    Realign();
    FitFirstPanel();
    Repaint();
    SetTimer(Handle(), kRepaintTimer, 20, RepaintOnce);
}

void TMainStatusBar::PanelTextSet(int index)
{
    if (index == 0) FitFirstPanel();
}

void TMainStatusBar::FitFirstPanel()
{
    if (!HandleAllocated()) return;
    RECT r;
    GetClientRect(Handle(), &r);
    TStatusPanelWidths widths{};
    for (int i = 0; i < kStatusPanelCount; ++i) widths[static_cast<std::size_t>(i)] = PanelWidth(i);
    Panels(0).SetWidth(FirstPanelWidth(r.right, maximized_, widths, TextWidth(PanelText(0))));
}

int TMainStatusBar::TextWidth(const std::string& text) const
{
    if (text.empty()) return 0;
    HWND h = const_cast<TMainStatusBar*>(this)->Handle();
    HDC dc = GetDC(h);
    if (!dc) return 0;
    HFONT font = FontHandle() ? FontHandle() : reinterpret_cast<HFONT>(SendMessageA(h, WM_GETFONT, 0, 0));
    HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
    SIZE size{};
    GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size);
    if (old) SelectObject(dc, old);
    ReleaseDC(h, dc);
    return size.cx;
}

} // namespace vellumo

// ---- the form's handlers of the panels that follow the editors

#include "app/core/appfuncs.h"
#include "app/window/mainform_win.h"
#include "settings/settingsstore.h"

namespace vellumo {

void TVellumoMainForm::Editor1CaretMoved(TEditor&)
{
    // A replace-all moves the caret for every match: walking the text each
    // time would make it quadratic, so the panel is only marked and the loop
    // refreshes it once at its end.
    if (ReplaceBusy()) {
        caretPanelStale_ = true;
        return;
    }
    ClearStatusMessage();
    UpdateCaretPanel();
}

void TVellumoMainForm::UpdateCaretPanel()
{
    caretPanelStale_ = false;
    TEditor& ed = ActiveEditor();
    const bool lineNum = AppSettingsStore().Settings.Option.LineNum;
    StatusBar1.SetPanelText(1, CaretPositionText(ed.Store(), ed.Row(), ed.Col(), lineNum));
}

void TVellumoMainForm::Editor1SelectionModeChange(TEditor&)
{
    // Setting the other pane's mode fires this handler again.
    if (syncingSelectionMode_) return;
    syncingSelectionMode_ = true;
    try {
        TEditor& ed = ActiveEditor();
        const bool box = ed.SelectionMode() == smBox;
        StatusBar1.SetPanelText(4, BoxModeText(box));
        if (!AppSettingsStore().Settings.Option.FreeCaret) ed.Caret().SetFreeCaret(box);
        TEditor* other = InactiveEditor();
        if (other && other->HandleAllocated()) {
            other->SetSelectionMode(ed.SelectionMode());
            other->Caret().SetFreeCaret(ed.Caret().FreeCaret());
        }
    } catch (...) {
        syncingSelectionMode_ = false;
        throw;
    }
    syncingSelectionMode_ = false;
}

void TVellumoMainForm::StatusBar1Resize() { StatusBar1.Resize(IsZoomed(Window()) != FALSE); }

} // namespace vellumo
