// The look every dialog takes at creation.
#include <windows.h>
#include <commctrl.h>

#include "app/core/appfuncs.h"
#include "classlib/form_win.h"

namespace vellumo {

void StyleFormControls(TForm& form)
{
    for (TWinControlChild* c : form.Controls()) {
        if (!c || !c->HandleAllocated()) continue;
        char cls[64] = {};
        GetClassNameA(c->Handle(), cls, sizeof cls);
        if (lstrcmpiA(cls, WC_LISTVIEWA) == 0)
            SendMessageA(c->Handle(), LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_INFOTIP, LVS_EX_INFOTIP);
    }
}

} // namespace vellumo
