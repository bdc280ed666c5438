// Files dropped on the main window, changes other programs make to the
// document's file (checked when the application becomes active again), and
// the save dialog's refusal of read-only targets.
#include "app/window/docguards_win.h"

#include <shlobj.h>

#include <algorithm>
#include <exception>

#include "app/core/appcontext.h"
#include "app/core/appfuncs.h"
#include "app/document/docopen.h"
#include "app/startup/cmdline_win.h"
#include "app/window/docguards.h"
#include "app/window/mainform_win.h"
#include "base/filebytes.h"
#include "base/showmsg.h"
#include "base/widename.h"
#include "classlib/application_win.h"
#include "classlib/process_win.h"
#include "settings/pathnames.h"
#include "settings/settingsstore.h"

namespace vellumo {

namespace {

// A drop handle posted by another process is a number, not our block: only
// a block of this process laid out as the system lays it out, whose list
// ends inside it, is read.
bool IsOwnDropBlock(HDROP drop)
{
    auto mem = reinterpret_cast<HGLOBAL>(drop);
    const SIZE_T size = mem ? GlobalSize(mem) : 0;
    if (size < sizeof(DROPFILES)) return false;
    const auto* base = static_cast<const unsigned char*>(GlobalLock(mem));
    if (!base) return false;
    const auto* df = reinterpret_cast<const DROPFILES*>(base);
    const SIZE_T unit = df->fWide ? 2 : 1;
    bool ok = df->pFiles == sizeof(DROPFILES) && (df->fWide == FALSE || df->fWide == TRUE);
    if (ok) {
        // The list ends with an empty name: two NULs (of the list's width).
        ok = false;
        for (SIZE_T i = df->pFiles; i + 2 * unit <= size; i += unit) {
            bool end = true;
            for (SIZE_T k = 0; k < 2 * unit; ++k) end = end && base[i + k] == 0;
            if (end) {
                ok = true;
                break;
            }
        }
    }
    GlobalUnlock(mem);
    return ok;
}

std::string ProgramPath()
{
    char exe[MAX_PATH + 1] = {};
    const DWORD n = GetModuleFileNameA(nullptr, exe, MAX_PATH);
    return n == 0 || n >= MAX_PATH ? std::string() : std::string(exe, n);
}

bool Exists(const std::string& name)
{
    const DWORD a = GetFileAttributesA(name.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE));
}

bool HasReadOnlyAttribute(const std::string& name)
{
    const DWORD a = GetFileAttributesA(name.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_READONLY);
}

// The dropped names in drop order. A name longer than a path may be is
// never cut (a cut name could be another file), nor is a name the code page
// cannot hold exactly replaced by a near one: it stays in its place, not
// openable, and the latter is listed in refused.
std::vector<TDroppedFile> DroppedFiles(HDROP drop, std::vector<std::wstring>& refused)
{
    std::vector<TDroppedFile> files;
    const std::string program = ProgramPath();
    const UINT n = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < n; ++i) {
        TDroppedFile f;
        const UINT len = DragQueryFileW(drop, i, nullptr, 0);
        if (len > 0 && len <= kMaxPathBytes) {
            std::wstring wide(len + 1, L'\0');
            std::string name;
            if (DragQueryFileW(drop, i, wide.data(), len + 1) == len) {
                wide.resize(len);
                if (!WideNameToAnsi(wide, name)) {
                    refused.push_back(std::move(wide));
                } else if (name.size() <= kMaxPathBytes) {
                    f.Name = ResolveDroppedShortcut(name);
                    f.Openable = IsOpenableFile(f.Name, Exists(f.Name), program);
                }
            }
        }
        files.push_back(std::move(f));
    }
    return files;
}

void RunDrop(TVellumoMainForm& form, const TDropPlan& plan)
{
    if (plan.Foreground) SetForegroundWindow(form.Window());
    if (plan.AskSave && !form.SaveBeforeClosing()) return;
    if (!plan.Here.empty() && form.Documents.OpenFile) form.Documents.OpenFile(plan.Here);
    const std::string program = ProgramPath();
    if (program.empty()) return;
    // Each instance is idle before the next starts, so they come up in drop order.
    for (const std::string& name : plan.NewInstances)
        StartProcessAndWaitIdle(DropInstanceCommandLine(program, form.IniFolder, name));
}

} // namespace

std::string ResolveDroppedShortcut(const std::string& path)
{
    const std::string ext = LowerCasePath(ExtractFileName(path));
    if (ext.size() < 4 || ext.compare(ext.size() - 4, 4, ".lnk") != 0) return path;
    std::string target;
    return ResolveShortcutTarget(path, target) ? target : path;
}

void TVellumoMainForm::DropFiles(HDROP drop)
{
    if (!IsOwnDropBlock(drop)) return;
    // A drop while a document operation runs or a tool is waited for is let go.
    std::vector<TDroppedFile> files;
    std::vector<std::wstring> refused;
    if (!DocumentBusy() && !ToolWaiting()) files = DroppedFiles(drop, refused);
    DragFinish(drop);
    RefuseUnrepresentableNames(refused, false);
    if (files.empty()) return;
    try {
        RunDrop(*this, PlanDrop(files, AppSettingsStore().Settings.Option.DropCloseToOpen,
                                Document().CurrentFileName.empty() && !ActiveEditor().Modified()));
    } catch (const std::exception& e) {
        ShowMsg(e.what(), kMsgCaption, kMsgIconExclamation);
    }
}

void TVellumoMainForm::AppActivate()
{
    KeepApplicationWindowHidden();
    TDocumentState& doc = Document();
    if (!HandleAllocated() || !IsWindowEnabled(Window()) || doc.ReloadingOnActivate || doc.CurrentFileName.empty() ||
        DocumentBusy() || ToolWaiting())
        return;
    const TAppIni& opt = AppSettingsStore().Settings.Option;
    if (!opt.ChkFileAge) return;
    const std::string name = doc.CurrentFileName;
    const TFileState stamp = FileStateOf(name);
    TFileSeen seen;
    seen.Time = stamp.Time;
    seen.Size = stamp.Size;
    seen.ReadOnlyAttr = HasReadOnlyAttribute(name);
    const TCommandLine& cl = SystemCommandLine();
    if (!FileChangedOutside(seen, {doc.FileTimeAtLoad, doc.FileSizeAtLoad}, doc.ReadOnlyAttr, opt.ChkReadOnlyFile,
                            cl.HasSwitch("/rl") || cl.HasSwitch("/r")))
        return;
    struct TReloading {
        TDocumentState& doc;
        TReloading(TDocumentState& d) : doc(d) { doc.ReloadingOnActivate = true; }
        ~TReloading() { doc.ReloadingOnActivate = false; }
    } reloading(doc);
    TOutsideAnswer answer = TOutsideAnswer::Reload;
    if (opt.ChkFileAgeMsg) {
        const int r = ShowMsg(OutsideChangeQuestion(name), kMsgCaption, MB_YESNOCANCEL | MB_ICONEXCLAMATION);
        answer = r == IDYES ? TOutsideAnswer::Reload : r == IDNO ? TOutsideAnswer::Ignore : TOutsideAnswer::Later;
    }
    bool reloaded = false;
    // Through the reload command, so the lock on the file goes and comes back as for F5.
    if (answer == TOutsideAnswer::Reload && Documents.ReloadCommand) reloaded = Documents.ReloadCommand();
    if (RememberSeenState(answer, reloaded) && doc.CurrentFileName == name) {
        doc.FileTimeAtLoad = seen.Time;
        doc.FileSizeAtLoad = seen.Size;
        if (doc.ReadOnlyAttr != seen.ReadOnlyAttr) {
            doc.ReadOnlyAttr = seen.ReadOnlyAttr;
            UpdateCaption(name);
        }
    }
}

bool SaveDialogAccepts(const std::string& fileName)
{
    if (!FileDialogAccepts(fileName)) return false;
    IMainWindow* form = MainForm();
    const TDocumentState& doc = Document();
    const bool editorReadOnly = form && form->ActiveEditor().ReadOnly();
    if (!SaveTargetRefused(fileName, HasReadOnlyAttribute(fileName), doc.CurrentFileName, editorReadOnly,
                           doc.ReadOnlyAttr))
        return true;
    ShowMsg("上書き保存は禁止されています。\r\n書き換え禁止が指定されているか、読み取り専用ファイルです。", kMsgCaption,
            kMsgIconExclamation);
    return false;
}

HDROP TestDropHandle(UINT msg)
{
    static const UINT hook = [] {
        char buf[4] = {};
        return GetEnvironmentVariableA("VELLUMO_TEST_DROP", buf, sizeof buf) > 0 ? RegisterWindowMessageA("VellumoTestDrop")
                                                                                 : 0u;
    }();
    if (hook == 0 || msg != hook) return nullptr;
    char path[MAX_PATH + 1] = {};
    const DWORD n = GetEnvironmentVariableA("VELLUMO_TEST_DROP", path, sizeof path);
    std::string list;
    if (n == 0 || n >= sizeof path || ReadFileBytes(path, list) != TReadStatus::Ok || list.size() > 1 << 20)
        return nullptr;
    // A list that starts with the UTF-16LE byte order mark gives a wide
    // block, as the system's drops are; otherwise an ANSI one.
    const bool wide = list.size() >= 2 && list[0] == '\xFF' && list[1] == '\xFE';
    if (wide) list.erase(0, 2);
    if (wide && list.size() % 2) list.pop_back();
    list.append(wide ? 2 : 1, '\0');  // the empty name that ends the list
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + list.size() + 2);
    if (!mem) return nullptr;
    auto* df = static_cast<DROPFILES*>(GlobalLock(mem));
    df->pFiles = sizeof(DROPFILES);
    df->fWide = wide;
    std::copy(list.begin(), list.end(), reinterpret_cast<char*>(df) + sizeof(DROPFILES));
    GlobalUnlock(mem);
    return static_cast<HDROP>(mem);
}

} // namespace vellumo
