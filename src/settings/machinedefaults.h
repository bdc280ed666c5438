#pragma once
// Defaults that depend on the machine or on the running program. Settings ask
// for them only when their key is absent from the settings file.
#include <string>
#include <string_view>

namespace vellumo {

struct TWindowBounds {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
};

class TMachineDefaults {
public:
    virtual ~TMachineDefaults() = default;
    // The main window's current position and size.
    virtual TWindowBounds MainWindowBounds() const = 0;
    // Windows XP (5.1) or later: the tool bar gets 256-colour images.
    virtual bool IsWindowsXpOrLater() const = 0;
    virtual std::string DocumentsFolder() const = 0;
    virtual std::string DesktopFolder() const = 0;
    // The system's temporary folder; "" when unknown.
    virtual std::string TempFolder() const = 0;
    // The folder of the program file, without a trailing separator.
    virtual std::string ProgramFolder() const = 0;
    // The unnamed value of a registry App Paths key under the local machine;
    // "" when it cannot be read.
    virtual std::string BrowserPath(std::string_view appPathsKey) const = 0;
};

// Defaults for sections that ask nothing of the machine: empty and zero.
const TMachineDefaults& NoMachineDefaults();

// The App Paths keys of the two browsers.
inline constexpr char kIeAppPathsKey[] = "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\IEXPLORE.EXE";
inline constexpr char kMfAppPathsKey[] = "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\firefox.exe";

} // namespace vellumo
