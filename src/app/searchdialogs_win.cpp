#include "app/searchdialogs_win.h"

#include "app/mainform.h"
#include "app/pathnames.h"
#include "app/searchstate.h"
#include "classlib/filebytes.h"
#include "classlib/showmsg.h"

// The dialogs come with their own branches; until they are there the
// commands find no dialog and do nothing.
#if __has_include("dialogs/searchdlg.h")
#include "dialogs/searchdlg.h"
#define VELLUMO_FIND_DIALOG 1
#endif
#if __has_include("dialogs/replacedlg.h")
#include "dialogs/replacedlg.h"
#define VELLUMO_REPLACE_DIALOG 1
#endif
#if __has_include("dialogs/jumpdlg.h")
#include "dialogs/jumpdlg.h"
#define VELLUMO_JUMP_DIALOG 1
#endif

namespace vellumo {

TSearchDialogs& SearchDialogs()
{
    static TSearchDialogs dialogs = [] {
        TSearchDialogs d;
#ifdef VELLUMO_FIND_DIALOG
        d.Find = [](std::string& text, std::uint16_t& flags, int direction) {
            return ShowSearchDialog(text, flags, direction);
        };
        d.LastSearchStateSaved = [] { return LastSearchStateSaved(); };
#else
        d.Find = [](std::string&, std::uint16_t&, int) { return false; };
        d.LastSearchStateSaved = [] { return true; };
#endif
#ifdef VELLUMO_REPLACE_DIALOG
        d.Replace = [](std::string& find, std::string& replace, std::uint16_t& flags) {
            return ShowReplaceDialog(find, replace, flags);
        };
#else
        d.Replace = [](std::string&, std::string&, std::uint16_t&) { return false; };
#endif
#ifdef VELLUMO_JUMP_DIALOG
        d.Jump = [](int& line, bool& logical, std::vector<std::string>& history, std::string& typed) {
            return ShowJumpDialog(line, logical, history, typed);
        };
#else
        d.Jump = [](int&, bool&, std::vector<std::string>&, std::string&) { return false; };
#endif
        // Without the dialog that has an "All" button: the system's question
        // with Yes, No and Cancel.
        d.ConfirmAll = [](const std::string& text, const std::function<void(int&, int&, int, int)>&) {
            return ShowMsg(text, kMsgCaption, MB_YESNOCANCEL | MB_ICONQUESTION);
        };
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
