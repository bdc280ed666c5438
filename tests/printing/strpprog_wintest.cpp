#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "classlib/printer_win.h"
#include "base/showmsg.h"
#include "printing/strpprog_win.h"
#include "support/windowpicture_win.h"

namespace vellumo {
namespace {

// A message box nobody scripted fails the test instead of waiting.
const bool kNoUnscriptedBoxes = (SetMsgSink([](const std::string& text, const std::string&, unsigned) {
                                     ADD_FAILURE() << "unexpected message box: " << text;
                                     return IDCANCEL;
                                 }),
                                 TForm::SetRefuseUnscriptedModal(true), true);

const char kCancelText[] = "\x83\x4C\x83\x83\x83\x93\x83\x5A\x83\x8B";  // キャンセル
const char kPrintingText[] = "\x88\xF3\x8D\xFC\x92\x86...";             // 印刷中...

void PostKey(HWND target, unsigned key)
{
    PostMessageA(target, WM_KEYDOWN, key, 1);
    PostMessageA(target, WM_KEYUP, key, 0xC0000001);
}

std::string TextOf(HWND h)
{
    char buf[256] = {};
    GetWindowTextA(h, buf, sizeof buf);
    return buf;
}

// A visible top-level window standing in for the main window.
class TMainStandIn {
public:
    TMainStandIn(int x, int y, int w, int h)
    {
        wnd_ = CreateWindowA("STATIC", "main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, x, y, w, h, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
        SetMainWindow(wnd_);
    }
    ~TMainStandIn()
    {
        SetMainWindow(nullptr);
        DestroyWindow(wnd_);
    }
    HWND Handle() const { return wnd_; }

private:
    HWND wnd_;
};

// Copies a window as the screen shows it into a 24-bit BMP file.
bool WriteWindowBmp(HWND h, const char* path)
{
    RECT r;
    if (!GetWindowRect(h, &r)) return false;
    const int w = r.right - r.left, ht = r.bottom - r.top;
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = ht;  // bottom-up, as the file keeps it
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(mem, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool ok = bmp != nullptr;
    if (ok) {
        HGDIOBJ old = SelectObject(mem, bmp);
        ok = BitBlt(mem, 0, 0, w, ht, screen, r.left, r.top, SRCCOPY) != FALSE;
        GdiFlush();
        const DWORD size = static_cast<DWORD>(((w * 3 + 3) & ~3) * ht);
        BITMAPFILEHEADER fh{};
        fh.bfType = 0x4D42;
        fh.bfOffBits = sizeof fh + sizeof(BITMAPINFOHEADER);
        fh.bfSize = fh.bfOffBits + size;
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(&fh), sizeof fh);
        out.write(reinterpret_cast<const char*>(&bi.bmiHeader), sizeof(BITMAPINFOHEADER));
        out.write(static_cast<const char*>(bits), size);
        ok = ok && static_cast<bool>(out);
        SelectObject(mem, old);
        DeleteObject(bmp);
    }
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return ok;
}

class ProgressWindow : public ::testing::Test {
protected:
    TPrinter printer_;
    TStringsPrinter owner_{&printer_};
};

TEST_F(ProgressWindow, ShowsItsCaptionBarAndCancelButton)
{
    auto form = ShowPrintProgress(owner_, kPrintingText);
    HWND h = form->Handle();
    EXPECT_TRUE(IsWindowVisible(h));
    EXPECT_EQ(FindWindowA("TFormStrProgress", nullptr), h);  // the class name the later checks look for
    EXPECT_EQ(TextOf(h), "Vellumo");
    EXPECT_EQ(TextOf(form->Label1.Handle()), kPrintingText);
    EXPECT_EQ(TextOf(form->Button1.Handle()), kCancelText);
    EXPECT_EQ(SendMessageA(form->ProgressBar1.Handle(), PBM_GETPOS, 0, 0), 0);
    EXPECT_EQ(SendMessageA(form->ProgressBar1.Handle(), PBM_GETRANGE, FALSE, 0), 100);
    // A dialog frame without border icons.
    const LONG style = GetWindowLongA(h, GWL_STYLE);
    EXPECT_TRUE(style & WS_CAPTION);
    EXPECT_FALSE(style & (WS_SYSMENU | WS_THICKFRAME | WS_MAXIMIZEBOX | WS_MINIMIZEBOX));
    EXPECT_TRUE(GetWindowLongA(h, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);
    // Printing from the command line: no main window, so the screen's centre.
    RECT r;
    GetWindowRect(h, &r);
    EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2);
    EXPECT_EQ(r.top, (GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2);
    EXPECT_EQ(GetFocus(), form->Button1.Handle());

    // The bar shows the rounded percent (exhaustively checked with the layout).
    struct TCase {
        int total, done, bar;
    };
    const TCase cases[] = {{200, 50, 25}, {0, 0, 100}, {200, 5, 2}, {10, 20, 100}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.total) + " " + std::to_string(c.done));
        const std::string caption = "step " + std::to_string(c.done);
        EXPECT_TRUE(form->Update(caption, c.total, c.done));
        EXPECT_EQ(SendMessageA(form->ProgressBar1.Handle(), PBM_GETPOS, 0, 0), c.bar);
        EXPECT_EQ(TextOf(form->Label1.Handle()), caption);
    }
    EXPECT_FALSE(form->Cancelled());
    // A picture of the window half way, for anyone who wants to look.
    form->UpdatePrintProgress(kPrintingText, 2, 1);
    UpdateWindow(form->Handle());
    EXPECT_TRUE(WriteWindowBmp(form->Handle(), testpictures::BesideTestProgram("progress_window.bmp").c_str()));
}

TEST_F(ProgressWindow, EscOrAClickOnCancelTakesEffectInTheNextUpdate)
{
    {
        auto form = ShowPrintProgress(owner_, kPrintingText);
        EXPECT_TRUE(form->Update(kPrintingText, 10, 1));
        ASSERT_EQ(GetFocus(), form->Button1.Handle());
        PostKey(GetFocus(), VK_ESCAPE);
        EXPECT_FALSE(form->Cancelled());  // nothing happens before messages run
        EXPECT_FALSE(form->Update(kPrintingText, 10, 2));
        EXPECT_TRUE(form->Cancelled());
        EXPECT_FALSE(form->Update(kPrintingText, 10, 3));  // stays cancelled
    }
    EXPECT_EQ(FindWindowA("TFormStrProgress", nullptr), nullptr);  // freed with its owner
    auto form = ShowPrintProgress(owner_, kPrintingText);
    EXPECT_TRUE(form->Update(kPrintingText, 10, 1));
    PostMessageA(form->Button1.Handle(), BM_CLICK, 0, 0);
    EXPECT_FALSE(form->Update(kPrintingText, 10, 2));
}

TEST_F(ProgressWindow, StandsBesideTheMainWindowInsideTheWorkArea)
{
    {
        TMainStandIn main(100, 80, 500, 400);
        auto form = ShowPrintProgress(owner_, kPrintingText);
        RECT r;
        GetWindowRect(form->Handle(), &r);
        EXPECT_EQ(r.left, 116);
        EXPECT_EQ(r.top, 96);
        EXPECT_EQ(GetWindow(form->Handle(), GW_OWNER), main.Handle());
    }
    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    TMainStandIn main(work.right - 60, work.bottom - 40, 300, 200);
    auto form = ShowPrintProgress(owner_, kPrintingText);
    RECT r;
    GetWindowRect(form->Handle(), &r);
    EXPECT_EQ(r.right, work.right);
    EXPECT_EQ(r.bottom, work.bottom);
}

} // namespace
} // namespace vellumo
