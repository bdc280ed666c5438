#pragma once
// The windows of a wait for an external tool: the invisible form that
// keeps the application an enabled window while the main form is disabled,
// and the progress window whose button ends the wait.
// Windows only.
#include <windows.h>

#include <memory>
#include <string>

namespace vellumo {

inline namespace VmPprog {
class TFormVeloProgress;
}
class TVellumoDummyForm;

class TToolWaitWindows {
public:
    // The dummy form, owned by the application window, shown without
    // taking the activation.
    explicit TToolWaitWindows(HWND applicationWindow);
    ~TToolWaitWindows();
    TToolWaitWindows(const TToolWaitWindows&) = delete;
    TToolWaitWindows& operator=(const TToolWaitWindows&) = delete;

    void ShowProgress(HWND ownerForm, HWND anchor, const std::string& text, const std::string& caption);
    bool HasProgress() const noexcept { return progress_ != nullptr; }
    HWND ProgressWindow() const;
    bool Aborted() const;
    void DisableAbort();
    void CloseProgress();
    // Closed and freed (also by the destructor).
    void CloseDummy();

private:
    std::unique_ptr<TVellumoDummyForm> dummy_;
    std::unique_ptr<TFormVeloProgress> progress_;
};

} // namespace vellumo
