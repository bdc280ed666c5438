#include "app/mainformstatus_win.h"

#include <commctrl.h>

namespace vellumo {

namespace {

// 0 left, 1 centre, 2 right; panels 0 and 9 have no bevel.
constexpr int kAlign[TMainStatusBar::PanelCount] = {0, 2, 1, 1, 1, 1, 1, 1, 1, 0};

constexpr UINT_PTR kRepaintTimer = 1234;

void RepaintNow(HWND bar)
{
    InvalidateRect(bar, nullptr, TRUE);
    UpdateWindow(bar);
}

// After a resize the bar is drawn once more a moment later: the size grip
// and the panel edges of the old width would otherwise stay behind.
void CALLBACK RepaintOnce(HWND bar, UINT, UINT_PTR id, DWORD)
{
    KillTimer(bar, id);
    RepaintNow(bar);
}

} // namespace

int FirstPanelWidth(int barWidth, bool maximized, const std::array<int, 10>& widths) noexcept
{
    int others = 0;
    for (std::size_t i = 1; i < widths.size(); ++i) others += widths[i];
    const int w = barWidth + 50 - others - (maximized ? 0 : 18);
    return w <= 77 ? 78 : w;
}

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
    RepaintNow(handle_);
    SetTimer(handle_, kRepaintTimer, 20, RepaintOnce);
}

} // namespace vellumo
