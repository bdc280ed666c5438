// The Tools menu's tool settings on a real main window: the list it saves,
// and the message when the settings file cannot take it.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/commands/commands_win.h"
#include "app/window/mainform_win.h"
#include "base/inifile.h"
#include "classlib/screen_win.h"
#include "dialogs/tools/tooldlg.h"
#include "dialogs/tools/toollistdlg_win.h"
#include "settings/tools.h"
#include "support/modalscript_win.h"
#include "support/winsupport_win.h"
#include "suiteform_win.h"

using namespace vellumo;
using namespace vellumo::testing;

TEST(ToolsMenu, ToolSettingsSaveTheListOrSayWhyNot)
{
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "vellumo_toolsmenu_test";
    TVellumoMainForm* form = MakeSuiteForm(folder, false);
    const std::string ini = form->IniPath;
    TMsgRecorder rec;
    TCursor during = crDefault;
    TScript script([&](TForm& f) {
        auto& d = dynamic_cast<TOptionToolFrm&>(f);
        during = Screen().Cursor();
        TAppTool t;
        t.Title = "ツール";
        t.File = "t.exe";
        d.ListView1.AddRow(ToolToRow(t));
        d.OKBtn.Click();
    });
    form->MainMenuItems.Item("mOptionTool").Click();
    EXPECT_TRUE(rec.messages.empty());
    EXPECT_EQ(during, crDefault);  // the hourglass is for opening and saving only
    EXPECT_EQ(Screen().Cursor(), crDefault);
    std::vector<TAppTool> saved = ReadAppTools(TMemIniFile(ini));
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_EQ(saved[0].Title, "ツール");

    // A settings file that cannot be written: the message, and the file as it was.
    SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_READONLY);
    form->MainMenuItems.Item("mOptionTool").Click();
    SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_NORMAL);
    ASSERT_EQ(rec.messages.size(), 1u);
    EXPECT_EQ(rec.messages[0].text.rfind("何らかの問題が発生しました。\r\n\r\n", 0), 0u);
    EXPECT_NE(rec.messages[0].text.find("・初期化ファイル(INI)の作成に失敗。"), std::string::npos);
    EXPECT_EQ(rec.messages[0].flags & 0xF0, 0x30u);
    EXPECT_EQ(Screen().Cursor(), crDefault);
    EXPECT_EQ(ReadAppTools(TMemIniFile(ini)).size(), 1u);
    FreeSuiteForm(form, folder);
}
