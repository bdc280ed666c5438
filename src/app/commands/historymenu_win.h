#pragma once
// The recent-file history on this machine: its file beside the settings
// file, shared by every running instance, and the File menu's submenu that
// shows it (rebuilt from the file each time it opens). Windows only.
#include <string>

namespace vellumo {

class TVellumoMainForm;

// The settings file's path with the extension ".his".
std::string FileHistoryPath();
// Records a document's new name at the top of the history file, unless
// [FileHistorySet] leaves out its folder. Errors are swallowed.
void AddFileHistory(const std::string& fileName);
// The submenu's entries from the history file; a file that cannot be read
// leaves them as they are.
void LoadFileHistory(TVellumoMainForm& form);
// The shell's internet-cache folder; empty when the shell cannot give it.
std::string GetInternetCacheFolder();

} // namespace vellumo
