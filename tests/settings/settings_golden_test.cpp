// Loading from a missing file and saving: the file written must hold exactly
// the keys and defaults below, typed from the settings tables.
#include <gtest/gtest.h>

#include "settings/settingsstore.h"
#include "support/test_machine.h"
#include "base/filebytes.h"
#include "support/tempfolder.h"

using namespace vellumo;
using vellumo::testing::TTempFolder;

namespace {

std::string WithCrLf(const char* text)
{
    std::string out;
    for (const char* p = text; *p; ++p) {
        if (*p == '\n') out += '\r';
        out += *p;
    }
    return out;
}

// The source is UTF-8 and compiled to code page 932, so the Japanese texts
// below are code-page-932 bytes.
const char* const kGolden = R"([Option]
StartWindow=0
UserWindowSize=1
UserWindowSize_W=640
UserWindowSize_H=480
UserWindowPos=1
UserWindowPos_X=10
UserWindowPos_Y=20
UserWindowMenu=1
StatusBar=1
SBSimplePanels=0
ToolBar=1
FlatToolBar=1
ToolBtnImg=1
ToolBtnHotImg=0
ToolBarEnabled=1
ScrollBar_Tate=1
ScrollBar_Yoko=1
FullPathFileName=0
FullPathCnv=0
ButtonFileName=0
PopToolTop=0
TabSpaceCount=8
UndoMax=64
LinePitch=0
CharPitch=0
LeftMargin=8
TopMargin=2
AutoIndent=0
FreeCaret=0
RetRowIndent=0
CaretUnderLine=0
StartIme=0
ImeDefOnly=0
NoLButtonImeEnter=0
FontName=ＭＳ ゴシック
FontSize=12
DefEditMode=0
Menu_NoSaveIni=0
PrnSetNoSave=0
HaneiBtNoClose=0
NoRepLoopDrawing=0
WordWrap=0
WrapCount=80
WrapLine=0
WordBreak=0
FollowRetMark=1
Leading=1
FollowStr=、。，．・？！゛゜ヽヾゝゞ々ー）］｝」』!),.:;?]}｡｣､･ｰﾞﾟ
LeadStr=（［｛「『([{｢
FollowPunctuation=1
PunctuationStr=、。，．,.｡､
ColLine=0
ColLineByte=72
RetMark=1
EofMark=1
TabMark=0
SpMark=0
HSpMark=0
InyouRow=1
Inyouhu=>|＞｜
PasteInyouhu=%> %
LinkWord=1
LinkUnderline=1
UrlEx=0
NotUrlChars=%<>,%
NotDoubleOpen=1
HaitaSeigyo=0
LoadSizeMax=0
ChkFileAge=0
ChkFileAgeMsg=1
KeepRowLoad=0
CreateNewFile=1
CreateNewFileMsg=1
DropCloseToOpen=0
ChkReadOnlyFile=1
ChkOkWriteFile=1
ModifiedOnFileSave=0
AutoFileName=0
NullFileMsg=1
LineNum=0
DefDir=C:\Docs
DefDirOn=0
UserFileFilter=*.txt;*.htm;*.html;*.cgi;*.pl
HtmlDocFilter=*.htm;*.html;*.asp
PerlDocFilter=*.cgi;*.pl
IniDocFilter=*.ini;*.inf;*.url
BatDocFilter=*.bat
CppDocFilter=*.c;*.cpp;*.h
JavaDocFilter=*.java
VbDocFilter=*.bas;*.vbs
HspDocFilter=*.as
PasDocFilter=*.pas;*.dpr
RubyDocFilter=*.rb
PhpDocFilter=*.php
CssDocFilter=*.css
JsDocFilter=*.js

[Color]
Font=clWindowText
Bk=clWindow
SelStr=clHighlightText
SelBk=clHighlight
Ret=clTeal
Tab=clSilver
Link=$00C00000
Inyou=$00C00000
UnderLine=clSilver
WrapLine=clBtnFace
ColLine=$00E4E4E4
LeftBarStr=clWindowText
RulerStr=clWindowText
Html_Comment=clGray
Html_Asp=clNavy
Html_Tag=clBlue
Html_Option=clGreen
Perl_Comment=clGreen
Ruby_Comment=clGreen
Php_Comment=clGreen
Css_Comment=clGreen
Cpp_Comment=clGreen
Java_Comment=clGreen
Js_Comment=clGreen
Vb_Comment=clGreen
Hsp_Comment=clGreen
Pas_Comment=clGreen
Bat_Comment=clGreen
Ini_Comment=clGreen
Perl_Str=clBlue
Ruby_Str=clBlue
Php_Str=clBlue
Css_Str=clBlue
Cpp_Str=clBlue
Java_Str=clBlue
Js_Str=clBlue
Vb_Str=clBlue
Hsp_Str=clBlue
Pas_Str=clBlue
Perl_KeyWord=clWindowText
Ruby_KeyWord=clWindowText
Php_KeyWord=clWindowText
Css_KeyWord=clWindowText
Bat_KeyWord=clWindowText
Cpp_KeyWord=clWindowText
Java_KeyWord=clWindowText
Js_KeyWord=clWindowText
Vb_KeyWord=clWindowText
Hsp_KeyWord=clWindowText
Pas_KeyWord=clWindowText
Ini_Sec=clBlue
Ini_Key=clNavy
Bat_Label=clNavy
Hsp_Label=clNavy
Perl_KeyWord_Bold=1
Perl_KeyWord_Case=1
Ruby_KeyWord_Bold=1
Ruby_KeyWord_Case=1
Php_KeyWord_Bold=1
Php_KeyWord_Case=0
Css_KeyWord_Bold=1
Css_KeyWord_Case=0
Bat_KeyWord_Bold=1
Bat_KeyWord_Case=0
Cpp_KeyWord_Bold=1
Cpp_KeyWord_Case=1
Java_KeyWord_Bold=1
Java_KeyWord_Case=1
Js_KeyWord_Bold=1
Js_KeyWord_Case=1
Vb_KeyWord_Bold=1
Vb_KeyWord_Case=0
Hsp_KeyWord_Bold=1
Hsp_KeyWord_Case=0
Pas_KeyWord_Bold=1
Pas_KeyWord_Case=0

[Browser]
Menu=0
Save=0
IePath=C:\IE\iexplore.exe
MfPath=
IeDde=1
MfDde=1

[JCode]
LoadAutoCvt=1
SaveCvt=0
SaveRetCvt=0
NowJCodeReLoad=0
NewCode=0
NewRetCode=0

[LeftBarAndRuler]
LeftBar=1
LeftBarAutoOff=0
LeftBarColumn=4
LeftBarClr=1
Ruler=1
RulerAutoOff=0
RulerClr=0
RulerGaugeRange=1

[Backup]
Backup=0
BackupPath=C:\Temp\

[FileHistorySet]
FileNameFormat=0
FileHisMaxCount=10
NoTempDir=0
NoDir=0
NoDirs=C:\Desk;C:\Prog
)";

TEST(SettingsGolden, MissingFileLoadsDefaultsAndSavesExactlyTheTable)
{
    TTempFolder dir;
    const std::string path = dir.File("vellumo.ini");
    TFakeMachine machine;
    TSettingsStore store(path, machine);
    int broadcasts = 0;
    store.OnSaved = [&] { ++broadcasts; };

    ASSERT_TRUE(store.LoadSettings());
    EXPECT_FALSE(PathExists(path));  // reading writes nothing
    EXPECT_TRUE(dir.Entries().empty());
    EXPECT_EQ(broadcasts, 0);

    ASSERT_TRUE(store.SaveSettings()) << store.ErrorText();
    EXPECT_EQ(broadcasts, 1);
    std::string bytes;
    ASSERT_EQ(ReadFileBytes(path, bytes), TReadStatus::Ok);
    EXPECT_EQ(bytes, WithCrLf(kGolden));

    // The literals really are code page 932: "ＭＳ ゴシック" and "＞｜".
    EXPECT_NE(bytes.find("FontName=\x82\x6C\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4E\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("Inyouhu=>|\x81\x84\x81\x62\r\n"), std::string::npos);

    // The registry was asked for both browsers, since neither key was there.
    EXPECT_EQ(machine.browserCalls, 2);
}

TEST(SettingsGolden, TheGoldenFileReadsBackAsTheDefaults)
{
    TTempFolder dir;
    TFakeMachine machine;
    TSettingsStore fresh(dir.File("none.ini"), machine);
    ASSERT_TRUE(fresh.LoadSettings());

    const std::string path = dir.File("golden.ini");
    ASSERT_TRUE(ReplaceFileBytes(path, WithCrLf(kGolden)));
    TFakeMachine other;  // other machine values must not matter now: every key is present
    other.bounds = {1, 2, 3, 4};
    other.documents = "D:\\Elsewhere";
    TSettingsStore store(path, other);
    ASSERT_TRUE(store.LoadSettings());
    EXPECT_EQ(store.Settings, fresh.Settings);
    EXPECT_EQ(other.browserCalls, 0);
    EXPECT_EQ(other.folderCalls, 0);
    EXPECT_EQ(store.PasteQuoteMark(), "> ");
}

} // namespace
