#include "app/document/docsave.h"

#include <windows.h>

#include "app/core/appcontext.h"
#include "app/core/appfuncs.h"
#include "app/document/docopen.h"
#include "app/document/docsaveencode.h"
#include "app/document/docsavelinks.h"
#include "settings/pathnames.h"
#include "app/document/safewrite.h"
#include "app/window/docguards.h"
#include "settings/settingsstore.h"
#include "base/filebytes.h"
#include "classlib/screen_win.h"
#include "base/showmsg.h"
#include "editor/editor_win.h"
#include "editor/rowstore.h"
#include "textcode/wideconv.h"

namespace vellumo {

namespace {

constexpr unsigned kYesNo = 0x04, kYesNoCancel = 0x03, kDefButton2 = 0x100;

IFileSystem* g_fs = nullptr;
bool WriteTextFileReporting(const std::string& bytes, const std::string& fileName, TWriteResult& result);
bool g_lastLossy = false;

std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

std::string FullPathOf(const std::string& name)
{
    char buf[MAX_PATH * 2];
    const DWORD n = GetFullPathNameA(name.c_str(), sizeof buf, buf, nullptr);
    return n > 0 && n < sizeof buf ? std::string(buf, n) : name;
}

class TCursorScope {
public:
    TCursorScope() : old_(Screen().Cursor()) { Screen().SetCursor(crHourGlass); }
    ~TCursorScope() { Screen().SetCursor(old_); }

private:
    TCursor old_;
};

class TStatusScope {
public:
    explicit TStatusScope(const std::string& text) { ShowStatusMessage(text); }
    ~TStatusScope()
    {
        ClearStatusMessage();
        if (!after_.empty()) ShowStatusMessage(after_);
    }
    void ShowAfter(std::string text) { after_ = std::move(text); }

private:
    std::string after_;
};

std::string LeftoverNote(const std::vector<std::string>& leftovers, const char* separator)
{
    std::string text = "作業用のファイルを削除できませんでした。";
    for (const std::string& name : leftovers) text += separator + name;
    return text;
}

void ReportWriteFailure(const TWriteResult& r, const std::string& fileName)
{
    const std::string path = r.FinalPath.empty() ? fileName : r.FinalPath;
    const std::string diskPrefix = "ドライブの空き容量不足か他の理由で、\r\nファイルの書き込みに失敗しました。\r\n";
    std::string text;
    switch (r.Failure) {
    case TWriteFailure::Folder:
        text = Quoted(path) + "\r\nはフォルダのため保存できません。";
        break;
    case TWriteFailure::ReadOnly:
        text = Quoted(path) + "\r\nは読み取り専用のため保存できません。";
        break;
    case TWriteFailure::Device:
        text = Quoted(path) + "\r\nはディスク上のファイルではないため保存できません。";
        break;
    case TWriteFailure::Create:
    case TWriteFailure::Replace:
        text = Quoted(path) + "\r\nの書き込みに失敗しました。他のプロセスで使用中の可能性があります。";
        break;
    case TWriteFailure::Write:
        text = diskPrefix + path + "\r\nは元の内容のまま残っています。";
        break;
    case TWriteFailure::InPlace:
    default:
        text = diskPrefix + path + "\r\nは不完全になっている可能性があります。\r\n";
        if (!r.Survivor.empty())
            text += "保存しようとした内容は次のファイルに残っています。\r\n" + r.Survivor;
        else
            text += "編集中の状態を他のディスク等へ保存してください。";
        break;
    }
    if (!r.Leftovers.empty()) text += "\r\n\r\n" + LeftoverNote(r.Leftovers, "\r\n");
    ShowMsg(text, kMsgCaption, kMsgIconExclamation);
}

bool HasReadOnlyAttribute(const std::string& name)
{
    const DWORD a = GetFileAttributesA(name.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_READONLY) != 0;
}

const char* CodeName(TCharCode c)
{
    switch (c) {
    case ccJis:
    case ccJisOld: return "JIS";
    case ccEuc: return "EUC";
    case ccUnicode: return "Unicode";
    case ccUtf8: return "UTF-8";
    case ccUtf8N: return "UTF-8N";
    default: return "SJIS";
    }
}

TWideCodec SystemWideCodec()
{
    return {[](const std::string& s) { return AnsiToWide(s); },
            [](const std::wstring& w) { return WideToAnsiEscaped(w); }};
}

// The text as it reads once every soft wrap is a line break.
std::string TextWithWrapsAsBreaks(const TEditor& editor)
{
    const TEditorScreenStrings& rows = editor.Store();
    std::string out;
    out.reserve(static_cast<std::size_t>(editor.GetTextLength()) + 2 * static_cast<std::size_t>(rows.Count()));
    for (int r = 0; r < rows.Count(); ++r) {
        out += rows.Strings(r);
        const TEditorRowAttribute a = rows.GetRowAttribute(r);
        if (a == raLineBreak || a == raWrapped) out += "\r\n";
    }
    return out;
}

// The save itself; the caller holds the busy state.
bool SaveFileCore(const std::string& fileNameIn, bool wrapToBreaks, bool noBackup)
{
    IMainWindow* form = MainForm();
    if (!form || fileNameIn.empty()) return false;
    g_lastLossy = false;
    TEditor& editor = form->ActiveEditor();
    if (savelinks::RefuseUnusablePath(fileNameIn, true)) return false;
    const std::string fileName = FullPathOf(fileNameIn);
    // A read-only document never goes over its own file (its text may hold
    // spaces in place of NULs); a copy under another name is what Save As is for.
    const std::string& current = Document().CurrentFileName;
    auto ownFile = [&] {
        return !current.empty() && SameFileName(SaveFileSystem().FinalPathOf(fileName),
                                                SaveFileSystem().FinalPathOf(FullPathOf(current)));
    };
    if ((editor.ReadOnly() || Document().ReadOnlyLocked) && ownFile()) {
        ShowMsg("書き換え禁止の状態のため保存できません。", kMsgCaption, kMsgIconExclamation);
        return false;
    }
    if (HasReadOnlyAttribute(fileName)) {
        ShowMsg(Quoted(fileName) + "\r\nは読み取り専用のため保存できません。", kMsgCaption, kMsgIconExclamation);
        return false;
    }
    // What another program wrote, or bytes added while the file was read,
    // were never shown here: written over only when the user says so.
    if (!current.empty() && SaveOverwritesUnseenChange(FileStateOf(fileName), Document().FileAsKnown) && ownFile() &&
        ShowMsg(UnseenChangeSaveQuestion(fileName), kMsgCaption, kYesNo | kMsgIconExclamation | kDefButton2) !=
            kAnswerYes)
        return false;
    TCursorScope cursor;
    TStatusScope status(ExtractFileName(fileName) + " へ書込中...");
    std::vector<std::string> backupLeftovers;
    if (!noBackup && !MakeBackup(&backupLeftovers)) return false;
    const DWORD start = GetTickCount();

    const TAppJCode& jcode = AppSettingsStore().Settings.JCode;
    const TCharCode code = CodeForSaveCvt(jcode.SaveCvt < 0 ? int{scSjis} : jcode.SaveCvt, Document().DocumentCode);
    const TLineEndCode lineEnd = LineEndForSaveRetCvt(jcode.SaveRetCvt, Document().DocumentLineEnd);
    // Wraps become line breaks in the editor only once the file holds them.
    std::string text = wrapToBreaks ? TextWithWrapsAsBreaks(editor) : editor.Lines().Text();
    ConvertLineEndsInPlace(text, lineEnd);
    TEncodedText encoded = GetAnsiCodePage() == 932 ? EncodeDocumentText(std::move(text), code)
                                                    : EncodeDocumentText(std::move(text), code, SystemWideCodec());
    if (encoded.Lossy) {
        const int answer = ShowMsg(std::string("文字コード ") + CodeName(code) +
                                       " では表せない文字が含まれています。\r\n"
                                       "このまま保存すると、それらの文字は別の文字に置き換わります。\r\n\r\n"
                                       "保存しますか？",
                                   kMsgCaption, kYesNo | kMsgIconExclamation | kDefButton2);
        if (answer != kAnswerYes) return false;
    }
    TWriteResult written;
    if (!WriteTextFileReporting(encoded.Bytes, fileName, written)) return false;
    if (wrapToBreaks) {
        form->MainEditor().FreezeWraps();
        if (TEditor* split = form->SplitEditor()) split->FreezeWraps();
    }

    // The document takes the code and line end only once they are on disk.
    Document().DocumentCode = code;
    Document().DocumentLineEnd = lineEnd;
    while (GetFileAttributesA(fileName.c_str()) == INVALID_FILE_ATTRIBUTES && GetTickCount() - start < 5000) {
        form->ProcessMessages();
        Sleep(10);
    }
    const TFileState stamp = FileStateOf(fileName);
    Document().FileTimeAtLoad = stamp.Time;
    Document().FileSizeAtLoad = stamp.Size;
    Document().FileAsKnown = stamp;
    Document().ReadOnlyAttr = false;
    Document().ReadOnlyLocked = false;
    savelinks::SetReadOnlyState(false, false);
    savelinks::UpdateCodeStatus();
    form->MainEditor().SetModified(false);
    if (TEditor* split = form->SplitEditor()) split->SetModified(false);
    savelinks::SetOutputMode(false);
    savelinks::SetCurrentFile(fileName);
    std::string after;
    if (encoded.Lossy) {
        g_lastLossy = true;
        after = "一部の文字を置き換えて保存しました。";
    }
    // Saved all the same: what the save could not tidy is said on the status bar.
    if (written.AttributesLost) after += "ファイルの属性(隠しファイル等)を元に戻せませんでした。";
    written.Leftovers.insert(written.Leftovers.begin(), backupLeftovers.begin(), backupLeftovers.end());
    if (!written.Leftovers.empty()) after += LeftoverNote(written.Leftovers, " ");
    if (!after.empty()) status.ShowAfter(after);
    return true;
}

std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t at = 0;
    while (at <= text.size()) {
        const std::size_t end = text.find("\r\n", at);
        lines.push_back(text.substr(at, end == std::string::npos ? std::string::npos : end - at));
        if (end == std::string::npos) break;
        at = end + 2;
    }
    return lines;
}

} // namespace

IFileSystem* SetSaveFileSystem(IFileSystem* fs)
{
    IFileSystem* old = g_fs;
    g_fs = fs;
    return old;
}

IFileSystem& SaveFileSystem() { return g_fs ? *g_fs : SystemFileSystem(); }

bool LastSaveWasLossy() { return g_lastLossy; }

int QuerySaveChanges()
{
    IMainWindow* form = MainForm();
    if (!form || !form->ActiveEditor().Modified()) return kAnswerNo;
    // ShowMsg never throws.
    return ShowMsg("内容が変更されています。変更を保存しますか？", kMsgCaption, kYesNoCancel | kMsgIconExclamation);
}

bool NeedsSaveAs()
{
    const std::string& name = Document().CurrentFileName;
    Document().ReadOnlyAttr = !name.empty() && HasReadOnlyAttribute(name);
    try {
        savelinks::UpdateCaption(name);
    } catch (...) {
    }
    return name.empty() || Document().ReadOnlyAttr;
}

bool SaveFile(const std::string& fileName, bool wrapToBreaks, bool noBackup)
{
    try {
        if (DocumentBusy()) {
            SoundBeep();
            return false;
        }
        TDocumentBusy busy;
        return SaveFileCore(fileName, wrapToBreaks, noBackup);
    } catch (...) {
        ShowMsg("保存中にエラーが発生しました。", kMsgCaption, kMsgIconError);
        return false;
    }
}

bool SaveFileAs(bool wrapToBreaks)
{
    try {
        IMainWindow* form = MainForm();
        if (!form) return false;
        if (DocumentBusy()) {
            SoundBeep();
            return false;
        }
        TDocumentBusy busy;
        const std::string current = Document().CurrentFileName;
        std::string folder, name;
        if (!current.empty()) {
            folder = ExtractFileDir(current);
            name = ExtractFileName(current);
            Document().ReadOnlyAttr = HasReadOnlyAttribute(current);
            savelinks::UpdateCaption(current);
        } else if (AppSettingsStore().Settings.Option.AutoFileName) {
            TEditor& editor = form->ActiveEditor();
            const std::string source = editor.Selected() ? editor.SelText() : editor.Lines().Text();
            name = NameFromText(SplitLines(source));
        }
        bool ok = false;
        if (form->RunSaveDialog(folder, name)) {
            savelinks::TViewKeeper view;
            ok = SaveFileCore(name, wrapToBreaks, true);
        }
        form->ProcessMessages();
        return ok;
    } catch (...) {
        ShowMsg("保存中にエラーが発生しました。", kMsgCaption, kMsgIconError);
        return false;
    }
}

bool WriteTextFile(const std::string& bytes, const std::string& fileName)
{
    TWriteResult result;
    return WriteTextFileReporting(bytes, fileName, result);
}

namespace {

bool WriteTextFileCore(const std::string& bytes, const std::string& fileName, TWriteResult& r)
{
    if (!CheckDiskSpace(bytes.size(), fileName)) {
        ShowMsg("ドライブの空き容量が不足しているため実行できません。", kMsgCaption, kMsgIconExclamation);
        return false;
    }
    UnlockOpenFile();
    r = SafeWriteFile(SaveFileSystem(), fileName, bytes);
    if (r.Ok) {
        LockOpenFile(fileName);
        return true;
    }
    ReportWriteFailure(r, fileName);
    // The lock goes back on the document's own file, never on a failed target.
    if (!Document().CurrentFileName.empty()) LockOpenFile(Document().CurrentFileName);
    return false;
}

bool WriteTextFileReporting(const std::string& bytes, const std::string& fileName, TWriteResult& result)
{
    try {
        return WriteTextFileCore(bytes, fileName, result);
    } catch (...) {
        ShowMsg(Quoted(fileName) + "\r\nの書き込みに失敗しました。", kMsgCaption, kMsgIconExclamation);
        if (!Document().CurrentFileName.empty()) LockOpenFile(Document().CurrentFileName);
        return false;
    }
}

} // namespace

} // namespace vellumo
