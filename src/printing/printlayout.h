#pragma once
// The page layout of printed text: turns the lines into per-page lists of
// (rectangle, bytes, text-drawing flags). The printer pass and the preview
// draw exactly these lists, so the page count and the drawn pages agree.
#include <functional>
#include <string>
#include <vector>

#include "printing/printmacros.h"
#include "printing/printprops.h"
#include "printing/printwrap.h"

namespace vellumo {

// Text-drawing flags, with the values the system's text drawing uses.
constexpr unsigned kDtLeft = 0x0;
constexpr unsigned kDtCenter = 0x1;
constexpr unsigned kDtRight = 0x2;
constexpr unsigned kDtBottom = 0x8;
constexpr unsigned kDtSingleLine = 0x20;
constexpr unsigned kDtExpandTabs = 0x40;
constexpr unsigned kDtExternalLeading = 0x200;
constexpr unsigned kDtNoPrefix = 0x800;

// The program's messages about printing.
extern const char* const kMsgPrintTooLarge;
extern const char* const kMsgPageRangeWrong;
extern const char* const kMsgColumnTooNarrow;
extern const char* const kMsgBodyTooShort;
extern const char* const kMsgPageNotMade;

// Texts above this many bytes (lines joined with CR LF) are not printed.
constexpr std::size_t kMaxPrintBytes = 3000000;
// Texts above this many bytes get the progress window.
constexpr std::size_t kProgressBytes = 64000;

struct TPrintRect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    int Width() const noexcept { return Right - Left; }
    int Height() const noexcept { return Bottom - Top; }
    bool operator==(const TPrintRect&) const = default;
};

enum class TPrintItemKind { Header, Footer, LineNumber, Row };

struct TPrintItem {
    TPrintItemKind Kind;
    TPrintRect Rect;
    std::string Text;
    unsigned Flags;
};

struct TPrintPage {
    int Number = 0;  // the page number printed for %p
    std::vector<TPrintItem> Items;
};

// Metrics of the print font in page units.
struct TPrintMetrics {
    int LineHeight = 0;       // text height plus external leading
    int CharWidth = 0;        // average character width
    int DoubleByteWidth = 0;  // width of one double-byte character
};

// Unprintable strips around the printable area, in page units.
struct TPrintOffsets {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
};

// Rounds halves to the even neighbour.
int RoundHalfEven(double v) noexcept;
// Millimetres to page units at dpi dots per inch; dpi serves vertically too.
int MmToDevice(int mm, int dpi) noexcept;
// The printable area taken as centred on the paper (paper size in mm, portrait).
TPrintOffsets ComputePrinterOffsets(int paperWidthMm, int paperHeightMm, bool landscape, int dpi, int pageWidth,
                                    int pageHeight) noexcept;

// Everything the walk needs about the device.
struct TPrintLayoutSettings {
    int PageWidth = 0, PageHeight = 0;
    TPrintRect Body;      // inside the margins
    int ColumnSpace = 0;  // gap between columns, page units
    int RowGap = 0;       // extra gap below each row, page units
    TPrintMetrics Metrics;
};

TPrintLayoutSettings MakeLayoutSettings(const TStringsPrinterProps& props, int dpi, int pageWidth, int pageHeight,
                                        const TPrintOffsets& offsets, const TPrintMetrics& metrics);

// Bands and the first column of a page.
struct TPrintColumnGeometry {
    TPrintRect HeaderBand, FooterBand;
    TPrintRect Gutter, Text;  // column 1
    int Step = 0;             // shift from one column to the next
    int WrapWidth = 0;        // usable row width (less a character for italics)
};

TPrintColumnGeometry ComputeColumns(const TStringsPrinterProps& props, const TPrintLayoutSettings& settings,
                                    int lineCount);

// Empty when the layout can be made; otherwise the message that refuses it
// (a column narrower than one double-byte character, or no room for a row).
std::string CheckPrintLayout(const TStringsPrinterProps& props, const TPrintLayoutSettings& settings, int lineCount);

// The progress bar's percentage for done of total (both 1 when total is 0),
// rounded halves to even and held inside 0..100.
int PrintProgressPercent(int total, int done) noexcept;

// Lines joined with CR LF after each: their byte count.
std::size_t JoinedPrintSize(const std::vector<std::string>& lines) noexcept;

// The page number printed on the page of 0-based index i.
int PageNumberOf(const TStringsPrinterProps& props, int i) noexcept;
// False when a limited page range starts after the last page or after its own end.
bool PageRangeValid(const TStringsPrinterProps& props, int pageCount) noexcept;
// The 0-based indexes of the pages to send to the printer, in order.
std::vector<int> PagesToPrint(const TStringsPrinterProps& props, int pageCount);

class TPrintLayout {
public:
    TPrintLayout(const TStringsPrinterProps& props, const TPrintLayoutSettings& settings, TPrintMeasurer& measure);

    // Applied to every printed line before wrapping; tab width 8 when unset.
    std::function<std::string(const std::string&)> ExpandTabs;
    // Called before each source line with its index and the line count - 1;
    // false stops the walk.
    std::function<bool(int index, int total)> OnProgress;
    // Clock of the macros (the local one when unset).
    std::function<TPrintDate()> Now;
    std::function<std::string()> TimeText;

    // Lays the lines out; false when stopped by OnProgress. The layout must
    // have passed CheckPrintLayout.
    bool Run(const std::vector<std::string>& lines, std::vector<TPrintPage>& pages);

    int LastPageNumber() const noexcept { return lastPage_; }

private:
    const TStringsPrinterProps& props_;
    TPrintLayoutSettings settings_;
    TPrintMeasurer& measure_;
    int lastPage_ = 0;
};

} // namespace vellumo
