#include "dialogs/print/printdlg_win.h"

#include "base/numtext.h"
#include "classlib/printsetupdialog_win.h"
#include "dialogs/common/dialoghost.h"
#include "dialogs/font/fontdialog_win.h"

namespace vellumo {

const char* const kPrintDialogCaption = "印刷";

namespace {

const std::vector<std::string> kAlignItems = {"なし", "左", "中央", "右"};

void PlaceLabelled(TLabel& label, int x, int y, int labelWidth, TWinControlChild& control, int width)
{
    label.SetBounds(x, y + 4, labelWidth, 16);
    control.SetBounds(x + labelWidth + 2, y, width, 22);
}

} // namespace

TPrintForm::TPrintForm(HWND owner, TPrintDialogHost& host) : TForm(owner), host_(host)
{
    SetCaption(kPrintDialogCaption);
    SetFormFont(*this);
    SetBorderStyle(bsDialog);
    SetClientSize(548, 362);

    // Page range, right of the margins.
    PrintHani.SetBounds(214, 8, 194, 170);
    Print_All.SetBounds(226, 28, 170, 20);
    Print_Pege.SetBounds(226, 52, 170, 20);
    StartPege.SetBounds(244, 78, 60, 22);
    StartPageLabel.SetBounds(310, 82, 90, 16);
    LastPage.SetBounds(244, 108, 60, 22);
    LastPageLabel.SetBounds(310, 112, 90, 16);
    Print_Select.SetBounds(226, 144, 170, 20);

    GroupBox3.SetBounds(8, 8, 198, 82);
    PlaceLabelled(LeftLabel, 18, 26, 42, LeftMargin, 44);
    PlaceLabelled(RightLabel, 112, 26, 40, RightMargin, 44);
    PlaceLabelled(TopLabel, 18, 56, 42, TopMargin, 44);
    PlaceLabelled(BottomLabel, 112, 56, 40, BottomMargin, 44);

    GroupBox4.SetBounds(8, 96, 198, 82);
    ColumnCount.SetBounds(18, 116, 84, 22);
    ColumnCount.SetItems({"なし", "2段", "3段"});
    PlaceLabelled(ColumnSpaceLabel, 18, 146, 58, ColumnSpace, 50);

    GroupBox5.SetBounds(8, 184, 400, 84);
    PlaceLabelled(HeaderLabel, 18, 204, 64, HeaderStr, 150);
    Button3.SetBounds(238, 204, 22, 22);
    PlaceLabelled(HeaderAlignLabel, 268, 204, 52, HeaderAlign, 78);
    PlaceLabelled(FooterLabel, 18, 236, 64, FooterStr, 150);
    Button4.SetBounds(238, 236, 22, 22);
    PlaceLabelled(FooterAlignLabel, 268, 236, 52, FooterAlign, 78);
    HeaderAlign.SetItems(kAlignItems);
    FooterAlign.SetItems(kAlignItems);

    GroupBox1.SetBounds(8, 274, 400, 80);
    FontNameTitle.SetBounds(18, 294, 92, 16);
    FontName.SetBounds(112, 294, 288, 16);
    FontSizeTitle.SetBounds(18, 312, 92, 16);
    FontSize.SetBounds(112, 312, 288, 16);
    PrinterNameTitle.SetBounds(18, 330, 92, 16);
    PrinterName.SetBounds(112, 330, 288, 16);
    for (TLabel* l : {&FontName, &FontSize, &PrinterName}) l->SetShowAccelChar(false);

    Button1.SetBounds(416, 12, 124, 25);
    Button1.SetDefault(true);
    Button2.SetBounds(416, 42, 124, 25);
    Button2.SetCancel(true);
    Button7.SetBounds(416, 72, 124, 25);
    Button8.SetBounds(416, 114, 124, 25);
    Button6.SetBounds(416, 144, 124, 25);
    Button5.SetBounds(416, 174, 124, 25);
    ColNum.SetBounds(416, 214, 124, 20);

    for (int i = 0; i < kPrintMacroCount; ++i) {
        const TPrintMacroItem item = PrintMacroItems()[i];
        PopupMenu1.Add(item.Caption, {}, [this, item](TMenuItem&) {
            if (macroTarget_) InsertMacro(*macroTarget_, item.Macro);
        });
    }

    // What changes the stored settings enables "適用"; the page fields do not.
    for (TEdit* e : {&LeftMargin, &RightMargin, &TopMargin, &BottomMargin, &ColumnSpace, &HeaderStr, &FooterStr})
        e->OnChange = [this] { SetTekiyou(); };
    for (TComboBox* c : {&ColumnCount, &HeaderAlign, &FooterAlign})
        c->OnSelect = [this] {
            ApplyEnabling();
            SetTekiyou();
        };
    ColNum.OnClick = [this] { SetTekiyou(); };
    StartPege.OnChange = LastPage.OnChange = [this] { PageEdited(); };
    StartPege.OnExit = [this] { PageFieldLeft(true); };
    LastPage.OnExit = [this] { PageFieldLeft(false); };
    Button3.OnClick = [this] { OpenMacroMenu(Button3, HeaderStr); };
    Button4.OnClick = [this] { OpenMacroMenu(Button4, FooterStr); };
    Button1.OnClick = [this] { OkClick(); };
    Button7.OnClick = [this] { ApplyClick(); };
    Button8.OnClick = [this] { PreviewClick(); };
    Button6.OnClick = [this] { FontClick(); };
    Button5.OnClick = [this] { PrinterClick(); };

    filling_ = true;
    Handle();
    filling_ = false;
    if (DialogHost().StyleFormControls) DialogHost().StyleFormControls(*this);
}

void TPrintForm::DoShow()
{
    PlaceWindowInWorkArea(Owner() ? Owner() : MainWindow(), Handle(), 16, 16);
    host_.ReadPrintSettings();
    TPrintFormValues v = PrintFormValuesOf(host_.Settings());
    v.PrintSelect = host_.HasSelection();
    Fill(v);
    PrinterName.SetCaption(CutPrinterName(host_.Printer().Info().PrinterName()));
    Print_Select.SetEnabled(v.PrintSelect);
    Button7.SetEnabled(false);
    SetActiveControl(&Button1);
    TForm::DoShow();
}

void TPrintForm::Fill(const TPrintFormValues& v)
{
    filling_ = true;
    LeftMargin_UpDown.SetPosition(v.LeftMargin);
    RightMargin_UpDown.SetPosition(v.RightMargin);
    TopMargin_UpDown.SetPosition(v.TopMargin);
    BottomMargin_UpDown.SetPosition(v.BottomMargin);
    ColumnSpace_UpDown.SetPosition(v.ColumnSpace);
    ColNum.SetChecked(v.ColNum);
    HeaderStr.SetText(v.HeaderStr);
    FooterStr.SetText(v.FooterStr);
    HeaderAlign.SetItemIndex(v.HeaderAlign);
    FooterAlign.SetItemIndex(v.FooterAlign);
    FontName.SetCaption(v.FontName);
    FontSize.SetCaption(v.FontSizeText);
    ColumnCount.SetItemIndex(v.ColumnIndex);
    Print_All.SetChecked(v.PrintAll);
    Print_Pege.SetChecked(!v.PrintAll);
    StartPage_UpDown.SetPosition(v.StartPage);
    LastPage_UpDown.SetPosition(v.LastPage);
    Print_Select.SetChecked(v.PrintSelect);
    ApplyEnabling();
    filling_ = false;
}

TPrintFormValues TPrintForm::Values()
{
    TPrintFormValues v;
    v.LeftMargin = LeftMargin_UpDown.Position();
    v.RightMargin = RightMargin_UpDown.Position();
    v.TopMargin = TopMargin_UpDown.Position();
    v.BottomMargin = BottomMargin_UpDown.Position();
    v.ColumnSpace = ColumnSpace_UpDown.Position();
    v.ColNum = ColNum.Checked();
    v.HeaderStr = HeaderStr.Text();
    v.FooterStr = FooterStr.Text();
    v.HeaderAlign = std::max(HeaderAlign.ItemIndex(), 0);
    v.FooterAlign = std::max(FooterAlign.ItemIndex(), 0);
    v.FontName = FontName.Caption();
    v.FontSizeText = FontSize.Caption();
    v.ColumnIndex = std::max(ColumnCount.ItemIndex(), 0);
    v.PrintAll = Print_All.Checked();
    v.StartPage = StartPage_UpDown.Position();
    v.LastPage = LastPage_UpDown.Position();
    v.PrintSelect = Print_Select.Checked();
    return v;
}

bool TPrintForm::StorePrintSettings(bool save)
{
    StorePrintFormValues(Values(), host_.Settings());
    return !save || host_.SavePrintSettings();
}

void TPrintForm::ApplyEnabling()
{
    const TPrintFormEnabling e =
        PrintFormEnabling(HeaderAlign.ItemIndex(), FooterAlign.ItemIndex(), ColumnCount.ItemIndex());
    HeaderStr.SetEnabled(e.Header);
    Button3.SetEnabled(e.Header);
    FooterStr.SetEnabled(e.Footer);
    Button4.SetEnabled(e.Footer);
    ColumnSpace_UpDown.SetEnabled(e.ColumnSpace);  // the edit with it
}

void TPrintForm::SetTekiyou()
{
    if (!filling_) Button7.SetEnabled(true);
}

void TPrintForm::PageEdited()
{
    if (filling_) return;
    if (Print_All.Checked()) Print_Pege.SetChecked(true);
}

void TPrintForm::PageFieldLeft(bool start)
{
    if (filling_) return;
    const TPageFields p =
        CouplePageFields({StartPage_UpDown.Position(), LastPage_UpDown.Position()}, start);
    filling_ = true;  // coupling is no edit of the user's
    StartPage_UpDown.SetPosition(p.Start);
    LastPage_UpDown.SetPosition(p.Last);
    filling_ = false;
}

void TPrintForm::InsertMacro(TEdit& edit, const std::string& macro)
{
    HWND h = edit.Handle();
    DWORD start = 0, end = 0;
    SendMessageA(h, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    SendMessageA(h, EM_SETSEL, start, start);
    SendMessageA(h, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(macro.c_str()));
}

void TPrintForm::OpenMacroMenu(TButton& button, TEdit& edit)
{
    macroTarget_ = &edit;
    // At the button's top right corner: its place in the form plus its width.
    POINT p{button.Left() + button.Width(), button.Top()};
    ClientToScreen(Handle(), &p);
    ProcessMessages();
    PopupMenu1.Popup(p.x, p.y, Handle());
}

void TPrintForm::FontClick()
{
    TFontInfoA info;
    info.Name = FontName.Caption();
    int size = 0;
    info.Size = TryStrToInt(FontSize.Caption(), size) ? size : host_.Settings().FontSize;
    if (!ExecuteFontDialog(info, 0, 0, Handle(), false, true)) return;
    FontName.SetCaption(info.Name);
    FontSize.SetCaption(PrintDialogFontSizeText(info.Size));
    SetTekiyou();
}

void TPrintForm::PrinterClick()
{
    TPrinterSetupDialog setup(host_.Printer().PrinterObject());
    setup.OnShow = [this](HWND dialog) {
        RECT r;
        GetWindowRect(dialog, &r);
        POINT p{0, 0};
        ClientToScreen(Handle(), &p);
        p = KeepInsideWorkArea(p, p.x + (r.right - r.left), p.y + (r.bottom - r.top));
        SetWindowPos(dialog, nullptr, p.x, p.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    };
    if (setup.Execute(Handle())) PrinterName.SetCaption(CutPrinterName(host_.Printer().Info().PrinterName()));
}

void TPrintForm::ApplyClick()
{
    // Apply stores even when printing would not.
    if (!StorePrintSettings(true)) return;
    Button7.SetEnabled(false);
    LeftMargin.SetFocus();
}

void TPrintForm::PreviewClick()
{
    const bool save = !host_.NoSave();
    if (StorePrintSettings(save) && save) Button7.SetEnabled(false);
    host_.ApplyPrintSettings();
    host_.PreviewText(Print_Select.Checked() && host_.HasSelection());
}

void TPrintForm::OkClick()
{
    // OK pressed in a page field counts as leaving it.
    if (StartPege.Focused()) PageFieldLeft(true);
    if (LastPage.Focused()) PageFieldLeft(false);
}

bool ShowPrintDialog(TPrintDialogHost& host)
{
    TPrintForm form(MainWindow(), host);
    if (form.ShowModal() != mrOk) return false;
    form.StorePrintSettings(!host.NoSave());
    host.ApplyPrintSettings();
    host.PrintText(form.Print_Select.Checked() && host.HasSelection());
    return true;
}

} // namespace vellumo
