// Reading the find-next state from the files, for F3 and Shift+F3.
#include "app/window/mainform_win.h"
#include "app/commands/searchdialogs_win.h"
#include "app/commands/searchstate.h"
#include "base/inifile.h"

namespace vellumo {

void TVellumoMainForm::LoadSearchState()
{
    TSearchOptionValues o;
    if (!IniPath.empty()) {
        const TMemIniFile ini(IniPath);
        o.WholeWord = ini.ReadInteger("SearchOptions", "WholeWord", 0) == 1;
        o.MatchCase = ini.ReadInteger("SearchOptions", "MatchCase", 0) == 1;
        o.Down = ini.ReadInteger("SearchOptions", "Direction", 1) == 1;
        o.Esc = ini.ReadBool("SearchOptions", "Esc", false);
    }
    const auto& last = SearchDialogs().LastSearchText;
    const TFindNextState s = SearchMemory().Choose(FindNextStateOf(last ? last() : std::string(), o));
    SearchString = s.Text;
    SearchFlags = s.Flags;
    SearchEscapes = s.Escapes;
}

void TVellumoMainForm::RememberSearch()
{
    const auto& saved = SearchDialogs().LastSearchStateSaved;
    SearchMemory().Remember({SearchString, SearchFlags, SearchEscapes}, !saved || saved());
}

} // namespace vellumo
