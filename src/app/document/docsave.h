#pragma once
// Saving the document: the question before it is given up, Save and Save As,
// the backup copy, the free-space check and the lock that holds the open
// file. Every function reports its failures with ShowMsg and a false result
// and never throws. All run on the GUI thread under the one document busy
// state (TDocumentBusy): a save asked for while another document operation
// runs is refused.
#include <cstdint>
#include <string>
#include <vector>

namespace vellumo {

class IFileSystem;

// The answers of the system's message box.
inline constexpr int kAnswerYes = 6;
inline constexpr int kAnswerNo = 7;
inline constexpr int kAnswerCancel = 2;

// Yes, No or Cancel: asks only when the active editor is modified (No without asking).
int QuerySaveChanges();

// Renews ReadOnlyAttr and the caption; true when the document is untitled or
// its file has the read-only attribute.
bool NeedsSaveAs();

// Saves the active editor's text under fileName in the document's code and
// line end (after [JCode] SaveCvt and SaveRetCvt). WrapToBreaks first turns
// soft wraps into line breaks; NoBackup skips the backup copy. A read-only
// document over its own file, a read-only target and a device name are
// refused. On failure the
// file is as it was (or the message names a complete copy), the document's
// code and line end keep their values and the text stays modified.
bool SaveFile(const std::string& fileName, bool wrapToBreaks, bool noBackup);

// Runs the save dialog and saves under the chosen name without a backup.
bool SaveFileAs(bool wrapToBreaks);

// Writes finished file bytes (already encoded) through the safe write, with
// the lock released for the write and taken again afterwards: on the new
// file after success, on CurrentFileName after a failure. Shows the message
// of a failure.
bool WriteTextFile(const std::string& bytes, const std::string& fileName);

// True when the drive of fileName has room for size bytes (the new file is
// written beside the old one first), or when the space cannot be read.
bool CheckDiskSpace(std::uint64_t size, const std::string& fileName);

// The root folder's total and free bytes; false when they cannot be read (no
// exception, whatever the system reports about its version).
bool GetDiskSpace(const std::string& root, std::uint64_t& total, std::uint64_t& free);

// The backup copy of the current file ([Backup] Backup and BackupPath). True
// when a copy was made or none is configured; false after asking, when the
// user does not want to save without it. Never copies a file onto itself.
// Temporary files of the copy that could not be removed go to leftovers.
bool MakeBackup(std::vector<std::string>* leftovers = nullptr);

// The path a backup of fileName goes to: the backup folder when it exists,
// else the name with ".bak"; empty when that would be the file itself.
std::string BackupFileName(const std::string& fileName, const std::string& backupFolder, bool folderExists);

// Holds the file open by [Option] HaitaSeigyo (1 deny write, 2 exclusive).
bool LockOpenFile(const std::string& fileName);
void UnlockOpenFile();
// The file the lock holds (empty when none).
const std::string& LockedFileName();
// Reads the locked file through the held handle (a lock of mode 2 lets
// nobody else open it); false when no lock holds fileName or reading fails.
bool ReadLockedFile(const std::string& fileName, std::string& bytes);

// The file system every save goes through; tests install one that fails on
// command. nullptr puts the system's back. Returns the one installed before.
IFileSystem* SetSaveFileSystem(IFileSystem* fs);
IFileSystem& SaveFileSystem();

// The last SaveFile wrote characters that change on reading back (after the user agreed).
bool LastSaveWasLossy();

} // namespace vellumo
