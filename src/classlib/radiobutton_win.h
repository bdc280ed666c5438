#pragma once
// A radio button on its own, for a choice whose buttons sit among other
// controls (edits beside them) where a radio group's frame cannot hold
// them. The buttons of a form with the same group number exclude each
// other; the form, not the system's dialog groups, decides that. Windows
// only; GUI thread only.
#include <string>

#include "classlib/form_win.h"

namespace vellumo {

class TRadioButton : public TWinControlChild {
public:
    TRadioButton(TForm& form, const std::string& caption = {}, int group = 0);

    int Group() const noexcept { return group_; }
    bool Checked() const;
    // Checking unchecks the other buttons of the group. Fires no event.
    void SetChecked(bool on);
    // OnClick: the user chose the button (it is checked by then).

protected:
    const char* WindowClass() const override { return "BUTTON"; }
    DWORD ControlStyle() const override { return BS_RADIOBUTTON; }
    void Created() override;
    void SaveState() override;
    void Notify(WORD code) override;

private:
    int group_;
    bool checked_ = false;
};

} // namespace vellumo
