#include "searchfixture.h"

#include <memory>

#include "dialogs/common/dialoghost.h"
#include "editor/editor_win.h"

namespace vellumo::testing {

namespace {

std::unique_ptr<TEditor>& Editor()
{
    static std::unique_ptr<TEditor> editor;
    return editor;
}

} // namespace

TSearchHostState& SearchHostState()
{
    static TSearchHostState state;
    return state;
}

void InstallSearchHost(const std::string& settingsPath, const std::string& editorText)
{
    SearchHostState() = {};
    SearchHostState().settingsPath = settingsPath;
    auto e = std::make_unique<TEditor>();
    e->SetVisible(false);
    e->SetBounds(0, 0, 400, 300);
    e->HandleNeeded();
    e->Lines().SetText(editorText);
    Editor() = std::move(e);
    TDialogHost& host = DialogHost();
    host = {};
    host.ActiveEditor = [] { return Editor().get(); };
    host.UpperEditor = host.ActiveEditor;
    host.SettingsPath = [] { return SearchHostState().settingsPath; };
    host.SearchEscapes = [] { return SearchHostState().escapes; };
    host.SetSearchEscapes = [](bool on) {
        SearchHostState().escapes = on;
        ++SearchHostState().escapesSet;
    };
    host.SelectionAsSearchText = [](bool& escaped) {
        escaped = SearchHostState().selectionEscaped;
        return SearchHostState().selection;
    };
}

void RemoveSearchHost()
{
    DialogHost() = {};
    Editor().reset();
}

int EditorRow() { return Editor()->Row(); }
int EditorCol() { return Editor()->Col(); }
bool EditorSelected() { return Editor()->Selected(); }
void EditorSelectAll() { Editor()->SelectAll(); }

void EditorCaretTo(int row, int col)
{
    Editor()->SetRow(row);
    Editor()->SetCol(col);
}

} // namespace vellumo::testing
