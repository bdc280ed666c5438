#include <windows.h>

#include "base/showmsg.h"

namespace vellumo {

int PresentMsgForm(const std::string& text, const std::string& caption, unsigned flags);

int SystemShowMsg(const std::string& text, const std::string& caption, unsigned flags)
{
    // Types above the system's own (the "All" question) are the program's own form.
    if ((flags & 0x0F) > MB_CANCELTRYCONTINUE)
        if (const int answer = PresentMsgForm(text, caption, flags)) return answer;
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
