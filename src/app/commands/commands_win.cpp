#include "app/commands/commands_win.h"

#include "app/window/mainform_win.h"
#include "app/window/menus.h"

namespace vellumo {

const TCommandTable& CommandTable()
{
    static const TCommandTable table{FileMenuCommands(),   FileHistoryCommands(), EditMenuCommands(),    EditorActionCommands(),
                                     ReconvCommands(),     SearchMenuCommands(),  ViewMenuCommands(),
                                     WindowMenuCommands(), ToolsMenuCommands(),    HelpMenuCommands()};
    return table;
}

void ApplyEnablingRules(TVellumoMainForm& form, std::string_view submenu)
{
    const auto menu = form.MainMenuItems.Table();
    const TMenuEntry* parent = FindMenuEntry(menu, submenu);
    if (!parent) return;
    const int row = static_cast<int>(parent - menu.data());
    for (int i = 0, n = MenuChildCount(menu, row); i < n; ++i) {
        const TMenuEntry& e = menu[static_cast<std::size_t>(MenuChildRow(menu, row, i))];
        const TCommand* c = CommandTable().Find(e.Name);
        if (c && c->Enabled) form.MainMenuItems.Item(e.Name).SetEnabled(c->Enabled(form));
    }
}

} // namespace vellumo
