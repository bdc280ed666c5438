// Opening and reloading the document in the main window.
#include <windows.h>

#include <stdexcept>

#include "app/core/appcontext.h"
#include "app/core/appfuncs.h"
#include "app/startup/cmdline_win.h"
#include "app/document/docopen.h"
#include "app/startup/instances.h"
#include "settings/pathnames.h"
#include "settings/settingsstore.h"
#include "classlib/screen_win.h"
#include "base/showmsg.h"
#include "editor/editor_win.h"
#include "editor/editorhost.h"

namespace vellumo {

namespace {

constexpr unsigned kAskFlags = MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2;

const char kTooBig[] = "指定の最大ファイルサイズを超えています。\r\n読み込みを続行しますか？";
const char kNotWritable[] = "は他のプロセスにより書き込みが禁止されている可能性があります。";
const char kLockedSet[] = "書き換え禁止をセットしました。";
const char kEditWarning[] =
    "[はい]で編集可能な状態になりますが元の状態での保存は不可能ですので注意して下さい。\r\n[いいえ]で書き換え禁止をセットします。"
    "\r\n\r\nこのファイルの編集を行いますか？";
const char kNulQuestion[] = "Null文字を含むファイルです。Null文字は半角スペースへ変換しました。\r\n\r\n";
const char kNoAnsiQuestion[] =
    "扱いできないなユニコード文字を含むファイルです。\r\n該当する文字は文字コード$[4桁16進数]へ変換しました。\r\n\r\n";
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

void LockReadOnly()
{
    Document().ReadOnlyLocked = true;
    SetReadOnlyState(true, true);
}

// OpenFile's work; the caller holds the busy state. Errors of the load raise.
bool LoadInto(const std::string& name, bool checkInstances)
{
    IMainWindow& form = Form();
    const TAppSettings& set = AppSettingsStore().Settings;
    TDocumentState& doc = Document();
    TWaitCursor wait;
    TClearStatus clear;
    ShowStatusMessage(FileNamePart(name) + " を読込中...");
    // A device ("nul", "con.txt") is no document: reading one may never end.
    if (IsDeviceName(name)) {
        ShowMsg("\"" + name + "\"\r\nの読み込みに失敗しました。", kMsgCaption, MB_ICONEXCLAMATION);
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
    const int code = editor.LoadTextFile(name, detect, hadNul, lineEnd, detect ? doc.ForcedLoadCode : ccSjis,
                                         writable, noAnsi);
    if (code < 0) return false;  // the loader said why; the document stays as it was
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
    doc.FileTimeAtLoad = GetFileDateTime(name);
    doc.ReadOnlyAttr = exists && (after.dwFileAttributes & FILE_ATTRIBUTE_READONLY);
    doc.ReadOnlyLocked = set.Option.ChkReadOnlyFile && doc.ReadOnlyAttr;
    SetReadOnlyState(doc.ReadOnlyLocked, doc.ReadOnlyLocked);
    const TCommandLine& cl = SystemCommandLine();
    if (set.Option.ChkOkWriteFile && !doc.ReadOnlyAttr && !writable && !cl.HasSwitch("/rl") && !cl.HasSwitch("/r")) {
        LockReadOnly();
        ShowMsg("\"" + name + "\"\r\n" + kNotWritable + "\r\n" + kLockedSet, kMsgCaption, MB_ICONEXCLAMATION);
    }
    UpdateCodeStatus();
    form.MainEditor().SetModified(false);
    if (TEditor* split = form.SplitEditor()) split->SetModified(false);
    SetOutputMode(false);
    SetCurrentFile(name);
    if (doc.HadNul && !(set.Option.NullFileMsg &&
                        ShowMsg(std::string(kNulQuestion) + kEditWarning, kMsgCaption, kAskFlags) == IDYES))
        LockReadOnly();
    if (doc.NoAnsi && ShowMsg(std::string(kNoAnsiQuestion) + kEditWarning, kMsgCaption, kAskFlags) != IDYES)
        LockReadOnly();
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

} // namespace

bool OpenFile(const std::string& fileName, bool checkInstances)
{
    if (DocumentBusy()) {
        SoundBeep();
        return false;
    }
    TDocumentBusy busy;
    const std::string name = FullPathName(fileName);
    try {
        return LoadInto(name, checkInstances);
    } catch (const std::exception&) {
        ShowMsg("\"" + name + "\"\r\nの読み込みに失敗しました。", kMsgCaption, MB_ICONEXCLAMATION);
        return false;
    }
}

bool ReloadFile()
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
        bool loaded = false;
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
                loaded = LoadInto(name, false);
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
        if (RestoreReadOnlyAfterReload(set.Option.ChkReadOnlyFile, attrBefore, doc.ReadOnlyAttr, loaded && doc.HadNul)) {
            doc.ReadOnlyLocked = lockedBefore;
            SetReadOnlyState(readOnlyBefore, lockedBefore);
        }
        return loaded;
    } catch (const std::exception&) {
        ShowMsg(kReloadFailed, kMsgCaption, MB_ICONEXCLAMATION);
        return false;
    }
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
