#pragma once
// The tool list and tool entry dialogs' logic: a tool as the list's display
// texts and back, the entry dialog's rules and its placeholder menu.
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "settings/tools.h"
#include "settings/toolwindow.h"

namespace vellumo {

extern const std::array<const char*, kToolListColumnCount> kToolListColumns;
// The save modes 0..2 as the entry dialog's list and the list's column show them.
extern const std::array<const char*, 3> kToolSaveTexts;

// The columns' texts: title, program, parameters, folder, save mode, key,
// then the five flags as "ON" or empty. A separator shows no key.
std::vector<std::string> ToolToRow(const TAppTool& tool);
// The reverse: an unknown save text is 0, a flag is set only by "ON", the
// key is read by the menus' codec; a separator never keeps a key.
TAppTool RowToTool(const std::vector<std::string>& row);

// The name "-" makes a menu separator.
bool IsToolSeparator(std::string_view title) noexcept;
// The entry dialog's OK: a name and a program or parameters, or "-".
bool ToolEntryOkEnabled(std::string_view name, std::string_view program, std::string_view params) noexcept;
// What a "-" entry keeps: nothing but where it is shown.
TAppTool ToolSeparatorEntry(bool mainVisible, bool popVisible);

// The parameters' placeholder menu in order; Insert is null for a separator.
struct TToolPlaceholder {
    const char* Caption;
    const char* Insert;
};
extern const std::array<TToolPlaceholder, 22> kToolPlaceholders;

// Where a row moved by delta (-1 up, +1 down) goes; -1 when it cannot move.
int MovedToolRow(int index, int delta, int count) noexcept;

} // namespace vellumo

namespace vellumo {

// The tool list of the settings file (DialogHost().SettingsPath) in its
// dialog; on OK the list is written back: true. Cancel writes no tool.
// Throws std::runtime_error when the list could not be written.
bool ShowToolListDialog();

} // namespace vellumo
