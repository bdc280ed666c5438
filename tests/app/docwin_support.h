#pragma once
// A main window for the document functions' tests: a real hidden editor,
// recorded panels and captions, a scripted save dialog and message box, and
// a file system that fails the n-th step of a write.
#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/appcontext.h"
#include "app/docsave.h"
#include "app/safewrite.h"
#include "app/settingsstore.h"
#include "classlib/filebytes.h"
#include "classlib/showmsg.h"
#include "classlib/tempfolder.h"
#include "editor/editor.h"
#include "test_machine.h"

namespace vellumo::testing {

class TFakeMainWindow final : public IMainWindow {
public:
    TFakeMainWindow()
    {
        editor.SetVisible(false);
        editor.SetBounds(0, 0, 400, 300);
        editor.HandleNeeded();
    }
    void* Handle() override { return editor.Handle(); }
    bool Showing() const override { return false; }
    TEditor& ActiveEditor() override { return editor; }
    TEditor& MainEditor() override { return editor; }
    TEditor* SplitEditor() override { return nullptr; }
    void SetPanelText(int panel, const std::string& text) override { panels[panel] = text; }
    void SetCaptions(const std::string& c, const std::string&) override { caption = c; }
    void SetOpenFileNameText(const std::string& name) override { openName = name; }
    void SetDialogFileNames(const std::string&) override {}
    void AddRecentFile(const std::string& name) override { recent.push_back(name); }
    void UpdateToolBarState() override {}
    void EditModeFromFileName(const std::string&) override { ++modeChanges; }
    bool StatusAutoHint() override { return autoHint; }
    void SetStatusAutoHint(bool on) override { autoHint = on; }
    void RepaintStatusBar() override {}
    bool RunSaveDialog(const std::string& folder, std::string& fileName) override
    {
        dialogFolder = folder;
        dialogName = fileName;
        if (dialogAnswer.empty()) return false;
        fileName = dialogAnswer;
        return true;
    }
    void ProcessMessages() override {}
    bool ReplaceBusy() override { return false; }
    void SetToolBarButtons(const TToolBarState& s) override { toolBar = s; }
    void EndWithoutShowing() override {}
    void BringApplicationForward() override {}
    bool RunOpenDialog() override { return false; }
    bool OpenDialogReadOnlyChecked() override { return false; }
    void ApplyEditModeSwitch(int) override {}
    void WrapChanged() override {}

    TEditor editor;
    std::map<int, std::string> panels;
    std::string caption, openName, dialogFolder, dialogName, dialogAnswer;
    std::vector<std::string> recent;
    int modeChanges = 0;
    bool autoHint = true;
    TToolBarState toolBar;
};

// Installs the window, a settings store and a message recorder for a test.
class TDocFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        store = std::make_unique<TSettingsStore>(dir.File("v.ini"), machine);
        store->LoadSettings();
        SetAppSettingsStore(store.get());
        SetMainForm(&form);
        Document() = TDocumentState{};
        oldSink = SetMsgSink([this](const std::string& text, const std::string&, unsigned flags) {
            messages.push_back(text);
            flagsSeen.push_back(flags);
            if (answers.empty()) return 1;
            const int a = answers.front();
            answers.erase(answers.begin());
            return a;
        });
    }
    void TearDown() override
    {
        UnlockOpenFile();
        SetSaveFileSystem(nullptr);
        SetMsgSink(oldSink);
        SetMainForm(nullptr);
        SetAppSettingsStore(nullptr);
    }
    TAppSettings& Settings() { return store->Settings; }
    // Text into the editor as a user's edit.
    void Edit(const std::string& text)
    {
        form.editor.Lines().SetText(text);
        form.editor.SetModified(true);
    }
    std::string Disk(const std::string& path)
    {
        std::string bytes;
        return ReadFileBytes(path, bytes) == TReadStatus::Ok ? bytes : std::string("<unreadable>");
    }
    void Write(const std::string& path, const std::string& bytes) { ASSERT_TRUE(ReplaceFileBytes(path, bytes)); }

    TTempFolder dir;
    TFakeMachine machine;
    std::unique_ptr<TSettingsStore> store;
    TFakeMainWindow form;
    std::vector<std::string> messages;
    std::vector<unsigned> flagsSeen;
    std::vector<int> answers;
    TMsgSink oldSink;
};

// The system's file system with the n-th faultable step failing.
class TFaultyFs final : public IFileSystem {
public:
    int FailAt = 0;
    int Steps = 0;
    IFileSystem& Real = SystemFileSystem();

    std::string FinalPath(const std::string& p) override { return Real.FinalPath(p); }
    TFsFileInfo Query(const std::string& p) override { return Real.Query(p); }
    bool CreateTemp(const std::string& f, std::string& n, TFsHandle& h) override { return !Fail() && Real.CreateTemp(f, n, h); }
    bool CreateNew(const std::string& p, TFsHandle& h) override { return !Fail() && Real.CreateNew(p, h); }
    bool OpenForWrite(const std::string& p, TFsHandle& h) override { return !Fail() && Real.OpenForWrite(p, h); }
    bool Write(TFsHandle h, const char* d, std::size_t n) override
    {
        // A failing write still puts half of its bytes down, as a full disk does.
        if (Fail()) {
            Real.Write(h, d, n / 2);
            return false;
        }
        return Real.Write(h, d, n);
    }
    bool Truncate(TFsHandle h) override { return !Fail() && Real.Truncate(h); }
    bool Flush(TFsHandle h) override { return !Fail() && Real.Flush(h); }
    bool Close(TFsHandle h) override
    {
        const bool ok = Real.Close(h);
        return !Fail() && ok;
    }
    bool Replace(const std::string& a, const std::string& b) override { return !Fail() && Real.Replace(a, b); }
    bool Rename(const std::string& a, const std::string& b) override { return !Fail() && Real.Rename(a, b); }
    bool Delete(const std::string& p) override { return Real.Delete(p); }
    bool SetAttributes(const std::string& p, std::uint32_t a) override { return Real.SetAttributes(p, a); }
    std::string SpareFolder() override { return Spare.empty() ? Real.SpareFolder() : Spare; }
    std::string Spare;

private:
    bool Fail() { return ++Steps == FailAt; }
};

} // namespace vellumo::testing
