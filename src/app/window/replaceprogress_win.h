#pragma once
// The replace-all progress window for code that also includes the editor
// (whose names clash with the form library's). Windows only.
#include <windows.h>

#include <memory>
#include <string>

namespace vellumo {

class TFormVeloProgress;

class TReplaceProgress {
public:
    TReplaceProgress(HWND owner, HWND anchor, const std::string& text, const std::string& caption);
    ~TReplaceProgress();
    void SetText(const std::string& text);
    bool Aborted() const;
    void DisableAbort();

private:
    std::unique_ptr<TFormVeloProgress> form_;
};

} // namespace vellumo
