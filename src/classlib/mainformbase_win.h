#pragma once
// The base of a program's main window: a top-level, sizeable, modeless form
// with a menu bar, owned by the application window. Child controls are
// aligned to the top, the bottom or the rest of the client area (tool bar at
// the top, status bar at the bottom, the editor filling the rest) and laid
// out again on every WM_SIZE. Its keys go to the menu's and the action
// lists' shortcuts, not to dialog navigation. Windows only; GUI thread only.
//
// A derived form handles its own messages by overriding WndProc and calling
// the base for the rest:
//
//   void WndProc(TMessage& m) override
//   {
//       if (m.Msg == WM_DROPFILES) { ...; return; }
//       TMainFormBase::WndProc(m);
//   }
#include <windows.h>

#include <functional>
#include <vector>

#include "classlib/form_win.h"
#include "classlib/shortcut.h"

namespace vellumo {

class TMainMenu;
class TActionList;

enum TAlign { alNone, alTop, alBottom, alClient };

class TMainFormBase : public TForm {
public:
    TMainFormBase();
    ~TMainFormBase() override;

    // The menu bar (not owned); nullptr removes it.
    TMainMenu* Menu() const { return menu_; }
    void SetMenu(TMainMenu* menu);
    // Action lists whose shortcuts the pump offers after the menu (not owned).
    void AddActionList(TActionList* list);
    const std::vector<TActionList*>& ActionLists() const { return actionLists_; }
    // The key of a key message (with the shift state now) to the menu, then
    // to the action lists; true when one of them ran a command.
    bool IsShortCut(unsigned key);
    // The same for a shortcut value (key and modifier bits).
    bool IsShortCutValue(TShortCut shortCut);

    // Controls laid out by alignment, in the order given: top ones from the
    // top edge down, bottom ones from the bottom edge up, then one client
    // control in the rest. Hidden controls take no room. A custom control
    // without a parent window becomes a child of the form. Not owned.
    void AlignControl(TCustomControl& control, TAlign align);
    void AlignControl(TWinControlChild& control, TAlign align);
    // Lays the aligned controls out now. WM_SIZE does, and so does showing or
    // hiding a standard control of the form; call it after showing or hiding
    // a custom control.
    void Realign();
    // The client area left for the client control by the top and bottom ones.
    RECT ClientAreaLeft();

    // Modeless close: OnCloseQuery, OnClose; for the application's main form
    // any action other than caNone ends the application (Terminate) and hides
    // the form.
    void Close() override;

    // The window is being destroyed (children still exist). It runs when Run
    // ends or DestroyHandle is called; a derived form whose members the
    // handler uses calls DestroyHandle in its own destructor, since the base's
    // destructor no longer calls it.
    std::function<void()> OnDestroy;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateHandle() override;
    void WndProc(TMessage& msg) override;
    void ControlVisibilityChanged() override { Realign(); }

private:
    struct TAligned {
        TCustomControl* custom;
        TWinControlChild* child;
        TAlign align;
    };
    void Place(TAligned& a, int left, int top, int width, int height);
    bool AlignedVisible(const TAligned& a) const;

    TMainMenu* menu_ = nullptr;
    std::vector<TActionList*> actionLists_;
    std::vector<TAligned> aligned_;
    bool realigning_ = false;
};

// The live main-window form whose window is, or contains, this window
// (nullptr when none).
TMainFormBase* FindMainFormOf(HWND window);

} // namespace vellumo
