// Every key of the settings file with its default, in the order it is written.
#include "settings/settingsdecl.h"

namespace vellumo {

namespace {

using K = TValueKind;
using M = TMachineValue;

template <class Root, class F>
constexpr TSettingDecl<Root> Decl(const char* section, const char* key, K kind, F field, int defInt,
                                  const char* defStr = "")
{
    TSettingDecl<Root> d;
    d.Section = section;
    d.Key = key;
    d.Kind = kind;
    d.Field = MakeFieldRef<Root>(field);
    d.DefInt = defInt;
    d.DefStr = defStr;
    return d;
}

// Keys that a rule of another key looks at.
constexpr char kDefDir[] = "DefDir";
constexpr char kMfPath[] = "MfPath";

#define APP_FIELD(path) [](TAppSettings& s) { return &s.path; }
#define OPT_INT(key, def) Decl<TAppSettings>(kSecOption, #key, K::Int, APP_FIELD(Option.key), def)
#define OPT_BOOL(key, def) Decl<TAppSettings>(kSecOption, #key, K::Bool, APP_FIELD(Option.key), def)
#define OPT_STR(key, def) Decl<TAppSettings>(kSecOption, #key, K::String, APP_FIELD(Option.key), 0, def)
#define CLR(key, def) Decl<TAppSettings>(kSecColor, #key, K::Color, APP_FIELD(Color.key), def)
#define CLR_BOOL(key, def) Decl<TAppSettings>(kSecColor, #key, K::Bool, APP_FIELD(Color.key), def)
#define SEC_INT(sec, member, key, def) Decl<TAppSettings>(sec, #key, K::Int, APP_FIELD(member.key), def)
#define SEC_BOOL(sec, member, key, def) Decl<TAppSettings>(sec, #key, K::Bool, APP_FIELD(member.key), def)
#define SEC_STR(sec, member, key, def) Decl<TAppSettings>(sec, #key, K::String, APP_FIELD(member.key), 0, def)

const TSettingDecl<TAppSettings> kAppDecls[] = {
    // [Option], window and bars
    OPT_INT(StartWindow, 0),
    OPT_BOOL(UserWindowSize, 1),
    OPT_INT(UserWindowSize_W, 0).WithMachine(M::WindowWidth),
    OPT_INT(UserWindowSize_H, 0).WithMachine(M::WindowHeight),
    OPT_BOOL(UserWindowPos, 1),
    OPT_INT(UserWindowPos_X, 0).WithMachine(M::WindowLeft),
    OPT_INT(UserWindowPos_Y, 0).WithMachine(M::WindowTop),
    OPT_BOOL(UserWindowMenu, 1),
    OPT_BOOL(StatusBar, 1),
    OPT_BOOL(SBSimplePanels, 0),
    OPT_BOOL(ToolBar, 1),
    OPT_BOOL(FlatToolBar, 1),
    OPT_INT(ToolBtnImg, 0).WithMachine(M::ToolButtonImages),
    OPT_BOOL(ToolBtnHotImg, 0),
    OPT_BOOL(ToolBarEnabled, 1),
    OPT_BOOL(ScrollBar_Tate, 1),
    OPT_BOOL(ScrollBar_Yoko, 1),
    OPT_BOOL(FullPathFileName, 0),
    OPT_BOOL(FullPathCnv, 0),
    OPT_BOOL(ButtonFileName, 0),
    OPT_BOOL(PopToolTop, 0),
    // [Option], editing
    OPT_INT(TabSpaceCount, 8),
    OPT_INT(UndoMax, 64),
    OPT_INT(LinePitch, 0),
    OPT_INT(CharPitch, 0),
    OPT_INT(LeftMargin, 8),
    OPT_INT(TopMargin, 2),
    OPT_BOOL(AutoIndent, 0),
    OPT_BOOL(FreeCaret, 0),
    OPT_BOOL(RetRowIndent, 0),
    OPT_BOOL(CaretUnderLine, 0),
    OPT_BOOL(StartIme, 0),
    OPT_BOOL(ImeDefOnly, 0),
    OPT_BOOL(NoLButtonImeEnter, 0),
    OPT_STR(FontName, "ＭＳ ゴシック"),
    OPT_INT(FontSize, 12),
    OPT_INT(DefEditMode, 0),
    OPT_BOOL(Menu_NoSaveIni, 0),
    OPT_BOOL(PrnSetNoSave, 0),
    OPT_BOOL(HaneiBtNoClose, 0),
    OPT_BOOL(NoRepLoopDrawing, 0),
    // [Option], wrapping and line breaking
    OPT_BOOL(WordWrap, 0),
    OPT_INT(WrapCount, 80),
    OPT_BOOL(WrapLine, 0),
    OPT_BOOL(WordBreak, 0),
    OPT_BOOL(FollowRetMark, 1),
    OPT_BOOL(Leading, 1),
    OPT_STR(FollowStr, "、。，．・？！゛゜ヽヾゝゞ々ー）］｝」』!),.:;?]}｡｣､･ｰﾞﾟ"),
    OPT_STR(LeadStr, "（［｛「『([{｢"),
    OPT_BOOL(FollowPunctuation, 1),
    OPT_STR(PunctuationStr, "、。，．,.｡､"),
    OPT_BOOL(ColLine, 0),
    OPT_INT(ColLineByte, 72),
    // [Option], marks, quotes and links
    OPT_BOOL(RetMark, 1),
    OPT_BOOL(EofMark, 1),
    OPT_BOOL(TabMark, 0),
    OPT_BOOL(SpMark, 0),
    OPT_BOOL(HSpMark, 0),
    OPT_BOOL(InyouRow, 1),
    OPT_STR(Inyouhu, ">|＞｜"),
    Decl<TAppSettings>(kSecOption, "PasteInyouhu", K::RawString, APP_FIELD(Option.PasteInyouhu), 0, "%> %"),
    OPT_BOOL(LinkWord, 1),
    OPT_BOOL(LinkUnderline, 1),
    OPT_BOOL(UrlEx, 0),
    Decl<TAppSettings>(kSecOption, "NotUrlChars", K::PercentString, APP_FIELD(Option.NotUrlChars), 0, "<>,"),
    // [Option], files and folders
    OPT_BOOL(NotDoubleOpen, 1),
    OPT_INT(HaitaSeigyo, 0),
    OPT_INT(LoadSizeMax, 0),
    OPT_BOOL(ChkFileAge, 0),
    OPT_BOOL(ChkFileAgeMsg, 1),
    OPT_BOOL(KeepRowLoad, 0),
    OPT_BOOL(CreateNewFile, 1),
    OPT_BOOL(CreateNewFileMsg, 1),
    OPT_BOOL(DropCloseToOpen, 0),
    OPT_BOOL(ChkReadOnlyFile, 1),
    OPT_BOOL(ChkOkWriteFile, 1),
    OPT_BOOL(ModifiedOnFileSave, 0),
    OPT_BOOL(AutoFileName, 0),
    OPT_BOOL(NullFileMsg, 1),
    OPT_BOOL(LineNum, 0),
    Decl<TAppSettings>(kSecOption, kDefDir, K::String, APP_FIELD(Option.DefDir), 0).WithMachine(M::DocumentsFolder),
    OPT_BOOL(DefDirOn, 0).WithRule(TKeyRule::OffWhenOtherEmpty, kDefDir),
    OPT_STR(UserFileFilter, "*.txt;*.htm;*.html;*.cgi;*.pl"),
    // [Option], extension lists
    OPT_STR(HtmlDocFilter, "*.htm;*.html;*.asp"),
    OPT_STR(PerlDocFilter, "*.cgi;*.pl"),
    OPT_STR(IniDocFilter, "*.ini;*.inf;*.url"),
    OPT_STR(BatDocFilter, "*.bat"),
    OPT_STR(CppDocFilter, "*.c;*.cpp;*.h"),
    OPT_STR(JavaDocFilter, "*.java"),
    OPT_STR(VbDocFilter, "*.bas;*.vbs"),
    OPT_STR(HspDocFilter, "*.as"),
    OPT_STR(PasDocFilter, "*.pas;*.dpr"),
    OPT_STR(RubyDocFilter, "*.rb"),
    OPT_STR(PhpDocFilter, "*.php"),
    OPT_STR(CssDocFilter, "*.css"),
    OPT_STR(JsDocFilter, "*.js"),

    // [Color]
    CLR(Font, clWindowText),
    CLR(Bk, clWindow),
    CLR(SelStr, clHighlightText),
    CLR(SelBk, clHighlight),
    CLR(Ret, clTeal),
    CLR(Tab, clSilver),
    CLR(Link, 0x00C00000),
    CLR(Inyou, 0x00C00000),
    CLR(UnderLine, clSilver),
    CLR(WrapLine, clBtnFace),
    CLR(ColLine, 0x00E4E4E4),
    CLR(LeftBarStr, clWindowText),
    CLR(RulerStr, clWindowText),
    CLR(Html_Comment, clGray),
    CLR(Html_Asp, clNavy),
    CLR(Html_Tag, clBlue),
    CLR(Html_Option, clGreen),
    CLR(Perl_Comment, clGreen),
    CLR(Ruby_Comment, clGreen),
    CLR(Php_Comment, clGreen),
    CLR(Css_Comment, clGreen),
    CLR(Cpp_Comment, clGreen),
    CLR(Java_Comment, clGreen),
    CLR(Js_Comment, clGreen),
    CLR(Vb_Comment, clGreen),
    CLR(Hsp_Comment, clGreen),
    CLR(Pas_Comment, clGreen),
    CLR(Bat_Comment, clGreen),
    CLR(Ini_Comment, clGreen),
    CLR(Perl_Str, clBlue),
    CLR(Ruby_Str, clBlue),
    CLR(Php_Str, clBlue),
    CLR(Css_Str, clBlue),
    CLR(Cpp_Str, clBlue),
    CLR(Java_Str, clBlue),
    CLR(Js_Str, clBlue),
    CLR(Vb_Str, clBlue),
    CLR(Hsp_Str, clBlue),
    CLR(Pas_Str, clBlue),
    CLR(Perl_KeyWord, clWindowText),
    CLR(Ruby_KeyWord, clWindowText),
    CLR(Php_KeyWord, clWindowText),
    CLR(Css_KeyWord, clWindowText),
    CLR(Bat_KeyWord, clWindowText),
    CLR(Cpp_KeyWord, clWindowText),
    CLR(Java_KeyWord, clWindowText),
    CLR(Js_KeyWord, clWindowText),
    CLR(Vb_KeyWord, clWindowText),
    CLR(Hsp_KeyWord, clWindowText),
    CLR(Pas_KeyWord, clWindowText),
    CLR(Ini_Sec, clBlue),
    CLR(Ini_Key, clNavy),
    CLR(Bat_Label, clNavy),
    CLR(Hsp_Label, clNavy),
    CLR_BOOL(Perl_KeyWord_Bold, 1),
    CLR_BOOL(Perl_KeyWord_Case, 1),
    CLR_BOOL(Ruby_KeyWord_Bold, 1),
    CLR_BOOL(Ruby_KeyWord_Case, 1),
    CLR_BOOL(Php_KeyWord_Bold, 1),
    CLR_BOOL(Php_KeyWord_Case, 0),
    CLR_BOOL(Css_KeyWord_Bold, 1),
    CLR_BOOL(Css_KeyWord_Case, 0),
    CLR_BOOL(Bat_KeyWord_Bold, 1),
    CLR_BOOL(Bat_KeyWord_Case, 0),
    CLR_BOOL(Cpp_KeyWord_Bold, 1),
    CLR_BOOL(Cpp_KeyWord_Case, 1),
    CLR_BOOL(Java_KeyWord_Bold, 1),
    CLR_BOOL(Java_KeyWord_Case, 1),
    CLR_BOOL(Js_KeyWord_Bold, 1),
    CLR_BOOL(Js_KeyWord_Case, 1),
    CLR_BOOL(Vb_KeyWord_Bold, 1),
    CLR_BOOL(Vb_KeyWord_Case, 0),
    CLR_BOOL(Hsp_KeyWord_Bold, 1),
    CLR_BOOL(Hsp_KeyWord_Case, 0),
    CLR_BOOL(Pas_KeyWord_Bold, 1),
    CLR_BOOL(Pas_KeyWord_Case, 0),

    // [Browser]
    SEC_INT(kSecBrowser, Browser, Menu, 0),
    SEC_INT(kSecBrowser, Browser, Save, 0),
    SEC_STR(kSecBrowser, Browser, IePath, "").WithMachine(M::IePath),
    Decl<TAppSettings>(kSecBrowser, kMfPath, K::String, APP_FIELD(Browser.MfPath), 0).WithMachine(M::MfPath),
    SEC_BOOL(kSecBrowser, Browser, IeDde, 1),
    SEC_BOOL(kSecBrowser, Browser, MfDde, 1).WithRule(TKeyRule::DefaultOnWhenOtherAbsent, kMfPath),

    // [JCode]
    SEC_BOOL(kSecJCode, JCode, LoadAutoCvt, 1),
    SEC_INT(kSecJCode, JCode, SaveCvt, 0).WithRule(TKeyRule::NegativeReadsAsOne),
    SEC_INT(kSecJCode, JCode, SaveRetCvt, 0),
    SEC_BOOL(kSecJCode, JCode, NowJCodeReLoad, 0),
    SEC_INT(kSecJCode, JCode, NewCode, 0),
    SEC_INT(kSecJCode, JCode, NewRetCode, 0),

    // [LeftBarAndRuler]
    SEC_BOOL(kSecLeftBarAndRuler, LeftBarAndRuler, LeftBar, 1),
    SEC_BOOL(kSecLeftBarAndRuler, LeftBarAndRuler, LeftBarAutoOff, 0),
    SEC_INT(kSecLeftBarAndRuler, LeftBarAndRuler, LeftBarColumn, 4),
    SEC_BOOL(kSecLeftBarAndRuler, LeftBarAndRuler, LeftBarClr, 1),
    SEC_BOOL(kSecLeftBarAndRuler, LeftBarAndRuler, Ruler, 1),
    SEC_BOOL(kSecLeftBarAndRuler, LeftBarAndRuler, RulerAutoOff, 0),
    SEC_BOOL(kSecLeftBarAndRuler, LeftBarAndRuler, RulerClr, 0),
    SEC_INT(kSecLeftBarAndRuler, LeftBarAndRuler, RulerGaugeRange, 1),

    // [Backup]
    SEC_BOOL(kSecBackup, Backup, Backup, 0),
    SEC_STR(kSecBackup, Backup, BackupPath, "").WithMachine(M::TempFolder),

    // [FileHistorySet]
    SEC_INT(kSecFileHistorySet, FileHistorySet, FileNameFormat, 0),
    SEC_INT(kSecFileHistorySet, FileHistorySet, FileHisMaxCount, 10),
    SEC_BOOL(kSecFileHistorySet, FileHistorySet, NoTempDir, 0),
    SEC_BOOL(kSecFileHistorySet, FileHistorySet, NoDir, 0),
    SEC_STR(kSecFileHistorySet, FileHistorySet, NoDirs, "").WithMachine(M::HistoryNoDirs),

    // [OptionEx]: only read; users add these by hand.
    SEC_BOOL(kSecOptionEx, OptionEx, ImeReConv, 1).ReadOnly(),
    SEC_BOOL(kSecOptionEx, OptionEx, FileDlgEnableSizing, 1).ReadOnly(),
    SEC_BOOL(kSecOptionEx, OptionEx, CaretLockScroll, 0).ReadOnly(),
    SEC_STR(kSecOptionEx, OptionEx, UrlChars, "").ReadOnly(),
    SEC_STR(kSecOptionEx, OptionEx, MailChars, "").ReadOnly(),
};

#define PRN_FIELD(m) [](TAppIniPrn& p) { return &p.m; }
#define PRN_INT(key, def) Decl<TAppIniPrn>(kSecPrint, #key, K::Int, PRN_FIELD(key), def)

const TSettingDecl<TAppIniPrn> kPrintDecls[] = {
    PRN_INT(LeftMargin, 20),
    PRN_INT(RightMargin, 20),
    PRN_INT(TopMargin, 15),
    PRN_INT(BottomMargin, 15),
    Decl<TAppIniPrn>(kSecPrint, "ColNum", K::Bool, PRN_FIELD(ColNum), 0),
    Decl<TAppIniPrn>(kSecPrint, "HeaderStr", K::PercentString, PRN_FIELD(HeaderStr), 0, "[ %F ]"),
    PRN_INT(HeaderAlign, 2),
    Decl<TAppIniPrn>(kSecPrint, "FooterStr", K::PercentString, PRN_FIELD(FooterStr), 0, "- %p -"),
    PRN_INT(FooterAlign, 2),
    Decl<TAppIniPrn>(kSecPrint, "FontName", K::String, PRN_FIELD(FontName), 0, "ＭＳ ゴシック"),
    PRN_INT(FontSize, 12),
    PRN_INT(ColumnCount, 1),
    PRN_INT(ColumnSpace, 20),
};

#define SCH_FIELD(m) [](TAppSearchOptions& o) { return &o.m; }
#define SCH_BOOL(key, def) Decl<TAppSearchOptions>(kSecSearchOptions, #key, K::Bool, SCH_FIELD(key), def)

const TSettingDecl<TAppSearchOptions> kSearchDecls[] = {
    SCH_BOOL(MatchCase, 0),
    SCH_BOOL(WholeWord, 0),
    Decl<TAppSearchOptions>(kSecSearchOptions, "Direction", K::Int, SCH_FIELD(Direction), 1),
    SCH_BOOL(Esc, 0),
    SCH_BOOL(ReplaceConfirm, 1),
};

#define WND_FIELD(m) [](TAppWindowPlacement& w) { return &w.m; }
#define WND_INT(key, machine) \
    Decl<TAppWindowPlacement>(kSecMainWindow, #key, K::Int, WND_FIELD(key), 0).WithMachine(machine)

const TSettingDecl<TAppWindowPlacement> kPlacementDecls[] = {
    WND_INT(WindowWidth, M::WindowWidth),
    WND_INT(WindowHeight, M::WindowHeight),
    WND_INT(WindowTop, M::WindowTop),
    WND_INT(WindowLeft, M::WindowLeft),
    Decl<TAppWindowPlacement>(kSecMainWindow, "WindowMax", K::Bool, WND_FIELD(WindowMax), 0),
};

const TObsoleteEntry kObsolete[] = {
    {kSecOption, "BackSpaceUnIndent"},
    {kSecOption, "BFreeCaret"},
    {kSecOption, "TabCount"},
    {kSecBrowser, "NnPath"},
    {kSecBrowser, "NnDde"},
    {"RowJumpOptions", nullptr},
    {"FileHistory", nullptr},
};

} // namespace

std::span<const TSettingDecl<TAppSettings>> AppSettingDecls()
{
    return kAppDecls;
}

std::span<const TSettingDecl<TAppIniPrn>> PrintSettingDecls()
{
    return kPrintDecls;
}

std::span<const TSettingDecl<TAppSearchOptions>> SearchOptionDecls()
{
    return kSearchDecls;
}

std::span<const TSettingDecl<TAppWindowPlacement>> WindowPlacementDecls()
{
    return kPlacementDecls;
}

std::span<const TObsoleteEntry> ObsoleteEntries()
{
    return kObsolete;
}

} // namespace vellumo
