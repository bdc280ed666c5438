#pragma once
// The program's settings as plain records, one member per key of the settings
// file. Members start empty: their defaults live in the key declarations
// (settingskeys.cpp) and are set by reading, so a file without the key and a
// fresh start give the same values.
#include <string>
#include <string_view>
#include <vector>

#include "base/color.h"

namespace vellumo {

// [Option]
struct TAppIni {
    // window and bars
    int StartWindow{};
    bool UserWindowSize{};
    int UserWindowSize_W{};
    int UserWindowSize_H{};
    bool UserWindowPos{};
    int UserWindowPos_X{};
    int UserWindowPos_Y{};
    bool UserWindowMenu{};
    bool StatusBar{};
    bool SBSimplePanels{};
    bool ToolBar{};
    bool FlatToolBar{};
    int ToolBtnImg{};
    bool ToolBtnHotImg{};
    bool ToolBarEnabled{};
    bool ScrollBar_Tate{};
    bool ScrollBar_Yoko{};
    bool FullPathFileName{};
    bool FullPathCnv{};
    bool ButtonFileName{};
    bool PopToolTop{};
    // editing
    int TabSpaceCount{};
    int UndoMax{};
    int LinePitch{};
    int CharPitch{};
    int LeftMargin{};
    int TopMargin{};
    bool AutoIndent{};
    bool FreeCaret{};
    bool RetRowIndent{};
    bool CaretUnderLine{};
    bool StartIme{};
    bool ImeDefOnly{};
    bool NoLButtonImeEnter{};
    std::string FontName;
    int FontSize{};  // -14 stands for 10.5 points
    int DefEditMode{};
    bool Menu_NoSaveIni{};
    bool PrnSetNoSave{};
    bool HaneiBtNoClose{};
    bool NoRepLoopDrawing{};
    // wrapping and line breaking
    bool WordWrap{};
    int WrapCount{};
    bool WrapLine{};
    bool WordBreak{};
    bool FollowRetMark{};
    bool Leading{};
    std::string FollowStr;
    std::string LeadStr;
    bool FollowPunctuation{};
    std::string PunctuationStr;
    bool ColLine{};
    int ColLineByte{};
    // marks, quotes and links
    bool RetMark{};
    bool EofMark{};
    bool TabMark{};
    bool SpMark{};
    bool HSpMark{};
    bool InyouRow{};
    std::string Inyouhu;
    std::string PasteInyouhu;  // held with its wrapping "%"; see PasteQuoteMark
    bool LinkWord{};
    bool LinkUnderline{};
    bool UrlEx{};
    std::string NotUrlChars;   // held unwrapped
    // files and folders
    bool NotDoubleOpen{};
    int HaitaSeigyo{};
    int LoadSizeMax{};
    bool ChkFileAge{};
    bool ChkFileAgeMsg{};
    bool KeepRowLoad{};
    bool CreateNewFile{};
    bool CreateNewFileMsg{};
    bool DropCloseToOpen{};
    bool ChkReadOnlyFile{};
    bool ChkOkWriteFile{};
    bool ModifiedOnFileSave{};
    bool AutoFileName{};
    bool NullFileMsg{};
    bool LineNum{};
    std::string DefDir;
    bool DefDirOn{};
    std::string UserFileFilter;
    // extension lists
    std::string HtmlDocFilter;
    std::string PerlDocFilter;
    std::string IniDocFilter;
    std::string BatDocFilter;
    std::string CppDocFilter;
    std::string JavaDocFilter;
    std::string VbDocFilter;
    std::string HspDocFilter;
    std::string PasDocFilter;
    std::string RubyDocFilter;
    std::string PhpDocFilter;
    std::string CssDocFilter;
    std::string JsDocFilter;

    bool operator==(const TAppIni&) const = default;
};

// [Color]: 54 colours and 22 keyword switches (also the colour-settings files).
struct TAppColors {
    TColor Font{}, Bk{}, SelStr{}, SelBk{}, Ret{}, Tab{}, Link{}, Inyou{}, UnderLine{}, WrapLine{}, ColLine{};
    TColor LeftBarStr{}, RulerStr{};
    TColor Html_Comment{}, Html_Asp{}, Html_Tag{}, Html_Option{};
    TColor Perl_Comment{}, Ruby_Comment{}, Php_Comment{}, Css_Comment{}, Cpp_Comment{}, Java_Comment{}, Js_Comment{};
    TColor Vb_Comment{}, Hsp_Comment{}, Pas_Comment{}, Bat_Comment{}, Ini_Comment{};
    TColor Perl_Str{}, Ruby_Str{}, Php_Str{}, Css_Str{}, Cpp_Str{}, Java_Str{}, Js_Str{}, Vb_Str{}, Hsp_Str{}, Pas_Str{};
    TColor Perl_KeyWord{}, Ruby_KeyWord{}, Php_KeyWord{}, Css_KeyWord{}, Bat_KeyWord{}, Cpp_KeyWord{};
    TColor Java_KeyWord{}, Js_KeyWord{}, Vb_KeyWord{}, Hsp_KeyWord{}, Pas_KeyWord{};
    TColor Ini_Sec{}, Ini_Key{}, Bat_Label{}, Hsp_Label{};
    bool Perl_KeyWord_Bold{}, Perl_KeyWord_Case{};
    bool Ruby_KeyWord_Bold{}, Ruby_KeyWord_Case{};
    bool Php_KeyWord_Bold{}, Php_KeyWord_Case{};
    bool Css_KeyWord_Bold{}, Css_KeyWord_Case{};
    bool Bat_KeyWord_Bold{}, Bat_KeyWord_Case{};
    bool Cpp_KeyWord_Bold{}, Cpp_KeyWord_Case{};
    bool Java_KeyWord_Bold{}, Java_KeyWord_Case{};
    bool Js_KeyWord_Bold{}, Js_KeyWord_Case{};
    bool Vb_KeyWord_Bold{}, Vb_KeyWord_Case{};
    bool Hsp_KeyWord_Bold{}, Hsp_KeyWord_Case{};
    bool Pas_KeyWord_Bold{}, Pas_KeyWord_Case{};

    bool operator==(const TAppColors&) const = default;
};

// [Browser]
struct TAppIniBw {
    int Menu{};
    int Save{};
    std::string IePath;
    std::string MfPath;
    bool IeDde{};
    bool MfDde{};

    bool operator==(const TAppIniBw&) const = default;
};

// [JCode]
struct TAppJCode {
    bool LoadAutoCvt{};
    int SaveCvt{};
    int SaveRetCvt{};
    bool NowJCodeReLoad{};
    int NewCode{};
    int NewRetCode{};

    bool operator==(const TAppJCode&) const = default;
};

// [LeftBarAndRuler]
struct TAppLeftBarRuler {
    bool LeftBar{};
    bool LeftBarAutoOff{};
    int LeftBarColumn{};
    bool LeftBarClr{};
    bool Ruler{};
    bool RulerAutoOff{};
    bool RulerClr{};
    int RulerGaugeRange{};

    bool operator==(const TAppLeftBarRuler&) const = default;
};

// [Backup]
struct TAppIniBak {
    bool Backup{};
    std::string BackupPath;

    bool operator==(const TAppIniBak&) const = default;
};

// [FileHistorySet]
struct TAppIniHis {
    int FileNameFormat{};
    int FileHisMaxCount{};
    bool NoTempDir{};
    bool NoDir{};
    std::string NoDirs;

    bool operator==(const TAppIniHis&) const = default;
};

// [OptionEx]: read, never written.
struct TAppIniEx {
    bool ImeReConv{};
    bool FileDlgEnableSizing{};
    bool CaretLockScroll{};
    std::string UrlChars;
    std::string MailChars;

    bool operator==(const TAppIniEx&) const = default;
};

// Everything LoadSettings reads and SaveSettings writes.
struct TAppSettings {
    TAppIni Option;
    TAppColors Color;
    TAppIniBw Browser;
    TAppJCode JCode;
    TAppLeftBarRuler LeftBarAndRuler;
    TAppIniBak Backup;
    TAppIniHis FileHistorySet;
    TAppIniEx OptionEx;
    // [WrapByteList]: the wrap widths of the wrap-width menu, at most nine.
    std::vector<int> WrapWidths;

    bool operator==(const TAppSettings&) const = default;
};

constexpr int MaxWrapWidths = 9;
constexpr int DefaultWrapWidth = 80;

// [Print]; the last four are set by the print dialog and never stored.
struct TAppIniPrn {
    int LeftMargin{};
    int RightMargin{};
    int TopMargin{};
    int BottomMargin{};
    bool ColNum{};
    std::string HeaderStr;  // held unwrapped
    int HeaderAlign{};
    std::string FooterStr;  // held unwrapped
    int FooterAlign{};
    std::string FontName;
    int FontSize{};
    int ColumnCount{};
    int ColumnSpace{};
    int RangeOption{};
    int StartPage{};
    int LastPage{};
    bool SelectionOnly{};

    bool operator==(const TAppIniPrn&) const = default;
};

// [SearchOptions]
struct TAppSearchOptions {
    bool MatchCase{};
    bool WholeWord{};
    int Direction{};  // 1 down, 0 up
    bool Esc{};
    bool ReplaceConfirm{};

    bool operator==(const TAppSearchOptions&) const = default;
};

// The section named after the main window's class: placement at the last exit.
struct TAppWindowPlacement {
    int WindowWidth{};
    int WindowHeight{};
    int WindowTop{};
    int WindowLeft{};
    bool WindowMax{};

    bool operator==(const TAppWindowPlacement&) const = default;
};

// A value stored between "%" characters so that its blanks survive the
// trimming of the file's reader: the inner
// text when the value is at least two bytes long and both ends are "%"
// (a lone "%" is both ends and reads as empty);
// anything else unchanged.
std::string StripPercentWrap(std::string_view value);
std::string WrapPercent(std::string_view value);

} // namespace vellumo
