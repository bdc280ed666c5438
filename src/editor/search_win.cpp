// The editor's search: the chunked row search from the caret or the
// selection, and the match selected.
#include "editor/editor_win.h"
#include "editor/editsearch.h"

namespace vellumo {

// The class library's message pump (its header clashes with the editor's names).
void ProcessMessages();

bool TEditor::Search(std::string_view pattern, TSearchFlags flags)
{
    if (Store().Count() == 0) return false;
    const bool down = (flags & sfDown) != 0;
    TEditorTextPos start;
    if (Selected()) {
        start = down ? TEditorTextPos{selEndRow_, selEndByte_ + 1} : TEditorTextPos{selStartRow_, selStartByte_};
    } else {
        start = CaretSearchStart(Store(), row_, col_, CellRules(), down);
    }
    TEditorSearchOptions options;
    options.BeforeChunk = [this] {
        if (SearchMessagePump) SearchMessagePump();
        else ProcessMessages();
    };
    const auto match = SearchRows(Store(), start, pattern, flags, options);
    if (!match) return false;
    if (Selected()) CleanSelection();
    SetCaretRowOffset(match->FromRow, match->Offset);
    SetSelLength(match->Length);
    if (bulk_) bulkScroll_ = true;
    else ScrollCaretIntoView();
    return true;
}

} // namespace vellumo
