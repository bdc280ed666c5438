// The View menu's commands.
#include "app/commands/commands_win.h"
#include "app/core/appfuncs.h"
#include "app/core/reloadini.h"
#include "app/window/editmodes.h"
#include "app/window/keywords.h"
#include "app/window/mainform_win.h"
#include "app/window/mainformstatus.h"
#include "base/showmsg.h"
#include "classlib/screen_win.h"
#include "dialogs/options/optionform_win.h"
#include "settings/settingsstore.h"

namespace vellumo {

// F4: the text's size (or the selection's) in panel 1; again, the caret's place.
void mByteClick(TVellumoMainForm& form)
{
    if (ShowsTextSize(form.StatusBar1.PanelText(1))) {
        form.UpdateCaretPanel();
        return;
    }
    TEditor& ed = form.ActiveEditor();
    const bool selection = ed.Selected();
    form.StatusBar1.SetPanelText(1, TextSizeText(selection ? ed.SelLength() : ed.GetTextLength(), selection));
}

const char kSettingsDialogFailedText[] =
    "何らかの問題が発生しました。\r\n\r\n"
    "・初期化ファイル(INI)の作成に失敗。\r\n"
    "・リソース不足でウィンドウのオープンに失敗。\r\n\r\n"
    "などが考えられます。\r\n"
    "初期化ファイルの保存先フォルダやリソース等を確認してください。";

// OK saves (which tells the other instances) and applies; the apply button
// applies to this window only.
void mOptionClick(TVellumoMainForm& form)
{
    try {
        TOptionHost host;
        host.EditMode = CurrentEditMode();
        host.WindowWrapWidth = [&form] { return WindowWrapWidth(form.ActiveEditor().ColCount()); };
        host.SettingsTaken = [&form] {
            form.RebuildSettingsMenus();
            form.UpdateCaptionAndPosition();
            TEditor& editor = form.ActiveEditor();
            editor.SetRow(editor.Row());
        };
        host.ApplyNow = [] { ApplySettingsOnly(); };
        host.PathLengthOk = [](const std::string& path) { return CheckPathLength(path); };
        host.WriteKeywordFile = [](TEditMode mode, const std::string& path) {
            return WriteDefaultKeywordFile(mode, path);
        };
        host.StartNewInstance = [&form](const std::string& params) {
            if (form.Documents.StartNewInstance) form.Documents.StartNewInstance(params);
        };
        const TModalResult result = ShowOptionDialog(AppSettingsStore().Settings, form.OptionPage, host);
        TScreenCursorScope hourglass(crHourGlass);
        if (result == mrOk)
            SaveAndApplySettings();
        else if (result == mrYes)
            ApplySettingsOnly();
    } catch (...) {
        ShowMsg(kSettingsDialogFailedText, kMsgCaption, kMsgIconExclamation);
    }
}

namespace {

constexpr TCommand kRows[] = {
    {"mByte", mByteClick},
    {"mOption", mOptionClick},
};

} // namespace

std::span<const TCommand> ViewMenuCommands() noexcept { return kRows; }

} // namespace vellumo
