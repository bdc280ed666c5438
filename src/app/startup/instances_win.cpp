// Finding another instance by its main window and the file name it shows in
// its hidden edit. Nothing here waits for another process's window beyond a
// moment: a sent message that times out does not always return (measured
// under Wine: a time-out of 400 ms to a hung window came back after the
// window's process ended), so each name is read by a thread of its own and
// only that thread is left waiting.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <memory>
#include <thread>
#include <vector>

#include "app/core/appfuncs.h"
#include "app/startup/arrange_win.h"
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
constexpr DWORD kLookupMs = 800;
constexpr DWORD_PTR kMaxNameBytes = 32767;

bool ClassIs(HWND h, const char* name)
{
    char cls[64] = {};
    return GetClassNameA(h, cls, sizeof cls) > 0 && std::strcmp(cls, name) == 0;  // exactly
}

// The text of an edit; false when it does not answer. Read whole, so a
// long name never matches a name it merely begins with.
bool EditText(HWND edit, std::string& text)
{
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

// One main window's file name, read by a thread of its own. Shared with
// that thread, which may outlive the lookup.
struct TNameProbe {
    HWND Form = nullptr;
    HWND Edit = nullptr;
    std::string Text;
    bool Read = false;
    std::atomic<bool> Done{false};
};

std::vector<std::shared_ptr<TNameProbe>> StartProbes(HWND self)
{
    std::vector<HWND> forms;
    EnumWindows(
        [](HWND h, LPARAM p) -> BOOL {
            if (ClassIs(h, kMainFormClass)) reinterpret_cast<std::vector<HWND>*>(p)->push_back(h);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&forms));
    std::vector<std::shared_ptr<TNameProbe>> probes;
    for (HWND form : forms) {
        if (form == self) continue;
        auto probe = std::make_shared<TNameProbe>();
        probe->Form = form;
        probe->Edit = FindWindowExA(form, nullptr, kOpenFileNameClass, nullptr);  // its first one
        if (!probe->Edit) continue;
        try {
            std::thread([probe] {
                probe->Read = EditText(probe->Edit, probe->Text);
                probe->Done.store(true, std::memory_order_release);
            }).detach();
        } catch (const std::exception&) {
            continue;  // no thread to spare: that window is passed over
        }
        probes.push_back(std::move(probe));
    }
    return probes;
}

// Until every probe is done or the time is up; meanwhile the messages sent
// to this thread's own windows (a probe may ask one) are handled.
void WaitForProbes(const std::vector<std::shared_ptr<TNameProbe>>& probes)
{
    const DWORD start = GetTickCount();
    for (;;) {
        if (std::all_of(probes.begin(), probes.end(),
                        [](const auto& p) { return p->Done.load(std::memory_order_acquire); }))
            return;
        const DWORD spent = GetTickCount() - start;
        if (spent >= kLookupMs) return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, std::min<DWORD>(10, kLookupMs - spent), QS_SENDMESSAGE);
        MSG m;
        PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

} // namespace

void* FindInstanceHolding(const std::string& fileName, void* self)
{
    if (fileName.empty()) return nullptr;
    const auto probes = StartProbes(static_cast<HWND>(self));
    WaitForProbes(probes);
    HWND found = nullptr;
    for (const auto& p : probes)
        if (p->Done.load(std::memory_order_acquire) && p->Read && !p->Text.empty() && SameFileName(p->Text, fileName))
            found = p->Form;
    return found;
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
    RaiseWithOwner(h);
    if (front != h) RaiseWithOwner(front);  // the dialog stays above its window
    SetForegroundWindow(front);
    // Another window may keep the foreground from a plain request: once more
    // with the foreground's input attached.
    const DWORD start = GetTickCount();
    while (GetForegroundWindow() != front && GetTickCount() - start < 200) Sleep(10);
    if (GetForegroundWindow() != front) ForceForegroundWindow(front);
    UINT msg = WM_JUMPLINE;
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
            msg = WM_JUMPEND;
            wp = 1;
        }
    }
    // Sent without waiting for the answer: it is handled before the
    // instance's posted messages all the same.
    SendNotifyMessageA(h, msg, wp, lp);
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
