// Radio buttons among other controls, and the system's printer-setup dialog
// on the PostScript test printer (the dialog tests script it).
#include <gtest/gtest.h>

#include <windows.h>

#include "classlib/printsetupdialog_win.h"
#include "classlib/radiobutton_win.h"
#include "support/testprinter.h"

using namespace vellumo;

namespace {

class TRadioForm : public TForm {
public:
    TRadioForm() : TForm(nullptr)
    {
        SetClientSize(200, 120);
        All.SetBounds(8, 8, 80, 20);
        Pages.SetBounds(8, 30, 80, 20);
        Page.SetBounds(90, 30, 40, 20);
        Other.SetBounds(8, 60, 80, 20);
    }
    TRadioButton All{*this, "all"};
    TRadioButton Pages{*this, "pages"};
    TEdit Page{*this, "1"};
    TRadioButton Other{*this, "other", 1};
};

TEST(RadioButton, OneChoicePerGroupBeforeDuringAndAfterTheWindow)
{
    TRadioForm f;
    f.All.SetChecked(true);
    f.Other.SetChecked(true);
    f.Pages.SetChecked(true);  // before the windows exist
    EXPECT_FALSE(f.All.Checked());
    EXPECT_TRUE(f.Other.Checked());
    f.Handle();
    EXPECT_EQ(SendMessageA(f.Pages.Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageA(f.All.Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);

    int clicks = 0;
    f.All.OnClick = [&] { ++clicks; };
    SendMessageA(f.All.Handle(), BM_CLICK, 0, 0);  // the user's click
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(f.All.Checked());
    EXPECT_FALSE(f.Pages.Checked());
    EXPECT_TRUE(f.Other.Checked());  // another group

    f.All.SetEnabled(false);
    SendMessageA(f.All.Handle(), WM_COMMAND, 0, 0);
    f.Pages.SetChecked(true);  // by the program: no event
    EXPECT_EQ(clicks, 1);
    f.DestroyHandle();
    EXPECT_TRUE(f.Pages.Checked());
    EXPECT_FALSE(f.All.Checked());
}

TEST(PrinterSetupDialog, TheSystemDialogIsPlacedAndKeepsThePrintersSettings)
{
    std::string error;
    ASSERT_TRUE(vellumo::testing::AddTestPrinter(vellumo::testing::HostPathOf("setup_test.ps"), &error)) << error;
    TPrinter printer;
    int index = -1;
    for (std::size_t i = 0; i < printer.Printers().size(); ++i)
        if (printer.Printers()[i] == vellumo::testing::kTestPrinterName) index = static_cast<int>(i);
    ASSERT_GE(index, 0);
    printer.SetPrinterIndex(index);
    printer.SetOrientation(poLandscape);
    TPrinterSetupDialog dlg(printer);
    RECT placed{};
    dlg.OnShow = [&](HWND d) {
        SetWindowPos(d, nullptr, 40, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        GetWindowRect(d, &placed);
        PostMessageA(d, WM_COMMAND, IDOK, 0);
    };
    ASSERT_TRUE(dlg.Execute(nullptr));
    EXPECT_EQ(placed.left, 40);
    EXPECT_EQ(placed.top, 30);
    EXPECT_EQ(printer.PrinterIndex(), index);
    EXPECT_EQ(printer.Orientation(), poLandscape);  // the dialog's copy came back
    EXPECT_NE(printer.Handle(), nullptr);
}

} // namespace
