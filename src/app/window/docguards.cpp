#include "app/window/docguards.h"

#include "settings/pathnames.h"

namespace vellumo {

TDropPlan PlanDrop(const std::vector<TDroppedFile>& files, bool dropCloseToOpen, bool untitledUnchanged)
{
    TDropPlan plan;
    if (files.empty()) return plan;
    std::size_t next = 0;
    if (dropCloseToOpen || untitledUnchanged) {
        plan.Foreground = true;
        plan.AskSave = dropCloseToOpen;
        if (files[0].Openable) plan.Here = files[0].Name;
        if (dropCloseToOpen) return plan;
        next = 1;
    }
    for (std::size_t i = next; i < files.size(); ++i)
        if (files[i].Openable) plan.NewInstances.push_back(files[i].Name);
    return plan;
}

bool IsOpenableFile(const std::string& name, bool exists, const std::string& programPath)
{
    return exists && !name.empty() && name.size() <= kMaxPathBytes &&
           LowerCasePath(ExtractFileName(name)) != LowerCasePath(ExtractFileName(programPath));
}

std::string DropInstanceCommandLine(const std::string& programPath, const std::string& iniFolder,
                                    const std::string& fileName)
{
    std::string line = "\"" + programPath + "\"";
    if (!iniFolder.empty()) line += " \"/i=" + iniFolder + "\"";
    return line + " \"" + fileName + "\"";
}

bool FileChangedOutside(const TFileSeen& now, const TFileState& atLoad, bool readOnlyAttrAtLoad, bool chkReadOnlyFile,
                        bool readOnlySwitch)
{
    // A deleted file has no size to compare.
    if (now.Time != atLoad.Time || (now.Time != 0 && now.Size != atLoad.Size)) return true;
    return chkReadOnlyFile && !readOnlySwitch && now.ReadOnlyAttr != readOnlyAttrAtLoad;
}

std::string OutsideChangeQuestion(const std::string& fileName)
{
    return "\"" + fileName + "\" は\r\n他のアプリケーションによって更新されています。\r\n\r\n[再読込]を実行しますか？";
}

bool RememberSeenState(TOutsideAnswer answer, bool reloaded)
{
    switch (answer) {
    case TOutsideAnswer::Reload: return !reloaded;
    case TOutsideAnswer::Ignore: return true;
    default: return false;
    }
}

bool SaveOverwritesUnseenChange(const TFileState& now, const TFileState& known)
{
    return now.Time != 0 && now != known;
}

std::string UnseenChangeSaveQuestion(const std::string& fileName)
{
    return "\"" + fileName +
           "\" は\r\n他のアプリケーションによって更新されています。\r\n上書きすると、その変更は失われます。\r\n\r\n"
           "上書き保存しますか？";
}

bool SaveTargetRefused(const std::string& target, bool targetReadOnlyAttr, const std::string& currentFile,
                       bool editorReadOnly, bool documentReadOnlyAttr)
{
    if (targetReadOnlyAttr) return true;
    return !currentFile.empty() && SameFileName(target, currentFile) && (editorReadOnly || documentReadOnlyAttr);
}

} // namespace vellumo
