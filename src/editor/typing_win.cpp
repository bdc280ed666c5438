// Typing and inserting text: each operation is one ReplaceRows (one undo
// step) built by the portable builders, with the caret placed after it.
// A read-only editor refuses every one of them, whoever calls.
#include "editor/editor_win.h"
#include "editor/typetext.h"

namespace vellumo {

void TEditor::ApplyRowsEdit(const TRowsEdit& edit, bool withUnderline)
{
    TCaretUpdate hold(this, withUnderline);
    if (selectionState_ != 0) CleanSelection();
    Store().ReplaceRows(edit.Row, edit.Count, edit.Text);
    if (edit.ByOffset) {
        SetCaretRowOffset(edit.OffsetRow, static_cast<int>(edit.Offset));
    } else {
        SetRow(edit.CaretRow);
        SetCol(edit.CaretCol);
        RefreshCaret();
    }
}

void TEditor::TypeText(std::string_view s)
{
    if (readOnly_ || s.empty()) return;
    const bool selected = Selected();
    if (!selected) {
        // A plain key: the row takes it in place, a long row is not rebuilt.
        if (const auto splice = TypeTextSplice(Store(), row_, col_, s, overWrite_)) {
            TCaretUpdate hold(this, false);
            if (selectionState_ != 0) CleanSelection();
            Store().InsertIntoRow(splice->Row, static_cast<std::size_t>(splice->Byte), s);
            SetCaretRowOffset(splice->OffsetRow, static_cast<int>(splice->Offset));
            return;
        }
    }
    const TEditorSelection sel = Selection();
    const auto edit = TypeTextEdit(Store(), selected ? &sel : nullptr, row_, col_, s, overWrite_);
    if (edit) ApplyRowsEdit(*edit, selected && sel.StartRow != sel.EndRow);
}

void TEditor::InsertStreamText(std::string_view text)
{
    if (readOnly_) return;
    if (text.empty()) {
        if (Selected()) DeleteSelection();
        return;
    }
    const TEditorSelection sel = Selection();
    const auto edit = InsertStreamTextEdit(Store(), Selected() ? &sel : nullptr, row_, col_, text);
    if (edit) ApplyRowsEdit(*edit, text.find_first_of("\r\n") != std::string_view::npos);
}

bool TEditor::ReplaceSelText(std::string_view text, bool caretBefore)
{
    if (readOnly_ || (text.empty() && !Selected())) return false;
    const TEditorScreenStrings& s = Store();
    const int row = Selected() ? selStartRow_ : row_;
    const int byte = Selected() ? selStartByte_ : (row < s.Count() ? CellToByte(s.Strings(row), col_, CellRules()) : 0);
    // Counted from the first row of the logical line: the edit never moves
    // that row, however the line wraps afterwards.
    const int first = s.FirstRowOfLine(row);
    long long offset = byte;
    for (int r = first; r < row; ++r)
        offset += static_cast<long long>(s.Strings(r).size()) + (s.GetRowAttribute(r) == raLineBreak ? 2 : 0);
    if (text.empty()) {
        DeleteSelection();
    } else {
        const TEditorSelection sel = Selection();
        const auto edit = InsertStreamTextEdit(s, Selected() ? &sel : nullptr, row_, col_, text);
        if (!edit) return false;
        ApplyRowsEdit(*edit, text.find_first_of("\r\n") != std::string_view::npos);
    }
    if (caretBefore) SetCaretRowOffset(first, static_cast<int>(offset));
    return true;
}

void TEditor::InsertBoxText(std::string_view text)
{
    if (readOnly_) return;
    if (text.empty()) {
        if (Selected()) DeleteSelection();
        return;
    }
    const TEditorSelection sel = Selection();
    const auto edit = InsertBoxTextEdit(Store(), Selected() ? &sel : nullptr, row_, col_, text);
    if (edit) ApplyRowsEdit(*edit, true);
}

void TEditor::ReplaceAllText(std::string_view text)
{
    if (readOnly_) return;
    TCaretUpdate hold(this, true);
    if (selectionState_ != 0) CleanSelection();
    Store().ReplaceRows(0, Store().Count(), text);
}

} // namespace vellumo
