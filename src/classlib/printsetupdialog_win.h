#pragma once
// The system's printer-setup dialog on the printer object: on OK the chosen
// printer and its settings become the printer object's. Every Execute goes
// through a seam that tests script, as the file dialogs and forms have.
// Windows only; GUI thread only.
#include <windows.h>

#include <functional>

#include "classlib/printer_win.h"

namespace vellumo {

class TPrinterSetupDialog;

// What a scripted dialog answers.
struct TPrinterSetupAnswer {
    bool Ok = false;
    int PrinterIndex = -1;  // the printer chosen on OK; -1 keeps the current one
};

class TPrinterSetupDialog {
public:
    explicit TPrinterSetupDialog(TPrinter& printer = Printer()) : printer_(printer) {}
    TPrinterSetupDialog(const TPrinterSetupDialog&) = delete;
    TPrinterSetupDialog& operator=(const TPrinterSetupDialog&) = delete;

    TPrinter& PrinterObject() const noexcept { return printer_; }

    // The dialog's window as it shows (to place it); not called for a script.
    std::function<void(HWND dialog)> OnShow;

    // Shows the dialog owned by a window; true on OK, with the printer
    // object set to the choice. False on Cancel and when there is no printer.
    bool Execute(HWND owner = nullptr);

    // Tests: the script answers every Execute in place of the system dialog;
    // an empty script restores it. Returns the previous script.
    using TScript = std::function<TPrinterSetupAnswer(TPrinterSetupDialog& dialog)>;
    static TScript SetScript(TScript script);

private:
    bool SystemExecute(HWND owner);
    static UINT_PTR CALLBACK Hook(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);

    TPrinter& printer_;
};

} // namespace vellumo
