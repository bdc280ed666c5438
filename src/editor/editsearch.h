#pragma once
// Editor search: feeds the search engine chunks of whole logical lines so
// that a search never joins the whole document, and finds exactly what one
// search over the joined text (CR LF after every line-break row) would find.
#include <functional>
#include <optional>
#include <string_view>

#include "textcode/search.h"

namespace vellumo {

class TPointerStringList;
class TEditorScreenStrings;

// A place in the rows: a row and a byte offset in it. Byte may stand on the
// row's line break (length, length + 1) or just after it (length + 2).
struct TEditorTextPos {
    int Row = 0;
    int Byte = 0;
};

struct TEditorMatch {
    int Row = 0;     // the row where the match starts
    int Byte = 0;    // its byte offset in that row
    int Length = 0;  // bytes the match covers (skipped breaks and blanks included)
    // The same start as the view's SetCaretRowOffset wants it: an offset
    // counted from the first row of the match's logical line.
    int FromRow = 0;
    int Offset = 0;
};

struct TEditorSearchOptions {
    // Called before each chunk when the flags hold sfReplaceAll (the
    // application's message pump). It may change the rows; nothing computed before the
    // call is used unchecked after it.
    std::function<void()> BeforeChunk;
    // A chunk takes logical lines while it holds at most this many bytes.
    int ChunkBytes = 8191;
};

// Forward (sfDown) the search starts at start: after the selection (its end
// row and the byte after its last byte) or at the caret. Backward it looks
// for the nearest match that starts at or before start less the pattern's
// length, start being the selection's first byte or the caret; a start past
// the last row means the end of the text. Matches are those of
// SearchBufferPos over the whole joined text with the selection (start, 0).
std::optional<TEditorMatch> SearchRows(const TPointerStringList& rows, TEditorTextPos start, std::string_view pattern,
                                       TSearchFlags flags, const TEditorSearchOptions& options = {});

// What a replace-all step did: Count matches replaced, the caret to stand
// after the last replacement (an offset from row FromRow, as the view's
// SetCaretRowOffset wants it); End: no match is left. Count 0 without End:
// the next match needs the one-match way (a long row's limit, a text whose
// replacement the engine would see differently).
struct TReplaceRun {
    int Count = 0;
    bool End = false;
    int FromRow = 0;
    long long Offset = 0;
};

// Whether ReplaceForward gives the text that replacing one match at a time,
// each search starting after the text put in, would give.
bool CanReplaceForward(std::string_view pattern, std::string_view with, TSearchFlags flags);

// Replaces the matches forward from start in the next stretch of text of
// about runBytes bytes, each search starting after the text put in, one
// row edit per run of lines that matches touch. maxCols > 0 (no word wrap):
// a match reaching that column of its row is left to the one-match way.
TReplaceRun ReplaceForward(TEditorScreenStrings& store, TEditorTextPos start, std::string_view pattern,
                           std::string_view with, TSearchFlags flags, const TEditorSearchOptions& options,
                           int runBytes, int maxCols);

// The byte offset a search starts from for a caret at a display column:
// the column less the TAB fill cells up to it, at most the row's length.
// Backward with the caret below the last row: the end of the text.
struct TCellRules;
TEditorTextPos CaretSearchStart(const TPointerStringList& rows, int row, int col, const TCellRules& rules, bool down);

} // namespace vellumo
