#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "classlib/winsupport.h"
#include "dialogs/dialoghost.h"
#include "dialogs/jcodedlg_win.h"
#include "dialogs/jumpdlg_win.h"
#include "dialogs/testeditor.h"

using namespace vellumo;
using namespace vellumo::testing;

namespace {

const bool kNoUnscriptedModal = (TForm::SetRefuseUnscriptedModal(true), true);

class TScript {
public:
    explicit TScript(TForm::TModalScript s) : old_(TForm::SetModalScript(std::move(s))) {}
    ~TScript() { TForm::SetModalScript(std::move(old_)); }

private:
    TForm::TModalScript old_;
};

// A hidden editor of 40 short lines as the active and the upper editor.
class CodeJumpDialogs : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved_ = DialogHost();
        editor = MakeDialogTestEditor();
        DialogHost().ActiveEditor = [this] { return editor.get(); };
        DialogHost().UpperEditor = [this] { return editor.get(); };
        DialogHost().LineNumOption = [this] { return lineNum; };
    }
    void TearDown() override { DialogHost() = saved_; }

    TTestEditorPtr editor;
    bool lineNum = true;

private:
    TDialogHost saved_;
};

} // namespace

TEST_F(CodeJumpDialogs, CodeDialogOffersTheDocumentsCodeAndReturnsTheChoice)
{
    struct TCase {
        TCharCode code;
        TLineEndCode lineEnd;
        bool saveAs, force;
        int codeItem, lineItem, saveItem;
    };
    const TCase cases[] = {
        {ccJisOld, leLf, false, false, 1, 2, 0},
        {ccEucOrSjis, leCr, true, false, 0, 1, 1},
        {ccUtf8N, leNone, false, true, 5, 0, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.code));
        TCharCode code = c.code;
        TLineEndCode lineEnd = c.lineEnd;
        bool saveAs = c.saveAs;
        int codeItem = -2, lineItem = -2, saveItem = -2;
        bool saveEnabled = false;
        std::string caption, chosen;
        POINT at{};
        TScript script([&](TForm& f) {
            auto& d = dynamic_cast<TFormJcode&>(f);
            caption = d.Caption();
            codeItem = d.SaveCvt.ItemIndex();
            lineItem = d.SaveRetCvt.ItemIndex();
            saveItem = d.Save.ItemIndex();
            saveEnabled = IsWindowEnabled(d.Save.ItemHandle(0)) && d.Save.Enabled();
            chosen = saveItem >= 0 ? d.Save.Items()[static_cast<std::size_t>(saveItem)] : "";
            RECT r;
            GetWindowRect(d.Handle(), &r);
            at = {r.left, r.top};
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
        // At (24, 24) of the editor.
        POINT want{24, 24};
        ClientToScreen(TestEditorWindow(*editor), &want);
        EXPECT_EQ(at.x, want.x);
        EXPECT_EQ(at.y, want.y);
    }

    // The user's choices come back; Cancel leaves everything as it was.
    TCharCode code = ccSjis;
    TLineEndCode lineEnd = leCrLf;
    bool saveAs = false;
    {
        TScript script([](TForm& f) {
            auto& d = dynamic_cast<TFormJcode&>(f);
            d.SaveCvt.SetItemIndex(3);
            d.SaveRetCvt.SetItemIndex(2);
            SendMessageA(d.Save.ItemHandle(1), BM_CLICK, 0, 0);
            PostMessageA(d.btOK.Handle(), BM_CLICK, 0, 0);
        });
        ASSERT_TRUE(ShowJcodeDialog(code, lineEnd, saveAs, false));
    }
    EXPECT_EQ(code, ccUnicode);
    EXPECT_EQ(lineEnd, leLf);
    EXPECT_TRUE(saveAs);
    TScript cancel([](TForm& f) {
        auto& d = dynamic_cast<TFormJcode&>(f);
        d.SaveCvt.SetItemIndex(4);
        SendMessageA(d.Save.ItemHandle(0), BM_CLICK, 0, 0);
        PostMessageA(d.btCancel.Handle(), BM_CLICK, 0, 0);
    });
    EXPECT_FALSE(ShowJcodeDialog(code, lineEnd, saveAs, false));
    EXPECT_EQ(code, ccUnicode);
    EXPECT_EQ(lineEnd, leLf);
    EXPECT_TRUE(saveAs);
}

TEST_F(CodeJumpDialogs, JumpDialogPrefillsTheCaretLineAndParsesWhatWasTyped)
{
    std::vector<std::string> history{"12", "7"};
    SetTestEditorCaretRow(*editor, 9);
    struct TSeen {
        bool logical, logicalEnabled, okEnabled, clearEnabled;
        std::string text;
        std::vector<std::string> items;
    };
    auto look = [](TFormJump& d) {
        return TSeen{d.RowJumpLineNum.Checked(), d.RowJumpLineNum.Enabled(), d.btOK.Enabled(),
                     d.btHisDel.Enabled(),      d.ComboBox1.Text(),          d.ComboBox1.Items()};
    };
    TSeen seen{};
    int line = 99;
    bool logical = true;
    std::string typed;
    {
        // Without wrap: rows, the box disabled even with the setting on.
        TScript script([&](TForm& f) {
            auto& d = dynamic_cast<TFormJump&>(f);
            seen = look(d);
            d.ComboBox1.SetText("abc");
            d.btOK.Click();
        });
        ASSERT_TRUE(ShowJumpDialog(line, logical, history, typed));
    }
    EXPECT_FALSE(seen.logical);
    EXPECT_FALSE(seen.logicalEnabled);
    EXPECT_EQ(seen.text, "10");
    EXPECT_TRUE(seen.okEnabled);
    EXPECT_TRUE(seen.clearEnabled);
    EXPECT_EQ(seen.items, history);
    EXPECT_EQ(line, 0);
    EXPECT_FALSE(logical);
    EXPECT_EQ(typed, "abc");

    // With wrap and the setting: logical lines (rows 0-1 are line 0, so row 9 is line 7).
    ASSERT_GT(WrapTestEditor(*editor), 40);
    SetTestEditorCaretRow(*editor, 10);
    const int wantLine = TestEditorRowToLine(*editor, 10) + 1;
    ASSERT_LT(wantLine, 11);
    std::vector<bool> okStates;
    {
        TScript script([&](TForm& f) {
            auto& d = dynamic_cast<TFormJump&>(f);
            seen = look(d);
            // Emptying the text disables OK; a list choice enables it again.
            HWND edit = GetWindow(d.ComboBox1.Handle(), GW_CHILD);
            SetWindowTextA(edit, "");
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
    EXPECT_TRUE(seen.logical);
    EXPECT_TRUE(seen.logicalEnabled);
    EXPECT_EQ(seen.text, std::to_string(wantLine));
    EXPECT_EQ(okStates, (std::vector<bool>{false, true}));
    EXPECT_EQ(line, 7);
    EXPECT_EQ(typed, "7");
    EXPECT_TRUE(logical);

    // With wrap but without the setting: offered, unticked, rows.
    lineNum = false;
    TScript rows([&](TForm& f) {
        auto& d = dynamic_cast<TFormJump&>(f);
        seen = look(d);
        d.btCancel.Click();
    });
    line = 5;
    EXPECT_FALSE(ShowJumpDialog(line, logical, history, typed));
    EXPECT_FALSE(seen.logical);
    EXPECT_TRUE(seen.logicalEnabled);
    EXPECT_EQ(seen.text, "11");
    EXPECT_EQ(line, 5);
}

TEST_F(CodeJumpDialogs, ClearingTheJumpHistoryAsksFirst)
{
    std::vector<std::string> history{"3", "200"};
    TMsgRecorder rec;
    rec.answer = IDCANCEL;
    std::vector<std::string> itemsAfter;
    std::string textAfter;
    bool clearEnabled = true;
    auto clickClear = [&](TForm& f) {
        auto& d = dynamic_cast<TFormJump&>(f);
        d.ComboBox1.SetText("42");
        SendMessageA(d.btHisDel.Handle(), BM_CLICK, 0, 0);
        itemsAfter = d.ComboBox1.Items();
        textAfter = d.ComboBox1.Text();
        clearEnabled = d.btHisDel.Enabled();
        d.btOK.Click();
    };
    std::string typed;
    int line = 0;
    bool logical = false;
    {
        TScript script(clickClear);
        ASSERT_TRUE(ShowJumpDialog(line, logical, history, typed));
    }
    ASSERT_EQ(rec.messages.size(), 1u);
    EXPECT_EQ(rec.messages[0].text, "すべての指定行履歴を削除します。");
    EXPECT_EQ(rec.messages[0].flags, static_cast<unsigned>(MB_OKCANCEL | MB_ICONINFORMATION));
    EXPECT_EQ(history.size(), 2u);  // refused
    EXPECT_EQ(itemsAfter.size(), 2u);
    EXPECT_TRUE(clearEnabled);

    rec.answer = IDOK;
    {
        TScript script(clickClear);
        ASSERT_TRUE(ShowJumpDialog(line, logical, history, typed));
    }
    EXPECT_TRUE(history.empty());
    EXPECT_TRUE(itemsAfter.empty());
    EXPECT_FALSE(clearEnabled);
    EXPECT_EQ(textAfter, "42");  // the typed number survives the clearing
    EXPECT_EQ(line, 42);

    // Typing completes from the history; Backspace takes back the completion
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
        d.btCancel.Click();
    });
    EXPECT_FALSE(ShowJumpDialog(line, logical, history, typed));
    EXPECT_EQ(texts, (std::vector<std::string>{"120", "1", "", "120"}));

    // An empty history: nothing to clear.
    history.clear();
    TScript empty([&](TForm& f) {
        auto& d = dynamic_cast<TFormJump&>(f);
        clearEnabled = d.btHisDel.Enabled();
        d.btCancel.Click();
    });
    EXPECT_FALSE(ShowJumpDialog(line, logical, history, typed));
    EXPECT_FALSE(clearEnabled);
    EXPECT_EQ(rec.messages.size(), 2u);
}
