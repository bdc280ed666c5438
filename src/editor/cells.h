#pragma once
// Display cells of Shift-JIS rows: every byte one cell, a double-byte
// character two, a TAB its own cell plus fill up to the next tab stop (with
// word wrap never past the next multiple of the wrap width). The per-cell
// class string drives every column computation of the editor:
//   '1' ordinary byte, '2' word delimiter (a TAB's own cell too),
//   '3' TAB fill, '4' and '5' first and second cell of a double-byte character.
#include <string>
#include <string_view>

#include "base/byteset.h"
#include "editor/rowflags.h"

namespace vellumo {

class TEditorScreenStrings;
class TPointerStringList;
class IEditorView;

// Bytes 00-2F, 3A-40, 5B-5E, 60, 7B-80, A0-A5, FD-FF: digits, letters and "_" are word characters.
const TByteSet& DefaultDelimiters();

constexpr int kMaxRowCells = 8000;

struct TCellRules {
    int TabWidth = 8;   // 1..8
    int WrapWidth = 0;  // 0 without word wrap, else the wrap column
    TByteSet Delimiters = DefaultDelimiters();
};

// Cut short once it holds WrapWidth + 3 cells (with wrap) or 8000 cells:
// only the first CellClassBytes bytes of a text count.
std::size_t CellClassBytes(const TCellRules& rules);
// Cut short once it holds WrapWidth + 3 cells (with wrap) or 8000 cells.
std::string GetCellClasses(std::string_view text, const TCellRules& rules);
void GetCellClasses(std::string_view text, const TCellRules& rules, std::string& out);
int GetDisplayWidth(std::string_view text, const TCellRules& rules);
std::string ExpandTabs(std::string_view text, const TCellRules& rules);
// The same into out, whose room is used again.
void ExpandTabs(std::string_view text, const TCellRules& rules, std::string& out);
// Only the text's first cells into out: at least cells of them (a character
// is never cut), all of the text when it is narrower. Returns the bytes of
// text that were expanded.
std::size_t ExpandTabsPrefix(std::string_view text, const TCellRules& rules, std::size_t cells, std::string& out);
// -1 for an empty text, else the width of the leading blanks.
int GetIndentWidth(std::string_view text, const TCellRules& rules);

// Bytes before cell col (col minus the fill cells among cells 0..col), at most the text's length.
int CellToByte(std::string_view text, int col, const TCellRules& rules);
// Cells taken by the first n bytes.
int ByteToCell(std::string_view text, int n, const TCellRules& rules);

// Row services over a store (its own word wrap, tab width and delimiters).
int GetRowWidth(const TEditorScreenStrings& store, int row);
std::string GetExpandedRow(const TEditorScreenStrings& store, int row);
void GetExpandedRow(const TEditorScreenStrings& store, int row, std::string& out);
// The row's first cells only (ExpandTabsPrefix): what a view of a long row shows.
void GetExpandedRowPrefix(const TEditorScreenStrings& store, int row, std::size_t cells, std::string& out);
bool EndsWithLineBreak(const TPointerStringList& rows);
long long GetTextLength(const TPointerStringList& rows);
// Rows joined, CR LF after each line-break row, allocated once.
std::string JoinRows(const TPointerStringList& rows);
int RowToLine(const TEditorScreenStrings& store, int row);
// The first row of a logical line; past the end the row count.
int LineToRow(const TEditorScreenStrings& store, int line);
int GetLineCol(const TEditorScreenStrings& store, int row, int col);
int GetLineCharPos(const TEditorScreenStrings& store, int row, int col);
long long RowColToOffset(const TEditorScreenStrings& store, int firstRow, int row, int col);
// Row and byte of a character offset (line breaks count 2). False past the
// text, with row = the row count and byte = 0; false also for a negative offset.
bool OffsetToRowByte(const TEditorScreenStrings& store, long long offset, int& row, int& byte);
// Where SetCaretRowOffset puts the caret: a byte offset walked from the start
// of fromRow; past the text the last place (row count, or the raEof row's end).
void RowOffsetToRowCol(const TEditorScreenStrings& store, int fromRow, long long offset, int& row, int& col);
// Indent of the nearest earlier logical line that is not empty: 0 without
// one, -1 when every earlier line is empty.
int PrevIndent(const TEditorScreenStrings& store, int row);
// Client pixels to cells, from the view's geometry.
struct TCellGeometry {
    int TextLeft = 0;
    int TextTop = 0;
    int CellWidth = 0;
    int RowHeight = 0;
    int LeftCol = 0;
    int TopRow = 0;
};
// Column and row under a point (the row not clamped); with nearest, the
// column whose left edge is nearest.
void PixelToCell(int x, int y, bool nearest, const TCellGeometry& g, int& col, int& row);
// The row and byte of the character under a point; false off the text
// (the row is still set when the point is right of a row's last character).
bool PointToRowByte(const TEditorScreenStrings& store, const TCellGeometry& g, int x, int y, int& row, int& byte);

// Deletes one screen row as one undoable edit and places the view's caret.
void DeleteRow(TEditorScreenStrings& store, IEditorView& view, int row);

} // namespace vellumo
