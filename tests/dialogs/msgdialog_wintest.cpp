#include <gtest/gtest.h>

#include <windows.h>

#include "classlib/form_win.h"
#include "classlib/msgdialog.h"
#include "support/modalscript_win.h"
#include "support/winsupport_win.h"

using namespace vellumo;
using namespace vellumo::testing;

namespace {

TButton* ButtonCaptioned(TForm& form, const std::string& caption)
{
    for (auto* c : form.Controls())
        if (auto* b = dynamic_cast<TButton*>(c); b && b->Caption() == caption) return b;
    return nullptr;
}

TEST(ConfirmAll, AsksThroughTheMessageSinkAndKeepsOnlyItsFourAnswers)
{
    TMsgRecorder rec;
    for (int answer : {IDYES, IDNO, IDCANCEL, kAnswerAll}) {
        rec.answer = answer;
        EXPECT_EQ(ShowConfirmAllDialog("置き換えますか？", nullptr), answer);
    }
    ASSERT_EQ(rec.messages.size(), 4u);
    EXPECT_EQ(rec.messages[0].text, "置き換えますか？");
    EXPECT_EQ(rec.messages[0].caption, "確認");
    EXPECT_EQ(rec.messages[0].flags, kMsgYesNoCancelAll | MB_ICONQUESTION);
    // Any other answer stops the loop rather than replacing.
    rec.answer = IDOK;
    EXPECT_EQ(ShowConfirmAllDialog("x", nullptr), IDCANCEL);
    rec.answer = IDIGNORE;
    EXPECT_EQ(ShowConfirmAllDialog("x", nullptr), IDCANCEL);
}

TEST(ConfirmAll, OwnFormAnswersEachButtonWherePlaced)
{
    TScopedMsgSink systemSink{nullptr};
    struct TCase {
        const char* caption;
        int answer;
    } cases[] = {{"はい(&Y)", IDYES}, {"いいえ(&N)", IDNO}, {"キャンセル", IDCANCEL}, {"すべて(&A)", kAnswerAll}};
    for (const TCase& c : cases) {
        SIZE asked{};
        RECT seen{};
        std::string caption;
        bool clicked = false;
        TScript script([&](TForm& form) {
            GetWindowRect(form.Handle(), &seen);
            caption = form.Caption();
            if (TButton* b = ButtonCaptioned(form, c.caption)) {
                b->Click();
                clicked = true;
            } else {
                form.SetModalResult(mrAbort);
            }
        });
        const int got = ShowConfirmAllDialog("置き換えますか？", [&](int w, int h) {
            asked = {w, h};
            return TDialogPoint{130, 170};
        });
        EXPECT_TRUE(clicked) << c.caption;
        EXPECT_EQ(got, c.answer) << c.caption;
        EXPECT_EQ(caption, "確認");
        EXPECT_EQ(seen.left, 130);
        EXPECT_EQ(seen.top, 170);
        EXPECT_EQ(asked.cx, seen.right - seen.left);
        EXPECT_EQ(asked.cy, seen.bottom - seen.top);
    }
    // Closing the window is Cancel.
    TScript script([](TForm& form) { PostMessageA(form.Handle(), WM_CLOSE, 0, 0); });
    EXPECT_EQ(ShowConfirmAllForm("x", "確認"), IDCANCEL);
}

} // namespace
