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
#include "dialogs/common/dialoghost.h"
#include "dialogs/folder/browsefolder_win.h"
#include "dialogs/tools/tooldlg.h"
#include "dialogs/tools/tooleditdlg_win.h"
#include "dialogs/tools/toollistdlg_win.h"
#include "support/modalscript_win.h"
#include "support/tempfolder.h"
#include "support/winsupport_win.h"

using namespace vellumo;
using namespace vellumo::testing;

namespace {

const bool kNoUnscriptedModal = (TForm::SetRefuseUnscriptedModal(true), true);

TAppTool MakeTool(const std::string& title, const std::string& key = {})
{
    TAppTool t;
    t.Title = title;
    t.File = title + ".exe";
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
    for (int i = 0; i < 10; ++i, Sleep(10)) ProcessMessages();
}

std::vector<std::string> Titles(const TOptionToolFrm& d)
{
    std::vector<std::string> t;
    for (int r = 0; r < d.ListView1.RowCount(); ++r) t.push_back(d.ListView1.Cell(r, 0));
    return t;
}

// The list dialog runs onList; each entry dialog the next of onEdit.
class ToolDialogs : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved_ = DialogHost();
        DialogHost().SettingsPath = [this] { return ini; };
        DialogHost().CheckPathLength = [this](const std::string& p) { return checked.push_back(p), p.size() < 260; };
        DialogHost().FileDialogSizing = [] { return false; };
    }
    void TearDown() override { DialogHost() = saved_; }

    void WriteTools(const std::vector<TAppTool>& tools, const std::string& more = {})
    {
        TMemIniFile f = TMemIniFile::FromText(ini, more);
        WriteAppTools(f, tools);
        ASSERT_TRUE(f.UpdateFile());
    }

    std::function<void(TOptionToolFrm&)> onList;
    std::deque<std::function<void(TToolEditFrm&)>> onEdit;
    TScript script{[this](TForm& f) {
        if (auto* list = dynamic_cast<TOptionToolFrm*>(&f)) return onList(*list);
        auto* edit = dynamic_cast<TToolEditFrm*>(&f);
        ASSERT_TRUE(edit && !onEdit.empty()) << "unexpected " << f.Caption();
        auto step = std::move(onEdit.front());
        onEdit.pop_front();
        step(*edit);
    }};

    TTempFolder dir;
    std::string ini = dir.File("vellumo.ini");
    std::vector<std::string> checked;

private:
    TDialogHost saved_;
};

} // namespace

TEST_F(ToolDialogs, AddEditCopyMoveDeleteAndSave)
{
    WriteTools({MakeTool("アプリ", "Ctrl+F1"), MakeTool("ブラウザ"), MakeTool("コンパイラ")});
    TMsgRecorder rec;
    onList = [&](TOptionToolFrm& d) {
        EXPECT_EQ(d.Caption(), "ツールの設定");
        EXPECT_EQ(Titles(d), (std::vector<std::string>{"アプリ", "ブラウザ", "コンパイラ"}));
        EXPECT_EQ(d.ListView1.ItemIndex(), 0);

        // Add: a new entry starts with the record's defaults; its hot key is typed for real.
        onEdit.push_back([](TToolEditFrm& e) {
            EXPECT_EQ(e.ToolSave.ItemIndex(), 2);
            EXPECT_TRUE(e.ToolMainVisible.Checked() && e.ToolPopVisible.Checked() && !e.ToolLock.Checked());
            EXPECT_FALSE(e.OKBtn.Enabled());
            e.ToolName.SetText("新規");
            e.ToolOption.SetText("cmd /c type %t");
            e.ToolSave.SetItemIndex(1);
            e.ToolLock.SetChecked(true);
            e.ToolPopVisible.SetChecked(false);
            e.ToolKey.SetFocus();
            Type({VK_CONTROL, VK_SHIFT, 'N'});
            e.OKBtn.Click();
        });
        d.InsertClick();
        EXPECT_EQ(d.ListView1.ItemIndex(), 3);
        EXPECT_EQ(d.ListView1.Row(3), (std::vector<std::string>{"新規", "", "cmd /c type %t", "", "確認メッセージを表示する",
                                                                "Shift+Ctrl+N", "", "", "ON", "ON", ""}));

        // Shift+Enter on the list edits the row; "-" keeps only where it is shown.
        onEdit.push_back([](TToolEditFrm& e) {
            EXPECT_EQ(e.Caption(), "ツールの編集");
            EXPECT_EQ(e.ToolOption.Text(), " \"%f\" ");
            EXPECT_EQ(e.ToolKey.HotKey(), ShortCut(VK_F1, scCtrl));
            e.ToolName.SetText("-");
            e.ToolExe.SetText("");
            e.ToolOption.SetText("");
            e.ToolSelOn.SetChecked(true);
            e.ToolMainVisible.SetChecked(false);
            e.OKBtn.Click();
        });
        d.ListView1.SetItemIndex(0);
        d.ListView1.SetFocus();
        Type({VK_SHIFT, VK_RETURN});
        EXPECT_EQ(d.ModalResult(), mrNone);  // Enter did not also close the list
        EXPECT_EQ(d.ListView1.Row(0), ToolToRow(ToolSeparatorEntry(false, true)));

        // A cancelled edit changes nothing; a copy goes before its row, which stays selected.
        d.ListView1.SetItemIndex(1);
        onEdit.push_back([](TToolEditFrm& e) {
            e.ToolName.SetText("変えた");
            e.CancelBtn.Click();
        });
        d.EditClick();
        d.CopyClick();
        EXPECT_EQ(Titles(d), (std::vector<std::string>{"-", "ブラウザ", "ブラウザ", "コンパイラ", "新規"}));
        EXPECT_EQ(d.ListView1.ItemIndex(), 2);
        d.ListView1.SetCell(2, 0, "ブラウザ2");

        // Up and down, never past either end.
        for (int delta : {-1, -1, -1}) d.MoveClick(delta);
        d.ListView1.SetItemIndex(4);
        for (int delta : {1, -1}) d.MoveClick(delta);
        EXPECT_EQ(Titles(d), (std::vector<std::string>{"ブラウザ2", "-", "ブラウザ", "新規", "コンパイラ"}));
        EXPECT_EQ(d.ListView1.ItemIndex(), 3);

        // Delete asks: No keeps the row; the Delete key on the last row leaves the new last selected.
        rec.answer = IDNO;
        d.DeleteClick();
        rec.answer = IDYES;
        d.ListView1.SetItemIndex(4);
        d.ListView1.SetFocus();
        Type({VK_DELETE});
        EXPECT_EQ(d.ListView1.ItemIndex(), 3);
        d.ListView1.SetItemIndex(1);
        d.DeleteClick();
        EXPECT_EQ(Titles(d), (std::vector<std::string>{"ブラウザ2", "ブラウザ", "新規"}));
        EXPECT_EQ(d.ListView1.ItemIndex(), 1);
        d.OKBtn.Click();
    };
    ASSERT_TRUE(ShowToolListDialog());
    EXPECT_TRUE(onEdit.empty());
    ASSERT_EQ(rec.messages.size(), 3u);
    EXPECT_EQ(rec.messages[0].text, "削除してよろしいですか？");
    EXPECT_EQ(rec.messages[0].flags, static_cast<unsigned>(MB_YESNO | MB_ICONQUESTION));

    const std::vector<TAppTool> saved = ReadAppTools(TMemIniFile(ini));
    ASSERT_EQ(saved.size(), 3u);
    EXPECT_EQ(saved[0].File, "ブラウザ.exe");
    EXPECT_EQ(saved[1].Param, " \"%f\" ");
    EXPECT_EQ(saved[2].Key, ShortCut('N', scCtrl | scShift));
    EXPECT_TRUE(saved[2].Save == 1 && saved[2].Lock && saved[2].MainVisible && !saved[2].PopVisible);
    EXPECT_EQ(TMemIniFile(ini).ReadString("Tools", "Key2", ""), "Shift+Ctrl+N");
}

TEST_F(ToolDialogs, CancelKeepsTheToolsAndTheWindowKeepsItsSizeAndColumns)
{
    WriteTools({MakeTool("一"), MakeTool("二")}, "[Other]\r\nKeep=1\r\n");
    std::string before, now;
    ASSERT_EQ(ReadFileBytes(ini, before), TReadStatus::Ok);
    RECT size{};
    onList = [&](TOptionToolFrm& d) {
        // Never smaller than its least size; the buttons follow the right edge.
        SetWindowPos(d.Handle(), nullptr, 0, 0, 200, 100, SWP_NOMOVE | SWP_NOZORDER);
        GetWindowRect(d.Handle(), &size);
        EXPECT_EQ(size.right - size.left, 498);
        EXPECT_EQ(size.bottom - size.top, 312);
        SetWindowPos(d.Handle(), nullptr, 0, 0, 700, 450, SWP_NOMOVE | SWP_NOZORDER);
        GetWindowRect(d.Handle(), &size);
        RECT client;
        GetClientRect(d.Handle(), &client);
        EXPECT_EQ(d.OKBtn.Left() + d.OKBtn.Width(), client.right - 8);
        EXPECT_TRUE(IsWindowVisible(d.StatusBar1.Handle()));
        d.ListView1.SetColumnWidth(2, 321);
        d.ListView1.ClearRows();
        d.CancelBtn.Click();
    };
    EXPECT_FALSE(ShowToolListDialog());
    ASSERT_EQ(ReadFileBytes(ini, now), TReadStatus::Ok);
    EXPECT_EQ(now.substr(0, before.size()), before);
    TToolWindowState s = ReadToolWindowState(TMemIniFile(ini));
    EXPECT_EQ(s.Width, size.right - size.left);
    EXPECT_EQ(s.Height, size.bottom - size.top);
    EXPECT_EQ(s.Columns[2], 321);

    // Opened again at that size; closed maximized, it opens maximized without
    // the grip and the file keeps the normal size.
    for (int round = 0; round < 2; ++round) {
        onList = [&](TOptionToolFrm& d) {
            RECT r;
            GetWindowRect(d.Handle(), &r);
            if (round == 0) {
                EXPECT_EQ(r.right - r.left, size.right - size.left);
                EXPECT_EQ(d.ListView1.ColumnWidth(2), 321);
                ShowWindow(d.Handle(), SW_MAXIMIZE);
            }
            EXPECT_TRUE(IsZoomed(d.Handle()));
            EXPECT_FALSE(IsWindowVisible(d.StatusBar1.Handle()));
            d.CancelBtn.Click();
        };
        EXPECT_FALSE(ShowToolListDialog());
        s = ReadToolWindowState(TMemIniFile(ini));
        EXPECT_TRUE(s.Maximized);
        EXPECT_EQ(s.Width, size.right - size.left);
    }
}

TEST_F(ToolDialogs, ListMenuAndAFileThatCannotBeWritten)
{
    WriteTools({MakeTool("一")});
    std::vector<std::vector<bool>> enabled;
    std::string defaultItem;
    auto oldTracker = TPopupMenu::SetTracker([&](HMENU menu, int, int, HWND) -> UINT {
        std::vector<bool> e;
        for (int i = 0; i < GetMenuItemCount(menu); ++i) {
            const UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
            if (!(state & MF_SEPARATOR)) e.push_back(!(state & MF_GRAYED));
        }
        enabled.push_back(e);
        char text[64] = {};
        GetMenuStringA(menu, GetMenuDefaultItem(menu, FALSE, GMDI_USEDISABLED), text, sizeof text, MF_BYCOMMAND);
        defaultItem = text;
        return GetMenuItemID(menu, 2);  // 複製
    });
    onList = [&](TOptionToolFrm& d) {
        d.PopupMenu1.Popup(10, 10, d.Handle());
        d.ListView1.SetItemIndex(-1);
        d.PopupMenu1.Popup(10, 10, d.Handle());  // copy without a row: nothing
        EXPECT_EQ(d.ListView1.RowCount(), 2);
        d.OKBtn.Click();
    };
    SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_THROW(ShowToolListDialog(), std::runtime_error);
    SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_NORMAL);
    TPopupMenu::SetTracker(oldTracker);
    EXPECT_EQ(ReadAppTools(TMemIniFile(ini)).size(), 1u);
    EXPECT_EQ(enabled, (std::vector<std::vector<bool>>{std::vector<bool>(6, true),
                                                       {false, false, false, true, false, false}}));
    EXPECT_EQ(defaultItem, "編集(E)...");

    // However large the count in the file, the list holds no more than the cap.
    ASSERT_TRUE(ReplaceFileBytes(ini, "[Tools]\r\nItemCount=200000000\r\nTitle0=a\r\nFile0=a.exe\r\n"));
    int rows = 0;
    onList = [&](TOptionToolFrm& d) {
        rows = d.ListView1.RowCount();
        d.CancelBtn.Click();
    };
    EXPECT_FALSE(ShowToolListDialog());
    EXPECT_EQ(rows, kMaxAppTools);
}

TEST_F(ToolDialogs, EntryDialogProgramFolderAndPlaceholders)
{
    const std::string exe = dir.File("tool.exe");
    ASSERT_TRUE(ReplaceFileBytes(exe, "MZ"));
    TAppTool tool = MakeTool("表示");
    tool.File = exe;
    tool.Param = "abc def";

    // The program's file dialog: a path that is too long keeps it open, its name cleared.
    std::vector<std::string> offered;
    const std::string tooLong = "C:\\" + std::string(300, 'x') + ".exe";
    auto oldFiles = TFileDialog::SetScript([&](TFileDialog& f) {
        EXPECT_EQ(f.Title(), "実行ファイルを選択");
        EXPECT_FALSE(f.Options() & ofEnableSizing);
        offered.push_back(f.FileName());
        return TFileDialogAnswer{true, offered.size() == 1 ? tooLong : "C:\\bin\\new.exe"};
    });
    std::string prompt;
    auto oldShell = TBrowseFolderDlg::SetShell(
        {[&](BROWSEINFOA& info) { return prompt = info.lpszTitle, static_cast<PIDLIST_ABSOLUTE>(CoTaskMemAlloc(2)); },
         [](PCIDLIST_ABSOLUTE, char* path) { return lstrcpyA(path, "D:\\作業"), true; }});
    // The placeholder menu at the button's top-right corner; "%t" chosen.
    POINT menuAt{};
    auto oldTracker = TPopupMenu::SetTracker([&](HMENU menu, int x, int y, HWND) -> UINT {
        menuAt = POINT{x, y};
        return GetMenuItemID(menu, 15);
    });
    RECT button{};
    std::vector<bool> ok;
    onEdit.push_back([&](TToolEditFrm& e) {
        RECT r;
        GetWindowRect(e.Handle(), &r);
        EXPECT_EQ(r.left, 0);  // no owner: the screen's origin
        e.ExeBtn.Click();
        e.ExeBtn.Click();  // that file does not exist: no start name
        e.TempBtn.Click();
        SendMessageA(e.ToolOption.Handle(), EM_SETSEL, 4, 7);
        GetWindowRect(e.OptionBtn.Handle(), &button);
        e.OptionBtn.Click();
        EXPECT_EQ(e.ToolOption.Text(), "abc %tdef");
        // The OK rule follows the name, program and parameters as they change.
        for (auto* edit : {&e.ToolExe, &e.ToolOption, &e.ToolName}) {
            edit->SetText("");
            ok.push_back(e.OKBtn.Enabled());
        }
        e.ToolName.SetText("表示2");
        e.ToolExe.SetText("x.exe");
        e.OKBtn.Click();
    });
    const bool result = ShowToolEditDialog(tool, nullptr);
    TFileDialog::SetScript(oldFiles);
    TBrowseFolderDlg::SetShell(oldShell);
    TPopupMenu::SetTracker(oldTracker);
    ASSERT_TRUE(result);
    EXPECT_EQ(offered, (std::vector<std::string>{exe, "", ""}));
    EXPECT_EQ(checked, (std::vector<std::string>{tooLong, "C:\\bin\\new.exe", "C:\\bin\\new.exe"}));
    EXPECT_EQ(prompt, "作業フォルダを指定して下さい");
    EXPECT_EQ(menuAt.x, button.right);
    EXPECT_EQ(menuAt.y, button.top);
    EXPECT_EQ(ok, (std::vector<bool>{true, false, false}));
    EXPECT_EQ(tool.Title, "表示2");
    EXPECT_EQ(tool.Param, "");
    EXPECT_EQ(tool.TmpDir, "D:\\作業");
}
