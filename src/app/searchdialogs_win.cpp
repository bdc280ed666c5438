#include "app/searchdialogs_win.h"

namespace vellumo {

TSearchDialogs& SearchDialogs()
{
    static TSearchDialogs dialogs = [] {
        TSearchDialogs d;
        d.Find = [](std::string&, std::uint16_t&, int) { return false; };
        d.Replace = [](std::string&, std::string&, std::uint16_t&) { return false; };
        d.Jump = [](int&, bool&, std::vector<std::string>&, std::string&) { return false; };
        d.ConfirmAll = [](const std::string&, const std::function<void(int&, int&, int, int)>&) { return IDCANCEL; };
        d.LastSearchStateSaved = [] { return true; };
        d.LastSearchText = [] { return std::string(); };
        return d;
    }();
    return dialogs;
}

} // namespace vellumo
