#pragma once
// The print dialog: margins, columns, line numbers, header and footer with
// their macros, the print font, the page range and the printer; then print,
// preview, or only store the settings. Tests reach its controls through the
// modal script.
#include <functional>
#include <string>

#include "classlib/commonctrls_win.h"
#include "classlib/form_win.h"
#include "classlib/groupbox_win.h"
#include "classlib/menu_win.h"
#include "classlib/radiobutton_win.h"
#include "dialogs/print/printdlg.h"
#include "printing/strprint_win.h"

namespace vellumo {

// What the dialog asks of its caller: the process's print settings and the
// printing component, and the printing that OK and the preview start.
class TPrintDialogHost {
public:
    virtual ~TPrintDialogHost() = default;
    virtual TAppIniPrn& Settings() = 0;
    // [Print] -> Settings().
    virtual void ReadPrintSettings() = 0;
    // Settings() -> [Print]; false when the file refused them (the host tells the user).
    virtual bool SavePrintSettings() = 0;
    // [Option] PrnSetNoSave: printing and preview do not store the settings.
    virtual bool NoSave() = 0;
    virtual bool HasSelection() = 0;
    // Settings() -> the printing component.
    virtual void ApplyPrintSettings() = 0;
    // The selection's lines or the whole text, printed or previewed (the
    // preview without printing from it).
    virtual void PrintText(bool selectionOnly) = 0;
    virtual void PreviewText(bool selectionOnly) = 0;
    virtual TStringsPrinter& Printer() = 0;
};

extern const char* const kPrintDialogCaption;  // "印刷"

// An edit that tells when it loses the focus (the page fields couple then).
class TPageEdit : public TEdit {
public:
    using TEdit::TEdit;
    std::function<void()> OnExit;

protected:
    void Notify(WORD code) override
    {
        TEdit::Notify(code);
        if (code == EN_KILLFOCUS && OnExit) OnExit();
    }
};

class TPrintForm : public TForm {
public:
    TPrintForm(HWND owner, TPrintDialogHost& host);

    TGroupBox PrintHani{*this, "印刷範囲"};
    TRadioButton Print_All{*this, "すべて(&L)"};
    TRadioButton Print_Pege{*this, "ページ指定(&G)"};
    TLabel StartPageLabel{*this, "ページから(&S)"};
    TPageEdit StartPege{*this};
    TUpDown StartPage_UpDown{*this, StartPege, kPrintPageMin, kPrintPageMax};
    TLabel LastPageLabel{*this, "ページまで(&E)"};
    TPageEdit LastPage{*this};
    TUpDown LastPage_UpDown{*this, LastPage, kPrintPageMin, kPrintPageMax};
    TCheckBox Print_Select{*this, "選択範囲(&T)"};

    TGroupBox GroupBox3{*this, "余白"};
    TLabel LeftLabel{*this, "左(&M):"};
    TEdit LeftMargin{*this};
    TUpDown LeftMargin_UpDown{*this, LeftMargin, 0, 100};
    TLabel RightLabel{*this, "右(&I):"};
    TEdit RightMargin{*this};
    TUpDown RightMargin_UpDown{*this, RightMargin, 0, 100};
    TLabel TopLabel{*this, "上(&O):"};
    TEdit TopMargin{*this};
    TUpDown TopMargin_UpDown{*this, TopMargin, 0, 100};
    TLabel BottomLabel{*this, "下(&B):"};
    TEdit BottomMargin{*this};
    TUpDown BottomMargin_UpDown{*this, BottomMargin, 0, 100};

    TGroupBox GroupBox4{*this, "段組"};
    TComboBox ColumnCount{*this, csDropDownList};
    TLabel ColumnSpaceLabel{*this, "間隔(&N):"};
    TEdit ColumnSpace{*this};
    TUpDown ColumnSpace_UpDown{*this, ColumnSpace, 0, 100};

    TGroupBox GroupBox5{*this, "ヘッダとフッタ"};
    TLabel HeaderLabel{*this, "ヘッダ(&H):"};
    TEdit HeaderStr{*this};
    TButton Button3{*this, ">"};
    TLabel HeaderAlignLabel{*this, "位置(&D):"};
    TComboBox HeaderAlign{*this, csDropDownList};
    TLabel FooterLabel{*this, "フッタ(&Z):"};
    TEdit FooterStr{*this};
    TButton Button4{*this, ">"};
    TLabel FooterAlignLabel{*this, "位置(&K):"};
    TComboBox FooterAlign{*this, csDropDownList};

    TGroupBox GroupBox1{*this, "フォントとプリンタ"};
    TLabel FontNameTitle{*this, "フォント名:"};
    TLabel FontName{*this};
    TLabel FontSizeTitle{*this, "フォントサイズ:"};
    TLabel FontSize{*this};
    TLabel PrinterNameTitle{*this, "プリンタ名:"};
    TLabel PrinterName{*this};

    TButton Button1{*this, "印刷(&P)", mrOk};
    TButton Button2{*this, "閉じる(&C)", mrCancel};
    TButton Button7{*this, "適用(&A)"};
    TButton Button8{*this, "プレビュー(&V)..."};
    TButton Button6{*this, "フォント設定(&F)..."};
    TButton Button5{*this, "プリンタ設定(&Y)..."};
    TCheckBox ColNum{*this, "行番号(&R)"};

    TPopupMenu PopupMenu1;

    // The controls into the settings; with save, [Print] is written too.
    // False when that write failed.
    bool StorePrintSettings(bool save);
    TPrintFormValues Values();
    // The edit the macro menu writes into (the one whose ">" was pressed last).
    TEdit* MacroTarget() const noexcept { return macroTarget_; }
    // Inserts a macro at the start of the edit's selection (the selection stays after it).
    void InsertMacro(TEdit& edit, const std::string& macro);

protected:
    void DoShow() override;

private:
    void Fill(const TPrintFormValues& values);
    void ApplyEnabling();
    void SetTekiyou();
    void PageEdited();
    void PageFieldLeft(bool start);
    void OpenMacroMenu(TButton& button, TEdit& edit);
    void FontClick();
    void PrinterClick();
    void ApplyClick();
    void PreviewClick();
    void OkClick();

    TPrintDialogHost& host_;
    TEdit* macroTarget_ = nullptr;
    bool filling_ = false;
};

// Runs the dialog over the main window; on OK stores the settings (saving
// them unless the host says not to), applies them and prints. True on OK,
// whatever printing then did; false on Close.
bool ShowPrintDialog(TPrintDialogHost& host);

} // namespace vellumo
