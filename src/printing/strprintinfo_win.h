#pragma once
// Paper information of the current printer. Windows only.
#include <string>

#include "classlib/printer_win.h"
#include "printing/paperinfo.h"

namespace vellumo {

extern const char* const kUnknownPrinterName;  // "不明"

class TStringsPrinterInfo {
public:
    explicit TStringsPrinterInfo(TPrinter& printer) : printer_(printer) {}
    virtual ~TStringsPrinterInfo() = default;

    // Reloads the driver's paper list when another printer was selected.
    virtual void Refresh();
    std::string PrinterName();
    // dmPaperSize of the current settings; A4 when there are none.
    int CurrentPaperId();
    // Width and height in mm of the current paper, portrait.
    TPaperSize PaperSizeMm();
    const TPaperItemList& Papers() const noexcept { return papers_; }

private:
    void LoadPaperItems();

    TPrinter& printer_;
    int loadedIndex_ = -1;
    TPaperItemList papers_;
};

} // namespace vellumo
