#pragma once
// What the dialogs need of the main window. The dialogs sit below the
// application, so the application fills this at start and tests fill it
// with their own; an empty function means "not available".
#include <functional>
#include <string>

namespace vellumo {

class TEditor;
class TForm;

struct TDialogHost {
    // The editor the commands act on, and the upper pane of a split view
    // (the active editor when not split).
    std::function<TEditor*()> ActiveEditor;
    std::function<TEditor*()> UpperEditor;
    // The settings file; the history files sit beside it.
    std::function<std::string()> SettingsPath;
    // The main window's flag: escapes in search and replacement texts.
    std::function<bool()> SearchEscapes;
    std::function<void(bool on)> SetSearchEscapes;
    // [Option] LineNum.
    std::function<bool()> LineNumOption;
    // The active editor's selection as a search text; escaped tells whether
    // escapes were needed.
    std::function<std::string(bool& escaped)> SelectionAsSearchText;
    // The program's styling of a dialog's controls.
    std::function<void(TForm& form)> StyleFormControls;
    // False after telling the user that a chosen path is too long.
    std::function<bool(const std::string& path)> CheckPathLength;
    // [OptionEx] FileDlgEnableSizing: the file dialogs may be resized.
    std::function<bool()> FileDialogSizing;
};

TDialogHost& DialogHost();

} // namespace vellumo
