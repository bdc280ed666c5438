#pragma once
// Selections over the row store and the texts that replace the selected
// rows: what stays of them when the selection is cut out, deleting it, and
// inserting a box (one line per row at a display column). Pure
// computations: the control applies a result with one ReplaceRows and puts
// its caret where the result says.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "editor/rowflags.h"

namespace vellumo {

class TEditorScreenStrings;
struct TCellRules;

// 1-based byte positions of a box's edges in a row's cell classes (cells are
// 1-based too). A character or TAB that straddles the left edge stays
// outside the box; one that straddles the right edge is inside. Cells past
// the row's end count one byte each.
int BoxLeftByte(std::string_view classes, int cell);
int BoxRightByte(std::string_view classes, int cell);

// The selected range: its rows, bytes (0-based; EndByte is the last selected
// byte, -1 when the selection ends at the start of its end row) and the
// screen columns the painter highlights (EndCol exclusive).
struct TEditorSelection {
    bool Box = false;
    int StartRow = 0, EndRow = 0;
    int StartByte = 0, EndByte = -1;
    int StartCol = 0, EndCol = 0;
};

// The selection spanned between an anchor and the caret (rows and display
// columns), as the control computes it after every caret move.
TEditorSelection MakeSelection(const TEditorScreenStrings& rows, int anchorRow, int anchorCol, int caretRow,
                               int caretCol, bool box);

struct TUnselectedRow {
    std::string Text;
    TEditorRowAttribute Attribute = raLineBreak;
    int Cut = 1;  // 1-based byte position where the selection was cut out
};

// What remains of the selected rows: one entry per row for a box, one
// entry for a stream (the start row's head and the end row's tail).
std::vector<TUnselectedRow> GetUnselectedRows(const TEditorScreenStrings& rows, const TEditorSelection& sel);

// Entries joined, CR LF after every line-break entry.
std::string JoinUnselected(const std::vector<TUnselectedRow>& entries);

// One edit of the rows: ReplaceRows(Row, Count, Text), then the caret goes
// either to (CaretRow, CaretCol) or, when ByOffset, to Offset bytes from the
// start of OffsetRow (line breaks count 2).
struct TRowsEdit {
    int Row = 0;
    int Count = 0;
    std::string Text;
    bool ByOffset = false;
    int CaretRow = 0, CaretCol = 0;
    int OffsetRow = 0;
    long long Offset = 0;
};

// The first row of the logical line holding row, but at most one row above
// it, or further up as far as an edit at row re-cuts the rows: where caret
// offsets of an edit are counted from.
int EditOriginRow(const TEditorScreenStrings& rows, int row);

// Deleting the selection; nothing when it covers no row.
std::optional<TRowsEdit> DeleteSelectionEdit(const TEditorScreenStrings& rows, const TEditorSelection& sel);

// Inserting text as a box: over the selection when sel is given, else at the
// caret (row, display column). Each line goes into one row at the box's
// left column, short rows padded with spaces; lines past the last row
// become new rows indented with spaces. The rows replaced reach the last row
// that received a line, so none appears twice. Nothing for an empty text.
std::optional<TRowsEdit> InsertBoxTextEdit(const TEditorScreenStrings& rows, const TEditorSelection* sel,
                                           int caretRow, int caretCol, std::string_view text);

} // namespace vellumo
