// The Help menu's commands: the program's own texts in a read-only window,
// and the about box. The project has no web pages yet: no link items.
#include <windows.h>

#include <string>

#include "app/commands/commands_win.h"
#include "app/commands/filecmds.h"
#include "app/core/appfuncs.h"
#include "app/window/mainform_win.h"
#include "base/filebytes.h"
#include "dialogs/about/aboutbox_win.h"

namespace vellumo {

namespace {

std::string ProgramFolder()
{
    char path[MAX_PATH + 1] = {};
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return n == 0 || n >= MAX_PATH ? std::string() : ExtractFileDir(std::string(path, n));
}

// A text beside the program opens read-only and locked in a new window;
// a missing one does nothing.
void ShowProgramText(TVellumoMainForm& form, const char* name)
{
    const std::string folder = ProgramFolder();
    if (folder.empty()) return;
    const std::string path = folder + "\\" + name;
    const DWORD a = GetFileAttributesA(path.c_str());
    if (a == INVALID_FILE_ATTRIBUTES || (a & FILE_ATTRIBUTE_DIRECTORY)) return;
    if (form.Documents.StartNewInstance) form.Documents.StartNewInstance(NewInstanceArguments(path, true));
}


} // namespace

void mKeyListClick(TVellumoMainForm& form) { ShowProgramText(form, "Keys.txt"); }
void mReadmeClick(TVellumoMainForm& form) { ShowProgramText(form, "Readme.txt"); }
void mHistoryClick(TVellumoMainForm& form) { ShowProgramText(form, "History.txt"); }
void mAboutClick(TVellumoMainForm&) { ShowAboutBox(); }

namespace {

constexpr TCommand kRows[] = {
    {"mKeyList", mKeyListClick},
    {"mReadme", mReadmeClick},
    {"mHistory", mHistoryClick},
    {"mAbout", mAboutClick},
};

} // namespace

std::span<const TCommand> HelpMenuCommands() noexcept { return kRows; }

} // namespace vellumo
