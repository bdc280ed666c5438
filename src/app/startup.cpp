#include "app/startup.h"

namespace vellumo {

// Defined by the Windows build; a portable build starts nothing.
bool SystemStartProcess(const TProcessStartRequest& request);

namespace {
TProcessStarter g_starter;
} // namespace

std::vector<std::string> ExistingFileArgs(const TCommandLine& cl, const TNameExists& exists)
{
    std::vector<std::string> out;
    for (int i = 1; i <= cl.ParamCount(); ++i) {
        std::string a = cl.ParamStr(i);
        if (!a.empty() && !TCommandLine::IsSwitch(a) && exists(a)) out.push_back(std::move(a));
    }
    return out;
}

bool HasSeveralFileArgs(const TCommandLine& cl, const TNameExists& exists)
{
    int count = 0;
    for (int i = 1; i <= cl.ParamCount(); ++i) {
        const std::string a = cl.ParamStr(i);
        if (!a.empty() && !TCommandLine::IsSwitch(a) && exists(a) && ++count > 1) return true;
    }
    return false;
}

std::string OptionArgs(const TCommandLine& cl)
{
    std::string out;
    for (int i = 1; i <= cl.ParamCount(); ++i) {
        const std::string a = cl.ParamStr(i);
        if (TCommandLine::IsSwitch(a)) out += " \"" + a + '"';
    }
    return out + ' ';
}

std::string HandOffCommandLine(const std::string& programPath, const TCommandLine& cl, const std::string& fileArg)
{
    return '"' + programPath + '"' + OptionArgs(cl) + '"' + fileArg + '"';
}

TProcessStarter SetProcessStarter(TProcessStarter starter)
{
    TProcessStarter old = std::move(g_starter);
    g_starter = std::move(starter);
    return old;
}

bool StartProcess(const TProcessStartRequest& request)
{
    if (g_starter) {
        try {
            return g_starter(request);
        } catch (...) {
            return false;
        }
    }
    return SystemStartProcess(request);
}

int SpawnPerFileArg(const std::string& programPath, const TCommandLine& cl, const TNameExists& exists)
{
    int started = 0;
    for (const std::string& arg : ExistingFileArgs(cl, exists))
        if (StartProcess({HandOffCommandLine(programPath, cl, arg), std::string(), false})) ++started;
    return started;
}

#ifndef _WIN32
bool SystemStartProcess(const TProcessStartRequest&) { return false; }
bool StartupEntry() { return true; }
#endif

} // namespace vellumo
