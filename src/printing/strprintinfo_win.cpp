#include "printing/strprintinfo_win.h"

#include <algorithm>
#include <vector>

namespace vellumo {

const char* const kUnknownPrinterName = "不明";

void TStringsPrinterInfo::Refresh()
{
    try {
        const int index = printer_.PrinterIndex();
        if (index == loadedIndex_) return;
        loadedIndex_ = index;
        LoadPaperItems();
    } catch (...) {
        papers_.Clear();
    }
}

std::string TStringsPrinterInfo::PrinterName()
{
    try {
        const int index = printer_.PrinterIndex();
        const auto& names = printer_.Printers();
        if (index >= 0 && index < static_cast<int>(names.size())) return names[static_cast<std::size_t>(index)];
    } catch (...) {
    }
    return kUnknownPrinterName;
}

int TStringsPrinterInfo::CurrentPaperId()
{
    try {
        std::string device, port;
        DEVMODEA* dm = nullptr;
        if (printer_.GetPrinter(device, port, dm) && dm && (dm->dmFields & DM_PAPERSIZE) && dm->dmPaperSize > 0)
            return dm->dmPaperSize;
    } catch (...) {
    }
    return kPaperIdA4;
}

TPaperSize TStringsPrinterInfo::PaperSizeMm()
{
    Refresh();
    return LookUpPaperSize(papers_, CurrentPaperId());
}

void TStringsPrinterInfo::LoadPaperItems()
{
    papers_.Clear();
    std::string device, port;
    DEVMODEA* dm = nullptr;
    if (!printer_.GetPrinter(device, port, dm)) return;
    const char* dev = device.c_str();
    const char* prt = port.c_str();
    // Each list is fetched into a buffer sized by its own count.
    const int n = DeviceCapabilitiesA(dev, prt, DC_PAPERS, nullptr, dm);
    if (n <= 0) return;
    const int nameCount = DeviceCapabilitiesA(dev, prt, DC_PAPERNAMES, nullptr, dm);
    const int sizeCount = DeviceCapabilitiesA(dev, prt, DC_PAPERSIZE, nullptr, dm);
    std::vector<WORD> ids(static_cast<std::size_t>(n));
    std::vector<char> names(static_cast<std::size_t>(nameCount > 0 ? nameCount : 0) * kPaperNameField);
    std::vector<POINT> sizes(static_cast<std::size_t>(sizeCount > 0 ? sizeCount : 0));
    const int gotIds = DeviceCapabilitiesA(dev, prt, DC_PAPERS, reinterpret_cast<char*>(ids.data()), dm);
    const int gotNames = nameCount > 0 ? DeviceCapabilitiesA(dev, prt, DC_PAPERNAMES, names.data(), dm) : 0;
    const int gotSizes =
        sizeCount > 0 ? DeviceCapabilitiesA(dev, prt, DC_PAPERSIZE, reinterpret_cast<char*>(sizes.data()), dm) : 0;
    auto clampCount = [](int got, std::size_t cap) {
        return got <= 0 ? std::size_t{0} : (static_cast<std::size_t>(got) < cap ? static_cast<std::size_t>(got) : cap);
    };
    const std::size_t idN = clampCount(gotIds, ids.size());
    const std::size_t sizeN = clampCount(gotSizes, sizes.size());
    const std::size_t nameN = clampCount(gotNames, names.size() / kPaperNameField);
    std::vector<long> flat(sizeN * 2);
    for (std::size_t i = 0; i < sizeN; ++i) {
        flat[2 * i] = sizes[i].x;
        flat[2 * i + 1] = sizes[i].y;
    }
    std::vector<unsigned short> idv(ids.begin(), ids.begin() + static_cast<std::ptrdiff_t>(idN));
    // Papers without a name are still listed; only their size matters.
    if (nameN < idN && nameN < sizeN) {
        names.resize(std::min(idN, sizeN) * kPaperNameField, '\0');
        papers_.LoadFromDriverLists(names.data(), std::min(idN, sizeN), flat.data(), sizeN, idv.data(), idN);
    } else {
        papers_.LoadFromDriverLists(names.data(), nameN, flat.data(), sizeN, idv.data(), idN);
    }
}

} // namespace vellumo
