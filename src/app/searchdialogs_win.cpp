#include "app/searchdialogs_win.h"

#include "app/mainform.h"
#include "app/pathnames.h"
#include "app/searchstate.h"
#include "classlib/filebytes.h"

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
        d.LastSearchText = [] {
            const TVellumoMainForm* form = VellumoMainForm();
            std::string bytes;
            if (!form || form->IniPath.empty() ||
                ReadFileBytes(ChangeFileExt(form->IniPath, ".sch"), bytes) != TReadStatus::Ok)
                return std::string();
            return FirstHistoryLine(bytes);
        };
        return d;
    }();
    return dialogs;
}

} // namespace vellumo
