// What the dialogs learn of the main window: its editors, the settings
// file, the escape flag of the search texts and the program's styling.
#include "app/core/appfuncs.h"
#include "app/window/mainform_win.h"
#include "settings/settingsstore.h"
#include "dialogs/common/dialoghost.h"

namespace vellumo {

void FillDialogHost(TVellumoMainForm& form)
{
    TDialogHost& h = DialogHost();
    h.ActiveEditor = [&form] { return &form.ActiveEditor(); };
    h.UpperEditor = [&form] { return &form.UpperEditor(); };
    h.SettingsPath = [&form] { return form.IniPath; };
    h.SearchEscapes = [&form] { return form.SearchEscapes; };
    h.SetSearchEscapes = [&form](bool on) { form.SearchEscapes = on; };
    h.LineNumOption = [] { return AppSettingsStore().Settings.Option.LineNum; };
    h.SelectionAsSearchText = [](bool& escaped) { return SelectionAsSearchText(escaped); };
    h.StyleFormControls = [](TForm& f) { StyleFormControls(f); };
    h.CheckPathLength = [](const std::string& path) { return vellumo::CheckPathLength(path); };
    h.FileDialogSizing = [] { return AppSettingsStore().Settings.OptionEx.FileDlgEnableSizing; };
}

} // namespace vellumo
