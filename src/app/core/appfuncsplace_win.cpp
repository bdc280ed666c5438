// Window placement, repainting and the editor-side helpers of the main window.
#include <windows.h>

#include "app/core/appfuncs.h"
#include "settings/pathnames.h"
#include "settings/settingsstore.h"
#include "base/filebytes.h"
#include "dialogs/common/history.h"
#include "editor/editor_win.h"
#include "editor/vlines.h"

namespace vellumo {

void RepaintWindow(void* window)
{
    InvalidateRect(static_cast<HWND>(window), nullptr, TRUE);
    UpdateWindow(static_cast<HWND>(window));
}

namespace {
void CALLBACK RepaintTimerProc(HWND window, UINT, UINT_PTR id, DWORD)
{
    KillTimer(window, id);
    RepaintWindow(window);
}
} // namespace

void RepaintWindowLater(void* window, unsigned milliseconds)
{
    SetTimer(static_cast<HWND>(window), 0x5EA1, milliseconds, RepaintTimerProc);
}

void CloseToolBarChildren(void* toolBar)
{
    if (!toolBar) return;
    EnumChildWindows(
        static_cast<HWND>(toolBar),
        [](HWND child, LPARAM) -> BOOL {
            SendMessageA(child, WM_CLOSE, 0, 0);
            return TRUE;
        },
        0);
}

bool HasSelection()
{
    IMainWindow* form = MainForm();
    if (!form || !form->ActiveEditor().Selected()) return false;
    const TEditorSelection s = form->ActiveEditor().Selection();
    return s.StartRow != s.EndRow || s.StartCol != s.EndCol;
}

std::string SelectionAsSearchText(bool& escaped)
{
    escaped = false;
    if (!HasSelection()) return {};
    return SearchTextFromSelection(MainForm()->ActiveEditor().SelText(), escaped);
}

void SelectTokenAtCaret()
{
    IMainWindow* form = MainForm();
    if (!form) return;
    TEditor& ed = form->ActiveEditor();
    ed.SelectWordAt(ed.GetCaretPixelPos());
}

void UpdateGuideLines()
{
    IMainWindow* form = MainForm();
    if (!form) return;
    TVerticalLines lines;
    FillGuideLines(lines, AppSettingsStore().Settings);
    form->MainEditor().SetVerticalLines(lines);
    if (TEditor* split = form->SplitEditor()) split->SetVerticalLines(lines);
}

void ClearHistoryFile(const std::string& extension)
{
    try {
        // The find and replace histories also drop their legacy sections.
        if (extension == kSearchHistoryExt) return void(ClearHistory(AppSettingsStore().Path(), THistoryKind::Search));
        if (extension == kReplaceHistoryExt) return void(ClearHistory(AppSettingsStore().Path(), THistoryKind::Replace));
        const std::string path = ChangeFileExt(AppSettingsStore().Path(), extension);
        ReplaceFileBytes(path, "");
    } catch (...) {
    }
}

} // namespace vellumo
