#include "app/commands/searchdialogs_win.h"

#include "app/window/mainform_win.h"
#include "classlib/msgdialog.h"
#include "dialogs/common/history.h"
#include "dialogs/jump/jumpdlg.h"
#include "dialogs/replace/replacedlg.h"
#include "dialogs/search/searchdlg.h"

namespace vellumo {

TSearchDialogs& SearchDialogs()
{
    static TSearchDialogs dialogs = [] {
        TSearchDialogs d;
        d.Find = [](std::string& text, std::uint16_t& flags, int direction) {
            return ShowSearchDialog(text, flags, direction);
        };
        d.LastSearchStateSaved = [] { return LastSearchStateSaved(); };
        d.Replace = [](std::string& find, std::string& replace, std::uint16_t& flags) {
            return ShowReplaceDialog(find, replace, flags);
        };
        d.Jump = [](int& line, bool& logical, std::vector<std::string>& history, std::string& typed) {
            return ShowJumpDialog(line, logical, history, typed);
        };
        d.ConfirmAll = [](const std::string& text, const std::function<void(int&, int&, int, int)>& place) {
            return ShowConfirmAllDialog(text, [&place](int width, int height) {
                TDialogPoint p{0, 0};
                place(p.X, p.Y, width, height);
                return p;
            });
        };
        d.LastSearchText = [] {
            const TVellumoMainForm* form = VellumoMainForm();
            return form && !form->IniPath.empty() ? LastSearchText(form->IniPath) : std::string();
        };
        return d;
    }();
    return dialogs;
}

} // namespace vellumo
