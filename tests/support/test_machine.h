#pragma once
// Machine defaults with fixed values that count how often they are asked for.
#include <string>

#include "settings/machinedefaults.h"

namespace vellumo {

struct TFakeMachine : TMachineDefaults {
    TWindowBounds bounds{10, 20, 640, 480};
    bool xp = true;
    std::string documents = "C:\\Docs";
    std::string desktop = "C:\\Desk";
    std::string temp = "C:\\Temp\\";
    std::string program = "C:\\Prog";
    std::string iePath = "C:\\IE\\iexplore.exe";
    std::string mfPath;  // not installed
    mutable int browserCalls = 0;
    mutable int folderCalls = 0;

    TWindowBounds MainWindowBounds() const override { return bounds; }
    bool IsWindowsXpOrLater() const override { return xp; }
    std::string DocumentsFolder() const override { ++folderCalls; return documents; }
    std::string DesktopFolder() const override { ++folderCalls; return desktop; }
    std::string TempFolder() const override { ++folderCalls; return temp; }
    std::string ProgramFolder() const override { return program; }
    std::string BrowserPath(std::string_view key) const override
    {
        ++browserCalls;
        return key == kIeAppPathsKey ? iePath : key == kMfAppPathsKey ? mfPath : std::string();
    }
};

} // namespace vellumo
