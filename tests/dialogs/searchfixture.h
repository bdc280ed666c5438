#pragma once
// The host the find and replace dialogs see in tests: a settings file in a
// temporary folder, a hidden editor (apart from the forms' headers, which
// clash with the editor's), a scripted selection and the escape flag.
#include <string>

namespace vellumo::testing {

struct TSearchHostState {
    std::string settingsPath;
    std::string selection;      // what SelectionAsSearchText gives
    bool selectionEscaped = false;
    bool escapes = false;       // the host's SearchEscapes
    int escapesSet = 0;         // how often the dialog set it
};

TSearchHostState& SearchHostState();
// Fills DialogHost() from SearchHostState() and a fresh hidden editor holding text.
void InstallSearchHost(const std::string& settingsPath, const std::string& editorText);
void RemoveSearchHost();

// The hidden editor: caret position, selection, select a range.
int EditorRow();
int EditorCol();
bool EditorSelected();
void EditorSelectAll();
void EditorCaretTo(int row, int col);

} // namespace vellumo::testing
