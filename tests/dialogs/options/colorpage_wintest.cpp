// The colour page in the options dialog: what its controls do to the
// colours, the colour and file dialogs, reset, keyword files, and pictures.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "base/filebytes.h"
#include "classlib/colordialog_win.h"
#include "classlib/filedialog_win.h"
#include "dialogs/common/dialoghost.h"
#include "dialogs/layoutfaults_win.h"
#include "dialogs/options/colorpage.h"
#include "dialogs/options/optionform_win.h"
#include "settings/settingsstore.h"
#include "support/modalscript_win.h"
#include "support/tempfolder.h"
#include "support/test_machine.h"
#include "support/windowpicture_win.h"
#include "support/winsupport_win.h"

using namespace vellumo;
using namespace vellumo::testing;

namespace {

void Click(TWinControlChild& c) { SendMessageA(c.Handle(), BM_CLICK, 0, 0); }

std::string Bytes(const std::string& path)
{
    std::string b;
    ReadFileBytes(path, b);
    return b;
}

class ColorPage : public ::testing::Test {
protected:
    ColorPage()
    {
        oldPath_ = DialogHost().SettingsPath;
        DialogHost().SettingsPath = [this] { return path_; };
    }
    ~ColorPage() override
    {
        DialogHost().SettingsPath = oldPath_;
        TFileDialog::SetScript(nullptr);
        TColorDialog::SetScript(nullptr);
    }

    void Load(const std::string& ini)
    {
        ASSERT_TRUE(ReplaceFileBytes(path_, ini));
        ASSERT_TRUE(store_.LoadSettings());
    }

    // The script works on the page, then OK is pressed unless it closed the dialog.
    TModalResult Run(const std::function<void(TOptionForm&, TColorPage&)>& script)
    {
        int page = opColor;
        TScript s([&](TForm& f) {
            auto& form = dynamic_cast<TOptionForm&>(f);
            script(form, form.Color);
            if (f.ModalResult() == mrNone) form.Button1.Click();
        });
        return ShowOptionDialog(store_.Settings, page, host_);
    }

    // The file dialogs answer with path, after checking what they were asked.
    void AnswerFiles(const std::string& path, const char* title)
    {
        TFileDialog::SetScript([this, path, title](TFileDialog& d) {
            EXPECT_EQ(d.Title(), title);
            EXPECT_EQ(d.Filter(), "Vellumo色設定ファイル(*.vmc)|*.vmc");
            EXPECT_EQ(d.DefaultExt(), "vmc");
            EXPECT_EQ(d.InitialDir(), dir_.Path());
            EXPECT_EQ(d.FileName(), "");
            return TFileDialogAnswer{true, path};
        });
    }

    static void Picture(TForm& f, const char* name)
    {
        SetForegroundWindow(f.Handle());
        RedrawWindow(f.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        ProcessMessages();
        Sleep(200);
        ProcessMessages();
        testpictures::TPicture pic;
        EXPECT_TRUE(testpictures::SaveWindowPicture(f.Handle(), BuildFolder() + "\\" + name, pic));
        std::printf("picture: %s\\%s\n", BuildFolder().c_str(), name);
    }

    TTempFolder dir_;
    TFakeMachine machine_;
    std::string path_ = dir_.File("v.ini");
    TSettingsStore store_{path_, machine_};
    TOptionHost host_;
    std::function<std::string()> oldPath_;
};

} // namespace

// A list view under Wine keeps no text in a fourth column: every switch
// must survive anyway.
TEST_F(ColorPage, EverySwitchAndColourReachesTheSettingsAndCancelDropsThem)
{
    Load("");
    const TAppSettings before = store_.Settings;
    auto edit = [](TOptionForm&, TColorPage& p) {
        for (int row = 0; row < kColorRowCount; ++row) {
            if (!IsKeywordRow(row)) continue;
            p.ColorListView.SetItemIndex(row);
            Click(p.KwdCheckBox);
            Click(p.KwdCaseCheckBox);
        }
        p.ColorListView.SetItemIndex(0);
        SendMessageA(p.ColorComboBox1.Handle(), WM_KEYDOWN, VK_DOWN, 0);  // ウィンドウ文字 -> 選択背景
        EXPECT_EQ(p.ColorListView.Cell(0, 1), "clHighlight");
        EXPECT_EQ(p.ColorListView.Cell(19, 3), "0");
    };
    EXPECT_EQ(Run([&](TOptionForm& f, TColorPage& p) {
                  edit(f, p);
                  f.Button2.Click();
              }),
              mrCancel);
    EXPECT_EQ(store_.Settings, before);

    EXPECT_EQ(Run(edit), mrOk);
    const TAppColors& c = store_.Settings.Color;
    EXPECT_EQ(c.Font, clHighlight);
    for (const TColorRowInfo& r : kColorRows) {
        if (!r.Bold) continue;
        EXPECT_NE(c.*r.Bold, before.Color.*r.Bold) << r.Key;
        EXPECT_NE(c.*r.Case, before.Color.*r.Case) << r.Key;
    }
}

// Pictures: build/win/colorpage.bmp (a keyword row) and colorpage-list.bmp (the colour list open).
TEST_F(ColorPage, ControlsFollowTheRowAndANoRowBlanksTheComboQuietly)
{
    Load("[Color]\r\nPerl_KeyWord_Bold=0\r\n");
    Run([this](TOptionForm& f, TColorPage& p) {
        EXPECT_EQ(p.ColorListView.ItemIndex(), 0);
        p.ColorListView.SetItemIndex(19);
        EXPECT_TRUE(p.KwdCheckBox.Enabled() && p.KwdCaseCheckBox.Enabled() && p.KwdButton.Enabled());
        EXPECT_FALSE(p.KwdCheckBox.Checked());
        EXPECT_TRUE(p.KwdCaseCheckBox.Checked());
        Picture(f, "colorpage.bmp");
        for (const auto& fault : LayoutFaults(f)) ADD_FAILURE() << fault;
        SendMessageA(p.ColorComboBox1.Handle(), CB_SHOWDROPDOWN, TRUE, 0);
        Picture(f, "colorpage-list.bmp");
        SendMessageA(p.ColorComboBox1.Handle(), CB_SHOWDROPDOWN, FALSE, 0);
        p.ColorListView.SetItemIndex(20);
        EXPECT_FALSE(p.KwdCheckBox.Enabled() || p.KwdCaseCheckBox.Enabled() || p.KwdButton.Enabled());
        EXPECT_FALSE(p.KwdCheckBox.Checked() || p.KwdCaseCheckBox.Checked());
        EXPECT_EQ(p.ColorComboBox1.SelectColor(), clGreen);

        const TAppColors before = p.Colors();
        LVITEMA none{};
        none.stateMask = LVIS_SELECTED;
        SendMessageA(p.ColorListView.Handle(), LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&none));
        EXPECT_EQ(p.ColorListView.ItemIndex(), -1);
        EXPECT_EQ(p.ColorComboBox1.ItemIndex(), -1);
        EXPECT_FALSE(p.ColorComboBox1.Enabled() || p.Button23.Enabled());
        EXPECT_TRUE(p.Colors() == before);
    });
}

TEST_F(ColorPage, ColourDialogStartsOnTheRowAndTheSameRgbChangesNothing)
{
    Load("");
    TColor answer = 0, asked = -1;
    bool ok = true;
    TColorDialog::SetScript([&](const TColorDialog& d) {
        asked = d.Color;
        return TColorDialogAnswer{ok, answer};
    });
    Run([&](TOptionForm&, TColorPage& p) {
        answer = static_cast<TColor>(GetSysColor(COLOR_WINDOWTEXT));  // clWindowText by its value
        p.Button23.Click();
        EXPECT_EQ(asked, clWindowText);
        EXPECT_EQ(p.ColorListView.Cell(0, 1), "clWindowText");
        answer = 0x123456;
        ok = false;
        p.Button23.Click();
        EXPECT_EQ(p.ColorListView.Cell(0, 1), "clWindowText");
        ok = true;
        p.Button23.Click();
        EXPECT_EQ(p.ColorListView.Cell(0, 1), "$00123456");
        EXPECT_EQ(p.ColorComboBox1.ItemIndex(), 0);
        EXPECT_EQ(p.ColorComboBox1.CustomColor(), 0x123456);
        asked = -1;
        SendMessageA(p.ColorListView.Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(20, 5));  // on row 0
        EXPECT_EQ(asked, 0x123456);
    });
    EXPECT_EQ(store_.Settings.Color.Font, 0x123456);
}

TEST_F(ColorPage, ResetAsksThenTakesDefaultVmcOrTheDefaults)
{
    Load("[Color]\r\nFont=clRed\r\nPerl_KeyWord_Case=0\r\n");
    TMsgRecorder m;
    Run([&](TOptionForm&, TColorPage& p) {
        const TAppColors loaded = p.Colors();
        m.answer = IDCANCEL;
        p.Button25.Click();
        EXPECT_TRUE(p.Colors() == loaded);
        m.answer = IDOK;
        p.Button25.Click();
        EXPECT_TRUE(p.Colors() == DefaultColors());
        EXPECT_EQ(p.ColorComboBox1.SelectColor(), clWindowText);  // row 0 shown again

        ASSERT_TRUE(ReplaceFileBytes(dir_.File("default.vmc"), "[Color]\r\nFont=clLime\r\nBk=bad\r\n"));
        p.Button25.Click();
        EXPECT_EQ(p.Colors().Font, clLime);
        EXPECT_EQ(p.Colors().Bk, clWindow);
        EXPECT_EQ(p.ColorComboBox1.SelectColor(), clLime);
    });
    ASSERT_EQ(m.messages.size(), 3u);
    EXPECT_EQ(m.messages[0].text, "すべての色設定を初期状態へ戻します。");
    EXPECT_EQ(m.messages[2].text, "すべての色設定を初期状態へ戻します。(default.vmc)");
}

TEST_F(ColorPage, ColourSetsSaveAndLoadByteForByteAndBadFilesChangeNothing)
{
    Load("[Color]\r\nFont=$00123456\r\nRuby_KeyWord_Bold=0\r\n");
    const std::string a = dir_.File("a.vmc"), b = dir_.File("b.vmc");
    TMsgRecorder m;
    Run([&](TOptionForm&, TColorPage& p) {
        TMemIniFile expected = TMemIniFile::FromText(a, "");
        WriteColorFile(expected, p.Colors());
        AnswerFiles(a, "色設定ファイルの保存");
        p.Button8.Click();
        EXPECT_EQ(Bytes(a), expected.Text());
        p.Button25.Click();  // to the defaults
        AnswerFiles(a, "色設定ファイルの読み込み");
        p.Button7.Click();
        EXPECT_EQ(p.ColorComboBox1.SelectColor(), 0x123456);
        AnswerFiles(b, "色設定ファイルの保存");
        p.Button8.Click();
        EXPECT_EQ(Bytes(b), Bytes(a));

        const TAppColors shown = p.Colors();
        const std::size_t before = m.messages.size();
        EXPECT_FALSE(p.LoadColorFile(dir_.Path()));  // a folder
        SetFileAttributesA(b.c_str(), FILE_ATTRIBUTE_READONLY);
        EXPECT_FALSE(p.SaveColorFile(b));
        EXPECT_EQ(m.messages.size(), before + 2);
        EXPECT_TRUE(p.Colors() == shown);
        SetFileAttributesA(b.c_str(), FILE_ATTRIBUTE_NORMAL);
    });
}

TEST_F(ColorPage, KeywordButtonOpensTheModesFileOrCreatesItFirst)
{
    Load("");
    std::vector<std::string> written, started;
    bool writes = true;
    host_.WriteKeywordFile = [&](TEditMode mode, const std::string& path) {
        written.push_back(std::to_string(mode) + " " + path);
        return writes && ReplaceFileBytes(path, "word\r\n");
    };
    host_.StartNewInstance = [&](const std::string& params) { started.push_back(params); };
    const std::string php = dir_.File("php.kwd"), perl = dir_.File("perl.kwd");
    ASSERT_TRUE(ReplaceFileBytes(php, "echo\r\n"));
    TMsgRecorder m;
    Run([&](TOptionForm&, TColorPage& p) {
        p.ColorListView.SetItemIndex(22);  // PHP: there already
        p.KwdButton.Click();
        p.ColorListView.SetItemIndex(19);  // Perl: asked first
        writes = false;
        p.KwdButton.Click();  // cannot be written: said once, nothing opens
        m.answer = IDCANCEL;
        p.KwdButton.Click();
        m.answer = IDOK;
        writes = true;
        p.KwdButton.Click();
    });
    EXPECT_EQ(written, (std::vector<std::string>{"2 " + perl, "2 " + perl}));
    EXPECT_EQ(started, (std::vector<std::string>{"\"" + php + "\"", "\"" + perl + "\""}));
    ASSERT_EQ(m.messages.size(), 4u);
    EXPECT_EQ(m.messages[0].text, "キーワードファイル \"perl.kwd\" を作成します。");
    EXPECT_EQ(m.messages[1].text, "\"" + perl + "\"\r\nの作成に失敗しました。");
}
