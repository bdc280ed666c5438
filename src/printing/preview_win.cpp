#include "printing/preview_win.h"

#include <algorithm>
#include <array>

#include "classlib/application_win.h"
#include "classlib/hinttext.h"
#include "classlib/screen_win.h"

namespace vellumo {

const char* const kPreviewCaption = "印刷プレビュー";

namespace {

struct TButtonText {
    const char* Caption;
    const char* Hint;
    int Width;
};

// In the order of TPreviewButton.
constexpr TButtonText kButtons[kPreviewButtonCount] = {
    {"印刷(&P)...", "印刷ダイアログを表示", 76},
    {"ページ全体", "ページ全体を表示", 70},
    {"幅を基準", "ページ幅を基準に表示", 62},
    {"100%", "100% で表示", 46},
    {"閉じる(&C)", "印刷プレビューを閉じる", 70},
    {"<<", "先頭のページへ", 26},
    {"<", "前のページへ", 26},
    {">", "次のページへ", 26},
    {">>", "最後のページへ", 26},
};

constexpr int kPanelHeight = 32;
constexpr int kLineStep = 16;  // a scroll bar's arrow

} // namespace

// ---- the scroll box

TPreviewBox::TPreviewBox()
{
    SetColor(clAppWorkSpace);
    SetTabStop(false);
    SetCaptureMouse(false);
}

void TPreviewBox::CreateParams(TCreateParams& p)
{
    TCustomControl::CreateParams(p);
    p.ClassName = "TPreviewBox";
    p.Style |= WS_HSCROLL | WS_VSCROLL;
    p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TPreviewBox::SetImage(int width, int height)
{
    width = std::max(width, 0);
    height = std::max(height, 0);
    picture_.SetSize(width, height);
    if (!picture_.Empty()) picture_.Clear(clWhite);
    scrollX_ = scrollY_ = 0;
    UpdateScrollBars();
    Invalidate();
}

void TPreviewBox::SetImagePos(int left, int top)
{
    imageLeft_ = std::max(left, 0);
    imageTop_ = std::max(top, 0);
    scrollX_ = scrollY_ = 0;
    UpdateScrollBars();
    Invalidate();
}

RECT TPreviewBox::ImageRect() const
{
    if (picture_.Empty()) return RECT{0, 0, 0, 0};
    const int x = imageLeft_ - scrollX_, y = imageTop_ - scrollY_;
    return RECT{x, y, x + picture_.Width(), y + picture_.Height()};
}

void TPreviewBox::UpdateScrollBars()
{
    if (!HandleAllocated() || updatingBars_) return;
    updatingBars_ = true;
    const int contentW = picture_.Empty() ? 0 : imageLeft_ + picture_.Width();
    const int contentH = picture_.Empty() ? 0 : imageTop_ + picture_.Height();
    // The room inside the edges, less the bar that the other direction needs.
    int clientW = Width() - 4, clientH = Height() - 4;
    bool needH = contentW > clientW, needV = contentH > clientH;
    if (needH) clientH -= GetSystemMetrics(SM_CYHSCROLL);
    if (needV) clientW -= GetSystemMetrics(SM_CXVSCROLL);
    if (!needH && contentW > clientW) {
        needH = true;
        clientH -= GetSystemMetrics(SM_CYHSCROLL);
    }
    if (!needV && contentH > clientH) {
        needV = true;
        clientW -= GetSystemMetrics(SM_CXVSCROLL);
    }
    scrollX_ = std::clamp(scrollX_, 0, std::max(contentW - clientW, 0));
    scrollY_ = std::clamp(scrollY_, 0, std::max(contentH - clientH, 0));
    HWND h = Handle();
    ShowScrollBar(h, SB_HORZ, needH);
    ShowScrollBar(h, SB_VERT, needV);
    SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 0, 0, 0, 0};
    if (needH) {
        si.nMax = contentW - 1;
        si.nPage = static_cast<UINT>(std::max(clientW, 0));
        si.nPos = scrollX_;
        SetScrollInfo(h, SB_HORZ, &si, TRUE);
    }
    if (needV) {
        si.nMax = contentH - 1;
        si.nPage = static_cast<UINT>(std::max(clientH, 0));
        si.nPos = scrollY_;
        SetScrollInfo(h, SB_VERT, &si, TRUE);
    }
    updatingBars_ = false;
}

void TPreviewBox::ScrollTo(int x, int y)
{
    if (!HandleAllocated()) return;
    RECT client;
    GetClientRect(Handle(), &client);
    const int contentW = picture_.Empty() ? 0 : imageLeft_ + picture_.Width();
    const int contentH = picture_.Empty() ? 0 : imageTop_ + picture_.Height();
    x = std::clamp(x, 0, std::max(contentW - static_cast<int>(client.right), 0));
    y = std::clamp(y, 0, std::max(contentH - static_cast<int>(client.bottom), 0));
    if (x == scrollX_ && y == scrollY_) return;
    scrollX_ = x;
    scrollY_ = y;
    SetScrollPos(Handle(), SB_HORZ, x, TRUE);
    SetScrollPos(Handle(), SB_VERT, y, TRUE);
    Invalidate();
    Update();
}

void TPreviewBox::Scroll(int bar, int code, int)
{
    SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(Handle(), bar, &si);
    int pos = bar == SB_HORZ ? scrollX_ : scrollY_;
    switch (code) {
    case SB_LINEUP: pos -= kLineStep; break;
    case SB_LINEDOWN: pos += kLineStep; break;
    case SB_PAGEUP: pos -= static_cast<int>(si.nPage); break;
    case SB_PAGEDOWN: pos += static_cast<int>(si.nPage); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: pos = si.nTrackPos; break;  // follows the thumb while it is dragged
    case SB_TOP: pos = 0; break;
    case SB_BOTTOM: pos = si.nMax; break;
    default: return;
    }
    if (bar == SB_HORZ)
        ScrollTo(pos, scrollY_);
    else
        ScrollTo(scrollX_, pos);
}

void TPreviewBox::Paint()
{
    HDC dc = Canvas().Handle();
    const RECT image = ImageRect();
    if (!picture_.Empty()) {
        BitBlt(dc, image.left, image.top, picture_.Width(), picture_.Height(), picture_.Canvas().Handle(), 0, 0,
               SRCCOPY);
        ExcludeClipRect(dc, image.left, image.top, image.right, image.bottom);
    }
    // The background around the page only: no erase, so the page never flickers.
    RECT client;
    GetClientRect(Handle(), &client);
    HBRUSH b = CreateSolidBrush(ColorToRGB(Color()));
    ::FillRect(dc, &client, b);
    DeleteObject(b);
    SelectClipRgn(dc, nullptr);
}

void TPreviewBox::Resize()
{
    TCustomControl::Resize();
    UpdateScrollBars();
}

void TPreviewBox::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    TCustomControl::MouseDown(button, shift, x, y);
    const RECT image = ImageRect();
    const POINT p{x, y};
    if (button == mbLeft && PtInRect(&image, p) && OnImageClick) OnImageClick();
}

void TPreviewBox::WndProc(TMessage& m)
{
    if (m.Msg == WM_ERASEBKGND) {
        m.Result = 1;
        return;
    }
    if (m.Msg == WM_SETCURSOR && reinterpret_cast<HWND>(m.WParam) == Handle() && LOWORD(m.LParam) == HTCLIENT &&
        Screen().Cursor() == crDefault) {
        POINT p;
        GetCursorPos(&p);
        ScreenToClient(Handle(), &p);
        const RECT image = ImageRect();
        if (PtInRect(&image, p)) {
            ::SetCursor(Screen().Cursors(LoadProgramCursors().PrintView));
            m.Result = TRUE;
            return;
        }
    }
    TCustomControl::WndProc(m);
}

// ---- the preview window

TFormStrPreview::TFormStrPreview(TStringsPrinter& printer, TMetaFileList& pages, bool allowPrint)
    : TForm(MainWindow()), printer_(printer), pages_(pages), allowPrint_(allowPrint)
{
    SetFormFont(*this);
    SetCaption(kPreviewCaption);
    SetBorderStyle(bsSizeable);
    SetBorderIcons(biSystemMenu | biMaximize);
    for (int b = 0; b < kPreviewButtonCount; ++b) {
        TButton& button = Button(static_cast<TPreviewButton>(b));
        button.SetCaption(kButtons[b].Caption);
        button.OnClick = [this, b] { Act(static_cast<TPreviewButton>(b)); };
    }
    btPageAll.SetEnabled(false);
    ScrollBox1.OnImageClick = [this] { SetPreviewZoom(NextPreviewZoom(zoom_)); };
    StatusBar1.AddPanel(100, saLeft, pbNone);
    StatusBar1.AddPanel(80, saCenter);
    StatusBar1.AddPanel(50, saLeft, pbNone);
    StatusBar1.SetAutoHint(true);

    // Over the main window, as large as it is, inside its monitor's work area.
    HWND main = MainWindow();
    if (main && IsZoomed(main)) {
        maximized_ = true;
        const RECT work = GetWorkArea(main);
        SetBounds(work.left + 24, work.top + 24, (work.right - work.left) * 3 / 4, (work.bottom - work.top) * 3 / 4);
    } else if (main) {
        WINDOWPLACEMENT wp{};
        wp.length = sizeof wp;
        RECT r{};
        if (IsIconic(main) && GetWindowPlacement(main, &wp))
            r = wp.rcNormalPosition;
        else
            GetWindowRect(main, &r);
        const RECT w = GetWorkArea(main);
        const TPlacePoint p = ClampIntoWorkArea({r.left, r.top}, r.right - r.left, r.bottom - r.top,
                                                {w.left, w.top, w.right, w.bottom});
        SetBounds(p.X, p.Y, r.right - r.left, r.bottom - r.top);
    } else {
        SetPosition(poScreenCenter);
        SetClientSize(640, 560);
    }
}

TFormStrPreview::~TFormStrPreview() { Application().SetShortCutHandler(HandleAllocated() ? Handle() : nullptr, nullptr); }

TButton& TFormStrPreview::Button(TPreviewButton b)
{
    switch (b) {
    case bnPrint: return btPrint;
    case bnPageAll: return btPageAll;
    case bnPageWidth: return btPageWidth;
    case bnPage100: return btPage100;
    case bnClose: return btClose;
    case bnTop: return btTop;
    case bnBack: return btBack;
    case bnNext: return btNext;
    default: return btEnd;
    }
}

void TFormStrPreview::CreateParams(TCreateParams& p)
{
    TForm::CreateParams(p);
    p.ClassName = "TFormStrPreview";
}

void TFormStrPreview::CreateHandle()
{
    TForm::CreateHandle();
    ScrollBox1.SetParentWindow(Handle());
    ScrollBox1.HandleNeeded();
    StatusBar1.SetParentWindow(Handle());
    StatusBar1.HandleNeeded();
    Layout();
}

void TFormStrPreview::Layout()
{
    if (!HandleAllocated()) return;
    RECT client;
    GetClientRect(Handle(), &client);
    Panel1.SetBounds(0, 0, client.right, kPanelHeight);
    int x = 6;
    for (int b = 0; b < kPreviewButtonCount; ++b) {
        if (b == bnPageAll || b == bnTop) x += 10;  // the three groups
        Button(static_cast<TPreviewButton>(b)).SetBounds(x, 4, kButtons[b].Width, kPanelHeight - 8);
        x += kButtons[b].Width + 2;
    }
    int bottom = client.bottom;
    if (StatusBar1.HandleAllocated()) {
        StatusBar1.Realign();
        bottom -= StatusBar1.Height();
        StatusBar1.Panels(0).SetWidth(PreviewHintPanelWidth(StatusBar1.Width(), StatusBar1.Panels(1).Width(),
                                                            StatusBar1.Panels(2).Width(), IsZoomed(Handle()) != FALSE));
    }
    if (ScrollBox1.HandleAllocated())
        ScrollBox1.SetBounds(0, kPanelHeight, client.right, std::max(bottom - kPanelHeight, 0));
}

void TFormStrPreview::Resize()
{
    TForm::Resize();
    Layout();
    if (IsWindowVisible(Handle())) SetPreviewZoom(zoom_);
}

void TFormStrPreview::DoShow()
{
    vScrollWidth_ = GetSystemMetrics(SM_CXVSCROLL);
    hScrollHeight_ = GetSystemMetrics(SM_CYHSCROLL);
    Application().SetShortCutHandler(Handle(), [this](TShortCut key) { return Key(key); });
    if (maximized_) ShowWindow(Handle(), SW_SHOWMAXIMIZED);
    Layout();
    SetPreviewZoom(pzWholePage);
    TForm::DoShow();
}

void TFormStrPreview::DoHide()
{
    Application().SetShortCutHandler(Handle(), nullptr);
    Application().SetHint(std::string());
    TForm::DoHide();
}

void TFormStrPreview::Click() { Close(); }

void TFormStrPreview::WndProc(TMessage& m)
{
    // The buttons' hints: the mouse over a child asks its parent first.
    if (m.Msg == WM_SETCURSOR) {
        HWND over = reinterpret_cast<HWND>(m.WParam);
        std::string hint;
        for (int b = 0; b < kPreviewButtonCount; ++b) {
            TButton& button = Button(static_cast<TPreviewButton>(b));
            if (button.HandleAllocated() && button.Handle() == over) hint = GetLongHint(kButtons[b].Hint);
        }
        if (hint != Application().Hint()) Application().SetHint(hint);
    }
    TForm::WndProc(m);
}

bool TFormStrPreview::Key(TShortCut key)
{
    switch (key) {
    case ShortCut(VK_ESCAPE, 0): pvClose(); return true;
    case ShortCut(VK_PRIOR, 0): pvPageUp(); return true;
    case ShortCut(VK_NEXT, 0): pvPageDown(); return true;
    case ShortCut(VK_HOME, scCtrl): pvTop(); return true;
    case ShortCut(VK_END, scCtrl): pvEnd(); return true;
    default: return false;
    }
}

void TFormStrPreview::pvClose() { Close(); }
void TFormStrPreview::pvPageUp() { ActIfEnabled(bnBack); }
void TFormStrPreview::pvPageDown() { ActIfEnabled(bnNext); }
void TFormStrPreview::pvTop() { ActIfEnabled(bnTop); }
void TFormStrPreview::pvEnd() { ActIfEnabled(bnEnd); }

void TFormStrPreview::ActIfEnabled(TPreviewButton b)
{
    if (Button(b).Enabled()) Act(b);
}

void TFormStrPreview::Act(TPreviewButton b)
{
    switch (b) {
    case bnPrint:
        printRequested_ = true;
        Close();
        break;
    case bnPageAll: SetPreviewZoom(pzWholePage); break;
    case bnPageWidth: SetPreviewZoom(pzPageWidth); break;
    case bnPage100: SetPreviewZoom(pzActualSize); break;
    case bnClose: Close(); break;
    case bnTop: ShowPreviewPage(0); break;
    case bnBack: ShowPreviewPage(index_ - 1); break;
    case bnNext: ShowPreviewPage(index_ + 1); break;
    case bnEnd: ShowPreviewPage(pages_.Count() - 1); break;
    case bnNone: break;
    }
}

TPreviewButton TFormStrPreview::FocusedButton()
{
    HWND focus = GetFocus();
    for (int b = 0; b < kPreviewButtonCount; ++b) {
        TButton& button = Button(static_cast<TPreviewButton>(b));
        if (focus && button.HandleAllocated() && button.Handle() == focus) return static_cast<TPreviewButton>(b);
    }
    return bnNone;
}

void TFormStrPreview::ApplyButtons(const TPreviewButtonStates& enabled, TPreviewButton focusTo)
{
    // The new focus first: a focused button that is disabled drops it.
    if (focusTo != bnNone && enabled[focusTo] && HandleAllocated()) Button(focusTo).SetFocus();
    for (int b = 0; b < kPreviewButtonCount; ++b) Button(static_cast<TPreviewButton>(b)).SetEnabled(enabled[b]);
}

void TFormStrPreview::ShowPreviewPage(int i)
{
    const int count = pages_.Count();
    index_ = std::clamp(i, 0, std::max(count - 1, 0));
    StatusBar1.Panels(1).SetText(PreviewPageCounter(index_, count));
    TPreviewButtonStates enabled{};
    for (int b = 0; b < kPreviewButtonCount; ++b) enabled[b] = Button(static_cast<TPreviewButton>(b)).Enabled();
    ApplyButtons(enabled, UpdatePageButtons(index_, count, enabled, FocusedButton()));
    if (HandleAllocated()) UpdateWindow(Handle());
    SetPreviewZoom(zoom_);
}

TPreviewRoom TFormStrPreview::Room()
{
    return {ScrollBox1.Width() - 4, ScrollBox1.Height() - 4, vScrollWidth_, hScrollHeight_};
}

void TFormStrPreview::SetPreviewZoom(TPreviewZoom mode)
{
    if (pages_.Count() == 0) return;
    const TMetafile& meta = pages_.Items(index_);
    const TPreviewPaper paper{meta.Width(), meta.Height(), printer_.PrinterOffsets()};
    const TPreviewRoom room = Room();
    image_ = PreviewImage(mode, room, paper, printer_.ScreenToPrinterRatio());
    if (image_.TooSmall) {
        ScrollBox1.SetImage(0, 0);
        return;
    }
    zoom_ = mode;
    ScrollBox1.SetImage(image_.Width, image_.Height);
    const RECT page{image_.Page.Left, image_.Page.Top, image_.Page.Right, image_.Page.Bottom};
    meta.Draw(ScrollBox1.Picture().Canvas().Handle(), page);
    GdiFlush();
    const TPreviewPoint at = CenterPreviewImage(room, image_.Width, image_.Height);
    ScrollBox1.SetImagePos(at.X, at.Y);
    TPreviewButtonStates enabled{};
    for (int b = 0; b < kPreviewButtonCount; ++b) enabled[b] = Button(static_cast<TPreviewButton>(b)).Enabled();
    ApplyButtons(enabled, UpdateZoomButtons(mode, enabled, FocusedButton()));
}

bool ShowPrintPreview(TStringsPrinter& printer, TMetaFileList& pages, bool allowPrint)
{
    TFormStrPreview form(printer, pages, allowPrint);
    form.ShowPreviewPage(0);
    form.ShowModal();
    ProcessMessages();
    return form.PrintRequested() && allowPrint;
}

void TPreviewWindowSink::ShowPrintPreview(TStringsPrinter& printer, TMetaFileList& pages, bool allowPrint)
{
    PrintRequested = vellumo::ShowPrintPreview(printer, pages, allowPrint);
}

} // namespace vellumo
