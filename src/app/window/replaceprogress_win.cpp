#include "app/window/replaceprogress_win.h"

#include "app/window/progressform_win.h"

namespace vellumo {

TReplaceProgress::TReplaceProgress(HWND owner, HWND anchor, const std::string& text, const std::string& caption)
    : form_(ShowProgressForm(owner, anchor, text, caption))
{
}

TReplaceProgress::~TReplaceProgress() = default;
void TReplaceProgress::SetText(const std::string& text) { form_->SetText(text); }
bool TReplaceProgress::Aborted() const { return form_->Aborted(); }
void TReplaceProgress::DisableAbort() { form_->Button1.SetEnabled(false); }

} // namespace vellumo
