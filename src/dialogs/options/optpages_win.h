#pragma once
// The pages of the options dialog. Each page makes its controls on the form
// (members in tab order), gives them to its page of the page control, ties
// the plain ones to their keys and handles the rest itself. The colour page
// has its own header.
#include <functional>
#include <string>
#include <vector>

#include "classlib/commonctrls_win.h"
#include "classlib/form_win.h"
#include "classlib/groupbox_win.h"
#include "dialogs/font/fontinfo.h"
#include "dialogs/options/optionbind_win.h"
#include "dialogs/options/optiondlg.h"

namespace vellumo {

namespace BrowseFolderDlg {
class TBrowseFolderDlg;
}
using BrowseFolderDlg::TBrowseFolderDlg;

// What the dialog needs of the program around it.
struct TOptionHost {
    TEditMode EditMode = emStandard;  // the document's mode
    // The wrap column at the window's right edge.
    std::function<int()> WindowWrapWidth;
    // The values went into the settings: the menus made from them, the
    // caption and the caret follow.
    std::function<void()> SettingsTaken;
    // The apply button that keeps the dialog open applies at once.
    std::function<void()> ApplyNow;
    // False when the path is too long (the user has been told).
    std::function<bool(const std::string& path)> PathLengthOk;
    // The font and folder choosers; empty: the program's own.
    std::function<bool(TFontInfoA& font, HWND owner)> ChooseFont;
    std::function<bool(TBrowseFolderDlg& dialog)> BrowseFolder;
    // The colour page's keyword files: the built-in list of a mode written
    // to a new file (false when it could not be), and another instance of
    // the program started with the given parameters.
    std::function<bool(TEditMode mode, const std::string& path)> WriteKeywordFile;
    std::function<void(const std::string& params)> StartNewInstance;
};

// What every page is given.
struct TPageContext {
    TForm& Form;
    TPageControl& Pages;
    TOptionBindings& Bindings;
    const TOptionHost& Host;
    const TAppSettings& Settings;    // what the dialog edits (changed only when its values are taken)
};

class TOptionPage {
public:
    TOptionPage(TPageContext& context, int page);
    TOptionPage(const TOptionPage&) = delete;
    TOptionPage& operator=(const TOptionPage&) = delete;
    virtual ~TOptionPage() = default;

    int Index() const noexcept { return page_; }
    // Places the controls inside the page's display rectangle.
    virtual void Layout(const RECT& area) = 0;
    // What the bindings do not carry, after they ran.
    virtual void Load(const TAppSettings& s) { (void)s; }
    virtual void Store(TAppSettings& s) { (void)s; }
    virtual TWinControlChild& FirstControl() = 0;
    // The check boxes that enabling follows.
    virtual void Gather(TOptionChecks& c) const { (void)c; }

protected:
    // Every control made since the page began goes to its page; called at
    // the end of the derived constructor.
    void TakeNewControls();
    void Put(TWinControlChild& c, int x, int y, int w, int h);
    void Origin(const RECT& area);
    // What enabling decides from this page's check boxes and the document's mode.
    TOptionEnabling Enabling() const;
    void FolderButton(TButton& button, TEdit& edit, const char* line, bool startAtEdit, bool append);
    bool BrowseFolder(TBrowseFolderDlg& dialog);

    TForm& form_;
    TPageContext& ctx_;
    int width_ = 0;  // of the display rectangle

    static constexpr int kEditH = 21;
    static constexpr int kCheckH = 18;
    static constexpr int kButtonH = 24;
    static constexpr int kLabelDy = 4;  // a label's top below its edit's
    static constexpr int kBrowseW = 30;  // a "..." button

private:
    int page_;
    std::size_t first_;
    int x0_ = 0, y0_ = 0;
};

// A drop-down combo box that reports losing the focus.
class TExitComboBox : public TComboBox {
public:
    using TComboBox::TComboBox;
    std::function<void()> OnExit;

protected:
    void Notify(WORD code) override;
};

// A label with a sunken edge (the font's name and size).
class TFrameLabel : public TLabel {
public:
    using TLabel::TLabel;

protected:
    DWORD ControlExStyle() const override { return WS_EX_STATICEDGE; }
    DWORD ControlStyle() const override { return TLabel::ControlStyle() | SS_CENTERIMAGE; }
};

// "基本"
class TBasicPage : public TOptionPage {
public:
    explicit TBasicPage(TPageContext& context);
    void Layout(const RECT& area) override;
    void Load(const TAppSettings& s) override;
    void Store(TAppSettings& s) override;
    TWinControlChild& FirstControl() override { return TabSpaceCount; }
    void Gather(TOptionChecks& c) const override;
    void StartImeClick();
    void WordWrapClick();

    TGroupBox GroupBox1{form_, "編集"};
    TLabel Label1{form_, "タブの文字数(&T):"};
    TEdit TabSpaceCount{form_};
    TUpDown TabSpaceCount_UpDown{form_, TabSpaceCount, 1, 8};
    TLabel Label2{form_, "元に戻す回数(&U):"};
    TEdit UndoMax{form_};
    TUpDown UndoMax_UpDown{form_, UndoMax, 64, 10000};
    TLabel Label3{form_, "行間隔(&R):"};
    TEdit LinePitch{form_};
    TUpDown LinePitch_UpDown{form_, LinePitch, 0, 10};
    TLabel Label4{form_, "文字間隔(&C):"};
    TEdit CharPitch{form_};
    TUpDown CharPitch_UpDown{form_, CharPitch, 0, 5};
    TLabel Label5{form_, "左余白(&L):"};
    TEdit LeftMargin{form_};
    TUpDown LeftMargin_UpDown{form_, LeftMargin, 0, 100};
    TLabel Label6{form_, "上余白(&O):"};
    TEdit TopMargin{form_};
    TUpDown TopMargin_UpDown{form_, TopMargin, 0, 100};
    TLabel Label7{form_, "引用符(&Q):"};
    TEdit PasteInyouhu{form_};
    TCheckBox FreeCaret{form_, "フリーカーソル(&F)"};
    TCheckBox AutoIndent{form_, "オートインデント(&J)"};
    TCheckBox CaretUnderLine{form_, "カーソル行に下線を表示(&E)"};
    TCheckBox RetRowIndent{form_, "空行のTAB/空白インデント(&B)"};
    TCheckBox StartIme{form_, "起動時にIMEをON(&M)"};
    TCheckBox ImeDefOnly{form_, "標準モードのみIMEをON(&Y)"};
    TGroupBox GroupBox2{form_, "文字折り返し"};
    TCheckBox WordWrap{form_, "指定の桁数で折り返し(&W)"};
    TLabel Label8{form_, "桁(&K):"};
    TExitComboBox WrapCount{form_, csDropDown};
    TUpDown WrapCount_UpDown{form_, WrapCount, 20, 800};
    TCheckBox WrapLine{form_, "縦線を表示(&V)"};
    TButton Button14{form_, "現在の幅を取得(&G)"};
    TButton Button19{form_, "追加(&I)"};
    TButton Button20{form_, "削除(&D)"};

    // The widths of the combo's list (largest first).
    const std::vector<int>& WrapWidths() const noexcept { return widths_; }

private:
    void FillWrapList();
    void AddWrapWidth();
    void RemoveWrapWidth();
    void WrapCountExit();

    std::vector<int> widths_;
};

// "ウィンドウ"
class TWindowPage : public TOptionPage {
public:
    explicit TWindowPage(TPageContext& context);
    void Layout(const RECT& area) override;
    TWinControlChild& FirstControl() override { return ToolBar; }
    void Gather(TOptionChecks& c) const override;
    void ToolBarClick();
    void ToolBtnImgChange();  // also the flat tool bar's click
    void StatusBarClick();
    void FullPathFileNameClick();
    void UserWindowSizeClick();
    void UserWindowPosClick();
    // The user's size may reach the work area's right and bottom edges.
    void SetWorkArea(const RECT& work);

    TGroupBox GroupBox1{form_, "表示の設定"};
    TCheckBox ToolBar{form_, "ツールバー(&B)"};
    TCheckBox FlatToolBar{form_, "フラット(&M)"};
    TCheckBox ToolBtnHotImg{form_, "イメージ切替(&E)"};
    TLabel Label1{form_, "色(&G):"};
    TComboBox ToolBtnImg{form_, csDropDownList};
    TCheckBox ToolBarEnabled{form_, "ボタンの使用可/不可をセットする(&C)"};
    TCheckBox StatusBar{form_, "ステータスバー(&A)"};
    TCheckBox SBSimplePanels{form_, "初期値は表示しない(&F)"};
    TCheckBox ScrollBar_Tate{form_, "縦スクロールバー(&V)"};
    TCheckBox ScrollBar_Yoko{form_, "横スクロールバー(&R)"};
    TCheckBox FullPathFileName{form_, "タイトルバーのファイル名をフルパス表示(&L)"};
    TCheckBox FullPathCnv{form_, "省略形式(&D)"};
    TCheckBox ButtonFileName{form_, "タスクバーはファイル名のみ(&J)"};
    TGroupBox GroupBox2{form_, "起動時のサイズと位置"};
    TLabel Label2{form_, "状態(&W):"};
    TComboBox StartWindow{form_, csDropDownList};
    TCheckBox UserWindowSize{form_, "サイズ(&S)"};
    TLabel Label3{form_, "幅(&I):"};
    TEdit UserWindowSize_W{form_};
    TUpDown UserWindowSize_W_UpDown{form_, UserWindowSize_W, kMinUserWindowSize, 1280};
    TLabel Label4{form_, "高さ(&H):"};
    TEdit UserWindowSize_H{form_};
    TUpDown UserWindowSize_H_UpDown{form_, UserWindowSize_H, kMinUserWindowSize, 1024};
    TButton NowSize{form_, "現在のサイズ(&Z)"};
    TCheckBox UserWindowPos{form_, "位置(&P)"};
    TLabel Label5{form_, "X(&X):"};
    TEdit UserWindowPos_X{form_};
    TUpDown UserWindowPos_X_UpDown{form_, UserWindowPos_X, -kMaxWindowOffset, kMaxWindowOffset};
    TLabel Label6{form_, "Y(&Y):"};
    TEdit UserWindowPos_Y{form_};
    TUpDown UserWindowPos_Y_UpDown{form_, UserWindowPos_Y, -kMaxWindowOffset, kMaxWindowOffset};
    TButton NowPos{form_, "現在の位置(&T)"};
    TButton NowSet{form_, "今すぐ反映(&O)"};
    TCheckBox UserWindowMenu{form_, "メニューに[ユーザー指定]を表示する(&U)"};

private:
    void TakeNowSize();
    void TakeNowPos();
    void SetNow();
};

// "表示"
class TViewPage : public TOptionPage {
public:
    explicit TViewPage(TPageContext& context);
    void Layout(const RECT& area) override;
    void Load(const TAppSettings& s) override;
    void Store(TAppSettings& s) override;
    TWinControlChild& FirstControl() override { return TabMark; }
    void Gather(TOptionChecks& c) const override;
    void ColLineClick();
    void LinkWordClick();
    void UrlExClick();
    void InyouRowClick();
    // Links and quoted lines as the document's edit mode allows them.
    void FollowEditMode();

    TGroupBox GroupBox1{form_, "マーク"};
    TCheckBox TabMark{form_, "TAB(&T)"};
    TCheckBox SpMark{form_, "全角空白(&Z)"};
    TCheckBox HSpMark{form_, "半角空白(&H)"};
    TCheckBox RetMark{form_, "改行(&R)"};
    TCheckBox EofMark{form_, "[EOF](&E)"};
    TGroupBox GroupBox2{form_, "フォント"};
    TFrameLabel FontView{form_};
    TButton Button21{form_, "フォント設定(&F)..."};
    TGroupBox GroupBox3{form_, "桁基準線"};
    TCheckBox ColLine{form_, "桁基準線を表示(&O)"};
    TLabel Label1{form_, "桁(&K):"};
    TEdit ColLineByte{form_};
    TUpDown ColLineByte_UpDown{form_, ColLineByte, 0, 1000};
    TGroupBox GroupBox4{form_, "別色表示"};
    TCheckBox LinkWord{form_, "リンク(&L)"};
    TCheckBox LinkUnderline{form_, "リンクの下線(&U)"};
    TCheckBox UrlEx{form_, "URL拡張(&X)"};
    TLabel Label2{form_, "終了文字(&C):"};
    TEdit NotUrlChars{form_};
    TCheckBox InyouRow{form_, "引用行(&Q)"};
    TLabel Label3{form_, "引用符(&Y):"};
    TEdit Inyouhu{form_};

    const TFontInfoA& ViewFont() const noexcept { return font_; }

private:
    void ChooseFont();
    void ShowFont();

    TFontInfoA font_;
};

// "ルーラー/行番号"
class TRulerPage : public TOptionPage {
public:
    explicit TRulerPage(TPageContext& context);
    void Layout(const RECT& area) override;
    TWinControlChild& FirstControl() override { return Ruler; }
    void Gather(TOptionChecks& c) const override;
    void LeftBarClick();
    void RulerClick();

    TGroupBox GroupBox1{form_, "ルーラーの設定"};
    TCheckBox Ruler{form_, "ルーラーを表示する(&R)"};
    TCheckBox RulerAutoOff{form_, "標準モード時は非表示(&D)"};
    TCheckBox RulerClr{form_, "背景色をエディタ領域と合わせる(&E)"};
    TLabel Label1{form_, "目盛の間隔(&P):"};
    TComboBox RulerGaugeRange{form_, csDropDownList};
    TGroupBox GroupBox2{form_, "行番号の設定"};
    TCheckBox LeftBar{form_, "行番号を表示する(&L)"};
    TCheckBox LeftBarAutoOff{form_, "標準モード時は非表示(&V)"};
    TCheckBox LeftBarClr{form_, "背景色をエディタ領域と合わせる(&B)"};
    TLabel Label2{form_, "初期の桁数(&C):"};
    TEdit LeftBarColumn{form_};
    TUpDown LeftBarColumn_UpDown{form_, LeftBarColumn, 1, 8};
    TGroupBox GroupBox3{form_, "行番号の表示方法"};
    TCheckBox LineNum{form_, "論理行で行番号を表示する(&I)"};
};

// "禁則処理"
class TKinsokuPage : public TOptionPage {
public:
    explicit TKinsokuPage(TPageContext& context);
    void Layout(const RECT& area) override;
    TWinControlChild& FirstControl() override { return WordBreak; }
    void Gather(TOptionChecks& c) const override;
    void LeadingClick();
    void FollowPunctuationClick();

    TGroupBox GroupBox1{form_, "禁則処理の設定"};
    TCheckBox WordBreak{form_, "英文ワードラップ(&W)"};
    TCheckBox FollowRetMark{form_, "改行のぶら下げ(&R)"};
    TCheckBox Leading{form_, "禁則処理(&K)"};
    TLabel Label1{form_, "行頭禁則文字(&F):"};
    TEdit FollowStr{form_};
    TLabel Label2{form_, "行末禁則文字(&L):"};
    TEdit LeadStr{form_};
    TCheckBox FollowPunctuation{form_, "句読点のぶら下げ(&P)"};
    TLabel Label3{form_, "句読点(&S):"};
    TEdit PunctuationStr{form_};
};

// "ブラウザ"
class TBrowserPage : public TOptionPage {
public:
    explicit TBrowserPage(TPageContext& context);
    void Layout(const RECT& area) override;
    TWinControlChild& FirstControl() override { return Menu; }

    TGroupBox GroupBox1{form_, "動作の設定"};
    TLabel Label1{form_, "メニュー/ツールボタンの表示(&M):"};
    TComboBox Menu{form_, csDropDownList};
    TLabel Label2{form_, "編集中ファイルの上書き保存(&S):"};
    TComboBox Save{form_, csDropDownList};
    TGroupBox GroupBox2{form_, "パスの設定"};
    TLabel Label3{form_, "Internet Explorerのパス(&I):"};
    TEdit IePath{form_};
    TButton IePathButton{form_, "..."};
    TCheckBox IeDde{form_, "DDEを使用する(&D)"};
    TLabel Label4{form_, "Mozilla Firefoxのパス(&E):"};
    TEdit MfPath{form_};
    TButton MfPathButton{form_, "..."};
    TCheckBox MfDde{form_, "DDEを使用する(&C)"};

private:
    void ChooseProgram(TEdit& edit, const char* title, const char* filter);
};

// "ファイル"
class TFilePage : public TOptionPage {
public:
    explicit TFilePage(TPageContext& context);
    void Layout(const RECT& area) override;
    void Load(const TAppSettings& s) override;
    void Store(TAppSettings& s) override;
    TWinControlChild& FirstControl() override { return NotDoubleOpen; }
    void Gather(TOptionChecks& c) const override;
    void ChkFileAgeClick();
    void CreateNewFileClick();

    TGroupBox GroupBox1{form_, "ファイル関連の設定"};
    TCheckBox NotDoubleOpen{form_, "ファイルの重複オープンを禁止する(&J)"};
    TCheckBox ChkFileAge{form_, "アクティブ時タイムスタンプ確認後再読込(&T)"};
    TCheckBox ChkFileAgeMsg{form_, "問い合わせする(&E)"};
    TCheckBox KeepRowLoad{form_, "再読込前の表示位置を記憶する(&C)"};
    TCheckBox CreateNewFile{form_, "存在しないファイルは新規作成'(&W)"};
    TCheckBox CreateNewFileMsg{form_, "問い合わせする(&Q)"};
    TCheckBox DropCloseToOpen{form_, "ウィンドウへファイルをドロップした時は閉じて開く(&L)"};
    TCheckBox ChkReadOnlyFile{form_, "読み取り専用ファイルを認識して書き換え禁止にする(&R)"};
    TCheckBox ChkOkWriteFile{form_, "他のプロセスで使用中のファイルは書き換え禁止にする(&P)"};
    TCheckBox AutoFileName{form_, "自動で新規ファイル名を付ける(&U)"};
    TCheckBox NullFileMsg{form_, "Null文字を含むファイルは確認メッセージを表示する(&B)"};
    TCheckBox ModifiedOnFileSave{form_, "更新時のみ[上書き保存]を実行可能にする(&O)"};
    TLabel Label1{form_, "ファイルの排他制御(&H):"};
    TComboBox HaitaSeigyo{form_, csDropDownList};
    TLabel Label2{form_, "読込時のファイルサイズチェック[0は無効](&M):"};
    TEdit LoadSizeMax{form_};
    TUpDown LoadSizeMax_UpDown{form_, LoadSizeMax, 0, kMaxLoadSizeMegabytes};
    TLabel Label3{form_, "MB"};
};

// "フォルダ"
class TFolderPage : public TOptionPage {
public:
    explicit TFolderPage(TPageContext& context);
    void Layout(const RECT& area) override;
    TWinControlChild& FirstControl() override { return DefDirOn; }
    void Gather(TOptionChecks& c) const override;
    void DefDirOnClick();

    TGroupBox GroupBox1{form_, "デフォルトフォルダ"};
    TCheckBox DefDirOn{form_, "デフォルトフォルダを指定する(&D)"};
    TLabel Label1{form_, "デフォルトフォルダ(&F):"};
    TEdit DefDir{form_};
    TButton DefDirButton{form_, "..."};
};

// "バックアップ"
class TBackupPage : public TOptionPage {
public:
    explicit TBackupPage(TPageContext& context);
    void Layout(const RECT& area) override;
    TWinControlChild& FirstControl() override { return Backup; }
    void Gather(TOptionChecks& c) const override;
    void BackupClick();

    TGroupBox GroupBox1{form_, "バックアップの設定"};
    TCheckBox Backup{form_, "上書き保存時にバックアップを作成する(&B)"};
    TLabel Label1{form_, "バックアップ先フォルダ(&F):"};
    TEdit BackupPath{form_};
    TButton BackupPathButton{form_, "..."};
};

// "履歴"
class THistoryPage : public TOptionPage {
public:
    explicit THistoryPage(TPageContext& context);
    void Layout(const RECT& area) override;
    TWinControlChild& FirstControl() override { return FileNameFormat; }
    void Gather(TOptionChecks& c) const override;
    void NoDirClick();

    TGroupBox GroupBox1{form_, "ファイル履歴の設定"};
    TLabel Label1{form_, "ファイルパスの表示形式(&H):"};
    TComboBox FileNameFormat{form_, csDropDownList};
    TLabel Label2{form_, "ファイル履歴の最大件数(&M):"};
    TEdit FileHisMaxCount{form_};
    TUpDown FileHisMaxCount_UpDown{form_, FileHisMaxCount, 0, 30};
    TCheckBox NoTempDir{form_, "テンポラリフォルダのファイルは履歴へ追加しない(&T)"};
    TCheckBox NoDir{form_, "指定されたフォルダのファイルは履歴へ追加しない(&U)"};
    TLabel Label3{form_, "履歴へ追加しないフォルダ(&D)"};
    TEdit NoDirs{form_};
    TButton NoDirsButton{form_, "..."};
};

// "拡張子"
class TExtensionPage : public TOptionPage {
public:
    explicit TExtensionPage(TPageContext& context);
    void Layout(const RECT& area) override;
    void Load(const TAppSettings& s) override;
    void Store(TAppSettings& s) override;
    TWinControlChild& FirstControl() override { return FileExtListView; }

    TGroupBox GroupBox1{form_, "ファイル拡張子(&F)"};
    TListView FileExtListView{form_};
    TEdit FileExtEdit{form_};
    TButton Button4{form_, "編集(&E)"};
    TButton Button5{form_, "更新(&U)"};
    TGroupBox GroupBox2{form_, "編集モード"};
    TLabel Label1{form_, "初期の編集モード(&D):"};
    TComboBox DefEditMode{form_, csDropDownList};

private:
    void RowSelected();
    void EditRow();
    void UpdateRow();
};

// "文字コード"
class TCodePage : public TOptionPage {
public:
    explicit TCodePage(TPageContext& context);
    void Layout(const RECT& area) override;
    TWinControlChild& FirstControl() override { return LoadAutoCvt; }

    TGroupBox GroupBox1{form_, "文字コードの設定"};
    TCheckBox LoadAutoCvt{form_, "文字/改行コードを自動認識する(&J)"};
    TLabel Label1{form_, "保存文字コード(&D):"};
    TComboBox SaveCvt{form_, csDropDownList};
    TLabel Label2{form_, "保存改行コード(&L):"};
    TComboBox SaveRetCvt{form_, csDropDownList};
    TCheckBox NowJCodeReLoad{form_, "再読込は現在の文字コードで行う(&R)"};
    TLabel Label3{form_, "初期文字コード(&C):"};
    TComboBox NewCode{form_, csDropDownList};
    TLabel Label4{form_, "初期改行コード(&E):"};
    TComboBox NewRetCode{form_, csDropDownList};
};

// "その他"
class TOtherPage : public TOptionPage {
public:
    explicit TOtherPage(TPageContext& context);
    void Layout(const RECT& area) override;
    TWinControlChild& FirstControl() override { return Menu_NoSaveIni; }

    TGroupBox GroupBox1{form_, "その他の設定"};
    TCheckBox Menu_NoSaveIni{form_, "メニューでの設定変更は保存しない(&M)"};
    TCheckBox PopToolTop{form_, "ポップアップメニューの[ツール]を一番上に表示する(&T)"};
    TCheckBox PrnSetNoSave{form_, "印刷/プレビュー実行時に設定を保存しない(&P)"};
    TCheckBox HaneiBtNoClose{form_, "[一時反映]ボタンは閉じない(&C)"};
    TCheckBox NoLButtonImeEnter{form_, "IME変換中の左クリックは無視する(&L)"};
    TCheckBox NoRepLoopDrawing{form_, "連続置換中に画面描画を抑止しない(&R)"};
};

} // namespace vellumo
