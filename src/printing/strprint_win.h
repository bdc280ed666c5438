#pragma once
// The text printing component: lays text lines out on pages of the current
// printer, draws each page into a metafile of its own, and prints the pages
// or hands them to the preview. Windows only.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "classlib/metafile_win.h"
#include "classlib/printer_win.h"
#include "base/stringlist.h"
#include "printing/printlayout.h"
#include "printing/strprintinfo_win.h"

namespace vellumo {

// The page metafiles of one document, page 1 first.
class TMetaFileList {
public:
    TMetafile& Add();
    void Clear() noexcept { items_.clear(); }
    int Count() const noexcept { return static_cast<int>(items_.size()); }
    TMetafile& Items(int i) { return *items_.at(static_cast<std::size_t>(i)); }
    const TMetafile& Items(int i) const { return *items_.at(static_cast<std::size_t>(i)); }

private:
    std::vector<std::unique_ptr<TMetafile>> items_;
};

// The progress window of long texts.
class TPrintProgress {
public:
    virtual ~TPrintProgress() = default;
    // Shows the progress; false when the user asked to cancel.
    virtual bool Update(const std::string& caption, int total, int done) = 0;
};

class TStringsPrinter;

// Shows the rendered pages (the preview window).
class TPrintPreviewSink {
public:
    virtual ~TPrintPreviewSink() = default;
    virtual void ShowPrintPreview(TStringsPrinter& printer, TMetaFileList& pages, bool allowPrint) = 0;
};

extern const char* const kCaptionPrinting;    // "印刷中..."
extern const char* const kCaptionPreviewing;  // "プレビューを作成中..."
extern const char* const kMsgPrintFailed;

class TStringsPrinter : public TStringsPrinterProps {
public:
    // printer nullptr: the process's printer object.
    explicit TStringsPrinter(TPrinter* printer = nullptr);
    TStringsPrinter(const TStringsPrinter&) = delete;
    TStringsPrinter& operator=(const TStringsPrinter&) = delete;

    // Copies the settings (not the counters or the paper information).
    void Assign(const TStringsPrinter& source) { AssignProps(source); }

    // Shows the component's messages (the application connects ShowMsg).
    std::function<void(const std::string& text)> OnMessage;
    // Tab expansion of a line (the active editor's); tab width 8 when unset.
    std::function<std::string(const std::string&)> ExpandTabs;
    // Opens the progress window for a long text with the caption (by default
    // the component's own, TFormStrProgress); unset or nullptr: none.
    std::function<std::unique_ptr<TPrintProgress>(const std::string& caption)> CreateProgress;
    // Where PreviewStrings sends its pages.
    TPrintPreviewSink* PreviewSink = nullptr;

    TPrinter& PrinterObject() noexcept { return printer_; }
    TStringsPrinterInfo& Info() noexcept { return info_; }

    // Screen pixels per printer pixel; 1.0 without a printer.
    double ScreenToPrinterRatio();
    int MmToDevice(int mm);
    TPrintOffsets PrinterOffsets();

    // True when pages were sent to the printer.
    bool PrintStrings(const TStringList& lines);
    bool PrintStrings(const std::vector<std::string>& lines);
    // True when the preview was shown.
    bool PreviewStrings(const TStringList& lines, bool allowPrint);
    bool PreviewStrings(const std::vector<std::string>& lines, bool allowPrint);

    // Lays out and renders every page into pages. False when the layout
    // was refused or a page could not be made (with a message), or when
    // cancelled (without one).
    bool RenderDocument(const std::vector<std::string>& lines, TMetaFileList& pages, const std::string& caption);

    // True while pages are rendered (messages may be pumped meanwhile).
    bool Busy() const noexcept { return busy_; }
    // The layout of the last rendered document.
    const std::vector<TPrintPage>& LaidOutPages() const noexcept { return laidOut_; }
    const TPrintLayoutSettings& LayoutSettings() const noexcept { return settings_; }
    int LastPageNumber() const noexcept { return lastPage_; }

    // Sends the pages chosen by the page range and PageOption to the
    // printer. On a failure the job is aborted, not ended.
    bool PrintPages(const TMetaFileList& pages);

private:
    void Message(const char* text);
    // False, with the message, for a text too long to print.
    bool CheckPrintSize(const std::vector<std::string>& text);
    int PrinterDpi();
    int ScreenDpi();

    TPrinter& printer_;
    TStringsPrinterInfo info_;
    bool busy_ = false;
    std::vector<TPrintPage> laidOut_;
    TPrintLayoutSettings settings_;
    int lastPage_ = 0;
};

} // namespace vellumo
