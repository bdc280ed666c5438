#include "app/integration/browserpreview_win.h"

#include <windows.h>
#include <shellapi.h>

#include <cstring>

#include "app/core/appcontext.h"
#include "app/core/appfuncs.h"
#include "app/integration/ddeclient_win.h"
#include "app/window/editmodes.h"
#include "app/window/mainform_win.h"
#include "settings/settingsstore.h"

namespace vellumo {

namespace {

struct TWindowSearch {
    const TBrowserRow* Row;
    HWND Found;
};

BOOL CALLBACK FindBrowserProc(HWND w, LPARAM p)
{
    auto* s = reinterpret_cast<TWindowSearch*>(p);
    char cls[256] = {};
    if (!GetClassNameA(w, cls, sizeof cls)) return TRUE;
    for (const char* want : s->Row->WindowClasses)
        if (want && std::strcmp(cls, want) == 0 && IsWindowVisible(w) && IsWindowEnabled(w)) {
            s->Found = w;
            return FALSE;
        }
    return TRUE;
}

TPreviewShell& Installed()
{
    static TPreviewShell shell = SystemPreviewShell();
    return shell;
}

} // namespace

TPreviewShell SystemPreviewShell()
{
    TPreviewShell s;
    s.FileExists = [](const std::string& path) {
        const DWORD a = GetFileAttributesA(path.c_str());
        return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
    };
    s.FindBrowserWindow = [](const TBrowserRow& row) -> void* {
        TWindowSearch search{&row, nullptr};
        EnumWindows(FindBrowserProc, reinterpret_cast<LPARAM>(&search));
        return search.Found;
    };
    s.BringForward = [](void* window) { ForceForegroundWindow(window); };
    s.NewConversation = [] { return std::unique_ptr<IDdeConversation>(new TDdeClientConv); };
    s.ShellOpen = [](const std::string& program, const std::string& parameters, const std::string& folder) {
        IMainWindow* form = MainForm();
        HINSTANCE r = ShellExecuteA(form ? static_cast<HWND>(form->Handle()) : nullptr, "open", program.c_str(),
                                    parameters.c_str(), folder.empty() ? nullptr : folder.c_str(), SW_SHOWNORMAL);
        return reinterpret_cast<std::intptr_t>(r);
    };
    return s;
}

TPreviewShell SetPreviewShell(TPreviewShell shell)
{
    if (!shell.ShellOpen) shell = SystemPreviewShell();
    TPreviewShell old = std::move(Installed());
    Installed() = std::move(shell);
    return old;
}

const TPreviewShell& CurrentPreviewShell() { return Installed(); }

TBrowserMenuState CurrentBrowserMenuState()
{
    const TAppSettings& s = AppSettingsStore().Settings;
    return BrowserMenuState(s.Browser, CurrentEditMode() == emHtml, !s.Option.HtmlDocFilter.empty());
}

void PreviewDocument(TVellumoMainForm& form, TPreviewBrowser browser)
{
    TDocumentFunctions& docs = form.Documents;
    TPreviewDocument doc;
    doc.Modified = form.ActiveEditor().Modified();
    doc.NeedsSaveAs = [&docs] { return docs.NeedsSaveAs && docs.NeedsSaveAs(); };
    doc.Save = [&docs] { return docs.SaveFile && docs.SaveFile(Document().CurrentFileName, false); };
    doc.SaveAs = [&docs] { return docs.SaveFileAs && docs.SaveFileAs(false); };
    doc.CurrentFileName = [] { return Document().CurrentFileName; };
    const TMenuItem* item = form.MainMenuItems.Find(BrowserRow(browser).MenuItem);
    PreviewInBrowser(browser, AppSettingsStore().Settings.Browser, item && item->Visible(), doc,
                     CurrentPreviewShell());
}

} // namespace vellumo
