#include "printing/strprint_win.h"

#include "classlib/screen_win.h"
#include "printing/canvasprint_win.h"
#include "printing/strpprog_win.h"

namespace vellumo {

const char* const kCaptionPrinting = "印刷中...";
const char* const kCaptionPreviewing = "プレビューを作成中...";
const char* const kMsgPrintFailed = "印刷できませんでした。プリンタの設定を確認してください。";

TMetafile& TMetaFileList::Add()
{
    items_.push_back(std::make_unique<TMetafile>());
    return *items_.back();
}

TStringsPrinter::TStringsPrinter(TPrinter* printer) : printer_(printer ? *printer : Printer()), info_(printer_)
{
    Screen();  // the screen's resolution turns the font's points into pixels
    CreateProgress = [this](const std::string& caption) -> std::unique_ptr<TPrintProgress> {
        return ShowPrintProgress(*this, caption);
    };
}

void TStringsPrinter::Message(const char* text)
{
    if (OnMessage) OnMessage(text);
}

int TStringsPrinter::ScreenDpi()
{
    HDC screen = GetDC(nullptr);
    int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 0;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

int TStringsPrinter::PrinterDpi()
{
    int dpi = 0;
    try {
        dpi = printer_.XDpi();
    } catch (...) {
    }
    return dpi > 0 ? dpi : ScreenDpi();
}

double TStringsPrinter::ScreenToPrinterRatio()
{
    int dpi = 0;
    try {
        dpi = printer_.XDpi();
    } catch (...) {
    }
    return dpi > 0 ? static_cast<double>(ScreenDpi()) / dpi : 1.0;
}

int TStringsPrinter::MmToDevice(int mm)
{
    return vellumo::MmToDevice(mm, PrinterDpi());
}

TPrintOffsets TStringsPrinter::PrinterOffsets()
{
    try {
        const int w = printer_.PageWidth(), h = printer_.PageHeight();
        if (w <= 0 || h <= 0) return {};
        const TPaperSize paper = info_.PaperSizeMm();
        return ComputePrinterOffsets(paper.Width, paper.Height, printer_.Orientation() == poLandscape, PrinterDpi(),
                                     w, h);
    } catch (...) {
        return {};
    }
}

namespace {

// Holds the state of a render pass and restores the window, the cursor and
// the busy flag on every way out. It is made before the progress window,
// so that the window the user worked in is the one disabled.
class TRenderPassGuard {
public:
    explicit TRenderPassGuard(bool& busy) : busy_(busy)
    {
        busy_ = true;
        active_ = GetActiveWindow();
        if (active_ && IsWindowEnabled(active_)) {
            EnableWindow(active_, FALSE);
            disabled_ = true;
        }
    }
    ~TRenderPassGuard()
    {
        if (disabled_ && IsWindow(active_)) {
            EnableWindow(active_, TRUE);
            SetActiveWindow(active_);
        }
        Screen().SetCursor(crDefault);
        busy_ = false;
    }
    TRenderPassGuard(const TRenderPassGuard&) = delete;
    TRenderPassGuard& operator=(const TRenderPassGuard&) = delete;

    void Hourglass() { Screen().SetCursor(crHourGlass); }

private:
    bool& busy_;
    HWND active_ = nullptr;
    bool disabled_ = false;
};

} // namespace

bool TStringsPrinter::RenderDocument(const std::vector<std::string>& lines, TMetaFileList& pages,
                                     const std::string& caption)
{
    pages.Clear();
    laidOut_.clear();
    lastPage_ = 0;

    TRenderPassGuard guard(busy_);
    // Declared after the guard: the window goes before the old one is
    // enabled and activated again.
    std::unique_ptr<TPrintProgress> progress;
    if (CreateProgress && JoinedPrintSize(lines) > kProgressBytes) progress = CreateProgress(caption);
    if (!progress) guard.Hourglass();

    // Page size and resolution of the printer, or of the paper on the screen.
    const int dpi = PrinterDpi();
    int pageW = 0, pageH = 0;
    try {
        pageW = printer_.PageWidth();
        pageH = printer_.PageHeight();
    } catch (...) {
    }
    if (pageW <= 0 || pageH <= 0) {
        const TPaperSize paper = info_.PaperSizeMm();
        pageW = vellumo::MmToDevice(paper.Width, dpi);
        pageH = vellumo::MmToDevice(paper.Height, dpi);
    }
    const TPrintOffsets offsets = PrinterOffsets();
    // The metafiles are recorded against the screen: the font is scaled so
    // that it has its printer size in the metafile's units. (A negative size
    // stands for a cell height and keeps its sign.)
    int size = RoundHalfEven(Font().Size() / ScreenToPrinterRatio());
    if (size == 0) size = Font().Size() < 0 ? -1 : 1;

    {
        TMetafile measureMeta;
        measureMeta.SetSize(pageW, pageH);
        TMetafileCanvas measureDc(measureMeta, nullptr);
        TCanvas measureCanvas;
        measureCanvas.SetHandle(measureDc.Handle());
        TCanvasPrintCanvas measure(measureCanvas);
        if (!measureDc.Handle() || !measure.SelectPrintFont(Font(), size)) {
            Message(kMsgPageNotMade);
            return false;
        }
        settings_ = MakeLayoutSettings(*this, dpi, pageW, pageH, offsets, measure.Metrics());
        const std::string refusal = CheckPrintLayout(*this, settings_, static_cast<int>(lines.size()));
        if (!refusal.empty()) {
            if (OnMessage) OnMessage(refusal);
            return false;
        }
        TPrintLayout layout(*this, settings_, measure);
        layout.ExpandTabs = ExpandTabs;
        layout.Now = [] {
            SYSTEMTIME t;
            GetLocalTime(&t);
            return TPrintDate{t.wYear, t.wMonth, t.wDay};
        };
        layout.TimeText = [] {
            // The user's long time format.
            char buf[64];
            int n = GetTimeFormatA(LOCALE_USER_DEFAULT, 0, nullptr, nullptr, buf, sizeof buf);
            return n > 0 ? std::string(buf) : LocalTimeText();
        };
        if (progress) {
            layout.OnProgress = [&](int k, int total) { return progress->Update(caption, total, k); };
        }
        if (!layout.Run(lines, laidOut_)) {
            laidOut_.clear();
            return false;
        }
        lastPage_ = layout.LastPageNumber();
    }

    const int count = static_cast<int>(laidOut_.size());
    for (int i = 0; i < count; ++i) {
        if (progress && !progress->Update(caption, count - 1, i)) {
            pages.Clear();
            return false;
        }
        TMetafile& meta = pages.Add();
        meta.SetSize(pageW, pageH);
        TMetafileCanvas pageDc(meta, nullptr);
        bool ok = pageDc.Handle() != nullptr;
        if (ok) {
            TCanvas pageCanvas;
            pageCanvas.SetHandle(pageDc.Handle());
            TCanvasPrintCanvas canvas(pageCanvas);
            ok = canvas.SelectPrintFont(Font(), size);
            if (ok) {
                canvas.SetPrintColors();
                ok = RenderPrintPage(canvas, laidOut_[static_cast<std::size_t>(i)]);
            }
            pageCanvas.SetHandle(nullptr);  // its objects leave the context before it closes
        }
        if (!pageDc.Close() || !ok) {
            pages.Clear();
            Message(kMsgPageNotMade);
            return false;
        }
    }
    return true;
}

bool TStringsPrinter::PrintPages(const TMetaFileList& pages)
{
    const std::vector<int> chosen = PagesToPrint(*this, pages.Count());
    if (chosen.empty()) {
        Message(kMsgPageRangeWrong);
        return false;
    }
    bool started = false;
    try {
        started = printer_.BeginDoc();
    } catch (...) {
        Message(kMsgPrintFailed);
        return false;
    }
    if (!started) return false;  // the user cancelled the start
    try {
        for (std::size_t n = 0; n < chosen.size(); ++n) {
            // A new page only between printed pages: never a blank one at the end.
            if (n > 0) printer_.NewPage();
            RECT r{0, 0, printer_.PageWidth(), printer_.PageHeight()};
            if (!pages.Items(chosen[n]).Draw(printer_.Handle(), r)) throw EPrinter("page not drawn");
        }
        printer_.EndDoc();
    } catch (...) {
        printer_.Abort();
        Message(kMsgPrintFailed);
        return false;
    }
    return true;
}

bool TStringsPrinter::CheckPrintSize(const std::vector<std::string>& text)
{
    if (JoinedPrintSize(text) <= kMaxPrintBytes) return true;
    Message(kMsgPrintTooLarge);
    return false;
}

bool TStringsPrinter::PrintStrings(const TStringList& lines)
{
    return PrintStrings(lines.Items());
}

bool TStringsPrinter::PrintStrings(const std::vector<std::string>& lines)
{
    // One snapshot of the text for the whole pass.
    const std::vector<std::string> text(lines);
    if (!CheckPrintSize(text)) return false;
    TMetaFileList pages;
    if (!RenderDocument(text, pages, kCaptionPrinting)) return false;
    if (!PageRangeValid(*this, pages.Count())) {
        Message(kMsgPageRangeWrong);
        return false;
    }
    return PrintPages(pages);
}

bool TStringsPrinter::PreviewStrings(const TStringList& lines, bool allowPrint)
{
    return PreviewStrings(lines.Items(), allowPrint);
}

bool TStringsPrinter::PreviewStrings(const std::vector<std::string>& lines, bool allowPrint)
{
    const std::vector<std::string> text(lines);
    if (!CheckPrintSize(text)) return false;
    if (!PreviewSink) return false;
    TMetaFileList pages;
    if (!RenderDocument(text, pages, kCaptionPreviewing)) return false;
    PreviewSink->ShowPrintPreview(*this, pages, allowPrint);
    return true;
}

} // namespace vellumo
