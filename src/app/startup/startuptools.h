#pragma once
// The external tools marked to run when the program starts.
#include <string>
#include <vector>

namespace vellumo {

class TMemIniFile;

// The numbers n below [Tools] ItemCount (capped as the tool list is) whose
// StartRun<n> is 1, in order.
std::vector<int> StartupToolList(const TMemIniFile& ini);

// What the placeholders of a start-up tool stand for (the document's values
// are empty for an untitled document).
struct TToolPlaceholders {
    std::string DocPath, DocShortPath;      // %f %F
    std::string DocName, DocShortName;      // %n %N
    std::string DocFolder, DocShortFolder;  // %d %D
    std::string Window;                     // %w, decimal
    std::string ModeSwitch;                 // %m, empty for the standard mode
    std::string ProgramShortPath;           // %e
    std::string ProgramFolder, ProgramShortFolder;  // %p %P
};

struct TToolStart {
    std::string CommandLine;
    std::string Folder;  // "" = this process's current folder
};

// Tool n of [Tools] with its placeholders expanded in one pass each (what a
// value inserts is never searched again); expandEnv is applied to the
// program and the folder, and a program path with blanks that names a file
// (isFile) is quoted. CommandLine is empty when there is nothing to run.
TToolStart StartupToolStart(const TMemIniFile& ini, int n, const TToolPlaceholders& values,
                            std::string (*expandEnv)(const std::string&),
                            bool (*isFile)(const std::string&) = nullptr);

// The values of the current document, the main window and this program
// (Windows).
TToolPlaceholders CurrentToolPlaceholders(int editMode);
// A file (not a folder) exists under the path (Windows).
bool IsExistingFile(const std::string& path);

// Starts each tool of the list in order and waits for it (bounded) until it
// is idle; a failed start is skipped silently. editMode is the current edit
// mode (for %m).
void RunExternalTool(const TMemIniFile& ini, const std::vector<int>& list, int editMode);
// Runs the start-up tools of the settings file at iniPath, the main window
// brought forward first.
void RunStartupTools(const std::string& iniPath, int editMode);

} // namespace vellumo
