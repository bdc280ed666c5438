#pragma once
// What the about box shows, apart from its window, and the project's own
// addresses (the Help menu opens its pages too).
#include <string>
#include <vector>

namespace vellumo {

inline constexpr const char kProductName[] = "Vellumo";
inline constexpr const char kDesignedVersion[] = "Version 0.00";
inline constexpr const char kDesignedNotice[] = "Copyright (C) The Vellumo developers";
inline constexpr const char kUnknownUser[] = "(不明)";

// The project's pages and mail address.
inline constexpr const char kProjectHome[] = "https://vellumo.example/";
inline constexpr const char kProjectMail[] = "support@vellumo.example";
inline constexpr const char kProjectSocial[] = "https://social.example/@vellumo";
inline constexpr const char kProjectChat[] = "https://chat.example/vellumo";

struct TAboutTexts {
    std::string Version = kDesignedVersion;
    std::string Notice = kDesignedNotice;
};

// From the program's eight version strings (company ... product version)
// and whether any was missing: all eight present give "Version " and the
// product version and the copyright; otherwise the designed texts stay.
TAboutTexts AboutTextsFromVersion(const std::vector<std::string>& strings, bool anyMissing);

// The user's name when the system gave one, else "(不明)".
std::string UserNameText(bool obtained, const std::string& name);

// The four links' captions, in order: web page, mail, two community pages.
std::vector<std::string> AboutLinkCaptions();
// What a click on link n (1..4) opens: the mail link as "mailto:".
std::string AboutLinkTarget(int link, const std::string& caption);

} // namespace vellumo
