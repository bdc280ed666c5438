#pragma once
// Block commands over the selected rows: indenting and unindenting by one
// space or one TAB (stream: whole logical lines; box: at the box's left
// column), turning soft wraps into line breaks, freezing every soft wrap,
// and the text of a copy with a line break at every row end. Each builder
// returns one edit for ReplaceRows and where the caret and selection go.
#include <optional>
#include <string>

#include "editor/boxtext.h"

namespace vellumo {

class TEditorScreenStrings;
class TEditorStrings;

enum class TIndentKind { SpaceIndent, SpaceUnindent, TabIndent, TabUnindent };

struct TIndentPlan {
    TRowsEdit Edit;     // caret fields unused: see IndentSelectionAfter
    bool Box = false;   // a box keeps its selection and caret
    int FirstRow = 0;   // first and last row replaced
    int LastRow = 0;
    int OldRowCount = 0;
    bool CaretAtStart = false;
};

// Nothing when the selection covers no row. retRowIndent: empty lines (and,
// in a box, rows ending just before the box) are indented too.
std::optional<TIndentPlan> PlanIndent(const TEditorScreenStrings& rows, const TEditorSelection& sel, TIndentKind kind,
                                      bool retRowIndent, int caretRow, int caretCol);

// After a stream plan's edit was applied: the block re-selected from column
// 0 of its first row through its final line break (or the end of a last row
// without one), the anchor at the block's end, and the caret at the block's
// start when it stood at the selection's start, else at its end.
struct TIndentSelection {
    TEditorSelection Selection;
    int AnchorRow = 0, AnchorByte = 0, AnchorCol = 0;
    int CaretRow = 0, CaretCol = 0;
};
TIndentSelection IndentSelectionAfter(const TEditorScreenStrings& rows, const TIndentPlan& plan);

// Soft wraps inside the selection become CR LF (the wrap at the last selected
// row stays soft). Nothing without word wrap or without the wrap option's
// FollowRetMark (a full row would otherwise re-wrap its new break onto an
// empty row).
std::optional<TRowsEdit> WrapToReturnsEdit(const TEditorScreenStrings& rows, const TEditorSelection& sel);

// Every soft-wrapped row ends with a line break from now on; the texts stay
// and the undo history is emptied. False (and nothing done) without word wrap.
bool FreezeWraps(TEditorScreenStrings& rows, TEditorStrings& lines);

// The selected text with CR LF at every row end; nothing for a box, and
// nothing (so that the clipboard keeps what it has) when it would be empty.
std::optional<std::string> CopyWrappedText(const TEditorScreenStrings& rows, const TEditorSelection& sel);

} // namespace vellumo
