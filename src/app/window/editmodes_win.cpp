// The edit mode applied to the main window: its holder, editors, file
// dialogs and status panels.
#include <exception>
#include <string>

#include "app/core/appcontext.h"
#include "app/core/applysettings.h"
#include "app/window/editmodes.h"
#include "settings/settingsstore.h"
#include "base/showmsg.h"
#include "editor/editor_win.h"
#include "editor/editprop.h"

namespace vellumo {

namespace {

constexpr int kPanelMode = 2;
constexpr int kPanelWrap = 3;
constexpr int kPanelInsert = 7;

void ReportFailure(const char* what) noexcept
{
    ShowMsg(std::string("編集モードを適用できませんでした。\r\n") + what, kMsgCaption, kMsgIconError);
}

} // namespace

void ApplySyntaxMode(bool reassign, const TAppSettings& settings)
{
    IMainWindow* form = MainForm();
    if (!form) return;
    try {
        TEditorProp& prop = form->EditorProp1();
        if (reassign) prop.Assign(form->ActiveEditor());
        const TSyntaxStaged staged =
            StageSyntaxMode(prop, settings, CurrentEditMode(), SettingsFolderOf(AppSettingsStore().Path()));
        form->SetFileDialogFilterIndex(staged.OpenFilterIndex, staged.SaveFilterIndex);
        if (reassign) ApplyEditorProp();
        form->UpdateBrowserMenus();
    } catch (const std::exception& e) {
        ReportFailure(e.what());
    } catch (...) {
        ReportFailure("");
    }
}

void ApplySyntaxMode(bool reassign)
{
    try {
        ApplySyntaxMode(reassign, AppSettingsStore().Settings);
    } catch (const std::exception& e) {
        ReportFailure(e.what());
    }
}

void UpdateModeStatus()
{
    IMainWindow* form = MainForm();
    if (!form) return;
    try {
        const TAppIni& o = AppSettingsStore().Settings.Option;
        const TEditMode mode = CurrentEditMode();
        const bool simple = o.SBSimplePanels;
        form->SetPanelText(kPanelMode, simple && EditModeToListIndex(mode) == o.DefEditMode ? "" : EditModeName(mode));
        TEditor& editor = form->ActiveEditor();
        form->SetPanelText(kPanelWrap, editor.WordWrap() ? "[" + std::to_string(editor.WrapOption().WrapByte()) + "]"
                                                         : std::string());
        form->SetPanelText(kPanelInsert, editor.OverWrite() ? "上書" : simple ? "" : "挿入");
    } catch (const std::exception& e) {
        ReportFailure(e.what());
    }
}

void EditModeFromFileName(const std::string& fileName)
{
    try {
        const TAppIni& o = AppSettingsStore().Settings.Option;
        SetCurrentEditMode(ModeFromExtension(fileName, o, CurrentEditMode()));
    } catch (const std::exception& e) {
        ReportFailure(e.what());
        return;
    }
    ApplySyntaxMode(true);
    UpdateModeStatus();
}

} // namespace vellumo
