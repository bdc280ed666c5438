// The main window in this process: its menus as a user sees them, the File
// commands on a real file, and what closing and dropping must refuse.
#include <gtest/gtest.h>

#include "app/window/mainform_win.h"

#include <commctrl.h>
#include <shlobj.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "app/commands/commands_win.h"
#include "app/startup/cmdline_win.h"
#include "app/startup/instances.h"
#include "classlib/process_win.h"
#include "dialogs/common/history.h"
#include "settings/settingsdecl.h"
#include "settings/settingsstore.h"
#include "base/showmsg.h"
#include "suiteform_win.h"

using namespace vellumo;
using namespace vellumo::testing;
namespace fs = std::filesystem;

namespace {

std::string ItemText(HMENU menu, int pos, HMENU* sub = nullptr)
{
    char buf[256] = {};
    MENUITEMINFOA mi{};
    mi.cbSize = sizeof mi;
    mi.fMask = MIIM_STRING | MIIM_FTYPE | MIIM_SUBMENU;
    mi.dwTypeData = buf;
    mi.cch = sizeof buf - 1;
    if (!GetMenuItemInfoA(menu, static_cast<UINT>(pos), TRUE, &mi)) return "<none>";
    if (sub) *sub = mi.hSubMenu;
    return (mi.fType & MFT_SEPARATOR) ? "-" : buf;
}

std::vector<std::string> Items(HMENU menu)
{
    std::vector<std::string> out;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) out.push_back(ItemText(menu, i));
    return out;
}

std::string ReadAll(const fs::path& p)
{
    std::ifstream f(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), {}};
}

class MainFormTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        folder_ = fs::temp_directory_path() / "vellumo_mainform_test";
        form_ = MakeSuiteForm(folder_, false);
    }
    static void TearDownTestSuite() { FreeSuiteForm(form_, folder_); }
    static TVellumoMainForm* form_;
    static fs::path folder_;
};
TVellumoMainForm* MainFormTest::form_ = nullptr;
fs::path MainFormTest::folder_;

TEST_F(MainFormTest, MenuBarShowsEveryMenuWithCaptionsAndShortcutsInPlace)
{
    HMENU bar = GetMenu(form_->Window());
    ASSERT_NE(bar, nullptr);
    const std::vector<std::string> top = {"ファイル(&F)", "編集(&E)", "検索(&S)", "表示(&V)", "ウィンドウ(&W)", "ツール(&T)", "ヘルプ(&H)"};
    EXPECT_EQ(Items(bar), top);

    struct Menu {
        int Index;
        std::vector<std::string> Shown;
    } menus[] = {
        {0, {"新規作成(&N)\tCtrl+N", "開く(&O)...\tCtrl+O", "閉じて開く(&C)...", "開き直す(&R)", "-", "再読込(&L)\tF5",
             "文字コード指定再読込(&D)", "-", "上書き保存(&S)\tCtrl+S", "名前を付けて保存(&A)...\tShift+Ctrl+S",
             "折り返し反映保存(&W)", "文字/改行コード指定保存(&K)...", "-", "印刷(&P)...\tCtrl+P", "印刷プレビュー(&V)...",
             "-", "保存して閉じる(&E)\tCtrl+E", "閉じる(&X)\tCtrl+W"}},
        // The four hidden duplicates of the Edit menu are not shown.
        {1, {"元に戻す(&U)\tCtrl+Z", "やり直し(&R)\tCtrl+Y", "-", "切り取り(&T)\tCtrl+X", "コピー(&C)\tCtrl+C",
             "折り返し反映コピー(&W)\tShift+Ctrl+C", "貼り付け(&P)\tCtrl+V", "引用符付き貼り付け(&Q)\tCtrl+Q",
             "矩形貼り付け(&O)\tCtrl+K", "削除(&L)", "行削除(&D)\tCtrl+Enter", "-", "変換(&V)", "-",
             "すべて選択(&A)\tCtrl+A", "矩形選択(&B)\tCtrl+B", "フリーカーソル(&F)\tShift+Ctrl+F", "-",
             "書き換え禁止(&E)\tShift+Ctrl+N"}},
        {2, {"検索(&F)...\tCtrl+F", "上を検索(&U)\tShift+F3", "下を検索(&D)\tF3", "置換(&R)...\tCtrl+R", "-",
             "指定行(&J)...\tCtrl+J", "対応する括弧(&K)\tCtrl+["}},
        {4, {"常に最前面表示(&O)", "ユーザー指定(&U)\tCtrl+Alt+W", "-", "画面分割(&S)\tCtrl+F5", "-", "並べて表示(&T)",
             "重ねて表示(&C)", "上下に並べて表示(&H)", "左右に並べて表示(&V)", "-", "すべて表示(&R)", "すべて最小化(&M)",
             "-", "次(&N)\tCtrl+Tab", "前(&P)\tShift+Ctrl+Tab", "-"}},
        {3, {"編集モード(&M)", "-", "ツールバー(&T)", "ステータスバー(&S)", "-", "引用行(&Q)", "リンク(&L)", "URL拡張(&U)", "-",
             "**桁で折り返し(&W)\tShift+Ctrl+W", "折り返し桁指定(&B)", "-", "テキストサイズ表示(&I)\tF4", "-",
             "タブの文字数(&A)", "桁基準線(&K)\tShift+Ctrl+\\", "-", "フォント(&F)...", "オプション(&O)..."}},
        // The browser items and their separator wait for HTML mode (the default [Browser] Menu 0).
        {5, {"ツールの設定(&T)...", "-", "(ツール未登録)"}},
        {6, {"ショートカットキー(&K)...\tShift+F1", "Readme.txt(&R)...", "History.txt(&I)...", "-",
             "バージョン情報(&A)..."}},
    };
    for (const auto& m : menus) EXPECT_EQ(Items(GetSubMenu(bar, m.Index)), m.Shown) << top[static_cast<std::size_t>(m.Index)];
    AppSettingsStore().Settings.Browser.Menu = 1;  // always shown
    form_->UpdateBrowserMenus();
    EXPECT_EQ(Items(GetSubMenu(bar, 5)), (std::vector<std::string>{"ツールの設定(&T)...", "-", "Internet Explorer(&I)...\tF11",
                                                                  "Mozilla Firefox(&F)...\tF12", "-", "(ツール未登録)"}));
    AppSettingsStore().Settings.Browser.Menu = 0;
    form_->UpdateBrowserMenus();

    // Submenus: the code reload, the conversions with their shown keys, the modes.
    HMENU file = GetSubMenu(bar, 0), edit = GetSubMenu(bar, 1), view = GetSubMenu(bar, 3);
    EXPECT_EQ(Items(GetSubMenu(file, 6)),
              (std::vector<std::string>{"SHIFT-JIS(&S)", "JIS(&J)", "EUC(&E)", "Unicode(&U)", "UTF-8(N)(&T)"}));
    const auto conv = Items(GetSubMenu(edit, 12));
    ASSERT_EQ(conv.size(), 14u);
    EXPECT_EQ(conv[7], "TAB インデント(&T)\tTab");
    EXPECT_EQ(conv[8], "TAB 逆インデント(&A)\tShift+Tab");
    EXPECT_EQ(conv[13], "改行削除(&D)\tShift+Ctrl+T");
    const auto modes = Items(GetSubMenu(view, 0));
    ASSERT_EQ(modes.size(), 14u);
    EXPECT_EQ(modes[3], "PHP(&E)");
    EXPECT_EQ(modes[13], "Delphi(&D)");
    // Hidden items keep their logical place: Shift+F5 still has its item.
    TMenuItem& repaint = form_->MainMenuItems.Item("mRePaint");
    EXPECT_FALSE(repaint.Visible());
    EXPECT_EQ(repaint.Parent()->IndexOf(&repaint), repaint.Parent()->Count() - 1);
    EXPECT_EQ(form_->MainMenu1.FindShortCut(ShortCut(VK_F5, scShift)), &repaint);
}

TEST_F(MainFormTest, WrapWidthsFromTheSettingsFollowTheFixedItemsAndRunByCommand)
{
    AppSettingsStore().Settings.WrapWidths = {72, 100};
    form_->RebuildSettingsMenus();
    HMENU view = GetSubMenu(GetMenu(form_->Window()), 3);
    HMENU widths = nullptr;
    for (int i = 0; i < GetMenuItemCount(view) && !widths; ++i)
        if (ItemText(view, i) == "折り返し桁指定(&B)") widths = GetSubMenu(view, i);
    ASSERT_NE(widths, nullptr);
    EXPECT_EQ(Items(widths), (std::vector<std::string>{"&0: **桁 (右端)\tShift+Ctrl+O", "-", "&1: 72 桁\tShift+Ctrl+1",
                                                      "&2: 100 桁\tShift+Ctrl+2"}));
    // Re-reading the settings replaces the widths, never adds to them.
    form_->RebuildSettingsMenus();
    EXPECT_EQ(GetMenuItemCount(widths), 4);
    EXPECT_EQ(form_->MainMenuItems.Item("mWordWrapList").Items(3).Tag(), 100);
    AppSettingsStore().Settings.WrapWidths.clear();
    form_->RebuildSettingsMenus();
    EXPECT_EQ(GetMenuItemCount(widths), 2);
}

TEST_F(MainFormTest, BarsExistWithTheirButtonsAndPanels)
{
    EXPECT_EQ(SendMessageA(form_->ToolBar1.Handle(), TB_BUTTONCOUNT, 0, 0), 19);
    EXPECT_EQ(SendMessageA(form_->StatusBar1.Handle(), SB_GETPARTS, 0, 0), 10);
    // Hot pictures only for the 256-colour kind on a flat bar; an unknown kind changes nothing.
    HWND bar = form_->ToolBar1.Handle();
    auto hot = [bar] { return SendMessageA(bar, TB_GETHOTIMAGELIST, 0, 0) != 0; };
    form_->ToolBar1.ApplyToolBarImages(1, true, true);
    EXPECT_TRUE(hot());
    EXPECT_NE(SendMessageA(bar, TB_GETIMAGELIST, 0, 0), 0);
    form_->ToolBar1.ApplyToolBarImages(7, false, false);
    EXPECT_TRUE(hot());
    for (const auto& k : {std::make_tuple(1, false, true), std::make_tuple(1, true, false), std::make_tuple(0, true, true)}) {
        form_->ToolBar1.ApplyToolBarImages(1, true, true);
        form_->ToolBar1.ApplyToolBarImages(std::get<0>(k), std::get<1>(k), std::get<2>(k));
        EXPECT_FALSE(hot()) << std::get<0>(k) << std::get<1>(k) << std::get<2>(k);
    }
    EXPECT_NE(SendMessageA(bar, TB_GETIMAGELIST, 0, 0), 0);
    EXPECT_EQ(&form_->ActiveEditor(), &form_->Editor1);
    char cls[64] = {};
    GetClassNameA(form_->Window(), cls, sizeof cls);
    EXPECT_STREQ(cls, "TVellumoMainForm");
    GetClassNameA(form_->VellumoOpenFileName, cls, sizeof cls);
    EXPECT_STREQ(cls, "TEdit");
    EXPECT_GE(FirstPanelWidth(0, false, {67, 110, 46, 46, 35, 51, 39, 35, 41, 50}), 78);
    EXPECT_EQ(FirstPanelWidth(1000, true, {67, 110, 46, 46, 35, 51, 39, 35, 41, 50}) -
                  FirstPanelWidth(1000, false, {67, 110, 46, 46, 35, 51, 39, 35, 41, 50}),
              18);
}

TEST_F(MainFormTest, OpenEditSaveThroughTheFileCommands)
{
    const fs::path file = folder_ / "doc.txt";
    const std::string sjis = "\x93\xfa\x96\x7b\x8c\xea\r\nabc\r\n";  // 日本語 / abc
    std::ofstream(file, std::ios::binary) << sjis;
    int dialogs = 0;
    std::string title, folder;
    TFileDialog::SetScript([&](TFileDialog& d) {
        ++dialogs;
        title = d.Title();
        folder = d.InitialDir();
        return TFileDialogAnswer{true, file.string()};
    });
    TScopedMsgSink quiet([](const std::string&, const std::string&, unsigned) { return IDNO; }, [](unsigned) {});

    form_->MainMenuItems.Item("mOpen").Click();
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(Document().CurrentFileName, file.string());
    EXPECT_EQ(form_->Editor1.Lines().Count(), 2);
    char shown[MAX_PATH] = {};
    GetWindowTextA(form_->VellumoOpenFileName, shown, MAX_PATH);
    EXPECT_EQ(shown, file.string());

    // An unchanged save writes the same bytes; a change reaches the disk.
    SendMessageA(form_->Window(), WM_COMMAND, form_->MainMenuItems.Item("mSave").Command(), 0);
    EXPECT_EQ(ReadAll(file), sjis);
    form_->Editor1.Lines().Add("\x83\x65\x83\x58\x83\x67");  // テスト
    form_->Editor1.SetModified(true);
    ASSERT_TRUE(form_->RunShortCut(ShortCut('S', scCtrl)));
    EXPECT_EQ(ReadAll(file), sjis + "\x83\x65\x83\x58\x83\x67\r\n");
    EXPECT_FALSE(form_->Editor1.Modified());

    // A second Open while a file is loaded goes to a new instance, and the
    // dialog opens in that file's folder even when a default folder is set.
    form_->OpenDialogFolder = "C:\\elsewhere";
    std::string started;
    form_->Documents.StartNewInstance = [&](const std::string& args) { started = args; };
    mOpenClick(*form_);
    EXPECT_EQ(started, "\"" + file.string() + "\"");
    EXPECT_EQ(title, "ファイルを開く");
    EXPECT_EQ(folder, folder_.string());  // the current file's folder
    TFileDialog::SetScript(nullptr);
    ConnectDocumentFunctions(*form_);
}

TEST_F(MainFormTest, ReadOnlyAndFailedSavesNeverLoseOrOverwriteText)
{
    const fs::path file = folder_ / "keep.txt";
    std::ofstream(file, std::ios::binary) << "one\r\n";
    const fs::path other = folder_ / "other.txt";
    std::ofstream(other, std::ios::binary) << "other\r\n";
    int beeps = 0, asked = 0;
    TScopedMsgSink quiet(
        [&](const std::string&, const std::string&, unsigned) {
            ++asked;
            return IDYES;
        },
        [&](unsigned) { ++beeps; });
    ASSERT_TRUE(form_->Documents.OpenFile(file.string()));
    form_->Editor1.Lines().Add("two");
    form_->Editor1.SetModified(true);

    // Read-only: Ctrl+S is taken by the menu (not the editor) and writes nothing.
    form_->Editor1.SetReadOnly(true);
    EXPECT_TRUE(form_->RunShortCut(ShortCut('S', scCtrl)));
    mSaveClick(*form_);
    mSaveExitClick(*form_);
    EXPECT_EQ(ReadAll(file), "one\r\n");
    EXPECT_GE(beeps, 2);
    EXPECT_TRUE(IsWindow(form_->Window()));
    form_->Editor1.SetReadOnly(false);

    // Close-and-open: the changed text must be saved first; a failed save stops it.
    int dialogs = 0;
    TFileDialog::SetScript([&](TFileDialog&) {
        ++dialogs;
        return TFileDialogAnswer{true, other.string()};
    });
    form_->Documents.SaveFile = [](const std::string&, bool) { return false; };
    mOpen2Click(*form_);
    EXPECT_EQ(dialogs, 0);
    EXPECT_EQ(Document().CurrentFileName, file.string());
    EXPECT_EQ(form_->Editor1.Lines().Count(), 2);
    ConnectDocumentFunctions(*form_);
    mOpen2Click(*form_);  // now Yes saves, then the other file opens here
    EXPECT_EQ(ReadAll(file), "one\r\ntwo\r\n");
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(Document().CurrentFileName, other.string());
    EXPECT_GE(asked, 2);
    TFileDialog::SetScript(nullptr);
}

TEST_F(MainFormTest, ReloadAndWrapSavesKeepTheFileUntilAgreed)
{
    using namespace std::string_literals;
    const fs::path file = folder_ / "reload.txt";
    std::ofstream(file, std::ios::binary) << "one\r\n";
    int answers = 0;
    TScopedMsgSink cancel(
        [&](const std::string&, const std::string&, unsigned) {
            ++answers;
            return IDCANCEL;
        },
        [](unsigned) {});
    ASSERT_TRUE(form_->Documents.OpenFile(file.string()));
    // F5 reads the file again; the submenu's fourth item forces UTF-16.
    std::ofstream(file, std::ios::binary) << "two\r\n";
    EXPECT_TRUE(form_->RunShortCut(VK_F5));
    EXPECT_EQ(form_->Editor1.Lines()[0], "two");
    std::ofstream(file, std::ios::binary) << "\xFF\xFE" "a\0b\0"s;
    form_->MainMenuItems.Item("mReLoad_Unicode").Click();
    EXPECT_EQ(Document().DocumentCode, ccUnicode);
    EXPECT_EQ(form_->Editor1.Lines()[0], "ab");

    // The wrap-reflecting saves ask first; Cancel writes nothing and keeps the window.
    form_->Editor1.Lines().Add("c");
    form_->Editor1.SetModified(true);
    mSave2Click(*form_);
    mSaveExit2Click(*form_);
    EXPECT_EQ(answers, 2);
    EXPECT_EQ(ReadAll(file), "\xFF\xFE" "a\0b\0"s);
    EXPECT_TRUE(IsWindow(form_->Window()));
    form_->Editor1.SetModified(false);
}

TEST_F(MainFormTest, ShortcutsToolButtonsAndHints)
{
    // A shortcut with a command is taken; one no item has goes on to the editor.
    EXPECT_TRUE(form_->RunShortCut(ShortCut('C', scCtrl)));
    EXPECT_FALSE(form_->RunShortCut(ShortCut('Q', scAlt)));
    // A tool button acts only after a mouse press on it.
    int dialogs = 0;
    TFileDialog::SetScript([&](TFileDialog&) {
        ++dialogs;
        return TFileDialogAnswer{};
    });
    const UINT open = kFirstToolCommand + 1;
    SendMessageA(form_->Window(), WM_COMMAND, open, reinterpret_cast<LPARAM>(form_->ToolBar1.Handle()));
    EXPECT_EQ(dialogs, 0);
    NMHDR down{form_->ToolBar1.Handle(), 0, static_cast<UINT>(NM_LDOWN)};
    SendMessageA(form_->Window(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&down));
    SendMessageA(form_->Window(), WM_COMMAND, open, reinterpret_cast<LPARAM>(form_->ToolBar1.Handle()));
    EXPECT_EQ(dialogs, 1);
    EXPECT_FALSE(form_->ToolButtonPressed);
    TFileDialog::SetScript(nullptr);
    // The button under the mouse shows its hint, as a highlighted item does.
    NMTBHOTITEM hot{};
    hot.hdr = {form_->ToolBar1.Handle(), 0, static_cast<UINT>(TBN_HOTITEMCHANGE)};
    hot.idNew = static_cast<int>(kFirstToolCommand + 2);
    SendMessageA(form_->Window(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&hot));
    EXPECT_EQ(form_->StatusBar1.PanelText(0), "上書き保存");
    hot.dwFlags = HICF_LEAVING;
    SendMessageA(form_->Window(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&hot));
    EXPECT_EQ(form_->StatusBar1.PanelText(0), "");
    // Highlighting an item shows its hint in panel 0, the pop-up's too.
    const UINT save = form_->MainMenuItems.Item("mSave").Command();
    SendMessageA(form_->Window(), WM_MENUSELECT, MAKEWPARAM(save, 0), 0);
    EXPECT_EQ(form_->StatusBar1.PanelText(0), "作業中のファイルを上書き保存");
    const UINT cut = form_->PopupMenuItems.Item("pCut").Command();
    SendMessageA(form_->Window(), WM_MENUSELECT, MAKEWPARAM(cut, 0), 0);
    EXPECT_EQ(form_->StatusBar1.PanelText(0), "選択範囲を切り取ってクリップボードに保存");
    // Opening the File menu enables by the document's state.
    form_->Editor1.SetReadOnly(true);
    File1Click(*form_);
    EXPECT_FALSE(form_->MainMenuItems.Item("mSave").Enabled());
    EXPECT_FALSE(form_->MainMenuItems.Item("mSaveExit").Enabled());
    form_->Editor1.SetReadOnly(false);
    File1Click(*form_);
    EXPECT_TRUE(form_->MainMenuItems.Item("mSaveExit").Enabled());
}

TEST_F(MainFormTest, JumpsAskedByOtherInstances)
{
    for (int i = 0; i < 5; ++i) form_->Editor1.Lines().Add("line");
    const int last = form_->Editor1.Lines().Count() - 1;
    SendMessageA(form_->Window(), WM_JUMPLINE, 3, 0);
    EXPECT_EQ(form_->Editor1.Row(), 2);
    // A line number no int holds is not taken for a negative one.
    SendMessageA(form_->Window(), WM_JUMPLINE, static_cast<WPARAM>(0x80000001u), 0);
    EXPECT_EQ(form_->Editor1.Row(), 2);
    SendMessageA(form_->Window(), WM_JUMPEND, 1, 0);
    EXPECT_GE(form_->Editor1.Row(), last);
    form_->Editor1.SetModified(false);
}

TEST_F(MainFormTest, ClosingAsksAndNeverStartsWhileADocumentIsBusy)
{
    int asked = 0;
    TScopedMsgSink answer(
        [&](const std::string&, const std::string&, unsigned) {
            ++asked;
            return IDCANCEL;
        },
        [](unsigned) {});
    form_->Editor1.SetModified(true);
    {
        TDocumentBusy busy;  // a save in progress pumps this message
        SendMessageA(form_->Window(), WM_CLOSE, 0, 0);
        EXPECT_EQ(asked, 0);
    }
    {
        TToolWait tool;  // a tool still works on the document
        SendMessageA(form_->Window(), WM_CLOSE, 0, 0);
        EXPECT_EQ(asked, 0);
    }
    SendMessageA(form_->Window(), WM_CLOSE, 0, 0);  // Cancel keeps the window
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(IsWindow(form_->Window()));
    // The task bar's Close reaches the application window: it asks the same
    // question instead of destroying the window with its owner.
    SendMessageA(ApplicationWindow(), WM_CLOSE, 0, 0);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    EXPECT_EQ(asked, 2);
    EXPECT_TRUE(IsWindow(ApplicationWindow()));
    EXPECT_TRUE(IsWindow(form_->Window()));
    // A drop handle forged by another process is not read.
    const std::string before = Document().CurrentFileName;
    SendMessageA(form_->Window(), WM_DROPFILES, 0x12345678, 0);
    EXPECT_EQ(Document().CurrentFileName, before);
    form_->Editor1.SetModified(false);
}

HDROP MakeDrop(const std::string& list)
{
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + list.size());
    auto* df = static_cast<DROPFILES*>(GlobalLock(mem));
    df->pFiles = sizeof(DROPFILES);
    std::memcpy(reinterpret_cast<char*>(df) + sizeof(DROPFILES), list.data(), list.size());
    GlobalUnlock(mem);
    return reinterpret_cast<HDROP>(mem);
}

TEST_F(MainFormTest, DroppedFilesOpenHereOnceThenInNewInstances)
{
    using namespace std::string_literals;
    const fs::path a = folder_ / "a.txt", b = folder_ / "b.txt";
    std::ofstream(a, std::ios::binary) << "a\r\n";
    std::ofstream(b, std::ios::binary) << "b\r\n";
    TProcessRecorder started;
    TScopedMsgSink quiet([](const std::string&, const std::string&, unsigned) { return IDNO; }, [](unsigned) {});
    // A list that does not end inside its block is not read.
    HDROP cut = MakeDrop(a.string());
    SendMessageA(form_->Window(), WM_DROPFILES, reinterpret_cast<WPARAM>(cut), 0);
    EXPECT_TRUE(started.starts.empty());
    GlobalFree(reinterpret_cast<HGLOBAL>(cut));

    Document().CurrentFileName.clear();
    form_->Editor1.SetModified(false);
    SendMessageA(form_->Window(), WM_DROPFILES,
                 reinterpret_cast<WPARAM>(MakeDrop(a.string() + "\0"s + b.string() + "\0\0"s)), 0);
    EXPECT_EQ(Document().CurrentFileName, a.string());
    ASSERT_EQ(started.starts.size(), 1u);
    // This instance's settings folder goes with the file.
    const std::string& line = started.starts[0].commandLine;
    EXPECT_NE(line.find(" \"/i=" + form_->IniFolder + "\" \"" + b.string() + "\""), std::string::npos) << line;
    // A name longer than a path may be is skipped, never cut into the name
    // of another file; the others keep their turn.
    const std::string longName = folder_.string() + "\\" + std::string(300, 'x') + ".txt";
    started.starts.clear();
    SendMessageA(form_->Window(), WM_DROPFILES,
                 reinterpret_cast<WPARAM>(MakeDrop(longName + "\0"s + b.string() + "\0"s + a.string() + "\0\0"s)), 0);
    ASSERT_EQ(started.starts.size(), 2u);
    EXPECT_NE(started.starts[0].commandLine.find(b.string()), std::string::npos);
    EXPECT_NE(started.starts[1].commandLine.find(a.string()), std::string::npos);
    // Nothing is taken while a document operation runs or a tool is waited for.
    started.starts.clear();
    {
        TDocumentBusy busy;
        SendMessageA(form_->Window(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(b.string() + "\0\0"s)), 0);
    }
    {
        TToolWait tool;
        SendMessageA(form_->Window(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(b.string() + "\0\0"s)), 0);
    }
    EXPECT_TRUE(started.starts.empty());
}

TEST_F(MainFormTest, ShowingWorkRunsOnce)
{
    // A folder argument runs the open dialog at the first showing only.
    int dialogs = 0;
    TFileDialog::SetScript([&](TFileDialog&) {
        ++dialogs;
        return TFileDialogAnswer{};
    });
    const std::string name = Document().CurrentFileName;
    Document().CurrentFileName.clear();
    form_->StartFolder = folder_.string();
    form_->ShowMainForm();
    EXPECT_TRUE(form_->EndingWithoutShowing());
    EXPECT_FALSE(IsWindowVisible(form_->Window()));  // nothing opened: never shown
    form_->StartFolder = folder_.string();
    form_->ShowMainForm();
    EXPECT_EQ(dialogs, 1);
    EXPECT_TRUE(IsWindowVisible(form_->Window()));
    // Minimizing the window minimizes the application and leaves the form restored.
    ShowWindow(form_->Window(), SW_SHOWNORMAL);
    ShowWindow(form_->Window(), SW_MINIMIZE);
    EXPECT_FALSE(IsIconic(form_->Window()));
    EXPECT_TRUE(IsIconic(ApplicationWindow()));
    ShowWindow(ApplicationWindow(), SW_RESTORE);
    Document().CurrentFileName = name;
    TFileDialog::SetScript(nullptr);
    MSG m;  // the quit that nothing-opened posts
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {}
    ShowWindow(form_->Window(), SW_HIDE);
}

} // namespace

namespace {

HWND MakeWindowOfClass(const char* cls)
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = cls;
    RegisterClassA(&wc);
    return CreateWindowExA(0, cls, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance, nullptr);
}

TEST(DialogPlacement, AnchorsOnlyOnThisThreadsWindows)
{
    EXPECT_EQ(DialogAnchorClass("ファイルを開く"), std::string("TVellumoMainForm"));
    EXPECT_EQ(DialogAnchorClass("実行ファイルを選択"), std::string("TToolEditFrm"));
    EXPECT_EQ(DialogAnchorClass("開く"), nullptr);
    // Another thread's (or process's) window of the class is never taken.
    HANDLE made = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HWND foreign = nullptr;
    std::thread other([&] {
        foreign = MakeWindowOfClass("TOptionForm");
        SetEvent(made);
        WaitForSingleObject(done, 10000);
        DestroyWindow(foreign);
    });
    WaitForSingleObject(made, 10000);
    ASSERT_NE(foreign, nullptr);
    EXPECT_EQ(DialogAnchorWindow("色設定ファイルの保存"), nullptr);
    HWND own = MakeWindowOfClass("TOptionForm");
    EXPECT_EQ(DialogAnchorWindow("色設定ファイルの保存"), own);
    SetEvent(done);
    other.join();
    DestroyWindow(own);
    CloseHandle(made);
    CloseHandle(done);
}

} // namespace

TEST_F(MainFormTest, FindNextReadsTheSearchOptionsAsTheDialogsDo)
{
    // Values other than 0 and 1 read one way everywhere: a ticked box is a
    // case-sensitive search, any direction but up searches down.
    const std::string saved = form_->IniPath;
    form_->IniPath = (folder_ / "search.ini").string();
    std::ofstream(form_->IniPath, std::ios::binary) << "[SearchOptions]\r\nMatchCase=2\r\nDirection=2\r\n";
    const TSearchOptions dialog = ReadSearchOptions(form_->IniPath);
    form_->LoadSearchState();
    EXPECT_TRUE(dialog.MatchCase);
    EXPECT_EQ(dialog.Direction, 1);
    EXPECT_TRUE(form_->SearchFlags & sfMatchCase);
    EXPECT_TRUE(form_->SearchFlags & sfDown);

    // The placement goes through the same rows: a maximised window keeps
    // the bounds it had.
    TMemIniFile ini(form_->IniPath);
    WriteWindowPlacementSettings(ini, {640, 480, 10, 20, false});
    WriteWindowPlacementSettings(ini, {1, 1, 0, 0, true});
    EXPECT_EQ(ini.ReadInteger("TVellumoMainForm", "WindowWidth", 0), 640);
    EXPECT_EQ(ini.ReadInteger("TVellumoMainForm", "WindowLeft", 0), 20);
    EXPECT_TRUE(ini.ReadBool("TVellumoMainForm", "WindowMax", false));
    form_->IniPath = saved;
}
