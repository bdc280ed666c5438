// Running the start-up tools.
#include <windows.h>

#include <cstdint>

#include "app/core/appcontext.h"
#include "app/core/appfuncs.h"
#include "app/startup/cmdline.h"
#include "settings/pathnames.h"
#include "app/startup/startuptools.h"
#include "base/inifile.h"
#include "classlib/process_win.h"

namespace vellumo {

namespace {

// The folder part without its final separator (a root keeps it).
std::string FolderOf(const std::string& path)
{
    std::string dir = ExtractFilePath(path);
    if (dir.size() > 3 && dir.back() == '\\') dir.pop_back();
    return dir;
}

std::string ExpandEnv(const std::string& path) { return ExpandEnvInPath(path); }

} // namespace

TToolPlaceholders CurrentToolPlaceholders(int editMode)
{
    TToolPlaceholders v;
    const std::string doc = Document().CurrentFileName;
    if (!doc.empty()) {
        v.DocPath = doc;
        v.DocShortPath = ShortPathName(doc);
        v.DocName = ExtractFileName(doc);
        v.DocShortName = ExtractFileName(v.DocShortPath);
        v.DocFolder = FolderOf(doc);
        v.DocShortFolder = ShortPathName(v.DocFolder);
    }
    IMainWindow* form = MainForm();
    v.Window = form ? std::to_string(reinterpret_cast<std::uintptr_t>(form->Handle())) : std::string("0");
    if (editMode > 0) v.ModeSwitch = std::string(EditModeSwitch(editMode));
    char exe[MAX_PATH + 1] = {};
    const DWORD n = GetModuleFileNameA(nullptr, exe, MAX_PATH);
    const std::string program(exe, n < MAX_PATH ? n : 0);
    v.ProgramShortPath = ShortPathName(program);
    v.ProgramFolder = FolderOf(program);
    v.ProgramShortFolder = ShortPathName(v.ProgramFolder);
    return v;
}

bool IsExistingFile(const std::string& path)
{
    const DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

void RunExternalTool(const TMemIniFile& ini, const std::vector<int>& list, int editMode)
{
    const TToolPlaceholders v = CurrentToolPlaceholders(editMode);
    for (int tool : list) {
        const TToolStart start = StartupToolStart(ini, tool, v, ExpandEnv, IsExistingFile);
        if (!start.CommandLine.empty()) StartProcessAndWaitIdle(start.CommandLine, start.Folder, true);
    }
}

void RunStartupTools(const std::string& iniPath, int editMode)
{
    const TMemIniFile ini(iniPath);  // afresh: another instance may have changed the list
    const std::vector<int> tools = StartupToolList(ini);
    if (tools.empty()) return;
    if (IMainWindow* form = MainForm()) SetForegroundWindow(static_cast<HWND>(form->Handle()));
    RunExternalTool(ini, tools, editMode);
}

} // namespace vellumo
