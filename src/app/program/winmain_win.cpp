// The program: hand-off of several files, then the main window and its loop.
#include "app/window/mainform_win.h"
#include "app/startup/startup.h"
#include "base/showmsg.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    using namespace vellumo;
    try {
        if (!StartupEntry()) return 0;
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES | ICC_WIN95_CLASSES};
        InitCommonControlsEx(&icc);
        SetApplicationTitle("Vellumo");
        TVellumoMainForm form;
        ConnectDocumentFunctions(form);
        form.HandleNeeded();
        form.FormCreate();
        if (form.EndingWithoutShowing()) return 0;
        form.ShowMainForm();
        if (form.EndingWithoutShowing()) return 0;
        return RunMessageLoop(form);
    } catch (const std::exception& e) {
        ShowMsg(e.what(), kMsgCaption, kMsgOk | MB_ICONSTOP);
    } catch (...) {
        ShowMsg("Vellumo を開始できませんでした。", kMsgCaption, kMsgOk | MB_ICONSTOP);
    }
    return 1;
}
