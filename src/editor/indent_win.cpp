// Indent, unindent and the wrap commands of the editor: one ReplaceRows
// each (one undo step), except freezing, which only changes row ends.
#include "editor/editor_win.h"
#include "editor/editclip.h"
#include "editor/editorhost.h"
#include "editor/indentcmd.h"
#include "classlib/clipboard_win.h"

namespace vellumo {

void TEditor::ApplyIndent(int kind)
{
    if (!Selected() || readOnly_) return;
    const auto plan = PlanIndent(Store(), Selection(), static_cast<TIndentKind>(kind),
                                 EditorHostValues().RetRowIndent, row_, col_);
    if (!plan) return;
    TCaretUpdate hold(this, true);
    Store().ReplaceRows(plan->Edit.Row, plan->Edit.Count, plan->Edit.Text);
    if (plan->Box) return;  // a box keeps its selection and the caret
    const TIndentSelection after = IndentSelectionAfter(Store(), *plan);
    SetSelectionFields(after.Selection);
    RepaintSelection();
    // The anchor goes to the end away from the caret, so that extending the
    // selection further keeps the indented block selected.
    if (plan->CaretAtStart) {
        anchorRow_ = after.AnchorRow;
        anchorByte_ = after.AnchorByte;
        anchorCol_ = after.AnchorCol;
    } else {
        anchorRow_ = after.Selection.StartRow;
        anchorByte_ = 0;
        anchorCol_ = 0;
    }
    SetCaretRowCol(after.CaretRow, after.CaretCol);
}

void TEditor::SpaceIndent() { ApplyIndent(static_cast<int>(TIndentKind::SpaceIndent)); }
void TEditor::SpaceUnindent() { ApplyIndent(static_cast<int>(TIndentKind::SpaceUnindent)); }
void TEditor::TabIndent() { ApplyIndent(static_cast<int>(TIndentKind::TabIndent)); }
void TEditor::TabUnindent() { ApplyIndent(static_cast<int>(TIndentKind::TabUnindent)); }

void TEditor::WrapToReturns()
{
    if (!Selected() || readOnly_ || !WordWrap()) return;
    const auto edit = WrapToReturnsEdit(Store(), Selection());
    if (edit) ApplyRowsEdit(*edit, true);
}

bool TEditor::FreezeWraps() { return vellumo::FreezeWraps(Store(), Lines()); }

bool TEditor::CopyWrapped()
{
    if (!Selected() || !WordWrap()) return false;
    return CopyWrappedToClipboard(Store(), Selection(), Clipboard());
}

} // namespace vellumo
