#include "app/core/appfuncs.h"

#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>

#include "settings/pathnames.h"
#include "settings/settingsstore.h"
#include "base/showmsg.h"
#include "editor/editor_win.h"
#include "editor/parser.h"
#include "editor/parsersettings.h"

namespace vellumo {

namespace {

TShellOpenSink g_shellOpen;
std::string g_link;

bool SystemShellOpen(const std::string& target)
{
    const auto r = reinterpret_cast<INT_PTR>(ShellExecuteA(nullptr, "open", target.c_str(), nullptr, nullptr, SW_SHOW));
    return r > 32;
}

bool EnvValue(const std::string& name, std::string& value)
{
    char buf[256];
    const DWORD n = GetEnvironmentVariableA(name.c_str(), buf, sizeof buf);
    if (n == 0 || n >= sizeof buf) return false;
    value.assign(buf, n);
    return true;
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

} // namespace

void ShowStatusMessage(const std::string& text)
{
    IMainWindow* form = MainForm();
    if (!form) return;
    form->SetStatusAutoHint(false);
    form->SetPanelText(0, text);
    form->RepaintStatusBar();
}

void ClearStatusMessage()
{
    IMainWindow* form = MainForm();
    if (!form || form->StatusAutoHint()) return;
    form->SetPanelText(0, "");
    form->SetStatusAutoHint(true);
    form->RepaintStatusBar();
}

void UpdateToolBarState()
{
    IMainWindow* form = MainForm();
    if (!form || form->ReplaceBusy()) return;
    const TAppSettings& s = AppSettingsStore().Settings;
    TEditor& ed = form->ActiveEditor();
    TToolBarInputs in;
    in.Enabled = s.Option.ToolBarEnabled;
    in.ReadOnly = ed.ReadOnly();
    in.Modified = ed.Modified();
    in.ModifiedOnFileSave = s.Option.ModifiedOnFileSave;
    in.Selection = ed.Selected();
    in.ClipboardText = IsClipboardFormatAvailable(CF_TEXT) != 0;
    in.CanUndo = ed.CanUndo();
    in.CanRedo = ed.CanRedo();
    in.IePath = !s.Browser.IePath.empty();
    in.MfPath = !s.Browser.MfPath.empty();
    form->SetToolBarButtons(ComputeToolBarState(in));
}

std::string ExpandEnvInPath(const std::string& path) { return ExpandEnvInPath(path, EnvValue, Exists); }

bool CheckPathLength(const std::string& path)
{
    if (PathLengthOk(path)) return true;
    ShowMsg("ファイルパスの長さが限界(259)を超えました。", kMsgCaption, kMsgIconExclamation);
    return false;
}

namespace {

// Sequence numbers of the WM_NULL probes and the last one answered.
ULONG_PTR g_probesSent = 0, g_probeAnswered = 0;

void CALLBACK ProbeAnswered(HWND, UINT, ULONG_PTR probe, LRESULT)
{
    g_probeAnswered = std::max(g_probeAnswered, probe);
}

// A window of another thread that takes a message within a moment. Asked
// without waiting on the send itself: a sent message's time-out does not
// always end the wait for a hung window of another process (under Wine).
bool Answers(HWND h)
{
    if (GetWindowThreadProcessId(h, nullptr) == GetCurrentThreadId()) return true;
    const ULONG_PTR probe = ++g_probesSent;
    if (!SendMessageCallbackA(h, WM_NULL, 0, 0, ProbeAnswered, probe)) return false;
    const DWORD start = GetTickCount();
    while (g_probeAnswered < probe && GetTickCount() - start < 200) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_SENDMESSAGE);
        MSG m;
        PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);  // runs the callback
    }
    return g_probeAnswered >= probe;
}

} // namespace

void ForceForegroundWindow(void* window)
{
    const HWND target = static_cast<HWND>(window);
    const DWORD self = GetCurrentThreadId();
    const HWND fore = GetForegroundWindow();
    const DWORD other = fore ? GetWindowThreadProcessId(fore, nullptr) : 0;
    // With the input attached, activation waits for both windows' threads:
    // never attach to one that has stopped answering.
    const bool attached = other != 0 && other != self && Answers(fore) && Answers(target) &&
                          AttachThreadInput(self, other, TRUE);
    DWORD timeout = 0;
    const bool haveTimeout = SystemParametersInfoA(SPI_GETFOREGROUNDLOCKTIMEOUT, 0, &timeout, 0) != 0;
    if (haveTimeout) SystemParametersInfoA(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, nullptr, 0);
    SetForegroundWindow(target);
    // Put back whatever was changed, whichever call above failed.
    if (haveTimeout)
        SystemParametersInfoA(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, reinterpret_cast<void*>(static_cast<UINT_PTR>(timeout)),
                              0);
    if (attached) AttachThreadInput(self, other, FALSE);
}

int GetVersionStrings(std::vector<std::string>& texts)
{
    static const char* const kKeys[8] = {"CompanyName",  "FileDescription",  "FileVersion", "InternalName",
                                         "LegalCopyright", "OriginalFilename", "ProductName", "ProductVersion"};
    texts.assign(8, std::string());
    char path[MAX_PATH + 1];
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return 1;
    path[n] = '\0';
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(path, &handle);
    if (size == 0) return 1;
    std::string block(size, '\0');
    if (!GetFileVersionInfoA(path, 0, size, block.data())) return 1;
    struct TTranslation {
        WORD Language, CodePage;
    }* tr = nullptr;
    UINT trSize = 0;
    if (!VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&tr), &trSize) ||
        trSize < sizeof(TTranslation))
        return 1;
    char prefix[64];
    std::snprintf(prefix, sizeof prefix, "\\StringFileInfo\\%04x%04x\\", tr->Language, tr->CodePage);
    int missing = 0;
    for (int i = 0; i < 8; ++i) {
        char* value = nullptr;
        UINT len = 0;
        const std::string key = std::string(prefix) + kKeys[i];
        if (VerQueryValueA(block.data(), key.c_str(), reinterpret_cast<void**>(&value), &len) && value && len > 0)
            texts[i].assign(value, strnlen(value, len));
        else
            missing = 1;
    }
    return missing;
}

bool LinkAtPoint(int x, int y, TEditor& editor)
{
    g_link.clear();
    const TEditMode mode = GlobalParserSettings().EditMode;
    if (!AppSettingsStore().Settings.Option.LinkWord || (mode != emStandard && mode != emIni && mode != emBat))
        return false;
    int kind = 0;
    std::string text;
    if (!editor.GetTokenAt(POINT{x, y}, true, kind, false, text)) return false;
    if (kind == tkMail)
        g_link = "mailto:" + text;
    else if (kind == tkUrl)
        g_link = text;
    return !g_link.empty();
}

TShellOpenSink SetShellOpenSink(TShellOpenSink sink)
{
    TShellOpenSink old = std::move(g_shellOpen);
    g_shellOpen = std::move(sink);
    return old;
}

void OpenLinkText(const std::string& text)
{
    if (text.empty()) return;
    // A web address written without its scheme is a web address.
    const bool www = text.size() > 4 && (text[0] | 0x20) == 'w' && (text[1] | 0x20) == 'w' && (text[2] | 0x20) == 'w' &&
                     text[3] == '.';
    const std::string link = www ? "http://" + text : text;
    if (!IsPlainLink(link)) {
        // "file:" and the other schemes start programs: the user decides.
        const int answer = ShowMsg("次のリンクを開きます。プログラムが起動される可能性があります。\r\n" + link +
                                       "\r\n\r\n開きますか？",
                                   kMsgCaption, 0x04 | kMsgIconExclamation | 0x100);
        if (answer != 6) return;
    }
    try {
        if (g_shellOpen)
            g_shellOpen(link);
        else
            SystemShellOpen(link);
    } catch (...) {
    }
}

void OpenLink() { OpenLinkText(g_link); }

std::string ShortPathName(const std::string& path)
{
    char buf[MAX_PATH * 2];
    const DWORD n = GetShortPathNameA(path.c_str(), buf, sizeof buf);
    return n > 0 && n < sizeof buf ? std::string(buf, n) : path;
}

std::string LongNameOfLastComponent(const std::string& path)
{
    WIN32_FIND_DATAA fd;
    const HANDLE h = FindFirstFileA(path.c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return {};
    FindClose(h);
    return fd.cFileName;
}

std::string ExpandLongFileName(const std::string& path)
{
    TLongNameLookup sys;
    sys.FullPath = [](const std::string& p) {
        char buf[MAX_PATH * 2];
        const DWORD n = GetFullPathNameA(p.c_str(), sizeof buf, buf, nullptr);
        return n > 0 && n < sizeof buf ? std::string(buf, n) : std::string();
    };
    sys.Exists = Exists;
    // A wildcard would match some other name.
    sys.LongName = [](const std::string& p) {
        return p.find_first_of("*?") == std::string::npos ? LongNameOfLastComponent(p) : std::string();
    };
    return ExpandLongFileName(path, sys);
}

std::int64_t GetFileDateTime(const std::string& name)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(name.c_str(), GetFileExInfoStandard, &data)) return 0;
    return static_cast<std::int64_t>((std::uint64_t(data.ftLastWriteTime.dwHighDateTime) << 32) |
                                     data.ftLastWriteTime.dwLowDateTime);
}

std::string GetWindowTextOf(void* window)
{
    char buf[260];
    const int n = GetWindowTextA(static_cast<HWND>(window), buf, sizeof buf);
    return n > 0 ? std::string(buf, n) : std::string();
}

std::string GetClassNameOf(void* window)
{
    char buf[260];
    const int n = GetClassNameA(static_cast<HWND>(window), buf, sizeof buf);
    return n > 0 ? std::string(buf, n) : std::string();
}

bool IsShiftDown() { return (GetAsyncKeyState(VK_SHIFT) & 0x8000) != 0; }

namespace {
std::string MapWidth(const std::string& text, DWORD flags)
{
    if (text.empty()) return {};
    const int n = LCMapStringA(LANG_SYSTEM_DEFAULT, flags, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (n <= 0) return text;
    std::string out(static_cast<std::size_t>(n), '\0');
    LCMapStringA(LANG_SYSTEM_DEFAULT, flags, text.data(), static_cast<int>(text.size()), out.data(), n);
    return out;
}
} // namespace

std::string ToFullWidth(const std::string& text)
{
    const std::string mapped = MapWidth(text, LCMAP_FULLWIDTH);
    std::string out;
    for (std::size_t i = 0; i < mapped.size(); ++i) {
        const auto b = static_cast<unsigned char>(mapped[i]);
        if (IsDBCSLeadByteEx(932, b) && i + 1 < mapped.size()) {
            const auto t = static_cast<unsigned char>(mapped[i + 1]);
            if (b == 0xFA && t == 0x56)
                out += "\x81\x66";
            else if (b == 0xFA && t == 0x57)
                out += "\x81\x68";
            else
                out.append(mapped, i, 2);
            ++i;
        } else if (b == '\\') {
            out += "\x81\x8F";
        } else {
            out += mapped[i];
        }
    }
    return out;
}

std::string ToHalfWidth(const std::string& text) { return MapWidth(text, LCMAP_HALFWIDTH); }

std::wstring GetClipboardText()
{
    IMainWindow* form = MainForm();
    HWND owner = form ? static_cast<HWND>(form->Handle()) : nullptr;
    if (owner) owner = GetAncestor(owner, GA_ROOTOWNER);
    if (!OpenClipboard(owner)) return {};
    std::wstring out;
    if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* p = static_cast<const wchar_t*>(GlobalLock(h))) {
            out.assign(p, wcsnlen(p, GlobalSize(h) / sizeof(wchar_t)));
            GlobalUnlock(h);
        }
    } else if (HANDLE t = GetClipboardData(CF_TEXT)) {
        if (const auto* p = static_cast<const char*>(GlobalLock(t))) {
            const std::string ansi(p, strnlen(p, GlobalSize(t)));
            GlobalUnlock(t);
            const int n = MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
            out.resize(n > 0 ? n : 0);
            if (n > 0) MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), out.data(), n);
        }
    }
    CloseClipboard();
    return out;
}

} // namespace vellumo
