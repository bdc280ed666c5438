// "ウィンドウ": the bars and the title, and the window's size and place at start.
#include <algorithm>

#include "dialogs/options/optpages_win.h"
#include "settings/settingsdecl.h"

namespace vellumo {

TWindowPage::TWindowPage(TPageContext& context) : TOptionPage(context, opWindow)
{
    TakeNewControls();
    ToolBtnImg.SetItems({"16色", "256色"});
    StartWindow.SetItems({"デフォルト", "終了時のサイズと位置を復元", "最大化", "ユーザー指定"});
    TOptionBindings& b = ctx_.Bindings;
    b.Check(kSecOption, "ToolBar", ToolBar);
    b.Check(kSecOption, "FlatToolBar", FlatToolBar);
    b.Check(kSecOption, "ToolBtnHotImg", ToolBtnHotImg);
    b.List(kSecOption, "ToolBtnImg", ToolBtnImg);
    b.Check(kSecOption, "ToolBarEnabled", ToolBarEnabled);
    b.Check(kSecOption, "StatusBar", StatusBar);
    b.Check(kSecOption, "SBSimplePanels", SBSimplePanels);
    b.Check(kSecOption, "ScrollBar_Tate", ScrollBar_Tate);
    b.Check(kSecOption, "ScrollBar_Yoko", ScrollBar_Yoko);
    b.Check(kSecOption, "FullPathFileName", FullPathFileName);
    b.Check(kSecOption, "FullPathCnv", FullPathCnv);
    b.Check(kSecOption, "ButtonFileName", ButtonFileName);
    b.List(kSecOption, "StartWindow", StartWindow);
    b.Check(kSecOption, "UserWindowSize", UserWindowSize);
    b.Number(kSecOption, "UserWindowSize_W", UserWindowSize_W_UpDown);
    b.Number(kSecOption, "UserWindowSize_H", UserWindowSize_H_UpDown);
    b.Check(kSecOption, "UserWindowPos", UserWindowPos);
    b.Number(kSecOption, "UserWindowPos_X", UserWindowPos_X_UpDown);
    b.Number(kSecOption, "UserWindowPos_Y", UserWindowPos_Y_UpDown);
    b.Check(kSecOption, "UserWindowMenu", UserWindowMenu);
    ToolBar.OnClick = [this] { ToolBarClick(); };
    FlatToolBar.OnClick = [this] { ToolBtnImgChange(); };
    ToolBtnImg.OnChange = [this] { ToolBtnImgChange(); };
    StatusBar.OnClick = [this] { StatusBarClick(); };
    FullPathFileName.OnClick = [this] { FullPathFileNameClick(); };
    UserWindowSize.OnClick = [this] { UserWindowSizeClick(); };
    UserWindowPos.OnClick = [this] { UserWindowPosClick(); };
    NowSize.OnClick = [this] { TakeNowSize(); };
    NowPos.OnClick = [this] { TakeNowPos(); };
    NowSet.OnClick = [this] { SetNow(); };
}

void TWindowPage::Layout(const RECT& area)
{
    Origin(area);
    const int gw = width_ - 16;
    Put(GroupBox1, 8, 4, gw, 162);
    Put(ToolBar, 20, 24, 98, kCheckH);
    Put(FlatToolBar, 122, 24, 86, kCheckH);
    Put(ToolBtnHotImg, 212, 24, 116, kCheckH);
    Put(Label1, 334, 24 + 1, 40, 16);
    Put(ToolBtnImg, 376, 22, 70, 22);
    Put(ToolBarEnabled, 36, 46, 280, kCheckH);
    Put(StatusBar, 20, 72, 130, kCheckH);
    Put(SBSimplePanels, 160, 72, 190, kCheckH);
    Put(ScrollBar_Tate, 20, 94, 136, kCheckH);
    Put(ScrollBar_Yoko, 160, 94, 150, kCheckH);
    Put(FullPathFileName, 20, 116, 300, kCheckH);
    Put(FullPathCnv, 36, 138, 110, kCheckH);
    Put(ButtonFileName, 160, 138, 220, kCheckH);

    Put(GroupBox2, 8, 174, gw, 140);
    Put(Label2, 20, 194 + kLabelDy, 60, 16);
    Put(StartWindow, 82, 194, 200, 22);
    struct TNumberRow {
        TCheckBox& Check;
        TLabel& LabelA;
        TEdit& EditA;
        TUpDown& UpDownA;
        TLabel& LabelB;
        TEdit& EditB;
        TUpDown& UpDownB;
        TButton& Take;
    };
    const TNumberRow rows[] = {
        {UserWindowSize, Label3, UserWindowSize_W, UserWindowSize_W_UpDown, Label4, UserWindowSize_H,
         UserWindowSize_H_UpDown, NowSize},
        {UserWindowPos, Label5, UserWindowPos_X, UserWindowPos_X_UpDown, Label6, UserWindowPos_Y,
         UserWindowPos_Y_UpDown, NowPos},
    };
    for (int i = 0; i < 2; ++i) {
        const int y = 224 + i * 28;
        const TNumberRow& r = rows[i];
        Put(r.Check, 20, y + 2, 78, kCheckH);
        Put(r.LabelA, 102, y + kLabelDy, 46, 16);
        Put(r.EditA, 148, y, 50, kEditH);
        Put(r.UpDownA, 198, y, 17, kEditH);
        Put(r.LabelB, 222, y + kLabelDy, 52, 16);
        Put(r.EditB, 274, y, 50, kEditH);
        Put(r.UpDownB, 324, y, 17, kEditH);
        Put(r.Take, 348, y - 1, 104, kButtonH);
    }
    Put(NowSet, 20, 282, 110, kButtonH);
    Put(UserWindowMenu, 140, 285, 300, kCheckH);
}

void TWindowPage::SetWorkArea(const RECT& work)
{
    // A window smaller than the least size is lost on the screen.
    UserWindowSize_W_UpDown.SetRange(std::min(kMinUserWindowSize, int(work.right)), std::max(1, int(work.right)));
    UserWindowSize_H_UpDown.SetRange(std::min(kMinUserWindowSize, int(work.bottom)), std::max(1, int(work.bottom)));
}

void TWindowPage::Gather(TOptionChecks& c) const
{
    c.ToolBar = ToolBar.Checked();
    c.FlatToolBar = FlatToolBar.Checked();
    c.ToolBtnImg256 = ToolBtnImg.ItemIndex() == 1;
    c.StatusBar = StatusBar.Checked();
    c.FullPathFileName = FullPathFileName.Checked();
    c.UserWindowSize = UserWindowSize.Checked();
    c.UserWindowPos = UserWindowPos.Checked();
}

void TWindowPage::ToolBarClick()
{
    const TOptionEnabling e = Enabling();
    ToolBtnImg.SetEnabled(e.ToolBarControls);
    ToolBarEnabled.SetEnabled(e.ToolBarControls);
    FlatToolBar.SetEnabled(e.FlatToolBar);
    ToolBtnImgChange();
}

void TWindowPage::ToolBtnImgChange() { ToolBtnHotImg.SetEnabled(Enabling().ToolBtnHotImg); }

void TWindowPage::StatusBarClick() { SBSimplePanels.SetEnabled(Enabling().SBSimplePanels); }

void TWindowPage::FullPathFileNameClick()
{
    const bool on = Enabling().FullPathOptions;
    FullPathCnv.SetEnabled(on);
    ButtonFileName.SetEnabled(on);
}

void TWindowPage::UserWindowSizeClick()
{
    const TOptionEnabling e = Enabling();
    UserWindowSize_W_UpDown.SetEnabled(e.UserSize);  // with its edit
    UserWindowSize_H_UpDown.SetEnabled(e.UserSize);
    NowSize.SetEnabled(e.UserSize);
    NowSet.SetEnabled(e.NowSet);
}

void TWindowPage::UserWindowPosClick()
{
    const TOptionEnabling e = Enabling();
    UserWindowPos_X_UpDown.SetEnabled(e.UserPos);
    UserWindowPos_Y_UpDown.SetEnabled(e.UserPos);
    NowPos.SetEnabled(e.UserPos);
    NowSet.SetEnabled(e.NowSet);
}

void TWindowPage::TakeNowSize()
{
    RECT r;
    if (!MainWindow() || !GetWindowRect(MainWindow(), &r)) return;
    UserWindowSize_W_UpDown.SetPosition(r.right - r.left);
    UserWindowSize_H_UpDown.SetPosition(r.bottom - r.top);
}

void TWindowPage::TakeNowPos()
{
    RECT r;
    if (!MainWindow() || !GetWindowRect(MainWindow(), &r)) return;
    UserWindowPos_X_UpDown.SetPosition(r.left);
    UserWindowPos_Y_UpDown.SetPosition(r.top);
}

void TWindowPage::SetNow()
{
    HWND main = MainWindow();
    RECT r;
    if (!main || !GetWindowRect(main, &r)) return;
    int x = r.left, y = r.top, w = r.right - r.left, h = r.bottom - r.top;
    if (UserWindowPos.Checked()) {
        x = UserWindowPos_X_UpDown.Position();
        y = UserWindowPos_Y_UpDown.Position();
    }
    if (UserWindowSize.Checked()) {
        w = UserWindowSize_W_UpDown.Position();
        h = UserWindowSize_H_UpDown.Position();
    }
    if (IsZoomed(main)) ShowWindow(main, SW_RESTORE);
    SetWindowPos(main, nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace vellumo
