#include "app/window/mainformstatus_win.h"

#include <commctrl.h>

namespace vellumo {

namespace {

// 0 left, 1 centre, 2 right; panels 0 and 9 have no bevel.
constexpr int kAlign[TMainStatusBar::PanelCount] = {0, 2, 1, 1, 1, 1, 1, 1, 1, 0};

constexpr UINT_PTR kRepaintTimer = 1234;

void RepaintBar(HWND bar)
{
    RECT r;
    GetWindowRect(bar, &r);
    MapWindowPoints(nullptr, bar, reinterpret_cast<POINT*>(&r), 2);
    RedrawWindow(bar, &r, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
}

// After a resize the bar is drawn once more a moment later: the size grip
// and the panel edges of the old width would otherwise stay behind.
void CALLBACK RepaintOnce(HWND bar, UINT, UINT_PTR id, DWORD)
{
    KillTimer(bar, id);
    RepaintBar(bar);
}

} // namespace

TMainStatusBar::~TMainStatusBar()
{
    if (handle_ && IsWindow(handle_)) DestroyWindow(handle_);
    if (font_) DeleteObject(font_);
}

void TMainStatusBar::Create(HWND parent)
{
    handle_ = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 19, parent,
                              nullptr, GetModuleHandleA(nullptr), nullptr);
    Resize(false);
}

void TMainStatusBar::SetFont(HFONT font)
{
    if (handle_) SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    if (font_) DeleteObject(font_);
    font_ = font;
}

bool TMainStatusBar::Visible() const { return handle_ && IsWindowVisible(handle_); }

void TMainStatusBar::SetVisible(bool on)
{
    if (handle_) ShowWindow(handle_, on ? SW_SHOW : SW_HIDE);
}

int TMainStatusBar::Height() const
{
    if (!Visible()) return 0;
    RECT r;
    GetWindowRect(handle_, &r);
    return r.bottom - r.top;
}

void TMainStatusBar::ApplyPanel(int panel)
{
    if (!handle_) return;
    const auto i = static_cast<std::size_t>(panel);
    std::string shown = kAlign[i] == 1 ? "\t" + texts_[i] : kAlign[i] == 2 ? "\t\t" + texts_[i] : texts_[i];
    const WPARAM style = (panel == 0 || panel == 9) ? SBT_NOBORDERS : 0;
    SendMessageA(handle_, SB_SETTEXTA, static_cast<WPARAM>(panel) | style, reinterpret_cast<LPARAM>(shown.c_str()));
}

void TMainStatusBar::SetPanelText(int panel, const std::string& text)
{
    texts_.at(static_cast<std::size_t>(panel)) = text;
    ApplyPanel(panel);
}

void TMainStatusBar::Resize(bool maximized)
{
    if (!handle_) return;
    InvalidateRect(handle_, nullptr, TRUE);
    SendMessageA(handle_, WM_SIZE, 0, 0);
    RECT r;
    GetClientRect(handle_, &r);
    widths_[0] = FirstPanelWidth(r.right, maximized, widths_);
    int edges[PanelCount];
    int x = 0;
    for (int i = 0; i < PanelCount; ++i) {
        x += widths_[static_cast<std::size_t>(i)];
        edges[i] = x;
    }
    edges[PanelCount - 1] = -1;
    SendMessageA(handle_, SB_SETPARTS, PanelCount, reinterpret_cast<LPARAM>(edges));
    for (int i = 0; i < PanelCount; ++i) ApplyPanel(i);
    RepaintNow();
    SetTimer(handle_, kRepaintTimer, 20, RepaintOnce);
}

void TMainStatusBar::RepaintNow()
{
    if (handle_) RepaintBar(handle_);
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
