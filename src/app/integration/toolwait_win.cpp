#include "app/integration/toolwait_win.h"

#include "app/window/progressform_win.h"

namespace vellumo {

TToolWaitWindows::TToolWaitWindows(HWND applicationWindow)
    : dummy_(std::make_unique<TVellumoDummyForm>(applicationWindow))
{
    dummy_->ShowNoActivate();
    if (dummy_->HandleAllocated()) EnableWindow(dummy_->Handle(), TRUE);
}

TToolWaitWindows::~TToolWaitWindows()
{
    CloseProgress();
    CloseDummy();
}

void TToolWaitWindows::ShowProgress(HWND ownerForm, HWND anchor, const std::string& text, const std::string& caption)
{
    progress_ = ShowProgressForm(ownerForm, anchor, text, caption);
}

HWND TToolWaitWindows::ProgressWindow() const { return progress_ ? progress_->Handle() : nullptr; }

bool TToolWaitWindows::Aborted() const { return progress_ && progress_->Aborted(); }

void TToolWaitWindows::DisableAbort()
{
    if (progress_) progress_->Button1.SetEnabled(false);
}

void TToolWaitWindows::CloseProgress() { progress_.reset(); }

void TToolWaitWindows::CloseDummy() { dummy_.reset(); }

} // namespace vellumo
