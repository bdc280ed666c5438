// The command line's processing while the main window is created.
#include <windows.h>

#include <optional>

#include "app/core/appcontext.h"
#include "app/core/appfuncs.h"
#include "app/startup/cmdline_win.h"
#include "app/document/docopen.h"
#include "app/startup/instances.h"
#include "settings/settingsstore.h"
#include "base/showmsg.h"
#include "base/widename.h"
#include "editor/editor_win.h"

namespace vellumo {

namespace {

std::optional<TCommandLine> g_commandLine;
std::vector<std::wstring> g_refused;
TCommandLineOptions g_options;

// GetFullPathNameW; the name itself when it fails.
std::wstring WideFullPath(const std::wstring& name)
{
    const DWORD need = GetFullPathNameW(name.c_str(), 0, nullptr, nullptr);
    if (need == 0) return name;
    std::wstring out(need, L'\0');
    const DWORD n = GetFullPathNameW(name.c_str(), need, out.data(), nullptr);
    if (n == 0 || n >= need) return name;
    out.resize(n);
    return out;
}

bool HasWildcard(const std::string& s)
{
    return s.find_first_of("*?") != std::string::npos;  // neither is ever a trail byte
}

DWORD Attributes(const std::string& name) { return GetFileAttributesA(name.c_str()); }
bool IsFolder(DWORD a) { return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY); }
bool IsFile(DWORD a) { return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY); }

void ApplyWrapAndTab(const TCommandLineSwitches& s, IMainWindow& form)
{
    TAppIni& opt = AppSettingsStore().Settings.Option;
    TEditor& editor = form.ActiveEditor();
    if (s.WrapByte >= 20) {
        editor.SetWordWrap(false);
        opt.WrapCount = s.WrapByte;
        editor.WrapOption().SetWrapByte(s.WrapByte);
        opt.WordWrap = true;
        editor.SetWordWrap(true);
        UpdateGuideLines();
        form.WrapChanged();
    } else if (s.WrapByte == -1) {
        opt.WordWrap = false;
        editor.SetWordWrap(false);
        UpdateGuideLines();
        form.WrapChanged();
    }
    if (s.TabWidth > 0) {
        opt.TabSpaceCount = s.TabWidth;
        editor.Caret().SetTabSpaceCount(s.TabWidth);
    }
}

// The document argument: the first that names an existing file or folder,
// or a missing name the user agreed to create. Returns false when processing ends.
bool FindDocumentArg(const TCommandLine& cl, std::string& arg, bool& created)
{
    const TAppIni& opt = AppSettingsStore().Settings.Option;
    for (int i = 1; i <= cl.ParamCount(); ++i) {
        const std::string a = cl.ParamStr(i);
        if (a.empty() || TCommandLine::IsSwitch(a)) continue;
        // Before anything looks at it: opening a device to read its
        // attributes or a shortcut may never end, and a path past the limit
        // reads as missing.
        if (RefuseUnusablePath(a, false)) {
            EndApplicationWithoutShowing();
            return false;
        }
        const DWORD attr = Attributes(a);
        if (IsFile(attr) || IsFolder(attr)) {
            arg = a;
            return true;
        }
        // A wildcard names a set of files, never one to create.
        if (!opt.CreateNewFile || HasWildcard(a)) continue;
        const std::string path = FullPathName(a);
        if (opt.CreateNewFileMsg &&
            ShowMsg("\"" + path + "\" が見当たりません。\r\n\r\n新規作成しますか？", kMsgCaption,
                    MB_YESNO | MB_ICONEXCLAMATION) != IDYES) {
            EndApplicationWithoutShowing();
            return false;
        }
        SetCurrentFile(path);
        created = true;
        return true;
    }
    return true;
}

// The name an argument stands for: a shortcut's target, always a full path.
std::string DocumentName(const std::string& arg)
{
    std::string name = arg;
    std::string target;
    if (IsFile(Attributes(arg)) && ResolveShortcutTarget(FullPathName(arg), target))
        name = target;
    else if (GetOsKind() != 4)
        name = ExpandLongFileName(arg);
    // Always a full path: a relative name would follow the current folder as dialogs change it.
    return FullPathName(name);
}

void OpenWithSwitches(const std::string& name, const TCommandLineSwitches& s)
{
    TDocumentState& doc = Document();
    TAppJCode& jcode = AppSettingsStore().Settings.JCode;
    // A code switch forces that code with detection on for this load only.
    struct TRestore {
        bool autoCvt;
        ~TRestore()
        {
            Document().ForcedLoadCode = -1;
            AppSettingsStore().Settings.JCode.LoadAutoCvt = autoCvt;
        }
    } restore{jcode.LoadAutoCvt};
    if (s.Code >= 0) {
        doc.ForcedLoadCode = s.Code;
        jcode.LoadAutoCvt = true;
    }
    const bool loaded = OpenFile(name, true);
    // The line end asked for holds over the one the file had.
    if (loaded && s.LineEnd >= 0) {
        doc.DocumentLineEnd = static_cast<TLineEndCode>(s.LineEnd);
        UpdateCodeStatus();
    }
}

void Process(TCommandLineOptions& out)
{
    const TCommandLine& cl = SystemCommandLine();
    if (cl.ParamCount() == 0) return;
    IMainWindow& form = *MainForm();
    TDocumentState& doc = Document();
    const TCommandLineSwitches& s = out.Switches;
    if (s.Code >= 0) doc.DocumentCode = static_cast<TCharCode>(s.Code);
    if (s.LineEnd >= 0) doc.DocumentLineEnd = static_cast<TLineEndCode>(s.LineEnd);
    if (s.Code >= 0 || s.LineEnd >= 0) UpdateCodeStatus();
    ApplyWrapAndTab(s, form);

    std::string arg;
    bool created = false;
    if (!FindDocumentArg(cl, arg, created)) {
        out.EndRequested = true;
        return;
    }
    if (!arg.empty() && !created) {
        const std::string name = DocumentName(arg);
        const DWORD attr = Attributes(name);
        if (IsFolder(attr)) out.StartFolder = name;
        if (AppSettingsStore().Settings.Option.NotDoubleOpen &&
            ActivateOtherInstance(name, true, cl, form.Handle())) {
            EndApplicationWithoutShowing();
            out.EndRequested = true;
            return;
        }
        if (IsFile(attr)) {
            OpenWithSwitches(name, s);
            if (ApplicationEnding()) {
                out.EndRequested = true;
                return;
            }
        }
        if (!doc.ReadOnlyLocked && !form.ActiveEditor().ReadOnly()) {
            if (s.ReadOnlyLocked) {
                doc.ReadOnlyLocked = true;
                SetReadOnlyState(true, true);
            } else if (s.ReadOnly) {
                SetReadOnlyState(true, false);
            }
        }
        out.PrintAndExit = s.Print && IsFile(Attributes(name)) && !doc.CurrentFileName.empty();
    }
    if (doc.CurrentFileName.empty() && s.Output) SetOutputMode(true);
    if (s.EditMode >= 0) form.ApplyEditModeSwitch(s.EditMode);
}

} // namespace

TCommandLine CommandLineFromWide(std::wstring_view line, std::wstring_view programPath,
                                 std::vector<std::wstring>& refused)
{
    refused.clear();
    // An unquoted program path with blanks stays argument 0 whole, as in SplitProcessCommandLine.
    const std::size_t n = programPath.size();
    const bool unquotedProgram =
        n > 0 && line.size() >= n && programPath.find(L' ') != std::wstring_view::npos &&
        (line.size() == n || line[n] == L' ' || line[n] == L'\t') &&
        CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, line.data(), static_cast<int>(n), programPath.data(),
                       static_cast<int>(n)) == CSTR_EQUAL;
    std::vector<std::wstring> wide = SplitWideCommandLine(unquotedProgram ? line.substr(n) : line);
    if (unquotedProgram) wide.insert(wide.begin(), std::wstring(line.substr(0, n)));
    std::vector<std::string> args;
    args.reserve(wide.size());
    for (std::size_t i = 0; i < wide.size(); ++i) {
        std::string a;
        if (!WideNameToAnsi(wide[i], a)) {
            if (i == 0)
                a = WideNameForMessage(wide[i]);  // the program's own path: never opened through it
            else
                refused.push_back(wide[i]);  // kept as "": it names nothing and is no switch
        } else if (i > 0 && !a.empty() && !TCommandLine::IsSwitch(a)) {
            // A relative name in a folder the code page cannot hold: its full
            // path, which the program works with, would be a near name too.
            const std::wstring full = WideFullPath(wide[i]);
            std::string ansi;
            if (!WideNameToAnsi(full, ansi)) {
                refused.push_back(full);
                a.clear();
            }
        }
        args.push_back(std::move(a));
    }
    return TCommandLine(std::move(args));
}

const TCommandLine& SystemCommandLine()
{
    if (!g_commandLine) {
        // Read in UTF-16: the ANSI copy the system keeps has a look-alike (or
        // "?") where a character has no code, which could name another file.
        const wchar_t* text = GetCommandLineW();
        std::wstring exe(32768, L'\0');
        const DWORD n = GetModuleFileNameW(nullptr, exe.data(), static_cast<DWORD>(exe.size()));
        exe.resize(n < exe.size() ? n : 0);
        g_commandLine = CommandLineFromWide(text ? text : L"", exe, g_refused);
    }
    return *g_commandLine;
}

const std::vector<std::wstring>& RefusedArguments()
{
    SystemCommandLine();
    return g_refused;
}

void SetSystemCommandLine(TCommandLine cl)
{
    g_commandLine = std::move(cl);
    g_refused.clear();
}

std::string FullPathName(const std::string& name)
{
    if (name.empty()) return name;
    const DWORD need = GetFullPathNameA(name.c_str(), 0, nullptr, nullptr);
    if (need == 0) return name;
    std::string out(need, '\0');
    const DWORD n = GetFullPathNameA(name.c_str(), need, out.data(), nullptr);
    if (n == 0 || n >= need) return name;
    out.resize(n);
    return out;
}

int GetOsKind()
{
    if (SameSwitchText(SystemCommandLine().ParamStr(1), "/nt")) return 4;
    OSVERSIONINFOA v{};
    v.dwOSVersionInfoSize = sizeof v;
    if (!GetVersionExA(&v)) return 0;
    switch (v.dwPlatformId) {
    case VER_PLATFORM_WIN32s: return 1;
    case VER_PLATFORM_WIN32_WINDOWS: return v.dwMinorVersion == 0 ? 2 : v.dwMinorVersion == 10 ? 3 : 0;
    case VER_PLATFORM_WIN32_NT: return 4;
    default: return 0;
    }
}

const TCommandLineOptions& CommandLineOptions() noexcept { return g_options; }

const TCommandLineOptions& ProcessCommandLine()
{
    g_options = TCommandLineOptions{};
    g_options.Switches = ReadSwitches(SystemCommandLine());
    try {
        if (MainForm()) Process(g_options);
    } catch (const std::exception& e) {
        ShowMsg(e.what(), kMsgCaption, MB_ICONERROR);
    }
    return g_options;
}

} // namespace vellumo
