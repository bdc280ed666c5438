#pragma once
// A main window for the document functions: a real hidden editor, and
// records of what the functions asked of the window.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/core/appcontext.h"
#include "app/startup/cmdline_win.h"
#include "app/document/docopen.h"
#include "settings/pathnames.h"
#include "settings/settingsstore.h"
#include "support/test_machine.h"
#include "base/showmsg.h"
#include "support/tempfolder.h"
#include "support/winsupport_win.h"
#include "editor/editor_win.h"
#include "editor/editorhost.h"
#include "editor/editprop.h"

namespace vellumo::testing {

class TFakeForm : public IMainWindow {
public:
    TFakeForm() : editor(std::make_unique<TEditor>())
    {
        editor->SetVisible(false);
        editor->SetBounds(0, 0, 400, 300);
        editor->HandleNeeded();
    }
    void* Handle() override { return nullptr; }
    bool Showing() const override { return showing; }
    TEditor& ActiveEditor() override { return *editor; }
    TEditor& MainEditor() override { return *editor; }
    TEditor* SplitEditor() override { return nullptr; }
    void SetPanelText(int panel, const std::string& text) override { panels[panel] = text; }
    void SetCaptions(const std::string& c, const std::string&) override { caption = c; }
    void SetOpenFileNameText(const std::string& name) override { openFileName = name; }
    void SetDialogFileNames(const std::string&) override {}
    void AddRecentFile(const std::string& name) override { recent.push_back(name); }
    void UpdateToolBarState() override {}
    void EditModeFromFileName(const std::string& name) override { modeFromName.push_back(name); }
    void EndWithoutShowing() override { ++ended; }
    void BringApplicationForward() override {}
    bool RunOpenDialog() override { return false; }
    bool OpenDialogReadOnlyChecked() override { return dialogReadOnly; }
    void ApplyEditModeSwitch(int mode) override { modeSwitch = mode; }
    void WrapChanged() override { ++wrapChanged; }
    bool StatusAutoHint() override { return autoHint; }
    void SetStatusAutoHint(bool on) override { autoHint = on; }
    void RepaintStatusBar() override {}
    bool RunSaveDialog(const std::string&, std::string&) override { return false; }
    void ProcessMessages() override { PumpMessages(); }
    bool ReplaceBusy() override { return false; }
    void SetToolBarButtons(const TToolBarState&) override {}
    // Applying settings: not what these tests look at.
    TEditorProp& EditorProp1() override { return prop; }
    void ApplyWindowSettings(const TWindowSettings&) override {}
    void SetClipboardWatcherIgnoreFirst(bool) override {}
    void PlacePopupToolMenu(bool) override {}
    void SetFileDialogFilterIndex(int, int) override {}
    void SaveViewState(bool) override {}
    void RestoreViewState(bool) override {}
    void UpdateCodeStatus() override {}
    void UpdateBrowserMenus() override {}
    void RebuildSettingsMenus() override {}
    void UpdateCaptionAndPosition() override {}

    std::unique_ptr<TEditor> editor;
    TEditorProp prop;
    bool autoHint = true, showing = true, dialogReadOnly = false;
    std::map<int, std::string> panels;
    std::string caption, openFileName;
    std::vector<std::string> recent, modeFromName;
    int ended = 0, modeSwitch = -1, wrapChanged = 0;
};

// A fresh document, settings at their defaults, a scripted message box.
class DocumentTest : public ::testing::Test {
protected:
    DocumentTest() : store(folder.File("none.ini"), machine)
    {
        store.LoadSettings();
        SetAppSettingsStore(&store);
        SetMainForm(&form);
        Document() = TDocumentState{};
        ResetApplicationEnding();
        SetSystemCommandLine(TCommandLine({"vellumo.exe"}));
        oldSink = SetMsgSink([this](const std::string& text, const std::string&, unsigned flags) {
            asked.push_back(text);
            if ((flags & 0xF) == MB_YESNO) return answerYes ? IDYES : IDNO;
            return IDOK;
        });
    }
    ~DocumentTest() override
    {
        SetMsgSink(oldSink);
        SetMainForm(nullptr);
        SetAppSettingsStore(nullptr);
        EditorHostValues().OutputMode = false;
    }
    std::string Write(const std::string& name, const std::string& bytes)
    {
        const std::string path = folder.File(name);
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    TAppSettings& Set() { return store.Settings; }
    std::string Text() { return form.editor->Lines().Text(); }

    TTempFolder folder;
    TFakeMachine machine;
    TSettingsStore store;
    TFakeForm form;
    TMsgSink oldSink;
    std::vector<std::string> asked;
    bool answerYes = true;
};

} // namespace vellumo::testing
