#include <windows.h>

#include <utility>

#include "app/core/appcontext.h"
#include "app/core/appfuncs.h"
#include "app/document/docsave.h"
#include "app/document/safewrite.h"
#include "settings/settingsstore.h"
#include "base/filebytes.h"
#include "classlib/screen_win.h"
#include "base/showmsg.h"

namespace vellumo {

namespace {

bool IsFolder(const std::string& path)
{
    const DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool AskSaveWithoutBackup(const std::string& backup, const std::vector<std::string>& leftovers)
{
    std::string text = "バックアップファイルを作成できませんでした。\r\n";
    if (!backup.empty()) text += backup + "\r\n";
    if (!leftovers.empty()) text += "作業用のファイルを削除できませんでした。\r\n";
    for (const std::string& name : leftovers) text += name + "\r\n";
    text += "\r\nバックアップなしで保存しますか？";
    return ShowMsg(text, kMsgCaption, 0x04 | kMsgIconExclamation | 0x100) == kAnswerYes;
}

} // namespace

namespace {
bool MakeBackupCore(std::vector<std::string>& leftovers);
} // namespace

bool MakeBackup(std::vector<std::string>* leftovers)
{
    std::vector<std::string> left;
    try {
        const bool ok = MakeBackupCore(left);
        if (leftovers) *leftovers = std::move(left);
        return ok;
    } catch (...) {
        Screen().SetCursor(crDefault);
        return AskSaveWithoutBackup("", {});
    }
}

namespace {
bool MakeBackupCore(std::vector<std::string>& leftovers)
{
    const std::string current = Document().CurrentFileName;
    const TAppIniBak& cfg = AppSettingsStore().Settings.Backup;
    if (current.empty() || !cfg.Backup) return true;
    if (IMainWindow* form = MainForm()) form->ProcessMessages();
    const TCursor oldCursor = Screen().Cursor();
    Screen().SetCursor(crHourGlass);
    const std::string folder = ExpandEnvInPath(cfg.BackupPath);
    const std::string target = BackupFileName(current, folder, IsFolder(folder));
    bool ok = false;
    std::string bytes;
    // A lock of mode 2 lets nobody open the file, this process included: read through the held handle.
    if (ReadLockedFile(current, bytes) || ReadFileBytes(current, bytes) == TReadStatus::Ok) {
        if (!target.empty()) {
            const TWriteResult r = SafeWriteFile(SaveFileSystem(), target, bytes);
            ok = r.Ok;
            leftovers = r.Leftovers;
        }
    } else if (!PathExists(current)) {
        ok = true;  // nothing on disk to keep
    }
    Screen().SetCursor(oldCursor);
    if (ok) return true;
    const std::vector<std::string> named = std::exchange(leftovers, {});  // told in the question
    return AskSaveWithoutBackup(target, named);
}

} // namespace

} // namespace vellumo
