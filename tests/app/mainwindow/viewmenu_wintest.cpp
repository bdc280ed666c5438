// The View and Help menus on a real main window, item by item through their
// menus: every toggle flips its setting, shows it on both panes, writes its
// one key (nothing with Menu_NoSaveIni) and ticks from the settings, also
// when a shortcut runs before the menu ever opened.
#include <gtest/gtest.h>

#include "app/window/mainform_win.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/commands/commands_win.h"
#include "app/commands/viewcmds.h"
#include "app/core/appfuncs.h"
#include "app/core/applysettings.h"
#include "app/window/editmodes.h"
#include "base/filebytes.h"
#include "base/inifile.h"
#include "base/showmsg.h"
#include "dialogs/about/aboutbox.h"
#include "dialogs/about/aboutbox_win.h"
#include "dialogs/font/fontdialog_win.h"
#include "editor/parsersettings.h"
#include "settings/settingsstore.h"
#include "support/modalscript_win.h"
#include "suiteform_win.h"

using namespace vellumo;
using namespace vellumo::testing;
namespace fs = std::filesystem;

namespace {

const std::string kGothic = "IPAゴシック";

std::string IniValue(const char* key)
{
    return TMemIniFile(AppSettingsStore().Path()).ReadString("Option", key, "<none>");
}

std::string IniBytes()
{
    std::string bytes;
    ReadFileBytes(AppSettingsStore().Path(), bytes);
    return bytes;
}

// Runs an item as the user does: its menus open first, then it is chosen
// when enabled.
bool Choose(TVellumoMainForm& form, const char* name)
{
    TMenuItem& item = form.MainMenuItems.Item(name);
    if (!RefreshAndCheckEnabled(item)) return false;
    item.Click();
    return true;
}

std::vector<TEditor*> Panes(TVellumoMainForm& form)
{
    std::vector<TEditor*> panes{&form.Editor1};
    if (TEditor* other = form.SecondEditor()) panes.push_back(other);
    return panes;
}

class ViewMenuTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        folder_ = fs::temp_directory_path() / "vellumo_viewmenu_test";
        form_ = MakeSuiteForm(folder_, true);
    }
    static void TearDownTestSuite() { FreeSuiteForm(form_, folder_); }
    void SetUp() override
    {
        TForm::SetRefuseUnscriptedModal(true);
        sink_ = std::make_unique<TScopedMsgSink>(
            [this](const std::string& text, const std::string&, unsigned) {
                messages_.push_back(text);
                return IDOK;
            },
            [](unsigned) {});
        shell_ = SetShellOpenSink([this](const std::string& target) {
            opened_.push_back(target);
            return true;
        });
        started_ = form_->Documents.StartNewInstance;
        form_->Documents.StartNewInstance = [this](const std::string& args) { instances_.push_back(args); };
    }
    void TearDown() override
    {
        form_->Documents.StartNewInstance = started_;
        SetShellOpenSink(std::move(shell_));
        if (form_->IsSplit()) form_->Unsplit();
        AppSettingsStore().Settings.Option.Menu_NoSaveIni = false;
        TForm::SetRefuseUnscriptedModal(false);
        EXPECT_TRUE(messages_.empty()) << messages_.front();
        sink_.reset();
    }

    static TVellumoMainForm* form_;
    static fs::path folder_;
    std::unique_ptr<TScopedMsgSink> sink_;
    TShellOpenSink shell_;
    std::function<void(const std::string&)> started_;
    std::vector<std::string> messages_, opened_, instances_;
};
TVellumoMainForm* ViewMenuTest::form_ = nullptr;
fs::path ViewMenuTest::folder_;

struct TToggle {
    const char* Item;
    const char* Key;
    bool TAppIni::*Setting;
    // What each pane shows of the setting (null: drawn by the window at paint time).
    std::function<bool(TVellumoMainForm&, TEditor&)> Shown;
};

std::vector<TToggle> Toggles()
{
    return {
        {"mToolBar", "ToolBar", &TAppIni::ToolBar,
         [](TVellumoMainForm& f, TEditor&) { return IsWindowVisible(f.ToolBar1.Handle()) != FALSE; }},
        {"mStatusBar", "StatusBar", &TAppIni::StatusBar,
         [](TVellumoMainForm& f, TEditor&) { return IsWindowVisible(f.StatusBar1.Handle()) != FALSE; }},
        {"mInyouRow", "InyouRow", &TAppIni::InyouRow, nullptr},
        {"mLinkWord", "LinkWord", &TAppIni::LinkWord,
         [](TVellumoMainForm&, TEditor& e) {
             const bool on = e.View().Url() && e.View().Mail();
             const TAppColors& c = AppSettingsStore().Settings.Color;
             EXPECT_EQ(e.View().Colors().Url().Color(), on ? c.Link : c.Font);
             return on;
         }},
        {"mUrlEx", "UrlEx", &TAppIni::UrlEx, [](TVellumoMainForm&, TEditor&) { return GlobalParserSettings().UrlEx; }},
        {"mOnWordWrap", "WordWrap", &TAppIni::WordWrap, [](TVellumoMainForm&, TEditor& e) { return e.WordWrap(); }},
        {"mColLine", "ColLine", &TAppIni::ColLine,
         [](TVellumoMainForm&, TEditor& e) { return e.VerticalLines().Items(1).Visible(); }},
    };
}

} // namespace

TEST_F(ViewMenuTest, EveryToggleFlipsShowsTicksAndWritesItsOneKey)
{
    form_->Split();
    ASSERT_TRUE(form_->IsSplit());
    TAppIni& o = AppSettingsStore().Settings.Option;
    for (const TToggle& t : Toggles()) {
        SCOPED_TRACE(t.Item);
        for (bool noSave : {false, true}) {
            o.Menu_NoSaveIni = noSave;
            const bool before = o.*t.Setting;
            const std::string file = IniBytes();
            for (bool expected : {!before, before}) {
                ASSERT_TRUE(Choose(*form_, t.Item));
                EXPECT_EQ(o.*t.Setting, expected);
                if (t.Shown) {
                    for (TEditor* pane : Panes(*form_)) EXPECT_EQ(t.Shown(*form_, *pane), expected);
                }
                Show1Click(*form_);
                EXPECT_EQ(form_->MainMenuItems.Item(t.Item).Checked(), expected);
                if (noSave) {
                    EXPECT_EQ(IniBytes(), file);
                } else {
                    EXPECT_EQ(IniValue(t.Key), expected ? "1" : "0");
                }
            }
        }
    }
}

TEST_F(ViewMenuTest, ShortcutsAndCommandsToggleFromTheSettingsNotAStaleTick)
{
    TAppIni& o = AppSettingsStore().Settings.Option;
    TMenuItem& wrap = form_->MainMenuItems.Item("mOnWordWrap");
    for (bool byKey : {true, false}) {
        const bool before = o.WordWrap;
        wrap.SetChecked(!before);  // the menu has not opened since the setting changed
        if (byKey)
            EXPECT_TRUE(form_->RunShortCut(ShortCut('W', scCtrl | scShift)));
        else
            CommandTable().Find("mOnWordWrap")->Run(*form_);  // as a posted command or a button
        EXPECT_EQ(o.WordWrap, !before) << byKey;
        EXPECT_EQ(form_->Editor1.WordWrap(), !before) << byKey;
        EXPECT_EQ(IniValue("WordWrap"), !before ? "1" : "0");
    }
}

TEST_F(ViewMenuTest, OpeningBuildsTheWrapCaptionTicksAndTheTextSizeItem)
{
    TAppIni& o = AppSettingsStore().Settings.Option;
    o.WrapCount = 64;
    HMENU view = GetSubMenu(GetMenu(form_->Window()), 3);
    SendMessageA(form_->Window(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(view), 3);
    char shown[128] = {};
    TMenuItem& wrap = form_->MainMenuItems.Item("mOnWordWrap");
    GetMenuStringA(view, wrap.Command(), shown, sizeof shown, MF_BYCOMMAND);
    EXPECT_STREQ(shown, "64 桁で折り返し(&W)\tShift+Ctrl+W");
    for (const char* bar : {"mToolBar", "mStatusBar"})
        EXPECT_EQ(GetMenuState(view, form_->MainMenuItems.Item(bar).Command(), MF_BYCOMMAND) & MF_CHECKED, MF_CHECKED);
    const int items = GetMenuItemCount(view);
    // Without the status bar the text-size item and its separator go.
    ASSERT_TRUE(Choose(*form_, "mStatusBar"));
    Show1Click(*form_);
    EXPECT_FALSE(form_->MainMenuItems.Item("mByte").Visible());
    EXPECT_EQ(GetMenuItemCount(view), items - 2);
    ASSERT_TRUE(Choose(*form_, "mStatusBar"));
    // F4 ticks the text-size item while panel 1 shows the size.
    ASSERT_TRUE(form_->RunShortCut(ShortCut(VK_F4, 0)));
    Show1Click(*form_);
    EXPECT_TRUE(form_->MainMenuItems.Item("mByte").Checked());
    ASSERT_TRUE(Choose(*form_, "mByte"));
    EXPECT_FALSE(ShowsTextSize(form_->StatusBar1.PanelText(1)));
}

TEST_F(ViewMenuTest, EditModesTickAndOnlyAnotherModeIsApplied)
{
    ASSERT_EQ(CurrentEditMode(), emStandard);
    ASSERT_TRUE(Choose(*form_, "mMode_Html"));
    EXPECT_EQ(CurrentEditMode(), emHtml);
    EXPECT_EQ(form_->StatusBar1.PanelText(2), EditModeName(emHtml));
    mModeClick(*form_);
    TMenuItem& modes = form_->MainMenuItems.Item("mMode");
    for (int i = 0; i < modes.Count(); ++i)
        EXPECT_EQ(modes.Items(i).Checked(), modes.Items(i).Tag() == emHtml) << i;
    // The colouring items wait for the modes that colour.
    EXPECT_FALSE(RefreshAndCheckEnabled(form_->MainMenuItems.Item("mInyouRow")));
    EXPECT_FALSE(RefreshAndCheckEnabled(form_->MainMenuItems.Item("mLinkWord")));
    ASSERT_TRUE(Choose(*form_, "mMode_Bat"));
    EXPECT_FALSE(RefreshAndCheckEnabled(form_->MainMenuItems.Item("mInyouRow")));
    EXPECT_TRUE(RefreshAndCheckEnabled(form_->MainMenuItems.Item("mLinkWord")));

    // The current mode again keeps the view as it is.
    TEditor& ed = form_->Editor1;
    std::string text;
    for (int i = 0; i < 200; ++i) text += "line " + std::to_string(i) + "\r\n";
    ed.Lines().SetText(text);
    ed.SetTopRow(50);
    ed.SetCaretRowCol(60, 3);
    ASSERT_TRUE(Choose(*form_, "mMode_Bat"));
    EXPECT_EQ(ed.TopRow(), 50);
    EXPECT_EQ(ed.Row(), 60);
    ASSERT_TRUE(Choose(*form_, "mMode_def"));
    EXPECT_EQ(CurrentEditMode(), emStandard);
    EXPECT_EQ(ed.Row(), 60);  // a new mode keeps the caret too
    ed.Lines().SetText("");
}

TEST_F(ViewMenuTest, WrapWidthsFromTheSettingsAndTheWindowsEdge)
{
    TAppIni& o = AppSettingsStore().Settings.Option;
    AppSettingsStore().Settings.WrapWidths = {72, 40};
    form_->RebuildSettingsMenus();
    // A width from the settings by its shortcut, which no table row has.
    ASSERT_TRUE(form_->RunShortCut(ShortCut('2', scCtrl | scShift)));
    for (TEditor* pane : Panes(*form_)) {
        EXPECT_TRUE(pane->WordWrap());
        EXPECT_EQ(pane->WrapOption().WrapByte(), 40);
    }
    EXPECT_EQ(o.WrapCount, 40);
    EXPECT_EQ(IniValue("WrapCount"), "40");
    EXPECT_EQ(IniValue("WordWrap"), "1");
    EXPECT_EQ(form_->StatusBar1.PanelText(3), "[40]");
    // The window's edge: the caption shows it when the submenu opens.
    form_->Split();
    const int edge = WindowWrapWidth(form_->ActiveEditor().ColCount());
    ASSERT_TRUE(Choose(*form_, "mNowWidth"));
    EXPECT_EQ(form_->MainMenuItems.Item("mNowWidth").Caption(), NowWidthCaption(edge));
    for (TEditor* pane : Panes(*form_)) EXPECT_EQ(pane->WrapOption().WrapByte(), edge);
    EXPECT_EQ(IniValue("WrapCount"), std::to_string(edge));
    // Again at the same width: nothing to do, nothing written.
    const std::string file = IniBytes();
    ASSERT_TRUE(Choose(*form_, "mNowWidth"));
    EXPECT_EQ(IniBytes(), file);
    ASSERT_TRUE(Choose(*form_, "mOnWordWrap"));
    EXPECT_FALSE(form_->Editor1.WordWrap());
    AppSettingsStore().Settings.WrapWidths.clear();
    form_->RebuildSettingsMenus();
}

TEST_F(ViewMenuTest, TabWidthTicksAndReachesBothPanes)
{
    form_->Split();
    ASSERT_TRUE(Choose(*form_, "mTabCount_4"));
    for (TEditor* pane : Panes(*form_)) EXPECT_EQ(pane->Caret().TabSpaceCount(), 4);
    EXPECT_EQ(AppSettingsStore().Settings.Option.TabSpaceCount, 4);
    EXPECT_EQ(IniValue("TabSpaceCount"), "4");
    mTabCountClick(*form_);
    TMenuItem& counts = form_->MainMenuItems.Item("mTabCount");
    for (int i = 0; i < counts.Count(); ++i) EXPECT_EQ(counts.Items(i).Checked(), i == 3) << i;
    ASSERT_TRUE(Choose(*form_, "mTabCount_8"));
    EXPECT_EQ(IniValue("TabSpaceCount"), "8");

}

// A pane's caret and selection by their places in the text, as "line:byte+beyond".
std::string Where(TEditor& e, bool withText = true)
{
    auto at = [&](int row, int col) {
        const TTextPlace p = e.TextPlaceAt(row, col);
        return std::to_string(p.Line) + ":" + std::to_string(p.Byte) + "+" + std::to_string(p.Beyond);
    };
    std::string s = at(e.Row(), e.Col()) + (e.SelectionMode() == smBox ? " box" : "");
    if (e.Selected()) s += " from " + at(e.AnchorRow(), e.AnchorCol()) + (withText ? " [" + e.SelText() + "]" : "");
    return s;
}

bool CaretRowInView(TEditor& e) { return e.Row() >= e.TopRow() && e.Row() < e.TopRow() + e.RowCount(); }

// Wrap, the wrap column and the tab width make other rows and columns: the
// caret and the selection of each pane stay at their place in the text and
// in sight, a free caret past a line's end and a box included.
TEST_F(ViewMenuTest, RowChangesKeepCaretsAndSelectionsAtTheirPlaceInBothPanes)
{
    AppSettingsStore().Settings.Option.WrapCount = 40;
    form_->Split();
    TEditor &main = form_->Editor1, &other = *form_->SecondEditor(), &active = form_->ActiveEditor();
    std::string line;
    for (int i = 0; line.size() < 600; ++i) line += "w" + std::to_string(i) + (i % 3 ? "\t" : " ");
    main.Lines().SetText("a\r\n" + line + "\r\nx\tyz\r\n" + line + "\r\nend");
    for (TEditor* e : {&main, &other}) e->Caret().SetFreeCaret(true);
    main.SetCaretRowCol(1, main.GetDisplayWidth(line.substr(0, 120)));  // a selection in the long line
    main.StartSelection();
    main.SetCaretRowCol(1, main.GetDisplayWidth(line.substr(0, 431)));
    main.UpdateSelection();
    other.SetCaretRowCol(2, 14);  // past the end of the short line after it
    const std::string mainAt = Where(main), otherAt = Where(other);
    ASSERT_EQ(mainAt, "1:431+0 from 1:120+0 [" + line.substr(120, 311) + "]");
    ASSERT_EQ(otherAt, "2:4+4");
    for (const char* step : {"mOnWordWrap", "mTabCount_3", "wrap column 55", "mOnWordWrap"}) {
        if (step[0] == 'm') ASSERT_TRUE(Choose(*form_, step));
        else WrapWidthItemClick(*form_, 55);
        EXPECT_EQ(Where(main), mainAt) << step;
        EXPECT_EQ(Where(other), otherAt) << step;
        for (TEditor* e : {&main, &other}) EXPECT_TRUE(CaretRowInView(*e)) << step;
        EXPECT_TRUE(main.Col() >= main.LeftCol() && main.Col() < main.LeftCol() + main.ColCount()) << step;
    }
    // A box from past the short line's end into the long line below: the
    // same corners, though they cover other columns at another tab width.
    active.Deselect();
    active.EnterBoxSelection();
    active.SetCaretRowCol(2, 12);
    active.StartSelection();
    active.SetCaretRowCol(3, 30);
    active.UpdateSelection();
    const std::string box = Where(active, false);
    ASSERT_TRUE(Choose(*form_, "mTabCount_8"));
    EXPECT_EQ(Where(active, false), box);
    EXPECT_TRUE(active.BoxLatch());
    active.Deselect();
    active.SetSelectionMode(smNormal);
    for (TEditor* e : {&main, &other}) e->Caret().SetFreeCaret(false);
    main.Lines().SetText("");
}

TEST_F(ViewMenuTest, FontDialogChoiceReachesBothPanesAndTheFile)
{
    form_->Split();
    TAppIni& o = AppSettingsStore().Settings.Option;
    // The caret on the view's last row stays in sight when a bigger font leaves fewer rows.
    TEditor& ed = form_->Editor1;
    std::string text;
    for (int i = 0; i < 300; ++i) text += "line " + std::to_string(i) + "\r\n";
    ed.Lines().SetText(text);
    ed.SetTopRow(100);
    const int row = 100 + ed.RowCount() - 1;
    ed.SetCaretRowCol(row, 2);
    const struct { const char* size; bool ok; int stored; } cases[] = {
        {"16", true, 16}, {"10.5", true, -14}, {"20", false, -14}};
    for (const auto& c : cases) {
        POINT shownAt{-1, -1};
        TScript script([&](TForm& f) {
            auto& d = dynamic_cast<TFonfForm&>(f);
            RECT r;
            GetWindowRect(d.Handle(), &r);
            shownAt = {r.left, r.top};
            SetWindowTextA(d.FontNameCB.EditHandle(), kGothic.c_str());
            SetWindowTextA(d.FontSizeCB.EditHandle(), c.size);
            d.SetModalResult(c.ok ? mrOk : mrCancel);
        });
        const std::string file = IniBytes();
        ASSERT_TRUE(Choose(*form_, "mFont"));
        POINT origin{16, 16};
        ClientToScreen(form_->Window(), &origin);
        EXPECT_EQ(shownAt.x, origin.x);
        EXPECT_EQ(shownAt.y, origin.y);
        EXPECT_EQ(o.FontSize, c.stored);
        if (!c.ok) {
            EXPECT_EQ(IniBytes(), file);
            continue;
        }
        EXPECT_EQ(o.FontName, kGothic);
        EXPECT_EQ(IniValue("FontName"), kGothic);
        EXPECT_EQ(IniValue("FontSize"), std::to_string(c.stored));
        for (TEditor* pane : Panes(*form_)) {
            EXPECT_EQ(pane->Font().Name(), kGothic);
            EXPECT_EQ(pane->Font().Height(), c.stored == -14 ? HalfPointFontHeight(FontPixelsPerInch())
                                                              : -MulDiv(c.stored, FontPixelsPerInch(), 72));
        }
        EXPECT_EQ(ed.Row(), row) << c.size;
        EXPECT_TRUE(CaretRowInView(ed)) << c.size << ": rows " << ed.TopRow() << " + " << ed.RowCount();
    }
    ed.Lines().SetText("");
}

TEST_F(ViewMenuTest, HelpItemsOpenTheProjectsOwnTextsAndPages)
{
    char exe[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    const std::string readme = ExtractFileDir(exe) + "\\Readme.txt";
    ASSERT_TRUE(ReplaceFileBytes(readme, "readme\r\n"));
    ASSERT_TRUE(Choose(*form_, "mReadme"));
    fs::remove(readme);
    ASSERT_TRUE(Choose(*form_, "mKeyList"));  // none beside the program: nothing
    ASSERT_TRUE(Choose(*form_, "mHistory"));
    EXPECT_EQ(instances_, std::vector<std::string>{"/rl \"" + readme + "\""});

    // The about box: the version, the user, the settings folder; its links open.
    std::string version, user, folder;
    TScript script([&](TForm& f) {
        auto& box = dynamic_cast<TAboutBox&>(f);
        version = box.VerNo.Caption();
        user = box.Edit_usr.Text();
        folder = box.Edit_ini.Text();
        for (TURLLabel* link : box.Links()) {
            SendMessageA(link->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
            SendMessageA(link->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
        }
        PostMessageA(box.Button1.Handle(), BM_CLICK, 0, 0);
    });
    opened_.clear();
    ASSERT_TRUE(Choose(*form_, "mAbout"));
    std::vector<std::string> strings;
    EXPECT_EQ(version, AboutTextsFromVersion(strings, GetVersionStrings(strings) != 0).Version);
    char name[257] = {};
    DWORD size = sizeof name;
    EXPECT_EQ(user, GetUserNameA(name, &size) ? name : "(不明)");
    EXPECT_EQ(folder, ExtractFileDir(AppSettingsStore().Path()));
    EXPECT_EQ(opened_, (std::vector<std::string>{kProjectHome, std::string("mailto:") + kProjectMail, kProjectSocial,
                                                 kProjectChat}));
}
