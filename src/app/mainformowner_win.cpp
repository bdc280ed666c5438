// The form services of the class library the main window uses. Its form
// header and the editor's cannot meet in one file, so they are reached here.
#include <windows.h>

#include "classlib/form.h"

namespace vellumo {

void RegisterMainWindow(HWND window) { SetMainWindow(window); }

void PumpMessagesOnce() { ProcessMessages(); }

bool IsOwnedFormMessage(MSG& msg)
{
    // Dialogs and tool windows of this program get their keyboard; the main
    // window's keys go to its own shortcuts and the editor.
    HWND main = MainWindow();
    if (main && (msg.hwnd == main || IsChild(main, msg.hwnd))) return false;
    return IsFormDialogMessage(msg);
}

const char* OpenFileNameEditClass()
{
    // The edit class other instances look for; a form's edit registers it too.
    static const char* name = [] {
        WNDCLASSA wc{};
        HINSTANCE inst = GetModuleHandleA(nullptr);
        if (!GetClassInfoA(inst, "TEdit", &wc)) {
            GetClassInfoA(nullptr, "EDIT", &wc);
            wc.hInstance = inst;
            wc.lpszClassName = "TEdit";
            RegisterClassA(&wc);
        }
        return "TEdit";
    }();
    return name;
}

} // namespace vellumo
