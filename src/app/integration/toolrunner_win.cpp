#include "app/integration/toolrunner_win.h"

#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "app/core/appfuncs.h"
#include "app/document/docopen.h"
#include "app/integration/toolrunner.h"
#include "app/integration/toolwait_win.h"
#include "app/startup/startuptools.h"
#include "app/window/editmodes.h"
#include "app/window/mainform_win.h"
#include "base/filebytes.h"
#include "base/inifile.h"
#include "base/showmsg.h"
#include "classlib/process_win.h"
#include "editor/selmeasure.h"
#include "settings/pathnames.h"
#include "settings/tools.h"

namespace vellumo {

namespace {

constexpr DWORD kProgressMinMs = 300;      // the progress window does not just flash
constexpr DWORD kTerminateWaitMs = 5000;   // for a cancelled tool to be gone
constexpr DWORD kDrainAfterExitMs = 3000;  // a child the tool started may hold the error pipe for ever
constexpr DWORD kPipeSize = 64 * 1024;
constexpr char kConsoleCaption[] = "コマンド実行中...";
constexpr char kConsoleText[] = "処理中...";
constexpr char kWaitCaption[] = "ツール実行中...";
constexpr char kWaitText[] = "終了を待っています...";

class THandle {
public:
    THandle() = default;
    explicit THandle(HANDLE h) noexcept : h_(h == INVALID_HANDLE_VALUE ? nullptr : h) {}
    THandle(THandle&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
    THandle& operator=(THandle&& o) noexcept
    {
        if (this != &o) {
            Close();
            h_ = std::exchange(o.h_, nullptr);
        }
        return *this;
    }
    ~THandle() { Close(); }
    HANDLE Get() const noexcept { return h_; }
    void Close() noexcept
    {
        if (h_) CloseHandle(h_);
        h_ = nullptr;
    }

private:
    HANDLE h_ = nullptr;
};

// The file's last-write time as a local time, and its size. False when the
// file is not there; stamp.Time 0 when it could not be read.
bool FileLocalDateTime(const std::string& path, TFileStamp& stamp)
{
    stamp = {};
    WIN32_FILE_ATTRIBUTE_DATA a;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &a)) {
        const DWORD e = GetLastError();
        return e != ERROR_FILE_NOT_FOUND && e != ERROR_PATH_NOT_FOUND;
    }
    FILETIME local;
    if (!FileTimeToLocalFileTime(&a.ftLastWriteTime, &local)) return true;
    stamp.Time = static_cast<std::int64_t>((static_cast<std::uint64_t>(local.dwHighDateTime) << 32) |
                                           local.dwLowDateTime);
    stamp.Size = static_cast<std::int64_t>((static_cast<std::uint64_t>(a.nFileSizeHigh) << 32) | a.nFileSizeLow);
    return true;
}

// The text as it is held: code page 932, CR LF line ends, no byte-order mark.
bool WriteTempText(const std::string& path, const std::string& bytes)
{
    THandle f(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!f.Get()) return false;
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 24));
        DWORD written = 0;
        if (!WriteFile(f.Get(), bytes.data() + done, chunk, &written, nullptr) || written == 0) return false;
        done += written;
    }
    return true;
}

// Temporary files a program still held: tried again from a timer on this
// thread, so nothing waits; those still held when the program ends are
// tried once more then.
class TPendingTempFiles {
public:
    static TPendingTempFiles& Instance()
    {
        static TPendingTempFiles pending;
        return pending;
    }
    // Gone, whether deleted now or already.
    static bool Deleted(const std::string& path)
    {
        if (DeleteFileA(path.c_str())) return true;
        const DWORD e = GetLastError();
        return e == ERROR_FILE_NOT_FOUND || e == ERROR_PATH_NOT_FOUND;
    }
    void Add(const std::string& path, HANDLE tool)
    {
        HANDLE own = nullptr;
        if (tool) DuplicateHandle(GetCurrentProcess(), tool, GetCurrentProcess(), &own, SYNCHRONIZE, FALSE, 0);
        pending_.push_back({path, reinterpret_cast<std::uintptr_t>(own)});
        if (!timer_) timer_ = SetTimer(nullptr, 0, kRetryMs, Retry);
    }
    ~TPendingTempFiles()
    {
        for (TPendingDelete& p : pending_) {
            DeleteFileA(p.Path.c_str());
            if (p.Tool) CloseHandle(reinterpret_cast<HANDLE>(p.Tool));
        }
    }

private:
    static constexpr UINT kRetryMs = 500;

    static void CALLBACK Retry(HWND, UINT, UINT_PTR, DWORD) noexcept
    {
        TPendingTempFiles& self = Instance();
        try {
            SweepPendingDeletes(
                self.pending_,
                [](std::uintptr_t tool) {
                    const HANDLE h = reinterpret_cast<HANDLE>(tool);
                    if (WaitForSingleObject(h, 0) == WAIT_TIMEOUT) return true;
                    CloseHandle(h);
                    return false;
                },
                Deleted);
        } catch (...) {
            self.pending_.clear();  // nothing left to try with
        }
        if (self.pending_.empty() && self.timer_) {
            KillTimer(nullptr, self.timer_);
            self.timer_ = 0;
        }
    }

    std::vector<TPendingDelete> pending_;
    UINT_PTR timer_ = 0;
};

// The temporary file: deleted when it goes out of scope, whatever the run did.
class TTempFile {
public:
    TTempFile() = default;
    TTempFile(const TTempFile&) = delete;
    TTempFile& operator=(const TTempFile&) = delete;
    ~TTempFile() { Delete(); }

    // Made in the system's temporary folder, renamed to the extension when
    // that is possible, filled and time-stamped; false when any step failed.
    bool Create(const std::string& extension, const std::string& text)
    {
        char dir[MAX_PATH + 1] = {};
        const DWORD n = GetTempPathA(sizeof dir, dir);
        char name[MAX_PATH + 1] = {};
        if (n == 0 || n > MAX_PATH || !GetTempFileNameA(dir, "VM_", 0, name)) return false;
        path_ = name;
        if (!extension.empty()) {
            const std::string moved = ChangeFileExt(path_, "." + extension);
            if (MoveFileA(path_.c_str(), moved.c_str())) path_ = moved;
        }
        // Without a time stamp a change could not be told from no change.
        return WriteTempText(path_, text) && FileLocalDateTime(path_, written_) && written_.Time != 0;
    }
    bool Active() const noexcept { return !path_.empty(); }
    const std::string& Path() const noexcept { return path_; }
    const TFileStamp& Written() const noexcept { return written_; }
    // A file the tool (or a program it started) still holds is deleted
    // later, once the tool has ended.
    void Delete(HANDLE tool = nullptr) noexcept
    {
        if (path_.empty()) return;
        if (!TPendingTempFiles::Deleted(path_)) {
            try {
                TPendingTempFiles::Instance().Add(path_, tool);
            } catch (...) {
            }
        }
        path_.clear();
    }

private:
    std::string path_;
    TFileStamp written_;
};

// What the tool was given: the read-back replaces exactly this and nothing
// else (a tool may edit the text through the window handle meanwhile).
struct TGiven {
    TEditor* Editor = nullptr;
    bool Selected = false;
    bool Box = false;
    TEditorSelection Selection;
    std::string Text;
};

TGiven GivenText(TEditor& ed)
{
    TGiven g;
    g.Editor = &ed;
    g.Selected = ed.Selected();
    if (g.Selected) {
        g.Selection = ed.Selection();
        g.Box = g.Selection.Box;
        g.Text = ed.SelText();
    } else {
        g.Text = ed.Lines().Text();
    }
    return g;
}

bool SameSelection(const TEditorSelection& a, const TEditorSelection& b)
{
    return a.Box == b.Box && a.StartRow == b.StartRow && a.EndRow == b.EndRow && a.StartByte == b.StartByte &&
           a.EndByte == b.EndByte && a.StartCol == b.StartCol && a.EndCol == b.EndCol;
}

bool StillGiven(TVellumoMainForm& form, const TGiven& g)
{
    TEditor& ed = form.ActiveEditor();
    if (&ed != g.Editor || ed.Selected() != g.Selected) return false;
    if (!g.Selected) return ed.Lines().Text() == g.Text;
    return SameSelection(ed.Selection(), g.Selection) && ed.SelText() == g.Text;
}

bool SaveBeforeTool(TVellumoMainForm& form, int save)
{
    const bool named = !Document().CurrentFileName.empty();
    switch (ToolSaveStep(save, named, form.ActiveEditor().Modified())) {
    case TToolSaveStep::None: return true;
    case TToolSaveStep::Ask:
        if (ShowMsg(kToolSaveQuestion, kMsgCaption, MB_OKCANCEL | MB_ICONINFORMATION) != IDOK) return false;
        break;
    case TToolSaveStep::Save: break;
    }
    TDocumentFunctions& d = form.Documents;
    if (d.NeedsSaveAs && d.NeedsSaveAs()) return d.SaveFileAs && d.SaveFileAs(false);
    return d.SaveFile && d.SaveFile(Document().CurrentFileName, false);
}

TToolValues ToolValues(TVellumoMainForm& form, TEditor& ed)
{
    TToolValues v;
    static_cast<TToolPlaceholders&>(v) = CurrentToolPlaceholders(CurrentEditMode());
    v.Window = std::to_string(reinterpret_cast<std::uintptr_t>(form.Window()));
    if (!v.DocName.empty()) {
        v.DocBase = ChangeFileExt(v.DocName, "");
        v.DocShortBase = ChangeFileExt(v.DocShortName, "");
    }
    if (ed.Selected()) {
        // Only the head is wanted, however large the selection.
        char head[258];
        const std::size_t n = WriteSelText(ed.Store(), ed.Selection(), head, sizeof head);
        v.Selection = ToolSelectionText(std::string_view(head, n));
    } else {
        v.Selection = ToolSelectionText(ed.GetTokenTextAt(ed.GetCaretPixelPos()));
    }
    return v;
}

// The main window locked while a tool is waited for: disabled itself (not
// only its owner, or the user could type into the text the tool replaces),
// its captions marked, the tool-wait state held. Undone on every path.
class TToolLock {
public:
    explicit TToolLock(TVellumoMainForm& form) : form_(form), windows_(ApplicationWindow()) { LockForTool(); }
    TToolLock(const TToolLock&) = delete;
    TToolLock& operator=(const TToolLock&) = delete;
    ~TToolLock() { UnlockAfterTool(); }
    TToolWaitWindows& Windows() noexcept { return windows_; }

private:
    // The dummy form is up (windows_); the windows are disabled and marked.
    void LockForTool()
    {
        EnableWindow(ApplicationWindow(), FALSE);
        EnableWindow(form_.Window(), FALSE);
        form_.SetCaption(kToolWaitPrefix + form_.Caption());
        SetApplicationTitle(kToolWaitPrefix + GetWindowTextOf(ApplicationWindow()));
    }
    void UnlockAfterTool() noexcept
    {
        windows_.CloseProgress();
        try {
            UpdateCaption(Document().CurrentFileName);
        } catch (...) {
            // At least the mark goes.
            const std::string caption = form_.Caption(), prefix = kToolWaitPrefix;
            if (caption.rfind(prefix, 0) == 0) form_.SetCaption(caption.substr(prefix.size()));
        }
        EnableWindow(ApplicationWindow(), TRUE);
        EnableWindow(form_.Window(), TRUE);
        Sleep(1);
        ForceForegroundWindow(form_.Window());
        windows_.CloseDummy();
    }

    TVellumoMainForm& form_;
    TToolWait wait_;
    TToolWaitWindows windows_;
};

struct TStarted {
    bool Ok = false;
    THandle Process, Thread, ErrorPipe, Job;
};

// A console tool reads NUL, writes its output to NUL and its errors to a
// pipe this process drains; only the child's ends are inheritable, and they
// are closed here once the child has them.
TStarted StartTool(const std::string& commandLine, const std::string& folder, bool console)
{
    TStarted s;
    TProcessRequest r;
    r.commandLine = commandLine;
    r.currentDir = folder;
    r.startup = ThisStartupInfo();
    if (!(r.startup.dwFlags & STARTF_USESHOWWINDOW)) r.startup.wShowWindow = SW_SHOWNORMAL;
    r.startup.dwFlags |= STARTF_USESHOWWINDOW;
    THandle input, output, errorWrite;
    if (console) {
        SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
        HANDLE rd = nullptr, wr = nullptr;
        if (!CreatePipe(&rd, &wr, &sa, kPipeSize)) return s;
        s.ErrorPipe = THandle(rd);
        errorWrite = THandle(wr);
        SetHandleInformation(rd, HANDLE_FLAG_INHERIT, 0);
        input = THandle(CreateFileA("NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &sa, OPEN_EXISTING, 0,
                                    nullptr));
        output = THandle(CreateFileA("NUL", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &sa, OPEN_EXISTING, 0,
                                     nullptr));
        r.startup.dwFlags |= STARTF_USESTDHANDLES;
        r.startup.wShowWindow = SW_HIDE;
        r.startup.hStdInput = input.Get();
        r.startup.hStdOutput = output.Get();
        r.startup.hStdError = errorWrite.Get();
        r.inheritHandles = true;
        // In a job, a cancel ends what the interpreter started as well.
        s.Job = THandle(CreateJobObjectA(nullptr, nullptr));
        if (s.Job.Get()) r.creationFlags = CREATE_SUSPENDED;
    }
    PROCESS_INFORMATION pi{};
    s.Ok = StartProcess(r, pi);
    if (!s.Ok) return s;
    s.Process = THandle(pi.hProcess);
    s.Thread = THandle(pi.hThread);
    if (r.creationFlags & CREATE_SUSPENDED) {
        if (!AssignProcessToJobObject(s.Job.Get(), pi.hProcess)) s.Job.Close();
        ResumeThread(pi.hThread);
    }
    return s;
}

// Reads what the error pipe holds now (at most about a megabyte, so the
// messages get their turn); -1 when the pipe is closed or broken.
long long DrainPipe(HANDLE pipe, TToolErrorText& errors)
{
    if (!pipe) return -1;
    long long total = 0;
    char buf[16384];
    for (int i = 0; i < 64; ++i) {
        DWORD avail = 0;
        if (!PeekNamedPipe(pipe, nullptr, 0, nullptr, &avail, nullptr)) return total > 0 ? total : -1;
        if (avail == 0) break;
        DWORD got = 0;
        if (!ReadFile(pipe, buf, std::min<DWORD>(avail, sizeof buf), &got, nullptr) || got == 0)
            return total > 0 ? total : -1;
        errors.Append(std::string_view(buf, got));
        total += got;
    }
    return total;
}

bool TimeLeft(DWORD until) { return static_cast<int>(until - GetTickCount()) > 0; }

// Waits for the handle at most ms, the messages pumped meanwhile.
bool WaitPumping(TVellumoMainForm& form, HANDLE h, DWORD ms)
{
    const DWORD until = GetTickCount() + ms;
    for (;;) {
        if (WaitForSingleObject(h, 0) == WAIT_OBJECT_0) return true;
        form.ProcessMessages();
        if (!TimeLeft(until)) return false;
        MsgWaitForMultipleObjects(1, &h, FALSE, 20, QS_ALLINPUT);
    }
}

void PumpUntil(TVellumoMainForm& form, DWORD until)
{
    for (;;) {
        form.ProcessMessages();
        if (!TimeLeft(until)) return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, std::min<DWORD>(until - GetTickCount(), 20), QS_ALLINPUT);
    }
}

struct TWaitEnd {
    bool Cancelled = false;  // a console tool ended by the user
    bool Abandoned = false;  // the user stopped waiting for a program with windows
};

TWaitEnd WaitForTool(TVellumoMainForm& form, TToolWaitWindows& windows, TStarted& tool, bool console,
                     TToolErrorText& errors)
{
    TWaitEnd end;
    HANDLE process = tool.Process.Get();
    for (;;) {
        if (WaitForSingleObject(process, 0) != WAIT_TIMEOUT) break;
        const long long got = DrainPipe(tool.ErrorPipe.Get(), errors);
        form.ProcessMessages();
        if (windows.Aborted()) {
            if (console) {
                if (!tool.Job.Get() || !TerminateJobObject(tool.Job.Get(), 0)) TerminateProcess(process, 0);
                WaitPumping(form, process, kTerminateWaitMs);
                end.Cancelled = true;
            } else {
                end.Abandoned = true;
            }
            break;
        }
        // Output keeps coming: read on at once, the child is blocked on a full pipe.
        if (got <= 0) MsgWaitForMultipleObjects(1, &process, FALSE, console ? 5 : 50, QS_ALLINPUT);
    }
    windows.DisableAbort();
    if (console && !end.Cancelled) {
        // The rest the tool wrote: up to the first empty look, or for a
        // bounded time while a child it started keeps writing.
        const DWORD until = GetTickCount() + kDrainAfterExitMs;
        while (DrainPipe(tool.ErrorPipe.Get(), errors) > 0 && TimeLeft(until)) form.ProcessMessages();
    }
    return end;
}

// The whole temporary file as the editor's text.
bool ReadTempText(const std::string& path, std::string& text)
{
    std::string bytes;
    if (ReadFileBytes(path, bytes) != TReadStatus::Ok) return false;
    text = ReadBackText(std::move(bytes));
    return true;
}

// The changed temporary file into the editor, in place of what the tool
// was given. True when the tool deleted the file.
bool ReadBack(TVellumoMainForm& form, const TTempFile& temp, const TGiven& given, const TWaitEnd& end)
{
    TFileStamp now;
    const bool exists = FileLocalDateTime(temp.Path(), now);
    switch (DecideReadBack(temp.Written(), exists, now, end.Cancelled, end.Abandoned)) {
    case TReadBack::Nothing: return false;
    case TReadBack::Missing: return true;
    case TReadBack::Ask:
        if (ShowMsg(kToolReadCancelledQuestion, kMsgCaption, MB_YESNO | MB_ICONQUESTION) != IDYES) return false;
        break;
    case TReadBack::Read: break;
    }
    std::string text;
    if (!ReadTempText(temp.Path(), text)) {
        ShowMsg(UnreadableTempMessage(temp.Path()), kMsgCaption, kMsgIconError);
        return false;
    }
    if (text == given.Text) return false;  // rewritten as it was: nothing to change
    if (!StillGiven(form, given)) {
        ShowMsg(kToolSelectionChanged, kMsgCaption, kMsgIconExclamation);
        return false;
    }
    TEditor& ed = form.ActiveEditor();
    if (!given.Selected) {
        form.SaveViewState(false);
        try {
            ed.ReplaceAllText(text);
        } catch (...) {
            form.RestoreViewState(false);
            throw;
        }
        form.RestoreViewState(false);
    } else if (given.Box) {
        ed.InsertBoxText(text);
    } else {
        ed.InsertStreamText(text);
    }
    return false;
}

std::string Unquoted(const std::string& s)
{
    return s.size() >= 2 && s.front() == '"' && s.back() == '"' ? s.substr(1, s.size() - 2) : s;
}

// A program the system could not start as a process (a document, say) is
// handed to the shell, when nothing waits for it.
bool ShellStart(const std::string& program, const std::string& params, const std::string& folder)
{
    const char* dir = folder.empty() ? nullptr : folder.c_str();
    const std::string file = Unquoted(program);
    const HINSTANCE r = file.empty()
                            ? ShellExecuteA(nullptr, "open", params.c_str(), nullptr, dir, SW_SHOWNORMAL)
                            : ShellExecuteA(nullptr, "open", file.c_str(), params.empty() ? nullptr : params.c_str(),
                                            dir, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(r) > 32;
}

} // namespace

void RunTool(TVellumoMainForm& form, int n)
{
    if (ToolWaiting() || DocumentBusy()) return;
    const TMemIniFile ini(form.IniPath);  // afresh: another instance may have changed the list
    if (n < 0 || n >= AppToolCount(ini)) return;
    const TAppTool tool = ReadAppTool(ini, n);
    if (tool.Title == "-") return;
    TEditor& ed = form.ActiveEditor();
    // A key reaches a tool as well as the menu does: the same rule.
    if (tool.SelOn && !ed.Selected()) {
        SoundBeep();
        return;
    }
    const bool console = IsConsoleCommand(tool.File);
    bool wait = tool.Lock || console;

    TTempFile temp;
    TGiven given;
    std::string extension;
    if (tool.Param.find("%t") != std::string::npos) {
        wait = true;
        given = GivenText(ed);
        extension = TempExtension(tool.Param);
        if (!temp.Create(extension, given.Text)) {
            ShowMsg(kToolTempFailed, kMsgCaption, kMsgIconError);
            return;
        }
    }
    if (!SaveBeforeTool(form, tool.Save)) return;

    // After the save: a new name is the one the tool gets.
    const TToolValues v = ToolValues(form, form.ActiveEditor());
    const std::string params = ExpandToolParams(tool.Param, v, temp.Path(), extension);
    const std::string folder = ExpandEnvInPath(ExpandToolFolder(tool.TmpDir, v));
    const std::string program = ExpandEnvInPath(ExpandToolProgram(tool.File, v));
    const std::string commandLine = ToolCommandLine(QuoteProgramPath(program, IsExistingFile), params);
    if (commandLine.empty()) return;

    std::optional<TToolLock> lock;
    if (wait) lock.emplace(form);
    TStarted started = StartTool(commandLine, folder, console);
    TToolErrorText errors;
    TWaitEnd end;
    if (started.Ok && wait) {
        TToolWaitWindows& windows = lock->Windows();
        if (console) form.ProcessMessages();
        windows.ShowProgress(form.Window(), form.ActiveEditor().Handle(), console ? kConsoleText : kWaitText,
                             console ? kConsoleCaption : kWaitCaption);
        const DWORD shownUntil = GetTickCount() + kProgressMinMs;
        end = WaitForTool(form, windows, started, console, errors);
        PumpUntil(form, shownUntil);
        windows.CloseProgress();
        form.ProcessMessages();
    }
    started.Thread.Close();
    started.ErrorPipe.Close();
    started.Job.Close();

    bool missing = false;
    if (temp.Active() && started.Ok) missing = ReadBack(form, temp, given, end);
    const std::string tempPath = temp.Path();
    temp.Delete(started.Process.Get());
    started.Process.Close();
    lock.reset();

    if (missing) ShowMsg(MissingTempMessage(tempPath), kMsgCaption, kMsgIconError);
    if (!started.Ok) {
        if (wait || !ShellStart(program, params, folder))
            ShowMsg(StartFailureMessage(commandLine), kMsgCaption, kMsgIconError);
    } else if (!end.Cancelled && !end.Abandoned && !errors.Text().empty()) {
        ShowMsg(ConsoleErrorMessage(errors.Text(), errors.More()), kMsgCaption, kMsgIconError);
    }
}

void RunToolOfTag(TVellumoMainForm& form, int tag)
{
    const int n = ToolNumberFromTag(tag);
    if (n >= 0) RunTool(form, n);
}

} // namespace vellumo
