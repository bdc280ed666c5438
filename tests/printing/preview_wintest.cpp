// The preview window on pages the component rendered: zoom modes, pages by
// keys and mouse, the print request, hints, and pictures of each mode
// (build/win/preview-*.bmp).
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "classlib/application_win.h"
#include "classlib/printer_win.h"
#include "printing/preview_win.h"
#include "support/modalscript_win.h"
#include "support/testprinter.h"
#include "support/windowpicture_win.h"

namespace vellumo {
namespace {

std::string BuildFolder()
{
    char exe[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string p = exe;
    for (int up = 0; up < 3; ++up) p = p.substr(0, p.find_last_of('\\'));
    return p;
}

std::vector<std::string> Lines(int n)
{
    std::vector<std::string> lines;
    for (int i = 1; i <= n; ++i) lines.push_back("\x93\xFA\x96\x7B\x8C\xEA line " + std::to_string(i));  // 日本語
    return lines;
}

void Key(TFormStrPreview& f, unsigned key, bool ctrl = false)
{
    HWND to = GetFocus() ? GetFocus() : f.Handle();
    if (ctrl) {
        BYTE state[256];
        GetKeyboardState(state);
        state[VK_CONTROL] = 0x80;
        SetKeyboardState(state);
    }
    PostMessageA(to, WM_KEYDOWN, key, 1);
    PostMessageA(to, WM_KEYUP, key, 0xC0000001);
    ProcessMessages();
    if (ctrl) {
        BYTE state[256];
        GetKeyboardState(state);
        state[VK_CONTROL] = 0;
        SetKeyboardState(state);
    }
}

// A left click at the middle of the page image.
void ClickImage(TFormStrPreview& f)
{
    const RECT r = f.ScrollBox1.ImageRect();
    const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    SendMessageA(f.ScrollBox1.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(f.ScrollBox1.Handle(), WM_LBUTTONUP, 0, at);
}

std::string PanelText(TFormStrPreview& f, int panel) { return f.StatusBar1.Panels(panel).Text(); }

class PreviewWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string error;
        ASSERT_TRUE(testing::AddTestPrinter(testing::HostPathOf("preview_test.ps"), &error)) << error;
        printer_.Refresh();
        for (std::size_t i = 0; i < printer_.Printers().size(); ++i)
            if (printer_.Printers()[i] == testing::kTestPrinterName) printer_.SetPrinterIndex(static_cast<int>(i));
        sp_.SetFirstPageNumber(1);
        sp_.SetStartPage(1);
        sp_.SetMarginLeft(20);
        sp_.SetMarginTop(20);
        TFont font;
        font.SetName("\x82\x6C\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4E");  // ＭＳ ゴシック
        font.SetSize(20);
        sp_.SetFont(&font);
        main_ = CreateWindowA("STATIC", "main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 720, 640, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
        SetMainWindow(main_);
    }
    void TearDown() override
    {
        SetMainWindow(nullptr);
        DestroyWindow(main_);
    }
    void Render(int lines)
    {
        ASSERT_TRUE(sp_.RenderDocument(Lines(lines), pages_, kCaptionPreviewing));
    }

    TPrinter printer_;
    TStringsPrinter sp_{&printer_};
    TMetaFileList pages_;
    HWND main_ = nullptr;
};

TEST_F(PreviewWindow, OpensOnPageOneAsAWholePageOverTheMainWindow)
{
    Render(100);
    ASSERT_GE(pages_.Count(), 2);
    bool seen = false;
    testing::TScript script([&](TForm& form) {
        auto& f = dynamic_cast<TFormStrPreview&>(form);
        seen = true;
        EXPECT_EQ(f.Caption(), kPreviewCaption);
        RECT r, main;
        GetWindowRect(f.Handle(), &r);
        GetWindowRect(main_, &main);
        EXPECT_TRUE(EqualRect(&r, &main));
        EXPECT_EQ(f.PageIndex(), 0);
        EXPECT_EQ(f.Zoom(), pzWholePage);
        EXPECT_FALSE(f.btPageAll.Enabled());
        EXPECT_TRUE(f.btPageWidth.Enabled());
        EXPECT_FALSE(f.btTop.Enabled());
        EXPECT_FALSE(f.btBack.Enabled());
        EXPECT_TRUE(f.btNext.Enabled());
        EXPECT_EQ(PanelText(f, 1), "  1/  " + std::to_string(pages_.Count()));
        // The whole page stands in the box, centred across, white with ink on it.
        const RECT image = f.ScrollBox1.ImageRect();
        RECT box;
        GetClientRect(f.ScrollBox1.Handle(), &box);
        EXPECT_EQ(image.bottom - image.top, f.ScrollBox1.Height() - 4 - GetSystemMetrics(SM_CYHSCROLL));
        EXPECT_NEAR(image.left, box.right - image.right, 1);
        TBitmap& pic = f.ScrollBox1.Picture();
        GdiFlush();
        int ink = 0;
        for (int y = 0; y < pic.Height(); ++y)
            for (int x = 0; x < pic.Width(); ++x) ink += (pic.ScanLine(y)[x] & 0xFFFFFF) != 0xFFFFFF;
        EXPECT_GT(ink, 0);
        EXPECT_EQ(pic.ScanLine(0)[0] & 0xFFFFFF, 0xFFFFFFu);  // the margin
        // Every caption fits its button, and the row fits a window of 520 pixels.
        for (int b = 0; b < kPreviewButtonCount; ++b) {
            TButton& button = f.Button(static_cast<TPreviewButton>(b));
            std::string text;
            for (char c : button.Caption())
                if (c != '&') text += c;
            HDC dc = GetDC(button.Handle());
            HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(button.Handle(), WM_GETFONT, 0, 0)));
            SIZE size{};
            GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size);
            SelectObject(dc, old);
            ReleaseDC(button.Handle(), dc);
            EXPECT_LE(size.cx, button.Width() - 8) << text;
            EXPECT_LE(button.Left() + button.Width(), 512) << text;
        }
        // The hint of the button under the mouse goes to the status bar.
        SendMessageA(f.Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(f.btNext.Handle()),
                     MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        EXPECT_EQ(Application().Hint(), "\x8E\x9F\x82\xCC\x83\x79\x81\x5B\x83\x57\x82\xD6");  // 次のページへ
        EXPECT_EQ(PanelText(f, 0), Application().Hint());
        form.SetModalResult(mrCancel);
    });
    EXPECT_FALSE(ShowPrintPreview(sp_, pages_, true));
    EXPECT_TRUE(seen);
    EXPECT_EQ(Application().Hint(), "");
}

TEST_F(PreviewWindow, PagesByKeysAndButtonsZoomByClicksAndPictures)
{
    Render(150);
    const int count = pages_.Count();
    ASSERT_GE(count, 3);
    testing::TScript script([&](TForm& form) {
        auto& f = dynamic_cast<TFormStrPreview&>(form);
        f.btNext.SetFocus();
        Key(f, VK_NEXT);
        EXPECT_EQ(f.PageIndex(), 1);
        Key(f, VK_END, true);
        EXPECT_EQ(f.PageIndex(), count - 1);
        EXPECT_FALSE(f.btNext.Enabled());
        EXPECT_EQ(GetFocus(), f.btPageWidth.Handle());  // off the disabled button
        Key(f, VK_NEXT);  // nothing after the last page
        EXPECT_EQ(f.PageIndex(), count - 1);
        EXPECT_EQ(PanelText(f, 1), PreviewPageCounter(count - 1, count));
        Key(f, VK_PRIOR);
        EXPECT_EQ(f.PageIndex(), count - 2);
        Key(f, VK_HOME, true);
        EXPECT_EQ(f.PageIndex(), 0);
        SendMessageA(f.btEnd.Handle(), BM_CLICK, 0, 0);
        EXPECT_EQ(f.PageIndex(), count - 1);
        SendMessageA(f.btTop.Handle(), BM_CLICK, 0, 0);
        EXPECT_EQ(f.PageIndex(), 0);

        // A click on the page: whole page -> page width -> 100 % -> whole page.
        const char* names[] = {"preview-wholepage", "preview-pagewidth", "preview-100"};
        const TPreviewZoom modes[] = {pzWholePage, pzPageWidth, pzActualSize};
        for (int m = 0; m < 3; ++m) {
            EXPECT_EQ(f.Zoom(), modes[m]);
            EXPECT_FALSE(f.Button(m == 0 ? bnPageAll : m == 1 ? bnPageWidth : bnPage100).Enabled());
            RedrawWindow(f.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
            ProcessMessages();
            testpictures::TPicture pic;
            const std::string path = BuildFolder() + "\\" + names[m] + ".bmp";
            EXPECT_TRUE(testpictures::SaveWindowPicture(f.Handle(), path, pic)) << path;
            std::printf("picture: %s\n", path.c_str());
            ClickImage(f);
        }
        EXPECT_EQ(f.Zoom(), pzWholePage);
        // 100 % is the paper at the screen's size: larger than the box, so it scrolls.
        SendMessageA(f.btPage100.Handle(), BM_CLICK, 0, 0);
        EXPECT_EQ(f.Image().Width, RoundHalfEven(sp_.ScreenToPrinterRatio() *
                                                 (pages_.Items(0).Width() + sp_.PrinterOffsets().Left +
                                                  sp_.PrinterOffsets().Right)));
        SendMessageA(f.ScrollBox1.Handle(), WM_VSCROLL, SB_PAGEDOWN, 0);
        EXPECT_GT(f.ScrollBox1.ScrollY(), 0);
        Key(f, VK_ESCAPE);
    });
    EXPECT_FALSE(ShowPrintPreview(sp_, pages_, true));
}

TEST_F(PreviewWindow, OnePageTooLittleRoomAndThePrintButton)
{
    Render(3);
    ASSERT_EQ(pages_.Count(), 1);
    int runs = 0;
    testing::TScript script([&](TForm& form) {
        auto& f = dynamic_cast<TFormStrPreview&>(form);
        if (++runs > 1) {
            SendMessageA(f.btPrint.Handle(), BM_CLICK, 0, 0);
            return;
        }
        for (TButton* b : {&f.btTop, &f.btBack, &f.btNext, &f.btEnd}) EXPECT_FALSE(b->Enabled());
        Key(f, VK_NEXT);
        EXPECT_EQ(f.PageIndex(), 0);
        // Too small for a scroll bar: no image until the window grows again.
        SetWindowPos(f.Handle(), nullptr, 0, 0, 300, 60, SWP_NOMOVE | SWP_NOZORDER);
        ProcessMessages();
        EXPECT_TRUE(f.Image().TooSmall);
        EXPECT_TRUE(f.ScrollBox1.Picture().Empty());
        EXPECT_EQ(f.Zoom(), pzWholePage);
        SetWindowPos(f.Handle(), nullptr, 0, 0, 500, 500, SWP_NOMOVE | SWP_NOZORDER);
        ProcessMessages();
        EXPECT_FALSE(f.ScrollBox1.Picture().Empty());
        SendMessageA(f.btPrint.Handle(), BM_CLICK, 0, 0);
        EXPECT_TRUE(f.PrintRequested());
    });
    EXPECT_TRUE(ShowPrintPreview(sp_, pages_, true));
    // From the print dialog's own preview the button only closes.
    EXPECT_FALSE(ShowPrintPreview(sp_, pages_, false));
    TPreviewWindowSink sink;
    sp_.PreviewSink = &sink;
    EXPECT_TRUE(sp_.PreviewStrings(Lines(3), true));
    EXPECT_TRUE(sink.PrintRequested);
}

TEST_F(PreviewWindow, AMaximizedMainWindowGivesAMaximizedPreview)
{
    Render(3);
    ShowWindow(main_, SW_MAXIMIZE);
    testing::TScript script([&](TForm& form) {
        EXPECT_TRUE(IsZoomed(form.Handle()));
        form.SetModalResult(mrCancel);
    });
    ShowPrintPreview(sp_, pages_, false);
}

} // namespace
} // namespace vellumo
