// The progress window beside the active editor, its text and abort button.
#include <gtest/gtest.h>

#include "app/window/progressform_win.h"
#include "support/winsupport_win.h"

namespace vellumo::testing {
namespace {

TEST(ProgressForm, SitsBesideTheEditorShowsItsTextAndAborts)
{
    HWND owner = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 80, 400, 300, nullptr,
                                 nullptr, nullptr, nullptr);
    auto p = ShowProgressForm(owner, owner, "処理中...", "コンソール入力取込中...");
    RECT r, client;
    GetWindowRect(p->Handle(), &r);
    GetClientRect(p->Handle(), &client);
    POINT at{24, 24};
    ClientToScreen(owner, &at);
    EXPECT_EQ(r.left, at.x);
    EXPECT_EQ(r.top, at.y);
    EXPECT_EQ(client.right, 297);
    EXPECT_EQ(client.bottom, 38);
    EXPECT_EQ(p->Label1.Caption(), "処理中...");
    p->SetText("サイズ: 1 バイト");
    EXPECT_EQ(p->Label1.Caption(), "処理中...");  // the timer or the next update shows it
    p->UpdateProgress(true);
    EXPECT_EQ(p->Label1.Caption(), "サイズ: 1 バイト");
    EXPECT_FALSE(p->Aborted());
    SendMessageA(p->Button1.Handle(), BM_CLICK, 0, 0);
    EXPECT_TRUE(p->Aborted());
    p->UpdateProgress(false);
    EXPECT_FALSE(IsWindowEnabled(p->Button1.Handle()));
    p.reset();
    DestroyWindow(owner);
}

} // namespace
} // namespace vellumo::testing
