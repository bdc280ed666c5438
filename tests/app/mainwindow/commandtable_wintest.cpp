// The one command table against the menu tables: a forgotten, doubled or
// misspelled row leaves an item, a shortcut or a tool button dead, and an
// opening handler that misses its items leaves their rules unapplied.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "app/commands/commands_win.h"
#include "app/window/menus.h"
#include "suiteform_win.h"

using namespace vellumo;
using namespace vellumo::testing;

namespace {

// The submenu row above a menu row, or null for a menu of the bar.
const TMenuEntry* ParentEntry(std::span<const TMenuEntry> menu, const TMenuEntry& e)
{
    for (auto r = static_cast<std::size_t>(&e - menu.data()); r-- > 0;)
        if (menu[r].Level < e.Level) return &menu[r];
    return nullptr;
}

TEST(CommandTable, EveryRowNamesOneItemOrActionAndNoneIsMissing)
{
    // The items and actions that ran a handler before the table.
    const char* const expected[] = {
        "File1", "mNew", "mOpen", "mOpen2", "mReLoad", "mReLoadCode", "mReLoad_Sjis", "mReLoad_Jis", "mReLoad_Euc",
        "mReLoad_Unicode", "mReLoad_UTF8", "mSave", "mSaveAs", "mWordWrapRetSave", "mSave2", "mSaveAs2",
        "mSaveExit2", "mSaveExit", "mAppExit", "Find1", "mFind", "mFindUp", "mFindDown", "mReplace", "mRowJmp",
        "mKakkoJmp", "TaioSuruKakko", "mByte", "mWindow", "mWin_Bunkatu", "MoveWindowFocus",
        // the View menu
        "Show1", "mMode", "mMode_def", "mMode_Html", "mMode_Perl", "mMode_Php", "mMode_Css", "mMode_Ruby", "mMode_Ini",
        "mMode_Bat", "mMode_Cpp", "mMode_Java", "mMode_JS", "mMode_VB", "mMode_Hsp", "mMode_Delphi", "mToolBar",
        "mStatusBar", "mInyouRow", "mLinkWord", "mUrlEx", "mOnWordWrap", "mWordWrapList", "mNowWidth", "mTabCount",
        "mTabCount_1", "mTabCount_2", "mTabCount_3", "mTabCount_4", "mTabCount_5", "mTabCount_6", "mTabCount_7",
        "mTabCount_8", "mColLine", "mFont", "mRePaint",
        // the Help menu
        "mKeyList", "mReadme", "mHistory", "mAbout"};
    for (const char* name : expected) {
        const TCommand* c = CommandTable().Find(name);
        ASSERT_NE(c, nullptr) << name;
        EXPECT_NE(c->Run, nullptr) << name;
    }

    const auto menu = MainMenuTable();
    std::set<std::string> names;
    for (const TCommand* c : CommandTable().Rows()) {
        EXPECT_TRUE(names.insert(c->Name).second) << c->Name << " is registered twice";
        const TMenuEntry* item = FindMenuEntry(menu, c->Name);
        const TMenuEntry* action = FindMenuEntry(ActionTable(), c->Name);
        EXPECT_TRUE((item && !item->IsSeparator()) || action) << c->Name << " is no menu item or action";
        // A rule shows when its menu opens: the menu above needs a command.
        if (item && c->Enabled) {
            const TMenuEntry* parent = ParentEntry(menu, *item);
            ASSERT_NE(parent, nullptr) << c->Name;
            EXPECT_NE(CommandTable().Find(parent->Name), nullptr) << c->Name << " under " << parent->Name;
        }
    }
    EXPECT_GE(names.size(), std::size(expected));
}

TEST(CommandTable, OpeningAMenuSetsItsItemsByTheirRules)
{
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "vellumo_commandtable_test";
    TVellumoMainForm* form = MakeSuiteForm(folder, false);
    int checked = 0;
    for (bool readOnly : {false, true}) {
        form->Editor1.SetReadOnly(readOnly);
        for (const TCommand* c : CommandTable().Rows()) {
            TMenuItem* item = c->Enabled ? form->MainMenuItems.Find(c->Name) : nullptr;
            if (!item) continue;
            // The other state first, so only the opening handler can set it right.
            const bool rule = c->Enabled(*form);
            item->SetEnabled(!rule);
            RefreshAndCheckEnabled(*item);
            EXPECT_EQ(item->Enabled(), rule) << c->Name << (readOnly ? " (read-only)" : "");
            ++checked;
        }
    }
    EXPECT_GE(checked, 2 * 13);  // the File menu's, Replace's and the split's rules
    form->Editor1.SetReadOnly(false);
    FreeSuiteForm(form, folder);
}

} // namespace
