// What the options dialog does beyond tying a control to a key: values shown
// otherwise than held, the wrap-width list, the extension rows, the apply
// button, the remembered page, enabling, the choosers and the window buttons.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "base/filebytes.h"
#include "base/showmsg.h"
#include "classlib/filedialog_win.h"
#include "dialogs/folder/browsefolder_win.h"
#include "dialogs/options/optionform_win.h"
#include "settings/settingsstore.h"
#include "support/modalscript_win.h"
#include "support/winsupport_win.h"
#include "support/tempfolder.h"
#include "support/test_machine.h"

using namespace vellumo;
using namespace vellumo::testing;

namespace {

void Click(TWinControlChild& c) { SendMessageA(c.Handle(), BM_CLICK, 0, 0); }

class OptionForm : public ::testing::Test {
protected:
    // The settings read from a file with this text.
    void Load(const std::string& ini)
    {
        ASSERT_TRUE(ReplaceFileBytes(path_, ini));
        ASSERT_TRUE(store_.LoadSettings());
    }

    TModalResult Run(const std::function<void(TOptionForm&)>& script, int page = opBasic)
    {
        page_ = page;
        bool seen = false;
        TScript s([&](TForm& f) {
            seen = true;
            script(dynamic_cast<TOptionForm&>(f));
            // A script cut short by a failed assertion must not leave the dialog open.
            if (f.ModalResult() == mrNone) f.SetModalResult(mrCancel);
        });
        const TModalResult r = ShowOptionDialog(store_.Settings, page_, host_);
        EXPECT_TRUE(seen);
        return r;
    }

    TTempFolder dir_;
    TFakeMachine machine_;
    std::string path_ = dir_.File("v.ini");
    TSettingsStore store_{path_, machine_};
    TOptionHost host_;
    int page_ = 0;
};

} // namespace

TEST_F(OptionForm, OkWithoutChangesKeepsEverySetting)
{
    Load("");
    const TAppSettings before = store_.Settings;
    EXPECT_EQ(Run([](TOptionForm& f) { f.Button1.Click(); }), mrOk);
    EXPECT_EQ(store_.Settings, before);
}

TEST_F(OptionForm, SizeLimitQuotesFontAndMasksAreShownOtherwiseThanHeld)
{
    Load("[Option]\r\nLoadSizeMax=2500000\r\nPasteInyouhu=%>> %\r\nInyouhu=#\r\nFontName=Courier\r\n"
         "FontSize=-14\r\nUserFileFilter=*.a\r\nHtmlDocFilter=*.h1\r\n");
    Run([](TOptionForm& f) {
        EXPECT_EQ(f.File.LoadSizeMax.Text(), "2");  // whole megabytes
        EXPECT_EQ(f.Basic.PasteInyouhu.Text(), ">> ");
        EXPECT_EQ(f.View.FontView.Caption(), "Courier (10.5)");
        EXPECT_EQ(f.Extension.FileExtListView.Cell(0, 1), "*.a");
        EXPECT_EQ(f.Extension.FileExtListView.Cell(13, 0), "Delphi");
        // Emptied, each takes its default (only the user's masks have one).
        f.Basic.PasteInyouhu.SetText("");
        f.View.Inyouhu.SetText("");
        f.Extension.FileExtListView.SetCell(0, 1, "");
        f.Extension.FileExtListView.SetCell(1, 1, "");
        f.Button1.Click();
    });
    const TAppIni& o = store_.Settings.Option;
    EXPECT_EQ(o.LoadSizeMax, 2000000);
    EXPECT_EQ(o.PasteInyouhu, "%> %");
    EXPECT_EQ(o.Inyouhu, ">|＞｜");
    EXPECT_EQ(o.UserFileFilter, "*.txt;*.htm;*.html;*.cgi;*.pl");
    EXPECT_EQ(o.HtmlDocFilter, "");
    EXPECT_EQ(o.FontSize, -14);
    // A limit below a megabyte shows as 1 and stays a limit.
    store_.Settings.Option.LoadSizeMax = 999999;
    Run([](TOptionForm& f) {
        EXPECT_EQ(f.File.LoadSizeMax.Text(), "1");
        EXPECT_EQ(f.Basic.PasteInyouhu.Text(), "> ");
        f.Button1.Click();
    });
    EXPECT_EQ(store_.Settings.Option.LoadSizeMax, 1000000);
}

TEST_F(OptionForm, WrapWidthListAddsInOrderRefusesATenthAndFallsBackTo80)
{
    Load("[Option]\r\nWordWrap=1\r\nWrapCount=72\r\n[WrapByteList]\r\nItemCount=8\r\nItem0=120\r\nItem1=80\r\n"
         "Item2=72\r\nItem3=60\r\nItem4=50\r\nItem5=40\r\nItem6=30\r\nItem7=20\r\n");
    host_.WindowWrapWidth = [] { return 123; };
    TMsgRecorder msgs;
    Run([&](TOptionForm& f) {
        TBasicPage& b = f.Basic;
        EXPECT_EQ(b.WrapCount.Items().size(), 8u);
        EXPECT_EQ(b.WrapCount.Text(), "72");
        b.WrapCount_UpDown.SetPosition(100);
        msgs.answer = IDCANCEL;
        b.Button19.Click();
        EXPECT_EQ(b.WrapWidths().size(), 8u);
        msgs.answer = IDOK;
        b.Button19.Click();
        EXPECT_EQ(b.WrapCount.Items()[1], "100");
        EXPECT_EQ(msgs.messages.back().text, "[100]をリストへ追加します。");
        b.Button19.Click();  // already there: nothing asked
        EXPECT_EQ(msgs.messages.size(), 2u);
        b.WrapCount_UpDown.SetPosition(90);
        b.Button19.Click();
        EXPECT_EQ(msgs.messages.back().text, "登録可能な最大件数は 9 件です。");
        EXPECT_EQ(b.WrapWidths().size(), 9u);

        b.WrapCount_UpDown.SetPosition(100);
        b.Button20.Click();
        EXPECT_EQ(msgs.messages.back().text, "[100]をリストから削除します。");
        EXPECT_EQ(b.WrapCount.Text(), "120");  // the first left
        while (!b.WrapWidths().empty()) {
            b.WrapCount_UpDown.SetPosition(b.WrapWidths().front());
            b.Button20.Click();
        }
        EXPECT_EQ(b.WrapCount_UpDown.Position(), 80);
        // An emptied column takes the setting back when the box is left.
        b.WrapCount.SetFocus();
        b.WrapCount.SetText("");
        b.Button14.SetFocus();
        EXPECT_EQ(b.WrapCount.Text(), "72");
        b.Button14.Click();
        f.Button1.Click();
    });
    EXPECT_EQ(store_.Settings.Option.WrapCount, 123);
    EXPECT_TRUE(store_.Settings.WrapWidths.empty());
}

TEST_F(OptionForm, ExtensionRowsAreEditedOneAtATimeAndRefuseABar)
{
    Load("");
    TMsgRecorder msgs;
    Run([&](TOptionForm& f) {
        TExtensionPage& e = f.Extension;
        EXPECT_EQ(e.FileExtListView.ItemIndex(), 0);
        e.FileExtListView.SetItemIndex(2);
        EXPECT_FALSE(e.FileExtEdit.Enabled());
        Click(e.Button4);
        EXPECT_TRUE(e.FileExtEdit.Enabled());
        EXPECT_EQ(e.FileExtEdit.Text(), "*.cgi;*.pl");
        e.FileExtEdit.SetText("*.txt|*.x");
        Click(e.Button5);
        ASSERT_EQ(msgs.messages.size(), 1u);
        EXPECT_EQ(msgs.messages[0].text, kMaskBarMessage);
        EXPECT_EQ(e.FileExtListView.Cell(2, 1), "*.cgi;*.pl");
        EXPECT_TRUE(e.FileExtEdit.Enabled());
        e.FileExtEdit.SetText("*.\x83\x7C");  // "ポ" holds a 7C byte, not a bar
        Click(e.Button5);
        EXPECT_EQ(msgs.messages.size(), 1u);
        EXPECT_EQ(e.FileExtListView.Cell(2, 1), "*.\x83\x7C");
        EXPECT_FALSE(e.FileExtEdit.Enabled());
        EXPECT_EQ(e.FileExtEdit.Text(), "");
        EXPECT_EQ(GetFocus(), e.FileExtListView.Handle());
        // Another row selected while editing drops the edit.
        Click(e.Button4);
        e.FileExtListView.SetItemIndex(3);
        EXPECT_FALSE(e.FileExtEdit.Enabled());
        EXPECT_EQ(e.FileExtEdit.Text(), "");
        f.Button1.Click();
    });
    EXPECT_EQ(store_.Settings.Option.PerlDocFilter, "*.\x83\x7C");
    EXPECT_EQ(store_.Settings.Option.PhpDocFilter, "*.php");
}

TEST_F(OptionForm, ApplyButtonClosesOrAppliesAtOnceAsTicked)
{
    Load("");
    int taken = 0, applied = 0;
    host_.SettingsTaken = [&] { ++taken; };
    host_.ApplyNow = [&] { ++applied; };
    EXPECT_EQ(Run([](TOptionForm& f) {
                  f.Basic.TabSpaceCount.SetText("3");
                  Click(f.btUpdate);
              }),
              mrYes);
    EXPECT_EQ(store_.Settings.Option.TabSpaceCount, 3);
    EXPECT_EQ(taken, 1);
    EXPECT_EQ(applied, 0);  // the caller applies

    store_.Settings.Option.HaneiBtNoClose = true;
    EXPECT_EQ(Run([&](TOptionForm& f) {
                  f.Basic.TabSpaceCount.SetText("5");
                  Click(f.btUpdate);
                  EXPECT_EQ(applied, 1);
                  EXPECT_EQ(f.ModalResult(), mrNone);  // still open
                  EXPECT_EQ(store_.Settings.Option.TabSpaceCount, 5);
                  Click(f.Other.HaneiBtNoClose);  // unticked: the button closes again
                  EXPECT_EQ(f.btUpdate.ModalResult(), mrYes);
                  f.Basic.TabSpaceCount.SetText("6");
                  Click(f.Button2);
              }),
              mrCancel);
    // Cancel keeps what the apply button took, and takes nothing more.
    EXPECT_EQ(store_.Settings.Option.TabSpaceCount, 5);
    EXPECT_EQ(taken, 2);
}

TEST_F(OptionForm, OpensOnThePageShownLastWithItsFirstControlFocused)
{
    Load("");
    Run(
        [](TOptionForm& f) {
            EXPECT_EQ(f.PageControl1.ActivePage(), opKinsoku);
            f.PageControl1.TurnPage(true);
            SendMessageA(f.Handle(), WM_CLOSE, 0, 0);  // any way of closing keeps the page
        },
        opKinsoku);
    EXPECT_EQ(page_, opBrowser);
    Run(
        [](TOptionForm& f) {
            EXPECT_EQ(f.PageControl1.ActivePage(), opBrowser);
            EXPECT_EQ(GetFocus(), f.Browser.Menu.Handle());
            f.Button2.Click();
        },
        page_);
}

TEST_F(OptionForm, LinkAndQuoteOptionsFollowTheEditModeAndWrapOptionsTheirCheck)
{
    Load("[Option]\r\nLinkWord=1\r\nUrlEx=1\r\nInyouRow=1\r\nWordWrap=1\r\n");
    host_.EditMode = emHtml;
    Run([](TOptionForm& f) {
        TViewPage& v = f.View;
        for (TWinControlChild* c : std::initializer_list<TWinControlChild*>{
                 &v.LinkWord, &v.LinkUnderline, &v.UrlEx, &v.NotUrlChars, &v.InyouRow, &v.Inyouhu})
            EXPECT_FALSE(c->Enabled()) << c->Caption();
        EXPECT_TRUE(f.Basic.WrapCount.Enabled());
        Click(f.Basic.WordWrap);
        EXPECT_FALSE(f.Basic.WrapCount.Enabled());
        EXPECT_FALSE(f.Basic.Button19.Enabled());
        f.Button2.Click();
    });
}

TEST_F(OptionForm, ChoosersFillTheirBoxes)
{
    Load("[Option]\r\nDefDir=C:\\Docs\r\n[Backup]\r\nBackup=1\r\nBackupPath=C:\\Old\r\n"
         "[FileHistorySet]\r\nNoDir=1\r\nNoDirs=C:\\a\r\n[Browser]\r\nIePath=C:\\IE\\iexplore.exe\r\n"
         "[OptionEx]\r\nFileDlgEnableSizing=0\r\n");
    std::vector<std::string> asked;  // line and start folder of each folder browser
    host_.BrowseFolder = [&](TBrowseFolderDlg& d) {
        asked.push_back(d.TextLine1 + "|" + d.Directory);
        EXPECT_EQ(d.Caption, "フォルダの参照");
        d.Directory = "D:\\b";
        return true;
    };
    HWND fontOwner = nullptr;
    host_.ChooseFont = [&](TFontInfoA& font, HWND owner) {
        fontOwner = owner;
        EXPECT_EQ(font.Name, "ＭＳ ゴシック");
        font = {"Courier", -14};
        return true;
    };
    std::vector<std::string> checked;
    host_.PathLengthOk = [&](const std::string& path) {
        checked.push_back(path);
        return path.size() < 260;
    };
    std::vector<std::string> answers{std::string(300, 'x'), "C:\\Prog\\iexplore.exe"};
    auto oldScript = TFileDialog::SetScript([&](TFileDialog& d) {
        EXPECT_EQ(d.Title(), "Internet Explorer の実行ファイル");
        EXPECT_EQ(d.Filter(), "IE実行ファイル(Iexplore.exe)|Iexplore.exe");
        EXPECT_EQ(d.InitialDir(), "C:\\IE");
        EXPECT_EQ(d.Options() & ofEnableSizing, 0u);  // FileDlgEnableSizing is off
        TFileDialogAnswer a{true, answers.front()};
        answers.erase(answers.begin());
        return a;
    });
    HWND dialog = nullptr;
    Run([&](TOptionForm& f) {
        dialog = f.Handle();
        Click(f.Backup.BackupPathButton);
        EXPECT_EQ(f.Backup.BackupPath.Text(), "D:\\b");
        Click(f.History.NoDirsButton);
        EXPECT_EQ(f.History.NoDirs.Text(), "C:\\a;D:\\b");
        Click(f.Folder.DefDirButton);
        Click(f.View.Button21);
        EXPECT_EQ(f.View.FontView.Caption(), "Courier (10.5)");
        Click(f.Browser.IePathButton);
        EXPECT_EQ(f.Browser.IePath.Text(), "C:\\Prog\\iexplore.exe");
        f.Button1.Click();
    });
    TFileDialog::SetScript(oldScript);
    EXPECT_EQ(asked, (std::vector<std::string>{"バックアップ先フォルダを指定して下さい|C:\\Old",
                                               "履歴へ追加しないフォルダを指定して下さい|",
                                               "デフォルトフォルダを指定して下さい|C:\\Docs"}));
    EXPECT_EQ(fontOwner, dialog);
    ASSERT_EQ(checked.size(), 2u);  // the long path was refused and the dialog asked again
    EXPECT_EQ(store_.Settings.Option.FontName, "Courier");
    EXPECT_EQ(store_.Settings.Option.FontSize, -14);
    EXPECT_EQ(store_.Settings.Option.DefDir, "D:\\b");
    EXPECT_EQ(store_.Settings.FileHistorySet.NoDirs, "C:\\a;D:\\b");
    EXPECT_EQ(store_.Settings.Browser.IePath, "C:\\Prog\\iexplore.exe");
}

TEST_F(OptionForm, WindowButtonsTakeAndSetTheMainWindowsPlace)
{
    Load("[Option]\r\nStartWindow=3\r\nUserWindowMenu=1\r\n");
    HWND main = CreateWindowExA(0, "STATIC", "main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 60, 500, 400, nullptr,
                                nullptr, nullptr, nullptr);
    SetMainWindow(main);
    Run([&](TOptionForm& f) {
        TWindowPage& w = f.Window;
        EXPECT_TRUE(w.NowSet.Enabled());
        Click(w.NowSize);
        Click(w.NowPos);
        EXPECT_EQ(w.UserWindowSize_W.Text(), "500");
        EXPECT_EQ(w.UserWindowSize_H.Text(), "400");
        EXPECT_EQ(w.UserWindowPos_X.Text(), "50");
        EXPECT_EQ(w.UserWindowPos_Y.Text(), "60");
        w.UserWindowSize_W.SetText("600");
        w.UserWindowPos_Y.SetText("80");
        Click(w.NowSet);
        RECT r;
        GetWindowRect(main, &r);
        EXPECT_EQ(r.left, 50);
        EXPECT_EQ(r.top, 80);
        EXPECT_EQ(r.right - r.left, 600);
        // Neither size nor place: nothing to set, and the user window is no start-up choice.
        Click(w.UserWindowSize);
        Click(w.UserWindowPos);
        EXPECT_FALSE(w.NowSet.Enabled());
        EXPECT_FALSE(w.UserWindowSize_W.Enabled());
        f.Button1.Click();
    });
    SetMainWindow(nullptr);
    DestroyWindow(main);
    EXPECT_EQ(store_.Settings.Option.StartWindow, 0);
    EXPECT_FALSE(store_.Settings.Option.UserWindowMenu);
}

TEST_F(OptionForm, EachCheckBoxEnablesWhatDependsOnIt)
{
    Load("[Option]\r\nLinkWord=1\r\nToolBar=1\r\nFlatToolBar=1\r\nToolBtnImg=0\r\n");
    Run([](TOptionForm& f) {
        const std::pair<TCheckBox*, TWinControlChild*> pairs[] = {
            {&f.Basic.StartIme, &f.Basic.ImeDefOnly},
            {&f.Basic.WordWrap, &f.Basic.WrapLine},
            {&f.Window.ToolBar, &f.Window.ToolBarEnabled},
            {&f.Window.StatusBar, &f.Window.SBSimplePanels},
            {&f.Window.FullPathFileName, &f.Window.ButtonFileName},
            {&f.Window.UserWindowSize, &f.Window.NowSize},
            {&f.Window.UserWindowPos, &f.Window.NowPos},
            {&f.View.ColLine, &f.View.ColLineByte},
            {&f.View.LinkWord, &f.View.LinkUnderline},
            {&f.View.UrlEx, &f.View.NotUrlChars},
            {&f.View.InyouRow, &f.View.Inyouhu},
            {&f.Ruler.LeftBar, &f.Ruler.LeftBarClr},
            {&f.Ruler.Ruler, &f.Ruler.RulerGaugeRange},
            {&f.Kinsoku.Leading, &f.Kinsoku.LeadStr},
            {&f.Kinsoku.FollowPunctuation, &f.Kinsoku.PunctuationStr},
            {&f.File.ChkFileAge, &f.File.ChkFileAgeMsg},
            {&f.File.CreateNewFile, &f.File.CreateNewFileMsg},
            {&f.Folder.DefDirOn, &f.Folder.DefDirButton},
            {&f.Backup.Backup, &f.Backup.BackupPathButton},
            {&f.History.NoDir, &f.History.NoDirsButton},
        };
        for (auto [check, dependent] : pairs)
            for (int i = 0; i < 2; ++i) {
                const bool was = dependent->Enabled();
                Click(*check);
                EXPECT_EQ(dependent->Enabled(), check->Checked()) << check->Caption();
                EXPECT_NE(dependent->Enabled(), was) << check->Caption();
            }
        // The image switch needs 256 colours on the flat bar.
        auto choose = [&](int item) {
            HWND list = f.Window.ToolBtnImg.Handle();
            SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(item), 0);
            SendMessageA(f.Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), CBN_SELCHANGE),
                         reinterpret_cast<LPARAM>(list));
        };
        EXPECT_FALSE(f.Window.ToolBtnHotImg.Enabled());
        choose(1);
        EXPECT_TRUE(f.Window.ToolBtnHotImg.Enabled());
        choose(0);
        EXPECT_FALSE(f.Window.ToolBtnHotImg.Enabled());
        f.Button2.Click();
    });
}
