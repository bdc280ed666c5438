#include "app/window/toolbar_win.h"

#include <string>
#include <vector>

#include "app/window/toolbar.h"

namespace vellumo {

TMainToolBar::~TMainToolBar()
{
    if (handle_ && IsWindow(handle_)) DestroyWindow(handle_);
    if (images_) ImageList_Destroy(images_);
}

void TMainToolBar::Create(HWND parent, UINT firstCommand)
{
    first_ = firstCommand;
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);
    handle_ = CreateWindowExA(0, TOOLBARCLASSNAMEA, "",
                              WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TBSTYLE_TOOLTIPS | TBSTYLE_FLAT |
                                  CCS_TOP | CCS_NODIVIDER | CCS_NORESIZE,
                              0, 0, 100, ToolBarHeight, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!handle_) return;
    SendMessageA(handle_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageA(handle_, TB_SETINDENT, ToolBarIndent, 0);
    images_ = CreateToolImages();
    SendMessageA(handle_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_));
    const auto table = ToolButtonTable();
    std::vector<TBBUTTON> buttons(table.size());
    for (std::size_t i = 0; i < table.size(); ++i) {
        const auto& b = table[i];
        TBBUTTON& t = buttons[i];
        t.idCommand = static_cast<int>(first_ + i);
        t.fsState = static_cast<BYTE>(TBSTATE_ENABLED | (b.InitiallyHidden ? TBSTATE_HIDDEN : 0));
        if (b.IsSeparator()) {
            t.iBitmap = ToolSeparatorWidth;
            t.fsStyle = BTNS_SEP;
        } else {
            t.iBitmap = b.ImageIndex;
            t.fsStyle = BTNS_BUTTON;
            t.iString = reinterpret_cast<INT_PTR>(b.Hint);
        }
    }
    // The hints are tool tips, not labels.
    SendMessageA(handle_, TB_SETMAXTEXTROWS, 0, 0);
    SendMessageA(handle_, TB_ADDBUTTONSA, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
    Resize();
}

int TMainToolBar::Height() const
{
    if (!Visible()) return 0;
    RECT r;
    GetWindowRect(handle_, &r);
    return r.bottom - r.top;
}

bool TMainToolBar::Visible() const { return handle_ && IsWindowVisible(handle_); }

void TMainToolBar::SetVisible(bool on)
{
    if (handle_) ShowWindow(handle_, on ? SW_SHOW : SW_HIDE);
}

void TMainToolBar::SetFlat(bool on)
{
    if (!handle_) return;
    const LONG_PTR style = GetWindowLongPtrA(handle_, GWL_STYLE);
    SetWindowLongPtrA(handle_, GWL_STYLE, on ? (style | TBSTYLE_FLAT) : (style & ~static_cast<LONG_PTR>(TBSTYLE_FLAT)));
    InvalidateRect(handle_, nullptr, TRUE);
}

void TMainToolBar::Resize()
{
    if (!handle_) return;
    RECT r;
    GetClientRect(GetParent(handle_), &r);
    MoveWindow(handle_, 0, 0, r.right, ToolBarHeight, TRUE);
}

int TMainToolBar::ButtonOfCommand(UINT id) const noexcept
{
    const auto n = ToolButtonTable().size();
    if (!handle_ || id < first_ || id >= first_ + n) return -1;
    return static_cast<int>(id - first_);
}

namespace {

int ButtonIndex(std::string_view name)
{
    const auto t = ToolButtonTable();
    for (std::size_t i = 0; i < t.size(); ++i)
        if (name == t[i].Name) return static_cast<int>(i);
    return -1;
}

} // namespace

void TMainToolBar::SetButtonVisible(std::string_view name, bool on)
{
    const int i = ButtonIndex(name);
    if (handle_ && i >= 0) SendMessageA(handle_, TB_HIDEBUTTON, first_ + static_cast<UINT>(i), MAKELPARAM(!on, 0));
}

void TMainToolBar::SetButtonEnabled(std::string_view name, bool on)
{
    const int i = ButtonIndex(name);
    if (handle_ && i >= 0) SendMessageA(handle_, TB_ENABLEBUTTON, first_ + static_cast<UINT>(i), MAKELPARAM(on, 0));
}

bool TMainToolBar::ButtonEnabled(std::string_view name) const
{
    const int i = ButtonIndex(name);
    return handle_ && i >= 0 && SendMessageA(handle_, TB_ISBUTTONENABLED, first_ + static_cast<UINT>(i), 0) != 0;
}

} // namespace vellumo
