#include "app/commands/searchstate.h"

#include <algorithm>
#include <utility>

#include "textcode/search.h"

namespace vellumo {

TFindNextState FindNextStateOf(std::string text, const TSearchOptionValues& o)
{
    TFindNextState s;
    s.Text = std::move(text);
    if (o.WholeWord) s.Flags |= sfWholeWord;
    if (o.MatchCase) s.Flags |= sfMatchCase;
    if (o.Down) s.Flags |= sfDown;
    s.Escapes = o.Esc;
    return s;
}

void TSearchMemory::Remember(const TFindNextState& state, bool saved)
{
    // A search that reached the files is read back from them, so that a
    // later search of another instance wins.
    held_ = !saved;
    if (held_) state_ = state;
}

TFindNextState TSearchMemory::Choose(TFindNextState fromFiles) const
{
    if (!held_) return fromFiles;
    TFindNextState s = state_;
    s.Flags &= sfWholeWord | sfMatchCase | sfDown;
    return s;
}

TSearchMemory& SearchMemory()
{
    static TSearchMemory memory;
    return memory;
}

} // namespace vellumo
