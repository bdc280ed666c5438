// Finding another instance by its main window and the file name it shows in
// its hidden edit. Every call on another process's window is bounded.
#include <windows.h>

#include <algorithm>
#include <cstring>

#include "app/core/appfuncs.h"
#include "app/startup/cmdline_win.h"
#include "app/startup/instances.h"
#include "settings/pathnames.h"
#include "app/startup/settingsloc.h"
#include "classlib/process_win.h"

namespace vellumo {

namespace {

// Another instance answers in far less; one that does not is passed over
// (its file may then open here a second time, which beats hanging).
constexpr UINT kSendTimeoutMs = 400;
constexpr DWORD_PTR kMaxNameBytes = 32767;

struct TSearch {
    const std::string* name;
    HWND self;
    HWND found;
};

bool ClassIs(HWND h, const char* name)
{
    char cls[64] = {};
    return GetClassNameA(h, cls, sizeof cls) > 0 && std::strcmp(cls, name) == 0;  // exactly
}

// The text of the window's first "TEdit" child; false without one. Read
// whole, so a long name never matches a name it merely begins with.
bool HeldFileName(HWND form, std::string& text)
{
    HWND edit = FindWindowExA(form, nullptr, kOpenFileNameClass, nullptr);
    if (!edit) return false;
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(edit, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &length) ||
        length > kMaxNameBytes)
        return false;
    std::string buf(static_cast<std::size_t>(length) + 1, '\0');
    DWORD_PTR got = 0;
    if (!SendMessageTimeoutA(edit, WM_GETTEXT, buf.size(), reinterpret_cast<LPARAM>(buf.data()), SMTO_ABORTIFHUNG,
                             kSendTimeoutMs, &got))
        return false;
    buf.resize(std::min<std::size_t>(static_cast<std::size_t>(got), buf.size() - 1));
    text = std::move(buf);
    return true;
}

BOOL CALLBACK Visit(HWND h, LPARAM lp)
{
    auto& s = *reinterpret_cast<TSearch*>(lp);
    if (h == s.self || !ClassIs(h, kMainFormClass)) return TRUE;
    std::string text;
    if (HeldFileName(h, text) && !text.empty() && SameFileName(text, *s.name)) s.found = h;
    return TRUE;
}

} // namespace

void* FindInstanceHolding(const std::string& fileName, void* self)
{
    if (fileName.empty()) return nullptr;
    TSearch s{&fileName, static_cast<HWND>(self), nullptr};
    EnumWindows(Visit, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

void* ModalWindowOf(void* window)
{
    const HWND form = static_cast<HWND>(window);
    if (IsWindowEnabled(form)) return form;
    // The popup its user last worked in, found through the owner chain; the
    // window above the form in the Z order can be anything (a combo box's list).
    const HWND owner = GetWindow(form, GW_OWNER);
    for (HWND start : {owner, form}) {
        if (!start) continue;
        const HWND popup = GetLastActivePopup(start);
        if (popup && popup != form && popup != owner && IsWindowVisible(popup) && IsWindowEnabled(popup)) return popup;
    }
    return form;
}

bool ActivateOtherInstance(const std::string& fileName, bool withJumps, const TCommandLine& cl, void* self)
{
    HWND h = static_cast<HWND>(FindInstanceHolding(fileName, self));
    if (!h) return false;
    // Asynchronous: a hung instance must not hang this one.
    ShowWindowAsync(h, IsZoomed(h) ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
    const HWND front = static_cast<HWND>(ModalWindowOf(h));
    SetForegroundWindow(front);
    // Another window may keep the foreground from a plain request: once more
    // with the foreground's input attached.
    const DWORD start = GetTickCount();
    while (GetForegroundWindow() != front && GetTickCount() - start < 200) Sleep(10);
    if (GetForegroundWindow() != front) ForceForegroundWindow(front);
    UINT msg = kWmJumpLine;
    WPARAM wp = 0;
    LPARAM lp = 0;
    if (withJumps) {
        const TCommandLineSwitches s = ReadSwitches(cl);
        if (s.JumpLine > 0) {
            wp = static_cast<WPARAM>(s.JumpLine);
        } else if (s.JumpLogicalLine > 0) {
            wp = static_cast<WPARAM>(s.JumpLogicalLine);
            lp = 1;
        } else if (s.JumpEnd) {
            msg = kWmJumpEnd;
            wp = 1;
        }
    }
    DWORD_PTR result = 0;
    SendMessageTimeoutA(h, msg, wp, lp, SMTO_ABORTIFHUNG | SMTO_NORMAL, kSendTimeoutMs, &result);
    return true;
}

void StartNewInstance(const std::string& params)
{
    char exe[MAX_PATH + 1] = {};
    const DWORD n = GetModuleFileNameA(nullptr, exe, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return;
    TProcessRequest r;
    r.commandLine = "\"" + std::string(exe) + "\" " +
                    NewInstanceParameters(SettingsLocation().SettingsFolder, SystemCommandLine(), params);
    r.startup = ThisStartupInfo();
    r.startup.dwFlags |= STARTF_USESHOWWINDOW;
    r.startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION pi{};
    if (!StartProcess(r, pi)) return;
    if (pi.hThread) CloseHandle(pi.hThread);
    if (pi.hProcess) CloseHandle(pi.hProcess);
}

} // namespace vellumo
