// Applying settings to a real pair of editors through a fake main window:
// every group arrives, out-of-range values are clamped, the mode's keyword
// file reaches the editors, the undo list's clear reaches the tool bar, and
// the re-read notice reaches the other instances only.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "app/core/appcontext.h"
#include "app/core/applysettings.h"
#include "app/window/editmodes.h"
#include "app/core/reloadini.h"
#include "settings/settingsstore.h"
#include "base/filebytes.h"
#include "support/tempfolder.h"
#include "support/winsupport_win.h"
#include "editor/editor_win.h"
#include "editor/editprop.h"
#include "editor/parsersettings.h"
#include "support/test_machine.h"

using namespace vellumo;
using namespace vellumo::testing;

namespace {

const bool kNoUnscriptedBoxes = (SetMsgSink(&UnexpectedMessage), SetBeepSink([](unsigned) {}), true);

std::unique_ptr<TEditor> MakeHiddenEditor()
{
    auto e = std::make_unique<TEditor>();
    e->SetVisible(false);
    e->SetBounds(0, 0, 400, 300);
    e->HandleNeeded();
    return e;
}

HWND MakeWindow(const char* cls)
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = cls;
    RegisterClassA(&wc);  // the second registration fails harmlessly
    return CreateWindowA(cls, "", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr, wc.hInstance, nullptr);
}

class TFakeMainWindow : public IMainWindow {
public:
    TFakeMainWindow() : own(MakeWindow(kMainFormClassName)), editor1(MakeHiddenEditor()) {}
    ~TFakeMainWindow() override { DestroyWindow(own); }

    void Split()
    {
        editor2 = MakeHiddenEditor();
        editor2->ShareScreenList(editor1.get());
    }

    void* Handle() override { return own; }
    bool Showing() const override { return true; }
    TEditor& ActiveEditor() override { return editor2 ? *editor2 : *editor1; }
    TEditor& MainEditor() override { return *editor1; }
    TEditor* SplitEditor() override { return editor2.get(); }
    void SetPanelText(int panel, const std::string& text) override { panels[panel] = text; }
    void SetCaptions(const std::string&, const std::string&) override {}
    void SetOpenFileNameText(const std::string&) override {}
    void SetDialogFileNames(const std::string&) override {}
    void AddRecentFile(const std::string&) override {}
    void UpdateToolBarState() override { ++toolBarUpdates; }
    void EditModeFromFileName(const std::string& name) override { vellumo::EditModeFromFileName(name); }
    TEditorProp& EditorProp1() override { return prop; }
    void ApplyWindowSettings(const TWindowSettings& w) override
    {
        window = *w.Settings;
        openFilter = w.OpenFilter;
        initialDir = w.SetInitialDir ? w.InitialDir : "(none)";
        ++windowApplies;
    }
    void SetFileDialogFilterIndex(int open, int save) override { openIndex = open, saveIndex = save; }
    void SaveViewState(bool) override { ++viewSaves; }
    void RestoreViewState(bool) override { ++viewRestores; }
    void UpdateCodeStatus() override {}
    void SetClipboardWatcherIgnoreFirst(bool) override {}
    void PlacePopupToolMenu(bool) override {}
    void UpdateBrowserMenus() override {}
    void RebuildSettingsMenus() override { ++menusRebuilt; }
    void UpdateCaptionAndPosition() override { ++captions; }
    // Saving and opening: not what these tests look at.
    bool StatusAutoHint() override { return true; }
    void SetStatusAutoHint(bool) override {}
    void RepaintStatusBar() override {}
    bool RunSaveDialog(const std::string&, std::string&) override { return false; }
    void ProcessMessages() override {}
    bool ReplaceBusy() override { return false; }
    void SetToolBarButtons(const TToolBarState&) override {}
    void EndWithoutShowing() override {}
    void BringApplicationForward() override {}
    bool RunOpenDialog() override { return false; }
    bool OpenDialogReadOnlyChecked() override { return false; }
    void ApplyEditModeSwitch(int) override {}
    void WrapChanged() override {}

    HWND own;
    std::unique_ptr<TEditor> editor1, editor2;
    TEditorProp prop;
    std::map<int, std::string> panels;
    TAppSettings window;
    std::string openFilter, initialDir;
    int toolBarUpdates = 0, windowApplies = 0, openIndex = 0, saveIndex = 0, viewSaves = 0, viewRestores = 0;
    int menusRebuilt = 0, captions = 0;
};

// A settings file in a fresh folder, a store on it, and the fake window installed.
struct TWorld {
    TTempFolder dir;
    TFakeMachine machine;
    TSettingsStore store;
    TFakeMainWindow form;
    explicit TWorld(const std::string& ini) : store(dir.File("v.ini"), machine)
    {
        EXPECT_TRUE(ReplaceFileBytes(store.Path(), ini));
        EXPECT_TRUE(store.LoadSettings());
        SetAppSettingsStore(&store);
        SetMainForm(&form);
        Document() = TDocumentState{};
        SetCurrentEditMode(emStandard);
        InstallAppEditorHost();
    }
    ~TWorld()
    {
        SetMainForm(nullptr);
        SetAppSettingsStore(nullptr);
        SetEditorHost(nullptr);
    }
};

const char kIni[] =
    "[Option]\r\nTabSpaceCount=3\r\nWordWrap=1\r\nWrapCount=60\r\nFontName=ＭＳ ゴシック\r\nFontSize=9999\r\n"
    "LinePitch=99\r\nCharPitch=2\r\nUndoMax=300\r\nUserWindowPos_X=-99999\r\nUserWindowSize_W=99999\r\n"
    "DefEditMode=8\r\nDefDir=%SystemRoot%\\x\r\nDefDirOn=1\r\nNoLButtonImeEnter=1\r\nLinkWord=0\r\n"
    "ScrollBar_Yoko=0\r\n"
    "[Color]\r\nBk=clYellow\r\nCpp_KeyWord=clRed\r\nCpp_Comment=clLime\r\n"
    "[JCode]\r\nNewCode=2\r\nNewRetCode=2\r\n"
    "[LeftBarAndRuler]\r\nLeftBar=1\r\nRuler=0\r\nLeftBarColumn=6\r\n"
    "[OptionEx]\r\nUrlChars=!\r\n";

TEST(ApplySettingsWin, StartupAppliesEveryGroupToTheEditorAndClamps)
{
    TWorld w(kIni);
    ASSERT_TRUE(ReplaceFileBytes(w.dir.File("cpp.kwd"), "zeta\r\nalpha\r\n"));
    ApplySettings(true, true);

    TEditor& e = *w.form.editor1;
    EXPECT_EQ(CurrentEditMode(), emCpp);  // DefEditMode 8 is C/C++ in list order
    EXPECT_TRUE(Document().DocumentCode == ccEuc && Document().DocumentLineEnd == leLf);
    EXPECT_EQ(e.Caret().TabSpaceCount(), 3);
    EXPECT_EQ(e.WrapOption().WrapByte(), 60);
    EXPECT_EQ(e.Font().Size(), kMaxFontSize);
    EXPECT_EQ(e.Margin().Line(), kMaxLinePitch);  // the margin itself would take 99
    EXPECT_EQ(e.UndoListMax(), 300);
    EXPECT_EQ(e.Color(), clYellow);
    EXPECT_EQ(e.ScrollBars(), ssVertical);
    // The mode's syntax and the keyword file reached the editor.
    ASSERT_EQ(e.View().Brackets().Count(), 1);
    EXPECT_EQ(e.View().Brackets()[0].ItemColor().Color(), clLime);
    EXPECT_EQ(e.ReserveWordList().Count(), 2);
    EXPECT_TRUE(e.ReserveWordList().Contains("zeta"));
    EXPECT_EQ(e.View().Colors().Reserve().Color(), clRed);
    EXPECT_TRUE(GlobalParserSettings().UrlCharSet.Contains('!'));
    EXPECT_TRUE(EditorHostValues().NoLButtonImeEnter);
    // The window's share, clamped to the screen.
    ASSERT_EQ(w.form.windowApplies, 1);
    const TScreenArea area = VirtualScreenArea();
    EXPECT_EQ(w.form.window.Option.UserWindowPos_X, area.Left);
    EXPECT_EQ(w.form.window.Option.UserWindowSize_W, area.Width);
    EXPECT_NE(w.form.openFilter.find("C/C++ファイル(*.c,*.cpp,*.h)"), std::string::npos);
    EXPECT_EQ(w.form.initialDir.find('%'), std::string::npos);
    EXPECT_TRUE(w.form.openIndex == 9 && w.form.saveIndex == 10);
    EXPECT_EQ(w.form.panels[2] + w.form.panels[3] + w.form.panels[7], "C/C++[60]挿入");
    EXPECT_EQ(w.form.viewSaves, 0);  // not at start-up
}

TEST(ApplySettingsWin, ReapplyReachesBothPanesAndKeepsTheView)
{
    TWorld w(kIni);
    w.form.Split();
    ApplySettings(false, false);
    EXPECT_TRUE(w.form.viewSaves == 1 && w.form.viewRestores == 1);
    for (TEditor* e : {w.form.editor1.get(), w.form.editor2.get()}) {
        EXPECT_EQ(e->Caret().TabSpaceCount(), 3);
        EXPECT_EQ(e->UndoListMax(), 300);
        EXPECT_EQ(e->Color(), clYellow);
    }

    // The undo list's clear hook reaches the tool bar, also through the shared store.
    const int before = w.form.toolBarUpdates;
    w.form.editor1->Store().UndoObj().Clear();
    EXPECT_EQ(w.form.toolBarUpdates, before + 1);

    // A file name chooses the mode; the editor's own changes survive the
    // re-assign, and an edited keyword file counts at once.
    ASSERT_TRUE(ReplaceFileBytes(w.dir.File("ruby.kwd"), "one\r\n"));
    w.form.editor2->Caret().SetTabSpaceCount(2);
    EditModeFromFileName("C:\\a\\b.rb");
    EXPECT_EQ(CurrentEditMode(), emRuby);
    EXPECT_EQ(w.form.panels[2], "Ruby");
    for (TEditor* e : {w.form.editor1.get(), w.form.editor2.get()}) {
        EXPECT_EQ(e->View().Brackets().Count(), 9);
        EXPECT_EQ(e->View().RubyCommenter(), "#");
        EXPECT_EQ(e->Caret().TabSpaceCount(), 2);
        ASSERT_EQ(e->ReserveWordList().Count(), 1);
    }
}

TEST(ApplySettingsWin, NoticeReachesOtherEnabledInstancesWhichReread)
{
    TWorld w(kIni);
    HWND other = MakeWindow(kMainFormClassName);
    HWND disabled = MakeWindow(kMainFormClassName);
    HWND stranger = MakeWindow("TVellumoMainFormX");
    EnableWindow(disabled, FALSE);
    PumpMessages();

    EXPECT_EQ(BroadcastReloadSettings(), 1);
    MSG msg;
    EXPECT_TRUE(PeekMessageA(&msg, other, WM_RELOADINI, WM_RELOADINI, PM_REMOVE));
    EXPECT_TRUE(msg.wParam == 0 && msg.lParam == 0);
    EXPECT_FALSE(PeekMessageA(&msg, disabled, WM_RELOADINI, WM_RELOADINI, PM_REMOVE));
    EXPECT_FALSE(PeekMessageA(&msg, stranger, WM_RELOADINI, WM_RELOADINI, PM_REMOVE));
    EXPECT_FALSE(PeekMessageA(&msg, w.form.own, WM_RELOADINI, WM_RELOADINI, PM_REMOVE));

    // A successful save tells the others; the receiver re-reads and applies.
    InstallReloadBroadcast(w.store);
    w.store.Settings.Option.TabSpaceCount = 4;
    EXPECT_TRUE(SaveAndApplySettings());
    EXPECT_TRUE(PeekMessageA(&msg, other, WM_RELOADINI, WM_RELOADINI, PM_REMOVE));
    EXPECT_EQ(w.form.editor1->Caret().TabSpaceCount(), 4);

    // Put off while a document operation runs, done once it has ended.
    ASSERT_TRUE(ReplaceFileBytes(w.store.Path(), "[Option]\r\nTabSpaceCount=5\r\n"));
    {
        TDocumentBusy busy;
        HandleReloadIni();
        EXPECT_EQ(w.form.editor1->Caret().TabSpaceCount(), 4);
    }
    for (int i = 0; i < 100 && w.form.menusRebuilt == 0; ++i) Sleep(10), PumpMessages();
    EXPECT_EQ(w.form.editor1->Caret().TabSpaceCount(), 5);
    EXPECT_EQ(w.form.menusRebuilt, 1);
    EXPECT_EQ(w.form.captions, 1);

    // A file caught unreadable keeps this window's settings.
    std::filesystem::remove(w.store.Path());
    std::filesystem::create_directory(w.store.Path());
    HandleReloadIni();
    EXPECT_EQ(w.store.Settings.Option.TabSpaceCount, 5);
    EXPECT_EQ(w.form.menusRebuilt, 1);

    // OK with a file that cannot be written: applied here all the same, the
    // user told, nobody else notified.
    w.store.Settings.Option.TabSpaceCount = 6;
    {
        TMsgRecorder rec;
        EXPECT_FALSE(SaveAndApplySettings());
        ASSERT_EQ(rec.messages.size(), 1u);
        EXPECT_NE(rec.messages[0].text.find(w.store.Path()), std::string::npos);
        EXPECT_NE(rec.messages[0].text.find("このウィンドウにだけ"), std::string::npos);
        // A menu toggle's failed write says the same; a skipped one says nothing.
        EXPECT_FALSE(ReportSettingsWrite(w.store.SaveOptionBool("Option", "StatusBar", true)));
        EXPECT_TRUE(ReportSettingsWrite(TSaveResult::Skipped));
        EXPECT_EQ(rec.messages.size(), 2u);
    }
    EXPECT_EQ(w.form.editor1->Caret().TabSpaceCount(), 6);
    EXPECT_FALSE(PeekMessageA(&msg, other, WM_RELOADINI, WM_RELOADINI, PM_REMOVE));

    // A read-only file: the store's own message is the only one.
    std::filesystem::remove(w.store.Path());
    ASSERT_TRUE(ReplaceFileBytes(w.store.Path(), "[Option]\r\n"));
    SetFileAttributesA(w.store.Path().c_str(), FILE_ATTRIBUTE_READONLY);
    w.store.Settings.Option.TabSpaceCount = 7;
    {
        TMsgRecorder rec;
        EXPECT_FALSE(SaveAndApplySettings());
        EXPECT_FALSE(ReportSettingsWrite(w.store.SaveOptionBool("Option", "StatusBar", true)));
        ASSERT_EQ(rec.messages.size(), 1u);
        EXPECT_NE(rec.messages[0].text.find("読み取り専用"), std::string::npos);
    }
    EXPECT_EQ(w.form.editor1->Caret().TabSpaceCount(), 7);
    SetFileAttributesA(w.store.Path().c_str(), FILE_ATTRIBUTE_NORMAL);

    DestroyWindow(other);
    DestroyWindow(disabled);
    DestroyWindow(stranger);
}

} // namespace
