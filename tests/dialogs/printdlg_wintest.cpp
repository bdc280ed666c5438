// The print dialog driven through the modal script: what it shows, how the
// page fields hold each other, what OK, Apply, Preview and Close store and
// start, the macro menu, and the font and printer buttons.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "classlib/printsetupdialog_win.h"
#include "printfixture_win.h"
#include "support/modalscript_win.h"

using namespace vellumo;
using vellumo::testing::TFakePrintHost;
using vellumo::testing::TScript;

namespace {

// Keys typed into an edit that has the focus, replacing what it held.
void Type(TEdit& edit, const std::string& text)
{
    edit.SetFocus();
    SendMessageA(edit.Handle(), EM_SETSEL, 0, -1);
    for (char c : text) SendMessageA(edit.Handle(), WM_CHAR, static_cast<unsigned char>(c), 1);
}

// The user picks a list item.
void Choose(TPrintForm& f, TComboBox& box, int index)
{
    box.SetItemIndex(index);
    SendMessageA(f.Handle(), WM_COMMAND, MAKEWPARAM(box.Id(), CBN_SELCHANGE), reinterpret_cast<LPARAM>(box.Handle()));
}

void Press(TButton& b) { SendMessageA(b.Handle(), BM_CLICK, 0, 0); }

// Runs the dialog with a script that sees it as a print form.
bool RunDialog(TFakePrintHost& host, const std::function<void(TPrintForm&)>& steps)
{
    bool seen = false;
    TScript script([&](TForm& form) {
        auto* f = dynamic_cast<TPrintForm*>(&form);
        if (!f) return;
        seen = true;
        steps(*f);
    });
    const bool ok = ShowPrintDialog(host);
    EXPECT_TRUE(seen);
    return ok;
}

TEST(PrintDialog, OpensWithTheSettingsAndTheEditorsSelection)
{
    TFakePrintHost host;
    host.Stored.HeaderAlign = 0;
    host.Stored.ColumnCount = 2;
    host.Stored.LeftMargin = 33;
    host.Current.StartPage = 7;  // a range of an earlier print is not shown again
    for (bool selection : {false, true}) {
        host.Selection = selection;
        const bool ok = RunDialog(host, [&](TPrintForm& f) {
            EXPECT_EQ(f.Caption(), kPrintDialogCaption);
            EXPECT_EQ(f.LeftMargin.Text(), "33");
            EXPECT_EQ(f.HeaderStr.Text(), "[ %F ]");
            EXPECT_EQ(f.HeaderAlign.ItemIndex(), 0);
            EXPECT_FALSE(f.HeaderStr.Enabled());
            EXPECT_FALSE(f.Button3.Enabled());
            EXPECT_TRUE(f.FooterStr.Enabled());
            EXPECT_EQ(f.ColumnCount.ItemIndex(), 1);
            EXPECT_TRUE(f.ColumnSpace.Enabled());
            EXPECT_EQ(f.FontName.Caption(), host.Stored.FontName);
            EXPECT_EQ(f.FontSize.Caption(), "12");
            EXPECT_EQ(f.PrinterName.Caption(), CutPrinterName(host.Component.Info().PrinterName()));
            EXPECT_TRUE(f.Print_All.Checked());
            EXPECT_EQ(f.StartPege.Text(), "1");
            EXPECT_EQ(f.LastPage.Text(), "1");
            EXPECT_EQ(f.Print_Select.Checked(), selection);
            EXPECT_EQ(f.Print_Select.Enabled(), selection);
            EXPECT_FALSE(f.Button7.Enabled());
            Choose(f, f.ColumnCount, 0);
            EXPECT_FALSE(f.ColumnSpace.Enabled());
            EXPECT_TRUE(f.Button7.Enabled());
            f.SetModalResult(mrCancel);
        });
        EXPECT_FALSE(ok);
    }
    EXPECT_EQ(host.Log, "");
}

TEST(PrintDialog, PageFieldsHoldEachOtherWhenLeftAndAtOk)
{
    TFakePrintHost host;
    const bool ok = RunDialog(host, [&](TPrintForm& f) {
        Type(f.StartPege, "5");
        EXPECT_TRUE(f.Print_Pege.Checked());  // typing chooses the range
        EXPECT_FALSE(f.Print_All.Checked());
        EXPECT_FALSE(f.Button7.Enabled());    // pages are no stored setting
        EXPECT_EQ(f.LastPage.Text(), "1");    // not while typing
        Type(f.LastPage, "12");               // leaving the first field made both 5 first
        EXPECT_EQ(f.StartPege.Text(), "5");
        EXPECT_EQ(f.LastPage.Text(), "12");
        f.Button1.SetFocus();
        EXPECT_EQ(f.StartPege.Text(), "5");
        Type(f.LastPage, "3");
        f.StartPege.SetFocus();  // leaving the last page lowers the first
        EXPECT_EQ(f.StartPege.Text(), "3");
        Type(f.StartPege, "99999");  // beyond the up-down's range
        f.Button1.SetFocus();
        EXPECT_EQ(f.StartPege.Text(), "32767");
        EXPECT_EQ(f.LastPage.Text(), "32767");
        Type(f.LastPage, "4");
        // Enter in the field: OK, which counts as leaving it.
        PostMessageA(f.LastPage.Handle(), WM_KEYDOWN, VK_RETURN, 1);
        PostMessageA(f.LastPage.Handle(), WM_KEYUP, VK_RETURN, 0xC0000001);
        ProcessMessages();
    });
    EXPECT_TRUE(ok);
    EXPECT_EQ(host.Log, "save,apply,print");
    EXPECT_EQ(host.Current.RangeOption, 1);
    EXPECT_EQ(host.Current.StartPage, 4);
    EXPECT_EQ(host.Current.LastPage, 4);
    EXPECT_EQ(host.Stored.LeftMargin, 20);
}

TEST(PrintDialog, ApplyAlwaysStoresPreviewAndOkOnlyWithoutTheNoSaveOption)
{
    TFakePrintHost host;
    host.NoSaveOption = true;
    const bool closed = !RunDialog(host, [&](TPrintForm& f) {
        Type(f.LeftMargin, "25");
        EXPECT_TRUE(f.Button7.Enabled());
        Press(f.Button8);  // preview: this run only
        EXPECT_EQ(host.Log, "apply,preview");
        EXPECT_EQ(host.Current.LeftMargin, 25);
        EXPECT_EQ(host.Stored.LeftMargin, 20);
        EXPECT_TRUE(f.Button7.Enabled());
        Press(f.Button7);  // apply: stored whatever the option
        EXPECT_EQ(host.Stored.LeftMargin, 25);
        EXPECT_FALSE(f.Button7.Enabled());
        EXPECT_TRUE(f.LeftMargin.Focused());
        Type(f.LeftMargin, "30");
        Press(f.Button2);
    });
    EXPECT_TRUE(closed);
    EXPECT_EQ(host.Log, "apply,preview,save");
    EXPECT_EQ(host.Current.LeftMargin, 25);  // Close keeps what the last Apply left

    host.NoSaveOption = false;
    host.Log.clear();
    RunDialog(host, [&](TPrintForm& f) {
        Type(f.TopMargin, "0");
        Press(f.Button8);
        EXPECT_EQ(host.Log, "save,apply,preview");
        EXPECT_FALSE(f.Button7.Enabled());
        host.SaveFails = true;
        Type(f.TopMargin, "1");
        Press(f.Button7);
        EXPECT_TRUE(f.Button7.Enabled());  // nothing was stored
        Press(f.Button2);
    });

    host.SaveFails = false;
    host.NoSaveOption = true;
    host.Selection = true;
    host.Log.clear();
    const bool ok = RunDialog(host, [&](TPrintForm& f) {
        Choose(f, f.HeaderAlign, 0);
        EXPECT_FALSE(f.HeaderStr.Enabled());
        f.SetModalResult(mrOk);
    });
    EXPECT_TRUE(ok);
    EXPECT_EQ(host.Log, "apply,print-selection");
    EXPECT_EQ(host.Current.HeaderAlign, 0);
    EXPECT_EQ(host.Stored.HeaderAlign, 2);
}

TEST(PrintDialog, MacroMenuInsertsBeforeTheSelectionAtTheButtonsCorner)
{
    TFakePrintHost host;
    POINT at{};
    int choice = 1;
    auto old = TPopupMenu::SetTracker([&](HMENU menu, int x, int y, HWND) {
        at = {x, y};
        return GetMenuItemID(menu, choice);
    });
    RunDialog(host, [&](TPrintForm& f) {
        f.HeaderStr.SetText("[ x ]");
        SendMessageA(f.HeaderStr.Handle(), EM_SETSEL, 2, 3);
        Press(f.Button3);
        EXPECT_EQ(f.HeaderStr.Text(), "[ %Px ]");
        EXPECT_EQ(f.MacroTarget(), &f.HeaderStr);
        POINT corner{f.Button3.Left() + f.Button3.Width(), f.Button3.Top()};
        ClientToScreen(f.Handle(), &corner);
        EXPECT_EQ(at.x, corner.x);
        EXPECT_EQ(at.y, corner.y);
        choice = 7;
        f.FooterStr.SetText("");
        Press(f.Button4);
        EXPECT_EQ(f.FooterStr.Text(), "%t");
        EXPECT_TRUE(f.Button7.Enabled());
        f.SetModalResult(mrCancel);
    });
    TPopupMenu::SetTracker(std::move(old));
}

TEST(PrintDialog, FontAndPrinterButtons)
{
    TFakePrintHost host;
    int setups = 0, otherForms = 0;
    auto old = TPrinterSetupDialog::SetScript([&](TPrinterSetupDialog& d) {
        EXPECT_EQ(&d.PrinterObject(), &host.PrinterObject);
        return TPrinterSetupAnswer{++setups == 1};
    });
    TScript script([&](TForm& form) {
        auto* f = dynamic_cast<TPrintForm*>(&form);
        if (!f) {  // the font dialog, should it be a form: the user cancels
            ++otherForms;
            form.SetModalResult(mrCancel);
            return;
        }
        Press(f->Button6);
        EXPECT_EQ(f->FontName.Caption(), host.Stored.FontName);
        EXPECT_EQ(f->FontSize.Caption(), "12");
        EXPECT_FALSE(f->Button7.Enabled());
        f->PrinterName.SetCaption("x");
        Press(f->Button5);  // OK: the name is read again
        EXPECT_EQ(f->PrinterName.Caption(), CutPrinterName(host.Component.Info().PrinterName()));
        f->PrinterName.SetCaption("x");
        Press(f->Button5);  // Cancel
        EXPECT_EQ(f->PrinterName.Caption(), "x");
        f->SetModalResult(mrCancel);
    });
    EXPECT_FALSE(ShowPrintDialog(host));
    EXPECT_EQ(setups, 2);
    EXPECT_LE(otherForms, 1);
    TPrinterSetupDialog::SetScript(std::move(old));
}

} // namespace
