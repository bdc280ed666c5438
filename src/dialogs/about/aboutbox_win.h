#pragma once
// The about box (tests reach its controls through the modal script).
#include <array>

#include "classlib/form_win.h"
#include "classlib/urllabel_win.h"

namespace vellumo {

// The program's icon.
class TIconImage : public TWinControlChild {
public:
    explicit TIconImage(TForm& form);

protected:
    const char* WindowClass() const override { return "STATIC"; }
    DWORD ControlStyle() const override { return SS_ICON; }
    void Created() override;
};

// A line across the box above its lower part.
class TBevelLine : public TWinControlChild {
public:
    explicit TBevelLine(TForm& form);

protected:
    const char* WindowClass() const override { return "STATIC"; }
    DWORD ControlStyle() const override { return SS_ETCHEDHORZ; }
};

class TAboutBox : public TForm {
public:
    TAboutBox();

    TIconImage Image1{*this};
    TLabel AppName{*this};
    TLabel VerNo{*this};
    TLabel Label2{*this};
    TBevelLine Bevel1{*this};
    TLabel LabelUser{*this, "&User:"};
    TEdit Edit_usr{*this};
    TLabel LabelIni{*this, "&IniDir :"};
    TEdit Edit_ini{*this};
    TURLLabel URLLabel1{*this};
    TURLLabel URLLabel2{*this};
    TURLLabel URLLabel3{*this};
    TURLLabel URLLabel4{*this};
    TButton Button1{*this, "OK", mrOk};

    std::array<TURLLabel*, 4> Links() { return {&URLLabel1, &URLLabel2, &URLLabel3, &URLLabel4}; }

protected:
    void DoShow() override;

private:
    void OpenLink(int link);
};

// The about box, modal; true when closed with OK.
bool ShowAboutBox();

} // namespace vellumo
