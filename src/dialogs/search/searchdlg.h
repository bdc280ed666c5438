#pragma once
// The find dialog.
#include <cstdint>
#include <string>

namespace vellumo {

// Asks for the text to find. direction: 0 up, 1 down, any other value: the
// saved Direction. True with the text and TSearchFlags (sfWholeWord,
// sfMatchCase, sfDown) when closed with OK and a text; the escape option goes
// to the host's SearchEscapes then.
bool ShowSearchDialog(std::string& text, std::uint16_t& flags, int direction);

// Whether the last find or replace dialog's saving of the history and options reached the disk.
bool LastSearchStateSaved();

} // namespace vellumo
