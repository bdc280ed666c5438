#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "classlib/metafile_win.h"
#include "classlib/printer_win.h"
#include "classlib/screen_win.h"
#include "printing/strprint_win.h"
#include "printing/strpprog_win.h"
#include "support/testprinter.h"
#include "support/windowpicture_win.h"

namespace vellumo {
namespace {

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

int CountPostScriptPages(const std::string& ps)
{
    int n = 0;
    for (std::size_t pos = ps.find("%%Page: "); pos != std::string::npos; pos = ps.find("%%Page: ", pos + 1)) ++n;
    return n;
}

std::vector<std::string> NumberedLines(int n)
{
    std::vector<std::string> lines;
    for (int i = 1; i <= n; ++i) lines.push_back("line " + std::to_string(i));
    return lines;
}

// A 32-bit white bitmap the size of a page scaled by 1/scale, with page 0 played into it.
struct PageBitmap {
    int width = 0, height = 0;
    std::vector<DWORD> pixels;  // top-down
    bool Ink(int x, int y) const
    {
        DWORD p = pixels[static_cast<std::size_t>(y) * width + x];
        int sum = (p & 0xFF) + ((p >> 8) & 0xFF) + ((p >> 16) & 0xFF);
        return sum < 600;
    }
};

bool PlayToBitmap(const TMetafile& meta, int scale, PageBitmap& out)
{
    out.width = meta.Width() / scale;
    out.height = meta.Height() / scale;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = out.width;
    bi.bmiHeader.biHeight = -out.height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bmp = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!dc || !bmp) return false;
    HGDIOBJ old = SelectObject(dc, bmp);
    RECT r{0, 0, out.width, out.height};
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    bool ok = meta.Draw(dc, r);
    GdiFlush();
    out.pixels.assign(static_cast<DWORD*>(bits), static_cast<DWORD*>(bits) + out.width * out.height);
    SelectObject(dc, old);
    DeleteObject(bmp);
    DeleteDC(dc);
    return ok;
}

bool WriteBmp(const std::string& path, const PageBitmap& bmp)
{
    const int rowBytes = (bmp.width * 3 + 3) & ~3;
    BITMAPFILEHEADER fh{};
    BITMAPINFOHEADER ih{};
    ih.biSize = sizeof ih;
    ih.biWidth = bmp.width;
    ih.biHeight = bmp.height;  // bottom-up
    ih.biPlanes = 1;
    ih.biBitCount = 24;
    ih.biSizeImage = static_cast<DWORD>(rowBytes * bmp.height);
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof ih;
    fh.bfSize = fh.bfOffBits + ih.biSizeImage;
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&fh), sizeof fh);
    out.write(reinterpret_cast<const char*>(&ih), sizeof ih);
    std::vector<char> row(static_cast<std::size_t>(rowBytes), 0);
    for (int y = bmp.height - 1; y >= 0; --y) {
        for (int x = 0; x < bmp.width; ++x) {
            DWORD p = bmp.pixels[static_cast<std::size_t>(y) * bmp.width + x];
            row[3 * x] = static_cast<char>(p & 0xFF);
            row[3 * x + 1] = static_cast<char>((p >> 8) & 0xFF);
            row[3 * x + 2] = static_cast<char>((p >> 16) & 0xFF);
        }
        out.write(row.data(), rowBytes);
    }
    return static_cast<bool>(out);
}

void SetUpAsMainWindowDoes(TStringsPrinter& sp)
{
    sp.SetFirstLineNumber(1);
    sp.SetFirstPageNumber(1);
    sp.SetLastLine(999999);
    sp.SetStartLine(1);
    sp.SetStartPage(1);
    TFont font;
    font.SetName("ＭＳ ゴシック");
    font.SetSize(10);
    font.SetCharset(SHIFTJIS_CHARSET);
    sp.SetFont(&font);
}

// Runs first: the printer is removed, so nothing is installed.
TEST(PrintingNoPrinter, PaperInfoFallsBackAndLayoutStillWorks)
{
    ASSERT_TRUE(testing::RemoveTestPrinter());
    TPrinter printer;
    if (!printer.Printers().empty()) GTEST_SKIP() << "another printer is installed";
    EXPECT_EQ(printer.PrinterIndex(), -1);
    EXPECT_EQ(printer.Handle(), nullptr);
    TStringsPrinterInfo info(printer);
    EXPECT_EQ(info.PrinterName(), "\x95\x73\x96\xBE");  // 不明
    EXPECT_EQ(info.CurrentPaperId(), 9);
    EXPECT_EQ(info.PaperSizeMm(), (TPaperSize{210, 297}));

    TStringsPrinter sp(&printer);
    SetUpAsMainWindowDoes(sp);
    std::vector<std::string> messages;
    sp.OnMessage = [&](const std::string& m) { messages.push_back(m); };
    EXPECT_DOUBLE_EQ(sp.ScreenToPrinterRatio(), 1.0);
    TMetaFileList pages;
    ASSERT_TRUE(sp.RenderDocument(NumberedLines(200), pages, kCaptionPreviewing));
    EXPECT_GT(pages.Count(), 1);
    // A4 at the screen's resolution.
    EXPECT_EQ(pages.Items(0).Width(), sp.MmToDevice(210));
    EXPECT_EQ(pages.Items(0).Height(), sp.MmToDevice(297));
    EXPECT_TRUE(messages.empty());
    // Printing reports the failure instead of claiming success.
    EXPECT_FALSE(sp.PrintStrings(NumberedLines(3)));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], kMsgPrintFailed);
    EXPECT_FALSE(printer.Printing());
}

class PrintingWithPrinter : public ::testing::Test {
protected:
    void SetUp() override
    {
        output_ = "printing_test_output.ps";
        std::string host = testing::HostPathOf(output_);
        ASSERT_FALSE(host.empty());
        std::string error;
        ASSERT_TRUE(testing::AddTestPrinter(host, &error)) << error;
        DeleteFileA(output_.c_str());
        printer_ = std::make_unique<TPrinter>();
        ASSERT_FALSE(printer_->Printers().empty());
        bool found = false;
        for (std::size_t i = 0; i < printer_->Printers().size(); ++i) {
            if (printer_->Printers()[i] == testing::kTestPrinterName) {
                printer_->SetPrinterIndex(static_cast<int>(i));
                found = true;
            }
        }
        ASSERT_TRUE(found);
        sp_ = std::make_unique<TStringsPrinter>(printer_.get());
        SetUpAsMainWindowDoes(*sp_);
        sp_->OnMessage = [this](const std::string& m) { messages_.push_back(m); };
    }

    // The spooler writes the file when the job ends; give it a moment.
    std::string Output(int tries = 50)
    {
        for (int i = 0; i < tries; ++i) {
            std::string s = ReadFile(output_);
            if (s.find("%%EOF") != std::string::npos) return s;
            Sleep(100);
        }
        return ReadFile(output_);
    }

    // Lines that fill exactly n pages at the current settings.
    std::vector<std::string> Pages(int n)
    {
        TMetaFileList probe;
        EXPECT_TRUE(sp_->RenderDocument({"x"}, probe, kCaptionPrinting));
        const auto& s = sp_->LayoutSettings();
        const int perPage = (s.Body.Height() - s.Metrics.LineHeight) / (s.Metrics.LineHeight + s.RowGap) + 1;
        return NumberedLines(perPage * n);
    }

    std::string output_;
    std::unique_ptr<TPrinter> printer_;
    std::unique_ptr<TStringsPrinter> sp_;
    std::vector<std::string> messages_;
};

TEST_F(PrintingWithPrinter, PageRangeTwoToFourPrintsThreePages)
{
    auto lines = Pages(5);
    sp_->SetHeader("%p/%P");
    sp_->SetHeaderAlign(haCenter);
    // Header rows shorten the page: fill five pages again.
    TMetaFileList pages;
    ASSERT_TRUE(sp_->RenderDocument(lines, pages, kCaptionPrinting));
    while (pages.Count() > 5) {
        lines.pop_back();
        ASSERT_TRUE(sp_->RenderDocument(lines, pages, kCaptionPrinting));
    }
    ASSERT_EQ(pages.Count(), 5);
    EXPECT_EQ(sp_->LastPageNumber(), 5);

    sp_->SetRangeOption(roLimited);
    sp_->SetStartPage(2);
    sp_->SetLastPage(4);
    ASSERT_TRUE(sp_->PrintStrings(lines));
    EXPECT_TRUE(messages_.empty());
    const std::string ps = Output();
    EXPECT_EQ(CountPostScriptPages(ps), 3) << ps.size() << " bytes of output";
    // The range's first page carries the first page number; %P counts on to the document's end.
    EXPECT_EQ(sp_->LaidOutPages()[1].Items[0].Text, "1/4");
}

TEST_F(PrintingWithPrinter, OddPagesLeaveNoBlankPageAtTheEnd)
{
    auto lines = Pages(4);
    sp_->SetPageOption(poOdd);
    ASSERT_TRUE(sp_->PrintStrings(lines));
    ASSERT_EQ(sp_->LaidOutPages().size(), 4u);
    EXPECT_EQ(CountPostScriptPages(Output()), 2);
}

TEST_F(PrintingWithPrinter, WrongRangeAndRefusedLayoutPrintNothing)
{
    sp_->SetRangeOption(roLimited);
    sp_->SetStartPage(9);
    EXPECT_FALSE(sp_->PrintStrings(NumberedLines(10)));
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0], kMsgPageRangeWrong);
    EXPECT_EQ(GetFileAttributesA(output_.c_str()), INVALID_FILE_ATTRIBUTES);

    sp_->SetRangeOption(roWhole);
    sp_->SetColumnCount(3);
    sp_->SetMarginLeft(100);
    sp_->SetMarginRight(100);
    EXPECT_FALSE(sp_->PrintStrings(NumberedLines(10)));
    ASSERT_EQ(messages_.size(), 2u);
    EXPECT_EQ(messages_[1], kMsgColumnTooNarrow);

    sp_->SetColumnCount(1);
    sp_->SetMarginLeft(0);
    sp_->SetMarginRight(0);
    sp_->SetMarginTop(100);
    sp_->SetMarginBottom(100);
    sp_->SetHeader("h");
    sp_->SetHeaderAlign(haLeft);
    sp_->SetFooter("f");
    sp_->SetFooterAlign(haLeft);
    TFont big = sp_->Font();
    big.SetSize(72);
    sp_->SetFont(&big);
    EXPECT_FALSE(sp_->PrintStrings(NumberedLines(10)));
    ASSERT_EQ(messages_.size(), 3u);
    EXPECT_EQ(messages_[2], kMsgBodyTooShort);

    // Too large a text is refused before any layout.
    std::vector<std::string> huge(1, std::string(kMaxPrintBytes, 'a'));
    EXPECT_FALSE(sp_->PrintStrings(huge));
    ASSERT_EQ(messages_.size(), 4u);
    EXPECT_EQ(messages_[3], kMsgPrintTooLarge);
    EXPECT_FALSE(sp_->PreviewStrings(huge, true));
    ASSERT_EQ(messages_.size(), 5u);
    EXPECT_EQ(messages_[4], kMsgPrintTooLarge);
    EXPECT_EQ(GetFileAttributesA(output_.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(PrintingWithPrinter, PaperInformationFromTheDriver)
{
    TStringsPrinterInfo& info = sp_->Info();
    EXPECT_EQ(info.PrinterName(), testing::kTestPrinterName);
    EXPECT_TRUE(info.Papers().Count() == 0);  // loaded by the first size query
    EXPECT_EQ(info.CurrentPaperId(), DMPAPER_LETTER);  // the PPD's default
    EXPECT_EQ(info.PaperSizeMm(), (TPaperSize{216, 279}));
    ASSERT_GT(info.Papers().Count(), 0);
    bool a4 = false;
    for (int i = 0; i < info.Papers().Count(); ++i) {
        const TPaperItem& p = info.Papers().Items(i);
        EXPECT_LE(p.Name.size(), static_cast<std::size_t>(kPaperNameField));
        if (p.PaperId == 9) {
            a4 = true;
            EXPECT_EQ(p.Width, 210);
            EXPECT_EQ(p.Height, 297);
        }
    }
    EXPECT_TRUE(a4);

    // Switch the paper to A4 through the settings: the page follows.
    std::string device, port;
    DEVMODEA* dm = nullptr;
    ASSERT_TRUE(printer_->GetPrinter(device, port, dm));
    ASSERT_NE(dm, nullptr);
    dm->dmFields |= DM_PAPERSIZE;
    dm->dmPaperSize = DMPAPER_A4;
    printer_->DevModeChanged();
    EXPECT_EQ(info.CurrentPaperId(), 9);
    EXPECT_EQ(info.PaperSizeMm(), (TPaperSize{210, 297}));
    const int dpi = printer_->XDpi();
    ASSERT_GT(dpi, 0);
    EXPECT_NEAR(printer_->PageWidth(), MmToDevice(210, dpi), MmToDevice(10, dpi));
    const TPrintOffsets portrait = sp_->PrinterOffsets();

    printer_->SetOrientation(poLandscape);
    EXPECT_EQ(printer_->Orientation(), poLandscape);
    EXPECT_GT(printer_->PageWidth(), printer_->PageHeight());
    const TPrintOffsets landscape = sp_->PrinterOffsets();
    EXPECT_EQ(landscape.Left, portrait.Top);
    EXPECT_EQ(landscape.Top, portrait.Left);
    EXPECT_DOUBLE_EQ(sp_->ScreenToPrinterRatio(), 96.0 / dpi);
}

// Page 1 played into a bitmap: ink in the header and footer bands and in the
// rows, none anywhere else.
TEST_F(PrintingWithPrinter, RenderedPageHasInkOnlyWhereTheLayoutPutText)
{
    sp_->SetHeader("%F  %p / %P");
    sp_->SetHeaderAlign(haCenter);
    sp_->SetFooter("%y-%m-%d %t");
    sp_->SetFooterAlign(haRight);
    sp_->SetFileName("C:\\docs\\\x95\x5C.txt");
    sp_->SetLineNumber(true);
    sp_->SetColumnCount(2);
    sp_->SetMarginLeft(15);
    sp_->SetMarginRight(15);
    sp_->SetMarginTop(15);
    sp_->SetMarginBottom(15);
    std::vector<std::string> lines;
    for (int i = 1; i <= 150; ++i) {
        std::string l = "\x93\xFA\x96\x7B\x8C\xEA " + std::to_string(i) + " text";  // 日本語
        if (i % 9 == 0) l += std::string(40, ' ') + std::string(120, 'w');
        lines.push_back(l);
    }
    TMetaFileList pages;
    ASSERT_TRUE(sp_->RenderDocument(lines, pages, kCaptionPreviewing));
    ASSERT_GE(pages.Count(), 1);
    EXPECT_EQ(pages.Count(), static_cast<int>(sp_->LaidOutPages().size()));
    EXPECT_EQ(sp_->LastPageNumber(), pages.Count());
    // Header and footer texts as the macros gave them.
    SYSTEMTIME now;
    GetLocalTime(&now);
    const auto& items = sp_->LaidOutPages()[0].Items;
    EXPECT_EQ(items.front().Text, "\x95\x5C.txt  1 / " + std::to_string(pages.Count()));
    EXPECT_EQ(items.back().Text.rfind(std::to_string(now.wYear) + "-" + std::to_string(now.wMonth) + "-", 0), 0u)
        << items.back().Text;
    EXPECT_NE(items.back().Text.find(':'), std::string::npos);  // the time

    constexpr int kScale = 2;
    PageBitmap bmp;
    ASSERT_TRUE(PlayToBitmap(pages.Items(0), kScale, bmp));
    const int lineH = sp_->LayoutSettings().Metrics.LineHeight;
    std::vector<RECT> allowed;
    RECT header{}, footer{};
    for (const auto& item : sp_->LaidOutPages()[0].Items) {
        RECT r{item.Rect.Left, item.Rect.Top, item.Rect.Right, item.Rect.Bottom};
        if (item.Kind == TPrintItemKind::Header) header = r;
        else if (item.Kind == TPrintItemKind::Footer) footer = r;
        else r.bottom = r.top + lineH;
        allowed.push_back(r);
    }
    int headerInk = 0, footerInk = 0, stray = 0, total = 0;
    const int tol = 2;
    for (int y = 0; y < bmp.height; ++y) {
        for (int x = 0; x < bmp.width; ++x) {
            if (!bmp.Ink(x, y)) continue;
            ++total;
            const int px = x * kScale, py = y * kScale;
            auto inside = [&](const RECT& r) {
                return px >= r.left - tol * kScale && px < r.right + tol * kScale && py >= r.top - tol * kScale &&
                       py < r.bottom + tol * kScale;
            };
            if (inside(header)) ++headerInk;
            if (inside(footer)) ++footerInk;
            bool ok = false;
            for (const auto& r : allowed) ok = ok || inside(r);
            if (!ok) ++stray;
        }
    }
    EXPECT_GT(headerInk, 20);
    EXPECT_GT(footerInk, 20);
    EXPECT_GT(total, headerInk + footerInk);
    EXPECT_EQ(stray, 0);
    // The page where anyone can look at it.
    const std::string picture = testpictures::BesideTestProgram("printed_page1.bmp");
    ASSERT_TRUE(WriteBmp(picture, bmp));
    std::printf("first page written to %s (%d x %d)\n", picture.c_str(), bmp.width, bmp.height);
}

class RecordingSink : public TPrintPreviewSink {
public:
    void ShowPrintPreview(TStringsPrinter&, TMetaFileList& pages, bool allowPrint) override
    {
        count = pages.Count();
        allow = allowPrint;
        for (int i = 0; i < pages.Count(); ++i) nonEmpty += !pages.Items(i).Empty();
    }
    int count = -1, nonEmpty = 0;
    bool allow = false;
};

TEST_F(PrintingWithPrinter, PreviewHandsEveryPageToTheSink)
{
    EXPECT_FALSE(sp_->PreviewStrings(NumberedLines(3), true));  // nowhere to show it
    RecordingSink sink;
    sp_->PreviewSink = &sink;
    ASSERT_TRUE(sp_->PreviewStrings(NumberedLines(12000), true));
    EXPECT_GT(sink.count, 100);
    EXPECT_EQ(sink.nonEmpty, sink.count);
    EXPECT_TRUE(sink.allow);
    EXPECT_EQ(GetFileAttributesA(output_.c_str()), INVALID_FILE_ATTRIBUTES);  // nothing printed
}

TEST_F(PrintingWithPrinter, FailureWhileDrawingAbortsTheJob)
{
    TMetaFileList pages;
    ASSERT_TRUE(sp_->RenderDocument(NumberedLines(5), pages, kCaptionPrinting));
    pages.Add();  // a page that was never recorded cannot be drawn
    EXPECT_FALSE(sp_->PrintPages(pages));
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0], kMsgPrintFailed);
    EXPECT_TRUE(printer_->Aborted());
    EXPECT_FALSE(printer_->Printing());
    EXPECT_EQ(CountPostScriptPages(Output(5)), 0);
    // The printer object is usable again afterwards.
    pages.Clear();
    ASSERT_TRUE(sp_->RenderDocument(NumberedLines(5), pages, kCaptionPrinting));
    EXPECT_TRUE(sp_->PrintPages(pages));
    EXPECT_FALSE(printer_->Aborted());
    EXPECT_EQ(CountPostScriptPages(Output()), 1);
}

// Forwards to the real progress window and presses its cancel button (a
// posted click, or Esc to the focused control) before update number pressAt.
class PressingProgress : public TPrintProgress {
public:
    PressingProgress(std::unique_ptr<TFormStrProgress> real, int pressAt, bool escape)
        : real_(std::move(real)), pressAt_(pressAt), escape_(escape)
    {
    }
    bool Update(const std::string& caption, int total, int done) override
    {
        if (static_cast<int>(results.size()) == pressAt_) {
            barAtPress = real_->ProgressBar1.Position();
            focusOnButton = GetFocus() == real_->Button1.Handle();
            if (escape_) {
                PostMessageA(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 1);
            } else {
                PostMessageA(real_->Button1.Handle(), BM_CLICK, 0, 0);
            }
        }
        const bool ok = real_->Update(caption, total, done);
        results.push_back(ok);
        return ok;
    }
    std::vector<bool> results;
    int barAtPress = -1;
    bool focusOnButton = false;

private:
    std::unique_ptr<TFormStrProgress> real_;
    int pressAt_;
    bool escape_;
};

TEST_F(PrintingWithPrinter, CancelOnTheProgressWindowStopsTheJob)
{
    HWND doc = CreateWindowA("STATIC", "doc", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(doc, nullptr);
    // More than 64,000 bytes: the progress window comes up.
    const std::vector<std::string> lines(2000, std::string(40, 'a'));
    for (bool escape : {false, true}) {
        SCOPED_TRACE(escape ? "Esc" : "click");
        SetActiveWindow(doc);
        ASSERT_EQ(GetActiveWindow(), doc);
        PressingProgress* pressing = nullptr;
        sp_->CreateProgress = [&](const std::string& caption) -> std::unique_ptr<TPrintProgress> {
            auto p = std::make_unique<PressingProgress>(ShowPrintProgress(*sp_, caption), 300, escape);
            pressing = p.get();
            return p;
        };
        bool docDisabled = false, busy = false;
        sp_->ExpandTabs = [&](const std::string& s) {
            docDisabled = docDisabled || !IsWindowEnabled(doc);
            busy = busy || sp_->Busy();
            return s;
        };
        DeleteFileA(output_.c_str());
        EXPECT_FALSE(sp_->PrintStrings(lines));
        ASSERT_NE(pressing, nullptr);
        // The press took effect in the update that follows it, and the pass
        // asked nothing more of the window.
        ASSERT_EQ(pressing->results.size(), 301u);
        EXPECT_EQ(std::count(pressing->results.begin(), pressing->results.end(), true), 300);
        EXPECT_FALSE(pressing->results.back());
        EXPECT_EQ(pressing->barAtPress, PrintProgressPercent(1999, 299));
        EXPECT_TRUE(pressing->focusOnButton);
        EXPECT_TRUE(docDisabled);
        EXPECT_TRUE(busy);
        EXPECT_FALSE(sp_->Busy());
        // No pages, no job, no message; the document window is back.
        EXPECT_TRUE(sp_->LaidOutPages().empty());
        EXPECT_TRUE(messages_.empty());
        EXPECT_FALSE(printer_->Printing());
        EXPECT_EQ(GetFileAttributesA(output_.c_str()), INVALID_FILE_ATTRIBUTES);
        EXPECT_EQ(FindWindowA("TFormStrProgress", nullptr), nullptr);
        EXPECT_TRUE(IsWindowEnabled(doc));
        EXPECT_EQ(GetActiveWindow(), doc);
        EXPECT_EQ(Screen().Cursor(), crDefault);
    }
    DestroyWindow(doc);
}

TEST_F(PrintingWithPrinter, LongTextsGetTheProgressWindowShortOnesTheHourglass)
{
    RecordingSink sink;
    sp_->PreviewSink = &sink;
    std::vector<TCursor> cursors;
    sp_->ExpandTabs = [&](const std::string& s) {
        cursors.push_back(Screen().Cursor());
        return s;
    };
    // The component's own window by default.
    auto makeDefault = sp_->CreateProgress;
    ASSERT_TRUE(makeDefault);
    std::vector<std::string> captions;
    TFormStrProgress* window = nullptr;
    int lastBar = -1;
    class Watching : public TPrintProgress {
    public:
        Watching(std::unique_ptr<TPrintProgress> p, TFormStrProgress*& w, int& bar)
            : p_(std::move(p)), w_(w), bar_(bar)
        {
            w_ = dynamic_cast<TFormStrProgress*>(p_.get());
        }
        bool Update(const std::string& c, int t, int d) override
        {
            bool ok = p_->Update(c, t, d);
            if (w_) bar_ = static_cast<int>(SendMessageA(w_->ProgressBar1.Handle(), PBM_GETPOS, 0, 0));
            return ok;
        }

    private:
        std::unique_ptr<TPrintProgress> p_;
        TFormStrProgress*& w_;
        int& bar_;
    };
    sp_->CreateProgress = [&](const std::string& caption) -> std::unique_ptr<TPrintProgress> {
        captions.push_back(caption);
        return std::make_unique<Watching>(makeDefault(caption), window, lastBar);
    };

    ASSERT_TRUE(sp_->PreviewStrings(NumberedLines(100), false));
    EXPECT_TRUE(captions.empty());
    ASSERT_FALSE(cursors.empty());
    EXPECT_EQ(cursors.front(), crHourGlass);
    EXPECT_EQ(Screen().Cursor(), crDefault);

    cursors.clear();
    const std::vector<std::string> lines(1700, std::string(40, 'b'));  // 71,400 bytes
    ASSERT_TRUE(sp_->PreviewStrings(lines, false));
    ASSERT_EQ(captions.size(), 1u);
    EXPECT_EQ(captions[0], kCaptionPreviewing);
    EXPECT_NE(window, nullptr);
    EXPECT_EQ(lastBar, 100);
    EXPECT_EQ(cursors.front(), crDefault);
    EXPECT_EQ(sink.count, static_cast<int>(sp_->LaidOutPages().size()));
    EXPECT_EQ(FindWindowA("TFormStrProgress", nullptr), nullptr);
}

} // namespace
} // namespace vellumo
