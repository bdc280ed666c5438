#include "classlib/printer_win.h"

#include <winspool.h>

#include <cstddef>
// The printer object has a method of this name.
#undef GetPrinter

namespace vellumo {

TPrinter& Printer()
{
    static TPrinter printer;
    return printer;
}

TPrinter::~TPrinter()
{
    if (printing_ && dc_) AbortDoc(dc_);
    FreeDC();
}

void TPrinter::FreeDC()
{
    if (dc_) DeleteDC(dc_);
    dc_ = nullptr;
}

void TPrinter::EnsureList()
{
    if (!listRead_) Refresh();
}

const std::vector<std::string>& TPrinter::Printers()
{
    EnsureList();
    return printers_;
}

void TPrinter::Refresh()
{
    listRead_ = true;
    printers_.clear();
    const DWORD flags = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
    DWORD needed = 0, count = 0;
    EnumPrintersA(flags, nullptr, 4, nullptr, 0, &needed, &count);
    if (needed > 0) {
        std::vector<BYTE> buf(needed);
        if (EnumPrintersA(flags, nullptr, 4, buf.data(), needed, &needed, &count)) {
            const auto* info = reinterpret_cast<const PRINTER_INFO_4A*>(buf.data());
            for (DWORD i = 0; i < count; ++i)
                if (info[i].pPrinterName) printers_.emplace_back(info[i].pPrinterName);
        }
    }
    index_ = -1;
    Select(-1);
}

int TPrinter::PrinterIndex()
{
    EnsureList();
    return index_;
}

void TPrinter::SetPrinterIndex(int index)
{
    EnsureList();
    if (index < -1 || index >= static_cast<int>(printers_.size())) throw EPrinter("printer index out of range");
    if (printing_) throw EPrinter("printer is busy");
    Select(index);
}

void TPrinter::Select(int index)
{
    FreeDC();
    devMode_.clear();
    port_.clear();
    index_ = -1;
    if (printers_.empty()) return;
    if (index < 0) {
        index = 0;
        char name[512];
        DWORD size = sizeof name;
        if (GetDefaultPrinterA(name, &size)) {
            for (std::size_t i = 0; i < printers_.size(); ++i)
                if (printers_[i] == name) index = static_cast<int>(i);
        }
    }
    index_ = index;
    std::string& device = printers_[static_cast<std::size_t>(index)];
    HANDLE h = nullptr;
    if (!OpenPrinterA(device.data(), &h, nullptr)) return;
    DWORD needed = 0;
    GetPrinterA(h, 2, nullptr, 0, &needed);
    if (needed > 0) {
        std::vector<BYTE> buf(needed);
        if (GetPrinterA(h, 2, buf.data(), needed, &needed)) {
            const auto* pi = reinterpret_cast<const PRINTER_INFO_2A*>(buf.data());
            if (pi->pPortName) port_ = pi->pPortName;
        }
    }
    LONG dmSize = DocumentPropertiesA(nullptr, h, device.data(), nullptr, nullptr, 0);
    if (dmSize >= static_cast<LONG>(sizeof(DEVMODEA))) {
        devMode_.assign(static_cast<std::size_t>(dmSize), 0);
        auto* dm = reinterpret_cast<DEVMODEA*>(devMode_.data());
        if (DocumentPropertiesA(nullptr, h, device.data(), dm, nullptr, DM_OUT_BUFFER) != IDOK) devMode_.clear();
    }
    ClosePrinter(h);
}

bool TPrinter::GetPrinter(std::string& device, std::string& port, DEVMODEA*& devMode)
{
    EnsureList();
    devMode = nullptr;
    if (index_ < 0) return false;
    device = printers_[static_cast<std::size_t>(index_)];
    port = port_;
    if (!devMode_.empty()) devMode = reinterpret_cast<DEVMODEA*>(devMode_.data());
    return true;
}

void TPrinter::DevModeChanged()
{
    if (printing_) throw EPrinter("printer is busy");
    FreeDC();
}

void TPrinter::SetDevMode(const DEVMODEA& devMode)
{
    EnsureList();
    if (index_ < 0 || devMode.dmSize < offsetof(DEVMODEA, dmFields)) return;
    if (printing_) throw EPrinter("printer is busy");
    const auto* bytes = reinterpret_cast<const BYTE*>(&devMode);
    devMode_.assign(bytes, bytes + devMode.dmSize + devMode.dmDriverExtra);
    FreeDC();
}

HDC TPrinter::Handle()
{
    EnsureList();
    if (!dc_ && index_ >= 0) {
        const DEVMODEA* dm = devMode_.empty() ? nullptr : reinterpret_cast<const DEVMODEA*>(devMode_.data());
        dc_ = CreateDCA(nullptr, printers_[static_cast<std::size_t>(index_)].c_str(), nullptr, dm);
    }
    return dc_;
}

int TPrinter::DeviceCap(int index)
{
    HDC dc = Handle();
    return dc ? GetDeviceCaps(dc, index) : 0;
}

int TPrinter::PageWidth() { return DeviceCap(HORZRES); }

int TPrinter::PageHeight() { return DeviceCap(VERTRES); }

int TPrinter::XDpi() { return DeviceCap(LOGPIXELSX); }

int TPrinter::YDpi() { return DeviceCap(LOGPIXELSY); }

TPrinterOrientation TPrinter::Orientation()
{
    EnsureList();
    if (devMode_.empty()) return poPortrait;
    const auto* dm = reinterpret_cast<const DEVMODEA*>(devMode_.data());
    return (dm->dmFields & DM_ORIENTATION) && dm->dmOrientation == DMORIENT_LANDSCAPE ? poLandscape : poPortrait;
}

void TPrinter::SetOrientation(TPrinterOrientation value)
{
    EnsureList();
    if (devMode_.empty()) throw EPrinter("no printer settings");
    auto* dm = reinterpret_cast<DEVMODEA*>(devMode_.data());
    dm->dmFields |= DM_ORIENTATION;
    dm->dmOrientation = value == poLandscape ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
    DevModeChanged();
}

bool TPrinter::BeginDoc()
{
    if (printing_) throw EPrinter("printing in progress");
    HDC dc = Handle();
    if (!dc) throw EPrinter("no printer");
    DOCINFOA di{};
    di.cbSize = sizeof di;
    di.lpszDocName = Title.c_str();
    SetLastError(0);
    if (StartDocA(dc, &di) <= 0) {
        if (GetLastError() == ERROR_CANCELLED) return false;
        throw EPrinter("the print job could not be started");
    }
    if (StartPage(dc) <= 0) {
        AbortDoc(dc);
        throw EPrinter("the first page could not be started");
    }
    printing_ = true;
    aborted_ = false;
    pageNumber_ = 1;
    return true;
}

void TPrinter::NewPage()
{
    if (!printing_) throw EPrinter("not printing");
    if (EndPage(dc_) <= 0 || StartPage(dc_) <= 0) throw EPrinter("a new page could not be started");
    ++pageNumber_;
}

void TPrinter::EndDoc()
{
    if (!printing_) throw EPrinter("not printing");
    printing_ = false;
    const bool ok = EndPage(dc_) > 0;
    const bool ended = ::EndDoc(dc_) > 0;
    // A job leaves the context spent on some drivers: the next one gets a fresh one.
    FreeDC();
    if (!ended || !ok) throw EPrinter("the print job could not be finished");
}

void TPrinter::Abort()
{
    if (!printing_) return;
    printing_ = false;
    aborted_ = true;
    AbortDoc(dc_);
    FreeDC();
}

} // namespace vellumo
