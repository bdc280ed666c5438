#pragma once
// The guards around the document: files dropped on the window, changes
// other programs make to the document's file, and the save dialog's refusal
// of files it may not write over. The decisions; the window's side is in
// docguards_win.cpp.
#include <cstdint>
#include <string>
#include <vector>

#include "app/core/appcontext.h"

namespace vellumo {

// A dropped name, after a shortcut was replaced by its target. Openable: it
// exists, is no longer than a path may be, and is not the program itself.
struct TDroppedFile {
    std::string Name;
    bool Openable = false;
};

// What a drop does, in this order: the window to the front, the save
// question (a No or a saved text goes on), Here opened in this window, each
// of NewInstances started in order, each waited for before the next.
struct TDropPlan {
    bool Foreground = false;
    bool AskSave = false;
    std::string Here;  // empty: nothing opens here
    std::vector<std::string> NewInstances;
};
// With dropCloseToOpen the first file replaces the document and the others
// are not opened. Otherwise an untitled, unchanged window takes the first
// file itself (it counts as done even when it cannot be opened) and every
// other openable file goes to an instance of its own.
TDropPlan PlanDrop(const std::vector<TDroppedFile>& files, bool dropCloseToOpen, bool untitledUnchanged);

// A dropped name that can be opened: it exists, and its file name differs,
// ignoring case, from the program's own.
bool IsOpenableFile(const std::string& name, bool exists, const std::string& programPath);

// The command line of the instance started for a dropped file: the
// program, this instance's settings folder when it has one, the file.
std::string DropInstanceCommandLine(const std::string& programPath, const std::string& iniFolder,
                                    const std::string& fileName);

// What the activation check compares with what the document remembers.
struct TFileSeen {
    std::int64_t Time = 0;         // 0: the file cannot be read (deleted)
    bool ReadOnlyAttr = false;
    std::uint64_t Size = 0;
};
// The file's time or size differs from the one at load, or (when the
// read-only attribute is checked and no read-only switch was given) its
// read-only attribute does.
bool FileChangedOutside(const TFileSeen& now, const TFileState& atLoad, bool readOnlyAttrAtLoad, bool chkReadOnlyFile,
                        bool readOnlySwitch);
// The question asked about the change.
std::string OutsideChangeQuestion(const std::string& fileName);
// What the document remembers after the answer: after No, and after a
// reload that loaded nothing (the file deleted or held), the state seen is
// taken as known, so the same change is not reported again until the next.
enum class TOutsideAnswer { Reload, Ignore, Later };
bool RememberSeenState(TOutsideAnswer answer, bool reloaded);

// A save over the document's own file asks first when the file on disk is
// not the one this window last read or wrote: another program wrote it, or
// it grew while it was being read. A file that is gone loses nothing.
bool SaveOverwritesUnseenChange(const TFileState& now, const TFileState& known);
// The question; Yes writes, No cancels the save.
std::string UnseenChangeSaveQuestion(const std::string& fileName);

// The save dialog refuses a target with the read-only attribute, and the
// document's own file while it is read-only (the editor or the attribute).
bool SaveTargetRefused(const std::string& target, bool targetReadOnlyAttr, const std::string& currentFile,
                       bool editorReadOnly, bool documentReadOnlyAttr);

} // namespace vellumo
