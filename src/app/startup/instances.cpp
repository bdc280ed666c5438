#include "app/startup/instances.h"

namespace vellumo {

std::string NewInstanceParameters(const std::string& settingsFolder, const TCommandLine& cl, const std::string& params)
{
    std::string prefix;
    if (!settingsFolder.empty()) prefix = "\"/i=" + settingsFolder + "\" ";
    if (cl.HasSwitch("/t")) prefix += ForwardedSwitches(cl);
    return prefix.empty() ? params : prefix + " " + params;
}

} // namespace vellumo
