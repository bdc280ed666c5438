#include <windows.h>

#include "classlib/msgdialog.h"
#include "classlib/showmsg.h"

namespace vellumo {

int SystemShowMsg(const std::string& text, const std::string& caption, unsigned flags)
{
    // The system's box has no "All" button: the program's own form asks.
    if ((flags & 0x0F) == kMsgYesNoCancelAll) return ShowConfirmAllForm(text, caption);
    HWND owner = static_cast<HWND>(MsgOwner());
    if (owner && !(IsWindow(owner) && IsWindowVisible(owner)))
        owner = nullptr;
    int answer = MessageBoxA(owner, text.c_str(), caption.c_str(), flags | (owner ? 0 : MB_TASKMODAL));
    return answer == 0 ? IDOK : answer;
}

void SystemBeep(unsigned type)
{
    MessageBeep(type);
}

} // namespace vellumo
