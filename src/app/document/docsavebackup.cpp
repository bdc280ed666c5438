#include "app/document/docsave.h"
#include "settings/pathnames.h"

namespace vellumo {

std::string BackupFileName(const std::string& fileName, const std::string& backupFolder, bool folderExists)
{
    if (fileName.empty()) return {};
    std::string target;
    if (folderExists && !backupFolder.empty()) {
        target = backupFolder;
        if (target.back() != '\\' && target.back() != '/') target += '\\';
        target += ExtractFileName(fileName);
        // A document inside the backup folder would be copied onto itself:
        // its backup goes beside it under the ".bak" rule instead.
        if (!SameFileName(target, fileName)) return target;
    }
    target = ChangeFileExt(fileName, ".bak");
    return SameFileName(target, fileName) ? std::string() : target;
}

} // namespace vellumo
