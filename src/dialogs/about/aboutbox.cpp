#include "dialogs/about/aboutbox.h"

#include <algorithm>

namespace vellumo {

namespace {
constexpr std::size_t kCopyright = 4, kProductVersion = 7, kVersionStrings = 8;
}

TAboutTexts AboutTextsFromVersion(const std::vector<std::string>& strings, bool anyMissing)
{
    TAboutTexts t;
    if (anyMissing || strings.size() != kVersionStrings ||
        std::any_of(strings.begin(), strings.end(), [](const std::string& s) { return s.empty(); }))
        return t;
    t.Version = "Version " + strings[kProductVersion];
    t.Notice = strings[kCopyright];
    return t;
}

std::string UserNameText(bool obtained, const std::string& name)
{
    return obtained && !name.empty() ? name : kUnknownUser;
}

std::vector<std::string> AboutLinkCaptions() { return {kProjectHome, kProjectMail, kProjectSocial, kProjectChat}; }

std::string AboutLinkTarget(int link, const std::string& caption)
{
    return link == 2 ? "mailto:" + caption : caption;
}

} // namespace vellumo
