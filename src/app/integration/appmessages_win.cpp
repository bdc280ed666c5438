// The messages other instances and other programs send the main window.
// Texts travel through a file mapping the sender made, names through global
// atoms; both are read only within what the system says is there.
#include "app/integration/appmessages_win.h"

#include <windows.h>

#include <cstring>
#include <exception>

#include "app/core/appcontext.h"
#include "app/core/appfuncs.h"
#include "app/core/reloadini.h"
#include "app/document/docopen.h"
#include "app/integration/appmessages.h"
#include "app/startup/instances.h"
#include "app/startup/settingsloc_win.h"
#include "app/window/editmodes.h"
#include "app/window/mainform_win.h"
#include "classlib/application_win.h"
#include "settings/pathnames.h"
#include "settings/settingsstore.h"

namespace vellumo {

namespace {

bool Readable(DWORD protect)
{
    if (protect & (PAGE_GUARD | PAGE_NOACCESS)) return false;
    return (protect & (PAGE_READONLY | PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READ | PAGE_EXECUTE_READWRITE |
                       PAGE_EXECUTE_WRITECOPY)) != 0;
}

bool Writable(DWORD protect)
{
    if (protect & (PAGE_GUARD | PAGE_NOACCESS)) return false;
    return (protect & (PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY)) != 0;
}

// A view of the sender's mapping and the bytes at its start that may be
// touched: the committed region there. A mapping made with reserved pages
// only is as large as it says, but none of it can be read.
class TSenderView {
public:
    TSenderView(HWND self, bool write)
    {
        const std::string name = MappingName(reinterpret_cast<std::uintptr_t>(self));
        map_ = OpenFileMappingA(write ? FILE_MAP_WRITE : FILE_MAP_READ, FALSE, name.c_str());
        if (!map_) return;
        view_ = MapViewOfFile(map_, write ? FILE_MAP_WRITE : FILE_MAP_READ, 0, 0, 0);
        if (!view_) return;
        MEMORY_BASIC_INFORMATION mbi{};
        if (VirtualQuery(view_, &mbi, sizeof mbi) != sizeof mbi || mbi.BaseAddress != view_) return;
        if (mbi.State == MEM_COMMIT && (write ? Writable(mbi.Protect) : Readable(mbi.Protect))) usable_ = mbi.RegionSize;
    }
    ~TSenderView()
    {
        if (view_) UnmapViewOfFile(view_);
        if (map_) CloseHandle(map_);
    }
    TSenderView(const TSenderView&) = delete;
    TSenderView& operator=(const TSenderView&) = delete;
    bool Opened() const { return view_ != nullptr; }
    char* Bytes() const { return static_cast<char*>(view_); }
    std::size_t Usable() const { return usable_; }

private:
    HANDLE map_ = nullptr;
    void* view_ = nullptr;
    std::size_t usable_ = 0;
};

// The name an atom parameter carries, at most 255 characters; the atom is
// deleted once read. False when the parameter names no string atom (an
// atom that cannot be read gives an empty text).
bool ReadAtomParam(LPARAM param, std::string& text)
{
    text.clear();
    const ATOM atom = StringAtomOf(static_cast<std::uint64_t>(param));
    if (!atom) return false;
    char buf[257] = {};
    const UINT n = GlobalGetAtomNameA(atom, buf, 256);
    if (n > 0) {
        text.assign(buf, strnlen(buf, 256));
        GlobalDeleteAtom(atom);
    }
    return true;
}

// An existing plain file named by an absolute path: never a folder, a device
// or anything in the device spaces.
bool IsOpenableMessagePath(const std::string& name)
{
    if (!IsAbsolutePath(name) || PathRefusal(name) != TPathRefusal::None) return false;
    const DWORD a = GetFileAttributesA(name.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE));
}

void RestoreIfMinimized()
{
    if (Application().Minimized()) Application().Restore();
}

// A box selection as its rows, each followed by CR LF.
std::string SelectedText(TEditor& ed)
{
    if (!ed.Selected()) return {};
    std::string text = ed.SelText();
    if (ed.SelectionMode() == smBox) {
        const TEditorSelection sel = ed.Selection();
        if (sel.StartRow == sel.EndRow) text += "\r\n";
    }
    return text;
}

LRESULT GetText(TVellumoMainForm& form, int what)
{
    TSenderView view(form.Window(), true);
    if (!view.Opened()) return 0;
    TEditor& ed = form.ActiveEditor();
    const std::string text = what == 1 ? SelectedText(ed) : ed.Lines().Text();
    // A cut text would pass for the whole one.
    if (!TextFitsView(text.size(), view.Usable())) return 0;
    std::memcpy(view.Bytes(), text.data(), text.size());
    view.Bytes()[text.size()] = '\0';
    return 1;
}

// The view of both editors kept around a change of the whole text.
class TKeptView {
public:
    explicit TKeptView(TVellumoMainForm& form) : form_(form) { form_.SaveViewState(false); }
    ~TKeptView() { form_.RestoreViewState(false); }
    TKeptView(const TKeptView&) = delete;
    TKeptView& operator=(const TKeptView&) = delete;

private:
    TVellumoMainForm& form_;
};

LRESULT SetText(TVellumoMainForm& form, int how, int length)
{
    TEditor& ed = form.ActiveEditor();
    if (ed.ReadOnly()) return 0;
    std::string text;
    {
        TSenderView view(form.Window(), false);
        if (!view.Opened() || !TextFromView(view.Bytes(), view.Usable(), length, text)) return 0;
    }
    if (how == 1) {
        if (ed.Selected() && ed.SelectionMode() == smBox)
            ed.InsertBoxText(text);
        else
            ed.InsertStreamText(text);
    } else if (how == 0) {
        TKeptView kept(form);
        ed.ReplaceAllText(text);
    } else {
        TKeptView kept(form);
        ed.Lines().SetText(text);
    }
    return 1;
}

void SaveRequested(TVellumoMainForm& form)
{
    TDocumentFunctions& docs = form.Documents;
    if (form.ActiveEditor().ReadOnly() || !docs.NeedsSaveAs || docs.NeedsSaveAs() || !docs.SaveFile) return;
    docs.SaveFile(Document().CurrentFileName, false);
}

void OpenRequested(TVellumoMainForm& form, LPARAM atom)
{
    std::string name;
    // Checked before the question: a name that cannot be opened asks nothing.
    if (!ReadAtomParam(atom, name) || name.empty() || !IsOpenableMessagePath(name)) return;
    if (!form.SaveBeforeClosing()) return;
    if (form.Documents.OpenFile) form.Documents.OpenFile(name);
}

void StatusTextRequested(LPARAM atom)
{
    std::string text;
    // A value that names no string atom is an empty text: the status clears.
    ReadAtomParam(atom, text);
    if (IsBlankText(text))
        ClearStatusMessage();
    else
        ShowStatusMessage(text);
}

void SettingsFolderRequested(TVellumoMainForm& form, LPARAM atom)
{
    std::string folder;
    if (!ReadAtomParam(atom, folder) || folder.empty()) return;
    TWinSettingsLocEnv env;
    TSettingsFolderChange change;
    const auto exists = [&env](const std::string& f) { return env.FolderExists(f); };
    if (!SettingsFolderFromMessage(ExpandEnvInPath(folder), form.IniFolder, env.ProgramPath(), exists, change)) return;
    form.IniFolder = change.Folder;
    form.IniPath = change.IniPath;
    TSettingsLocation loc;
    loc.SettingsFileName = change.IniPath;
    loc.SettingsFolder = change.Folder;
    loc.Writable = env.CanWrite(change.Folder, change.IniPath);
    SetSettingsLocation(std::move(loc));
    AppSettingsStore().SetPath(change.IniPath);
    SendMessageA(form.Window(), WM_RELOADINI, 0, 0);
}

void SelectRequested(TVellumoMainForm& form, int start, int end)
{
    TEditor& ed = form.ActiveEditor();
    if (ed.HandleAllocated()) ::SetFocus(ed.Handle());
    const TSelRequest r = SelRequestOf(start, end);
    switch (r.Kind) {
    case TSelRequest::All: ed.SelectAll(); break;
    case TSelRequest::Clear: ed.CleanSelection(); break;
    case TSelRequest::Range:
        ed.SetSelStart(r.Start);
        ed.SetSelLength(r.Length);
        break;
    }
}

LRESULT Answer(TVellumoMainForm& form, const TMessage& m)
{
    const int wp = Param32(m.WParam), lp = Param32(static_cast<std::uint64_t>(m.LParam));
    TEditor& active = form.ActiveEditor();
    switch (m.Msg) {
    case WM_JUMPLINE:
        RestoreIfMinimized();
        if (wp > 0) JumpToLine(wp, lp);
        return 0;
    case WM_RELOADINI:
        HandleReloadIni();
        return 0;
    case WM_JUMPEND:
        RestoreIfMinimized();
        if (wp != 0) JumpToLastLine();
        return 0;
    case WM_APP_SAVE: SaveRequested(form); return 0;
    case WM_APP_OPENFILE: OpenRequested(form, m.LParam); return 0;
    case WM_APP_GETEDITWND: return reinterpret_cast<LRESULT>(form.LastEditorHandle);
    case WM_APP_SETSTATUSTEXT: StatusTextRequested(m.LParam); return 0;
    case WM_APP_GETEDITMODE: return static_cast<LRESULT>(CurrentEditMode());
    case WM_APP_GETSELMODE: {
        const TEditor& last = form.LastEditor ? *form.LastEditor : form.Editor1;
        return !last.Selected() ? -1 : last.SelectionMode() == smBox ? 1 : 0;
    }
    case WM_APP_SETINIFOLDER: SettingsFolderRequested(form, m.LParam); return 0;
    case WM_APP_GETTEXT: return GetText(form, wp);
    case WM_APP_SETTEXT: return SetText(form, wp, lp);
    case WM_APP_GETCARETROW:
        return wp == 1 && active.WordWrap() ? active.RowToLine(active.Row()) : active.Row();
    case WM_APP_GETROWCOUNT: return active.RowCount();
    case WM_APP_GETCOLCOUNT: return active.ColCount();
    case WM_APP_GETTOPROW: return active.TopRow();
    case WM_APP_GETLEFTCOL: return active.LeftCol();
    case WM_APP_GETOUTPUTMODE: return Document().OutputMode ? 1 : 0;
    case WM_APP_SETOUTPUTMODE: return SetOutputMode(wp == 1) ? 1 : 0;
    case WM_APP_SETSEL: SelectRequested(form, wp, lp); return 0;
    default: return 0;  // the unused numbers among them
    }
}

} // namespace

bool HandleInterfaceMessage(TVellumoMainForm& form, TMessage& m)
{
    if (!IsInterfaceMessage(m.Msg)) return false;
    m.Result = 0;
    TMessageGate gate;
    gate.Busy = DocumentBusy();
    gate.ToolWaiting = ToolWaiting();
    gate.WindowEnabled = IsWindowEnabled(form.Window()) != FALSE;
    // The re-read notice is put off, not lost, while a document operation runs.
    if (gate.Busy && m.Msg == WM_RELOADINI) HandleReloadIni();
    if (!MessageAllowed(m.Msg, gate)) return true;
    try {
        m.Result = Answer(form, m);
    } catch (const std::exception&) {
        m.Result = 0;
    } catch (...) {
        m.Result = 0;
    }
    return true;
}

} // namespace vellumo
