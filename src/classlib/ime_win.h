#pragma once
// The input method, reached only through this seam (Windows only; GUI
// thread). The real one calls imm32; tests install a fake, since a headless
// machine has no input method to drive.
#include <windows.h>
#include <imm.h>

#include <string>

namespace vellumo {

class IInputMethod {
public:
    virtual ~IInputMethod() = default;
    virtual HIMC GetContext(HWND wnd) = 0;
    virtual void ReleaseContext(HWND wnd, HIMC imc) = 0;
    // ImmGetCompositionStringA: bytes written or wanted (buffer null), < 0 on error.
    virtual LONG GetCompositionStringA(HIMC imc, DWORD index, void* buffer, DWORD bytes) = 0;
    virtual bool SetCompositionWindow(HIMC imc, const COMPOSITIONFORM& form) = 0;
    virtual bool SetCompositionFontA(HIMC imc, const LOGFONTA& font) = 0;
    virtual bool NotifyIME(HIMC imc, DWORD action, DWORD index, DWORD value) = 0;
    virtual DWORD GetProperty(HKL layout, DWORD index) = 0;
    virtual bool SetCompositionStringA(HIMC imc, DWORD index, void* comp, DWORD compBytes) = 0;
    virtual bool SetCompositionStringW(HIMC imc, DWORD index, void* comp, DWORD compBytes) = 0;
    virtual UINT GetDescriptionA(HKL layout, char* buffer, UINT size) = 0;
    virtual HWND GetDefaultIMEWnd(HWND wnd) = 0;
    virtual bool SetOpenStatus(HIMC imc, bool open) = 0;
};

// The installed input method (the system's unless a test put one in).
IInputMethod& InputMethod() noexcept;
// Installs one (not owned; nullptr puts the system's back); returns the previous.
IInputMethod* SetInputMethod(IInputMethod* ime) noexcept;

// The window's input context for a scope, released on every path.
class TImeContext {
public:
    explicit TImeContext(HWND wnd) : wnd_(wnd), imc_(wnd ? InputMethod().GetContext(wnd) : nullptr) {}
    ~TImeContext()
    {
        if (imc_) InputMethod().ReleaseContext(wnd_, imc_);
    }
    TImeContext(const TImeContext&) = delete;
    TImeContext& operator=(const TImeContext&) = delete;
    HIMC Get() const noexcept { return imc_; }
    explicit operator bool() const noexcept { return imc_ != nullptr; }

private:
    HWND wnd_;
    HIMC imc_;
};

// A composition string of the window's context (GCS_RESULTSTR, GCS_COMPSTR...):
// its byte length is asked first, then at most that many bytes are read.
std::string ImeCompositionString(HWND wnd, DWORD index);
// A composition is in progress (a composition string exists).
bool ImeHasComposition(HWND wnd);
// Finishes a composition in progress (the string becomes the result).
void CompleteImeComposition(HWND wnd);
// The current keyboard layout's input method takes reconversion strings.
bool ImeSupportsReconvert();

} // namespace vellumo
