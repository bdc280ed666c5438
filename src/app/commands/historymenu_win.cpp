// The File menu's recent files: recording a name, the submenu's entries and
// what clicking one does, removing one and clearing them all. The list lives
// in its file only; every change re-reads it, so another instance's entries
// are never written over with an older list.
#include "app/commands/historymenu_win.h"

#include <windows.h>
#include <objidl.h>
#include <shlobj.h>

#include <vector>

#include "app/commands/commands_win.h"
#include "app/commands/filehistory.h"
#include "app/core/appfuncs.h"
#include "app/window/mainform_win.h"
#include "base/filebytes.h"
#include "base/showmsg.h"
#include "dialogs/common/history.h"
#include "settings/settingsstore.h"
#include "settings/pathnames.h"
#include "settings/winmachine.h"

namespace vellumo {

namespace {

TAppIniHis& HistorySettings() { return AppSettingsStore().Settings.FileHistorySet; }

// False when the file exists but cannot be read.
bool ReadFileHistory(TFileHistory& history)
{
    std::string bytes;
    switch (ReadFileBytes(FileHistoryPath(), bytes)) {
    case TReadStatus::Ok: history = ParseFileHistory(bytes); return true;
    case TReadStatus::Missing: history.clear(); return true;
    case TReadStatus::Failed: break;
    }
    return false;
}

// A failure to write is ignored: the history is a convenience.
void SaveFileHistory(const TFileHistory& history) { ReplaceFileBytes(FileHistoryPath(), FileHistoryText(history)); }

// The short form of a path; empty when it cannot be made.
std::string ExtractShortPathName(const std::string& path)
{
    char buf[MAX_PATH * 2];
    const DWORD n = GetShortPathNameA(path.c_str(), buf, sizeof buf);
    return n > 0 && n < sizeof buf ? std::string(buf, n) : std::string();
}

THistorySystem HistorySystem(bool withFolders)
{
    THistorySystem sys;
    if (withFolders) {
        sys.TempFolder = GetTempFolder();
        sys.CacheFolder = GetInternetCacheFolder();
    }
    sys.ShortPath = ExtractShortPathName;
    sys.ExpandEnv = [](const std::string& p) { return ExpandEnvInPath(p); };
    return sys;
}

bool IsExistingFile(const std::string& path)
{
    const DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

TMenuItem& HistoryMenu(TVellumoMainForm& form) { return form.MainMenuItems.Item("mReOpen"); }
// Stands first while there are no entries; kept (hidden) while there are.
TMenuItem& NoEntriesItem(TVellumoMainForm& form) { return form.MainMenuItems.Item("mFileHisNone"); }

// The entries' positions in the submenu, last first.
std::vector<int> EntryPositions(TVellumoMainForm& form)
{
    TMenuItem& menu = HistoryMenu(form);
    const TMenuItem* none = &NoEntriesItem(form);
    std::vector<int> out;
    for (int i = 0; i < menu.Count() && !menu.Items(i).IsSeparator(); ++i)
        if (&menu.Items(i) != none) out.insert(out.begin(), i);
    return out;
}

// Each entry's caption from its path (its hint): its accelerator and the
// text FileNameFormat gives.
void NumberHistoryMenu(TVellumoMainForm& form)
{
    TMenuItem& menu = HistoryMenu(form);
    TAppIniHis& set = HistorySettings();
    if (set.FileNameFormat < 0) set.FileNameFormat = 0;
    const std::vector<int> last = EntryPositions(form);
    int n = static_cast<int>(last.size());
    for (int i : last) {
        TMenuItem& item = menu.Items(i);
        item.SetCaption(HistoryCaption(--n, item.Hint(), set.FileNameFormat));
    }
}

void ShowEntries(TVellumoMainForm& form, const TFileHistory& history)
{
    TMenuItem& menu = HistoryMenu(form);
    for (int i : EntryPositions(form)) menu.Delete(i);
    const std::size_t n = std::min(history.size(), static_cast<std::size_t>(HistoryLimit(HistorySettings().FileHisMaxCount)));
    TMenuItem& none = NoEntriesItem(form);
    none.SetVisible(n == 0);
    const int first = menu.IndexOf(&none) + 1;
    for (std::size_t i = 0; i < n; ++i) {
        const std::string path = history[i];
        TMenuItem& item = menu.Insert(first + static_cast<int>(i), std::string());  // captioned by NumberHistoryMenu
        item.SetHint(path);
        item.OnClick = [&form, path](TMenuItem&) {
            // Removing the entry deletes this item, and this function with it.
            TVellumoMainForm& f = form;
            std::string p = path;
            ReportFailures([&f, &p] { OpenHistoryItem(f, std::move(p)); });
        };
    }
    form.MainMenuItems.Item("mFileHisDel").SetEnabled(n > 0);
}

// After a removal: the entries the history file now holds (another
// instance may have changed it meanwhile), numbered from the top again.
void RenumberHistoryMenu(TVellumoMainForm& form, const TFileHistory& history)
{
    ShowEntries(form, history);
    NumberHistoryMenu(form);
}

void RemoveHistoryEntry(TVellumoMainForm& form, const std::string& path)
{
    TFileHistory history;
    if (!ReadFileHistory(history)) return;
    RemoveFromFileHistory(history, path);
    history.resize(std::min(history.size(), static_cast<std::size_t>(HistoryLimit(HistorySettings().FileHisMaxCount))));
    SaveFileHistory(history);
    RenumberHistoryMenu(form, history);
}

} // namespace

std::string FileHistoryPath() { return HistoryFilePath(AppSettingsStore().Path(), ".his"); }

std::string GetInternetCacheFolder()
{
    LPITEMIDLIST list = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_INTERNET_CACHE, &list)) || !list) return {};
    char path[MAX_PATH + 1] = {};
    const BOOL ok = SHGetPathFromIDListA(list, path);
    IMalloc* shellMalloc = nullptr;
    if (SUCCEEDED(CoGetMalloc(1, &shellMalloc)) && shellMalloc) {
        shellMalloc->Free(list);
        shellMalloc->Release();
    }
    return ok ? std::string(path) : std::string();
}

void AddFileHistory(const std::string& fileName)
{
    try {
        if (fileName.empty()) return;
        const TAppIniHis& set = HistorySettings();
        if (set.NoTempDir && IsTempOrCacheFile(fileName, HistorySystem(true))) return;
        if (set.NoDir && IsExcludedHistoryFolder(fileName, set.NoDirs, HistorySystem(false))) return;
        if (SameFileName(fileName, FileHistoryPath())) return;
        TFileHistory history;
        if (!ReadFileHistory(history)) return;
        AddToFileHistory(history, fileName, set.FileHisMaxCount);
        SaveFileHistory(history);
    } catch (...) {
        // The history is a convenience: a failure never reaches the open or the save.
    }
}

void LoadFileHistory(TVellumoMainForm& form)
{
    TFileHistory history;
    if (!ReadFileHistory(history)) return;
    ShowEntries(form, history);
    NumberHistoryMenu(form);
}

void mReOpenClick(TVellumoMainForm& form) { LoadFileHistory(form); }

void OpenHistoryItem(TVellumoMainForm& form, std::string path)
{
    if (DocumentBusy()) return;
    if (IsShiftDown()) {
        if (ShowMsg("ファイル履歴 \"" + path + "\" を削除します。", kMsgCaption, MB_OKCANCEL | kMsgIconInformation) == IDOK)
            RemoveHistoryEntry(form, path);
        return;
    }
    if (IsExistingFile(path)) {
        TDocumentFunctions& docs = form.Documents;
        if (OpenGoesToNewInstance(form.FileMenuState())) {
            if (docs.StartNewInstance) docs.StartNewInstance(NewInstanceArguments(path, false));
        } else if (docs.OpenFile) {
            docs.OpenFile(path);
        }
        return;
    }
    if (ShowMsg("\"" + path + "\" が見当たりません。\r\n履歴から削除しますか？", kMsgCaption,
                MB_YESNO | kMsgIconExclamation) == IDYES)
        RemoveHistoryEntry(form, path);
}

void mFileHisDelClick(TVellumoMainForm& form)
{
    if (EntryPositions(form).empty()) return;
    if (ShowMsg("すべてのファイル履歴を削除します。", kMsgCaption, MB_OKCANCEL | kMsgIconInformation) != IDOK) return;
    SaveFileHistory({});
    ShowEntries(form, {});
}

namespace {

constexpr TCommand kRows[] = {
    {"mReOpen", mReOpenClick},
    {"mFileHisDel", mFileHisDelClick},
};

} // namespace

std::span<const TCommand> FileHistoryCommands() noexcept { return kRows; }

} // namespace vellumo
