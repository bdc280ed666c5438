#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "classlib/form_win.h"
#include "support/modalscript_win.h"
#include "support/winsupport_win.h"

using namespace vellumo;
using namespace vellumo::testing;

namespace {

// A modal form nobody scripted must not wait for a click.
const bool kNoUnscriptedModal = (TForm::SetRefuseUnscriptedModal(true), true);

// Runs a function from the message loop once the queue is empty (a thread
// timer), so that keys and clicks posted before it have been handled.
std::map<UINT_PTR, std::function<void()>>& Later()
{
    static std::map<UINT_PTR, std::function<void()>> later;
    return later;
}

void CALLBACK LaterProc(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    auto it = Later().find(id);
    if (it == Later().end()) return;
    auto fn = std::move(it->second);
    Later().erase(it);
    fn();
}

void RunLater(std::function<void()> fn)
{
    UINT_PTR id = SetTimer(nullptr, 0, 1, &LaterProc);
    ASSERT_NE(id, 0u);
    Later()[id] = std::move(fn);
}

void PostKey(HWND target, unsigned key)
{
    PostMessageA(target, WM_KEYDOWN, key, 1);
    PostMessageA(target, WM_KEYUP, key, 0xC0000001);
}

// The document window a dialog belongs to: a modeless form with an edit.
class TOwnerForm : public TForm {
public:
    TOwnerForm()
    {
        SetCaption("owner");
        SetBounds(40, 40, 400, 300);
        Text.SetBounds(10, 10, 200, 24);
    }
    TEdit Text{*this, "document"};
};

class TTestDialog : public TForm {
public:
    explicit TTestDialog(HWND owner) : TForm(owner)
    {
        SetCaption("\x83\x65\x83\x58\x83\x67");  // テスト
        SetBorderStyle(bsDialog);
        SetBorderIcons(biSystemMenu);
        SetClientSize(320, 170);
        SetFormFont(*this);
        Label.SetBounds(10, 12, 80, 18);
        Name.SetBounds(90, 10, 200, 24);
        Check.SetBounds(90, 40, 200, 20);
        Combo.SetBounds(90, 66, 200, 24);
        Combo.SetItems({"one", "two", "three"});
        Ok.SetBounds(40, 130, 75, 25);
        Ok.SetDefault(true);
        CancelButton.SetBounds(125, 130, 75, 25);
        CancelButton.SetCancel(true);
        Apply.SetBounds(210, 130, 95, 25);
    }
    TLabel Label{*this, "\x96\xBC\x91\x4F(&N):"};  // 名前(&N):
    TEdit Name{*this};
    TCheckBox Check{*this, "check"};
    TComboBox Combo{*this, csDropDownList};
    TButton Ok{*this, "OK", mrOk};
    TButton CancelButton{*this, "\x83\x4C\x83\x83\x83\x93\x83\x5A\x83\x8B", mrCancel};  // キャンセル
    TButton Apply{*this, "apply", mrYes};
};

class FormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        owner.Show();
        owner.Text.SetFocus();
        PumpMessages();
    }
    TOwnerForm owner;
};

TEST_F(FormTest, ModalLoopEndsWithTheButtonsResultAndTheValuesOutliveTheWindow)
{
    ASSERT_EQ(GetFocus(), owner.Text.Handle());
    TTestDialog dlg(owner.Handle());
    bool ownerDisabled = false, shownModal = false;
    TScript script([&](TForm& f) {
        ownerDisabled = !IsWindowEnabled(owner.Handle());
        shownModal = f.Modal() && IsWindowVisible(f.Handle());
        dlg.Name.SetText("\x95\x5C\x8E\xA6 ok");  // 表示: a trail byte 5C
        PostMessageA(dlg.Check.Handle(), BM_CLICK, 0, 0);
        dlg.Combo.SetItemIndex(2);
        PostMessageA(dlg.Ok.Handle(), BM_CLICK, 0, 0);
    });
    EXPECT_EQ(dlg.ShowModal(), mrOk);
    EXPECT_TRUE(ownerDisabled);
    EXPECT_TRUE(shownModal);
    EXPECT_FALSE(dlg.Modal());
    EXPECT_FALSE(IsWindowVisible(dlg.Handle()));
    EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
    EXPECT_EQ(GetFocus(), owner.Text.Handle());
    EXPECT_EQ(GetWindow(dlg.Handle(), GW_OWNER), owner.Handle());
    // Read after closing, and again after the window is gone.
    for (int round = 0; round < 2; ++round) {
        EXPECT_EQ(dlg.Name.Text(), "\x95\x5C\x8E\xA6 ok");
        EXPECT_TRUE(dlg.Check.Checked());
        EXPECT_EQ(dlg.Combo.ItemIndex(), 2);
        EXPECT_EQ(dlg.Combo.Text(), "three");
        dlg.DestroyHandle();
        EXPECT_FALSE(dlg.Name.HandleAllocated());
    }
    // A second run makes the windows again with the kept values.
    TScript again([&](TForm&) { dlg.CancelButton.Click(); });
    EXPECT_EQ(dlg.ShowModal(), mrCancel);
    EXPECT_EQ(dlg.Name.Text(), "\x95\x5C\x8E\xA6 ok");
    EXPECT_EQ(SendMessageA(dlg.Combo.Handle(), CB_GETCURSEL, 0, 0), 2);
}

TEST_F(FormTest, KeyboardOfTheDialog)
{
    TTestDialog dlg(owner.Handle());
    struct TCase {
        const char* name;
        std::function<HWND()> focus;  // where the key goes
        unsigned key;
        TModalResult expected;
    };
    const TCase cases[] = {
        {"Esc in the edit presses the cancel button", [&] { return dlg.Name.Handle(); }, VK_ESCAPE, mrCancel},
        {"Enter in the edit presses the default button", [&] { return dlg.Name.Handle(); }, VK_RETURN, mrOk},
        {"Enter on another push button presses that one", [&] { return dlg.Apply.Handle(); }, VK_RETURN, mrYes},
        {"Esc on the check box", [&] { return dlg.Check.Handle(); }, VK_ESCAPE, mrCancel},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TScript script([&](TForm&) {
            HWND target = c.focus();
            SetFocus(target);
            PostKey(target, c.key);
        });
        EXPECT_EQ(dlg.ShowModal(), c.expected);
    }

    // Tab walks the tab stops in the order of construction; the label is skipped.
    std::vector<HWND> seen;
    TScript script([&](TForm&) {
        seen.push_back(GetFocus());
        PostKey(GetFocus(), VK_TAB);
        RunLater([&] {
            seen.push_back(GetFocus());
            PostKey(GetFocus(), VK_TAB);
            RunLater([&] {
                seen.push_back(GetFocus());
                dlg.SetModalResult(mrAbort);
            });
        });
    });
    EXPECT_EQ(dlg.ShowModal(), mrAbort);
    EXPECT_EQ(seen, (std::vector<HWND>{dlg.Name.Handle(), dlg.Check.Handle(), dlg.Combo.Handle()}));

    // A label's mnemonic goes to the box after it.
    HWND byMnemonic = nullptr;
    TScript mnemonic([&](TForm&) {
        SetFocus(dlg.Check.Handle());
        PostMessageA(dlg.Check.Handle(), WM_SYSCHAR, 'n', 0x20000001);
        RunLater([&] {
            byMnemonic = GetFocus();
            dlg.SetModalResult(mrAbort);
        });
    });
    EXPECT_EQ(dlg.ShowModal(), mrAbort);
    EXPECT_EQ(byMnemonic, dlg.Name.Handle());

    // The active control takes the focus when the form shows.
    dlg.SetActiveControl(&dlg.Combo);
    HWND first = nullptr;
    TScript focus([&](TForm& f) {
        first = GetFocus();
        f.Close();
    });
    EXPECT_EQ(dlg.ShowModal(), mrCancel);
    EXPECT_EQ(first, dlg.Combo.Handle());
    // Without a cancel button Esc does nothing.
    dlg.CancelButton.SetCancel(false);
    TScript noCancel([&](TForm&) {
        PostKey(dlg.Name.Handle(), VK_ESCAPE);
        RunLater([&] { dlg.SetModalResult(mrIgnore); });
    });
    EXPECT_EQ(dlg.ShowModal(), mrIgnore);
}

TEST_F(FormTest, ResultsOtherThanOkAndCancelAndRefusedCloses)
{
    TTestDialog dlg(owner.Handle());
    int applies = 0;
    bool keepOpen = true;
    // Like an apply button that may leave the dialog open.
    dlg.Apply.OnClick = [&] {
        ++applies;
        if (keepOpen) dlg.SetModalResult(mrNone);
    };
    TScript script([&](TForm&) {
        dlg.Apply.Click();
        dlg.Apply.Click();
        RunLater([&] {
            keepOpen = false;
            PostMessageA(dlg.Apply.Handle(), BM_CLICK, 0, 0);
        });
    });
    EXPECT_EQ(dlg.ShowModal(), mrYes);
    EXPECT_EQ(applies, 3);
    EXPECT_EQ(dlg.ModalResult(), mrYes);

    // The close box (WM_CLOSE) asks OnCloseQuery; a refusal keeps the loop running.
    int queries = 0;
    dlg.OnCloseQuery = [&](bool& can) { can = ++queries > 1; };
    TScript closing([&](TForm& f) {
        PostMessageA(f.Handle(), WM_CLOSE, 0, 0);
        RunLater([&] { PostMessageA(dlg.Handle(), WM_CLOSE, 0, 0); });
    });
    EXPECT_EQ(dlg.ShowModal(), mrCancel);
    EXPECT_EQ(queries, 2);
    // OnClose with caNone keeps it open too.
    dlg.OnCloseQuery = nullptr;
    int closes = 0;
    dlg.OnClose = [&](TCloseAction& a) {
        if (++closes == 1) a = caNone;
    };
    TScript closeAction([&](TForm& f) {
        f.SetModalResult(mrNo);
        RunLater([&] { dlg.SetModalResult(mrRetry); });
    });
    EXPECT_EQ(dlg.ShowModal(), mrRetry);
    EXPECT_EQ(closes, 2);
}

TEST_F(FormTest, ExceptionInAHandlerIsReportedAndTheLoopGoesOn)
{
    TMsgRecorder rec;
    TTestDialog dlg(owner.Handle());
    dlg.Check.OnClick = [] { throw std::runtime_error("check failed"); };
    const int caught = TCustomControl::CaughtExceptions();
    TScript script([&](TForm&) {
        PostMessageA(dlg.Check.Handle(), BM_CLICK, 0, 0);
        RunLater([&] { PostMessageA(dlg.Ok.Handle(), BM_CLICK, 0, 0); });
    });
    EXPECT_EQ(dlg.ShowModal(), mrOk);
    EXPECT_EQ(TCustomControl::CaughtExceptions(), caught + 1);
    ASSERT_EQ(rec.messages.size(), 1u);
    EXPECT_EQ(rec.messages[0].text, "check failed");
    EXPECT_TRUE(IsWindowEnabled(owner.Handle()));

    // A script that throws is reported the same way; the form still ends.
    TScript throwing([&](TForm& f) {
        f.SetModalResult(mrAbort);
        throw std::runtime_error("script failed");
    });
    EXPECT_EQ(dlg.ShowModal(), mrAbort);
    ASSERT_EQ(rec.messages.size(), 2u);
    EXPECT_EQ(rec.messages[1].text, "script failed");
}

TEST_F(FormTest, UnscriptedModalIsRefusedWithoutShowing)
{
    TTestDialog dlg(owner.Handle());
    bool shown = false;
    dlg.OnShow = [&] { shown = true; };
    const int refused = TForm::RefusedModalCount();
    EXPECT_EQ(dlg.ShowModal(), mrCancel);
    EXPECT_EQ(TForm::RefusedModalCount(), refused + 1);
    EXPECT_FALSE(shown);
    EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
}

TEST_F(FormTest, NestedModalFormsAndAQuitMessage)
{
    TTestDialog outer(owner.Handle());
    bool innerDisabledOuter = false, outerEnabledAfter = false, ownerStillDisabled = false;
    TModalResult innerResult = mrNone;
    TScript script([&](TForm& f) {
        if (&f == &outer) {
            TTestDialog inner(outer.Handle());
            innerResult = inner.ShowModal();
            outerEnabledAfter = IsWindowEnabled(outer.Handle()) != FALSE;
            ownerStillDisabled = !IsWindowEnabled(owner.Handle());
            outer.SetModalResult(mrRetry);
        } else {
            innerDisabledOuter = !IsWindowEnabled(outer.Handle());
            f.SetModalResult(mrNo);
        }
    });
    EXPECT_EQ(outer.ShowModal(), mrRetry);
    EXPECT_EQ(innerResult, mrNo);
    EXPECT_TRUE(innerDisabledOuter);
    EXPECT_TRUE(outerEnabledAfter);
    EXPECT_TRUE(ownerStillDisabled);
    EXPECT_TRUE(IsWindowEnabled(owner.Handle()));

    // A quit message ends the loop and is put back for the main loop.
    TScript quit([&](TForm&) { PostQuitMessage(3); });
    EXPECT_EQ(outer.ShowModal(), mrCancel);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 3u);
    EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
}

TEST_F(FormTest, ModelessShowCloseAndHide)
{
    TTestDialog dlg(owner.Handle());
    int shows = 0, hides = 0;
    dlg.OnShow = [&] { ++shows; };
    dlg.OnHide = [&] { ++hides; };
    dlg.Show();
    EXPECT_TRUE(IsWindowVisible(dlg.Handle()));
    EXPECT_TRUE(IsWindowEnabled(owner.Handle()));  // modeless: the owner stays usable
    EXPECT_EQ(GetFocus(), dlg.Name.Handle());
    dlg.Show();  // already shown: no second OnShow
    EXPECT_EQ(shows, 1);

    TCloseAction next = caNone;
    dlg.OnClose = [&](TCloseAction& a) { a = next; };
    dlg.Close();
    EXPECT_TRUE(IsWindowVisible(dlg.Handle()));
    next = caHide;
    PostMessageA(dlg.Handle(), WM_CLOSE, 0, 0);
    PumpMessages();
    EXPECT_FALSE(IsWindowVisible(dlg.Handle()));
    EXPECT_EQ(hides, 1);
    EXPECT_TRUE(IsWindow(dlg.Handle()));  // hidden, not destroyed

    // Esc of a modeless form reaches its cancel button through the keyboard helper.
    int cancels = 0;
    dlg.CancelButton.OnClick = [&] { ++cancels; };
    dlg.Show();
    PostKey(dlg.Name.Handle(), VK_ESCAPE);
    ProcessMessages();
    EXPECT_EQ(cancels, 1);
    dlg.Hide();
    EXPECT_EQ(hides, 2);
}

TEST_F(FormTest, ChildControlsKeepTheirValuesBeforeAndAfterTheWindows)
{
    TTestDialog dlg(owner.Handle());
    TProgressBar bar(dlg);
    bar.SetBounds(10, 100, 200, 16);
    bar.SetRange(10, 50);
    bar.SetPosition(70);
    EXPECT_EQ(bar.Position(), 50);
    bar.SetPosition(20);
    dlg.Name.SetText("before");
    dlg.Name.SetMaxLength(5);
    dlg.Check.SetChecked(true);
    dlg.Apply.SetEnabled(false);
    dlg.Label.SetVisible(false);
    dlg.Label.SetShowAccelChar(false);
    dlg.Combo.SetItemIndex(1);
    dlg.Combo.SetItemIndex(7);  // out of range: nothing selected
    EXPECT_EQ(dlg.Combo.ItemIndex(), -1);
    dlg.Combo.SetText("two");
    EXPECT_FALSE(dlg.Name.HandleAllocated());

    HWND form = dlg.Handle();
    ASSERT_TRUE(dlg.Name.HandleAllocated());
    EXPECT_EQ(GetParent(dlg.Name.Handle()), form);
    EXPECT_EQ(dlg.Name.Text(), "before");
    EXPECT_EQ(SendMessageA(dlg.Name.Handle(), EM_GETLIMITTEXT, 0, 0), 5);
    EXPECT_EQ(SendMessageA(dlg.Check.Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_FALSE(IsWindowEnabled(dlg.Apply.Handle()));
    EXPECT_FALSE(GetWindowLongA(dlg.Label.Handle(), GWL_STYLE) & WS_VISIBLE);
    EXPECT_TRUE(GetWindowLongA(dlg.Label.Handle(), GWL_STYLE) & SS_NOPREFIX);
    EXPECT_FALSE(GetWindowLongA(dlg.Label.Handle(), GWL_STYLE) & WS_TABSTOP);
    EXPECT_TRUE(GetWindowLongA(dlg.Name.Handle(), GWL_STYLE) & WS_TABSTOP);
    EXPECT_TRUE(GetWindowLongA(dlg.Ok.Handle(), GWL_STYLE) & BS_DEFPUSHBUTTON);
    EXPECT_EQ(dlg.Combo.ItemIndex(), 1);
    EXPECT_EQ(SendMessageA(bar.Handle(), PBM_GETPOS, 0, 0), 20);
    EXPECT_EQ(SendMessageA(bar.Handle(), PBM_GETRANGE, TRUE, 0), 10);
    EXPECT_EQ(SendMessageA(bar.Handle(), PBM_GETRANGE, FALSE, 0), 50);
    RECT r;
    GetWindowRect(dlg.Name.Handle(), &r);
    MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, 90);
    EXPECT_EQ(r.top, 10);
    EXPECT_EQ(r.right - r.left, 200);

    // The default moves: only one push button carries the style.
    dlg.Apply.SetDefault(true);
    EXPECT_FALSE(dlg.Ok.Default());
    EXPECT_FALSE(GetWindowLongA(dlg.Ok.Handle(), GWL_STYLE) & BS_DEFPUSHBUTTON);
    EXPECT_TRUE(GetWindowLongA(dlg.Apply.Handle(), GWL_STYLE) & BS_DEFPUSHBUTTON);

    // Every child shows the form's font, and follows a change of it.
    auto height = [](HWND h) {
        LOGFONTA lf{};
        auto font = reinterpret_cast<HFONT>(SendMessageA(h, WM_GETFONT, 0, 0));
        return font && GetObjectA(font, sizeof lf, &lf) ? lf.lfHeight : 0;
    };
    EXPECT_EQ(height(dlg.Name.Handle()), dlg.Font().Height());
    dlg.Font().SetHeight(-21);
    EXPECT_EQ(height(dlg.Name.Handle()), -21);
    EXPECT_EQ(height(dlg.Ok.Handle()), -21);

    // Notifications: typing changes the edit, choosing an item the combo box.
    int edits = 0, selects = 0;
    dlg.Name.OnChange = [&] { ++edits; };
    dlg.Combo.OnSelect = [&] { ++selects; };
    dlg.Name.SetText("x");
    EXPECT_EQ(edits, 1);
    SendMessageA(dlg.Combo.Handle(), CB_SETCURSEL, 0, 0);
    SendMessageA(form, WM_COMMAND, MAKEWPARAM(dlg.Combo.Id(), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(dlg.Combo.Handle()));
    EXPECT_EQ(selects, 1);
    EXPECT_EQ(dlg.Combo.Text(), "one");

    // A control added to a form whose window exists gets its window on demand.
    TCheckBox late(dlg, "late");
    late.SetChecked(true);
    EXPECT_FALSE(late.HandleAllocated());
    ASSERT_NE(late.Handle(), nullptr);
    EXPECT_EQ(GetParent(late.Handle()), form);
    EXPECT_TRUE(late.Checked());
}

TEST_F(FormTest, BorderStylesClientSizeAndPlacement)
{
    struct TCase {
        TFormBorderStyle style;
        TBorderIcons icons;
        DWORD want, refuse;
    };
    const TCase cases[] = {
        {bsDialog, biSystemMenu | biMaximize, WS_CAPTION | WS_SYSMENU, WS_THICKFRAME | WS_MAXIMIZEBOX},
        {bsDialog, 0, WS_CAPTION, WS_SYSMENU | WS_THICKFRAME},
        {bsSizeable, biSystemMenu | biMaximize, WS_THICKFRAME | WS_MAXIMIZEBOX | WS_SYSMENU, WS_MINIMIZEBOX},
        {bsSingle, biSystemMenu, WS_CAPTION | WS_SYSMENU, WS_THICKFRAME},
        {bsNone, biSystemMenu, WS_POPUP, WS_CAPTION | WS_SYSMENU},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.style));
        TForm f(owner.Handle());
        f.SetBorderStyle(c.style);
        f.SetBorderIcons(c.icons);
        f.SetClientSize(250, 120);
        const DWORD style = static_cast<DWORD>(GetWindowLongA(f.Handle(), GWL_STYLE));
        EXPECT_EQ(style & c.want, c.want);
        EXPECT_EQ(style & c.refuse, 0u);
        EXPECT_EQ((GetWindowLongA(f.Handle(), GWL_EXSTYLE) & WS_EX_DLGMODALFRAME) != 0, c.style == bsDialog);
        RECT client;
        GetClientRect(f.Handle(), &client);
        EXPECT_EQ(client.right, 250);
        EXPECT_EQ(client.bottom, 120);
        // Again once the window exists.
        f.SetClientSize(200, 90);
        GetClientRect(f.Handle(), &client);
        EXPECT_EQ(client.right, 200);
        EXPECT_EQ(client.bottom, 90);
    }

    // Positions applied when shown.
    TForm centred;
    centred.SetBounds(0, 0, 200, 100);
    centred.SetPosition(poScreenCenter);
    centred.Show();
    RECT r;
    GetWindowRect(centred.Handle(), &r);
    EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - 200) / 2);
    EXPECT_EQ(r.top, (GetSystemMetrics(SM_CYSCREEN) - 100) / 2);
    centred.Hide();
    TForm onOwner(owner.Handle());
    onOwner.SetBounds(0, 0, 100, 60);
    onOwner.SetPosition(poOwnerFormCenter);
    onOwner.Show();
    RECT o;
    GetWindowRect(owner.Handle(), &o);
    GetWindowRect(onOwner.Handle(), &r);
    // (The system may widen a small captioned window.)
    EXPECT_EQ(r.left, o.left + (o.right - o.left - (r.right - r.left)) / 2);
    EXPECT_EQ(r.top, o.top + (o.bottom - o.top - (r.bottom - r.top)) / 2);
    onOwner.Hide();

    // PlaceWindowInWorkArea: a client point of the owner, clamped into the work area.
    const RECT work = GetWorkArea(nullptr);
    TForm placed;
    placed.SetBounds(0, 0, 150, 80);
    POINT origin{0, 0};
    ClientToScreen(owner.Handle(), &origin);
    PlaceWindowInWorkArea(owner.Handle(), placed.Handle(), 24, 24);
    GetWindowRect(placed.Handle(), &r);
    EXPECT_EQ(r.left, std::max<LONG>(origin.x + 24, work.left));
    EXPECT_EQ(r.top, std::max<LONG>(origin.y + 24, work.top));
    EXPECT_EQ(r.right - r.left, 150);  // not resized
    PlaceWindowInWorkArea(owner.Handle(), placed.Handle(), 100000, 100000);
    GetWindowRect(placed.Handle(), &r);
    EXPECT_EQ(r.right, work.right);
    EXPECT_EQ(r.bottom, work.bottom);
    // KeepInsideWorkArea shifts only by the overflow, and never tests left and top.
    RECT primary;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &primary, 0);
    POINT p = KeepInsideWorkArea(POINT{primary.right - 50, primary.bottom - 10}, primary.right + 30, primary.bottom + 5);
    EXPECT_EQ(p.x, primary.right - 80);
    EXPECT_EQ(p.y, primary.bottom - 15);

    // The main window owns message boxes too.
    SetMainWindow(owner.Handle());
    EXPECT_EQ(MsgOwner(), owner.Handle());
    SetMainWindow(nullptr);
    EXPECT_EQ(MsgOwner(), nullptr);
}

TEST(Edit, AHiddenNameEditWithoutEdgeOrTabStopIsFoundByItsClass)
{
    TForm form;
    TEdit nameEdit(form);
    nameEdit.SetBorder(false);
    nameEdit.SetTabStop(false);
    nameEdit.SetBounds(0, 0, 0, 0);
    // The file-name edit other programs read: class "TEdit", no edge, no tab stop.
    nameEdit.SetText("C:\\a.txt");
    HWND found = FindWindowExA(form.Handle(), nullptr, "TEdit", nullptr);
    ASSERT_EQ(found, nameEdit.Handle());
    char buf[32] = {};
    SendMessageA(found, WM_GETTEXT, sizeof buf, reinterpret_cast<LPARAM>(buf));
    EXPECT_STREQ(buf, "C:\\a.txt");
    EXPECT_FALSE(GetWindowLongA(found, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_FALSE(GetWindowLongA(found, GWL_STYLE) & WS_TABSTOP);
    RECT r;
    GetWindowRect(found, &r);
    EXPECT_EQ(r.right - r.left, 0);
}

} // namespace
