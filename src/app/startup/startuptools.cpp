#include "app/startup/startuptools.h"

#include "app/core/appfuncs.h"
#include "app/integration/toolrunner.h"
#include "base/inifile.h"
#include "settings/tools.h"

namespace vellumo {

namespace {
constexpr char kTools[] = "Tools";

std::string Key(const char* name, int n) { return name + std::to_string(n); }
} // namespace

std::vector<int> StartupToolList(const TMemIniFile& ini)
{
    std::vector<int> out;
    const int count = AppToolCount(ini);
    for (int n = 0; n < count; ++n)
        if (ini.ReadInteger(kTools, Key("StartRun", n), 0) == 1) out.push_back(n);
    return out;
}

TToolStart StartupToolStart(const TMemIniFile& ini, int n, const TToolPlaceholders& v,
                            std::string (*expandEnv)(const std::string&), bool (*isFile)(const std::string&))
{
    std::string program = ini.ReadString(kTools, Key("File", n), "");
    std::string params = ini.ReadString(kTools, Key("Param", n), "%%");
    params = params.size() >= 2 ? params.substr(1, params.size() - 2) : std::string();  // stored wrapped in "%"
    std::string folder = ini.ReadString(kTools, Key("TmpDir", n), "");
    params = StringReplaceEach({{"%f", v.DocPath},
                                {"%F", v.DocShortPath},
                                {"%n", v.DocName},
                                {"%N", v.DocShortName},
                                {"%d", v.DocFolder},
                                {"%D", v.DocShortFolder},
                                {"%w", v.Window},
                                {"%m", v.ModeSwitch},
                                {"%e", v.ProgramShortPath},
                                {"%p", v.ProgramFolder},
                                {"%P", v.ProgramShortFolder}},
                               params);
    folder = ExpandToolFolder(folder, v);
    program = StringReplaceEach({{"%p", v.ProgramFolder}, {"%P", v.ProgramShortFolder}}, program);
    if (expandEnv) {
        program = expandEnv(program);
        folder = expandEnv(folder);
    }
    if (isFile) program = QuoteProgramPath(program, isFile);
    TToolStart start;
    start.Folder = folder;
    start.CommandLine = ToolCommandLine(program, params);
    return start;
}

} // namespace vellumo
