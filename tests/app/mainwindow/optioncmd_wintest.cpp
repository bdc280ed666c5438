// The View menu's options command on a real main window: OK saves and
// applies, the apply button applies without saving, the wrap-width menu
// follows the list and the page shown last comes back.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <functional>
#include <string>

#include "app/commands/commands_win.h"
#include "base/inifile.h"
#include "dialogs/options/optionform_win.h"
#include "settings/settingsstore.h"
#include "support/modalscript_win.h"
#include "support/winsupport_win.h"
#include "suiteform_win.h"

using namespace vellumo;
using namespace vellumo::testing;
namespace fs = std::filesystem;

namespace {

void Click(TWinControlChild& c) { SendMessageA(c.Handle(), BM_CLICK, 0, 0); }

class OptionCommand : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        folder_ = fs::temp_directory_path() / "vellumo_optioncmd_test";
        form_ = MakeSuiteForm(folder_, true);
    }
    static void TearDownTestSuite() { FreeSuiteForm(form_, folder_); }

    // Runs the command with a script on the dialog.
    void Options(const std::function<void(TOptionForm&)>& script)
    {
        bool seen = false;
        TScript s([&](TForm& f) {
            seen = true;
            script(dynamic_cast<TOptionForm&>(f));
            if (f.ModalResult() == mrNone) f.SetModalResult(mrCancel);
        });
        SendMessageA(form_->Window(), WM_COMMAND, form_->MainMenuItems.Item("mOption").Command(), 0);
        EXPECT_TRUE(seen);
    }

    static bool StatusBarShown() { return IsWindowVisible(form_->StatusBar1.Handle()) != FALSE; }
    static std::string IniPath() { return AppSettingsStore().Path(); }

    static TVellumoMainForm* form_;
    static fs::path folder_;
};

TVellumoMainForm* OptionCommand::form_ = nullptr;
fs::path OptionCommand::folder_;

} // namespace

TEST_F(OptionCommand, OkSavesAndAppliesTheApplyButtonOnlyApplies)
{
    ASSERT_TRUE(StatusBarShown());
    Options([](TOptionForm& f) {
        f.Window.StatusBar.SetChecked(false);
        f.Basic.TabSpaceCount.SetText("3");
        f.PageControl1.SetActivePage(opRuler);
        Click(f.btUpdate);
    });
    EXPECT_FALSE(StatusBarShown());
    EXPECT_EQ(form_->Editor1.Caret().TabSpaceCount(), 3);
    EXPECT_EQ(form_->OptionPage, opRuler);
    EXPECT_EQ(TMemIniFile(IniPath()).ReadString("Option", "StatusBar", "none"), "none");

    TMsgRecorder answers;  // the question of the added width: OK
    Options([](TOptionForm& f) {
        EXPECT_EQ(f.PageControl1.ActivePage(), opRuler);
        EXPECT_FALSE(f.Window.StatusBar.Checked());
        f.Window.StatusBar.SetChecked(true);
        f.Basic.WrapCount_UpDown.SetPosition(66);
        f.Basic.Button19.Click();
        f.Button1.Click();
    });
    EXPECT_TRUE(StatusBarShown());
    const TMemIniFile ini(IniPath());
    EXPECT_EQ(ini.ReadString("Option", "StatusBar", "none"), "1");
    EXPECT_EQ(ini.ReadString("Option", "TabSpaceCount", "none"), "3");
    EXPECT_EQ(ini.ReadString("WrapByteList", "Item0", "none"), "66");
    // The wrap-width menu follows the list: "&0", its separator, then 66.
    TMenuItem& list = form_->MainMenuItems.Item("mWordWrapList");
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Items(2).Tag(), 66);
}
