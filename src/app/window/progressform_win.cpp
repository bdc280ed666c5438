#include "app/window/progressform_win.h"

namespace vellumo {
inline namespace VmPprog {

TFormVeloProgress::TFormVeloProgress(HWND owner, HWND anchor) : TForm(owner), anchor_(anchor)
{
    SetFormFont(*this);
    SetBorderStyle(bsDialog);
    SetBorderIcons(0);
    // Before the main window is on screen there is nothing to sit beside.
    SetPosition(owner && IsWindowVisible(owner) ? poDesigned : poScreenCenter);
    SetClientSize(297, 38);
    Label1.SetBounds(10, 12, 196, 16);
    Label1.SetShowAccelChar(false);
    Button1.SetBounds(214, 7, 75, 25);
    Button1.SetCancel(true);
    Button1.OnClick = [this] { Button1Click(); };
    Timer1.SetInterval(100);
    Timer1.OnTimer = [this] { Tick(); };
    Timer1.SetEnabled(true);
}

void TFormVeloProgress::CreateParams(TCreateParams& p)
{
    TForm::CreateParams(p);
    p.ClassName = "TFormVeloProgress";
}

void TFormVeloProgress::DoShow()
{
    if (Position() == poDesigned && anchor_ && IsWindow(anchor_)) {
        RECT own;
        POINT p{24, 24};
        if (ClientToScreen(anchor_, &p) && GetWindowRect(Handle(), &own)) {
            const int w = own.right - own.left, h = own.bottom - own.top;
            p = KeepInsideWorkArea(p, p.x + w, p.y + h);
            SetBounds(p.x, p.y, w, h);
        }
    }
    TForm::DoShow();
}

void TFormVeloProgress::Tick()
{
    if (Label1.Caption() == pendingText_) return;
    Label1.SetCaption(pendingText_);
    Label1.Repaint();
}

void TFormVeloProgress::UpdateProgress(bool enableAbort)
{
    if (Button1.Enabled() != enableAbort) Button1.SetEnabled(enableAbort);
    if (Label1.Caption() != pendingText_) {
        Label1.SetCaption(pendingText_);
        Label1.Repaint();
    }
    ProcessMessages();
}

std::unique_ptr<TFormVeloProgress> ShowProgressForm(HWND ownerForm, HWND anchor, const std::string& text,
                                                    const std::string& caption)
{
    auto form = std::make_unique<TFormVeloProgress>(ownerForm, anchor);
    form->SetCaption(caption);
    form->SetText(text);
    form->Label1.SetCaption(text);
    form->Show();
    return form;
}

} // namespace VmPprog

TVellumoDummyForm::TVellumoDummyForm(HWND owner) : TForm(owner)
{
    SetBorderStyle(bsNone);
    SetBorderIcons(0);
    SetBounds(-100, -100, 0, 0);
}

void TVellumoDummyForm::CreateParams(TCreateParams& p)
{
    TForm::CreateParams(p);
    p.ClassName = "TVellumoDummyForm";
}

void TVellumoDummyForm::ShowNoActivate()
{
    SetVisible(true);  // shown as it is, never activated
}

} // namespace vellumo
