#include "app/startup/startup.h"

namespace vellumo {

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

} // namespace vellumo
