#pragma once
// The editor's side of the clipboard (Windows only): what a copy puts there
// and what a paste takes. A copy never empties the user's clipboard with an
// empty text; a box travels as text plus the box marker.
#include <optional>
#include <string>

#include "editor/boxtext.h"

namespace vellumo {

class TClipboard;
class TEditorScreenStrings;

// The selection's text; a box also gets the marker. False, with the
// clipboard untouched, when there is nothing to copy.
bool CopySelectionToClipboard(const TEditorScreenStrings& rows, const TEditorSelection& sel, TClipboard& clip);
// The selection with a line break at every row end (stream selections only).
bool CopyWrappedToClipboard(const TEditorScreenStrings& rows, const TEditorSelection& sel, TClipboard& clip);

struct TPasteText {
    std::string Text;  // in the ANSI code page, Unicode text preferred
    bool Box = false;  // the box marker was there
};
// Nothing unless the clipboard offers text.
std::optional<TPasteText> ReadPasteText(TClipboard& clip);

// The edit a paste makes: a box at the caret or over the selection when the
// text came as a box (or forceBox: the menu's box paste), else a stream.
std::optional<TRowsEdit> PasteEdit(const TEditorScreenStrings& rows, const TEditorSelection* sel, int caretRow,
                                   int caretCol, const TPasteText& paste, bool forceBox = false);

} // namespace vellumo
