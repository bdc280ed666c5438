// The system's input method behind the seam, and helpers over the seam.
#include "classlib/ime_win.h"

#include <algorithm>
#include <vector>

namespace vellumo {
namespace {

class TSystemInputMethod final : public IInputMethod {
public:
    HIMC GetContext(HWND wnd) override { return ImmGetContext(wnd); }
    void ReleaseContext(HWND wnd, HIMC imc) override { ImmReleaseContext(wnd, imc); }
    LONG GetCompositionStringA(HIMC imc, DWORD index, void* buffer, DWORD bytes) override
    {
        return ImmGetCompositionStringA(imc, index, buffer, bytes);
    }
    bool SetCompositionWindow(HIMC imc, const COMPOSITIONFORM& form) override
    {
        COMPOSITIONFORM f = form;
        return ImmSetCompositionWindow(imc, &f) != FALSE;
    }
    bool SetCompositionFontA(HIMC imc, const LOGFONTA& font) override
    {
        LOGFONTA f = font;
        return ImmSetCompositionFontA(imc, &f) != FALSE;
    }
    bool NotifyIME(HIMC imc, DWORD action, DWORD index, DWORD value) override
    {
        return ImmNotifyIME(imc, action, index, value) != FALSE;
    }
    DWORD GetProperty(HKL layout, DWORD index) override { return ImmGetProperty(layout, index); }
    bool SetCompositionStringA(HIMC imc, DWORD index, void* comp, DWORD compBytes) override
    {
        return ImmSetCompositionStringA(imc, index, comp, compBytes, nullptr, 0) != FALSE;
    }
    bool SetCompositionStringW(HIMC imc, DWORD index, void* comp, DWORD compBytes) override
    {
        return ImmSetCompositionStringW(imc, index, comp, compBytes, nullptr, 0) != FALSE;
    }
    UINT GetDescriptionA(HKL layout, char* buffer, UINT size) override
    {
        return ImmGetDescriptionA(layout, buffer, size);
    }
    HWND GetDefaultIMEWnd(HWND wnd) override { return ImmGetDefaultIMEWnd(wnd); }
    bool SetOpenStatus(HIMC imc, bool open) override { return ImmSetOpenStatus(imc, open) != FALSE; }
};

TSystemInputMethod& SystemInputMethod() noexcept
{
    static TSystemInputMethod ime;
    return ime;
}

IInputMethod* g_installed = nullptr;

} // namespace

IInputMethod& InputMethod() noexcept { return g_installed ? *g_installed : SystemInputMethod(); }

IInputMethod* SetInputMethod(IInputMethod* ime) noexcept
{
    IInputMethod* old = g_installed;
    g_installed = ime;
    return old;
}

std::string ImeCompositionString(HWND wnd, DWORD index)
{
    TImeContext imc(wnd);
    if (!imc) return {};
    const LONG want = InputMethod().GetCompositionStringA(imc.Get(), index, nullptr, 0);
    if (want <= 0) return {};
    std::vector<char> buf(static_cast<size_t>(want));
    const LONG got = InputMethod().GetCompositionStringA(imc.Get(), index, buf.data(), static_cast<DWORD>(want));
    if (got <= 0) return {};
    return std::string(buf.data(), static_cast<size_t>(std::min(got, want)));
}

bool ImeHasComposition(HWND wnd)
{
    TImeContext imc(wnd);
    return imc && InputMethod().GetCompositionStringA(imc.Get(), GCS_COMPSTR, nullptr, 0) > 0;
}

void CompleteImeComposition(HWND wnd)
{
    TImeContext imc(wnd);
    if (imc) InputMethod().NotifyIME(imc.Get(), NI_COMPOSITIONSTR, CPS_COMPLETE, 0);
}

bool ImeSupportsReconvert()
{
    return (InputMethod().GetProperty(GetKeyboardLayout(0), IGP_SETCOMPSTR) & SCS_CAP_SETRECONVERTSTRING) != 0;
}

} // namespace vellumo
