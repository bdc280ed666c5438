// The screen updater and the control's own pop-up menu.
#include <algorithm>
#include <cstdlib>

#include "editor/editor_win.h"

namespace vellumo {

void TEditorScreen::Update()
{
    TEditor& e = editor_;
    const TEditorChangeRange& range = e.Store().ChangeRange();
    if (!range.Valid || !e.HandleAllocated()) return;
    const int start = range.StartRow, oldCount = range.OldCount, newCount = range.NewCount;
    const int d = std::abs(newCount - oldCount);
    if (d > e.RowCount()) {
        e.InvalidateRect(RECT{0, e.GetTextTop(), e.ClientRect().right, e.ClientRect().bottom}, false);
        e.Update();
        return;
    }
    const int c = start + newCount + std::max(0, range.BracketChanged - newCount);
    const bool pastEnd = c > e.Store().Count() - 1;
    if (oldCount == newCount) {
        e.InvalidateRows(start, pastEnd ? c : c - 1);
    } else {
        if (c - 1 >= start) e.InvalidateRows(start, c - 1);
        e.ScrollRows(c, newCount - oldCount);
        if (pastEnd) e.InvalidateRows(c, c);
    }
    if (!e.Leftbar().Visible() || !e.Leftbar().ShowNumber()) return;
    if (e.Leftbar().ShowNumberMode() == nmLine) {
        // Line numbers below move only when rows or line ends changed.
        if (range.ShapeChanged) e.InvalidateLeftbar(c, e.TopRow() + e.RowCount());
    } else if (oldCount != newCount && e.TopRow() + e.RowCount() >= e.Store().Count()) {
        e.InvalidateLeftbar(c, e.TopRow() + e.RowCount());
    }
}

TEditorPopupMenu::TEditorPopupMenu()
{
    CreateItems();
    OnPopup = [this](TPopupMenu&) { EnableItems(); };
}

void TEditorPopupMenu::CreateItems()
{
    Add("元に戻す(&U)", "Ctrl+Z", [this](TMenuItem&) { UndoClick(); });
    Add("やり直し(&R)", "Ctrl+A", [this](TMenuItem&) { RedoClick(); });
    AddSeparator();
    Add("切り取り(&T)", "Ctrl+X", [this](TMenuItem&) { CutClick(); });
    Add("コピー(&C)", "Ctrl+C", [this](TMenuItem&) { CopyClick(); });
    Add("貼り付け(&P)", "Ctrl+V", [this](TMenuItem&) { PasteClick(); });
    Add("Box貼り付け(&B)", "Ctrl+B", [this](TMenuItem&) { BoxPasteClick(); });
    Add("削除(&D)", "", [this](TMenuItem&) { DeleteClick(); });
    AddSeparator();
    Add("すべて選択(&A)", "", [this](TMenuItem&) { SelectAllClick(); });
    AddSeparator();
    Add("Box選択モード(&K)", "Ctrl+K", [this](TMenuItem&) { BoxSelectModeClick(); });
}

void TEditorPopupMenu::UndoClick()
{
    if (editor_) editor_->Undo();
}

void TEditorPopupMenu::RedoClick()
{
    if (editor_) editor_->Redo();
}

void TEditorPopupMenu::CutClick()
{
    if (editor_) editor_->CutToClipboard();
}

void TEditorPopupMenu::CopyClick()
{
    if (editor_) editor_->CopyToClipboard();
}

void TEditorPopupMenu::PasteClick()
{
    if (editor_) editor_->PasteFromClipboard();
}

void TEditorPopupMenu::BoxPasteClick()
{
    if (editor_) editor_->PasteBoxFromClipboard();
}

void TEditorPopupMenu::DeleteClick()
{
    if (editor_) editor_->DeleteSelectedText();
}

void TEditorPopupMenu::SelectAllClick()
{
    if (editor_) editor_->SelectAll();
}

void TEditorPopupMenu::BoxSelectModeClick()
{
    TMenuItem& item = Items(kBoxMode);
    item.SetChecked(!item.Checked());
    if (!editor_) return;
    editor_->SetSelectionMode(item.Checked() ? smBox : smNormal);
    // What is shown must be what a delete would remove.
    if (editor_->Selected()) {
        editor_->ExtendSelection();
        editor_->Invalidate();
    }
}

void TEditorPopupMenu::EnableItems()
{
    if (!editor_) return;
    TEditor& e = *editor_;
    const bool ro = e.ReadOnly();
    const bool sel = e.Selected();
    const bool clip = IsClipboardFormatAvailable(CF_TEXT) != 0;
    Items(kUndo).SetEnabled(e.CanUndo() && !ro);
    Items(kRedo).SetEnabled(e.CanRedo() && !ro);
    Items(kCut).SetEnabled(sel && !ro);
    Items(kCopy).SetEnabled(sel);
    Items(kPaste).SetEnabled(clip && !ro);
    Items(kBoxPaste).SetEnabled(clip && !ro);
    Items(kDelete).SetEnabled(sel && !ro);
    Items(kSelectAll).SetEnabled(e.GetTextLength() > 0);
    Items(kBoxMode).SetEnabled(true);
    Items(kBoxMode).SetChecked(e.SelectionMode() == smBox);
}

} // namespace vellumo
