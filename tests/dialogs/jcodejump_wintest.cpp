#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "support/modalscript_win.h"
#include "support/winsupport_win.h"
#include "dialogs/common/dialoghost.h"
#include "dialogs/code/jcodedlg_win.h"
#include "dialogs/jump/jumpdlg_win.h"
#include "testeditor_win.h"

using namespace vellumo;
using namespace vellumo::testing;

namespace {

const bool kNoUnscriptedModal = (TForm::SetRefuseUnscriptedModal(true), true);

// A hidden editor of 40 lines as the active and the upper editor.
class CodeJumpDialogs : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved_ = DialogHost();
        DialogHost().ActiveEditor = [this] { return editor.get(); };
        DialogHost().UpperEditor = [this] { return editor.get(); };
        DialogHost().LineNumOption = [this] { return lineNum; };
    }
    void TearDown() override { DialogHost() = saved_; }

    TTestEditorPtr editor = MakeDialogTestEditor();
    bool lineNum = true;

private:
    TDialogHost saved_;
};

// What the jump dialog shows when it opens.
struct TJumpSeen {
    bool logical = false, logicalEnabled = false, okEnabled = false, clearEnabled = false;
    std::string text;
    std::vector<std::string> items;
};

TJumpSeen Look(TFormJump& d)
{
    return {d.RowJumpLineNum.Checked(), d.RowJumpLineNum.Enabled(), d.btOK.Enabled(), d.btHisDel.Enabled(),
            d.ComboBox1.Text(), d.ComboBox1.Items()};
}

} // namespace

TEST_F(CodeJumpDialogs, CodeDialogOffersTheDocumentsCodeAndReturnsTheChoice)
{
    const struct { TCharCode code; TLineEndCode lineEnd; bool saveAs, force; int codeItem, lineItem, saveItem; } cases[] = {
        {ccJisOld, leLf, false, false, 1, 2, 0},
        {ccEucOrSjis, leCr, true, false, 0, 1, 1},
        {ccUtf8N, leNone, false, true, 5, 0, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.code));
        TCharCode code = c.code;
        TLineEndCode lineEnd = c.lineEnd;
        bool saveAs = c.saveAs, saveEnabled = false;
        int codeItem = -2, lineItem = -2, saveItem = -2;
        std::string caption, chosen;
        RECT at{};
        TScript script([&](TForm& f) {
            auto& d = dynamic_cast<TFormJcode&>(f);
            caption = d.Caption();
            codeItem = d.SaveCvt.ItemIndex();
            lineItem = d.SaveRetCvt.ItemIndex();
            saveItem = d.Save.ItemIndex();
            saveEnabled = IsWindowEnabled(d.Save.ItemHandle(0)) && d.Save.Enabled();
            chosen = saveItem >= 0 ? d.Save.Items()[static_cast<std::size_t>(saveItem)] : "";
            GetWindowRect(d.Handle(), &at);
            d.btOK.Click();
        });
        ASSERT_TRUE(ShowJcodeDialog(code, lineEnd, saveAs, c.force));
        EXPECT_EQ(caption, "文字/改行コード指定保存");
        EXPECT_EQ(codeItem, c.codeItem);
        EXPECT_EQ(lineItem, c.lineItem);
        EXPECT_EQ(saveItem, c.saveItem);
        EXPECT_EQ(saveEnabled, !c.force);
        EXPECT_EQ(chosen, c.saveItem == 1 ? "名前を付けて保存(&A)" : "上書き保存(&S)");
        EXPECT_EQ(code, SaveCodeOfIndex(c.codeItem));
        EXPECT_EQ(lineEnd, SaveLineEndOfIndex(c.lineItem));
        EXPECT_EQ(saveAs, c.saveItem == 1);
        POINT want{24, 24};  // of the editor
        ClientToScreen(TestEditorWindow(*editor), &want);
        EXPECT_EQ(at.left, want.x);
        EXPECT_EQ(at.top, want.y);
    }

    // The user's choices come back on OK; Cancel leaves everything as it was.
    TCharCode code = ccSjis;
    TLineEndCode lineEnd = leCrLf;
    bool saveAs = false;
    for (bool ok : {true, false}) {
        TScript script([ok](TForm& f) {
            auto& d = dynamic_cast<TFormJcode&>(f);
            d.SaveCvt.SetItemIndex(ok ? 3 : 4);
            d.SaveRetCvt.SetItemIndex(ok ? 2 : 1);
            SendMessageA(d.Save.ItemHandle(ok ? 1 : 0), BM_CLICK, 0, 0);
            PostMessageA((ok ? d.btOK : d.btCancel).Handle(), BM_CLICK, 0, 0);
        });
        EXPECT_EQ(ShowJcodeDialog(code, lineEnd, saveAs, false), ok);
        EXPECT_EQ(code, ccUnicode);
        EXPECT_EQ(lineEnd, leLf);
        EXPECT_TRUE(saveAs);
    }
}

TEST_F(CodeJumpDialogs, JumpDialogPrefillsTheCaretLineAndParsesWhatWasTyped)
{
    std::vector<std::string> history{"12", "7"};
    SetTestEditorCaretRow(*editor, 9);
    TJumpSeen seen;
    int line = 99;
    bool logical = true;
    std::string typed;
    {
        // Without wrap: rows, the box disabled even with the setting on.
        TScript script([&](TForm& f) {
            auto& d = dynamic_cast<TFormJump&>(f);
            seen = Look(d);
            d.ComboBox1.SetText("abc");
            d.btOK.Click();
        });
        ASSERT_TRUE(ShowJumpDialog(line, logical, history, typed));
    }
    EXPECT_FALSE(seen.logical);
    EXPECT_FALSE(seen.logicalEnabled);
    EXPECT_EQ(seen.text, "10");
    EXPECT_TRUE(seen.okEnabled && seen.clearEnabled);
    EXPECT_EQ(seen.items, history);
    EXPECT_EQ(line, 0);
    EXPECT_FALSE(logical);
    EXPECT_EQ(typed, "abc");

    // Wrapped with the setting on: logical lines (every fourth line takes two rows).
    ASSERT_GT(WrapTestEditor(*editor), 40);
    SetTestEditorCaretRow(*editor, 10);
    const int wantLine = TestEditorRowToLine(*editor, 10) + 1;
    ASSERT_LT(wantLine, 11);
    std::vector<bool> okStates;
    {
        TScript script([&](TForm& f) {
            auto& d = dynamic_cast<TFormJump&>(f);
            seen = Look(d);
            // Emptying the text disables OK; a list choice enables it again.
            SetWindowTextA(d.ComboBox1.EditHandle(), "");
            SendMessageA(d.Handle(), WM_COMMAND, MAKEWPARAM(d.ComboBox1.Id(), CBN_EDITCHANGE),
                         reinterpret_cast<LPARAM>(d.ComboBox1.Handle()));
            okStates.push_back(d.btOK.Enabled());
            SendMessageA(d.ComboBox1.Handle(), CB_SETCURSEL, 1, 0);
            SendMessageA(d.Handle(), WM_COMMAND, MAKEWPARAM(d.ComboBox1.Id(), CBN_SELCHANGE),
                         reinterpret_cast<LPARAM>(d.ComboBox1.Handle()));
            okStates.push_back(d.btOK.Enabled());
            PostMessageA(d.btOK.Handle(), BM_CLICK, 0, 0);
        });
        ASSERT_TRUE(ShowJumpDialog(line, logical, history, typed));
    }
    EXPECT_TRUE(seen.logical && seen.logicalEnabled);
    EXPECT_EQ(seen.text, std::to_string(wantLine));
    EXPECT_EQ(okStates, (std::vector<bool>{false, true}));
    EXPECT_EQ(line, 7);
    EXPECT_EQ(typed, "7");
    EXPECT_TRUE(logical);

    // Wrapped with the setting off: offered, unticked, rows; Cancel keeps the line.
    lineNum = false;
    TScript rows([&](TForm& f) {
        seen = Look(dynamic_cast<TFormJump&>(f));
        f.SetModalResult(mrCancel);
    });
    line = 5;
    EXPECT_FALSE(ShowJumpDialog(line, logical, history, typed));
    EXPECT_TRUE(!seen.logical && seen.logicalEnabled);
    EXPECT_EQ(seen.text, "11");
    EXPECT_EQ(line, 5);
}

TEST_F(CodeJumpDialogs, JumpHistoryClearingAndCompletion)
{
    std::vector<std::string> history{"3", "200"};
    TMsgRecorder rec;
    std::vector<std::string> itemsAfter;
    std::string textAfter, typed;
    bool clearEnabled = true, logical = false;
    int line = 0;
    TScript script([&](TForm& f) {
        auto& d = dynamic_cast<TFormJump&>(f);
        d.ComboBox1.SetText("42");
        SendMessageA(d.btHisDel.Handle(), BM_CLICK, 0, 0);
        itemsAfter = d.ComboBox1.Items();
        textAfter = d.ComboBox1.Text();
        clearEnabled = d.btHisDel.Enabled();
        d.btOK.Click();
    });
    rec.answer = IDCANCEL;
    ASSERT_TRUE(ShowJumpDialog(line, logical, history, typed));
    ASSERT_EQ(rec.messages.size(), 1u);
    EXPECT_EQ(rec.messages[0].text, "すべての指定行履歴を削除します。");
    EXPECT_EQ(rec.messages[0].flags, static_cast<unsigned>(MB_OKCANCEL | MB_ICONINFORMATION));
    EXPECT_EQ(history.size(), 2u);  // refused
    EXPECT_EQ(itemsAfter.size(), 2u);
    EXPECT_TRUE(clearEnabled);

    rec.answer = IDOK;
    ASSERT_TRUE(ShowJumpDialog(line, logical, history, typed));
    EXPECT_TRUE(history.empty());
    EXPECT_TRUE(itemsAfter.empty());
    EXPECT_FALSE(clearEnabled);
    EXPECT_EQ(textAfter, "42");  // the typed number survives the clearing
    EXPECT_EQ(line, 42);
    // Nothing left to clear the next time.
    TScript empty([&](TForm& f) {
        clearEnabled = dynamic_cast<TFormJump&>(f).btHisDel.Enabled();
        f.SetModalResult(mrCancel);
    });
    EXPECT_FALSE(ShowJumpDialog(line, logical, history, typed));
    EXPECT_FALSE(clearEnabled);

    // Typing completes from the history; Backspace takes the completion back
    // and does not bring it again.
    history = {"120", "3"};
    std::vector<std::string> texts;
    TScript typing([&](TForm& f) {
        auto& d = dynamic_cast<TFormJump&>(f);
        HWND edit = d.ComboBox1.EditHandle();
        SetWindowTextA(edit, "");
        for (WPARAM key : {WPARAM('1'), WPARAM('\b'), WPARAM('\b'), WPARAM('1')}) {
            SendMessageA(edit, WM_CHAR, key, 1);
            texts.push_back(d.ComboBox1.Text());
        }
        f.SetModalResult(mrCancel);
    });
    EXPECT_FALSE(ShowJumpDialog(line, logical, history, typed));
    EXPECT_EQ(texts, (std::vector<std::string>{"120", "1", "", "120"}));
    EXPECT_EQ(rec.messages.size(), 2u);
}
