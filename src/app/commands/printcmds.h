#pragma once
// What printing decides apart from doing it: how the print settings reach
// the printing component, the name it prints for the document, the size
// limit, and the lines of a selection. Portable.
#include <string>
#include <string_view>
#include <vector>

#include "printing/printprops.h"
#include "settings/settings.h"

namespace vellumo {

extern const char* const kMsgNoPrinter;       // "プリンタが見当たりません。..."
extern const char* const kUntitledPrintName;  // "無題"

// The values the main window's printing component starts with.
void SetUpStringsPrinter(TStringsPrinterProps& printer);

// The settings into the component, in this order: page range, margins and
// line numbers, header, footer, font and columns, the alignments (a value
// outside 0..3 leaves the component's own), and the document's name.
void ApplyPrintSettings(const TAppIniPrn& settings, TStringsPrinterProps& printer, const std::string& documentName);

// %f of an untitled document: "<Output>" in output mode, else "無題".
std::string PrintDocumentName(const std::string& currentFileName, bool outputMode);

// The text, line ends counted as two bytes, is small enough to print.
bool PrintableSize(long long textLength) noexcept;

// A selected text as lines: CR LF, CR or LF end a line; a final line end
// adds no empty line.
std::vector<std::string> SelectionLines(std::string_view text);

} // namespace vellumo
