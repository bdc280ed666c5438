#include "dialogs/common/searchcommon_win.h"

#include <windows.h>

#include "classlib/canvas_win.h"
#include "classlib/groupbox_win.h"
#include "base/showmsg.h"
#include "dialogs/common/dialoghost.h"
#include "dialogs/search/searchdlg.h"
#include "dialogs/common/searcheditor_win.h"
#include "textcode/search.h"

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

void TSearchOptionBoxes::Show(const TSearchOptions& o) const
{
    MatchCase.SetChecked(o.MatchCase);
    WholeWord.SetChecked(o.WholeWord);
    Esc.SetChecked(o.Esc);
    Direction.SetItemIndex(o.Direction);
}

TSearchOptions TSearchOptionBoxes::Read(TSearchOptions o) const
{
    o.MatchCase = MatchCase.Checked();
    o.WholeWord = WholeWord.Checked();
    o.Esc = Esc.Checked();
    o.Direction = Direction.ItemIndex() == 0 ? 0 : 1;
    return o;
}

std::uint16_t TSearchOptionBoxes::Flags() const
{
    std::uint16_t flags = 0;
    if (WholeWord.Checked()) flags |= sfWholeWord;
    if (MatchCase.Checked()) flags |= sfMatchCase;
    if (Direction.ItemIndex() == 1) flags |= sfDown;
    return flags;
}

} // namespace vellumo
