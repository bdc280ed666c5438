// Copying, cutting and pasting through the clipboard, and dropping a
// dragged selection (moved, or copied with Ctrl) at the caret. The drag
// itself lives in the control's own mouse messages: no system drag and
// drop is involved.
#include "classlib/clipboard_win.h"
#include "classlib/screen_win.h"
#include "editor/editclip.h"
#include "editor/editor_win.h"
#include "editor/typetext.h"

namespace vellumo {

bool TEditor::CopyToClipboard()
{
    if (!Selected()) return false;
    return CopySelectionToClipboard(Store(), Selection(), Clipboard());
}

bool TEditor::CutToClipboard()
{
    if (!Selected() || readOnly_) return false;
    // Nothing copied: nothing is deleted either, so no text can be lost.
    if (!CopyToClipboard()) return false;
    DeleteSelection();
    return true;
}

void TEditor::PasteFromClipboard()
{
    if (readOnly_) return;
    const auto paste = ReadPasteText(Clipboard());
    if (!paste) return;
    const TEditorSelection sel = Selection();
    const auto edit = PasteEdit(Store(), Selected() ? &sel : nullptr, row_, col_, *paste);
    if (edit) ApplyRowsEdit(*edit, paste->Box || paste->Text.find('\r') != std::string::npos);
}

void TEditor::PasteBoxFromClipboard()
{
    if (readOnly_) return;
    std::string text;
    {
        TClipboard& clip = Clipboard();
        TClipboardOpen open(clip);
        if (!open.Ok() || !clip.HasText()) return;
        text = clip.AsText();
    }
    InsertBoxText(text);
}

void TEditor::CopySelectionTo(int row, int col)
{
    if (!CanSelMove() || IsInSelection(row, col)) {
        if (selectionState_ != 0) CleanSelection();
        return;
    }
    const auto edit = CopySelectionEdit(Store(), Selection(), row, col);
    if (!edit) {
        CleanSelection();
        return;
    }
    ApplyRowsEdit(*edit, true);
}

void TEditor::MoveSelectionTo(int row, int col)
{
    if (!CanSelMove() || IsInSelection(row, col)) {
        if (selectionState_ != 0) CleanSelection();
        return;
    }
    const auto edit = MoveSelectionEdit(Store(), Selection(), row, col);
    if (!edit) {
        CleanSelection();
        return;
    }
    ApplyRowsEdit(*edit, true);
}

bool TEditor::BeginSelectionDrag()
{
    if (!CanSelMove()) return false;
    dragState_ = 2;
    return true;
}

void TEditor::DragSelectionOver(int row, int col, bool copy, bool insideClient)
{
    if (dragState_ != 2) return;
    const TProgramCursors& cursors = LoadProgramCursors();
    Screen().SetCursor(!insideClient ? crNo : copy ? cursors.CopyDrop : cursors.MoveDrop);
    SetCaretRowCol(row, col);
}

void TEditor::EndSelectionDrag(bool insideClient, bool copy)
{
    if (dragState_ != 2) return;
    dragState_ = 0;
    if (!insideClient || IsInSelection(row_, col_)) {
        if (selectionState_ != 0) CleanSelection();
    } else if (copy) {
        CopySelectionTo(row_, col_);
    } else {
        MoveSelectionTo(row_, col_);
    }
    SetCursor(caret_->Cursors().DefaultCursor());
    Screen().SetCursor(crDefault);
}

void TEditor::CancelSelectionDrag()
{
    const bool dragging = dragState_ == 2;
    dragState_ = 0;
    if (selectionState_ != 0) CleanSelection();
    if (dragging) {
        SetCursor(caret_->Cursors().DefaultCursor());
        Screen().SetCursor(crDefault);
    }
}

} // namespace vellumo
