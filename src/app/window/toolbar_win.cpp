#include "app/window/toolbar_win.h"

#include "app/window/toolbar.h"

namespace vellumo {

namespace {

int ButtonIndex(std::string_view name)
{
    const auto t = ToolButtonTable();
    for (std::size_t i = 0; i < t.size(); ++i)
        if (name == t[i].Name) return static_cast<int>(i);
    return -1;
}

} // namespace

TMainToolBar::TMainToolBar()
{
    SetBounds(0, 0, 100, ToolBarHeight);
    SetIndent(ToolBarIndent);
    for (const TToolButtonEntry& b : ToolButtonTable()) {
        TToolButton& button = b.IsSeparator() ? AddSeparator(ToolSeparatorWidth) : AddButton(b.ImageIndex, b.Hint);
        if (b.InitiallyHidden) button.SetVisible(false);
    }
}

// The window goes before the pictures it shows.
TMainToolBar::~TMainToolBar() { DestroyHandle(); }

void TMainToolBar::Create(HWND parent, UINT firstCommand)
{
    for (int i = 0; i < ToolImageCount; ++i) images_.AddDrawn([i](HDC dc, int, int) { DrawToolImage(dc, i); });
    SetImages(&images_);
    SetFirstCommand(static_cast<int>(firstCommand));
    SetParentWindow(parent);
    HandleNeeded();
    Resize();
}

void TMainToolBar::Resize()
{
    if (!HandleAllocated()) return;
    RECT r;
    GetClientRect(ParentWindow(), &r);
    SetBounds(0, 0, r.right, ToolBarHeight);
}

int TMainToolBar::ButtonOfCommand(UINT id) const
{
    const TToolButton* b = HandleAllocated() ? FindButton(static_cast<int>(id)) : nullptr;
    return b ? b->Index() : -1;
}

void TMainToolBar::SetButtonVisible(std::string_view name, bool on)
{
    const int i = ButtonIndex(name);
    if (i >= 0) Buttons(i).SetVisible(on);
}

void TMainToolBar::SetButtonEnabled(std::string_view name, bool on)
{
    const int i = ButtonIndex(name);
    if (i >= 0) Buttons(i).SetEnabled(on);
}

void TMainToolBar::ApplyToolBarImages(int imageKind, bool flat, bool hot)
{
    if (imageKind != 0 && imageKind != 1) return;
    SetImages(&images_);
    SetHotImages(imageKind == 1 && flat && hot ? &images_ : nullptr);
}

bool TMainToolBar::ButtonEnabled(std::string_view name)
{
    const int i = ButtonIndex(name);
    return i >= 0 && Buttons(i).Enabled();
}

} // namespace vellumo
