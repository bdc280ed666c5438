#pragma once
// The machine defaults as Windows gives them (built for Windows only).
#include <string>
#include <string_view>

#include "settings/machinedefaults.h"

namespace vellumo {

std::string GetDocumentsFolder();
std::string GetDesktopFolder();
// GetTempPathA, with its trailing "\"; "" when it fails.
std::string GetTempFolder();
// The unnamed value of key (a path below HKEY_LOCAL_MACHINE, a leading "\"
// allowed), opened for reading only; "" when it cannot be read.
std::string ReadBrowserPathFromRegistry(std::string_view key);

class TWinMachineDefaults : public TMachineDefaults {
public:
    // mainWindow is an HWND (or null before the window exists).
    explicit TWinMachineDefaults(void* mainWindow = nullptr) : window_(mainWindow) {}
    void SetMainWindow(void* mainWindow) { window_ = mainWindow; }

    TWindowBounds MainWindowBounds() const override;
    bool IsWindowsXpOrLater() const override;
    std::string DocumentsFolder() const override { return GetDocumentsFolder(); }
    std::string DesktopFolder() const override { return GetDesktopFolder(); }
    std::string TempFolder() const override { return GetTempFolder(); }
    std::string ProgramFolder() const override;
    std::string BrowserPath(std::string_view appPathsKey) const override
    {
        return ReadBrowserPathFromRegistry(appPathsKey);
    }

private:
    void* window_;
};

} // namespace vellumo
