#include "app/window/clipdetector_win.h"

#include <string>

#include "base/showmsg.h"

namespace vellumo {

namespace {

constexpr char kWindowClass[] = "TClipDetectorWindow";
constexpr UINT kForwardTimeout = 2000;  // a hung viewer further down the chain must not hang us
bool g_failWindow = false;

bool RegisterWindowClass()
{
    static bool registered = false;
    if (registered) return true;
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kWindowClass;
    registered = RegisterClassA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    return registered;
}

LRESULT Forward(HWND to, UINT msg, WPARAM wp, LPARAM lp)
{
    DWORD_PTR result = 0;
    SendMessageTimeoutA(to, msg, wp, lp, SMTO_ABORTIFHUNG, kForwardTimeout, &result);
    return static_cast<LRESULT>(result);
}

std::unique_ptr<TClipDetector> g_main;
bool g_mainIgnoreFirst = true;

} // namespace

void TClipDetector::SetFailWindowForTests(bool fail) noexcept { g_failWindow = fail; }

TClipDetector::~TClipDetector() { Leave(); }

void TClipDetector::Leave() noexcept
{
    if (!window_) return;
    ChangeClipboardChain(window_, next_);
    SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
    window_ = next_ = nullptr;
}

void TClipDetector::SetOnClipChange(TClipEvent handler)
{
    if (!handler) {
        Leave();
        onClipChange_ = nullptr;
        return;
    }
    if (window_) {
        onClipChange_ = std::move(handler);
        return;
    }
    HWND w = nullptr;
    if (!g_failWindow && RegisterWindowClass())
        w = CreateWindowExA(0, kWindowClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, GetModuleHandleA(nullptr),
                            nullptr);
    if (!w) throw EOutOfResources("TClipDetector.SetOnClipChange: Cannot Allocate HWnd");
    window_ = w;
    SetWindowLongPtrA(w, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrA(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WindowProc));
    onClipChange_ = std::move(handler);
    joining_ = true;
    next_ = SetClipboardViewer(w);
    joining_ = false;
}

void TClipDetector::DoClipChange()
{
    if (onClipChange_) onClipChange_(*this);
}

LRESULT CALLBACK TClipDetector::WindowProc(HWND w, UINT msg, WPARAM wp, LPARAM lp)
{
    auto* self = reinterpret_cast<TClipDetector*>(GetWindowLongPtrA(w, GWLP_USERDATA));
    if (!self) return DefWindowProcA(w, msg, wp, lp);
    return self->Handle(msg, wp, lp);
}

LRESULT TClipDetector::Handle(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_DRAWCLIPBOARD:
        if (!(ignoreFirst_ && joining_)) {
            try {
                DoClipChange();
            } catch (const std::exception& e) {
                ShowMsg(e.what(), kMsgCaption, kMsgIconError);
            } catch (...) {
                ShowMsg("clipboard change", kMsgCaption, kMsgIconError);
            }
        }
        if (next_) Forward(next_, WM_DRAWCLIPBOARD, 0, 0);
        return 0;
    case WM_CHANGECBCHAIN:
        if (reinterpret_cast<HWND>(wp) == next_) {
            next_ = reinterpret_cast<HWND>(lp);
            return 0;
        }
        return next_ ? Forward(next_, msg, wp, lp) : 0;
    default:
        return DefWindowProcA(window_, msg, wp, lp);
    }
}

bool StartMainClipDetector(std::function<void()> onChange)
{
    StopMainClipDetector();
    auto d = std::make_unique<TClipDetector>();
    d->SetIgnoreFirst(g_mainIgnoreFirst);
    try {
        d->SetOnClipChange([fn = std::move(onChange)](TClipDetector&) {
            if (fn) fn();
        });
    } catch (const EOutOfResources&) {
        return false;  // the window works on without knowing of clipboard changes
    }
    g_main = std::move(d);
    return true;
}

void StopMainClipDetector() noexcept { g_main.reset(); }

void SetMainClipDetectorIgnoreFirst(bool ignoreFirst) noexcept
{
    g_mainIgnoreFirst = ignoreFirst;
    if (g_main) g_main->SetIgnoreFirst(ignoreFirst);
}

TClipDetector* ClipDetector() noexcept { return g_main.get(); }

} // namespace vellumo
