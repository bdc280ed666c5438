#pragma once
// One main window for a whole test suite, its settings in a folder of its
// own, and a pump that lets it run for a while.
#include <windows.h>

#include <filesystem>
#include <string>

#include "app/startup/cmdline_win.h"
#include "app/document/docopen.h"
#include "app/window/mainform_win.h"

namespace vellumo::testing {

inline void Pump(DWORD ms)
{
    const DWORD end = GetTickCount() + ms;
    do {
        MSG m;
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&m);
            DispatchMessageA(&m);
        }
        Sleep(5);
    } while (static_cast<int>(end - GetTickCount()) > 0);
}

// Made in a fresh folder (the settings file lives there); shown on the
// display with the editor focused when the tests need real focus moves.
inline TVellumoMainForm* MakeSuiteForm(const std::filesystem::path& folder, bool shown)
{
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    SetSystemCommandLine(TCommandLine({"vellumo.exe", "/i=" + folder.string()}));
    auto* form = new TVellumoMainForm;
    ConnectDocumentFunctions(*form);
    form->HandleNeeded();
    form->FormCreate();
    if (shown) {
        ShowWindow(form->Window(), SW_SHOWNORMAL);
        SetWindowPos(form->Window(), nullptr, 0, 0, 700, 600, SWP_NOZORDER);
        SetForegroundWindow(form->Window());
        form->Editor1.SetFocus();
        Pump(50);
    }
    return form;
}

inline void FreeSuiteForm(TVellumoMainForm*& form, const std::filesystem::path& folder)
{
    delete form;
    form = nullptr;
    std::filesystem::remove_all(folder);
}

} // namespace vellumo::testing
