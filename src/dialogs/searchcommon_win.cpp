#include "dialogs/searchcommon_win.h"

#include <windows.h>

#include "classlib/canvas.h"
#include "classlib/showmsg.h"
#include "dialogs/dialoghost.h"
#include "dialogs/searchdlg.h"
#include "dialogs/searcheditor_win.h"

namespace vellumo {

namespace {

bool g_lastSaved = true;

} // namespace

int CaptionWidth(TForm& form, const std::string& text)
{
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, FontHandle(form.Font()));
    RECT r{0, 0, 2000, 0};
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_SINGLELINE);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return r.right - r.left;
}

void PlaceAtActiveEditor(TForm& form)
{
    if (HWND ed = ActiveEditorWindow()) PlaceWindowInWorkArea(ed, form.Handle(), 24, 24);
}

void SetUpHistoryCombo(TComboBox& combo)
{
    combo.SetDropDownCount(16);
    combo.OnKeyPress = [&combo](char key) { combo.SetAutoComplete(key != '\b'); };
}

void ApplySelectionRule(TComboBox& combo, TCheckBox& chkEsc)
{
    DropEmptySelection();
    const TDialogHost& host = DialogHost();
    bool escaped = false;
    const std::string sel = host.SelectionAsSearchText ? host.SelectionAsSearchText(escaped) : std::string();
    if (!sel.empty()) {
        combo.SetText(sel);
        if (escaped) chkEsc.SetChecked(true);
    } else if (!combo.Items().empty()) {
        combo.SetItemIndex(0);
    }
}

void AcceptIntoHistory(TComboBox& combo, THistory& history, const std::string& text)
{
    AddToHistory(history, text);
    combo.SetItems(history);
    combo.SetText(text);
}

void MoveCaretToTop()
{
    ProcessMessages();
    PutCaretAtTop();
    ProcessMessages();
}

void AskAndClearHistory(TComboBox& combo, THistory& history, const char* question, THistoryKind kind)
{
    if (ShowMsg(question, kMsgCaption, MB_OKCANCEL | MB_ICONINFORMATION) != IDOK) return;
    history.clear();
    combo.ClearItems();
    combo.SetText("");
    ClearHistory(SettingsPathOfHost(), kind);
    combo.SetFocus();
}

std::string SettingsPathOfHost()
{
    const TDialogHost& host = DialogHost();
    return host.SettingsPath ? host.SettingsPath() : std::string();
}

void NoteSearchStateSaved(bool saved) { g_lastSaved = saved; }

bool LastSearchStateSaved() { return g_lastSaved; }

} // namespace vellumo
