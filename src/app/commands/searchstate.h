#pragma once
// What find-next (F3, Shift+F3) continues: the last search of any instance,
// read afresh from the search history and [SearchOptions] on every use;
// but when this instance's own last search could not be written there (an
// unwritable settings folder), its own text and options, so that find-next
// never goes back to an older search. Portable; the reading is in
// searchstate_win.cpp.
#include <cstdint>
#include <string>
#include <string_view>

namespace vellumo {

struct TFindNextState {
    std::string Text;
    std::uint16_t Flags = 0;  // sfWholeWord, sfMatchCase, sfDown
    bool Escapes = false;
    bool operator==(const TFindNextState&) const = default;
};

// [SearchOptions] as stored (Direction: 1 down, else up).
struct TSearchOptionValues {
    bool WholeWord = false, MatchCase = false, Down = true, Esc = false;
};

TFindNextState FindNextStateOf(std::string text, const TSearchOptionValues& options);

// This instance's last search from a dialog.
class TSearchMemory {
public:
    // saved: the history file and the options were written.
    void Remember(const TFindNextState& state, bool saved);
    // The state find-next uses, given what the files hold now.
    TFindNextState Choose(TFindNextState fromFiles) const;
    void Forget() { held_ = false; }

private:
    TFindNextState state_;
    bool held_ = false;
};

TSearchMemory& SearchMemory();

} // namespace vellumo
