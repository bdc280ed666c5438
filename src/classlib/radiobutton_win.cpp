#include "classlib/radiobutton_win.h"

namespace vellumo {

TRadioButton::TRadioButton(TForm& form, const std::string& caption, int group) : TWinControlChild(form), group_(group)
{
    SetCaption(caption);
}

bool TRadioButton::Checked() const
{
    return HandleAllocated() ? Send(BM_GETCHECK) == BST_CHECKED : checked_;
}

void TRadioButton::SetChecked(bool on)
{
    checked_ = on;
    Send(BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED);
    if (!on) return;
    for (TWinControlChild* c : Form().Controls()) {
        auto* other = dynamic_cast<TRadioButton*>(c);
        if (other && other != this && other->group_ == group_) {
            other->checked_ = false;
            other->Send(BM_SETCHECK, BST_UNCHECKED);
        }
    }
}

void TRadioButton::Created() { Send(BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED); }

void TRadioButton::SaveState()
{
    TWinControlChild::SaveState();
    checked_ = Send(BM_GETCHECK) == BST_CHECKED;
}

void TRadioButton::Notify(WORD code)
{
    if (code != BN_CLICKED || !Enabled()) return;
    SetChecked(true);
    Clicked();
}

} // namespace vellumo
