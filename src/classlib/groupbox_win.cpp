#include "classlib/groupbox_win.h"

#include <commctrl.h>

#include <algorithm>

#include "base/showmsg.h"

namespace vellumo {

TGroupBox::TGroupBox(TForm& form, const std::string& caption) : TWinControlChild(form)
{
    tabStop_ = false;
    SetCaption(caption);
}

// ---- radio items

// A plain radio button: the group keeps the choice itself, since automatic
// radio buttons would also clear buttons of a neighbouring group.
class TRadioGroup::TItem : public TWinControlChild {
public:
    TItem(TRadioGroup& group, int index, const std::string& caption)
        : TWinControlChild(group.Form()), group_(group), index_(index)
    {
        SetCaption(caption);
    }
    ~TItem() override
    {
        if (HandleAllocated()) RemoveWindowSubclass(Handle(), &ItemProc, 1);
    }
    void SetChecked(bool on)
    {
        checked_ = on;
        Send(BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED);
    }
    bool Checked() const noexcept { return checked_; }
    bool OwnEnabled() const noexcept { return ownEnabled_; }
    void SetOwnEnabled(bool on)
    {
        ownEnabled_ = on;
        TWinControlChild::SetEnabled(on && group_.Enabled());
    }

protected:
    const char* WindowClass() const override { return "BUTTON"; }
    DWORD ControlStyle() const override { return BS_RADIOBUTTON | (index_ == 0 ? WS_GROUP : 0); }
    void Created() override
    {
        HWND h = Handle();
        Send(BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED);
        // Tab order: right after the frame or the item before.
        HWND after = index_ == 0 ? group_.Handle() : group_.buttons_[static_cast<std::size_t>(index_ - 1)]->Handle();
        if (after) SetWindowPos(h, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        SetWindowSubclass(h, &ItemProc, 1, reinterpret_cast<DWORD_PTR>(this));
    }
    void Notify(WORD code) override
    {
        if (code == BN_CLICKED) group_.Choose(index_, false);
    }

private:
    static LRESULT CALLBACK ItemProc(HWND h, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR data)
    {
        auto* self = reinterpret_cast<TItem*>(data);
        switch (msg) {
        case WM_GETDLGCODE:
            // The arrows are ours, not the dialog navigation's.
            return DefSubclassProc(h, msg, wp, lp) | DLGC_WANTARROWS;
        case WM_KEYDOWN:
            if (wp == VK_UP || wp == VK_LEFT || wp == VK_DOWN || wp == VK_RIGHT) {
                ReportFailures([&] {
                    self->group_.Step(self->index_, wp == VK_UP || wp == VK_LEFT ? -1 : 1);
                });
                return 0;
            }
            break;
        case WM_NCDESTROY:
            RemoveWindowSubclass(h, &ItemProc, 1);
            break;
        default:
            break;
        }
        return DefSubclassProc(h, msg, wp, lp);
    }

    TRadioGroup& group_;
    int index_;
    bool checked_ = false;
    bool ownEnabled_ = true;
};

// ---- radio group

TRadioGroup::TRadioGroup(TForm& form, const std::string& caption) : TGroupBox(form, caption) {}

TRadioGroup::~TRadioGroup() = default;

void TRadioGroup::SetItems(const std::vector<std::string>& items)
{
    buttons_.clear();
    items_ = items;
    itemIndex_ = -1;
    const bool live = HandleAllocated();
    for (std::size_t i = 0; i < items_.size(); ++i) {
        auto b = std::make_unique<TItem>(*this, static_cast<int>(i), items_[i]);
        if (!Enabled()) b->SetOwnEnabled(true);  // takes the frame's state
        if (!Visible()) b->TWinControlChild::SetVisible(false);
        buttons_.push_back(std::move(b));
    }
    Layout();
    SetItemIndex(-1);
    if (live)
        for (auto& b : buttons_) b->Handle();
}

void TRadioGroup::SetItemIndex(int index)
{
    if (index < -1 || index >= static_cast<int>(buttons_.size())) index = -1;
    itemIndex_ = index;
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        const bool chosen = static_cast<int>(i) == index;
        buttons_[i]->SetChecked(chosen);
        // The chosen item (or the first) is where Tab enters the group.
        buttons_[i]->SetTabStop(chosen || (index < 0 && i == 0));
    }
}

void TRadioGroup::SetColumns(int columns)
{
    columns_ = std::clamp(columns, 1, 16);
    Layout();
}

void TRadioGroup::SetEnabled(bool enabled)
{
    TGroupBox::SetEnabled(enabled);
    for (auto& b : buttons_) b->SetOwnEnabled(b->OwnEnabled());
}

void TRadioGroup::SetVisible(bool visible)
{
    for (auto& b : buttons_) b->TWinControlChild::SetVisible(visible);
    TGroupBox::SetVisible(visible);
}

void TRadioGroup::SetItemEnabled(int index, bool enabled)
{
    if (index >= 0 && index < static_cast<int>(buttons_.size()))
        buttons_[static_cast<std::size_t>(index)]->SetOwnEnabled(enabled);
}

bool TRadioGroup::ItemEnabled(int index) const
{
    if (index < 0 || index >= static_cast<int>(buttons_.size())) return false;
    return buttons_[static_cast<std::size_t>(index)]->Enabled();
}

HWND TRadioGroup::ItemHandle(int index)
{
    if (index < 0 || index >= static_cast<int>(buttons_.size())) return nullptr;
    return buttons_[static_cast<std::size_t>(index)]->Handle();
}

void TRadioGroup::Created()
{
    textHeight_ = 0;
    Layout();
}

void TRadioGroup::Resized() { Layout(); }

int TRadioGroup::TextHeight()
{
    if (textHeight_ > 0 || !HandleAllocated()) return textHeight_ > 0 ? textHeight_ : 12;
    HWND h = Handle();
    HDC dc = GetDC(h);
    if (!dc) return 12;
    auto font = reinterpret_cast<HFONT>(SendMessageA(h, WM_GETFONT, 0, 0));
    HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
    TEXTMETRICA tm{};
    if (GetTextMetricsA(dc, &tm)) textHeight_ = tm.tmHeight;
    if (old) SelectObject(dc, old);
    ReleaseDC(h, dc);
    return textHeight_ > 0 ? textHeight_ : 12;
}

void TRadioGroup::Layout()
{
    const int n = static_cast<int>(buttons_.size());
    if (n == 0) return;
    const int th = TextHeight();
    const int rows = (n + columns_ - 1) / columns_;
    // Below the caption, above the bottom edge, inside the side edges.
    const int top = Top() + th;
    const int inner = std::max(Height() - th - 4, rows);
    const int rowH = inner / rows;
    const int itemH = std::min(rowH, th + 6);
    const int colW = std::max((Width() - 16) / columns_, 1);
    for (int i = 0; i < n; ++i) {
        const int col = i / rows, row = i % rows;
        buttons_[static_cast<std::size_t>(i)]->SetBounds(Left() + 8 + col * colW, top + row * rowH + (rowH - itemH) / 2,
                                                          colW - 4, itemH);
    }
}

void TRadioGroup::Choose(int index, bool focus)
{
    if (index < 0 || index >= static_cast<int>(buttons_.size())) return;
    const bool changed = index != itemIndex_;
    SetItemIndex(index);
    if (focus) buttons_[static_cast<std::size_t>(index)]->SetFocus();
    Clicked();
    if (changed) Changed();
}

void TRadioGroup::Step(int from, int delta)
{
    const int n = static_cast<int>(buttons_.size());
    for (int k = 1; k < n; ++k) {
        const int i = ((from + delta * k) % n + n) % n;
        const auto& b = buttons_[static_cast<std::size_t>(i)];
        if (b->Enabled() && b->Visible()) {
            Choose(i, true);
            return;
        }
    }
}

} // namespace vellumo
