#pragma once
// The print preview: the rendered pages one at a time in three zoom modes,
// with page buttons and a button that asks for the print dialog. It runs
// modally and holds nothing of the caller's once it returns: the caller
// opens the print dialog itself, after the preview and its pages are gone.
// Windows only.
#include <memory>
#include <string>

#include "classlib/bitmap_win.h"
#include "classlib/form_win.h"
#include "classlib/toolpanel_win.h"
#include "classlib/statusbar_win.h"
#include "base/shortcut.h"
#include "printing/previewlayout.h"
#include "printing/strprint_win.h"

namespace vellumo {

// The scroll box holding the page image: a white page of the image's size
// with the page drawn into it, scrolled by its bars while they are dragged.
class TPreviewBox : public TCustomControl {
public:
    TPreviewBox();

    // The image's picture; SetImage sizes it (white) and forgets the scroll.
    TBitmap& Picture() noexcept { return picture_; }
    void SetImage(int width, int height);
    // The image's place in the box's content (scroll positions 0).
    void SetImagePos(int left, int top);
    int ImageLeft() const noexcept { return imageLeft_; }
    int ImageTop() const noexcept { return imageTop_; }
    int ScrollX() const noexcept { return scrollX_; }
    int ScrollY() const noexcept { return scrollY_; }
    void ScrollTo(int x, int y);
    // The image's rectangle in client coordinates (empty without image).
    RECT ImageRect() const;

    // A left click on the image.
    std::function<void()> OnImageClick;

protected:
    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& msg) override;
    void Paint() override;
    void Resize() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void Scroll(int bar, int code, int pos) override;

private:
    void UpdateScrollBars();

    TBitmap picture_;
    int imageLeft_ = 0, imageTop_ = 0;
    int scrollX_ = 0, scrollY_ = 0;
    bool updatingBars_ = false;
};

extern const char* const kPreviewCaption;  // "印刷プレビュー"

class TFormStrPreview : public TForm {
public:
    TFormStrPreview(TStringsPrinter& printer, TMetaFileList& pages, bool allowPrint);
    ~TFormStrPreview() override;

    TButton btPrint{*this};
    TButton btPageAll{*this};
    TButton btPageWidth{*this};
    TButton btPage100{*this};
    TButton btClose{*this};
    TButton btTop{*this};
    TButton btBack{*this};
    TButton btNext{*this};
    TButton btEnd{*this};
    TToolPanel Panel1{*this};  // beneath the buttons
    TPreviewBox ScrollBox1;
    TStatusBar StatusBar1;

    // Shows page i (clamped) in the current mode.
    void ShowPreviewPage(int i);
    void SetPreviewZoom(TPreviewZoom mode);
    int PageIndex() const noexcept { return index_; }
    TPreviewZoom Zoom() const noexcept { return zoom_; }
    bool PrintRequested() const noexcept { return printRequested_; }
    bool AllowPrint() const noexcept { return allowPrint_; }
    // The geometry of the last zoom (for checks).
    const TPreviewImage& Image() const noexcept { return image_; }
    TButton& Button(TPreviewButton b);

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateHandle() override;
    void DoShow() override;
    void DoHide() override;
    void Resize() override;
    void WndProc(TMessage& msg) override;
    void Click() override;

private:
    bool Key(TShortCut key);
    // The key actions; a page action does nothing while its button is disabled.
    void pvClose();
    void pvPageUp();
    void pvPageDown();
    void pvTop();
    void pvEnd();
    void ActIfEnabled(TPreviewButton b);
    void Act(TPreviewButton b);
    void Layout();
    TPreviewRoom Room();
    TPreviewButton FocusedButton();
    void ApplyButtons(const TPreviewButtonStates& enabled, TPreviewButton focusTo);

    TStringsPrinter& printer_;
    TMetaFileList& pages_;
    bool allowPrint_;
    bool printRequested_ = false;
    bool maximized_ = false;
    int index_ = 0;
    TPreviewZoom zoom_ = pzWholePage;
    TPreviewImage image_;
    int vScrollWidth_ = 0, hScrollHeight_ = 0;
};

// Creates the window, shows page 1 modally and frees it; true when the
// print button was pressed and printing is allowed.
bool ShowPrintPreview(TStringsPrinter& printer, TMetaFileList& pages, bool allowPrint);

// The printing component's preview: the window above, remembering whether
// the user asked to print from it.
class TPreviewWindowSink : public TPrintPreviewSink {
public:
    void ShowPrintPreview(TStringsPrinter& printer, TMetaFileList& pages, bool allowPrint) override;
    bool PrintRequested = false;
};

} // namespace vellumo
