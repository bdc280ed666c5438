#pragma once
// The printer object: the installed printers, the current one's settings
// (DEVMODE), its device context and the print job. Windows only.
#include <windows.h>
// The system headers may name GetPrinter as a macro; here it is a method.
#ifdef GetPrinter
#undef GetPrinter
#endif

#include <stdexcept>
#include <string>
#include <vector>

namespace vellumo {

class EPrinter : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum TPrinterOrientation { poPortrait = 0, poLandscape = 1 };

class TPrinter {
public:
    TPrinter() = default;
    ~TPrinter();
    TPrinter(const TPrinter&) = delete;
    TPrinter& operator=(const TPrinter&) = delete;

    // The installed printers' names, read on first use and by Refresh.
    const std::vector<std::string>& Printers();
    // Reads the list again and selects the default printer.
    void Refresh();

    // Index of the current printer in Printers; -1 when there is none.
    int PrinterIndex();
    // Selects a printer; -1 selects the default one. Throws EPrinter on an index out of range.
    void SetPrinterIndex(int index);

    // The current printer's device and port names and its settings; the
    // DEVMODE belongs to the printer object. False when there is no printer.
    bool GetPrinter(std::string& device, std::string& port, DEVMODEA*& devMode);
    // Writes a changed DEVMODE back: the device context is made again.
    void DevModeChanged();
    // The current printer's settings replaced by a copy of devMode (the
    // printer-setup dialog's); ignored when there is no printer.
    void SetDevMode(const DEVMODEA& devMode);

    // Device context of the current printer; nullptr when there is none.
    HDC Handle();
    // Printable area in device pixels and resolution; 0 when there is no printer.
    int PageWidth();
    int PageHeight();
    int XDpi();
    int YDpi();

    TPrinterOrientation Orientation();
    void SetOrientation(TPrinterOrientation value);

    // Name of the job in the spooler.
    std::string Title;

    // Starts a job and its first page. False when the user cancelled the
    // start; throws EPrinter when it fails.
    bool BeginDoc();
    void NewPage();
    void EndDoc();
    // Ends the job without printing what was sent.
    void Abort();
    bool Printing() const noexcept { return printing_; }
    bool Aborted() const noexcept { return aborted_; }
    int PageNumber() const noexcept { return pageNumber_; }

private:
    int DeviceCap(int index);
    void EnsureList();
    void Select(int index);
    void FreeDC();

    bool listRead_ = false;
    std::vector<std::string> printers_;
    int index_ = -1;
    std::string port_;
    std::vector<BYTE> devMode_;
    HDC dc_ = nullptr;
    bool printing_ = false;
    bool aborted_ = false;
    int pageNumber_ = 0;
};

// The process's printer object.
TPrinter& Printer();

} // namespace vellumo
