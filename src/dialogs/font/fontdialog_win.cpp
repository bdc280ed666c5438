#include "dialogs/font/fontdialog_win.h"

#include "dialogs/common/dialoghost.h"
#include "dialogs/font/fontlist_win.h"

namespace vellumo {

namespace {

constexpr int kSizeMaxLength = 5;

// Redrawing off for a refill, so the list does not flicker item by item.
class TNoRedraw {
public:
    explicit TNoRedraw(HWND w) : w_(w) { SendMessageA(w_, WM_SETREDRAW, FALSE, 0); }
    ~TNoRedraw()
    {
        SendMessageA(w_, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(w_, nullptr, TRUE);
    }
    TNoRedraw(const TNoRedraw&) = delete;
    TNoRedraw& operator=(const TNoRedraw&) = delete;

private:
    HWND w_;
};

} // namespace

TFonfForm::TFonfForm(const IFontList& fonts, const TFontInfoA& info, int x, int y, HWND owner, bool tenPointFive,
                     bool allFonts)
    : TForm(MainWindow()), chooser_(fonts, tenPointFive, allFonts), info_(info), x_(x), y_(y), placeOwner_(owner)
{
    SetCaption("フォント");
    SetFormFont(*this);
    SetBorderStyle(bsDialog);
    SetClientSize(372, 266);
    Label1.SetBounds(8, 8, 200, 16);
    FontNameCB.SetBounds(8, 26, 200, 150);
    Label2.SetBounds(216, 8, 64, 16);
    FontSizeCB.SetBounds(216, 26, 64, 150);
    // Sizes are typed whole: completing "1" to "10" would change what was meant.
    FontSizeCB.SetAutoComplete(false);
    btOk.SetBounds(290, 26, 75, 25);
    btOk.SetDefault(true);
    btCancel.SetBounds(290, 58, 75, 25);
    btCancel.SetCancel(true);
    GroupBox1.SetBounds(8, 184, 357, 74);
    SamplePanel.SetBounds(18, 204, 337, 44);
    SamplePanel.Font().SetCharset(kShiftJisCharset);
    FontNameCB.OnChange = [this] { FaceChanged(); };
    FontSizeCB.OnChange = [this] { SizeChanged(); };
    SetActiveControl(&FontNameCB);
    Handle();
    SendMessageA(FontSizeCB.Handle(), CB_LIMITTEXT, kSizeMaxLength, 0);
    if (DialogHost().StyleFormControls) DialogHost().StyleFormControls(*this);
}

void TFonfForm::DoShow()
{
    PlaceWindowInWorkArea(placeOwner_ ? placeOwner_ : MainWindow(), Handle(), x_, y_);
    chooser_.Start(info_);
    {
        filling_ = true;
        FontNameCB.SetItems(chooser_.Faces());
        const int face = chooser_.FaceIndex();
        if (face >= 0)
            FontNameCB.SetItemIndex(face);
        else
            FontNameCB.SetText(chooser_.FaceText());
        filling_ = false;
    }
    ShowSizes();
    ShowSample();
    TForm::DoShow();
}

void TFonfForm::ShowSizes()
{
    filling_ = true;
    {
        TNoRedraw quiet(FontSizeCB.Handle());
        FontSizeCB.SetItems(chooser_.Sizes());
        const int size = chooser_.SizeIndex();
        if (size >= 0)
            FontSizeCB.SetItemIndex(size);
        else
            FontSizeCB.SetText(chooser_.SizeText());
    }
    filling_ = false;
}

void TFonfForm::ShowSample()
{
    TFont& f = SamplePanel.Font();
    f.SetName(chooser_.Sample().Name());
    f.SetHeight(chooser_.Sample().Height());
}

void TFonfForm::FaceChanged()
{
    if (filling_) return;
    chooser_.ChooseFace(FontNameCB.Text());
    ShowSizes();
    ShowSample();
}

void TFonfForm::SizeChanged()
{
    if (filling_) return;
    chooser_.TypeSize(FontSizeCB.Text());
    ShowSample();
}

bool ExecuteFontDialog(const IFontList& fonts, TFontInfoA& info, int x, int y, HWND owner, bool tenPointFive,
                       bool allFonts)
{
    TFonfForm form(fonts, info, x, y, owner, tenPointFive, allFonts);
    if (form.ShowModal() != mrOk) return false;
    info = form.Result();
    return true;
}

bool ExecuteFontDialog(TFontInfoA& info, int x, int y, HWND owner, bool tenPointFive, bool allFonts)
{
    const TScreenFontList fonts;
    return ExecuteFontDialog(fonts, info, x, y, owner, tenPointFive, allFonts);
}

} // namespace vellumo
