// Opening and reloading the document in the main window.
#include <windows.h>

#include <stdexcept>

#include "app/core/appcontext.h"
#include "app/core/appfuncs.h"
#include "app/startup/cmdline_win.h"
#include "app/document/docopen.h"
#include "app/document/docsave.h"
#include "app/startup/instances.h"
#include "app/window/docguards.h"
#include "settings/pathnames.h"
#include "settings/settingsstore.h"
#include "classlib/screen_win.h"
#include "base/filebytes.h"
#include "base/showmsg.h"
#include "editor/editor_win.h"
#include "editor/editorhost.h"
#include "textcode/wideconv.h"

namespace vellumo {

namespace {

constexpr unsigned kAskFlags = MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2;

const char kTooBig[] = "指定の最大ファイルサイズを超えています。\r\n読み込みを続行しますか？";
const char kNotWritable[] = "は他のプロセスにより書き込みが禁止されている可能性があります。";
const char kLockedSet[] = "書き換え禁止をセットしました。";
const char kDiscard[] = "変更内容を破棄して再読込を実行します。よろしいですか？";
const char kMissing[] = " が見当たりません。";
const char kReloadFailed[] =
    "作業中のファイルが他のアプリケーションで処理中の可能性があります\r\nしばらく待ってから[再読込]を実行して下さい。";

IMainWindow& Form()
{
    IMainWindow* f = MainForm();
    if (!f) throw std::logic_error("no main window");
    return *f;
}

class TWaitCursor {
public:
    TWaitCursor() : old_(Screen().Cursor()) { Screen().SetCursor(crHourGlass); }
    ~TWaitCursor() { Screen().SetCursor(old_); }
    TWaitCursor(const TWaitCursor&) = delete;
    TWaitCursor& operator=(const TWaitCursor&) = delete;

private:
    TCursor old_;
};

struct TClearStatus {
    ~TClearStatus() { ClearStatusMessage(); }
};

bool FileData(const std::string& name, WIN32_FILE_ATTRIBUTE_DATA& data)
{
    return GetFileAttributesExA(name.c_str(), GetFileExInfoStandard, &data) &&
           !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

void LockReadOnly(bool& locked)
{
    Document().ReadOnlyLocked = true;
    SetReadOnlyState(true, true);
    locked = true;
}

// The file holds the odd last byte of a UTF-16 text the loader left out;
// escaped tells whether characters the code page lacks were escaped too.
// The whole file is read again only when its length is odd.
bool DroppedOddUtf16Byte(const std::string& name, bool& escaped)
{
    escaped = true;
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!FileData(name, data)) return false;
    const unsigned long long size = (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    if (size % 2 == 0) return false;  // with or without its two-byte mark, an even file has no odd byte
    std::string bytes;
    if (ReadFileBytes(name, bytes) != TReadStatus::Ok) return false;
    const std::size_t skip = bytes.size() > 1 && bytes.compare(0, 2, "\xFF\xFE") == 0 ? 2 : 0;
    if ((bytes.size() - skip) % 2 == 0) return false;
    std::wstring wide((bytes.size() - skip) / 2, L'\0');
    for (std::size_t i = 0; i < wide.size(); ++i)
        wide[i] = static_cast<wchar_t>(static_cast<unsigned char>(bytes[skip + 2 * i]) |
                                       static_cast<unsigned char>(bytes[skip + 2 * i + 1]) << 8);
    std::string().swap(bytes);
    escaped = HasUnmappableChars(wide);
    return true;
}

// The lock the document holds on its file goes while the loader reads (a
// lock of mode 2 would keep the loader out too) and comes back: on the
// loaded file once it is read, else on the file the document still has.
class TLockAroundLoad {
public:
    TLockAroundLoad() { UnlockOpenFile(); }
    ~TLockAroundLoad()
    {
        if (!taken_ && !Document().CurrentFileName.empty()) LockOpenFile(Document().CurrentFileName);
    }
    void Loaded(const std::string& name)
    {
        taken_ = true;
        LockOpenFile(name);
    }
    TLockAroundLoad(const TLockAroundLoad&) = delete;
    TLockAroundLoad& operator=(const TLockAroundLoad&) = delete;

private:
    bool taken_ = false;
};

// OpenFile's work; the caller holds the busy state. Errors of the load raise.
// loadLocked tells whether the load itself made the document read-only
// locked (not writable, NULs, a No to a question); changed, whether the file
// on disk is no longer the one that was read once the load ends.
bool LoadInto(const std::string& name, bool checkInstances, bool& loadLocked, bool& changed)
{
    loadLocked = false;
    changed = false;
    IMainWindow& form = Form();
    const TAppSettings& set = AppSettingsStore().Settings;
    TDocumentState& doc = Document();
    TWaitCursor wait;
    TClearStatus clear;
    ShowStatusMessage(FileNamePart(name) + " を読込中...");
    // Reading a device ("aux", "nul.txt") may never end.
    if (RefuseUnusablePath(name, false)) {
        if (!form.Showing()) EndApplicationWithoutShowing();
        return false;
    }
    if (checkInstances && set.Option.NotDoubleOpen &&
        ActivateOtherInstance(name, false, SystemCommandLine(), form.Handle()))
        return false;
    WIN32_FILE_ATTRIBUTE_DATA info{};
    if (set.Option.LoadSizeMax > 0 && FileData(name, info)) {
        const unsigned long long size = (static_cast<unsigned long long>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
        if (size > static_cast<unsigned long long>(set.Option.LoadSizeMax)) {
            if (ShowMsg(kTooBig, kMsgCaption, kAskFlags) != IDYES) {
                if (!form.Showing()) EndApplicationWithoutShowing();
                return false;
            }
            if (!form.Showing()) form.BringApplicationForward();
        }
    }
    bool hadNul = false, writable = true, noAnsi = false;
    TLineEndCode lineEnd = doc.DocumentLineEnd;
    const bool detect = set.JCode.LoadAutoCvt;
    TEditor& editor = form.ActiveEditor();
    TLockAroundLoad lock;
    // Taken before a byte is read: bytes another program adds meanwhile are
    // past what the loader reads, and must show as a change.
    const TFileState before = FileStateOf(name);
    const int code = editor.LoadTextFile(name, detect, hadNul, lineEnd, detect ? doc.ForcedLoadCode : ccSjis,
                                         writable, noAnsi);
    if (code < 0) {
        // The loader said why; the document stays as it was. Started for
        // this file, the program ends without a window.
        if (!form.Showing()) EndApplicationWithoutShowing();
        return false;
    }
    bool escaped = true;
    const bool oddByte = noAnsi && code == ccUnicode && DroppedOddUtf16Byte(name, escaped);
    lock.Loaded(name);
    doc.DocumentCode = static_cast<TCharCode>(code);
    doc.DocumentLineEnd = lineEnd;
    doc.HadNul = hadNul;
    doc.NoAnsi = noAnsi;
    if (EmptyFileTakesNewCode(editor.Lines().Count() == 0, doc.ForcedLoadCode, doc.DocumentCode)) {
        doc.DocumentCode = NewDocumentCode(set.JCode.NewCode);
        doc.DocumentLineEnd = NewDocumentLineEnd(set.JCode.NewRetCode);
    }
    WIN32_FILE_ATTRIBUTE_DATA after{};
    const bool exists = FileData(name, after);
    doc.FileTimeAtLoad = before.Time;
    doc.FileSizeAtLoad = before.Size;
    doc.FileAsKnown = before;
    changed = FileStateOf(name) != before;
    doc.ReadOnlyAttr = exists && (after.dwFileAttributes & FILE_ATTRIBUTE_READONLY);
    doc.ReadOnlyLocked = set.Option.ChkReadOnlyFile && doc.ReadOnlyAttr;
    SetReadOnlyState(doc.ReadOnlyLocked, doc.ReadOnlyLocked);
    const TCommandLine& cl = SystemCommandLine();
    if (set.Option.ChkOkWriteFile && !doc.ReadOnlyAttr && !writable && !cl.HasSwitch("/rl") && !cl.HasSwitch("/r")) {
        LockReadOnly(loadLocked);
        ShowMsg("\"" + name + "\"\r\n" + kNotWritable + "\r\n" + kLockedSet, kMsgCaption, MB_ICONEXCLAMATION);
    }
    UpdateCodeStatus();
    form.MainEditor().SetModified(false);
    if (TEditor* split = form.SplitEditor()) split->SetModified(false);
    SetOutputMode(false);
    SetCurrentFile(name);
    if (doc.HadNul && !(set.Option.NullFileMsg && ShowMsg(NulFileQuestion(), kMsgCaption, kAskFlags) == IDYES))
        LockReadOnly(loadLocked);
    if (doc.NoAnsi &&
        ShowMsg(LoadLossQuestion(static_cast<TCharCode>(code), oddByte, escaped), kMsgCaption, kAskFlags) != IDYES)
        LockReadOnly(loadLocked);
    return true;
}

// Forces a code with detection on for one reload; both put back on every way out.
class TForcedReload {
public:
    explicit TForcedReload(int code) : autoCvt_(AppSettingsStore().Settings.JCode.LoadAutoCvt)
    {
        Document().ForcedLoadCode = code;
        AppSettingsStore().Settings.JCode.LoadAutoCvt = true;
    }
    ~TForcedReload()
    {
        Document().ForcedLoadCode = -1;
        AppSettingsStore().Settings.JCode.LoadAutoCvt = autoCvt_;
    }
    TForcedReload(const TForcedReload&) = delete;
    TForcedReload& operator=(const TForcedReload&) = delete;

private:
    bool autoCvt_;
};

// The file changed while it was read: the text ends where the file did when
// the load began. Said as an outside change is; Yes reads it again. After No
// the activation check takes the file as seen, but a save still asks.
void ReportChangeWhileLoading(const std::string& name)
{
    if (ShowMsg(OutsideChangeQuestion(name), kMsgCaption, MB_YESNO | MB_ICONEXCLAMATION) == IDYES) {
        ReloadFile();
        return;
    }
    TDocumentState& doc = Document();
    if (doc.CurrentFileName != name) return;
    const TFileState now = FileStateOf(name);
    doc.FileTimeAtLoad = now.Time;
    doc.FileSizeAtLoad = now.Size;
}

bool OpenFileBusy(const std::string& fileName, bool checkInstances, bool& changed)
{
    if (DocumentBusy()) {
        SoundBeep();
        return false;
    }
    TDocumentBusy busy;
    const std::string name = FullPathName(fileName);
    try {
        // A device keeps the name it was given ("aux" rather than "\\.\aux").
        if (RefuseUnusablePath(fileName, false)) {
            if (IMainWindow* form = MainForm(); form && !form->Showing()) EndApplicationWithoutShowing();
            return false;
        }
        bool loadLocked = false;
        return LoadInto(name, checkInstances, loadLocked, changed);
    } catch (const std::exception&) {
        ShowMsg("\"" + name + "\"\r\nの読み込みに失敗しました。", kMsgCaption, MB_ICONEXCLAMATION);
        return false;
    }
}

bool ReloadFileBusy(bool& changed)
{
    TDocumentState& doc = Document();
    if (doc.CurrentFileName.empty()) return false;
    if (DocumentBusy()) {
        SoundBeep();
        return false;
    }
    TDocumentBusy busy;
    try {
        IMainWindow& form = Form();
        const TAppSettings& set = AppSettingsStore().Settings;
        const std::string name = doc.CurrentFileName;
        const bool lockedBefore = doc.ReadOnlyLocked;
        const bool readOnlyBefore = form.ActiveEditor().ReadOnly();
        const bool attrBefore = doc.ReadOnlyAttr;
        if (form.ActiveEditor().Modified() && ShowMsg(kDiscard, kMsgCaption, MB_YESNO | MB_ICONEXCLAMATION) != IDYES)
            return false;
        bool loaded = false, loadLocked = false;
        WIN32_FILE_ATTRIBUTE_DATA info{};
        if (!FileData(name, info)) {
            ShowMsg("\"" + name + "\"" + kMissing, kMsgCaption, MB_ICONERROR);
        } else {
            const bool silent = doc.ReloadingOnActivate && set.Option.ChkFileAge && !set.Option.ChkFileAgeMsg;
            if (silent) ShowStatusMessage("作業中のファイルを再読込中...");
            form.ProcessMessages();
            const bool keepView = set.Option.KeepRowLoad;
            TViewState view;
            if (keepView) view = SaveViewState(true);
            bool failed = false;
            try {
                loaded = LoadInto(name, false, loadLocked, changed);
            } catch (const std::exception&) {
                failed = true;
            }
            if (keepView) RestoreViewState(view, true);
            if (failed) {
                ClearStatusMessage();
                ShowMsg(kReloadFailed, kMsgCaption, MB_ICONEXCLAMATION);
            } else if (silent && loaded) {
                SoundBeep();
                ShowStatusMessage("作業中のファイルを再読込しました。");
            }
        }
        if (RestoreReadOnlyAfterReload(set.Option.ChkReadOnlyFile, attrBefore, doc.ReadOnlyAttr, loaded && loadLocked)) {
            doc.ReadOnlyLocked = lockedBefore;
            SetReadOnlyState(readOnlyBefore, lockedBefore);
        }
        return loaded;
    } catch (const std::exception&) {
        ShowMsg(kReloadFailed, kMsgCaption, MB_ICONEXCLAMATION);
        return false;
    }
}

} // namespace

// The question about a change during the load comes once the busy state is
// over, so that its Yes can reload.
bool OpenFile(const std::string& fileName, bool checkInstances)
{
    bool changed = false;
    const bool loaded = OpenFileBusy(fileName, checkInstances, changed);
    if (loaded && changed) ReportChangeWhileLoading(Document().CurrentFileName);
    return loaded;
}

bool ReloadFile()
{
    bool changed = false;
    const bool loaded = ReloadFileBusy(changed);
    if (loaded && changed) ReportChangeWhileLoading(Document().CurrentFileName);
    return loaded;
}

TFileState FileStateOf(const std::string& fileName)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!FileData(fileName, data)) return {};
    return {static_cast<std::int64_t>((std::uint64_t(data.ftLastWriteTime.dwHighDateTime) << 32) |
                                      data.ftLastWriteTime.dwLowDateTime),
            (std::uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow};
}

bool ReloadWithCode(int code)
{
    // Refused before the forced code is set: the running operation may be reading it.
    if (DocumentBusy()) {
        SoundBeep();
        return false;
    }
    TForcedReload forced(code);
    return ReloadFile();
}

bool ReloadCommand()
{
    if (!AppSettingsStore().Settings.JCode.NowJCodeReLoad) return ReloadFile();
    return ReloadWithCode(Document().DocumentCode);
}

void SetCurrentFile(const std::string& fileName)
{
    IMainWindow& form = Form();
    TDocumentState& doc = Document();
    const std::string old = doc.CurrentFileName;
    doc.CurrentFileName = fileName;
    form.SetDialogFileNames(fileName);
    form.SetOpenFileNameText(fileName);
    UpdateCaption(fileName);
    if (!fileName.empty()) form.AddRecentFile(fileName);
    UpdateToolBarState();
    if (!SameFileName(old, fileName)) form.EditModeFromFileName(fileName);
}

bool RefuseUnusablePath(const std::string& path, bool saving)
{
    std::string text = PathRefusalMessage(path, saving);
    if (text.empty()) text = PathRefusalMessage(FullPathName(path), saving);
    if (text.empty()) return false;
    ShowMsg(text, kMsgCaption, MB_ICONEXCLAMATION);
    return true;
}

bool FileDialogAccepts(const std::string& fileName)
{
    if (!CheckPathLength(fileName)) return false;
    if (PathRefusal(fileName) != TPathRefusal::Device) return true;
    RefuseUnusablePath(fileName, false);
    return false;
}

void UpdateCaption(const std::string& fileName)
{
    IMainWindow& form = Form();
    const TAppIni& opt = AppSettingsStore().Settings.Option;
    const TDocumentState& doc = Document();
    const TCaptions c = MakeCaptions(fileName, {opt.FullPathFileName, opt.FullPathCnv, opt.ButtonFileName},
                                     doc.ReadOnlyAttr, form.ActiveEditor().Modified(), doc.OutputMode, [](const std::string& p) { return AbbreviatePath(p); });
    form.SetCaptions(c.Caption, c.AppTitle);
}

void UpdateCodeStatus()
{
    IMainWindow& form = Form();
    const TAppSettings& set = AppSettingsStore().Settings;
    const TDocumentState& doc = Document();
    form.SetPanelText(5, CodePanelText(doc.DocumentCode, set.Option.SBSimplePanels, set.JCode.NewCode));
    form.SetPanelText(6, LineEndPanelText(doc.DocumentLineEnd, set.Option.SBSimplePanels, set.JCode.NewRetCode));
}

void SetReadOnlyState(bool readOnly, bool locked)
{
    IMainWindow& form = Form();
    if (TEditor* split = form.SplitEditor()) split->SetReadOnly(readOnly);
    form.MainEditor().SetReadOnly(readOnly);
    form.SetPanelText(8, ReadOnlyPanelText(readOnly, locked));
    UpdateToolBarState();
}

bool SetOutputMode(bool on)
{
    TDocumentState& doc = Document();
    if (on) {
        if (!doc.CurrentFileName.empty() || Form().ActiveEditor().Modified()) return false;
    } else if (!doc.OutputMode) {
        return false;
    }
    doc.OutputMode = on;
    EditorHostValues().OutputMode = on;  // edits of the output do not count as changes
    SetCurrentFile("");
    return true;
}

bool ExecuteOpenDialog()
{
    IMainWindow& form = Form();
    const bool chosen = form.RunOpenDialog();
    form.ProcessMessages();
    return chosen;
}

void ApplyDialogReadOnly()
{
    const bool v = Form().OpenDialogReadOnlyChecked() ||
                   (AppSettingsStore().Settings.Option.ChkReadOnlyFile && Document().ReadOnlyAttr);
    Document().ReadOnlyLocked = v;
    SetReadOnlyState(v, v);
}

} // namespace vellumo
