// Reading the find-next state from the files, for F3 and Shift+F3.
#include "app/window/mainform_win.h"
#include "app/commands/searchdialogs_win.h"
#include "app/commands/searchstate.h"
#include "dialogs/common/history.h"

namespace vellumo {

void TVellumoMainForm::LoadSearchState()
{
    TSearchOptionValues o;
    if (!IniPath.empty()) {
        // The same reading as the find and replace dialogs'.
        const TSearchOptions saved = ReadSearchOptions(IniPath);
        o.WholeWord = saved.WholeWord;
        o.MatchCase = saved.MatchCase;
        o.Down = saved.Direction == 1;
        o.Esc = saved.Esc;
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
