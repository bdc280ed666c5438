// The form's handlers on its editors (both panes): keys before the editor
// acts on them, the link under the mouse, the double click, and the
// keyboard's box selection.
#include <windowsx.h>

#include "app/commands/commands_win.h"
#include "app/commands/editcmds.h"
#include "app/core/appfuncs.h"
#include "app/window/editmodes.h"
#include "app/window/mainform_win.h"
#include "app/window/mainformstatus.h"
#include "classlib/ime_win.h"
#include "editor/editorhost.h"
#include "editor/parsersettings.h"
#include "settings/settingsstore.h"

namespace vellumo {

namespace {

bool Held(TShiftState shift, TShiftState keys) { return (shift & keys) != 0; }

bool LinksShown()
{
    const TEditMode mode = GlobalParserSettings().EditMode;
    return AppSettingsStore().Settings.Option.LinkWord && (mode == emStandard || mode == emIni || mode == emBat);
}

} // namespace

void TVellumoMainForm::Editor1KeyDown(TEditor& sender, unsigned& key, TShiftState shift)
{
    const bool arrow = key == VK_LEFT || key == VK_UP || key == VK_RIGHT || key == VK_DOWN;
    if (arrow && sender.Selected() && !Held(shift, ssShift | ssCtrl)) {
        // The caret goes to the end of the selection the arrow points at.
        const TEditorSelection s = sender.Selection();
        const bool toStart = key == VK_LEFT || key == VK_UP;
        sender.Deselect();
        sender.SetCaretRowCol(toStart ? s.StartRow : s.EndRow, toStart ? s.StartCol : s.EndCol);
        key = 0;
        return;
    }
    if (key == VK_ESCAPE) {
        ClearStatusMessage();
        if (ShowsTextSize(StatusBar1.PanelText(1))) Editor1CaretMoved(ActiveEditor());
        if (IsSplit() && ActiveEditor().SelectionMode() == smBox) ActiveEditor().SetSelectionMode(smNormal);
        return;  // the editor ends its selection too
    }
    if (key == VK_INSERT && !Held(shift, ssShift | ssCtrl | ssAlt)) {
        sender.SetOverWrite(!sender.OverWrite());
        if (TEditor* other = InactiveEditor(); other && other != &sender) other->SetOverWrite(sender.OverWrite());
        UpdateModeStatus();
        key = 0;
    }
}

void TVellumoMainForm::Editor1KeyPress(TEditor& sender, char& key)
{
    const TShiftState shift = KeyboardShiftState();
    if (key == '\t' && !Held(shift, ssCtrl | ssAlt)) {
        const long long length = sender.Selected() ? sender.SelLength() : 0;
        switch (TabKeyAction(SelectionHasLineBreak(sender), sender.ReadOnly(), length, Held(shift, ssShift))) {
        case TTabKeyAction::InsertTab: sender.SetSelText("\t"); break;
        case TTabKeyAction::Indent: sender.TabIndent(); break;
        case TTabKeyAction::Unindent: sender.TabUnindent(); break;
        case TTabKeyAction::Nothing: break;
        }
        key = 0;
        return;
    }
    if (key == '\r' && ReturnIndents(AppSettingsStore().Settings.Option.AutoIndent, Held(shift, ssShift))) {
        const int caretByte = sender.GetLineCharPos(sender.Row(), sender.Col());
        if (caretByte <= 0) return;  // at the line's start the editor breaks it itself
        sender.SetSelText(AutoIndentBreak(sender.Lines()[sender.RowToLine(sender.Row())], caretByte));
        key = 0;
    }
}

void TVellumoMainForm::Editor1MouseMove(TEditor& sender, TShiftState shift, int x, int y)
{
    // With a button held the editor selects or drags: its cursor stays.
    if (Held(shift, ssLeft | ssRight | ssMiddle)) return;
    LinkUnderMouse = {};
    if (!LinkAtPoint(x, y, sender)) {
        if (sender.Cursor() == crHandPoint) sender.SetCursor(sender.Caret().Cursors().DefaultCursor());
        return;
    }
    const POINT p{x, y};
    LinkUnderMouse = {sender.Handle(), p, sender.GetTokenKindAt(p), true};
    int col = 0, row = 0;
    sender.PixelToCell(x, y, false, col, row);
    // Inside a box selection the text is what a press acts on.
    const bool inBox = sender.SelectionMode() == smBox && sender.IsInSelection(row, col);
    sender.SetCursor(inBox ? crIBeam : crHandPoint);
}

void TVellumoMainForm::Editor1DblClick(TEditor& sender)
{
    if (EditorHostValues().NoLButtonImeEnter && sender.HandleAllocated() && ImeHasComposition(sender.Handle())) return;
    // The link is looked up where the click fell: the text under the last
    // mouse move may have changed since (typing, an undo, a reload).
    const TMessage& m = sender.CurrentMessage();
    const int x = GET_X_LPARAM(m.LParam), y = GET_Y_LPARAM(m.LParam);
    if (!sender.Selected() && LinkAtPoint(x, y, sender)) {
        OpenLink();
        return;
    }
    sender.SelectWordAt(sender.GetCaretPixelPos());
}

void TVellumoMainForm::Editor1SelectionChange(TEditor&) { UpdateToolBarState(); }

TEditor* TVellumoMainForm::LinkEditor()
{
    const HWND h = LinkUnderMouse.Editor;
    if (!h) return nullptr;
    if (Editor1.HandleAllocated() && Editor1.Handle() == h) return &Editor1;
    TEditor* second = SecondEditor();
    return second && second->HandleAllocated() && second->Handle() == h ? second : nullptr;
}

bool TVellumoMainForm::IsLinkUnderMouse()
{
    TEditor& ed = ActiveEditor();
    return LinkUnderMouse.Found && LinksShown() && LinkEditor() == &ed && ed.Cursor() == crHandPoint;
}

// ---- the keyboard's box selection: Alt+Shift+arrows

namespace {

void BoxStep(TVellumoMainForm& form, unsigned arrowKey) { form.ActiveEditor().ExtendBoxSelection(arrowKey); }

} // namespace

void BoxLeftExecute(TVellumoMainForm& form) { BoxStep(form, VK_LEFT); }
void BoxUpExecute(TVellumoMainForm& form) { BoxStep(form, VK_UP); }
void BoxRightExecute(TVellumoMainForm& form) { BoxStep(form, VK_RIGHT); }
void BoxDownExecute(TVellumoMainForm& form) { BoxStep(form, VK_DOWN); }

namespace {

constexpr TCommand kRows[] = {
    {"BoxLeft", BoxLeftExecute},
    {"BoxUp", BoxUpExecute},
    {"BoxRight", BoxRightExecute},
    {"BoxDown", BoxDownExecute},
};

} // namespace

std::span<const TCommand> EditorActionCommands() noexcept { return kRows; }

} // namespace vellumo
