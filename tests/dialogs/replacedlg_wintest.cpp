#include <gtest/gtest.h>

#include <windows.h>

#include "base/filebytes.h"
#include "base/inifile.h"
#include "support/tempfolder.h"
#include "support/winsupport_win.h"
#include "dialogs/common/history.h"
#include "dialogs/replace/replacedlg.h"
#include "dialogs/replace/replaceform_win.h"
#include "dialogs/search/searchdlg.h"
#include "searchfixture.h"
#include "textcode/search.h"

using namespace vellumo;
using namespace vellumo::testing;

namespace {

class ReplaceDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        TForm::SetRefuseUnscriptedModal(true);
        ini = dir.File("v.ini");
        InstallSearchHost(ini, "one\r\ntwo\r\nthree");
    }
    void TearDown() override { RemoveSearchHost(); }

    bool Run(const std::function<void(TFormReplace&)>& act)
    {
        bool reached = false;
        auto old = TForm::SetModalScript([&](TForm& f) {
            auto* form = dynamic_cast<TFormReplace*>(&f);
            ASSERT_NE(form, nullptr);
            reached = true;
            act(*form);
        });
        const bool ok = ShowReplaceDialog(find, replace, flags);
        TForm::SetModalScript(std::move(old));
        EXPECT_TRUE(reached);
        return ok;
    }

    TTempFolder dir;
    std::string ini;
    std::string find = "stale", replace = "stale";
    std::uint16_t flags = 0xFFFF;
};

TEST_F(ReplaceDialog, EachButtonGivesItsBitAndResult)
{
    struct TCase {
        TButton TFormReplace::*button;
        std::uint16_t bits;
        bool toTop;
    } cases[] = {{&TFormReplace::btOK, sfFindNext, false},
                 {&TFormReplace::btAll, sfReplaceAll, false},
                 {&TFormReplace::btOKTop, sfFindNext | sfDown, true},
                 {&TFormReplace::btAll2, sfReplaceAll | sfDown, true}};
    for (const TCase& c : cases) {
        // The saved direction is up: only the from-the-top buttons turn it down.
        ASSERT_TRUE(ReplaceFileBytes(ini, "[SearchOptions]\r\nDirection=0\r\nReplaceConfirm=1\r\n"));
        EditorCaretTo(2, 2);
        EXPECT_TRUE(Run([&](TFormReplace& f) {
            EXPECT_EQ(f.RadioGroup1.ItemIndex(), 0);
            f.ComboBox1.SetText("a");
            f.ComboBox2.SetText("b");
            (f.*c.button).Click();
        }));
        EXPECT_EQ(find, "a");
        EXPECT_EQ(replace, "b");
        EXPECT_EQ(flags, c.bits | sfConfirm);
        EXPECT_EQ(EditorRow() == 0 && EditorCol() == 0, c.toTop);
    }
    EXPECT_EQ(ReadHistoryFile(dir.File("v.sch")), (THistory{"a"}));
    EXPECT_EQ(ReadHistoryFile(dir.File("v.rep")), (THistory{"b"}));
}

TEST_F(ReplaceDialog, EmptyReplacementIsAnEntryAndConfirmCanBeOff)
{
    ASSERT_TRUE(WriteHistoryFile(dir.File("v.rep"), {"x"}));
    ASSERT_TRUE(ReplaceFileBytes(ini, "[ReplaceText]\r\nItemCount=1\r\nItem0=[legacy]\r\n"));
    EXPECT_TRUE(Run([](TFormReplace& f) {
        EXPECT_EQ(f.ComboBox2.Text(), "legacy");  // the legacy section wins over the file
        EXPECT_TRUE(f.chkReplaceConfirm.Checked());
        f.ComboBox1.SetText("a");
        f.ComboBox2.SetText("");
        f.chkReplaceConfirm.SetChecked(false);
        f.btOK.Click();
    }));
    EXPECT_EQ(replace, "");
    EXPECT_EQ(flags & sfConfirm, 0);
    EXPECT_EQ(ReadHistoryFile(dir.File("v.rep")), (THistory{"", "legacy"}));
    const TMemIniFile saved(ini);
    EXPECT_FALSE(saved.SectionExists("ReplaceText"));
    EXPECT_FALSE(saved.ReadBool("SearchOptions", "ReplaceConfirm", true));
}

TEST_F(ReplaceDialog, CancelLeavesHistoriesAndSettingsAlone)
{
    ASSERT_TRUE(WriteHistoryFile(dir.File("v.sch"), {"s"}));
    EXPECT_FALSE(Run([](TFormReplace& f) {
        f.ComboBox1.SetText("new");
        f.btCancel.Click();
    }));
    EXPECT_EQ(find, "");
    EXPECT_EQ(flags, 0);
    EXPECT_EQ(ReadHistoryFile(dir.File("v.sch")), (THistory{"s"}));
    EXPECT_FALSE(PathExists(ini));
}

TEST_F(ReplaceDialog, ClearingTheReplacementHistory)
{
    ASSERT_TRUE(WriteHistoryFile(dir.File("v.rep"), {"r1", "r2"}));
    TMsgRecorder rec;
    rec.answer = IDOK;
    EXPECT_FALSE(Run([](TFormReplace& f) {
        EXPECT_TRUE(f.btRepHisDel.Enabled());
        f.btRepHisDel.Click();
        EXPECT_TRUE(f.ComboBox2.Items().empty());
        EXPECT_FALSE(f.btRepHisDel.Enabled());
        f.btCancel.Click();
    }));
    ASSERT_EQ(rec.messages.size(), 1u);
    EXPECT_EQ(rec.messages[0].text, "すべての置換履歴を削除します。");
    EXPECT_TRUE(ReadHistoryFile(dir.File("v.rep")).empty());
}

} // namespace
