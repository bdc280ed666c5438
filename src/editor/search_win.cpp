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

int TEditor::ReplaceMatches(std::string_view pattern, std::string_view with, TSearchFlags flags, bool& end)
{
    end = false;
    if (readOnly_) return 0;
    if (Store().Count() == 0) {
        end = true;
        return 0;
    }
    const TEditorTextPos start = Selected() ? TEditorTextPos{selEndRow_, selEndByte_ + 1}
                                            : CaretSearchStart(Store(), row_, col_, CellRules(), true);
    TEditorSearchOptions options;
    options.BeforeChunk = [this] {
        if (SearchMessagePump) SearchMessagePump();
        else ProcessMessages();
    };
    // About a tenth of a second's work between looks at the message queue.
    constexpr int kRunBytes = 1 << 20;
    TReplaceRun run;
    {
        TCaretUpdate hold(this, true);
        run = ReplaceForward(Store(), start, pattern, with, flags, options, kRunBytes, WordWrap() ? 0 : kMaxCols);
        end = run.End;
        if (run.Count == 0) return 0;
        if (selectionState_ != 0) CleanSelection();
        SetCaretRowOffset(run.FromRow, static_cast<int>(run.Offset));
    }
    if (bulk_) bulkScroll_ = true;
    else ScrollCaretIntoView();
    return run.Count;
}

} // namespace vellumo
