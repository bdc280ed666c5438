#include "classlib/printsetupdialog_win.h"

#include <commdlg.h>

#include <cstring>
#include <string>
#include <vector>

namespace vellumo {

namespace {

TPrinterSetupDialog::TScript& Script()
{
    static TPrinterSetupDialog::TScript script;
    return script;
}

// A movable global block holding bytes; nullptr when out of memory.
HGLOBAL GlobalCopy(const void* bytes, std::size_t size)
{
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    if (!h) return nullptr;
    if (void* p = GlobalLock(h)) {
        std::memcpy(p, bytes, size);
        GlobalUnlock(h);
    }
    return h;
}

// DEVNAMES with the three names after it.
HGLOBAL MakeDevNames(const std::string& device, const std::string& port)
{
    std::vector<char> block(sizeof(DEVNAMES));
    auto add = [&](const std::string& s) {
        const std::size_t at = block.size();
        block.insert(block.end(), s.begin(), s.end());
        block.push_back('\0');
        return static_cast<WORD>(at);
    };
    DEVNAMES names{};
    names.wDriverOffset = add("winspool");
    names.wDeviceOffset = add(device);
    names.wOutputOffset = add(port);
    std::memcpy(block.data(), &names, sizeof names);
    return GlobalCopy(block.data(), block.size());
}

std::string DeviceOf(HGLOBAL devNames)
{
    std::string device;
    if (const auto* names = static_cast<const DEVNAMES*>(devNames ? GlobalLock(devNames) : nullptr)) {
        device = reinterpret_cast<const char*>(names) + names->wDeviceOffset;
        GlobalUnlock(devNames);
    }
    return device;
}

} // namespace

TPrinterSetupDialog::TScript TPrinterSetupDialog::SetScript(TScript script)
{
    TScript old = std::move(Script());
    Script() = std::move(script);
    return old;
}

bool TPrinterSetupDialog::Execute(HWND owner)
{
    if (!Script()) return SystemExecute(owner);
    const TPrinterSetupAnswer answer = Script()(*this);
    if (!answer.Ok) return false;
    if (answer.PrinterIndex >= 0) printer_.SetPrinterIndex(answer.PrinterIndex);
    return true;
}

UINT_PTR CALLBACK TPrinterSetupDialog::Hook(HWND dlg, UINT msg, WPARAM, LPARAM lParam)
{
    if (msg != WM_INITDIALOG) return 0;
    const auto* pd = reinterpret_cast<const PRINTDLGA*>(lParam);
    auto* self = pd ? reinterpret_cast<TPrinterSetupDialog*>(pd->lCustData) : nullptr;
    if (self && self->OnShow) {
        try {
            self->OnShow(dlg);
        } catch (...) {
            // Placing is a courtesy: the dialog shows where the system put it.
        }
    }
    return TRUE;
}

bool TPrinterSetupDialog::SystemExecute(HWND owner)
{
    std::string device, port;
    DEVMODEA* devMode = nullptr;
    if (!printer_.GetPrinter(device, port, devMode)) return false;
    PRINTDLGA pd{};
    pd.lStructSize = sizeof pd;
    pd.hwndOwner = owner;
    // Some systems' setup dialog calls the print hook: both are given.
    pd.Flags = PD_PRINTSETUP | PD_ENABLESETUPHOOK | PD_ENABLEPRINTHOOK;
    pd.lpfnSetupHook = &Hook;
    pd.lpfnPrintHook = &Hook;
    pd.lCustData = reinterpret_cast<LPARAM>(this);
    if (devMode) pd.hDevMode = GlobalCopy(devMode, devMode->dmSize + devMode->dmDriverExtra);
    pd.hDevNames = MakeDevNames(device, port);
    const bool ok = PrintDlgA(&pd) != FALSE;
    if (ok) {
        const std::string chosen = DeviceOf(pd.hDevNames);
        const auto& names = printer_.Printers();
        for (std::size_t i = 0; i < names.size(); ++i)
            if (names[i] == chosen) {
                printer_.SetPrinterIndex(static_cast<int>(i));
                break;
            }
        if (const auto* dm = static_cast<const DEVMODEA*>(pd.hDevMode ? GlobalLock(pd.hDevMode) : nullptr)) {
            printer_.SetDevMode(*dm);
            GlobalUnlock(pd.hDevMode);
        }
    }
    if (pd.hDevMode) GlobalFree(pd.hDevMode);
    if (pd.hDevNames) GlobalFree(pd.hDevNames);
    return ok;
}

} // namespace vellumo
