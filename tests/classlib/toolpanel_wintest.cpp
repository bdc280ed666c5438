// A tool panel under buttons takes the clicks between them: a real mouse
// click there never reaches the form.
#include <gtest/gtest.h>

#include <windows.h>

#include "classlib/toolpanel_win.h"
#include "support/winsupport_win.h"

using namespace vellumo;

namespace {

class TToolPanelForm : public TForm {
public:
    TToolPanelForm() : TForm(nullptr)
    {
        SetBorderStyle(bsSingle);
        SetBounds(100, 100, 300, 160);
        Panel.SetBounds(0, 0, 280, 40);
        Button.SetBounds(10, 8, 60, 24);
    }
    TButton Button{*this, "b"};
    TToolPanel Panel{*this};

protected:
    void Click() override { ++FormClicks; }

public:
    int FormClicks = 0;
};

void RealClick(HWND over, int x, int y)
{
    POINT p{x, y};
    ClientToScreen(over, &p);
    SetCursorPos(p.x, p.y);
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    for (int i = 0; i < 60; ++i) {  // the display's input arrives late
        vellumo::testing::PumpMessages();
        Sleep(10);
    }
}

TEST(Panel, TakesTheClicksBetweenItsControlsAndLiesBeneathThem)
{
    TToolPanelForm f;
    f.Show();
    SetForegroundWindow(f.Handle());
    EXPECT_FALSE(f.Panel.TabStop());
    EXPECT_EQ(SendMessageA(f.Panel.Handle(), WM_NCHITTEST, 0, 0), HTCLIENT);
    int pressed = 0;
    f.Button.OnClick = [&] { ++pressed; };
    RealClick(f.Handle(), 200, 20);  // the panel, beside the button
    EXPECT_EQ(f.FormClicks, 0);
    RealClick(f.Handle(), 30, 20);   // the button above the panel
    EXPECT_EQ(pressed, 1);
    RealClick(f.Handle(), 200, 100); // the form itself
    EXPECT_EQ(f.FormClicks, 1);
    f.Hide();
}

} // namespace
