#pragma once
// The program's own font chooser (tests reach its controls through the
// modal script).
#include <windows.h>

#include "classlib/form_win.h"
#include "classlib/groupbox_win.h"
#include "classlib/panel_win.h"
#include "dialogs/font/fontinfo.h"
#include "dialogs/font/fontsizes.h"

namespace vellumo {

class TFonfForm : public TForm {
public:
    TFonfForm(const IFontList& fonts, const TFontInfoA& info, int x, int y, HWND owner, bool tenPointFive,
              bool allFonts);

    TLabel Label1{*this, "フォント名(&F):"};
    TComboBox FontNameCB{*this, csSimple};
    TLabel Label2{*this, "サイズ(&S):"};
    TComboBox FontSizeCB{*this, csSimple};
    TButton btOk{*this, "OK", mrOk};
    TButton btCancel{*this, "キャンセル", mrCancel};
    TGroupBox GroupBox1{*this, "サンプル"};
    TPanel SamplePanel{*this, "Aaあぁアァ亜宇"};

    TFontInfoA Result() const { return chooser_.Result(); }
    const TFontChooser& Chooser() const noexcept { return chooser_; }

protected:
    void DoShow() override;

private:
    void FaceChanged();
    void SizeChanged();
    void ShowSizes();
    void ShowSample();

    TFontChooser chooser_;
    TFontInfoA info_;
    int x_, y_;
    HWND placeOwner_;
    bool filling_ = false;  // the boxes are being filled: their changes are ours
};

// Shown at the client point (x, y) of owner. tenPointFive offers 10.5 points
// (stored as -14); allFonts lists proportional and vertical faces too.
// True, with info updated, on OK.
bool ExecuteFontDialog(TFontInfoA& info, int x, int y, HWND owner, bool tenPointFive, bool allFonts);
// The same on a given font list (tests).
bool ExecuteFontDialog(const IFontList& fonts, TFontInfoA& info, int x, int y, HWND owner, bool tenPointFive,
                       bool allFonts);

} // namespace vellumo
