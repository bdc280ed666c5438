#pragma once
// The texts of typing, stream insertion and dropping a dragged selection:
// each builder returns the one ReplaceRows edit and the caret offset that
// follows it. Nothing here knows about read-only editors: the control
// refuses every insertion itself before calling a builder.
#include <optional>
#include <string>
#include <string_view>

#include "editor/boxtext.h"

namespace vellumo {

class TEditorScreenStrings;

// A text's length once stored: CR, LF and CR LF all become one row break,
// which caret offsets count as two bytes.
long long StoredTextLength(std::string_view text);

// The selected text: within one row its bytes; a box, each row's part
// between the box edges followed by CR LF; a stream, the rows from the
// start byte (CR LF after line-break rows) through the end byte.
std::string GetSelText(const TEditorScreenStrings& rows, const TEditorSelection& sel);

// Whether a display place lies inside the selection (stream: between the
// start and end columns of the first and last rows; box: between the edges).
bool IsInSelection(const TEditorScreenStrings& rows, const TEditorSelection& sel, int row, int col);

// text inserted at the caret, or over the selection when sel is given; the
// caret goes after it. A caret past the end of its row (free caret) is
// reached with spaces. Nothing for an empty text without a selection.
std::optional<TRowsEdit> InsertStreamTextEdit(const TEditorScreenStrings& rows, const TEditorSelection* sel,
                                              int caretRow, int caretCol, std::string_view text);

// Typed text: as a stream insertion, except that in overwrite mode it covers
// as many cells as it has bytes from the caret on, into the following rows
// of a wrapped line when it runs past its row; a double-byte character cut
// in half by the covered cells leaves a space for its second half.
std::optional<TRowsEdit> TypeTextEdit(const TEditorScreenStrings& rows, const TEditorSelection* sel, int caretRow,
                                      int caretCol, std::string_view text, bool overwrite);

// Typing without a selection that only puts text into a row at a byte (no
// covered cells, no spaces up to a free caret, no stray lead byte around
// it): where, and where the caret goes after it, as TypeTextEdit would put
// it. The row's new text is then left to the row store to make in place.
struct TRowSplice {
    int Row = 0;
    int Byte = 0;
    int OffsetRow = 0;
    long long Offset = 0;
};
std::optional<TRowSplice> TypeTextSplice(const TEditorScreenStrings& rows, int caretRow, int caretCol,
                                         std::string_view text, bool overwrite);

// Moving a stream selection to a display place (row and column; the row
// may be the empty place after a final line break) in one edit, the caret
// after the moved text. Nothing (the caller only ends the selection) for a
// box, an empty selection or a target inside it.
std::optional<TRowsEdit> MoveSelectionEdit(const TEditorScreenStrings& rows, const TEditorSelection& sel,
                                           int targetRow, int targetCol);

// Copying it there instead: the selected text inserted at the target.
std::optional<TRowsEdit> CopySelectionEdit(const TEditorScreenStrings& rows, const TEditorSelection& sel,
                                           int targetRow, int targetCol);

} // namespace vellumo
