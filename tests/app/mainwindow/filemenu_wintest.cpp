// Every File-menu item and the File tool buttons on a real main window, in
// each state a document can be in: the item's menu opens first (its opening
// handler enables by the state), then a user clicks what is enabled. The
// document functions are fakes that record what ran; closing is recorded,
// not done.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/commands/commands_win.h"
#include "app/core/appfuncs.h"
#include "app/core/readonlyrule.h"
#include "app/document/docopen.h"
#include "app/window/toolbar.h"
#include "base/showmsg.h"
#include "classlib/form_win.h"
#include "dialogs/code/jcodedlg_win.h"
#include "support/modalscript_win.h"
#include "settings/settingsstore.h"
#include "suiteform_win.h"

using namespace vellumo;
using namespace vellumo::testing;
namespace fs = std::filesystem;

namespace {

// WM_CLOSE recorded and swallowed, so the suite's window lives on.
class TCloseCatcher {
public:
    explicit TCloseCatcher(HWND h) : h_(h)
    {
        self_ = this;
        old_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc)));
    }
    ~TCloseCatcher()
    {
        SetWindowLongPtrA(h_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old_));
        self_ = nullptr;
    }
    std::function<void()> OnClose;

private:
    static LRESULT CALLBACK Proc(HWND h, UINT msg, WPARAM w, LPARAM l)
    {
        if (msg == WM_CLOSE) {
            if (self_->OnClose) self_->OnClose();
            return 0;
        }
        return CallWindowProcA(self_->old_, h, msg, w, l);
    }
    static inline TCloseCatcher* self_ = nullptr;
    HWND h_;
    WNDPROC old_;
};

enum TState { Untitled, Modified, ReadOnly, Locked, Output, Split, SplitReadOnly, StateCount };
const char* const kStateNames[] = {"untitled", "modified", "read-only", "locked", "output", "split", "split read-only"};

class FileMenuTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        folder_ = fs::temp_directory_path() / "vellumo_filemenu_test";
        form_ = MakeSuiteForm(folder_, true);
    }
    static void TearDownTestSuite() { FreeSuiteForm(form_, folder_); }
    void TearDown() override
    {
        if (form_->IsSplit()) form_->Unsplit();
        SetOutputMode(false);
        Document().ReadOnlyLocked = false;
        SetReadOnlyState(false, false);
        form_->Editor1.SetModified(false);
        ConnectDocumentFunctions(*form_);
        TFileDialog::SetScript(nullptr);
    }

    // The fakes: each call leaves a word in log_.
    void InstallFakes()
    {
        TDocumentFunctions& d = form_->Documents;
        d.OpenFile = [this](const std::string& n) { return Log("open:" + fs::path(n).filename().string()), true; };
        d.SaveFile = [this](const std::string&, bool wrap) { return Log(wrap ? "save+wrap" : "save"), true; };
        d.SaveFileAs = [this](bool wrap) { return Log(wrap ? "saveas+wrap" : "saveas"), true; };
        d.NeedsSaveAs = [] { return Document().CurrentFileName.empty(); };
        d.QuerySaveChanges = [this] {
            if (!form_->ActiveEditor().Modified()) return TSaveAnswer::No;
            Log("ask");
            return TSaveAnswer::Yes;
        };
        d.StartNewInstance = [this](const std::string& a) { Log("new:" + a); };
        d.ReloadCommand = [this] { return Log("reload"), true; };
        d.ReloadWithCode = [this](TCharCode c) { return Log("reload:" + std::to_string(c)), true; };
        TFileDialog::SetScript([this](TFileDialog&) { return TFileDialogAnswer{true, (folder_ / "pick.txt").string()}; });
    }

    void SetState(TState s)
    {
        TearDown();
        InstallFakes();
        AppSettingsStore().Settings.Option.ModifiedOnFileSave = true;
        AppSettingsStore().Settings.Option.ToolBarEnabled = true;
        const bool named = s != Untitled && s != Output;
        Document().CurrentFileName = named ? (folder_ / "doc.txt").string() : std::string();
        Document().DocumentCode = ccSjis;
        form_->Editor1.SetWordWrap(true);
        if (s == Output) {
            ASSERT_TRUE(SetOutputMode(true));
        }
        if (s == Split || s == SplitReadOnly) {
            form_->Split();
            ASSERT_TRUE(form_->IsSplit());
            form_->SecondEditor()->SetFocus();
            ASSERT_EQ(&form_->ActiveEditor(), form_->SecondEditor());
        }
        const bool readOnly = s == ReadOnly || s == Locked || s == SplitReadOnly;
        Document().ReadOnlyLocked = s == Locked;
        SetReadOnlyState(readOnly, s == Locked);
        for (TEditor* e : {&form_->Editor1, form_->SecondEditor()})
            if (e) e->SetModified(s == Modified || s == Split);
        log_.clear();
    }

    bool Log(const std::string& word)
    {
        log_ += (log_.empty() ? "" : ",") + word;
        return true;
    }

    static TVellumoMainForm* form_;
    static fs::path folder_;
    std::string log_;
};
TVellumoMainForm* FileMenuTest::form_ = nullptr;
fs::path FileMenuTest::folder_;

// "-": disabled; otherwise what the click ran. Columns by TState.
struct TItemRow {
    const char* item;
    const char* cells[StateCount];
};

// The code dialog offers a new name only (its choice disabled) for a
// read-only document: "dlg!" then, else "dlg".
const TItemRow kItems[] = {
    //                 untitled        modified        read-only       locked          output          split           split read-only
    {"mNew", {"new:", "new:", "new:", "new:", "new:", "new:", "new:"}},
    {"mOpen", {"open:pick.txt", "new:\"PICK\"", "new:\"PICK\"", "new:\"PICK\"", "open:pick.txt", "new:\"PICK\"", "new:\"PICK\""}},
    {"mOpen2", {"open:pick.txt", "ask,save,open:pick.txt", "open:pick.txt", "open:pick.txt", "open:pick.txt",
                "ask,save,open:pick.txt", "open:pick.txt"}},
    {"mReLoad", {"-", "reload", "reload", "reload", "-", "reload", "reload"}},
    {"mReLoad_Sjis", {"-", "-", "-", "-", "-", "-", "-"}},
    {"mReLoad_Jis", {"-", "reload:2", "reload:2", "reload:2", "-", "reload:2", "reload:2"}},
    {"mReLoad_Euc", {"-", "reload:4", "reload:4", "reload:4", "-", "reload:4", "reload:4"}},
    {"mReLoad_Unicode", {"-", "reload:7", "reload:7", "reload:7", "-", "reload:7", "reload:7"}},
    {"mReLoad_UTF8", {"-", "reload:8", "reload:8", "reload:8", "-", "reload:8", "reload:8"}},
    {"mSave", {"-", "save", "-", "-", "-", "save", "-"}},
    {"mSaveAs", {"saveas", "saveas", "saveas", "saveas", "saveas", "saveas", "saveas"}},
    {"mSave2", {"saveas+wrap", "asked,save+wrap", "-", "-", "saveas+wrap", "asked,save+wrap", "-"}},
    {"mSaveAs2", {"saveas+wrap", "saveas+wrap", "saveas+wrap", "saveas+wrap", "saveas+wrap", "saveas+wrap", "saveas+wrap"}},
    {"mSaveExit2", {"saveas+wrap,close", "asked,save+wrap,close", "-", "-", "saveas+wrap,close",
                    "asked,save+wrap,close", "-"}},
    {"mSave_JCode", {"dlg,saveas", "dlg,save", "dlg!,saveas", "dlg!,saveas", "dlg,saveas", "dlg,save", "dlg!,saveas"}},
    {"mSaveExit", {"saveas,close", "save,close", "-", "-", "saveas,close", "save,close", "-"}},
    {"mAppExit", {"close", "close", "close", "close", "close", "close", "close"}},
    // The tool buttons run their items' commands; a disabled one cannot be pressed.
    {"tbNew", {"new:", "new:", "new:", "new:", "new:", "new:", "new:"}},
    {"tbOpen", {"open:pick.txt", "new:\"PICK\"", "new:\"PICK\"", "new:\"PICK\"", "open:pick.txt", "new:\"PICK\"", "new:\"PICK\""}},
    {"tbSave", {"-", "save", "-", "-", "-", "save", "-"}},
};

std::string Expected(const char* cell, const std::string& pick)
{
    std::string s = cell;
    const auto at = s.find("PICK");
    if (at != std::string::npos) s.replace(at, 4, pick);
    return s;
}

TEST_F(FileMenuTest, EveryItemAndButtonInEveryDocumentState)
{
    TCloseCatcher closing(form_->Window());
    closing.OnClose = [this] { Log("close"); };
    TScopedMsgSink answers(
        [this](const std::string& text, const std::string&, unsigned) {
            if (text.find("折り返し") != std::string::npos) Log("asked");
            return IDOK;
        },
        [this](unsigned) { Log("beep"); });
    TScript codeDialog([this](TForm& f) {
        auto* jcode = dynamic_cast<TFormJcode*>(&f);
        if (!jcode) return;
        Log(jcode->Save.Enabled() ? "dlg" : "dlg!");
        f.SetModalResult(mrOk);
    });
    const std::string pick = (folder_ / "pick.txt").string();
    int checked = 0;
    for (int s = 0; s < StateCount; ++s)
        for (const TItemRow& row : kItems) {
            SetState(static_cast<TState>(s));
            if (HasFatalFailure()) return;
            const std::string want = Expected(row.cells[s], pick);
            const std::string name = row.item;
            SCOPED_TRACE(name + " " + kStateNames[s]);
            bool enabled = false;
            if (name.rfind("tb", 0) == 0) {
                UpdateToolBarState();
                enabled = form_->ToolBar1.ButtonEnabled(name);
                if (enabled) {
                    const auto table = ToolButtonTable();
                    UINT id = 0;
                    for (std::size_t i = 0; i < table.size(); ++i)
                        if (name == table[i].Name) id = kFirstToolCommand + static_cast<UINT>(i);
                    NMHDR down{form_->ToolBar1.Handle(), 0, static_cast<UINT>(NM_LDOWN)};
                    SendMessageA(form_->Window(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&down));
                    SendMessageA(form_->Window(), WM_COMMAND, id, reinterpret_cast<LPARAM>(form_->ToolBar1.Handle()));
                }
            } else {
                TMenuItem& item = form_->MainMenuItems.Item(name);
                enabled = RefreshAndCheckEnabled(item);  // its menus open first
                item.Click();                            // does nothing while disabled
            }
            EXPECT_EQ(enabled, want != "-");
            EXPECT_EQ(enabled ? log_ : std::string("-"), want);
            if (!enabled) {
                EXPECT_EQ(log_, "");
            }
            ++checked;
        }
    EXPECT_EQ(checked, StateCount * static_cast<int>(std::size(kItems)));
}

std::string ReadAll(const fs::path& p)
{
    std::ifstream f(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), {}};
}

TEST_F(FileMenuTest, UntickedOpenBoxNeverUnlocksWhatTheLoadLocked)
{
    using namespace std::string_literals;
    // A character the code page cannot hold; the answer No to editing it locks.
    const fs::path noAnsi = folder_ / "wide.txt";
    std::ofstream(noAnsi, std::ios::binary) << "\xFF\xFE" "a\0\x3D\xD8\x00\xDE"s;
    const fs::path plain = folder_ / "plain.txt";
    std::ofstream(plain, std::ios::binary) << "x\r\n";
    const fs::path attr = folder_ / "attr.txt";
    std::ofstream(attr, std::ios::binary) << "y\r\n";
    SetFileAttributesA(attr.string().c_str(), FILE_ATTRIBUTE_READONLY);
    AppSettingsStore().Settings.Option.ChkReadOnlyFile = true;
    TScopedMsgSink no([](const std::string&, const std::string&, unsigned) { return IDNO; }, [](unsigned) {});
    struct Case {
        fs::path file;
        bool ticked;
        const char* panel;
    } cases[] = {{noAnsi, false, "書禁"}, {attr, false, "書禁"}, {plain, false, ""}, {plain, true, "書禁"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file.filename().string() + (c.ticked ? " ticked" : ""));
        TearDown();
        Document().CurrentFileName.clear();
        TFileDialog::SetScript([&](TFileDialog&) { return TFileDialogAnswer{true, c.file.string(), 0, c.ticked}; });
        for (const char* command : {"mOpen", "mOpen2"}) {
            Document().CurrentFileName.clear();
            form_->Editor1.SetModified(false);
            form_->RunNamed(command);
            EXPECT_EQ(Document().CurrentFileName, c.file.string()) << command;
            const bool locked = c.panel[0] != 0;
            EXPECT_EQ(form_->Editor1.ReadOnly(), locked) << command;
            EXPECT_EQ(Document().ReadOnlyLocked, locked) << command;
            EXPECT_EQ(form_->StatusBar1.PanelText(8), c.panel) << command;
            EXPECT_EQ(CanClearReadOnly(), !locked) << command;
        }
    }
    SetFileAttributesA(attr.string().c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(FileMenuTest, SaveWithCodeWritesTheChosenCodeAndCancelKeepsTheDocumentsOwn)
{
    SetState(Modified);
    ConnectDocumentFunctions(*form_);
    const fs::path file = folder_ / "code.txt";
    std::ofstream(file, std::ios::binary) << "\x82\xA0\x95\x5C\r\n";  // あ表
    TScopedMsgSink quiet([](const std::string&, const std::string&, unsigned) { return IDNO; }, [](unsigned) {});
    ASSERT_TRUE(form_->Documents.OpenFile(file.string()));
    TAppJCode& jcode = AppSettingsStore().Settings.JCode;
    jcode.SaveCvt = 0;
    jcode.SaveRetCvt = 0;
    int shown = 0;
    TScript choose([&](TForm& f) {
        auto* d = dynamic_cast<TFormJcode*>(&f);
        if (!d) return;
        ++shown;
        EXPECT_EQ(d->SaveCvt.ItemIndex(), 0);  // the document's own code and line end
        EXPECT_EQ(d->SaveRetCvt.ItemIndex(), 0);
        d->SaveCvt.SetItemIndex(4);             // UTF-8 with its mark
        d->SaveRetCvt.SetItemIndex(2);          // LF
        f.SetModalResult(mrOk);
    });
    form_->MainMenuItems.Item("mSave_JCode").Click();
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(ReadAll(file), "\xEF\xBB\xBF\xE3\x81\x82\xE8\xA1\xA8\n");
    EXPECT_EQ(Document().DocumentCode, ccUtf8);
    EXPECT_EQ(Document().DocumentLineEnd, leLf);
    EXPECT_EQ(jcode.SaveCvt, 0);
    EXPECT_EQ(jcode.SaveRetCvt, 0);

    // Untitled: the save goes through Save As; cancelling it keeps the code.
    Document().CurrentFileName.clear();
    int dialogs = 0;
    TFileDialog::SetScript([&](TFileDialog&) { return ++dialogs, TFileDialogAnswer{}; });
    TScript toEuc([&](TForm& f) {
        if (auto* d = dynamic_cast<TFormJcode*>(&f)) {
            EXPECT_EQ(d->Save.ItemIndex(), 1);  // a new name is what it needs
            d->SaveCvt.SetItemIndex(2);
            f.SetModalResult(mrOk);
        }
    });
    mSave_JCodeClick(*form_);
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(Document().DocumentCode, ccUtf8);
    EXPECT_EQ(Document().DocumentLineEnd, leLf);
    EXPECT_EQ(jcode.SaveCvt, 0);
}

} // namespace
