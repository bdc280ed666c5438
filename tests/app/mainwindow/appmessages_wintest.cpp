// The window messages of other programs on a real main window, in the
// states a sender cannot bring about from outside: a document operation
// running, a tool waited for, a modal dialog open; the editor's own edit
// messages under the same rule; and the save dialog's read-only refusal.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "app/integration/appmessages.h"
#include "app/core/reloadini.h"
#include "app/startup/instances.h"
#include "base/showmsg.h"
#include "suiteform_win.h"

using namespace vellumo;
using namespace vellumo::testing;
namespace fs = std::filesystem;

namespace {

class AppMessagesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        folder_ = fs::temp_directory_path() / "vellumo_appmessages_test";
        form_ = MakeSuiteForm(folder_, false);
    }
    static void TearDownTestSuite() { FreeSuiteForm(form_, folder_); }
    void SetUp() override
    {
        form_->Editor1.SetReadOnly(false);
        Document().ReadOnlyLocked = false;
        Send(WM_SETTEXT, 0, "one\r\ntwo\r\nthree\r\n", form_->Editor1.Handle());
        form_->Editor1.SetModified(false);
        // Fakes that record what the messages ask of the document.
        TDocumentFunctions& d = form_->Documents;
        d.SaveFile = [this](const std::string& n, bool) {
            calls_.push_back("save " + n);
            return true;
        };
        d.OpenFile = [this](const std::string& n) {
            calls_.push_back("open " + n);
            return true;
        };
        d.NeedsSaveAs = [] { return false; };
        d.QuerySaveChanges = [this] {
            calls_.push_back("ask");
            return TSaveAnswer::Cancel;
        };
    }
    void TearDown() override { ConnectDocumentFunctions(*form_); }

    static LRESULT Send(UINT msg, WPARAM wp = 0, const char* text = nullptr, HWND to = nullptr)
    {
        return SendMessageA(to ? to : form_->Window(), msg, wp, reinterpret_cast<LPARAM>(text));
    }
    static LRESULT SendValue(UINT msg, WPARAM wp, LPARAM lp) { return SendMessageA(form_->Window(), msg, wp, lp); }
    static std::string Text() { return form_->Editor1.Lines().Text(); }

    // A mapping under the name the window opens, holding the text.
    struct TMapping {
        explicit TMapping(const std::string& text)
        {
            const std::string name = MappingName(reinterpret_cast<std::uintptr_t>(form_->Window()));
            h = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 4096, name.c_str());
            view = static_cast<char*>(MapViewOfFile(h, FILE_MAP_WRITE, 0, 0, 0));
            std::memcpy(view, text.data(), text.size());
        }
        ~TMapping()
        {
            UnmapViewOfFile(view);
            CloseHandle(h);
        }
        HANDLE h;
        char* view;
    };

    static TVellumoMainForm* form_;
    static fs::path folder_;
    std::vector<std::string> calls_;
};
TVellumoMainForm* AppMessagesTest::form_ = nullptr;
fs::path AppMessagesTest::folder_;

TEST_F(AppMessagesTest, WhileADocumentOperationRunsEveryMessageAnswersZeroAndDoesNothing)
{
    const fs::path file = folder_ / "named.txt";
    std::ofstream(file, std::ios::binary) << "x\r\n";
    Document().CurrentFileName = file.string();
    form_->Editor1.SetModified(true);
    TMapping map("new text");
    const std::string before = Text();
    {
        TDocumentBusy busy;
        EXPECT_EQ(SendValue(WM_APP_GETROWCOUNT, 0, 0), 0);
        EXPECT_EQ(SendValue(WM_APP_GETEDITWND, 0, 0), 0);
        EXPECT_EQ(SendValue(WM_APP_SETTEXT, 0, 8), 0);
        EXPECT_EQ(SendValue(WM_APP_GETTEXT, 0, 0), 0);
        SendValue(WM_JUMPLINE, 3, 0);
        SendValue(WM_JUMPEND, 1, 0);
        SendValue(WM_APP_SETSEL, 0, -1);
        SendValue(WM_APP_SAVE, 0, 0);
        SendValue(WM_APP_OPENFILE, 0, GlobalAddAtomA(file.string().c_str()));
        // The editor's own edit messages wait too, from any sender.
        EXPECT_EQ(Send(WM_SETTEXT, 0, "replaced", form_->Editor1.Handle()), FALSE);
        Send(EM_REPLACESEL, TRUE, "typed", form_->Editor1.Handle());
        EXPECT_EQ(Send(EM_UNDO, 0, nullptr, form_->Editor1.Handle()), FALSE);
        EXPECT_EQ(Text(), before);
        EXPECT_EQ(form_->Editor1.Row(), 0);
        EXPECT_FALSE(form_->Editor1.Selected());
        EXPECT_TRUE(calls_.empty());
        GlobalDeleteAtom(static_cast<ATOM>(GlobalFindAtomA(file.string().c_str())));
    }
    // Afterwards the same messages act.
    EXPECT_GT(SendValue(WM_APP_GETROWCOUNT, 0, 0), 0);
    SendValue(WM_JUMPLINE, 3, 0);
    EXPECT_EQ(form_->Editor1.Row(), 2);
    EXPECT_EQ(SendValue(WM_APP_SETTEXT, 0, 8), 1);
    EXPECT_EQ(Text(), "new text");
    EXPECT_EQ(Send(EM_UNDO, 0, nullptr, form_->Editor1.Handle()), TRUE);
    EXPECT_EQ(Text(), before);
    SendValue(WM_APP_SAVE, 0, 0);
    EXPECT_EQ(calls_, std::vector<std::string>{"save " + file.string()});
    Document().CurrentFileName.clear();
}

TEST_F(AppMessagesTest, AWaitedForToolOrAModalDialogKeepsTheDocumentButLetsTheTextMessagesThrough)
{
    const fs::path file = folder_ / "other.txt";
    std::ofstream(file, std::ios::binary) << "other\r\n";
    Document().CurrentFileName = (folder_ / "named.txt").string();
    const fs::path otherIni = folder_ / "ini2";
    fs::create_directories(otherIni);
    for (int state = 0; state < 2; ++state) {
        SCOPED_TRACE(state == 0 ? "tool" : "disabled");
        const std::string text = state == 0 ? "tool text" : "modal text";
        TMapping map(text);
        std::optional<TToolWait> tool;
        if (state == 0)
            tool.emplace();
        else
            EnableWindow(form_->Window(), FALSE);
        const ATOM name = GlobalAddAtomA(file.string().c_str());
        SendValue(WM_APP_OPENFILE, 0, name);
        SendValue(WM_APP_SAVE, 0, 0);
        const ATOM ini = GlobalAddAtomA(otherIni.string().c_str());
        const std::string iniPath = form_->IniPath;
        SendValue(WM_APP_SETINIFOLDER, 0, ini);
        EXPECT_EQ(form_->IniPath, iniPath);
        EXPECT_TRUE(calls_.empty());
        // The tool edits through the window's handle.
        EXPECT_EQ(SendValue(WM_APP_SETTEXT, 0, static_cast<LPARAM>(text.size())), 1);
        EXPECT_EQ(Text(), text);
        tool.reset();
        EnableWindow(form_->Window(), TRUE);
        GlobalDeleteAtom(name);
        GlobalDeleteAtom(ini);
    }
    Document().CurrentFileName.clear();
}

TEST_F(AppMessagesTest, OpenFileChecksTheNameBeforeAskingToSave)
{
    form_->Editor1.SetModified(true);
    const fs::path file = folder_ / "to open.txt";
    std::ofstream(file, std::ios::binary) << "x\r\n";
    for (const std::string& bad : {folder_.string(), std::string("to open.txt"), (folder_ / "missing.txt").string(),
                                   (folder_ / "nul").string(), std::string()}) {
        SendValue(WM_APP_OPENFILE, 0, bad.empty() ? 0 : GlobalAddAtomA(bad.c_str()));
        if (!bad.empty()) {
            EXPECT_EQ(GlobalFindAtomA(bad.c_str()), 0) << bad;  // read and deleted all the same
        }
    }
    SendValue(WM_APP_OPENFILE, 0, 0xC000 - 1);
    EXPECT_TRUE(calls_.empty());
    // A plain file: the question first, and Cancel opens nothing.
    SendValue(WM_APP_OPENFILE, 0, GlobalAddAtomA(file.string().c_str()));
    EXPECT_EQ(calls_, std::vector<std::string>{"ask"});
    form_->Documents.QuerySaveChanges = [] { return TSaveAnswer::No; };
    calls_.clear();
    SendValue(WM_APP_OPENFILE, 0, GlobalAddAtomA(file.string().c_str()));
    EXPECT_EQ(calls_, std::vector<std::string>{"open " + file.string()});
}

TEST_F(AppMessagesTest, ABoxSelectionIsReadAsRowsAndReplacedAsABox)
{
    TEditor& ed = form_->Editor1;
    ed.Lines().SetText("abcdef\r\nghijkl\r\n");
    ed.SetSelectionMode(smBox);
    EXPECT_EQ(SendValue(WM_APP_GETSELMODE, 0, 0), -1);  // box mode with nothing selected
    ed.SetCaretRowCol(0, 1);
    ed.ExtendBoxSelection(VK_RIGHT);
    ed.ExtendBoxSelection(VK_RIGHT);
    EXPECT_EQ(SendValue(WM_APP_GETSELMODE, 0, 0), 1);
    {
        TMapping map("");
        ASSERT_EQ(SendValue(WM_APP_GETTEXT, 1, 0), 1);
        EXPECT_STREQ(map.view, "bc\r\n");  // one row, ended too
        ed.ExtendBoxSelection(VK_DOWN);
        ASSERT_EQ(SendValue(WM_APP_GETTEXT, 1, 0), 1);
        EXPECT_STREQ(map.view, "bc\r\nhi\r\n");
    }
    TMapping map("XY\r\nZW\r\n");
    EXPECT_EQ(SendValue(WM_APP_SETTEXT, 1, 8), 1);
    EXPECT_EQ(Text(), "aXYdef\r\ngZWjkl\r\n");
    ed.SetSelectionMode(smNormal);
}

TEST_F(AppMessagesTest, NoMessageClearsADocumentTheProgramLocked)
{
    form_->Editor1.SetReadOnly(true);
    Document().ReadOnlyLocked = true;
    EXPECT_EQ(Send(EM_SETREADONLY, FALSE, nullptr, form_->Editor1.Handle()), FALSE);
    EXPECT_TRUE(form_->Editor1.ReadOnly());
    TMapping map("changed");
    EXPECT_EQ(SendValue(WM_APP_SETTEXT, 1, 7), 0);
    EXPECT_EQ(Text(), "one\r\ntwo\r\nthree\r\n");
    // Read-only by the user's own choice, it may be cleared.
    Document().ReadOnlyLocked = false;
    EXPECT_EQ(Send(EM_SETREADONLY, FALSE, nullptr, form_->Editor1.Handle()), TRUE);
    EXPECT_FALSE(form_->Editor1.ReadOnly());
}

TEST_F(AppMessagesTest, TheSaveDialogRefusesReadOnlyTargets)
{
    const fs::path locked = folder_ / "locked.txt", free = folder_ / "free.txt";
    std::ofstream(locked, std::ios::binary) << "x\r\n";
    SetFileAttributesA(locked.string().c_str(), FILE_ATTRIBUTE_READONLY);
    std::vector<std::string> shown;
    TScopedMsgSink record(
        [&](const std::string& text, const std::string&, unsigned) {
            shown.push_back(text);
            return IDOK;
        },
        [](unsigned) {});
    std::vector<std::string> answers = {locked.string(), free.string()};
    std::size_t asked = 0;
    TFileDialog::SetScript([&](TFileDialog&) {
        return asked < answers.size() ? TFileDialogAnswer{true, answers[asked++]} : TFileDialogAnswer{};
    });
    std::string name;
    const bool ok = form_->RunSaveDialog(folder_.string(), name);
    TFileDialog::SetScript(nullptr);
    SetFileAttributesA(locked.string().c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_TRUE(ok);
    EXPECT_EQ(name, free.string());
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], "上書き保存は禁止されています。\r\n書き換え禁止が指定されているか、読み取り専用ファイルです。");
}

} // namespace
