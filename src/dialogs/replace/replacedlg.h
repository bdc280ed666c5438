#pragma once
// The replace dialog.
#include <cstdint>
#include <string>

namespace vellumo {

// Asks for the text to find and its replacement. True when closed with a
// find or replace button and a search text; flags then hold the button's bit
// (sfFindNext: one occurrence, sfReplaceAll: all) with sfWholeWord,
// sfMatchCase, sfConfirm and sfDown, and the escape option goes to the host.
bool ShowReplaceDialog(std::string& findText, std::string& replaceText, std::uint16_t& flags);

} // namespace vellumo
