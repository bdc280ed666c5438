// The Edit menu's commands. Each one asks the document's state itself
// before it changes the text: a shortcut meets its item refreshed by the
// menu's rules, but a tool button, a pop-up item or a command posted by
// another program meets whatever state the item had.
#include "app/commands/commands_win.h"
#include "app/commands/editcmds.h"
#include "app/core/appfuncs.h"
#include "app/core/applysettings.h"
#include "app/document/docopen.h"
#include "app/window/mainform_win.h"
#include "base/showmsg.h"
#include "classlib/clipboard_win.h"
#include "settings/settingsstore.h"

namespace vellumo {

bool SelectionHasLineBreak(const TEditor& ed)
{
    if (!ed.Selected()) return false;
    const TEditorSelection s = ed.Selection();
    if (s.Box) return true;
    for (int r = s.StartRow; r < s.EndRow; ++r)
        if (ed.GetRowAttribute(r) == raLineBreak) return true;
    return false;
}

namespace {

// A locked document stays read-only whatever its editors say.
bool Writable(const TEditor& ed) { return !ed.ReadOnly() && !Document().ReadOnlyLocked; }
bool ClipboardHasText() { return IsClipboardFormatAvailable(CF_TEXT) != 0; }
bool NormalMode(const TEditor& ed) { return ed.SelectionMode() == smNormal; }

TEditMenuInput EditMenuState(TVellumoMainForm& form)
{
    TEditor& ed = form.ActiveEditor();
    TEditMenuInput in;
    in.Selection = HasSelection();
    in.Writable = Writable(ed);
    in.ClipboardText = ClipboardHasText();
    in.CanUndo = ed.CanUndo();
    in.CanRedo = ed.CanRedo();
    in.WordWrap = ed.WordWrap();
    in.NormalMode = NormalMode(ed);
    in.FollowRetMark = ed.WrapOption().FollowRetMark();
    in.SelectionHasLineBreak = in.Selection && SelectionHasLineBreak(ed);
    in.ReadOnly = ed.ReadOnly();
    in.ReadOnlyLocked = Document().ReadOnlyLocked;
    in.Named = !Document().CurrentFileName.empty();
    in.Modified = ed.Modified();
    return in;
}

bool Refuse()
{
    SoundBeep();
    return false;
}

// True for a selection within the limit; a missing one beeps, a longer one
// also shows the limit.
bool SelectionWithin(TEditor& ed, long long limit)
{
    switch (CheckSelectionSize(HasSelection() ? ed.SelLength() : 0, limit)) {
    case TSizeCheck::Ok: return true;
    case TSizeCheck::OverLimit:
        SoundBeep();
        ShowStatusMessage(ByteLimitText(limit));
        return false;
    case TSizeCheck::NoSelection: break;
    }
    return Refuse();
}

// The selection converted in place and left selected.
void ConvertSelection(TVellumoMainForm& form, std::string (*convert)(std::string_view), long long limit)
{
    TEditor& ed = form.ActiveEditor();
    if (!Writable(ed) || !NormalMode(ed)) {
        Refuse();
        return;
    }
    if (!SelectionWithin(ed, limit)) return;
    const long long start = ed.SelStart();
    const std::string text = convert(ed.SelText());
    ed.SetSelText(text);
    ed.SetSelStart(start);
    ed.SetSelLength(static_cast<long long>(text.size()));
}

void IndentSelection(TVellumoMainForm& form, void (TEditor::*indent)())
{
    TEditor& ed = form.ActiveEditor();
    if (!Writable(ed)) {
        Refuse();
        return;
    }
    if (SelectionWithin(ed, kIndentByteLimit)) (ed.*indent)();
}

// The clipboard's text in the ANSI code page, and whether it is a box.
bool ReadClipboardText(std::string& text, bool& box)
{
    TClipboard& clip = Clipboard();
    TClipboardOpen open(clip);
    if (!open.Ok() || !clip.HasText()) return false;
    text = clip.AsAnsiText();
    box = clip.HasBoxText();
    return true;
}

} // namespace

// ---- menus opening

void Edit1Click(TVellumoMainForm& form)
{
    ApplyEnablingRules(form, "Edit1");
    TEditor& ed = form.ActiveEditor();
    form.MainMenuItems.Item("mBoxMode").SetChecked(ed.SelectionMode() == smBox);
    form.MainMenuItems.Item("mFreeCaret").SetChecked(AppSettingsStore().Settings.Option.FreeCaret);
    form.MainMenuItems.Item("mReadOnly").SetChecked(ed.ReadOnly());
}

void mHenkanClick(TVellumoMainForm& form)
{
    form.MainMenuItems.Item("mTabIndent").SetCaption("TAB インデント(&T)\tTab");
    form.MainMenuItems.Item("mUnTabIndent").SetCaption("TAB 逆インデント(&A)\tShift+Tab");
    ApplyEnablingRules(form, "mHenkan");
}

// ---- undo and the clipboard

void mUndoClick(TVellumoMainForm& form)
{
    TEditor& ed = form.ActiveEditor();
    if (!Writable(ed) || !ed.CanUndo()) {
        Refuse();
        return;
    }
    ed.Undo();
    form.UpdateToolBarState();
}

void mRedoClick(TVellumoMainForm& form)
{
    TEditor& ed = form.ActiveEditor();
    if (!Writable(ed) || !ed.CanRedo()) {
        Refuse();
        return;
    }
    ed.Redo();
    form.UpdateToolBarState();
}

void mCutClick(TVellumoMainForm& form)
{
    TEditor& ed = form.ActiveEditor();
    if (!HasSelection() || !Writable(ed) || !ed.CutToClipboard()) Refuse();
}

void mCopyClick(TVellumoMainForm& form)
{
    if (!HasSelection() || !form.ActiveEditor().CopyToClipboard()) Refuse();
}

void mWordWrapCopyClick(TVellumoMainForm& form)
{
    TEditor& ed = form.ActiveEditor();
    if (!ed.WordWrap() || !NormalMode(ed)) {
        Refuse();
        return;
    }
    if (SelectionWithin(ed, kWrapByteLimit) && !ed.CopyWrapped()) Refuse();
}

void mPasteClick(TVellumoMainForm& form)
{
    TEditor& ed = form.ActiveEditor();
    if (!ClipboardHasText() || !Writable(ed)) {
        Refuse();
        return;
    }
    ed.PasteFromClipboard();
}

void mInyouPasteClick(TVellumoMainForm& form)
{
    TEditor& ed = form.ActiveEditor();
    std::string text;
    bool box = false;
    if (!Writable(ed) || !ReadClipboardText(text, box)) {
        Refuse();
        return;
    }
    const std::string quoted = QuotedPasteText(text, PasteQuoteMark());
    if (box)
        ed.InsertBoxText(quoted);
    else
        ed.SetSelText(quoted);
}

void mPasteBoxClick(TVellumoMainForm& form)
{
    TEditor& ed = form.ActiveEditor();
    std::string text;
    bool box = false;
    if (!Writable(ed) || !ReadClipboardText(text, box)) {
        Refuse();
        return;
    }
    ed.InsertBoxText(text);
}

void mDeleteClick(TVellumoMainForm& form)
{
    TEditor& ed = form.ActiveEditor();
    if (!HasSelection() || !Writable(ed)) {
        Refuse();
        return;
    }
    ed.DeleteSelection();
}

void mLineDelClick(TVellumoMainForm& form)
{
    // The editor's row delete asks nothing: the document's state is asked here.
    TEditor& ed = form.ActiveEditor();
    if (HasSelection() || !Writable(ed)) {
        Refuse();
        return;
    }
    ed.DeleteRow(ed.Row());
}

// ---- conversions

void mLowerClick(TVellumoMainForm& form) { ConvertSelection(form, AsciiLowerCase, kConvertByteLimit); }
void mUpperClick(TVellumoMainForm& form) { ConvertSelection(form, AsciiUpperCase, kConvertByteLimit); }
void mHankakuClick(TVellumoMainForm& form) { ConvertSelection(form, ToHalfWidthText, kConvertByteLimit); }
void mZenkakuClick(TVellumoMainForm& form) { ConvertSelection(form, ToFullWidthText, kConvertByteLimit); }
void mDelRetClick(TVellumoMainForm& form) { ConvertSelection(form, RemoveLineBreaks, kWrapByteLimit); }

void mTabIndentClick(TVellumoMainForm& form) { IndentSelection(form, &TEditor::TabIndent); }
void mUnTabIndentClick(TVellumoMainForm& form) { IndentSelection(form, &TEditor::TabUnindent); }
void mIndentClick(TVellumoMainForm& form) { IndentSelection(form, &TEditor::SpaceIndent); }
void mUnIndentClick(TVellumoMainForm& form) { IndentSelection(form, &TEditor::SpaceUnindent); }

void mWorpRetClick(TVellumoMainForm& form)
{
    TEditor& ed = form.ActiveEditor();
    if (!Writable(ed) || !ed.WordWrap() || !ed.WrapOption().FollowRetMark() || !NormalMode(ed)) {
        Refuse();
        return;
    }
    if (SelectionWithin(ed, kWrapByteLimit)) ed.WrapToReturns();
}

// ---- selection and modes

void mSelectAllClick(TVellumoMainForm& form)
{
    TEditor& ed = form.ActiveEditor();
    ed.Deselect();  // leaves box mode
    ed.SelectAll();
}

void mBoxModeClick(TVellumoMainForm& form)
{
    TEditor& ed = form.ActiveEditor();
    if (ed.Selected()) {
        Refuse();
        return;
    }
    ed.ToggleBoxMode();
    // The other pane follows the mode already (the mode-change handler);
    // its latch is set or cleared here.
    if (TEditor* other = form.InactiveEditor()) {
        if (ed.SelectionMode() == smBox)
            other->EnterBoxSelection();
        else
            other->CleanSelection();
    }
}

void mFreeCaretClick(TVellumoMainForm& form)
{
    TEditor& ed = form.ActiveEditor();
    if (!NormalMode(ed)) {
        Refuse();
        return;
    }
    TSettingsStore& store = AppSettingsStore();
    const bool on = !store.Settings.Option.FreeCaret;
    store.Settings.Option.FreeCaret = on;
    for (TEditor* e : {&ed, form.InactiveEditor()}) {
        if (!e) continue;
        e->Caret().SetFreeCaret(on);
        e->SetCol(e->Col());  // the column normalised under the new rule
    }
    if (store.SaveOptionBool("Option", "FreeCaret", on) == TSaveResult::Failed && !store.ErrorReported())
        ShowMsg(store.ErrorText(), kMsgCaption, kMsgIconExclamation);
}

void mReadOnlyClick(TVellumoMainForm& form)
{
    if (!EditItemEnabled(TEditItem::ReadOnly, EditMenuState(form))) {
        Refuse();
        return;
    }
    SetReadOnlyState(!form.ActiveEditor().ReadOnly(), Document().ReadOnlyLocked);
}

// ---- the rows

namespace {

template <TEditItem Item>
bool EnabledBy(TVellumoMainForm& form)
{
    return EditItemEnabled(Item, EditMenuState(form));
}

using I = TEditItem;

constexpr TCommand kRows[] = {
    {"Edit1", Edit1Click},
    {"mUndo", mUndoClick, EnabledBy<I::Undo>},
    {"mRedo", mRedoClick, EnabledBy<I::Redo>},
    {"mCut", mCutClick, EnabledBy<I::Cut>},
    {"mCopy", mCopyClick, EnabledBy<I::Copy>},
    {"mWordWrapCopy", mWordWrapCopyClick, EnabledBy<I::WordWrapCopy>},
    {"mPaste", mPasteClick, EnabledBy<I::Paste>},
    {"mInyouPaste", mInyouPasteClick, EnabledBy<I::InyouPaste>},
    {"mPasteBox", mPasteBoxClick, EnabledBy<I::PasteBox>},
    {"mDelete", mDeleteClick, EnabledBy<I::Delete>},
    {"mLineDel", mLineDelClick, EnabledBy<I::LineDel>},
    {"mHenkan", mHenkanClick},
    {"mLower", mLowerClick, EnabledBy<I::Convert>},
    {"mUpper", mUpperClick, EnabledBy<I::Convert>},
    {"mHankaku", mHankakuClick, EnabledBy<I::Convert>},
    {"mZenkaku", mZenkakuClick, EnabledBy<I::Convert>},
    {"mTabIndent", mTabIndentClick, EnabledBy<I::Indent>},
    {"mUnTabIndent", mUnTabIndentClick, EnabledBy<I::Indent>},
    {"mIndent", mIndentClick, EnabledBy<I::Indent>},
    {"mUnIndent", mUnIndentClick, EnabledBy<I::Indent>},
    {"mWorpRet", mWorpRetClick, EnabledBy<I::WorpRet>},
    {"mDelRet", mDelRetClick, EnabledBy<I::DelRet>},
    {"mSelectAll", mSelectAllClick},
    {"mBoxMode", mBoxModeClick, EnabledBy<I::BoxMode>},
    {"mFreeCaret", mFreeCaretClick, EnabledBy<I::FreeCaret>},
    {"mReadOnly", mReadOnlyClick, EnabledBy<I::ReadOnly>},
    {"mUndo2", mUndoClick, EnabledBy<I::Undo>},
    {"mCut2", mCutClick, EnabledBy<I::Cut>},
    {"mCopy2", mCopyClick, EnabledBy<I::Copy>},
    {"mPaste2", mPasteClick, EnabledBy<I::Paste>},
};

} // namespace

std::span<const TCommand> EditMenuCommands() noexcept { return kRows; }

} // namespace vellumo
