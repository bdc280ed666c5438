#include <gtest/gtest.h>

#include <windows.h>

#include "base/filebytes.h"
#include "base/inifile.h"
#include "support/tempfolder.h"
#include "support/modalscript_win.h"
#include "support/winsupport_win.h"
#include "dialogs/common/history.h"
#include "dialogs/search/searchdlg.h"
#include "dialogs/search/searchform_win.h"
#include "searchfixture.h"
#include "textcode/search.h"

using namespace vellumo;
using namespace vellumo::testing;

namespace {

const bool kNoUnscripted = (TForm::SetRefuseUnscriptedModal(true), SetMsgSink(&UnexpectedMessage), true);

class FindDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        ini = dir.File("v.ini");
        InstallSearchHost(ini, "one\r\ntwo\r\nthree");
    }
    void TearDown() override { RemoveSearchHost(); }

    // Runs the dialog with a script acting on its form.
    bool Run(const std::function<void(TFormSearch&)>& act, int direction = -1)
    {
        bool reached = false;
        TScript script([&](TForm& f) {
            auto* form = dynamic_cast<TFormSearch*>(&f);
            ASSERT_NE(form, nullptr);
            reached = true;
            act(*form);
        });
        const bool ok = ShowSearchDialog(text, flags, direction);
        EXPECT_TRUE(reached);
        return ok;
    }

    TTempFolder dir;
    std::string ini;
    std::string text = "stale";
    std::uint16_t flags = 0xFFFF;
};

TEST_F(FindDialog, ButtonsGiveTextFlagsAndHistory)
{
    ASSERT_TRUE(ReplaceFileBytes(ini, "[SearchOptions]\r\nDirection=0\r\nMatchCase=1\r\nGoTop=1\r\n"));
    ASSERT_TRUE(WriteHistoryFile(dir.File("v.sch"), {"old", "abc"}));
    EXPECT_TRUE(Run([](TFormSearch& f) {
        EXPECT_EQ(f.ComboBox1.Text(), "old");  // newest entry without a selection
        EXPECT_EQ(f.RadioGroup1.ItemIndex(), 0);
        f.ComboBox1.SetText("abc");
        f.chkWholeWord.SetChecked(true);
        f.btOK.Click();
    }));
    EXPECT_EQ(text, "abc");
    EXPECT_EQ(flags, sfWholeWord | sfMatchCase);
    EXPECT_EQ(ReadHistoryFile(dir.File("v.sch")), (THistory{"abc", "old"}));
    EXPECT_TRUE(LastSearchStateSaved());
    {
        const TMemIniFile saved(ini);
        EXPECT_TRUE(saved.ReadBool("SearchOptions", "WholeWord", false));
        EXPECT_FALSE(saved.ValueExists("SearchOptions", "GoTop"));
    }

    // From the top: down, caret at row 0 column 0, selection ended.
    EditorCaretTo(2, 3);
    EditorSelectAll();
    EXPECT_TRUE(Run([](TFormSearch& f) { f.btOkTop.Click(); }));
    EXPECT_EQ(text, "abc");
    EXPECT_EQ(flags, sfWholeWord | sfMatchCase | sfDown);
    EXPECT_EQ(EditorRow(), 0);
    EXPECT_EQ(EditorCol(), 0);
    EXPECT_FALSE(EditorSelected());
    // Escapes go to the host only on OK.
    EXPECT_FALSE(Run([](TFormSearch& f) { f.btCancel.Click(); }));
    EXPECT_EQ(text, "");
    EXPECT_EQ(SearchHostState().escapesSet, 2);
    EXPECT_EQ(LastSearchText(ini), "abc");
}

TEST_F(FindDialog, EmptyTextSavesOptionsButFindsNothing)
{
    EXPECT_FALSE(Run([](TFormSearch& f) {
        f.ComboBox1.SetText("");
        EXPECT_FALSE(f.btOK.Enabled());
        EXPECT_FALSE(f.btOkTop.Enabled());
        EXPECT_FALSE(f.btSchHisDel.Enabled());  // no text, no history
        f.chkMatchCase.SetChecked(true);
        f.btOK.Click();
    }));
    EXPECT_TRUE(TMemIniFile(ini).ReadBool("SearchOptions", "MatchCase", false));
    EXPECT_TRUE(ReadHistoryFile(dir.File("v.sch")).empty());
}

TEST_F(FindDialog, DirectionArgumentWinsOverTheSavedOne)
{
    ASSERT_TRUE(ReplaceFileBytes(ini, "[SearchOptions]\r\nDirection=1\r\n"));
    EXPECT_TRUE(Run([](TFormSearch& f) {
        EXPECT_EQ(f.RadioGroup1.ItemIndex(), 0);
        f.ComboBox1.SetText("x");
        f.btOK.Click();
    }, 0));
    EXPECT_EQ(flags & sfDown, 0);
    EXPECT_EQ(ReadSearchOptions(ini).Direction, 0);  // the shown direction is saved
    EXPECT_TRUE(Run([](TFormSearch& f) {
        EXPECT_EQ(f.RadioGroup1.ItemIndex(), 1);
        f.btOK.Click();
    }, 1));
    EXPECT_EQ(flags & sfDown, sfDown);
    EXPECT_TRUE(Run([](TFormSearch& f) {
        EXPECT_EQ(f.RadioGroup1.ItemIndex(), 1);  // saved by the last OK
        f.btOK.Click();
    }, 7));
}

TEST_F(FindDialog, SelectionWithTabIsShownEscapedWithEscTicked)
{
    SearchHostState().selection = "a\\tb";
    SearchHostState().selectionEscaped = true;
    EXPECT_TRUE(Run([](TFormSearch& f) {
        EXPECT_EQ(f.ComboBox1.Text(), "a\\tb");
        EXPECT_TRUE(f.chkEsc.Checked());
        f.btOK.Click();
    }));
    EXPECT_EQ(text, "a\\tb");
    EXPECT_TRUE(SearchHostState().escapes);
    EXPECT_TRUE(ReadSearchOptions(ini).Esc);
}

TEST_F(FindDialog, ClearingTheHistoryAsksFirst)
{
    ASSERT_TRUE(ReplaceFileBytes(ini, "[SearchText]\r\nItemCount=1\r\nItem0=<legacy>\r\n"));
    TMsgRecorder rec;
    rec.answer = IDCANCEL;
    HWND dialog = nullptr;
    EXPECT_FALSE(Run([&](TFormSearch& f) {
        dialog = f.Handle();
        // Tab order follows the drawn order: "次を検索" before "先頭から検索".
        EXPECT_EQ(GetNextDlgTabItem(f.Handle(), f.btOK.Handle(), FALSE), f.btOkTop.Handle());
        EXPECT_EQ(f.ComboBox1.Text(), "legacy");
        f.btSchHisDel.Click();
        EXPECT_EQ(f.ComboBox1.Items().size(), 1u);
        rec.answer = IDOK;
        f.btSchHisDel.Click();
        EXPECT_TRUE(f.ComboBox1.Items().empty());
        EXPECT_EQ(f.ComboBox1.Text(), "");
        EXPECT_FALSE(f.btOK.Enabled());
        EXPECT_FALSE(f.btSchHisDel.Enabled());
        f.btCancel.Click();
    }));
    ASSERT_EQ(rec.messages.size(), 2u);
    EXPECT_EQ(rec.messages[0].text, "すべての検索履歴を削除します。");
    EXPECT_EQ(rec.messages[0].flags, unsigned(MB_OKCANCEL | MB_ICONINFORMATION));
    // Asked from the dialog, the question is the dialog's (not the main window's).
    EXPECT_EQ(rec.messages[0].owner, dialog);
    EXPECT_EQ(MsgOwner(), nullptr);
    // The legacy section went with the file, so the old list cannot come back.
    EXPECT_TRUE(LoadHistory(ini, THistoryKind::Search).empty());
}

TEST_F(FindDialog, TypingCompletesWithoutChangingCaseAndBackspaceDoesNot)
{
    ASSERT_TRUE(WriteHistoryFile(dir.File("v.sch"), {"Hello", "help"}));
    EXPECT_FALSE(Run([](TFormSearch& f) {
        HWND edit = f.ComboBox1.EditHandle();
        ASSERT_NE(edit, nullptr);
        f.ComboBox1.SetText("");
        SendMessageA(edit, WM_CHAR, 'h', 1);
        SendMessageA(edit, WM_CHAR, 'E', 1);
        EXPECT_EQ(f.ComboBox1.Text(), "hEllo");
        DWORD start = 0, end = 0;
        SendMessageA(f.ComboBox1.Handle(), CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(start, 2u);
        EXPECT_EQ(end, 5u);
        SendMessageA(edit, WM_CHAR, '\b', 1);  // deletes the offered rest only
        EXPECT_EQ(f.ComboBox1.Text(), "hE");
        SendMessageA(edit, WM_CHAR, '\b', 1);
        EXPECT_EQ(f.ComboBox1.Text(), "h");
        SendMessageA(edit, WM_CHAR, 'x', 1);
        EXPECT_EQ(f.ComboBox1.Text(), "hx");
        // Text put into the edit by another program enables the buttons, without completion.
        SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
        EXPECT_FALSE(f.btOK.Enabled());
        SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("he"));
        EXPECT_TRUE(f.btOK.Enabled());
        EXPECT_EQ(f.ComboBox1.Text(), "he");
        f.btCancel.Click();
    }));
}

TEST_F(FindDialog, UnwritableSettingsAreReported)
{
    SearchHostState().settingsPath = dir.File("missing/v.ini");
    EXPECT_TRUE(Run([](TFormSearch& f) {
        f.ComboBox1.SetText("x");
        f.btOK.Click();
    }));
    EXPECT_EQ(text, "x");
    EXPECT_FALSE(LastSearchStateSaved());
}

} // namespace
