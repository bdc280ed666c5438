#include "classlib/mainformbase_win.h"

#include <algorithm>

#include "classlib/actionlist.h"
#include "classlib/application_win.h"
#include "classlib/menu_win.h"

namespace vellumo {

namespace {

std::vector<TMainFormBase*>& LiveMainForms()
{
    static std::vector<TMainFormBase*> forms;
    return forms;
}

TShortCut ShiftNow()
{
    TShortCut mods = 0;
    if (GetKeyState(VK_SHIFT) < 0)
        mods |= scShift;
    if (GetKeyState(VK_CONTROL) < 0)
        mods |= scCtrl;
    if (GetKeyState(VK_MENU) < 0)
        mods |= scAlt;
    return mods;
}

} // namespace

TMainFormBase* FindMainFormOf(HWND window)
{
    HWND root = window ? GetAncestor(window, GA_ROOT) : nullptr;
    if (!root)
        return nullptr;
    for (TMainFormBase* f : LiveMainForms())
        if (f->HandleAllocated() && f->Handle() == root)
            return f;
    return nullptr;
}

TMainFormBase::TMainFormBase() : TForm(nullptr)
{
    SetDialogKeys(false);
    SetBorderStyle(bsSizeable);
    SetPosition(poDefault);
    LiveMainForms().push_back(this);
    if (!Application().MainForm())
        Application().SetMainForm(this);
}

TMainFormBase::~TMainFormBase()
{
    auto& forms = LiveMainForms();
    forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
    if (Application().MainForm() == this)
        Application().SetMainForm(nullptr);
    // A derived form's members (the menu, the handlers' objects) may be gone
    // by now: the window goes without calling them, and without taking a
    // menu that outlives it along.
    if (HandleAllocated())
        ::SetMenu(Handle(), nullptr);
    menu_ = nullptr;
    OnDestroy = nullptr;
    aligned_.clear();
    DestroyHandle();
}

void TMainFormBase::SetMenu(TMainMenu* menu)
{
    if (menu == menu_)
        return;
    if (menu_)
        menu_->SetWindow(nullptr);
    menu_ = menu;
    if (HandleAllocated()) {
        if (menu_)
            menu_->SetWindow(Handle());
        else
            ::SetMenu(Handle(), nullptr);
        Realign();
    }
}

void TMainFormBase::AddActionList(TActionList* list)
{
    if (list && std::find(actionLists_.begin(), actionLists_.end(), list) == actionLists_.end())
        actionLists_.push_back(list);
}

bool TMainFormBase::IsShortCut(unsigned key) { return IsShortCutValue(ShortCut(key, ShiftNow())); }

bool TMainFormBase::IsShortCutValue(TShortCut sc)
{
    if (sc == scNone || (HandleAllocated() && !IsWindowEnabled(Handle())))
        return false;
    if (menu_ && menu_->IsShortCut(sc))
        return true;
    for (TActionList* list : actionLists_)
        if (list->IsShortCut(sc))
            return true;
    return false;
}

void TMainFormBase::AlignControl(TCustomControl& control, TAlign align)
{
    aligned_.push_back({&control, nullptr, align});
    if (HandleAllocated()) {
        if (!control.ParentWindow())
            control.SetParentWindow(Handle());
        control.HandleNeeded();
        Realign();
    }
}

void TMainFormBase::AlignControl(TWinControlChild& control, TAlign align)
{
    aligned_.push_back({nullptr, &control, align});
    if (HandleAllocated())
        Realign();
}

bool TMainFormBase::AlignedVisible(const TAligned& a) const
{
    return a.custom ? a.custom->Visible() : a.child->Visible();
}

void TMainFormBase::Place(TAligned& a, int left, int top, int width, int height)
{
    if (a.custom) {
        if (a.custom->Left() != left || a.custom->Top() != top || a.custom->Width() != width ||
            a.custom->Height() != height)
            a.custom->SetBounds(left, top, width, height);
    } else if (a.child->Left() != left || a.child->Top() != top || a.child->Width() != width ||
               a.child->Height() != height) {
        a.child->SetBounds(left, top, width, height);
    }
}

RECT TMainFormBase::ClientAreaLeft()
{
    RECT r = ClientRect();
    for (const TAligned& a : aligned_) {
        if (!AlignedVisible(a))
            continue;
        const int h = a.custom ? a.custom->Height() : a.child->Height();
        if (a.align == alTop)
            r.top += h;
        else if (a.align == alBottom)
            r.bottom -= h;
    }
    if (r.bottom < r.top)
        r.bottom = r.top;
    return r;
}

void TMainFormBase::Realign()
{
    if (realigning_ || !HandleAllocated())
        return;
    realigning_ = true;
    struct TDone {
        bool& flag;
        ~TDone() { flag = false; }
    } done{realigning_};
    RECT c = ClientRect();
    const int width = c.right - c.left;
    int top = c.top, bottom = c.bottom;
    for (TAligned& a : aligned_) {
        if (!AlignedVisible(a))
            continue;
        const int h = a.custom ? a.custom->Height() : a.child->Height();
        if (a.align == alTop) {
            Place(a, 0, top, width, h);
            top += h;
        }
    }
    for (TAligned& a : aligned_) {
        if (!AlignedVisible(a) || a.align != alBottom)
            continue;
        const int h = a.custom ? a.custom->Height() : a.child->Height();
        bottom -= h;
        Place(a, 0, bottom, width, h);
    }
    for (TAligned& a : aligned_) {
        if (AlignedVisible(a) && a.align == alClient)
            Place(a, 0, top, width, std::max(bottom - top, 0));
    }
}

void TMainFormBase::Close()
{
    if (Modal()) {
        TForm::Close();
        return;
    }
    if (!CloseQuery())
        return;
    TCloseAction action = caHide;
    if (OnClose)
        OnClose(action);
    if (action == caNone)
        return;
    if (Application().MainForm() == this) {
        Application().Terminate();
        Hide();
    } else if (action == caMinimize && HandleAllocated()) {
        ShowWindow(Handle(), SW_MINIMIZE);
    } else {
        Hide();
    }
}

void TMainFormBase::CreateParams(TCreateParams& p)
{
    TForm::CreateParams(p);
    p.ClassName = "TMainFormBase";
    if (!p.Parent && Application().MainForm() == this)
        p.Parent = Application().Handle();
}

void TMainFormBase::CreateHandle()
{
    TForm::CreateHandle();
    HWND h = Handle();
    // The custom controls become children of the form and get their windows
    // with it, as the standard ones do.
    for (TAligned& a : aligned_) {
        if (!a.custom)
            continue;
        if (!a.custom->ParentWindow())
            a.custom->SetParentWindow(h);
        if (a.custom->ParentWindow() == h)
            a.custom->HandleNeeded();
    }
    if (menu_)
        menu_->SetWindow(h);
    Realign();
}

void TMainFormBase::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case WM_INITMENUPOPUP:
    case WM_MENUSELECT:
    case WM_COMMAND:
        if (HandleMenuMessage(Handle(), m.Msg, m.WParam, m.LParam, m.Result))
            return;
        break;
    case WM_SIZE:
        TForm::WndProc(m);
        Realign();
        return;
    case WM_DESTROY:
        if (OnDestroy)
            OnDestroy();
        // The window would destroy the menu bar with itself.
        if (menu_)
            ::SetMenu(Handle(), nullptr);
        break;
    default:
        break;
    }
    TForm::WndProc(m);
}

} // namespace vellumo
