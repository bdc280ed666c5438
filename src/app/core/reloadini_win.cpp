// The re-read notice between instances and the save-and-apply of the
// options dialog.
#include <windows.h>

#include <cstring>
#include <exception>
#include <string>

#include "app/core/appcontext.h"
#include "app/core/applysettings.h"
#include "app/core/reloadini.h"
#include "settings/settingsstore.h"
#include "base/showmsg.h"

namespace vellumo {

namespace {

struct TBroadcast {
    HWND Own = nullptr;
    int Told = 0;
};

BOOL CALLBACK PostToInstance(HWND wnd, LPARAM data)
{
    auto& b = *reinterpret_cast<TBroadcast*>(data);
    char cls[64] = {};
    const int n = GetClassNameA(wnd, cls, sizeof cls);
    if (n == static_cast<int>(sizeof kMainFormClassName - 1) && std::memcmp(cls, kMainFormClassName, n) == 0 &&
        wnd != b.Own && IsWindowEnabled(wnd)) {
        if (PostMessageA(wnd, WM_RELOADINI, 0, 0)) ++b.Told;
    }
    return TRUE;
}

// A notice that arrives while a document operation pumps messages waits
// for it to end: re-wrapping the text under a running save or load is not safe.
constexpr UINT kRetryMs = 200;
UINT_PTR g_retryTimer = 0;

void CALLBACK RetryReload(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    g_retryTimer = 0;
    HandleReloadIni();
}

} // namespace

int BroadcastReloadSettings() noexcept
{
    TBroadcast b;
    if (IMainWindow* form = MainForm()) b.Own = static_cast<HWND>(form->Handle());
    EnumWindows(PostToInstance, reinterpret_cast<LPARAM>(&b));
    return b.Told;
}

void InstallReloadBroadcast(TSettingsStore& store)
{
    store.OnSaved = [] { BroadcastReloadSettings(); };
}

void HandleReloadIni() noexcept
{
    if (DocumentBusy()) {
        if (!g_retryTimer) g_retryTimer = SetTimer(nullptr, 0, kRetryMs, RetryReload);
        return;
    }
    IMainWindow* form = MainForm();
    try {
        TSettingsStore& store = AppSettingsStore();
        const TAppSettings before = store.Settings;
        // A file caught unreadable (another instance writing it) must not
        // put this window back to the defaults: keep what it has.
        if (!store.LoadSettings()) {
            store.Settings = before;
            return;
        }
        if (form) form->RebuildSettingsMenus();
        ApplySettings(false, false);
        if (form) form->UpdateCaptionAndPosition();
    } catch (const std::exception& e) {
        ShowMsg(std::string("設定の再読込に失敗しました。\r\n") + e.what(), kMsgCaption, kMsgIconError);
    } catch (...) {
        ShowMsg("設定の再読込に失敗しました。", kMsgCaption, kMsgIconError);
    }
}

namespace {

void ShowNotWritten(const std::string& path, const std::string& error) noexcept
{
    std::string text = "設定ファイルに書き込めませんでした。\r\n" + path;
    if (!error.empty()) text += "\r\n" + error;
    text += "\r\n\r\n設定はこのウィンドウにだけ適用されました。";
    ShowMsg(text, kMsgCaption, kMsgIconExclamation);
}

} // namespace

bool SaveAndApplySettings() noexcept
{
    bool saved = false, reported = false;
    std::string path, error;
    try {
        TSettingsStore& store = AppSettingsStore();
        path = store.Path();
        saved = store.SaveSettings();
        error = store.ErrorText();
        // A read-only file has its own message: one failure, one message.
        reported = store.ErrorReported();
    } catch (const std::exception& e) {
        error = e.what();
    } catch (...) {
    }
    // The user chose these settings: this window takes them whether or not
    // the file could be written.
    ApplySettings(false, false);
    if (!saved && !reported) ShowNotWritten(path, error);
    return saved;
}

bool ReportSettingsWrite(TSaveResult result) noexcept
{
    if (result != TSaveResult::Failed) return true;
    try {
        const TSettingsStore& store = AppSettingsStore();
        if (!store.ErrorReported()) ShowNotWritten(store.Path(), store.ErrorText());
    } catch (...) {
        ShowNotWritten("", "");
    }
    return false;
}

void ApplySettingsOnly() noexcept { ApplySettings(false, false); }

} // namespace vellumo
