// The tool list and entry dialogs driven through the modal script, with the
// list read back from the settings file they write.
#include <gtest/gtest.h>

#include <windows.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "base/filebytes.h"
#include "base/inifile.h"
#include "base/shortcut.h"
#include "dialogs/common/dialoghost.h"
#include "dialogs/folder/browsefolder_win.h"
#include "dialogs/tools/tooldlg.h"
#include "dialogs/tools/tooleditdlg_win.h"
#include "dialogs/tools/toollistdlg_win.h"
#include "settings/toolwindow.h"
#include "support/modalscript_win.h"
#include "support/tempfolder.h"
#include "support/winsupport_win.h"

using namespace vellumo;
using namespace vellumo::testing;

namespace {

const bool kNoUnscriptedModal = (TForm::SetRefuseUnscriptedModal(true), true);

TAppTool MakeTool(const std::string& title, const std::string& file, const std::string& key = {})
{
    TAppTool t;
    t.Title = title;
    t.File = file;
    t.Param = " \"%f\" ";
    t.Key = TextToShortCut(key);
    return t;
}

// Real key presses to the focused window, handled before returning.
void Type(std::vector<BYTE> keys)
{
    for (BYTE k : keys) keybd_event(k, static_cast<BYTE>(MapVirtualKeyA(k, 0)), 0, 0);
    for (auto k = keys.rbegin(); k != keys.rend(); ++k)
        keybd_event(*k, static_cast<BYTE>(MapVirtualKeyA(*k, 0)), KEYEVENTF_KEYUP, 0);
    for (int i = 0; i < 10; ++i) {
        ProcessMessages();
        Sleep(10);
    }
}

std::vector<std::string> Titles(const TOptionToolFrm& d)
{
    std::vector<std::string> t;
    for (int r = 0; r < d.ListView1.RowCount(); ++r) t.push_back(d.ListView1.Cell(r, 0));
    return t;
}

// Each modal form of the dialogs in turn answers the next step of its kind.
class ToolDialogs : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved_ = DialogHost();
        DialogHost().SettingsPath = [this] { return ini; };
        DialogHost().CheckPathLength = [this](const std::string& p) {
            checked.push_back(p);
            return p.size() < 260;
        };
        DialogHost().FileDialogSizing = [this] { return sizing; };
    }
    void TearDown() override { DialogHost() = saved_; }

    void WriteTools(const std::vector<TAppTool>& tools, const std::string& more = {})
    {
        TMemIniFile f = TMemIniFile::FromText(ini, more);
        WriteAppTools(f, tools);
        ASSERT_TRUE(f.UpdateFile());
    }
    std::vector<TAppTool> SavedTools() const { return ReadAppTools(TMemIniFile(ini)); }

    // The steps: the list's first, the entry dialog's in order.
    std::function<void(TOptionToolFrm&)> onList;
    std::deque<std::function<void(TToolEditFrm&)>> onEdit;
    TScript script{[this](TForm& f) {
        if (auto* list = dynamic_cast<TOptionToolFrm*>(&f)) {
            ASSERT_TRUE(onList);
            onList(*list);
        } else if (auto* edit = dynamic_cast<TToolEditFrm*>(&f)) {
            ASSERT_FALSE(onEdit.empty()) << "entry dialog not expected";
            auto step = std::move(onEdit.front());
            onEdit.pop_front();
            step(*edit);
        } else {
            ADD_FAILURE() << "unexpected form " << f.Caption();
            f.SetModalResult(mrCancel);
        }
    }};

    TTempFolder dir;
    std::string ini = dir.File("vellumo.ini");
    std::vector<std::string> checked;
    bool sizing = true;

private:
    TDialogHost saved_;
};

} // namespace

TEST_F(ToolDialogs, AddEditCopyMoveDeleteAndSave)
{
    WriteTools({MakeTool("アプリ", "a.exe", "Ctrl+F1"), MakeTool("ブラウザ", "b.exe"), MakeTool("コンパイラ", "c.exe")});
    TMsgRecorder rec;
    std::vector<std::string> steps;
    onList = [&](TOptionToolFrm& d) {
        EXPECT_EQ(d.Caption(), "ツールの設定");
        EXPECT_EQ(Titles(d), (std::vector<std::string>{"アプリ", "ブラウザ", "コンパイラ"}));
        EXPECT_EQ(d.ListView1.ItemIndex(), 0);
        EXPECT_EQ(d.ListView1.Cell(0, 5), "Ctrl+F1");

        // Add: a new entry starts with the record's defaults; its hot key is typed for real.
        onEdit.push_back([&](TToolEditFrm& e) {
            EXPECT_EQ(e.ToolName.Text(), "");
            EXPECT_EQ(e.ToolSave.ItemIndex(), 2);
            EXPECT_TRUE(e.ToolMainVisible.Checked() && e.ToolPopVisible.Checked());
            EXPECT_FALSE(e.ToolSelOn.Checked() || e.ToolStartRun.Checked() || e.ToolLock.Checked());
            EXPECT_FALSE(e.OKBtn.Enabled());
            e.ToolName.SetText("新規");
            e.ToolOption.SetText("cmd /c type %t");
            EXPECT_TRUE(e.OKBtn.Enabled());
            e.ToolSave.SetItemIndex(1);
            e.ToolLock.SetChecked(true);
            e.ToolPopVisible.SetChecked(false);
            e.ToolKey.SetFocus();
            Type({VK_CONTROL, VK_SHIFT, 'N'});
            EXPECT_EQ(e.ToolKey.HotKey(), ShortCut('N', scCtrl | scShift));
            e.OKBtn.Click();
        });
        d.InsertClick();
        EXPECT_EQ(d.ListView1.RowCount(), 4);
        EXPECT_EQ(d.ListView1.ItemIndex(), 3);
        EXPECT_EQ(d.ListView1.Row(3), (std::vector<std::string>{"新規", "", "cmd /c type %t", "", "確認メッセージを表示する",
                                                                "Shift+Ctrl+N", "", "", "ON", "ON", ""}));

        // Edit by Shift+Enter on the list: the entry shows the row; "-" keeps only where it is shown.
        d.ListView1.SetItemIndex(0);
        onEdit.push_back([&](TToolEditFrm& e) {
            EXPECT_EQ(e.Caption(), "ツールの編集");
            EXPECT_EQ(e.ToolName.Text(), "アプリ");
            EXPECT_EQ(e.ToolExe.Text(), "a.exe");
            EXPECT_EQ(e.ToolOption.Text(), " \"%f\" ");
            EXPECT_EQ(e.ToolKey.HotKey(), ShortCut(VK_F1, scCtrl));
            e.ToolName.SetText("-");
            e.ToolExe.SetText("");
            e.ToolOption.SetText("");
            EXPECT_TRUE(e.OKBtn.Enabled());
            e.ToolSelOn.SetChecked(true);
            e.ToolMainVisible.SetChecked(false);
            e.OKBtn.Click();
        });
        d.ListView1.SetFocus();
        Type({VK_SHIFT, VK_RETURN});
        EXPECT_TRUE(onEdit.empty());
        EXPECT_EQ(d.ModalResult(), mrNone);  // Enter did not also close the list
        EXPECT_EQ(RowToTool(d.ListView1.Row(0)).Title, "-");
        EXPECT_EQ(d.ListView1.Row(0), ToolToRow(ToolSeparatorEntry(false, true)));

        // A cancelled edit changes nothing.
        d.ListView1.SetItemIndex(1);
        onEdit.push_back([](TToolEditFrm& e) {
            e.ToolName.SetText("変えた");
            e.CancelBtn.Click();
        });
        d.EditClick();
        EXPECT_EQ(d.ListView1.Cell(1, 0), "ブラウザ");

        // Copy goes before the row, which moves down and stays selected.
        d.CopyClick();
        EXPECT_EQ(Titles(d), (std::vector<std::string>{"-", "ブラウザ", "ブラウザ", "コンパイラ", "新規"}));
        EXPECT_EQ(d.ListView1.ItemIndex(), 2);
        d.ListView1.SetCell(2, 0, "ブラウザ2");

        // Up and down; not past either end.
        d.MoveClick(-1);
        d.MoveClick(-1);
        EXPECT_EQ(d.ListView1.ItemIndex(), 0);
        d.MoveClick(-1);
        EXPECT_EQ(Titles(d), (std::vector<std::string>{"ブラウザ2", "-", "ブラウザ", "コンパイラ", "新規"}));
        d.ListView1.SetItemIndex(4);
        d.MoveClick(1);
        d.MoveClick(-1);
        EXPECT_EQ(Titles(d), (std::vector<std::string>{"ブラウザ2", "-", "ブラウザ", "新規", "コンパイラ"}));
        EXPECT_EQ(d.ListView1.ItemIndex(), 3);

        // Delete asks; No keeps the row. The Delete key on the last row leaves the new last selected.
        rec.answer = IDNO;
        d.DeleteClick();
        EXPECT_EQ(d.ListView1.RowCount(), 5);
        rec.answer = IDYES;
        d.ListView1.SetItemIndex(4);
        d.ListView1.SetFocus();
        Type({VK_DELETE});
        EXPECT_EQ(d.ListView1.RowCount(), 4);
        EXPECT_EQ(d.ListView1.ItemIndex(), 3);
        d.ListView1.SetItemIndex(1);
        d.DeleteClick();
        EXPECT_EQ(Titles(d), (std::vector<std::string>{"ブラウザ2", "ブラウザ", "新規"}));
        EXPECT_EQ(d.ListView1.ItemIndex(), 1);
        steps.push_back("done");
        d.OKBtn.Click();
    };
    ASSERT_TRUE(ShowToolListDialog());
    ASSERT_EQ(steps.size(), 1u);
    ASSERT_EQ(rec.messages.size(), 3u);
    EXPECT_EQ(rec.messages[0].text, "削除してよろしいですか？");
    EXPECT_EQ(rec.messages[0].flags, static_cast<unsigned>(MB_YESNO | MB_ICONQUESTION));

    const std::vector<TAppTool> saved = SavedTools();
    ASSERT_EQ(saved.size(), 3u);
    EXPECT_EQ(saved[0].Title, "ブラウザ2");
    EXPECT_EQ(saved[1].File, "b.exe");
    EXPECT_EQ(saved[1].Param, " \"%f\" ");
    EXPECT_EQ(saved[2].Title, "新規");
    EXPECT_EQ(saved[2].Key, ShortCut('N', scCtrl | scShift));
    EXPECT_EQ(saved[2].Save, 1);
    EXPECT_TRUE(saved[2].Lock && saved[2].MainVisible && !saved[2].PopVisible);
    EXPECT_EQ(TMemIniFile(ini).ReadString("Tools", "Key2", ""), "Shift+Ctrl+N");
}

TEST_F(ToolDialogs, CancelKeepsTheToolsAndTheWindowKeepsItsSizeAndColumns)
{
    WriteTools({MakeTool("一", "1.exe"), MakeTool("二", "2.exe")}, "[Other]\r\nKeep=1\r\n");
    std::string before;
    ASSERT_EQ(ReadFileBytes(ini, before), TReadStatus::Ok);
    TMsgRecorder rec;
    RECT size{};
    onList = [&](TOptionToolFrm& d) {
        RECT r;
        GetWindowRect(d.Handle(), &r);
        EXPECT_GE(r.right - r.left, 498);
        // Never smaller than its least size.
        SetWindowPos(d.Handle(), nullptr, 0, 0, 200, 100, SWP_NOMOVE | SWP_NOZORDER);
        GetWindowRect(d.Handle(), &r);
        EXPECT_EQ(r.right - r.left, 498);
        EXPECT_EQ(r.bottom - r.top, 312);
        SetWindowPos(d.Handle(), nullptr, 0, 0, 700, 450, SWP_NOMOVE | SWP_NOZORDER);
        GetWindowRect(d.Handle(), &size);
        // The buttons follow the right edge, the list the size.
        RECT client;
        GetClientRect(d.Handle(), &client);
        EXPECT_EQ(d.OKBtn.Left() + d.OKBtn.Width(), client.right - 8);
        EXPECT_LT(d.ListView1.Left() + d.ListView1.Width(), d.OKBtn.Left());
        EXPECT_TRUE(IsWindowVisible(d.StatusBar1.Handle()));
        d.ListView1.SetColumnWidth(2, 321);
        d.ListView1.ClearRows();
        d.CancelBtn.Click();
    };
    EXPECT_FALSE(ShowToolListDialog());
    EXPECT_TRUE(rec.messages.empty());
    const TMemIniFile after(ini);
    EXPECT_EQ(after.ReadInteger("Tools", "ItemCount", -1), 2);
    EXPECT_EQ(after.ReadInteger("Other", "Keep", 0), 1);
    const TToolWindowState s = ReadToolWindowState(after);
    EXPECT_EQ(s.Width, size.right - size.left);
    EXPECT_EQ(s.Height, size.bottom - size.top);
    EXPECT_FALSE(s.Maximized);
    EXPECT_EQ(s.Columns[2], 321);
    EXPECT_EQ(s.Columns[0], kToolListColumnWidths[0]);

    // Opened again: that size and those widths; closed maximized, it opens
    // maximized with no grip, and keeps the normal size in the file.
    for (int round = 0; round < 2; ++round) {
        onList = [&](TOptionToolFrm& d) {
            RECT r;
            GetWindowRect(d.Handle(), &r);
            if (round == 0) {
                EXPECT_EQ(r.right - r.left, size.right - size.left);
                EXPECT_EQ(d.ListView1.ColumnWidth(2), 321);
                EXPECT_FALSE(IsZoomed(d.Handle()));
                ShowWindow(d.Handle(), SW_MAXIMIZE);
            } else {
                EXPECT_TRUE(IsZoomed(d.Handle()));
            }
            EXPECT_FALSE(IsWindowVisible(d.StatusBar1.Handle()));
            d.CancelBtn.Click();
        };
        EXPECT_FALSE(ShowToolListDialog());
        const TToolWindowState m = ReadToolWindowState(TMemIniFile(ini));
        EXPECT_TRUE(m.Maximized);
        EXPECT_EQ(m.Width, size.right - size.left);
    }
    std::string now;
    ASSERT_EQ(ReadFileBytes(ini, now), TReadStatus::Ok);
    EXPECT_EQ(now.substr(0, before.size()), before);
}

TEST_F(ToolDialogs, ListMenuAndAFileThatCannotBeWritten)
{
    WriteTools({MakeTool("一", "1.exe")});
    std::vector<std::vector<bool>> enabled;
    std::string defaultItem;
    TPopupMenu::TTracker oldTracker = TPopupMenu::SetTracker([&](HMENU menu, int, int, HWND) -> UINT {
        std::vector<bool> e;
        for (int i = 0; i < GetMenuItemCount(menu); ++i) {
            const UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
            if (!(state & MF_SEPARATOR)) e.push_back(!(state & MF_GRAYED));
        }
        enabled.push_back(e);
        const UINT def = GetMenuDefaultItem(menu, FALSE, GMDI_USEDISABLED);
        char text[64] = {};
        GetMenuStringA(menu, def, text, sizeof text, MF_BYCOMMAND);
        defaultItem = text;
        return GetMenuItemID(menu, 2);  // 複製
    });
    onList = [&](TOptionToolFrm& d) {
        d.PopupMenu1.Popup(10, 10, d.Handle());
        EXPECT_EQ(d.ListView1.RowCount(), 2);
        d.ListView1.SetItemIndex(-1);
        d.PopupMenu1.Popup(10, 10, d.Handle());  // copy without a row: nothing
        EXPECT_EQ(d.ListView1.RowCount(), 2);
        d.OKBtn.Click();
    };
    SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_THROW(ShowToolListDialog(), std::runtime_error);
    SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_NORMAL);
    TPopupMenu::SetTracker(oldTracker);
    EXPECT_EQ(SavedTools().size(), 1u);
    ASSERT_EQ(enabled.size(), 2u);
    EXPECT_EQ(enabled[0], std::vector<bool>(6, true));
    EXPECT_EQ(enabled[1], (std::vector<bool>{false, false, false, true, false, false}));
    EXPECT_EQ(defaultItem, "編集(E)...");
}

TEST_F(ToolDialogs, EntryDialogProgramFolderAndPlaceholders)
{
    const std::string exe = dir.File("tool.exe");
    ASSERT_TRUE(ReplaceFileBytes(exe, "MZ"));
    TAppTool tool = MakeTool("表示", exe);
    tool.Param = "abc def";
    tool.TmpDir = "C:\\start";

    // The program's file dialog: a path that is too long keeps it open.
    std::vector<std::string> offered;
    const std::string tooLong = "C:\\" + std::string(300, 'x') + ".exe";
    int asked = 0;
    auto oldFiles = TFileDialog::SetScript([&](TFileDialog& f) {
        EXPECT_EQ(f.Title(), "実行ファイルを選択");
        EXPECT_EQ(f.Filter().substr(0, 13), "実行ファイル(");
        EXPECT_FALSE(f.Options() & ofEnableSizing);
        offered.push_back(f.FileName());
        return TFileDialogAnswer{true, ++asked == 1 ? tooLong : "C:\\bin\\new.exe"};
    });
    // The folder browser's start, prompt and answer.
    BROWSEINFOA seen{};
    std::string seenPrompt, seenStart;
    auto oldShell = TBrowseFolderDlg::SetShell({[&](BROWSEINFOA& info) {
                                                    seen = info;
                                                    seenPrompt = info.lpszTitle;
                                                    return static_cast<PIDLIST_ABSOLUTE>(CoTaskMemAlloc(2));
                                                },
                                                [](PCIDLIST_ABSOLUTE, char* path) {
                                                    lstrcpyA(path, "D:\\作業");
                                                    return true;
                                                }});
    // The placeholder menu: where it opens, then "%t".
    POINT menuAt{};
    RECT button{};
    auto oldTracker = TPopupMenu::SetTracker([&](HMENU menu, int x, int y, HWND) -> UINT {
        menuAt = POINT{x, y};
        char text[64] = {};
        GetMenuStringA(menu, 15, text, sizeof text, MF_BYPOSITION);
        EXPECT_EQ(std::string(text), "&B: 選択テキスト一時ファイル [%t]");
        return GetMenuItemID(menu, 15);
    });
    sizing = false;
    std::vector<bool> ok;
    onEdit.push_back([&](TToolEditFrm& e) {
        POINT origin{0, 0};
        RECT r;
        GetWindowRect(e.Handle(), &r);
        EXPECT_EQ(r.left, origin.x);
        EXPECT_EQ(r.top, origin.y);
        e.ExeBtn.Click();
        EXPECT_EQ(e.ToolExe.Text(), "C:\\bin\\new.exe");
        e.ExeBtn.Click();  // that file does not exist: no start name
        e.TempBtn.Click();
        EXPECT_EQ(e.ToolTemp.Text(), "D:\\作業");
        SendMessageA(e.ToolOption.Handle(), EM_SETSEL, 4, 7);
        GetWindowRect(e.OptionBtn.Handle(), &button);
        e.OptionBtn.Click();
        EXPECT_EQ(e.ToolOption.Text(), "abc %tdef");
        // The OK rule follows every change of name, program and parameters.
        e.ToolExe.SetText("");
        ok.push_back(e.OKBtn.Enabled());
        e.ToolOption.SetText("");
        ok.push_back(e.OKBtn.Enabled());
        e.ToolExe.SetText("x.exe");
        ok.push_back(e.OKBtn.Enabled());
        e.ToolName.SetText("");
        ok.push_back(e.OKBtn.Enabled());
        e.ToolName.SetText("表示2");
        e.OKBtn.Click();
    });
    const bool result = ShowToolEditDialog(tool, nullptr);
    TFileDialog::SetScript(oldFiles);
    TBrowseFolderDlg::SetShell(oldShell);
    TPopupMenu::SetTracker(oldTracker);
    ASSERT_TRUE(result);
    EXPECT_EQ(offered, (std::vector<std::string>{exe, "", ""}));
    EXPECT_EQ(checked, (std::vector<std::string>{tooLong, "C:\\bin\\new.exe", "C:\\bin\\new.exe"}));
    EXPECT_EQ(seenPrompt, "作業フォルダを指定して下さい");
    EXPECT_TRUE(seen.ulFlags & BIF_STATUSTEXT);
    EXPECT_EQ(menuAt.x, button.right);
    EXPECT_EQ(menuAt.y, button.top);
    EXPECT_EQ(ok, (std::vector<bool>{true, false, true, false}));
    EXPECT_EQ(tool.Title, "表示2");
    EXPECT_EQ(tool.File, "x.exe");
    EXPECT_EQ(tool.TmpDir, "D:\\作業");
}

TEST_F(ToolDialogs, ADamagedCountOpensTheListAtOnce)
{
    ASSERT_TRUE(ReplaceFileBytes(ini, "[Tools]\r\nItemCount=200000000\r\nTitle0=a\r\nFile0=a.exe\r\n"));
    int rows = 0;
    onList = [&](TOptionToolFrm& d) {
        rows = d.ListView1.RowCount();
        d.CancelBtn.Click();
    };
    const DWORD start = GetTickCount();
    EXPECT_FALSE(ShowToolListDialog());
    EXPECT_LT(GetTickCount() - start, 5000u);
    EXPECT_EQ(rows, kMaxAppTools);
}
